// TIcon: an HICON made from an .ico file or taken from elsewhere.
#include <cstdlib>
#include <cstring>

#include "gdiutil.h"
#include "graphics.h"

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint32_t B32(const uint8_t* p)  // big-endian, as PNG stores numbers
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}
void Put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

[[noreturn]] void Bad(const String& what) { throw EInvalidGraphic("Invalid icon: " + what); }

constexpr uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int MaxIconSide = 256;

// One image of an icon file, checked against the file's bytes.
struct TIconImage {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    int Width = 0, Height = 0, BitCount = 0;
};

TIconImage CheckPng(const uint8_t* p, size_t size)
{
    if (size < 24 || std::memcmp(p + 12, "IHDR", 4) != 0)
        Bad("the PNG image has no header");
    uint32_t w = B32(p + 16), h = B32(p + 20);
    if (w == 0 || h == 0 || w > MaxIconSide || h > MaxIconSide)
        Bad("PNG image of " + IntToStr(w) + " x " + IntToStr(h));
    return {p, size, static_cast<int>(w), static_cast<int>(h), 32};
}

TIconImage CheckDib(const uint8_t* p, size_t size)
{
    if (size < 40)
        Bad("the image header is truncated");
    uint32_t hs = U32(p);
    if (hs < 40 || hs > size)
        Bad("image header size " + IntToStr(hs));
    int32_t w = static_cast<int32_t>(U32(p + 4)), h2 = static_cast<int32_t>(U32(p + 8));
    int planes = U16(p + 12), bpp = U16(p + 14);
    uint32_t compression = U32(p + 16), used = U32(p + 32);
    // The height covers the colour image and the mask below it.
    if (w <= 0 || w > MaxIconSide || h2 <= 0 || h2 % 2 != 0 || h2 / 2 > MaxIconSide)
        Bad("image of " + IntToStr(w) + " x " + IntToStr(h2 / 2));
    if (planes != 1 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32))
        Bad(IntToStr(bpp) + " bits a pixel");
    if (compression != BI_RGB)
        Bad("compressed image");
    uint64_t colors = used;
    if (bpp <= 8) {
        if (used > (1u << bpp))
            Bad("the palette has " + IntToStr(used) + " colours");
        if (!used)
            colors = 1u << bpp;
    } else if (used > 256) {
        Bad("the palette has " + IntToStr(used) + " colours");
    }
    int h = h2 / 2;
    uint64_t xorStride = ((uint64_t(w) * bpp + 31) / 32) * 4, andStride = ((uint64_t(w) + 31) / 32) * 4;
    uint64_t need = hs + colors * 4 + (xorStride + andStride) * h;
    if (need > size)
        Bad("the image is truncated (" + IntToStr(static_cast<int64_t>(size)) + " of " +
            IntToStr(static_cast<int64_t>(need)) + " bytes)");
    return {p, size, w, h, bpp};
}

// The directory's image closest to 32 x 32, the deepest of equals.
TIconImage PickImage(const uint8_t* data, size_t size)
{
    if (!data || size < 6)
        Bad("the file is too short for an icon directory");
    if (U16(data) != 0 || U16(data + 2) != 1)
        Bad("not an icon file");
    size_t count = U16(data + 4);
    if (count == 0)
        Bad("the file holds no images");
    if (6 + 16 * count > size)
        Bad("the icon directory is truncated");
    TIconImage best;
    int bestScore = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = data + 6 + 16 * i;
        uint64_t bytes = U32(e + 8), offset = U32(e + 12);
        if (offset < 6 + 16 * count || offset + bytes > size)
            Bad("image " + IntToStr(static_cast<int64_t>(i + 1)) + " lies outside the file");
        const uint8_t* p = data + offset;
        bool png = bytes >= 8 && std::memcmp(p, PngSignature, 8) == 0;
        TIconImage img = png ? CheckPng(p, bytes) : CheckDib(p, bytes);
        int distance = std::abs(img.Width - 32) + std::abs(img.Height - 32);
        int score = -distance * 64 + img.BitCount;
        if (!best.Data || score > bestScore) {
            best = img;
            bestScore = score;
        }
    }
    return best;
}

// Rows of a bitmap handle as a top-down 32-bit or 1-bit DIB.
std::vector<uint8_t> BitmapRows(HBITMAP h, int w, int rows, int bpp)
{
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[2];
    } bi{};
    bi.h.biSize = sizeof(BITMAPINFOHEADER);
    bi.h.biWidth = w;
    bi.h.biHeight = -rows;
    bi.h.biPlanes = 1;
    bi.h.biBitCount = static_cast<WORD>(bpp);
    bi.h.biCompression = BI_RGB;
    size_t stride = ((static_cast<size_t>(w) * bpp + 31) / 32) * 4;
    std::vector<uint8_t> out(stride * rows);
    HDC dc = GetDC(nullptr);
    int got = GetDIBits(dc, h, 0, static_cast<UINT>(rows), out.data(), reinterpret_cast<BITMAPINFO*>(&bi),
                        DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (got != rows)
        throw EInvalidGraphic("Cannot read the icon's pixels");
    return out;
}

// An .ico file with one 32-bit image made from an icon handle.
std::vector<uint8_t> IcoFromHandle(HICON icon)
{
    ICONINFO ii{};
    if (!GetIconInfo(icon, &ii))
        throw EInvalidGraphic("Invalid icon handle");
    TGdiObject<HBITMAP> color(ii.hbmColor), mask(ii.hbmMask);
    BITMAP bm{};
    GetObjectA(mask.Get(), sizeof bm, &bm);
    int w = bm.bmWidth;
    int h = color ? bm.bmHeight : bm.bmHeight / 2;  // a monochrome icon stacks AND over XOR
    if (w <= 0 || h <= 0)
        throw EInvalidGraphic("Invalid icon handle");
    std::vector<uint8_t> andRows = BitmapRows(mask.Get(), w, color ? h : 2 * h, 1);
    std::vector<uint8_t> xorRows = color ? BitmapRows(color.Get(), w, h, 32) : BitmapRows(mask.Get(), w, 2 * h, 32);
    size_t andStride = ((static_cast<size_t>(w) + 31) / 32) * 4;
    size_t xorOffset = color ? 0 : static_cast<size_t>(h) * w * 4;  // the XOR half of a monochrome mask
    size_t imageBytes = 40 + static_cast<size_t>(w) * h * 4 + andStride * h;
    std::vector<uint8_t> b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, 1);
    b.push_back(static_cast<uint8_t>(w >= 256 ? 0 : w));
    b.push_back(static_cast<uint8_t>(h >= 256 ? 0 : h));
    b.push_back(0);
    b.push_back(0);
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, static_cast<uint32_t>(imageBytes));
    Put32(b, 22);
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(w));
    Put32(b, static_cast<uint32_t>(2 * h));
    Put16(b, 1);
    Put16(b, 32);
    for (int i = 0; i < 6; ++i)
        Put32(b, 0);
    for (int y = h - 1; y >= 0; --y)  // the file's rows go bottom-up
        b.insert(b.end(), xorRows.begin() + xorOffset + static_cast<size_t>(y) * w * 4,
                 xorRows.begin() + xorOffset + static_cast<size_t>(y + 1) * w * 4);
    for (int y = h - 1; y >= 0; --y)
        b.insert(b.end(), andRows.begin() + y * andStride, andRows.begin() + (y + 1) * andStride);
    return b;
}

}  // namespace

const TClassInfo& TIcon::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TIcon>("TIcon", &TGraphic::StaticClass()).Build();
    return info;
}

TIcon::TIcon() = default;

TIcon::~TIcon() = default;

void TIcon::Take(HICON h, std::vector<uint8_t> file)
{
    FHandle.Reset(h);
    FFile = std::move(file);
    ReadSize();
    Changed();
}

void TIcon::ReadSize()
{
    FWidth = FHeight = 0;
    ICONINFO ii{};
    if (!FHandle || !GetIconInfo(FHandle.Get(), &ii))
        return;
    TGdiObject<HBITMAP> color(ii.hbmColor), mask(ii.hbmMask);
    BITMAP bm{};
    if (GetObjectA(mask.Get(), sizeof bm, &bm)) {
        FWidth = bm.bmWidth;
        FHeight = color ? bm.bmHeight : bm.bmHeight / 2;
    }
}

void TIcon::SetHandle(HICON h)
{
    if (h != FHandle.Get())
        Take(h, {});
}

HICON TIcon::ReleaseHandle()
{
    HICON h = FHandle.Release();
    FFile.clear();
    FWidth = FHeight = 0;
    Changed();
    return h;
}

void TIcon::LoadFromStream(TStream& s)
{
    std::vector<uint8_t> data = ReadStreamRest(s);
    LoadFromIco(data.data(), data.size());
}

void TIcon::LoadFromIco(const uint8_t* data, size_t size)
{
    TIconImage img = PickImage(data, size);
    HICON h = CreateIconFromResourceEx(const_cast<PBYTE>(img.Data), static_cast<DWORD>(img.Size), TRUE, 0x00030000,
                                       img.Width, img.Height, LR_DEFAULTCOLOR);
    if (!h)
        Bad("the system cannot make an icon of it (error " + IntToStr(GetLastError()) + ")");
    Take(h, std::vector<uint8_t>(data, data + size));
}

void TIcon::SaveToStream(TStream& s)
{
    if (!FFile.empty()) {
        s.WriteBuffer(FFile.data(), static_cast<int64_t>(FFile.size()));
    } else if (FHandle) {
        std::vector<uint8_t> b = IcoFromHandle(FHandle.Get());
        s.WriteBuffer(b.data(), static_cast<int64_t>(b.size()));
    }
}

void TIcon::ReadData(TStream& s)
{
    std::vector<uint8_t> data = ReadStreamRest(s);
    if (data.empty()) {
        Take(nullptr, {});
        return;
    }
    LoadFromIco(data.data(), data.size());
}

void TIcon::WriteData(TStream& s) { SaveToStream(s); }

void TIcon::Assign(TPersistent* source)
{
    if (!source)
        return Take(nullptr, {});
    auto* icon = As<TIcon>(source);
    if (!icon)
        return TGraphic::Assign(source);
    if (icon == this)
        return;
    HICON copy = nullptr;
    if (icon->FHandle) {
        copy = CopyIcon(icon->FHandle.Get());
        if (!copy)
            throw EOutOfResources("Cannot copy an icon");
    }
    Take(copy, icon->FFile);
}

void TIcon::AssignTo(TPersistent* dest)
{
    auto* b = As<TBitmap>(dest);
    if (!b)
        return TGraphic::AssignTo(dest);
    b->SetSize(FWidth, FHeight);
    if (b->Empty())
        return;
    b->Canvas()->FillRect(Rect(0, 0, FWidth, FHeight));
    Draw(*b->Canvas(), Rect(0, 0, FWidth, FHeight));
}

void TIcon::Draw(TCanvas& c, const TRect& r)
{
    if (FHandle)
        DrawIconEx(c.Handle(), r.left, r.top, FHandle.Get(), r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
}

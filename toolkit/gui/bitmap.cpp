// TBitmap: a 32-bit top-down DIB section with a canvas over a memory DC.
#include <cstring>

#include "bmpformat.h"
#include "gdiutil.h"
#include "graphics.h"

// The bitmap's canvas: a memory DC with the bitmap selected, made when first drawn on.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* owner) : FOwner(owner) {}
    ~TBitmapCanvas() override { FreeContext(); }

    void FreeContext()
    {
        if (!FDC)
            return;
        HDC dc = FDC;
        FDC = nullptr;
        SetHandle(nullptr);  // the DC's own font, brush and pen go back first
        if (FOldBitmap)
            SelectObject(dc, FOldBitmap);
        FOldBitmap = nullptr;
        DeleteDC(dc);
    }

protected:
    void CreateHandle() override
    {
        HDC dc = CreateCompatibleDC(nullptr);
        if (!dc)
            throw EOutOfResources("Cannot create a device context for a bitmap");
        // An empty bitmap still gets a DC (with the DC's own 1 x 1 bitmap), so text can be measured.
        FOldBitmap = FOwner->FHandle ? SelectObject(dc, FOwner->FHandle.Get()) : nullptr;
        FDC = dc;
        SetHandle(dc);
    }

private:
    TBitmap* FOwner;
    HDC FDC = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

namespace {

// A new zeroed DIB section; bits receives its pixels.
TGdiObject<HBITMAP> CreateDib(int w, int h, uint32_t*& bits)
{
    if (w < 0 || h < 0 || w > MaxGraphicSide || h > MaxGraphicSide ||
        static_cast<int64_t>(w) * h > MaxGraphicPixels)
        throw EInvalidGraphic("Invalid bitmap size " + IntToStr(w) + " x " + IntToStr(h));
    bits = nullptr;
    if (w == 0 || h == 0)
        return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP hb = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (!hb || !p)
        throw EOutOfResources("Cannot create a " + IntToStr(w) + " x " + IntToStr(h) + " bitmap");
    bits = static_cast<uint32_t*>(p);
    return TGdiObject<HBITMAP>(hb);
}

}  // namespace

const TClassInfo& TBitmap::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TBitmap>("TBitmap", &TGraphic::StaticClass()).Build();
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int w, int h) { SetSize(w, h); }

TBitmap::~TBitmap() { FCanvas.reset(); }

void TBitmap::Replace(TGdiObject<HBITMAP> handle, uint32_t* bits, int w, int h)
{
    FreeCanvasContext();  // the old bitmap can't be deleted while a DC holds it
    FHandle = std::move(handle);
    FBits = bits;
    FWidth = w;
    FHeight = h;
}

void TBitmap::FreeCanvasContext()
{
    if (FCanvas)
        FCanvas->FreeContext();
}

void TBitmap::Clear()
{
    Replace({}, nullptr, 0, 0);
}

void TBitmap::Changed() { TGraphic::Changed(); }

void TBitmap::CanvasChanged(TObject*) { Changed(); }

void TBitmap::SetSize(int w, int h)
{
    if (w == FWidth && h == FHeight)
        return;
    uint32_t* bits;
    TGdiObject<HBITMAP> handle = CreateDib(w, h, bits);
    if (bits && FBits) {
        GdiFlush();
        int cw = w < FWidth ? w : FWidth;
        int ch = h < FHeight ? h : FHeight;
        for (int y = 0; y < ch; ++y)
            std::memcpy(bits + static_cast<size_t>(y) * w, FBits + static_cast<size_t>(y) * FWidth,
                        static_cast<size_t>(cw) * 4);
    }
    Replace(std::move(handle), bits, w, h);
    Changed();
}

void TBitmap::SetHandle(HBITMAP h)
{
    TGdiObject<HBITMAP> src(h);
    if (!h) {
        Clear();
        Changed();
        return;
    }
    BITMAP bm{};
    if (!GetObjectA(h, sizeof bm, &bm))
        throw EInvalidGraphic("Invalid bitmap handle");
    int w = bm.bmWidth, ht = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    uint32_t* bits;
    TGdiObject<HBITMAP> dib = CreateDib(w, ht, bits);
    if (bits) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -ht;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        HDC dc = GetDC(nullptr);
        int rows = GetDIBits(dc, h, 0, static_cast<UINT>(ht), bits, &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        if (rows != ht)
            throw EInvalidGraphic("Cannot read the bitmap handle's pixels");
    }
    Replace(std::move(dib), bits, w, ht);
    int bpp = bm.bmBitsPixel * bm.bmPlanes;
    FPixelFormat = bpp == 1 ? pf1bit : bpp == 4 ? pf4bit : bpp == 8 ? pf8bit : bpp == 16 ? pf16bit
                 : bpp == 24 ? pf24bit : bpp == 32 ? pf32bit : pfDevice;
    Changed();
}

HBITMAP TBitmap::Handle()
{
    FreeCanvasContext();
    return FHandle.Get();
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(this);
        FCanvas->OnChange = TNotifyEvent(this, &TBitmap::CanvasChanged);
    }
    return FCanvas.get();
}

TPixelBuffer TBitmap::PixelBuffer()
{
    GdiFlush();  // GDI may still be drawing into the pixels
    TPixelBuffer pb;
    if (FBits) {
        pb.Pixels = FBits;
        pb.Width = FWidth;
        pb.Height = FHeight;
        pb.Stride = FWidth;
    }
    return pb;
}

uint32_t* TBitmap::ScanLine(int y)
{
    if (!FBits || y < 0 || y >= FHeight)
        throw EInvalidGraphic("Scan line index out of range (" + IntToStr(y) + ")");
    GdiFlush();
    return FBits + static_cast<size_t>(y) * FWidth;
}

void TBitmap::SetMonochrome(bool v)
{
    if (v == Monochrome())
        return;
    if (v) {
        // As GDI makes a colour picture monochrome: white stays white, every other colour is black.
        TPixelBuffer pb = PixelBuffer();
        for (int y = 0; y < pb.Height; ++y)
            for (uint32_t* p = pb.Row(y); p != pb.Row(y) + pb.Width; ++p)
                *p = (*p & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFF : 0;
        FPixelFormat = pf1bit;
    } else {
        FPixelFormat = pfDevice;
    }
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode v)
{
    if (v != FTransparentMode) {
        FTransparentMode = v;
        if (v == tmAuto)
            FTransparentColor = clDefault;
        Changed();
    }
}

TColor TBitmap::TransparentColor()
{
    if (FTransparentMode == tmFixed)
        return FTransparentColor;
    if (!FBits)
        return clDefault;
    return PixelToColor(PixelBuffer().At(0, FHeight - 1));  // the bottom-left pixel
}

void TBitmap::SetTransparentColor(TColor c)
{
    FTransparentColor = c;
    FTransparentMode = c == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::Mask(TColor c)
{
    uint32_t key = ColorToPixel(c) & 0xFFFFFF;
    TPixelBuffer pb = PixelBuffer();
    for (int y = 0; y < pb.Height; ++y)
        for (uint32_t* p = pb.Row(y); p != pb.Row(y) + pb.Width; ++p)
            *p = (*p & 0xFFFFFF) == key ? 0xFFFFFF : 0;
    FPixelFormat = pf1bit;
    Changed();
}

TGdiObject<HBITMAP> TBitmap::CreateMask(TColor c)
{
    if (Empty())
        return {};
    // A monochrome bitmap made straight from its bits (rows padded to 16 bits, set bits white):
    // no device context is needed, so none is fetched from the display for every mask.
    uint32_t key = ColorToPixel(c) & 0xFFFFFF;
    size_t stride = ((static_cast<size_t>(FWidth) + 15) / 16) * 2;
    std::vector<uint8_t> rows(stride * FHeight, 0);
    TPixelBuffer pb = PixelBuffer();
    for (int y = 0; y < pb.Height; ++y)
        for (int x = 0; x < pb.Width; ++x)
            if ((pb.At(x, y) & 0xFFFFFF) == key)
                rows[y * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x & 7));
    TGdiObject<HBITMAP> mask(CreateBitmap(FWidth, FHeight, 1, 1, rows.data()));
    if (!mask)
        throw EOutOfResources("Cannot create a mask bitmap");
    return mask;
}

void TBitmap::Assign(TPersistent* source)
{
    if (!source) {
        Clear();
        Changed();
        return;
    }
    auto* b = As<TBitmap>(source);
    if (!b)
        return TGraphic::Assign(source);
    if (b == this)
        return;
    uint32_t* bits;
    TGdiObject<HBITMAP> handle = CreateDib(b->FWidth, b->FHeight, bits);
    if (bits) {
        TPixelBuffer src = b->PixelBuffer();
        std::memcpy(bits, src.Pixels, static_cast<size_t>(src.Width) * src.Height * 4);
    }
    Replace(std::move(handle), bits, b->FWidth, b->FHeight);
    FPixelFormat = b->FPixelFormat;
    FTransparentMode = b->FTransparentMode;
    FTransparentColor = b->FTransparentColor;
    if (Transparent() != b->Transparent())
        SetTransparent(b->Transparent());
    Changed();
}

void TBitmap::Draw(TCanvas& c, const TRect& r)
{
    if (Empty())
        return;
    HDC dst = c.Handle();
    HDC src = Canvas()->Handle();
    TStretchMode mode(dst);
    if (Transparent())
        TransparentBlt(dst, r.left, r.top, r.Width(), r.Height(), src, 0, 0, FWidth, FHeight,
                       ColorToRGB(TransparentColor()));
    else
        StretchBlt(dst, r.left, r.top, r.Width(), r.Height(), src, 0, 0, FWidth, FHeight, c.CopyMode());
}

void TBitmap::LoadFromStream(TStream& s)
{
    std::vector<uint8_t> data = ReadStreamRest(s);
    LoadFromBMP(data.data(), data.size());
}

void TBitmap::LoadFromBMP(const uint8_t* data, size_t size)
{
    TBmpReader r(data, size, true);
    uint32_t* bits;
    TGdiObject<HBITMAP> handle = CreateDib(r.Width(), r.Height(), bits);
    r.Decode(bits, r.Width());
    Replace(std::move(handle), bits, r.Width(), r.Height());
    FPixelFormat = BmpPixelFormat(r);
    Changed();
}

void TBitmap::LoadFromDIB(const uint8_t* data, size_t size)
{
    TBmpReader r(data, size, false);
    uint32_t* bits;
    TGdiObject<HBITMAP> handle = CreateDib(r.Width(), r.Height(), bits);
    r.Decode(bits, r.Width());
    Replace(std::move(handle), bits, r.Width(), r.Height());
    FPixelFormat = BmpPixelFormat(r);
    Changed();
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const String& name)
{
    HRSRC res = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(2));  // RT_BITMAP
    HGLOBAL mem = res ? LoadResource(instance, res) : nullptr;
    const void* data = mem ? LockResource(mem) : nullptr;
    if (!data)
        throw EInvalidGraphic("Bitmap resource \"" + name + "\" not found");
    LoadFromDIB(static_cast<const uint8_t*>(data), SizeofResource(instance, res));
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id)
{
    HRSRC res = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
    HGLOBAL mem = res ? LoadResource(instance, res) : nullptr;
    const void* data = mem ? LockResource(mem) : nullptr;
    if (!data)
        throw EInvalidGraphic("Bitmap resource " + IntToStr(id) + " not found");
    LoadFromDIB(static_cast<const uint8_t*>(data), SizeofResource(instance, res));
}

void TBitmap::SaveToStream(TStream& s)
{
    if (Empty())
        return;
    WriteBmp(s, PixelBuffer(), FPixelFormat != pf32bit && FPixelFormat != pfDevice && FPixelFormat != pfCustom);
}

void TBitmap::ReadData(TStream& s)
{
    std::vector<uint8_t> data = ReadSizedBlock(s, "bitmap");
    if (data.empty()) {
        Clear();
        Changed();
        return;
    }
    LoadFromBMP(data.data(), data.size());
}

void TBitmap::WriteData(TStream& s)
{
    TMemoryStream m;
    SaveToStream(m);
    WriteSizedBlock(s, m.Bytes());
}

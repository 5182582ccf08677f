// Drawing primitives: pictures are composed in the pixels of our own bitmaps by the portable
// slice code; GDI does what needs a foreign context (stretching onto it, keyed transfers,
// regions, the parent's painting).
#include "skindraw.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "bitmapview.h"
#include "pixelregion.h"
#include "pixelslice.h"
#include "skinhelpers.h"

namespace {

bool Inverted(const TRect& r) { return r.right < r.left || r.bottom < r.top; }

bool HasPixels(TBitmap* bitmap) { return bitmap && !bitmap->Empty(); }

TMargins ToMargins(const TRect& r)
{
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

// A bitmap of the target's size (never negative).
std::unique_ptr<TBitmap> TargetBitmap(const TRect& dest)
{
    return std::make_unique<TBitmap>(std::max<LONG>(dest.Width(), 0), std::max<LONG>(dest.Height(), 0));
}

// Draws a composed picture at (x, y): keyed or as it is.
void Put(HDC dc, int x, int y, TBitmap& picture, bool transparent)
{
    if (picture.Empty())
        return;
    const TRect r = Bounds(x, y, picture.Width(), picture.Height());
    if (transparent)
        TransparentDraw(dc, r, &picture, SkinKeyColor);
    else
        BitBlt(dc, x, y, picture.Width(), picture.Height(), picture.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The key-coloured pixels kept by the three-blit trick, for systems without MaskBlt.
void XorMaskDraw(HDC dc, int x, int y, int w, int h, HDC source, HBITMAP mask)
{
    TMemoryDC maskDC(mask);
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, w, h, source, 0, 0, SRCINVERT);
    BitBlt(dc, x, y, w, h, maskDC.Get(), 0, 0, SRCAND);
    BitBlt(dc, x, y, w, h, source, 0, 0, SRCINVERT);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

// The pixels a memory DC draws into when they are a 32-bit picture and nothing transforms the
// drawing: the view covers the DC's clip box (empty when nothing shows; none at all when the
// clip is not one rectangle), `origin` is where logical (0, 0) lands in the view.
bool DrawnPixels(HDC dc, TPixelView& view, POINT& origin)
{
    if (GetObjectType(dc) != OBJ_MEMDC || GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE)
        return false;
    DIBSECTION dib{};
    const auto bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    if (GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits || dib.dsBm.bmBitsPixel != 32 ||
        dib.dsBmih.biCompression != BI_RGB)
        return false;
    const int width = dib.dsBm.bmWidth, height = dib.dsBm.bmHeight, stride = dib.dsBm.bmWidthBytes / 4;
    auto* bits = static_cast<uint32_t*>(dib.dsBm.bmBits);
    RECT clip{0, 0, width, height};
    TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    if (const int has = GetClipRgn(dc, region.Get());
        has < 0 || (has == 1 && GetRgnBox(region.Get(), &clip) != SIMPLEREGION))
        return false;
    const TPixRect shown = Intersect(ToPixRect(clip), PixBounds(0, 0, width, height));
    POINT viewport{}, window{};
    GetViewportOrgEx(dc, &viewport);
    GetWindowOrgEx(dc, &window);
    const POINT offset{viewport.x - window.x, viewport.y - window.y};  // logical to device
    view = {};
    origin = {offset.x - shown.Left, offset.y - shown.Top};
    if (shown.Empty())
        return true;
    GdiFlush();  // what GDI drew is in the pixels before they are read
    // Which row comes first in memory is not told by the bitmap's description: GDI is asked for
    // a pixel that lies elsewhere in memory in the other order.
    const TPixelView down{bits, width, height, stride};
    const TPixelView up{bits + static_cast<ptrdiff_t>(height - 1) * stride, width, height, -stride};
    int y = shown.Top;
    if (&down.At(shown.Left, y) == &up.At(shown.Left, y) && y + 1 < shown.Bottom)
        ++y;
    uint32_t& first = down.At(shown.Left, y);
    const uint32_t& other = up.At(shown.Left, y);
    bool topDown = true;
    if (&first != &other) {
        const uint32_t saved = first;
        first = (other ^ RgbMask) & RgbMask;
        topDown = GetPixel(dc, shown.Left - offset.x, y - offset.y) == PixelToRgb(first);
        first = saved;
    }
    const TPixelView& all = topDown ? down : up;
    view = {all.Row(shown.Top) + shown.Left, shown.Width(), shown.Height(), all.Stride};
    return true;
}

// Runs of a picture handed to ExtCreateRegion in batches, the batches or-ed together.
class TRegionBuilder {
public:
    static constexpr size_t BatchSize = 2000;

    TRegionBuilder() { FRects.reserve(500); }
    void Add(const TPixRect& r)
    {
        FRects.push_back(RECT{r.Left, r.Top, r.Right, r.Bottom});
        if (FRects.size() == BatchSize)
            Flush();
    }
    TGdiObject<HRGN> Finish()
    {
        Flush();
        if (!FResult)
            FResult.Reset(CreateRectRgn(0, 0, 0, 0));
        if (!FResult)
            throw EOutOfResources("Cannot create a region");
        return std::move(FResult);
    }

private:
    void Flush()
    {
        if (FRects.empty())
            return;
        TGdiObject<HRGN> part(MakeRegion());
        FRects.clear();
        if (!FResult)
            FResult = std::move(part);
        else
            CombineRgn(FResult.Get(), FResult.Get(), part.Get(), RGN_OR);
    }

    HRGN MakeRegion() const
    {
        RGNDATAHEADER header{};
        header.dwSize = sizeof header;
        header.iType = RDH_RECTANGLES;
        header.nCount = static_cast<DWORD>(FRects.size());
        header.nRgnSize = static_cast<DWORD>(FRects.size() * sizeof(RECT));
        header.rcBound = FRects.front();
        for (const RECT& r : FRects) {
            header.rcBound.left = std::min(header.rcBound.left, r.left);
            header.rcBound.top = std::min(header.rcBound.top, r.top);
            header.rcBound.right = std::max(header.rcBound.right, r.right);
            header.rcBound.bottom = std::max(header.rcBound.bottom, r.bottom);
        }
        std::vector<RECT> buffer(FRects.size() + (sizeof header + sizeof(RECT) - 1) / sizeof(RECT));
        std::memcpy(buffer.data(), &header, sizeof header);
        std::memcpy(reinterpret_cast<char*>(buffer.data()) + sizeof header, FRects.data(), header.nRgnSize);
        HRGN rgn = ExtCreateRegion(nullptr, static_cast<DWORD>(sizeof header + header.nRgnSize),
                                   reinterpret_cast<const RGNDATA*>(buffer.data()));
        if (!rgn)
            throw EOutOfResources("Cannot create a region of " + IntToStr(FRects.size()) + " rectangles");
        return rgn;
    }

    std::vector<RECT> FRects;
    TGdiObject<HRGN> FResult;
};

// The scratch bitmap: its context is made anew whenever it is resized, so the stretch mode is
// set again each time.
class TScratchBitmap : public TBitmap {
public:
    TScratchBitmap() { KeepStretchMode(); }
    void SetSize(int w, int h) override
    {
        TBitmap::SetSize(w, h);
        KeepStretchMode();
    }

private:
    void KeepStretchMode() { SetStretchBltMode(Canvas()->Handle(), COLORONCOLOR); }
};

// Trivially destructible, so it can still be read while the module's statics go.
bool gScratchGone = false;

struct TScratchHolder {
    std::unique_ptr<TScratchBitmap> Bitmap;
    ~TScratchHolder()
    {
        gScratchGone = true;
        Bitmap.reset();
    }
} gScratch;

}  // namespace

std::unique_ptr<TBitmap> StretchSkinBitmap(const TRect& dest, TBitmap* bitmap, const TRect& margins, int state,
                                           int count, bool tile, bool vertical)
{
    std::unique_ptr<TBitmap> result = TargetBitmap(dest);
    if (!HasPixels(bitmap) || result->Empty())
        return result;
    const TPixelView src = ViewOf(*bitmap);
    const TPixRect part = StateRect(src.Width, src.Height, state, count, vertical);
    const TSlicePlan plan = PlanNineSlice(result->Width(), result->Height(), part, ToMargins(margins), tile);
    RenderPlan(ViewOf(*result), 0, 0, src, plan);
    return result;
}

void DrawSkinBitmapSliced(HDC dc, const TRect& dest, TBitmap* bitmap, const TRect& margins, int state, int count,
                          bool transparent, bool tile, bool vertical)
{
    if (Inverted(dest) || !HasPixels(bitmap))
        return;  // an absent picture draws nothing, not a black box
    std::unique_ptr<TBitmap> picture = StretchSkinBitmap(dest, bitmap, margins, state, count, tile, vertical);
    Put(dc, dest.left, dest.top, *picture, transparent);
}

void DrawSkinBitmapSlicedToCanvas(TCanvas* canvas, const TRect& dest, TBitmap* bitmap, const TRect& margins,
                                  int state, int count, bool transparent, bool vertical)
{
    if (!canvas || Inverted(dest) || !HasPixels(bitmap))
        return;
    std::unique_ptr<TBitmap> picture = TargetBitmap(dest);
    if (picture->Empty())
        return;
    const TPixelView src = ViewOf(*bitmap);
    const TPixRect part = StateRect(src.Width, src.Height, state, count, vertical);
    RenderPlan(ViewOf(*picture), 0, 0, src, PlanThreeSlice(picture->Width(), picture->Height(), part, ToMargins(margins)));
    Put(canvas->Handle(), dest.left, dest.top, *picture, transparent);
}

void StretchSkinBitmapPart(HDC dc, const TRect& dest, TBitmap* bitmap, const TRect& margins, int state, int count,
                           bool vertical)
{
    if (Inverted(dest) || !HasPixels(bitmap))
        return;
    const TPixRect part = StateRect(bitmap->Width(), bitmap->Height(), state, count, vertical);
    const TSlicePlan plan = PlanStretchPart(dest.Width(), dest.Height(), part, ToMargins(margins));
    HDC src = bitmap->Canvas()->Handle();
    for (const TSlicePiece& piece : plan)
        ForEachCopy(piece, [&](const TPixRect& d, const TPixRect& s) {
            StretchBlt(dc, dest.left + d.Left, dest.top + d.Top, d.Width(), d.Height(), src, s.Left, s.Top, s.Width(),
                       s.Height(), SRCCOPY);
        });
}

void DrawSkinBitmapState(HDC dc, const TRect& dest, TBitmap* bitmap, int state, int count, bool transparent)
{
    if (Inverted(dest) || !HasPixels(bitmap))
        return;
    std::unique_ptr<TBitmap> picture = TargetBitmap(dest);
    if (picture->Empty())
        return;
    const TPixelView src = ViewOf(*bitmap);
    StretchPixels(ViewOf(*picture), PixBounds(0, 0, picture->Width(), picture->Height()), src,
                  StateRect(src.Width, src.Height, state, count, false));
    Put(dc, dest.left, dest.top, *picture, transparent);
}

void DrawSkinBitmapCentered(HDC dc, const TRect& dest, TBitmap* bitmap, int state, int count, bool transparent)
{
    if (Inverted(dest) || !HasPixels(bitmap))
        return;
    const TPixelView src = ViewOf(*bitmap);
    const TPixRect part = StateRect(src.Width, src.Height, state, count, false);
    if (part.Empty())
        return;
    TBitmap picture(part.Width(), part.Height());
    StretchPixels(ViewOf(picture), PixBounds(0, 0, part.Width(), part.Height()), src, part);
    Put(dc, dest.left + (dest.Width() - part.Width()) / 2, dest.top + (dest.Height() - part.Height()) / 2, picture,
        transparent);
}

void TileBitmapPart(TCanvas* canvas, const TRect& dest, TBitmap* bitmap, const TRect& source)
{
    if (!canvas || !HasPixels(bitmap) || source.Width() <= 0 || source.Height() <= 0)
        return;
    // The part on its own, black where it lies outside the picture.
    TBitmap part(source.Width(), source.Height());
    const TPixelView src = ViewOf(*bitmap);
    const TPixRect inside = Intersect(ToPixRect(source), src.Bounds());
    const TPixRect at = PixRect(inside.Left - source.left, inside.Top - source.top, inside.Right - source.left,
                                inside.Bottom - source.top);
    StretchPixels(ViewOf(part), at, src, inside);
    const TSlicePiece piece{PixBounds(0, 0, part.Width(), part.Height()), ToPixRect(dest), TPieceMode::Tile};
    ForEachCopy(piece, [&](const TPixRect& d, const TPixRect&) { canvas->Draw(d.Left, d.Top, &part); });
}

void TransparentDraw(HDC dc, const TRect& dest, TBitmap* bitmap, TColor key)
{
    if (!dc || Inverted(dest) || !HasPixels(bitmap))
        return;
    const int w = std::min<int>(dest.Width(), bitmap->Width());
    const int h = std::min<int>(dest.Height(), bitmap->Height());
    if (w <= 0 || h <= 0)
        return;
    const TPixelView pixels = ViewOf(*bitmap);
    const TPixelView part{pixels.Pixels, w, h, pixels.Stride};
    const uint32_t keyPixel = ColorToPixel(key);
    TPixelView target;
    POINT origin{};
    if (SkinPlatform().NTPlatform && DrawnPixels(dc, target, origin)) {
        // Into a picture in memory: the keyed copy is done in its pixels, with no mask and no
        // round trip to the display.
        KeyedCopy(target, dest.left + origin.x, dest.top + origin.y, part, keyPixel);
        return;
    }
    if (SkinPlatform().NTPlatform) {
        // Onto a window: what is there is read back, the picture keyed onto it in memory and the
        // result copied in one transfer.
        TBitmap under(w, h);
        HDC mem = under.Canvas()->Handle();
        BitBlt(mem, 0, 0, w, h, dc, dest.left, dest.top, SRCCOPY);
        GdiFlush();
        KeyedCopy(ViewOf(under), 0, 0, part, keyPixel);
        BitBlt(dc, dest.left, dest.top, w, h, mem, 0, 0, SRCCOPY);
        return;
    }
    TGdiObject<HBITMAP> mask = bitmap->CreateMask(key);  // key pixels white
    XorMaskDraw(dc, dest.left, dest.top, w, h, bitmap->Canvas()->Handle(), mask.Get());
}

TGdiObject<HRGN> CreateRegionFromBitmap(TBitmap* bitmap, int xOffset, int yOffset, TColor key, int redTolerance,
                                        int greenTolerance, int blueTolerance)
{
    TRegionBuilder builder;
    if (bitmap) {
        bitmap->SetPixelFormat(pf32bit);
        const TKeyRange range(ColorToRGB(key), redTolerance, greenTolerance, blueTolerance);
        ForEachOpaqueRun(ViewOf(*bitmap), range, xOffset, yOffset, [&builder](const TPixRect& r) { builder.Add(r); });
    }
    return builder.Finish();
}

void DrawParentBackground(TControl* control, HDC dc)
{
    if (!control || !dc || !control->Parent())
        return;
    TWinControl* parent = control->Parent();
    if (!parent->HandleAllocated())
        return;  // a parent without a window has nothing on screen to show through
    TRect r = control->ClientRect();
    TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
    OffsetRect(&r, control->Left(), control->Top());
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    const WPARAM context = reinterpret_cast<WPARAM>(dc);
    if (!control->Designing()) {
        parent->Perform(WM_ERASEBKGND, context);
        parent->Perform(WM_PAINT, context);
        return;
    }
    try {
        parent->Perform(WM_ERASEBKGND, context);
        parent->Perform(WM_PAINT, context);
    } catch (...) {
        // While designing, a parent that fails to paint leaves the background as it is.
    }
}

TBitmap* SkinScratchBitmap()
{
    if (gScratchGone)
        return nullptr;
    if (!gScratch.Bitmap)
        gScratch.Bitmap = std::make_unique<TScratchBitmap>();
    return gScratch.Bitmap.get();
}

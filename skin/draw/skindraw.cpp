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
    TGdiObject<HBITMAP> mask = bitmap->CreateMask(key);  // key pixels white
    HDC src = bitmap->Canvas()->Handle();
    if (SkinPlatform().NTPlatform)
        // White mask bits keep the destination, black ones take the source.
        MaskBlt(dc, dest.left, dest.top, w, h, src, 0, 0, mask.Get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
    else
        XorMaskDraw(dc, dest.left, dest.top, w, h, src, mask.Get());
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

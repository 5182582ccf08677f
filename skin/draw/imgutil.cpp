// Image utilities on toolkit bitmaps: the pixel work is the portable code's, run on the
// bitmap's own pixels.
#include "imgutil.h"

#include <algorithm>

#include "bitmapview.h"

void ReplaceColor(TBitmap* bitmap, TColor color)
{
    if (!bitmap)
        return;
    ReplaceKeyPixels(ViewOf(*bitmap), ColorToRGB(color));
    bitmap->SetPixelFormat(pf24bit);
}

void MirrorBitmap(TBitmap* bitmap)
{
    if (bitmap)
        MirrorPixels(ViewOf(*bitmap));
}

void FlipBitmap(TBitmap* bitmap)
{
    if (bitmap)
        FlipPixels(ViewOf(*bitmap));
}

namespace {

using TTurn = void (*)(const TPixelView&, const TPixelView&);

void Turn(TBitmap* bitmap, TTurn turn)
{
    if (!bitmap || bitmap->Empty())
        return;
    TPixelImage old = TPixelImage::CopyOf(ViewOf(*bitmap));
    bitmap->SetSize(old.Height(), old.Width());
    turn(old.View(), ViewOf(*bitmap));
}

}  // namespace

void RotateBitmapLeft(TBitmap* bitmap) { Turn(bitmap, RotatePixelsLeft); }

void RotateBitmapRight(TBitmap* bitmap) { Turn(bitmap, RotatePixelsRight); }

TColor MixColors(TColor color1, TColor color2, int amount)
{
    return static_cast<TColor>(MixRGB(ColorToRGB(color1), ColorToRGB(color2), amount));
}

int ColorSaturation(TColor color) { return SaturationOfRGB(ColorToRGB(color)); }

void GradientFillRect(HDC dc, const TRect& rect, TColor from, TColor to, int direction)
{
    if (!dc || !RectVisible(dc, &rect))
        return;
    const COLORREF rgbFrom = ColorToRGB(from), rgbTo = ColorToRGB(to);
    RECT clip;
    if (GetClipBox(dc, &clip) == ERROR)
        clip = rect;
    const bool vertical = direction == gdVertical;
    const int n = vertical ? rect.Height() : rect.Width();
    if (n <= 0)
        return;
    const int start = vertical ? rect.top : rect.left;
    const int firstLine = std::max(0, static_cast<int>(vertical ? clip.top : clip.left) - start);
    const int lastLine = std::min(n - 1, static_cast<int>(vertical ? clip.bottom : clip.right) - start - 1);
    const std::vector<uint32_t>& ramp = GradientCache().Slot(GetGradient(n, rgbFrom, rgbTo));
    for (int line = firstLine; line <= lastLine; ++line) {
        const RECT strip = vertical ? RECT{rect.left, start + line, rect.right, start + line + 1}
                                    : RECT{start + line, rect.top, start + line + 1, rect.bottom};
        TGdiObject<HBRUSH> brush(CreateSolidBrush(ramp[static_cast<size_t>(line)]));
        FillRect(dc, &strip, brush.Get());
    }
}

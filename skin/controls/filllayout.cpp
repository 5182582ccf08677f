// The disabled glyph's pixels.
#include "filllayout.h"

#include <algorithm>

namespace {

bool Black(uint32_t pixel) { return (pixel & 0xFFFFFFu) == 0; }

// Every pixel under a black glyph pixel, moved by (dx, dy), takes `colour`.
void Stamp(const TPixelView& glyph, const TPixelView& result, int dx, int dy, uint32_t colour)
{
    for (int y = 0; y < glyph.Height; ++y)
        for (int x = 0; x < glyph.Width; ++x) {
            const int tx = x + dx, ty = y + dy;
            if (tx < result.Width && ty < result.Height && Black(glyph.At(x, y)))
                result.At(tx, ty) = colour;
        }
}

}  // namespace

void DisabledGlyphPixels(const TPixelView& glyph, const TPixelView& result, uint32_t face, uint32_t highlight,
                         uint32_t shadow)
{
    if (result.Empty())
        return;
    for (int y = 0; y < result.Height; ++y)
        std::fill(result.Row(y), result.Row(y) + result.Width, face);
    if (glyph.Empty())
        return;
    Stamp(glyph, result, 1, 1, highlight);
    Stamp(glyph, result, 0, 0, shadow);
}

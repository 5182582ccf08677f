#pragma once
// The embossed grey picture of a disabled glyph, worked out on pixels (0xAARRGGBB, as the
// toolkit's bitmaps hold them).
#include <cstdint>

#include "pixelview.h"

// `result` (at least the glyph's size) is filled with `face`; each black pixel of the glyph then
// gives a `highlight` pixel one down and one right of it, and afterwards a `shadow` pixel in its
// own place, so the glyph's dark parts show as a shadow over a highlight.
void DisabledGlyphPixels(const TPixelView& glyph, const TPixelView& result, uint32_t face, uint32_t highlight,
                         uint32_t shadow);

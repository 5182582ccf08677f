#pragma once
// The shape of a keyed picture as horizontal runs of the pixels that are not the key colour,
// the raw material of a window region.
#include <cstdint>
#include <vector>

#include "pixelview.h"

// Per channel the values that count as the key: key .. min(255, key + tolerance).
class TKeyRange {
public:
    // key is a resolved 0x00BBGGRR colour; negative tolerances count as 0.
    TKeyRange(uint32_t key, int redTolerance, int greenTolerance, int blueTolerance);
    bool Matches(uint32_t pixel) const
    {
        if (FExact)
            return (pixel & RgbMask) == FPixel;
        const uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        return r - FLo[0] <= FSpan[0] && g - FLo[1] <= FSpan[1] && b - FLo[2] <= FSpan[2];
    }

private:
    uint32_t FLo[3];    // red, green, blue
    uint32_t FSpan[3];  // hi - lo; a value below lo wraps round and fails the test
    uint32_t FPixel;
    bool FExact;
};

// Calls add(rect) for every maximal run of non-key pixels, row by row from the top and left to
// right in a row, each rectangle one row high and moved by (dx, dy).
template <class F>
void ForEachOpaqueRun(const TPixelView& v, const TKeyRange& key, int dx, int dy, F&& add)
{
    if (v.Empty())
        return;
    for (int y = 0; y < v.Height; ++y) {
        const uint32_t* row = v.Row(y);
        int x = 0;
        while (x < v.Width) {
            while (x < v.Width && key.Matches(row[x]))
                ++x;
            if (x == v.Width)
                break;
            const int start = x;
            while (x < v.Width && !key.Matches(row[x]))
                ++x;
            add(PixRect(start + dx, y + dy, x + dx, y + 1 + dy));
        }
    }
}

std::vector<TPixRect> OpaqueRuns(const TPixelView& v, const TKeyRange& key, int dx = 0, int dy = 0);

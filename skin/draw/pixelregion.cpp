// Key ranges and the runs of a keyed picture.
#include "pixelregion.h"

#include <algorithm>

TKeyRange::TKeyRange(uint32_t key, int redTolerance, int greenTolerance, int blueTolerance)
{
    const uint32_t channel[3] = {key & 0xFF, (key >> 8) & 0xFF, (key >> 16) & 0xFF};
    const int tolerance[3] = {redTolerance, greenTolerance, blueTolerance};
    for (int i = 0; i < 3; ++i) {
        FLo[i] = channel[i];
        const int hi = std::min(255, static_cast<int>(channel[i]) + std::clamp(tolerance[i], 0, 255));
        FSpan[i] = static_cast<uint32_t>(hi) - channel[i];
    }
    FPixel = RgbToPixel(key & RgbMask);
    FExact = FSpan[0] == 0 && FSpan[1] == 0 && FSpan[2] == 0;
}

std::vector<TPixRect> OpaqueRuns(const TPixelView& v, const TKeyRange& key, int dx, int dy)
{
    std::vector<TPixRect> runs;
    ForEachOpaqueRun(v, key, dx, dy, [&runs](const TPixRect& r) { runs.push_back(r); });
    return runs;
}

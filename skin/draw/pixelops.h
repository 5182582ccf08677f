#pragma once
// The pure pixel and colour work of the image utilities: key recolouring, mirroring, flipping,
// turning, colour mixing and saturation, and the cache of gradient ramps. Colours here are
// resolved 0x00BBGGRR values; the Win32 layer looks system colours up before calling.
#include <array>
#include <cstdint>
#include <vector>

#include "pixelview.h"

// Every magenta pixel takes the colour `rgb` (0x00BBGGRR).
void ReplaceKeyPixels(const TPixelView& v, uint32_t rgb);
// Left-right mirror of every row, in place.
void MirrorPixels(const TPixelView& v);
// Top-bottom flip, in place.
void FlipPixels(const TPixelView& v);
// Turned 90 degrees counter-clockwise / clockwise: dst is src.Height wide and src.Width high.
void RotatePixelsLeft(const TPixelView& src, const TPixelView& dst);
void RotatePixelsRight(const TPixelView& src, const TPixelView& dst);

// c1 weighted amount / base, c2 the rest; base is 100 below an amount of 100, else 1000.
uint32_t MixRGB(uint32_t c1, uint32_t c2, int amount);
// 0..255, or 200 for a colour whose channels are all below 160.
int SaturationOfRGB(uint32_t rgb);

// Ramps of colours from one colour to another, one per line of a gradient, kept in 16 slots
// reused round-robin so repeated paints of the same gradient compute nothing.
class TGradientCache {
public:
    static constexpr int SlotCount = 16;
    // The slot holding `count` colours from `from` to `to`; raises std::invalid_argument for a
    // count below 1.
    int Get(int count, uint32_t from, uint32_t to);
    const std::vector<uint32_t>& Slot(int index) const { return FSlots.at(static_cast<size_t>(index)); }
    void Clear();

private:
    int Find(int count, uint32_t from, uint32_t to) const;
    static void Fill(std::vector<uint32_t>& ramp, int count, uint32_t from, uint32_t to);

    std::array<std::vector<uint32_t>, SlotCount> FSlots;
    int FNext = 0;
};

// The module's one cache, used by GradientFillRect.
TGradientCache& GradientCache();
int GetGradient(int count, uint32_t from, uint32_t to);

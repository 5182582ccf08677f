// Pixel and colour helpers of the image utilities, on plain pixel views.
#include "pixelops.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

void ReplaceKeyPixels(const TPixelView& v, uint32_t rgb)
{
    if (v.Empty())
        return;
    const uint32_t pixel = RgbToPixel(rgb & RgbMask);
    for (int y = 0; y < v.Height; ++y)
        for (uint32_t *p = v.Row(y), *end = p + v.Width; p != end; ++p)
            if ((*p & RgbMask) == KeyColor)
                *p = pixel;
}

void MirrorPixels(const TPixelView& v)
{
    if (v.Empty())
        return;
    for (int y = 0; y < v.Height; ++y)
        std::reverse(v.Row(y), v.Row(y) + v.Width);
}

void FlipPixels(const TPixelView& v)
{
    if (v.Empty())
        return;
    for (int top = 0, bottom = v.Height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(v.Row(top), v.Row(top) + v.Width, v.Row(bottom));
}

namespace {

bool TurnedSizes(const TPixelView& src, const TPixelView& dst)
{
    if (src.Empty() || dst.Empty())
        return false;
    if (dst.Width != src.Height || dst.Height != src.Width)
        throw std::invalid_argument("A turned picture needs a target of the swapped size");
    return true;
}

}  // namespace

void RotatePixelsLeft(const TPixelView& src, const TPixelView& dst)
{
    if (!TurnedSizes(src, dst))
        return;
    // New (x, y) is old (W - 1 - y, x).
    for (int y = 0; y < dst.Height; ++y) {
        uint32_t* out = dst.Row(y);
        const int sx = src.Width - 1 - y;
        for (int x = 0; x < dst.Width; ++x)
            out[x] = src.At(sx, x);
    }
}

void RotatePixelsRight(const TPixelView& src, const TPixelView& dst)
{
    if (!TurnedSizes(src, dst))
        return;
    // New (x, y) is old (y, H - 1 - x).
    for (int y = 0; y < dst.Height; ++y) {
        uint32_t* out = dst.Row(y);
        for (int x = 0; x < dst.Width; ++x)
            out[x] = src.At(y, src.Height - 1 - x);
    }
}

uint32_t MixRGB(uint32_t c1, uint32_t c2, int amount)
{
    const int64_t base = amount < 100 ? 100 : 1000;
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int64_t a = (c1 >> shift) & 0xFF, b = (c2 >> shift) & 0xFF;
        // Truncating division, as the formula is written; amounts within 0..base stay in a byte.
        const int64_t v = (b * (base - amount) + a * amount + base / 2) / base;
        result |= static_cast<uint32_t>(v & 0xFF) << shift;
    }
    return result;
}

int SaturationOfRGB(uint32_t rgb)
{
    const int r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    if (r < 160 && g < 160 && b < 160)
        return 200;
    const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
    const double s = static_cast<double>(hi - lo) / hi;  // hi is at least 160 here
    return static_cast<int>(std::nearbyint(s * 255));
}

int TGradientCache::Find(int count, uint32_t from, uint32_t to) const
{
    for (int i = SlotCount - 1; i >= 0; --i) {
        const auto& ramp = FSlots[static_cast<size_t>(i)];
        if (static_cast<int>(ramp.size()) == count && ramp.front() == from && ramp.back() == to)
            return i;
    }
    return -1;
}

void TGradientCache::Fill(std::vector<uint32_t>& ramp, int count, uint32_t from, uint32_t to)
{
    ramp.assign(static_cast<size_t>(count), 0);
    const int64_t c = count - 1;
    for (int64_t i = 0; i < count; ++i) {
        uint32_t colour = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int64_t f = (from >> shift) & 0xFF, d = static_cast<int64_t>((to >> shift) & 0xFF) - f;
            int64_t step;
            if (c == 0)
                step = d / 2;  // one line: the midpoint
            else {
                // Rounded on the magnitude, so a falling ramp ends on its colour as a rising one does.
                const int64_t mag = (c / 2 + i * (d < 0 ? -d : d)) / c;
                step = d < 0 ? -mag : mag;
            }
            colour |= static_cast<uint32_t>((f + step) & 0xFF) << shift;
        }
        ramp[static_cast<size_t>(i)] = colour;
    }
}

int TGradientCache::Get(int count, uint32_t from, uint32_t to)
{
    if (count < 1)
        throw std::invalid_argument("Assertion failure (imgutil): a gradient needs at least one colour");
    from &= RgbMask;
    to &= RgbMask;
    if (int i = Find(count, from, to); i >= 0)
        return i;
    const int slot = FNext;
    FNext = (FNext + 1) % SlotCount;
    Fill(FSlots[static_cast<size_t>(slot)], count, from, to);
    return slot;
}

void TGradientCache::Clear()
{
    for (auto& s : FSlots)
        std::vector<uint32_t>().swap(s);
    FNext = 0;
}

TGradientCache& GradientCache()
{
    static TGradientCache cache;
    return cache;
}

int GetGradient(int count, uint32_t from, uint32_t to) { return GradientCache().Get(count, from, to); }

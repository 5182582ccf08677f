#pragma once
// A view of 32-bit pixels (bytes blue, green, red, alpha; rows top-down), the surface the skin
// engine's pixel code works on. It knows nothing of Win32, so the same code runs on a bitmap of
// the toolkit and in native tests.
#include <cstddef>
#include <cstdint>
#include <vector>

struct TPixRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool Empty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool operator==(const TPixRect&) const = default;
};

constexpr TPixRect PixRect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
constexpr TPixRect PixBounds(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}
TPixRect Intersect(const TPixRect& a, const TPixRect& b);

struct TPixelView {
    uint32_t* Pixels = nullptr;
    int Width = 0, Height = 0;
    int Stride = 0;  // in pixels, at least Width

    uint32_t* Row(int y) const { return Pixels + static_cast<ptrdiff_t>(y) * Stride; }
    uint32_t& At(int x, int y) const { return Row(y)[x]; }
    bool Empty() const { return !Pixels || Width <= 0 || Height <= 0; }
    TPixRect Bounds() const { return {0, 0, Width, Height}; }
};

// Pixels that own their memory: scratch copies, test pictures.
class TPixelImage {
public:
    TPixelImage() = default;
    TPixelImage(int width, int height, uint32_t fill = 0);
    TPixelView View() { return {FData.data(), FWidth, FHeight, FWidth}; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    uint32_t& At(int x, int y) { return FData[static_cast<size_t>(y) * FWidth + x]; }
    uint32_t At(int x, int y) const { return FData[static_cast<size_t>(y) * FWidth + x]; }
    // A copy of the view's pixels.
    static TPixelImage CopyOf(const TPixelView& v);

private:
    std::vector<uint32_t> FData;
    int FWidth = 0, FHeight = 0;
};

// The colour key of every skin image: magenta, the same value as a 0x00BBGGRR colour and as a
// 0x00RRGGBB pixel.
constexpr uint32_t KeyColor = 0xFF00FF;
constexpr uint32_t RgbMask = 0xFFFFFF;

// A resolved 0x00BBGGRR colour <-> a 0x00RRGGBB pixel (the swap is its own inverse).
constexpr uint32_t RgbToPixel(uint32_t c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr uint32_t PixelToRgb(uint32_t p) { return RgbToPixel(p & RgbMask); }

#pragma once
// Pictures of a piece of the screen, as the display shows them, grabbed over and over by a
// thread of their own while the window's thread is busy: what a user could have seen during a
// change. Only pictures that differ from the one before are kept.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

struct TScreenPicture {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;  // 0x00RRGGBB, top row first

    bool Empty() const { return Pixels.empty(); }
    bool operator==(const TScreenPicture& o) const
    {
        return Width == o.Width && Height == o.Height && Pixels == o.Pixels;
    }
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// The screen's pixels inside `r` (screen coordinates), as the display has them now.
inline TScreenPicture GrabScreen(const RECT& r)
{
    TScreenPicture p;
    p.Width = r.right - r.left;
    p.Height = r.bottom - r.top;
    if (p.Width <= 0 || p.Height <= 0)
        return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = p.Width;
    bi.bmiHeader.biHeight = -p.Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = SelectObject(mem, dib);
        BitBlt(mem, 0, 0, p.Width, p.Height, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        p.Pixels.resize(static_cast<size_t>(p.Width) * p.Height);
        std::memcpy(p.Pixels.data(), bits, p.Pixels.size() * 4);
        for (uint32_t& px : p.Pixels)
            px &= 0xFFFFFF;
        SelectObject(mem, old);
    }
    if (dib)
        DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return p;
}

// Grabs `r` as fast as it can from Start to Stop, keeping each picture that differs from the
// one before it.
class TFrameCapture {
public:
    explicit TFrameCapture(const RECT& r) : FRect(r) {}
    ~TFrameCapture() { Stop(); }
    TFrameCapture(const TFrameCapture&) = delete;
    TFrameCapture& operator=(const TFrameCapture&) = delete;

    void Start()
    {
        FRun = true;
        FThread = std::thread([this] {
            while (FRun) {
                TScreenPicture p = GrabScreen(FRect);
                ++FGrabs;
                if (FKept.empty() || !(p == FKept.back()))
                    FKept.push_back(std::move(p));
            }
        });
    }
    void Stop()
    {
        FRun = false;
        if (FThread.joinable())
            FThread.join();
    }
    // Read after Stop.
    const std::vector<TScreenPicture>& Pictures() const { return FKept; }
    int Grabs() const { return FGrabs; }

private:
    RECT FRect;
    std::atomic<bool> FRun{false};
    std::atomic<int> FGrabs{0};
    std::vector<TScreenPicture> FKept;
    std::thread FThread;
};

// Pixels that differ between two pictures of the same size (all of them when the sizes differ).
inline int PixelsDiffering(const TScreenPicture& a, const TScreenPicture& b)
{
    if (a.Width != b.Width || a.Height != b.Height)
        return static_cast<int>(std::max(a.Pixels.size(), b.Pixels.size()));
    int n = 0;
    for (size_t i = 0; i < a.Pixels.size(); ++i)
        n += a.Pixels[i] != b.Pixels[i];
    return n;
}

// Pixels of the skin's key colour (magenta), which no finished picture shows.
inline int KeyColourPixels(const TScreenPicture& p)
{
    int n = 0;
    for (uint32_t px : p.Pixels)
        n += px == 0xFF00FF;
    return n;
}

// A picture that is wholly neither look, but whose every pixel is the old look's or the new
// one's: a repaint on its way, window by window.
inline bool PixelsOfEither(const TScreenPicture& p, const TScreenPicture& a, const TScreenPicture& b)
{
    if (p.Width != a.Width || p.Height != a.Height || p.Width != b.Width || p.Height != b.Height)
        return false;
    for (size_t i = 0; i < p.Pixels.size(); ++i)
        if (p.Pixels[i] != a.Pixels[i] && p.Pixels[i] != b.Pixels[i])
            return false;
    return true;
}

// What a change showed: every picture kept during it should be wholly the old look or wholly
// the new one.
struct TFrameVerdict {
    int Pictures = 0;     // distinct pictures seen
    int Intermediate = 0; // neither the old look nor the new one
    int Foreign = 0;      // of those, with pixels of neither look (half-drawn, a third look)
    int KeyColour = 0;    // pictures with magenta in them
};

inline TFrameVerdict JudgeFrames(const std::vector<TScreenPicture>& pictures, const TScreenPicture& before,
                                 const TScreenPicture& after)
{
    TFrameVerdict v;
    for (const TScreenPicture& p : pictures) {
        ++v.Pictures;
        if (!(p == before) && !(p == after)) {
            ++v.Intermediate;
            if (!PixelsOfEither(p, before, after))
                ++v.Foreign;
        }
        if (KeyColourPixels(p) > 0)
            ++v.KeyColour;
    }
    return v;
}

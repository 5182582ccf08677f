#pragma once
// Pixels of toolkit bitmaps in tests: reading one, looking for a colour, a bitmap of one colour,
// painting a rectangle; and a pixel of a window as it was drawn.
#include <windows.h>

#include <memory>

#include "graphics.h"

inline TColor At(TBitmap& b, int x, int y) { return PixelToColor(b.PixelBuffer().At(x, y)); }

// Whether the colour shows anywhere in the bitmap, from column fromX on.
inline bool HasPixel(TBitmap& b, TColor c, int fromX = 0)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = fromX; x < b.Width(); ++x)
            if (b.Canvas()->Pixels(x, y) == c)
                return true;
    return false;
}

// How many pixels of a colour a rectangle of the bitmap holds.
inline int CountOf(TBitmap& b, const RECT& r, TColor c)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += At(b, x, y) == c;
    return n;
}

inline std::unique_ptr<TBitmap> Filled(int w, int h, TColor c)
{
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

inline void Paint(TBitmap& b, const TRect& r, TColor c)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            b.PixelBuffer().At(x, y) = ColorToPixel(c);
}

// A pixel of a window's own picture, in window coordinates (the screen under Wine may lag).
inline TColor WindowPixel(HWND w, int x, int y)
{
    HDC dc = GetWindowDC(w);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return static_cast<TColor>(c);
}

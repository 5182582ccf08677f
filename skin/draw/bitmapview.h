#pragma once
// The pixel view of a toolkit bitmap, and the toolkit's rectangles as the pixel code's.
#include "graphics.h"
#include "pixelview.h"

inline TPixelView ViewOf(TBitmap& bitmap)
{
    const TPixelBuffer pb = bitmap.PixelBuffer();
    return {pb.Pixels, pb.Width, pb.Height, pb.Stride};
}

inline TPixRect ToPixRect(const RECT& r)
{
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

inline TRect ToRect(const TPixRect& r) { return TRect(r.Left, r.Top, r.Right, r.Bottom); }

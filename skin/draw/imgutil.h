#pragma once
// Image utilities of the skin engine: recolouring the key pixels of a bitmap, mirroring,
// flipping and turning bitmaps, mixing colours, the saturation of a colour, and gradient fills.
// Bitmap arguments may be null (nothing happens). System colours are looked up before use.
#include <windows.h>

#include "graphics.h"
#include "pixelops.h"

// Every magenta pixel takes the colour; the bitmap becomes pf24bit.
void ReplaceColor(TBitmap* bitmap, TColor color);
void MirrorBitmap(TBitmap* bitmap);
void FlipBitmap(TBitmap* bitmap);
// Turned 90 degrees counter-clockwise / clockwise in place; width and height swap.
void RotateBitmapLeft(TBitmap* bitmap);
void RotateBitmapRight(TBitmap* bitmap);

// color1 weighted amount / 100 for amounts below 100, amount / 1000 from 100 on.
TColor MixColors(TColor color1, TColor color2, int amount);
int ColorSaturation(TColor color);

enum : int { gdHorizontal = 0, gdVertical = 1 };
// One-pixel lines from `from` to `to`, left to right (gdHorizontal) or top to bottom
// (gdVertical); only the lines inside the clip box are painted.
void GradientFillRect(HDC dc, const TRect& rect, TColor from, TColor to, int direction);

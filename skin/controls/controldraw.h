#pragma once
// Drawing routines of the control skins that need no skin: centred text of the menu-bar
// buttons, the small arrow glyph, solid fills, flat borders and bitmap copies. The helpers
// that read a skin's state are members of TSkinControl (skincontrol.h).
#include <windows.h>

#include <string>
#include <vector>

#include "controllayout.h"
#include "graphics.h"

// The disabled text colour of the control skins.
constexpr TColor SkinDisabledTextColor = clBtnShadow;

// Text centred in R on one line; Alignment 0 left, 1 right, 2 centre (the text flags it adds).
// Enabled False draws it in the disabled colour. Never in right-to-left reading order.
void DrawSkinText(TCanvas* Canvas, const TRect& R, const std::wstring& Text, int Alignment, bool Enabled);
// The small arrow at (X, Y) with the canvas's pen: 0 up, 1 down, 2 left, 3 right.
void DrawArrowGlyph(TCanvas* Canvas, int X, int Y, int Direction);
// Each line with the canvas's pen, its end point left out.
void DrawLayoutLines(TCanvas* Canvas, const std::vector<TLayoutLine>& Lines);
// R filled with a solid brush of Color (made and deleted here).
void FillSolidRect(HDC DC, const TRect& R, TColor Color);
// A one-pixel ring on R's edge in Outer, and the ring just inside it in Inner: the flat border
// the skins draw over a control's own.
void FrameTwoRings(HDC DC, const TRect& R, TColor Outer, TColor Inner);
// Dest takes Source's size and pixel format and then its picture.
void CopySkinBitmap(TBitmap* Source, TBitmap* Dest);

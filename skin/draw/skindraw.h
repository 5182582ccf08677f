#pragma once
// Bitmap drawing primitives of the skin engine: one state cut out of a multi-state skin picture,
// laid over a target as nine-slice, three-slice, plain stretch or centred, drawn opaque or with
// magenta as the transparent colour; window regions from a picture's non-magenta pixels; a
// control's parent painted behind it; the module's one scratch bitmap.
//
// States count from 1; a state count below 1 counts as 1 and a state past the strip draws the
// last one. Margins are (left width, top height, right width, bottom height) of one state and
// are fitted into it. A null or empty bitmap and an inverted target draw nothing.
#include <windows.h>

#include <memory>

#include "controls.h"
#include "graphics.h"

// The transparent colour of every skin image.
constexpr TColor SkinKeyColor = clFuchsia;

// SaveDC / RestoreDC around a change of a context's origin, clip, selected objects or colours.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : FDC(dc), FSaved(dc ? SaveDC(dc) : 0) {}
    ~TSavedDC()
    {
        if (FSaved)
            RestoreDC(FDC, FSaved);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FSaved;
};

// One GDI object selected into a context for the length of a scope, the one before put back
// after; a null object selects nothing.
class TSelectedObject {
public:
    TSelectedObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~TSelectedObject()
    {
        if (FOld)
            SelectObject(FDC, FOld);
    }
    TSelectedObject(const TSelectedObject&) = delete;
    TSelectedObject& operator=(const TSelectedObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// A memory context holding one GDI object selected, given back in the destructor; raises
// EOutOfResources when the system has no context left.
class TMemoryDC {
public:
    explicit TMemoryDC(HGDIOBJ object) : FDC(CreateCompatibleDC(nullptr))
    {
        if (!FDC)
            throw EOutOfResources("Cannot create a device context");
        FOld = SelectObject(FDC, object);
    }
    ~TMemoryDC()
    {
        SelectObject(FDC, FOld);
        DeleteDC(FDC);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HDC FDC;
    HGDIOBJ FOld = nullptr;
};

// A new bitmap of the target's size holding the nine-slice picture of the state (the middle
// tiled when `tile`); states stacked when `vertical`, else side by side.
std::unique_ptr<TBitmap> StretchSkinBitmap(const TRect& dest, TBitmap* bitmap, const TRect& margins, int state,
                                           int count, bool tile, bool vertical);
// The nine-slice picture drawn into the rectangle.
void DrawSkinBitmapSliced(HDC dc, const TRect& dest, TBitmap* bitmap, const TRect& margins, int state, int count,
                          bool transparent, bool tile, bool vertical);
// Three-slice at the target's height: left edge, the middle repeated at its width, right edge
// (only the left and right margins count).
void DrawSkinBitmapSlicedToCanvas(TCanvas* canvas, const TRect& dest, TBitmap* bitmap, const TRect& margins,
                                  int state, int count, bool transparent, bool vertical);
// Three-part stretch straight onto the context, in its stretch mode; a target narrower than the
// state gets the whole state.
void StretchSkinBitmapPart(HDC dc, const TRect& dest, TBitmap* bitmap, const TRect& margins, int state, int count,
                           bool vertical);
// One state (side by side) stretched to the rectangle.
void DrawSkinBitmapState(HDC dc, const TRect& dest, TBitmap* bitmap, int state, int count, bool transparent);
// One state (side by side) unscaled, centred in the rectangle.
void DrawSkinBitmapCentered(HDC dc, const TRect& dest, TBitmap* bitmap, int state, int count, bool transparent);
// The source part repeated unscaled from the rectangle's top-left while inside it; the last row
// and column are drawn whole, past the rectangle.
void TileBitmapPart(TCanvas* canvas, const TRect& dest, TBitmap* bitmap, const TRect& source);
// The bitmap from its origin, unscaled, over the rectangle (at most the bitmap's size), leaving
// the context's pixels under key-coloured ones as they are.
void TransparentDraw(HDC dc, const TRect& dest, TBitmap* bitmap, TColor key);
// A region covering every pixel that is not the key colour (within the tolerances per channel),
// moved by the offsets; empty for a picture of key colour only. The bitmap becomes pf32bit.
TGdiObject<HRGN> CreateRegionFromBitmap(TBitmap* bitmap, int xOffset, int yOffset, TColor key, int redTolerance,
                                        int greenTolerance, int blueTolerance);
// Paints the control's parent (background, then picture) into the context, aligned and clipped
// to the control.
void DrawParentBackground(TControl* control, HDC dc);

// The module's off-screen surface, with its context's stretch mode COLORONCOLOR; null once the
// module is shutting down. Nobody keeps it across calls.
TBitmap* SkinScratchBitmap();

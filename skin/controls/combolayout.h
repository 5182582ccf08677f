#pragma once
// Where a skinned combo box and a skinned date-time picker put things: the picture state of a
// combo, its drop-down button in the framed and the plain drawing (left of the text for a
// right-to-left combo), and the picker's arrow button.
#include "pixelview.h"

// Frames (from 1) of the combo pictures: 1 normal, 2 pressed, 3 disabled, 4 focused or hot. A
// disabled combo shows 3 even while pressed.
int ComboStateFrame(bool enabled, bool pressed, bool focusedOrHot);
// The plain drawing's order: pressed and focused or hot come before disabled.
int ComboPlainStateFrame(bool enabled, bool pressed, bool focusedOrHot);

// The framed drawing in R with the system's scroll-bar width f.
struct TComboFramedLayout {
    TPixRect Text;    // left out of the edge picture: the combo paints its text there
    TPixRect Button;  // the button picture
    TPixRect Glyph;   // the box the glyph is centred in
};
TComboFramedLayout LayOutFramedCombo(const TPixRect& r, int f, bool rtl);

// The plain drawing in R: a ring one pixel in, the inner box inside it, the button column
// (g wide) of the inner box, and the button (one w x h frame of the button picture).
struct TComboPlainLayout {
    TPixRect Ring;
    TPixRect Inner;
    TPixRect Column;
    TPixRect Button;
};
TComboPlainLayout LayOutPlainCombo(const TPixRect& r, int w, int h, int g, bool rtl);

// The date-time picker's arrow button: its left edge in the picker's client area, over the
// picker's own button (at the right of the window width, or at the left for a right-to-left
// picker).
int ArrowButtonLeft(int windowRight, int buttonSize, bool rtl);

#pragma once
// Speed buttons without a window: the frame of the skin's button strip, the cell of the glyph
// strip, whether a flat button shows its frame, the caption colour, and where glyph and caption
// go (the bit button's layout, but a margin worked out from a given spacing is one pixel
// larger). Divisions truncate toward zero.
#include <cstdint>

#include "buttonlayout.h"

// Frame of the button strip: 2 down or pressed, 3 disabled (a down button shows down), 4 hot,
// 1 otherwise.
int SpeedButtonState(bool down, bool enabled, bool pressed, bool hot);
// Cell of the glyph strip: 4 down, 3 pressed, 2 disabled, 1 otherwise.
int SpeedButtonGlyphNumber(bool down, int state);
// A flat button shows the bare background in frames 1 and 3.
bool SpeedButtonShowsFrame(int state, bool flat);

// The caption colour: the skin's normal colour where given (in every frame, or with
// `normalInFrame1Only` only in frame 1), its hot and pressed colours in frames 4 and 2, the
// disabled colour whenever the button is not enabled (also when it is down).
int32_t SpeedButtonTextColor(int state, bool enabled, int32_t base, const TButtonColours& skin, int32_t disabled,
                             bool normalInFrame1Only);

TBitButtonLayout LayoutSpeedButton(TPixSize client, TPixSize glyph, TPixSize text, int margin, int spacing,
                                   TGlyphLayout layout);

#pragma once
// Where the status bar and group box skins put things: the panels' picture states and
// rectangles, their text alignment, the size grip, and the group box's rounded frame and
// caption. Plain geometry; divisions truncate toward zero.
#include "controllayout.h"
#include "pixelview.h"

// ---------------------------------------------------------------- status bar

// The panel's bevel (none 0, lowered 1, raised 2) as a frame of the 3-frame edge picture:
// lowered 1, raised 2, none 3.
int StatusPanelState(int bevel);
// A panel's rectangle as the bar gives it, reaching 2 pixels further right; the last panel
// reaches the bar's right edge.
TPixRect StatusPanelRect(const TPixRect& given, bool last, int barRight);
// Where a panel's text goes: 2 pixels in from the left and right.
TPixRect StatusTextRect(const TPixRect& panel);
// What an owner-drawn panel's handler gets: 2 pixels in on every side.
TPixRect StatusDrawPanelRect(const TPixRect& given);
// The text flags of a panel's alignment (0 left, 1 right, 2 centre); right-to-left exchanges
// left and right.
unsigned StatusPanelAlignment(int alignment, bool rightToLeft);
// The size grip of a w x h picture state in the bar's bottom-right corner, one pixel in.
TPixRect SizeGripRect(const TPixRect& bar, int w, int h);

// ---------------------------------------------------------------- group box

// The frame's top: half the caption's height less 1.
int GroupBoxFrameTop(int textHeight);
// The face-coloured frame that covers a native group box's own, and the rounded one.
TPixRect GroupBoxFaceFrame(const TPixRect& box, int frameTop);
TPixRect GroupBoxRoundFrame(const TPixRect& box, int frameTop);
// The caption's rectangle: 8 pixels in from the left, or from the right when right-aligned.
TPixRect GroupBoxTextRect(const TPixRect& box, bool rightAligned);

#pragma once
// Where a skinned scroll bar puts its parts, which part a point is on, which frame of the
// skin's pictures each part shows, how the painted thumb follows a drag, and which scroll
// position a dragged thumb stands for. Positions along the bar count from its start (left or
// top); divisions truncate toward zero.
#include "pixelview.h"

// The platform's scroll request codes, which also name the parts of a bar.
namespace ScrollPart {
constexpr int None = -1;
constexpr int LineUp = 0;    // the first arrow: left or up
constexpr int LineDown = 1;  // the second arrow: right or down
constexpr int PageUp = 2;    // the track before the thumb
constexpr int PageDown = 3;  // the track after the thumb
constexpr int Thumb = 5;
}  // namespace ScrollPart

// Frames in the skin's strip of scroll-bar pieces (arrows and thumb grips).
constexpr int ScrollStripFrames = 23;
// Frames of the track pictures: 1 enabled, 3 disabled.
constexpr int ScrollTrackFrames = 4;

// The part at `along` pixels from the bar's start.
int ScrollBarHitTest(int along, int buttonSize, int thumbStart, int thumbEnd, int barLength);

// What the parts are drawn at: the skin's strip height, or the system's button size when the
// two differ by more than 2 pixels.
int ScrollBarThickness(int skinHeight, int buttonSize);

struct TScrollBarShape {
    bool Vertical = true;
    int Width = 0, Height = 0;  // the covered bar
    int ButtonSize = 0;         // the system's arrow length
    int SkinHeight = 0;         // height of the skin's strip of pieces
    int ThumbStart = 0, ThumbEnd = 0;
    bool Enabled = true;
    int Extent = 0;             // the surface's length along the axis: parts past it are left out
};

// Rectangles from the bar's top-left corner, each at the drawing thickness across the axis;
// an empty one is not drawn.
struct TScrollBarParts {
    int Thickness = 0;
    TPixRect Track;
    TPixRect FirstArrow, SecondArrow;
    TPixRect Thumb;
    TPixRect Grip;
};
TScrollBarParts LayOutScrollBar(const TScrollBarShape& s);

// The strip frame (from 1) of an arrow; the hot part is pressed while `pressed`, else hot.
int ScrollArrowFrame(bool vertical, bool second, int hotPart, bool pressed);
// The strip frame of the thumb's grip.
int ScrollGripFrame(bool vertical, int hotPart, bool pressed);
// The frame of the thumb picture: 1 normal, 2 pressed, 3 hot.
int ScrollThumbFrame(int hotPart, bool pressed);

// The painted thumb during a drag: the thumb start at the press moved by the cursor, kept
// between the arrows, with the thumb's length kept.
struct TThumbSpan {
    int Start = 0, End = 0;
    constexpr bool operator==(const TThumbSpan&) const = default;
};
TThumbSpan FollowThumb(int pressThumbStart, int cursorDelta, int buttonSize, int barLength, TThumbSpan current);

struct TScrollRange {
    int Min = 0, Max = 0, Page = 0;
};
// The scroll position a thumb dragged by `cursorDelta` pixels stands for. `thumbOrigin` is
// the thumb's start in the track at the press, `track` the track's length between the arrows.
int DragScrollPosition(int thumbOrigin, int cursorDelta, int track, int thumbLength, const TScrollRange& range);

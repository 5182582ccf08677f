#pragma once
// Where the range controls' skins put things: the track bar's answers to its custom-draw
// notifications and its three-sliced channel, the up-down's two buttons and their picture
// states, the filled part of a progress bar. Plain geometry; divisions truncate toward zero.
#include "pixelslice.h"

// ---------------------------------------------------------------- track bar

// The custom-draw numbers a track bar uses (the same as the system's).
namespace TrackDraw {
constexpr unsigned long PrePaint = 0x1;
constexpr unsigned long ItemPrePaint = 0x10001;
constexpr unsigned long Tics = 1;
constexpr unsigned long Thumb = 2;
constexpr unsigned long Channel = 3;
constexpr long DoDefault = 0x0;
constexpr long SkipDefault = 0x4;
constexpr long NotifyItemDraw = 0x20;
}  // namespace TrackDraw

enum class TTrackPart { None, Thumb, Channel };
// What the skin draws for one custom-draw notification and what it answers.
struct TTrackDrawAnswer {
    TTrackPart Draw = TTrackPart::None;
    long Result = TrackDraw::DoDefault;
    constexpr bool operator==(const TTrackDrawAnswer&) const = default;
};
TTrackDrawAnswer TrackCustomDrawAnswer(unsigned long drawStage, unsigned long itemSpec);

// A vertical track bar's channel, upright. Some systems hand it back lying down (wider than
// tall) and it is turned; one that is already upright is kept as it is.
TPixRect UprightChannelRect(const TPixRect& channel);

// The channel picture laid over the channel: Target is the area it covers, the pieces are
// relative to Target's top-left (ends unscaled, the middle stretched). An empty Target draws
// nothing.
struct TChannelLayout {
    TPixRect Target;
    TSlicePlan Plan;
};
// Horizontal: the picture's full height from the channel's middle row down when the channel is
// taller than the picture, else from its top; left and right ends of the given widths.
TChannelLayout HorzChannelLayout(const TPixRect& channel, int pictureWidth, int pictureHeight, int leftWidth,
                                 int rightWidth);
// Vertical: the picture's full width, centred when the channel is wider; top and bottom ends of
// the given heights.
TChannelLayout VertChannelLayout(const TPixRect& channel, int pictureWidth, int pictureHeight, int topHeight,
                                 int bottomHeight);

// The thumb's picture: frame 2 of its 5.
constexpr int ThumbFrame = 2;
constexpr int ThumbFrameCount = 5;

// ---------------------------------------------------------------- up-down

// Arrow directions.
enum : int { udUp = 0, udDown = 1, udLeft = 2, udRight = 3 };
// Button states (the picture's frames 1 to 4 for the up or left button, 5 to 8 for the other).
enum : int { udsNormal = 1, udsPressed = 2, udsDisabled = 3, udsHot = 4 };
constexpr int UpDownFrameCount = 8;

struct TUpDownButton {
    TPixRect Rect;
    int Direction = udUp;
    bool Active = false;  // the cursor is over it
};
struct TUpDownLayout {
    TUpDownButton First;   // up, or left
    TUpDownButton Second;  // down, or right
};
// The two halves of a width x height up-down and which one the cursor (client point) is over.
TUpDownLayout UpDownButtons(int width, int height, bool horizontal, int cursorX, int cursorY);
int UpDownButtonState(bool enabled, bool active, bool pressed, bool hot);
// The frame of a button state in the 8-frame picture of its direction.
int UpDownFrameIndex(int state, int direction);
// An up-down inside an edit keeps its arrows 3 pixels inside the edit's top, bottom and right
// border: R narrowed by what is missing of those 3 pixels between the up-down's window
// rectangle and the edit's.
TPixRect UpDownInEditRect(const TPixRect& r, const TPixRect& upDownWindow, const TPixRect& editWindow);

// ---------------------------------------------------------------- progress bar

// a * b / c rounded to the nearest, as the system's MulDiv: -1 for c = 0 or a result that does
// not fit.
int MulDivRound(int a, int b, int c);
// The bar built lying down: a vertical one is turned into a height x width bar.
TPixRect ProgressBarRect(int width, int height, bool vertical);
// The filled part of the two-frame bar for the position in lo..hi; empty when nothing is filled
// (also for an empty range). Never past the bar.
TPixRect ProgressFillRect(const TPixRect& bar, int pos, int lo, int hi);
// The filled width of the bar with chunks: the position against the maximum alone (the minimum
// counts as 0); 0 when nothing is filled. Never past the bar.
int ChunkFillWidth(int barWidth, int pos, int hi);
// How many chunk pictures of width chunkWidth a tiled fill of fillWidth takes (one more than
// fit whole); 0 without a chunk width.
int ChunkCopies(int fillWidth, int chunkWidth);

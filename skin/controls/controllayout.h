#pragma once
// Where the control skins' shared drawing helpers put things: caption text, an image-list glyph
// beside a text, the text focus rectangle and the lines of the small arrow glyph. Plain
// geometry: the caller measures text (a rectangle measured from R's top-left corner) and
// does the drawing. Divisions truncate toward zero.
#include <vector>

#include "pixelview.h"

// The DrawText flags these layouts look at (the same numbers as the system's).
namespace TextFlag {
constexpr unsigned Center = 0x1;
constexpr unsigned Right = 0x2;
constexpr unsigned WordBreak = 0x10;
constexpr unsigned SingleLine = 0x20;
constexpr unsigned ExpandTabs = 0x40;
constexpr unsigned NoClip = 0x100;
constexpr unsigned CalcRect = 0x400;
constexpr unsigned EndEllipsis = 0x8000;
constexpr unsigned RtlReading = 0x20000;
}  // namespace TextFlag

TPixRect OffsetPixRect(const TPixRect& r, int dx, int dy);

// Control alignment value to text flags: 0 left, 1 right, 2 centre; anything else 0.
unsigned AlignmentTextFlags(int alignment);

// The caption's measured box placed in R, one pixel above the vertical centre: centred
// horizontally for Center, else stretched to R's left and right edges.
TPixRect PlaceCaptionText(const TPixRect& r, const TPixRect& measured, unsigned alignment);
// A single-line text's measured box centred in R.
TPixRect PlaceCenteredText(const TPixRect& r, const TPixRect& measured);
// The focus rectangle around a text measured in R and drawn with `flags`: placed as the
// flags align it, grown by 2 across and 1 down, cut to R.
TPixRect TextFocusRect(const TPixRect& r, const TPixRect& measured, unsigned flags);

// An image-list glyph beside a text in R. `hasImage`: a list and an image index were given.
struct TGlyphTextLayout {
    int Room = 0;      // the icon width the text makes room for (0: the icon does not fit)
    TPixRect Glyph;    // where the image is drawn (its top-left; empty without room)
    TPixRect Text;     // where the text is drawn, cut to R's left and right
};
// The box to measure the text in: R less the icon's room and the gaps the placing keeps for
// the alignment (3 at the left for left alignment, 1 each side centred, 1 left and 2 right for
// right alignment), so a text measured there is placed whole inside R and never wraps again.
TPixRect GlyphTextMeasureBox(const TPixRect& r, int iconWidth, bool hasImage, int alignment);
// Places glyph and measured text (an empty text: width 0) for alignment 0 left, 1 centre,
// 2 right; the horizontal offset is never below 1.
TGlyphTextLayout PlaceGlyphAndText(const TPixRect& r, int iconWidth, int iconHeight, bool hasImage,
                                   const TPixRect& measured, int alignment);

// One line drawn from From to To (the end point left out, as LineTo does).
struct TLayoutLine {
    int FromX = 0, FromY = 0, ToX = 0, ToY = 0;
    constexpr bool operator==(const TLayoutLine&) const = default;
};
// The small arrow of the up-down skin at (x, y): 0 up, 1 down, 2 left, 3 right; any other
// direction has no lines.
std::vector<TLayoutLine> ArrowGlyphLines(int x, int y, int direction);
// Where that arrow goes on a button drawn without pictures: the middle, two pixels higher for
// up and down.
struct TArrowPoint {
    int X = 0, Y = 0;
    constexpr bool operator==(const TArrowPoint&) const = default;
};
TArrowPoint PlainArrowPoint(const TPixRect& button, int direction);

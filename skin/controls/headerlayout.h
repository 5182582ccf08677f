#pragma once
// Where a skinned header control puts things: the part of each section that makes it hot, the
// section under the pointer, the filler right of the last section, and how a section's
// format bits align its text.
#include <vector>

#include "pixelview.h"

// A section counts as under the pointer this far inside its left and right edges, so moving
// across the border between two sections changes nothing.
constexpr int HeaderHitInset = 3;

TPixRect HeaderHitRect(const TPixRect& section);
// The first hit rectangle holding the point, or -1.
int HeaderSectionAt(const std::vector<TPixRect>& hits, int x, int y);
// What a header narrower than its window shows right of the sections (`sectionsRight` is the
// largest right edge); empty when the sections reach the edge.
TPixRect HeaderFiller(const TPixRect& window, int sectionsRight);
// The section format's justification as the glyph-and-text alignment: 0 left, 1 centre,
// 2 right.
int HeaderTextAlignment(unsigned format);
// The image a section shows: its image index when the format asks for an image or owner
// drawing, else -1.
int HeaderImageIndex(unsigned format, int image);

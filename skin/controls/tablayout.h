#pragma once
// Where the tab skins put things: the side the tabs sit on, the pane, the strip of tabs and
// each tab inside it (left and right strips are built lying down and turned at the end), the
// close boxes of a page control's tabs, and which tabs of a tab set fit. Plain geometry.
#include <vector>

#include "controllayout.h"
#include "pixelview.h"

// The side the tabs sit on.
enum : int { tbTop = 0, tbBottom = 1, tbLeft = 2, tbRight = 3 };

// From the tab control's window style (bottom 0x2, vertical 0x80).
int TabPositionOfStyle(unsigned style);

// The pane from the display rectangle the control gives for its window rectangle: grown by 4
// on every side, its edge on the tab side one pixel further in.
TPixRect TabPaneRect(const TPixRect& display, int position);
// The strip of tabs between the window's edge and the pane.
TPixRect TabStripRect(const TPixRect& window, const TPixRect& pane, int position);
// The strip as built: Length along the tabs, Depth across them.
struct TTabStripSize {
    int Length = 0, Depth = 0;
    constexpr bool operator==(const TTabStripSize&) const = default;
};
TTabStripSize TabStripSize(const TPixRect& strip, int position);
// A tab's rectangle (client coordinates) in the strip as built.
TPixRect TabInStrip(const TPixRect& tab, int position, int length, const TPixRect& pane, const TPixRect& window);

// The close box at a tab's top right (strip coordinates): 6 x 6.
TPixRect TabCloseBox(const TPixRect& tab);
// Its outline and both diagonals.
std::vector<TLayoutLine> TabCloseBoxLines(const TPixRect& tab);
// The first close box that holds the point, or -1 (right and bottom edges outside).
int TabCloseBoxAt(const std::vector<TPixRect>& boxes, int x, int y);

// A tab set lays its tabs out from the first one it shows: each as wide as its text and 9
// pixels; one that does not end before `limit` (12 pixels earlier while the scroll buttons
// show) is left out and the next is tried.
struct TTabSetTab {
    int Index = 0;
    TPixRect Rect;
    constexpr bool operator==(const TTabSetTab&) const = default;
};
std::vector<TTabSetTab> TabSetLayout(const std::vector<int>& textWidths, int firstIndex, int startMargin, int limit,
                                     int height, bool scrollButtons);

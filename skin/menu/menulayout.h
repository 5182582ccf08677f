#pragma once
// What the skinned menus compute without a window: the system's version tests, the widths of
// owner-drawn items, the places of glyph, caption and shortcut inside an item, the separator's
// slices, the menu bar's margin and button cells, the keys that move between bar buttons, the
// rows of the skinned system menu and the double-click test of its icon.
#include <cstdint>
#include <string_view>
#include <vector>

#include "pixelslice.h"

// ---------------------------------------------------------------- the system

// The value GetVersion() gives: the low byte the major version, the next the minor one, the top
// bit set on the Windows 9x family.
struct TWinVersion {
    bool NT = true;
    int Major = 0;
    int Minor = 0;

    static TWinVersion FromGetVersion(uint32_t value);
    bool AtLeast(int major, int minor) const { return Major > major || (Major == major && Minor >= minor); }
    // Windows NT 4: the NT family before version 5.
    bool NT4() const { return NT && Major < 5; }
};

// The menu bar reads the toolkit's items instead of the native menu on NT 4 and on any 4.0.
bool BarFromMenuItems(const TWinVersion& v);
// The popup window's frame is painted through GetWindowDC from NT 5.2 on, else GetDCEx.
bool PopupFrameThroughWindowDC(const TWinVersion& v);

// ---------------------------------------------------------------- popup windows

// The frame of a popup-menu window. An item's area in the window's picture is its rectangle
// moved to the client area's place in the window: by the frame where the system gives menus a
// frame of their own, not at all where their client area fills the window.
constexpr int PopupFrame = 3;
TPixRect PopupItemArea(const TPixRect& item, int clientX, int clientY);
// The frame's four strips (top, bottom, left, right) of a width x height window.
std::vector<TPixRect> PopupFrameStrips(int width, int height);

// Which popup menus a skin takes, by kind: 0 context menus, 1 menu-bar drop-downs, 2 system
// menus; other kinds are always taken.
struct TMenuKindGates {
    bool PopupMenu = false;   // xcPopupMenu
    bool MainMenu = false;    // xcMainMenu
    bool MenuItem = false;    // xcMenuItem
    bool SystemMenu = false;  // xcSystemMenu
};
bool PopupKindAllowed(int kind, const TMenuKindGates& gates);

// ---------------------------------------------------------------- owner-drawn items

// pictureLeft: the MenuItem picture's left width, 0 without a picture.
// A main-menu item: the toolkit's default width, wider by the picture's left edge and the
// glyph column (10 with an image list, 35 without).
int MainMenuItemWidth(int width, int pictureLeft, bool hasImages);
// A popup item: wider by the picture's left edge and 12 with an image list, 35 without.
int PopupMenuItemWidth(int width, int pictureLeft, bool hasImages);

struct TItemSize {
    int Width = 0;
    int Height = 0;
};
// An item of a window without a toolkit form, from its text's width: 26 for the glyph column
// and margins (and the picture's left edge); 4 taller with text, 8 high without, 4 more on 9x.
TItemSize WindowMenuItemSize(int textWidth, bool emptyText, int height, int pictureLeft, bool win9x);

// The glyph column's size: the image list's width (0: none, 16), at least 16 for a check mark.
int MenuGlyphSize(int imageWidth, bool checked);
// The glyph box of an item drawn into r: at its start (the right end right-to-left), one pixel
// in and past the picture's left edge.
TPixRect MenuGlyphBox(const TPixRect& r, int glyph, int pictureLeft, bool rightToLeft);
// Where a checked image's box starts: centred in r for a 16-pixel glyph.
int CheckedImageTop(const TPixRect& r);
// Where an unchecked image starts: centred in r for the image list's height.
int ImageTop(const TPixRect& r, int imageHeight);

struct TPixPoint {
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TPixPoint&) const = default;
};
// The system check mark's top-left: centred across the glyph column and down the item (in the
// box both ways right-to-left), one pixel further right and down.
TPixPoint MenuCheckMarkAt(const TPixRect& r, const TPixRect& box, int glyph, int markWidth, int markHeight,
                          bool rightToLeft);
// The caption's rectangle before it is measured: after the glyph box (before it right-to-left);
// a separator has no box, its caption starts 3 pixels in.
TPixRect MenuTextRect(const TPixRect& r, const TPixRect& box, bool separator, bool rightToLeft);
// The measured caption moved down to the middle of the item; right to left also to the end of
// its area, against the glyph box (measuring keeps the rectangle's left edge, not its right).
TPixRect PlaceMenuText(const TPixRect& measured, const TPixRect& area, const TPixRect& r, bool rightToLeft);
// Where the shortcut goes: right-aligned from the caption's end to 11 pixels before the item's
// right edge; right to left left-aligned from 10 pixels into the caption's area up to the caption.
TPixRect MenuShortcutRect(const TPixRect& text, const TPixRect& area, const TPixRect& r, bool rightToLeft);

// The separator of a width x height item from the MenuItem picture (5 states side by side): the
// second state's bottom rows, its edges kept and its middle stretched to the item's width.
TSlicePlan MenuSeparatorPlan(int imageWidth, int imageHeight, int leftWidth, int rightWidth, int width,
                             int height);

// ---------------------------------------------------------------- the menu bar

// Where the first button starts: 6 pixels without a bar picture; with one its left width + 4,
// right-to-left its right width + 8; a margin wider than the bar becomes 12.
int MenuBarMargin(bool hasPicture, int leftWidth, int rightWidth, bool rightToLeft, int barWidth);
// A button is its caption's width and 10 more (an empty caption stays 0).
int MenuBarButtonWidth(int textWidth);

struct TBarCell {
    bool Visible = true;
    int Width = 0;
};
// The buttons' cells relative to the bar's top-left, one row high less the bottom pixel: from
// the margin rightwards, or right-to-left from the bar's width less the margin (no further right
// than rtlLimit when it is not negative). An invisible button gets an empty cell.
std::vector<TPixRect> LayoutMenuBar(const std::vector<TBarCell>& cells, int barWidth, int barHeight, int margin,
                                    bool rightToLeft, int rtlLimit = -1);

// The button an arrow moves to: the next index rightwards (the first after the last), the
// previous one leftwards (the last before the first); -1 without buttons or current button.
int NextBarButton(int current, int count, int direction);

// Left and Right (virtual keys 37 and 39) change places for a right-to-left bar; other keys stay.
unsigned SwapArrowKey(unsigned key);

// What the open drop-down has highlighted when an arrow key comes.
struct TBarHighlight {
    bool HasItem = false;       // an item of the bar's menu is highlighted
    bool InTopDropDown = false; // it lies in the button's own drop-down (not in a submenu)
    bool HasSubItems = false;   // it opens a submenu itself
};
// The bar button a key switches to while a drop-down is open, or -1 when Windows moves inside
// the menu: Left from the top drop-down, Right from an item without a submenu.
int BarKeyTarget(unsigned key, const TBarHighlight& h, int current, int count);

// The caption's accelerator is `key` ("&&" is a plain ampersand; letters in either case).
bool IsMenuAccel(unsigned key, std::wstring_view caption);

// ---------------------------------------------------------------- the system menu

struct TSysMenuRow {
    int Image = -1;  // into the menu glyphs: 0 restore, 1 maximize, 2 minimize, 3 close
    bool Enabled = true;
};
// The skinned copy of one native system-menu item (its command compared after & 0xFFF0): its
// glyph, and whether it can be chosen in the window's size state (0 normal, 1 maximized,
// 2 minimized) with its frame; a greyed or disabled native item stays so. Size needs a sizing
// border, as the system greys it in the native menu of a fixed frame when that opens.
TSysMenuRow SystemMenuRow(unsigned command, unsigned nativeState, int sizeState, bool minimizeBox,
                          bool maximizeBox, bool sizingBorder);
// The item is greyed or disabled in a native menu state.
bool MenuStateDisabled(unsigned state);

// A second opening of the system menu within the double-click time (tick counts compared
// unsigned, so the counter's wrap does not matter); never after no opening at all.
bool WithinDoubleClick(uint32_t now, uint32_t last, bool openedBefore, uint32_t doubleClickTime);

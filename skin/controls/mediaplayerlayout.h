#pragma once
// The skinned media-player panel without a window: which of the nine buttons a set text names,
// the cells the visible buttons get, the button under a point, and how one button is drawn
// (glyph kind, frame of the skin's button strip, glyph position). Divisions truncate toward
// zero.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "pixelview.h"

// The buttons in panel order; MPNoButton stands for "none".
constexpr int MPButtonCount = 9;
constexpr int MPNoButton = 9;
// Their names as the player's sets name them, and the resource part of their glyphs.
extern const std::array<const char*, MPButtonCount> MPButtonNames;      // "btPlay" .. "btEject"
extern const std::array<const char*, MPButtonCount> MPGlyphResources;  // "MPPLAY" .. "MPEJECT"

// Bit i for button i. A set read as text: the element names between the square brackets,
// separated by commas, compared without regard to case; unknown names are left out.
using TMPButtonSet = uint16_t;
TMPButtonSet MPButtonsFromSetText(std::string_view text);
int MPButtonCountIn(TMPButtonSet set);
constexpr bool MPHas(TMPButtonSet set, int i) { return i >= 0 && i < MPButtonCount && ((set >> i) & 1u) != 0; }

// Width of one cell: the panel's width shared by the visible buttons (0 with none).
int MPButtonWidth(int panelWidth, TMPButtonSet visible);
// The cells of the visible buttons, left to right; what is left of the width stays uncovered.
struct TMPCell {
    int Index = 0;
    TPixRect Rect;
    constexpr bool operator==(const TMPCell&) const = default;
};
std::vector<TMPCell> MPCells(int panelWidth, int panelHeight, TMPButtonSet visible);
// The visible button whose cell holds x (a point on a shared edge belongs to the left one), as
// of a cell width; MPNoButton when none does.
int MPButtonAt(int x, int buttonWidth, TMPButtonSet visible);

// The glyph of a button: 0 "EN" (enabled), 1 "DI" (disabled), 2 "CL" (enabled and coloured).
enum TMPGlyphKind { mgEnabled = 0, mgDisabled = 1, mgColored = 2 };
extern const std::array<const char*, 3> MPGlyphKindNames;  // "EN", "DI", "CL"
TMPGlyphKind MPGlyphKind(bool enabled, bool colored);
// Frame of the button strip: 2 for the pressed button while the mouse is down, else 1; 3 for
// a disabled one, whatever happens.
int MPFrameState(bool mouseDown, bool isPressedButton, TMPGlyphKind kind);
// Top-left of a glyph of gw x gh centred in the cell, one pixel right and down when pressed.
struct TMPGlyphPos {
    int X = 0, Y = 0;
    constexpr bool operator==(const TMPGlyphPos&) const = default;
};
TMPGlyphPos MPGlyphPosition(const TPixRect& cell, int gw, int gh, int frameState);

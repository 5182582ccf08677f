#pragma once
// The skin colour table: 19 colours read from [Colours] of the skin description, and the
// colour texts ("r,g,b") the description writes colours in. System colours are kept as
// 0xFF000000 + the system colour index and resolved only when drawn.
#include <array>
#include <string_view>

#include "types.h"

// Indices into the colour table (9 and 10 are never set by the reader).
enum TSkinColorIndex : int {
    scWindowText = 0,
    scTitleTextActive = 1,
    scTitleTextNoActive = 2,
    scButtonFace = 3,
    scButtonText = 4,
    scButtonHilight = 5,
    scButtonlight = 6,
    scButtonShadow = 7,
    scButtonDkShadow = 8,
    scHilightText = 11,
    scHilight = 12,
    scMenubar = 13,
    scMenuBarText = 14,
    scMenuText = 15,
    scMenu = 16,
    scBorder = 17,  // set at the end of every load from the top border's picture
    scScrollbar = 18,
};
constexpr int SkinColorCount = 19;
constexpr int SkinCustomColorCount = 10;

using TSkinColors = std::array<TColor, SkinColorCount>;

// One key of [Colours]: the table index it fills and the colour an absent key gives.
struct TSkinColorKey {
    int Index;
    const char* Key;
    TColor Default;
};
// The keys in the order they are read. Menubar has no default of its own: it takes the
// ButtonFace value read before it.
extern const std::array<TSkinColorKey, 16> SkinColorKeys;

// Default of an extra colour (a COLOUR* section without a usable "color" key).
constexpr TColor SkinExtraColorDefault = clWindowText;
// Default of a custom colour.
constexpr TColor SkinCustomColorDefault = clWhite;

// "r,g,b": every run of decimal digits ended by another character fills the next of red,
// green and blue (at most three; further runs are dropped); a run still open at the end of
// the text counts only as the third. Each value keeps its low 8 bits; a run too long to be a
// number gives 0. An empty text gives 0.
TColor ParseColorText(std::string_view text);
// Default for an empty text, else ParseColorText.
TColor ReadColorValue(std::string_view text, TColor def);

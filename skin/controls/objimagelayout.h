#pragma once
// The glyph strips the property-driven check-box skins build from the skin's check and radio
// pictures, without a window: which source frame fills each slot of the strip.
#include <vector>

// Kinds of the property-driven skins: check box with "CustomGlyphs" (1), radio button with
// "CustomGlyphs" (2), check box with "Properties"."Glyph" (3), page control with tab pictures (4).
enum TObjImageKind { okCheckGlyphs = 1, okRadioGlyphs = 2, okPropertiesGlyph = 3, okAdvPage = 4 };

// For each slot of the strip (numbered from 1, listed in order) the source frame it is copied
// from, or 0 for a slot that is filled black. A source of exactly 5 frames also fills the
// third slot of every group of three from its fifth frame; a slot whose source frame the
// picture does not have stays empty. No slots for kinds without a strip.
std::vector<int> ObjImageSlots(int kind, int sourceFrames);

// The size of the tab pictures a page control of kind 4 is given.
constexpr int AdvTabPictureWidth = 100;
constexpr int AdvTabPictureHeight = 21;

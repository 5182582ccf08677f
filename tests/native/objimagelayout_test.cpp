// The property-driven check-box skins' glyph strips: which source frame fills each slot.
#include <gtest/gtest.h>

#include "objimagelayout.h"

namespace {

using Slots = std::vector<int>;

TEST(ObjImageLayout, CheckGlyphsFillNineSlots)
{
    EXPECT_EQ(ObjImageSlots(okCheckGlyphs, 4), (Slots{1, 2, 0, 1, 2, 0, 3, 4, 0}));
    EXPECT_EQ(ObjImageSlots(okCheckGlyphs, 5), (Slots{1, 2, 5, 1, 2, 5, 3, 4, 5}));
    EXPECT_EQ(ObjImageSlots(okCheckGlyphs, 6), (Slots{1, 2, 0, 1, 2, 0, 3, 4, 0}));
    // Frames the picture lacks are never read.
    EXPECT_EQ(ObjImageSlots(okCheckGlyphs, 2), (Slots{1, 2, 0, 1, 2, 0, 0, 0, 0}));
}

TEST(ObjImageLayout, RadioAndPropertiesGlyphsFillSixSlots)
{
    EXPECT_EQ(ObjImageSlots(okRadioGlyphs, 4), (Slots{1, 2, 1, 2, 3, 4}));
    EXPECT_EQ(ObjImageSlots(okRadioGlyphs, 5), (Slots{1, 2, 1, 2, 3, 4}));
    EXPECT_EQ(ObjImageSlots(okRadioGlyphs, 1), (Slots{1, 0, 1, 0, 0, 0}));
    EXPECT_EQ(ObjImageSlots(okPropertiesGlyph, 4), (Slots{1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(ObjImageSlots(okPropertiesGlyph, 5), (Slots{1, 2, 5, 1, 2, 5}));
    EXPECT_TRUE(ObjImageSlots(okAdvPage, 5).empty());
    EXPECT_TRUE(ObjImageSlots(0, 5).empty());
}

}  // namespace

// The property-driven check-box skins' glyph strips: which source frame fills each slot.
#include <gtest/gtest.h>

#include "objimagelayout.h"

TEST(ObjImageLayout, SlotTables)
{
    using Slots = std::vector<int>;
    EXPECT_EQ(ObjImageSlots(okCheckGlyphs, 4), (Slots{1, 2, 0, 1, 2, 0, 3, 4, 0}));
    EXPECT_EQ(ObjImageSlots(okCheckGlyphs, 5), (Slots{1, 2, 5, 1, 2, 5, 3, 4, 5}));
    EXPECT_EQ(ObjImageSlots(okCheckGlyphs, 6), (Slots{1, 2, 0, 1, 2, 0, 3, 4, 0}));  // only exactly five
    EXPECT_EQ(ObjImageSlots(okCheckGlyphs, 2), (Slots{1, 2, 0, 1, 2, 0, 0, 0, 0}));  // never past the picture
    EXPECT_EQ(ObjImageSlots(okRadioGlyphs, 5), (Slots{1, 2, 1, 2, 3, 4}));
    EXPECT_EQ(ObjImageSlots(okPropertiesGlyph, 4), (Slots{1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(ObjImageSlots(okPropertiesGlyph, 5), (Slots{1, 2, 5, 1, 2, 5}));
    EXPECT_TRUE(ObjImageSlots(okAdvPage, 5).empty());
}

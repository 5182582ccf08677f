// Speed buttons without a window: the frame and glyph cell of each state, the flat look, the
// caption colour and the layout with its one-pixel-larger margin.
#include <gtest/gtest.h>

#include "speedbuttonlayout.h"

namespace {

TEST(SpeedButtonLayout, StatesGlyphCellsAndColours)
{
    struct Row {
        bool down, enabled, pressed, hot;
        int state, glyph;
    } const rows[] = {
        {false, true, false, false, 1, 1}, {false, true, false, true, 4, 1}, {false, true, true, true, 2, 3},
        {false, false, true, true, 3, 2},  {true, true, false, false, 2, 4}, {true, false, false, true, 2, 4},
    };
    for (const Row& r : rows) {
        const int s = SpeedButtonState(r.down, r.enabled, r.pressed, r.hot);
        EXPECT_EQ(s, r.state) << r.down << r.enabled << r.pressed << r.hot;
        EXPECT_EQ(SpeedButtonGlyphNumber(r.down, s), r.glyph) << r.down << r.enabled << r.pressed << r.hot;
    }
    EXPECT_FALSE(SpeedButtonShowsFrame(1, true));
    EXPECT_FALSE(SpeedButtonShowsFrame(3, true));
    EXPECT_TRUE(SpeedButtonShowsFrame(4, true));
    EXPECT_TRUE(SpeedButtonShowsFrame(1, false));

    TButtonColours skin;
    skin.Colour = {0x11, 0x22, 0x33};
    skin.Given = {true, false, true};
    // Without a glyph the normal colour shows in every frame; with one, in frame 1 only.
    EXPECT_EQ(SpeedButtonTextColor(4, true, 0x99, skin, 0x77, false), 0x11);
    EXPECT_EQ(SpeedButtonTextColor(4, true, 0x99, skin, 0x77, true), 0x99);
    EXPECT_EQ(SpeedButtonTextColor(2, true, 0x99, skin, 0x77, true), 0x33);
    EXPECT_EQ(SpeedButtonTextColor(2, false, 0x99, skin, 0x77, true), 0x77);  // down but disabled
}

TEST(SpeedButtonLayout, MarginFromAGivenSpacingIsOneLarger)
{
    // 100 wide, 16-pixel glyph, 40-pixel text, spacing 4: (100 - 60) / 2 + 1 = 21.
    const TPixSize client{100, 30}, glyph{16, 16}, text{40, 13};
    TBitButtonLayout l = LayoutSpeedButton(client, glyph, text, -1, 4, TGlyphLayout::Left);
    EXPECT_EQ(l.GlyphX, 21);
    EXPECT_EQ(l.Text.Left, 41);
    l = LayoutSpeedButton(client, glyph, text, -1, 4, TGlyphLayout::Right);
    EXPECT_EQ(l.GlyphX, 100 - 21 - 16);
    EXPECT_EQ(l.Text.Left, 63 - 4 - 40);
    l = LayoutSpeedButton({40, 60}, glyph, text, -1, 4, TGlyphLayout::Bottom);
    EXPECT_EQ(l.GlyphY, 60 - 14 - 16);
    // A margin that works out as -1 is kept, not taken for "work it out".
    EXPECT_EQ(LayoutSpeedButton({12, 20}, glyph, {0, 0}, -1, 0, TGlyphLayout::Left).GlyphX, -1);
    // Both -1, or a margin given: as a bit button (no Alignment test).
    EXPECT_EQ(LayoutSpeedButton(client, glyph, text, -1, -1, TGlyphLayout::Left).GlyphX,
              LayoutBitButton(client, glyph, text, -1, -1, TGlyphLayout::Left, false).GlyphX);
    EXPECT_EQ(LayoutSpeedButton(client, glyph, text, 5, -1, TGlyphLayout::Left).GlyphX, 5);
}

}  // namespace

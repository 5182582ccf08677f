// Speed buttons without a window: the frame and glyph cell of each state, the flat look, the
// caption colour and the layout with its one-pixel-larger margin.
#include <gtest/gtest.h>

#include "speedbuttonlayout.h"

namespace {

TEST(SpeedButtonLayout, StateAndGlyphCellTable)
{
    struct Row {
        bool down, enabled, pressed, hot;
        int state, glyph;
    };
    const Row rows[] = {
        {false, true, false, false, 1, 1},  {false, true, false, true, 4, 1},
        {false, true, true, false, 2, 3},   {false, true, true, true, 2, 3},
        {false, false, false, true, 3, 2},  {false, false, true, false, 3, 2},
        {true, true, false, false, 2, 4},   {true, false, false, true, 2, 4},  // down wins over disabled
    };
    for (const Row& r : rows) {
        const int s = SpeedButtonState(r.down, r.enabled, r.pressed, r.hot);
        EXPECT_EQ(s, r.state) << r.down << r.enabled << r.pressed << r.hot;
        EXPECT_EQ(SpeedButtonGlyphNumber(r.down, s), r.glyph) << r.down << r.enabled << r.pressed << r.hot;
    }
    // A flat button shows its frame only when pressed or hot.
    EXPECT_FALSE(SpeedButtonShowsFrame(1, true));
    EXPECT_FALSE(SpeedButtonShowsFrame(3, true));
    EXPECT_TRUE(SpeedButtonShowsFrame(2, true));
    EXPECT_TRUE(SpeedButtonShowsFrame(4, true));
    EXPECT_TRUE(SpeedButtonShowsFrame(1, false));
}

TEST(SpeedButtonLayout, CaptionColour)
{
    TButtonColours skin;
    skin.Colour = {0x11, 0x22, 0x33};
    skin.Given = {true, false, true};
    const int32_t base = 0x99, off = 0x77;
    // The glyph-less drawing takes the normal colour in every frame; hot keeps it (not given).
    EXPECT_EQ(SpeedButtonTextColor(1, true, base, skin, off, false), 0x11);
    EXPECT_EQ(SpeedButtonTextColor(4, true, base, skin, off, false), 0x11);
    EXPECT_EQ(SpeedButtonTextColor(2, true, base, skin, off, false), 0x33);
    // The glyph drawing and the picture path: the normal colour in frame 1 only.
    EXPECT_EQ(SpeedButtonTextColor(4, true, base, skin, off, true), base);
    EXPECT_EQ(SpeedButtonTextColor(1, true, base, skin, off, true), 0x11);
    // Not enabled: the disabled colour, also when down.
    EXPECT_EQ(SpeedButtonTextColor(2, false, base, skin, off, true), off);
    EXPECT_EQ(SpeedButtonTextColor(3, false, base, skin, off, false), off);
}

TEST(SpeedButtonLayout, MarginFromAGivenSpacingIsOneLarger)
{
    // 100 wide, 16-pixel glyph, 40-pixel text, spacing 4: (100 - 60) / 2 + 1 = 21.
    const TPixSize client{100, 30}, glyph{16, 16}, text{40, 13};
    TBitButtonLayout l = LayoutSpeedButton(client, glyph, text, -1, 4, TGlyphLayout::Left);
    EXPECT_EQ(l.Margin, 21);
    EXPECT_EQ(l.GlyphX, 21);
    EXPECT_EQ(l.Text.Left, 41);
    EXPECT_EQ(l.GlyphY, 7);
    l = LayoutSpeedButton(client, glyph, text, -1, 4, TGlyphLayout::Right);
    EXPECT_EQ(l.GlyphX, 100 - 21 - 16);
    EXPECT_EQ(l.Text.Left, 63 - 4 - 40);
    l = LayoutSpeedButton({40, 60}, glyph, text, -1, 4, TGlyphLayout::Top);
    EXPECT_EQ(l.GlyphY, (60 - 33) / 2 + 1);
    EXPECT_EQ(l.Text.Top, 14 + 16 + 4);
    l = LayoutSpeedButton({40, 60}, glyph, text, -1, 4, TGlyphLayout::Bottom);
    EXPECT_EQ(l.GlyphY, 60 - 14 - 16);
    // No caption: the spacing counts 0, the glyph is centred one pixel right.
    l = LayoutSpeedButton({23, 22}, {8, 8}, {0, 0}, -1, 4, TGlyphLayout::Left);
    EXPECT_EQ(l.GlyphX, 8);
    // Both -1, or a margin given: as a bit button (no Alignment test).
    const TBitButtonLayout bit = LayoutBitButton(client, glyph, text, -1, -1, TGlyphLayout::Left, false);
    EXPECT_EQ(LayoutSpeedButton(client, glyph, text, -1, -1, TGlyphLayout::Left).GlyphX, bit.GlyphX);
    EXPECT_EQ(LayoutSpeedButton(client, glyph, text, 5, -1, TGlyphLayout::Left).GlyphX, 5);
    // A margin that works out as -1 is kept, not taken for "work it out".
    l = LayoutSpeedButton({12, 20}, glyph, {0, 0}, -1, 0, TGlyphLayout::Left);
    EXPECT_EQ(l.Margin, -1);
    EXPECT_EQ(l.GlyphX, -1);
}

}  // namespace

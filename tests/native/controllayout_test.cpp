// Where the control skins' drawing helpers put text, glyphs and arrows.
#include <gtest/gtest.h>

#include <algorithm>

#include "controllayout.h"

namespace {

const TPixRect R = PixRect(10, 20, 110, 50);  // 100 x 30

TPixRect Measured(int w, int h) { return PixBounds(R.Left, R.Top, w, h); }

}  // namespace

TEST(ControlLayout, CaptionTextSitsOnePixelAboveTheMiddle)
{
    // Centred: its own measured box, centred across, one pixel above the middle.
    EXPECT_EQ(PlaceCaptionText(R, Measured(40, 13), TextFlag::Center), PixRect(40, 27, 80, 40));
    // Right-aligned or left: R's full width at the same height (the text flags align it).
    EXPECT_EQ(PlaceCaptionText(R, Measured(40, 13), TextFlag::Right), PixRect(10, 27, 110, 40));
    EXPECT_EQ(PlaceCaptionText(R, Measured(40, 13), 0), PixRect(10, 27, 110, 40));
    // Odd room halves toward zero, also when the text is larger than R.
    EXPECT_EQ(PlaceCaptionText(R, Measured(41, 14), TextFlag::Center), PixRect(39, 27, 80, 41));
    EXPECT_EQ(PlaceCaptionText(R, Measured(101, 33), TextFlag::Center), PixRect(10, 18, 111, 51));
}

TEST(ControlLayout, SkinTextIsCentredAndTheAlignmentTableGivesItsFlags)
{
    EXPECT_EQ(PlaceCenteredText(R, Measured(40, 13)), PixRect(40, 28, 80, 41));
    EXPECT_EQ(AlignmentTextFlags(0), 0u);
    EXPECT_EQ(AlignmentTextFlags(1), TextFlag::Right);
    EXPECT_EQ(AlignmentTextFlags(2), TextFlag::Center);
    EXPECT_EQ(AlignmentTextFlags(7), 0u);
}

TEST(ControlLayout, FocusRectangleFollowsTheTextAndStaysInsideR)
{
    EXPECT_EQ(TextFocusRect(R, Measured(40, 13), TextFlag::Center), PixRect(38, 26, 82, 41));
    EXPECT_EQ(TextFocusRect(R, Measured(40, 13), TextFlag::Right), PixRect(68, 20, 110, 34));
    EXPECT_EQ(TextFocusRect(R, Measured(40, 13), 0), PixRect(10, 20, 52, 34));
    EXPECT_EQ(TextFocusRect(R, Measured(200, 60), TextFlag::Center), R);
}

TEST(ControlLayout, GlyphAndTextPlacement)
{
    // A 16 x 16 icon that fits: the text is measured beside it, in what the placing leaves.
    EXPECT_EQ(GlyphTextMeasureBox(R, 16, true, 0), PixRect(10, 20, 91, 50));
    EXPECT_EQ(GlyphTextMeasureBox(R, 16, true, 1), PixRect(10, 20, 92, 50));
    EXPECT_EQ(GlyphTextMeasureBox(R, 16, false, 2), PixRect(10, 20, 107, 50));
    EXPECT_EQ(GlyphTextMeasureBox(PixRect(0, 0, 18, 20), 16, true, 0), PixRect(0, 0, 0, 20));
    // A text that fills its box is placed whole inside R, whatever the alignment.
    for (int alignment : {0, 1, 2}) {
        const TPixRect box = GlyphTextMeasureBox(R, 16, true, alignment);
        const TGlyphTextLayout whole = PlaceGlyphAndText(R, 16, 16, true, Measured(box.Width(), 13), alignment);
        EXPECT_EQ(whole.Text.Width(), box.Width()) << alignment;
        EXPECT_LE(whole.Text.Right, R.Right) << alignment;
        EXPECT_GE(whole.Text.Left, R.Left + 16) << alignment;
    }
    TGlyphTextLayout l = PlaceGlyphAndText(R, 16, 16, true, Measured(30, 13), 0);
    EXPECT_EQ(l.Room, 16);
    EXPECT_EQ(l.Glyph, PixRect(13, 27, 29, 43));  // x 3; the icon width sets the vertical offset
    EXPECT_EQ(PlaceGlyphAndText(R, 16, 8, true, Measured(30, 13), 0).Glyph, PixRect(13, 27, 29, 35));
    EXPECT_EQ(l.Text, PixRect(29, 28, 59, 41));
    l = PlaceGlyphAndText(R, 16, 16, true, Measured(30, 13), 1);
    EXPECT_EQ(l.Glyph.Left, 10 + 27);
    EXPECT_EQ(l.Text.Left, 10 + 27 + 16);
    l = PlaceGlyphAndText(R, 16, 16, true, Measured(30, 13), 2);
    EXPECT_EQ(l.Glyph.Left, 10 + 52);
    EXPECT_EQ(l.Text, PixRect(78, 28, 108, 41));

    // Right alignment without room: the offset is 1, never 0 or less; the text is cut to R.
    l = PlaceGlyphAndText(R, 16, 16, true, Measured(95, 13), 2);
    EXPECT_EQ(l.Glyph.Left, 11);
    EXPECT_EQ(l.Text, PixRect(27, 28, 110, 41));
    // An icon as wide as R leaves no room but keeps its place at the offset.
    const TPixRect narrow = PixRect(0, 0, 16, 30);
    l = PlaceGlyphAndText(narrow, 16, 16, true, PixRect(0, 0, 0, 30), 0);
    EXPECT_EQ(l.Room, 0);
    EXPECT_EQ(GlyphTextMeasureBox(narrow, 16, true, 0), PixRect(0, 0, 13, 30));
    EXPECT_EQ(l.Glyph.Left, 3);
    EXPECT_EQ(l.Glyph.Top, 15);
    EXPECT_TRUE(l.Glyph.Empty());
}

TEST(ControlLayout, ArrowGlyphLines)
{
    const auto up = ArrowGlyphLines(10, 10, 0);
    ASSERT_EQ(up.size(), 7u);
    EXPECT_EQ(up.front(), (TLayoutLine{10, 10, 10, 9}));
    EXPECT_EQ(up.back(), (TLayoutLine{10, 11, 8, 14}));
    const auto down = ArrowGlyphLines(10, 10, 1);
    ASSERT_EQ(down.size(), 7u);
    EXPECT_EQ(down[1], (TLayoutLine{11, 12, 14, 9}));
    // Left and right: closed outlines, mirrored.
    const auto left = ArrowGlyphLines(10, 10, 2);
    const auto right = ArrowGlyphLines(10, 10, 3);
    ASSERT_EQ(left.size(), 4u);
    ASSERT_EQ(right.size(), 4u);
    for (size_t i = 0; i < left.size(); ++i) {
        EXPECT_EQ(left[i].FromX - 10, -(right[i].FromX - 10));
        EXPECT_EQ(left[i].FromY, right[i].FromY);
        if (i > 0)
            EXPECT_EQ(left[i].FromX, left[i - 1].ToX);
    }
    EXPECT_EQ(left.front(), (TLayoutLine{10, 10, 11, 12}));
    EXPECT_EQ(left.back(), (TLayoutLine{9, 10, 11, 12}));
    EXPECT_TRUE(ArrowGlyphLines(10, 10, 4).empty());
    EXPECT_TRUE(ArrowGlyphLines(10, 10, -1).empty());
    EXPECT_EQ(PlainArrowPoint(PixRect(0, 10, 16, 20), 1), (TArrowPoint{8, 13}));  // down
}

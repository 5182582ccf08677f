// Geometry of the skinned combo box and date-time picker: picture states, the drop-down button
// in the framed and the plain drawing, left to right and right to left, and the picker's
// arrow button.
#include <gtest/gtest.h>

#include "combolayout.h"

TEST(ComboLayout, StateFrames)
{
    EXPECT_EQ(ComboStateFrame(true, false, false), 1);
    EXPECT_EQ(ComboStateFrame(true, true, true), 2);
    EXPECT_EQ(ComboStateFrame(true, false, true), 4);
    EXPECT_EQ(ComboStateFrame(false, true, true), 3);  // disabled wins over pressed
    // The plain drawing: pressed and focused come first.
    EXPECT_EQ(ComboPlainStateFrame(false, true, false), 2);
    EXPECT_EQ(ComboPlainStateFrame(false, false, true), 4);
    EXPECT_EQ(ComboPlainStateFrame(false, false, false), 3);
    EXPECT_EQ(ComboPlainStateFrame(true, false, false), 1);
}

TEST(ComboLayout, TheFramedButtonSitsRightOrLeftOfTheText)
{
    const TPixRect r = PixRect(0, 0, 150, 21);
    const TComboFramedLayout ltr = LayOutFramedCombo(r, 17, false);
    EXPECT_EQ(ltr.Text, PixRect(2, 2, 129, 19));
    EXPECT_EQ(ltr.Button, PixRect(131, 0, 150, 21));
    EXPECT_EQ(ltr.Glyph, PixRect(131, 0, 148, 21));

    const TComboFramedLayout rtl = LayOutFramedCombo(r, 17, true);
    EXPECT_EQ(rtl.Text, PixRect(21, 2, 148, 19));
    EXPECT_EQ(rtl.Button, PixRect(0, 0, 19, 21));
    EXPECT_EQ(rtl.Glyph, PixRect(2, 0, 19, 21));
}

TEST(ComboLayout, ThePlainDrawing)
{
    const TComboPlainLayout l = LayOutPlainCombo(PixRect(0, 0, 120, 22), 16, 14, 16, false);
    EXPECT_EQ(l.Ring, PixRect(1, 1, 119, 21));
    EXPECT_EQ(l.Inner, PixRect(2, 2, 118, 20));
    EXPECT_EQ(l.Column, PixRect(102, 2, 118, 20));
    EXPECT_EQ(l.Button, PixRect(102, 2, 118, 16));  // 14 high: less than the column's 16

    const TComboPlainLayout rtl = LayOutPlainCombo(PixRect(0, 0, 120, 22), 16, 18, 16, true);
    EXPECT_EQ(rtl.Column, PixRect(2, 2, 18, 20));
    EXPECT_EQ(rtl.Button, PixRect(2, 2, 18, 20));
}

TEST(ComboLayout, ThePickersArrowButtonCoversItsOwnButton)
{
    EXPECT_EQ(ArrowButtonLeft(120, 17, false), 99);
    EXPECT_EQ(ArrowButtonLeft(120, 17, true), 2);
}

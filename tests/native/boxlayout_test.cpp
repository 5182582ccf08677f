// The status bar, group box and edit skins: panel states and rectangles, alignment, size grip,
// the group box's frame and caption, the edit's border rings.
#include <gtest/gtest.h>

#include "boxlayout.h"
#include "editlayout.h"

TEST(BoxLayout, StatusBarPanels)
{
    // Bevels none, lowered, raised: frames 3, 1, 2.
    EXPECT_EQ(StatusPanelState(0), 3);
    EXPECT_EQ(StatusPanelState(1), 1);
    EXPECT_EQ(StatusPanelState(2), 2);
    EXPECT_EQ(StatusPanelState(7), 3);

    // Each panel reaches 2 further; the last one the bar's right edge.
    EXPECT_EQ(StatusPanelRect(PixRect(0, 2, 198, 19), false, 334), PixRect(0, 2, 200, 19));
    EXPECT_EQ(StatusPanelRect(PixRect(200, 2, 250, 19), true, 334), PixRect(200, 2, 334, 19));
    EXPECT_EQ(StatusTextRect(PixRect(200, 2, 334, 19)), PixRect(202, 2, 332, 19));
    EXPECT_EQ(StatusDrawPanelRect(PixRect(0, 2, 198, 19)), PixRect(2, 4, 196, 17));

    // Alignment: left 0, right, centre; right-to-left exchanges left and right only.
    EXPECT_EQ(StatusPanelAlignment(0, false), 0u);
    EXPECT_EQ(StatusPanelAlignment(1, false), TextFlag::Right);
    EXPECT_EQ(StatusPanelAlignment(2, false), TextFlag::Center);
    EXPECT_EQ(StatusPanelAlignment(0, true), TextFlag::Right);
    EXPECT_EQ(StatusPanelAlignment(1, true), 0u);
    EXPECT_EQ(StatusPanelAlignment(2, true), TextFlag::Center);

    // The grip: one state's size, one pixel in from the bottom-right corner.
    EXPECT_EQ(SizeGripRect(PixRect(0, 0, 334, 19), 12, 12), PixRect(321, 6, 333, 18));
}

TEST(BoxLayout, GroupBoxFrameAndCaption)
{
    const TPixRect box = PixRect(0, 0, 200, 100);
    EXPECT_EQ(GroupBoxFrameTop(13), 5);
    EXPECT_EQ(GroupBoxFrameTop(16), 7);
    EXPECT_EQ(GroupBoxFaceFrame(box, 5), PixRect(0, 5, 200, 100));
    EXPECT_EQ(GroupBoxRoundFrame(box, 5), PixRect(1, 5, 199, 99));
    EXPECT_EQ(GroupBoxTextRect(box, false), PixRect(8, 0, 200, 100));
    EXPECT_EQ(GroupBoxTextRect(box, true), PixRect(0, 0, 192, 100));
}

TEST(BoxLayout, EditBorder)
{
    const TPixRect window = PixRect(0, 0, 120, 21);
    // A two-pixel border each way; none; a one-pixel one; only across.
    EXPECT_TRUE(EditHasBorder(116, 17, window));
    EXPECT_FALSE(EditHasBorder(120, 21, window));
    EXPECT_TRUE(EditHasBorder(118, 19, window));
    EXPECT_FALSE(EditHasBorder(116, 21, window));
    // Printed: a border of at least two pixels.
    EXPECT_TRUE(EditPrintBorderFits(116, 17, window));
    EXPECT_FALSE(EditPrintBorderFits(118, 19, window));
    EXPECT_FALSE(EditPrintBorderFits(120, 21, window));
    const auto rings = EditBorderRings(window);
    EXPECT_EQ(rings[0], window);
    EXPECT_EQ(rings[1], PixRect(1, 1, 119, 20));
    EXPECT_EQ(rings[2], PixRect(2, 2, 118, 19));
}

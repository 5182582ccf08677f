// The status bar, group box and edit skins: panel states and rectangles, alignment, size grip,
// the group box's frame and caption, the edit's border rings.
#include <gtest/gtest.h>

#include "boxlayout.h"
#include "editlayout.h"

TEST(BoxLayout, StatusBarPanels)
{
    EXPECT_EQ(StatusPanelState(0), 3);  // bevel none, lowered, raised: frames 3, 1, 2
    EXPECT_EQ(StatusPanelState(1), 1);
    EXPECT_EQ(StatusPanelState(2), 2);
    EXPECT_EQ(StatusPanelRect(PixRect(0, 2, 198, 19), false, 334), PixRect(0, 2, 200, 19));
    EXPECT_EQ(StatusPanelRect(PixRect(200, 2, 250, 19), true, 334), PixRect(200, 2, 334, 19));
    EXPECT_EQ(StatusTextRect(PixRect(200, 2, 334, 19)), PixRect(202, 2, 332, 19));
    EXPECT_EQ(StatusDrawPanelRect(PixRect(0, 2, 198, 19)), PixRect(2, 4, 196, 17));
    EXPECT_EQ(StatusPanelAlignment(0, true), TextFlag::Right);  // right-to-left swaps left and right
    EXPECT_EQ(StatusPanelAlignment(1, true), 0u);
    EXPECT_EQ(StatusPanelAlignment(2, true), TextFlag::Center);
    EXPECT_EQ(SizeGripRect(PixRect(0, 0, 334, 19), 12, 12), PixRect(321, 6, 333, 18));
}

TEST(BoxLayout, GroupBoxAndEditBorder)
{
    const TPixRect box = PixRect(0, 0, 200, 100);
    EXPECT_EQ(GroupBoxFrameTop(13), 5);
    EXPECT_EQ(GroupBoxRoundFrame(box, 5), PixRect(1, 5, 199, 99));
    EXPECT_EQ(GroupBoxTextRect(box, false), PixRect(8, 0, 200, 100));
    EXPECT_EQ(GroupBoxTextRect(box, true), PixRect(0, 0, 192, 100));

    const TPixRect window = PixRect(0, 0, 120, 21);
    EXPECT_TRUE(EditHasBorder(118, 19, window));
    EXPECT_FALSE(EditHasBorder(120, 21, window));
    EXPECT_FALSE(EditHasBorder(116, 21, window));  // no border across
    EXPECT_TRUE(EditPrintBorderFits(116, 17, window));
    EXPECT_FALSE(EditPrintBorderFits(118, 19, window));  // printed: two pixels at least
    EXPECT_EQ(EditBorderRings(window)[2], PixRect(2, 2, 118, 19));
}

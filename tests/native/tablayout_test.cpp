// The tab skins: the side from the style, pane and strip for every side, each tab in the strip
// as built, the close boxes and the tab set's layout.
#include <gtest/gtest.h>

#include "tablayout.h"

namespace {

const TPixRect Window = PixRect(0, 0, 300, 200);

}  // namespace

TEST(TabLayout, SideFromTheStyle)
{
    EXPECT_EQ(TabPositionOfStyle(0), tbTop);
    EXPECT_EQ(TabPositionOfStyle(0x2), tbBottom);
    EXPECT_EQ(TabPositionOfStyle(0x80), tbLeft);
    EXPECT_EQ(TabPositionOfStyle(0x82), tbRight);
    EXPECT_EQ(TabPositionOfStyle(0x50000200), tbTop);  // other bits do not count
}

TEST(TabLayout, PaneAndStripForEverySide)
{
    // The display area grows by 4 and gives one pixel to the strip's side.
    EXPECT_EQ(TabPaneRect(PixRect(4, 26, 296, 196), tbTop), PixRect(0, 23, 300, 200));
    EXPECT_EQ(TabPaneRect(PixRect(4, 4, 296, 174), tbBottom), PixRect(0, 0, 300, 177));
    EXPECT_EQ(TabPaneRect(PixRect(30, 4, 296, 196), tbLeft), PixRect(27, 0, 300, 200));
    EXPECT_EQ(TabPaneRect(PixRect(4, 4, 270, 196), tbRight), PixRect(0, 0, 273, 200));

    EXPECT_EQ(TabStripRect(Window, PixRect(0, 23, 300, 200), tbTop), PixRect(0, 0, 300, 23));
    EXPECT_EQ(TabStripRect(Window, PixRect(0, 0, 300, 177), tbBottom), PixRect(0, 177, 300, 200));
    EXPECT_EQ(TabStripRect(Window, PixRect(27, 0, 300, 200), tbLeft), PixRect(0, 0, 27, 200));
    EXPECT_EQ(TabStripRect(Window, PixRect(0, 0, 273, 200), tbRight), PixRect(273, 0, 300, 200));

    // Left and right strips are built lying down: as long as the control is high.
    EXPECT_EQ(TabStripSize(PixRect(0, 0, 300, 23), tbTop), (TTabStripSize{300, 23}));
    EXPECT_EQ(TabStripSize(PixRect(0, 177, 300, 200), tbBottom), (TTabStripSize{300, 23}));
    EXPECT_EQ(TabStripSize(PixRect(0, 0, 27, 200), tbLeft), (TTabStripSize{200, 27}));
    EXPECT_EQ(TabStripSize(PixRect(273, 0, 300, 200), tbRight), (TTabStripSize{200, 27}));
}

TEST(TabLayout, TabsInTheStripForEverySide)
{
    // Top: one pixel down.
    EXPECT_EQ(TabInStrip(PixRect(2, 2, 60, 22), tbTop, 300, PixRect(0, 23, 300, 200), Window),
              PixRect(2, 3, 60, 23));
    // Bottom: into the strip below the pane, one pixel up.
    EXPECT_EQ(TabInStrip(PixRect(2, 178, 60, 198), tbBottom, 300, PixRect(0, 0, 300, 177), Window),
              PixRect(2, 0, 60, 20));
    // Left: turned back by the counter-clockwise turn of the strip, so its top is the
    // strip's end.
    EXPECT_EQ(TabInStrip(PixRect(2, 2, 26, 60), tbLeft, 200, PixRect(27, 0, 300, 200), Window),
              PixRect(140, 2, 198, 26));
    // Right: for the clockwise turn.
    EXPECT_EQ(TabInStrip(PixRect(274, 2, 298, 60), tbRight, 200, PixRect(0, 0, 273, 200), Window),
              PixRect(1, 2, 59, 26));
}

TEST(TabLayout, CloseBoxAtTheTabsTopRight)
{
    const TPixRect tab = PixRect(2, 3, 60, 23);
    EXPECT_EQ(TabCloseBox(tab), PixRect(52, 5, 58, 11));
    const auto lines = TabCloseBoxLines(tab);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], (TLayoutLine{52, 5, 58, 5}));
    EXPECT_EQ(lines[3], (TLayoutLine{52, 11, 52, 5}));
    EXPECT_EQ(lines[4], (TLayoutLine{52, 5, 58, 11}));
    EXPECT_EQ(lines[5], (TLayoutLine{58, 5, 52, 11}));

    const std::vector<TPixRect> boxes{PixRect(52, 5, 58, 11), PixRect(0, 0, 0, 0), PixRect(110, 5, 116, 11)};
    EXPECT_EQ(TabCloseBoxAt(boxes, 52, 5), 0);
    EXPECT_EQ(TabCloseBoxAt(boxes, 57, 10), 0);
    EXPECT_EQ(TabCloseBoxAt(boxes, 58, 10), -1);  // right edge outside
    EXPECT_EQ(TabCloseBoxAt(boxes, 0, 0), -1);    // a tab not drawn has no box
    EXPECT_EQ(TabCloseBoxAt(boxes, 112, 8), 2);
    EXPECT_EQ(TabCloseBoxAt({}, 112, 8), -1);
}

TEST(TabLayout, TabSetLeavesOutWhatDoesNotFit)
{
    // Texts 30, 80, 20 wide from x 5, room up to 100: the long second tab is left out and the
    // third, shorter one still drawn.
    auto tabs = TabSetLayout({30, 80, 20}, 0, 5, 100, 18, false);
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs[0], (TTabSetTab{0, PixRect(5, 0, 44, 18)}));
    EXPECT_EQ(tabs[1], (TTabSetTab{2, PixRect(44, 0, 73, 18)}));
    // From the first tab shown; an end exactly at the limit fits.
    tabs = TabSetLayout({30, 80, 20}, 2, 71, 100, 18, false);
    ASSERT_EQ(tabs.size(), 1u);
    EXPECT_EQ(tabs[0].Rect, PixRect(71, 0, 100, 18));
    // Scroll buttons take 12 more.
    EXPECT_TRUE(TabSetLayout({30, 80, 20}, 2, 71, 100, 18, true).empty());
    EXPECT_TRUE(TabSetLayout({}, 0, 0, 100, 18, false).empty());
}

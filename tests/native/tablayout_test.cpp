// The tab skins: the side from the style, pane and strip for every side, each tab in the strip
// as built, the close boxes and the tab set's layout.
#include <gtest/gtest.h>

#include "tablayout.h"

TEST(TabLayout, PaneStripAndTabsForEverySide)
{
    EXPECT_EQ(TabPositionOfStyle(0x50000200), tbTop);
    EXPECT_EQ(TabPositionOfStyle(0x2), tbBottom);
    EXPECT_EQ(TabPositionOfStyle(0x80), tbLeft);
    EXPECT_EQ(TabPositionOfStyle(0x82), tbRight);

    const TPixRect window = PixRect(0, 0, 300, 200);
    struct TCase {
        int Side;
        TPixRect Display, Pane, Strip;
        TTabStripSize Size;
        TPixRect Tab, InStrip;
    };
    // Left and right strips are built lying down (as long as the control is high); the tab
    // rectangles are turned back for the strip's counter-clockwise (left) or clockwise turn.
    const TCase cases[] = {
        {tbTop, PixRect(4, 26, 296, 196), PixRect(0, 23, 300, 200), PixRect(0, 0, 300, 23), {300, 23},
         PixRect(2, 2, 60, 22), PixRect(2, 3, 60, 23)},
        {tbBottom, PixRect(4, 4, 296, 174), PixRect(0, 0, 300, 177), PixRect(0, 177, 300, 200), {300, 23},
         PixRect(2, 178, 60, 198), PixRect(2, 0, 60, 20)},
        {tbLeft, PixRect(30, 4, 296, 196), PixRect(27, 0, 300, 200), PixRect(0, 0, 27, 200), {200, 27},
         PixRect(2, 2, 26, 60), PixRect(140, 2, 198, 26)},
        {tbRight, PixRect(4, 4, 270, 196), PixRect(0, 0, 273, 200), PixRect(273, 0, 300, 200), {200, 27},
         PixRect(274, 2, 298, 60), PixRect(1, 2, 59, 26)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Side);
        EXPECT_EQ(TabPaneRect(c.Display, c.Side), c.Pane);
        EXPECT_EQ(TabStripRect(window, c.Pane, c.Side), c.Strip);
        EXPECT_EQ(TabStripSize(c.Strip, c.Side), c.Size);
        EXPECT_EQ(TabInStrip(c.Tab, c.Side, c.Size.Length, c.Pane, window), c.InStrip);
    }
}

TEST(TabLayout, CloseBoxesAndTabSets)
{
    const TPixRect tab = PixRect(2, 3, 60, 23);
    EXPECT_EQ(TabCloseBox(tab), PixRect(52, 5, 58, 11));
    const auto lines = TabCloseBoxLines(tab);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4], (TLayoutLine{52, 5, 58, 11}));
    EXPECT_EQ(lines[5], (TLayoutLine{58, 5, 52, 11}));
    const std::vector<TPixRect> boxes{PixRect(52, 5, 58, 11), PixRect(0, 0, 0, 0), PixRect(110, 5, 116, 11)};
    EXPECT_EQ(TabCloseBoxAt(boxes, 57, 10), 0);
    EXPECT_EQ(TabCloseBoxAt(boxes, 58, 10), -1);  // right edge outside
    EXPECT_EQ(TabCloseBoxAt(boxes, 0, 0), -1);    // a tab not drawn has no box
    EXPECT_EQ(TabCloseBoxAt(boxes, 112, 8), 2);

    // A tab set leaves out the long second tab and still draws the shorter third one.
    auto tabs = TabSetLayout({30, 80, 20}, 0, 5, 100, 18, false);
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs[0], (TTabSetTab{0, PixRect(5, 0, 44, 18)}));
    EXPECT_EQ(tabs[1], (TTabSetTab{2, PixRect(44, 0, 73, 18)}));
    EXPECT_EQ(TabSetLayout({30, 80, 20}, 2, 71, 100, 18, false).size(), 1u);  // ends at the limit
    EXPECT_TRUE(TabSetLayout({30, 80, 20}, 2, 71, 100, 18, true).empty());     // scroll buttons: 12 more
}

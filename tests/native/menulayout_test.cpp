// The skinned menus' window-free geometry and decisions: versions, item widths and the places
// inside an owner-drawn item, the separator's slices, the menu bar's cells and keys, the rows of
// the skinned system menu.
#include <gtest/gtest.h>

#include "menulayout.h"

TEST(MenuLayout, VersionsAreComparedAsVersions)
{
    const TWinVersion xp = TWinVersion::FromGetVersion(0x0A280105);  // 5.1, build 2600
    EXPECT_TRUE(xp.NT);
    EXPECT_EQ(xp.Major, 5);
    EXPECT_EQ(xp.Minor, 1);
    EXPECT_FALSE(PopupFrameThroughWindowDC(xp));
    // 6.0 is later than 5.2 although its minor version is smaller.
    EXPECT_TRUE(PopupFrameThroughWindowDC(TWinVersion::FromGetVersion(0x00000006)));
    EXPECT_TRUE(PopupFrameThroughWindowDC(TWinVersion::FromGetVersion(0x00000205)));
    const TWinVersion nt4 = TWinVersion::FromGetVersion(0x05650004);
    EXPECT_TRUE(nt4.NT4());
    EXPECT_TRUE(BarFromMenuItems(nt4));
    const TWinVersion win95 = TWinVersion::FromGetVersion(0xC3B60004);
    EXPECT_FALSE(win95.NT);
    EXPECT_FALSE(win95.NT4());
    EXPECT_TRUE(BarFromMenuItems(win95));  // 4.0 of any platform
    EXPECT_FALSE(PopupFrameThroughWindowDC(win95));
    EXPECT_FALSE(BarFromMenuItems(TWinVersion::FromGetVersion(0x0000000A)));
    EXPECT_FALSE(BarFromMenuItems(TWinVersion::FromGetVersion(0x80000A04)));  // 98: 4.10
}

TEST(MenuLayout, PopupKindsFollowTheirGatesAndItemsTheirWindowsClientArea)
{
    TMenuKindGates gates;
    EXPECT_FALSE(PopupKindAllowed(0, gates) || PopupKindAllowed(1, gates) || PopupKindAllowed(2, gates));
    EXPECT_TRUE(PopupKindAllowed(7, gates));
    gates.MenuItem = true;
    EXPECT_TRUE(PopupKindAllowed(1, gates));
    gates.PopupMenu = gates.SystemMenu = true;
    EXPECT_TRUE(PopupKindAllowed(0, gates) && PopupKindAllowed(2, gates));
    EXPECT_EQ(PopupItemArea(PixRect(0, 20, 100, 40), PopupFrame, PopupFrame), PixRect(3, 23, 103, 43));
    EXPECT_EQ(PopupItemArea(PixRect(3, 20, 100, 40), 0, 0), PixRect(3, 20, 100, 40));
    const std::vector<TPixRect> strips = PopupFrameStrips(50, 40);
    ASSERT_EQ(strips.size(), 4u);
    EXPECT_EQ(strips[1], PixRect(0, 37, 50, 40));
    EXPECT_EQ(strips[3], PixRect(47, 0, 50, 40));
}

TEST(MenuLayout, OwnerDrawnItemsAreWiderByTheSkinsEdgeAndTheGlyphColumn)
{
    // A picture with a 20-pixel left edge: 55 wider without images, 32 with.
    EXPECT_EQ(PopupMenuItemWidth(100, 20, false), 155);
    EXPECT_EQ(PopupMenuItemWidth(100, 20, true), 132);
    EXPECT_EQ(MainMenuItemWidth(100, 20, true), 130);
    EXPECT_EQ(MainMenuItemWidth(100, 0, false), 135);
    const TItemSize text = WindowMenuItemSize(40, false, 15, 4, false);
    EXPECT_EQ(text.Width, 70);
    EXPECT_EQ(text.Height, 19);
    const TItemSize empty = WindowMenuItemSize(0, true, 15, 0, true);
    EXPECT_EQ(empty.Width, 26);
    EXPECT_EQ(empty.Height, 12);
}

TEST(MenuLayout, GlyphCaptionAndShortcutPlaces)
{
    const TPixRect r = PixRect(0, 0, 200, 22);
    EXPECT_EQ(MenuGlyphSize(0, false), 16);
    EXPECT_EQ(MenuGlyphSize(12, false), 12);
    EXPECT_EQ(MenuGlyphSize(12, true), 16);

    const TPixRect box = MenuGlyphBox(r, 16, 4, false);
    EXPECT_EQ(box, PixRect(5, 1, 21, 17));
    EXPECT_EQ(MenuGlyphBox(r, 16, 4, true), PixRect(179, 1, 195, 17));
    EXPECT_EQ(CheckedImageTop(r), 3);
    EXPECT_EQ(ImageTop(r, 12), 5);
    // A 12 x 12 mark: centred across the column and down the item, one pixel on.
    EXPECT_EQ(MenuCheckMarkAt(r, box, 16, 12, 12, false), (TPixPoint{8, 6}));
    EXPECT_EQ(MenuCheckMarkAt(r, box, 16, 12, 12, true), (TPixPoint{8, 4}));

    const TPixRect text = MenuTextRect(r, box, false, false);
    EXPECT_EQ(text, PixRect(24, 0, 199, 22));
    EXPECT_EQ(MenuTextRect(r, box, true, false).Left, 3);
    EXPECT_EQ(MenuTextRect(r, MenuGlyphBox(r, 16, 4, true), false, true), PixRect(1, 0, 176, 22));
    // A 14-pixel caption measured at the top goes down to the middle.
    const TPixRect measured = PlaceMenuText(PixRect(24, 0, 80, 14), text, r, false);
    EXPECT_EQ(measured, PixRect(24, 4, 80, 18));
    // The shortcut ends 11 pixels before the item's right edge.
    EXPECT_EQ(MenuShortcutRect(measured, text, r, false), PixRect(80, 4, 189, 18));
    // Right to left the caption goes against the glyph box, the shortcut from 10 pixels into
    // the caption's area up to the caption.
    const TPixRect area = PixRect(1, 0, 176, 22);
    const TPixRect mirrored = PlaceMenuText(PixRect(1, 0, 60, 14), area, r, true);
    EXPECT_EQ(mirrored, PixRect(117, 4, 176, 18));
    EXPECT_EQ(MenuShortcutRect(mirrored, area, r, true), PixRect(11, 4, 117, 18));
}

TEST(MenuLayout, SeparatorTakesTheSecondStatesBottomRows)
{
    // 5 states of 20 x 30, edges 4 and 6, into a 100 x 8 item.
    const TSlicePlan plan = MenuSeparatorPlan(100, 30, 4, 6, 100, 8);
    ASSERT_EQ(plan.Count(), 3);
    EXPECT_EQ(plan[0].Src, PixRect(20, 22, 24, 30));
    EXPECT_EQ(plan[0].Dst, PixRect(0, 0, 4, 8));
    EXPECT_EQ(plan[1].Src, PixRect(34, 22, 40, 30));
    EXPECT_EQ(plan[1].Dst, PixRect(94, 0, 100, 8));
    EXPECT_EQ(plan[2].Src, PixRect(24, 22, 34, 30));
    EXPECT_EQ(plan[2].Dst, PixRect(4, 0, 94, 8));
    // A picture lower than the item gives all its rows, stretched.
    EXPECT_EQ(MenuSeparatorPlan(100, 5, 0, 0, 50, 9)[0].Src, PixRect(20, 0, 40, 5));
    // Nothing from an empty picture; edges wider than a state are cut to it.
    EXPECT_EQ(MenuSeparatorPlan(4, 30, 0, 0, 50, 9).Count(), 0);
    const TSlicePlan wide = MenuSeparatorPlan(100, 30, 50, 50, 100, 8);
    for (const TSlicePiece& p : wide) {
        EXPECT_GE(p.Src.Left, 20);
        EXPECT_LE(p.Src.Right, 40);
    }
}

TEST(MenuLayout, MenuBarMarginAndCells)
{
    EXPECT_EQ(MenuBarMargin(false, 9, 9, false, 300), 6);
    EXPECT_EQ(MenuBarMargin(true, 2, 3, false, 300), 6);
    EXPECT_EQ(MenuBarMargin(true, 2, 3, true, 300), 11);
    EXPECT_EQ(MenuBarMargin(true, 50, 3, false, 40), 12);  // wider than the bar
    EXPECT_EQ(MenuBarButtonWidth(30), 40);
    EXPECT_EQ(MenuBarButtonWidth(0), 0);

    const std::vector<TBarCell> cells{{true, 40}, {false, 30}, {true, 50}};
    const auto ltr = LayoutMenuBar(cells, 300, 20, 6, false);
    EXPECT_EQ(ltr[0], PixRect(6, 0, 46, 19));
    EXPECT_TRUE(ltr[1].Empty());
    EXPECT_EQ(ltr[2], PixRect(46, 0, 96, 19));
    const auto rtl = LayoutMenuBar(cells, 300, 20, 11, true);
    EXPECT_EQ(rtl[0], PixRect(249, 0, 289, 19));
    EXPECT_EQ(rtl[2], PixRect(199, 0, 249, 19));
    // The maximized child's buttons on the bar keep the buttons left of them.
    EXPECT_EQ(LayoutMenuBar(cells, 300, 20, 11, true, 200)[0], PixRect(160, 0, 200, 19));
}

TEST(MenuLayout, ArrowKeysMoveBetweenBarButtons)
{
    EXPECT_EQ(NextBarButton(2, 3, +1), 0);
    EXPECT_EQ(NextBarButton(0, 3, -1), 2);
    EXPECT_EQ(NextBarButton(0, 1, -1), 0);  // one button: the same index
    EXPECT_EQ(NextBarButton(0, 0, +1), -1);
    EXPECT_EQ(SwapArrowKey(37), 39u);
    EXPECT_EQ(SwapArrowKey(39), 37u);
    EXPECT_EQ(SwapArrowKey(40), 40u);

    const TBarHighlight none;
    EXPECT_EQ(BarKeyTarget(37, none, 1, 3), 0);
    EXPECT_EQ(BarKeyTarget(39, none, 1, 3), 2);
    EXPECT_EQ(BarKeyTarget(40, none, 1, 3), -1);
    // Inside a submenu Left goes back to its parent; Right on a submenu item opens it.
    const TBarHighlight deep{true, false, false};
    EXPECT_EQ(BarKeyTarget(37, deep, 1, 3), -1);
    EXPECT_EQ(BarKeyTarget(39, deep, 1, 3), 2);
    const TBarHighlight parent{true, true, true};
    EXPECT_EQ(BarKeyTarget(37, parent, 1, 3), 0);
    EXPECT_EQ(BarKeyTarget(39, parent, 1, 3), -1);

    EXPECT_TRUE(IsMenuAccel('f', L"&File"));
    EXPECT_FALSE(IsMenuAccel('S', L"S&end"));
    EXPECT_FALSE(IsMenuAccel('&', L"A && B"));
    EXPECT_TRUE(IsMenuAccel('B', L"A && &B"));
    EXPECT_FALSE(IsMenuAccel('F', L"File&"));
}

TEST(MenuLayout, SystemMenuRowsFollowTheSizeState)
{
    const unsigned enabled = 0, greyed = 3;
    EXPECT_FALSE(SystemMenuRow(0xF120, enabled, 0, true, true, true).Enabled);  // restore a normal window
    EXPECT_TRUE(SystemMenuRow(0xF120, enabled, 1, true, true, true).Enabled);
    EXPECT_FALSE(SystemMenuRow(0xF000, enabled, 1, true, true, true).Enabled);  // size a maximized one
    EXPECT_TRUE(SystemMenuRow(0xF010, enabled, 2, true, true, true).Enabled);
    EXPECT_FALSE(SystemMenuRow(0xF020, enabled, 0, false, true, true).Enabled);  // no minimize box
    EXPECT_FALSE(SystemMenuRow(0xF020, enabled, 2, true, true, true).Enabled);
    EXPECT_EQ(SystemMenuRow(0xF030, enabled, 0, true, true, true).Image, 1);
    EXPECT_FALSE(SystemMenuRow(0xF030, enabled, 1, true, true, true).Enabled);
    EXPECT_FALSE(SystemMenuRow(0xF030, enabled, 0, true, false, true).Enabled);
    // Codes with low bits set are the same commands.
    EXPECT_EQ(SystemMenuRow(0xF062, enabled, 0, true, true, true).Image, 3);
    EXPECT_TRUE(SystemMenuRow(0xF060, enabled, 0, false, false, true).Enabled);
    EXPECT_FALSE(SystemMenuRow(0xF060, greyed, 0, true, true, true).Enabled);
    EXPECT_FALSE(SystemMenuRow(0xF060, 1, 0, true, true, true).Enabled);  // MF_GRAYED alone
    EXPECT_FALSE(SystemMenuRow(0x1234, 2, 0, true, true, true).Enabled);  // MF_DISABLED alone
    EXPECT_TRUE(SystemMenuRow(0x1234, 8, 0, true, true, true).Enabled);   // checked
    // Size needs a sizing border and a normal window; Move only a window that is not maximized.
    EXPECT_FALSE(SystemMenuRow(0xF000, enabled, 0, true, true, false).Enabled);
    EXPECT_TRUE(SystemMenuRow(0xF000, enabled, 0, true, true, true).Enabled);
    EXPECT_FALSE(SystemMenuRow(0xF000, enabled, 2, true, true, true).Enabled);
    EXPECT_TRUE(SystemMenuRow(0xF010, enabled, 0, true, true, false).Enabled);
    EXPECT_FALSE(SystemMenuRow(0xF010, enabled, 1, true, true, true).Enabled);  // move a maximized one
    // The glyphs: restore, maximize, minimize, close.
    EXPECT_EQ(SystemMenuRow(0xF120, enabled, 1, true, true, true).Image, 0);
    EXPECT_EQ(SystemMenuRow(0xF020, enabled, 0, true, true, true).Image, 2);
    EXPECT_FALSE(SystemMenuRow(0xF010, greyed, 0, true, true, true).Enabled);

    EXPECT_TRUE(WithinDoubleClick(1500, 1000, true, 500));
    EXPECT_FALSE(WithinDoubleClick(1501, 1000, true, 500));
    EXPECT_FALSE(WithinDoubleClick(100, 0, false, 500));
    // Across the counter's wrap.
    EXPECT_TRUE(WithinDoubleClick(100, 0xFFFFFF00u, true, 500));
    EXPECT_FALSE(WithinDoubleClick(0xFFFFFF00u, 100, true, 500));
}

// Geometry of the skinned scroll bar: parts and hit tests in both orientations, the drawing
// thickness, the frames of the pieces, the painted thumb during a drag, and the scroll
// position a dragged thumb of a drop-down list stands for.
#include <gtest/gtest.h>

#include "scrollbarlayout.h"

namespace {

// A 17 x 150 vertical bar with 17-pixel buttons and a thumb at [40, 70).
TScrollBarShape Vertical()
{
    TScrollBarShape s;
    s.Vertical = true;
    s.Width = 17;
    s.Height = 150;
    s.ButtonSize = 17;
    s.SkinHeight = 17;
    s.ThumbStart = 40;
    s.ThumbEnd = 70;
    s.Extent = 150;
    return s;
}

TScrollBarShape Horizontal()
{
    TScrollBarShape s = Vertical();
    s.Vertical = false;
    s.Width = 150;
    s.Height = 17;
    return s;
}

}  // namespace

TEST(ScrollBarLayout, PartsOfAVerticalAndAHorizontalBar)
{
    const TScrollBarParts v = LayOutScrollBar(Vertical());
    EXPECT_EQ(v.Thickness, 17);
    EXPECT_EQ(v.FirstArrow, PixRect(0, 0, 17, 17));
    EXPECT_EQ(v.SecondArrow, PixRect(0, 133, 17, 150));
    EXPECT_EQ(v.Track, PixRect(0, 17, 17, 133));
    EXPECT_EQ(v.Thumb, PixRect(0, 40, 17, 70));
    EXPECT_EQ(v.Grip, PixRect(0, 46, 17, 63));  // 17 long, centred in the 30-pixel thumb

    const TScrollBarParts h = LayOutScrollBar(Horizontal());
    EXPECT_EQ(h.FirstArrow, PixRect(0, 0, 17, 17));
    EXPECT_EQ(h.SecondArrow, PixRect(133, 0, 150, 17));
    EXPECT_EQ(h.Track, PixRect(17, 0, 133, 17));
    EXPECT_EQ(h.Thumb, PixRect(40, 0, 70, 17));
    EXPECT_EQ(h.Grip, PixRect(46, 0, 63, 17));
}

TEST(ScrollBarLayout, ThicknessFollowsTheSkinUnlessItIsFarOff)
{
    EXPECT_EQ(ScrollBarThickness(19, 17), 19);  // 2 thicker: its own height
    EXPECT_EQ(ScrollBarThickness(20, 17), 17);  // 3 thicker: the system's
    EXPECT_EQ(ScrollBarThickness(15, 17), 15);
    EXPECT_EQ(ScrollBarThickness(14, 17), 17);

    TScrollBarShape s = Vertical();
    s.SkinHeight = 15;
    const TScrollBarParts p = LayOutScrollBar(s);
    EXPECT_EQ(p.FirstArrow, PixRect(0, 0, 15, 17));
    EXPECT_EQ(p.Thumb.Width(), 15);
}

TEST(ScrollBarLayout, AShortBarSplitsItsLengthBetweenTheArrows)
{
    TScrollBarShape s = Vertical();
    s.Height = 25;
    s.Extent = 25;
    s.ThumbStart = s.ThumbEnd = 0;
    const TScrollBarParts p = LayOutScrollBar(s);
    EXPECT_EQ(p.FirstArrow, PixRect(0, 0, 17, 12));
    EXPECT_EQ(p.SecondArrow, PixRect(0, 13, 17, 25));
    EXPECT_TRUE(p.Track.Empty());
    EXPECT_TRUE(p.Thumb.Empty());
    EXPECT_TRUE(p.Grip.Empty());
}

TEST(ScrollBarLayout, DisabledBarsAndPartsPastTheSurfaceHaveNoThumb)
{
    TScrollBarShape s = Vertical();
    s.Enabled = false;
    TScrollBarParts p = LayOutScrollBar(s);
    EXPECT_TRUE(p.Thumb.Empty());
    EXPECT_TRUE(p.Grip.Empty());
    EXPECT_FALSE(p.Track.Empty());

    s = Vertical();
    s.Extent = 60;  // the thumb ends past the surface
    p = LayOutScrollBar(s);
    EXPECT_TRUE(p.Thumb.Empty());
    EXPECT_TRUE(p.Grip.Empty());

    s = Vertical();
    s.ThumbEnd = 55;  // 15 long: the 17-pixel grip needs 18
    p = LayOutScrollBar(s);
    EXPECT_FALSE(p.Thumb.Empty());
    EXPECT_TRUE(p.Grip.Empty());
}

TEST(ScrollBarLayout, HitTestFindsEveryPart)
{
    // 150 long, buttons 17, thumb [40, 70).
    EXPECT_EQ(ScrollBarHitTest(0, 17, 40, 70, 150), ScrollPart::LineUp);
    EXPECT_EQ(ScrollBarHitTest(16, 17, 40, 70, 150), ScrollPart::LineUp);
    EXPECT_EQ(ScrollBarHitTest(17, 17, 40, 70, 150), ScrollPart::PageUp);
    EXPECT_EQ(ScrollBarHitTest(39, 17, 40, 70, 150), ScrollPart::PageUp);
    EXPECT_EQ(ScrollBarHitTest(40, 17, 40, 70, 150), ScrollPart::Thumb);
    EXPECT_EQ(ScrollBarHitTest(69, 17, 40, 70, 150), ScrollPart::Thumb);
    EXPECT_EQ(ScrollBarHitTest(70, 17, 40, 70, 150), ScrollPart::PageDown);
    EXPECT_EQ(ScrollBarHitTest(132, 17, 40, 70, 150), ScrollPart::PageDown);
    EXPECT_EQ(ScrollBarHitTest(133, 17, 40, 70, 150), ScrollPart::LineDown);
    // Without a thumb the track before it reaches the second arrow's page.
    EXPECT_EQ(ScrollBarHitTest(60, 17, 0, 0, 150), ScrollPart::PageDown);
}

TEST(ScrollBarLayout, FramesOfArrowsThumbAndGrip)
{
    EXPECT_EQ(ScrollArrowFrame(false, false, ScrollPart::None, false), 1);
    EXPECT_EQ(ScrollArrowFrame(false, false, ScrollPart::LineUp, true), 2);
    EXPECT_EQ(ScrollArrowFrame(false, false, ScrollPart::LineUp, false), 4);
    EXPECT_EQ(ScrollArrowFrame(false, true, ScrollPart::LineDown, true), 6);
    EXPECT_EQ(ScrollArrowFrame(false, true, ScrollPart::LineUp, true), 5);
    EXPECT_EQ(ScrollArrowFrame(true, false, ScrollPart::LineUp, false), 12);
    EXPECT_EQ(ScrollArrowFrame(true, true, ScrollPart::LineDown, false), 16);
    EXPECT_EQ(ScrollArrowFrame(true, true, ScrollPart::Thumb, true), 13);
    // The end of a scroll (8) and the final position (4) name no part.
    EXPECT_EQ(ScrollArrowFrame(true, true, 8, false), 13);

    EXPECT_EQ(ScrollGripFrame(false, ScrollPart::Thumb, true), 18);
    EXPECT_EQ(ScrollGripFrame(false, ScrollPart::Thumb, false), 19);
    EXPECT_EQ(ScrollGripFrame(true, ScrollPart::PageUp, true), 20);
    EXPECT_EQ(ScrollGripFrame(true, ScrollPart::Thumb, true), 21);
    EXPECT_EQ(ScrollGripFrame(true, ScrollPart::Thumb, false), 22);
    EXPECT_EQ(ScrollThumbFrame(ScrollPart::Thumb, true), 2);
    EXPECT_EQ(ScrollThumbFrame(ScrollPart::Thumb, false), 3);
    EXPECT_EQ(ScrollThumbFrame(ScrollPart::PageDown, false), 1);
}

TEST(ScrollBarLayout, ThePaintedThumbFollowsTheCursorBetweenTheArrows)
{
    // Thumb [40, 70) in a 150-pixel bar with 17-pixel buttons.
    EXPECT_EQ(FollowThumb(40, 25, 17, 150, {40, 70}), (TThumbSpan{65, 95}));
    EXPECT_EQ(FollowThumb(40, -100, 17, 150, {40, 70}), (TThumbSpan{17, 47}));
    EXPECT_EQ(FollowThumb(40, 500, 17, 150, {40, 70}), (TThumbSpan{103, 133}));
    // Painted again during the same drag: the start counts from the press, not the last paint.
    EXPECT_EQ(FollowThumb(40, 10, 17, 150, {65, 95}), (TThumbSpan{50, 80}));
}

TEST(ScrollBarLayout, ADraggedListThumbStandsForAPositionInTheRange)
{
    // 100 items, 10 a page: range 0..99, page 10; the track is 100 long, the thumb 10.
    const TScrollRange paged{0, 99, 10};
    EXPECT_EQ(DragScrollPosition(0, 0, 100, 10, paged), 0);
    EXPECT_EQ(DragScrollPosition(0, 45, 100, 10, paged), 45);  // 45 * 89 / 90 = 44.5
    EXPECT_EQ(DragScrollPosition(20, -50, 100, 10, paged), 0);  // above the top: the minimum
    // Past the end: one past the last full page.
    EXPECT_EQ(DragScrollPosition(0, 200, 100, 10, paged), 90);
    EXPECT_EQ(DragScrollPosition(0, 89, 100, 10, paged), 88);
    EXPECT_EQ(DragScrollPosition(0, 90, 100, 10, paged), 90);

    // Without a page the position runs to the maximum.
    const TScrollRange plain{0, 50, 0};
    EXPECT_EQ(DragScrollPosition(0, 40, 100, 10, plain), 20);
    EXPECT_EQ(DragScrollPosition(0, 500, 100, 10, plain), 45);  // the thumb stops at 90 of 100
    EXPECT_EQ(DragScrollPosition(0, 0, 100, 10, {10, 60, 0}), 10);

    // No room for the thumb to move: no division by zero, the minimum.
    EXPECT_EQ(DragScrollPosition(0, 30, 10, 10, {5, 20, 4}), 5);
    EXPECT_EQ(DragScrollPosition(0, 30, 0, 0, {5, 20, 0}), 5);
}

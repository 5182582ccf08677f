// The range controls' skins: custom-draw answers, the channel and thumb pictures' places, the
// up-down's buttons and picture frames, and the filled part of a progress bar.
#include <gtest/gtest.h>

#include <vector>

#include "rangelayout.h"

namespace {

std::vector<TSlicePiece> Pieces(const TSlicePlan& plan) { return {plan.begin(), plan.end()}; }

}  // namespace

TEST(RangeLayout, TrackBarCustomDrawAnswers)
{
    using namespace TrackDraw;
    EXPECT_EQ(TrackCustomDrawAnswer(PrePaint, 0), (TTrackDrawAnswer{TTrackPart::None, NotifyItemDraw}));
    // Tick marks keep their standard drawing; channel and thumb are ours.
    EXPECT_EQ(TrackCustomDrawAnswer(ItemPrePaint, Tics), (TTrackDrawAnswer{TTrackPart::None, DoDefault}));
    EXPECT_EQ(TrackCustomDrawAnswer(ItemPrePaint, Thumb), (TTrackDrawAnswer{TTrackPart::Thumb, SkipDefault}));
    EXPECT_EQ(TrackCustomDrawAnswer(ItemPrePaint, Channel), (TTrackDrawAnswer{TTrackPart::Channel, SkipDefault}));
    // Other stages and items: the default, nothing drawn.
    EXPECT_EQ(TrackCustomDrawAnswer(0x2, Thumb), TTrackDrawAnswer{});
    EXPECT_EQ(TrackCustomDrawAnswer(0x10002, Channel), TTrackDrawAnswer{});
    EXPECT_EQ(TrackCustomDrawAnswer(ItemPrePaint, 9), TTrackDrawAnswer{});
}

TEST(RangeLayout, VerticalChannelIsTakenByItsShape)
{
    // Lying down (wider than tall): turned.
    EXPECT_EQ(UprightChannelRect(PixRect(8, 10, 120, 14)), PixRect(10, 8, 14, 120));
    // Already upright: kept.
    EXPECT_EQ(UprightChannelRect(PixRect(10, 8, 14, 120)), PixRect(10, 8, 14, 120));
}

TEST(RangeLayout, HorizontalChannelThreeSliced)
{
    // A 16 x 4 picture with ends of 3 over a 100 x 4 channel at (10, 20).
    TChannelLayout l = HorzChannelLayout(PixRect(10, 20, 110, 24), 16, 4, 3, 3);
    EXPECT_EQ(l.Target, PixRect(10, 20, 110, 24));
    const auto p = Pieces(l.Plan);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].Src, PixRect(0, 0, 3, 4));
    EXPECT_EQ(p[0].Dst, PixRect(0, 0, 3, 4));
    EXPECT_EQ(p[1].Src, PixRect(3, 0, 13, 4));
    EXPECT_EQ(p[1].Dst, PixRect(3, 0, 97, 4));
    EXPECT_EQ(p[2].Src, PixRect(13, 0, 16, 4));
    EXPECT_EQ(p[2].Dst, PixRect(97, 0, 100, 4));
    for (const TSlicePiece& piece : p)
        EXPECT_EQ(piece.Mode, TPieceMode::Stretch);

    // A channel taller than the picture gets it from its middle row down.
    l = HorzChannelLayout(PixRect(10, 20, 110, 31), 16, 4, 3, 3);
    EXPECT_EQ(l.Target, PixRect(10, 25, 110, 29));
    // Ends wider than the picture are cut to it; nothing reads outside it.
    l = HorzChannelLayout(PixRect(0, 0, 50, 4), 16, 4, 12, 12);
    for (const TSlicePiece& piece : l.Plan) {
        EXPECT_GE(piece.Src.Left, 0);
        EXPECT_LE(piece.Src.Right, 16);
    }
    // No picture or no channel: nothing.
    EXPECT_TRUE(HorzChannelLayout(PixRect(0, 0, 50, 4), 0, 4, 3, 3).Target.Empty());
    EXPECT_TRUE(HorzChannelLayout(PixRect(0, 0, 0, 4), 16, 4, 3, 3).Target.Empty());
}

TEST(RangeLayout, VerticalChannelThreeSlicedAndCentred)
{
    // A 4 x 16 picture with ends of 3 over a 10 x 80 channel: centred across.
    const TChannelLayout l = VertChannelLayout(PixRect(20, 10, 30, 90), 4, 16, 3, 3);
    EXPECT_EQ(l.Target, PixRect(23, 10, 27, 90));
    const auto p = Pieces(l.Plan);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].Src, PixRect(0, 0, 4, 3));
    EXPECT_EQ(p[0].Dst, PixRect(0, 0, 4, 3));
    EXPECT_EQ(p[1].Src, PixRect(0, 3, 4, 13));
    EXPECT_EQ(p[1].Dst, PixRect(0, 3, 4, 77));
    EXPECT_EQ(p[2].Src, PixRect(0, 13, 4, 16));
    EXPECT_EQ(p[2].Dst, PixRect(0, 77, 4, 80));
    // A channel narrower than the picture: from its left edge.
    EXPECT_EQ(VertChannelLayout(PixRect(20, 10, 23, 90), 4, 16, 3, 3).Target, PixRect(20, 10, 24, 90));
}

TEST(RangeLayout, UpDownButtonsAndTheirFrames)
{
    // Vertical 16 x 20: up above the middle, down from it; the cursor picks the active one.
    TUpDownLayout l = UpDownButtons(16, 20, false, 5, 4);
    EXPECT_EQ(l.First.Rect, PixRect(0, 0, 16, 10));
    EXPECT_EQ(l.First.Direction, udUp);
    EXPECT_TRUE(l.First.Active);
    EXPECT_EQ(l.Second.Rect, PixRect(0, 10, 16, 20));
    EXPECT_EQ(l.Second.Direction, udDown);
    EXPECT_FALSE(l.Second.Active);
    EXPECT_TRUE(UpDownButtons(16, 20, false, 5, 10).Second.Active);
    // Horizontal 31 x 12: left and right halves.
    l = UpDownButtons(31, 12, true, 15, 0);
    EXPECT_EQ(l.First.Rect, PixRect(0, 0, 15, 12));
    EXPECT_EQ(l.Second.Rect, PixRect(15, 0, 31, 12));
    EXPECT_EQ(l.First.Direction, udLeft);
    EXPECT_EQ(l.Second.Direction, udRight);
    EXPECT_FALSE(l.First.Active);
    EXPECT_TRUE(l.Second.Active);
    // A cursor outside the control counts for the half on its side.
    EXPECT_TRUE(UpDownButtons(16, 20, false, -40, -3).First.Active);

    // States: disabled wins; an inactive button is normal; pressed before hot.
    EXPECT_EQ(UpDownButtonState(false, true, true, true), udsDisabled);
    EXPECT_EQ(UpDownButtonState(true, false, true, true), udsNormal);
    EXPECT_EQ(UpDownButtonState(true, true, true, true), udsPressed);
    EXPECT_EQ(UpDownButtonState(true, true, false, true), udsHot);
    EXPECT_EQ(UpDownButtonState(true, true, false, false), udsNormal);

    // Frames: up or left 1 to 4, down or right 5 to 8.
    EXPECT_EQ(UpDownFrameIndex(udsNormal, udUp), 1);
    EXPECT_EQ(UpDownFrameIndex(udsHot, udUp), 4);
    EXPECT_EQ(UpDownFrameIndex(udsNormal, udDown), 5);
    EXPECT_EQ(UpDownFrameIndex(udsDisabled, udDown), 7);
    EXPECT_EQ(UpDownFrameIndex(udsNormal, udLeft), 1);
    EXPECT_EQ(UpDownFrameIndex(udsPressed, udLeft), 2);
    EXPECT_EQ(UpDownFrameIndex(udsNormal, udRight), 5);
    EXPECT_EQ(UpDownFrameIndex(udsHot, udRight), 8);
}

TEST(RangeLayout, UpDownInAnEditKeepsThreePixelsOffItsBorder)
{
    const TPixRect r = PixRect(0, 0, 16, 20);
    // The up-down flush with the edit's top, bottom and right.
    EXPECT_EQ(UpDownInEditRect(r, PixRect(184, 50, 200, 70), PixRect(100, 50, 200, 70)), PixRect(0, 3, 13, 17));
    // Already 2 pixels in: one more each way.
    EXPECT_EQ(UpDownInEditRect(r, PixRect(182, 52, 198, 72), PixRect(100, 50, 200, 74)), PixRect(0, 1, 15, 19));
    // Far enough in: unchanged.
    EXPECT_EQ(UpDownInEditRect(r, PixRect(180, 54, 196, 74), PixRect(100, 50, 200, 80)), r);
}

TEST(RangeLayout, PlainArrowSitsInTheButtonsMiddle)
{
    EXPECT_EQ(PlainArrowPoint(PixRect(0, 0, 16, 10), udUp), (TArrowPoint{8, 3}));
    EXPECT_EQ(PlainArrowPoint(PixRect(0, 10, 16, 20), udDown), (TArrowPoint{8, 13}));
    EXPECT_EQ(PlainArrowPoint(PixRect(15, 0, 31, 12), udRight), (TArrowPoint{23, 6}));
}

TEST(RangeLayout, ProgressFill)
{
    const TPixRect bar = PixRect(0, 0, 200, 16);
    EXPECT_EQ(ProgressBarRect(200, 16, false), bar);
    EXPECT_EQ(ProgressBarRect(16, 200, true), bar);
    // Two frames: minimum 50, maximum 100, position 75 fills half.
    EXPECT_EQ(ProgressFillRect(bar, 75, 50, 100), PixRect(0, 0, 100, 16));
    EXPECT_EQ(ProgressFillRect(bar, 100, 0, 100), bar);
    // Rounded to the nearest pixel.
    EXPECT_EQ(ProgressFillRect(bar, 1, 0, 3), PixRect(0, 0, 67, 16));
    // Nothing: position 0, no range, or a range whose ends are the same.
    EXPECT_TRUE(ProgressFillRect(bar, 0, 0, 100).Empty());
    EXPECT_TRUE(ProgressFillRect(bar, 5, 0, 0).Empty());
    EXPECT_TRUE(ProgressFillRect(bar, 50, 50, 50).Empty());
    EXPECT_TRUE(ProgressFillRect(bar, 50, 60, 100).Empty());
    // Never past the bar.
    EXPECT_EQ(ProgressFillRect(bar, 300, 0, 100), bar);
    // Chunks count from 0 whatever the minimum: 75 of 100 is three quarters.
    EXPECT_EQ(ChunkFillWidth(200, 75, 100), 150);
    EXPECT_EQ(ChunkFillWidth(200, 0, 100), 0);
    EXPECT_EQ(ChunkFillWidth(200, 10, 0), 0);
    EXPECT_EQ(ChunkFillWidth(200, 300, 100), 200);
    EXPECT_EQ(ChunkCopies(150, 8), 19);
    EXPECT_EQ(ChunkCopies(150, 0), 0);
    EXPECT_EQ(ChunkCopies(0, 8), 0);
}

TEST(RangeLayout, MulDivRoundsLikeTheSystem)
{
    EXPECT_EQ(MulDivRound(10, 1, 4), 3);   // 2.5 rounds away from zero
    EXPECT_EQ(MulDivRound(10, 1, 3), 3);
    EXPECT_EQ(MulDivRound(-10, 1, 4), -3);
    EXPECT_EQ(MulDivRound(5, 5, 0), -1);
    EXPECT_EQ(MulDivRound(0x7FFFFFFF, 4, 2), -1);
}

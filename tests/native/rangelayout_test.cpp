// The range controls' skins: custom-draw answers, the channel pictures' pieces, the up-down's
// buttons and frames, the filled part of a progress bar.
#include <gtest/gtest.h>

#include <vector>

#include "rangelayout.h"

namespace {

std::vector<TPixRect> Dsts(const TSlicePlan& plan)
{
    std::vector<TPixRect> v;
    for (const TSlicePiece& p : plan)
        v.push_back(p.Dst);
    return v;
}

}  // namespace

TEST(RangeLayout, TrackBarCustomDrawAnswers)
{
    using namespace TrackDraw;
    EXPECT_EQ(TrackCustomDrawAnswer(PrePaint, 0), (TTrackDrawAnswer{TTrackPart::None, NotifyItemDraw}));
    EXPECT_EQ(TrackCustomDrawAnswer(ItemPrePaint, Tics), TTrackDrawAnswer{});  // ticks stay standard
    EXPECT_EQ(TrackCustomDrawAnswer(ItemPrePaint, Thumb), (TTrackDrawAnswer{TTrackPart::Thumb, SkipDefault}));
    EXPECT_EQ(TrackCustomDrawAnswer(ItemPrePaint, Channel), (TTrackDrawAnswer{TTrackPart::Channel, SkipDefault}));
    EXPECT_EQ(TrackCustomDrawAnswer(0x10002, Channel), TTrackDrawAnswer{});
}

TEST(RangeLayout, ChannelPicturesThreeSliced)
{
    // A 16 x 4 picture, ends of 3, over a 100-wide channel; a taller channel takes it from its
    // middle row down.
    TChannelLayout l = HorzChannelLayout(PixRect(10, 20, 110, 24), 16, 4, 3, 3);
    EXPECT_EQ(l.Target, PixRect(10, 20, 110, 24));
    EXPECT_EQ(Dsts(l.Plan), (std::vector{PixRect(0, 0, 3, 4), PixRect(3, 0, 97, 4), PixRect(97, 0, 100, 4)}));
    EXPECT_EQ(l.Plan[1].Src, PixRect(3, 0, 13, 4));
    EXPECT_EQ(HorzChannelLayout(PixRect(10, 20, 110, 31), 16, 4, 3, 3).Target, PixRect(10, 25, 110, 29));
    // Vertical: centred across a wider channel, from the left of a narrower one.
    l = VertChannelLayout(PixRect(20, 10, 30, 90), 4, 16, 3, 3);
    EXPECT_EQ(l.Target, PixRect(23, 10, 27, 90));
    EXPECT_EQ(Dsts(l.Plan), (std::vector{PixRect(0, 0, 4, 3), PixRect(0, 3, 4, 77), PixRect(0, 77, 4, 80)}));
    // A vertical channel given lying down is turned; an upright one kept.
    EXPECT_EQ(UprightChannelRect(PixRect(8, 10, 120, 14)), PixRect(10, 8, 14, 120));
    EXPECT_EQ(UprightChannelRect(PixRect(10, 8, 14, 120)), PixRect(10, 8, 14, 120));
    // Damaged numbers: ends cut to the picture, nothing without a picture.
    for (const TSlicePiece& p : HorzChannelLayout(PixRect(0, 0, 50, 4), 16, 4, 12, 12).Plan)
        EXPECT_TRUE(p.Src.Left >= 0 && p.Src.Right <= 16);
    EXPECT_TRUE(HorzChannelLayout(PixRect(0, 0, 50, 4), 0, 4, 3, 3).Target.Empty());
}

TEST(RangeLayout, UpDownButtonsStatesAndFrames)
{
    TUpDownLayout l = UpDownButtons(16, 20, false, 5, 4);
    EXPECT_EQ(l.First.Rect, PixRect(0, 0, 16, 10));
    EXPECT_EQ(l.Second.Rect, PixRect(0, 10, 16, 20));
    EXPECT_TRUE(l.First.Active && !l.Second.Active);
    l = UpDownButtons(31, 12, true, 15, 0);
    EXPECT_EQ(l.First.Rect, PixRect(0, 0, 15, 12));
    EXPECT_EQ(l.Second.Direction, udRight);
    EXPECT_TRUE(!l.First.Active && l.Second.Active);

    EXPECT_EQ(UpDownButtonState(false, true, true, true), udsDisabled);
    EXPECT_EQ(UpDownButtonState(true, false, true, true), udsNormal);
    EXPECT_EQ(UpDownButtonState(true, true, true, true), udsPressed);
    EXPECT_EQ(UpDownButtonState(true, true, false, true), udsHot);
    // Up or left frames 1 to 4, down or right 5 to 8.
    EXPECT_EQ(UpDownFrameIndex(udsHot, udUp), 4);
    EXPECT_EQ(UpDownFrameIndex(udsDisabled, udDown), 7);
    EXPECT_EQ(UpDownFrameIndex(udsPressed, udLeft), 2);
    EXPECT_EQ(UpDownFrameIndex(udsNormal, udRight), 5);

    // Inside an edit: 3 pixels off its top, bottom and right, whatever the up-down has already.
    const TPixRect r = PixRect(0, 0, 16, 20);
    EXPECT_EQ(UpDownInEditRect(r, PixRect(184, 50, 200, 70), PixRect(100, 50, 200, 70)), PixRect(0, 3, 13, 17));
    EXPECT_EQ(UpDownInEditRect(r, PixRect(182, 52, 198, 72), PixRect(100, 50, 200, 74)), PixRect(0, 1, 15, 19));
    EXPECT_EQ(UpDownInEditRect(r, PixRect(180, 54, 196, 74), PixRect(100, 50, 200, 80)), r);
}

TEST(RangeLayout, ProgressFill)
{
    const TPixRect bar = PixRect(0, 0, 200, 16);
    EXPECT_EQ(ProgressBarRect(16, 200, true), bar);
    // Two frames: 75 in 50..100 fills half (rounded to the nearest pixel); nothing for position
    // 0 or an empty range; never past the bar.
    EXPECT_EQ(ProgressFillRect(bar, 75, 50, 100), PixRect(0, 0, 100, 16));
    EXPECT_EQ(ProgressFillRect(bar, 1, 0, 3), PixRect(0, 0, 67, 16));
    EXPECT_TRUE(ProgressFillRect(bar, 0, 0, 100).Empty());
    EXPECT_TRUE(ProgressFillRect(bar, 50, 50, 50).Empty());
    EXPECT_EQ(ProgressFillRect(bar, 300, 0, 100), bar);
    // Chunks count from 0 whatever the minimum: 75 of 100 is three quarters.
    EXPECT_EQ(ChunkFillWidth(200, 75, 100), 150);
    EXPECT_EQ(ChunkFillWidth(200, 10, 0), 0);
    EXPECT_EQ(ChunkCopies(150, 8), 19);
    EXPECT_EQ(ChunkCopies(150, 0), 0);
    EXPECT_EQ(MulDivRound(10, 1, 4), 3);  // halves away from zero, as the system's
    EXPECT_EQ(MulDivRound(-10, 1, 4), -3);
    EXPECT_EQ(MulDivRound(5, 5, 0), -1);
}

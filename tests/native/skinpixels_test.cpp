// The skin engine's portable pixel code: turning and recolouring pictures, colour mixing, the
// gradient ramps, cutting states, slice plans and their rendering, keyed copies and the runs a
// window region is made of. Skin numbers are untrusted, so degenerate ones get their own cases.

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <vector>

#include "pixelops.h"
#include "pixelregion.h"
#include "pixelslice.h"

namespace {

// A picture whose every pixel names its own position.
TPixelImage Numbered(int w, int h)
{
    TPixelImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.At(x, y) = static_cast<uint32_t>(y * 1000 + x);
    return img;
}

// A target inside a larger buffer whose border must stay untouched.
class TGuardedTarget {
public:
    static constexpr uint32_t Guard = 0xDEADBEEF;
    static constexpr int Margin = 3;
    TGuardedTarget(int w, int h) : FBuffer(w + 2 * Margin, h + 2 * Margin, Guard), FW(w), FH(h)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                FBuffer.At(x + Margin, y + Margin) = 0;
    }
    TPixelView View()
    {
        if (FW <= 0 || FH <= 0)
            return {};
        const TPixelView all = FBuffer.View();
        return {&all.At(Margin, Margin), FW, FH, all.Stride};
    }
    bool GuardIntact() const
    {
        for (int y = 0; y < FBuffer.Height(); ++y)
            for (int x = 0; x < FBuffer.Width(); ++x) {
                const bool inside = x >= Margin && x < Margin + FW && y >= Margin && y < Margin + FH;
                if (!inside && FBuffer.At(x, y) != Guard)
                    return false;
            }
        return true;
    }

private:
    TPixelImage FBuffer;
    int FW, FH;
};

std::vector<TPixRect> Targets(const TSlicePlan& plan)
{
    std::vector<TPixRect> r;
    for (const TSlicePiece& p : plan)
        r.push_back(p.Dst);
    return r;
}

}  // namespace

// ---------------------------------------------------------------- turning and recolouring

TEST(PixelOps, TurnsMirrorsAndFlips)
{
    TPixelImage img = Numbered(10, 4);
    TPixelImage left(4, 10), right(4, 10);
    RotatePixelsLeft(img.View(), left.View());
    RotatePixelsRight(img.View(), right.View());
    EXPECT_EQ(left.At(0, 0), img.At(9, 0)) << "turned left, the old top-right pixel leads";
    EXPECT_EQ(right.At(0, 0), img.At(0, 3)) << "turned right, the old bottom-left pixel leads";
    TPixelImage back(10, 4);
    RotatePixelsRight(left.View(), back.View());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(back.At(x, y), img.At(x, y)) << "turning right undoes turning left";

    TPixelImage mirrored = Numbered(5, 3), flipped = Numbered(5, 3);
    MirrorPixels(mirrored.View());
    FlipPixels(flipped.View());
    EXPECT_EQ(mirrored.At(0, 1), img.At(4, 1));
    EXPECT_EQ(mirrored.At(2, 1), img.At(2, 1));
    EXPECT_EQ(flipped.At(3, 0), img.At(3, 2));
    EXPECT_EQ(flipped.At(3, 1), img.At(3, 1));

    TPixelImage wrong(3, 3);
    EXPECT_THROW(RotatePixelsLeft(img.View(), wrong.View()), std::invalid_argument);
    RotatePixelsLeft(TPixelView{}, TPixelView{});  // empty pictures: nothing to do
}

TEST(PixelOps, ReplacesExactlyTheKeyPixels)
{
    TPixelImage img(4, 1);
    img.At(0, 0) = 0x00FF00FF;  // magenta
    img.At(1, 0) = 0xFFFF00FF;  // magenta with alpha: still the key
    img.At(2, 0) = 0x00FE00FF;  // near magenta
    img.At(3, 0) = 0x00123456;
    ReplaceKeyPixels(img.View(), 0x00332211);  // a 0x00BBGGRR colour
    EXPECT_EQ(img.At(0, 0), 0x00112233u) << "stored as a pixel: red in the third byte";
    EXPECT_EQ(img.At(1, 0), 0x00112233u);
    EXPECT_EQ(img.At(2, 0), 0x00FE00FFu);
    EXPECT_EQ(img.At(3, 0), 0x00123456u);
}

// ---------------------------------------------------------------- colours

TEST(PixelOps, MixesBelow100AsPercentAndFrom100AsPerMille)
{
    const uint32_t red = 0x0000FF, blue = 0xFF0000;
    EXPECT_EQ(MixRGB(red, blue, 100), 0xE6001Au) << "100 means 10 % of the first colour";
    EXPECT_EQ(MixRGB(red, blue, 99), 0x0300FCu) << "99 means 99 %";
    EXPECT_EQ(MixRGB(red, blue, 0), blue);
    EXPECT_EQ(MixRGB(red, blue, 1000), red);
    MixRGB(red, blue, INT_MAX);  // no overflow, whatever comes out
    MixRGB(red, blue, INT_MIN);
}

TEST(PixelOps, Saturation)
{
    EXPECT_EQ(SaturationOfRGB(0x000080), 200) << "every channel below 160";
    EXPECT_EQ(SaturationOfRGB(0x0000FF), 255);
    EXPECT_EQ(SaturationOfRGB(0xC0C0C0), 0);
    EXPECT_EQ(SaturationOfRGB(0x80FFFF), 127);
    EXPECT_EQ(SaturationOfRGB(0x000000), 200);
    EXPECT_EQ(SaturationOfRGB(0xFF0000), 255) << "blue alone above 160";
    EXPECT_EQ(SaturationOfRGB(0x6464C8), 128) << "127.5 rounds to even";
}

TEST(GradientCache, FindsRampsAgainAndReusesSlotsRoundRobin)
{
    TGradientCache cache;
    const int a = cache.Get(5, 0x000000, 0x0000FF);
    EXPECT_EQ(cache.Slot(a), (std::vector<uint32_t>{0x00, 0x40, 0x80, 0xBF, 0xFF}));
    EXPECT_EQ(cache.Get(5, 0x000000, 0x0000FF), a) << "a hit";

    // A falling ramp ends on its colour and is found again.
    const int down = cache.Get(3, 0x0000FF, 0x000000);
    EXPECT_EQ(cache.Slot(down), (std::vector<uint32_t>{0xFF, 0x7F, 0x00}));
    EXPECT_EQ(cache.Get(3, 0x0000FF, 0x000000), down);
    const int mixed = cache.Get(4, 0x10F020, 0xF01002);
    EXPECT_EQ(cache.Slot(mixed).front(), 0x10F020u);
    EXPECT_EQ(cache.Slot(mixed).back(), 0xF01002u);

    // One colour: the midpoint, found again only when both ends are the same.
    const int one = cache.Get(1, 0x000000, 0x0000FE);
    EXPECT_EQ(cache.Slot(one), (std::vector<uint32_t>{0x7F}));
    EXPECT_NE(cache.Get(1, 0x000000, 0x0000FE), one);
    const int same = cache.Get(1, 0x123456, 0x123456);
    EXPECT_EQ(cache.Get(1, 0x123456, 0x123456), same);

    EXPECT_THROW(cache.Get(0, 0, 0), std::invalid_argument);
    EXPECT_THROW(cache.Get(-1, 0, 0), std::invalid_argument);
}

TEST(GradientCache, TheSeventeenthRampTakesTheFirstSlot)
{
    TGradientCache cache;
    for (int i = 0; i < TGradientCache::SlotCount; ++i)
        EXPECT_EQ(cache.Get(2, 0, static_cast<uint32_t>(i + 1)), i);
    EXPECT_EQ(cache.Get(2, 0, 100), 0);
    EXPECT_EQ(cache.Get(2, 0, 2), 1) << "still cached in slot 1";
    EXPECT_EQ(cache.Get(2, 0, 1), 1) << "the first ramp was overwritten: filled anew in the next slot";
}

// ---------------------------------------------------------------- states and margins

TEST(SkinSlices, CutsStatesAndIgnoresLeftoverPixels)
{
    EXPECT_EQ(StateRect(60, 20, 2, 3, false), PixRect(20, 0, 40, 20));
    EXPECT_EQ(StateRect(61, 20, 2, 3, false), PixRect(20, 0, 40, 20));
    EXPECT_EQ(StateRect(61, 20, 3, 3, false), PixRect(40, 0, 60, 20)) << "column 60 is never drawn";
    EXPECT_EQ(StateRect(20, 40, 2, 2, true), PixRect(0, 20, 20, 40));
    // Degenerate counts and states.
    EXPECT_EQ(StateRect(60, 20, 1, 0, false), PixRect(0, 0, 60, 20)) << "a count of 0 counts as 1";
    EXPECT_EQ(StateRect(60, 20, 1, -4, true), PixRect(0, 0, 60, 20));
    EXPECT_EQ(StateRect(60, 20, 0, 3, false), PixRect(0, 0, 20, 20)) << "states below 1 draw the first";
    EXPECT_EQ(StateRect(60, 20, 9, 3, false), PixRect(40, 0, 60, 20)) << "states past the strip draw the last";
    EXPECT_TRUE(StateRect(2, 20, 2, 3, false).Empty()) << "narrower than its count: no pixels";
    EXPECT_EQ(StateRect(60, 20, INT_MAX, INT_MAX, false).Width(), 0);
    EXPECT_EQ(StateRect(-5, -5, 1, 1, false), PixRect(0, 0, 0, 0));
}

TEST(SkinSlices, ClampsMarginsIntoTheState)
{
    EXPECT_EQ(ClampMargins({4, 4, 4, 4}, 20, 20), (TMargins{4, 4, 4, 4}));
    EXPECT_EQ(ClampMargins({-3, -1, 5, 2}, 20, 20), (TMargins{0, 0, 5, 2}));
    EXPECT_EQ(ClampMargins({30, 15, 30, 15}, 20, 20), (TMargins{20, 15, 0, 5}));
    EXPECT_EQ(ClampMargins({INT_MAX, INT_MAX, INT_MAX, INT_MAX}, 7, 3), (TMargins{7, 3, 0, 0}));
    EXPECT_EQ(ClampMargins({1, 1, 1, 1}, 0, 0), (TMargins{}));
}

TEST(SkinSlices, NineSlicePlans)
{
    const TPixRect state = PixRect(20, 0, 40, 20);  // state 2 of 3
    const TSlicePlan full = PlanNineSlice(50, 30, state, {4, 4, 4, 4}, false);
    ASSERT_EQ(full.Count(), 9);
    EXPECT_EQ(full[0].Src, PixRect(20, 0, 24, 4)) << "top-left corner of state 2";
    EXPECT_EQ(full[0].Dst, PixRect(0, 0, 4, 4));
    EXPECT_EQ(full[5].Src, PixRect(24, 4, 36, 16)) << "the middle";
    EXPECT_EQ(full[5].Dst, PixRect(4, 4, 46, 26));
    EXPECT_EQ(full[6].Dst, PixRect(46, 26, 50, 30)) << "bottom-right corner after the middle";
    for (const TSlicePiece& p : full)
        EXPECT_TRUE(Intersect(p.Src, state) == p.Src) << "every piece reads inside its state";

    // 4, 4, 4, 4 into 6 x 30: left and right collapse (6 < 8), top and bottom stay.
    const TSlicePlan narrow = PlanNineSlice(6, 30, state, {4, 4, 4, 4}, false);
    EXPECT_EQ(Targets(narrow), (std::vector<TPixRect>{PixRect(0, 0, 6, 4), PixRect(0, 4, 6, 26), PixRect(0, 26, 6, 30)}));
    EXPECT_EQ(narrow[1].Src, PixRect(20, 4, 40, 16));

    // Margins as wide as the state: the middle has no source and is left out, nothing loops.
    const TSlicePlan wide = PlanNineSlice(100, 30, state, {20, 0, 20, 0}, true);
    EXPECT_EQ(Targets(wide), (std::vector<TPixRect>{PixRect(0, 0, 20, 30)}));

    EXPECT_EQ(PlanNineSlice(0, 30, state, {}, false).Count(), 0);
    EXPECT_EQ(PlanNineSlice(10, 10, PixRect(0, 0, 0, 5), {}, false).Count(), 0);
}

TEST(SkinSlices, ThreeSliceAndStretchPartPlans)
{
    const TPixRect state = PixRect(0, 0, 9, 6);
    const TSlicePlan three = PlanThreeSlice(16, 12, state, {2, 99, 2, 99});
    EXPECT_EQ(Targets(three), (std::vector<TPixRect>{PixRect(0, 0, 2, 12), PixRect(2, 0, 14, 12), PixRect(14, 0, 16, 12)}));
    EXPECT_EQ(three[1].Mode, TPieceMode::RepeatX);
    EXPECT_EQ(three[1].Src, PixRect(2, 0, 7, 6)) << "top and bottom margins play no part";

    // No middle in the state: the whole state fills the gap between the edges.
    const TSlicePlan capped = PlanThreeSlice(30, 6, state, {5, 0, 9, 0});
    EXPECT_EQ(Targets(capped), (std::vector<TPixRect>{PixRect(0, 0, 5, 6), PixRect(5, 0, 26, 6), PixRect(26, 0, 30, 6)}));
    EXPECT_EQ(capped[1].Src, state);
    EXPECT_EQ(capped[1].Mode, TPieceMode::Stretch);

    // Narrower than one state: the whole state stretched in.
    const TSlicePlan squeezed = PlanStretchPart(5, 12, state, {2, 0, 2, 0});
    ASSERT_EQ(squeezed.Count(), 1);
    EXPECT_EQ(squeezed[0].Src, state);
    EXPECT_EQ(squeezed[0].Dst, PixRect(0, 0, 5, 12));
    const TSlicePlan parts = PlanStretchPart(20, 12, state, {2, 0, 3, 0});
    EXPECT_EQ(Targets(parts), (std::vector<TPixRect>{PixRect(0, 0, 2, 12), PixRect(2, 0, 17, 12), PixRect(17, 0, 20, 12)}));
}

// ---------------------------------------------------------------- rendering

TEST(SkinSlices, TiledMiddleRepeatsAndRunsUnderTheRightEdge)
{
    // One-row state: left edge 2, a 5-pixel middle, right edge 2.
    TPixelImage src(9, 1);
    const uint32_t colours[9] = {1, 2, 10, 11, 12, 13, 14, 3, 4};
    for (int x = 0; x < 9; ++x)
        src.At(x, 0) = colours[x];
    const TSlicePlan plan = PlanNineSlice(16, 1, src.View().Bounds(), {2, 0, 2, 0}, true);

    std::vector<int> tiles;
    for (const TSlicePiece& p : plan)
        if (p.Mode == TPieceMode::Tile)
            ForEachCopy(p, [&](const TPixRect& d, const TPixRect&) { tiles.push_back(d.Left); });
    EXPECT_EQ(tiles, (std::vector<int>{2, 7, 12})) << "12 pixels take three copies of 5";

    TGuardedTarget target(16, 1);
    RenderPlan(target.View(), 0, 0, src.View(), plan);
    const TPixelView out = target.View();
    EXPECT_EQ(out.At(0, 0), 1u);
    EXPECT_EQ(out.At(1, 0), 2u);
    for (int x = 2; x < 14; ++x)
        EXPECT_EQ(out.At(x, 0), 10u + (x - 2) % 5) << x;
    EXPECT_EQ(out.At(14, 0), 3u) << "the right edge covers the last tile's overflow";
    EXPECT_EQ(out.At(15, 0), 4u);
    EXPECT_TRUE(target.GuardIntact());
}

TEST(SkinSlices, RendersTheRightStateWithUnscaledCornersAndNeverTheLeftoverColumn)
{
    // 61 x 20, three states; every pixel of state k is k, column 60 is 99.
    TPixelImage strip(61, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 61; ++x)
            strip.At(x, y) = x == 60 ? 99u : static_cast<uint32_t>(x / 20 + 1);
    strip.At(20, 0) = 50;  // the corner pixel of state 2
    for (bool tile : {false, true}) {
        TGuardedTarget target(90, 45);
        const TPixRect state = StateRect(61, 20, 2, 3, false);
        RenderPlan(target.View(), 0, 0, strip.View(), PlanNineSlice(90, 45, state, {4, 4, 4, 4}, tile));
        const TPixelView out = target.View();
        EXPECT_EQ(out.At(0, 0), 50u) << "corner unscaled";
        EXPECT_EQ(out.At(1, 0), 2u);
        for (int y = 0; y < 45; ++y)
            for (int x = 0; x < 90; ++x)
                if (x || y)
                    ASSERT_EQ(out.At(x, y), 2u) << x << "," << y;
        EXPECT_TRUE(target.GuardIntact());
    }
}

TEST(SkinSlices, StretchesByNearestPixelAndClips)
{
    TPixelImage src = Numbered(2, 2);
    TGuardedTarget target(4, 4);
    StretchPixels(target.View(), PixRect(0, 0, 4, 4), src.View(), src.View().Bounds());
    const TPixelView out = target.View();
    EXPECT_EQ(out.At(1, 1), src.At(0, 0));
    EXPECT_EQ(out.At(2, 1), src.At(1, 0));
    EXPECT_EQ(out.At(3, 3), src.At(1, 1));
    // Shrinking keeps whole pixels; a target partly off the view is cut.
    TPixelImage big = Numbered(8, 8);
    StretchPixels(target.View(), PixRect(-2, -2, 2, 2), big.View(), big.View().Bounds());
    EXPECT_EQ(out.At(0, 0), big.At(4, 4));
    // A source part outside the picture is cut to it, never read past.
    StretchPixels(target.View(), PixRect(0, 0, 4, 4), src.View(), PixRect(-100, -100, 100, 100));
    TilePixels(target.View(), PixRect(0, 0, 4, 4), src.View(), PixRect(1, 1, 5, 5));
    EXPECT_TRUE(target.GuardIntact());
}

TEST(SkinSlices, NoDegenerateSkinNumberReadsOrWritesOutside)
{
    TPixelImage strip = Numbered(23, 7);
    const int counts[] = {INT_MIN, -3, 0, 1, 2, 3, 23, 24, INT_MAX};
    const int states[] = {INT_MIN, -1, 0, 1, 2, 5, INT_MAX};
    const int margins[] = {INT_MIN, -5, 0, 1, 3, 7, 12, INT_MAX};
    const int sizes[] = {0, 1, 5, 31};
    for (int count : counts)
        for (int state : states)
            for (bool vertical : {false, true}) {
                const TPixRect part = StateRect(23, 7, state, count, vertical);
                ASSERT_EQ(Intersect(part, strip.View().Bounds()), part.Empty() ? TPixRect{} : part);
                for (int m : margins)
                    for (int w : sizes)
                        for (int h : sizes) {
                            TGuardedTarget target(w, h);
                            const TMargins mm{m, m, m / 2, m / 3};
                            RenderPlan(target.View(), 0, 0, strip.View(), PlanNineSlice(w, h, part, mm, true));
                            RenderPlan(target.View(), 0, 0, strip.View(), PlanNineSlice(w, h, part, mm, false));
                            RenderPlan(target.View(), 0, 0, strip.View(), PlanThreeSlice(w, h, part, mm));
                            RenderPlan(target.View(), 0, 0, strip.View(), PlanStretchPart(w, h, part, mm));
                            ASSERT_TRUE(target.GuardIntact()) << count << " " << state << " " << m << " " << w << "x" << h;
                        }
            }
}

// ---------------------------------------------------------------- keyed copies and regions

TEST(KeyedPixels, KeyedCopyLeavesOnlyMagentaOut)
{
    TPixelImage src(3, 2);
    src.At(0, 0) = 0x00FF00FF;
    src.At(1, 0) = 0x00FE00FF;  // near magenta is a colour like any other
    src.At(2, 0) = 0x80FF00FF;  // the alpha byte plays no part
    src.At(0, 1) = 0x00000000;
    src.At(1, 1) = 0x00FFFFFF;
    src.At(2, 1) = 0x00FF00FE;
    TGuardedTarget target(4, 3);
    const TPixelView out = target.View();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            out.At(x, y) = 0x00123456;
    KeyedCopy(out, 1, 1, src.View());
    EXPECT_EQ(out.At(1, 1), 0x00123456u);
    EXPECT_EQ(out.At(2, 1), 0x00FE00FFu);
    EXPECT_EQ(out.At(3, 1), 0x00123456u);
    EXPECT_EQ(out.At(1, 2), 0x00000000u);
    EXPECT_EQ(out.At(2, 2), 0x00FFFFFFu);
    EXPECT_EQ(out.At(3, 2), 0x00FF00FEu);
    EXPECT_EQ(out.At(0, 0), 0x00123456u);
    KeyedCopy(out, -2, 1, src.View());  // partly off the target
    EXPECT_EQ(out.At(0, 2), 0x00FF00FEu);
    EXPECT_TRUE(target.GuardIntact());
}

TEST(KeyedPixels, RegionRunsSkipTheKeyWithinItsTolerance)
{
    // Left three columns magenta, offset (10, 0): every run starts at x = 13.
    TPixelImage img(8, 3, 0x00404040);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            img.At(x, y) = 0x00FF00FF;
    const TKeyRange magenta(0xFF00FF, 0, 0, 0);
    EXPECT_EQ(OpaqueRuns(img.View(), magenta, 10, 0),
              (std::vector<TPixRect>{PixRect(13, 0, 18, 1), PixRect(13, 1, 18, 2), PixRect(13, 2, 18, 3)}));

    // Maximal runs, on a one-row picture too.
    TPixelImage row(7, 1, 0x00FF00FF);
    row.At(1, 0) = row.At(2, 0) = row.At(5, 0) = 0x00000001;
    row.At(6, 0) = 0x00FE00FF;
    EXPECT_EQ(OpaqueRuns(row.View(), magenta, 0, 5),
              (std::vector<TPixRect>{PixRect(1, 5, 3, 6), PixRect(5, 5, 7, 6)}));
    // The key range runs upward from the key: 0xFE00FE with tolerance 1 takes in both magentas.
    EXPECT_EQ(OpaqueRuns(row.View(), TKeyRange(0xFE00FE, 1, 0, 1), 0, 0),
              (std::vector<TPixRect>{PixRect(1, 0, 3, 1), PixRect(5, 0, 6, 1)}));
    EXPECT_EQ(OpaqueRuns(row.View(), TKeyRange(0xFE00FE, 0, 0, 0), 0, 0), (std::vector<TPixRect>{PixRect(0, 0, 7, 1)}));
    // Negative tolerances count as 0.
    EXPECT_EQ(OpaqueRuns(row.View(), TKeyRange(0xFF00FF, -9, -9, -9), 0, 0),
              (std::vector<TPixRect>{PixRect(1, 0, 3, 1), PixRect(5, 0, 7, 1)}));
    TPixelImage empty(5, 5, 0x00FF00FF);
    EXPECT_TRUE(OpaqueRuns(empty.View(), magenta).empty());
    EXPECT_TRUE(OpaqueRuns(TPixelView{}, magenta).empty());
}

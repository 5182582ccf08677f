// The skinned media-player panel's window-free geometry: sets read from their text, cells, hit
// tests, glyph kinds, frames and glyph positions.
#include <gtest/gtest.h>

#include "mediaplayerlayout.h"

namespace {

constexpr TMPButtonSet Bit(int i) { return static_cast<TMPButtonSet>(1u << i); }
constexpr int kPlay = 0, kPause = 1, kStop = 2, kEject = 8;

TEST(MediaPlayerLayout, SetTextNamesButtonsInAnyCaseAndSpacing)
{
    EXPECT_EQ(MPButtonsFromSetText("[btPlay,btStop]"), Bit(kPlay) | Bit(kStop));
    EXPECT_EQ(MPButtonsFromSetText("[ btplay , BTEJECT ]"), Bit(kPlay) | Bit(kEject));
    EXPECT_EQ(MPButtonsFromSetText("[]"), 0);
    EXPECT_EQ(MPButtonsFromSetText("btPlay"), 0);  // no brackets: not a set
    EXPECT_EQ(MPButtonsFromSetText("[btPlayer,btPause]"), Bit(kPause));  // whole names only
}

TEST(MediaPlayerLayout, CellsAndHitTests)
{
    // Two 50-pixel cells on a 100-pixel panel; a point on the shared edge belongs to play.
    const TMPButtonSet set = Bit(kPlay) | Bit(kStop);
    EXPECT_EQ(MPCells(100, 30, set),
              (std::vector<TMPCell>{{kPlay, PixRect(0, 0, 50, 30)}, {kStop, PixRect(50, 0, 100, 30)}}));
    EXPECT_EQ(MPCells(101, 30, Bit(kPlay) | Bit(kPause) | Bit(kStop)).back().Rect.Right, 99);
    EXPECT_TRUE(MPCells(100, 30, 0).empty());
    EXPECT_EQ(MPButtonAt(50, 50, set), kPlay);
    EXPECT_EQ(MPButtonAt(51, 50, set), kStop);
    EXPECT_EQ(MPButtonAt(100, 50, set), kStop);
    EXPECT_EQ(MPButtonAt(101, 50, set), MPNoButton);
    EXPECT_EQ(MPButtonAt(0xFFFF, 50, set), MPNoButton);  // a release left of the panel
}

TEST(MediaPlayerLayout, GlyphKindFrameAndPosition)
{
    EXPECT_EQ(MPGlyphKind(true, true), mgColored);
    EXPECT_EQ(MPGlyphKind(true, false), mgEnabled);
    EXPECT_EQ(MPGlyphKind(false, true), mgDisabled);
    EXPECT_EQ(MPFrameState(true, true, mgEnabled), 2);
    EXPECT_EQ(MPFrameState(true, false, mgEnabled), 1);
    EXPECT_EQ(MPFrameState(true, true, mgDisabled), 3);  // a disabled button never shows pressed
    EXPECT_EQ(MPGlyphPosition(PixRect(50, 0, 100, 30), 16, 11, 1), (TMPGlyphPos{67, 9}));
    EXPECT_EQ(MPGlyphPosition(PixRect(50, 0, 100, 30), 16, 11, 2), (TMPGlyphPos{68, 10}));
}

}  // namespace

// Geometry of the skinned header: where sections turn hot, the filler, alignment and images.
#include <gtest/gtest.h>

#include "headerlayout.h"

TEST(HeaderLayout, TheHotSectionIgnoresTheBordersBetweenSections)
{
    const std::vector<TPixRect> hits = {HeaderHitRect(PixRect(0, 0, 100, 20)),
                                        HeaderHitRect(PixRect(100, 0, 180, 20))};
    EXPECT_EQ(hits[0], PixRect(3, 0, 97, 20));
    EXPECT_EQ(HeaderSectionAt(hits, 50, 10), 0);
    EXPECT_EQ(HeaderSectionAt(hits, 120, 10), 1);
    for (int x = 97; x < 103; ++x)
        EXPECT_EQ(HeaderSectionAt(hits, x, 10), -1) << x;
    EXPECT_EQ(HeaderSectionAt(hits, 50, 25), -1);
    EXPECT_EQ(HeaderSectionAt({}, 5, 5), -1);
}

TEST(HeaderLayout, AHeaderNarrowerThanItsWindowIsFilledToTheEdge)
{
    EXPECT_EQ(HeaderFiller(PixRect(0, 0, 300, 20), 180), PixRect(180, 0, 300, 20));
    EXPECT_TRUE(HeaderFiller(PixRect(0, 0, 300, 20), 300).Empty());
    EXPECT_TRUE(HeaderFiller(PixRect(0, 0, 300, 20), 350).Empty());
    EXPECT_EQ(HeaderFiller(PixRect(0, 0, 300, 20), 0), PixRect(0, 0, 300, 20));
}

TEST(HeaderLayout, FormatBitsGiveAlignmentAndImage)
{
    EXPECT_EQ(HeaderTextAlignment(0x0), 0);
    EXPECT_EQ(HeaderTextAlignment(0x1), 2);
    EXPECT_EQ(HeaderTextAlignment(0x2), 1);
    EXPECT_EQ(HeaderTextAlignment(0x4002), 1);
    EXPECT_EQ(HeaderImageIndex(0x800, 3), 3);
    EXPECT_EQ(HeaderImageIndex(0x8000, 2), 2);
    EXPECT_EQ(HeaderImageIndex(0x4000, 3), -1);
}

// The description reader: lines, sections, keys and integers.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "skinini.h"
#include "skintestutil.h"

using namespace std::string_literals;

namespace {

TQuickIni Load(std::string_view Text)
{
    TQuickIni ini;
    ini.LoadFromStream(BytesOf(Text));
    return ini;
}

}  // namespace

TEST(QuickIni, KeepsTrimmedLinesAndDropsCommentsAndBlanks)
{
    const TQuickIni ini = Load("  [A]\r\n\t; comment\r\n\r\nKey = 1 ; not a comment\n\rx=2\0[B]\r\ny=3"s);
    EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[A]", "Key = 1 ; not a comment", "x=2"}));
    EXPECT_EQ(ini.ReadString("A", "key", "-"), "1 ; not a comment");
    EXPECT_EQ(ini.FindSection("B"), -1) << "text after a NUL is not read";
}

TEST(QuickIni, FindsKeysInTheirSection)
{
    const TQuickIni ini = Load(
        "[Personality]\n"
        "   Left   =   left.bmp   \n"
        "Empty=\n"
        "Empty=given later\n"
        "Plain\n"
        "[Other]\n"
        "Top=top.bmp\n");
    EXPECT_EQ(ini.ReadString("personality", "LEFT", "-"), "left.bmp");
    EXPECT_EQ(ini.ReadString("Personality", "Empty", "default"), "default")
        << "the first line with the key decides";
    EXPECT_EQ(ini.ReadString("Personality", "Top", "-"), "-") << "the search stops at the next section";
    EXPECT_EQ(ini.ReadString("Personality", "Plain", "-"), "-");
    EXPECT_EQ(ini.ReadString("Missing", "Left", "-"), "-");
    EXPECT_EQ(ini.ReadString("Other", "top", "-"), "top.bmp");
}

TEST(QuickIni, FindsTheFirstSectionOfAName)
{
    const TQuickIni ini = Load("[Colours]\nA=1\n[ Spaced ]\n[Colours]\nA=2\n[Colour1]\ncolor=3\n");
    EXPECT_EQ(ini.FindSection("colours"), 0);
    EXPECT_EQ(ini.FindSection("COLOURS"), 0);
    EXPECT_EQ(ini.ReadInteger("Colours", "A", 0), 1);
    EXPECT_EQ(ini.FindSection("Spaced"), -1) << "blanks inside the brackets count";
    EXPECT_EQ(ini.FindSection(" Spaced "), 2);
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Colours", "Spaced", "Colours", "Colour1"}));
}

TEST(QuickIni, ReadsIntegers)
{
    const TQuickIni ini = Load(
        "[N]\n"
        "a=0x1F\nb=0X1F\nc=$1F\nd=-1\ne=+7\n"
        "f=0x\ng=12abc\nh=\ni=$\n"
        "j=$FFFFFFFF\nk=0x80000000\nl=$100000000\n"
        "m=2147483647\nn=-2147483648\no=2147483648\np=-2147483649\n");
    const auto read = [&](const char* key) { return ini.ReadInteger("N", key, 99); };
    EXPECT_EQ(read("a"), 31);
    EXPECT_EQ(read("b"), 31);
    EXPECT_EQ(read("c"), 31);
    EXPECT_EQ(read("d"), -1);
    EXPECT_EQ(read("e"), 7);
    EXPECT_EQ(read("f"), 99) << "a bare 0x is not hexadecimal";
    EXPECT_EQ(read("g"), 99);
    EXPECT_EQ(read("h"), 99);
    EXPECT_EQ(read("i"), 99);
    EXPECT_EQ(read("j"), -1) << "hexadecimal wraps to a negative value";
    EXPECT_EQ(read("k"), INT_MIN);
    EXPECT_EQ(read("l"), 99);
    EXPECT_EQ(read("m"), INT_MAX);
    EXPECT_EQ(read("n"), INT_MIN);
    EXPECT_EQ(read("o"), 99);
    EXPECT_EQ(read("p"), 99);
    EXPECT_EQ(read("missing"), 99);
}

TEST(QuickIni, LoadingReplacesTheContent)
{
    TQuickIni ini = Load("[A]\nx=1\n");
    ini.LoadFromStream({});
    EXPECT_TRUE(ini.Lines().empty());
    EXPECT_EQ(ini.ReadInteger("A", "x", 5), 5);
}

TEST(QuickIni, LineHelpers)
{
    EXPECT_EQ(TQuickIni::KeyOf("  MenuBar = a=b "), "menubar");
    EXPECT_EQ(TQuickIni::KeyOf("no equals"), "");
    EXPECT_EQ(TQuickIni::ValueOf("  MenuBar = a=b ", "menubar"), "a=b");
    EXPECT_EQ(TQuickIni::ValueOf("MenuBar=x", "MenuBar"), "") << "the key is compared as given";
    EXPECT_EQ(TQuickIni::ValueOf("=x", ""), "");
    EXPECT_TRUE(TQuickIni::IsSectionLine(" [x] "));
    EXPECT_TRUE(TQuickIni::IsSectionLine("[]"));
    EXPECT_FALSE(TQuickIni::IsSectionLine("[x"));
    EXPECT_FALSE(TQuickIni::IsSectionLine(""));
}

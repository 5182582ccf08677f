// The container: every version, lookups, the name list, and damaged containers.

#include <gtest/gtest.h>

#include <string>

#include "lzh.h"
#include "skinreader.h"
#include "skintestutil.h"
#include "skinwriter.h"

using namespace std::string_literals;

namespace {

// A reader that records the messages it would show.
struct TTestReader {
    TSkinReader Reader;
    std::vector<std::string> Messages;

    TTestReader()
    {
        Reader.OnMessage = [this](std::string_view Text) { Messages.emplace_back(Text); };
    }

    bool Load(const TBytes& SkinFile) { return Reader.LoadSkinStream(SkinFile); }

    TBytes Entry(std::string_view Name) const
    {
        TBytes out = BytesOf("stale");
        Reader.GetEntry(Name, out);
        return out;
    }
};

const std::string Ini = "[TitlebarSkin]\r\nSkinName=Test\r\n";

TBytes SampleSkin(std::int32_t Version, TLZHPacker::TOptions Options = {})
{
    TSkinWriter writer(Version);
    writer.AddEntry("skin.ini", BytesOf(Ini));
    writer.AddEntry("Frame.bmp", Noise(3000, 4));
    writer.AddEntry("empty.bmp", {});
    return writer.SkinFile(Options);
}

}  // namespace

TEST(SkinReader, ReadsEveryVersion)
{
    for (auto version : TSkinReader::Versions) {
        SCOPED_TRACE(version);
        TTestReader t;
        ASSERT_TRUE(t.Load(SampleSkin(version)));
        EXPECT_EQ(t.Reader.Version(), version);
        EXPECT_EQ(t.Reader.Names(), (std::vector<std::string>{"skin.ini", "frame.bmp", "empty.bmp"}));
        EXPECT_EQ(t.Entry("skin.ini"), BytesOf(Ini));
        EXPECT_EQ(t.Entry("frame.bmp"), Noise(3000, 4));
        EXPECT_TRUE(t.Entry("empty.bmp").empty());
        EXPECT_TRUE(t.Messages.empty());
    }
    TTestReader literals;
    ASSERT_TRUE(literals.Load(SampleSkin(30000, {.UseMatches = false})));
    EXPECT_EQ(literals.Entry("frame.bmp"), Noise(3000, 4));

    // Each version's block as the format states it: the name list follows it.
    const std::pair<std::int32_t, std::size_t> blocks[] = {{20000, 0},   {30000, 256}, {40000, 80},
                                                           {50000, 48},  {60000, 117}, {70000, 69}};
    for (auto [version, block] : blocks) {
        TRawContainer raw;
        raw.Version = version;
        raw.Block = block;
        raw.Names = "a.bmp";
        raw.Sizes = {3};
        raw.Data = "abc";
        TTestReader t;
        ASSERT_TRUE(t.Load(raw.SkinFile())) << version;
        EXPECT_EQ(t.Entry("a.bmp"), BytesOf("abc")) << version;
    }
    TRawContainer bare;  // the header alone: 16 bytes
    bare.Version = 20000;
    bare.Block = 0;
    TTestReader t;
    EXPECT_TRUE(t.Load(bare.SkinFile()));
    EXPECT_EQ(t.Reader.Count(), 0);
}

TEST(SkinReader, FindsEntriesByNameAndByPartOfName)
{
    TRawContainer raw;
    raw.Names = "Readme.INI.bak\r\nskin.ini\r\nframe.bmp\r\nframe.bmp\r\n";
    raw.Sizes = {1, 2, 3, 4};
    raw.Data = "abbcccdddd";
    TTestReader t;
    ASSERT_TRUE(t.Load(raw.SkinFile()));

    EXPECT_EQ(t.Entry("SKIN.Ini"), BytesOf("bb"));
    EXPECT_EQ(t.Entry("frame.bmp"), BytesOf("ccc")) << "the first of equal names wins";
    EXPECT_TRUE(t.Entry("missing.bmp").empty());

    TBytes entry;
    std::string name = "unchanged";
    t.Reader.FindEntry(".ini", entry, name);
    EXPECT_EQ(name, "readme.ini.bak");
    EXPECT_EQ(entry, BytesOf("a"));

    name = "unchanged";
    t.Reader.FindEntry(".INI", entry, name);  // names are lower case; the test is case-sensitive
    EXPECT_TRUE(entry.empty());
    EXPECT_EQ(name, "unchanged");
    t.Reader.FindEntry("", entry, name);
    EXPECT_TRUE(entry.empty());
    EXPECT_EQ(name, "unchanged");
}

TEST(SkinReader, SplitsTheNameList)
{
    struct TCase {
        std::string Names;
        std::vector<std::string> Expected;
    };
    const TCase cases[] = {
        {"a\r\nb", {"a", "b"}},                         // no final break
        {"a\r\nb\r\n", {"a", "b"}},                     // a final CR LF adds no name
        {"a\n\nb\r", {"a", "", "b"}},                   // an empty line is a name of its own
        {"a\rb\nc\r\n\r\nd", {"a", "b", "c", "", "d"}},  // mixed line ends
        {"A.BMP\r\n\0junk\r\n"s, {"a.bmp"}},  // a NUL ends the list
        {"", {}},
    };
    for (const auto& c : cases) {
        TRawContainer raw;
        raw.Names = c.Names;
        raw.Sizes.assign(c.Expected.size(), 1);
        raw.Data.assign(c.Expected.size(), 'x');
        TTestReader t;
        ASSERT_TRUE(t.Load(raw.SkinFile()));
        EXPECT_EQ(t.Reader.Names(), c.Expected);
    }
}

TEST(SkinReader, RefusesAnUnknownVersionWithTheOlderSkinMessage)
{
    TRawContainer unknown;
    unknown.Version = 12345;
    const TBytes shortHeader = TLZHPacker::Pack(TBytes(12, 0));  // too short for a header: version 0
    const TBytes empty = {0, 0, 0, 0};

    for (const TBytes& file : {unknown.SkinFile(), shortHeader, empty}) {
        TTestReader t;
        ASSERT_TRUE(t.Load(SampleSkin(70000)));
        EXPECT_FALSE(t.Load(file));
        EXPECT_EQ(t.Messages, std::vector<std::string>{"This is Older Skin File\rPlease update to new version !"});
        EXPECT_EQ(t.Reader.Count(), 0);
        EXPECT_TRUE(t.Entry("skin.ini").empty());
    }
}

TEST(SkinReader, RefusesDamagedContainers)
{
    const auto expect = [](const TRawContainer& raw, std::string_view message) {
        TTestReader t;
        ASSERT_TRUE(t.Load(SampleSkin(70000)));
        ExpectFailure<ESkinFileError>([&] { t.Load(raw.SkinFile()); }, message);
        EXPECT_EQ(t.Reader.Count(), 0) << "a failed load keeps no entries";
    };
    TRawContainer base;
    base.Names = "a.bmp\r\nb.bmp\r\n";
    base.Sizes = {2, 3};
    base.Data = "aabbb";

    auto tooMany = base;
    tooMany.Names.clear();
    for (int i = 0; i < 1001; ++i)
        tooMany.Names += "e" + std::to_string(i) + "\r\n";
    tooMany.Sizes.assign(1001, 0);
    tooMany.Data.clear();
    TTestReader most;
    EXPECT_TRUE(most.Load(tooMany.SkinFile())) << "1001 entries still fit";
    TSkinWriter full;  // the packer makes no container the reader refuses
    for (int i = 0; i < 1001; ++i)
        full.AddEntry("e" + std::to_string(i), {});
    EXPECT_THROW(full.AddEntry("e1001", {}), std::invalid_argument);
    TSkinWriter twice;
    twice.AddEntry("A.bmp", {});
    EXPECT_THROW(twice.AddEntry("a.BMP", {}), std::invalid_argument) << "a name the reader could not tell apart";
    tooMany.Names += "e1001\r\n";
    tooMany.Sizes.push_back(0);
    expect(tooMany, "more than 1001 entries");

    auto negative = base;
    negative.Sizes = {2, -3};
    expect(negative, "entry \"b.bmp\" has a negative size -3");

    auto overflowing = base;  // the sum wraps in 32 bits
    overflowing.Sizes = {0x7FFFFFFF, 0x7FFFFFFF};
    expect(overflowing, "entries need 4294967294 bytes but the data holds 5");

    auto pastEnd = base;
    pastEnd.Sizes = {2, 4};
    expect(pastEnd, "entries need 6 bytes but the data holds 5");

    auto longList = base;
    longList.NameLength = 5000;
    expect(longList, "name list runs past the end of the data");

    auto negativeList = base;
    negativeList.NameLength = -1;
    expect(negativeList, "negative name list length -1");

    auto shortTable = base;
    shortTable.Sizes = {2};
    shortTable.Data.clear();
    expect(shortTable, "size table runs past the end of the data");

    auto shortBlock = base;  // a version 30000 container cut inside its 256-byte block
    shortBlock.Version = 30000;
    shortBlock.Block = 100;
    shortBlock.Names.clear();
    shortBlock.Sizes.clear();
    shortBlock.Data.clear();
    expect(shortBlock, "version block runs past the end of the data");
}

// The LZHUF layer: a known stream, round trips through the packer, and damaged streams.

#include <gtest/gtest.h>

#include <string>

#include "lzh.h"
#include "lzhpack.h"
#include "skinreader.h"
#include "skintestutil.h"

namespace {

TBytes Unpacked(const TBytes& SkinFile)
{
    TBytes out;
    TSkinReader::Decompress(SkinFile, out);
    return out;
}

void SetStatedSize(TBytes& SkinFile, std::int32_t Size)
{
    TBytes field;
    PutInt32(field, Size);
    std::copy(field.begin(), field.end(), SkinFile.begin());
}

}  // namespace

// Checked bit for bit against a separate model of the format. It starts with a
// match against the spaces the ring holds before the first byte.
TEST(LZH, DecodesAKnownStream)
{
    const TBytes stream = {0x22, 0x00, 0x00, 0x00, 0x91, 0x00, 0x78, 0xBE, 0x3F,
                           0x8F, 0xCF, 0xEF, 0xFD, 0xED, 0x9B, 0x04, 0x6B, 0x40};
    EXPECT_EQ(Unpacked(stream), BytesOf("        Velmora  Velmora  Velmora!"));
}

// The literal codes of 200000 bytes follow the tree through a dozen rebuilds.
// This stream too was checked against the separate model; its hash pins it.
TEST(LZH, PacksAKnownLiteralStream)
{
    const TBytes packed = TLZHPacker::Pack(Noise(200000, 1), {.UseMatches = false});
    std::uint64_t hash = 14695981039346656037u;  // FNV-1a
    for (auto b : packed)
        hash = (hash ^ b) * 1099511628211u;
    EXPECT_EQ(packed.size(), 200225u);
    EXPECT_EQ(hash, 0xe2775b97c79c97adu);
}

TEST(LZH, RoundTripsLiteralsOnly)
{
    const TLZHPacker::TOptions literals{.UseMatches = false};
    for (const TBytes& data : {TBytes{}, BytesOf("x"), BytesOf("[Colours]\r\nButtonFace=212,208,200\r\n"),
                               // 200000 symbols: the tree is rebuilt every 16000 or so.
                               Noise(200000, 1)}) {
        const TBytes packed = TLZHPacker::Pack(data, literals);
        EXPECT_EQ(Unpacked(packed), data) << data.size() << " bytes";
    }
}

TEST(LZH, RoundTripsWithMatches)
{
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "[Button" + std::to_string(i % 37) + "]\r\nAction=" + std::to_string(i % 11) + "\r\n";
    TBytes mixed = Noise(70000, 2);  // noise with copies of itself, some 4096 bytes back
    for (std::size_t i = 0; i + 4096 + 500 < mixed.size(); i += 9000)
        std::copy_n(mixed.begin() + static_cast<std::ptrdiff_t>(i), 500,
                    mixed.begin() + static_cast<std::ptrdiff_t>(i + 4096));
    std::copy_n(mixed.begin() + 60000, 100, mixed.begin() + 64120);  // just out of the ring's reach
    const TBytes run(100000, 0xAB);  // overlapping matches, and the best ratio a stream can have

    for (const TBytes& data : {BytesOf("        starts with spaces"), BytesOf(std::string(40, '\t') + "not spaces"),
                               BytesOf(text), mixed, run}) {
        const TBytes packed = TLZHPacker::Pack(data);
        EXPECT_EQ(Unpacked(packed), data) << data.size() << " bytes";
        EXPECT_LT(packed.size(), data.size()) << "no matches were used";
    }
}

TEST(LZH, ZeroSizeGivesNoBytes)
{
    EXPECT_TRUE(Unpacked({0, 0, 0, 0}).empty());
}

TEST(LZH, RefusesDamagedStreams)
{
    ExpectFailure<ElzhException>([] { Unpacked({1, 0}); }, "too short to hold its unpacked size");
    ExpectFailure<ElzhException>([] { Unpacked({0xFF, 0xFF, 0xFF, 0xFF, 0x12}); }, "negative unpacked size -1");

    // Ten bytes cannot make a megabyte, so it is refused before anything is allocated.
    TBytes inflated(14, 0x55);
    SetStatedSize(inflated, 1000000);
    ExpectFailure<ElzhException>([&] { Unpacked(inflated); }, "cannot come from 10 compressed bytes");

    TBytes cut = TLZHPacker::Pack(Noise(10000, 3));
    cut.resize(cut.size() / 2);
    ExpectFailure<ElzhException>([&] { Unpacked(cut); }, "compressed data ends early");

    // A stream that ends with a match, stated one byte short.
    TBytes overrun = TLZHPacker::Pack(BytesOf("abcdefabcdefabcdefabcdef"));
    SetStatedSize(overrun, 23);
    ExpectFailure<ElzhException>([&] { Unpacked(overrun); }, "last match runs past the unpacked size");
}

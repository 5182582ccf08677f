#include "lzhpack.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <vector>

#include "lzhtree.h"

namespace {

constexpr int N = TLZHTree::N;
constexpr int F = TLZHTree::F;
constexpr int MinMatch = TLZHTree::THRESHOLD + 1;
constexpr int MaxChain = 256;  // candidates tried for each position

class TBitOutput {
public:
    explicit TBitOutput(TBytes& Target) : FTarget(Target) {}

    // Writes the low Count bits of Code, most significant first.
    void Put(std::uint32_t Code, int Count)
    {
        for (int i = Count - 1; i >= 0; --i) {
            FBuffer = static_cast<std::uint8_t>(FBuffer << 1 | ((Code >> i) & 1));
            if (++FCount == 8)
                Flush();
        }
    }

    // Pads the last byte with zero bits.
    void Finish()
    {
        if (FCount > 0) {
            FBuffer = static_cast<std::uint8_t>(FBuffer << (8 - FCount));
            Flush();
        }
    }

private:
    void Flush()
    {
        FTarget.push_back(FBuffer);
        FBuffer = 0;
        FCount = 0;
    }

    TBytes& FTarget;
    std::uint8_t FBuffer = 0;
    int FCount = 0;
};

class TEncoder {
public:
    explicit TEncoder(TBytes& Target) : FOut(Target) {}

    void Literal(std::uint8_t Byte) { EncodeChar(Byte); }

    void Match(int Length, int Distance)
    {
        EncodeChar(255 - TLZHTree::THRESHOLD + Length);
        const unsigned position = static_cast<unsigned>(Distance - 1);
        const unsigned upper = position >> 6;
        const int len = PositionTables.p_len[upper];
        FOut.Put(PositionTables.p_code[upper] >> (8 - len), len);
        FOut.Put(position & 0x3F, 6);
    }

    void Finish() { FOut.Finish(); }

private:
    // The path from the root to the symbol's leaf: collected leaf first, written root first.
    void EncodeChar(int Symbol)
    {
        std::array<std::uint8_t, TLZHTree::T> path;
        int depth = 0;
        for (int k = FTree.Parent(Symbol + TLZHTree::T); k != TLZHTree::R; k = FTree.Parent(k))
            path[depth++] = static_cast<std::uint8_t>(k - FTree.Son(FTree.Parent(k)));
        while (depth > 0)
            FOut.Put(path[--depth], 1);
        FTree.UpdateTree(Symbol);
    }

    TLZHTree FTree;
    TBitOutput FOut;
};

// Finds matches over the bytes the decoder's ring holds: its preset of zeros and
// spaces, then the data. Positions are chained by a hash of their first three bytes.
class TMatchFinder {
public:
    static constexpr std::size_t Preset = N;

    explicit TMatchFinder(std::span<const std::uint8_t> Data)
        : FText(Preset + Data.size()), FHead(HashSize, -1), FPrev(N, -1)
    {
        // The ring's preset as the decoder sees it: F zeros, then N - F spaces.
        std::fill(FText.begin() + F, FText.begin() + Preset, std::uint8_t{' '});
        std::copy(Data.begin(), Data.end(), FText.begin() + Preset);
        // The spaces just before the data, so a text may start with a match against them.
        for (std::size_t p = Preset - F; p < Preset; ++p)
            Insert(p);
    }

    std::size_t End() const { return FText.size(); }
    std::uint8_t At(std::size_t Pos) const { return FText[Pos]; }

    void Insert(std::size_t Pos)
    {
        if (Pos + MinMatch > FText.size())
            return;
        const std::size_t h = Hash(Pos);
        FPrev[Pos % N] = FHead[h];
        FHead[h] = static_cast<std::int64_t>(Pos);
    }

    // Longest match for Pos among earlier positions within the ring; Length 0 if none.
    std::pair<int, int> Find(std::size_t Pos) const
    {
        const std::size_t limit = std::min<std::size_t>(F, FText.size() - Pos);
        int bestLength = 0;
        int bestDistance = 0;
        if (limit < MinMatch)
            return {0, 0};
        std::int64_t candidate = FHead[Hash(Pos)];
        for (int tries = 0; candidate >= 0 && tries < MaxChain; ++tries) {
            const auto q = static_cast<std::size_t>(candidate);
            if (q >= Pos || Pos - q > N)
                break;
            std::size_t length = 0;
            while (length < limit && FText[q + length] == FText[Pos + length])
                ++length;
            if (static_cast<int>(length) > bestLength) {
                bestLength = static_cast<int>(length);
                bestDistance = static_cast<int>(Pos - q);
                if (length == limit)
                    break;
            }
            candidate = FPrev[q % N];
        }
        return bestLength >= MinMatch ? std::pair{bestLength, bestDistance} : std::pair{0, 0};
    }

private:
    static constexpr std::size_t HashSize = 1 << 15;

    std::size_t Hash(std::size_t Pos) const
    {
        const std::uint32_t v = FText[Pos] | FText[Pos + 1] << 8 | FText[Pos + 2] << 16;
        return (v * 2654435761u) >> (32 - 15);
    }

    std::vector<std::uint8_t> FText;
    std::vector<std::int64_t> FHead;
    std::vector<std::int64_t> FPrev;  // by position modulo the ring size
};

}  // namespace

TBytes TLZHPacker::Pack(std::span<const std::uint8_t> Data, TOptions Options)
{
    if (Data.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("skin content too large to pack");
    const auto size = static_cast<std::uint32_t>(Data.size());
    TBytes result = {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                     static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
    result.reserve(4 + Data.size() / 2);

    TEncoder encoder(result);
    if (!Options.UseMatches) {
        for (auto b : Data)
            encoder.Literal(b);
        encoder.Finish();
        return result;
    }

    TMatchFinder finder(Data);
    std::size_t pos = TMatchFinder::Preset;
    while (pos < finder.End()) {
        auto [length, distance] = finder.Find(pos);
        finder.Insert(pos);
        // One step of lazy matching: a longer match at the next byte wins over this one.
        if (length > 0 && length < F && pos + 1 < finder.End()) {
            const auto next = finder.Find(pos + 1);
            if (next.first > length)
                length = 0;
        }
        if (length == 0) {
            encoder.Literal(finder.At(pos));
            ++pos;
            continue;
        }
        encoder.Match(length, distance);
        for (std::size_t end = pos + static_cast<std::size_t>(length); ++pos < end;)
            finder.Insert(pos);
    }
    encoder.Finish();
    return result;
}

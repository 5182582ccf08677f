#include "lzh.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "lzhtree.h"

namespace {

// MSB-first bit input. Bytes past the end read as zero; Overrun tells whether
// any of those made-up bits has been consumed.
class TBitInput {
public:
    explicit TBitInput(std::span<const std::uint8_t> Source)
        : FPos(Source.data()), FEnd(Source.data() + Source.size())
    {
    }

    unsigned GetBit()
    {
        if (FCount == 0)
            Refill();
        const auto bit = static_cast<unsigned>(FBuffer >> 63);
        FBuffer <<= 1;
        --FCount;
        return bit;
    }

    // The upper 6 bits by their prefix code, then the lower 6 bits.
    unsigned DecodePosition()
    {
        if (FCount < 14)
            Refill();
        const auto first = static_cast<unsigned>(FBuffer >> 56);
        const int bits = PositionTables.d_len[first] + 6;
        const auto code = static_cast<unsigned>(FBuffer >> (64 - bits));
        FBuffer <<= bits;
        FCount -= bits;
        return (static_cast<unsigned>(PositionTables.d_code[first]) << 6) | (code & 0x3F);
    }

    bool Overrun() const { return FMissing != 0 && FMissing * 8 > static_cast<std::size_t>(FCount); }

private:
    void Refill()
    {
        while (FCount <= 56) {
            std::uint64_t b = 0;
            if (FPos != FEnd)
                b = *FPos++;
            else
                ++FMissing;
            FBuffer |= b << (56 - FCount);
            FCount += 8;
        }
    }

    const std::uint8_t* FPos;
    const std::uint8_t* FEnd;
    std::uint64_t FBuffer = 0;  // valid bits at the top
    int FCount = 0;             // number of valid bits
    std::size_t FMissing = 0;   // zero bytes supplied past the end
};

int DecodeChar(TLZHTree& Tree, TBitInput& In)
{
    int c = Tree.Son(TLZHTree::R);
    while (c < TLZHTree::T)
        c = Tree.Son(c + static_cast<int>(In.GetBit()));
    c -= TLZHTree::T;
    Tree.UpdateTree(c);
    return c;
}

// Before the first byte the ring holds N - F spaces from its start; the rest of it,
// which only a damaged stream can reach, holds zeros.
std::uint8_t PresetByte(std::int64_t Offset)
{
    return Offset >= -(TLZHTree::N - TLZHTree::F) ? 0x20 : 0x00;
}

std::unique_ptr<TLZHTree> NewTree()
{
    try {
        return std::make_unique<TLZHTree>();
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
}

void AllocateTarget(TBytes& Target, std::int32_t Size)
{
    try {
        Target.assign(static_cast<std::size_t>(Size), 0);
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for " + std::to_string(Size) + " unpacked bytes");
    }
}

}  // namespace

void TLZH::Unpack(std::int32_t Size, std::span<const std::uint8_t> Source, TBytes& Target)
{
    Target.clear();
    if (Size < 0)
        throw ElzhException("LZH : negative unpacked size " + std::to_string(Size));
    if (Size > MaxUnpackedSize(Source.size()))
        throw ElzhException("LZH : unpacked size " + std::to_string(Size) + " cannot come from " +
                            std::to_string(Source.size()) + " compressed bytes");

    const auto tree = NewTree();
    AllocateTarget(Target, Size);

    TBitInput in(Source);
    std::uint8_t* const out = Target.data();
    const auto size = static_cast<std::size_t>(Size);
    std::size_t produced = 0;
    while (produced < size) {
        const int c = DecodeChar(*tree, in);
        if (c < 256) {
            out[produced++] = static_cast<std::uint8_t>(c);
        } else {
            const std::size_t length = static_cast<std::size_t>(c) - (255 - TLZHTree::THRESHOLD);
            const std::size_t distance = in.DecodePosition() + 1;
            if (length > size - produced)
                throw ElzhException("LZH : last match runs past the unpacked size (" + std::to_string(length) +
                                    " bytes at byte " + std::to_string(produced) + " of " +
                                    std::to_string(size) + ")");
            // The output itself serves as the ring: a match copies from distance bytes back.
            if (distance > produced) {
                // Reaches back into the ring's preset.
                for (const std::size_t end = produced + length; produced < end; ++produced) {
                    const auto from = static_cast<std::int64_t>(produced) - static_cast<std::int64_t>(distance);
                    out[produced] = from >= 0 ? out[from] : PresetByte(from);
                }
            } else if (distance >= length) {
                std::memcpy(out + produced, out + produced - distance, length);
                produced += length;
            } else {
                // Overlapping copy: the match repeats bytes it is still writing.
                for (std::size_t k = 0; k < length; ++k, ++produced)
                    out[produced] = out[produced - distance];
            }
        }
        if (in.Overrun())
            throw ElzhException("LZH : compressed data ends early (" + std::to_string(produced) + " of " +
                                std::to_string(size) + " bytes unpacked)");
    }
}

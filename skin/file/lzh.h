#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "skintypes.h"

// Raised by the decoder, for lack of memory and for every fault in the stream.
class ElzhException : public ESkinFileError {
public:
    using ESkinFileError::ESkinFileError;
};

// The LZHUF decoder: LZSS over a 4096-byte ring, literals and match lengths coded
// with the adaptive tree of TLZHTree, match positions with the fixed position code.
class TLZH {
public:
    // Decodes the bit stream Source into exactly Size bytes, which replace Target.
    // Input past the end of Source reads as zero bits, but a stream that needs such
    // bits to reach Size is refused as cut short.
    static void Unpack(std::int32_t Size, std::span<const std::uint8_t> Source, TBytes& Target);

    // The most bytes a stream of SourceBytes can produce. A literal costs at least
    // one bit; a match gives at most 60 bytes for at least ten bits (one for its
    // length code, at least nine for its position): at most six bytes a bit.
    static constexpr std::int64_t MaxUnpackedSize(std::size_t SourceBytes)
    {
        return static_cast<std::int64_t>(SourceBytes) * 8 * 6;
    }
};

#pragma once

#include <cstdint>
#include <span>

#include "skintypes.h"

// The LZHUF packer: the inverse of TLZH, sharing its tree (TLZHTree) and its
// position code, so what it writes TSkinReader::Decompress reads back byte for byte.
class TLZHPacker {
public:
    struct TOptions {
        bool UseMatches = true;  // false writes literals only
    };

    // A whole outer layer: the 4-byte little-endian size of Data, then the stream.
    static TBytes Pack(std::span<const std::uint8_t> Data, TOptions Options);
    static TBytes Pack(std::span<const std::uint8_t> Data) { return Pack(Data, TOptions{}); }
};

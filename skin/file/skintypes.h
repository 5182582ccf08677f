#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

// The bytes of a skin file, of its unpacked container or of one entry.
using TBytes = std::vector<std::uint8_t>;

// A skin file is untrusted input: every fault found in one is reported with this
// exception (or a descendant) and a message that says what is wrong.
class ESkinFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

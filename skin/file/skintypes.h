#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a skin file, of its unpacked container or of one entry.
using TBytes = std::vector<std::uint8_t>;

// Names in a skin file (entries, sections, keys) compare without case, A to Z only.
inline char AsciiLowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
inline std::string AsciiLowerCase(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        c = AsciiLowerChar(c);
    return s;
}

// A skin file is untrusted input: every fault found in one is reported with this
// exception (or a descendant) and a message that says what is wrong.
class ESkinFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

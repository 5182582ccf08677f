#pragma once

#include <array>
#include <cstdint>

// The adaptive Huffman model of LZHUF. Literals and match lengths share one tree;
// the decoder and the packer update it the same way after every symbol, so both
// sides always agree on the codes.
class TLZHTree {
public:
    static constexpr int N = 4096;                          // ring buffer size
    static constexpr int F = 60;                            // longest match
    static constexpr int THRESHOLD = 2;                     // matches are at least THRESHOLD + 1 bytes
    static constexpr int N_CHAR = 256 - THRESHOLD + F;      // 314 symbols
    static constexpr int T = 2 * N_CHAR - 1;                // 627 nodes
    static constexpr int R = T - 1;                         // root
    static constexpr unsigned MAX_FREQ = 0x8000;            // root frequency that forces a rebuild

    TLZHTree();

    // Counts one more occurrence of Symbol and keeps the tree ordered by frequency.
    void UpdateTree(int Symbol);

    // Child of node Node (a node below T), or Symbol + T for the leaf of Symbol.
    int Son(int Node) const { return son[Node]; }
    // Parent of node Node; for Symbol + T, the node that holds the leaf of Symbol.
    int Parent(int Index) const { return prnt[Index]; }

private:
    void RebuildTree();

    // The values fit 16 bits; full-width entries spare the hot loops the conversions.
    std::array<std::uint32_t, T + 1> freq{};
    std::array<std::int32_t, T + N_CHAR> prnt{};
    std::array<std::int32_t, T> son{};
};

// Match positions: the upper 6 bits use a fixed prefix code of 3 to 8 bits,
// the lower 6 bits follow as they are.
struct TPositionTables {
    std::array<std::uint8_t, 64> p_len{};    // code length for each upper part
    std::array<std::uint8_t, 64> p_code{};   // code, left-aligned in a byte
    std::array<std::uint8_t, 256> d_code{};  // upper part for each byte that starts with its code
    std::array<std::uint8_t, 256> d_len{};   // code length for each such byte
};

constexpr TPositionTables MakePositionTables()
{
    TPositionTables t{};
    for (int j = 0; j < 64; ++j) {
        int len = 8;
        int code = 0xF0 + (j - 48);
        if (j == 0) {
            len = 3;
            code = 0x00;
        } else if (j < 4) {
            len = 4;
            code = 0x20 + 0x10 * (j - 1);
        } else if (j < 12) {
            len = 5;
            code = 0x50 + 8 * (j - 4);
        } else if (j < 24) {
            len = 6;
            code = 0x90 + 4 * (j - 12);
        } else if (j < 48) {
            len = 7;
            code = 0xC0 + 2 * (j - 24);
        }
        t.p_len[j] = static_cast<std::uint8_t>(len);
        t.p_code[j] = static_cast<std::uint8_t>(code);
        for (int b = code; b < code + (1 << (8 - len)); ++b) {
            t.d_code[b] = static_cast<std::uint8_t>(j);
            t.d_len[b] = static_cast<std::uint8_t>(len);
        }
    }
    return t;
}

inline constexpr TPositionTables PositionTables = MakePositionTables();

// The codes must cover every byte exactly, or a damaged stream could index an empty slot.
static_assert([] {
    for (auto len : PositionTables.d_len)
        if (len < 3)
            return false;
    return true;
}());

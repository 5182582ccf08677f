#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "lzhpack.h"
#include "skintypes.h"

inline TBytes BytesOf(std::string_view Text)
{
    return TBytes(Text.begin(), Text.end());
}

// Bytes that do not compress: they come out as literals.
inline TBytes Noise(std::size_t Count, std::uint32_t Seed)
{
    std::mt19937 random(Seed);
    TBytes data(Count);
    for (auto& b : data)
        b = static_cast<std::uint8_t>(random());
    return data;
}

inline void PutInt32(TBytes& Out, std::int32_t Value)
{
    const auto v = static_cast<std::uint32_t>(Value);
    for (int shift = 0; shift < 32; shift += 8)
        Out.push_back(static_cast<std::uint8_t>(v >> shift));
}

// A container laid out field by field, so a test can damage any field.
struct TRawContainer {
    std::int32_t Version = 70000;
    std::size_t Block = 69;                  // bytes after the header
    std::string Names;                       // the name list as stored
    std::optional<std::int32_t> NameLength;  // stated length; the list's own by default
    std::vector<std::int32_t> Sizes;
    std::string Data;

    TBytes Bytes() const
    {
        TBytes out;
        PutInt32(out, Version);
        PutInt32(out, NameLength.value_or(static_cast<std::int32_t>(Names.size())));
        PutInt32(out, 0);
        PutInt32(out, 0);
        out.resize(out.size() + Block, 0);
        out.insert(out.end(), Names.begin(), Names.end());
        for (auto size : Sizes)
            PutInt32(out, size);
        out.insert(out.end(), Data.begin(), Data.end());
        return out;
    }

    TBytes SkinFile() const { return TLZHPacker::Pack(Bytes()); }
};

// Runs Action, which must throw Exception with a message containing Text.
template <typename Exception, typename Action>
void ExpectFailure(Action&& action, std::string_view Text)
{
    try {
        action();
        ADD_FAILURE() << "no exception; expected one saying \"" << Text << "\"";
    } catch (const Exception& e) {
        EXPECT_NE(std::string_view(e.what()).find(Text), std::string_view::npos)
            << "message: \"" << e.what() << "\", expected it to contain \"" << Text << "\"";
    }
}

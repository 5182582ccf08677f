#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skintypes.h"

// Shown when a skin file's container has a version this reader does not know.
inline constexpr std::string_view SOlderSkinFile = "This is Older Skin File\rPlease update to new version !";

// Reads a skin file: a 4-byte little-endian unpacked size, an LZHUF stream, and in
// the unpacked bytes a versioned container of named entries (the skin description
// and its bitmaps). Hands out one entry at a time.
class TSkinReader {
public:
    static constexpr int MaxEntries = 1001;
    static constexpr int HeaderSize = 16;
    // Container versions, oldest first.
    static constexpr std::array<std::int32_t, 6> Versions = {20000, 30000, 40000, 50000, 60000, 70000};

    // Size of the block a container of Version carries after its header, or -1
    // for a version this reader does not know.
    static int VersionBlockSize(std::int32_t Version);

    // Unpacks and parses a whole skin file. False, after telling OnMessage, when the
    // container's version is unknown (also when it is too short for a header).
    // A damaged file raises ESkinFileError (ElzhException for the stream); the
    // reader then holds no entries.
    bool LoadSkinStream(std::span<const std::uint8_t> Stored);

    // The outer layer only: the unpacked container bytes of a skin file.
    static void Decompress(std::span<const std::uint8_t> Source, TBytes& Target);

    // Target receives the entry named Name (in any letter case); empty when none is.
    void GetEntry(std::string_view Name, TBytes& Target) const;

    // Target receives the first entry whose lower-case name contains Text, and
    // EntryName its name; with no such entry Target is empty and EntryName unchanged.
    void FindEntry(std::string_view Text, TBytes& Target, std::string& EntryName) const;

    std::int32_t Version() const { return FVersion; }
    int Count() const { return static_cast<int>(FNames.size()); }
    // Entry names in container order, in lower case.
    const std::vector<std::string>& Names() const { return FNames; }
    std::int32_t EntrySize(int Index) const { return FSizes.at(static_cast<std::size_t>(Index)); }

    // Receives the older-skin message; the skin data component shows it to the user.
    std::function<void(std::string_view)> OnMessage;

private:
    void Clear();
    void CopyEntry(std::size_t Index, TBytes& Target) const;

    std::int32_t FVersion = 0;
    std::int32_t FNameLength = 0;
    std::int32_t FReserved1 = 0;
    std::int32_t FReserved2 = 0;
    std::vector<std::string> FNames;
    std::vector<std::int32_t> FSizes;
    std::vector<std::size_t> FOffsets;  // where each entry starts in FData
    TBytes FData;                       // the entry data, back to back
};

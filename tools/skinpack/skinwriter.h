#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lzhpack.h"
#include "skinreader.h"
#include "skintypes.h"

// Builds a skin file's container: header, the version's block (zeros), the name
// list (one name a line, CR LF after each), the size table and the entry data.
class TSkinWriter {
public:
    static constexpr std::int32_t NewestVersion = TSkinReader::Versions.back();

    // Throws std::invalid_argument for a version the reader does not know.
    explicit TSkinWriter(std::int32_t Version = NewestVersion);

    // Entries keep the order they are added in. Throws std::invalid_argument for a
    // name with a line break or NUL, a name already added (in any letter case),
    // or more entries than a container holds.
    void AddEntry(std::string_view Name, TBytes Data);

    // The unpacked container bytes.
    TBytes Container() const;
    // The whole skin file: the container packed by TLZHPacker.
    TBytes SkinFile(TLZHPacker::TOptions Options = {}) const;

private:
    struct TEntry {
        std::string Name;
        TBytes Data;
    };

    std::int32_t FVersion;
    std::vector<TEntry> FEntries;
};

// libFuzzer target: a skin file, however damaged, loads or fails with ESkinFileError.
// Anything else (a crash, a sanitizer report, another exception) is a finding.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "lzhpack.h"
#include "skinini.h"
#include "skinreader.h"

namespace {

void ReadDescription(std::span<const std::uint8_t> Text)
{
    TQuickIni ini;
    ini.LoadFromStream(Text);
    for (const auto& section : ini.ReadSections()) {
        (void)ini.ReadString(section, "Image", "");
        (void)ini.ReadInteger(section, "Frame", 0);
    }
}

void LoadSkin(std::span<const std::uint8_t> File)
{
    TSkinReader reader;
    try {
        if (!reader.LoadSkinStream(File))
            return;
    } catch (const ESkinFileError&) {
        return;
    }
    TBytes entry;
    std::string name;
    reader.FindEntry(".ini", entry, name);
    ReadDescription(entry);
    for (const auto& n : reader.Names())
        reader.GetEntry(n, entry);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::span<const std::uint8_t> input(Data, Size);
    // The input three ways: as a skin file, as an unpacked container (so the
    // container checks see more than what survives decoding), as a description.
    LoadSkin(input);
    LoadSkin(TLZHPacker::Pack(input, {.UseMatches = false}));
    ReadDescription(input);
    return 0;
}

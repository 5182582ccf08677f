#include "skinwriter.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

void PutInt32(TBytes& Out, std::int32_t Value)
{
    const auto v = static_cast<std::uint32_t>(Value);
    for (int shift = 0; shift < 32; shift += 8)
        Out.push_back(static_cast<std::uint8_t>(v >> shift));
}

}  // namespace

TSkinWriter::TSkinWriter(std::int32_t Version) : FVersion(Version)
{
    if (TSkinReader::VersionBlockSize(Version) < 0)
        throw std::invalid_argument("unknown container version " + std::to_string(Version));
}

void TSkinWriter::AddEntry(std::string_view Name, TBytes Data)
{
    if (Name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        throw std::invalid_argument("entry name \"" + std::string(Name) + "\" holds a line break or NUL");
    // The reader finds entries by lower-case name and the first of equal names wins.
    const std::string lower = AsciiLowerCase(Name);
    if (std::any_of(FEntries.begin(), FEntries.end(), [&](const TEntry& e) { return AsciiLowerCase(e.Name) == lower; }))
        throw std::invalid_argument("entry name \"" + std::string(Name) + "\" is already taken");
    if (FEntries.size() >= TSkinReader::MaxEntries)
        throw std::invalid_argument("a skin file holds at most " + std::to_string(TSkinReader::MaxEntries) +
                                    " entries");
    if (Data.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::invalid_argument("entry \"" + std::string(Name) + "\" is too large");
    FEntries.push_back({std::string(Name), std::move(Data)});
}

TBytes TSkinWriter::Container() const
{
    std::string names;
    for (const auto& e : FEntries)
        names += e.Name + "\r\n";

    TBytes out;
    PutInt32(out, FVersion);
    PutInt32(out, static_cast<std::int32_t>(names.size()));
    PutInt32(out, 0);
    PutInt32(out, 0);
    out.resize(out.size() + static_cast<std::size_t>(TSkinReader::VersionBlockSize(FVersion)), 0);
    out.insert(out.end(), names.begin(), names.end());
    for (const auto& e : FEntries)
        PutInt32(out, static_cast<std::int32_t>(e.Data.size()));
    for (const auto& e : FEntries)
        out.insert(out.end(), e.Data.begin(), e.Data.end());
    return out;
}

TBytes TSkinWriter::SkinFile(TLZHPacker::TOptions Options) const
{
    return TLZHPacker::Pack(Container(), Options);
}

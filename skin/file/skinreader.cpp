#include "skinreader.h"

#include <string>

#include "lzh.h"

namespace {

std::int32_t ReadInt32(const std::uint8_t* p)
{
    const std::uint32_t v = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                            static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    return static_cast<std::int32_t>(v);
}

// One name a line: CR, LF and CR LF end a line, a NUL ends the text; a final
// line break adds no empty name. Stops after Limit names: a damaged list of
// empty lines must not turn into millions of strings.
std::vector<std::string> SplitNames(std::string_view Text, std::size_t Limit)
{
    std::vector<std::string> names;
    std::size_t i = 0;
    while (i < Text.size() && Text[i] != '\0' && names.size() < Limit) {
        std::size_t end = i;
        while (end < Text.size() && Text[end] != '\r' && Text[end] != '\n' && Text[end] != '\0')
            ++end;
        names.emplace_back(Text.substr(i, end - i));
        i = end;
        if (i < Text.size() && Text[i] == '\r')
            ++i;
        if (i < Text.size() && Text[i] == '\n')
            ++i;
    }
    return names;
}

// Reads the unpacked container front to back and refuses anything past its end.
class TContainerInput {
public:
    explicit TContainerInput(const TBytes& Data) : FData(Data) {}

    std::size_t Left() const { return FData.size() - FPos; }

    const std::uint8_t* Take(std::size_t Count, const char* What)
    {
        if (Count > Left())
            throw ESkinFileError(std::string("Skin file: ") + What + " runs past the end of the data (" +
                                 std::to_string(Count) + " bytes wanted, " + std::to_string(Left()) + " left)");
        const std::uint8_t* p = FData.data() + FPos;
        FPos += Count;
        return p;
    }

    std::int32_t TakeInt32(const char* What) { return ReadInt32(Take(4, What)); }

private:
    const TBytes& FData;
    std::size_t FPos = 0;
};

}  // namespace

int TSkinReader::VersionBlockSize(std::int32_t Version)
{
    switch (Version) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    case 60000: return 117;
    case 70000: return 69;
    default: return -1;
    }
}

void TSkinReader::Decompress(std::span<const std::uint8_t> Source, TBytes& Target)
{
    Target.clear();
    if (Source.size() < 4)
        throw ElzhException("LZH : skin file of " + std::to_string(Source.size()) +
                            " bytes is too short to hold its unpacked size");
    TLZH::Unpack(ReadInt32(Source.data()), Source.subspan(4), Target);
}

void TSkinReader::Clear()
{
    FVersion = FNameLength = FReserved1 = FReserved2 = 0;
    FNames.clear();
    FSizes.clear();
    FOffsets.clear();
    FData.clear();
}

bool TSkinReader::LoadSkinStream(std::span<const std::uint8_t> Stored)
{
    Clear();
    TBytes unpacked;
    Decompress(Stored, unpacked);

    TContainerInput in(unpacked);
    std::int32_t version = 0;
    if (in.Left() >= HeaderSize)
        version = in.TakeInt32("header");
    const int block = VersionBlockSize(version);
    if (block < 0) {
        if (OnMessage)
            OnMessage(SOlderSkinFile);
        return false;
    }
    const std::int32_t nameLength = in.TakeInt32("header");
    const std::int32_t reserved1 = in.TakeInt32("header");
    const std::int32_t reserved2 = in.TakeInt32("header");
    in.Take(static_cast<std::size_t>(block), "version block");

    if (nameLength < 0)
        throw ESkinFileError("Skin file: negative name list length " + std::to_string(nameLength));
    const auto* text = in.Take(static_cast<std::size_t>(nameLength), "name list");
    auto names = SplitNames(AsciiLowerCase(std::string_view(reinterpret_cast<const char*>(text),
                                                       static_cast<std::size_t>(nameLength))),
                            MaxEntries + 1);
    if (names.size() > MaxEntries)
        throw ESkinFileError("Skin file: more than " + std::to_string(MaxEntries) + " entries");

    const auto* table = in.Take(4 * names.size(), "size table");
    std::vector<std::int32_t> sizes(names.size());
    std::vector<std::size_t> offsets(names.size());
    std::uint64_t total = 0;  // cannot overflow: at most 1001 sizes below 2^31
    for (std::size_t i = 0; i < names.size(); ++i) {
        sizes[i] = ReadInt32(table + 4 * i);
        if (sizes[i] < 0)
            throw ESkinFileError("Skin file: entry \"" + names[i] + "\" has a negative size " +
                                 std::to_string(sizes[i]));
        offsets[i] = static_cast<std::size_t>(total);
        total += static_cast<std::uint64_t>(sizes[i]);
    }
    if (total > in.Left())
        throw ESkinFileError("Skin file: entries need " + std::to_string(total) + " bytes but the data holds " +
                             std::to_string(in.Left()));
    const auto* data = in.Take(in.Left(), "entry data");

    FVersion = version;
    FNameLength = nameLength;
    FReserved1 = reserved1;
    FReserved2 = reserved2;
    FNames = std::move(names);
    FSizes = std::move(sizes);
    FOffsets = std::move(offsets);
    // The data area is the tail of the unpacked bytes: keep it without a copy.
    unpacked.erase(unpacked.begin(), unpacked.begin() + (data - unpacked.data()));
    FData = std::move(unpacked);
    return true;
}

void TSkinReader::CopyEntry(std::size_t Index, TBytes& Target) const
{
    const auto begin = FData.begin() + static_cast<std::ptrdiff_t>(FOffsets[Index]);
    Target.assign(begin, begin + FSizes[Index]);
}

void TSkinReader::GetEntry(std::string_view Name, TBytes& Target) const
{
    Target.clear();
    const std::string name = AsciiLowerCase(Name);
    for (std::size_t i = 0; i < FNames.size(); ++i) {
        if (FNames[i] == name) {
            CopyEntry(i, Target);
            return;
        }
    }
}

void TSkinReader::FindEntry(std::string_view Text, TBytes& Target, std::string& EntryName) const
{
    Target.clear();
    // A search for a part of a name: an empty text names no entry.
    if (Text.empty())
        return;
    for (std::size_t i = 0; i < FNames.size(); ++i) {
        if (FNames[i].find(Text) != std::string::npos) {
            CopyEntry(i, Target);
            EntryName = FNames[i];
            return;
        }
    }
}

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Reads the skin description: an INI text kept in memory with its section headers and the
// keys under them indexed once, so every look-up costs the same however many sections and
// lines a (possibly crafted) description holds. Section names and keys are case-insensitive;
// it never writes.
class TQuickIni {
public:
    // Replaces the content with the text of Stream. Lines are trimmed; empty lines
    // and lines starting with ";" are dropped; a NUL byte ends the text.
    void LoadFromStream(std::span<const std::uint8_t> Stream);

    // Index in Lines of the first header "[Name]", or -1.
    int FindSection(std::string_view Name) const;

    // The value of Key in Section; Default when the section or the key is missing,
    // or when the first line with that key has an empty value.
    std::string ReadString(std::string_view Section, std::string_view Key, std::string_view Default) const;

    // The value as an integer: decimal, "$" or "0x" hexadecimal (above 0x7FFFFFFF it
    // wraps to a negative value, as system colours need); Default for anything else.
    std::int32_t ReadInteger(std::string_view Section, std::string_view Key, std::int32_t Default) const;

    // Section names in file order, duplicates included, without brackets.
    std::vector<std::string> ReadSections() const;

    // The text before the first "=", trimmed and in lower case; empty without "=".
    static std::string KeyOf(std::string_view Line);
    // The text after the first "=", trimmed, when KeyOf(Line) is Key; else empty.
    static std::string ValueOf(std::string_view Line, std::string_view Key);
    static bool IsSectionLine(std::string_view Line);

    const std::vector<std::string>& Lines() const { return FLines; }

private:
    struct TSection {
        std::string Header;  // as trimmed, brackets included
        int Line;            // its index in FLines
    };
    // The first header of a name and, for each key under it, the first line with that key.
    struct TSectionKeys {
        int Line = 0;
        std::unordered_map<std::string, int> Keys;  // lower-case key -> index in FLines
    };

    void BuildIndex();
    const TSectionKeys* Find(std::string_view Name) const;

    std::vector<std::string> FLines;
    std::vector<TSection> FSections;
    std::unordered_map<std::string, TSectionKeys> FIndex;  // by the lower-case header
};

#include "skinini.h"

#include <algorithm>
#include <limits>

#include "skintypes.h"

namespace {

// Blanks and control characters (everything up to the space) are trimmed.
bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsHeader(std::string_view Trimmed)
{
    return !Trimmed.empty() && Trimmed.front() == '[' && Trimmed.back() == ']';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = AsciiLowerChar(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Decimal with an optional sign, or hexadecimal after "$" (up to 32 bits, taken
// as a signed 32-bit pattern). Anything else, the empty text too, gives Default.
std::int32_t StrToIntDef(std::string_view s, std::int32_t Default)
{
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    const bool hex = !s.empty() && s.front() == '$';
    if (hex)
        s.remove_prefix(1);
    if (s.empty())
        return Default;

    const std::uint64_t limit = hex ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    std::uint64_t value = 0;
    for (char c : s) {
        const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0)
            return Default;
        value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
        if (value > limit)
            return Default;
    }
    auto bits = static_cast<std::uint32_t>(value);
    if (negative)
        bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

}  // namespace

void TQuickIni::LoadFromStream(std::span<const std::uint8_t> Stream)
{
    FLines.clear();
    FSections.clear();
    FIndex.clear();
    const std::string_view text(reinterpret_cast<const char*>(Stream.data()), Stream.size());
    std::size_t i = 0;
    while (i < text.size() && text[i] != '\0') {
        std::size_t end = i;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n' && text[end] != '\0')
            ++end;
        const std::string_view line = Trim(text.substr(i, end - i));
        if (!line.empty() && line.front() != ';') {
            if (IsHeader(line))
                FSections.push_back({std::string(line), static_cast<int>(FLines.size())});
            FLines.emplace_back(line);
        }
        i = end;
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
    BuildIndex();
}

// Each line is visited once: only the first header of a name is indexed, and its keys are the
// lines up to the next header.
void TQuickIni::BuildIndex()
{
    for (std::size_t s = 0; s < FSections.size(); ++s) {
        const auto [it, first] = FIndex.try_emplace(AsciiLowerCase(FSections[s].Header));
        if (!first)
            continue;
        TSectionKeys& section = it->second;
        section.Line = FSections[s].Line;
        const auto end = s + 1 < FSections.size() ? FSections[s + 1].Line : static_cast<int>(FLines.size());
        for (int line = section.Line + 1; line < end; ++line)
            if (std::string key = KeyOf(FLines[static_cast<std::size_t>(line)]); !key.empty())
                section.Keys.try_emplace(std::move(key), line);
    }
}

const TQuickIni::TSectionKeys* TQuickIni::Find(std::string_view Name) const
{
    const auto it = FIndex.find(AsciiLowerCase("[" + std::string(Name) + "]"));
    return it == FIndex.end() ? nullptr : &it->second;
}

int TQuickIni::FindSection(std::string_view Name) const
{
    const TSectionKeys* section = Find(Name);
    return section ? section->Line : -1;
}

std::string TQuickIni::ReadString(std::string_view Section, std::string_view Key, std::string_view Default) const
{
    std::string value(Default);
    const TSectionKeys* section = Find(Section);
    if (!section)
        return value;
    const std::string key = AsciiLowerCase(Key);
    const auto it = section->Keys.find(key);
    if (it == section->Keys.end())
        return value;
    // The first line with the key decides, even with an empty value.
    std::string found = ValueOf(FLines[static_cast<std::size_t>(it->second)], key);
    if (!found.empty())
        value = std::move(found);
    return value;
}

std::int32_t TQuickIni::ReadInteger(std::string_view Section, std::string_view Key, std::int32_t Default) const
{
    std::string text = ReadString(Section, Key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.replace(0, 2, "$");
    return StrToIntDef(text, Default);
}

std::vector<std::string> TQuickIni::ReadSections() const
{
    std::vector<std::string> names;
    names.reserve(FSections.size());
    for (const auto& section : FSections) {
        std::string_view name = Trim(section.Header);
        name = name.substr(1, name.size() - 2);
        names.emplace_back(Trim(name));
    }
    return names;
}

std::string TQuickIni::KeyOf(std::string_view Line)
{
    const auto eq = Line.find('=');
    if (eq == std::string_view::npos)
        return {};
    return AsciiLowerCase(Trim(Line.substr(0, eq)));
}

std::string TQuickIni::ValueOf(std::string_view Line, std::string_view Key)
{
    const auto eq = Line.find('=');
    if (Line.empty() || Key.empty() || eq == std::string_view::npos || KeyOf(Line) != Key)
        return {};
    return std::string(Trim(Line.substr(eq + 1)));
}

bool TQuickIni::IsSectionLine(std::string_view Line)
{
    return IsHeader(Trim(Line));
}

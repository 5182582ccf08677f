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

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLowerChar(x) == AsciiLowerChar(y); });
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
}

int TQuickIni::FindSection(std::string_view Name) const
{
    const std::string header = "[" + std::string(Name) + "]";
    for (const auto& section : FSections)
        if (SameText(section.Header, header))
            return section.Line;
    return -1;
}

std::string TQuickIni::ReadString(std::string_view Section, std::string_view Key, std::string_view Default) const
{
    std::string value(Default);
    const int header = FindSection(Section);
    if (header < 0)
        return value;
    const std::string key = AsciiLowerCase(Key);
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < FLines.size(); ++i) {
        const std::string& line = FLines[i];
        if (IsSectionLine(line))
            break;
        if (KeyOf(line) == key) {
            // The first line with the key decides, even with an empty value.
            const std::string found = ValueOf(line, key);
            if (!found.empty())
                value = found;
            break;
        }
    }
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

#include "skincolors.h"

#include <cstdint>
#include <limits>

const std::array<TSkinColorKey, 16> SkinColorKeys = {{
    {scWindowText, "WindowText", clWindowText},
    {scButtonFace, "ButtonFace", clBtnFace},
    {scScrollbar, "Scrollbar", clScrollBar},
    {scHilightText, "HilightText", clHighlightText},
    {scHilight, "Hilight", clHighlight},
    {scMenubar, "Menubar", clBtnFace},  // replaced by the ButtonFace value just read
    {scMenu, "Menu", clMenu},
    {scMenuText, "MenuText", clMenuText},
    {scButtonText, "ButtonText", clBtnText},
    {scButtonHilight, "ButtonHilight", clBtnHighlight},
    {scButtonlight, "Buttonlight", clBtnHighlight},
    {scButtonShadow, "ButtonShadow", clBtnShadow},
    {scButtonDkShadow, "ButtonDkShadow", cl3DDkShadow},
    {scMenuBarText, "MenuBarText", clMenuText},
    {scTitleTextActive, "TitleTextActive", clCaptionText},
    {scTitleTextNoActive, "TitleTextNoActive", clInactiveCaptionText},
}};

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A run of digits as a number; 0 when it does not fit a 32-bit integer.
int RunValue(std::string_view run)
{
    int64_t v = 0;
    for (char c : run) {
        v = v * 10 + (c - '0');
        if (v > std::numeric_limits<int32_t>::max())
            return 0;
    }
    return static_cast<int>(v);
}

// The text without the blanks and control characters around it.
std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

}  // namespace

TColor ParseColorText(std::string_view text)
{
    text = Trimmed(text);
    std::array<int, 3> rgb{};
    size_t stored = 0;
    size_t runStart = 0, runLength = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            if (runLength == 0)
                runStart = i;
            ++runLength;
            continue;
        }
        if (runLength == 0)
            continue;
        if (stored < rgb.size())
            rgb[stored] = RunValue(text.substr(runStart, runLength));
        ++stored;
        runLength = 0;
    }
    if (stored == 2 && runLength > 0)
        rgb[2] = RunValue(text.substr(runStart, runLength));
    return static_cast<TColor>(RGB(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF));
}

TColor ReadColorValue(std::string_view text, TColor def)
{
    return Trimmed(text).empty() ? def : ParseColorText(text);
}

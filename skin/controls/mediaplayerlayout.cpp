#include "mediaplayerlayout.h"

#include <algorithm>
#include <cctype>
#include <string>

const std::array<const char*, MPButtonCount> MPButtonNames{
    "btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"};
const std::array<const char*, MPButtonCount> MPGlyphResources{
    "MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"};
const std::array<const char*, 3> MPGlyphKindNames{"EN", "DI", "CL"};

namespace {

std::string Lower(std::string_view s)
{
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return r;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

int ButtonOfName(std::string_view name)
{
    const std::string lower = Lower(Trim(name));
    for (int i = 0; i < MPButtonCount; ++i)
        if (lower == Lower(MPButtonNames[static_cast<size_t>(i)]))
            return i;
    return -1;
}

}  // namespace

TMPButtonSet MPButtonsFromSetText(std::string_view text)
{
    const size_t open = text.find('[');
    const size_t close = text.find(']', open == std::string_view::npos ? 0 : open);
    if (open == std::string_view::npos || close == std::string_view::npos)
        return 0;
    std::string_view inside = text.substr(open + 1, close - open - 1);
    TMPButtonSet set = 0;
    while (!inside.empty()) {
        const size_t comma = inside.find(',');
        const int i = ButtonOfName(inside.substr(0, comma));
        if (i >= 0)
            set = static_cast<TMPButtonSet>(set | (1u << i));
        if (comma == std::string_view::npos)
            break;
        inside.remove_prefix(comma + 1);
    }
    return set;
}

int MPButtonCountIn(TMPButtonSet set)
{
    int n = 0;
    for (int i = 0; i < MPButtonCount; ++i)
        n += MPHas(set, i);
    return n;
}

int MPButtonWidth(int panelWidth, TMPButtonSet visible)
{
    const int n = MPButtonCountIn(visible);
    return n ? panelWidth / n : 0;
}

std::vector<TMPCell> MPCells(int panelWidth, int panelHeight, TMPButtonSet visible)
{
    std::vector<TMPCell> cells;
    const int w = MPButtonWidth(panelWidth, visible);
    int x = 0;
    for (int i = 0; i < MPButtonCount; ++i) {
        if (!MPHas(visible, i))
            continue;
        cells.push_back({i, PixRect(x, 0, x + w, panelHeight)});
        x += w;
    }
    return cells;
}

int MPButtonAt(int x, int buttonWidth, TMPButtonSet visible)
{
    int s = 0;
    for (int i = 0; i < MPButtonCount; ++i) {
        if (!MPHas(visible, i))
            continue;
        if (s <= x && x <= s + buttonWidth)
            return i;
        s += buttonWidth;
    }
    return MPNoButton;
}

TMPGlyphKind MPGlyphKind(bool enabled, bool colored)
{
    if (!enabled)
        return mgDisabled;
    return colored ? mgColored : mgEnabled;
}

int MPFrameState(bool mouseDown, bool isPressedButton, TMPGlyphKind kind)
{
    if (kind == mgDisabled)
        return 3;
    return mouseDown && isPressedButton ? 2 : 1;
}

TMPGlyphPos MPGlyphPosition(const TPixRect& cell, int gw, int gh, int frameState)
{
    const int shift = frameState == 2 ? 1 : 0;
    return {cell.Left + (cell.Width() - gw) / 2 + shift, (cell.Height() - gh) / 2 + shift};
}

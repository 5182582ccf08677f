#include "scrollbarlayout.h"

#include <algorithm>
#include <cstdlib>

#include "rangelayout.h"

namespace {

// A span [from, to) along the axis, `thickness` across it.
TPixRect Along(bool vertical, int from, int to, int thickness)
{
    if (to <= from)
        return {};
    return vertical ? PixRect(0, from, thickness, to) : PixRect(from, 0, to, thickness);
}

bool PartIsHot(int part, int hotPart) { return part == hotPart; }

}  // namespace

int ScrollBarHitTest(int along, int buttonSize, int thumbStart, int thumbEnd, int barLength)
{
    if (along < buttonSize)
        return ScrollPart::LineUp;
    if (along < thumbStart)
        return ScrollPart::PageUp;
    if (along < thumbEnd)
        return ScrollPart::Thumb;
    if (along < barLength - buttonSize)
        return ScrollPart::PageDown;
    return ScrollPart::LineDown;
}

int ScrollBarThickness(int skinHeight, int buttonSize)
{
    return std::abs(skinHeight - buttonSize) > 2 ? buttonSize : skinHeight;
}

TScrollBarParts LayOutScrollBar(const TScrollBarShape& s)
{
    TScrollBarParts p;
    const bool v = s.Vertical;
    const int length = v ? s.Height : s.Width;
    const int b = s.ButtonSize;
    p.Thickness = ScrollBarThickness(s.SkinHeight, b);
    const int t = p.Thickness;

    p.Track = Along(v, b, length - b, t);
    // A bar too short for two buttons gives each arrow half of it.
    const int arrow = length < 2 * b ? length / 2 : b;
    p.FirstArrow = Along(v, 0, arrow, t);
    p.SecondArrow = Along(v, length - arrow, length, t);
    if (!s.Enabled)
        return p;

    if (s.ThumbStart < s.Extent && s.ThumbEnd < s.Extent)
        p.Thumb = Along(v, s.ThumbStart, s.ThumbEnd, t);
    const int thumbLength = s.ThumbEnd - s.ThumbStart;
    if (s.SkinHeight < thumbLength + 2) {
        const int from = s.ThumbStart + (thumbLength - s.SkinHeight) / 2;
        const int to = from + s.SkinHeight;
        if (from < s.Extent && to < s.Extent)
            p.Grip = Along(v, from, to, t);
    }
    return p;
}

int ScrollArrowFrame(bool vertical, bool second, int hotPart, bool pressed)
{
    const int normal = vertical ? (second ? 13 : 9) : (second ? 5 : 1);
    const int part = second ? ScrollPart::LineDown : ScrollPart::LineUp;
    if (!PartIsHot(part, hotPart))
        return normal;
    return pressed ? normal + 1 : normal + 3;
}

int ScrollGripFrame(bool vertical, int hotPart, bool pressed)
{
    const int normal = vertical ? 20 : 17;
    if (!PartIsHot(ScrollPart::Thumb, hotPart))
        return normal;
    return pressed ? normal + 1 : normal + 2;
}

int ScrollThumbFrame(int hotPart, bool pressed)
{
    if (!PartIsHot(ScrollPart::Thumb, hotPart))
        return 1;
    return pressed ? 2 : 3;
}

TThumbSpan FollowThumb(int pressThumbStart, int cursorDelta, int buttonSize, int barLength, TThumbSpan current)
{
    const int length = current.End - current.Start;
    int start = std::max(pressThumbStart + cursorDelta, buttonSize);
    start = std::min(start, barLength - buttonSize - length);
    return {start, current.End + (start - current.Start)};
}

int DragScrollPosition(int thumbOrigin, int cursorDelta, int track, int thumbLength, const TScrollRange& range)
{
    int start = std::max(thumbOrigin + cursorDelta, 0);
    const int room = track - thumbLength;
    int position;
    if (range.Page == 0) {
        start = std::min(start, room);
        position = std::min(MulDivRound(start, range.Max - range.Min, track) + range.Min, range.Max);
    } else {
        if (start > room)
            start = room + 1;
        position = MulDivRound(start, range.Max - range.Min - range.Page, room) + range.Min;
        if (position >= range.Max - range.Page)
            position = range.Max - range.Page + 1;
    }
    return std::max(position, range.Min);
}

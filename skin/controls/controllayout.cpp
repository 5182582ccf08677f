#include "controllayout.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace {

// The measured size, with R's top-left corner (text is measured from there).
TPixRect AtTopLeft(const TPixRect& r, const TPixRect& measured)
{
    return PixBounds(r.Left, r.Top, measured.Width(), measured.Height());
}

int GlyphRoom(const TPixRect& r, int iconWidth, bool hasImage)
{
    return hasImage && iconWidth > 0 && iconWidth < r.Width() ? iconWidth : 0;
}

}  // namespace

TPixRect OffsetPixRect(const TPixRect& r, int dx, int dy)
{
    return PixRect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
}

unsigned AlignmentTextFlags(int alignment)
{
    switch (alignment) {
    case 1: return TextFlag::Right;
    case 2: return TextFlag::Center;
    default: return 0;
    }
}

TPixRect PlaceCaptionText(const TPixRect& r, const TPixRect& measured, unsigned alignment)
{
    TPixRect m = AtTopLeft(r, measured);
    const int dw = r.Width() - m.Width();
    const int dh = r.Height() - m.Height();
    if (alignment & TextFlag::Center)
        return OffsetPixRect(m, dw / 2, dh / 2 - 1);
    m = OffsetPixRect(m, 0, dh / 2 - 1);
    m.Left = r.Left;
    m.Right = r.Right;
    return m;
}

TPixRect PlaceCenteredText(const TPixRect& r, const TPixRect& measured)
{
    const TPixRect m = AtTopLeft(r, measured);
    return OffsetPixRect(m, (r.Width() - m.Width()) / 2, (r.Height() - m.Height()) / 2);
}

TPixRect TextFocusRect(const TPixRect& r, const TPixRect& measured, unsigned flags)
{
    TPixRect t = AtTopLeft(r, measured);
    if (flags & TextFlag::Center)
        t = OffsetPixRect(t, (r.Width() - t.Width()) / 2, (r.Height() - t.Height()) / 2 - 1);
    else if (flags & TextFlag::Right)
        t = OffsetPixRect(t, r.Width() - t.Width(), 0);
    t = PixRect(t.Left - 2, t.Top - 1, t.Right + 2, t.Bottom + 1);
    t.Top = std::max(t.Top, r.Top);
    t.Bottom = std::min(t.Bottom, r.Bottom);
    t.Right = std::min(t.Right, r.Right);
    t.Left = std::max(t.Left, r.Left);
    return t;
}

TPixRect GlyphTextMeasureBox(const TPixRect& r, int iconWidth, bool hasImage, int alignment)
{
    TPixRect box = r;
    const int gaps = alignment == 1 ? 2 : 3;
    box.Right = std::max(box.Left, box.Right - GlyphRoom(r, iconWidth, hasImage) - gaps);
    return box;
}

TGlyphTextLayout PlaceGlyphAndText(const TPixRect& r, int iconWidth, int iconHeight, bool hasImage,
                                   const TPixRect& measured, int alignment)
{
    TGlyphTextLayout l;
    l.Room = GlyphRoom(r, iconWidth, hasImage);
    const int cx = l.Room;
    const int cy = cx > 0 ? iconHeight : 0;
    const TPixRect t = AtTopLeft(r, measured);
    int x = 3;
    if (alignment == 1)
        x = (r.Width() - cx - t.Width()) / 2;
    else if (alignment == 2)
        x = r.Width() - cx - t.Width() - 2;
    if (x < 2)
        x = 1;
    // The icon's width also sets its vertical offset.
    l.Glyph = PixBounds(r.Left + x, r.Top + (r.Height() - cx) / 2, cx, cy);
    l.Text = OffsetPixRect(t, x + cx, (r.Height() - t.Height()) / 2);
    l.Text.Left = std::max(l.Text.Left, r.Left);
    l.Text.Right = std::min(l.Text.Right, r.Right);
    return l;
}

std::vector<TLayoutLine> ArrowGlyphLines(int x, int y, int direction)
{
    // The left and right arrows are closed outlines through these points.
    auto outline = [](std::initializer_list<std::pair<int, int>> points) {
        std::vector<TLayoutLine> lines;
        const std::pair<int, int>* prev = nullptr;
        for (const auto& p : points) {
            if (prev)
                lines.push_back({prev->first, prev->second, p.first, p.second});
            prev = &p;
        }
        return lines;
    };
    switch (direction) {
    case 0:
        return {{x, y, x, y - 1},         {x + 1, y + 1, x + 4, y + 4}, {x, y + 1, x + 3, y + 4},
                {x, y + 2, x + 2, y + 4}, {x - 1, y + 1, x - 4, y + 4}, {x, y + 2, x - 3, y + 4},
                {x, y + 1, x - 2, y + 4}};
    case 1:
        return {{x, y + 3, x, y + 4},     {x + 1, y + 2, x + 4, y - 1}, {x, y + 2, x + 3, y - 1},
                {x, y + 1, x + 2, y},     {x - 1, y + 2, x - 4, y - 1}, {x, y + 2, x - 3, y - 1},
                {x, y + 1, x - 2, y}};
    case 2:
        return outline({{x, y}, {x + 1, y + 2}, {x + 1, y - 2}, {x - 1, y}, {x + 1, y + 2}});
    case 3:
        return outline({{x, y}, {x - 1, y + 2}, {x - 1, y - 2}, {x + 1, y}, {x - 1, y + 2}});
    default:
        return {};
    }
}

TArrowPoint PlainArrowPoint(const TPixRect& button, int direction)
{
    TArrowPoint p{button.Left + button.Width() / 2, button.Top + button.Height() / 2};
    if (direction == 0 || direction == 1)
        p.Y -= 2;
    return p;
}

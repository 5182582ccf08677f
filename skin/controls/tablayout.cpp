#include "tablayout.h"

int TabPositionOfStyle(unsigned style)
{
    constexpr unsigned bottom = 0x2, vertical = 0x80;
    const bool b = (style & bottom) != 0;
    const bool v = (style & vertical) != 0;
    if (b)
        return v ? tbRight : tbBottom;
    return v ? tbLeft : tbTop;
}

TPixRect TabPaneRect(const TPixRect& display, int position)
{
    TPixRect p = PixRect(display.Left - 4, display.Top - 4, display.Right + 4, display.Bottom + 4);
    switch (position) {
    case tbBottom: --p.Bottom; break;
    case tbLeft: ++p.Left; break;
    case tbRight: --p.Right; break;
    default: ++p.Top; break;
    }
    return p;
}

TPixRect TabStripRect(const TPixRect& window, const TPixRect& pane, int position)
{
    const TPixRect& r = window;
    switch (position) {
    case tbBottom: return PixRect(r.Left, pane.Bottom, r.Right, r.Bottom);
    case tbLeft: return PixRect(r.Left, r.Top, pane.Left, r.Bottom);
    case tbRight: return PixRect(pane.Right, r.Top, r.Right, r.Bottom);
    default: return PixRect(r.Left, r.Top, r.Right, pane.Top);
    }
}

TTabStripSize TabStripSize(const TPixRect& strip, int position)
{
    if (position == tbLeft || position == tbRight)
        return {strip.Height(), strip.Width()};
    return {strip.Width(), strip.Height()};
}

TPixRect TabInStrip(const TPixRect& tab, int position, int length, const TPixRect& pane, const TPixRect& window)
{
    const TPixRect& t = tab;
    switch (position) {
    case tbBottom: return OffsetPixRect(t, 0, -pane.Bottom - 1);
    case tbLeft: return PixRect(length - t.Bottom, t.Left, length - t.Top, t.Right);
    case tbRight: return PixRect(t.Top - 1, window.Right - t.Right, t.Bottom - 1, window.Right - t.Left);
    default: return OffsetPixRect(t, 0, 1);
    }
}

TPixRect TabCloseBox(const TPixRect& tab) { return PixRect(tab.Right - 8, tab.Top + 2, tab.Right - 2, tab.Top + 8); }

std::vector<TLayoutLine> TabCloseBoxLines(const TPixRect& tab)
{
    const TPixRect b = TabCloseBox(tab);
    const int a = b.Left, t = b.Top, c = b.Right, d = b.Bottom;
    return {{a, t, c, t}, {c, t, c, d}, {c, d, a, d}, {a, d, a, t}, {a, t, c, d}, {c, t, a, d}};
}

int TabCloseBoxAt(const std::vector<TPixRect>& boxes, int x, int y)
{
    for (size_t i = 0; i < boxes.size(); ++i) {
        const TPixRect& b = boxes[i];
        if (x >= b.Left && x < b.Right && y >= b.Top && y < b.Bottom)
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<TTabSetTab> TabSetLayout(const std::vector<int>& textWidths, int firstIndex, int startMargin, int limit,
                                     int height, bool scrollButtons)
{
    std::vector<TTabSetTab> tabs;
    const int extra = scrollButtons ? 12 : 0;
    int x = startMargin;
    for (int i = firstIndex < 0 ? 0 : firstIndex; i < static_cast<int>(textWidths.size()); ++i) {
        const int w = textWidths[static_cast<size_t>(i)] + 9;
        if (x + w + extra > limit)
            continue;
        tabs.push_back({i, PixRect(x, 0, x + w, height)});
        x += w;
    }
    return tabs;
}

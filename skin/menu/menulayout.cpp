#include "menulayout.h"

#include <algorithm>

namespace {

// System commands.
constexpr unsigned ScSize = 0xF000, ScMove = 0xF010, ScMinimize = 0xF020, ScMaximize = 0xF030,
                   ScClose = 0xF060, ScRestore = 0xF120;
// Size states.
constexpr int Normal = 0, Maximized = 1, Minimized = 2;
// Virtual keys.
constexpr unsigned VkLeft = 37, VkRight = 39;
// The greyed and disabled bits of a menu item's state.
constexpr unsigned GreyedOrDisabled = 3;
// Side of the glyph column without an image list, and of the check mark's box.
constexpr int StandardGlyph = 16;

}  // namespace

// ---------------------------------------------------------------- the system

TWinVersion TWinVersion::FromGetVersion(uint32_t value)
{
    TWinVersion v;
    v.NT = (value & 0x80000000u) == 0;
    v.Major = static_cast<int>(value & 0xFF);
    v.Minor = static_cast<int>((value >> 8) & 0xFF);
    return v;
}

bool BarFromMenuItems(const TWinVersion& v) { return v.NT4() || (v.Major == 4 && v.Minor == 0); }

bool PopupFrameThroughWindowDC(const TWinVersion& v) { return v.NT && v.AtLeast(5, 2); }

// ---------------------------------------------------------------- popup windows

TPixRect PopupItemArea(const TPixRect& item, int clientX, int clientY)
{
    return PixRect(item.Left + clientX, item.Top + clientY, item.Right + clientX, item.Bottom + clientY);
}

std::vector<TPixRect> PopupFrameStrips(int width, int height)
{
    const int f = PopupFrame;
    return {PixRect(0, 0, width, f), PixRect(0, height - f, width, height), PixRect(0, 0, f, height),
            PixRect(width - f, 0, width, height)};
}

bool PopupKindAllowed(int kind, const TMenuKindGates& gates)
{
    switch (kind) {
    case 0:
        return gates.PopupMenu;
    case 1:
        return gates.MainMenu || gates.MenuItem;
    case 2:
        return gates.SystemMenu;
    default:
        return true;
    }
}

// ---------------------------------------------------------------- owner-drawn items

int MainMenuItemWidth(int width, int pictureLeft, bool hasImages) { return width + pictureLeft + (hasImages ? 10 : 35); }

int PopupMenuItemWidth(int width, int pictureLeft, bool hasImages) { return width + pictureLeft + (hasImages ? 12 : 35); }

TItemSize WindowMenuItemSize(int textWidth, bool emptyText, int height, int pictureLeft, bool win9x)
{
    TItemSize size;
    size.Width = textWidth + 26 + pictureLeft;
    size.Height = emptyText ? 8 : height + 4;
    if (win9x)
        size.Height += 4;
    return size;
}

int MenuGlyphSize(int imageWidth, bool checked)
{
    const int glyph = imageWidth > 0 ? imageWidth : StandardGlyph;
    return checked ? std::max(glyph, StandardGlyph) : glyph;
}

TPixRect MenuGlyphBox(const TPixRect& r, int glyph, int pictureLeft, bool rightToLeft)
{
    const int top = r.Top + 1;
    if (rightToLeft) {
        const int right = r.Right - 1 - pictureLeft;
        return PixRect(right - glyph, top, right, top + glyph);
    }
    return PixBounds(r.Left + 1 + pictureLeft, top, glyph, glyph);
}

int CheckedImageTop(const TPixRect& r) { return r.Top + (r.Height() - StandardGlyph) / 2; }

int ImageTop(const TPixRect& r, int imageHeight) { return r.Top + (r.Height() - imageHeight) / 2; }

TPixPoint MenuCheckMarkAt(const TPixRect& r, const TPixRect& box, int glyph, int markWidth, int markHeight,
                          bool rightToLeft)
{
    const int x = box.Left + (glyph - markWidth) / 2 + 1;
    if (rightToLeft)
        return {x, box.Top + (glyph - markHeight) / 2 + 1};
    return {x, r.Top + (r.Height() - markHeight) / 2 + 1};
}

TPixRect MenuTextRect(const TPixRect& r, const TPixRect& box, bool separator, bool rightToLeft)
{
    if (rightToLeft)
        return PixRect(r.Left + 1, r.Top, (separator ? 0 : box.Left) - 3, r.Bottom);
    return PixRect((separator ? 0 : box.Right) + 3, r.Top, r.Right - 1, r.Bottom);
}

TPixRect PlaceMenuText(const TPixRect& measured, const TPixRect& area, const TPixRect& r, bool rightToLeft)
{
    const int down = (r.Height() - measured.Height()) / 2;
    const int across = rightToLeft ? area.Right - measured.Right : 0;
    return PixRect(measured.Left + across, measured.Top + down, measured.Right + across, measured.Bottom + down);
}

TPixRect MenuShortcutRect(const TPixRect& text, const TPixRect& area, const TPixRect& r, bool rightToLeft)
{
    if (rightToLeft)
        return PixRect(area.Left + 10, text.Top, text.Left, text.Bottom);
    return PixRect(text.Right, text.Top, r.Right - 1 - 10, text.Bottom);
}

TSlicePlan MenuSeparatorPlan(int imageWidth, int imageHeight, int leftWidth, int rightWidth, int width, int height)
{
    TSlicePlan plan;
    const int fw = imageWidth / 5;
    if (fw <= 0 || imageHeight <= 0 || width <= 0 || height <= 0)
        return plan;
    // Edges that do not fit the state (a damaged skin) shrink to it.
    const int left = std::clamp(leftWidth, 0, fw);
    const int right = std::clamp(rightWidth, 0, fw - left);
    const int top = std::max(0, imageHeight - height);
    const int x0 = fw;  // the second state
    plan.Add(PixRect(x0, top, x0 + left, imageHeight), PixRect(0, 0, left, height));
    plan.Add(PixRect(x0 + fw - right, top, x0 + fw, imageHeight), PixRect(width - right, 0, width, height));
    plan.Add(PixRect(x0 + left, top, x0 + fw - right, imageHeight), PixRect(left, 0, width - right, height));
    return plan;
}

// ---------------------------------------------------------------- the menu bar

int MenuBarMargin(bool hasPicture, int leftWidth, int rightWidth, bool rightToLeft, int barWidth)
{
    int margin = 6;
    if (hasPicture)
        margin = rightToLeft ? rightWidth + 8 : leftWidth + 4;
    return margin > barWidth ? 12 : margin;
}

int MenuBarButtonWidth(int textWidth) { return textWidth > 0 ? textWidth + 10 : textWidth; }

std::vector<TPixRect> LayoutMenuBar(const std::vector<TBarCell>& cells, int barWidth, int barHeight, int margin,
                                    bool rightToLeft, int rtlLimit)
{
    std::vector<TPixRect> rects(cells.size());
    const int bottom = barHeight - 1;
    if (!rightToLeft) {
        int x = margin;
        for (size_t i = 0; i < cells.size(); ++i) {
            if (!cells[i].Visible)
                continue;
            rects[i] = PixRect(x, 0, x + cells[i].Width, bottom);
            x += cells[i].Width;
        }
        return rects;
    }
    int x = barWidth - margin;
    if (rtlLimit >= 0)
        x = std::min(x, rtlLimit);
    for (size_t i = 0; i < cells.size(); ++i) {
        if (!cells[i].Visible)
            continue;
        rects[i] = PixRect(x - cells[i].Width, 0, x, bottom);
        x -= cells[i].Width;
    }
    return rects;
}

int NextBarButton(int current, int count, int direction)
{
    if (count <= 0 || current < 0)
        return -1;
    if (direction > 0)
        return current + 1 >= count ? 0 : current + 1;
    return current <= 0 ? count - 1 : current - 1;
}

unsigned SwapArrowKey(unsigned key)
{
    if (key == VkLeft)
        return VkRight;
    if (key == VkRight)
        return VkLeft;
    return key;
}

int BarKeyTarget(unsigned key, const TBarHighlight& h, int current, int count)
{
    if (key == VkLeft && (!h.HasItem || h.InTopDropDown))
        return NextBarButton(current, count, -1);
    if (key == VkRight && (!h.HasItem || !h.HasSubItems))
        return NextBarButton(current, count, +1);
    return -1;
}

bool IsMenuAccel(unsigned key, std::wstring_view caption)
{
    auto up = [](unsigned c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; };
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return up(static_cast<unsigned>(caption[i + 1])) == up(key);
    }
    return false;
}

// ---------------------------------------------------------------- the system menu

bool MenuStateDisabled(unsigned state) { return (state & GreyedOrDisabled) != 0; }

TSysMenuRow SystemMenuRow(unsigned command, unsigned nativeState, int sizeState, bool minimizeBox, bool maximizeBox,
                          bool sizingBorder)
{
    TSysMenuRow row;
    row.Enabled = true;
    switch (command & 0xFFF0) {
    case ScSize:
        row.Enabled = sizeState == Normal && sizingBorder;
        break;
    case ScMove:
        row.Enabled = sizeState != Maximized;
        break;
    case ScMinimize:
        row.Image = 2;
        row.Enabled = sizeState != Minimized && minimizeBox;
        break;
    case ScMaximize:
        row.Image = 1;
        row.Enabled = sizeState != Maximized && maximizeBox;
        break;
    case ScClose:
        row.Image = 3;
        break;
    case ScRestore:
        row.Image = 0;
        row.Enabled = sizeState != Normal;
        break;
    default:
        break;
    }
    if (MenuStateDisabled(nativeState))
        row.Enabled = false;
    return row;
}

bool WithinDoubleClick(uint32_t now, uint32_t last, bool openedBefore, uint32_t doubleClickTime)
{
    return openedBefore && static_cast<uint32_t>(now - last) <= doubleClickTime;
}

// Push-button states, caption colours and the layouts of glyph, caption and arrow.
#include "buttonlayout.h"

#include "controllayout.h"

namespace {

bool Horizontal(TGlyphLayout l) { return l == TGlyphLayout::Left || l == TGlyphLayout::Right; }

}  // namespace

int PushButtonState(bool disabled, bool pressed, bool hot, bool focusedOrDefault)
{
    if (disabled)
        return ButtonState::Disabled;
    if (pressed)
        return ButtonState::Pressed;
    if (hot)
        return ButtonState::Hot;
    if (focusedOrDefault)
        return ButtonState::Focused;
    return ButtonState::Normal;
}

int MenuButtonState(bool disabled, bool pressed, bool hot, bool focused)
{
    return PushButtonState(disabled, pressed, hot || focused, false);
}

int BitButtonGlyphNumber(int state)
{
    switch (state) {
    case ButtonState::Pressed: return 3;
    case ButtonState::Disabled: return 2;
    default: return 1;
    }
}

int32_t ButtonTextColor(int state, int32_t base, const TButtonColours& skin, int32_t disabled, bool normalInFrame1Only)
{
    int32_t c = base;
    if (skin.Given[0] && (!normalInFrame1Only || state == ButtonState::Normal))
        c = skin.Colour[0];
    if (state == ButtonState::Hot && skin.Given[1])
        c = skin.Colour[1];
    if (state == ButtonState::Pressed && skin.Given[2])
        c = skin.Colour[2];
    if (state == ButtonState::Disabled)
        c = disabled;
    return c;
}

std::wstring WideReplaceFirst(const std::wstring& s, const std::wstring& oldText, const std::wstring& newText)
{
    if (oldText.empty())
        return s;
    const size_t at = s.find(oldText);
    if (at == std::wstring::npos)
        return s;
    std::wstring out = s;
    out.replace(at, oldText.size(), newText);
    return out;
}

TGlyphLayout GlyphLayoutOf(std::string_view layout)
{
    if (layout == "blglyphright")
        return TGlyphLayout::Right;
    if (layout == "blglyphtop")
        return TGlyphLayout::Top;
    if (layout == "blglyphbottom")
        return TGlyphLayout::Bottom;
    return TGlyphLayout::Left;
}

TPixRect BitButtonTextBox(const TPixRect& button, TPixSize glyph, TGlyphLayout layout)
{
    TPixRect t = PixRect(button.Left + 2, button.Top + 2, button.Right - 2, button.Bottom - 2);
    if (Horizontal(layout))
        t.Right -= glyph.X + 2;
    else
        t.Bottom -= glyph.Y + 2;
    return t;
}

TBitButtonLayout LayoutBitButton(TPixSize client, TPixSize glyph, TPixSize text, int margin, int spacing,
                                 TGlyphLayout layout, bool centred)
{
    TBitButtonLayout l;
    const bool horizontal = Horizontal(layout);
    int textX = 0, textY = 0;
    // Across the layout axis both parts are centred.
    if (horizontal) {
        l.GlyphY = (client.Y - glyph.Y + 1) / 2;
        textY = (client.Y - text.Y + 1) / 2;
    } else {
        l.GlyphX = (client.X - glyph.X + 1) / 2;
        textX = (client.X - text.X + 1) / 2;
    }
    if (text.X == 0 || glyph.X == 0)
        spacing = 0;
    // Along the layout axis.
    const int c = horizontal ? client.X : client.Y;
    const int g = horizontal ? glyph.X : glyph.Y;
    const int s = horizontal ? text.X : text.Y;
    if (margin == -1 || centred) {
        if (spacing == -1) {
            margin = (c - (g + s)) / 3;
            spacing = margin;
        } else {
            margin = (c - (g + spacing + s)) / 2;
        }
    } else if (spacing == -1) {
        spacing = ((c - (margin + g)) - s) / 2;
    }
    l.TextFlags = TextFlag::WordBreak;
    switch (layout) {
    case TGlyphLayout::Left:
        l.GlyphX = margin;
        textX = margin + glyph.X + spacing;
        break;
    case TGlyphLayout::Right:
        l.GlyphX = client.X - margin - glyph.X;
        textX = l.GlyphX - spacing - text.X;
        l.TextFlags |= TextFlag::Right;
        break;
    case TGlyphLayout::Top:
        l.GlyphY = margin;
        textY = margin + glyph.Y + spacing;
        l.TextFlags |= TextFlag::Center;
        break;
    case TGlyphLayout::Bottom:
        l.GlyphY = client.Y - margin - glyph.Y;
        textY = l.GlyphY - spacing - text.Y;
        l.TextFlags |= TextFlag::Center;
        break;
    }
    l.Text = PixBounds(textX, textY, text.X, text.Y);
    l.Margin = margin;
    l.Spacing = spacing;
    return l;
}

TPixRect MenuButtonTextBox(TPixSize client, TPixSize glyph)
{
    return PixRect(2, 2, client.X - glyph.X - MenuArrowWidth - 2, client.Y - 2);
}

TMenuButtonLayout LayoutMenuButton(TPixSize client, TPixSize glyph, TPixSize text, int margin, int spacing)
{
    TMenuButtonLayout l;
    const int content = glyph.X + text.X + MenuArrowWidth;
    if (margin == -1 && spacing == -1) {
        margin = (client.X - content) / 4;
        spacing = margin;
    } else if (margin == -1) {
        margin = (client.X - (content + 2 * spacing)) / 2;
    } else if (spacing == -1) {
        // Glyph, caption and arrow spread over what the margin leaves, the arrow's centre as
        // far from the right edge as with both worked out, so it stays on the button.
        spacing = (client.X - MenuArrowWidth - margin - glyph.X - text.X) / 3;
    }
    l.GlyphX = margin;
    l.GlyphY = (client.Y - glyph.Y) / 2;
    const int textX = margin + glyph.X + spacing;
    l.Text = PixBounds(textX, (client.Y - text.Y + 1) / 2, text.X, text.Y);
    l.ArrowX = textX + 2 * spacing + text.X;
    l.ArrowY = (client.Y - 3) / 2;
    l.Margin = margin;
    l.Spacing = spacing;
    return l;
}

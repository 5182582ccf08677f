#include "speedbuttonlayout.h"

int SpeedButtonState(bool down, bool enabled, bool pressed, bool hot)
{
    if (down)
        return ButtonState::Pressed;
    if (!enabled)
        return ButtonState::Disabled;
    if (pressed)
        return ButtonState::Pressed;
    if (hot)
        return ButtonState::Hot;
    return ButtonState::Normal;
}

int SpeedButtonGlyphNumber(bool down, int state)
{
    if (down)
        return 4;
    return BitButtonGlyphNumber(state);
}

bool SpeedButtonShowsFrame(int state, bool flat)
{
    return state == ButtonState::Pressed || state == ButtonState::Hot || !flat;
}

int32_t SpeedButtonTextColor(int state, bool enabled, int32_t base, const TButtonColours& skin, int32_t disabled,
                             bool normalInFrame1Only)
{
    if (!enabled)
        return disabled;
    return ButtonTextColor(state, base, skin, disabled, normalInFrame1Only);
}

TBitButtonLayout LayoutSpeedButton(TPixSize client, TPixSize glyph, TPixSize text, int margin, int spacing,
                                   TGlyphLayout layout)
{
    if (text.X == 0 || glyph.X == 0)
        spacing = 0;
    if (margin != -1 || spacing == -1)
        return LayoutBitButton(client, glyph, text, margin, spacing, layout, false);
    // Only the spacing given: the pair is centred with the margin one pixel larger. Laid out at
    // margin 0, then moved along the layout axis by the margin.
    const bool horizontal = layout == TGlyphLayout::Left || layout == TGlyphLayout::Right;
    const int c = horizontal ? client.X : client.Y;
    const int g = horizontal ? glyph.X : glyph.Y;
    const int s = horizontal ? text.X : text.Y;
    const int m = (c - (g + spacing + s)) / 2 + 1;
    TBitButtonLayout l = LayoutBitButton(client, glyph, text, 0, spacing, layout, false);
    const int d = layout == TGlyphLayout::Left || layout == TGlyphLayout::Top ? m : -m;
    if (horizontal) {
        l.GlyphX += d;
        l.Text = PixBounds(l.Text.Left + d, l.Text.Top, l.Text.Width(), l.Text.Height());
    } else {
        l.GlyphY += d;
        l.Text = PixBounds(l.Text.Left, l.Text.Top + d, l.Text.Width(), l.Text.Height());
    }
    l.Margin = m;
    return l;
}

#include "combolayout.h"

int ComboStateFrame(bool enabled, bool pressed, bool focusedOrHot)
{
    if (!enabled)
        return 3;
    if (pressed)
        return 2;
    return focusedOrHot ? 4 : 1;
}

int ComboPlainStateFrame(bool enabled, bool pressed, bool focusedOrHot)
{
    if (pressed)
        return 2;
    if (focusedOrHot)
        return 4;
    return enabled ? 1 : 3;
}

TComboFramedLayout LayOutFramedCombo(const TPixRect& r, int f, bool rtl)
{
    if (rtl)
        return {PixRect(r.Left + f + 4, r.Top + 2, r.Right - 2, r.Bottom - 2),
                PixRect(r.Left, r.Top, r.Left + f + 2, r.Bottom), PixRect(2, r.Top, f + 2, r.Bottom)};
    return {PixRect(r.Left + 2, r.Top + 2, r.Right - f - 4, r.Bottom - 2),
            PixRect(r.Right - f - 2, r.Top, r.Right, r.Bottom), PixRect(r.Right - f - 2, r.Top, r.Right - 2, r.Bottom)};
}

TComboPlainLayout LayOutPlainCombo(const TPixRect& r, int w, int h, int g, bool rtl)
{
    TComboPlainLayout l;
    l.Ring = PixRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    l.Inner = PixRect(l.Ring.Left + 1, l.Ring.Top + 1, l.Ring.Right - 1, l.Ring.Bottom - 1);
    l.Column = rtl ? PixRect(l.Inner.Left, l.Inner.Top, l.Inner.Left + g, l.Inner.Bottom)
                   : PixRect(l.Inner.Right - g, l.Inner.Top, l.Inner.Right, l.Inner.Bottom);
    l.Button = l.Inner;
    if (rtl)
        l.Button.Right = l.Inner.Left + w;
    else
        l.Button.Left = l.Inner.Right - w;
    if (h < g)
        l.Button.Bottom = l.Button.Top + h;
    return l;
}

int ArrowButtonLeft(int windowRight, int buttonSize, bool rtl) { return rtl ? 2 : windowRight - buttonSize - 4; }

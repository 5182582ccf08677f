// Glyph frames and the layout of check boxes and radio buttons.
#include "checkboxlayout.h"

#include "controllayout.h"

namespace {

bool Has(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

// A state of the short strip (1 to 4) in a long strip, where each state has four frames and
// its disabled one is the fourth.
int LongStripState(int s)
{
    switch (s) {
    case 2: return 5;
    case 3: return 4;
    case 4: return 8;
    default: return s;
    }
}

}  // namespace

int CheckBoxGlyphState(const TCheckFacts& f)
{
    int s = f.Checked ? 2 : 1;
    if (f.State) {
        if (Has(*f.State, "uncheck"))
            s = 1;
        else if (Has(*f.State, "check"))
            s = 2;
        else if (Has(*f.State, "gray"))
            s = 4;
    } else if (f.Checked2) {
        s = *f.Checked2 == "true" ? 2 : 1;
    }
    if (f.DataField && f.CheckState != 0)
        s = f.CheckState == 3 ? 4 : f.CheckState;
    if (f.DataBinding)
        s = 1;
    if (f.Disabled)
        s += 2;
    if (f.Indeterminate)
        s = 4;
    if (f.Frames == 12) {
        s = LongStripState(s);
        if (f.Indeterminate)
            s = f.Disabled ? 12 : 9;
    }
    return s;
}

int RadioGlyphState(int frames, bool checked, std::optional<bool> checkedProp, bool disabled)
{
    int s = checked ? 2 : 1;
    if (checkedProp)
        s = *checkedProp ? 2 : 1;
    if (disabled)
        s += 2;
    return frames == 8 ? LongStripState(s) : s;
}

TCheckLayout LayoutCheckBox(const TPixRect& r, int frameWidth, int frameHeight, bool rightButton, bool rightToLeft,
                            bool radio)
{
    TCheckLayout l;
    l.Glyph.Top = r.Top + (r.Height() - frameHeight) / 2;
    l.Glyph.Bottom = l.Glyph.Top + frameHeight;
    l.Text = r;
    if (rightButton) {
        const int inset = radio ? 1 : 0;
        l.Glyph.Left = r.Right - frameWidth - inset;
        l.Glyph.Right = r.Right - inset;
        l.Text.Right = r.Right - frameWidth - 2 - inset;
        l.Flags = rightToLeft ? (TextFlag::RtlReading | TextFlag::Right) : 0;
    } else {
        l.Glyph.Left = r.Left;
        l.Glyph.Right = r.Left + frameWidth;
        l.Text.Left = r.Left + frameWidth + 2;
        l.Flags = rightToLeft ? TextFlag::RtlReading : 0;
    }
    return l;
}

TPixRect CentreCheckText(const TPixRect& text, int textHeight)
{
    return OffsetPixRect(text, 0, (text.Height() - textHeight) / 2);
}

#include "groupbox.h"

const TClassInfo& TCustomGroupBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomGroupBox>("TCustomGroupBox", &TCustomControl::StaticClass())
            .Prop("Caption", &TCustomGroupBox::GetText, &TCustomGroupBox::SetText)
            .Build();
    return info;
}

const TClassInfo& TGroupBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TGroupBox>("TGroupBox", &TCustomGroupBox::StaticClass()).Creatable().Build();
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    StoreBounds(0, 0, 185, 105);
    SetColor(clBtnFace);
    // Follows its parent's colour, so a form recoloured by a skin carries its children along.
    SetParentColor(true);
}

void TCustomGroupBox::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.ClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;  // the frame runs along every edge
}

int TCustomGroupBox::CaptionHeight() const
{
    HFONT font = Font()->Handle();
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE s{0, 0};
    GetTextExtentPoint32A(dc, "0", 1, &s);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return static_cast<int>(s.cy);
}

void TCustomGroupBox::AdjustClientRect(TRect& r) const
{
    r.top += CaptionHeight();
    InflateRect(&r, -2, -2);
}

void TCustomGroupBox::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    HDC dc = c->Handle();
    int h = CaptionHeight();
    RECT frame{0, h / 2 - 1, r.right, r.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    String text = GetText();
    if (text.empty())
        return;
    // The caption breaks the frame's top line on the box's own colour.
    RECT t{8, 0, r.right - 8, h};
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(Color()));
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &t, DT_SINGLELINE | DT_LEFT | DT_TOP);
}

void TCustomGroupBox::TextChanged()
{
    TCustomControl::TextChanged();
    Realign();  // a new font moves the caption's bottom
}

void TCustomGroupBox::Dispatch(TMessage& m)
{
    if (m.Msg == CM_DIALOGCHAR && IsAccel(static_cast<unsigned>(m.WParam), GetText()) && CanFocus()) {
        SelectFirst();
        m.Result = 1;
        return;
    }
    TCustomControl::Dispatch(m);
}

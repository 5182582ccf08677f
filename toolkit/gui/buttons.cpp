#include "buttons.h"

#include <algorithm>

const TEnumInfo ButtonLayoutInfo{"TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};

const TClassInfo& TSpeedButton::StaticClass()
{
    using B = TSpeedButton;
    static const TClassInfo info =
        TClassBuilder<B>("TSpeedButton", &TGraphicControl::StaticClass())
            .Creatable()
            .Prop("Caption", &B::GetText, &B::SetText)
            .Prop("GroupIndex", &B::GroupIndex, &B::SetGroupIndex)
            .Prop("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp)
            .Prop("Down", &B::Down, &B::SetDown)
            .Prop("Flat", &B::Flat, &B::SetFlat)
            .ObjectProp<TBitmap>("Glyph", &B::Glyph, &B::SetGlyph)
            .Prop("NumGlyphs", &B::NumGlyphs, &B::SetNumGlyphs)
            .EnumProp<TButtonLayout>("Layout", ButtonLayoutInfo, &B::Layout, &B::SetLayout)
            .Prop("Margin", &B::Margin, &B::SetMargin)
            .Prop("Spacing", &B::Spacing, &B::SetSpacing)
            .Build();
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), FGlyph(std::make_unique<TBitmap>())
{
    StoreBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
    FGlyph->OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
}

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::SetGroupIndex(int v)
{
    FGroupIndex = v;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool v)
{
    if (FGroupIndex == 0)
        v = false;
    if (v == FDown || (FDown && !v && !FAllowAllUp))
        return;
    FDown = v;
    Invalidate();
    if (v)
        UpdateExclusive();
}

void TSpeedButton::SetNumGlyphs(int v)
{
    FNumGlyphs = std::clamp(v, 1, 4);
    Invalidate();
}

void TSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !FDown || !Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = As<TSpeedButton>(Parent()->Controls(i));
        if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
            other->FDown = false;
            other->Invalidate();
        }
    }
}

// ---------------------------------------------------------------- the mouse

void TSpeedButton::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        FMouseIn = m.Msg == CM_MOUSEENTER;
        if (FFlat && Enabled())
            Invalidate();
        break;
    case CM_ENABLEDCHANGED:
        FPressed = false;
        break;
    default:
        break;
    }
    TGraphicControl::Dispatch(m);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && Enabled()) {
        FPressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && FPressed) {
        FPressed = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::Click()
{
    // A click of a group's button puts it down (or up again, when the group allows that).
    if (FGroupIndex != 0)
        SetDown(!FDown || !FAllowAllUp);
    TGraphicControl::Click();
}

// ---------------------------------------------------------------- painting

void TSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    const TRect all(0, 0, Width(), Height());
    c->Brush()->SetColor(Color());
    c->FillRect(all);
    const bool sunk = FPressed || FDown;
    if (!FFlat || sunk || (FMouseIn && Enabled())) {
        RECT edge = all;
        DrawEdge(c->Handle(), &edge, sunk ? EDGE_SUNKEN : (FFlat ? BDR_RAISEDINNER : EDGE_RAISED), BF_RECT);
    }
    // Cells: 1 up, 2 disabled, 3 pressed, 4 down; a cell the strip lacks shows the first.
    const int cell = !Enabled() ? 2 : FPressed ? 3 : FDown ? 4 : 1;
    const int gw = FGlyph->Empty() ? 0 : FGlyph->Width() / FNumGlyphs, gh = FGlyph->Empty() ? 0 : FGlyph->Height();
    const String caption = Caption();
    const SIZE text = caption.empty() ? SIZE{} : c->TextExtent(caption);
    const bool across = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    const int gap = gw > 0 && text.cx > 0 ? FSpacing : 0;
    const int blockW = across ? gw + gap + text.cx : std::max<int>(gw, text.cx);
    const int blockH = across ? std::max<int>(gh, text.cy) : gh + gap + text.cy;
    const int shift = sunk ? 1 : 0;
    const int x0 = (Width() - blockW) / 2 + shift, y0 = (Height() - blockH) / 2 + shift;
    int gx = x0, gy = (Height() - gh) / 2 + shift, tx = x0 + gw + gap, ty = (Height() - text.cy) / 2 + shift;
    if (FLayout == blGlyphRight) {
        tx = x0;
        gx = x0 + text.cx + gap;
    } else if (!across) {
        gx = (Width() - gw) / 2 + shift;
        tx = (Width() - text.cx) / 2 + shift;
        gy = FLayout == blGlyphTop ? y0 : y0 + text.cy + gap;
        ty = FLayout == blGlyphTop ? y0 + gh + gap : y0;
    }
    if (gw > 0) {
        const int sx = (cell <= FNumGlyphs ? cell - 1 : 0) * gw;
        TBitmap picture(gw, gh);
        picture.Canvas()->CopyRect(Rect(0, 0, gw, gh), FGlyph->Canvas(), Rect(sx, 0, sx + gw, gh));
        picture.SetTransparent(true);
        c->Draw(gx, gy, &picture);
    }
    if (!caption.empty()) {
        SetBkMode(c->Handle(), TRANSPARENT);
        c->Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
        c->TextOut(tx, ty, caption);
    }
}

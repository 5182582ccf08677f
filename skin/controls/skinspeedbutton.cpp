// The speed-button skin: attached through the windowless button's WindowProc, painting on its
// canvas or into the parent's paint DC. Where glyph and caption go is speedbuttonlayout.cpp.
#include "skinspeedbutton.h"

#include <algorithm>
#include <utility>

#include "bitmapview.h"
#include "controldraw.h"
#include "controllayout.h"
#include "skindata.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "speedbuttonlayout.h"

namespace {

bool IsTrue(TObject* o, std::string_view name) { return TSkinControl::EnumPropText(o, name) == "true"; }

}  // namespace

const TClassInfo& TSkinSpeedButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinSpeedButton>("TSkinSpeedButton", &TSkinBitButton::StaticClass()).Build();
    return info;
}

TSkinSpeedButton::TSkinSpeedButton(TComponent* AOwner) : TSkinBitButton(AOwner) {}

// ---------------------------------------------------------------- attaching

void TSkinSpeedButton::InitSpeedButton(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas)
{
    auto* button = As<TControl>(Owner());
    if (FAttached || !button)
        return;
    FGraphicControl = button;
    HookWindowProc(button);
    JoinSkinForm(Form, Data, Canvas);
    SetAttached();
    FTransparent = OverParentPicture(button);
}

void TSkinSpeedButton::Unhook()
{
    if (FOldWindowProc && FGraphicControl)
        FGraphicControl->WindowProc = std::exchange(FOldWindowProc, TWndMethod());
}

// ---------------------------------------------------------------- messages

bool TSkinSpeedButton::BeforeProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        PaintSpeedButtonMessage(Message);
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The button handles its press itself (down state, capture, events), then shows it.
        CallDefault(Message);
        FMouseFlags |= mfPressed;
        PaintControl(nullptr);
        return false;
    case WM_LBUTTONUP:
        // The button's own release, which clicks, runs first.
        return true;
    default:
        return TSkinButton::BeforeProc(Message);
    }
}

void TSkinSpeedButton::AfterProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ENABLE:
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED:
        // The button invalidates itself; its next paint shows the new state.
        break;
    case WM_NCDESTROY:
    case CM_RELEASE:
        Unhook();
        break;
    case WM_KEYDOWN:
        if (Message.WParam == VK_SPACE) {
            FMouseFlags |= mfPressed;
            PaintControl(nullptr);
        }
        break;
    case WM_KEYUP:
    case WM_LBUTTONUP:
        if (Message.Msg == WM_LBUTTONUP || Message.WParam == VK_SPACE) {
            FMouseFlags &= ~mfPressed;
            PaintControl(nullptr);
        }
        break;
    case CM_MOUSEENTER:
        FMouseFlags |= mfHot;
        PaintControl(nullptr);
        break;
    case CM_MOUSELEAVE:
        FMouseFlags &= ~(mfHot | mfPressed);
        if (FGraphicControl && FGraphicControl->Visible())
            PaintControl(nullptr);
        break;
    default:
        TSkinButton::AfterProc(Message);
        break;
    }
}

// ---------------------------------------------------------------- painting

void TSkinSpeedButton::PaintControl(HDC)
{
    auto* button = As<TGraphicControl>(FGraphicControl);
    if (!button || !button->PaintWindowHandle())
        return;
    try {
        DrawSpeedButton(button->Canvas(), TRect(0, 0, button->Width(), button->Height()));
    } catch (...) {
        // A failed drawing leaves the button as it was.
    }
}

void TSkinSpeedButton::PaintSpeedButtonMessage(TMessage& Message)
{
    Message.Result = 1;
    auto* button = As<TGraphicControl>(FGraphicControl);
    // A paint that the drawing itself provoked (the parent painted behind a transparent button)
    // must not take the canvas the outer drawing is about to copy to.
    if (!button || !Message.WParam || FPainting)
        return;
    auto* canvas = As<TControlCanvas>(button->Canvas());
    if (!canvas)
        return;
    TCanvasPaintScope scope(canvas, button, reinterpret_cast<HDC>(Message.WParam));
    DrawSpeedButton(canvas, TRect(0, 0, button->Width(), button->Height()));
}

void TSkinSpeedButton::DrawSpeedButton(TCanvas* Canvas, const TRect& R)
{
    if (!ButtonsObject() || EnumPropText(FGraphicControl, "Visible") == "false")
        return;
    if (!FSpeedPictureProp.empty()) {
        DrawPictureSpeedButton(Canvas, R);
        return;
    }
    if (FPainting)
        return;
    TScopedFlag guard(FPainting);  // no re-entry while it draws
    DrawButton(Canvas, R, false);
}

void TSkinSpeedButton::DrawPictureSpeedButton(TCanvas* Canvas, const TRect& R)
{
    if (!ButtonsObject() || FPainting)
        return;
    TScopedFlag guard(FPainting);  // no re-entry while it draws
    DrawButton(Canvas, R, true);
}

void TSkinSpeedButton::DrawButton(TCanvas* Canvas, const TRect& R, bool picturePath)
{
    TControl* button = FGraphicControl;
    TDataSkinObject* buttons = ButtonsObject();
    if (!Canvas || !button || !buttons)
        return;
    const bool enabled = IsTrue(button, "Enabled");
    const bool down = IsTrue(button, "Down");
    // On the picture path the picture is read right after "Enabled" and "Down".
    TGraphic* picture = picturePath ? As<TGraphic>(GetObjectPropByName(button, FSpeedPictureProp, nullptr)) : nullptr;
    GetWidePropText(button, "Caption", FText);
    auto* font = As<TFont>(GetObjectPropByName(button, "Font", nullptr));
    auto* glyph = picturePath ? nullptr : As<TBitmap>(GetObjectPropByName(button, "Glyph", nullptr));
    const int numGlyphs = std::max(1, GetIntPropByName(button, "NumGlyphs"));
    const bool flat = IsTrue(button, "Flat");
    const int margin = GetIntPropByName(button, "Margin");
    const int spacing = GetIntPropByName(button, "Spacing");
    const TGlyphLayout layout = GlyphLayoutOf(EnumPropText(button, "Layout"));
    const int state = SpeedButtonState(down, enabled, FMouseFlags & mfPressed, FMouseFlags & mfHot);

    const TRect b(0, 0, R.Width(), R.Height());
    if (b.Width() < 1 || b.Height() < 1)
        return;
    try {
        FBitmap.SetSize(b.Width(), b.Height());
    } catch (...) {
        return;
    }
    TCanvas* canvas = FBitmap.Canvas();
    if (font)
        canvas->Font()->Assign(font);
    HDC dc = canvas->Handle();
    FillBackground(dc, b, FTransparent);
    if (SpeedButtonShowsFrame(state, flat))
        DrawSkinPart(dc, b, buttons->Frame, state, buttons);

    TPixSize g;
    if (picture && !picture->Empty())
        g = {picture->Width() / numGlyphs, picture->Height()};
    else if (glyph && !glyph->Empty())
        g = {glyph->Width() / numGlyphs, glyph->Height()};
    const bool withGlyph = g.X * g.Y != 0;

    const TButtonColours skin = ButtonColoursOf(FSkinData ? FSkinData->FButtons.get() : nullptr);
    // The glyph drawing and the picture path set the normal colour in frame 1 only.
    const bool normalInFrame1Only = withGlyph || picturePath;
    canvas->Font()->SetColor(SpeedButtonTextColor(state, enabled, canvas->Font()->Color(), skin,
                                                  SkinDisabledTextColor, normalInFrame1Only));
    dc = canvas->Handle();

    if (!withGlyph) {
        DrawButtonText(dc, b, DT_CENTER);
    } else {
        const TPixSize client{b.Width(), b.Height()};
        const TPixSize s = MeasureCaption(dc, BitButtonTextBox(PixRect(0, 0, client.X, client.Y), g, layout));
        const TBitButtonLayout l = LayoutSpeedButton(client, g, s, margin, spacing, layout);
        if (picture)
            canvas->Draw(l.GlyphX, l.GlyphY, picture);
        else
            DrawGlyph(canvas, Bounds(l.GlyphX, l.GlyphY, g.X, g.Y), numGlyphs, SpeedButtonGlyphNumber(down, state),
                      glyph);
        dc = canvas->Handle();
        SetBkMode(dc, TRANSPARENT);
        RECT text = ToRect(l.Text);
        DrawTextWide(dc, FText, text, AddRTLReading(l.TextFlags));
    }
    Canvas->Draw(R.left, R.top, &FBitmap);
}

// The speed-button skin: attached through the windowless button's WindowProc, painting on its
// canvas or into the parent's paint DC. Where glyph and caption go is speedbuttonlayout.cpp.
#include "skinspeedbutton.h"

#include <algorithm>
#include <utility>

#include "controldraw.h"
#include "controllayout.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "speedbuttonlayout.h"

namespace {

String EnumText(TObject* o, std::string_view name)
{
    String text;
    TSkinControl::GetEnumPropText(o, name, text);
    return LowerCase(text);
}

bool IsTrue(TObject* o, std::string_view name) { return EnumText(o, name) == "true"; }

TGlyphLayout LayoutOf(const String& text)
{
    if (text == "blglyphright")
        return TGlyphLayout::Right;
    if (text == "blglyphtop")
        return TGlyphLayout::Top;
    if (text == "blglyphbottom")
        return TGlyphLayout::Bottom;
    return TGlyphLayout::Left;
}

TRect ToRect(const TPixRect& r) { return TRect(r.Left, r.Top, r.Right, r.Bottom); }

// The re-entry guard: set for one drawing, cleared on every way out.
class TPaintingGuard {
public:
    explicit TPaintingGuard(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TPaintingGuard() { FFlag = false; }
    TPaintingGuard(const TPaintingGuard&) = delete;
    TPaintingGuard& operator=(const TPaintingGuard&) = delete;

private:
    bool& FFlag;
};

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
    FSkinData = Data;
    FCanvas = Canvas;
    FGraphicControl = button;
    FSkinForm = Form;
    FOldWindowProc = button->WindowProc;
    button->WindowProc = TWndMethod(static_cast<TSkinControl*>(this), &TSkinControl::SkinWndProc);
    if (FSkinForm)
        FSkinForm->AddSkinControl(this);
    FAttached = true;
    FState = stAttached;
    FTransparent = button->Tag() == 5555 || (FSkinData && FSkinData->Options().Contains(xoTransparent));
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
    if (!ButtonsObject() || EnumText(FGraphicControl, "Visible") == "false")
        return;
    if (!FSpeedPictureProp.empty()) {
        DrawPictureSpeedButton(Canvas, R);
        return;
    }
    if (FPainting)
        return;
    TPaintingGuard guard(FPainting);
    DrawButton(Canvas, R, false);
}

void TSkinSpeedButton::DrawPictureSpeedButton(TCanvas* Canvas, const TRect& R)
{
    if (!ButtonsObject() || FPainting)
        return;
    TPaintingGuard guard(FPainting);
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
    const TGlyphLayout layout = LayoutOf(EnumText(button, "Layout"));
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
    if (FTransparent)
        DrawParentBackground(button, dc);
    else
        FillFace(dc, b);
    if (SpeedButtonShowsFrame(state, flat))
        DrawSkinPart(dc, b, buttons->Frame, state, buttons);

    TPixSize g;
    if (picture && !picture->Empty())
        g = {picture->Width() / numGlyphs, picture->Height()};
    else if (glyph && !glyph->Empty())
        g = {glyph->Width() / numGlyphs, glyph->Height()};
    const bool withGlyph = g.X * g.Y != 0;

    TButtonColours skin;
    if (auto* object = FSkinData ? FSkinData->FButtons.get() : nullptr) {
        skin.Colour = {object->NormalColour2, object->MouseOverColour2, object->PressedColour2};
        skin.Given = object->ColourGiven;
    }
    // The glyph drawing and the picture path set the normal colour in frame 1 only.
    const bool normalInFrame1Only = withGlyph || picturePath;
    canvas->Font()->SetColor(SpeedButtonTextColor(state, enabled, canvas->Font()->Color(), skin,
                                                  SkinDisabledTextColor, normalInFrame1Only));
    dc = canvas->Handle();

    if (!withGlyph) {
        DrawButtonText(dc, b, DT_CENTER);
    } else {
        const TPixSize client{b.Width(), b.Height()};
        TPixSize s;
        if (!FText.empty()) {
            RECT t = ToRect(BitButtonTextBox(PixRect(0, 0, client.X, client.Y), g, layout));
            DrawTextWide(dc, FText, t, DT_CALCRECT | DT_WORDBREAK);
            s = {t.right - t.left, t.bottom - t.top};
        }
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

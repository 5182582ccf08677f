// The push-button skins: states, the press taken over, the click on release, and the drawing of
// plain, glyph, picture and drop-down buttons. Where things go is worked out in buttonlayout.cpp.
#include "skinbutton.h"

#include <algorithm>
#include <memory>

#include "bitmapview.h"
#include "buttonlayout.h"
#include "controldraw.h"
#include "controllayout.h"
#include "imglist.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinfill.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "winstyle.h"

TButtonColours ButtonColoursOf(const TDataSkinButton* Buttons)
{
    TButtonColours colours;
    if (Buttons) {
        colours.Colour = {Buttons->NormalColour2, Buttons->MouseOverColour2, Buttons->PressedColour2};
        colours.Given = Buttons->ColourGiven;
    }
    return colours;
}

// ---------------------------------------------------------------- TSkinButton

const TClassInfo& TSkinButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinButton>("TSkinButton", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinButton::TSkinButton(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinButton::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    TSkinControl::InitControl(Form, Data, Canvas, SetColor);
    FMode = 0;
    if (!FControl)
        return;
    const String name = LowerCase(FControl->ClassName());
    if (name.starts_with("trz") || name.starts_with("tel"))
        FMode = 1;
    FTransparent = OverParentPicture(FControl);
}

bool TSkinButton::BeforeProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        PaintFromMessage(Message);
        return false;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return false;
    case WM_TIMER:
        // A timer of the standard button's own; it never reaches the standard procedure.
        KillTimer(FHandle, Message.WParam);
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!FFocused)
            SetFocus(FHandle);
        FMouseFlags |= mfPressed;
        PaintControl(nullptr);
        if (FMode == 0 && FControl)
            ForwardMouseDown(Message);
        return false;
    default:
        return TSkinControl::BeforeProc(Message);
    }
}

void TSkinButton::AfterProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETTEXT:
        PaintControl(nullptr);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE) {
            if (Message.Msg == WM_KEYDOWN)
                FMouseFlags |= mfPressed;
            else
                FMouseFlags &= ~mfPressed;
            Refresh();
        }
        break;
    case WM_MOUSEMOVE:
        if (FEnabled && !(FMouseFlags & mfHot)) {
            FMouseFlags |= mfHot;
            Refresh();
        }
        SkinTrackMouseLeave(FHandle);
        break;
    case WM_MOUSELEAVE:
        FMouseFlags &= ~(mfHot | mfPressed);
        Refresh();
        break;
    case WM_LBUTTONUP:
        if (FMouseFlags & mfPressed) {
            FMouseFlags &= ~mfPressed;
            Refresh();
            ClickButton();
        }
        break;
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED:
        Refresh();
        break;
    default:
        TSkinControl::AfterProc(Message);
        break;
    }
}

void TSkinButton::ClickButton()
{
    if (FControl) {
        RunControlEvent([this] { FControl->Click(); });
        return;
    }
    const WORD id = LowerCase(WindowClassName(FHandle)) == "tbutton" ? 0 : static_cast<WORD>(GetDlgCtrlID(FHandle));
    PostMessageA(GetParent(FHandle), WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(FHandle));
}

TDataSkinObject* TSkinButton::ButtonsObject() const
{
    TDataSkinObject* buttons = FSkinData ? FSkinData->FButtons.get() : nullptr;
    return buttons && !buttons->Bitmap.Empty() ? buttons : nullptr;
}

bool TSkinButton::ReadButton()
{
    FFocused = GetFocus() == FHandle;
    FEnabled = !(StyleOf(FHandle) & WS_DISABLED);
    if (FControl)
        GetWidePropText(FControl, "Caption", FText);
    else
        FText = GetWindowTextWide(FHandle);
    return EnumPropText(FControl, "Default") == "true";
}

int TSkinButton::PressedHot(bool focusedOrDefault) const
{
    return PushButtonState(!FEnabled, FMouseFlags & mfPressed, FMouseFlags & mfHot, focusedOrDefault);
}

HDC TSkinButton::BeginPicture(const TRect& R, int State)
{
    const TRect b(0, 0, R.Width(), R.Height());
    FBitmap.SetSize(b.Width(), b.Height());
    HDC dc = FBitmap.Canvas()->Handle();
    FillBackground(dc, b, FTransparent);
    TDataSkinObject* buttons = ButtonsObject();
    DrawSkinPart(dc, b, buttons->Frame, State, buttons);
    return dc;
}

void TSkinButton::EndPicture(HDC DC, const TRect& R)
{
    BitBlt(DC, R.left, R.top, R.Width(), R.Height(), FBitmap.Canvas()->Handle(), 0, 0, SRCCOPY);
}

TColor TSkinButton::SelectCaptionFont(HDC dc)
{
    if (auto* font = As<TFont>(GetObjectPropByName(FControl, "Font", nullptr))) {
        SelectObject(dc, font->Handle());
        return font->Color();
    }
    // A window without a font of its own draws with the system font.
    auto windowFont = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
    SelectObject(dc, windowFont ? windowFont : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    return SkinColor(scButtonText);
}

TColor TSkinButton::CaptionColor(int State, TColor base, bool normalInFrame1Only) const
{
    const TButtonColours skin = ButtonColoursOf(FSkinData ? FSkinData->FButtons.get() : nullptr);
    return ButtonTextColor(State, base, skin, SkinDisabledTextColor, normalInFrame1Only);
}

TPixSize TSkinButton::MeasureCaption(HDC dc, const TPixRect& Box) const
{
    if (FText.empty())
        return {};
    RECT t = ToRect(Box);
    DrawTextWide(dc, FText, t, DT_CALCRECT | DT_WORDBREAK);
    return {t.right - t.left, t.bottom - t.top};
}

void TSkinButton::DrawControl(HDC DC, const TRect& R)
{
    if (!ButtonsObject())
        return;
    const bool isDefault = ReadButton();
    const int state = PressedHot(FFocused || isDefault);
    HDC dc = BeginPicture(R, state);
    {
        TSavedDC saved(dc);
        const TColor base = SelectCaptionFont(dc);
        SetTextColor(dc, ColorToRGB(CaptionColor(state, base, false)));
        DrawButtonText(dc, TRect(0, 0, R.Width(), R.Height()), DT_CENTER);
    }
    EndPicture(DC, R);
}

void TSkinButton::DrawButtonText(HDC dc, const TRect& R, UINT Alignment)
{
    FText = WideReplaceFirst(FText, L"||", L"\r\n");
    const UINT flags = Alignment | DT_EXPANDTABS | DT_WORDBREAK;
    RECT t = R;
    InflateRect(&t, -2, -2);
    SetBkMode(dc, TRANSPARENT);
    DrawTextWide(dc, FText, t, flags | DT_CALCRECT | DT_NOCLIP);
    RECT placed = ToRect(PlaceCaptionText(ToPixRect(R), ToPixRect(t), Alignment == DT_CENTER ? DT_CENTER : 0));
    DrawTextWide(dc, FText, placed, AddRTLReading(flags));
    SetBkMode(dc, OPAQUE);
    DrawFocus(dc, placed);
}

void TSkinButton::DrawFocus(HDC dc, const TRect& textRect) const
{
    if (!FFocused || (FSkinData && FSkinData->Options().Contains(xoNoFocusRect)))
        return;
    RECT f = textRect;
    InflateRect(&f, 2, 2);
    DrawFocusRect(dc, &f);
}

// ---------------------------------------------------------------- TSkinBitButton

const TClassInfo& TSkinBitButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinBitButton>("TSkinBitButton", &TSkinButton::StaticClass()).Build();
    return info;
}

void TSkinBitButton::DrawControl(HDC DC, const TRect& R)
{
    if (!ButtonsObject())
        return;
    if (!FPictureProp.empty()) {
        DrawPictureButton(DC, R);
        return;
    }
    DrawGlyphButton(DC, R, false);
}

void TSkinBitButton::DrawPictureButton(HDC DC, const TRect& R)
{
    if (ButtonsObject())
        DrawGlyphButton(DC, R, true);
}

void TSkinBitButton::DrawGlyphButton(HDC DC, const TRect& R, bool picturePath)
{
    const bool isDefault = ReadButton() && !picturePath;
    const int state = PressedHot(FFocused || isDefault);
    HDC dc = BeginPicture(R, state);
    TCanvas* canvas = FBitmap.Canvas();
    const TPixSize client{R.Width(), R.Height()};
    {
        TSavedDC saved(dc);
        // On the picture path the picture is read right after the frame is drawn.
        TGraphic* picture = picturePath ? As<TGraphic>(GetObjectPropByName(FControl, FPictureProp, nullptr)) : nullptr;
        auto* glyph = picturePath ? nullptr : As<TBitmap>(GetObjectPropByName(FControl, "Glyph", nullptr));
        auto* images = picturePath ? nullptr : As<TCustomImageList>(GetObjectPropByName(FControl, "Images", nullptr));
        const int numGlyphs = std::max(1, GetIntPropByName(FControl, "NumGlyphs"));
        const int imageIndex = GetIntPropByName(FControl, "ImageIndex");
        const int disabledIndex = GetIntPropByName(FControl, "DisabledIndex");
        const int margin = GetIntPropByName(FControl, "Margin");
        const int spacing = GetIntPropByName(FControl, "Spacing");
        const TGlyphLayout layout = GlyphLayoutOf(EnumPropText(FControl, "Layout"));
        const bool centred = EnumPropText(FControl, "Alignment") == "tacenter";

        TPixSize g;
        if (picture)
            g = {picture->Width(), picture->Height()};
        else if (glyph && !glyph->Empty())
            g = {glyph->Width() / numGlyphs, glyph->Height()};
        else if (images && imageIndex != -1)
            g = {images->Width(), images->Height()};

        const TColor base = SelectCaptionFont(dc);
        FText = WideReplaceFirst(FText, L"||", L"\r\n");
        const TPixSize s = MeasureCaption(dc, BitButtonTextBox(PixRect(0, 0, client.X, client.Y), g, layout));
        const TBitButtonLayout l = LayoutBitButton(client, g, s, margin, spacing, layout, centred);

        if (picture) {
            if (!picture->Empty())
                canvas->Draw(l.GlyphX, l.GlyphY, picture);
        } else if (glyph && !glyph->Empty()) {
            DrawGlyph(canvas, Bounds(l.GlyphX, l.GlyphY, g.X, g.Y), numGlyphs, BitButtonGlyphNumber(state), glyph);
        } else if (images) {
            if (FEnabled && imageIndex != -1)
                images->Draw(*canvas, l.GlyphX, l.GlyphY, imageIndex, true);
            else if (!FEnabled)
                images->Draw(*canvas, l.GlyphX, l.GlyphY, disabledIndex != -1 ? disabledIndex : imageIndex, false);
        }

        RECT text = ToRect(l.Text);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(CaptionColor(state, base, picturePath)));
        if (!FText.empty()) {
            DrawTextWide(dc, FText, text, picturePath ? l.TextFlags : AddRTLReading(l.TextFlags));
            SetBkMode(dc, OPAQUE);
            DrawFocus(dc, text);
        }
    }
    EndPicture(DC, R);
}

void TSkinBitButton::DrawGlyph(TCanvas* Canvas, const TRect& R, int NumGlyphs, int Index, TBitmap* Glyph)
{
    if (!Canvas || !Glyph || Glyph->Empty())
        return;
    NumGlyphs = std::max(1, NumGlyphs);
    const int w = Glyph->Width() / NumGlyphs;
    std::unique_ptr<TBitmap> picture;
    if (Index == 2 && NumGlyphs == 1) {
        picture = MakeDisabledGlyph(Glyph);
    } else {
        picture = std::make_unique<TBitmap>(w, Glyph->Height());
        const int x = NumGlyphs < Index ? 0 : w * (Index - 1);
        picture->Canvas()->CopyRect(Rect(0, 0, w, Glyph->Height()), Glyph->Canvas(), Rect(x, 0, x + w, Glyph->Height()));
    }
    if (!picture || picture->Empty())
        return;
    picture->SetTransparentMode(tmAuto);
    picture->SetTransparent(true);
    Canvas->Draw(R.left, R.top, picture.get());
}

// ---------------------------------------------------------------- TSkinMenuButton

const TClassInfo& TSkinMenuButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinMenuButton>("TSkinMenuButton", &TSkinButton::StaticClass()).Build();
    return info;
}

void TSkinMenuButton::DrawControl(HDC DC, const TRect& R)
{
    if (!ButtonsObject())
        return;
    ReadButton();
    const int state = MenuButtonState(!FEnabled, FMouseFlags & mfPressed, FMouseFlags & mfHot, FFocused);
    HDC dc = BeginPicture(R, state);
    const TPixSize client{R.Width(), R.Height()};
    const TColor ink = FEnabled ? clWindowText : SkinDisabledTextColor;
    TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(ink)));
    TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(ink)));
    {
        TSavedDC saved(dc);
        auto* glyph = As<TBitmap>(GetObjectPropByName(FControl, "Glyph", nullptr));
        const int margin = GetIntPropByName(FControl, "Margin");
        const int spacing = GetIntPropByName(FControl, "Spacing");
        const TPixSize g = glyph && !glyph->Empty() ? TPixSize{glyph->Width(), glyph->Height()} : TPixSize{};

        const TColor base = SelectCaptionFont(dc);
        FText = WideReplaceFirst(FText, L"||", L"\r\n");
        const TPixSize s = MeasureCaption(dc, MenuButtonTextBox(client, g));
        const TMenuButtonLayout l = LayoutMenuButton(client, g, s, margin, spacing);

        if (glyph && !glyph->Empty())
            TSkinBitButton::DrawGlyph(FBitmap.Canvas(), Bounds(l.GlyphX, l.GlyphY, g.X, g.Y), 1, 1, glyph);

        SetTextColor(dc, ColorToRGB(CaptionColor(state, base, true)));
        SelectObject(dc, brush.Get());
        SelectObject(dc, pen.Get());
        const POINT arrow[3] = {{l.ArrowX, l.ArrowY + 2}, {l.ArrowX - 3, l.ArrowY - 1}, {l.ArrowX + 3, l.ArrowY - 1}};
        Polygon(dc, arrow, 3);

        RECT text = ToRect(l.Text);
        SetBkMode(dc, TRANSPARENT);
        DrawTextWide(dc, FText, text, DT_WORDBREAK);
        SetBkMode(dc, OPAQUE);
        DrawFocus(dc, text);
    }
    EndPicture(DC, R);
}

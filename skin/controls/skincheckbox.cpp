// The check-box and radio-button skins: the glyph frame for the state, and the whole control in
// full mode. Frames and layout are worked out in checkboxlayout.cpp.
#include "skincheckbox.h"

#include "bitmapview.h"
#include "checkboxlayout.h"
#include "controldraw.h"
#include "controllayout.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmanager.h"
#include "winstyle.h"

namespace {

// A notification of the toolkit's on which the glyph is painted again.
constexpr UINT ToolkitNotify = 0xB0D0;

std::optional<std::string> PropText(TControl* control, std::string_view name)
{
    if (!control || !HasProp(control, name))
        return std::nullopt;
    return TSkinControl::EnumPropText(control, name);
}

TDataSkinButton* ButtonsOf(TSkinData* data) { return data ? data->FButtons.get() : nullptr; }

TBitmap* StripOf(TBitmap& strip, int count, int& frames)
{
    if (strip.Empty())
        return nullptr;
    frames = std::max(1, count);
    return &strip;
}

}  // namespace

// ---------------------------------------------------------------- what both share

const TClassInfo& TSkinChoiceButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinChoiceButton>("TSkinChoiceButton", &TSkinControl::StaticClass()).Build();
    return info;
}

void TSkinChoiceButton::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    TSkinControl::InitControl(Form, Data, Canvas, SetColor);
    FMode = 0;
    if (!FControl)
        return;
    int frames = 0;
    FMode = Strip(frames) ? 1 : 0;
    FTransparent = OverParentPicture(FControl);
}

bool TSkinChoiceButton::BeforeProc(TMessage& Message)
{
    const bool passOn = TSkinControl::BeforeProc(Message);
    switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINT:
        if (FMode == 1) {
            PaintFromMessage(Message);
            return false;
        }
        break;
    case WM_ERASEBKGND:
        if (FTransparent) {
            EraseBackground(Message);
            return false;
        }
        break;
    default:
        break;
    }
    return passOn;
}

void TSkinChoiceButton::AfterProc(TMessage& Message)
{
    switch (Message.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case ToolkitNotify:
        Refresh();
        break;
    default:
        TSkinControl::AfterProc(Message);
        break;
    }
}

void TSkinChoiceButton::DrawControl(HDC DC, const TRect& R)
{
    int frames = 1;
    TBitmap* strip = Strip(frames);
    if (!strip) {
        FMode = 0;
        return;
    }
    const int state = GlyphState(frames);
    const DWORD style = StyleOf(FHandle);
    const bool rightToLeft = AddRTLReading(0) != 0;
    const TCheckLayout l = LayoutCheckBox(ToPixRect(R), strip->Width() / frames, strip->Height(),
                                          (style & BS_RIGHTBUTTON) != 0, rightToLeft, Radio());
    if (FMode == 0) {
        // The window painted itself; only the glyph goes over it.
        DrawStripFrameMasked(DC, ToRect(l.Glyph), frames, state, strip);
        return;
    }
    TBitmap picture(R.Width(), R.Height());
    HDC dc = picture.Canvas()->Handle();
    const TRect all(0, 0, R.Width(), R.Height());
    FillBackground(dc, all, FTransparent);
    DrawStripFrameMasked(dc, ToRect(OffsetPixRect(l.Glyph, -R.left, -R.top)), frames, state, strip);
    DrawCaption(dc, ToRect(OffsetPixRect(l.Text, -R.left, -R.top)), l.Flags);
    BitBlt(DC, R.left, R.top, R.Width(), R.Height(), dc, 0, 0, SRCCOPY);
}

void TSkinChoiceButton::DrawCaption(HDC dc, const TRect& textBox, UINT flags)
{
    FText = GetWindowTextWide(FHandle);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
    TColor colour = clBtnText;
    if (FControl) {
        GetWidePropText(FControl, "Caption", FText);
        font = FControl->Font()->Handle();
        colour = FControl->Enabled() ? FControl->Font()->Color() : SkinDisabledTextColor;
    }
    TSavedDC saved(dc);
    SelectObject(dc, font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    SetTextColor(dc, ColorToRGB(colour));
    SetBkColor(dc, ColorToRGB(FSkinData->FColors[scButtonFace]));
    SetBkMode(dc, TRANSPARENT);
    RECT measured = textBox;
    DrawTextWide(dc, FText, measured, flags | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
    RECT text = ToRect(CentreCheckText(ToPixRect(textBox), measured.bottom - measured.top));
    if (GetFocus() == FHandle && !FText.empty() && SkinNotVersion6())
        DrawTextFocusRect(dc, flags | DT_EXPANDTABS | DT_WORDBREAK, text);
    DrawTextWide(dc, FText, text, flags | DT_EXPANDTABS | DT_WORDBREAK);
}

// ---------------------------------------------------------------- TSkinCheckBox

const TClassInfo& TSkinCheckBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinCheckBox>("TSkinCheckBox", &TSkinChoiceButton::StaticClass()).Build();
    return info;
}

void TSkinCheckBox::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    if (!Attached())
        FCheckState = 0;
    TSkinChoiceButton::InitControl(Form, Data, Canvas, SetColor);
}

void TSkinCheckBox::AfterProc(TMessage& Message)
{
    if (Message.Msg == BM_SETCHECK)
        FCheckState = static_cast<int>(Message.WParam) + 1;
    TSkinChoiceButton::AfterProc(Message);
}

TBitmap* TSkinCheckBox::Strip(int& frames) const
{
    TDataSkinButton* b = ButtonsOf(FSkinData);
    return b ? StripOf(b->CheckBitmap, b->CheckButtonFrame, frames) : nullptr;
}

int TSkinCheckBox::GlyphState(int frames) const
{
    const auto st = static_cast<UINT>(SendMessageA(FHandle, BM_GETSTATE, 0, 0));
    TCheckFacts f;
    f.Frames = frames;
    f.Checked = (st & BST_CHECKED) != 0;
    f.Indeterminate = (st & BST_INDETERMINATE) != 0;
    f.Disabled = (StyleOf(FHandle) & WS_DISABLED) != 0;
    if (FControl) {
        f.State = PropText(FControl, "State");
        if (!f.State)
            f.Checked2 = PropText(FControl, "Checked");
        f.DataField = HasProp(FControl, "DataField");
        f.DataBinding = HasProp(FControl, "DataBinding");
        f.CheckState = FCheckState;
    }
    return CheckBoxGlyphState(f);
}

// ---------------------------------------------------------------- TSkinRadioButton

const TClassInfo& TSkinRadioButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinRadioButton>("TSkinRadioButton", &TSkinChoiceButton::StaticClass()).Build();
    return info;
}

TBitmap* TSkinRadioButton::Strip(int& frames) const
{
    TDataSkinButton* b = ButtonsOf(FSkinData);
    return b ? StripOf(b->RadioBitmap, b->RadioButtonFrame, frames) : nullptr;
}

int TSkinRadioButton::GlyphState(int frames) const
{
    const bool checked = (SendMessageA(FHandle, BM_GETCHECK, 0, 0) & BST_CHECKED) != 0;
    std::optional<bool> checkedProp;
    if (std::optional<std::string> text = PropText(FControl, "Checked"))
        checkedProp = *text == "true";
    return RadioGlyphState(frames, checked, checkedProp, (StyleOf(FHandle) & WS_DISABLED) != 0);
}

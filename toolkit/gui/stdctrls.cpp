#include "stdctrls.h"

#include <algorithm>

const TEnumInfo CheckBoxStateInfo{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};
const TEnumInfo TextLayoutInfo{"TTextLayout", {"tlTop", "tlCenter", "tlBottom"}};
const TEnumInfo BevelCutInfo{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};

namespace {

UINT AlignmentFlags(TAlignment a)
{
    switch (a) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

}  // namespace

// ---------------------------------------------------------------- TButton

const TClassInfo& TButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TButton>("TButton", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("Caption", &TButton::GetText, &TButton::SetText)
                                       .Prop("Default", &TButton::Default, &TButton::SetDefault)
                                       .Prop("Cancel", &TButton::Cancel, &TButton::SetCancel)
                                       .Prop("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
                                       .Build();
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    StoreBounds(0, 0, 75, 25);
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.SysClassName = "BUTTON";
    p.Style |= (IsActive() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

bool TButton::IsActive() const
{
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form ? form->FocusedControl() : nullptr;
    if (focused == this)
        return true;
    return FDefault && !As<TButton>(focused);
}

void TButton::UpdateDefaultLook()
{
    if (HandleAllocated())
        SendMessageA(WindowHandle(), BM_SETSTYLE, IsActive() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED)
            Click();
        return;
    case CM_DIALOGKEY: {
        bool plain = !GetShiftState().Contains(ssShift) && !GetShiftState().Contains(ssCtrl) &&
                     !GetShiftState().Contains(ssAlt);
        if (plain && ((m.WParam == VK_RETURN && IsActive()) || (m.WParam == VK_ESCAPE && FCancel)) && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<unsigned>(m.WParam), GetText()) && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    case CM_FOCUSCHANGED:
        UpdateDefaultLook();
        break;
    default:
        break;
    }
    TWinControl::Dispatch(m);
}

// ---------------------------------------------------------------- TCheckBox

const TClassInfo& TCheckBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCheckBox>("TCheckBox", &TWinControl::StaticClass())
            .Creatable()
            .Prop("Caption", &TCheckBox::GetText, &TCheckBox::SetText)
            .Prop("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
            .EnumProp<TCheckBoxState>("State", CheckBoxStateInfo, &TCheckBox::State, &TCheckBox::SetState)
            .Prop("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed)
            .Build();
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    StoreBounds(0, 0, 97, 17);
    SetTabStop(true);
    SetParentColor(true);
}

void TCheckBox::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.SysClassName = "BUTTON";
    p.Style |= BS_3STATE;  // the control decides the next state itself (Toggle)
    if (UseRightToLeftAlignment(BiDiMode()))
        p.Style |= BS_RIGHTBUTTON;
}

void TCheckBox::InitializeWnd()
{
    TWinControl::InitializeWnd();
    SendMessageA(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCheckBox::SetState(TCheckBoxState v)
{
    if (v == FState)
        return;
    FState = v;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(v), 0);
    if (!Loading())
        Click();
}

void TCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCheckBox::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED)
            Toggle();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<unsigned>(m.WParam), GetText()) && CanFocus()) {
            SetFocus();
            Toggle();
            m.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::Dispatch(m);
}

// ---------------------------------------------------------------- TCustomEdit, TEdit

const TClassInfo& TCustomEdit::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomEdit>("TCustomEdit", &TWinControl::StaticClass())
                                       .Prop("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength)
                                       .Prop("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly)
                                       .Event("OnChange", &TCustomEdit::OnChange)
                                       .Build();
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.SysClassName = "EDIT";
    if (FReadOnly)
        p.Style |= ES_READONLY;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::InitializeWnd()
{
    TWinControl::InitializeWnd();
    ApplyMaxLength();
}

void TCustomEdit::ApplyMaxLength()
{
    SendMessageA(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::PutWindowText(const String& v) { SetWindowTextA(WindowHandle(), v.c_str()); }

void TCustomEdit::SetMaxLength(int v)
{
    FMaxLength = std::max(v, 0);
    if (HandleAllocated())
        ApplyMaxLength();
}

void TCustomEdit::SetReadOnly(bool v)
{
    FReadOnly = v;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), EM_SETREADONLY, v, 0);
}

bool TCustomEdit::Modified() const
{
    return HandleAllocated() && SendMessageA(WindowHandle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool v)
{
    if (HandleAllocated())
        SendMessageA(WindowHandle(), EM_SETMODIFY, v, 0);
}

void TCustomEdit::SelectAll()
{
    if (HandleAllocated())
        SendMessageA(WindowHandle(), EM_SETSEL, 0, -1);
}

int TCustomEdit::SelStart()
{
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int TCustomEdit::SelLength()
{
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int v) { SendMessageA(Handle(), EM_SETSEL, v, v); }

void TCustomEdit::SetSelLength(int v)
{
    int start = SelStart();
    SendMessageA(Handle(), EM_SETSEL, start, start + v);
}

void TCustomEdit::PutWindowTextSilently(const String& v)
{
    TScopedFlag setting(FSettingText);
    PutWindowText(v);
}

void TCustomEdit::WriteText(const String& v)
{
    FText = v;
    if (WindowHandle())
        PutWindowTextSilently(v);
    if (!Loading())
        Change();
}

void TCustomEdit::Dispatch(TMessage& m)
{
    if (m.Msg == CN_COMMAND) {
        // Changes the program makes are reported once, by WriteText.
        if (HIWORD(m.WParam) == EN_CHANGE && !FSettingText)
            Change();
        return;
    }
    TWinControl::Dispatch(m);
}

const TClassInfo& TEdit::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TEdit>("TEdit", &TCustomEdit::StaticClass())
                                       .Creatable()
                                       .Prop("Text", &TEdit::GetText, &TEdit::SetText)
                                       .Build();
    return info;
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) { StoreBounds(0, 0, 121, 21); }

void TEdit::CreateParams(TCreateParams& p)
{
    TCustomEdit::CreateParams(p);
    p.Style |= ES_AUTOHSCROLL | ES_LEFT;
}

// ---------------------------------------------------------------- TLabel

const TClassInfo& TLabel::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TLabel>("TLabel", &TGraphicControl::StaticClass())
            .Creatable()
            .Prop("Caption", &TLabel::GetText, &TLabel::SetText)
            .EnumProp<TAlignment>("Alignment", AlignmentInfo, &TLabel::Alignment, &TLabel::SetAlignment)
            .EnumProp<TTextLayout>("Layout", TextLayoutInfo, &TLabel::Layout, &TLabel::SetLayout)
            .Prop("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
            .Prop("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
            .Prop("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
            .Prop("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
            .ComponentProp<TWinControl>("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl)
            .Build();
    return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csOpaque};
    StoreBounds(0, 0, 65, 17);
    SetParentColor(true);
    SetAutoSize(true);
}

void TLabel::SetTransparent(bool v)
{
    if (v == FTransparent)
        return;
    FTransparent = v;
    if (v)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Invalidate();
}

void TLabel::SetAutoSize(bool v)
{
    TGraphicControl::SetAutoSize(v);
    AdjustBounds();
}

void TLabel::SetFocusControl(TWinControl* c) { SetReference(FFocusControl, c); }

void TLabel::Notification(TComponent* c, TOperation op)
{
    TGraphicControl::Notification(c, op);
    ReferenceGone(FFocusControl, c, op);
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

UINT TLabel::TextFlags() const
{
    UINT flags = DT_EXPANDTABS | AlignmentFlags(FAlignment);
    flags |= FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    return flags;
}

void TLabel::DoDrawText(HDC dc, RECT& r, UINT flags)
{
    String text = GetText();
    // An empty caption still measures one line, so an empty label keeps its height.
    if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&")))
        text = " ";
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    if (!(flags & DT_CALCRECT) && !Enabled()) {
        OffsetRect(&r, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
        OffsetRect(&r, -1, -1);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
        SetTextColor(dc, ColorToRGB(Font()->Color()));
    }
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    SelectObject(dc, old);
}

void TLabel::Paint()
{
    TCanvas* c = Canvas();
    RECT r = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(r);
    }
    HDC dc = c->Handle();
    if (FLayout != tlTop) {
        RECT calc = r;
        DoDrawText(dc, calc, TextFlags() | DT_CALCRECT);
        int offset = r.bottom - calc.bottom;
        if (FLayout == tlCenter)
            offset /= 2;
        OffsetRect(&r, 0, offset);
    }
    DoDrawText(dc, r, TextFlags());
}

void TLabel::AdjustBounds()
{
    if (!AutoSize() || Loading())
        return;
    HDC dc = GetDC(nullptr);
    RECT r{0, 0, FWordWrap ? Width() : 0, 0};
    DoDrawText(dc, r, TextFlags() | DT_CALCRECT);
    ReleaseDC(nullptr, dc);
    int x = Left();
    if (FAlignment == taRightJustify)
        x += Width() - r.right;  // keep the right edge where it was
    SetBounds(x, Top(), r.right, r.bottom);
}

void TLabel::Dispatch(TMessage& m)
{
    if (m.Msg == CM_DIALOGCHAR && FFocusControl && Enabled() && FShowAccelChar &&
        IsAccel(static_cast<unsigned>(m.WParam), GetText()) && FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        m.Result = 1;
        return;
    }
    TGraphicControl::Dispatch(m);
}

// ---------------------------------------------------------------- TPanel

const TClassInfo& TPanel::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPanel>("TPanel", &TCustomControl::StaticClass())
            .Creatable()
            .Prop("Caption", &TPanel::GetText, &TPanel::SetText)
            .EnumProp<TBevelCut>("BevelInner", BevelCutInfo, &TPanel::BevelInner, &TPanel::SetBevelInner)
            .EnumProp<TBevelCut>("BevelOuter", BevelCutInfo, &TPanel::BevelOuter, &TPanel::SetBevelOuter)
            .Prop("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
            .Prop("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth)
            .EnumProp<TAlignment>("Alignment", AlignmentInfo, &TPanel::Alignment, &TPanel::SetAlignment)
            .Build();
    return info;
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks};
    StoreBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TPanel::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.ClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
}

void TPanel::Changed()
{
    Realign();
    Invalidate();
}

void TPanel::SetBevelWidth(int v)
{
    FBevelWidth = std::max(v, 1);
    Changed();
}

void TPanel::SetBorderWidth(int v)
{
    FBorderWidth = std::max(v, 0);
    Changed();
}

void TPanel::AdjustClientRect(TRect& r) const
{
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone)
        inset += FBevelWidth;
    if (FBevelInner != bvNone)
        inset += FBevelWidth;
    InflateRect(&r, -inset, -inset);
}

void TPanel::Paint()
{
    TCanvas* c = Canvas();
    HDC dc = c->Handle();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        TColor tl = cut == bvLowered ? clBtnShadow : clBtnHighlight;
        TColor br = cut == bvLowered ? clBtnHighlight : clBtnShadow;
        if (cut == bvSpace)
            tl = br = Color();
        Frame3D(c, r, tl, br, FBevelWidth);
    };
    bevel(FBevelOuter);
    if (FBorderWidth > 0) {
        Frame3D(c, r, Color(), Color(), FBorderWidth);
    }
    bevel(FBevelInner);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    String text = GetText();
    if (text.empty())
        return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | AlignmentFlags(FAlignment));
    SelectObject(dc, old);
}

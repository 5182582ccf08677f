// The control skin base: attaching in control and handle mode, the message path, giving the
// control back, colours, and reading other classes' properties by name.
#include "skincontrol.h"

#include <utility>

#include "apphooks.h"
#include "controldraw.h"
#include "controllayout.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmessages.h"
#include "winstyle.h"

namespace {

// TControl::MouseDown is the toolkit's protected event method; a skin that consumes a press
// still hands it to the control.
struct TMouseDownAccess : TControl {
    static void Call(TControl* c, TMouseButton button, TShiftState shift, int x, int y)
    {
        auto method = &TMouseDownAccess::MouseDown;
        (c->*method)(button, shift, x, y);
    }
};

// Ordinal properties the class library would call integer: Integer and colours.
bool IsIntegerKind(TPropKind kind) { return kind == TPropKind::Integer || kind == TPropKind::Color; }

const TPropInfo* FindPropOf(TObject* instance, std::string_view name)
{
    return instance ? instance->ClassType().FindProp(name) : nullptr;
}

}  // namespace

const TClassInfo& TSkinControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinControl>("TSkinControl", &TComponent::StaticClass()).Build();
    return info;
}

TSkinControl::TSkinControl(TComponent* AOwner) : TComponent(AOwner) {}

TSkinControl::~TSkinControl() { Detach(); }

TSkinControl::TMessageCall::TMessageCall(TSkinControl* skin)
    : FForm(skin && skin->FSkinForm ? &skin->FSkinForm->Busy() : nullptr), FSkin(skin ? &skin->FBusy : nullptr)
{
}

void TSkinControl::Release(bool unskin)
{
    FBusy.Release([this, unskin] {
        if (unskin && FState != stDestroyed) {
            try {
                Unskin();
            } catch (...) {
                // The skin goes anyway; its control keeps working unskinned.
            }
        }
        Free();
    });
}

void TSkinControl::BeforeDestruction()
{
    Detach();
    TComponent::BeforeDestruction();
}

void TSkinControl::Detach() noexcept
{
    if (FOldWindowProc) {
        TControl* hooked = FControl ? FControl : FGraphicControl;
        if (hooked)
            hooked->WindowProc = FOldWindowProc;
        FOldWindowProc = TWndMethod();
    }
    // A window that got WM_NCDESTROY is gone: nothing is written to its handle any more.
    if (FState == stDestroyed)
        FSubclass.Abandon();
    else
        FSubclass.Restore();
    if (FSkinForm)
        std::exchange(FSkinForm, nullptr)->RemoveSkinControl(this);
}

// ---------------------------------------------------------------- attaching

void TSkinControl::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    if (FAttached)
        return;
    auto* control = As<TWinControl>(Owner());
    if (!control)
        return;  // control mode needs a windowed control as owner
    FSetColor = SetColor;
    FControl = control;
    FHandle = control->Handle();
    FUnicode = IsWindowUnicode(FHandle) != FALSE;
    HookWindowProc(control);
    JoinSkinForm(Form, Data, Canvas);
    if (FSetColor)
        ApplyFaceColor();
    if (FParentBackgroundOff)
        FMode = 1;
    control->Invalidate();
    SetAttached();
}

void TSkinControl::InitHandle(HWND Wnd, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas)
{
    if (!Wnd || !IsWindow(Wnd) || FSubclass.Installed())
        return;
    FHandle = Wnd;
    FEnabled = true;
    FMode = 0;
    JoinSkinForm(Form, Data, Canvas);
    FUnicode = IsWindowUnicode(FHandle) != FALSE;
    FText = GetWindowTextWide(FHandle);
    FSubclass.Install(FHandle, TWndMethod(this, &TSkinControl::SkinWndProc), FUnicode);
    InvalidateRect(FHandle, nullptr, TRUE);
    SetAttached();
}

void TSkinControl::JoinSkinForm(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas)
{
    FSkinData = Data;
    FSkinForm = Form;
    FCanvas = Canvas;
    if (FSkinForm)
        FSkinForm->AddSkinControl(this);
}

void TSkinControl::HookWindowProc(TControl* Control)
{
    FOldWindowProc = Control->WindowProc;
    Control->WindowProc = TWndMethod(this, &TSkinControl::SkinWndProc);
}

void TSkinControl::SetAttached()
{
    FAttached = true;
    FState = stAttached;
}

void TSkinControl::Unskin()
{
    if (!FActive)
        return;
    FActive = false;
    if (FState == stDestroyed || !FSetColor || !FControl)
        return;
    RestoreColor();
}

void TSkinControl::ApplyFaceColor()
{
    if (!FControl)
        return;
    SetParentBackground(true);
    FOldColor = FControl->Color();
    FControl->SetColor(FaceColor());
}

void TSkinControl::RestoreColor()
{
    if (!FControl)
        return;
    SetParentBackground(false);
    FControl->SetColor(FOldColor);
}

void TSkinControl::SkinChanged()
{
    if (FSetColor && FControl)
        FControl->SetColor(FaceColor());
    Refresh();
}

// ---------------------------------------------------------------- the message path

void TSkinControl::SkinWndProc(TMessage& Message)
{
    TMessageCall call(this);
    if (Message.Msg == SKM_ENABLE) {
        FActive = static_cast<int>(Message.WParam) > 0;
        if (FActive)
            Refresh();
        return;
    }
    if (!FActive) {
        CallDefault(Message);
        return;
    }
    TMessage* const outer = std::exchange(FFiltering, &Message);
    const bool outerPassed = std::exchange(FFilteredPassed, false);
    bool passOn = true;
    bool failed = false;
    try {
        passOn = BeforeProc(Message);
    } catch (...) {
        failed = true;
    }
    if (call.SkinGone())
        return;
    const bool passed = std::exchange(FFilteredPassed, outerPassed);
    FFiltering = outer;
    if (failed) {
        // A skin that fails leaves the control working the standard way: the message still
        // reaches it, once.
        if (!passed)
            CallDefault(Message);
        return;
    }
    if (!passOn)
        return;
    CallDefault(Message);
    if (call.SkinGone())
        return;
    try {
        AfterProc(Message);
    } catch (...) {
    }
}

void TSkinControl::CallDefault(TMessage& Message)
{
    if (&Message == FFiltering)
        FFilteredPassed = true;
    if (FOldWindowProc) {
        TWndMethod old = FOldWindowProc;  // a copy: the handler may free the control and us
        old(Message);
        return;
    }
    if (FSubclass.Installed())
        Message.Result = FSubclass.CallOld(Message);
}

bool TSkinControl::BeforeProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCDESTROY:
        FState = stDestroyed;
        CallDefault(Message);
        if (FActive)
            Unskin();
        return false;
    case SKM_ISSKINNED:
        Message.Result = 1;
        return false;
    default:
        return true;
    }
}

void TSkinControl::AfterProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED:
        Refresh();
        break;
    case WM_PAINT:
        // The window painted itself the standard way; the skin paints over it.
        PaintControl(reinterpret_cast<HDC>(Message.WParam));
        break;
    default:
        break;
    }
}

void TSkinControl::PaintControl(HDC DC)
{
    RECT w;
    if (!FHandle || !GetWindowRect(FHandle, &w))
        return;
    const TRect r(0, 0, w.right - w.left, w.bottom - w.top);
    try {
        if (DC) {
            DrawControl(DC, r);
            return;
        }
        HDC own = GetWindowDC(FHandle);
        if (!own)
            return;
        try {
            DrawControl(own, r);
        } catch (...) {
            ReleaseDC(FHandle, own);
            throw;
        }
        ReleaseDC(FHandle, own);
    } catch (...) {
        // A failed drawing leaves the control as the standard painting left it.
    }
}

void TSkinControl::Refresh()
{
    if (FGraphicControl) {
        FGraphicControl->Invalidate();
        return;
    }
    if (!FHandle || !IsWindowVisible(FHandle))
        return;  // nothing shows: the window paints when it does
    InvalidateRect(FHandle, nullptr, TRUE);
    UpdateWindow(FHandle);
}

// ---------------------------------------------------------------- helpers of the families

TColor TSkinControl::FaceColor() const { return SkinColor(scButtonFace); }

TColor TSkinControl::SkinColor(int Index) const
{
    if (Index < 0 || Index >= SkinColorCount)
        return clBtnFace;
    if (FSkinData)
        return FSkinData->FColors[static_cast<size_t>(Index)];
    for (const TSkinColorKey& key : SkinColorKeys)
        if (key.Index == Index)
            return key.Default;
    return clBtnFace;
}

void TSkinControl::SetParentBackground(bool On)
{
    if (!FSkinData || FSkinData->Options().Contains(xoParentBackGround) || !FControl ||
        !HasProp(FControl, "ParentBackground"))
        return;
    if (On) {
        FParentBackgroundOff = EnumPropText(FControl, "ParentBackground") == "true";
        if (FParentBackgroundOff)
            SetPropText(FControl, "ParentBackground", "False");
    } else if (FParentBackgroundOff) {
        SetPropText(FControl, "ParentBackground", "True");
    }
}

TColor TSkinControl::GetParentColor(TColor Default) const
{
    TWinControl* parent = FControl ? FControl->Parent() : nullptr;
    const TPropInfo* p = FindPropOf(parent, "Color");
    if (!p || !IsIntegerKind(p->Kind))
        return Default;
    return static_cast<TColor>(p->Get(parent).Int);
}

bool TSkinControl::OverParentPicture(const TControl* Control) const
{
    return Control->Tag() == TransparentTag || (FSkinData && FSkinData->Options().Contains(xoTransparent));
}

void TSkinControl::FillFace(HDC DC, const TRect& R) const { FillSolidRect(DC, R, FaceColor()); }

void TSkinControl::FillParentColor(HDC DC, const TRect& R) const { FillSolidRect(DC, R, GetParentColor(FaceColor())); }

LONG TSkinControl::GetWindowLongAW(HWND Wnd, int Index) const
{
    return FUnicode ? GetWindowLongW(Wnd, Index) : GetWindowLongA(Wnd, Index);
}

void TSkinControl::DrawTextFocusRect(HDC DC, UINT Flags, const TRect& R) const
{
    RECT t = R;
    DrawTextWide(DC, FText, t, Flags | DT_CALCRECT | DT_NOCLIP);
    const TPixRect f = TextFocusRect(PixRect(R.left, R.top, R.right, R.bottom),
                                     PixRect(t.left, t.top, t.right, t.bottom), Flags);
    const RECT focus{f.Left, f.Top, f.Right, f.Bottom};
    DrawFocusRect(DC, &focus);
}

void TSkinControl::ForwardMouseDown(TMessage& Message)
{
    if (!FControl)
        return;
    TPoint p(MsgX(Message.LParam), MsgY(Message.LParam));
    // Message coordinates are 16 bits: a larger control needs the cursor's own position.
    if (FControl->Width() > 0x8000 || FControl->Height() > 0x8000) {
        POINT cursor{};
        GetCursorPos(&cursor);
        p = FControl->ScreenToClient(cursor);
    }
    RunControlEvent([&] { TMouseDownAccess::Call(FControl, mbLeft, KeysToShiftState(Message.WParam), p.x, p.y); });
}

void TSkinControl::RunControlEvent(const std::function<void()>& event)
{
    try {
        event();
    } catch (...) {
        HandleCurrentException(FControl);
    }
}

bool IsPopupWindow(HWND Wnd)
{
    return (StyleOf(Wnd) & WS_POPUP) != 0 || GetParent(Wnd) == GetDesktopWindow();
}

// ---------------------------------------------------------------- properties by name

int TSkinControl::GetIntPropByName(TObject* Instance, std::string_view Name)
{
    const TPropInfo* p = FindPropOf(Instance, Name);
    if (!p || !IsIntegerKind(p->Kind))
        return -1;
    return static_cast<int>(p->Get(Instance).Int);
}

void TSkinControl::GetEnumPropText(TObject* Instance, std::string_view Name, String& Text)
{
    Text.clear();
    const TPropInfo* p = FindPropOf(Instance, Name);
    if (!p)
        return;
    const TValue v = p->Get(Instance);
    if (v.Kind == TPropKind::Enum && v.Enum && v.Int >= 0 && v.Int < static_cast<int64_t>(v.Enum->Names.size()))
        Text = v.Enum->Names[static_cast<size_t>(v.Int)];
    else if (v.Kind == TPropKind::Boolean)
        Text = v.Int ? "True" : "False";
    else if (v.Kind != TPropKind::Object && v.Kind != TPropKind::Component && v.Kind != TPropKind::Event)
        Text = v.AsText();
}

String TSkinControl::EnumPropText(TObject* Instance, std::string_view Name)
{
    String text;
    GetEnumPropText(Instance, Name, text);
    return LowerCase(text);
}

void TSkinControl::GetWidePropText(TObject* Instance, std::string_view Name, std::wstring& Text)
{
    Text.clear();
    const TPropInfo* p = FindPropOf(Instance, Name);
    if (p && p->Kind == TPropKind::String)
        Text = StrToWide(p->Get(Instance).Str);
}

TObject* TSkinControl::GetObjectPropByName(TObject* Instance, std::string_view Name, const TClassInfo* MinClass)
{
    const TPropInfo* p = FindPropOf(Instance, Name);
    if (!p || (p->Kind != TPropKind::Object && p->Kind != TPropKind::Component))
        return nullptr;
    TObject* o = p->Get(Instance).Obj;
    if (o && MinClass && !o->InheritsFrom(*MinClass))
        return nullptr;
    return o;
}

void TSkinControl::SetPropText(TObject* Instance, std::string_view Name, std::string_view Value)
{
    const TPropInfo* p = FindPropOf(Instance, Name);
    if (!p || !p->Set)
        return;
    switch (p->Kind) {
    case TPropKind::Integer:
    case TPropKind::Color:
        p->Set(Instance, TValue::OfInt(StrToInt(Value)));
        break;
    case TPropKind::Enum:
    case TPropKind::Boolean:
    case TPropKind::String:
        p->Set(Instance, ValueFromText(*p, Value));
        break;
    default:
        break;
    }
}

// Forms (streaming, showing, closing, modal loops, focus, dialog keys), the hint window and the
// screen.
#include "forms.h"

#include <algorithm>

#include "apphooks.h"
#include "formfile.h"
#include "menus.h"
#include "winstyle.h"

const TEnumInfo FormBorderStyleInfo{"TFormBorderStyle",
                                    {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
const TEnumInfo BorderIconInfo{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
const TEnumInfo PositionInfo{"TPosition",
                             {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                              "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}};
const TEnumInfo FormStyleInfo{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
const TEnumInfo WindowStateInfo{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}};

namespace {

// Disables the thread's other visible top-level windows for a modal form and enables them again.
class TTaskWindowsDisabled {
public:
    explicit TTaskWindowsDisabled(HWND except) : FExcept(except)
    {
        EnumThreadWindows(GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(this));
    }
    ~TTaskWindowsDisabled()
    {
        for (auto it = FDisabled.rbegin(); it != FDisabled.rend(); ++it)
            if (IsWindow(*it))
                EnableWindow(*it, TRUE);
    }
    TTaskWindowsDisabled(const TTaskWindowsDisabled&) = delete;
    TTaskWindowsDisabled& operator=(const TTaskWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Disable(HWND w, LPARAM self)
    {
        auto* me = reinterpret_cast<TTaskWindowsDisabled*>(self);
        if (w != me->FExcept && IsWindowVisible(w) && IsWindowEnabled(w)) {
            EnableWindow(w, FALSE);
            me->FDisabled.push_back(w);
        }
        return TRUE;
    }
    HWND FExcept;
    std::vector<HWND> FDisabled;
};

TRect CenteredIn(const TRect& area, int w, int h)
{
    int x = area.left + (area.Width() - w) / 2;
    int y = area.top + (area.Height() - h) / 2;
    return Bounds(x, y, w, h);
}

}  // namespace

// ---------------------------------------------------------------- TCustomForm

const TClassInfo& TCustomForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomForm>("TCustomForm", &TWinControl::StaticClass())
            .Prop("Caption", &TCustomForm::GetText, &TCustomForm::SetText)
            .Prop("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
            .Prop("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
            .Prop("AutoSize", &TCustomForm::AutoSize, &TCustomForm::SetAutoSize)
            .EnumProp<TFormBorderStyle>("BorderStyle", FormBorderStyleInfo, &TCustomForm::BorderStyle,
                                        &TCustomForm::SetBorderStyle)
            .SetProp<TBorderIcon>("BorderIcons", BorderIconInfo, &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
            .EnumProp<TPosition>("Position", PositionInfo, &TCustomForm::Position, &TCustomForm::SetPosition)
            .EnumProp<TFormStyle>("FormStyle", FormStyleInfo, &TCustomForm::FormStyle, &TCustomForm::SetFormStyle)
            .EnumProp<TWindowState>("WindowState", WindowStateInfo, &TCustomForm::WindowState,
                                    &TCustomForm::SetWindowState)
            .Prop("AlphaBlend", &TCustomForm::AlphaBlend, &TCustomForm::SetAlphaBlend)
            .Prop("AlphaBlendValue", &TCustomForm::AlphaBlendValue, &TCustomForm::SetAlphaBlendValue)
            .Prop("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
            .ComponentProp<TWinControl>("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
            .ObjectProp<TIcon>("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon)
            .ComponentProp<TMainMenu>("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
            .Event("OnCreate", &TCustomForm::OnCreate)
            .Event("OnDestroy", &TCustomForm::OnDestroy)
            .Event("OnShow", &TCustomForm::OnShow)
            .Event("OnHide", &TCustomForm::OnHide)
            .Event("OnActivate", &TCustomForm::OnActivate)
            .Event("OnDeactivate", &TCustomForm::OnDeactivate)
            .Event("OnPaint", &TCustomForm::OnPaint)
            .Event("OnClose", &TCustomForm::OnClose)
            .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
            .Build();
    return info;
}

const TClassInfo& TForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm>("TForm", &TCustomForm::StaticClass()).Creatable().Build();
    return info;
}

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), FIcon(std::make_unique<TIcon>()), FCanvas(std::make_unique<TControlCanvas>(this))
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FVisible = false;
    FParentFont.On = false;
    FParentColor.On = false;
    StoreBounds(0, 0, 320, 240);
    SetColor(clBtnFace);
    FIcon->OnChange = TNotifyEvent(this, &TCustomForm::IconChanged);
    if (Screen)
        Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    if (Screen)
        Screen->RemoveForm(this);
    if (Application && Application->MainForm() == this)
        Application->SetMainForm(nullptr);
}

void TCustomForm::BeforeDestruction()
{
    if (FControlDestroying)
        return;
    try {
        Fire(OnDestroy, this);
    } catch (...) {
        HandleCurrentException(this);
    }
    if (Screen)
        Screen->RemoveForm(this);
    if (Application && Application->MainForm() == this)
        Application->SetMainForm(nullptr);
    // The window goes before the components on it.
    TWinControl::BeforeDestruction();
}

void TCustomForm::InitForm()
{
    String res = UpperCase(ClassName());
    HRSRC r = FindResourceA(ModuleInstance(), res.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL g = r ? LoadResource(ModuleInstance(), r) : nullptr;
    const void* data = g ? LockResource(g) : nullptr;
    if (!data)
        throw EReadError("Form resource " + res + " not found");
    std::string_view text(static_cast<const char*>(data), SizeofResource(ModuleInstance(), r));
    if (Name().empty())
        SetName(UniqueFormName(ParseFormText(text, res).Name));
    ReadFormInto(this, text, res);
    FinishCreate();
}

String TCustomForm::UniqueFormName(const String& base) const
{
    // A second form of the same class gets "Form1_1", "Form1_2", ... as its name.
    auto taken = [this](const String& n) {
        if (Owner() && Owner()->FindComponent(n))
            return true;
        for (int i = 0; Screen && i < Screen->FormCount(); ++i)
            if (Screen->Forms(i) != this && SameText(Screen->Forms(i)->Name(), n))
                return true;
        return false;
    };
    String name = base;
    for (int i = 1; taken(name); ++i)
        name = base + "_" + IntToStr(i);
    return name;
}

void TCustomForm::InitNew() { FinishCreate(); }

void TCustomForm::FinishCreate()
{
    FillComponentFields();
    // A failing create handler is reported and the form is made all the same.
    try {
        DoCreate();
    } catch (...) {
        HandleCurrentException(this);
    }
    if (Visible())
        UpdateShowing();
}

void TCustomForm::FillComponentFields()
{
    for (const TClassInfo* c = &ClassType(); c; c = c->Parent)
        for (const TFieldInfo& f : c->Fields)
            f.Store(this, FindChildOf(f.Name, f.ClassOf()));
}

TComponent* TCustomForm::FindChildOf(const String& name, const TClassInfo& cls) const
{
    TComponent* c = FindComponent(name);
    if (!c || !c->InheritsFrom(cls))
        throw EComponentError("Component " + name + (c ? " is not a " : " not found: expected a ") + cls.Name +
                              " on " + ClassName());
    return c;
}

// A failing show or hide handler is reported and the showing goes on: the window never stays
// hidden (or shown) against its Visible, and the application keeps running.
void TCustomForm::ShowChanged(bool showing)
{
    try {
        showing ? DoShow() : DoHide();
    } catch (...) {
        HandleCurrentException(this);
    }
}

void TCustomForm::Loaded()
{
    // Like every control, but a form shows itself only after OnCreate (FinishCreate).
    TControl::Loaded();
    TWinControl::SortTabList();
    Realign();
}

void TCustomForm::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.ClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    p.Style |= WS_CLIPCHILDREN;
    if (!IsTopLevel()) {
        if (FBorderStyle != bsNone)
            p.Style |= WS_CAPTION | (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin ? WS_THICKFRAME : 0);
        return;
    }
    p.Style &= ~(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    p.WndParent = Application ? Application->Handle() : nullptr;
    switch (FBorderStyle) {
    case bsNone: p.Style |= WS_POPUP; break;
    case bsSingle: p.Style |= WS_CAPTION; break;
    case bsSizeable: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        p.Style |= WS_POPUP | WS_CAPTION;
        p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        p.Style |= WS_CAPTION;
        p.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        p.Style |= WS_CAPTION | WS_THICKFRAME;
        p.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if ((p.Style & WS_CAPTION) == WS_CAPTION && FBorderIcons.Contains(biSystemMenu)) {
        p.Style |= WS_SYSMENU;
        bool boxes = FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin;
        if (boxes && FBorderIcons.Contains(biMinimize))
            p.Style |= WS_MINIMIZEBOX;
        if (boxes && FBorderIcons.Contains(biMaximize))
            p.Style |= WS_MAXIMIZEBOX;
        if (FBorderIcons.Contains(biHelp) && (FBorderStyle == bsDialog || !(p.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))))
            p.ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (FFormStyle == fsStayOnTop)
        p.ExStyle |= WS_EX_TOPMOST;
    if (FPosition == poDefault || FPosition == poDefaultPosOnly)
        p.X = p.Y = CW_USEDEFAULT;
    if ((FPosition == poDefault || FPosition == poDefaultSizeOnly) && !(p.Style & WS_POPUP)) {
        p.Width = CW_USEDEFAULT;
        p.Height = CW_USEDEFAULT;
    }
}

void TCustomForm::InitializeWnd()
{
    TWinControl::InitializeWnd();
    ApplyMenu();
    ApplyIcon();
    if (IsTopLevel())
        ApplyAlphaBlend();
}

// ---------------------------------------------------------------- showing and hiding

void TCustomForm::Show()
{
    SetVisible(true);
    if (!HandleAllocated() || !IsTopLevel())
        return;
    // A window just shown is the foreground window, in front already: it is not brought there
    // again.
    const HWND h = WindowHandle();
    if (GetForegroundWindow() != h)
        BringWindowToTop(h);
}

void TCustomForm::UpdateShowing()
{
    if (Loading())
        return;
    if (!IsTopLevel()) {
        bool was = FShowing;
        TWinControl::UpdateShowing();
        FShowing = Visible() && HandleAllocated();
        if (FShowing != was)
            ShowChanged(FShowing);
        return;
    }
    if (Visible() && !FShowing)
        ShowForm();
    else if (!Visible() && FShowing)
        HideForm();
}

void TCustomForm::ShowForm()
{
    HandleNeeded();
    if (!FPositioned) {
        FPositioned = true;
        ApplyPosition();
    }
    FShowing = true;
    ShowChanged(true);  // before the window appears, as handlers expect
    if (!Visible() || !HandleAllocated())
        return;
    int cmd = FWindowState == wsMinimized ? SW_SHOWMINIMIZED : FWindowState == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    {
        TScopedFlag changing(FChangingShow);
        ShowWindow(WindowHandle(), cmd);
    }
    if (FFormStyle == fsStayOnTop)
        ApplyStayOnTop();
    if (Application && Application->MainForm() == this)
        Application->MainFormShown();
}

void TCustomForm::HideForm()
{
    FShowing = false;
    ShowChanged(false);
    if (HandleAllocated()) {
        TScopedFlag changing(FChangingShow);
        ShowWindow(WindowHandle(), SW_HIDE);
    }
}

void TCustomForm::ApplyPosition()
{
    TRect area;
    switch (FPosition) {
    case poScreenCenter:
        area = Screen->WorkAreaRect();
        break;
    case poDesktopCenter:
        area = Screen->DesktopRect();
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        auto* other = FPosition == poOwnerFormCenter ? As<TCustomForm>(Owner()) : nullptr;
        if (!other && Application)
            other = Application->MainForm();
        area = other && other != this && other->HandleAllocated() ? other->BoundsRect() : Screen->WorkAreaRect();
        break;
    }
    default:
        return;
    }
    TRect r = CenteredIn(area, Width(), Height());
    SetBounds(std::max<LONG>(r.left, area.left), std::max<LONG>(r.top, area.top), Width(), Height());
}

void TCustomForm::SetParent(TWinControl* parent)
{
    if (parent == Parent())
        return;
    bool recreate = HandleAllocated() && ((Parent() == nullptr) != (parent == nullptr));
    bool wasShowing = FShowing;
    if (recreate)
        DestroyHandle();
    TWinControl::SetParent(parent);
    if (recreate && !parent && wasShowing) {
        // Back to a top-level window: show it again without another OnShow.
        HandleNeeded();
        TScopedFlag changing(FChangingShow);
        ShowWindow(WindowHandle(), SW_SHOWNORMAL);
    }
    FShowing = wasShowing && Visible();
}

void TCustomForm::SetFormStyle(TFormStyle v)
{
    if (v == FFormStyle)
        return;
    FFormStyle = v;
    if (HandleAllocated() && IsTopLevel())
        ApplyStayOnTop();
}

void TCustomForm::ApplyStayOnTop()
{
    HWND after = FFormStyle == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowPos(WindowHandle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const
{
    if (HandleAllocated() && FShowing) {
        if (IsIconic(WindowHandle()))
            return wsMinimized;
        if (IsZoomed(WindowHandle()))
            return wsMaximized;
        return wsNormal;
    }
    return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState v)
{
    FWindowState = v;
    if (!HandleAllocated() || !FShowing || Loading())
        return;
    static const int cmds[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    TScopedFlag changing(FChangingShow);
    ShowWindow(WindowHandle(), cmds[v]);
}

void TCustomForm::SetAlphaBlendValue(int v)
{
    v = std::clamp(v, 0, 255);
    if (v == FAlphaBlendValue)
        return;
    FAlphaBlendValue = v;
    ApplyAlphaBlend();
}

void TCustomForm::ApplyAlphaBlend()
{
    if (!HandleAllocated() || !IsTopLevel())
        return;
    HWND h = WindowHandle();
    const DWORD ex = ExStyleOf(h);
    if (FAlphaBlend) {
        if (!(ex & WS_EX_LAYERED))
            SetWindowLongA(h, GWL_EXSTYLE, static_cast<LONG>(ex | WS_EX_LAYERED));
        SetLayeredWindowAttributes(h, 0, static_cast<BYTE>(FAlphaBlendValue), LWA_ALPHA);
    } else if (ex & WS_EX_LAYERED) {
        SetWindowLongA(h, GWL_EXSTYLE, static_cast<LONG>(ex & ~WS_EX_LAYERED));
        RedrawWindow(h, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void TCustomForm::SetMenu(TMainMenu* v)
{
    if (SetReference(FMenu, v) && HandleAllocated())
        SendMessageA(WindowHandle(), CM_MENUCHANGED, 0, 0);
}

void TCustomForm::ApplyMenu()
{
    // Only a top-level window has a menu bar (a child's "menu" is its control id).
    HWND wnd = WindowHandle();
    if (StyleOf(wnd) & WS_CHILD)
        return;
    HMENU menu = FMenu ? FMenu->Handle() : nullptr;
    if (GetMenu(wnd) != menu)
        ::SetMenu(wnd, menu);
}

void TCustomForm::Notification(TComponent* c, TOperation op)
{
    TWinControl::Notification(c, op);
    if (ReferenceGone(FMenu, c, op) && HandleAllocated())
        SendMessageA(WindowHandle(), CM_MENUCHANGED, 0, 0);
}

void TCustomForm::IconChanged(TObject*)
{
    if (HandleAllocated())
        ApplyIcon();
}

void TCustomForm::ApplyIcon()
{
    HICON icon = FIcon->Empty() ? nullptr : FIcon->Handle();
    SendMessageA(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(WindowHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

// ---------------------------------------------------------------- closing and modal showing

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    Fire(OnCloseQuery, this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::CloseModal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        FModalResult = mrNone;
    else if (action == caFree)
        Release();
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || FModal || !IsTopLevel())
        throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND cap = GetCapture()) {
        SendMessageA(cap, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    if (Application)
        Application->CancelHint();
    HWND activeBefore = GetActiveWindow();
    HWND h = Handle();
    // A module whose application window is hidden (the library) keeps its dialog above the
    // window that asked for it.
    HWND ownerBefore = GetWindow(h, GW_OWNER);
    bool reowned = activeBefore && activeBefore != h && IsWindowVisible(activeBefore) && ownerBefore &&
                   !IsWindowVisible(ownerBefore);
    if (reowned)
        SetWindowLongPtrA(h, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(activeBefore));
    {
        TScopedFlag modal(FModal);
        FModalResult = mrNone;
        {
            TTaskWindowsDisabled disabled(h);
            Show();
            for (;;) {
                if (Application->Terminated()) {
                    FModalResult = mrCancel;
                    break;
                }
                Application->HandleMessage();
                if (Application->Terminated())
                    FModalResult = mrCancel;
                else if (FModalResult != mrNone)
                    CloseModal();
                if (FModalResult != mrNone)
                    break;
            }
        }
        if (activeBefore && IsWindow(activeBefore) && IsWindowVisible(activeBefore))
            SetActiveWindow(activeBefore);
    }
    Hide();
    if (reowned && HandleAllocated())
        SetWindowLongPtrA(WindowHandle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerBefore));
    return FModalResult;
}

void TCustomForm::Release() { PostMessageA(Handle(), CM_RELEASE, 0, 0); }

// ---------------------------------------------------------------- focus

void TCustomForm::SetActiveControl(TWinControl* c)
{
    if (c == FActiveControl)
        return;
    if (c && (c == this || !ContainsControl(c)))
        throw EInvalidOperation("Invalid ActiveControl value: '" + c->Name() + "' is not on " + Name());
    FActiveControl = c;
    if (!Loading() && c && FActive && c->CanFocus())
        ::SetFocus(c->Handle());
}

void TCustomForm::FocusControl(TWinControl* c)
{
    if (!c->CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = c;
    if (HandleAllocated() && IsWindowVisible(WindowHandle()))
        ::SetFocus(c->Handle());
}

void TCustomForm::SetFocus()
{
    if (!IsTopLevel()) {
        TWinControl::SetFocus();
        return;
    }
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    SetForegroundWindow(Handle());
    ::SetFocus(Handle());
}

bool TCustomForm::SetFocusedControl(TWinControl* c)
{
    if (c == FFocusedControl)
        return true;
    TWinControl* old = FFocusedControl;
    FFocusedControl = c;
    if (c && c != this)
        FActiveControl = c;
    if (Screen)
        Screen->SetActiveControl(c);
    // Exit from the old control and the parents that lose the focus, enter the new ones.
    if (old)
        for (TWinControl* w = old; w && w != this && !(c && w->ContainsControl(c)); w = w->Parent())
            w->Perform(CM_EXIT);
    if (c && c != this) {
        std::vector<TWinControl*> chain;
        for (TWinControl* w = c; w && w != this && !(old && w->ContainsControl(old)); w = w->Parent())
            chain.push_back(w);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            (*it)->Perform(CM_ENTER);
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(c));
    return true;
}

void TCustomForm::ControlGone(TControl* c)
{
    auto within = [c](const TControl* x) {
        if (!x)
            return false;
        auto* w = As<TWinControl>(c);
        return x == c || (w && w->ContainsControl(x));
    };
    if (within(FActiveControl))
        FActiveControl = nullptr;
    if (within(FFocusedControl))
        FFocusedControl = nullptr;
    if (Screen && within(Screen->ActiveControl()))
        Screen->SetActiveControl(nullptr);
}

void TCustomForm::Activated(TMessage& m)
{
    bool active = LOWORD(m.WParam) != WA_INACTIVE;
    FActive = active;
    if (!active) {
        Fire(OnDeactivate, this);
        DefaultHandler(m);
        return;
    }
    if (Screen)
        Screen->SetActiveForm(this);
    Fire(OnActivate, this);
    if (!HIWORD(m.WParam) && HandleAllocated()) {  // not minimised: give the focus back
        TWinControl* target = FActiveControl && FActiveControl->CanFocus()
                                  ? FActiveControl
                                  : FindNextControl(nullptr, true, true, false);
        if (target) {
            ::SetFocus(target->Handle());
            m.Result = 0;
            return;
        }
    }
    DefaultHandler(m);
}

// ---------------------------------------------------------------- messages

void TCustomForm::WndProc(TMessage& m)
{
    if (m.Msg == WM_SETFOCUS && IsTopLevel()) {
        SetFocusedControl(this);
        if (FActiveControl && FActiveControl->CanFocus()) {
            ::SetFocus(FActiveControl->Handle());
            return;
        }
    }
    TWinControl::WndProc(m);
}

void TCustomForm::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        m.Result = 0;
        return;
    case WM_ACTIVATE:
        Activated(m);
        return;
    case WM_SHOWWINDOW:
        // Someone else showed or hid the window (ShowWindow from outside): keep Visible true to it.
        if (!FChangingShow && m.LParam == 0 && IsTopLevel() && !Loading()) {
            bool show = m.WParam != 0;
            if (show != FShowing) {
                FVisible = show;
                FShowing = show;
                show ? DoShow() : DoHide();
            }
        }
        DefaultHandler(m);
        return;
    case WM_SYSCOMMAND:
        if ((m.WParam & 0xFFF0) == SC_MINIMIZE && IsTopLevel() && Application && Application->MainForm() == this) {
            Application->Minimize();
            m.Result = 0;
            return;
        }
        break;
    case WM_ENTERMENULOOP:
        // The window's menu bar or system menu opens: no hint stays over it.
        if (Application)
            Application->CancelHint();
        break;
    case CM_RELEASE:
        Free();  // nothing of this object may be touched after this
        return;
    case CM_MENUCHANGED:
        // Through the window's procedure, so whoever stands in front of it (the skin's menu
        // bar) hears of it too.
        ApplyMenu();
        if (!(GetWindowLongA(WindowHandle(), GWL_STYLE) & WS_CHILD))
            DrawMenuBar(WindowHandle());
        m.Result = 0;
        return;
    case WM_COMMAND:
        // A menu-bar item (no control window, notification 0 or 1).
        if (m.LParam == 0 && HIWORD(m.WParam) <= 1 && FMenu && FMenu->DispatchCommand(LOWORD(m.WParam))) {
            m.Result = 0;
            return;
        }
        break;
    case WM_DESTROY:
        // The window would destroy its menu with it; the menu belongs to the TMainMenu.
        if (!(StyleOf(WindowHandle()) & WS_CHILD) && GetMenu(WindowHandle()))
            ::SetMenu(WindowHandle(), nullptr);
        break;
    case CM_DIALOGKEY:
        CMDialogKey(m);
        return;
    case CM_RECREATEWND:
        if (IsTopLevel()) {
            bool shown = FShowing;
            DestroyHandle();
            if (shown) {
                HandleNeeded();
                TScopedFlag changing(FChangingShow);
                ShowWindow(WindowHandle(), SW_SHOWNORMAL);
            }
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::Dispatch(m);
}

void TCustomForm::CMDialogKey(TMessage& m)
{
    if (GetKeyState(VK_MENU) >= 0) {
        TWinControl* current = FFocusedControl && FFocusedControl != this ? FFocusedControl : FActiveControl;
        switch (m.WParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(current, GetKeyState(VK_SHIFT) >= 0, true);
                m.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (current) {
                SelectNext(current, m.WParam == VK_RIGHT || m.WParam == VK_DOWN, true);
                m.Result = 1;
                return;
            }
            break;
        default:
            break;
        }
    }
    TWinControl::Dispatch(m);  // everybody else, until one answers
}

void TCustomForm::PaintWindow(HDC dc)
{
    TCanvasPaintScope scope(FCanvas.get(), this, dc);
    Paint();
}

// ---------------------------------------------------------------- THintWindow

const TClassInfo& THintWindow::StaticClass()
{
    static const TClassInfo info = TClassBuilder<THintWindow>("THintWindow", &TCustomControl::StaticClass()).Build();
    return info;
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner)
{
    FVisible = false;
    FParentFont.On = false;
    SetColor(clInfoBk);
    if (Screen)
        Font()->Assign(Screen->HintFont());
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP | WS_BORDER;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    p.ClassStyle = CS_SAVEBITS | CS_DROPSHADOW;
    p.WndParent = Application ? Application->Handle() : nullptr;
}

TRect THintWindow::CalcHintRect(int maxWidth, const String& hint, void*)
{
    RECT r{0, 0, std::max(maxWidth, 1), 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    DrawTextA(dc, hint.c_str(), static_cast<int>(hint.size()), &r,
              DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    r.right += 6;
    r.bottom += 2 + 2 * GetSystemMetrics(SM_CYBORDER);
    r.right += 2 * GetSystemMetrics(SM_CXBORDER);
    return r;
}

void THintWindow::ActivateHint(TRect r, const String& hint)
{
    WriteText(hint);
    TRect screen = Screen ? Screen->DesktopRect() : TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    int w = r.Width(), h = r.Height();
    if (r.right > screen.right)
        r.left = screen.right - w;
    if (r.bottom > screen.bottom)
        r.top = screen.bottom - h;
    r.left = std::max(r.left, screen.left);
    r.top = std::max(r.top, screen.top);
    HWND wnd = Handle();
    StoreBounds(r.left, r.top, w, h);
    SetWindowPos(wnd, HWND_TOPMOST, r.left, r.top, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(wnd, nullptr, TRUE);
    UpdateWindow(wnd);
}

void THintWindow::ReleaseHandle() { DestroyHandle(); }

bool THintWindow::HintShowing() const { return HandleAllocated() && IsWindowVisible(WindowHandle()); }

void THintWindow::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->FillRect(r);
    HDC dc = c->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    r.left += 2;
    r.top += 2;
    String text = GetText();
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

void THintWindow::Dispatch(TMessage& m)
{
    if (m.Msg == WM_NCHITTEST) {
        m.Result = HTTRANSPARENT;  // the mouse goes through to the window below
        return;
    }
    TCustomControl::Dispatch(m);
}

// ---------------------------------------------------------------- TScreen

const TClassInfo& TScreen::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TScreen>("TScreen", &TComponent::StaticClass()).Build();
    return info;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

TScreen::~TScreen() = default;

void TScreen::AddForm(TCustomForm* f)
{
    if (std::find(FForms.begin(), FForms.end(), f) == FForms.end())
        FForms.push_back(f);
}

void TScreen::RemoveForm(TCustomForm* f)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), f), FForms.end());
    if (FActiveForm == f)
        FActiveForm = nullptr;
    if (FActiveControl && GetParentForm(FActiveControl) == f)
        FActiveControl = nullptr;
}

void TScreen::SetCursor(TCursor c)
{
    if (c == FCursor)
        return;
    FCursor = c;
    // Show it at once, not only at the next mouse move.
    POINT p;
    if (GetCursorPos(&p))
        SetCursorPos(p.x, p.y);
}

TRect TScreen::DesktopRect() const
{
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (w <= 0 || h <= 0)
        return TRect(0, 0, Width(), Height());
    return Bounds(x, y, w, h);
}

TRect TScreen::WorkAreaRect() const
{
    RECT r;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0))
        return r;
    return TRect(0, 0, Width(), Height());
}

void TScreen::LoadSystemFonts()
{
    FHintFont = std::make_unique<TFont>();
    FMenuFont = std::make_unique<TFont>();
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
        return;
    if (HFONT f = CreateFontIndirectA(&ncm.lfStatusFont))
        FHintFont->SetHandle(f);
    if (HFONT f = CreateFontIndirectA(&ncm.lfMenuFont))
        FMenuFont->SetHandle(f);
}

TFont* TScreen::HintFont() const
{
    if (!FHintFont)
        const_cast<TScreen*>(this)->LoadSystemFonts();
    return FHintFont.get();
}

TFont* TScreen::MenuFont() const
{
    if (!FMenuFont)
        const_cast<TScreen*>(this)->LoadSystemFonts();
    return FMenuFont.get();
}

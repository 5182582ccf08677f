#include "trayicon.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include <shlwapi.h>

#include "apphooks.h"
#include "forms.h"
#include "imglist.h"
#include "menus.h"

namespace {

UINT gTaskbarCreated = 0;

// Our own request to hook the owner form again after its window was re-created (wParam: icon id).
constexpr UINT WM_TRAY_REHOOK = WM_APP + 0x0B1;

// The common controls' version as major << 16 | minor, 0 when it cannot be told.
DWORD GetComCtlVersion()
{
    TModuleHandle lib(LoadLibraryA("comctl32.dll"));
    if (!lib)
        return 0;
    DWORD version = 0;
    auto get = reinterpret_cast<DLLGETVERSIONPROC>(GetProcAddress(lib.Get(), "DllGetVersion"));
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (get && SUCCEEDED(get(&info)))
        version = MAKELONG(info.dwMinorVersion, info.dwMajorVersion);
    return version;
}

// The unit's start: the taskbar's re-creation message and the class for form files.
struct TTrayIconUnit {
    TTrayIconUnit()
    {
        if (GetComCtlVersion() >= MAKELONG(71, 4))
            gTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
        RegisterClasses({&TTrayIcon::StaticClass()});
    }
} gUnit;

// Copies text into a fixed field, cut to `max` characters and zero-terminated.
template <size_t N>
void CopyField(char (&field)[N], const String& text, size_t max)
{
    static_assert(N > 0);
    size_t n = std::min({text.size(), max, N - 1});
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

TShiftState AsyncShiftState()
{
    TShiftState s;
    if (GetAsyncKeyState(VK_SHIFT) < 0)
        s.Include(ssShift);
    if (GetAsyncKeyState(VK_MENU) < 0)
        s.Include(ssAlt);
    if (GetAsyncKeyState(VK_CONTROL) < 0)
        s.Include(ssCtrl);
    return s;
}

}  // namespace

const TEnumInfo BalloonIconKindInfo{"TBalloonIconKind", {"bikNone", "bikInfo", "bikWarning", "bikError"}};

UINT TaskbarCreatedMessage() { return gTaskbarCreated; }

// ---- TTrayIconHandler ----

const TClassInfo& TTrayIconHandler::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTrayIconHandler>("TTrayIconHandler", &TObject::StaticClass()).Build();
    return info;
}

void TTrayIconHandler::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case TrayCallbackMessage:
        m.Result = 0;
        if (TTrayIcon* icon = Find(static_cast<UINT>(m.WParam)))
            icon->HandleCallback(m.LParam);
        return;
    case WM_TRAY_REHOOK:
        m.Result = 0;
        if (TTrayIcon* icon = Find(static_cast<UINT>(m.WParam)))
            icon->HookForm();
        return;
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY:
        m.Result = 1;
        return;
    default:
        m.Result = DefWindowProcA(Handle(), m.Msg, m.WParam, m.LParam);
    }
}

TTrayIconHandler* TrayIconHandler() { return TTrayIconHandler::Instance(); }

void AcquireTrayIconHandler() { TTrayIconHandler::Acquire(); }

void ReleaseTrayIconHandler() { TTrayIconHandler::Release(); }

// ---- TTrayIcon: class and life ----

const TClassInfo& TTrayIcon::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TTrayIcon>("TTrayIcon", &TComponent::StaticClass())
            .Creatable()
            .Prop("DesignPreview", &TTrayIcon::DesignPreview, &TTrayIcon::SetDesignPreview)
            .ComponentProp<TCustomImageList>("IconList", &TTrayIcon::IconList, &TTrayIcon::SetIconList)
            .Prop("CycleIcons", &TTrayIcon::CycleIcons, &TTrayIcon::SetCycleIcons)
            .Prop<int>("CycleInterval", &TTrayIcon::CycleInterval, &TTrayIcon::SetCycleInterval)
            .Prop("Enabled", &TTrayIcon::Enabled, &TTrayIcon::SetEnabled)
            .Prop("Hint", &TTrayIcon::Hint, &TTrayIcon::SetHint)
            .Prop("ShowHint", &TTrayIcon::ShowHint, &TTrayIcon::SetShowHint)
            .ObjectProp<TIcon>("Icon", &TTrayIcon::Icon, &TTrayIcon::SetIcon)
            .Prop("IconVisible", &TTrayIcon::IconVisible, &TTrayIcon::SetIconVisible)
            .Prop("IconIndex", &TTrayIcon::IconIndex, &TTrayIcon::SetIconIndex)
            .ComponentProp<TPopupMenu>("PopupMenu", &TTrayIcon::PopupMenu, &TTrayIcon::SetPopupMenu)
            .Prop("LeftPopup", &TTrayIcon::LeftPopup, &TTrayIcon::SetLeftPopup)
            .Prop("WantEnterExitEvents", &TTrayIcon::WantEnterExitEvents, &TTrayIcon::SetWantEnterExitEvents)
            .Prop("MinimizeToTray", &TTrayIcon::MinimizeToTray, &TTrayIcon::SetMinimizeToTray)
            .Event("OnClick", &TTrayIcon::OnClick)
            .Event("OnDblClick", &TTrayIcon::OnDblClick)
            .Event("OnMouseEnter", &TTrayIcon::OnMouseEnter)
            .Event("OnMouseExit", &TTrayIcon::OnMouseExit)
            .Event("OnMinimizeToTray", &TTrayIcon::OnMinimizeToTray)
            .Event("OnBalloonHintShow", &TTrayIcon::OnBalloonHintShow)
            .Event("OnBalloonHintHide", &TTrayIcon::OnBalloonHintHide)
            .Event("OnBalloonHintTimeout", &TTrayIcon::OnBalloonHintTimeout)
            .Event("OnBalloonHintClick", &TTrayIcon::OnBalloonHintClick)
            .Event("OnMouseDown", &TTrayIcon::OnMouseDown)
            .Event("OnMouseUp", &TTrayIcon::OnMouseUp)
            .Event("OnMouseMove", &TTrayIcon::OnMouseMove)
            .Event("OnCycle", &TTrayIcon::OnCycle)
            .Event("OnStartup", &TTrayIcon::OnStartup)
            .Build();
    return info;
}

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner)
{
    TTrayIconHandler& handler = TTrayIconHandler::Acquire();
    try {
        FIconData.cbSize = TrayIconDataSize;
        FIconData.hWnd = handler.Handle();
        FIconData.uID = handler.Add(this);
        FIconData.uFlags = TrayIconFlags;
        FIconData.uCallbackMessage = TrayCallbackMessage;

        FIcon = std::make_unique<TIcon>();
        FIcon->OnChange = TNotifyEvent(this, &TTrayIcon::IconChanged);
        FIconCycleTimer = std::make_unique<TSimpleTimer>(1000, TNotifyEvent(this, &TTrayIcon::IconCycleTimerProc));
        FClickDelayTimer = std::make_unique<TSimpleTimer>(1000, TNotifyEvent(this, &TTrayIcon::ClickDelayTimerProc));
        FMouseExitPollTimer = std::make_unique<TSimpleTimer>(20, TNotifyEvent(this, &TTrayIcon::MouseExitPollTimerProc));
        FMouseExited = true;
        SetDesignPreview(FDesignPreview);

        if (!Designing()) {
            if (Application) {
                Application->HookMainWindow(TWindowHook(this, &TTrayIcon::HookAppProc));
                FAppHooked = true;
            }
            HookForm();
        }
    } catch (...) {
        if (FAppHooked && Application)
            Application->UnhookMainWindow(TWindowHook(this, &TTrayIcon::HookAppProc));
        FFormHook.Restore();
        handler.Remove(FIconData.uID);
        ReleaseTrayIconHandler();
        throw;
    }
}

TTrayIcon::~TTrayIcon()
{
    try {
        SetIconVisible(false);
        SetDesignPreview(false);
    } catch (...) {
        HandleCurrentException(nullptr);
    }
    FClickDelayTimer.reset();
    FIconCycleTimer.reset();
    FMouseExitPollTimer.reset();
    try {
        FIcon.reset();
    } catch (const Exception&) {
        // A toolkit error from freeing the icon must not stop the rest of the clean-up.
    }
    if (FAppHooked && Application)
        Application->UnhookMainWindow(TWindowHook(this, &TTrayIcon::HookAppProc));
    UnhookForm();
    if (auto* h = TrayIconHandler())
        h->Remove(FIconData.uID);
    ReleaseTrayIconHandler();
}

void TTrayIcon::Loaded()
{
    inherited::Loaded();
    if (OwnerControl() && !Designing()) {
        bool showMainForm = true;
        Fire(OnStartup, this, showMainForm);
        if (!showMainForm) {
            if (Application)
                Application->SetShowMainForm(false);
            HideMainForm();
        }
    }
    ModifyIcon();
    SetIconVisible(FIconVisible);
    SetCycleIcons(FCycleIcons);
    SetWantEnterExitEvents(FWantEnterExitEvents);
    SetNotifyVersion(FNotifyVersion);
}

void TTrayIcon::Notification(TComponent* c, TOperation op)
{
    inherited::Notification(c, op);
    if (ReferenceGone(FIconList, c, op))
        SetIconList(nullptr);
    ReferenceGone(FPopupMenu, c, op);
}

bool TTrayIcon::Alive(UINT id)
{
    auto* h = TrayIconHandler();
    return h && h->Find(id) != nullptr;
}

TWinControl* TTrayIcon::OwnerControl() const { return As<TWinControl>(Owner()); }

// ---- properties ----

void TTrayIcon::SetDesignPreview(bool v)
{
    FDesignPreview = v;
    if (!Designing())
        return;
    TScopedFlag guard(FPreviewGuard);
    if (v && FIcon->Empty() && LoadDefaultIcon()) {
        HICON shared = LoadIconA(nullptr, MAKEINTRESOURCEA(0x7F05));
        if (HICON copy = shared ? CopyIcon(shared) : nullptr)
            FIcon->SetHandle(copy);
    }
    if (v)
        ShowIcon();
    else
        HideIcon();
}

void TTrayIcon::SetIconList(TCustomImageList* v)
{
    SetReference(FIconList, v);
    SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool v)
{
    FCycleIcons = v;
    if (v) {
        SetIconIndex(0);
        FIconCycleTimer->SetInterval(FCycleInterval);
        FIconCycleTimer->SetEnabled(true);
    } else {
        FIconCycleTimer->SetEnabled(false);
    }
}

void TTrayIcon::SetHint(const String& v)
{
    FHint = v;
    ModifyIcon();
}

void TTrayIcon::SetShowHint(bool v)
{
    FShowHint = v;
    ModifyIcon();
}

void TTrayIcon::SetIcon(TIcon* v)
{
    ApplyIcon(v);
    ModifyIcon();
}

// Copies an icon into the owned one without its change handler: the caller modifies once.
void TTrayIcon::ApplyIcon(TIcon* source)
{
    TNotifyEvent changed = std::exchange(FIcon->OnChange, TNotifyEvent());
    try {
        FIcon->Assign(source);
    } catch (...) {
        FIcon->OnChange = changed;
        throw;
    }
    FIcon->OnChange = changed;
}

void TTrayIcon::CopyImage(int index)
{
    TIcon image;
    FIconList->GetIcon(index, image);
    ApplyIcon(&image);
}

void TTrayIcon::SetIconVisible(bool v)
{
    if (v)
        ShowIcon();
    else
        HideIcon();
}

void TTrayIcon::SetIconIndex(int v)
{
    // An empty list has no image to show: the icon stays as it is, at index 0. A negative
    // index counts as the first image.
    FIconIndex = 0;
    if (FIconList && FIconList->Count() > 0) {
        FIconIndex = std::clamp(v, 0, FIconList->Count() - 1);
        CopyImage(FIconIndex);
    }
    ModifyIcon();
}

void TTrayIcon::SetPopupMenu(TPopupMenu* v) { SetReference(FPopupMenu, v); }

void TTrayIcon::SetWantEnterExitEvents(bool v)
{
    FWantEnterExitEvents = v;
    FMouseExitPollTimer->SetEnabled(v);
}

void TTrayIcon::IconChanged(TObject*) { ModifyIcon(); }

// ---- the shell ----

bool TTrayIcon::PrepareIconData()
{
    if (Designing() && !FDesignPreview)
        return false;
    FIconData.hIcon = FIcon ? FIcon->Handle() : nullptr;
    CopyField(FIconData.szTip, FShowHint ? FHint : String(), TrayTipLength);
    return true;
}

bool TTrayIcon::Notify(DWORD message) { return Shell_NotifyIconA(message, &FIconData) != FALSE; }

bool TTrayIcon::ShowIcon()
{
    if (!FPreviewGuard)
        FIconVisible = true;
    PrepareIconData();
    if (Designing() && !FPreviewGuard)
        return false;
    return Notify(NIM_ADD);
}

bool TTrayIcon::HideIcon()
{
    if (!FPreviewGuard)
        FIconVisible = false;
    PrepareIconData();
    if (Designing() && !FPreviewGuard)
        return false;
    return Notify(NIM_DELETE);
}

bool TTrayIcon::ModifyIcon()
{
    if (!PrepareIconData())
        return false;
    return Notify(NIM_MODIFY);
}

void TTrayIcon::SetNotifyVersion(int version)
{
    FIconData.uVersion = version == 1 ? NOTIFYICON_VERSION : 0;
    Notify(NIM_SETVERSION);
}

bool TTrayIcon::HideBalloonHint()
{
    FIconData.uFlags |= NIF_INFO;
    FIconData.szInfo[0] = '\0';
    bool result = ModifyIcon();
    // Later modifications must not send the empty balloon again.
    FIconData.uFlags &= ~NIF_INFO;
    return result;
}

bool TTrayIcon::ShowBalloonHint(const String& title, const String& text, TBalloonIconKind iconKind,
                                uint8_t timeoutSeconds)
{
    HideBalloonHint();
    FIconData.uFlags |= NIF_INFO;
    CopyField(FIconData.szInfo, text, TrayBalloonTextLength);
    CopyField(FIconData.szInfoTitle, title, TrayBalloonTitleLength);
    FIconData.uTimeout = timeoutSeconds * 1000u;
    FIconData.dwInfoFlags = static_cast<DWORD>(iconKind);
    bool result = ModifyIcon();
    FIconData.uFlags = TrayIconFlags;
    return result;
}

// ---- callbacks from the shell ----

void TTrayIcon::HandleCallback(LPARAM event)
{
    switch (event) {
    case NIN_BALLOONSHOW:
        return FireBalloonEvent(OnBalloonHintShow);
    case NIN_BALLOONHIDE:
        return FireBalloonEvent(OnBalloonHintHide);
    case NIN_BALLOONTIMEOUT:
        return FireBalloonEvent(OnBalloonHintTimeout);
    case NIN_BALLOONUSERCLICK:
        return FireBalloonEvent(OnBalloonHintClick);
    default:
        break;
    }
    if (!FEnabled)
        return;
    const UINT id = Id();
    POINT p{};
    GetCursorPos(&p);
    TShiftState shift = AsyncShiftState();
    switch (event) {
    case WM_MOUSEMOVE:
        if (FWantEnterExitEvents && FMouseExited) {
            MouseEnter();
            if (!Alive(id))
                return;
            FMouseExited = false;
        }
        MouseMove(shift, p.x, p.y);
        if (Alive(id))
            FLastMousePos = p;
        return;
    case WM_LBUTTONDOWN:
        return LeftButtonDown(shift + TShiftState{ssLeft}, p);
    case WM_LBUTTONUP:
        return LeftButtonUp(shift + TShiftState{ssLeft}, p);
    case WM_LBUTTONDBLCLK:
        return LeftButtonDblClick();
    case WM_RBUTTONDOWN:
        return RightButtonDown(shift + TShiftState{ssRight}, p);
    case WM_RBUTTONUP:
        return MouseUp(mbRight, shift + TShiftState{ssRight}, p.x, p.y);
    case WM_MBUTTONDOWN:
        return MouseDown(mbMiddle, shift + TShiftState{ssMiddle}, p.x, p.y);
    case WM_MBUTTONUP:
        return MouseUp(mbMiddle, shift + TShiftState{ssMiddle}, p.x, p.y);
    default:
        return;
    }
}

void TTrayIcon::FireBalloonEvent(const TNotifyEvent& event)
{
    TNotifyEvent e = event;
    Fire(e, this);
}

bool TTrayIcon::PopupAllowed() const { return FPopupMenu && FPopupMenu->AutoPopup(); }

void TTrayIcon::LeftButtonDown(TShiftState shift, POINT p)
{
    const UINT id = Id();
    if (OnDblClick) {
        FClickDelayTimer->SetInterval(GetDoubleClickTime());
        FClickDelayTimer->SetEnabled(true);
    }
    MouseDown(mbLeft, shift, p.x, p.y);
    if (!Alive(id))
        return;
    FLeftDown = true;
    if (FLeftPopup && PopupAllowed()) {
        SetForegroundWindow(FIconData.hWnd);
        PopupAtCursor();
    }
}

void TTrayIcon::LeftButtonUp(TShiftState shift, POINT p)
{
    const UINT id = Id();
    if (FLeftDown) {
        FClickPending = true;
        if (!FClickDelayTimer->Enabled()) {
            FLeftDown = false;
            FClickPending = false;
            Click();
            if (!Alive(id))
                return;
        }
    }
    FLeftDown = false;
    MouseUp(mbLeft, shift, p.x, p.y);
}

void TTrayIcon::LeftButtonDblClick()
{
    FClickPending = false;
    FDblClickSeen = true;
    const UINT id = Id();
    DblClick();
    if (Alive(id) && PopupAllowed() && !FLeftPopup)
        ClickDefaultItem();
}

void TTrayIcon::ClickDefaultItem()
{
    TMenuItem* items = FPopupMenu->Items();
    for (int i = 0; i < items->Count(); ++i)
        if (items->Items(i)->Default()) {
            items->Items(i)->Click();
            return;
        }
}

void TTrayIcon::RightButtonDown(TShiftState shift, POINT p)
{
    const UINT id = Id();
    MouseDown(mbRight, shift, p.x, p.y);
    if (Alive(id) && PopupAllowed()) {
        SetForegroundWindow(FIconData.hWnd);
        PopupAtCursor();
    }
}

// ---- timers ----

void TTrayIcon::ClickDelayTimerProc(TObject*)
{
    FClickDelayTimer->SetEnabled(false);
    if (!FDblClickSeen && FClickPending) {
        FClickPending = false;
        const UINT id = Id();
        Click();
        if (!Alive(id))
            return;
    }
    FDblClickSeen = false;
}

void TTrayIcon::IconCycleTimerProc(TObject*)
{
    if (!FIconList || FIconList->Count() == 0)
        return;
    int index = std::clamp(FIconIndex, 0, FIconList->Count() - 1);
    CopyImage(index);
    int next = index >= FIconList->Count() - 1 ? 0 : index + 1;
    const UINT id = Id();
    CycleIcon(next);
    if (Alive(id))
        SetIconIndex(next);
}

void TTrayIcon::MouseExitPollTimerProc(TObject*)
{
    if (FMouseExited)
        return;
    POINT p{};
    if (!GetCursorPos(&p) || (p.x == FLastMousePos.x && p.y == FLastMousePos.y))
        return;
    FMouseExited = true;
    MouseExit();
}

// ---- the popup menu ----

void TTrayIcon::PopupAtCursor()
{
    POINT p{};
    if (GetCursorPos(&p))
        PopupMenuAt(p.x, p.y);
}

void TTrayIcon::PopupMenuAt(int x, int y)
{
    if (!FPopupMenu)
        return;
    // The foreground window owns the menu's loop: without it the menu would not close when the
    // user clicks elsewhere.
    const UINT id = Id();
    SetForegroundWindow(FIconData.hWnd);
    if (Application)
        Application->ProcessMessages();
    if (!Alive(id) || !FPopupMenu)
        return;
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(x, y);
    if (!Alive(id))
        return;
    if (TWinControl* owner = OwnerControl(); owner && owner->HandleAllocated())
        PostMessageA(owner->WindowHandle(), WM_NULL, 0, 0);
}

// ---- the main form ----

bool TTrayIcon::CanActOnMainForm() const { return OwnerControl() && Application && Application->MainForm(); }

void TTrayIcon::HideTaskbarIcon()
{
    if (!Application)
        return;
    HWND app = Application->Handle();
    if (IsWindowVisible(app))
        ShowWindow(app, SW_HIDE);
}

void TTrayIcon::HideMainForm()
{
    if (!CanActOnMainForm())
        return;
    Application->MainForm()->Hide();
    HideTaskbarIcon();
}

void TTrayIcon::RestoreMainForm()
{
    if (!CanActOnMainForm())
        return;
    Application->Restore();
    TCustomForm* form = Application->MainForm();
    if (form->WindowState() == wsMinimized)
        form->SetWindowState(wsNormal);
    form->Show();
    SetForegroundWindow(Application->Handle());
}

void TTrayIcon::DoMinimizeToTray()
{
    HideMainForm();
    SetIconVisible(true);
}

// ---- hooks ----

bool TTrayIcon::HookAppProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_SIZE:
        if (m.WParam == SIZE_MINIMIZED && FMinimizeToTray)
            DoMinimizeToTray();
        break;
    case WM_WINDOWPOSCHANGED:
        if (FFirstWindowPosChange && Application->MainForm()) {
            if (Application->MainForm()->FormStyle() == fsMDIForm) {
                bool showMainForm = true;
                Fire(OnStartup, this, showMainForm);
                if (!showMainForm)
                    HideTaskbarIcon();
            }
            FFirstWindowPosChange = false;
        }
        break;
    case WM_SYSCOMMAND:
        if ((m.WParam & 0xFFF0) == SC_RESTORE && Application->MainForm()) {
            TCustomForm* form = Application->MainForm();
            if (form->WindowState() == wsMinimized)
                form->SetWindowState(wsNormal);
            form->Show();
        }
        break;
    default:
        break;
    }
    if (gTaskbarCreated != 0 && m.Msg == gTaskbarCreated && FIconVisible)
        ShowIcon();
    return false;
}

void TTrayIcon::HookForm()
{
    TWinControl* owner = OwnerControl();
    if (!owner || FFormHook.Installed() || owner->Destroying())
        return;
    FFormHook.Install(owner->Handle(), TWndMethod(this, &TTrayIcon::HookFormProc), false);
}

void TTrayIcon::UnhookForm() { FFormHook.Restore(); }

void TTrayIcon::HookFormProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_SHOWWINDOW:
        if (m.WParam == 1 && m.LParam == 0) {
            if (Application)
                SetForegroundWindow(Application->Handle());
            SetForegroundWindow(FFormHook.Window());
        } else if (m.WParam == 0 && m.LParam == SW_PARENTCLOSING && Application && !Application->Terminated()) {
            return DoMinimizeCheck(m);
        }
        break;
    case WM_SYSCOMMAND:
        if ((m.WParam & 0xFFF0) == SC_MINIMIZE)
            return DoMinimizeCheck(m);
        break;
    case WM_NCDESTROY: {
        // The form's window goes. When the form itself stays (its window is being re-created),
        // hook its next window; a hidden form gets that window now rather than unhooked later.
        const UINT id = Id();
        m.Result = FFormHook.CallOld(m);
        if (!Alive(id))
            return;
        FFormHook.Restore();
        TWinControl* owner = OwnerControl();
        if (owner && !owner->Destroying() && TrayIconHandler())
            PostMessageA(TrayIconHandler()->Handle(), WM_TRAY_REHOOK, FIconData.uID, 0);
        return;
    }
    default:
        break;
    }
    m.Result = FFormHook.CallOld(m);
}

void TTrayIcon::DoMinimizeCheck(TMessage& m)
{
    if (FMinimizeToTray && OnMinimizeToTray) {
        const UINT id = Id();
        Fire(OnMinimizeToTray, this);
        if (!Alive(id))
            return;
        DoMinimizeToTray();
        m.Result = 1;
        return;
    }
    m.Result = FFormHook.CallOld(m);
}

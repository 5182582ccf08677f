// The application object: the hidden application window, the message loop, the error box, the
// main-window hooks and the hints; the module's Application and Screen.
#include <algorithm>

#include "apphooks.h"
#include "comctrls.h"
#include "timer.h"
#include "extctrls.h"
#include "formfile.h"
#include "forms.h"
#include "stdctrls.h"
#include "winstyle.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;
constexpr int kHintOffsetY = 20;  // below the cursor

TComponent* FindGlobalForm(std::string_view name)
{
    if (!Screen)
        return nullptr;
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (SameText(Screen->Forms(i)->Name(), name))
            return Screen->Forms(i);
    return nullptr;
}

// Creates the module's application and screen when the module loads; no window is made here,
// so this is safe inside a library's start-up. Freeing them is DoneApplication's work: at the
// module's end other modules' objects may already be gone, so nothing is freed then.
struct TModuleApplication {
    TModuleApplication()
    {
        Screen = new TScreen(nullptr);
        Application = new TApplication(nullptr);
        SetFindGlobalComponent(&FindGlobalForm);
    }
} gModuleApplication;

// The text a control shows as its hint: its own, or the nearest parent's.
String HintOf(const TControl* c)
{
    for (; c; c = c->Parent())
        if (!c->Hint().empty())
            return c->Hint();
    return String();
}

void RegisterCursorIdents()
{
    static const struct {
        const char* Name;
        TCursor Value;
    } cursors[] = {
        {"crDefault", crDefault}, {"crNone", crNone}, {"crArrow", crArrow}, {"crCross", crCross},
        {"crIBeam", crIBeam}, {"crSizeNESW", crSizeNESW}, {"crSizeNS", crSizeNS}, {"crSizeNWSE", crSizeNWSE},
        {"crSizeWE", crSizeWE}, {"crUpArrow", crUpArrow}, {"crHourGlass", crHourGlass}, {"crDrag", crDrag},
        {"crNoDrop", crNoDrop}, {"crHSplit", crHSplit}, {"crVSplit", crVSplit}, {"crMultiDrag", crMultiDrag},
        {"crSQLWait", crSQLWait}, {"crNo", crNo}, {"crAppStart", crAppStart}, {"crHelp", crHelp},
        {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll},
    };
    for (const auto& c : cursors)
        RegisterIdentConst(c.Name, c.Value);
}

}  // namespace

void RegisterStandardClasses()
{
    RegisterGraphicsClasses();
    RegisterCursorIdents();
    RegisterClasses({&TForm::StaticClass(), &TButton::StaticClass(), &TLabel::StaticClass(), &TPanel::StaticClass(),
                     &TEdit::StaticClass(), &TCheckBox::StaticClass(), &TTimer::StaticClass()});
    RegisterExtControlClasses();
    RegisterCommonControls();
}

void DoneApplication()
{
    TApplication* app = Application;
    TScreen* screen = Screen;
    if (app)
        app->Free();
    Application = nullptr;
    if (screen)
        screen->Free();
    Screen = nullptr;
}

void HandleCurrentException(TObject* sender) noexcept
{
    try {
        if (Application) {
            Application->HandleException(sender);
            return;
        }
        try {
            throw;
        } catch (const std::exception& e) {
            OutputDebugStringA(e.what());
        }
    } catch (...) {
        // Nothing may leave a Win32 callback, not even a failing error box.
    }
}

LRESULT CALLBACK AppWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TApplication* app = Application;
    if (!app)
        return DefWindowProcA(wnd, msg, wParam, lParam);
    if (!app->FHandle)
        app->FHandle = wnd;
    TMessage m{msg, wParam, lParam, 0};
    try {
        app->WndProc(m);
    } catch (...) {
        HandleCurrentException(app);
    }
    if (msg == WM_NCDESTROY && app->FHandle == wnd)
        app->FHandle = nullptr;
    return m.Result;
}

// ---------------------------------------------------------------- TApplication

const TClassInfo& TApplication::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TApplication>("TApplication", &TComponent::StaticClass()).Build();
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner)
{
    String exe = ExeName();
    String name = ExtractFileName(exe);
    String ext = ExtractFileExt(name);
    FTitle = name.substr(0, name.size() - ext.size());
}

TApplication::~TApplication()
{
    if (FHandle)
        DestroyWindow(FHandle);
}

void TApplication::BeforeDestruction()
{
    if (Destroying())
        return;
    CancelHint();
    FMainForm = nullptr;
    TComponent::BeforeDestruction();  // the forms, while the application window still owns them
    FHintWindow = nullptr;
    if (FHandle) {
        HWND h = FHandle;
        FHandle = nullptr;
        DestroyWindow(h);
    }
}

void TApplication::Initialize()
{
    if (FInitialized)
        return;
    FInitialized = true;
    RegisterStandardClasses();
    Handle();
}

HWND TApplication::Handle()
{
    if (!FHandle)
        CreateHandle();
    return FHandle;
}

void TApplication::CreateHandle()
{
    static const char* const kClass = "TApplication";
    WNDCLASSA existing{};
    if (!GetClassInfoA(ModuleInstance(), kClass, &existing)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &AppWndProc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        if (!RegisterClassA(&wc))
            throw EOutOfResources("Cannot register the application window class");
    }
    // A zero-sized window at the screen's centre: invisible, yet it owns the taskbar button.
    HWND h = CreateWindowExA(0, kClass, FTitle.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                             GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                             nullptr, ModuleInstance(), nullptr);
    if (!h)
        throw EOutOfResources("Cannot create the application window: error " + IntToStr(GetLastError()));
    FHandle = h;
}

void TApplication::SetTitle(const String& v)
{
    FTitle = v;
    if (FHandle)
        SetWindowTextA(FHandle, v.c_str());
}

String TApplication::ExeName() const
{
    char buf[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return String(buf, std::min<DWORD>(n, sizeof buf));
}

TIcon* TApplication::Icon() const
{
    if (!FIcon) {
        auto* self = const_cast<TApplication*>(this);
        self->FIcon = std::make_unique<TIcon>();
        // The module's own icon, else the program's.
        HANDLE icon = LoadImageA(ModuleInstance(), "MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
        if (!icon)
            icon = LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
        if (icon)
            self->FIcon->SetHandle(static_cast<HICON>(icon));
    }
    return FIcon.get();
}

void TApplication::Run()
{
    if (FMainForm && FShowMainForm)
        FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleMessage()
{
    MSG msg;
    if (!ProcessMessage(msg))
        Idle(msg);
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

bool TApplication::ProcessMessage(MSG& msg)
{
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    try {
        if (FHintActive && ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
                            msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
                            msg.message == WM_MBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN))
            CancelHint();
        if (!IsKeyMsg(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } catch (...) {
        HandleException(this);
    }
    TControlCanvas::FreeDeviceContexts();
    return true;
}

void TApplication::Idle(const MSG&)
{
    TControlCanvas::FreeDeviceContexts();
    bool done = true;
    try {
        Fire(OnIdle, this, done);
    } catch (...) {
        HandleException(this);
    }
    if (done)
        WaitMessage();
}

bool TApplication::IsKeyMsg(MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR &&
        msg.message != WM_SYSCHAR)
        return false;
    // The control of the focused window, or of the nearest parent window that has one.
    TWinControl* c = nullptr;
    for (HWND w = msg.hwnd; w; w = GetParent(w)) {
        if ((c = FindControl(w)))
            break;
        if (!(StyleOf(w) & WS_CHILD))
            break;
    }
    if (!c)
        return false;
    TMessage m{CN_BASE + msg.message, msg.wParam, msg.lParam, 0};
    TWndMethod proc = c->WindowProc;
    proc(m);
    if (m.Result)
        return true;
    msg.wParam = m.WParam;  // a key handler may have changed the key
    return false;
}

void TApplication::HandleException(TObject* sender)
{
    try {
        throw;
    } catch (const Exception& e) {
        if (OnException)
            OnException(sender, e);
        else
            ShowException(e);
    } catch (const std::exception& e) {
        Exception wrapped(e.what());
        if (OnException)
            OnException(sender, wrapped);
        else
            ShowException(wrapped);
    } catch (...) {
        Exception wrapped("Unknown exception");
        if (OnException)
            OnException(sender, wrapped);
        else
            ShowException(wrapped);
    }
}

void TApplication::ShowException(const Exception& e)
{
    if (FHandlingException > 3)
        return;  // an error box that keeps failing must not stack up
    ++FHandlingException;
    HWND owner = GetActiveWindow();
    if (!owner)
        owner = FHandle;
    MessageBoxA(owner, e.Message().c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
    --FHandlingException;
}

void TApplication::HookMainWindow(TWindowHook hook)
{
    if (std::find(FWindowHooks.begin(), FWindowHooks.end(), hook) == FWindowHooks.end())
        FWindowHooks.push_back(hook);
}

void TApplication::UnhookMainWindow(TWindowHook hook)
{
    auto it = std::find(FWindowHooks.begin(), FWindowHooks.end(), hook);
    if (it != FWindowHooks.end())
        FWindowHooks.erase(it);
}

void TApplication::Minimize()
{
    HWND h = Handle();
    if (IsIconic(h))
        return;
    ShowWindow(h, SW_MINIMIZE);
    Fire(OnMinimize, this);
}

void TApplication::Restore()
{
    HWND h = Handle();
    if (!IsIconic(h))
        return;
    ShowWindow(h, SW_RESTORE);
    Fire(OnRestore, this);
    if (FMainForm && FMainForm->HandleAllocated() && IsWindowVisible(FMainForm->WindowHandle()))
        SetForegroundWindow(FMainForm->WindowHandle());
}

void TApplication::BringToFront()
{
    if (FMainForm && FMainForm->HandleAllocated())
        SetForegroundWindow(FMainForm->WindowHandle());
}

void TApplication::MainFormShown()
{
    HWND h = Handle();
    if (!IsWindowVisible(h))
        ShowWindow(h, SW_SHOWNOACTIVATE);
}

void TApplication::WndProc(TMessage& m)
{
    auto hooks = FWindowHooks;  // a hook may unhook itself
    for (auto& hook : hooks)
        if (hook(m))
            return;
    switch (m.Msg) {
    case WM_CLOSE:
        if (FMainForm)
            FMainForm->Close();
        return;
    case WM_SYSCOMMAND:
        switch (m.WParam & 0xFFF0) {
        case SC_MINIMIZE:
            Minimize();
            return;
        case SC_RESTORE:
            Restore();
            return;
        default:
            break;
        }
        break;
    case WM_GETICON:
    case WM_QUERYDRAGICON: {
        TIcon* icon = Icon();
        m.Result = reinterpret_cast<LRESULT>(icon->Empty() ? LoadIconA(nullptr, IDI_APPLICATION) : icon->Handle());
        return;
    }
    case WM_SETFOCUS:
        // The application window has nothing to type into: the main form takes the focus.
        if (FMainForm && FMainForm->HandleAllocated() && IsWindowVisible(FMainForm->WindowHandle()) &&
            IsWindowEnabled(FMainForm->WindowHandle()))
            ::SetFocus(FMainForm->WindowHandle());
        return;
    case WM_ACTIVATEAPP:
        if (m.WParam)
            Fire(OnActivate, this);
        else {
            CancelHint();
            Fire(OnDeactivate, this);
        }
        break;
    case WM_QUERYENDSESSION:
        m.Result = 1;
        return;
    case WM_ENDSESSION:
        if (m.WParam)
            Terminate();
        return;
    case WM_TIMER:
        if (m.WParam == kHintShowTimer || m.WParam == kHintHideTimer) {
            HintTimerExpired(m.WParam);
            return;
        }
        break;
    default:
        break;
    }
    m.Result = DefWindowProcA(FHandle, m.Msg, m.WParam, m.LParam);
}

// ---------------------------------------------------------------- mouse and hints

void TApplication::MouseOver(TControl* c)
{
    if (c == FMouseControl)
        return;
    TControl* old = FMouseControl;
    FMouseControl = c;
    CancelHint();
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
    if (c && FMouseControl == c)
        c->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(c));
    if (FMouseControl != c)
        return;  // a handler moved things on
    String hint = HintOf(c);
    SetHint(GetLongHint(hint));
    if (c && FShowHint && c->ShowHint() && !GetShortHint(hint).empty()) {
        FHintControl = c;
        SetTimer(Handle(), kHintShowTimer, static_cast<UINT>(std::max(FHintPause, 1)), nullptr);
    }
}

void TApplication::SetHint(const String& v)
{
    if (v == FHint)
        return;
    FHint = v;
    Fire(OnHint, this);
}

void TApplication::SetShowHint(bool v)
{
    FShowHint = v;
    if (!v)
        CancelHint();
}

void TApplication::CancelHint()
{
    if (FHandle) {
        KillTimer(FHandle, kHintShowTimer);
        KillTimer(FHandle, kHintHideTimer);
    }
    if (FHintActive && FHintWindow)
        FHintWindow->ReleaseHandle();
    FHintActive = false;
    FHintControl = nullptr;
}

void TApplication::HintTimerExpired(UINT_PTR id)
{
    KillTimer(FHandle, id);
    if (id == kHintHideTimer) {
        if (FHintWindow)
            FHintWindow->ReleaseHandle();
        FHintActive = false;
        return;
    }
    if (FHintControl && FHintControl == FMouseControl)
        ActivateHint();
}

void TApplication::ActivateHint()
{
    String text = GetShortHint(HintOf(FHintControl));
    if (!FHintWindow)
        FHintWindow = new THintWindow(this);
    FHintWindow->SetColor(FHintColor);
    TRect r = FHintWindow->CalcHintRect(Screen ? Screen->Width() : 640, text, nullptr);
    POINT p{0, 0};
    GetCursorPos(&p);
    OffsetRect(&r, p.x, p.y + kHintOffsetY);
    FHintWindow->ActivateHint(r, text);
    FHintActive = true;
    SetTimer(FHandle, kHintHideTimer, static_cast<UINT>(std::max(FHintHidePause, 1)), nullptr);
}

void TApplication::SetCaptureControl(TControl* c)
{
    if (!c) {
        FCaptureControl = nullptr;
        ReleaseCapture();
        return;
    }
    if (HWND w = c->PaintWindowHandle())
        SetCapture(w);
    FCaptureControl = c;
}

void TApplication::CaptureLost(TWinControl* w)
{
    TControl* c = FCaptureControl;
    if (!c || c->Parent() != w)
        return;
    FCaptureControl = nullptr;
    c->Perform(CM_CANCELMODE);
}

void TApplication::ControlGone(TControl* c)
{
    if (FMouseControl == c)
        FMouseControl = nullptr;
    if (FHintControl == c)
        CancelHint();
    if (FCaptureControl == c) {
        FCaptureControl = nullptr;
        ReleaseCapture();
    }
    if (c == FMainForm)
        FMainForm = nullptr;
    if (c == FHintWindow) {
        FHintWindow = nullptr;
        FHintActive = false;
    }
}

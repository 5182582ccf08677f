// The skinned window: attaching to a window, the data it keeps, and what its object frees.
#include "skinform.h"

#include <algorithm>

#include "skinhelpers.h"
#include "skinmanager.h"
#include "skinmessages.h"
#include "winstyle.h"

namespace {

// NONCLIENTMETRICS as older systems know it (without iPaddedBorderWidth).
constexpr UINT OldNonClientMetricsSize = 340;

}  // namespace

String WindowClassName(HWND wnd)
{
    char name[101] = {};
    int n = GetClassNameA(wnd, name, sizeof name);
    return String(name, n > 0 ? static_cast<size_t>(n) : 0);
}

String GetWindowTextAnsi(HWND wnd)
{
    char text[1001] = {};
    LRESULT n = SendMessageA(wnd, WM_GETTEXT, 1000, reinterpret_cast<LPARAM>(text));
    return String(text, static_cast<size_t>(std::clamp<LRESULT>(n, 0, 1000)));
}

std::wstring GetWindowTextWide(HWND wnd)
{
    if (!SkinPlatform().NTPlatform)
        return StrToWide(GetWindowTextAnsi(wnd));
    int length = GetWindowTextLengthW(wnd);
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int n = GetWindowTextW(wnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::clamp(n, 0, length)));
    return text;
}

const TClassInfo& TSkinForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinForm>("TSkinForm", &TComponent::StaticClass()).Build();
    return info;
}

TSkinForm::TSkinForm(TComponent* owner) : TComponent(owner), FDoubleClickTime(GetDoubleClickTime())
{
    CreateCaptionFont();
}

TSkinForm::~TSkinForm() { ReleaseAll(); }

void TSkinForm::BeforeDestruction()
{
    ReleaseAll();
    TComponent::BeforeDestruction();
}

void TSkinForm::Release(bool unskin)
{
    FBusy.Release([this, unskin] {
        TOwnedObject<TSkinForm> self(this);  // freed also when giving back fails
        if (unskin && FLifeState < lsDestroying && IsWindow(Window)) {
            Unskin();
            InvalidateWindow();
        } else {
            Detach();
        }
    });
}

// A skin object that goes never leaves its procedures in a window it leaves behind.
void TSkinForm::ReleaseAll()
{
    FreeSkinControls();
    DetachProcedures();  // the owner may be going: its colour and menus are not touched here
    UnhookMDIClient();
    // Once more: a repaint while the window was given back may have attached another skin.
    FreeSkinControls();
    ClearButtons();
    FreeMenuBar();
    FreeSystemMenu();
    if (FSkinData)
        FSkinData->HideCaptionHint();
    FHoverTimer.Reset();
    if (TSkinManage* manager = SkinManager())
        manager->RemoveForm(this);
}

void TSkinForm::CreateCaptionFont()
{
    FCaptionFont = std::make_unique<TFont>();
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = OldNonClientMetricsSize;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        FCaptionFont->SetHandle(CreateFontIndirectA(&metrics.lfCaptionFont));
}

// ---------------------------------------------------------------- attaching

void TSkinForm::AttachForm(TSkinData* data, TWinControl* control)
{
    FControl = control;
    if (data->OnBeforeSkinForm)
        data->OnBeforeSkinForm(control, Window, WindowClass);
    if (data->SkinControls().Contains(xcMenuItem) && HasProp(control, "AutoScroll"))
        SetPropText(control, "AutoScroll", "False");
    Attach(data);
    if (FFrameSkinned)
        ChainWindowProc();
    FSavedColor = control->Color();
    control->SetColor(data->FColors[scButtonFace]);
    FColorApplied = true;
    if (data->SkinControls().Contains(xcMenuItem))
        SetMainMenusOwnerDraw(control, true);
}

void TSkinForm::Attach(TSkinData* data)
{
    if (Attached())
        return;
    TSkinManage* manager = SkinManager();
    if (manager)
        manager->SetRunState(TSkinManage::rsRunning);
    FSkinData = data;
    FHoverTimer.Reset(new TTimer(nullptr));
    FHoverTimer->SetEnabled(false);
    FHoverTimer->SetInterval(250);
    FHoverTimer->SetOnTimer(TNotifyEvent(this, &TSkinForm::HoverTimer));
    FFrameSkinned = data->SkinControls().Contains(xcMainMenu);
    ReadStyles();
    UpdatePlacementState();
    FSizeable = (FSavedStyle & WS_THICKFRAME) != 0;
    FindMDIRole();
    const DWORD exStyle = ExStyleOf(Window);
    ReadBorderKind(exStyle);

    const TWinVersion version = SkinVersion();
    if (version.Major >= 5 && version.Minor == 0) {
        if ((exStyle & WS_EX_APPWINDOW) && version.NT)
            FIconFlags |= ifKeepSysMenu;
        if (!FOwnerWindow && FMDIRole != mdiChild)
            FIconFlags |= ifKeepSysMenu;
    }

    FUnicode = IsWindowUnicode(Window) != FALSE;
    FDialog = false;
    if (FOwnClassName == "#32770" || FOwnClassName == "TMessageForm") {
        // A dialog gets the dialog frame, but one without a caption is not given one.
        if (FBorderKind != bkNoCaption)
            FBorderKind = bkDialog;
        FDialog = true;
    }
    if (SkinIsWin9x())
        data->SetSkinControls(data->SkinControls() - TSkinControlTypes{xcSystemMenu});
    if (FMDIRole == mdiFrame) {
        FMenuUpdate = data->MenuUpdate();
        HookMDIClient();
    }
    FProc.Install(Window, TWndMethod(this, &TSkinForm::WndProc), FUnicode);

    if (FFrameSkinned) {
        FMenuHandle = GetMenu(Window);
        if (FMenuHandle && FMDIRole != mdiChild)
            MakeMenuBar();
        UpdateFrameMetrics();
    } else {
        FLifeState = lsSkinned;
    }
    if (FMDIRole == mdiChild) {
        const int native = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (native > FMetrics.Caption)
            FMetrics.Menu = native - FMetrics.Caption;
        if (FSizeState == ssMaximized && manager && !manager->MDIChildMaximized)
            manager->SetMDIMaximized(true);
    }
}

void TSkinForm::ReadStyles()
{
    FSavedStyle = StyleOf(Window);
    const DWORD exStyle = ExStyleOf(Window);
    FRightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    FChild = (FSavedStyle & WS_CHILD) != 0;
    FOwnClassName = WindowClassName(Window);
    FOwnerWindow = GetWindow(Window, GW_OWNER);
    FIconFlags = 0;
    if (FSavedStyle & WS_SYSMENU)
        FIconFlags |= ifSysMenu;
    if (FSavedStyle & WS_MINIMIZEBOX)
        FIconFlags |= ifMinimize;
    if (FSavedStyle & WS_MAXIMIZEBOX)
        FIconFlags |= ifMaximize;
    if (exStyle & WS_EX_CONTEXTHELP)
        FIconFlags |= ifHelp;
}

// The MDI role: a frame has an "MDIClient" child, a child the extended style.
void TSkinForm::FindMDIRole()
{
    FindMDIClient();
    if (ExStyleOf(Window) & WS_EX_MDICHILD) {
        FMDIRole = mdiChild;
        if (FSkinData->Options().Contains(xoMDIChildBorder))
            FFrameSkinned = false;
    }
}

void TSkinForm::ReadBorderKind(DWORD exStyle)
{
    FBorderKind = bkFixed;
    if ((FSavedStyle & WS_CAPTION) != WS_CAPTION)
        FBorderKind = bkNoCaption;
    else if (FSavedStyle & WS_THICKFRAME)
        FBorderKind = bkSizeable;
    else if (FSavedStyle & DS_MODALFRAME)
        FBorderKind = bkDialog;
    if (exStyle & WS_EX_DLGMODALFRAME)
        FBorderKind = bkDialog;
}

void TSkinForm::ChainWindowProc()
{
    if (FChained || !FControl)
        return;
    FOldWindowProc = FControl->WindowProc;
    FControl->WindowProc = TWndMethod(this, &TSkinForm::FormWindowProc);
    FChained = true;
}

void TSkinForm::UnchainWindowProc()
{
    if (!FChained)
        return;
    FChained = false;
    if (FControl)
        FControl->WindowProc = FOldWindowProc;
    FOldWindowProc = TWndMethod();
}

void TSkinForm::HookMDIClient()
{
    if (FMDIClient && !FClientProc.Installed())
        FClientProc.Install(FMDIClient, TWndMethod(this, &TSkinForm::ClientWndProc), false);
}

void TSkinForm::UnhookMDIClient()
{
    FClientProc.Restore();
    if (TSkinManage* manager = SkinManager())
        manager->ForgetMDIClient(FMDIClient);
}

void TSkinForm::ClearButtons()
{
    for (const TOwnedObject<TWinSysButton>& button : FButtons)
        ForgetHotObject(button.Get());
    FButtons.clear();
}

void TSkinForm::RememberFrameSize()
{
    RECT client{}, window{};
    GetClientRect(Window, &client);
    GetWindowRect(Window, &window);
    FClientRect = client;
    FNativeFrame = TRect(0, 0, (window.right - window.left) - (client.right - client.left),
                         (window.bottom - window.top) - (client.bottom - client.top));
}

// The skinned window: attaching to a window, the data it keeps, and giving everything back.
#include "skinform.h"

#include <algorithm>

#include "skinhelpers.h"
#include "skinmanager.h"
#include "skinmenu.h"
#include "skinmessages.h"

namespace {

DWORD StyleOf(HWND h) { return static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE)); }
DWORD ExStyleOf(HWND h) { return static_cast<DWORD>(GetWindowLongA(h, GWL_EXSTYLE)); }

// Width (or height) of one state of a border picture.
int BorderPart(const TDataSkinBorder& border, bool height)
{
    const int frames = std::max(1, border.Frame);
    return (height ? border.Bitmap.Height() : border.Bitmap.Width()) / frames;
}

HICON WindowIcon(HWND wnd)
{
    auto icon = reinterpret_cast<HICON>(SendMessageA(wnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(SendMessageA(wnd, WM_GETICON, ICON_BIG, 0));
    return icon;
}

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

// A skin object that goes never leaves its procedures in a window it leaves behind.
void TSkinForm::ReleaseAll()
{
    ReleaseMenus();
    Detach();
    UnhookMDIClient();
    ClearButtons();
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
    FHoverTimer.reset(new TTimer(nullptr));
    FHoverTimer->SetEnabled(false);
    FHoverTimer->SetInterval(250);
    FFrameSkinned = data->SkinControls().Contains(xcMainMenu);
    ReadStyles();
    ReadSizeState();
    FSizeable = (FSavedStyle & WS_THICKFRAME) != 0;
    FindMDIRole();
    const DWORD exStyle = ExStyleOf(Window);
    ReadBorderKind(exStyle);

    const DWORD version = GetVersion();
    const int major = LOBYTE(LOWORD(version));
    const int minor = HIBYTE(LOWORD(version));
    if (major >= 5 && minor == 0) {
        const bool nt = (version & 0x80000000u) == 0;
        if ((exStyle & WS_EX_APPWINDOW) && nt)
            FIconFlags |= ifKeepSysMenu;
        if (!FOwnerWindow && FMDIRole != mdiChild)
            FIconFlags |= ifKeepSysMenu;
    }

    FUnicode = IsWindowUnicode(Window) != FALSE;
    FDialog = false;
    if (FOwnClassName == "#32770" || FOwnClassName == "TMessageForm") {
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
        CreateMenuBar();
        UpdateFrameMetrics();
    } else {
        FLifeState = lsSkinned;
    }
    if (FMDIRole == mdiChild) {
        const int native = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (native > FCaptionHeight)
            FMenuHeight = native - FCaptionHeight;
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

void TSkinForm::ReadSizeState()
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(Window, &placement);
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        FSizeState = ssMinimized;
        break;
    case SW_SHOWMAXIMIZED:
        FSizeState = ssMaximized;
        break;
    default:
        FSizeState = ssNormal;
        break;
    }
}

void TSkinForm::FindMDIRole()
{
    for (HWND child = GetWindow(Window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (WindowClassName(child) == "MDIClient") {
            FMDIRole = mdiFrame;
            FMDIClient = child;
            if (TSkinManage* manager = SkinManager()) {
                manager->MDIClient = child;
                manager->MDIFrame = FControl;
            }
            break;
        }
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

void TSkinForm::UnhookMDIClient() { FClientProc.Restore(); }

// ---------------------------------------------------------------- frame data

void TSkinForm::UpdateFrameMetrics()
{
    if (!FSkinData || FSkinData->FSkinEmpty)
        return;
    if (FBorderKind == bkNoCaption) {
        FLeftBorder = FCaptionHeight = FRightBorder = FBottomBorder = FMenuHeight = 0;
    } else {
        FCaptionHeight = BorderPart(FSkinData->Border(TSkinObjects::bdTop), true);
        FLeftBorder = BorderPart(FSkinData->Border(TSkinObjects::bdLeft), false);
        FRightBorder = BorderPart(FSkinData->Border(TSkinObjects::bdRight), false);
        FBottomBorder = BorderPart(FSkinData->Border(TSkinObjects::bdBottom), true);
    }
    ClearButtons();
    FButtons.reserve(FSkinData->FSysButtons.size());
    for (const auto& object : FSkinData->FSysButtons) {
        auto* button = new TWinSysButton();
        button->SkinObject = object.get();
        button->Form = this;
        button->Enabled = true;
        FButtons.push_back(button);
        if (object->Action != 3 && object->Action != 11)
            continue;
        // The window-icon button shows the window's icon when the skin has no picture for it.
        UpdateIconBitmap(FIconBitmap);
        if (object->Bitmap.Empty() || FSkinData->FIconBitmap.Empty())
            object->Bitmap.Assign(&FIconBitmap);
        object->Frame = 1;
    }
}

void TSkinForm::ClearButtons()
{
    for (TWinSysButton* button : FButtons) {
        if (FHotObject == button)
            FHotObject = nullptr;
        button->Free();
    }
    FButtons.clear();
}

void TSkinForm::UpdateIconBitmap(TBitmap& bitmap)
{
    const int cx = GetSystemMetrics(SM_CXSMICON);
    const int cy = GetSystemMetrics(SM_CYSMICON);
    bitmap.SetSize(cx, cy);
    bitmap.SetPixelFormat(pf16bit);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clFuchsia);
    canvas->FillRect(TRect(0, 0, cx, cy));
    FIconSize = cx;
    HICON icon = WindowIcon(Window);
    if (!icon)
        return;
    auto copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE));
    if (!copy)
        return;
    DrawIconEx(canvas->Handle(), 0, 0, copy, cx, cy, 0, nullptr, DI_NORMAL);
    DestroyIcon(copy);
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

// ---------------------------------------------------------------- refresh

void TSkinForm::ApplySkinColors()
{
    if (!FSkinData)
        return;
    const TColor face = FSkinData->FColors[scButtonFace];
    if (FControl) {
        FControl->SetColor(face);
        for (int i = 0; i < FControl->ComponentCount(); ++i)
            if (auto* form = As<TCustomForm>(FControl->Components(i)))
                form->SetColor(face);
    }
    FLifeState = lsRefreshing;
    if (FFrameSkinned && FControl)
        SetPopupMenusOwnerDraw(FControl, true);
    // With the skinned frame the form is re-laid out inside the new frame here.
    NotifySkinned();
    FLifeState = lsSkinned;
}

void TSkinForm::NotifySkinned()
{
    SendMessageA(Window, SKM_SKINNED, 0, SKM_MAGIC);
    if (FSkinData && FSkinData->OnAfterSkinForm)
        FSkinData->OnAfterSkinForm(FControl, Window, WindowClassName(Window));
}

void TSkinForm::InvalidateWindow()
{
    InvalidateRect(Window, nullptr, TRUE);
    UpdateWindow(Window);
}

void TSkinForm::FrameChanged()
{
    SetWindowPos(Window, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinForm::RemoveRegion()
{
    // A region given to SetWindowRgn belongs to the system; taking it back frees it.
    if (IsWindow(Window))
        SetWindowRgn(Window, nullptr, TRUE);
    FRegion = nullptr;
    FRegionSet = false;
}

void TSkinForm::ResetCaptionHint()
{
    if (!FSkinData)
        return;
    FSkinData->FHoverTime = 0;
    FSkinData->HideCaptionHint();
}

// ---------------------------------------------------------------- giving back

void TSkinForm::RestoreColor()
{
    if (!FColorApplied)
        return;
    FColorApplied = false;
    if (FControl)
        FControl->SetColor(FSavedColor);
}

void TSkinForm::RestoreSysMenuStyle()
{
    if (!(FSavedStyle & WS_SYSMENU) || !IsWindow(Window))
        return;
    const DWORD style = StyleOf(Window);
    if (!(style & WS_SYSMENU))
        SetWindowLongA(Window, GWL_STYLE, static_cast<LONG>(style | WS_SYSMENU));
}

void TSkinForm::Unskin()
{
    if (!FFrameSkinned) {
        UnskinPlain();
        return;
    }
    FreeSystemMenu();
    if (FHoverTimer)
        FHoverTimer->SetEnabled(false);
    if (!Attached())
        return;
    UnchainWindowProc();
    FProc.Restore();
    RestoreFormMenus();
    if (FLifeState != lsDestroying)
        RestoreColor();
    RestoreSysMenuStyle();
    FreeMenuBar(true);
    UnhookMDIClient();
    // The native size comes back with the skinned frame size, once the skin sizes frames.
    RemoveRegion();
}

void TSkinForm::Detach()
{
    if (!FFrameSkinned) {
        UnskinPlain();
        return;
    }
    FreeSystemMenu();
    if (FHoverTimer)
        FHoverTimer->SetEnabled(false);
    if (!Attached())
        return;
    UnchainWindowProc();
    FProc.Restore();
    FreeMenuBar(false);
    // Nothing may call into a freed object: the client's procedure goes back too.
    UnhookMDIClient();
}

void TSkinForm::UnskinPlain()
{
    if (FHoverTimer)
        FHoverTimer->SetEnabled(false);
    if (FLifeState != lsDestroying)
        RestoreColor();
    if (Attached()) {
        UnchainWindowProc();
        FProc.Restore();
    }
    RestoreFormMenus();
    UnhookMDIClient();
    if (FLifeState == lsDestroying || !FControl)
        return;
    for (int i = 0; i < FControl->ComponentCount(); ++i)
        if (auto* c = As<TControl>(FControl->Components(i)))
            c->Invalidate();
}

// ---------------------------------------------------------------- window procedures

void TSkinForm::SkinNow()
{
    FSystemMenu = GetSystemMenu(Window, FALSE);
    UpdateIconBitmap(FIconBitmap);
    RememberFrameSize();
    // Child controls get their skins, and the frame its first resize and region, as those
    // skins join the engine; the form's popup menus are drawn by the skin from now on.
    if (FControl && FSkinData && FSkinData->SkinControls().Contains(xcPopupMenu))
        SetPopupMenusOwnerDraw(FControl, true);
    NotifySkinned();
    FLifeState = lsSkinned;
    if (FHoverTimer)
        FHoverTimer->SetEnabled(true);
}

void TSkinForm::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case SKM_ISSKINNED:
        m.Result = 1;
        PostMessageA(Window, SKM_SKINNED, 0, SKM_MAGIC);
        return;
    case SKM_SKINNOW:
        SkinNow();
        return;
    case WM_NCDESTROY: {
        const WNDPROC old = FProc.OldProc();
        FLifeState = lsDestroying;
        Detach();
        m.Result = CallWindowProcA(old, Window, m.Msg, m.WParam, m.LParam);
        FLifeState = lsDead;
        return;
    }
    default:
        m.Result = CallOldProc(m);
        return;
    }
}

void TSkinForm::FormWindowProc(TMessage& m)
{
    if (m.Msg == SKM_PROBE) {
        m.Result = m.LParam == SKM_MAGIC ? SKM_MAGIC : 1;
        return;
    }
    if (FOldWindowProc)
        FOldWindowProc(m);
}

void TSkinForm::ClientWndProc(TMessage& m)
{
    if (m.Msg != WM_NCDESTROY) {
        m.Result = CallClientProc(m);
        return;
    }
    const WNDPROC old = FClientProc.OldProc();
    const HWND client = FClientProc.Window();
    UnhookMDIClient();
    m.Result = CallWindowProcA(old, client, m.Msg, m.WParam, m.LParam);
}

// ---------------------------------------------------------------- caption objects

const TClassInfo& TNCObject::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TNCObject>("TNCObject", &TObject::StaticClass()).Build();
    return info;
}

const TClassInfo& TWinSysButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWinSysButton>("TWinSysButton", &TNCObject::StaticClass()).Build();
    return info;
}

void TNCObject::LeaveOther()
{
    if (Form && Form->HotObject() && Form->HotObject() != this)
        Form->HotObject()->MouseLeave();
}

void TNCObject::MouseDown()
{
    LeaveOther();
    if (!Visible)
        return;
    if (Form)
        Form->SetHotObject(this);
    State = nsPressed;
    Paint();
}

void TNCObject::MouseUp()
{
    if (!Visible)
        return;
    State = nsHot;
    Paint();
}

void TNCObject::MouseMove()
{
    if (Form && Form->HotObject() == this)
        return;  // a pressed object stays pressed while the mouse moves over it
    LeaveOther();
    if (!Visible)
        return;
    if (Form)
        Form->SetHotObject(this);
    State = nsHot;
    Paint();
}

void TNCObject::MouseLeave()
{
    if (!Visible)
        return;
    if (Form)
        Form->SetHotObject(nullptr);
    State = nsNormal;
    Paint();
    if (Form)
        Form->ResetCaptionHint();
}

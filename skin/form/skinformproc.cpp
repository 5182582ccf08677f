// The skinned window's procedures: the replacement window procedure (finishing the skinning,
// painting triggers, hit testing, the caption buttons under the mouse, size states, commands),
// the procedure of an MDI frame's client window, the handler chained into a form's WindowProc,
// and the hover timer.
#include <utility>

#include "skinform.h"
#include "skinhelpers.h"
#include "skinmanager.h"
#include "skinmessages.h"
#include "winutil.h"

namespace {

// An undocumented message with which the system draws a caption itself.
constexpr UINT WM_DRAWCAPTION = 0xAE;
constexpr UINT RedrawFrameWhole = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

TPoint PointOf(LPARAM lp) { return TPoint(MsgX(lp), MsgY(lp)); }

// The system commands a WM_COMMAND may carry (from a skinned system menu).
bool IsSystemCommand(UINT id)
{
    switch (id) {
    case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE: case SC_NEXTWINDOW: case SC_PREVWINDOW:
    case SC_CLOSE: case SC_RESTORE:
        return true;
    default:
        return false;
    }
}

}  // namespace

LRESULT TSkinForm::CallOldProc(const TMessage& m)
{
    FOldCalled = true;
    return FProc.CallOld(m);
}

void TSkinForm::Consume(TMessage& m)
{
    m.Result = 0;
    m.Msg = 0;
}

// Whatever went wrong, the window is given back as it was and keeps working; the manager
// frees this object later.
void TSkinForm::Failed() noexcept
{
    try {
        if (FLifeState == lsDestroying || FLifeState == lsDead || !IsWindow(Window))
            Detach();
        else
            Unskin();
    } catch (...) {
        try {
            Detach();
        } catch (...) {
        }
    }
    try {
        if (FSkinData)
            FSkinData->HideCaptionHint();
        if (IsWindow(Window))
            RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    } catch (...) {
    }
    FLifeState = lsDead;
}

// ---------------------------------------------------------------- the window procedure

void TSkinForm::WndProc(TMessage& m)
{
    TBusyCount::TCall call(FBusy);
    const WNDPROC old = FProc.OldProc();
    const HWND wnd = Window;
    const bool outer = std::exchange(FOldCalled, false);
    try {
        Dispatch(m);
    } catch (...) {
        if (call.OwnerGone())
            return;
        const bool reached = FOldCalled;
        Failed();
        if (!reached && old)
            m.Result = CallWindowProcAW(old, wnd, m, FUnicode);
    }
    if (!call.OwnerGone())
        FOldCalled = outer;
}

void TSkinForm::Dispatch(TMessage& m)
{
    // No frame is painted before the skinning is finished.
    if (FLifeState == lsAttached && m.Msg == WM_NCPAINT) {
        m.Result = 0;
        return;
    }
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = CallOldProc(m);
        if (!FControl && FSkinData) {
            RECT r{};
            GetClientRect(Window, &r);
            FillRect(reinterpret_cast<HDC>(m.WParam), &r, FSkinData->FFaceBrush.Get());
            m.Result = 1;
        }
        return;
    case WM_NCDESTROY: {
        const WNDPROC old = FProc.OldProc();
        FLifeState = lsDestroying;
        Detach();
        FOldCalled = true;
        m.Result = CallWindowProcAW(old, Window, m, FUnicode);
        FLifeState = lsDead;
        return;
    }
    case WM_NCACTIVATE:
        if (FLifeState == lsAttached && FMDIRole != mdiChild) {
            // Not skinned yet: nothing is painted, and a deactivation is not refused.
            FActive = LOBYTE(LOWORD(m.WParam)) != 0;
            m.Result = 1;
            return;
        }
        if (!FFrameSkinned) {
            m.Result = CallOldProc(m);
            return;
        }
        break;
    case WM_DRAWCAPTION:
        m.Result = 0;
        return;
    case WM_STYLECHANGED:
        // A window turned to the other reading order draws its caption from the other side.
        if (m.WParam == static_cast<WPARAM>(GWL_EXSTYLE) && m.LParam)
            FRightToLeft = (reinterpret_cast<const STYLESTRUCT*>(m.LParam)->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
        m.Result = CallOldProc(m);
        return;
    case WM_INITMENUPOPUP:
        if (TSkinManage* manager = SkinManager())
            manager->MenuKind = reinterpret_cast<HMENU>(m.WParam) == FSystemMenu ? TSkinManage::mkSystem
                                                                                 : TSkinManage::mkMenuBar;
        m.Result = CallOldProc(m);
        return;
    case WM_CTLCOLORBTN:
        m.Result = CallOldProc(m);
        if (!FControl)
            SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        return;
    case WM_CTLCOLORSTATIC:
        m.Result = CallOldProc(m);
        if (!FControl && FSkinData) {
            SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
            m.Result = reinterpret_cast<LRESULT>(FSkinData->FFaceBrush.Get());
        }
        return;
    case SKM_SKINNOW:
        SkinNow();
        return;
    case SKM_RESKIN:
        Reskin(reinterpret_cast<HWND>(m.WParam));
        return;
    case SKM_ISSKINNED:
        m.Result = 1;
        PostMessageA(Window, SKM_SKINNED, 0, SKM_MAGIC);
        return;
    default:
        if (!FFrameSkinned) {
            m.Result = CallOldProc(m);
            return;
        }
        break;
    }
    if (FMDIRole != mdiChild && (FSavedStyle & WS_CHILD)) {
        m.Result = CallOldProc(m);
        return;
    }
    bool passOn = false;
    DispatchStage2(m, passOn);
    if ((FMDIRole == mdiChild && FSizeState == ssMaximized) || FLifeState == lsAttached) {
        if (passOn)
            m.Result = CallOldProc(m);
        return;
    }
    const bool listed = DispatchStage3(m);
    if (passOn && !listed)
        m.Result = CallOldProc(m);
}

void TSkinForm::DispatchStage2(TMessage& m, bool& passOn)
{
    switch (m.Msg) {
    case WM_SIZE:
        WMSize(m);
        break;
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
        FActive = LOBYTE(LOWORD(m.WParam)) != 0;
        passOn = true;
        break;
    case WM_GETMINMAXINFO:
        m.Result = CallOldProc(m);
        UpdatePlacementState();
        break;
    case WM_WINDOWPOSCHANGED:
        UpdatePlacementState();
        m.Result = CallOldProc(m);
        break;
    case WM_SETICON:
        m.Result = CallOldProc(m);
        UpdateIconBitmap(FIconBitmap);
        break;
    case WM_COMMAND:
        WMCommand(m);
        break;
    case WM_SYSCOMMAND:
        WMSysCommand(m);
        break;
    case SKM_MENUBARPOPUP:
        MenuBarPopupAt(m);
        m.Result = 0;
        break;
    case CM_MENUCHANGED:
        MenuChanged(m);
        break;
    default:
        passOn = true;
        break;
    }
}

// False for a message this stage does not list.
bool TSkinForm::DispatchStage3(TMessage& m)
{
    switch (m.Msg) {
    case WM_SIZE:
        WMSize(m);
        return true;
    case WM_DRAWITEM:
        if (!WMDrawItem(m))
            m.Result = CallOldProc(m);
        return true;
    case WM_MEASUREITEM:
        if (!WMMeasureItem(m))
            m.Result = CallOldProc(m);
        return true;
    case WM_WINDOWPOSCHANGING:
        m.Result = CallOldProc(m);
        return true;
    case WM_NCCALCSIZE:
        WMNCCalcSize(m);
        return true;
    case WM_NCHITTEST:
        WMNCHitTest(m);
        return true;
    case WM_NCPAINT:
        WMNCPaint(m);
        return true;
    case WM_NCACTIVATE:
        WMNCActivate(m);
        return true;
    case WM_NCMOUSEMOVE:
        WMNCMouseMove(m);
        return true;
    case WM_NCLBUTTONDOWN:
        WMNCLButtonDown(m);
        return true;
    case WM_NCLBUTTONUP:
        WMNCLButtonUp(m);
        return true;
    case WM_NCLBUTTONDBLCLK:
        WMNCLButtonDblClk(m);
        return true;
    case WM_NCRBUTTONDOWN:
        WMNCRButtonDown(m);
        return true;
    case SKM_PAINTFRAME:
        PaintFrame();
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------- finishing the skinning

void TSkinForm::SkinNow()
{
    FSystemMenu = GetSystemMenu(Window, FALSE);
    UpdateIconBitmap(FIconBitmap);
    RememberFrameSize();
    SkinAllChildren();
    if (FLifeState == lsAttached) {
        if (FMDIRole == mdiChild) {
            TSkinManage* manager = SkinManager();
            if (FSizeState == ssMaximized && manager && manager->MDIClient)
                PostMessageA(manager->MDIClient, SKM_MDIREDRAW, reinterpret_cast<WPARAM>(Window), 0);
            else if (FSizeState == ssNormal) {
                FLifeState = lsResizing;
                ResizeFrame(false);
                FLifeState = lsSkinned;
                UpdateRegion();
            }
        } else if (!FChild && FBorderKind != bkNoCaption && FSizeState != ssMinimized) {
            FLifeState = lsResizing;
            ResizeFrame(false);
            FLifeState = lsSkinned;
            if (FSizeState == ssNormal)
                UpdateRegion();
            else
                FrameChanged();
        }
    }
    NotifySkinned();
    FLifeState = lsSkinned;
    if (FHoverTimer)
        FHoverTimer->SetEnabled(true);
}

// ---------------------------------------------------------------- size and frame

void TSkinForm::WMSize(TMessage& m)
{
    m.Result = CallOldProc(m);
    switch (m.WParam) {
    case SIZE_RESTORED:
        FSizeState = ssNormal;
        break;
    case SIZE_MINIMIZED:
        FSizeState = ssMinimized;
        break;
    case SIZE_MAXIMIZED:
        FSizeState = ssMaximized;
        break;
    default:
        break;
    }
    if (FSizeState == ssMinimized)
        return;
    if (FMDIRole == mdiChild) {
        const TSkinManage* manager = SkinManager();
        if ((manager && manager->MDIChildMaximized) || FSizeState != ssNormal)
            return;
    }
    if (FLifeState == lsSkinned || FLifeState == lsRefreshing)
        UpdateRegion();
}

TPoint TSkinForm::ScreenToWindow(int x, int y) const
{
    POINT p{x, y};
    ScreenToClient(Window, &p);
    if (!(FMDIRole == mdiChild && FSizeState == ssMinimized)) {
        p.x += FMetrics.Left;
        p.y += FMetrics.Caption + FMetrics.Menu;
    }
    return p;
}

void TSkinForm::WMNCHitTest(TMessage& m)
{
    m.Result = CallOldProc(m);
    if (m.Result != HTNOWHERE && m.Result != HTCAPTION)
        return;
    const TPoint screen = PointOf(m.LParam);
    const TPoint p = ScreenToWindow(screen.x, screen.y);
    m.Result = SkinHitTest(static_cast<int>(m.Result), p.y, FMetrics);
}

void TSkinForm::WMNCPaint(TMessage& m)
{
    SetSysMenuStyle(true);
    m.Result = 0;
    if (!FSkinData || !FSkinData->FFramePaint)
        return;
    if ((FMDIRole == mdiChild && FSizeState == ssMaximized) || FBorderKind == bkNoCaption) {
        m.Result = CallOldProc(m);
        return;
    }
    PaintFrame();
}

void TSkinForm::WMNCActivate(TMessage& m)
{
    FActive = m.WParam != 0;
    if (FHoverTimer)
        FHoverTimer->SetEnabled(FActive);
    if (FMDIRole == mdiFrame && FMDIClient)
        SendMessageA(FMDIClient, WM_NCACTIVATE, m.WParam, 0);
    if (FMDIRole == mdiChild)
        CallOldProc(m);
    if (!(FMDIRole == mdiChild && FSizeState == ssMaximized))
        PaintFrame();
    m.Result = 1;
}

// ---------------------------------------------------------------- the mouse on the frame

TWinSysButton* TSkinForm::CaptionButtonAt(const TPoint& p) const
{
    for (const TOwnedObject<TWinSysButton>& b : FButtons)
        if (b->Visible && b->Action() >= 0 && b->Rect.Contains(p))
            return b.Get();
    return nullptr;
}

TNCObject* TSkinForm::ObjectAt(const TPoint& p) const
{
    if (TWinSysButton* b = CaptionButtonAt(p))
        return b;
    return MenuBarButtonAt(p);
}

void TSkinForm::WMNCMouseMove(TMessage& m)
{
    if (!FActive) {
        m.Result = 0;
        return;
    }
    const TPoint screen = PointOf(m.LParam);
    if (TNCObject* o = ObjectAt(ScreenToWindow(screen.x, screen.y))) {
        o->MouseMove();
        Consume(m);
        return;
    }
    if (TNCObject* hot = std::exchange(FHotObject, nullptr))
        hot->MouseLeave();
    m.Result = CallOldProc(m);
}

void TSkinForm::WMNCLButtonDown(TMessage& m)
{
    if (FSkinData)
        FSkinData->HideCaptionHint();
    const TPoint screen = PointOf(m.LParam);
    if (TNCObject* o = ObjectAt(ScreenToWindow(screen.x, screen.y))) {
        if (!FActive)
            SetForegroundWindow(Window);
        o->MouseDown();
        if (auto* button = As<TMenuBtn>(o))
            OpenMenuButton(button);
        Consume(m);
        return;
    }
    // A maximized window is not dragged by its caption.
    if (FSizeState == ssMaximized && m.WParam == HTCAPTION && FActive)
        m.WParam = HTMENU;
    m.Result = CallOldProc(m);
}

void TSkinForm::WMNCLButtonUp(TMessage& m)
{
    if (FSkinData)
        FSkinData->HideCaptionHint();
    const TPoint screen = PointOf(m.LParam);
    TNCObject* o = ObjectAt(ScreenToWindow(screen.x, screen.y));
    if (!o) {
        m.Result = CallOldProc(m);
        return;
    }
    if (auto* button = As<TWinSysButton>(o); button && button == FHotObject) {
        button->MouseUp();
        CaptionButtonAction(screen.x, screen.y);
    }
    Consume(m);
}

void TSkinForm::WMNCLButtonDblClk(TMessage& m)
{
    const TPoint screen = PointOf(m.LParam);
    if (TNCObject* o = ObjectAt(ScreenToWindow(screen.x, screen.y))) {
        auto* button = As<TWinSysButton>(o);
        if (button && IsIconButton(button->Action())) {
            if (FHoverTimer)
                FHoverTimer->SetEnabled(false);
            PostMessageA(Window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        Consume(m);
        return;
    }
    if (FSizeState != ssNormal)
        Restore();
    else if (FIconFlags & ifMaximize)
        Maximize();
    else
        m.Result = CallOldProc(m);
}

void TSkinForm::WMNCRButtonDown(TMessage& m)
{
    if (FSkinData)
        FSkinData->HideCaptionHint();
    const TPoint screen = PointOf(m.LParam);
    // Consumed even when no menu opens (a second click within the double-click time): the
    // native system menu must not open in its place.
    if (m.WParam == HTCAPTION && FMDIRole != mdiChild) {
        ShowSystemMenu(screen.x, screen.y);
        Consume(m);
        return;
    }
    m.Result = CallOldProc(m);
}

// ---------------------------------------------------------------- commands

void TSkinForm::WMCommand(TMessage& m)
{
    const UINT id = LOWORD(m.WParam);
    if (IsSystemCommand(id)) {
        PostMessageA(Window, WM_SYSCOMMAND, id, 0);
        return;
    }
    m.Result = CallOldProc(m);
}

void TSkinForm::WMSysCommand(TMessage& m)
{
    const UINT command = static_cast<UINT>(m.WParam) & 0xFFF0;
    if (command == SC_KEYMENU && !FMenuTracking) {
        const int ch = static_cast<int>(LOWORD(static_cast<DWORD>(m.LParam)));
        if (ch != ' ' && ch != '-' && !GetCapture()) {
            TMenuBtn* target = MenuKeyTarget(ch);
            if (ch == 0 || target) {
                m.Result = 1;
                if (target)
                    OpenMenuButton(target);
                return;
            }
        } else if (ch == ' ') {
            POINT origin{0, 0};
            ClientToScreen(Window, &origin);
            // The skinned menu stands in for the native one.
            if (ShowSystemMenu(origin.x, origin.y)) {
                m.Result = 0;
                return;
            }
        }
    }
    switch (command) {
    case SC_MINIMIZE:
        FSizeState = ssMinimized;
        break;
    case SC_MAXIMIZE:
        FSizeState = ssMaximized;
        break;
    case SC_RESTORE:
        FSizeState = ssNormal;
        if (FMDIRole == mdiChild)
            if (TSkinManage* manager = SkinManager(); manager && manager->MDIChildMaximized)
                manager->SetMDIMaximized(false);
        break;
    default:
        break;
    }
    m.Result = CallOldProc(m);
}

// The toolkit put a menu on the window: the skinned bar takes it, the native one goes again.
void TSkinForm::MenuChanged(TMessage& m)
{
    const bool framePaint = FSkinData->FFramePaint;
    FSkinData->FFramePaint = false;
    m.Result = CallOldProc(m);
    FSkinData->FFramePaint = framePaint;
    if (HMENU menu = GetMenu(Window)) {
        if (HasMenuBar() && FSkinData->MenuUpdate())
            MenuBarTakeMenu(menu);
        SetMenu(Window, nullptr);
    }
}

// ---------------------------------------------------------------- the hover timer

void TSkinForm::HoverTimer(TObject*)
{
    TBusyCount::TCall call(FBusy);
    try {
        if (FMenuTracking || !FHotObject || !FSkinData)
            return;
        POINT cursor{};
        GetCursorPos(&cursor);
        const TPoint p = ScreenToWindow(cursor.x, cursor.y);
        TNCObject* hot = FHotObject;
        if (!hot->Rect.Contains(p)) {
            hot->MouseLeave();
            FHotObject = nullptr;
            ResetCaptionHint();
            return;
        }
        auto* button = As<TWinSysButton>(hot);
        if (!button)
            return;
        FSkinData->FHoverTime += FHoverTimer->Interval();
        const int pause = Application ? Application->HintPause() : 500;
        const int hide = Application ? Application->HintHidePause() : 2500;
        switch (CaptionHintPhase(FSkinData->FHoverTime, pause, hide)) {
        case THintPhase::Shown: {
            const String text = CaptionButtonHint(button->Action());
            if (text.empty())
                break;
            const int x = WindowRectOf(Window).left + button->Rect.left, y = cursor.y + 24;
            FSkinData->ShowCaptionHint(TRect(x, y, x, y), text);
            break;
        }
        case THintPhase::Over:
            FSkinData->HideCaptionHint();
            break;
        case THintPhase::Waiting:
            break;
        }
    } catch (...) {
        Failed();
    }
}

void TSkinForm::ResetCaptionHint()
{
    if (!FSkinData)
        return;
    FSkinData->FHoverTime = 0;
    FSkinData->HideCaptionHint();
}

// ---------------------------------------------------------------- the form's WindowProc

void TSkinForm::FormWindowProc(TMessage& m)
{
    TBusyCount::TCall call(FBusy);
    const TWndMethod saved = FOldWindowProc;
    bool passed = false, inForm = false;
    auto pass = [&] {
        passed = inForm = true;
        if (saved)
            saved(m);
        inForm = false;
    };
    try {
        switch (m.Msg) {
        case WM_SETTEXT:
            pass();
            if (call.OwnerGone() || !IsWindowVisible(Window))
                return;
            if (FSizeState == ssMaximized)
                if (TSkinManage* manager = SkinManager(); manager && manager->MDIClient)
                    PostMessageA(manager->MDIClient, SKM_MDIREDRAW, reinterpret_cast<WPARAM>(Window), 0);
            if (FSizeState == ssMinimized)
                PaintFrame();
            else
                FrameChanged();
            return;
        case SKM_RECOLOR:
            ApplySkinColors();
            return;
        case CM_DIALOGCHAR:
            // The form's own accelerators first, then the menu bar's.
            pass();
            if (!call.OwnerGone() && m.Result == 0)
                DialogChar(m);
            return;
        case SKM_DRAWBORDER:
            if (m.LParam == SKM_MAGIC) {
                if (m.WParam)
                    PaintFrame(reinterpret_cast<HDC>(m.WParam));
                m.Result = SKM_MAGIC;
            }
            return;
        case SKM_PROBE:
            m.Result = m.LParam == SKM_MAGIC ? SKM_MAGIC : 1;
            return;
        default:
            pass();
            return;
        }
    } catch (...) {
        if (inForm)
            throw;  // the form's own failure takes the toolkit's way
        if (call.OwnerGone())
            return;
        Failed();
        if (!passed && saved)
            saved(m);
    }
}

// ---------------------------------------------------------------- the MDI client

void TSkinForm::ClientWndProc(TMessage& m)
{
    TBusyCount::TCall call(FBusy);
    const WNDPROC old = FClientProc.OldProc();
    const HWND client = FClientProc.Window();
    bool passed = false;
    auto pass = [&] {
        passed = true;
        m.Result = CallClientProc(m);
    };
    try {
        TSkinManage* manager = SkinManager();
        switch (m.Msg) {
        case WM_NCDESTROY:
            UnhookMDIClient();
            FMDIClient = nullptr;
            passed = true;
            m.Result = CallWindowProcA(old, client, m.Msg, m.WParam, m.LParam);
            return;
        case WM_NCCALCSIZE:
            if (FFrameSkinned && FSkinData && !FSkinData->Options().Contains(xoMDIScrollbar)) {
                const LONG style = GetWindowLongA(client, GWL_STYLE);
                SetWindowLongA(client, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
            }
            pass();
            return;
        case WM_MDICREATE:
            if (FSkinData)
                FSkinData->SetMenuUpdate(false);
            pass();
            return;
        case WM_MDIDESTROY:
            pass();
            if (call.OwnerGone() || !FFrameSkinned)
                return;
            if (manager)
                manager->SetMDIMaximized(IsMDIChildMaximized());
            if (!SendMessageA(client, WM_MDIGETACTIVE, 0, 0) && HasMenuBar()) {
                if (FSkinData)
                    FSkinData->SetMenuUpdate(FMenuUpdate);
                RebuildMenuBar();
            }
            return;
        case WM_MDITILE:
        case WM_MDICASCADE:
            if (FFrameSkinned && manager && manager->MDIChildMaximized)
                manager->SetMDIMaximized(false);
            pass();
            return;
        case WM_MDISETMENU:
            pass();
            if (call.OwnerGone() || !FFrameSkinned)
                return;
            if (m.WParam && HasMenuBar())
                MenuBarTakeMenu(reinterpret_cast<HMENU>(m.WParam));
            SetMenu(Window, nullptr);
            return;
        case SKM_MDIREDRAW:
            RedrawWindow(Window, nullptr, nullptr, RedrawFrameWhole);
            return;
        default:
            pass();
            return;
        }
    } catch (...) {
        if (call.OwnerGone())
            return;
        UnhookMDIClient();
        Failed();
        if (!passed && old)
            m.Result = CallWindowProcA(old, client, m.Msg, m.WParam, m.LParam);
    }
}

// TWinControl's messages: the window procedure chain of a windowed control, reflected parent
// notifications, colours, cursors, and the keyboard with its dialog-key routing.
#include <algorithm>

#include "controls.h"
#include "forms.h"

namespace {

bool IsMouseClientMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK; }

}  // namespace

// ---------------------------------------------------------------- keyboard

void TWinControl::KeyDown(WORD& key, TShiftState shift) { Fire(OnKeyDown, this, key, shift); }

void TWinControl::KeyUp(WORD& key, TShiftState shift) { Fire(OnKeyUp, this, key, shift); }

void TWinControl::KeyPress(char& key) { Fire(OnKeyPress, this, key); }

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        static_cast<TWinControl*>(form)->KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    KeyDown(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyUp(WORD& key, TShiftState shift)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        static_cast<TWinControl*>(form)->KeyUp(key, shift);
        if (key == 0)
            return true;
    }
    KeyUp(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(char& key)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        static_cast<TWinControl*>(form)->KeyPress(key);
        if (key == 0)
            return true;
    }
    KeyPress(key);
    return key == 0;
}

unsigned TWinControl::DialogCode() { return FHandle ? static_cast<unsigned>(Perform(WM_GETDLGCODE)) : 0; }

bool TWinControl::RouteDialogKey(WORD key, LPARAM keyData)
{
    unsigned want = 0;
    switch (key) {
    case VK_TAB: want = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: want = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_ESCAPE: case VK_EXECUTE: case VK_CANCEL: want = DLGC_WANTALLKEYS; break;
    default: return false;
    }
    if (DialogCode() & want)
        return false;  // the control keeps the key for itself
    if (Perform(CM_DIALOGKEY, key, keyData))
        return true;
    TCustomForm* form = GetParentForm(this);
    return form && form != this && form->Perform(CM_DIALOGKEY, key, keyData) != 0;
}

bool TWinControl::RouteDialogChar(WORD key, LPARAM keyData)
{
    TCustomForm* form = GetParentForm(this);
    TWinControl* target = form ? static_cast<TWinControl*>(form) : this;
    return target->Perform(CM_DIALOGCHAR, key, keyData) != 0;
}

// ---------------------------------------------------------------- messages

void TWinControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_SETFOCUS: {
        TCustomForm* form = GetParentForm(this);
        if (form && form != this && !form->SetFocusedControl(this))
            return;
        break;
    }
    case WM_MOUSEMOVE:
        if (FHandle) {
            TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, FHandle, 0};
            TrackMouseEvent(&t);
        }
        if (HandleMouseForChild(m))
            return;
        break;
    default:
        if (IsMouseClientMessage(m.Msg) && HandleMouseForChild(m))
            return;
    }
    TControl::WndProc(m);
}

bool TWinControl::HandleMouseForChild(TMessage& m)
{
    TControl* target = nullptr;
    TControl* captured = Application ? Application->CaptureControl() : nullptr;
    if (captured) {
        if (captured->Parent() == this && !As<TWinControl>(captured))
            target = captured;
    } else {
        TControl* c = ControlAtPos(TPoint(MsgX(m.LParam), MsgY(m.LParam)), false);
        if (c && !As<TWinControl>(c))
            target = c;
    }
    if (!target)
        return false;
    TMessage cm = m;
    cm.LParam = MakeMsgPoint(MsgX(m.LParam) - target->Left(), MsgY(m.LParam) - target->Top());
    TWndMethod proc = target->WindowProc;
    proc(cm);
    m.Result = cm.Result;
    return true;
}

void TWinControl::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT:
        if (FDefProc.Installed())
            break;  // a system control paints itself
        PaintHandler(m);
        return;
    case WM_ERASEBKGND:
        if (FDefProc.Installed())
            break;
        if (m.WParam) {
            RECT r;
            GetClientRect(FHandle, &r);
            FillRect(reinterpret_cast<HDC>(m.WParam), &r, FBrush->Handle());
        }
        m.Result = 1;
        return;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        ReflectNotification(m);
        return;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC:
        HandleColor(m);
        return;
    case WM_SETCURSOR:
        HandleSetCursor(m);
        return;
    case WM_SIZE:
        DefaultHandler(m);
        if (m.WParam != SIZE_MINIMIZED) {
            UpdateBounds();
            Realign();
            if (!Loading())
                Resize();
        }
        return;
    case WM_MOVE:
        DefaultHandler(m);
        UpdateBounds();
        return;
    case WM_DESTROY:
        FText = WindowText(FHandle);
        DefaultHandler(m);
        return;
    case WM_MOUSELEAVE:
        if (Application) {
            TControl* over = Application->MouseControl();
            if (over && (over == this || (over->Parent() == this && !As<TWinControl>(over))))
                Application->MouseOver(nullptr);
        }
        DefaultHandler(m);
        return;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(m.LParam) != FHandle) {
            FControlState.Exclude(csClicked);
            if (Application)
                Application->CaptureLost(this);
        }
        DefaultHandler(m);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(m.WParam);
        if (DoKeyUp(key, KeyDataToShiftState(m.LParam)))
            return;
        m.WParam = key;
        DefaultHandler(m);
        return;
    }
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(m.WParam);
        if (DoKeyDown(key, KeyDataToShiftState(m.LParam))) {
            m.Result = 1;
            return;
        }
        m.WParam = key;
        m.Result = m.Msg == CN_KEYDOWN && RouteDialogKey(key, m.LParam) ? 1 : 0;
        return;
    }
    case CN_CHAR: {
        char key = static_cast<char>(m.WParam);
        if (DoKeyPress(key)) {
            m.Result = 1;
            return;
        }
        m.WParam = static_cast<unsigned char>(key);
        bool wantsChars = DialogCode() & (DLGC_WANTCHARS | DLGC_WANTALLKEYS);
        m.Result = !wantsChars && RouteDialogChar(static_cast<unsigned char>(key), m.LParam) ? 1 : 0;
        return;
    }
    case CN_SYSCHAR:
        m.Result = RouteDialogChar(static_cast<WORD>(m.WParam), m.LParam) ? 1 : 0;
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
        Broadcast(m);
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_ENABLEDCHANGED:
        if (FHandle)
            EnableWindow(FHandle, Enabled());
        break;
    case CM_VISIBLECHANGED:
        UpdateShowing();
        return;
    case CM_FONTCHANGED: {
        if (FHandle)
            SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
        TMessage pm{CM_PARENTFONTCHANGED, 0, 0, 0};
        Broadcast(pm);
        break;
    }
    case CM_COLORCHANGED: {
        FBrush->SetColor(Color());
        TMessage pm{CM_PARENTCOLORCHANGED, 0, 0, 0};
        Broadcast(pm);
        break;
    }
    case CM_SHOWHINTCHANGED: {
        TMessage pm{CM_PARENTSHOWHINTCHANGED, 0, 0, 0};
        Broadcast(pm);
        return;
    }
    case CM_BIDIMODECHANGED: {
        UpdateBiDiStyles();
        TMessage pm{CM_PARENTBIDIMODECHANGED, 0, 0, 0};
        Broadcast(pm);
        return;
    }
    case CM_RECREATEWND: {
        bool wasFocused = Focused();
        DestroyHandle();
        UpdateShowing();
        if (wasFocused && FHandle && CanFocus())
            ::SetFocus(FHandle);
        return;
    }
    default:
        break;
    }
    TControl::Dispatch(m);
}

void TWinControl::DefaultHandler(TMessage& m)
{
    if (!FHandle) {
        TControl::DefaultHandler(m);
        return;
    }
    if (m.Msg >= CM_BASE && m.Msg < 0xC000) {
        m.Result = 0;  // the toolkit's own messages mean nothing to a window procedure
        return;
    }
    m.Result = FDefProc.Installed() ? FDefProc.CallOld(m) : DefWindowProcA(FHandle, m.Msg, m.WParam, m.LParam);
}

void TWinControl::ReflectNotification(TMessage& m)
{
    HWND child = nullptr;
    switch (m.Msg) {
    case WM_COMMAND:
        child = reinterpret_cast<HWND>(m.LParam);
        break;
    case WM_NOTIFY:
        if (const NMHDR* h = NotifyHeader(m))
            child = h->hwndFrom;
        break;
    case WM_DRAWITEM:
        if (auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam); d && d->CtlType != ODT_MENU)
            child = d->hwndItem;
        break;
    case WM_MEASUREITEM:
        if (auto* mi = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.LParam); mi && mi->CtlType != ODT_MENU)
            child = GetDlgItem(FHandle, static_cast<int>(mi->CtlID));
        break;
    case WM_DELETEITEM:
        if (auto* d = reinterpret_cast<const DELETEITEMSTRUCT*>(m.LParam))
            child = d->hwndItem;
        break;
    case WM_COMPAREITEM:
        if (auto* c = reinterpret_cast<const COMPAREITEMSTRUCT*>(m.LParam))
            child = c->hwndItem;
        break;
    default:  // scroll, character-to-item and colour messages name the child in LParam
        child = reinterpret_cast<HWND>(m.LParam);
        break;
    }
    TWinControl* c = nullptr;
    if (child && child != FHandle) {
        // Our own children first: a subclassed system control's property costs a round trip to
        // the window server, and colour and scroll messages come with every paint.
        for (TControl* k : FControls)
            if (auto* w = As<TWinControl>(k); w && w->FHandle == child) {
                c = w;
                break;
            }
        if (!c)
            c = FindControl(child);
    }
    if (c) {
        m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        return;
    }
    DefaultHandler(m);
}

void TWinControl::HandleColor(TMessage& m)
{
    auto dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    m.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
}

void TWinControl::HandleSetCursor(TMessage& m)
{
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (cursor == crDefault && LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == FHandle) {
        POINT p;
        GetCursorPos(&p);
        TControl* c = ControlAtPos(ScreenToClient(p), false);
        cursor = (c ? c : this)->Cursor();
    }
    if (cursor != crDefault) {
        ::SetCursor(CursorHandle(cursor));
        m.Result = TRUE;
        return;
    }
    DefaultHandler(m);
}

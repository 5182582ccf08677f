// The skinned window's menu bar at work: opening a button's drop-down, the message filter that
// moves between buttons while one is open, and Alt+letter.
#include <algorithm>

#include "menulayout.h"
#include "skindata.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmanager.h"
#include "skinmenu.h"

namespace {

// MENUITEMINFOA fields read to make a menu owner-drawn: state, submenu, type.
constexpr UINT OwnerDrawReadMask = MIIM_STATE | MIIM_SUBMENU | MIIM_TYPE;
constexpr int MenuTextLength = 80;
// Nested menus deeper than this are taken for a loop in a damaged menu.
constexpr int MaxMenuDepth = 32;

// What one open drop-down of a menu bar is doing (one per module).
struct TBarTracking {
    THookHandle Hook;
    TSkinForm* Form = nullptr;     // the window whose drop-down is open
    int Index = -1;                // its button
    TMenuItem* Item = nullptr;     // the toolkit's item last highlighted in it
    bool FirstMessageSeen = false;
    bool Switching = false;        // a click on another button is on its way
    POINT LastPos{};
};
TBarTracking gTrack;

// The menu bar of the window whose drop-down is open, and its toolkit menu; null when none.
TSkinMenu* TrackedBar() { return gTrack.Form ? gTrack.Form->MenuBar() : nullptr; }

TMenu* TrackedMenu()
{
    TSkinMenu* bar = TrackedBar();
    return bar ? bar->VCLMenu() : nullptr;
}

// The deepest highlighted item below the open drop-down: its menu and position.
struct THighlight {
    HMENU Menu = nullptr;
    int Position = -1;
};

int HighlightedPosition(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE;
        if (GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) && (info.fState & MFS_HILITE))
            return i;
    }
    return -1;
}

THighlight DeepestHighlight(HMENU top)
{
    THighlight found;
    HMENU menu = top;
    for (int depth = 0; menu && depth < MaxMenuDepth; ++depth) {
        const int position = HighlightedPosition(menu);
        if (position < 0)
            break;
        found = {menu, position};
        menu = GetSubMenu(menu, position);
    }
    return found;
}

// Where the highlight of the open drop-down is, read from the menus themselves (the menu loop
// tells its owner, not the filter, what it selects).
TBarHighlight ReadHighlight(HMENU open)
{
    TBarHighlight h;
    const THighlight deepest = DeepestHighlight(open);
    if (!deepest.Menu)
        return h;
    h.HasItem = true;
    h.InTopDropDown = deepest.Menu == open;
    HMENU sub = GetSubMenu(deepest.Menu, deepest.Position);
    h.HasSubItems = sub != nullptr;
    // An item with sub-items has no command: it is known by its submenu.
    if (TMenu* menu = TrackedMenu())
        gTrack.Item = sub ? menu->FindItem(reinterpret_cast<UINT_PTR>(sub), fkHandle)
                          : menu->FindItem(GetMenuItemID(deepest.Menu, deepest.Position), fkCommand);
    return h;
}

TMenuBtn* BarButton(int index)
{
    TSkinMenu* bar = TrackedBar();
    return bar && index >= 0 && index < bar->Count() ? bar->Buttons(index) : nullptr;
}

TMenuBtn* KeyTarget(unsigned key, const TBarHighlight& highlight)
{
    TSkinMenu* bar = TrackedBar();
    if (!bar || (key != VK_LEFT && key != VK_RIGHT))
        return nullptr;
    return BarButton(BarKeyTarget(key, highlight, gTrack.Index, bar->Count()));
}

void MenuSelected(const MSG& msg)
{
    const UINT flags = HIWORD(msg.wParam);
    auto menu = reinterpret_cast<HMENU>(msg.lParam);
    if (flags == 0xFFFF && !menu) {
        if (!gTrack.Switching && gTrack.Form)
            gTrack.Form->SetMenuTracking(false);
        return;
    }
    gTrack.Switching = false;
    TMenu* vcl = TrackedMenu();
    if (!vcl)
        return;
    if (flags & MF_POPUP)
        gTrack.Item = vcl->FindItem(reinterpret_cast<UINT_PTR>(GetSubMenu(menu, LOWORD(msg.wParam))), fkHandle);
    else
        gTrack.Item = vcl->FindItem(LOWORD(msg.wParam), fkCommand);
}

LRESULT FilterMessage(int code, WPARAM wParam, MSG& msg)
{
    // A right-to-left bar swaps the arrows before the menu sees them. The current item is read
    // first: the menu loop tells its owner, not this filter, what it highlights, so the first
    // key in a drop-down would otherwise find none and go unswapped.
    const bool key = code >= 0 && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP);
    TBarHighlight highlight;
    if (key && gTrack.Form)
        highlight = ReadHighlight(gTrack.Form->OpenMenu());
    if (key && gTrack.Item) {
        TMenu* menu = gTrack.Item->GetParentMenu();
        if (menu && menu->IsRightToLeft())
            msg.wParam = SwapArrowKey(static_cast<unsigned>(msg.wParam));
    }
    const LRESULT result = CallNextHookEx(gTrack.Hook.Get(), code, wParam, reinterpret_cast<LPARAM>(&msg));
    if (result != 0 || code != MSGF_MENU || !gTrack.Form)
        return result;
    if (!gTrack.FirstMessageSeen) {
        // The drop-down opens with its first item selected, as a native bar's does.
        gTrack.FirstMessageSeen = true;
        PostMessageA(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    TMenuBtn* target = nullptr;
    switch (msg.message) {
    case WM_KEYDOWN:
        if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)
            gTrack.Switching = false;
        else
            target = KeyTarget(static_cast<unsigned>(msg.wParam), highlight);
        break;
    case WM_SYSKEYDOWN:
        if (msg.wParam == VK_MENU)
            gTrack.Form->SetMenuTracking(false);
        return result;
    case WM_MENUSELECT:
        MenuSelected(msg);
        return result;
    case WM_MOUSEMOVE:
        if (msg.pt.x != gTrack.LastPos.x || msg.pt.y != gTrack.LastPos.y) {
            gTrack.LastPos = msg.pt;
            TSkinMenu* bar = gTrack.Form->MenuBar();
            if (bar)
                target = bar->ButtonAt(gTrack.Form->ScreenToWindow(msg.pt.x, msg.pt.y));
        }
        break;
    default:
        break;
    }
    if (target && target->Index != gTrack.Index) {
        gTrack.Switching = true;
        gTrack.Form->ClickMenuButton(target);
    }
    return result;
}

LRESULT CALLBACK SkinMenuBarFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (!msg)
        return CallNextHookEx(gTrack.Hook.Get(), code, wParam, lParam);
    try {
        return FilterMessage(code, wParam, *msg);
    } catch (...) {
        // The drop-down goes on as a plain menu.
        return 0;
    }
}

}  // namespace

void InstallMenuBarFilter()
{
    gTrack.Switching = false;
    gTrack.FirstMessageSeen = false;
    GetCursorPos(&gTrack.LastPos);
    if (!gTrack.Hook)
        gTrack.Hook.Reset(SetWindowsHookExA(WH_MSGFILTER, &SkinMenuBarFilterProc, nullptr, GetCurrentThreadId()));
}

void RemoveMenuBarFilter()
{
    gTrack.Hook.Reset();
    gTrack.Item = nullptr;
    gTrack.Index = -1;
    gTrack.FirstMessageSeen = false;
}

HHOOK MenuBarFilterHook() { return gTrack.Hook.Get(); }

void SetMenuOwnerDrawRecursive(HMENU menu)
{
    struct TWalk {
        static void Menu(HMENU m, int depth)
        {
            if (!m || depth > MaxMenuDepth)
                return;
            const int count = GetMenuItemCount(m);
            for (int i = 0; i < count; ++i) {
                char text[MenuTextLength + 1] = {};
                MENUITEMINFOA info{};
                info.cbSize = sizeof info;
                info.fMask = OwnerDrawReadMask;
                info.dwTypeData = text;
                info.cch = sizeof text;
                if (!GetMenuItemInfoA(m, static_cast<UINT>(i), TRUE, &info))
                    continue;
                info.fMask = MIIM_TYPE;
                info.fType |= MFT_OWNERDRAW;
                SetMenuItemInfoA(m, static_cast<UINT>(i), TRUE, &info);
                if (info.hSubMenu)
                    Menu(info.hSubMenu, depth + 1);
            }
        }
    };
    TWalk::Menu(menu, 0);
}

// ---------------------------------------------------------------- the skinned window's menu bar

void TSkinForm::MakeMenuBar()
{
    if (!FMenuHandle || FMDIRole == mdiChild || FMenuBar)
        return;
    FMenuBar = new TSkinMenu(this);
    FMenuBar->SkinData = FSkinData;
    FMetrics.Menu = GetSystemMetrics(SM_CYMENU);
    FMenuBar->Rebuild();
}

void TSkinForm::FreeMenuBar()
{
    if (gTrack.Form == this) {
        // Its drop-down closes; the filter hears nothing more of this window.
        gTrack.Form = nullptr;
        EndMenu();
    }
    if (TSkinMenu* bar = std::exchange(FMenuBar, nullptr))
        bar->Free();
}

void TSkinForm::MenuBarTakeMenu(HMENU menu)
{
    if (!FMenuBar)
        return;
    // What the window gets back when the skin goes is the menu it has now.
    if (menu)
        FMenuHandle = menu;
    FMenuBar->TakeMenu(menu);
}

void TSkinForm::RebuildMenuBar()
{
    if (FMenuBar)
        FMenuBar->Rebuild();
}

bool TSkinForm::PaintMenuBar(HDC dc, const TRect& bar)
{
    if (!FMenuBar)
        return false;
    FMenuBar->Paint(dc, bar);
    return true;
}

void TSkinForm::PaintMenuButton(TMenuBtn& button)
{
    if (FMenuBar)
        FMenuBar->PaintButton(button);
}

TNCObject* TSkinForm::MenuBarButtonAt(const TPoint& p) const { return FMenuBar ? FMenuBar->ButtonAt(p) : nullptr; }

TMenuBtn* TSkinForm::MenuKeyTarget(int ch)
{
    if (!FMenuBar)
        return nullptr;
    if (ch == 0)
        return FMenuBar->Count() > 0 ? FMenuBar->Buttons(0) : nullptr;
    return FindAccelButton(static_cast<unsigned>(ch));
}

void TSkinForm::ClickMenuButton(TMenuBtn* button)
{
    RECT window{};
    if (!button || !GetWindowRect(Window, &window))
        return;
    const int x = window.left + button->Rect.left + 1;
    const int y = window.top + button->Rect.top + 1;
    PostMessageA(Window, WM_NCLBUTTONDOWN, 1, MAKELPARAM(x, y));
}

bool TSkinForm::OpenMenuButton(TMenuBtn* button)
{
    TBusyCount::TCall call(FBusy);  // the drop-down's loop runs inside
    if (!button)
        return false;
    if (gTrack.Hook) {
        // A click for another button while a drop-down is open: that one closes first, and
        // the click comes again once it has.
        EndMenu();
        ClickMenuButton(button);
        return false;
    }
    if (button->Enabled)
        PostMessageA(Window, WM_COMMAND, button->Command, 0);
    if (!button->SubMenu)
        return false;
    gTrack.Index = button->Index;
    gTrack.Form = this;
    RECT window{};
    GetWindowRect(Window, &window);
    if (!SkinVersion().NT4())
        SetMenuOwnerDrawRecursive(button->SubMenu);
    FMenuTracking = true;
    const bool rtl = FMenuBar && FMenuBar->RightToLeft();
    const int x = window.left + (rtl ? button->Rect.right : button->Rect.left);
    const int y = window.top + button->Rect.bottom;
    if (TSkinManage* manager = SkinManager()) {
        manager->MenuKind = TSkinManage::mkMenuBar;
        manager->BarMenuOpen = true;
    }
    FOpenMenu = button->SubMenu;
    InstallMenuBarFilter();
    if (button->Enabled)
        TrackPopupMenu(button->SubMenu, TPM_NONOTIFY | TPM_RIGHTBUTTON | (rtl ? TPM_RIGHTALIGN : 0), x, y, 0, Window,
                       nullptr);
    RemoveMenuBarFilter();
    if (gTrack.Form == this)
        gTrack.Form = nullptr;
    if (call.OwnerGone())
        return true;  // the window's form freed this object while the drop-down was open
    FMenuTracking = false;
    FOpenMenu = nullptr;
    return true;
}

bool TSkinForm::MenuBarPopupAt(TMessage& m)
{
    m.Result = 0;
    const TPoint p = ScreenToWindow(MsgX(m.LParam), MsgY(m.LParam));
    // A caption button there takes the point, not the bar.
    if (CaptionButtonAt(p))
        return false;
    TMenuBtn* button = FMenuBar ? FMenuBar->ButtonAt(p) : nullptr;
    return button && OpenMenuButton(button);
}

TMenuBtn* TSkinForm::FindAccelButton(unsigned key) const
{
    if (!FMenuBar)
        return nullptr;
    for (int i = 0; i < FMenuBar->Count(); ++i) {
        TMenuBtn* b = FMenuBar->Buttons(i);
        if (b->Enabled && b->Visible && IsMenuAccel(key, b->Caption))
            return b;
    }
    return nullptr;
}

bool TSkinForm::DialogChar(TMessage& m)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    auto down = [&keys](int vk) { return (keys[vk] & 0x80) != 0; };
    const bool onlyAlt = down(VK_MENU) && !down(VK_SHIFT) && !down(VK_CONTROL) && !down(VK_LBUTTON) &&
                         !down(VK_RBUTTON) && !down(VK_MBUTTON);
    if (TMenuBtn* button = FindAccelButton(static_cast<unsigned>(m.WParam)); button && onlyAlt) {
        ClickMenuButton(button);
        m.Result = 1;
        return true;
    }
    // Not this window's: the main form (or the MDI frame) may have a button for it.
    TSkinManage* manager = SkinManager();
    if (FMDIRole == mdiChild) {
        if (manager && manager->MDIFrame)
            manager->MDIFrame->Perform(m.Msg, m.WParam, m.LParam);
    } else if (Application && Application->MainForm() && Application->MainForm() != FControl) {
        auto* form = As<TCustomForm>(FControl);
        if (!form || !form->Modal())
            Application->MainForm()->Perform(m.Msg, m.WParam, m.LParam);
    }
    m.Result = 0;
    return false;
}

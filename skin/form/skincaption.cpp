// What the caption buttons do, their hints, and the size-state commands.
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmanager.h"
#include "skinmessages.h"

void TSkinForm::CaptionButtonAction(int x, int y)
{
    auto* button = As<TWinSysButton>(FHotObject);
    if (!button)
        return;
    const int action = button->Action();
    switch (CaptionButtonCommand(action)) {
    case TCaptionCommand::Close:
        if (CanCloseFromSystemMenu()) {
            if (FHoverTimer)
                FHoverTimer->SetEnabled(false);
            PostMessageA(Window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        break;
    case TCaptionCommand::Maximize:
        if (button->Enabled)
            Maximize();
        break;
    case TCaptionCommand::Minimize:
        if (button->Enabled)
            Minimize();
        break;
    case TCaptionCommand::SystemMenu:
        ShowSystemMenu(x + 1, y + 1);
        break;
    case TCaptionCommand::Help:
        PostMessageA(Window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        break;
    case TCaptionCommand::ChildMinimize:
        MDIChildCommand(SC_MINIMIZE);
        break;
    case TCaptionCommand::ChildRestore:
        MDIChildCommand(SC_RESTORE);
        break;
    case TCaptionCommand::ChildClose:
        MDIChildCommand(SC_CLOSE);
        break;
    case TCaptionCommand::Application:
        PostMessageA(Window, SKM_CAPTIONBUTTON, static_cast<WPARAM>(action), 0);
        break;
    }
}

void TSkinForm::Maximize()
{
    if (FSizeState == ssMaximized) {
        Restore();
        return;
    }
    if (FMDIRole == mdiChild)
        if (TSkinManage* manager = SkinManager())
            manager->SetMDIMaximized(true);
    FSizeState = ssMaximized;
    PostMessageA(Window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    FHotObject = nullptr;
}

void TSkinForm::Minimize()
{
    if (FSizeState == ssMinimized) {
        Restore();
        return;
    }
    FSizeState = ssMinimized;
    if (FSystemMenu && !(FIconFlags & ifKeepSysMenu))
        SetSysMenuStyle(false);
    PostMessageA(Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TSkinForm::Restore()
{
    FSizeState = ssNormal;
    PostMessageA(Window, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TSkinForm::MDIChildCommand(UINT command)
{
    if (FMDIRole != mdiFrame || !FMDIClient)
        return;
    if (auto child = reinterpret_cast<HWND>(SendMessageA(FMDIClient, WM_MDIGETACTIVE, 0, 0)))
        SendMessageA(child, WM_SYSCOMMAND, command, 0);
}

String TSkinForm::CaptionButtonHint(int action) { return CaptionButtonHintText(action); }

// A greyed or disabled Close item keeps the window open, as its native close box would.
bool TSkinForm::CanCloseFromSystemMenu() const
{
    if (SkinIsWin9x() || SkinVersion().NT4())
        return true;
    if (!FSystemMenu)
        return false;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoA(FSystemMenu, SC_CLOSE, FALSE, &info))
        return false;
    return (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
}

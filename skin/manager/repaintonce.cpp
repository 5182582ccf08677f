#include "repaintonce.h"

#include <algorithm>

void TRepaintOnce::Hold(HWND wnd)
{
    if (!wnd || !IsWindowVisible(wnd) || Holds(wnd))
        return;
    SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
    FHeld.push_back(wnd);
}

bool TRepaintOnce::Holds(HWND wnd) const { return std::find(FHeld.begin(), FHeld.end(), wnd) != FHeld.end(); }

void TRepaintOnce::Release() noexcept
{
    const std::vector<HWND> held = std::move(FHeld);
    FHeld.clear();
    for (HWND wnd : held) {
        if (!IsWindow(wnd))
            continue;
        SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

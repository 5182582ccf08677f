#include "realinput.h"

namespace {

void SendButton(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void ClickScreen(POINT at, TMouseButton button)
{
    SetCursorPos(at.x, at.y);
    const bool right = button == mbRight;
    SendButton(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    SendButton(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

POINT WindowToScreen(HWND wnd, int x, int y)
{
    RECT r{};
    GetWindowRect(wnd, &r);
    return POINT{r.left + x, r.top + y};
}

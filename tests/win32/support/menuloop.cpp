#include "menuloop.h"

#include "forms.h"
#include "sysutils.h"

namespace {

BOOL CALLBACK FindMenuWindow(HWND w, LPARAM p)
{
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (String(cls) == "#32768" && IsWindowVisible(w))
        *reinterpret_cast<HWND*>(p) = w;
    return TRUE;
}

}  // namespace

void PostKey(HWND wnd, WORD vk)
{
    PostMessageA(wnd, WM_KEYDOWN, vk, 1);
    PostMessageA(wnd, WM_KEYUP, vk, 0xC0000001u);
}

HWND OpenMenuWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

TScript::TScript(int ms, std::function<void(int)> step) : FStep(std::move(step)), FTimer(nullptr)
{
    FTimer.SetInterval(ms);
    FTimer.SetOnTimer(TNotifyEvent(this, &TScript::Tick));
}

TScript::~TScript() { FTimer.SetEnabled(false); }

void TScript::Tick(TObject*) { FStep(++FTicks); }

THintOverMenuWatch::THintOverMenuWatch(HWND owner, int count)
    : FOwner(owner), FCount(count), FScript(100, [this](int) { Look(); })
{
}

void THintOverMenuWatch::Look()
{
    if (Done() || !OpenMenuWindow())
        return;
    if (FLooks == 0)
        FMouseControl = Application->MouseControl();
    THintWindow* hint = Application->HintWindow();
    FShown += hint && hint->HintShowing() ? 1 : 0;
    if (++FLooks == FCount) {
        PostKey(FOwner, VK_ESCAPE);
        PostKey(FOwner, VK_ESCAPE);
    }
}

#pragma once
// Driving a menu's own loop from a test: keys posted for it to read, the popup-menu window it
// shows, and steps run by a timer, which ticks inside that loop too.
#include <windows.h>

#include <functional>

#include "timer.h"

class TControl;

// Posts a key press (down, then up) to a window, for whatever loop reads the queue.
void PostKey(HWND wnd, WORD vk);
// The visible popup-menu window of this thread, or null.
HWND OpenMenuWindow();

// Runs `step` (with its tick number, from 1) every `ms`, also inside a menu's loop.
class TScript : public TObject {
public:
    TScript(int ms, std::function<void(int)> step);
    ~TScript() override;

private:
    void Tick(TObject*);
    std::function<void(int)> FStep;
    TTimer FTimer;
    int FTicks = 0;
};

// Looks `count` times (one a tick), while a menu of this thread is open, whether the
// application's hint shows over it, then closes the menu with Escape (twice: a drop-down, then
// its bar).
class THintOverMenuWatch {
public:
    explicit THintOverMenuWatch(HWND owner, int count = 5);
    bool Done() const { return FLooks >= FCount; }
    // The looks on which the hint showed.
    int Shown() const { return FShown; }
    // The control under the mouse at the first look.
    TControl* MouseControl() const { return FMouseControl; }

private:
    void Look();
    HWND FOwner;
    int FCount, FLooks = 0, FShown = 0;
    TControl* FMouseControl = nullptr;
    TScript FScript;
};

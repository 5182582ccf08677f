#pragma once
// Driving a menu's own loop from a test: keys posted for it to read, the popup-menu window it
// shows, and steps run by a timer, which ticks inside that loop too.
#include <windows.h>

#include <functional>

#include "timer.h"

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

#pragma once
// A key held down through the system's input queue (SendInput) for the life of the object, as a
// user holds Shift or Ctrl: the keyboard state the code reads is the real one.
#include <windows.h>

#include "guitest.h"

class THeldKey {
public:
    explicit THeldKey(WORD vk) : FKey(vk) { Send(true); }
    ~THeldKey() { Send(false); }
    THeldKey(const THeldKey&) = delete;
    THeldKey& operator=(const THeldKey&) = delete;

private:
    void Send(bool down)
    {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = FKey;
        in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &in, sizeof in);
        EXPECT_TRUE(PumpUntil([&] { return (GetAsyncKeyState(FKey) < 0) == down; }))
            << "key " << FKey << " did not go " << (down ? "down" : "up");
        Application->ProcessMessages();  // the key's message, for a window of this thread that has the focus
    }
    WORD FKey;
};

#pragma once
// Helpers for tests that drive real windows: pumping the application's messages, clicks and
// keys through the message queue, and the exceptions that reached the application's error box.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "forms.h"

// Handles the application's messages for `ms` milliseconds.
void PumpFor(int ms);
// Handles messages until `done` is true or `timeoutMs` has passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Handles this thread's posted messages, input and repaints until none is left (what a step before
// left in the queue has been handled and drawn); false when some is still there after the timeout.
bool PumpHandled(int timeoutMs = 3000);
// Posts a left button press and release at a client point of a window, then handles them.
void ClickAt(HWND wnd, int x, int y);
// The same at the centre of a control (a windowless one through its parent's window).
void ClickControl(TControl* c);
// Real input through the system's input queue (SendInput): the pointer moved to a screen point,
// the left button pressed or released where it is. Each step is handled before the call
// returns, unless `handle` is false (a step taken inside a loop that reads the queue itself).
void MoveMouseTo(int x, int y, bool handle = true);
void MoveMouseTo(HWND wnd, int x, int y);  // a client point of a window
void LeftButton(bool down, bool handle = true);
// Posts a key press (down, then up) to a window (the focused one when null) and handles it.
void PressKey(WORD vk, HWND wnd = nullptr);
// Posts a character (WM_CHAR, or WM_SYSCHAR with Alt) to the focused window and handles it.
void TypeChar(char c, bool alt = false);

// The messages of the exceptions that reached the application's error handling since the last
// call. The test program records them instead of showing the error box.
std::vector<String> TakeReportedExceptions();
// Puts the recorder back as the application's OnException (after a test replaced it).
void RecordExceptions();

// A borderless form at (50, 50), owned by nobody (the test frees it).
TForm* NewTestForm(int w = 300, int h = 200);

// A control named `name` owned by `form`, placed on `parent`.
template <class T>
T* Add(TForm* form, TWinControl* parent, const char* name, int l, int t, int w, int h)
{
    auto* c = new T(form);
    c->SetName(name);
    c->SetBounds(l, t, w, h);
    c->SetParent(parent);
    return c;
}

// Fixture for window tests: an exception that reaches the error box unexpectedly fails the test,
// and a WM_QUIT a test caused is forgotten.
class GuiTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A top-level (or child) window of a class of our own, registered on first use.
HWND MakeTestWindow(const char* cls, WNDPROC proc, HINSTANCE instance, DWORD style = WS_OVERLAPPEDWINDOW,
                    int size = 200, HWND parent = nullptr);
// The window's procedure as the A functions see it.
// The window's procedure as its own character set reads it.
inline WNDPROC ProcOf(HWND w)
{
    return reinterpret_cast<WNDPROC>(IsWindowUnicode(w) ? GetWindowLongPtrW(w, GWLP_WNDPROC)
                                                        : GetWindowLongPtrA(w, GWLP_WNDPROC));
}

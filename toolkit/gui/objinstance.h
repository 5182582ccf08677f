#pragma once
// Window procedures bound to object methods: small executable thunks that turn a plain WNDPROC
// call into a call of a TWndMethod, hidden utility windows built on them, and owners that give
// both back.
#include <windows.h>

#include "messages.h"

// A WNDPROC that calls `method` with the message record and returns its Result. Exceptions that
// leave the method go to HandleCurrentException and the message returns the Result set so far.
// Raises EInvalidOperation for an empty method and EOutOfResources when no executable
// memory can be had.
WNDPROC MakeObjectInstance(TWndMethod method);
// Gives an instance back; null is fine. Raises EInvalidOperation for a pointer that is not a
// live instance of this module.
void FreeObjectInstance(WNDPROC instance);

// A hidden top-level window (not message-only: the shell and the foreground rules need a real
// window) of the class "TPUtilWindow", whose procedure calls `method`. The method sees every
// message and must set Result itself; what it doesn't handle it passes on with
//   m.Result = DefWindowProcA(wnd, m.Msg, m.WParam, m.LParam);
// Raises EOutOfResources when the window cannot be created.
HWND AllocateHWnd(TWndMethod method);
// Destroys a window made by AllocateHWnd and frees its instance; null is fine. The method hears
// nothing more, not even WM_DESTROY. Raises EInvalidOperation for any other window.
void DeallocateHWnd(HWND wnd);

// Owns one object instance.
class TObjectInstance {
public:
    TObjectInstance() = default;
    explicit TObjectInstance(TWndMethod method) : FProc(MakeObjectInstance(method)) {}
    TObjectInstance(TObjectInstance&& o) noexcept : FProc(o.Release()) {}
    TObjectInstance& operator=(TObjectInstance&& o) noexcept;
    TObjectInstance(const TObjectInstance&) = delete;
    TObjectInstance& operator=(const TObjectInstance&) = delete;
    ~TObjectInstance() { Reset(); }

    WNDPROC Proc() const { return FProc; }
    explicit operator bool() const { return FProc != nullptr; }
    WNDPROC Release() noexcept;
    void Reset() noexcept;

private:
    WNDPROC FProc = nullptr;
};

// Owns one utility window made by AllocateHWnd.
class TUtilWindow {
public:
    TUtilWindow() = default;
    explicit TUtilWindow(TWndMethod method) : FHandle(AllocateHWnd(method)) {}
    TUtilWindow(TUtilWindow&& o) noexcept : FHandle(o.FHandle) { o.FHandle = nullptr; }
    TUtilWindow& operator=(TUtilWindow&& o) noexcept;
    TUtilWindow(const TUtilWindow&) = delete;
    TUtilWindow& operator=(const TUtilWindow&) = delete;
    ~TUtilWindow() { Reset(); }

    HWND Handle() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    void Reset() noexcept;

private:
    HWND FHandle = nullptr;
};

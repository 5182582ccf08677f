#pragma once
// Window procedures bound to object methods: small executable thunks that turn a plain WNDPROC
// call into a call of a TWndMethod, hidden utility windows built on them, and owners that give
// both back.
#include <windows.h>

#include "messages.h"
#include "owner.h"

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

    WNDPROC Proc() const { return FProc.Get(); }
    explicit operator bool() const { return static_cast<bool>(FProc); }
    WNDPROC Release() noexcept { return FProc.Release(); }
    void Reset() noexcept { FProc.Reset(); }

private:
    struct TFree {
        void operator()(WNDPROC instance) const noexcept;
    };
    TOwnedHandle<WNDPROC, TFree> FProc;
};

// Owns one utility window made by AllocateHWnd.
class TUtilWindow {
public:
    TUtilWindow() = default;
    explicit TUtilWindow(TWndMethod method) : FHandle(AllocateHWnd(method)) {}

    HWND Handle() const { return FHandle.Get(); }
    explicit operator bool() const { return static_cast<bool>(FHandle); }
    void Reset() noexcept { FHandle.Reset(); }

private:
    struct TFree {
        void operator()(HWND wnd) const noexcept;
    };
    TOwnedHandle<HWND, TFree> FHandle;
};

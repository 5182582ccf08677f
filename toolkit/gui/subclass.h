#pragma once
// The one way this tree takes over an existing window's procedure: an object method is put in
// front of it through an object-instance thunk and the old procedure is given back when the
// owner goes (or on Restore).
//
// A window subclassed with the W setter gets wide text and its old procedure is called with
// CallWindowProcW; with the A setter everything is 8-bit. Mixing the two corrupts the text
// messages of a Unicode window.
//
// When somebody else replaced the procedure after us, putting ours back would cut them off, so
// our thunk stays in their chain as a plain forwarder to the old procedure; once they have put
// it back in front, the next message puts the old procedure in its place. It goes with the
// window at the latest; the method is never called again either way. Restore may be called
// from inside the method, also while the window handles WM_NCDESTROY.
#include <windows.h>

#include "messages.h"

class TSubclassLink;

class TWindowSubclass {
public:
    TWindowSubclass() = default;
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;
    ~TWindowSubclass() { Restore(); }

    // Raises EInvalidOperation when already installed, for a handle that is not a window, or
    // when the window refuses.
    void Install(HWND wnd, TWndMethod method, bool unicode);
    void Restore() noexcept;
    // Lets go of a window that is gone (or going, inside its WM_NCDESTROY) without writing to
    // its handle again.
    void Abandon() noexcept;
    bool Installed() const { return FLink != nullptr; }
    HWND Window() const { return FWnd; }
    WNDPROC OldProc() const { return FOldProc; }
    bool Unicode() const { return FUnicode; }
    // Our thunk: what the window's procedure slot holds while we are in front.
    WNDPROC Proc() const;
    // The old procedure's answer, called the way it was installed; 0 when not installed.
    LRESULT CallOld(const TMessage& m) const;

private:
    HWND FWnd = nullptr;
    WNDPROC FOldProc = nullptr;
    bool FUnicode = false;
    TSubclassLink* FLink = nullptr;
};

// CallWindowProcW or CallWindowProcA: for a caller that kept the old procedure of a window it
// has just let go of (while the window handles WM_NCDESTROY).
LRESULT CallWindowProcAW(WNDPROC proc, HWND wnd, const TMessage& m, bool unicode);

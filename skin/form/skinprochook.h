#pragma once
// Puts an object method in front of a window's procedure, with the W or the A setter as the
// caller says, and puts the old procedure back on Restore. The previous procedure is always
// called through CallWindowProcA.
//
// When somebody else replaced the procedure after us, putting ours back would cut them off, so
// our thunk stays in their chain as a plain forwarder to the old procedure and goes with the
// window; the method is never called again either way.
#include <windows.h>

#include "messages.h"

class TSkinProcLink;

class TSkinProcHook {
public:
    TSkinProcHook() = default;
    TSkinProcHook(const TSkinProcHook&) = delete;
    TSkinProcHook& operator=(const TSkinProcHook&) = delete;
    ~TSkinProcHook() { Restore(); }

    // Raises EInvalidOperation when already installed or when the window refuses.
    void Install(HWND wnd, TWndMethod method, bool unicode);
    void Restore() noexcept;
    bool Installed() const { return FLink != nullptr; }
    HWND Window() const { return FWnd; }
    WNDPROC OldProc() const { return FOldProc; }
    // Our thunk: what GWLP_WNDPROC reads while we are in front.
    WNDPROC Proc() const;
    // The old procedure's answer, through CallWindowProcA; 0 when not installed.
    LRESULT CallOld(const TMessage& m) const;

private:
    HWND FWnd = nullptr;
    WNDPROC FOldProc = nullptr;
    bool FUnicode = false;
    TSkinProcLink* FLink = nullptr;
};

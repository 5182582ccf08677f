#pragma once
// A theme change shows no half-drawn window: while the skins of windows are swapped their
// drawing is held (WM_SETREDRAW), and when the owner goes each window is repainted once,
// whole (frame, client area and every child), so the screen goes from the old look straight
// to the new one.
#include <windows.h>

#include <vector>

class TRepaintOnce {
public:
    TRepaintOnce() = default;
    ~TRepaintOnce() { Release(); }
    TRepaintOnce(const TRepaintOnce&) = delete;
    TRepaintOnce& operator=(const TRepaintOnce&) = delete;

    // Holds the drawing of a window that shows; a hidden one has nothing to hold.
    void Hold(HWND wnd);
    bool Holds(HWND wnd) const;
    const std::vector<HWND>& Held() const { return FHeld; }
    // Lets every held window draw again and repaints it now.
    void Release() noexcept;

private:
    std::vector<HWND> FHeld;
};

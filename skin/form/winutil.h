#pragma once
// Reading a window: its rectangles, and the DCs of its whole area and of its client area.
#include <windows.h>

#include "types.h"

inline TRect WindowRectOf(HWND wnd)
{
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

inline TRect ClientRectOf(HWND wnd)
{
    RECT r{};
    GetClientRect(wnd, &r);
    return r;
}

// The DC of a window's whole area (GetWindowDC), given back when it goes; or a DC the caller
// gave, which stays the caller's unless `release` hands it over (one from GetDCEx).
class TWindowDC {
public:
    explicit TWindowDC(HWND wnd, HDC given = nullptr, bool release = false)
        : FWnd(wnd), FOwn(given ? (release ? given : nullptr) : GetWindowDC(wnd)), FGiven(release ? nullptr : given)
    {
    }
    ~TWindowDC()
    {
        if (FOwn)
            ReleaseDC(FWnd, FOwn);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Get() const { return FGiven ? FGiven : FOwn; }

private:
    HWND FWnd;
    HDC FOwn;
    HDC FGiven;
};

// The DC of a window's client area (GetDC), given back when it goes.
class TClientDC {
public:
    explicit TClientDC(HWND wnd) : FWnd(wnd), FDC(GetDC(wnd)) {}
    ~TClientDC()
    {
        if (FDC)
            ReleaseDC(FWnd, FDC);
    }
    TClientDC(const TClientDC&) = delete;
    TClientDC& operator=(const TClientDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
};

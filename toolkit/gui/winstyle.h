#pragma once
// The style bits of any window, the toolkit's or another's.
#include <windows.h>

inline DWORD StyleOf(HWND wnd) { return static_cast<DWORD>(GetWindowLongA(wnd, GWL_STYLE)); }
inline DWORD ExStyleOf(HWND wnd) { return static_cast<DWORD>(GetWindowLongA(wnd, GWL_EXSTYLE)); }

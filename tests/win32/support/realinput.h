#pragma once
// Mouse input through the system's own queue (SendInput), as a user's hand gives it: the
// pointer is put on a screen point and a button pressed and released there. Which window gets
// it, with which hit code, and what the system makes of it is the system's business. Nothing is
// handled here: the caller pumps, or a loop the click opens does.
#include <windows.h>

#include "controls.h"

void ClickScreen(POINT at, TMouseButton button = mbLeft);
// A point given from the window's top-left corner, on the screen.
POINT WindowToScreen(HWND wnd, int x, int y);

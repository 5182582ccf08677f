#pragma once
// Owners of system handles: each gives its handle back with the call that frees that kind.
#include <windows.h>

#include "owner.h"

struct TDeleteGdiObject {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct TDestroyIcon {
    void operator()(HICON h) const { DestroyIcon(h); }
};
struct TUnhookWindowsHook {
    void operator()(HHOOK h) const { UnhookWindowsHookEx(h); }
};
struct TFreeLibrary {
    void operator()(HMODULE h) const { FreeLibrary(h); }
};
struct TRegCloseKey {
    void operator()(HKEY h) const { RegCloseKey(h); }
};
struct TCloseHandle {
    void operator()(HANDLE h) const { CloseHandle(h); }
};

// A GDI object (font, brush, pen, bitmap, region), an icon or cursor, a hook, a loaded module,
// an open registry key, a kernel object (an open file: never INVALID_HANDLE_VALUE).
template <class H>
using TGdiObject = TOwnedHandle<H, TDeleteGdiObject>;
using TIconHandle = TOwnedHandle<HICON, TDestroyIcon>;
using THookHandle = TOwnedHandle<HHOOK, TUnhookWindowsHook>;
using TModuleHandle = TOwnedHandle<HMODULE, TFreeLibrary>;
using TRegKey = TOwnedHandle<HKEY, TRegCloseKey>;
using TKernelHandle = TOwnedHandle<HANDLE, TCloseHandle>;

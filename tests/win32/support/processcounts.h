#pragma once
// What a process holds, counted for leak checks: live GDI objects, windows of this thread and
// bytes in use in the heaps.
#include <windows.h>

#include <algorithm>
#include <cstddef>

// Live GDI objects of the process, from a scan of the handle table (Wine has no
// GetGuiResources): a handle with a zero upper word names any generation of its slot.
inline int LiveGdiObjects()
{
    int n = 0;
    for (UINT_PTR i = 1; i < 0x10000; ++i)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)))
            ++n;
    return n;
}

// Top-level windows of this thread and every child of them.
inline int ThreadWindows()
{
    struct TCount {
        static BOOL CALLBACK Child(HWND, LPARAM p)
        {
            ++*reinterpret_cast<int*>(p);
            return TRUE;
        }
        static BOOL CALLBACK Top(HWND w, LPARAM p)
        {
            ++*reinterpret_cast<int*>(p);
            EnumChildWindows(w, &Child, p);
            return TRUE;
        }
    };
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), &TCount::Top, reinterpret_cast<LPARAM>(&n));
    return n;
}

// Bytes in use in the process's heaps.
inline size_t HeapBytesInUse()
{
    HANDLE heaps[64];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    size_t total = 0;
    for (DWORD i = 0; i < count; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY e{};
        while (HeapWalk(heaps[i], &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += e.cbData;
        HeapUnlock(heaps[i]);
    }
    return total;
}

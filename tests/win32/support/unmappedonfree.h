#pragma once
// An object whose memory is unmapped when it is freed: whatever touches it afterwards (a field,
// a virtual call, a method bound to it) faults at once instead of reading stale bytes silently.
// The pages stay reserved, so no later allocation can land there and hide the fault.
#include <windows.h>

#include <new>

template <class T>
class TUnmappedOnFree : public T {
public:
    using T::T;

    static void* operator new(size_t size)
    {
        void* p = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (!p)
            throw std::bad_alloc();
        return p;
    }
    static void operator delete(void* p) { VirtualFree(p, 0, MEM_DECOMMIT); }
};

#pragma once
// Functions of system libraries the program needs only now and then (the file dialog, the media
// control interface, sounds): their library is loaded the first time one of them is called, not
// when the program starts, which would cost every start the library's loading.
#include <windows.h>

#include "sysutils.h"

// The function `name` of `library`, the library loaded on the first call; null when either is
// missing.
FARPROC LateProcAddress(const char* library, const char* name);

// The same, typed as the declaration of the function in the system headers.
template <class F>
F FindLateProc(const char* library, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(LateProcAddress(library, name)));
}

// The same, raising EOutOfResources when the system lacks it.
template <class F>
F LateProc(const char* library, const char* name)
{
    F f = FindLateProc<F>(library, name);
    if (!f)
        throw EOutOfResources(String("The system has no ") + name + " in " + library);
    return f;
}

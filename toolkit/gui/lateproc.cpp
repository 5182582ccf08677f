#include "lateproc.h"

FARPROC LateProcAddress(const char* library, const char* name)
{
    // Loaded once and kept: the handle is never freed while the process runs.
    HMODULE module = GetModuleHandleA(library);
    if (!module)
        module = LoadLibraryA(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

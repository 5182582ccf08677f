// A test program that crashes or aborts ends at once with a message on stderr, instead of
// waiting in a message box or a debugger that nobody will answer under Xvfb.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

LONG WINAPI OnCrash(EXCEPTION_POINTERS* info)
{
    std::fprintf(stderr, "test program crashed: exception 0x%08lX at %p\n",
                 info->ExceptionRecord->ExceptionCode, info->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ExitProcess(3);
}

struct CrashGuard {
    CrashGuard()
    {
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
        SetUnhandledExceptionFilter(OnCrash);
        std::set_terminate([] {
            std::fprintf(stderr, "test program terminated by an uncaught exception\n");
            std::fflush(stderr);
            ExitProcess(3);
        });
    }
} gCrashGuard;

}  // namespace

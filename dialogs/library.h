#pragma once
// The library's start and the frame every export runs in.
#include "apphooks.h"

// Readies the library's own application object (classes for the form files, the hidden
// application window) the first time an export needs it; cheap afterwards.
void StartLibrary();

// Ends the library's share of a quit request: the dialog's modal loop takes a WM_QUIT meant for
// the caller's message loop out of the thread's queue (and closes the dialog for it). Put it
// back, so the caller's loop still ends, and let the next dialog run normally.
void PassOnQuit() noexcept;

// Runs an export's body. An exception never leaves the library: it is shown in the library's
// own error box and the export returns `refusal`.
template <class R, class F>
R RunExport(R refusal, F&& body) noexcept
{
    R result = refusal;
    try {
        StartLibrary();
        result = body();
    } catch (...) {
        HandleCurrentException(nullptr);
    }
    PassOnQuit();
    return result;
}

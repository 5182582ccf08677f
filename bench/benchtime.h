#pragma once
// What the timing programs under Wine share: a millisecond clock, handling the pending
// messages, the best time of a step over a few batches, a whole repaint of a window.
#include <windows.h>

#include <algorithm>
#include <functional>

inline double Now()
{
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Milliseconds per run of `step`, the best of a few batches.
inline double Time(int runs, const std::function<void()>& step)
{
    double best = 1e300;
    for (int batch = 0; batch < 5; ++batch) {
        const double start = Now();
        for (int i = 0; i < runs; ++i)
            step();
        best = std::min(best, (Now() - start) / runs);
    }
    return best;
}

// The frame, the client area and every child, painted now.
inline void RepaintWhole(HWND h)
{
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

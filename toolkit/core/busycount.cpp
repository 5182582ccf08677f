#include "busycount.h"

#include <utility>

TBusyCount::~TBusyCount()
{
    // Freed by somebody else while calls run: they must not touch the owner, nor let it go.
    FState->Gone = true;
    FState->Release = nullptr;
}

void TBusyCount::Release(std::function<void()> release)
{
    if (!release || FState->Release)
        return;
    if (FState->Depth > 0) {
        FState->Release = std::move(release);
        return;
    }
    release();
}

TBusyCount::TCall::TCall(TBusyCount* count) : FState(count ? count->FState : nullptr)
{
    if (FState)
        ++FState->Depth;
}

TBusyCount::TCall::~TCall()
{
    if (!FState || --FState->Depth > 0 || FState->Gone || !FState->Release)
        return;
    // Taken out first: the release frees the count with its owner, and the calls it makes into
    // the object's windows on the way must not start it again.
    std::function<void()> release = std::exchange(FState->Release, nullptr);
    try {
        release();
    } catch (...) {
        // Letting go happens on the way out of a window procedure: nothing may pass it.
    }
}

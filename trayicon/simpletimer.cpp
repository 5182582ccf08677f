#include "simpletimer.h"

#include <utility>

#include "apphooks.h"
#include "objinstance.h"

namespace {

TSimpleTimerHandler* gHandler = nullptr;

// Ids only grow, so a stale id never names a newer timer.
UINT_PTR gNextId = 1;

UINT_PTR NewTimerId()
{
    for (;;) {
        UINT_PTR id = gNextId++;
        if (gNextId == 0)
            gNextId = 1;
        if (id != 0 && (!gHandler || !gHandler->Find(id)))
            return id;
    }
}

void FreeHandler() noexcept
{
    TSimpleTimerHandler* h = std::exchange(gHandler, nullptr);
    try {
        delete h;
    } catch (...) {
        HandleCurrentException(nullptr);
    }
}

// Timers that were never freed leave the handler behind; the module's end takes it.
struct THandlerFinalizer {
    ~THandlerFinalizer() { FreeHandler(); }
} gFinalizer;

}  // namespace

// ---- TSimpleTimerHandler ----

const TClassInfo& TSimpleTimerHandler::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSimpleTimerHandler>("TSimpleTimerHandler", &TObject::StaticClass()).Build();
    return info;
}

TSimpleTimerHandler::TSimpleTimerHandler() : FHandle(AllocateHWnd(TWndMethod(this, &TSimpleTimerHandler::TimerWindowProc))) {}

TSimpleTimerHandler::~TSimpleTimerHandler() { DeallocateHWnd(std::exchange(FHandle, nullptr)); }

TSimpleTimer* TSimpleTimerHandler::Find(UINT_PTR id) const
{
    auto it = FTimers.find(id);
    return it == FTimers.end() ? nullptr : it->second;
}

void TSimpleTimerHandler::TimerWindowProc(TMessage& m)
{
    ++FDispatching;
    try {
        Dispatch(m);
    } catch (...) {
        HandleCurrentException(this);
    }
    // The last timer went inside this message: the window goes now that nothing runs in it.
    if (--FDispatching == 0 && FFreePending && FRefCount == 0 && gHandler == this)
        FreeHandler();
}

void TSimpleTimerHandler::Dispatch(TMessage& m)
{
    if (m.Msg != WM_TIMER) {
        m.Result = DefWindowProcA(FHandle, m.Msg, m.WParam, m.LParam);
        return;
    }
    m.Result = 0;
    TSimpleTimer* timer = Find(m.WParam);
    if (!timer)
        return;
    TNotifyEvent event = timer->OnTimer();  // a copy: the handler may free the timer
    try {
        Fire(event, timer);
    } catch (...) {
        HandleCurrentException(Find(m.WParam) ? static_cast<TObject*>(timer) : this);
    }
}

TSimpleTimerHandler* SimpleTimerHandler() { return gHandler; }

void AcquireTimerHandler()
{
    if (!gHandler)
        gHandler = new TSimpleTimerHandler();
    ++gHandler->FRefCount;
    gHandler->FFreePending = false;
}

void ReleaseTimerHandler()
{
    if (!gHandler)
        return;
    if (gHandler->FRefCount > 0)
        --gHandler->FRefCount;
    if (gHandler->FRefCount != 0)
        return;
    if (gHandler->FDispatching > 0)
        gHandler->FFreePending = true;
    else
        FreeHandler();
}

// ---- TSimpleTimer ----

const TClassInfo& TSimpleTimer::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSimpleTimer>("TSimpleTimer", &TObject::StaticClass()).Build();
    return info;
}

TSimpleTimer::TSimpleTimer() { Init(1000, nullptr); }

TSimpleTimer::TSimpleTimer(unsigned interval, const TNotifyEvent& onTimer) { Init(interval, onTimer); }

void TSimpleTimer::Init(unsigned interval, const TNotifyEvent& onTimer)
{
    FEnabled = false;
    FInterval = interval;
    SetOnTimer(onTimer);
    AcquireTimerHandler();
    FId = NewTimerId();
    gHandler->FTimers[FId] = this;
}

TSimpleTimer::~TSimpleTimer()
{
    if (FEnabled)
        Deactivate(true);
    if (gHandler)
        gHandler->FTimers.erase(FId);
    ReleaseTimerHandler();
}

HWND TSimpleTimer::Window() { return gHandler ? gHandler->Handle() : nullptr; }

void TSimpleTimer::SetEnabled(bool v)
{
    if (v)
        Activate();
    else
        Deactivate(true);
}

void TSimpleTimer::SetInterval(unsigned v)
{
    if (v == FInterval)
        return;
    FInterval = v;
    if (!FEnabled)
        return;
    if (v != 0)
        Activate();
    else
        Deactivate(false);
}

void TSimpleTimer::SetOnTimer(const TNotifyEvent& v)
{
    FOnTimer = v;
    if (!FOnTimer && FEnabled)
        Deactivate(false);
}

bool TSimpleTimer::Activate()
{
    if (FInterval == 0)
        return false;
    if (FEnabled)
        Deactivate(true);
    HWND wnd = Window();
    if (!wnd || !SetTimer(wnd, FId, FInterval, nullptr))
        return false;
    FEnabled = true;
    return true;
}

bool TSimpleTimer::Deactivate(bool clearEnabled)
{
    if (clearEnabled)
        FEnabled = false;
    HWND wnd = Window();
    return wnd && KillTimer(wnd, FId);
}

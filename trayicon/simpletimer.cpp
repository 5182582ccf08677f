#include "simpletimer.h"

#include "apphooks.h"

// ---- TSimpleTimerHandler ----

const TClassInfo& TSimpleTimerHandler::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSimpleTimerHandler>("TSimpleTimerHandler", &TObject::StaticClass()).Build();
    return info;
}

void TSimpleTimerHandler::Dispatch(TMessage& m)
{
    if (m.Msg != WM_TIMER) {
        m.Result = DefWindowProcA(Handle(), m.Msg, m.WParam, m.LParam);
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

TSimpleTimerHandler* SimpleTimerHandler() { return TSimpleTimerHandler::Instance(); }

void AcquireTimerHandler() { TSimpleTimerHandler::Acquire(); }

void ReleaseTimerHandler() { TSimpleTimerHandler::Release(); }

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
    FId = TSimpleTimerHandler::Acquire().Add(this);
}

TSimpleTimer::~TSimpleTimer()
{
    if (FEnabled)
        Deactivate(true);
    if (auto* h = SimpleTimerHandler())
        h->Remove(FId);
    ReleaseTimerHandler();
}

HWND TSimpleTimer::Window()
{
    auto* h = SimpleTimerHandler();
    return h ? h->Handle() : nullptr;
}

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

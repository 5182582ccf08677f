#include "timer.h"

#include <map>
#include <utility>

#include "apphooks.h"
#include "objinstance.h"

// The one hidden window all timers of the module tick through. A WM_TIMER id is looked up in
// the table and never taken for a pointer: a tick still queued for a stopped or freed timer
// finds nothing and is dropped. Every run of a timer gets a fresh id for the same reason.
class TTimerWindow : public TObject {
public:
    static void Acquire();
    static void Release();
    static TTimerWindow& Instance() { return *gWindow; }

    UINT_PTR Start(TTimer* timer, int interval);
    void Stop(UINT_PTR id);

private:
    TTimerWindow() : FWindow(TWndMethod(this, &TTimerWindow::WndProc)) {}
    void WndProc(TMessage& m);
    static void Tick(TTimer* timer);
    UINT_PTR NewId();

    static inline TTimerWindow* gWindow = nullptr;
    static inline int gUsers = 0;

    TUtilWindow FWindow;
    std::map<UINT_PTR, TTimer*> FTimers;
    UINT_PTR FNextId = 1;
};

void TTimerWindow::Acquire()
{
    if (!gWindow)
        gWindow = new TTimerWindow();
    ++gUsers;
}

void TTimerWindow::Release()
{
    if (--gUsers > 0)
        return;
    // May run inside the window's own WM_TIMER (the last timer freed in its OnTimer): nothing
    // on the way back out touches the window object.
    delete std::exchange(gWindow, nullptr);
}

UINT_PTR TTimerWindow::NewId()
{
    for (;;) {
        UINT_PTR id = FNextId++;
        if (FNextId == 0)
            FNextId = 1;
        if (id != 0 && !FTimers.contains(id))
            return id;
    }
}

UINT_PTR TTimerWindow::Start(TTimer* timer, int interval)
{
    UINT_PTR id = NewId();
    if (!SetTimer(FWindow.Handle(), id, static_cast<UINT>(interval), nullptr))
        throw EOutOfResources("Not enough timers available");
    FTimers[id] = timer;
    return id;
}

void TTimerWindow::Stop(UINT_PTR id)
{
    KillTimer(FWindow.Handle(), id);
    FTimers.erase(id);
}

void TTimerWindow::WndProc(TMessage& m)
{
    if (m.Msg != WM_TIMER) {
        m.Result = DefWindowProcA(FWindow.Handle(), m.Msg, m.WParam, m.LParam);
        return;
    }
    m.Result = 0;
    auto it = FTimers.find(m.WParam);
    if (it != FTimers.end())
        Tick(it->second);  // may free this window object: nothing after it
}

void TTimerWindow::Tick(TTimer* timer)
{
    TTimer::TDispatchGuard guard{timer->FGuards, false};
    timer->FGuards = &guard;
    try {
        timer->Timer();
    } catch (...) {
        HandleCurrentException(guard.Destroyed ? nullptr : timer);
    }
    if (!guard.Destroyed)
        timer->FGuards = guard.Prev;
}

// ---- TTimer ----

namespace {
// OnTimer goes through its setter, so assigning or clearing it starts or stops the timer.
TPropInfo OnTimerProp()
{
    TPropInfo p;
    p.Name = "OnTimer";
    p.Kind = TPropKind::Event;
    p.Get = [](TObject* o) { return TValue::OfMethod(static_cast<TTimer*>(o)->OnTimer().ToAny()); };
    p.Set = [](TObject* o, const TValue& v) {
        TNotifyEvent e;
        if (!e.FromAny(v.Method))
            throw EPropertyError("Handler does not fit event OnTimer");
        static_cast<TTimer*>(o)->SetOnTimer(e);
    };
    return p;
}
}  // namespace

const TClassInfo& TTimer::StaticClass()
{
    static const TClassInfo info = [] {
        TClassInfo c = TClassBuilder<TTimer>("TTimer", &TComponent::StaticClass())
                           .Creatable()
                           .Prop("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                           .Prop("Interval", &TTimer::Interval, &TTimer::SetInterval)
                           .Build();
        c.Props.push_back(OnTimerProp());
        return c;
    }();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer()
{
    for (TDispatchGuard* g = FGuards; g; g = g->Prev)
        g->Destroyed = true;
    Stop();
    if (FUsesWindow)
        TTimerWindow::Release();
}

void TTimer::SetInterval(int v)
{
    if (v < 0)
        throw EInvalidOperation("Invalid timer interval " + IntToStr(v));
    if (v == FInterval)
        return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& v)
{
    bool wasAssigned = static_cast<bool>(FOnTimer);
    FOnTimer = v;
    if (wasAssigned != static_cast<bool>(FOnTimer))
        UpdateTimer();
}

void TTimer::Loaded()
{
    inherited::Loaded();
    UpdateTimer();
}

void TTimer::Timer() { Fire(FOnTimer, this); }

void TTimer::Stop()
{
    if (FId != 0)
        TTimerWindow::Instance().Stop(std::exchange(FId, 0));
}

void TTimer::UpdateTimer()
{
    Stop();
    if (!FEnabled || FInterval <= 0 || !FOnTimer || Loading() || Destroying())
        return;
    if (!FUsesWindow) {
        TTimerWindow::Acquire();
        FUsesWindow = true;
    }
    FId = TTimerWindow::Instance().Start(this, FInterval);
}

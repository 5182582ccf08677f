#pragma once
// The timer component. Every timer of the module ticks through one shared hidden window.
#include <windows.h>

#include "component.h"

class TTimer : public TComponent {
    TK_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    // Enabling a running timer changes nothing: its interval is not restarted.
    TK_PROPERTY(bool, Enabled, UpdateTimer());
    int Interval() const { return FInterval; }
    // A new interval restarts a running timer; 0 stops it. Negative values raise EInvalidOperation.
    void SetInterval(int v);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(const TNotifyEvent& v);

    // Ticking: Enabled, Interval above 0 and OnTimer assigned (and not being streamed).
    bool Running() const { return FId != 0; }
    void Loaded() override;

protected:
    virtual void Timer();

private:
    friend class TTimerWindow;
    struct TDispatchGuard {
        TDispatchGuard* Prev;
        bool Destroyed;
    };

    void UpdateTimer();
    void Stop();

    bool FEnabled = true;
    int FInterval = 1000;
    TNotifyEvent FOnTimer;
    UINT_PTR FId = 0;                      // the id of the current run in the shared table
    bool FUsesWindow = false;              // holds a reference on the shared window
    TDispatchGuard* FGuards = nullptr;     // ticks in progress, told when the timer is freed
};

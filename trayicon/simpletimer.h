#pragma once
// The light timer: a timer that is not a component (no owner, no form presence, no window of
// its own). All light timers tick through one hidden window, made when the first timer is
// created and destroyed when the last one goes.
#include <windows.h>

#include "sharedwindow.h"

class TSimpleTimer;

// The shared window and the table from timer id to timer. WM_TIMER ids are looked up in the
// table and never taken for pointers, so a tick of a freed timer (or one posted by another
// process) finds nothing.
class TSimpleTimerHandler : public TSharedWindow<TSimpleTimerHandler, TSimpleTimer, UINT_PTR> {
    TK_CLASS(TSimpleTimerHandler, TObject)
protected:
    void Dispatch(TMessage& m) override;
};

// The process's handler (null when no light timer exists).
TSimpleTimerHandler* SimpleTimerHandler();
// Creates the handler when there is none and counts one more user.
void AcquireTimerHandler();
// Counts one user less (never below 0); at 0 the handler and its window go.
void ReleaseTimerHandler();

class TSimpleTimer : public TObject {
    TK_CLASS(TSimpleTimer, TObject)
public:
    // 1000 ms, no handler, not running.
    TSimpleTimer();
    TSimpleTimer(unsigned interval, const TNotifyEvent& onTimer);
    ~TSimpleTimer() override;

    // The timer id given to SetTimer: unique for the life of the process.
    UINT_PTR Id() const { return FId; }

    bool Enabled() const { return FEnabled; }
    // True starts (or restarts) the timer, False stops it.
    void SetEnabled(bool v);
    unsigned Interval() const { return FInterval; }
    // A running timer restarts with a new non-zero period; 0 stops the system timer and leaves
    // Enabled on, so a later non-zero interval starts it again.
    void SetInterval(unsigned v);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    // Clearing the handler of a running timer stops the system timer (Enabled stays on).
    void SetOnTimer(const TNotifyEvent& v);

    // Starts the system timer; false for interval 0 or when the system has no timer to give.
    bool Activate();
    // Stops the system timer; returns whether KillTimer succeeded.
    bool Deactivate(bool clearEnabled);

private:
    void Init(unsigned interval, const TNotifyEvent& onTimer);
    static HWND Window();

    UINT_PTR FId = 0;
    bool FEnabled = false;
    unsigned FInterval = 1000;
    TNotifyEvent FOnTimer;
};

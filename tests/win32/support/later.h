#pragma once
// Steps taken from a timer while a modal loop (a message box, a dialog) runs, and the forms
// such a loop shows.
#include <functional>

#include "forms.h"
#include "timer.h"

// Runs an action from a timer while a modal loop (a dialog) is running.
class TLater : public TObject {
public:
    explicit TLater(std::function<bool()> action, int interval = 100) : FAction(std::move(action))
    {
        FTimer.SetInterval(interval);
        FTimer.SetOnTimer(TNotifyEvent(this, &TLater::Tick));
    }
    int Ticks = 0;

private:
    void Tick(TObject*)
    {
        // Gives up after a while, so a dialog that never appears can't hang the test.
        if (++Ticks > 50 || FAction())
            FTimer.SetEnabled(false);
    }
    std::function<bool()> FAction;
    TTimer FTimer{nullptr};
};

// The form shown last.
inline TCustomForm* NewestForm() { return Screen->FormCount() ? Screen->Forms(Screen->FormCount() - 1) : nullptr; }

// A component of a form, by name and class; null when it has no such one.
template <class T>
T* Part(TComponent* form, const char* name)
{
    return As<T>(form->FindComponent(name));
}

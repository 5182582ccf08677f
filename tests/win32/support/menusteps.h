#pragma once
// Steps taken inside a menu's own loop (a tracked popup menu does not give control back while it
// is open): each runs once the state it waits for has come, looked for by a timer that ticks in
// that loop too. A state that does not come in time ends the menu and is named, as is a menu
// left open after the last step, so a test fails with what did not happen instead of hanging.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "timer.h"
#include "types.h"

// The highlighted item of a menu, or -1.
int HighlightedItem(HMENU menu);
// An item of an open menu in its window's coordinates.
TRect ItemRect(HWND popup, HMENU menu, int i);
// The open popup-menu window of this thread once it has painted itself, or null.
HWND PaintedMenuWindow();
// Keys through the system's input queue, as a hand presses them: `held` pressed in order,
// `key` pressed and released, `held` released.
void SendChord(std::initializer_list<WORD> held, WORD key);

class TMenuSteps : public TObject {
public:
    explicit TMenuSteps(int timeoutMs = 5000);
    ~TMenuSteps() override;

    // Once `ready` holds (and the steps before it were taken): `run`.
    TMenuSteps& When(std::string what, std::function<bool()> ready, std::function<void()> run = {});
    // Once a menu window is open and painted: run(window).
    TMenuSteps& WhenOpen(std::function<void(HWND)> run);

    // Does what opens the menu (or, with no steps, what must open none) and handles messages
    // until every step was taken and no menu is open; fails with what did not happen.
    testing::AssertionResult Taken(const std::function<void()>& open);

private:
    struct TStep {
        std::string What;
        std::function<bool()> Ready;
        std::function<void()> Run;
    };
    void Tick(TObject*);
    void Fail(const std::string& what);
    bool Over() const;

    std::vector<TStep> FSteps;
    size_t FNext = 0;
    DWORD FSince = 0;
    int FTimeout;
    std::string FMissing;
    TTimer FTimer;
};

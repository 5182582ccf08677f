#include "menusteps.h"

#include <iterator>

#include "guitest.h"
#include "menuloop.h"

int HighlightedItem(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
            return i;
    return -1;
}

TRect ItemRect(HWND popup, HMENU menu, int i)
{
    RECT r{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r);
    RECT w{};
    GetWindowRect(popup, &w);
    OffsetRect(&r, -w.left, -w.top);
    return r;
}

HWND PaintedMenuWindow()
{
    HWND w = OpenMenuWindow();
    return w && !GetUpdateRect(w, nullptr, FALSE) ? w : nullptr;
}

void SendChord(std::initializer_list<WORD> held, WORD key)
{
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD vk, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    for (WORD vk : held)
        add(vk, false);
    add(key, false);
    add(key, true);
    for (auto vk = std::rbegin(held); vk != std::rend(held); ++vk)
        add(*vk, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TMenuSteps::TMenuSteps(int timeoutMs) : FTimeout(timeoutMs), FTimer(nullptr)
{
    FTimer.SetEnabled(false);
    FTimer.SetInterval(15);
    FTimer.SetOnTimer(TNotifyEvent(this, &TMenuSteps::Tick));
}

TMenuSteps::~TMenuSteps() { FTimer.SetEnabled(false); }

TMenuSteps& TMenuSteps::When(std::string what, std::function<bool()> ready, std::function<void()> run)
{
    FSteps.push_back({std::move(what), std::move(ready), std::move(run)});
    return *this;
}

TMenuSteps& TMenuSteps::WhenOpen(std::function<void(HWND)> run)
{
    return When("a menu window opened", [] { return PaintedMenuWindow() != nullptr; },
                [run] { run(PaintedMenuWindow()); });
}

testing::AssertionResult TMenuSteps::Taken(const std::function<void()>& open)
{
    FNext = 0;
    FMissing.clear();
    FSince = GetTickCount();
    FTimer.SetEnabled(true);
    open();
    // Each state has its time; this only ends a wait that nothing else ends.
    const bool over = PumpUntil([this] { return Over(); }, FTimeout * (static_cast<int>(FSteps.size()) + 2));
    FTimer.SetEnabled(false);
    if (!over)
        return testing::AssertionFailure() << "the menu's steps never ended";
    if (!FMissing.empty())
        return testing::AssertionFailure() << FMissing;
    return testing::AssertionSuccess();
}

bool TMenuSteps::Over() const { return !FMissing.empty() || (FNext == FSteps.size() && !OpenMenuWindow()); }

void TMenuSteps::Fail(const std::string& what)
{
    FMissing = what;
    EndMenu();
}

void TMenuSteps::Tick(TObject*)
{
    if (!FMissing.empty())
        return;
    const bool late = static_cast<int>(GetTickCount() - FSince) > FTimeout;
    if (FNext == FSteps.size()) {
        if (!OpenMenuWindow())
            FSince = GetTickCount();
        else if (late)
            Fail("a menu was still open after the last step");
        return;
    }
    TStep& step = FSteps[FNext];
    if (!step.Ready()) {
        if (late)
            Fail("not in time: " + step.What);
        return;
    }
    ++FNext;
    FSince = GetTickCount();
    if (step.Run)
        step.Run();
}

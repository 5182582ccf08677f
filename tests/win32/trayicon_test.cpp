// The light timer and the tray icon, under Wine's notification area: the shell's record, the
// callback table driven by posting the callback message to the shared window, the click state
// machine, the popup menu, icon cycling, and the main form hidden and shown again.
#include <cstring>

#include "formfile.h"
#include "guitest.h"
#include "heldkey.h"
#include "imglist.h"
#include "menus.h"
#include "realinput.h"
#include "simpletimer.h"
#include "trayicon.h"
#include "unmappedonfree.h"

namespace {

// Records the events it is bound to.
class TEventLog : public TObject {
public:
    std::vector<String> Lines;
    int Ticks = 0;
    POINT At{};  // where the last mouse event said the cursor was
    TSimpleTimer* FreeOnTick = nullptr;
    bool HandlerKeptDuringTick = false;
    TTrayIcon* FreeOnClick = nullptr;

    void Tick(TObject*)
    {
        ++Ticks;
        if (!FreeOnTick)
            return;
        delete std::exchange(FreeOnTick, nullptr);
        // The shared window's object stays until the message that freed its last timer is over.
        HandlerKeptDuringTick = SimpleTimerHandler() && IsWindow(SimpleTimerHandler()->Handle());
        ReleaseTimerHandler();  // once too often: the count stays at zero
    }
    void Click(TObject*)
    {
        Lines.push_back("click");
        if (FreeOnClick)
            std::exchange(FreeOnClick, nullptr)->Free();
    }
    void DblClick(TObject*) { Lines.push_back("dblclick"); }
    void Enter(TObject*) { Lines.push_back("enter"); }
    void Exit(TObject*) { Lines.push_back("exit"); }
    void Minimize(TObject*) { Lines.push_back("minimize"); }
    void BalloonShow(TObject*) { Lines.push_back("shown"); }
    void BalloonHide(TObject*) { Lines.push_back("hidden"); }
    void BalloonTimeout(TObject*) { Lines.push_back("timeout"); }
    void BalloonClick(TObject*) { Lines.push_back("balloon click"); }
    void Item(TObject* s) { Lines.push_back("item " + static_cast<TComponent*>(s)->Name()); }
    void Cycle(TObject*, int next) { Lines.push_back("cycle " + IntToStr(next)); }
    void Down(TObject*, TMouseButton b, TShiftState s, int x, int y)
    {
        Lines.push_back("down " + IntToStr(b) + " " + IntToStr(s.Mask()));
        At = {x, y};
    }
    void Up(TObject*, TMouseButton b, TShiftState s, int, int) { Lines.push_back("up " + IntToStr(b) + " " + IntToStr(s.Mask())); }
};

// A popup menu that records where it would pop up instead of tracking.
class TRecordingMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    int Popups = 0;
    POINT At{};
    void Popup(int x, int y) override
    {
        ++Popups;
        At = {x, y};
    }
};

// A form that streams a tray icon and answers its start-up question.
class TTrayForm : public TForm {
    TK_CLASS(TTrayForm, TForm)
public:
    using TForm::TForm;
    TK_HANDLER(TrayIcon1Startup, TObject*, bool& show) { show = false; }
};

const TClassInfo& TTrayForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTrayForm>("TTrayForm", &TForm::StaticClass()).Build();
    return info;
}

// A procedure put in front of a form's after the tray icon's, as the skin engine does.
WNDPROC gNextProc = nullptr;
int gTextQueries = 0;
LRESULT CALLBACK LaterProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_GETTEXTLENGTH)
        ++gTextQueries;
    return CallWindowProcA(gNextProc, h, m, w, l);
}

HICON NewIconHandle() { return CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)); }

void Callback(TTrayIcon* icon, LPARAM event) { PostMessageA(TrayIconHandler()->Handle(), TrayCallbackMessage, icon->Id(), event); }

// Runs the posted callbacks: they are in the queue already.
void Pump() { Application->ProcessMessages(); }

// Lets the double-click time run out from `since` (a tick count taken after the press was
// handled), then handles the delay timer's tick that is due by then.
void WaitOutDoubleClick(DWORD since)
{
    const DWORD due = GetDoubleClickTime() + 30;
    ASSERT_TRUE(PumpUntil([&] { return GetTickCount() - since > due; }, static_cast<int>(due) + 2000));
    Pump();
}

// The system's double-click time for this session while it lives.
class TDoubleClickTime {
public:
    explicit TDoubleClickTime(UINT ms) { SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, ms, nullptr, 0); }
    ~TDoubleClickTime() { SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, FOld, nullptr, 0); }

private:
    UINT FOld = GetDoubleClickTime();
};

class TrayTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Icon = new TTrayIcon(nullptr);
        TIcon image;
        image.SetHandle(NewIconHandle());
        Icon->SetIcon(&image);
    }
    void TearDown() override
    {
        if (Icon)
            Icon->Free();
        GuiTest::TearDown();
    }
    // NIM_MODIFY with a copy of the record tells whether the shell has that icon.
    static bool ShellHas(NOTIFYICONDATAA d)
    {
        d.uFlags = NIF_TIP;
        return Shell_NotifyIconA(NIM_MODIFY, &d) != FALSE;
    }
    bool ShellHasIcon() const { return ShellHas(Icon->IconData()); }

    TTrayIcon* Icon = nullptr;
    TEventLog Log;
};

}  // namespace

// ---- the light timer ----

TEST_F(GuiTest, SimpleTimerSharesOneCountedWindow)
{
    ASSERT_EQ(SimpleTimerHandler(), nullptr);
    TEventLog log;
    auto* a = new TUnmappedOnFree<TSimpleTimer>(20, TNotifyEvent(&log, &TEventLog::Tick));
    auto* b = new TSimpleTimer();
    ASSERT_NE(SimpleTimerHandler(), nullptr);
    HWND wnd = SimpleTimerHandler()->Handle();
    EXPECT_TRUE(IsWindow(wnd));
    EXPECT_EQ(SimpleTimerHandler()->RefCount(), 2);
    EXPECT_EQ(b->Interval(), 1000u);
    EXPECT_FALSE(b->Enabled());
    EXPECT_NE(a->Id(), b->Id());
    // Other messages are the window's default handling.
    SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("timers"));
    EXPECT_EQ(GetWindowTextLengthA(wnd), 6);

    // A running timer stops when it is freed; a tick for it afterwards finds nothing.
    const UINT_PTR stale = a->Id();
    a->SetEnabled(true);
    delete a;
    EXPECT_FALSE(KillTimer(wnd, stale)) << "the freed timer's system timer was left running";
    SendMessageA(wnd, WM_TIMER, stale, 0);
    EXPECT_EQ(log.Ticks, 0);
    EXPECT_EQ(SimpleTimerHandler()->RefCount(), 1);
    delete b;
    EXPECT_EQ(SimpleTimerHandler(), nullptr);
    EXPECT_FALSE(IsWindow(wnd));

    ReleaseTimerHandler();  // never below zero, never a crash
    auto* c = new TSimpleTimer();
    ASSERT_NE(SimpleTimerHandler(), nullptr);
    EXPECT_EQ(SimpleTimerHandler()->RefCount(), 1);
    delete c;
}

TEST_F(GuiTest, SimpleTimerSetterRules)
{
    TEventLog log;
    TSimpleTimer t(0, TNotifyEvent(&log, &TEventLog::Tick));
    t.SetEnabled(true);
    EXPECT_FALSE(t.Enabled()) << "interval 0 cannot start";
    EXPECT_FALSE(t.Activate());

    t.SetInterval(20);
    EXPECT_FALSE(t.Enabled()) << "a new interval does not start a stopped timer";
    t.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return log.Ticks >= 2; }));

    t.SetInterval(0);  // the system timer stops, Enabled stays on
    EXPECT_TRUE(t.Enabled());
    int ticks = log.Ticks;
    PumpFor(100);  // five periods pass on purpose: no tick may come
    EXPECT_EQ(log.Ticks, ticks);
    t.SetInterval(20);  // and a non-zero interval starts it again
    EXPECT_TRUE(PumpUntil([&] { return log.Ticks > ticks; }));

    // The same interval again leaves the running period alone: assigned every poll (at most
    // 50 ms apart), a 120 ms timer still ticks.
    t.SetInterval(120);
    ticks = log.Ticks;
    EXPECT_TRUE(PumpUntil([&] { return t.SetInterval(120), log.Ticks > ticks; }));

    t.SetOnTimer(nullptr);  // no handler: stopped, still Enabled
    EXPECT_TRUE(t.Enabled());
    EXPECT_FALSE(t.Deactivate(false)) << "no system timer left to kill";
    t.SetEnabled(false);
    EXPECT_FALSE(t.Enabled());
}

TEST_F(GuiTest, SimpleTimerIgnoresUnknownIdsAndSurvivesFreeingItselfInItsTick)
{
    TEventLog log;
    auto* t = new TSimpleTimer(15, TNotifyEvent(&log, &TEventLog::Tick));
    UINT_PTR stale = t->Id();
    HWND wnd = SimpleTimerHandler()->Handle();
    log.FreeOnTick = t;
    t->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return log.FreeOnTick == nullptr; }));
    EXPECT_TRUE(log.HandlerKeptDuringTick) << "the shared window went inside its own message";
    EXPECT_EQ(SimpleTimerHandler(), nullptr) << "the last timer took the window with it";
    EXPECT_FALSE(IsWindow(wnd));

    // A tick for a freed timer, and one for an id that never was, go nowhere.
    TSimpleTimer other(1000, TNotifyEvent(&log, &TEventLog::Tick));
    int ticks = log.Ticks;
    SendMessageA(SimpleTimerHandler()->Handle(), WM_TIMER, stale, 0);
    SendMessageA(SimpleTimerHandler()->Handle(), WM_TIMER, 0xDEAD0000, 0);
    EXPECT_EQ(log.Ticks, ticks);
    SendMessageA(SimpleTimerHandler()->Handle(), WM_TIMER, other.Id(), 0);
    EXPECT_EQ(log.Ticks, ticks + 1);
}

// ---- the tray icon's record and the shell ----

TEST_F(TrayTest, RecordFieldsAndTruncation)
{
    const NOTIFYICONDATAA& d = Icon->IconData();
    EXPECT_EQ(d.cbSize, 488u);
    EXPECT_EQ(d.uFlags, 7u);
    EXPECT_EQ(d.uCallbackMessage, 0x800u);
    EXPECT_EQ(d.hWnd, TrayIconHandler()->Handle());
    EXPECT_EQ(d.hIcon, Icon->Icon()->Handle());
    EXPECT_EQ(TrayIconHandler()->Find(Icon->Id()), Icon);
    EXPECT_TRUE(Icon->ShowHint());
    EXPECT_TRUE(Icon->Enabled());
    Icon->Icon()->SetHandle(NewIconHandle());  // a change of the owned icon reaches the record
    EXPECT_EQ(d.hIcon, Icon->Icon()->Handle());

    Icon->SetHint(String(200, 'h'));
    EXPECT_EQ(std::strlen(d.szTip), 127u);
    Icon->SetShowHint(false);
    EXPECT_STREQ(d.szTip, "");
    Icon->SetShowHint(true);
    EXPECT_EQ(std::strlen(d.szTip), 127u);
    Icon->SetHint("");
    EXPECT_STREQ(d.szTip, "");

    Icon->ShowBalloonHint(String(80, 't'), String(300, 'b'), bikWarning, 10);
    EXPECT_EQ(std::strlen(d.szInfo), 255u);
    EXPECT_EQ(std::strlen(d.szInfoTitle), 63u);
    EXPECT_EQ(d.uTimeout, 10000u);
    EXPECT_EQ(d.dwInfoFlags, 2u);
    EXPECT_EQ(d.uFlags, 7u);
    Icon->HideBalloonHint();
    EXPECT_STREQ(d.szInfo, "");
    EXPECT_EQ(d.uFlags, 7u) << "a hidden balloon is not sent again with later changes";
}

TEST_F(TrayTest, ShowHideAndModifyReportTheShellsAnswer)
{
    EXPECT_FALSE(Icon->ModifyIcon()) << "nothing to modify before the icon is added";
    EXPECT_TRUE(Icon->ShowIcon());
    EXPECT_TRUE(Icon->IconVisible());
    EXPECT_TRUE(ShellHasIcon());
    EXPECT_FALSE(Icon->ShowIcon()) << "the icon is there already";
    EXPECT_TRUE(Icon->ModifyIcon());
    EXPECT_TRUE(Icon->ShowBalloonHint("Velmora", "Velmora minimize here\r\nclick to show", bikInfo, 10));
    EXPECT_TRUE(Icon->HideIcon());
    EXPECT_FALSE(Icon->IconVisible());
    EXPECT_FALSE(ShellHasIcon());
    EXPECT_FALSE(Icon->HideIcon());
    Icon->SetIconVisible(true);
    EXPECT_TRUE(ShellHasIcon());
    const NOTIFYICONDATAA record = Icon->IconData();
    auto* other = new TTrayIcon(nullptr);  // keeps the shared window
    Icon->Free();
    Icon = nullptr;
    EXPECT_FALSE(ShellHas(record)) << "a freed icon leaves the notification area";
    other->Free();
    EXPECT_EQ(TrayIconHandler(), nullptr);
}

TEST_F(TrayTest, TaskbarCreatedReaddsOnlyAVisibleIcon)
{
    ASSERT_NE(TaskbarCreatedMessage(), 0u);
    Icon->SetIconVisible(true);
    NOTIFYICONDATAA gone = Icon->IconData();
    Shell_NotifyIconA(NIM_DELETE, &gone);  // as a restarted taskbar has lost it
    ASSERT_FALSE(ShellHasIcon());
    SendMessageA(Application->Handle(), TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(ShellHasIcon());

    Icon->SetIconVisible(false);
    SendMessageA(Application->Handle(), TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(ShellHasIcon());
}

// ---- callbacks ----

TEST_F(TrayTest, ClickWithoutDblClickHandlerFiresAtButtonUp)
{
    Icon->OnClick = TNotifyEvent(&Log, &TEventLog::Click);
    for (LPARAM e : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        Callback(Icon, e);
    Pump();
    EXPECT_EQ(Log.Lines, std::vector<String>({"click"}));
}

TEST_F(TrayTest, DoubleClickSwallowsTheDelayedClick)
{
    Icon->OnClick = TNotifyEvent(&Log, &TEventLog::Click);
    Icon->OnDblClick = TNotifyEvent(&Log, &TEventLog::DblClick);
    for (LPARAM e : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        Callback(Icon, e);
    Pump();
    WaitOutDoubleClick(GetTickCount());
    EXPECT_EQ(Log.Lines, std::vector<String>({"dblclick"}));

    // A single click waits for the double-click time from the press. Longer than the delay
    // timer's own starting period, so that the wait shows which of the two it was.
    Log.Lines.clear();
    TDoubleClickTime slow(1100);
    const DWORD pressed = GetTickCount();
    Callback(Icon, WM_LBUTTONDOWN);
    Callback(Icon, WM_LBUTTONUP);
    Pump();
    EXPECT_TRUE(Log.Lines.empty());
    ASSERT_TRUE(PumpUntil([&] { return !Log.Lines.empty(); }, 5000)) << "the delayed click never came";
    EXPECT_GE(GetTickCount() - pressed, 1100u - 20);
    EXPECT_EQ(Log.Lines, std::vector<String>({"click"}));
}

TEST_F(TrayTest, MouseAndBalloonEventsAndTheEnabledSwitch)
{
    Icon->OnMouseDown = TMouseEvent(&Log, &TEventLog::Down);
    Icon->OnMouseUp = TMouseEvent(&Log, &TEventLog::Up);
    Icon->OnMouseEnter = TNotifyEvent(&Log, &TEventLog::Enter);  // without WantEnterExitEvents: never
    Icon->OnBalloonHintShow = TNotifyEvent(&Log, &TEventLog::BalloonShow);
    Icon->OnBalloonHintHide = TNotifyEvent(&Log, &TEventLog::BalloonHide);
    Icon->OnBalloonHintTimeout = TNotifyEvent(&Log, &TEventLog::BalloonTimeout);
    Icon->OnBalloonHintClick = TNotifyEvent(&Log, &TEventLog::BalloonClick);
    SetCursorPos(33, 44);
    for (LPARAM e : {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, 0x402, 0x403, 0x404, 0x405})
        Callback(Icon, e);
    Pump();
    auto mask = [](TShiftState s) { return IntToStr(s.Mask()); };
    const String right = mask({ssRight}), middle = mask({ssMiddle});
    EXPECT_EQ(Log.Lines, std::vector<String>({"down 1 " + right, "up 1 " + right, "down 2 " + middle, "up 2 " + middle,
                                              "shown", "hidden", "timeout", "balloon click"}));
    EXPECT_EQ(Log.At.x, 33);  // the cursor's screen position
    EXPECT_EQ(Log.At.y, 44);
    {
        THeldKey shift(VK_SHIFT);  // the shift state is the keyboard's at the callback
        Callback(Icon, WM_LBUTTONDOWN);
        Pump();
    }
    EXPECT_EQ(Log.Lines.back(), "down 0 " + mask({ssShift, ssLeft}));

    Log.Lines.clear();
    Icon->SetEnabled(false);
    for (LPARAM e : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, 0x404, 0x999})
        Callback(Icon, e);
    Pump();
    EXPECT_EQ(Log.Lines, std::vector<String>({"timeout"})) << "balloon rows act even while disabled";
}

TEST_F(TrayTest, TheSharedWindowIgnoresUnknownIdsAndOutlivesAnIconFreedInItsClick)
{
    HWND wnd = TrayIconHandler()->Handle();
    // The shared window is not closed or ended by anyone but its last icon.
    for (UINT m : {WM_CLOSE, WM_QUERYENDSESSION, WM_ENDSESSION, WM_DESTROY})
        EXPECT_EQ(SendMessageA(wnd, m, 0, 0), 1) << m;
    EXPECT_TRUE(IsWindow(wnd));
    SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("tray"));
    EXPECT_EQ(GetWindowTextLengthA(wnd), 4);

    // Icons freed in their own click, waiting for a double click or not; every touch of a freed
    // one faults.
    for (bool waits : {false, true}) {
        auto* doomed = new TUnmappedOnFree<TTrayIcon>(nullptr);
        doomed->OnClick = TNotifyEvent(&Log, &TEventLog::Click);
        if (waits)
            doomed->OnDblClick = TNotifyEvent(&Log, &TEventLog::DblClick);
        const UINT id = doomed->Id();
        PostMessageA(wnd, TrayCallbackMessage, id + 1000, WM_LBUTTONUP);
        PostMessageA(wnd, TrayCallbackMessage, 0, WM_LBUTTONDOWN);
        Pump();
        EXPECT_TRUE(Log.Lines.empty());

        Log.FreeOnClick = doomed;
        for (LPARAM e : {WM_LBUTTONDOWN, WM_LBUTTONUP})
            PostMessageA(wnd, TrayCallbackMessage, id, e);
        Pump();
        if (waits)
            WaitOutDoubleClick(GetTickCount());
        EXPECT_EQ(Log.Lines, std::vector<String>({"click"}));
        EXPECT_EQ(Log.FreeOnClick, nullptr);
        for (LPARAM e : {WM_LBUTTONUP, WM_MOUSEMOVE})  // for the freed icon: nobody is there
            PostMessageA(wnd, TrayCallbackMessage, id, e);
        SendMessageA(Application->Handle(), TaskbarCreatedMessage(), 0, 0);
        Pump();
        Log.Lines.clear();
    }
    EXPECT_TRUE(IsWindow(wnd));
    Icon->Free();
    Icon = nullptr;
    EXPECT_EQ(TrayIconHandler(), nullptr);
    EXPECT_FALSE(IsWindow(wnd));
}

TEST_F(TrayTest, PopupMenuButtonsAndTheDefaultItem)
{
    auto* menu = new TRecordingMenu(nullptr);
    for (const char* name : {"First", "Second", "Third"}) {
        auto* item = new TMenuItem(menu);
        item->SetName(name);
        item->SetCaption(name);
        item->OnClick = TNotifyEvent(&Log, &TEventLog::Item);
        menu->Items()->Add(item);
    }
    menu->Items()->Items(1)->SetDefault(true);
    Icon->SetPopupMenu(menu);

    SetCursorPos(30, 40);
    Callback(Icon, WM_RBUTTONDOWN);
    Callback(Icon, WM_LBUTTONDOWN);  // LeftPopup off: no menu
    Callback(Icon, WM_LBUTTONDBLCLK);
    Pump();
    EXPECT_EQ(menu->Popups, 1);
    EXPECT_EQ(menu->At.x, 30);  // at the cursor
    EXPECT_EQ(menu->At.y, 40);
    EXPECT_EQ(menu->PopupComponent(), Icon);
    EXPECT_EQ(Log.Lines, std::vector<String>({"item Second"}));

    Log.Lines.clear();
    Icon->SetLeftPopup(true);
    Callback(Icon, WM_LBUTTONDOWN);
    Callback(Icon, WM_LBUTTONDBLCLK);
    Pump();
    EXPECT_EQ(menu->Popups, 2);
    EXPECT_TRUE(Log.Lines.empty()) << "with LeftPopup the double click chooses nothing";

    menu->SetAutoPopup(false);
    Callback(Icon, WM_RBUTTONDOWN);
    Callback(Icon, WM_LBUTTONDOWN);
    Pump();
    EXPECT_EQ(menu->Popups, 2);

    menu->Free();
    EXPECT_EQ(Icon->PopupMenu(), nullptr);
    Callback(Icon, WM_RBUTTONDOWN);
    Pump();
}

TEST_F(TrayTest, IconCyclingThroughAnImageList)
{
    auto* list = new TImageList(nullptr);
    TIcon image;
    image.SetHandle(NewIconHandle());
    for (int i = 0; i < 4; ++i)
        list->AddIcon(&image);
    TIcon none;
    Icon->SetIcon(&none);
    Icon->SetIconIndex(2);
    EXPECT_EQ(Icon->IconIndex(), 0) << "no list, no index";
    Icon->SetIconList(list);
    EXPECT_NE(Icon->Icon()->Handle(), nullptr) << "the first image is shown";
    Icon->SetIconIndex(10);
    EXPECT_EQ(Icon->IconIndex(), 3);
    Icon->SetIconIndex(-2);
    EXPECT_EQ(Icon->IconIndex(), 0);

    Icon->OnCycle = TCycleEvent(&Log, &TEventLog::Cycle);
    Icon->SetCycleIcons(true);  // with interval 0 nothing cycles yet
    Icon->SetIconIndex(3);
    Icon->SetCycleInterval(20);  // the new interval applies cycling again, from the first image
    EXPECT_EQ(Icon->IconIndex(), 0);
    Icon->SetIconIndex(3);
    // Six cycles come within a fraction of a second at 20 ms; at the timer's 1000 ms start
    // value they would take six seconds.
    ASSERT_TRUE(PumpUntil([&] { return Log.Lines.size() >= 6; }, 3000)) << "the icons did not cycle every 20 ms";
    Icon->SetCycleIcons(false);
    EXPECT_EQ(Log.Lines[0], "cycle 0") << "after the last image comes the first";
    EXPECT_EQ(Log.Lines[1], "cycle 1");
    const size_t cycles = Log.Lines.size();
    PumpFor(100);  // five periods pass on purpose: cycling has stopped
    EXPECT_EQ(Log.Lines.size(), cycles);

    list->Free();
    EXPECT_EQ(Icon->IconList(), nullptr);
    EXPECT_EQ(Icon->IconIndex(), 0);
}

TEST_F(TrayTest, MouseEnterAndTheExitPoll)
{
    Icon->OnMouseEnter = TNotifyEvent(&Log, &TEventLog::Enter);
    Icon->OnMouseExit = TNotifyEvent(&Log, &TEventLog::Exit);
    Icon->SetWantEnterExitEvents(true);
    SetCursorPos(20, 20);
    Callback(Icon, WM_MOUSEMOVE);
    Callback(Icon, WM_MOUSEMOVE);
    Pump();
    PumpFor(60);  // three polls pass on purpose: the cursor stays, so no exit
    EXPECT_EQ(Log.Lines, std::vector<String>({"enter"}));
    SetCursorPos(20, 200);  // a move along one axis is an exit too
    EXPECT_TRUE(PumpUntil([&] { return Log.Lines.size() == 2; }, 1000));
    EXPECT_EQ(Log.Lines.back(), "exit");
}

// ---- the owner form and the main form ----

TEST_F(TrayTest, HidesAndRestoresTheCurrentMainForm)
{
    TCustomForm* before = Application->MainForm();
    auto* owner = new TForm(nullptr);
    auto* clock = new TForm(nullptr);
    auto* icon = new TTrayIcon(owner);
    owner->Show();
    clock->Show();

    Application->SetMainForm(clock);  // the tray acts on whichever form is the main form now
    Icon->HideMainForm();
    EXPECT_TRUE(clock->Visible()) << "an icon without a form for owner acts on no main form";
    ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);  // the taskbar button
    icon->HideMainForm();
    EXPECT_FALSE(clock->Visible());
    EXPECT_TRUE(owner->Visible());
    EXPECT_FALSE(IsWindowVisible(Application->Handle())) << "the taskbar button goes too";
    clock->SetWindowState(wsMinimized);
    icon->RestoreMainForm();
    EXPECT_TRUE(clock->Visible());
    EXPECT_TRUE(IsWindowVisible(clock->WindowHandle()));
    EXPECT_EQ(clock->WindowState(), wsNormal);

    // Shown without activation, the owner comes to the foreground all the same.
    owner->Hide();
    SetForegroundWindow(clock->WindowHandle());
    ShowWindow(owner->WindowHandle(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == owner->WindowHandle(); })) << "the shown owner is not in front";

    Application->SetMainForm(owner);
    icon->HideMainForm();
    EXPECT_FALSE(owner->Visible());
    EXPECT_TRUE(clock->Visible());
    icon->RestoreMainForm();
    EXPECT_TRUE(IsWindowVisible(owner->WindowHandle()));

    // With an OnMinimizeToTray handler the owner's own minimise, or its parent closing, goes
    // to the tray in place of the window's handling; not while the application ends.
    icon->OnMinimizeToTray = TNotifyEvent(&Log, &TEventLog::Minimize);
    icon->SetMinimizeToTray(true);
    SendMessageA(owner->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
    EXPECT_EQ(Log.Lines, std::vector<String>({"minimize"}));
    EXPECT_FALSE(owner->Visible());
    EXPECT_TRUE(icon->IconVisible());
    icon->RestoreMainForm();
    EXPECT_EQ(SendMessageA(owner->WindowHandle(), WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING), 1);
    EXPECT_EQ(Log.Lines.size(), 2u);
    EXPECT_FALSE(owner->Visible());
    icon->RestoreMainForm();
    Application->Terminate();
    Pump();
    ASSERT_TRUE(Application->Terminated());
    SendMessageA(owner->WindowHandle(), WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING);
    Application->CancelTerminate();
    EXPECT_EQ(Log.Lines.size(), 2u);

    Application->SetMainForm(before);
    clock->Free();
    owner->Free();
}

TEST_F(TrayTest, TheMinimiseBoxHidesTheMainFormToTheTray)
{
    TCustomForm* before = Application->MainForm();
    auto* form = new TForm(nullptr);
    form->SetBounds(200, 150, 320, 200);
    auto* icon = new TTrayIcon(form);
    icon->SetMinimizeToTray(true);
    Application->SetMainForm(form);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form->WindowHandle()) != FALSE; }));

    // Where the system puts the minimise box on the caption.
    RECT r{};
    GetWindowRect(form->WindowHandle(), &r);
    POINT box{-1, -1};
    for (int x = r.right - 1; x > r.left && box.x < 0; --x)
        for (int y = r.top; y < r.top + GetSystemMetrics(SM_CYCAPTION) + 8 && box.x < 0; ++y)
            if (SendMessageA(form->WindowHandle(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTMINBUTTON)
                box = {x - 2, y + 2};
    ASSERT_GE(box.x, 0) << "no minimise box on the caption";
    ClickScreen(box);
    EXPECT_TRUE(PumpUntil([&] { return !form->Visible() && icon->IconVisible(); })) << "the minimise box did not hide the form to the tray";
    EXPECT_TRUE(IsIconic(Application->Handle())) << "the window's own minimise ran";

    // The application window's restore shows the main form again.
    SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(form->WindowHandle()) != FALSE; }));

    Application->SetMainForm(before);
    form->Free();
}

TEST_F(TrayTest, OwnerFormProcedureIsRestoredOnlyWhileStillOurs)
{
    auto* form = new TForm(nullptr);
    HWND wnd = form->Handle();
    auto original = GetWindowLongPtrA(wnd, GWLP_WNDPROC);
    auto* icon = new TTrayIcon(form);
    EXPECT_NE(GetWindowLongPtrA(wnd, GWLP_WNDPROC), original);
    icon->Free();
    EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_WNDPROC), original);

    // Somebody subclasses the form after the tray icon: freeing the icon leaves their procedure
    // in place and their chain working.
    icon = new TTrayIcon(form);
    gNextProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
    icon->Free();
    EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LaterProc));
    form->SetCaption("still whole");
    EXPECT_EQ(GetWindowTextLengthA(wnd), 11);
    EXPECT_GT(gTextQueries, 0);

    // A re-created window is hooked again.
    icon = new TTrayIcon(form);
    icon->SetMinimizeToTray(true);
    icon->OnMinimizeToTray = TNotifyEvent(&Log, &TEventLog::Minimize);
    form->SetBorderStyle(bsSingle);
    Pump();
    ASSERT_TRUE(form->HandleAllocated());
    SendMessageA(form->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(Log.Lines, std::vector<String>({"minimize"}));
    form->Free();
}

TEST_F(GuiTest, TrayIconStreamsFromAFormFile)
{
    TCustomForm* before = Application->MainForm();
    auto* form = new TTrayForm(nullptr);
    Application->SetMainForm(form);
    ReadFormInto(form,
                 "object TrayForm: TTrayForm\n"
                 "  object TrayIcon1: TTrayIcon\n"
                 "    Hint = 'Quistal'\n"
                 "    IconVisible = True\n"
                 "    CycleInterval = 0\n"
                 "    LeftPopup = True\n"
                 "    MinimizeToTray = True\n"
                 "    OnStartup = TrayIcon1Startup\n"
                 "  end\n"
                 "end\n",
                 "trayform");
    auto* icon = As<TTrayIcon>(form->FindComponent("TrayIcon1"));
    ASSERT_NE(icon, nullptr);
    EXPECT_STREQ(icon->IconData().szTip, "Quistal");
    EXPECT_TRUE(icon->IconVisible());
    EXPECT_TRUE(icon->LeftPopup());
    EXPECT_TRUE(icon->MinimizeToTray());
    EXPECT_TRUE(form->HandleAllocated()) << "the form's window carries the tray icon's hook";
    EXPECT_FALSE(Application->ShowMainForm()) << "OnStartup said the main form stays hidden";
    Application->SetShowMainForm(true);
    Application->SetMainForm(before);
    form->Free();
    EXPECT_EQ(TrayIconHandler(), nullptr);
}

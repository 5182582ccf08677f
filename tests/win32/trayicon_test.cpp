// The light timer and the tray icon, under Wine's notification area: the shell's record, the
// callback table driven by posting the callback message to the shared window, the click state
// machine, the popup menu, icon cycling, and the main form hidden and shown again.
#include <cstring>

#include "formfile.h"
#include "guitest.h"
#include "imglist.h"
#include "menus.h"
#include "simpletimer.h"
#include "trayicon.h"

namespace {

// Records the events it is bound to.
class TEventLog : public TObject {
public:
    std::vector<String> Lines;
    int Ticks = 0;
    TSimpleTimer* FreeOnTick = nullptr;
    TTrayIcon* FreeOnClick = nullptr;

    void Tick(TObject*)
    {
        ++Ticks;
        if (FreeOnTick)
            delete std::exchange(FreeOnTick, nullptr);
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
    void Balloon(TObject*) { Lines.push_back("balloon"); }
    void Item(TObject* s) { Lines.push_back("item " + static_cast<TComponent*>(s)->Name()); }
    void Cycle(TObject*, int next) { Lines.push_back("cycle " + IntToStr(next)); }
    void Down(TObject*, TMouseButton b, TShiftState s, int, int)
    {
        Lines.push_back("down " + IntToStr(b) + " " + IntToStr(s.Mask()));
    }
    void Up(TObject*, TMouseButton b, TShiftState s, int, int) { Lines.push_back("up " + IntToStr(b) + " " + IntToStr(s.Mask())); }
};

// A popup menu that records where it would pop up instead of tracking.
class TRecordingMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    int Popups = 0;
    void Popup(int, int) override { ++Popups; }
};

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

// Runs the posted callbacks.
void Pump() { PumpFor(20); }

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
    // A copy of the record that the shell knows; NIM_MODIFY with it tells whether the icon is there.
    bool ShellHasIcon() const
    {
        NOTIFYICONDATAA d = Icon->IconData();
        d.uFlags = NIF_TIP;
        return Shell_NotifyIconA(NIM_MODIFY, &d) != FALSE;
    }

    TTrayIcon* Icon = nullptr;
    TEventLog Log;
};

}  // namespace

// ---- the light timer ----

TEST_F(GuiTest, SimpleTimerSharesOneCountedWindow)
{
    ASSERT_EQ(SimpleTimerHandler(), nullptr);
    auto* a = new TSimpleTimer();
    auto* b = new TSimpleTimer(50, nullptr);
    ASSERT_NE(SimpleTimerHandler(), nullptr);
    HWND wnd = SimpleTimerHandler()->Handle();
    EXPECT_TRUE(IsWindow(wnd));
    EXPECT_EQ(SimpleTimerHandler()->RefCount(), 2);
    EXPECT_EQ(a->Interval(), 1000u);
    EXPECT_FALSE(a->Enabled());
    EXPECT_NE(a->Id(), b->Id());
    delete a;
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
    PumpFor(30);
    int ticks = log.Ticks;
    PumpFor(80);
    EXPECT_EQ(log.Ticks, ticks);
    t.SetInterval(20);  // and a non-zero interval starts it again
    EXPECT_TRUE(PumpUntil([&] { return log.Ticks > ticks; }));

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
    EXPECT_EQ(TrayIconHandler()->Find(Icon->Id()), Icon);
    EXPECT_TRUE(Icon->ShowHint());
    EXPECT_TRUE(Icon->Enabled());

    Icon->SetHint(String(200, 'h'));
    EXPECT_EQ(std::strlen(d.szTip), 127u);
    Icon->SetShowHint(false);
    EXPECT_STREQ(d.szTip, "");
    Icon->SetShowHint(true);
    Icon->SetHint("");
    EXPECT_STREQ(d.szTip, "");

    Icon->ShowBalloonHint(String(80, 't'), String(300, 'b'), bikInfo, 10);
    EXPECT_EQ(std::strlen(d.szInfo), 255u);
    EXPECT_EQ(std::strlen(d.szInfoTitle), 63u);
    EXPECT_EQ(d.uTimeout, 10000u);
    EXPECT_EQ(d.dwInfoFlags, 1u);
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
    Icon->Free();
    Icon = nullptr;
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
    PumpFor(static_cast<int>(GetDoubleClickTime()) + 150);
    EXPECT_EQ(Log.Lines, std::vector<String>({"dblclick"}));

    Log.Lines.clear();  // a single click waits for the double-click time
    Callback(Icon, WM_LBUTTONDOWN);
    Callback(Icon, WM_LBUTTONUP);
    Pump();
    EXPECT_TRUE(Log.Lines.empty());
    EXPECT_TRUE(PumpUntil([&] { return !Log.Lines.empty(); }, 2000));
    EXPECT_EQ(Log.Lines, std::vector<String>({"click"}));
}

TEST_F(TrayTest, MouseAndBalloonEventsAndTheEnabledSwitch)
{
    Icon->OnMouseDown = TMouseEvent(&Log, &TEventLog::Down);
    Icon->OnMouseUp = TMouseEvent(&Log, &TEventLog::Up);
    Icon->OnBalloonHintClick = TNotifyEvent(&Log, &TEventLog::Balloon);
    Icon->OnBalloonHintTimeout = TNotifyEvent(&Log, &TEventLog::Balloon);
    for (LPARAM e : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, 0x405})
        Callback(Icon, e);
    Pump();
    auto bit = [](TShiftStateItem i) { return IntToStr(TShiftState{i}.Mask()); };
    EXPECT_EQ(Log.Lines, std::vector<String>({"down 1 " + bit(ssRight), "up 1 " + bit(ssRight), "down 2 " + bit(ssMiddle),
                                              "up 2 " + bit(ssMiddle), "balloon"}));
    Log.Lines.clear();
    Icon->SetEnabled(false);
    for (LPARAM e : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, 0x404, 0x999})
        Callback(Icon, e);
    Pump();
    EXPECT_EQ(Log.Lines, std::vector<String>({"balloon"})) << "balloon rows act even while disabled";
}

TEST_F(TrayTest, UnknownIdsAreIgnoredAndAnIconMayFreeItselfInItsClick)
{
    Icon->OnClick = TNotifyEvent(&Log, &TEventLog::Click);
    UINT id = Icon->Id();
    HWND wnd = TrayIconHandler()->Handle();
    PostMessageA(wnd, TrayCallbackMessage, id + 1000, WM_LBUTTONUP);
    PostMessageA(wnd, TrayCallbackMessage, 0, WM_LBUTTONDOWN);
    Pump();
    EXPECT_TRUE(Log.Lines.empty());

    Log.FreeOnClick = std::exchange(Icon, nullptr);
    PostMessageA(wnd, TrayCallbackMessage, id, WM_LBUTTONDOWN);
    PostMessageA(wnd, TrayCallbackMessage, id, WM_LBUTTONUP);
    PostMessageA(wnd, TrayCallbackMessage, id, WM_LBUTTONUP);  // queued for the freed icon
    Pump();
    EXPECT_EQ(Log.Lines, std::vector<String>({"click"}));
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

    Callback(Icon, WM_RBUTTONDOWN);
    Callback(Icon, WM_LBUTTONDOWN);  // LeftPopup off: no menu
    Callback(Icon, WM_LBUTTONDBLCLK);
    Pump();
    EXPECT_EQ(menu->Popups, 1);
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
    Icon->SetIconList(list);
    Icon->SetIconIndex(10);
    EXPECT_EQ(Icon->IconIndex(), 3);
    Icon->SetIconIndex(-2);
    EXPECT_EQ(Icon->IconIndex(), 0);
    Icon->SetIconIndex(3);

    Icon->OnCycle = TCycleEvent(&Log, &TEventLog::Cycle);
    Icon->SetCycleInterval(20);
    EXPECT_EQ(Icon->IconIndex(), 3) << "not cycling yet";
    Icon->SetIconIndex(3);
    Icon->SetCycleIcons(true);  // starts from the first image
    EXPECT_EQ(Icon->IconIndex(), 0);
    Icon->SetIconIndex(3);
    ASSERT_TRUE(PumpUntil([&] { return Log.Lines.size() >= 2; }));
    Icon->SetCycleIcons(false);
    EXPECT_EQ(Log.Lines[0], "cycle 0") << "after the last image comes the first";
    EXPECT_EQ(Log.Lines[1], "cycle 1");
    EXPECT_NE(Icon->Icon()->Handle(), nullptr);

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
    PumpFor(60);
    EXPECT_EQ(Log.Lines, std::vector<String>({"enter"}));
    SetCursorPos(300, 200);
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
    icon->HideMainForm();
    EXPECT_FALSE(clock->Visible());
    EXPECT_TRUE(owner->Visible());
    EXPECT_FALSE(IsWindowVisible(Application->Handle())) << "the taskbar button goes too";
    icon->RestoreMainForm();
    EXPECT_TRUE(clock->Visible());
    EXPECT_TRUE(IsWindowVisible(clock->WindowHandle()));

    Application->SetMainForm(owner);
    icon->HideMainForm();
    EXPECT_FALSE(owner->Visible());
    EXPECT_TRUE(clock->Visible());
    icon->RestoreMainForm();
    EXPECT_TRUE(IsWindowVisible(owner->WindowHandle()));

    // Minimising the owner goes to the tray only with MinimizeToTray and OnMinimizeToTray.
    icon->OnMinimizeToTray = TNotifyEvent(&Log, &TEventLog::Minimize);
    icon->SetMinimizeToTray(true);
    SendMessageA(owner->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
    EXPECT_EQ(Log.Lines, std::vector<String>({"minimize"}));
    EXPECT_FALSE(owner->Visible());
    EXPECT_TRUE(icon->IconVisible());
    icon->RestoreMainForm();

    Application->SetMainForm(before);
    clock->Free();
    owner->Free();
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
    auto* form = new TForm(nullptr);
    ReadFormInto(form,
                 "object TrayForm: TForm\n"
                 "  object TrayIcon1: TTrayIcon\n"
                 "    Hint = 'Quistal'\n"
                 "    IconVisible = True\n"
                 "    CycleInterval = 0\n"
                 "    LeftPopup = True\n"
                 "    MinimizeToTray = True\n"
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
    form->Free();
    EXPECT_EQ(TrayIconHandler(), nullptr);
}

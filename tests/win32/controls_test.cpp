// Controls on real windows: ownership, the control property on windows, replaceable WindowProc,
// the click rule, mouse enter and leave with hints, alignment, reflected notifications, painting.
#include <algorithm>
#include <cstdio>

#include "guitest.h"
#include "handles.h"
#include "pixeltest.h"
#include "stdctrls.h"

namespace {

// Records events and messages of the controls it watches.
class TWatcher : public TComponent {
    TK_CLASS(TWatcher, TComponent)
public:
    explicit TWatcher(TComponent* owner) : TComponent(owner) {}
    std::vector<String> Log;
    HWND FormWindow = nullptr;
    bool* WindowGoneFirst = nullptr;

    void Clicked(TObject* s) { Log.push_back("click " + static_cast<TComponent*>(s)->Name()); }
    void Down(TObject* s, TMouseButton, TShiftState, int x, int y)
    {
        Log.push_back("down " + static_cast<TComponent*>(s)->Name() + " " + IntToStr(x) + "," + IntToStr(y));
    }
    void Entered(TObject* s) { Log.push_back("enter " + static_cast<TComponent*>(s)->Name()); }
    void Left(TObject* s) { Log.push_back("leave " + static_cast<TComponent*>(s)->Name()); }
    void HintChanged(TObject*) { Log.push_back("hint " + Application->Hint()); }
    void BeforeDestruction() override
    {
        if (WindowGoneFirst)
            *WindowGoneFirst = FormWindow && !IsWindow(FormWindow);
        TComponent::BeforeDestruction();
    }
};

const TClassInfo& TWatcher::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWatcher>("TWatcher", &TComponent::StaticClass()).Build();
    return info;
}

// Sits in front of a control's WindowProc and puts the old one back when asked.
class TSpy : public TObject {
public:
    explicit TSpy(TControl* c) : FControl(c)
    {
        FOld = c->WindowProc;
        c->WindowProc = TWndMethod(this, &TSpy::Proc);
    }
    void Restore() { FControl->WindowProc = FOld; }
    void Proc(TMessage& m)
    {
        Seen.push_back(m.Msg);
        if (m.Msg == CN_NOTIFY) {
            const NMHDR* h = NotifyHeader(m);
            NotifyCodes.push_back(h ? static_cast<int>(h->code) : -1);
        }
        if (m.Msg == CM_MOUSEENTER && Swallow)
            return;
        FOld(m);
    }
    bool Saw(UINT msg) const { return std::find(Seen.begin(), Seen.end(), msg) != Seen.end(); }
    std::vector<UINT> Seen;
    std::vector<int> NotifyCodes;
    bool Swallow = false;

private:
    TControl* FControl;
    TWndMethod FOld;
};

HANDLE gSeenAtEnd;
TWinControl* gFoundAtEnd;
WNDPROC gInner;
char gAtomName[40];

// In front of a window: what the property and the lookup say once WM_NCDESTROY has run.
LRESULT CALLBACK PropertyAtEnd(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    LRESULT r = CallWindowProcA(gInner, w, m, wp, lp);
    if (m == WM_NCDESTROY) {
        gSeenAtEnd = GetPropA(w, gAtomName);
        gFoundAtEnd = FindControl(w);
    }
    return r;
}

void WatchEnd(HWND w)
{
    gSeenAtEnd = reinterpret_cast<HANDLE>(1);
    gFoundAtEnd = reinterpret_cast<TWinControl*>(1);
    gInner = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PropertyAtEnd)));
}

// A class of somebody else's with extra bytes of the size ours use.
LRESULT CALLBACK ForeignProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

HWND ForeignWindowWithBytes(HWND parent, LONG_PTR bytes)
{
    WNDCLASSA wc{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), "ForeignWithBytes", &wc)) {
        wc.lpfnWndProc = &ForeignProc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ForeignWithBytes";
        RegisterClassA(&wc);
    }
    HWND w = CreateWindowExA(0, "ForeignWithBytes", "", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(w, 0, bytes);
    return w;
}

using ControlsTest = GuiTest;

TEST_F(ControlsTest, OwnersAndParentsFreeWhatTheyHoldAndTheFormWindowGoesFirst)
{
    TForm* f = NewTestForm();
    auto* panel = Add<TPanel>(f, f, "Panel1", 0, 0, 200, 100);
    auto* loose = new TButton(nullptr);  // no owner: its parent frees it
    loose->SetParent(panel);
    auto* edit = Add<TEdit>(f, panel, "Edit1", 10, 10, 80, 21);
    f->Show();
    HWND editWnd = edit->Handle();
    HWND looseWnd = loose->Handle();
    EXPECT_EQ(GetParent(editWnd), panel->Handle());
    edit->Free();
    EXPECT_FALSE(IsWindow(editWnd));
    EXPECT_EQ(panel->ControlCount(), 1);
    EXPECT_EQ(f->FindComponent("Edit1"), nullptr);

    bool windowGoneFirst = false;
    auto* watcher = new TWatcher(f);
    watcher->FormWindow = f->Handle();
    watcher->WindowGoneFirst = &windowGoneFirst;
    panel->Free();
    EXPECT_FALSE(IsWindow(looseWnd));
    EXPECT_EQ(f->ControlCount(), 0);
    f->Free();
    EXPECT_TRUE(windowGoneFirst);
}

TEST_F(ControlsTest, WindowsKnowTheirControlUntilTheyGo)
{
    TForm* f = NewTestForm();
    auto* edit = Add<TEdit>(f, f, "Edit1", 10, 10, 80, 21);
    auto* panel = Add<TPanel>(f, f, "Panel1", 10, 40, 80, 40);
    f->Show();
    char name[40];
    std::snprintf(name, sizeof name, "ControlOfs%.8lX%.8lX",
                  static_cast<unsigned long>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))),
                  static_cast<unsigned long>(GetCurrentThreadId()));
    // A subclassed system window carries the property; windows of our own classes keep their
    // control in their own bytes (no round trip to the window server on every message).
    EXPECT_EQ(GetPropA(edit->Handle(), name), edit);
    EXPECT_EQ(GetPropA(f->Handle(), name), nullptr);
    EXPECT_EQ(FindControl(edit->Handle()), edit);
    EXPECT_EQ(FindControl(f->Handle()), f);
    EXPECT_EQ(FindControl(panel->Handle()), panel);

    // Another module's control atom differs: its windows are not ours.
    HWND foreign = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, f->Handle(), nullptr, nullptr, nullptr);
    SetPropA(foreign, "ControlOfs12340000DEADBEEF", edit);
    EXPECT_EQ(FindControl(foreign), nullptr);
    RemovePropA(foreign, "ControlOfs12340000DEADBEEF");
    DestroyWindow(foreign);
    // Nor are windows of somebody else's class whose bytes happen to hold a control.
    foreign = ForeignWindowWithBytes(f->Handle(), reinterpret_cast<LONG_PTR>(panel));
    EXPECT_EQ(FindControl(foreign), nullptr);
    DestroyWindow(foreign);

    // Both ways are gone by the end of WM_NCDESTROY (seen from a procedure in front).
    std::snprintf(gAtomName, sizeof gAtomName, "%s", name);
    WatchEnd(edit->Handle());
    edit->Free();
    EXPECT_EQ(gSeenAtEnd, nullptr);
    EXPECT_EQ(gFoundAtEnd, nullptr);
    WatchEnd(panel->Handle());
    HWND gone = panel->Handle();
    panel->Free();
    EXPECT_EQ(gFoundAtEnd, nullptr);
    EXPECT_EQ(FindControl(gone), nullptr);
    f->Free();
}

// A press and release through the system's input queue at a client point of a window.
void RealClick(HWND wnd, int x, int y)
{
    MoveMouseTo(wnd, x, y);
    LeftButton(true);
    LeftButton(false);
}

// A window made again, and a handle whose window is gone, by real clicks: the new window's
// messages reach the control, the old handle finds nothing, a new control's window is its own,
// and a control deleted without Free lets its window go quietly.

TEST_F(ControlsTest, ClicksReachAControlThroughItsRecreatedWindowOnly)
{
    TForm* f = NewTestForm();
    auto* panel = Add<TPanel>(f, f, "Panel1", 20, 20, 120, 80);
    TWatcher w(nullptr);
    panel->OnClick = TNotifyEvent(&w, &TWatcher::Clicked);
    f->Show();
    f->Update();
    RealClick(panel->Handle(), 60, 40);
    EXPECT_EQ(w.Log, std::vector<String>{"click Panel1"});

    HWND old = panel->Handle();
    panel->RecreateWnd();
    HWND now = panel->Handle();
    ASSERT_NE(now, old);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(FindControl(old), nullptr);
    EXPECT_EQ(FindControl(now), panel);
    f->Update();
    RealClick(now, 30, 20);
    EXPECT_EQ(w.Log, (std::vector<String>{"click Panel1", "click Panel1"}));

    // A new window that may take the old one's slot belongs to its own control.
    auto* other = Add<TPanel>(f, f, "Panel2", 150, 20, 100, 80);
    other->OnClick = TNotifyEvent(&w, &TWatcher::Clicked);
    EXPECT_EQ(FindControl(other->Handle()), other);
    EXPECT_EQ(FindControl(old), nullptr);
    f->Update();
    RealClick(other->Handle(), 50, 40);
    EXPECT_EQ(w.Log.back(), "click Panel2");

    // Deleted without Free (as a throwing constructor does): the window goes without calling it.
    delete panel;
    EXPECT_FALSE(IsWindow(now));
    EXPECT_EQ(FindControl(now), nullptr);
    RealClick(other->Handle(), 20, 60);
    EXPECT_EQ(w.Log.size(), 4u);
    f->Free();
}

// A second instance of this test program holds a form open: its window has our class procedure
// at the same address, yet belongs to another process and is never taken for a control here.
constexpr char HeldFormVariable[] = "VELMORA_HOLD_FORM";

TEST_F(ControlsTest, WindowsOfAnotherInstanceAreNotOurs)
{
    char held[64] = {};
    if (GetEnvironmentVariableA(HeldFormVariable, held, sizeof held)) {
        // The second instance: show the form, say so, and keep it until told.
        TForm* f = NewTestForm();
        f->SetCaption(held);
        f->Show();
        TKernelHandle shown(OpenEventA(EVENT_MODIFY_STATE, FALSE, (String(held) + "-shown").c_str()));
        TKernelHandle done(OpenEventA(SYNCHRONIZE, FALSE, (String(held) + "-done").c_str()));
        ASSERT_TRUE(shown && done);
        SetEvent(shown.Get());
        HANDLE waitFor = done.Get();
        while (MsgWaitForMultipleObjects(1, &waitFor, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
            Application->ProcessMessages();
        f->Free();
        return;
    }
    const String name = "velmora-held-form-" + IntToStr(static_cast<int>(GetCurrentProcessId()));
    TKernelHandle shown(CreateEventA(nullptr, TRUE, FALSE, (name + "-shown").c_str()));
    TKernelHandle done(CreateEventA(nullptr, TRUE, FALSE, (name + "-done").c_str()));
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    String cmd = "\"" + String(self) + "\" --gtest_filter=ControlsTest.WindowsOfAnotherInstanceAreNotOurs";
    SetEnvironmentVariableA(HeldFormVariable, name.c_str());
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const bool started = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA(HeldFormVariable, nullptr);
    ASSERT_TRUE(started);
    TKernelHandle process(pi.hProcess), thread(pi.hThread);
    ASSERT_EQ(WaitForSingleObject(shown.Get(), 60000), WAIT_OBJECT_0);
    HWND theirs = FindWindowA(nullptr, name.c_str());
    ASSERT_TRUE(theirs);
    // Where the system answers with another process's class procedure, it is ours (Wine gives none).
    const auto proc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(theirs, GCLP_WNDPROC));
    EXPECT_TRUE(proc == nullptr || proc == &ToolkitWndProc);
    EXPECT_EQ(FindControl(theirs), nullptr);
    SetEvent(done.Get());
    DWORD code = 1;
    EXPECT_EQ(WaitForSingleObject(process.Get(), 30000), WAIT_OBJECT_0);
    GetExitCodeProcess(process.Get(), &code);
    EXPECT_EQ(code, 0u);
}

TEST_F(ControlsTest, WindowProcCanBeReplacedAndRestored)
{
    TForm* f = NewTestForm();
    auto* panel = Add<TPanel>(f, f, "Panel1", 0, 0, 100, 50);
    TWatcher w(nullptr);
    panel->OnMouseEnter = TNotifyEvent(&w, &TWatcher::Entered);
    f->Show();
    {
        TSpy spy(panel);
        spy.Swallow = true;
        panel->Perform(CM_MOUSEENTER);
        SendMessageA(panel->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("spied"));
        EXPECT_TRUE(spy.Saw(CM_MOUSEENTER));
        EXPECT_TRUE(spy.Saw(WM_SETTEXT));
        EXPECT_TRUE(w.Log.empty());  // swallowed in front of the control
        EXPECT_EQ(panel->Caption(), "spied");
        size_t seen = spy.Seen.size();
        spy.Restore();
        panel->Perform(CM_MOUSEENTER);
        EXPECT_EQ(spy.Seen.size(), seen);
    }
    EXPECT_EQ(w.Log, std::vector<String>{"enter Panel1"});
    f->Free();
}

TEST_F(ControlsTest, AClickNeedsPressAndReleaseInsideAndWindowlessControlsGetTheirMouse)
{
    TForm* f = NewTestForm();
    auto* panel = Add<TPanel>(f, f, "Panel1", 0, 0, 200, 100);
    auto* label = Add<TLabel>(f, panel, "Label1", 20, 30, 60, 20);
    label->SetAutoSize(false);
    label->SetBounds(20, 30, 60, 20);
    TWatcher w(nullptr);
    panel->OnClick = TNotifyEvent(&w, &TWatcher::Clicked);
    label->OnClick = TNotifyEvent(&w, &TWatcher::Clicked);
    label->OnMouseDown = TMouseEvent(&w, &TWatcher::Down);
    f->Show();

    ClickAt(panel->Handle(), 150, 50);
    // Pressed inside, released outside: no click.
    PostMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(150, 50));
    PostMessageA(panel->Handle(), WM_LBUTTONUP, 0, MakeMsgPoint(250, 150));
    Application->ProcessMessages();
    // The label is windowless: the panel hands it the mouse in its own coordinates.
    ClickAt(panel->Handle(), 25, 35);
    EXPECT_EQ(w.Log, (std::vector<String>{"click Panel1", "down Label1 5,5", "click Label1"}));
    EXPECT_EQ(GetCapture(), nullptr);
    f->Free();
}

TEST_F(ControlsTest, MouseEnterAndLeaveFollowTheCursorAndHintsShowAfterThePause)
{
    TForm* f = NewTestForm(300, 200);
    auto* left = Add<TPanel>(f, f, "LeftPanel", 0, 0, 150, 200);
    auto* right = Add<TPanel>(f, f, "RightPanel", 150, 0, 150, 200);
    right->SetHint("Right side|The long right hint");
    right->SetShowHint(true);
    TWatcher w(nullptr);
    for (TPanel* p : {left, right}) {
        p->OnMouseEnter = TNotifyEvent(&w, &TWatcher::Entered);
        p->OnMouseLeave = TNotifyEvent(&w, &TWatcher::Left);
    }
    Application->OnHint = TNotifyEvent(&w, &TWatcher::HintChanged);
    int pause = Application->HintPause();
    Application->SetHintPause(50);
    f->Show();
    f->Update();

    SetCursorPos(50 + 70, 50 + 100);
    PumpUntil([&] { return !w.Log.empty(); }, 1000);
    SetCursorPos(50 + 220, 50 + 100);
    PumpUntil([&] { return Application->HintWindow() && Application->HintWindow()->HintShowing(); }, 1000);
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_TRUE(Application->HintWindow()->HintShowing());
    EXPECT_EQ(Application->HintWindow()->Caption(), "Right side");
    SetCursorPos(600, 500);  // off the form
    PumpUntil([&] { return w.Log.size() >= 6; }, 1000);
    EXPECT_EQ(w.Log, (std::vector<String>{"enter LeftPanel", "leave LeftPanel", "enter RightPanel",
                                          "hint The long right hint", "leave RightPanel", "hint "}));
    EXPECT_TRUE(PumpUntil([&] { return !Application->HintWindow()->HintShowing(); })) << "the hint stayed";
    EXPECT_EQ(Application->Hint(), "");

    Application->OnHint = nullptr;
    Application->SetHintPause(pause);
    f->Free();
}

TEST_F(ControlsTest, AlignedControlsFillTheParentInOrder)
{
    TForm* f = NewTestForm(300, 200);
    auto* top = Add<TPanel>(f, f, "Top", 0, 0, 10, 30);
    auto* bottom = Add<TPanel>(f, f, "Bottom", 0, 0, 10, 20);
    auto* left = Add<TPanel>(f, f, "Left", 0, 0, 40, 10);
    auto* client = Add<TPanel>(f, f, "Client", 0, 0, 10, 10);
    client->SetAlign(alClient);
    left->SetAlign(alLeft);
    bottom->SetAlign(alBottom);
    top->SetAlign(alTop);
    f->Show();
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 300, 30));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 180, 300, 20));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 30, 40, 150));
    EXPECT_EQ(client->BoundsRect(), Bounds(40, 30, 260, 150));
    f->SetBounds(50, 50, 400, 300);
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 280, 400, 20));
    EXPECT_EQ(client->BoundsRect(), Bounds(40, 30, 360, 250));
    // A panel's bevel stays outside its children.
    auto* inner = new TPanel(f);
    inner->SetAlign(alClient);
    inner->SetParent(client);
    EXPECT_EQ(inner->BoundsRect(), Bounds(1, 1, 358, 248));
    left->Hide();
    EXPECT_EQ(client->Left(), 0);
    f->Free();
}

TEST_F(ControlsTest, ABoundsUpdateMovesTheWindowOnceOrNotAtAll)
{
    TForm* f = NewTestForm(300, 200);
    auto* bottom = Add<TPanel>(f, f, "Bottom", 0, 0, 10, 20);
    bottom->SetAlign(alBottom);
    f->Show();
    TSpy moves(f);
    auto moved = [&] { return std::count(moves.Seen.begin(), moves.Seen.end(), WM_WINDOWPOSCHANGED); };
    {
        // There and back: nothing moves, the children are laid out all the same.
        TBoundsUpdate update(*f);
        f->SetHeight(201);
        f->SetHeight(200);
        bottom->SetBounds(0, 0, 10, 20);
        EXPECT_EQ(f->Height(), 200);
    }
    EXPECT_EQ(moved(), 0);
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 180, 300, 20));
    {
        // Several steps that end elsewhere: one move, to where they end.
        TBoundsUpdate update(*f);
        f->SetHeight(230);
        f->SetWidth(320);
        f->SetHeight(250);
    }
    EXPECT_EQ(moved(), 1);
    RECT r{};
    GetWindowRect(f->Handle(), &r);
    EXPECT_EQ(TRect(r), Bounds(50, 50, 320, 250));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 230, 320, 20));
    // Outside an update every change is made at once.
    f->SetHeight(240);
    EXPECT_EQ(moved(), 2);
    moves.Restore();
    f->Free();
}

TEST_F(ControlsTest, ParentNotificationsAreReflectedAndPlainNumbersAreNotDereferenced)
{
    TForm* f = NewTestForm();
    auto* edit = Add<TEdit>(f, f, "Edit1", 10, 10, 80, 21);
    f->Show();
    TSpy spy(edit);
    NMHDR hdr{edit->Handle(), 7, static_cast<UINT>(-12)};
    SendMessageA(f->Handle(), WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&hdr));
    // The same message number with a plain number in LParam (another module's private message).
    edit->Perform(CN_NOTIFY, 0, 0x41A2);
    SendMessageA(f->Handle(), WM_NOTIFY, 0, 0x41A2);
    EXPECT_EQ(spy.NotifyCodes, (std::vector<int>{-12, -1}));
    // A change of the edit's text comes back from its parent as CN_COMMAND.
    SetWindowTextA(edit->Handle(), "typed");
    EXPECT_TRUE(spy.Saw(CN_COMMAND));
    spy.Restore();
    f->Free();
}

TEST_F(ControlsTest, WindowlessControlsArePaintedByTheirParent)
{
    TForm* f = NewTestForm(200, 100);
    f->SetColor(clWhite);
    auto* label = Add<TLabel>(f, f, "Label1", 20, 20, 50, 30);
    label->SetAutoSize(false);
    label->SetBounds(20, 20, 50, 30);
    label->SetColor(clRed);
    label->SetCaption("");
    f->Show();
    f->Repaint();
    HDC dc = GetDC(f->Handle());
    COLORREF inside = GetPixel(dc, 40, 30);
    COLORREF outside = GetPixel(dc, 100, 70);
    ReleaseDC(f->Handle(), dc);
    EXPECT_EQ(inside, RGB(255, 0, 0));
    EXPECT_EQ(outside, RGB(255, 255, 255));

    // The area an opaque control leaves, by shrinking or hiding, gets the parent's background.
    auto pixel = [&](int x, int y) {
        HDC d = GetDC(f->Handle());
        COLORREF c = GetPixel(d, x, y);
        ReleaseDC(f->Handle(), d);
        return c;
    };
    label->SetBounds(20, 20, 10, 30);
    EXPECT_TRUE(PumpUntil([&] { return pixel(40, 30) == RGB(255, 255, 255) && pixel(25, 30) == RGB(255, 0, 0); }))
        << "the moved label was not repainted";
    label->Hide();
    EXPECT_TRUE(PumpUntil([&] { return pixel(25, 30) == RGB(255, 255, 255); })) << "the hidden label stayed";
    f->Free();
}

TEST_F(ControlsTest, APanelDrawsItsBevelsAndBorderFromTheOutsideIn)
{
    TForm* f = NewTestForm(200, 100);
    auto* panel = Add<TPanel>(f, f, "Panel1", 10, 10, 60, 40);
    panel->SetCaption("");
    panel->SetColor(clRed);
    panel->SetBevelOuter(bvRaised);
    panel->SetBorderWidth(2);
    panel->SetBevelInner(bvLowered);
    f->Show();
    panel->Repaint();
    HWND w = panel->Handle();
    const TColor light = static_cast<TColor>(ColorToRGB(clBtnHighlight));
    const TColor shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
    // Outer raised: light top-left, shadow bottom-right.
    EXPECT_EQ(WindowPixel(w, 0, 20), light);
    EXPECT_EQ(WindowPixel(w, 30, 0), light);
    EXPECT_EQ(WindowPixel(w, 59, 20), shadow);
    EXPECT_EQ(WindowPixel(w, 30, 39), shadow);
    // Two lines of border in the panel's colour.
    EXPECT_EQ(WindowPixel(w, 1, 20), clRed);
    EXPECT_EQ(WindowPixel(w, 2, 20), clRed);
    EXPECT_EQ(WindowPixel(w, 57, 20), clRed);
    // Inner lowered: shadow top-left, light bottom-right; the face inside.
    EXPECT_EQ(WindowPixel(w, 3, 20), shadow);
    EXPECT_EQ(WindowPixel(w, 30, 3), shadow);
    EXPECT_EQ(WindowPixel(w, 56, 20), light);
    EXPECT_EQ(WindowPixel(w, 30, 36), light);
    EXPECT_EQ(WindowPixel(w, 30, 20), clRed);
    f->Free();
}

TEST_F(ControlsTest, RecreatedWindowsKeepTextStateAndFocus)
{
    TForm* f = NewTestForm();
    auto* edit = Add<TEdit>(f, f, "Edit1", 10, 10, 80, 21);
    auto* check = Add<TCheckBox>(f, f, "Check1", 10, 40, 80, 17);
    edit->SetMaxLength(5);
    f->Show();
    SetWindowTextA(edit->Handle(), "typed");  // as if the user typed it
    check->SetState(cbGrayed);
    edit->SetFocus();
    HWND old = edit->Handle();
    edit->SetReadOnly(true);
    edit->RecreateWnd();
    check->RecreateWnd();
    EXPECT_NE(edit->Handle(), old);
    EXPECT_EQ(edit->Text(), "typed");
    EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(GetFocus(), edit->Handle());
    EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    f->Free();
}

TEST_F(ControlsTest, FontColourAndHintSettingsFlowDownUntilAChildSetsItsOwn)
{
    TForm* f = NewTestForm();
    auto* panel = Add<TPanel>(f, f, "Panel1", 0, 0, 200, 100);
    auto* label = Add<TLabel>(f, panel, "Label1", 5, 5, 50, 20);
    auto* edit = Add<TEdit>(f, panel, "Edit1", 5, 40, 80, 21);
    f->Font()->SetName("Courier New");
    EXPECT_EQ(label->Font()->Name(), "Courier New");
    EXPECT_EQ(edit->Font()->Name(), "Courier New");
    edit->Font()->SetHeight(-20);
    EXPECT_FALSE(edit->ParentFont());
    f->Font()->SetName("Arial");
    EXPECT_EQ(label->Font()->Name(), "Arial");
    EXPECT_EQ(edit->Font()->Name(), "Courier New");

    panel->SetColor(clYellow);
    EXPECT_EQ(label->Color(), clYellow);
    label->SetColor(clRed);
    panel->SetColor(clLime);
    EXPECT_EQ(label->Color(), clRed);

    f->SetShowHint(true);
    EXPECT_TRUE(label->ShowHint());
    edit->SetShowHint(false);
    f->SetShowHint(false);
    f->SetShowHint(true);
    EXPECT_TRUE(label->ShowHint());
    EXPECT_FALSE(edit->ShowHint());

    // The window gets the font; its parent's colour message is answered by the edit's object.
    f->Show();
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(edit->Handle(), WM_GETFONT, 0, 0)), edit->Font()->Handle());
    edit->SetColor(clYellow);
    edit->Font()->SetColor(clBlue);
    HDC dc = GetDC(edit->Handle());
    LRESULT brush = SendMessageA(panel->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(edit->Handle()));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), edit->Brush()->Handle());
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0));
    ReleaseDC(edit->Handle(), dc);
    f->Free();
}

TEST_F(ControlsTest, AnAutoSizedRightAlignedLabelKeepsItsRightEdge)
{
    TForm* f = NewTestForm();
    auto* label = Add<TLabel>(f, f, "Label1", 100, 10, 50, 20);
    label->SetAlignment(taRightJustify);
    label->SetCaption("a much longer caption");
    EXPECT_GT(label->Width(), 50);
    EXPECT_EQ(label->Left() + label->Width(), 150);
    label->SetCaption("short");
    EXPECT_LT(label->Width(), 50);
    EXPECT_EQ(label->Left() + label->Width(), 150);
    f->Free();
}

}  // namespace

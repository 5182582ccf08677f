// The application object: creating forms, running the loop, the application window and its
// hooks, minimising and restoring; forms embedded in other controls; handlers that fail.
#include <algorithm>
#include <functional>

#include "guitest.h"
#include "stdctrls.h"
#include "teststreamform.h"
#include "timer.h"
#include "trayicon.h"

namespace {

TStreamForm* gCreated = nullptr;

class TRefForm;
TRefForm* gRefForm = nullptr;

// A form built in code whose OnCreate looks at the reference CreateForm fills.
class TRefForm : public TForm {
public:
    explicit TRefForm(TComponent* owner) : TForm(owner)
    {
        OnCreate = TNotifyEvent(this, &TRefForm::FormCreate);
        InitNew();
    }
    bool SawItself = false;
    void FormCreate(TObject*) { SawItself = Application->MainForm() == nullptr && gRefForm == this; }
};

// Records the messages a new window sends its control, from the very first.
class TFirstMessages : public TForm {
public:
    using TForm::TForm;
    std::vector<UINT> Msgs;
    HWND AtFirst = nullptr;
    void WndProc(TMessage& m) override
    {
        if (Msgs.empty())
            AtFirst = WindowHandle();
        Msgs.push_back(m.Msg);
        TForm::WndProc(m);
    }
};

// Sees the application window's messages first.
class THookSpy : public TObject {
public:
    std::vector<UINT> Seen;
    bool Minimized = false;
    bool Hook(TMessage& m)
    {
        Seen.push_back(m.Msg);
        if (m.Msg == WM_SIZE && m.WParam == SIZE_MINIMIZED)
            Minimized = true;
        if (m.Msg == WM_USER + 7) {
            m.Result = 77;
            return true;
        }
        return false;
    }
    void RefuseClose(TObject*, bool& canClose) { canClose = false; }
};

// A form whose create and show handlers fail, as a damaged data file makes them fail.
class TFailingForm : public TForm {
public:
    explicit TFailingForm(TComponent* owner) : TForm(owner)
    {
        SetBounds(60, 60, 240, 120);
        OnCreate = TNotifyEvent(this, &TFailingForm::FormCreate);
        OnShow = TNotifyEvent(this, &TFailingForm::FormShow);
        InitNew();
    }
    int Shows = 0;
    void FormCreate(TObject*) { throw EInvalidGraphic("create failed"); }
    void FormShow(TObject*)
    {
        ++Shows;
        throw EInvalidGraphic("show failed " + IntToStr(Shows));
    }
};

// Runs its steps one after the other from a timer inside the application's own loop.
class TLoopSteps : public TObject {
public:
    explicit TLoopSteps(std::vector<std::function<void()>> steps) : FSteps(std::move(steps))
    {
        FTimer.SetInterval(100);
        FTimer.SetOnTimer(TNotifyEvent(this, &TLoopSteps::Tick));
    }

private:
    void Tick(TObject*)
    {
        if (FNext < FSteps.size())
            FSteps[FNext++]();
        if (FNext == FSteps.size())
            FTimer.SetEnabled(false);
    }
    std::vector<std::function<void()>> FSteps;
    size_t FNext = 0;
    TTimer FTimer{nullptr};
};

using ApplicationTest = GuiTest;

TEST_F(ApplicationTest, FailingCreateAndShowHandlersAreReportedAndTheLoopAndWindowGoOn)
{
    TFailingForm* f = nullptr;
    ASSERT_NO_THROW(Application->CreateForm(f));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(TakeReportedExceptions(), std::vector<String>{"create failed"});
    auto* tray = new TTrayIcon(f);  // icon not shown: only its hide and restore are used

    std::vector<String> reported;
    bool shownAtFirst = false, hidden = false, shownAgain = false;
    TLoopSteps steps({
        [&] {
            shownAtFirst = IsWindowVisible(f->Handle());
            reported = TakeReportedExceptions();
            tray->HideMainForm();
            hidden = !IsWindowVisible(f->Handle());
        },
        [&] { tray->RestoreMainForm(); },  // the tray's restore: the handler fails again
        [&] { shownAgain = IsWindowVisible(f->Handle()); },
        [&] { Application->Terminate(); },
    });
    EXPECT_NO_THROW(Application->Run());  // the loop ran on until it was asked to end
    EXPECT_TRUE(shownAtFirst);
    EXPECT_EQ(reported, std::vector<String>{"show failed 1"});
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(shownAgain);
    EXPECT_EQ(TakeReportedExceptions(), std::vector<String>{"show failed 2"});
    EXPECT_TRUE(f->Visible());

    // Shown modally, a failing show handler neither ends the modal loop nor leaves it hidden.
    Application->CancelTerminate();
    auto* modal = new TFailingForm(nullptr);
    TakeReportedExceptions();
    bool modalShown = false;
    TLoopSteps close({[&] {
        modalShown = IsWindowVisible(modal->Handle());
        modal->SetModalResult(mrOk);
    }});
    EXPECT_EQ(modal->ShowModal(), mrOk);
    EXPECT_TRUE(modalShown);
    EXPECT_EQ(TakeReportedExceptions(), std::vector<String>{"show failed 1"});
    modal->Free();

    f->Free();
    EXPECT_EQ(Application->MainForm(), nullptr);
    ShowWindow(Application->Handle(), SW_HIDE);
}

TEST_F(ApplicationTest, CreateFormMakesTheFirstFormMainAndRunShowsItUntilItCloses)
{
    ASSERT_EQ(Application->MainForm(), nullptr);
    int owned = Application->ComponentCount();
    Application->CreateForm(gCreated);
    EXPECT_EQ(Application->MainForm(), gCreated);
    EXPECT_EQ(gCreated->Owner(), Application);
    EXPECT_EQ(Application->ComponentCount(), owned + 1);
    TStreamForm* second = nullptr;
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), gCreated);  // only the first

    PostMessageA(gCreated->Handle(), WM_CLOSE, 0, 0);
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(gCreated->Visible());
    EXPECT_TRUE(IsWindowVisible(Application->Handle()));  // the taskbar button
    EXPECT_EQ(GetWindow(gCreated->Handle(), GW_OWNER), Application->Handle());
    Application->CancelTerminate();

    Application->SetMainForm(second);
    EXPECT_EQ(Application->MainForm(), second);
    second->Free();
    EXPECT_EQ(Application->MainForm(), nullptr);
    gCreated->Free();
    gCreated = nullptr;
    ShowWindow(Application->Handle(), SW_HIDE);
}

TEST_F(ApplicationTest, TheReferenceIsSetBeforeTheFormsConstructorRuns)
{
    Application->CreateForm(gRefForm);
    TRefForm* f = gRefForm;
    EXPECT_TRUE(f->SawItself);
    EXPECT_EQ(Application->MainForm(), f);
    f->Free();
    gRefForm = nullptr;
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(ApplicationTest, HooksSeeTheApplicationWindowFirstAndTheWindowAnswersForTheIcon)
{
    THookSpy spy;
    TWindowHook hook(&spy, &THookSpy::Hook);
    Application->HookMainWindow(hook);
    EXPECT_EQ(SendMessageA(Application->Handle(), WM_USER + 7, 0, 0), 77);
    EXPECT_NE(SendMessageA(Application->Handle(), WM_GETICON, ICON_BIG, 0), 0);

    Application->Minimize();
    EXPECT_TRUE(IsIconic(Application->Handle()));
    EXPECT_TRUE(spy.Minimized);
    Application->Restore();
    EXPECT_FALSE(IsIconic(Application->Handle()));
    ShowWindow(Application->Handle(), SW_HIDE);

    Application->UnhookMainWindow(hook);
    size_t seen = spy.Seen.size();
    EXPECT_EQ(SendMessageA(Application->Handle(), WM_USER + 7, 0, 0), 0);
    EXPECT_EQ(spy.Seen.size(), seen);

    char title[64] = {};
    GetWindowTextA(Application->Handle(), title, sizeof title);
    EXPECT_STREQ(title, "Toolkit tests");
    EXPECT_EQ(LowerCase(ExtractFileExt(Application->ExeName())), ".exe");
}

TEST_F(ApplicationTest, AFormCanLiveInsideAnotherControlAndComeBack)
{
    auto* host = new TForm(nullptr);
    host->SetBounds(40, 40, 400, 300);
    auto* page = new TPanel(host);
    page->SetAlign(alClient);
    page->SetParent(host);
    host->Show();

    auto* guest = new TStreamForm(nullptr);
    guest->Show();
    size_t shows = guest->Log.size();
    // As the main window does with its alarm page: no border, fill the page, move in.
    guest->SetBorderStyle(bsNone);
    guest->SetAlign(alClient);
    guest->SetParent(page);
    HWND h = guest->Handle();
    EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetParent(h), page->Handle());
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(guest->BoundsRect(), Bounds(1, 1, page->Width() - 2, page->Height() - 2));
    EXPECT_EQ(guest->Log.size(), shows);  // moving in is no new showing
    EXPECT_EQ(GetParentForm(guest->NameEdit), host);
    EXPECT_TRUE(guest->NameEdit->HandleAllocated());

    guest->SetParent(nullptr);
    EXPECT_FALSE(GetWindowLongA(guest->Handle(), GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(guest->Handle()));
    guest->Free();
    host->Free();
}

TEST_F(ApplicationTest, CloseQueryCanRefuse)
{
    THookSpy spy;
    auto* f = new TForm(nullptr);
    f->OnCloseQuery = TCloseQueryEvent(&spy, &THookSpy::RefuseClose);
    f->Show();
    f->Close();
    EXPECT_TRUE(f->Visible());
    PostMessageA(f->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Application->ProcessMessages();  // the posted command
    EXPECT_TRUE(IsWindowVisible(f->Handle()));
    f->Free();
}

TEST_F(ApplicationTest, MessagesBeforeNcCreateAlreadyReachTheNewControl)
{
    auto* f = new TFirstMessages(nullptr);
    f->HandleNeeded();
    ASSERT_FALSE(f->Msgs.empty());
    EXPECT_EQ(f->Msgs.front(), static_cast<UINT>(WM_GETMINMAXINFO));
    EXPECT_EQ(f->AtFirst, f->WindowHandle());
    EXPECT_NE(std::find(f->Msgs.begin(), f->Msgs.end(), WM_NCCREATE), f->Msgs.end());
    f->Free();
}

}  // namespace

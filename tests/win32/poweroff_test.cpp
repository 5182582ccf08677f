// The power-off countdown with its real form and a power action that only writes down what it
// was asked: ten down to zero, the action once at zero, "Now", "Cancel", the background picture,
// and the privilege step of the exit call.
#include <windows.h>

#include <optional>
#include <vector>

#include "extctrls.h"
#include "graphics_testdata.h"
#include "guitest.h"
#include "main.h"
#include "poweroff.h"
#include "replacedfile.h"
#include "stdctrls.h"
#include "timer.h"

using poweroff::Form3;
using poweroff::TForm3;

namespace {

std::vector<UINT> gFlags;
std::vector<DWORD> gReasons;
BOOL gExitResult = TRUE;
BOOL WINAPI RecordExit(UINT flags, DWORD reason)
{
    gFlags.push_back(flags);
    gReasons.push_back(reason);
    return gExitResult;
}

String PicturePath() { return Form1->AppPath() + "Skins\\power.JPG"; }

// Whether the shutdown privilege is on in this process's token.
bool ShutdownPrivilegeOn()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    PRIVILEGE_SET wanted{1, PRIVILEGE_SET_ALL_NECESSARY, {}};
    BOOL on = FALSE;
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &wanted.Privilege[0].Luid))
        PrivilegeCheck(token, &wanted, &on);
    CloseHandle(token);
    return on;
}

// The program folder's picture, or one of our own while the build has put none there.
class TPictureScope {
public:
    TPictureScope()
    {
        if (!FileContent(PicturePath()).empty())
            return;
        CreateDirectoryA((Form1->AppPath() + "Skins").c_str(), nullptr);
        FMade.emplace(PicturePath(),
                      MakeJpeg(381, 232, [](int x, int y) { return static_cast<uint32_t>((x << 16) | (y << 8)); }));
    }

private:
    std::optional<TReplacedFile> FMade;
};

// Clicks a button from a timer, inside a modal loop.
class TDelayedClick : public TObject {
public:
    TDelayedClick(TButton* button, int ms) : FButton(button), FTimer(new TTimer(nullptr))
    {
        FTimer->SetInterval(ms);
        FTimer->SetOnTimer(TNotifyEvent(this, &TDelayedClick::Tick));
    }

private:
    void Tick(TObject*)
    {
        FTimer->SetEnabled(false);
        PostMessageA(FButton->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(5, 5));
        PostMessageA(FButton->Handle(), WM_LBUTTONUP, 0, MakeMsgPoint(5, 5));
    }

    TButton* FButton;
    TOwnedObject<TTimer> FTimer;
};

class PowerOffTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        if (!Form1)
            Form1 = new TForm1(Application);  // the countdown reads the program folder from it
        FOld = poweroff::SetExitWindowsFunc(&RecordExit);
        gFlags.clear();
        gReasons.clear();
        gExitResult = TRUE;
    }

    void TearDown() override
    {
        poweroff::SetExitWindowsFunc(FOld);
        if (Form3)
            FreeAndNil(Form3);
        Application->ProcessMessages();
        GuiTest::TearDown();
    }

    // A countdown for `action`, as the alarm makes it.
    static TForm3* MakeCountdown(const String& action)
    {
        Form3 = new TForm3(nullptr);
        Form3->Button1->SetCaption(action);
        Form3->Label1->SetCaption("Your Computer will be " + action + " in:");
        return Form3;
    }

    poweroff::TExitWindowsFunc FOld = nullptr;
};

}  // namespace

TEST_F(PowerOffTest, CountsDownFromTenAndActsOnceAtZero)
{
    const std::pair<const char*, std::vector<UINT>> cases[] = {
        {"Shutdown", {5}}, {"Restart", {6}}, {"LogOff", {4}}, {"Now", {}}, {"shutdown", {}},
    };
    for (const auto& [action, flags] : cases) {
        SCOPED_TRACE(action);
        gFlags.clear();
        TForm3* f = MakeCountdown(action);
        f->Show();
        EXPECT_EQ(f->Label2->Caption(), "10");
        String shown;
        for (int i = 0; i < 10; ++i) {
            EXPECT_TRUE(gFlags.empty());
            f->Timer1Timer(f->Timer1);
            shown += f->Label2->Caption() + " ";
        }
        EXPECT_EQ(shown, "9 8 7 6 5 4 3 2 1 0 ");
        EXPECT_EQ(gFlags, flags);
        EXPECT_FALSE(f->Timer1->Enabled());
        EXPECT_TRUE(PumpUntil([] { return Application->Terminated(); }))
            << "whatever the action, the program is asked to end";
        Application->CancelTerminate();
        f->Timer1Timer(f->Timer1);
        EXPECT_EQ(f->Label2->Caption(), "0");
        EXPECT_EQ(gFlags, flags) << "nothing more after zero";
        FreeAndNil(Form3);
    }
    EXPECT_EQ(gReasons, std::vector<DWORD>(3, 0)) << "no reason code";
}

TEST_F(PowerOffTest, NowActsAtOnceAndTheCountdownGoesOn)
{
    TForm3* f = MakeCountdown("Restart");
    f->Show();
    f->Timer1Timer(f->Timer1);
    ClickControl(f->Button1);
    EXPECT_EQ(gFlags, std::vector<UINT>({6}));
    EXPECT_EQ(f->Label2->Caption(), "9");
    EXPECT_TRUE(f->Timer1->Enabled());
    EXPECT_TRUE(IsWindowVisible(f->Handle()));
    for (int i = 0; i < 9; ++i)
        f->Timer1Timer(f->Timer1);
    EXPECT_EQ(gFlags, std::vector<UINT>({6, 6}));
    EXPECT_TRUE(PumpUntil([] { return Application->Terminated(); }));
    Application->CancelTerminate();
}

TEST_F(PowerOffTest, CancelClosesAndFreesTheWindowWithoutActing)
{
    TForm3* f = MakeCountdown("Shutdown");
    HWND h = f->Handle();
    TDelayedClick cancel(f->Button2, 300);
    EXPECT_EQ(f->ShowModal(), mrCancel);
    EXPECT_EQ(Form3, nullptr);
    EXPECT_TRUE(PumpUntil([h] { return !IsWindow(h); }, 2000)) << "the window frees itself";
    EXPECT_TRUE(gFlags.empty());
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(PowerOffTest, ShowsItsPictureBorderlessOnTopInTheMiddleOfTheDesktop)
{
    TPictureScope picture;
    TForm3* f = MakeCountdown("LogOff");
    EXPECT_EQ(f->Image1->Picture()->Width(), 381);
    EXPECT_EQ(f->Image1->Picture()->Height(), 232);
    f->Show();
    EXPECT_EQ(GetWindowLongA(f->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    // In front of every other window while it counts, so Cancel can always be reached.
    EXPECT_TRUE(GetWindowLongA(f->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetForegroundWindow(), f->Handle());
    RECT r;
    GetWindowRect(f->Handle(), &r);
    TRect desktop = Screen->DesktopRect();
    EXPECT_EQ(r.right - r.left, 381);
    EXPECT_EQ(r.bottom - r.top, 232);
    EXPECT_NEAR(r.left + r.right, desktop.left + desktop.right, 2);
    EXPECT_NEAR(r.top + r.bottom, desktop.top + desktop.bottom, 2);
}

// An error box the user leaves open a while (on purpose longer than a second of the countdown):
// its loop handles the program's messages.
class TSlowErrorBox : public TObject {
public:
    TSlowErrorBox() { Application->OnException = TExceptionEvent(this, &TSlowErrorBox::Show); }
    ~TSlowErrorBox() override { RecordExceptions(); }
    std::vector<String> Messages;

private:
    void Show(TObject*, const Exception& e)
    {
        Messages.push_back(e.Message());
        PumpFor(1500);
    }
};

TEST_F(PowerOffTest, AMissingOrDamagedPictureIsReportedAndTheCountdownStartsWhenShown)
{
    const TFileContent garbage = {'n', 'o', ' ', 'J', 'P', 'E', 'G'};
    for (const auto& content : {std::optional<TFileContent>(), std::optional<TFileContent>(garbage)}) {
        TReplacedFile picture(PicturePath(), content);
        TForm3* f = nullptr;
        {
            TSlowErrorBox box;
            f = MakeCountdown("Restart");
            ASSERT_EQ(box.Messages.size(), 1u);
            EXPECT_NE(box.Messages[0].find(PicturePath()), String::npos) << box.Messages[0];
            if (content) {
                EXPECT_NE(box.Messages[0].find("is damaged: JPEG error"), String::npos) << box.Messages[0];
            }
        }
        // Nothing counted behind the box.
        EXPECT_EQ(f->Label2->Caption(), "10");
        EXPECT_FALSE(f->Timer1->Enabled());
        EXPECT_TRUE(gFlags.empty());
        EXPECT_EQ(f->Image1->Picture()->Width(), 0);
        // Shown, it counts from ten, the first second a second later, without its background.
        f->Show();
        EXPECT_TRUE(f->Timer1->Enabled());
        EXPECT_EQ(f->Label2->Caption(), "10");
        EXPECT_TRUE(PumpUntil([f] { return f->Label2->Caption() == "9"; }, 2500));
        FreeAndNil(Form3);
    }
}

TEST_F(PowerOffTest, TheExitCallEnablesTheShutdownPrivilegePassesItsResultAndClosesTheToken)
{
    EXPECT_TRUE(poweroff::ExitWindowsWithPrivilege(5));
    EXPECT_TRUE(ShutdownPrivilegeOn());
    gExitResult = FALSE;
    EXPECT_FALSE(poweroff::ExitWindowsWithPrivilege(4));
    EXPECT_EQ(gFlags, std::vector<UINT>({5, 4}));

    // Handle values fill the process's table from the bottom: 50 tokens left open would push the
    // next free value up by 50 slots of 4. (Wine's GetProcessHandleCount says 0.)
    auto nextFreeHandle = [] {
        HANDLE e = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        CloseHandle(e);
        return reinterpret_cast<uintptr_t>(e);
    };
    uintptr_t before = nextFreeHandle();
    for (int i = 0; i < 50; ++i)
        poweroff::ExitWindowsWithPrivilege(6);
    EXPECT_LT(nextFreeHandle(), before + 4 * 10);
}

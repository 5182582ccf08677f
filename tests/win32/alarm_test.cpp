// The alarm page with its real form and the dialog library's real note window; a clock and a
// power action of the test's own where a test needs them.
#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>  // cmb1: a file dialog's filters, cmb13: its file name

#include <cstdio>
#include <memory>
#include <vector>

#include "alarm.h"
#include "comctrls.h"
#include "dialogs.h"
#include "gradientbutton.h"
#include "guitest.h"
#include "main.h"
#include "mplayer.h"
#include "poweroff.h"
#include "programcalls.h"
#include "stdctrls.h"
#include "timer.h"

namespace {

constexpr const char* ProbeVariable = "VELMORA_LAUNCH_PROBE";

// A copy of this program started by the launch action writes whether it was given a show
// command, and which, into the file the variable names, and ends before any test runs.
[[maybe_unused]] const bool gLaunchProbe = [] {
    char file[MAX_PATH];
    DWORD n = GetEnvironmentVariableA(ProbeVariable, file, sizeof file);
    if (n == 0 || n >= sizeof file)
        return false;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    if (FILE* f = std::fopen(file, "w")) {
        std::fprintf(f, "%d %u", (si.dwFlags & STARTF_USESHOWWINDOW) ? 1 : 0, static_cast<unsigned>(si.wShowWindow));
        std::fclose(f);
    }
    ExitProcess(0);
    return true;
}();

TDateTime gClock = 0;
TDateTime TestClock() { return gClock; }

// The test's clock in place of the wall clock while it lives.
class TClockScope {
public:
    explicit TClockScope(TDateTime t) : FOld(SetNowFunc(&TestClock)) { gClock = t; }
    ~TClockScope() { SetNowFunc(FOld); }

private:
    TNowFunc FOld;
};

// A moment of May 2024; its milliseconds take no part in the alarm.
TDateTime At(int day, int h, int m, int s) { return EncodeDate(2024, 5, day) + EncodeTime(h, m, s, 400); }

int SecondOfDay(TDateTime t)
{
    TTimeParts p = DecodeTime(t);
    return p.Hour * 3600 + p.Min * 60 + p.Sec;
}

std::vector<UINT> gExitCalls;
BOOL WINAPI RecordExit(UINT flags, DWORD) { gExitCalls.push_back(flags); return TRUE; }

class TExitSeam {
public:
    TExitSeam() : FOld(poweroff::SetExitWindowsFunc(&RecordExit)) { gExitCalls.clear(); }
    ~TExitSeam() { poweroff::SetExitWindowsFunc(FOld); }

private:
    poweroff::TExitWindowsFunc FOld;
};

String TempPath(const String& name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return String(dir) + name;
}

// A tenth of a second of mono 8-bit sound.
String WriteWav(const String& name)
{
    const uint32_t n = 800;
    struct {
        char Riff[4];
        uint32_t Size;
        char Wave[4], Fmt[4];
        uint32_t FmtSize;
        uint16_t Format, Channels;
        uint32_t Rate, Bytes;
        uint16_t Block, Bits;
        char Data[4];
        uint32_t DataSize;
    } h = {{'R', 'I', 'F', 'F'}, 36 + n, {'W', 'A', 'V', 'E'}, {'f', 'm', 't', ' '}, 16, 1, 1, 8000, 8000, 1, 8,
           {'d', 'a', 't', 'a'}, n};
    std::vector<uint8_t> samples(n);
    for (uint32_t i = 0; i < n; ++i)
        samples[i] = (i / 8) % 2 ? 160 : 96;
    String path = TempPath(name);
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_TRUE(f);
    if (f) {
        std::fwrite(&h, sizeof h, 1, f);
        std::fwrite(samples.data(), 1, n, f);
        std::fclose(f);
    }
    return path;
}

String ReadFile(const String& path)
{
    char buf[64] = {};
    if (FILE* f = std::fopen(path.c_str(), "r")) {
        size_t n = std::fread(buf, 1, sizeof buf - 1, f);
        std::fclose(f);
        return String(buf, n);
    }
    return String();
}

String TextOf(HWND w)
{
    char buf[512];
    return String(buf, static_cast<size_t>(std::max(GetWindowTextA(w, buf, sizeof buf), 0)));
}

String ClassOf(HWND w)
{
    char buf[128];
    return String(buf, static_cast<size_t>(std::max(GetClassNameA(w, buf, sizeof buf), 0)));
}

BOOL CALLBACK CollectWindow(HWND w, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> v;
    EnumChildWindows(parent, &CollectWindow, reinterpret_cast<LPARAM>(&v));
    return v;
}

std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> v;
    EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&v));
    return v;
}

// True the first time a window is asked about. The mark goes with the window: handles and
// addresses come round again.
bool FirstSight(HWND w)
{
    if (GetPropA(w, "VelmoraTestSeen"))
        return false;
    SetPropA(w, "VelmoraTestSeen", reinterpret_cast<HANDLE>(1));
    return true;
}

// Answers the windows the action chain opens, from a timer that goes on ticking inside their
// modal loops: writes down each countdown, note and message window and what was true when it
// appeared, cancels the countdown (or lets it run out) and closes the others.
class TChainWatcher : public TObject {
public:
    struct TSeen {
        String Kind;     // "countdown", "note" or "message"
        String Caption;  // the window's caption; the countdown's Button1 caption
        String Text;     // the note's text; the countdown's sentence; the message's button
        bool SoundOpen;
        bool CountdownGone;
        HWND Window;
    };

    explicit TChainWatcher(TForm2* form) : FForm(form), FTimer(new TTimer(nullptr))
    {
        FTimer->SetInterval(40);
        FTimer->SetOnTimer(TNotifyEvent(this, &TChainWatcher::Tick));
    }

    std::vector<String> Kinds() const
    {
        std::vector<String> v;
        for (const TSeen& s : Seen)
            v.push_back(s.Kind);
        return v;
    }

    bool CancelCountdown = true;
    std::vector<TSeen> Seen;

private:
    void Tick(TObject*)
    {
        poweroff::TForm3* c = poweroff::Form3;
        if (c && c->HandleAllocated() && IsWindowVisible(c->WindowHandle()) && FirstSight(c->WindowHandle())) {
            Seen.push_back({"countdown", c->Button1->Caption(), c->Label1->Caption(), FForm->MediaPlayer1->IsOpen(), false,
                            c->WindowHandle()});
            if (CancelCountdown) {
                PostMessageA(c->Button2->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(5, 5));
                PostMessageA(c->Button2->Handle(), WM_LBUTTONUP, 0, MakeMsgPoint(5, 5));
            }
        }
        static HMODULE library = GetModuleHandleA("Brenlow.dll");
        for (HWND w : ThreadWindows()) {
            if (IsWindowVisible(w) && reinterpret_cast<HMODULE>(GetWindowLongPtrA(w, GWLP_HINSTANCE)) == library &&
                FirstSight(w))
                SeeLibraryWindow(w);
        }
    }

    void SeeLibraryWindow(HWND w)
    {
        TSeen s{"message", TextOf(w), "", FForm->MediaPlayer1->IsOpen(), poweroff::Form3 == nullptr, w};
        for (HWND child : Children(w)) {
            if (SameText(ClassOf(child), "Edit") && (GetWindowLongA(child, GWL_STYLE) & ES_READONLY)) {
                s.Kind = "note";
                s.Text = TextOf(child);
            } else if (ClassOf(child) == "TGradientButton" && s.Kind == "message") {
                s.Text = TextOf(child);
            }
        }
        Seen.push_back(s);
        PostMessageA(w, WM_CLOSE, 0, 0);
    }

    TForm2* FForm;
    TOwnedObject<TTimer> FTimer;
};

// Answers the next file dialog from a timer inside its modal loop: notes the first filter's
// name, then types a file name into it and confirms, or cancels.
class TFileDialogAnswer : public TObject {
public:
    TFileDialogAnswer() : FTimer(new TTimer(nullptr))
    {
        FTimer->SetInterval(50);
        FTimer->SetOnTimer(TNotifyEvent(this, &TFileDialogAnswer::Tick));
    }
    // An empty name cancels.
    void Next(const String& fileName)
    {
        FFileName = fileName;
        FPending = true;
    }
    String Filter;

private:
    void Tick(TObject*)
    {
        for (HWND w : ThreadWindows()) {
            if (!FPending || ClassOf(w) != "#32770" || !IsWindowVisible(w))
                continue;
            FPending = false;
            char name[256] = {};
            if (SendDlgItemMessageA(w, cmb1, CB_GETLBTEXTLEN, 0, 0) < static_cast<LRESULT>(sizeof name))
                SendDlgItemMessageA(w, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
            Filter = name;
            for (HWND c : Children(w))  // the edit inside the file-name box
                if (GetDlgCtrlID(c) == cmb13 && SameText(ClassOf(c), "Edit"))
                    SetWindowTextA(c, FFileName.c_str());
            PostMessageA(w, WM_COMMAND, FFileName.empty() ? IDCANCEL : IDOK, 0);
        }
    }

    TOwnedObject<TTimer> FTimer;
    String FFileName;
    bool FPending = false;
};

class AlarmTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        if (!Form1)
            Form1 = new TForm1(Application);  // the page reads the program folder from it
        Form.Reset(new TForm2(nullptr));
        Form->Timer1->SetEnabled(false);  // checks come from the test unless it says otherwise
    }

    void TearDown() override
    {
        Form->Timer1->SetEnabled(false);
        Form->Timer2->SetEnabled(false);
        Form.Reset();
        Application->ProcessMessages();
        GuiTest::TearDown();
    }

    // A check tick at `t` on the test's clock.
    void CheckAt(TDateTime t)
    {
        gClock = t;
        Form->Timer1Timer(Form->Timer1);
    }

    bool Armed() const { return Form->Timer2->Enabled(); }

    // The alarm is set to `t`, matches at `t` and its action tick runs the chain.
    void FireAt(TDateTime t)
    {
        Form->MaskEdit2->SetTime(t);
        CheckAt(t);
        ASSERT_TRUE(Armed());
        Form->Timer2Timer(Form->Timer2);
    }

    TOwnedObject<TForm2> Form;
    TExitSeam Seam;
};

}  // namespace

TEST_F(AlarmTest, HasItsLetterSpacedTitleAndShowsTheDefaults)
{
    EXPECT_EQ(Form->Caption(), "A\xA0l\xA0" "a r\xA0m ");
    TClockScope clock(At(3, 7, 8, 9));
    Form->Show();
    EXPECT_EQ(Form->MaskEdit1->Caption(), "07:08:09");
    EXPECT_EQ(SecondOfDay(Form->MaskEdit2->Time()), SecondOfDay(At(3, 7, 8, 9)));
    EXPECT_EQ(Form->Edit1->Text(), Form1->AppPath() + "Wav\\alarm.wav");
    EXPECT_EQ(Form->Memo1->Text(), "Its Time to...");
}

TEST_F(AlarmTest, FiresWhenTheClockReachesTheAlarmSecondNotWhenItIsSet)
{
    TClockScope clock(At(10, 9, 30, 0));
    Form->Show();  // the alarm time becomes now: no note at start-up
    CheckAt(At(10, 9, 30, 0));
    CheckAt(At(10, 9, 30, 1));
    EXPECT_FALSE(Armed());

    // The user sets the alarm to the second it is now: that does not count either. The picker
    // takes the value and tells its parent, as it does when the user changes it.
    gClock = At(10, 9, 45, 5);
    NMDATETIMECHANGE change{};
    change.nmhdr.hwndFrom = Form->MaskEdit2->Handle();
    change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(change.nmhdr.hwndFrom));
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    change.st = {2024, 5, 5, 10, 9, 45, 5, 0};
    SendMessageA(change.nmhdr.hwndFrom, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&change.st));
    SendMessageA(GetParent(change.nmhdr.hwndFrom), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
    ASSERT_EQ(SecondOfDay(Form->MaskEdit2->Time()), SecondOfDay(gClock));
    CheckAt(At(10, 9, 45, 5));
    EXPECT_FALSE(Armed());

    // A time already passed today is reached tomorrow.
    Form->MaskEdit2->SetTime(EncodeTime(8, 0, 0, 0));
    CheckAt(At(10, 23, 59, 59));
    CheckAt(At(11, 7, 59, 59));
    EXPECT_FALSE(Armed());
    CheckAt(At(11, 8, 0, 0));
    EXPECT_TRUE(Armed());
    EXPECT_EQ(Form->MaskEdit1->Caption(), "08:00:00");
}

TEST_F(AlarmTest, ALateCheckCatchesUpOnSkippedSecondsUpToTen)
{
    TChainWatcher watcher(Form.Get());
    TClockScope clock(At(10, 8, 0, 0));
    Form->MaskEdit2->SetTime(EncodeTime(8, 0, 5, 0));
    CheckAt(At(10, 8, 0, 3));
    CheckAt(At(10, 8, 0, 7));  // 4, 5 and 6 skipped
    EXPECT_TRUE(Armed());
    Form->Timer2Timer(Form->Timer2);
    EXPECT_EQ(watcher.Kinds(), std::vector<String>({"note"}));

    // Ten seconds still catch up; a gap of more (sleep, a clock change) looks at its own second
    // only.
    Form->MaskEdit2->SetTime(EncodeTime(8, 0, 55, 0));
    CheckAt(At(10, 8, 0, 46));
    CheckAt(At(10, 8, 0, 56));
    EXPECT_TRUE(Armed());
    Form->Timer2Timer(Form->Timer2);
    Form->MaskEdit2->SetTime(EncodeTime(8, 1, 55, 0));
    CheckAt(At(10, 8, 1, 45));
    CheckAt(At(10, 8, 1, 56));
    EXPECT_FALSE(Armed());

    Form->MaskEdit2->SetTime(EncodeTime(0, 0, 1, 0));
    CheckAt(At(10, 23, 59, 58));
    CheckAt(At(11, 0, 0, 3));  // across midnight
    EXPECT_TRUE(Armed());
}

TEST_F(AlarmTest, OneMatchRunsTheChainOnceWhicheverTickComesFirst)
{
    TChainWatcher watcher(Form.Get());
    TClockScope clock(At(10, 6, 0, 0));
    Form->MaskEdit2->SetTime(EncodeTime(6, 0, 1, 0));
    CheckAt(At(10, 6, 0, 1));
    Form->Timer2Timer(Form->Timer2);  // the action tick first
    CheckAt(At(10, 6, 0, 1));         // a late check, then an early one: the same second again
    CheckAt(At(10, 6, 0, 2));
    Form->Timer2Timer(Form->Timer2);
    EXPECT_EQ(watcher.Seen.size(), 1u);

    Form->MaskEdit2->SetTime(EncodeTime(6, 0, 5, 0));
    CheckAt(At(10, 6, 0, 5));
    CheckAt(At(10, 6, 0, 5));  // twice in the same second
    CheckAt(At(10, 6, 0, 6));  // the next check first
    Form->Timer2Timer(Form->Timer2);
    Form->Timer2Timer(Form->Timer2);
    EXPECT_EQ(watcher.Seen.size(), 2u);
}

TEST_F(AlarmTest, AnAlarmAFewSecondsAheadFiresOnceWithTheRealTimers)
{
    TChainWatcher watcher(Form.Get());
    Form->Memo1->SetText("Two seconds from now");
    Form->MaskEdit2->SetTime(Now() + EncodeTime(0, 0, 2, 0));
    Form->Timer1->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return !watcher.Seen.empty(); }, 6000));
    // Two more checks, each seen in the current-time label, and no second chain.
    for (int check = 0; check < 2; ++check) {
        const String shown = Form->MaskEdit1->Caption();
        ASSERT_TRUE(PumpUntil([&] { return Form->MaskEdit1->Caption() != shown; })) << "the check stopped";
    }
    ASSERT_EQ(watcher.Seen.size(), 1u);
    EXPECT_EQ(watcher.Seen[0].Kind, "note");
    EXPECT_EQ(watcher.Seen[0].Caption, "Two seconds from now");
    EXPECT_EQ(watcher.Seen[0].Text, "Two seconds from now");
}

TEST_F(AlarmTest, ActiveLocksThePickerUntilTheAlarmSecond)
{
    Form->Show();
    ClickControl(Form->Button1);
    EXPECT_EQ(Form->Button1->Caption(), "Abort");
    EXPECT_EQ(Form->Label7->Caption(), "Active");
    EXPECT_EQ(Form->Label7->Font()->Color(), clRed);
    EXPECT_FALSE(Form->MaskEdit2->Enabled());
    EXPECT_EQ(Form->MaskEdit2->Color(), clBtnFace);
    ClickControl(Form->Button1);
    EXPECT_EQ(Form->Button1->Caption(), "Active");
    EXPECT_TRUE(Form->MaskEdit2->Enabled());

    ClickControl(Form->Button1);
    TClockScope clock(At(10, 13, 0, 0));
    Form->MaskEdit2->SetTime(EncodeTime(13, 0, 1, 0));
    CheckAt(At(10, 13, 0, 0));
    EXPECT_EQ(Form->Button1->Caption(), "Abort");
    CheckAt(At(10, 13, 0, 1));
    EXPECT_EQ(Form->Button1->Caption(), "Active");
    EXPECT_EQ(Form->Label7->Caption(), "not Active");
    EXPECT_EQ(Form->Label7->Font()->Color(), clBlue);
    EXPECT_TRUE(Form->MaskEdit2->Enabled());
    EXPECT_EQ(Form->MaskEdit2->Color(), clWindow);
}

TEST_F(AlarmTest, EachCheckBoxSwitchesItsActionsControls)
{
    Form->Show();
    auto on = [](TControl* c) { return c->Enabled() && c->Color() == clWindow; };
    auto off = [](TControl* c) { return !c->Enabled() && c->Color() == clBtnFace; };
    EXPECT_TRUE(off(Form->Edit1) && off(Form->Edit2) && off(Form->ComboBox1));
    ClickControl(Form->CheckBox1);
    EXPECT_TRUE(on(Form->Edit1) && Form->GradientButton3->Enabled() && Form->GradientButton5->Enabled());
    ClickControl(Form->CheckBox2);
    EXPECT_TRUE(on(Form->Edit2) && Form->GradientButton4->Enabled());
    ClickControl(Form->CheckBox3);
    EXPECT_TRUE(on(Form->ComboBox1));
    for (TCheckBox* box : {Form->CheckBox1, Form->CheckBox2, Form->CheckBox3})
        ClickControl(box);
    EXPECT_TRUE(off(Form->Edit1) && off(Form->Edit2) && off(Form->ComboBox1));
    EXPECT_FALSE(Form->GradientButton3->Enabled() || Form->GradientButton4->Enabled() ||
                 Form->GradientButton5->Enabled());
}

TEST_F(AlarmTest, ThePowerChoiceNamesTheCountdownAndTheNoteAlwaysComes)
{
    TChainWatcher watcher(Form.Get());
    TProgramCalls calls(false);
    Form->Memo1->SetText("Call the dentist");
    Form->CheckBox2->SetChecked(true);  // with a blank name: nothing to launch
    Form->Edit2->SetText("  ");
    TClockScope clock(At(10, 14, 0, 0));
    int second = 1;
    auto fire = [&](bool ticked, const String& choice) {
        watcher.Seen.clear();
        Form->CheckBox3->SetChecked(ticked);
        Form->ComboBox1->SetText(choice);
        FireAt(At(10, 14, 0, second++));
        return watcher.Kinds();
    };
    using K = std::vector<String>;
    ASSERT_EQ(fire(false, "ShutDown"), K({"note"}));
    EXPECT_EQ(watcher.Seen[0].Caption, "Call the dentist");
    EXPECT_EQ(watcher.Seen[0].Text, "Call the dentist");
    ASSERT_EQ(fire(true, "ShutDown"), K({"countdown", "note"}));
    EXPECT_EQ(watcher.Seen[0].Caption, "Shutdown");
    EXPECT_EQ(watcher.Seen[0].Text, "Your Computer will be Shutdown in:");
    ASSERT_EQ(fire(true, "LogOff"), K({"countdown", "note"}));
    EXPECT_EQ(watcher.Seen[0].Caption, "LogOff");
    EXPECT_EQ(watcher.Seen[0].Text, "Your Computer will be Logoff in:");
    for (const char* other : {"---Choose---", "", "shutdown", "Restart "})
        EXPECT_EQ(fire(true, other), K({"note"})) << "'" << other << "'";
    EXPECT_TRUE(gExitCalls.empty()) << "every countdown was cancelled";
    EXPECT_EQ(TProgramCalls::Calls(), TCalls{}) << "a blank name launched something";
}

TEST_F(AlarmTest, TheStepsRunInOrderSoundLaunchCountdownNote)
{
    TChainWatcher watcher(Form.Get());
    TProgramCalls calls(true);
    String wav = WriteWav("velmora_alarm_order.wav");
    String probe = TempPath("velmora_launch_probe.txt");
    DeleteFileA(probe.c_str());
    SetEnvironmentVariableA(ProbeVariable, probe.c_str());
    Form->CheckBox1->SetChecked(true);
    Form->Edit1->SetText(wav);
    Form->CheckBox2->SetChecked(true);
    Form->Edit2->SetText(Application->ExeName());
    Form->CheckBox3->SetChecked(true);
    Form->ComboBox1->SetText("Restart");
    TClockScope clock(At(10, 11, 0, 0));
    FireAt(At(10, 11, 0, 1));
    SetEnvironmentVariableA(ProbeVariable, nullptr);

    ASSERT_EQ(watcher.Kinds(), std::vector<String>({"countdown", "note"}));
    EXPECT_TRUE(watcher.Seen[0].SoundOpen) << "the sound starts before the countdown";
    EXPECT_EQ(watcher.Seen[0].Caption, "Restart");
    EXPECT_EQ(watcher.Seen[0].Text, "Your Computer will be Restart in:");
    EXPECT_TRUE(watcher.Seen[1].CountdownGone) << "the note comes after the countdown";
    // What went to MCI: Edit1's file, through the file dialog's name, opened.
    EXPECT_EQ(Form->Open->FileName(), wav);
    EXPECT_EQ(Form->MediaPlayer1->FileName(), wav);
    EXPECT_TRUE(Form->MediaPlayer1->IsOpen());
    ASSERT_TRUE(PumpUntil([&] { return !ReadFile(probe).empty(); }, 15000)) << "nothing was launched";
    EXPECT_EQ(ReadFile(probe), "1 " + IntToStr(SW_SHOWNORMAL)) << "launched shown normally";
    EXPECT_EQ(TProgramCalls::Calls(), (TCalls{{"ShellExecuteA", "open", Application->ExeName(), "(null)", "(null)",
                                               IntToStr(SW_SHOWNORMAL)}}));
    Form->MediaPlayer1->Close();
    DeleteFileA(probe.c_str());
    DeleteFileA(wav.c_str());
}

TEST_F(AlarmTest, ASoundThatCannotPlayIsReportedAndTheChainGoesOn)
{
    TChainWatcher watcher(Form.Get());
    Form->CheckBox1->SetChecked(true);
    Form->Edit1->SetText(TempPath("velmora_no_such_sound.wav"));
    Form->CheckBox3->SetChecked(true);
    Form->ComboBox1->SetText("LogOff");
    TClockScope clock(At(10, 15, 0, 0));
    FireAt(At(10, 15, 0, 1));
    EXPECT_EQ(TakeReportedExceptions().size(), 1u);
    EXPECT_EQ(watcher.Kinds(), std::vector<String>({"countdown", "note"}));
}

TEST_F(AlarmTest, AtZeroThePowerActionRunsOnceAndTheNoteStillShows)
{
    TChainWatcher watcher(Form.Get());
    watcher.CancelCountdown = false;
    Form->CheckBox3->SetChecked(true);
    Form->ComboBox1->SetText("LogOff");
    TClockScope clock(At(10, 23, 0, 0));
    DWORD start = GetTickCount();
    FireAt(At(10, 23, 0, 1));
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 9000u);
    EXPECT_LT(took, 14000u);
    EXPECT_EQ(gExitCalls, std::vector<UINT>({4u}));
    ASSERT_EQ(watcher.Kinds(), std::vector<String>({"countdown", "note"}));
    EXPECT_TRUE(watcher.Seen[1].CountdownGone) << "the creator frees the window";
    EXPECT_FALSE(IsWindow(watcher.Seen[0].Window)) << "the countdown's window is left behind";
    EXPECT_TRUE(Application->Terminated()) << "the program ends when the tick returns";
}

TEST_F(AlarmTest, ThePreviewPlaysOrWarns)
{
    TChainWatcher watcher(Form.Get());
    TProgramCalls calls(false);
    Form->Show();
    ClickControl(Form->CheckBox1);
    Form->Edit1->SetText("");
    ClickControl(Form->GradientButton5);
    ASSERT_EQ(watcher.Kinds(), std::vector<String>({"message"}));
    EXPECT_EQ(TProgramCalls::Calls(),
              (TCalls{{"UIWarn", "Warning", "Not Sound File are selected,please choose sound file before", "Ok"}}));

    String wav = WriteWav("velmora_alarm_preview.wav");
    Form->Edit1->SetText(wav);
    ClickControl(Form->GradientButton5);
    EXPECT_EQ(watcher.Seen.size(), 1u);
    EXPECT_TRUE(Form->MediaPlayer1->IsOpen());
    Form->MediaPlayer1->Close();
    DeleteFileA(wav.c_str());
}

TEST_F(AlarmTest, TheFilePickersFillTheirEditsAndCancelKeepsThem)
{
    Form->Show();
    ClickControl(Form->CheckBox1);
    ClickControl(Form->CheckBox2);
    TFileDialogAnswer answer;
    String wav = WriteWav("velmora_alarm_pick_a_sound_with_a_long_name.wav");
    answer.Next(wav);
    ClickControl(Form->GradientButton3);
    EXPECT_EQ(answer.Filter, "all Suported");
    EXPECT_EQ(Form->Edit1->Text(), wav);
    // A shorter name after a longer one: nothing of the old name is left behind.
    String shorter = TempPath("v.txt");
    if (FILE* f = std::fopen(shorter.c_str(), "w"))
        std::fclose(f);
    answer.Next(shorter);
    ClickControl(Form->GradientButton4);
    EXPECT_EQ(answer.Filter, "all");
    EXPECT_EQ(Form->Edit2->Text(), shorter);
    // Cancelled, the sound's picker keeps its edit, whatever the dialog last chose.
    answer.Next("");
    ClickControl(Form->GradientButton3);
    EXPECT_EQ(Form->Edit1->Text(), wav);
    DeleteFileA(shorter.c_str());
    DeleteFileA(wav.c_str());
}

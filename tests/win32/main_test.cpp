// The main window: start-up order and pages, the settings in the real registry of the test's
// Wine prefix and what each change fires, the theme's choice of skin, damaged theme skins and a
// Run key that may not be written, the switching of the application's main form, the
// information dialog, ending through the dialog library's question answered with real clicks
// and keys, and the maker's web page; what the program asks of the library and the shell is
// watched through its import table.
#include <functional>
#include <optional>

#include "comctrls.h"
#include "guitest.h"
#include "programcalls.h"
#include "main.h"
#include "programforms.h"
#include "menus.h"
#include "parvel.h"
#include "registry.h"
#include "replacedfile.h"
#include "skindata.h"
#include "stdctrls.h"
#include "timer.h"
#include "trayicon.h"

namespace {

// ---- the registry, straight through the system: a value is its type and bytes

using TStored = std::optional<std::pair<DWORD, String>>;

TStored Stored(HKEY root, const char* key, const char* name)
{
    char buf[512];
    DWORD size = sizeof buf, type = 0;
    if (RegGetValueA(root, key + 1, name, RRF_RT_ANY | RRF_NOEXPAND, &type, buf, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::pair{type, String(buf, size)};
}
TStored Setting(const char* name) { return Stored(HKEY_CURRENT_USER, SettingsKey, name); }
TStored RunEntry() { return Stored(HKEY_LOCAL_MACHINE, RunKey, RunValue); }
TStored Dword(DWORD v) { return std::pair{DWORD(REG_DWORD), String(reinterpret_cast<const char*>(&v), 4)}; }
TStored Sz(const String& v) { return std::pair{DWORD(REG_SZ), v + '\0'}; }

void Store(HKEY root, const char* key, const char* name, const TStored& v)
{
    RegSetKeyValueA(root, key + 1, name, v->first, v->second.data(), static_cast<DWORD>(v->second.size()));
}
void StoreSetting(const char* name, const TStored& v) { Store(HKEY_CURRENT_USER, SettingsKey, name, v); }

void ForgetSettings()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey + 1);
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, RunKey + 1, RunValue);
}

// ---- answering the modal dialogs with real clicks and keys, from a timer that ticks inside
// their loops

String TextOf(HWND w)
{
    char buf[256] = {};
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

using TWindowList = std::vector<std::pair<HWND, String>>;

BOOL CALLBACK AddVisible(HWND w, LPARAM list)
{
    if (IsWindowVisible(w))
        reinterpret_cast<TWindowList*>(list)->emplace_back(w, TextOf(w));
    return TRUE;
}

// The visible windows of this thread (top-level) or of a parent, with their texts.
TWindowList Windows(HWND parent)
{
    TWindowList found;
    WNDENUMPROC add = &AddVisible;
    if (parent)
        EnumChildWindows(parent, add, reinterpret_cast<LPARAM>(&found));
    else
        EnumThreadWindows(GetCurrentThreadId(), add, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindWindowByText(HWND parent, const String& text)
{
    for (auto& [w, t] : Windows(parent))
        if (t == text)
            return w;
    return nullptr;
}

using TAct = std::function<void(HWND)>;

TAct ClickButton(const String& text)
{
    return [text](HWND dialog) {
        HWND b = FindWindowByText(dialog, text);
        ASSERT_NE(b, nullptr) << "no button " << text;
        RECT r;
        GetClientRect(b, &r);
        PostMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(r.right / 2, r.bottom / 2));
        PostMessageA(b, WM_LBUTTONUP, 0, MakeMsgPoint(r.right / 2, r.bottom / 2));
    };
}
TAct Escape()
{
    return [](HWND dialog) { PostMessageA(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 1); };
}
TAct CloseBox()
{
    return [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); };
}

// Answers dialogs, in their order, as each appears (found by its caption).
class TAnswerer : public TObject {
public:
    explicit TAnswerer(std::vector<std::pair<String, TAct>> answers) : FAnswers(std::move(answers))
    {
        FTimer.SetInterval(40);
        FTimer.SetOnTimer(TNotifyEvent(this, &TAnswerer::Tick));
    }
    size_t Answered = 0;
    std::vector<String> Buttons;  // the texts of the child windows of the dialogs answered

private:
    void Tick(TObject*)
    {
        if (Answered >= FAnswers.size() || ++FTicks > 200)
            return FTimer.SetEnabled(false);
        HWND dialog = FindWindowByText(nullptr, FAnswers[Answered].first);
        if (!dialog)
            return;
        for (auto& child : Windows(dialog))
            Buttons.push_back(child.second);
        FAnswers[Answered++].second(dialog);
    }

    std::vector<std::pair<String, TAct>> FAnswers;
    int FTicks = 0;
    TTimer FTimer{nullptr};
};

// Damaged copies of a good skin file, as a user's disk may hold them: each fails to load.
std::vector<std::pair<String, TFileContent>> DamagedSkins(const String& good)
{
    const TFileContent whole = FileContent(good);
    String words;
    while (words.size() < 4000)
        words += "this is not a skin file ";
    return {{"truncated", TFileContent(whole.begin(), whole.begin() + std::min<size_t>(whole.size(), 3000))},
            {"empty", {}},
            {"garbage", TFileContent(words.begin(), words.end())}};
}

// The machine's keys refuse writing, as they do for a user without administrator rights.
LONG WINAPI RefuseMachineKeys(HKEY base, LPCSTR sub, DWORD reserved, LPSTR cls, DWORD options, REGSAM access,
                              LPSECURITY_ATTRIBUTES security, PHKEY key, LPDWORD disposition)
{
    if (base == HKEY_LOCAL_MACHINE)
        return ERROR_ACCESS_DENIED;
    return RegCreateKeyExA(base, sub, reserved, cls, options, access, security, key, disposition);
}

class TNoMachineWrites {
public:
    TNoMachineWrites() : FOld(SetRegCreateKeyFunc(&RefuseMachineKeys)) {}
    ~TNoMachineWrites() { SetRegCreateKeyFunc(FOld); }

private:
    TRegCreateKeyFunc FOld;
};

}  // namespace

// The three forms made as the program makes them, on a registry without our settings.
class MainWindowTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        ForgetSettings();
        CreateProgramForms();
    }
    void TearDown() override
    {
        FreeProgramForms();
        ForgetSettings();
        GuiTest::TearDown();
    }
    // Shows the main window as the loop does (again after hiding it: as back from the tray).
    void ShowMain()
    {
        Form1->Hide();
        Form1->Show();
        Application->ProcessMessages();
    }
    TMenuItem* Item(const char* name) { return As<TMenuItem>(Form1->FindComponent(name)); }
    void Click(const char* name) { ClickControl(As<TControl>(Form1->FindComponent(name))); }
    TSkinData* SkinData() { return As<TSkinData>(Form1->FindComponent("sd")); }
    // The user picks an entry of the theme list: the selection moves and the list tells its
    // parent, as a click in the drop-down does.
    void PickTheme(const String& text)
    {
        HWND list = Form1->ComboBox2->Handle();
        SendMessageA(list, CB_SETCURSEL, Form1->ComboBox2->Items()->IndexOf(text), 0);
        SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        Application->ProcessMessages();
    }
    // The one error reported since the last look: it names the damaged skin file.
    void ExpectDamagedSkinReported(const String& file)
    {
        std::vector<String> reported = TakeReportedExceptions();
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported[0].rfind("The skin file \"" + file + "\" is damaged: ", 0), 0u) << reported[0];
    }
    // Visible, unskinned, the alarm on its first page.
    void ExpectUnskinnedWindow()
    {
        EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
        EXPECT_FALSE(Form1->Theme().Active);
        EXPECT_FALSE(SkinData()->Active());
        EXPECT_EQ(Form2->Parent(), Form1->TabSheet1);
        EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabSheet1);
    }
};

TEST_F(MainWindowTest, StartsWithThreeFormsTheMainWindowFirstAndItsPages)
{
    int first = Screen->FormCount() - 3;
    ASSERT_GE(first, 0);
    EXPECT_EQ(Screen->Forms(first), Form1);
    EXPECT_EQ(Screen->Forms(first + 1), Form2);
    EXPECT_EQ(Screen->Forms(first + 2), FrmClock);
    EXPECT_EQ(Application->MainForm(), Form1);
    EXPECT_FALSE(Form1->Visible() || FrmClock->Visible());
    EXPECT_EQ(Form1->AppPath(), ExtractFilePath(Application->ExeName()));
    EXPECT_EQ(Application->HintColor(), clYellow);
    EXPECT_EQ(Application->HintHidePause(), 5000);

    EXPECT_EQ(Form1->TabSheet1->Caption(), "");
    ShowMain();
    const NOTIFYICONDATAA& balloon = Form1->TrayIcon1->IconData();
    EXPECT_STREQ(balloon.szInfoTitle, "Velmora");
    EXPECT_STREQ(balloon.szInfo, "Velmora minimize here\r\nclick to show or right click for more option");
    EXPECT_EQ(balloon.dwInfoFlags & NIIF_ICON_MASK, DWORD(NIIF_INFO));
    EXPECT_EQ(balloon.uTimeout, 10000u);
    // The alarm form is the borderless content of the first page, which takes its caption.
    EXPECT_EQ(Form2->Parent(), Form1->TabSheet1);
    EXPECT_EQ(Form2->BorderStyle(), bsNone);
    EXPECT_EQ(Form2->Align(), alClient);
    EXPECT_TRUE(Form2->Showing());
    EXPECT_EQ(Form1->TabSheet1->Caption(), "A\xA0l\xA0""a r\xA0m ");
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabSheet1);
    EXPECT_EQ(Form1->TabSheet2->Caption(), "Setting");
    EXPECT_EQ(Form1->TabSheet3->Caption(), "About!");
    EXPECT_EQ(TextOf(Form1->Handle()), "Velmora 1.0 beta");
    // The pages not shown yet cost no windows at start-up (the About text's editor loads a
    // library of its own); they get them when the user turns to them.
    auto* about = As<TWinControl>(Form1->FindComponent("RichEdit1"));
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(Form1->TabSheet2->HandleAllocated() || Form1->TabSheet3->HandleAllocated());
    EXPECT_FALSE(about->HandleAllocated() || Form1->ComboBox2->HandleAllocated());
    Form1->PageControl1->SetActivePage(Form1->TabSheet3);
    ASSERT_TRUE(about->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(about->Handle()));
    EXPECT_NE(TextOf(about->Handle()).find("Velmora"), String::npos) << TextOf(about->Handle());
    Form1->PageControl1->SetActivePage(Form1->TabSheet1);

    // The tray and clock menu, in its order, shared with the clock.
    std::vector<String> captions;
    for (int i = 0; i < Form1->PopupMenu1->Items()->Count(); ++i)
        captions.push_back(Form1->PopupMenu1->Items()->Items(i)->Caption());
    EXPECT_EQ(captions, (std::vector<String>{"ShowMainForm", "____________", "ClockStayOnTop", "TrayClock/UnTray",
                                             "Check Update", "___________", "Exit"}));
    EXPECT_TRUE(Item("ShowMainForm1")->Default());
    EXPECT_FALSE(Item("N1")->Enabled() || Item("N2")->Enabled());
    EXPECT_EQ(Form1->TrayIcon1->PopupMenu(), Form1->PopupMenu1);
    EXPECT_EQ(FrmClock->PopupMenu(), Form1->PopupMenu1);
    EXPECT_STREQ(Form1->TrayIcon1->IconData().szTip, "Quistal");
}

TEST_F(MainWindowTest, WithoutStoredSettingsTheWindowIsOpaqueAndThatIsWrittenBack)
{
    ShowMain();
    EXPECT_EQ(Form1->ComboBox2->Text(), "");
    EXPECT_EQ(Form1->TrackBar1->Position(), 255);
    EXPECT_FALSE(Form1->CheckBox4->Checked());
    EXPECT_FALSE(Form1->Theme().Active);
    // The slider moved from its stored 0: the key is made and 255 written, nothing else.
    EXPECT_EQ(Setting("AlphaBlend"), Dword(255));
    EXPECT_EQ(Setting("theme"), std::nullopt);
    EXPECT_EQ(RunEntry(), std::nullopt);
}

struct TStoredOpacity {
    TStored Stored;
    int Position;
    TStored After;  // in the registry after the showing
    int Alpha;      // of both windows
};

class StoredOpacityTest : public MainWindowTest, public testing::WithParamInterface<TStoredOpacity> {};

// A fresh main window each time, its slider at the stored 0 of the form file.
TEST_P(StoredOpacityTest, IsReadClampedAndWrittenBackOnlyOnAChange)
{
    const TStoredOpacity& c = GetParam();
    StoreSetting("AlphaBlend", c.Stored);
    ShowMain();
    EXPECT_EQ(Form1->TrackBar1->Position(), c.Position);
    EXPECT_EQ(Setting("AlphaBlend"), c.After);
    EXPECT_EQ(Form1->AlphaBlendValue(), c.Alpha);
    EXPECT_EQ(FrmClock->AlphaBlendValue(), c.Alpha);
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(Form1->Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, c.Alpha);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, StoredOpacityTest,
                         testing::Values(TStoredOpacity{Dword(120), 120, Dword(120), 120},
                                         TStoredOpacity{Dword(300), 255, Dword(255), 255},  // clamped, written back
                                         TStoredOpacity{Sz("abc"), 255, Dword(255), 255},   // not an integer
                                         // at 0 already: no change, nothing written
                                         TStoredOpacity{Dword(DWORD(-5)), 0, Dword(DWORD(-5)), 255},
                                         TStoredOpacity{Dword(0), 0, Dword(0), 255}));

TEST_F(MainWindowTest, TheUsersOpacityIsWrittenAndAppliedToBothWindows)
{
    ShowMain();
    Form1->TrackBar1->SetPosition(77);
    EXPECT_EQ(Setting("AlphaBlend"), Dword(77));
    EXPECT_EQ(FrmClock->AlphaBlendValue(), 77);
}

TEST_F(MainWindowTest, ThemeChoosesTheSkinFileByTheExactText)
{
    const String skins = Form1->AppPath() + "Skins\\";
    for (auto [stored, file] : {std::pair{"Standar", skins + "default.skn"}, std::pair{"MacOS", skins + "macos.skn"},
                                std::pair{"Default Windows", String()}, std::pair{"standar", String()},
                                std::pair{"Standar ", String()}, std::pair{"MACOS", String()},
                                std::pair{"---Choose---", String()}}) {
        StoreSetting("theme", Sz(stored));
        ShowMain();
        EXPECT_EQ(Form1->ComboBox2->Text(), stored);
        EXPECT_EQ(Form1->Theme().Active, !file.empty()) << stored;
        EXPECT_EQ(SkinData()->Active(), !file.empty()) << stored;
        if (!file.empty()) {
            EXPECT_EQ(Form1->Theme().SkinFile, file);
        }
    }
    // The user's choice is stored and applied; closing the window switches skinning off.
    Form1->ComboBox2->SetText("MacOS");
    Form1->ComboBox2->OnChange(Form1->ComboBox2);
    EXPECT_EQ(Setting("theme"), Sz("MacOS"));
    EXPECT_TRUE(Form1->Theme().Active);
    TCloseAction action = caHide;
    Form1->OnClose(Form1, action);
    EXPECT_FALSE(Form1->Theme().Active);
    EXPECT_FALSE(SkinData()->Active());
}

TEST_F(MainWindowTest, ThemeOfAnotherTypeIsReportedAndTheRestStillApplies)
{
    StoreSetting("theme", Dword(3));
    StoreSetting("AlphaBlend", Dword(90));
    ShowMain();
    std::vector<String> reported = TakeReportedExceptions();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("theme"), String::npos);
    EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
    EXPECT_EQ(Form1->TrackBar1->Position(), 90);
    EXPECT_FALSE(Form1->Theme().Active);
    EXPECT_EQ(Setting("theme"), Dword(3));  // nothing lost
}

TEST_F(MainWindowTest, DamagedThemeSkinIsReportedAndTheWindowShowsUnskinned)
{
    const String macos = Form1->AppPath() + "Skins\\macos.skn";
    ASSERT_FALSE(FileContent(macos).empty()) << "no theme skin in the program folder: build the native build first";
    for (const auto& [kind, bytes] : DamagedSkins(macos)) {
        SCOPED_TRACE(kind);
        TearDown();
        SetUp();
        TReplacedFile damaged(macos, bytes);
        // At start-up: reported, and the window shows with its pages, unskinned.
        StoreSetting("theme", Sz("MacOS"));
        ShowMain();
        ExpectDamagedSkinReported(macos);
        ExpectUnskinnedWindow();
        // The user can still choose another theme.
        Form1->PageControl1->SetActivePage(Form1->TabSheet2);
        PickTheme("Default Windows");
        EXPECT_EQ(Setting("theme"), Sz("Default Windows"));
        EXPECT_TRUE(TakeReportedExceptions().empty());

        // Switching from a good theme to the damaged one: reported, skinning switched off, the
        // choice stored as the user made it.
        PickTheme("Standar");
        EXPECT_TRUE(Form1->Theme().Active);
        EXPECT_TRUE(SkinData()->Active());
        PickTheme("MacOS");
        ExpectDamagedSkinReported(macos);
        EXPECT_FALSE(Form1->Theme().Active);
        EXPECT_FALSE(SkinData()->Active());
        EXPECT_EQ(Setting("theme"), Sz("MacOS"));

        // Back from the tray, as often as the user likes: reported each time, never left hidden.
        for (int i = 0; i < 2; ++i) {
            Click("Button1");
            EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
            Form1->TrayIcon1->OnClick(Form1->TrayIcon1);
            ExpectDamagedSkinReported(macos);
            ExpectUnskinnedWindow();
        }
    }
}

TEST_F(MainWindowTest, RunAtStartUpFollowsTheMachineRunValue)
{
    const TStored quotedExe = Sz("\"" + Application->ExeName() + "\"");
    // A value left by another copy of the program is rewritten with this program's path.
    Store(HKEY_LOCAL_MACHINE, RunKey, RunValue, Sz("C:\\old\\Quistal.exe"));
    ShowMain();
    EXPECT_TRUE(Form1->CheckBox4->Checked());
    EXPECT_EQ(RunEntry(), quotedExe);
    EXPECT_EQ(Form1->CheckBox4->Hint(), "Velmora run at start up");

    Form1->PageControl1->SetActivePage(Form1->TabSheet2);
    Click("CheckBox4");  // the user unticks: the value goes
    EXPECT_EQ(RunEntry(), std::nullopt);
    EXPECT_EQ(Form1->CheckBox4->Hint(), "Velmora not run at start up");
    ShowMain();
    EXPECT_FALSE(Form1->CheckBox4->Checked());
    EXPECT_EQ(RunEntry(), std::nullopt);

    Form1->PageControl1->SetActivePage(Form1->TabSheet2);
    Click("CheckBox4");  // the user ticks
    EXPECT_EQ(RunEntry(), quotedExe);
    // The value removed meanwhile by someone else: unticking is no error.
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, RunKey + 1, RunValue);
    Click("CheckBox4");
    EXPECT_FALSE(Form1->CheckBox4->Checked());
    EXPECT_EQ(Form1->CheckBox4->Hint(), "Velmora not run at start up");
}

TEST_F(MainWindowTest, RunKeyThatMayNotBeWrittenIsReportedNotPassedOff)
{
    // The value an administrator left, read at start-up by a user who may not write it: the box
    // is ticked, without an error box and without touching the value.
    const TStored quotedExe = Sz("\"" + Application->ExeName() + "\"");
    Store(HKEY_LOCAL_MACHINE, RunKey, RunValue, quotedExe);
    TNoMachineWrites refused;
    ShowMain();
    ASSERT_TRUE(Form1->CheckBox4->Checked());
    EXPECT_TRUE(TakeReportedExceptions().empty());
    EXPECT_EQ(RunEntry(), quotedExe);
    Form1->PageControl1->SetActivePage(Form1->TabSheet2);

    // Unticking: the error box says so, the value stays, the hint does not claim otherwise.
    Click("CheckBox4");
    std::vector<String> reported = TakeReportedExceptions();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("start-up entry"), String::npos) << reported[0];
    EXPECT_NE(reported[0].find(RunKey), String::npos) << reported[0];
    EXPECT_EQ(RunEntry(), quotedExe);
    EXPECT_FALSE(Form1->CheckBox4->Checked());
    EXPECT_EQ(Form1->CheckBox4->Hint(), "Velmora run at start up");

    // Ticking again is refused the same way.
    Store(HKEY_LOCAL_MACHINE, RunKey, RunValue, Sz("C:\\other\\Quistal.exe"));
    Click("CheckBox4");
    EXPECT_EQ(TakeReportedExceptions().size(), 1u);
    EXPECT_EQ(RunEntry(), Sz("C:\\other\\Quistal.exe"));

    ShowMain();
    EXPECT_TRUE(Form1->CheckBox4->Checked());
    EXPECT_TRUE(TakeReportedExceptions().empty());
}

TEST_F(MainWindowTest, MainFormMovesBetweenTheWindowAndTheClock)
{
    ShowMain();
    // "Minimize to tray": the clock shows, the main window hides, the clock is the main form.
    Click("Button1");
    EXPECT_TRUE(FrmClock->Visible());
    EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
    EXPECT_EQ(Application->MainForm(), FrmClock);

    // A click on the tray icon brings the main window back as main form.
    Form1->TrayIcon1->OnClick(Form1->TrayIcon1);
    EXPECT_EQ(Application->MainForm(), Form1);
    EXPECT_TRUE(IsWindowVisible(Form1->Handle()));

    // With the clock as main form and the window showing, "Minimize to tray" hides the clock.
    Application->SetMainForm(FrmClock);
    Click("Button1");
    EXPECT_FALSE(FrmClock->Visible());
    EXPECT_TRUE(Form1->Visible());
    EXPECT_EQ(Application->MainForm(), FrmClock);

    Item("ShowMainForm1")->Click();
    EXPECT_EQ(Application->MainForm(), Form1);

    // "TrayClock/UnTray" toggles its check first: ticked hides the clock, unticked shows it.
    FrmClock->Show();
    Form1->rayClock1->Click();
    EXPECT_EQ(Application->MainForm(), Form1);
    EXPECT_FALSE(FrmClock->Visible());
    Form1->rayClock1->Click();
    EXPECT_EQ(Application->MainForm(), FrmClock);
    EXPECT_TRUE(FrmClock->Visible());

    // "ClockStayOnTop": ticked, the clock stays on top as main form; unticked, only the main
    // form changes back.
    Form1->ClockStayOnTop1->Click();
    EXPECT_TRUE(GetWindowLongA(FrmClock->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Application->MainForm(), FrmClock);
    Form1->ClockStayOnTop1->Click();
    EXPECT_EQ(Application->MainForm(), Form1);
    EXPECT_EQ(FrmClock->FormStyle(), fsStayOnTop);
}

TEST_F(MainWindowTest, InformationDialogHasTheProgramsLook)
{
    TAnswerer answer({{"Information", [](HWND dialog) {
                           auto* form = As<TCustomForm>(FindControl(dialog));
                           ASSERT_NE(form, nullptr);
                           EXPECT_EQ(form->Cursor(), crHandPoint);
                           EXPECT_EQ(form->BorderStyle(), bsDialog);
                           EXPECT_EQ(form->Font()->Name(), "Comic Sans MS");
                           ClickButton("OK")(dialog);
                       }}});
    ShowInfoDialog("Thanks");
    EXPECT_EQ(answer.Answered, 1u);
    EXPECT_EQ(answer.Buttons, std::vector<String>{"OK"});
}

const std::vector<String> ExitQuestion{"UIAskYesNo", "Warning", "are you sure!", "Exit", "No"};

TEST_F(MainWindowTest, ExitFromTheMenuAsksFirst)
{
    ShowMain();
    TProgramCalls calls(false);
    for (TAct refuse : {Escape(), CloseBox(), ClickButton("No")}) {
        TProgramCalls::Calls().clear();
        TAnswerer no({{"Warning", refuse}});
        Item("Exit1")->Click();
        EXPECT_EQ(no.Answered, 1u);
        EXPECT_EQ(no.Buttons, (std::vector<String>{"Exit", "No"}));
        EXPECT_EQ(TProgramCalls::Calls(), TCalls{ExitQuestion});
        Application->ProcessMessages();
        EXPECT_FALSE(Application->Terminated());
        EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
    }
    // Yes: the thanks come first, then the program ends.
    String thanks;
    TAnswerer yes({{"Warning", ClickButton("Exit")}, {"Information", [&](HWND dialog) {
                       thanks = As<TLabel>(FindControl(dialog)->FindComponent("Message"))->Caption();
                       ClickButton("OK")(dialog);
                   }}});
    Item("Exit1")->Click();
    EXPECT_EQ(yes.Answered, 2u);
    EXPECT_EQ(thanks, "Thanks for Evaluating Quistal\r\n release version under deploying, Please Wait.");
    EXPECT_TRUE(PumpUntil([] { return Application->Terminated(); })) << "the program was not asked to end";
}

TEST_F(MainWindowTest, CloseBoxAsksFirst)
{
    ShowMain();
    TProgramCalls calls(false);
    for (auto [button, ends] : {std::pair{"No", false}, std::pair{"Exit", true}}) {
        TProgramCalls::Calls().clear();
        TAnswerer answer({{"Warning", ClickButton(button)}});
        PostMessageA(Form1->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(PumpUntil([&] { return answer.Answered == 1 && !FindWindowByText(nullptr, "Warning"); }))
            << "the question was not answered";
        Application->ProcessMessages();
        EXPECT_EQ(TProgramCalls::Calls(), (TCalls{{"UIAskYesNo", "Warning", "are you sure?", "Exit", "No"}}));
        EXPECT_EQ(Application->Terminated(), ends);
        EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
    }
    EXPECT_FALSE(Form1->Theme().Active);
}

// "Check Update" and the About page's link ask the shell to open the maker's page.
TEST_F(MainWindowTest, CheckUpdateAndTheLinkOpenTheMakersPage)
{
    ShowMain();
    TProgramCalls calls(false);
    Item("checkUpdate1")->Click();
    Form1->PageControl1->SetActivePage(Form1->TabSheet3);
    Click("Label3");
    const std::vector<String> open{"ShellExecuteA", "open", HomePage, "(null)", "(null)", IntToStr(SW_SHOWNORMAL)};
    EXPECT_EQ(TProgramCalls::Calls(), (TCalls{open, open}));
}

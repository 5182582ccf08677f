// The theme switched from inside a control's own message, the way a user gets there: a check box
// or a button clicked, a tab picked, the slider dragged, an item chosen in the tray menu or in
// the skinned system menu. Each control's event runs the program's own theme change; a damaged
// skin's real error box comes up inside that event and is answered with a key, while the skin
// engine's timer lets the skins go. Whatever that lets go waits until the control's message has
// returned: no access violation (not even one the system swallows inside a callback), no error
// box beyond the one expected, and the window complete afterwards, skinned or plain.
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>

#include "combobox.h"
#include "comctrls.h"
#include "guitest.h"
#include "main.h"
#include "menuloop.h"
#include "programforms.h"
#include "menus.h"
#include "pagecontrol.h"
#include "registry.h"
#include "replacedfile.h"
#include "skindata.h"
#include "skinform.h"
#include "skinmanager.h"
#include "skinmessages.h"
#include "stdctrls.h"
#include "timer.h"
#include "trackbar.h"
#include "trayicon.h"

// Freed objects are overwritten at once, so anything still using one (a method running on after
// a nested loop freed its object, a call through its old table) fails right there, as it does
// sooner or later in the program.
void operator delete(void* p) noexcept
{
    if (!p)
        return;
    std::memset(p, 0xDD, _msize(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

// ---- faults the system would swallow: counted before anybody handles them

int gFaults = 0;

LONG CALLBACK CountFault(EXCEPTION_POINTERS* info)
{
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_ILLEGAL_INSTRUCTION ||
        code == EXCEPTION_PRIV_INSTRUCTION)
        ++gFaults;
    return EXCEPTION_CONTINUE_SEARCH;
}

// ---- the program's error boxes, answered with Return as they come (their loop ticks timers)

BOOL CALLBACK FindBox(HWND w, LPARAM found)
{
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (String(cls) == "#32770" && IsWindowVisible(w))
        *reinterpret_cast<HWND*>(found) = w;
    return TRUE;
}

BOOL CALLBACK FindText(HWND w, LPARAM text)
{
    char cls[16] = {}, t[1024] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, t, sizeof t);
    if (_stricmp(cls, "Static") == 0 && t[0])
        *reinterpret_cast<String*>(text) = t;
    return TRUE;
}

// A box is answered once the skin engine has carried out what the failed switch asked for: the
// skins go while the box is still open, inside the control's message, as when a user reads it.
class TErrorBoxes : public TObject {
public:
    TErrorBoxes() : FTimer(nullptr)
    {
        FTimer.SetInterval(60);
        FTimer.SetOnTimer(TNotifyEvent(this, &TErrorBoxes::Tick));
    }
    std::vector<String> Texts;

private:
    void Tick(TObject*)
    {
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&box));
        if (!box || box == FAnswered || (SkinManager() && SkinManager()->PendingData()))
            return;
        FAnswered = box;
        String text;
        EnumChildWindows(box, &FindText, reinterpret_cast<LPARAM>(&text));
        Texts.push_back(text);
        HWND ok = GetDlgItem(box, IDOK);
        PostMessageA(ok ? ok : box, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(ok ? ok : box, WM_KEYUP, VK_RETURN, 0xC0000001u);
    }
    TTimer FTimer;
    HWND FAnswered = nullptr;
};

// Alt+Space as the keyboard leaves it for the focused window.
void PostAltSpace(HWND wnd) { PostMessageA(wnd, WM_SYSCHAR, ' ', 1 | (1 << 29)); }

// The skinned system menu opened by Alt+Space: a second opening within the double-click time of
// the one before opens nothing, so that time is waited out first, counted from when the last
// menu was seen open (the skin notes its time just before). `onOpen` runs inside the menu's loop
// once the menu shows; true once the menu has shown and closed again.
DWORD gLastSystemMenu = 0;

bool OpenSystemMenu(HWND h, const std::function<void()>& onOpen)
{
    const DWORD wait = GetDoubleClickTime();
    if (!PumpUntil([&] { return GetTickCount() - gLastSystemMenu > wait; }, wait + 1000))
        return false;
    bool opened = false, done = false;
    TScript script(20, [&](int) {
        if (!opened && OpenMenuWindow()) {
            opened = true;
            gLastSystemMenu = GetTickCount();
            onOpen();
        } else if (opened && !OpenMenuWindow()) {
            done = true;  // a timer tick: every command the menu posted is handled
        }
    });
    PostAltSpace(h);
    return PumpUntil([&] { return done; }, 5000);
}

// ---- the theme change run inside a control's event: the program's own handler, once

constexpr UINT SwitchCommand = 0x0100;  // an item of our own in the system menu

class TSwitcher : public TObject {
public:
    String Target;
    int Runs = 0;
    TWndMethod Saved;

    // Bound to the control's event.
    void Switch(TObject* sender)
    {
        if (Runs++ > 0)
            return;  // a drag may fire more than once
        Form1->ComboBox2->SetText(Target);
        Form1->ComboBox2Change(sender);
    }
    // In the form's WindowProc chain: the system menu's own item.
    void FormProc(TMessage& m)
    {
        if (m.Msg == WM_SYSCOMMAND && (m.WParam & 0xFFF0) == SwitchCommand) {
            Switch(Form1);
            return;
        }
        Saved(m);
    }
};

enum class TTrigger { CheckBox, Button, Tab, TrackBar, TrayMenu, SystemMenu };

const char* TriggerName(TTrigger t)
{
    switch (t) {
    case TTrigger::CheckBox: return "CheckBox";
    case TTrigger::Button: return "Button";
    case TTrigger::Tab: return "Tab";
    case TTrigger::TrackBar: return "TrackBar";
    case TTrigger::TrayMenu: return "TrayMenu";
    case TTrigger::SystemMenu: return "SystemMenu";
    }
    return "";
}

class ThemeSwitchTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        gFaults = 0;
        FFaultHandler = AddVectoredExceptionHandler(1, &CountFault);
        DoneSkinManager();
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
        CreateProgramForms();
        // In the chain before any skin: the skin keeps it and gives it back.
        Switcher.Saved = Form1->WindowProc;
        Form1->WindowProc = TWndMethod(&Switcher, &TSwitcher::FormProc);
        Plain.WindowProc = Form1->WindowProc;
        Form1->Show();
        SetForegroundWindow(Form1->Handle());
        ASSERT_TRUE(PumpHandled()) << "the main window did not finish showing";
        Plain.Proc = ProcOf(Form1->Handle());
        GetClientRect(Form1->Handle(), &Plain.Client);
        Form1->PageControl1->SetActivePage(Form1->TabSheet2);  // the settings page has its windows
        Plain.ComboProc = Form1->ComboBox2->WindowProc;
        Macos = Form1->AppPath() + "Skins\\macos.skn";
        Standar = Form1->AppPath() + "Skins\\default.skn";
        ASSERT_FALSE(FileContent(Macos).empty()) << "no theme skin in the program folder: build the native build first";
        Application->OnException = TExceptionEvent();  // the real error box
    }
    void TearDown() override
    {
        RecordExceptions();
        FreeProgramForms();
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
        DoneSkinManager();
        RemoveVectoredExceptionHandler(FFaultHandler);
        GuiTest::TearDown();
    }

    HWND Main() const { return Form1->Handle(); }
    TSkinForm* MainSkin() const { return SkinManager() ? SkinManager()->FindSkinForm(Form1->Handle()) : nullptr; }
    bool Settled() const { return SkinManager() && !SkinManager()->PendingData(); }

    // The theme as the program starts with it: set straight, then skinned.
    void StartWith(const char* theme)
    {
        Form1->ComboBox2->SetText(theme);
        Form1->ComboBox2Change(nullptr);
        ASSERT_TRUE(PumpUntil([this] { return Settled() && MainSkin() && MainSkin()->LifeState() == TSkinForm::lsSkinned; }))
            << theme;
        ASSERT_TRUE(PumpHandled()) << theme << ": the repaint did not end";
    }

    // The user's input that runs the control's event.
    void Trigger(TTrigger t)
    {
        const TNotifyEvent run(&Switcher, &TSwitcher::Switch);
        switch (t) {
        case TTrigger::CheckBox:
            Form1->CheckBox4->OnClick = run;
            ClickControl(Form1->CheckBox4);
            break;
        case TTrigger::Button: {
            auto* button = As<TButton>(Form1->FindComponent("Button1"));
            button->OnClick = run;
            ClickControl(button);
            break;
        }
        case TTrigger::Tab: {
            Form1->PageControl1->OnChange = run;
            RECT tab{};
            const HWND tabs = Form1->PageControl1->Handle();
            SendMessageA(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
            ClickAt(tabs, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
            break;
        }
        case TTrigger::TrackBar: {
            Form1->TrackBar1->OnChange = run;
            const HWND bar = Form1->TrackBar1->Handle();
            RECT thumb{};
            SendMessageA(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
            const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
            PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(x, y));
            PostMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MakeMsgPoint(x - 40, y));
            PostMessageA(bar, WM_LBUTTONUP, 0, MakeMsgPoint(x - 40, y));
            break;
        }
        case TTrigger::TrayMenu: {
            auto* item = As<TMenuItem>(Form1->FindComponent("ShowMainForm1"));
            item->OnClick = run;
            const HWND tray = TrayIconHandler()->Handle();
            bool posted = false;
            TScript keys(20, [&](int) {
                if (!posted && OpenMenuWindow()) {
                    posted = true;
                    PostKey(tray, VK_DOWN);
                    PostKey(tray, VK_RETURN);
                }
            });
            PostMessageA(tray, TrayCallbackMessage, Form1->TrayIcon1->Id(), WM_RBUTTONDOWN);
            ASSERT_TRUE(PumpUntil([&] { return posted; }, 5000)) << "the tray menu did not open";
            PumpUntil([this] { return Switcher.Runs > 0; });
            break;
        }
        case TTrigger::SystemMenu: {
            const HWND h = Main();
            ASSERT_TRUE(OpenSystemMenu(h, [h] {
                PostKey(h, VK_UP);  // the last item: ours
                PostKey(h, VK_RETURN);
            })) << "the skinned system menu did not open";
            PumpUntil([this] { return Switcher.Runs > 0; });
            break;
        }
        }
    }

    // The switch to `theme` from inside the trigger's event; with its skin file damaged or not,
    // the window ends as the theme says, complete, with no fault and only the error box expected.
    void SwitchAndCheck(TTrigger t, const char* theme, const String& damaged = {})
    {
        SCOPED_TRACE(String(TriggerName(t)) + " to " + theme + (damaged.empty() ? "" : " (damaged)"));
        Form1->PageControl1->SetActivePage(Form1->TabSheet2);
        Switcher.Target = theme;
        Switcher.Runs = 0;
        const String file = String(theme) == "MacOS" ? Macos : String(theme) == "Standar" ? Standar : String();
        const bool skinned = !file.empty() && damaged.empty();
        TErrorBoxes boxes;
        Trigger(t);
        ASSERT_TRUE(PumpUntil([&] {
            return Switcher.Runs > 0 && Settled() && (skinned ? MainSkin() && MainSkin()->LifeState() ==
                                                                                    TSkinForm::lsSkinned
                                                              : !MainSkin());
        }, 5000)) << "runs " << Switcher.Runs;
        ASSERT_TRUE(PumpHandled()) << "the repaint did not end";
        EXPECT_EQ(gFaults, 0);
        if (!damaged.empty()) {
            ASSERT_EQ(boxes.Texts.size(), 1u);
            EXPECT_EQ(boxes.Texts[0].rfind("The skin file \"" + damaged + "\" is damaged: ", 0), 0u) << boxes.Texts[0];
        } else {
            EXPECT_TRUE(boxes.Texts.empty()) << boxes.Texts[0];
        }
        TRegistry reg;
        reg.SetRootKey(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.OpenKeyReadOnly(SettingsKey));
        EXPECT_EQ(reg.ReadString("theme"), theme);
        ExpectComplete(skinned ? file : String());
    }

    // Skinned with that file, or plain when it is empty.
    void ExpectComplete(const String& file)
    {
        const bool skinned = !file.empty();
        const HWND h = Main();
        EXPECT_TRUE(IsWindowVisible(h));
        RECT client{};
        GetClientRect(h, &client);
        EXPECT_EQ(TRect(client), TRect(Plain.Client));
        EXPECT_TRUE(IsWindowVisible(Form1->PageControl1->Handle()));
        EXPECT_EQ(Form2->Parent(), Form1->TabSheet1);
        if (skinned) {
            EXPECT_EQ(SendMessageA(h, SKM_ISSKINNED, 0, 0), 1);
            EXPECT_EQ(MainSkin()->SkinData()->SkinFile(), file);
            EXPECT_FALSE(MainSkin()->SkinData()->FSkinEmpty);
            return;
        }
        EXPECT_NE(SendMessageA(h, SKM_ISSKINNED, 0, 0), 1);
        EXPECT_EQ(ProcOf(h), Plain.Proc);
        EXPECT_TRUE(Form1->WindowProc == Plain.WindowProc);
        EXPECT_TRUE(Form1->ComboBox2->WindowProc == Plain.ComboProc);
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(h, rgn), ERROR) << "the skin's region stayed";
        DeleteObject(rgn);
    }

    TSwitcher Switcher;
    String Macos, Standar;
    struct {
        WNDPROC Proc = nullptr;
        TWndMethod WindowProc, ComboProc;
        RECT Client{};
    } Plain;

private:
    PVOID FFaultHandler = nullptr;
};

TEST_F(ThemeSwitchTest, InsideEachControlsEventToAnotherToADamagedAndToNoSkin)
{
    AppendMenuA(GetSystemMenu(Main(), FALSE), MF_STRING, SwitchCommand, "Switch theme");
    const TFileContent whole = FileContent(Standar);
    StartWith("Standar");
    for (TTrigger t : {TTrigger::CheckBox, TTrigger::Button, TTrigger::Tab, TTrigger::TrackBar, TTrigger::TrayMenu,
                       TTrigger::SystemMenu}) {
        SwitchAndCheck(t, "MacOS");
        {
            TReplacedFile cut(Standar, TFileContent(whole.begin(), whole.begin() + 3000));
            SwitchAndCheck(t, "Standar", Standar);
        }
        StartWith("Standar");
        SwitchAndCheck(t, "Default Windows");
        StartWith("Standar");
        if (HasFatalFailure())
            return;
    }
}

// The main window's border is fixed: its skinned system menu cannot size it, as the native one
// cannot; it still moves.
TEST_F(ThemeSwitchTest, TheFixedMainWindowsSystemMenuDoesNotSize)
{
    StartWith("Standar");
    const HWND h = Main();
    RECT before{};
    GetWindowRect(h, &before);
    bool sizeEnabled = true, moveEnabled = false;
    // Size chosen by keys: a disabled item leaves the menu open, and Escape closes it.
    ASSERT_TRUE(OpenSystemMenu(h, [&] {
        TPopupMenu* menu = MainSkin() ? MainSkin()->SystemPopupMenu() : nullptr;
        for (int i = 0; menu && i < menu->Items()->Count(); ++i) {
            TMenuItem* item = menu->Items()->Items(i);
            if (item->Tag() == SC_SIZE)
                sizeEnabled = item->Enabled();
            if (item->Tag() == SC_MOVE)
                moveEnabled = item->Enabled();
        }
        for (int i = 0; i < 3; ++i)  // Restore, Move, Size
            PostKey(h, VK_DOWN);
        PostKey(h, VK_RETURN);
        PostKey(h, VK_ESCAPE);
    })) << "the skinned system menu did not open and close";
    EXPECT_FALSE(sizeEnabled);
    EXPECT_TRUE(moveEnabled);
    RECT after{};
    GetWindowRect(h, &after);
    EXPECT_EQ(TRect(after), TRect(before));
    EXPECT_EQ(gFaults, 0);
}

}  // namespace

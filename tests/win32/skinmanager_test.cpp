// The skin manager and skinned-window attachment on real windows: which windows SkinWindow
// takes, the deferred actions on the manager's timer, activation over the form list, the
// window-creation hook, a skin data component freed while it serves windows, and attaching
// and giving back window procedures and WindowProc methods exactly.
#include <cstdlib>

#include "combobox.h"
#include "dialogtemplate.h"
#include "guitest.h"
#include "skinwindowtest.h"
#include "themeskins.h"
#include "main.h"
#include "programforms.h"
#include "skindata.h"
#include "skinform.h"
#include "skinmanager.h"
#include "skinmessages.h"
#include "formfile.h"
#include "stdctrls.h"
#include "winutil.h"

namespace {

constexpr UINT WM_PING = WM_APP + 1;  // the test windows' own procedure answers 42



LRESULT CALLBACK PlainProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return msg == WM_PING ? 42 : DefWindowProcA(w, msg, wp, lp);
}
LRESULT CALLBACK PlainProcW(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return msg == WM_PING ? 42 : DefWindowProcW(w, msg, wp, lp);
}
// A window the other module's engine skinned already.
LRESULT CALLBACK OtherEngineProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return msg == SKM_ISSKINNED ? 1 : DefWindowProcA(w, msg, wp, lp);
}
WNDPROC gSubclassed = nullptr;
LRESULT CALLBACK LaterSubclass(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return CallWindowProcA(gSubclassed, w, msg, wp, lp);
}

HWND MakeWideWindow()
{
    WNDCLASSW wc{};
    if (!GetClassInfoW(ModuleInstance(), L"SkinTestWide", &wc)) {
        wc.lpfnWndProc = PlainProcW;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = L"SkinTestWide";
        RegisterClassW(&wc);
    }
    return CreateWindowExW(0, L"SkinTestWide", L"wide", WS_OVERLAPPEDWINDOW, 50, 50, 200, 150, nullptr, nullptr,
                           ModuleInstance(), nullptr);
}

// A modeless dialog of class "#32770" from an in-memory template, of this module or another.
HWND MakeDialog(DWORD style, HINSTANCE module = nullptr)
{
    return TDialogTemplate(style, 120, 80).Create(nullptr, nullptr, module);
}

class TSkinLog : public TObject {
public:
    void Before(TObject*, HWND h, const String&) { Order.push_back(h); }
    void Changed(TObject*)
    {
        ++Changes;
        if (Watch)
            Colours.push_back(Watch->Color());
        if (Again)
            std::exchange(Again, nullptr)->SetActive(false);
    }
    std::vector<HWND> Order;
    int Changes = 0;
    TSkinData* Again = nullptr;
    TForm* Watch = nullptr;
    std::vector<TColor> Colours;
};

class SkinManagerTest : public SkinWindowTest {
protected:
    void SetUp() override
    {
        SkinWindowTest::SetUp();
        Host = NewForm(true);
    }

    TForm* NewForm(bool visible)
    {
        auto* f = new TForm(nullptr);
        f->SetBounds(60 + 20 * static_cast<int>(Forms.size()), 60, 260, 180);
        Forms.push_back(f);
        if (visible)
            f->Show();
        return f;
    }
    // A loaded skin data component with a theme skin, and the manager switched on.
    TSkinData* Data(TSkinFormType type = sfMainform, TForm* owner = nullptr, const char* skin = "default.skn")
    {
        auto* d = new TSkinData(owner ? owner : Host);
        d->SetSkinFormtype(type);
        d->Loaded();
        d->SetSkinFile(ThemeSkinPath(skin));
        EXPECT_FALSE(d->FSkinEmpty) << "build the native build first";
        SkinManager()->SetActive(true);
        return d;
    }
    TSkinManage& M() { return *SkinManager(); }

    TForm* Host = nullptr;
};

TEST_F(SkinManagerTest, SkinWindowTakesOnlyWindowsThatQualify)
{
    TSkinData* d = Data();
    d->SetDisableTag(5);
    EXPECT_TRUE(M().SkinWindow(Track(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance()))));
    // A window of another module without a toolkit control: not ours.
    EXPECT_FALSE(M().SkinWindow(Track(MakeTestWindow("SkinTestForeign", PlainProc, GetModuleHandleA("kernel32.dll")))));
    // Skinned by the other module's engine already.
    EXPECT_FALSE(M().SkinWindow(Track(MakeTestWindow("SkinTestOther", OtherEngineProc, ModuleInstance()))));
    // Zero-sized; a plain child of an ordinary window.
    EXPECT_FALSE(M().SkinWindow(Track(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance(), WS_POPUP, 0))));
    HWND parent = Track(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance(), WS_POPUP));
    EXPECT_FALSE(M().SkinWindow(Track(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance(), WS_CHILD, 50, parent))));
    // A child of an MDI client is no plain child.
    CLIENTCREATESTRUCT ccs{nullptr, 1000};
    HWND client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 150, 150, parent, nullptr,
                                  ModuleInstance(), &ccs);
    EXPECT_TRUE(M().SkinWindow(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance(), WS_CHILD, 50, client)));
    // The application's own window is never skinned.
    const TRect app = WindowRectOf(Application->Handle());
    SetWindowPos(Application->Handle(), nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(M().SkinWindow(Application->Handle()));
    SetWindowPos(Application->Handle(), nullptr, 0, 0, app.Width(), app.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Tag 99 is refused whatever DisableTag says.
    TForm* tagged = NewForm(false);
    tagged->SetTag(99);
    tagged->Show();
    EXPECT_FALSE(M().SkinWindow(tagged->Handle()));
    // A dialog is taken, unless it asks for the foreground.
    HWND dialog = Track(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
    EXPECT_TRUE(M().SkinWindow(dialog));
    EXPECT_EQ(M().FindSkinForm(dialog)->BorderKind(), TSkinForm::bkDialog);  // even sizeable
    EXPECT_TRUE(M().FindSkinForm(dialog)->Dialog());
    EXPECT_FALSE(M().SkinWindow(Track(MakeDialog(WS_POPUP | WS_CAPTION | DS_SETFOREGROUND))));
    // A dialog of another module is taken too.
    EXPECT_TRUE(M().SkinWindow(Track(MakeDialog(WS_POPUP | WS_CAPTION, GetModuleHandleA("kernel32.dll")))));
    // Preview windows only with xoPreview.
    d->SetOptions(TSkinOptions{});
    EXPECT_FALSE(M().SkinWindow(Track(MakeTestWindow("SkinTestPreviewWnd", PlainProc, ModuleInstance()))));
    d->SetOptions(TSkinOptions{xoPreview});
    EXPECT_TRUE(M().SkinWindow(Windows.back()));
    // Once is enough; switched off, nothing is taken.
    EXPECT_FALSE(M().SkinWindow(Windows.back()));
    EXPECT_EQ(SendMessageA(Windows.back(), SKM_ISSKINNED, 0, 0), 1);
    M().SetActive(false);
    EXPECT_FALSE(M().SkinWindow(Track(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance()))));
    EXPECT_EQ(M().FormCount(), 5);
    // Without a skin loaded nothing is taken.
    M().SetActive(true);
    d->FSkinEmpty = true;
    EXPECT_FALSE(M().SkinWindow(Track(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance()))));
    d->FSkinEmpty = false;
}

TEST_F(SkinManagerTest, SelectSkinDataPrefersOwnThenDialogThenTheLastMainform)
{
    TSkinData* first = Data();
    TForm* other = NewForm(true);
    TSkinData* own = Data(sfOnlyThisForm, other);
    HWND plain = Track(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance()));
    EXPECT_EQ(M().SelectSkinData(other->Handle()), own);
    EXPECT_EQ(M().SelectSkinData(plain), first);
    TSkinData* second = Data(sfMainform, other);
    TSkinData* dialogs = Data(sfDialog, other);
    EXPECT_EQ(M().SelectSkinData(plain), second);
    EXPECT_EQ(M().DefaultData(), first);
    EXPECT_EQ(M().SelectSkinData(Track(MakeDialog(WS_POPUP | WS_CAPTION))), dialogs);
    first->Free();
    second->Free();
    EXPECT_EQ(M().DefaultData(), nullptr);
    EXPECT_EQ(M().SelectSkinData(plain), own);  // none fits: the first registered
}

TEST_F(SkinManagerTest, AttachAndUnskinGiveBackProcedureWindowProcAndColourExactly)
{
    TSkinData* d = Data();
    const TWndMethod method = Host->WindowProc;
    const WNDPROC proc = ProcOf(Host->Handle());
    Host->SetColor(clAqua);
    ASSERT_TRUE(M().SkinWindow(Host->Handle()));
    TSkinForm* f = M().FindSkinForm(Host->Handle());
    EXPECT_EQ(f->Control(), Host);
    EXPECT_EQ(f->Owner(), Host);
    EXPECT_EQ(ProcOf(Host->Handle()), f->Thunk());
    EXPECT_EQ(f->OldWindowProc(), proc);
    EXPECT_FALSE(Host->WindowProc == method);
    EXPECT_EQ(Host->Perform(SKM_PROBE, 0, SKM_MAGIC), SKM_MAGIC);
    EXPECT_EQ(Host->Color(), d->FColors[scButtonFace]);
    EXPECT_EQ(f->SavedColor(), clAqua);
    EXPECT_TRUE(f->FrameSkinned());
    EXPECT_EQ(f->BorderKind(), TSkinForm::bkSizeable);
    EXPECT_EQ(f->IconFlags(), TSkinForm::ifSysMenu | TSkinForm::ifMinimize | TSkinForm::ifMaximize);
    EXPECT_GT(f->CaptionHeight(), 0);
    EXPECT_GT(f->LeftBorder(), 0);
    EXPECT_EQ(f->ButtonCount(), static_cast<int>(d->FSysButtons.size()));
    EXPECT_EQ(f->LifeState(), TSkinForm::lsAttached);
    ASSERT_TRUE(PumpUntil([f] { return f->LifeState() == TSkinForm::lsSkinned; }));
    EXPECT_TRUE(f->HoverTimerObject()->Enabled());
    EXPECT_EQ(SendMessageA(Host->Handle(), SKM_ISSKINNED, 0, 0), 1);
    // The application asks for the skin's colours again.
    Host->SetColor(clRed);
    SendMessageA(Host->Handle(), SKM_RECOLOR, 0, 0);
    EXPECT_EQ(Host->Color(), d->FColors[scButtonFace]);

    // Clearing the caption buttons forgets the hot one.
    f->Buttons(0)->MouseMove();
    EXPECT_EQ(f->HotObject(), f->Buttons(0));
    f->ClearButtons();
    EXPECT_EQ(f->HotObject(), nullptr);

    d->SetActive(true);
    d->SetActive(false);
    ASSERT_TRUE(PumpUntil([this] { return M().FormCount() == 0; }));
    EXPECT_EQ(ProcOf(Host->Handle()), proc);
    EXPECT_TRUE(Host->WindowProc == method);
    EXPECT_EQ(Host->Color(), clAqua);
    EXPECT_EQ(Host->Perform(SKM_PROBE, 0, SKM_MAGIC), 0);
    EXPECT_EQ(SendMessageA(Host->Handle(), SKM_ISSKINNED, 0, 0), 0);
}

TEST_F(SkinManagerTest, UnicodeWindowsAndLaterSubclassesAreGivenBackSafely)
{
    Data();
    HWND wide = Track(MakeWideWindow());
    const auto wideProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wide, GWLP_WNDPROC));
    ASSERT_TRUE(M().SkinWindow(wide));
    TSkinForm* f = M().FindSkinForm(wide);
    EXPECT_TRUE(f->Unicode());
    EXPECT_TRUE(IsWindowUnicode(wide));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wide, GWLP_WNDPROC)), f->Thunk());
    EXPECT_EQ(SendMessageW(wide, WM_PING, 0, 0), 42);
    f->Unskin();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wide, GWLP_WNDPROC)), wideProc);

    // Somebody subclassed after us: our place in their chain keeps forwarding.
    HWND plain = Track(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance()));
    ASSERT_TRUE(M().SkinWindow(plain));
    gSubclassed = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(plain, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterSubclass)));
    M().FindSkinForm(plain)->Unskin();
    EXPECT_EQ(ProcOf(plain), LaterSubclass);
    EXPECT_EQ(SendMessageA(plain, WM_PING, 0, 0), 42);
    EXPECT_NE(SendMessageA(plain, SKM_ISSKINNED, 0, 0), 1);
    DestroyWindow(plain);
}

TEST_F(SkinManagerTest, DestroyedWindowsAreDetachedAndPurged)
{
    Data();
    TForm* doomed = NewForm(false);
    HWND plain = Track(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance()));
    ASSERT_TRUE(M().SkinWindow(doomed->Handle()));
    ASSERT_TRUE(M().SkinWindow(plain));
    TSkinForm* f = M().FindSkinForm(plain);
    DestroyWindow(plain);
    EXPECT_EQ(f->LifeState(), TSkinForm::lsDead);
    Forms.erase(std::find(Forms.begin(), Forms.end(), doomed));
    doomed->Free();  // its skin object goes with it
    EXPECT_EQ(M().FormCount(), 1);
    M().PurgeForms();
    EXPECT_EQ(M().FormCount(), 0);
}

TEST_F(SkinManagerTest, AWindowThatGoesKeepsTheSkinsColourAStoppingEngineGivesAPlainFrameBack)
{
    TSkinData* d = Data();
    d->SetSkinControls(d->SkinControls() - TSkinControlTypes{xcMainMenu});  // frames stay native
    const TColor face = d->FColors[scButtonFace];
    TForm* going = NewForm(false);
    going->SetColor(clAqua);
    TForm* staying = NewForm(false);
    staying->SetColor(clYellow);
    const WNDPROC proc = ProcOf(staying->Handle());
    for (TForm* f : {going, staying}) {
        f->Show();
        M().SkinWindow(f->Handle());  // unless the hook took it as it came up
        ASSERT_NE(M().FindSkinForm(f->Handle()), nullptr);
        EXPECT_EQ(M().FindSkinForm(f->Handle())->LifeState(), TSkinForm::lsSkinned) << "at once, frame native";
    }
    ASSERT_EQ(going->Color(), face);

    // The window goes (the form lives on); activating another window purges its skin object.
    going->Hide();
    going->RecreateWnd();
    ASSERT_EQ(M().FindSkinForm(going->WindowHandle()), nullptr);
    TForm* refused = NewForm(false);
    refused->SetTag(99);
    refused->Show();
    SetForegroundWindow(refused->Handle());
    ASSERT_TRUE(PumpUntil([this] { return M().FormCount() == 1; }));
    EXPECT_EQ(going->Color(), face);

    // The engine stops: a window whose frame was never skinned is given back whole, its own
    // procedure and its own colour.
    DoneSkinManager();
    EXPECT_EQ(ProcOf(staying->Handle()), proc);
    EXPECT_EQ(SendMessageA(staying->Handle(), SKM_ISSKINNED, 0, 0), 0);
    EXPECT_EQ(staying->Color(), clYellow);
    EXPECT_EQ(going->Color(), face);
}

TEST_F(SkinManagerTest, ActivationWalksTheFormsLastToFirstAndActionsRunOnTheTimer)
{
    TSkinLog log;
    const TColor original = Host->Color();
    TForm* second = NewForm(true);
    TForm* third = NewForm(true);
    NewForm(false);  // hidden: left alone
    TForm* child = NewForm(false);
    child->SetParent(second);
    child->Show();  // inside another form: left alone
    TSkinData* d = Data();
    d->OnBeforeSkinForm = TOnSkinForm(&log, &TSkinLog::Before);
    d->OnSkinChanged = TNotifyEvent(&log, &TSkinLog::Changed);
    M().SetActive(false);  // only the action switches it on here, not the hook
    M().SetRunState(TSkinManage::rsRunning);

    // Two requests within the interval: only the last one runs.
    d->SetActive(true);
    d->SetActive(false);
    d->SetActive(true);
    EXPECT_EQ(M().FormCount(), 0);
    ASSERT_TRUE(PumpUntil([&] { return log.Changes == 1; }));
    EXPECT_FALSE(M().ActionTimer().Enabled()) << "a second action is on its way";
    EXPECT_EQ(log.Changes, 1);
    EXPECT_EQ(log.Order, (std::vector<HWND>{third->Handle(), second->Handle(), Host->Handle()}));
    EXPECT_EQ(M().FormCount(), 3);
    EXPECT_EQ(M().PendingData(), nullptr);

    // A new skin file is a refresh of every window in its colours; a request made in
    // OnSkinChanged is kept.
    log.Again = d;
    log.Watch = second;
    d->SetSkinFile(ThemeSkinPath("macos.skn"));
    EXPECT_EQ(M().Action(), TSkinManage::saRefresh);
    ASSERT_TRUE(PumpUntil([&] { return log.Changes == 3; }));
    EXPECT_EQ(log.Colours.front(), d->FColors[scButtonFace]);
    EXPECT_EQ(M().FormCount(), 0);
    EXPECT_EQ(Host->Color(), original);
}

TEST_F(SkinManagerTest, OwnFormSkinArrivingWhileActiveSkinsTheForm)
{
    // The theme "Standar" with its file missing, then "MacOS".
    auto* d = new TSkinData(Host);
    d->SetSkinFormtype(sfOnlyThisForm);
    d->Loaded();
    EXPECT_THROW(d->SetSkinFile(ThemeSkinPath("missing.skn")), ESkinFileDamaged);
    d->SetActive(true);
    d->SetSkinFile(ThemeSkinPath("macos.skn"));
    ASSERT_TRUE(PumpUntil([this] { return M().FindSkinForm(Host->Handle()) != nullptr; }));
    EXPECT_EQ(Host->Color(), d->FColors[scButtonFace]);
    // A new skin for a skinned form is a refresh: the colour follows it.
    d->SetSkinFile(ThemeSkinPath("default.skn"));
    EXPECT_EQ(M().Action(), TSkinManage::saRefresh);
    const TColor face = d->FColors[scButtonFace];
    ASSERT_TRUE(PumpUntil([&] { return Host->Color() == face && M().PendingData() == nullptr; }));
    EXPECT_EQ(M().FormCount(), 1);
}

TEST_F(SkinManagerTest, RequestsBeforeAnyActivationOnlySwitchTheManager)
{
    TSkinData* d = Data();
    M().SetActive(false);
    M().SetPendingData(d);
    M().RequestAction(TSkinManage::saActivate, 250);
    EXPECT_TRUE(M().Active());
    EXPECT_FALSE(M().ActionTimer().Enabled());
    M().RequestAction(TSkinManage::saDeactivate, 250);
    EXPECT_FALSE(M().Active());
    M().RequestAction(TSkinManage::saRefresh, 250);
    EXPECT_EQ(M().Action(), TSkinManage::saRefresh);
    EXPECT_FALSE(M().ActionTimer().Enabled());
}

TEST_F(SkinManagerTest, OneHookPerThreadSkinsWindowsAsTheyActivate)
{
    const int installs = SkinHookInstalls();
    const int removals = SkinHookRemovals();
    TSkinData* d = Data();
    Data(sfMainform, NewForm(false));
    Data(sfMainform, NewForm(false));
    EXPECT_EQ(SkinHookInstalls(), installs + 1);
    EXPECT_NE(SkinHookHandle(), nullptr);
    d->SetActive(true);
    M().SetRunState(TSkinManage::rsIdle);
    M().SetActive(true);

    TForm* late = NewForm(false);
    const WNDPROC before = ProcOf(late->Handle());
    late->Show();
    SetForegroundWindow(late->Handle());
    ASSERT_TRUE(PumpUntil([&] { return M().FindSkinForm(late->Handle()) != nullptr; }));
    EXPECT_EQ(M().RunState(), TSkinManage::rsRunning);
    // Any activation starts the manager running, also of a window it does not skin.
    M().SetRunState(TSkinManage::rsIdle);
    TForm* refused = NewForm(false);
    refused->SetTag(99);
    refused->Show();
    SetForegroundWindow(refused->Handle());
    EXPECT_TRUE(PumpUntil([this] { return M().RunState() == TSkinManage::rsRunning; })) << "no activation seen";

    DoneSkinManager();
    EXPECT_EQ(SkinHookRemovals(), removals + 1);
    EXPECT_EQ(SkinHookHandle(), nullptr);
    EXPECT_EQ(ProcOf(late->Handle()), before);
}

TEST_F(SkinManagerTest, FreedSkinDataLeavesNothingThatPointsAtIt)
{
    TSkinData* d = Data();
    HWND plain = Track(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance()));
    ASSERT_TRUE(M().SkinWindow(plain));
    ASSERT_TRUE(M().SkinWindow(Host->Handle()));
    M().SetRunState(TSkinManage::rsRunning);
    d->SetActive(true);  // pending, on the timer
    ASSERT_EQ(M().PendingData(), d);
    ASSERT_EQ(M().DefaultData(), d);

    d->Free();
    EXPECT_EQ(M().PendingData(), nullptr);
    EXPECT_EQ(M().DefaultData(), nullptr);
    EXPECT_EQ(M().SkinDataCount(), 0);
    EXPECT_EQ(M().FormCount(), 0);
    EXPECT_EQ(ProcOf(plain), PlainProc);
    EXPECT_EQ(SendMessageA(Host->Handle(), SKM_ISSKINNED, 0, 0), 0);
    EXPECT_TRUE(PumpUntil([this] { return !M().ActionTimer().Enabled(); })) << "the action timer did not fire";
    EXPECT_FALSE(M().SkinWindow(Track(MakeTestWindow("SkinTestPlain", PlainProc, ModuleInstance()))));
}

TEST_F(SkinManagerTest, MainWindowThemeAttachesAndReleasesTheMainWindowEachTime)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
    CreateProgramForms();
    auto* sd = As<TSkinData>(Form1->FindComponent("sd"));
    ASSERT_NE(sd, nullptr);
    EXPECT_EQ(sd->SkinFormtype(), sfOnlyThisForm);
    EXPECT_FALSE(sd->Active());
    EXPECT_TRUE(sd->SkinControls().Contains(xcMenuItem));  // only a mainform component trims it
    EXPECT_TRUE(sd->FSkinEmpty);
    Form1->Show();
    const HWND h = Form1->Handle();
    const WNDPROC proc = ProcOf(h);
    const TWndMethod method = Form1->WindowProc;
    const TColor colour = Form1->Color();
    auto choose = [](const char* theme) {
        Form1->ComboBox2->SetText(theme);
        Form1->ComboBox2Change(nullptr);
    };
    auto released = [&] {
        return M().FormCount() == 0 && ProcOf(h) == proc && Form1->WindowProc == method && Form1->Color() == colour;
    };

    choose("Standar");
    ASSERT_TRUE(PumpUntil([&] { return M().FindSkinForm(h) != nullptr; }));
    const String standar = sd->FSkinName;
    EXPECT_EQ(Form1->Color(), sd->FColors[scButtonFace]);
    EXPECT_EQ(ProcOf(h), M().FindSkinForm(h)->Thunk());
    choose("MacOS");
    ASSERT_TRUE(PumpUntil([&] { return M().PendingData() == nullptr; }));
    EXPECT_NE(sd->FSkinName, standar);
    EXPECT_EQ(Form1->Color(), sd->FColors[scButtonFace]);
    EXPECT_EQ(M().FormCount(), 1);
    choose("Default Windows");
    EXPECT_TRUE(PumpUntil(released));

    choose("MacOS");
    ASSERT_TRUE(PumpUntil([&] { return M().FindSkinForm(h) != nullptr; }));
    TCloseAction action = caHide;
    Form1->FormClose(Form1, action);  // closing switches the skin off
    EXPECT_TRUE(PumpUntil(released));

    FreeProgramForms();
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
}

// Streams one of the dialog library's form files into a plain form (its class and handlers live
// in the library) and returns the skin data component on it.
TSkinData* DialogSkinData(std::vector<TForm*>& forms, const char* unit)
{
    TMemoryStream file;
    file.LoadFromFile(TreePath(String("dialogs/") + unit + ".form"));
    String text(reinterpret_cast<const char*>(file.Memory()), file.Bytes().size());
    const size_t colon = text.find(':');
    text.replace(colon, text.find('\n') - colon, ": TForm");
    for (size_t on; (on = text.find(" OnClick = ")) != String::npos;)
        text.erase(on, text.find('\n', on) - on);
    auto* f = new TForm(nullptr);
    forms.push_back(f);
    ReadFormInto(f, text, unit);
    return As<TSkinData>(f->FindComponent("SkinData1"));
}

TEST_F(SkinManagerTest, DialogLibraryFormsCarryInactiveSkinDataAndOneHookInAll)
{
    const int installs = SkinHookInstalls();
    std::vector<TSkinData*> data;
    for (const char* unit : {"ui_warn", "ui_info", "ui_stop", "ui_tips", "ui_select", "uinput"})
        data.push_back(DialogSkinData(Forms, unit));
    for (TSkinData* d : data) {
        ASSERT_NE(d, nullptr);
        EXPECT_FALSE(d->Active());
        EXPECT_EQ(d->SkinFormtype(), sfMainform);
        EXPECT_TRUE(d->FSkinEmpty);
    }
    EXPECT_EQ(SkinHookInstalls(), installs + 1);
    EXPECT_EQ(M().SkinDataCount(), 6);
    EXPECT_EQ(M().DefaultData(), data[0]);
    EXPECT_FALSE(M().Active());
    Forms.back()->Show();  // no skin loaded: nothing is skinned
    SetForegroundWindow(Forms.back()->Handle());
    ASSERT_TRUE(PumpUntil([this] { return GetActiveWindow() == Forms.back()->Handle(); })) << "not activated";
    EXPECT_EQ(M().FormCount(), 0);
    for (size_t i = Forms.size(); i-- > 1;) {
        Forms[i]->Free();
        Forms.pop_back();
    }
    EXPECT_EQ(M().SkinDataCount(), 0);
    EXPECT_EQ(M().DefaultData(), nullptr);
}

}  // namespace

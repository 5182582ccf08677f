// The dispatch on real windows: a form with every kind of control (its components and its tab
// order, into an embedded form), the gates, the class map and the application's event, a dialog
// box made from a template with its native children, and unskinning that gives everything back.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <vector>

#include "combobox.h"
#include "controlskintest.h"
#include "dialogtemplate.h"
#include "datetimepicker.h"
#include "extctrls.h"
#include "gradientbutton.h"
#include "groupbox.h"
#include "main.h"
#include "namedclass.h"
#include "programforms.h"
#include "memo.h"
#include "mplayer.h"
#include "pagecontrol.h"
#include "skinbutton.h"
#include "skincheckbox.h"
#include "skincombox.h"
#include "skindatetime.h"
#include "skinedit.h"
#include "skinfill.h"
#include "skinformdispatch.h"
#include "skinmanager.h"
#include "skinscrollbar.h"
#include "statusbar.h"
#include "stdctrls.h"
#include "trackbar.h"

namespace {

// A group of radio buttons by its class name only.
NAMED_TEST_CLASS(TTestRadioGroup, TWinControl)

// Answers the application's question for every control: a skin of its own for buttons.
class THandler : public TObject {
public:
    void SkinControl(TComponent* Sender, TSkinData* SkinData, TControl* Form, TControl* Control,
                     const String& ControlClass, TComponent*& SkinnedControl)
    {
        Asked.push_back(ControlClass);
        Forms.push_back(Form);
        if (ControlClass == "TBUTTON")
            SkinnedControl = new TSkinCheckBox(Control);  // any skin the application likes
        else if (ControlClass == "TCHECKBOX")
            SkinnedControl = Control;  // not a skin: the control is left alone
    }
    std::vector<String> Asked;
    std::vector<TControl*> Forms;
};

class SkinDispatchTest : public ControlSkinTest {
protected:
    std::optional<TSkinKind> Decided(TControl* c) const
    {
        std::vector<std::string> map;
        for (int i = 0; i < Data->Skin3rd()->Count(); ++i)
            map.push_back(Data->Skin3rd()->Get(i));
        return DecideControlSkin(DescribeControl(c), DispatchGates(*Data), map).Kind;
    }
};

}  // namespace

TEST_F(SkinDispatchTest, EveryControlOfAFormGetsItsKind)
{
    UseTheme("default.skn");
    auto* button = Add<TButton>(Form, Form, "Button1", 8, 8, 75, 25);
    auto* check = Add<TCheckBox>(Form, Form, "CheckBox1", 90, 8, 90, 20);
    auto* panel = Add<TPanel>(Form, Form, "Panel1", 190, 8, 120, 40);
    auto* inPanel = Add<TButton>(Form, panel, "Button2", 5, 5, 60, 25);
    auto* group = Add<TGroupBox>(Form, Form, "GroupBox1", 320, 8, 150, 60);
    auto* inGroup = Add<TCheckBox>(Form, group, "CheckBox2", 8, 20, 100, 20);
    auto* pages = Add<TPageControl>(Form, Form, "PageControl1", 8, 80, 200, 120);
    auto* sheet = Add<TTabSheet>(Form, pages, "TabSheet1", 0, 0, 0, 0);
    sheet->SetCaption("One");
    auto* buttonTabs = Add<TPageControl>(Form, Form, "PageControl2", 220, 80, 150, 80);
    buttonTabs->SetStyle(tsButtons);
    Add<TTabSheet>(Form, buttonTabs, "TabSheet2", 0, 0, 0, 0)->SetCaption("Two");
    auto* combo = Add<TComboBox>(Form, Form, "ComboBox1", 8, 210, 100, 21);
    auto* track = Add<TTrackBar>(Form, Form, "TrackBar1", 120, 210, 100, 30);
    auto* edit = Add<TEdit>(Form, Form, "Edit1", 230, 210, 80, 21);
    auto* memo = Add<TMemo>(Form, Form, "Memo1", 320, 170, 80, 50);
    auto* rich = Add<TRichEdit>(Form, Form, "RichEdit1", 400, 170, 70, 50);
    auto* date = Add<TDateTimePicker>(Form, Form, "DateTimePicker1", 8, 250, 100, 21);
    auto* time = Add<TDateTimePicker>(Form, Form, "DateTimePicker2", 120, 250, 100, 21);
    time->SetKind(dtkTime);
    auto* player = Add<TMediaPlayer>(Form, Form, "MediaPlayer1", 230, 250, 100, 25);
    auto* gradient = Add<TGradientButton>(Form, Form, "GradientButton1", 340, 250, 75, 25);
    auto* tagged = Add<TButton>(Form, Form, "Button3", 8, 280, 75, 25);
    tagged->SetTag(99);
    auto* label = new TLabel(Form);
    label->SetParent(Form);
    auto* status = Add<TStatusBar>(Form, Form, "StatusBar1", 0, 0, 0, 20);
    status->SetAlign(alBottom);
    // A form of its own shown in the page, as the main window shows the alarm form.
    TForm* inner = NewTestForm(150, 60);
    auto* innerButton = Add<TButton>(inner, inner, "InnerButton", 4, 4, 70, 25);
    auto* innerCheck = Add<TCheckBox>(inner, inner, "InnerCheck", 4, 32, 90, 20);
    inner->SetParent(sheet);
    inner->Show();
    struct TBefore {
        TWinControl* Control;
        TWndMethod Method;
        TColor Colour;
        WNDPROC Proc;
    };
    std::vector<TBefore> before;
    for (TComponent* owner : {static_cast<TComponent*>(Form), static_cast<TComponent*>(inner)})
        for (int i = 0; i < owner->ComponentCount(); ++i)
            if (auto* w = As<TWinControl>(owner->Components(i)))
                before.push_back({w, w->WindowProc, w->Color(), ProcOf(w->Handle())});

    SkinAll();

    const std::map<TControl*, std::optional<TSkinKind>> decided = {
        {button, TSkinKind::Button},     {check, TSkinKind::CheckBox},    {panel, TSkinKind::Box},
        {group, TSkinKind::GroupBox},    {pages, TSkinKind::Tab},         {sheet, TSkinKind::TabSheet},
        {buttonTabs, TSkinKind::TabBtn}, {combo, TSkinKind::ComboBox},    {track, TSkinKind::TrackBar},
        {edit, TSkinKind::Edit},         {memo, TSkinKind::Scrollbar},    {rich, TSkinKind::Scrollbar},
        {date, TSkinKind::DateTime},     {time, TSkinKind::Edit},         {player, TSkinKind::MediaPlayer},
        {status, TSkinKind::StatusBar},  {inner, TSkinKind::Box},         {gradient, std::nullopt},
        {label, std::nullopt},
    };
    for (const auto& [control, kind] : decided)
        EXPECT_EQ(Decided(control), kind) << control->ClassName();

    // The families built so far have their skins, in control mode, each control once.
    EXPECT_TRUE(SkinAs<TSkinButton>(button));
    EXPECT_TRUE(SkinAs<TSkinButton>(inPanel));
    EXPECT_TRUE(SkinAs<TSkinCheckBox>(check));
    EXPECT_TRUE(SkinAs<TSkinCheckBox>(inGroup));
    EXPECT_TRUE(SkinAs<TSkinTabSheet>(sheet));
    EXPECT_TRUE(SkinAs<TSkinTabBtn>(buttonTabs));
    EXPECT_TRUE(SkinAs<TSkinButton>(innerButton)) << "the embedded form is reached";
    EXPECT_TRUE(SkinAs<TSkinCheckBox>(innerCheck));
    EXPECT_TRUE(SkinAs<TSkinComBox>(combo));
    EXPECT_TRUE(SkinAs<TSkinScrollbar>(memo));
    EXPECT_TRUE(SkinAs<TSkinScrollbar>(rich));
    EXPECT_TRUE(SkinAs<TSkinDateTime>(date));
    EXPECT_EQ(SkinOf(button)->Control(), button);
    EXPECT_EQ(SkinOf(button)->ObjectInstance(), nullptr);
    EXPECT_EQ(SkinOf(button)->Owner(), button);
    // Nothing for a gradient button, a control carrying the disable tag, or a label.
    for (TControl* c : {static_cast<TControl*>(gradient), static_cast<TControl*>(tagged),
                        static_cast<TControl*>(label)})
        EXPECT_EQ(SkinOf(c), nullptr) << c->Name();
    for (int i = 0; i < SkinForm->SkinControlCount(); ++i)
        EXPECT_EQ(SkinCount(SkinForm->SkinControls(i)->Control()), 1) << SkinForm->SkinControls(i)->Control()->Name();

    // A second walk adds nothing.
    const int count = SkinForm->SkinControlCount();
    SkinForm->SkinChildControls(Form);
    EXPECT_EQ(SkinForm->SkinControlCount(), count);

    // Unskinning gives every control its WindowProc, procedure and colour back.
    SkinForm->Unskin();
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
    for (const TBefore& b : before) {
        EXPECT_TRUE(b.Control->WindowProc == b.Method) << b.Control->Name();
        EXPECT_EQ(ProcOf(b.Control->Handle()), b.Proc) << b.Control->Name();
        EXPECT_EQ(b.Control->Color(), b.Colour) << b.Control->Name();
        EXPECT_EQ(b.Control->Perform(SKM_ISSKINNED), 0) << b.Control->Name();
    }
    inner->Free();
}

TEST_F(SkinDispatchTest, GatesMapAndTagsDecide)
{
    UseStripSkin();
    auto* button = Add<TButton>(Form, Form, "Button1", 8, 8, 75, 25);
    auto* check = Add<TCheckBox>(Form, Form, "CheckBox1", 90, 8, 90, 20);
    auto* group = Add<TTestRadioGroup>(Form, Form, "Group1", 8, 40, 200, 80);
    auto* inGroup = Add<TCheckBox>(Form, group, "CheckBox2", 8, 8, 90, 20);
    group->SetTag(99);
    Data->SetSkinControls(Data->SkinControls() - TSkinControlTypes{xcButton});
    Data->Skin3rd()->Add("TCheckBox=nil");
    SkinAll();
    EXPECT_EQ(SkinOf(button), nullptr);
    EXPECT_EQ(SkinOf(check), nullptr);
    EXPECT_EQ(SkinOf(inGroup), nullptr);
    EXPECT_EQ(inGroup->Tag(), 99) << "a disabled group disables its children";

}

TEST_F(SkinDispatchTest, TheApplicationDecidesFirst)
{
    UseStripSkin();
    auto* button = Add<TButton>(Form, Form, "Button1", 8, 8, 75, 25);
    auto* check = Add<TCheckBox>(Form, Form, "CheckBox1", 90, 8, 90, 20);
    auto* edit = Add<TEdit>(Form, Form, "Edit1", 8, 40, 90, 21);
    THandler handler;
    Data->OnSkinControl = TOnSkinControl(&handler, &THandler::SkinControl);
    SkinAll();
    // The application's own skin is attached and listed; another component ends the decision.
    EXPECT_TRUE(SkinAs<TSkinCheckBox>(button));
    EXPECT_EQ(SkinCount(button), 1);
    EXPECT_EQ(SkinOf(check), nullptr);
    EXPECT_TRUE(SkinAs<TSkinEdit>(edit));
    // Both walks meet every control: one that has its skin after the first is not asked again.
    EXPECT_EQ(std::count(handler.Asked.begin(), handler.Asked.end(), "TBUTTON"), 1);
    EXPECT_EQ(std::count(handler.Asked.begin(), handler.Asked.end(), "TEDIT"), 1);
    EXPECT_EQ(std::count(handler.Asked.begin(), handler.Asked.end(), "TCHECKBOX"), 2);
    EXPECT_EQ(std::count(handler.Forms.begin(), handler.Forms.end(), Form), static_cast<long>(handler.Forms.size()));
    SkinForm->Unskin();
    EXPECT_EQ(SkinOf(button), nullptr);
}

// ---------------------------------------------------------------- a dialog box from a template

namespace {

std::map<WPARAM, int> gCommands;  // WM_COMMAND wParam -> how often

INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_COMMAND) {
        ++gCommands[wParam];
        return TRUE;
    }
    return FALSE;
}

}  // namespace

TEST_F(SkinDispatchTest, DialogChildrenAreSkinnedInHandleMode)
{
    UseStripSkin();
    TDialogTemplate t(WS_POPUP | WS_VISIBLE | WS_CAPTION, 260, 150);
    t.Item(ButtonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 4, 4, 50, 14, IDOK, L"OK");
    t.Item(ButtonClass, BS_PUSHBUTTON | WS_TABSTOP, 60, 4, 50, 14, 10, L"Other");
    t.Item(ButtonClass, BS_AUTOCHECKBOX | WS_TABSTOP, 4, 24, 80, 12, 11, L"Check");
    t.Item(ButtonClass, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 4, 40, 80, 12, 12, L"First");
    t.Item(ButtonClass, BS_AUTORADIOBUTTON, 4, 54, 80, 12, 13, L"Second");
    t.Item(ButtonClass, BS_GROUPBOX | WS_GROUP, 100, 24, 80, 50, 14, L"Group");
    t.Item(ButtonClass, BS_OWNERDRAW, 190, 24, 50, 14, 15, L"Drawn");
    t.Item(StaticClass, 0, 190, 44, 50, 10, 16, L"Text");
    t.Item(EditClass, WS_BORDER, 4, 70, 60, 12, 17, L"");
    t.Item(ComboClass, CBS_SIMPLE, 70, 80, 60, 40, 18, L"");
    t.Item(ScrollBarClass, SBS_SIZEGRIP, 240, 136, 10, 10, 20, L"");
    t.Item(ScrollBarClass, SBS_VERT, 240, 60, 10, 40, 21, L"");
    t.Item(ButtonClass, 0x000A, 140, 90, 50, 14, 22, L"Box");    // a push box
    t.Item(ButtonClass, 0x000E, 140, 110, 90, 20, 23, L"Link");  // a command link
    gCommands.clear();
    HWND dlg = t.Create(DialogProc);
    ASSERT_TRUE(dlg);
    // An extended combo box: its inner combo box gets the skin.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES};
    InitCommonControlsEx(&icc);
    HWND extended = CreateWindowExA(0, WC_COMBOBOXEXA, "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 140, 60, 80, 100,
                                    dlg, nullptr, nullptr, nullptr);
    ASSERT_TRUE(extended && GetTopWindow(extended));
    std::map<int, WNDPROC> procs;
    for (int id : {1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 21, 22, 23})
        procs[id] = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(GetDlgItem(dlg, id), GWLP_WNDPROC));
    auto skin = [&](int id) { return SkinOf(GetDlgItem(dlg, id)); };

    AttachSkinWindow(dlg);
    SkinForm->SkinChildWindows(dlg);

    for (int id : {1, 10, 22, 23})
        EXPECT_TRUE(As<TSkinButton>(skin(id))) << id;
    EXPECT_TRUE(As<TSkinCheckBox>(skin(11)));
    EXPECT_TRUE(As<TSkinRadioButton>(skin(12)));
    EXPECT_TRUE(As<TSkinRadioButton>(skin(13)));
    EXPECT_TRUE(As<TSkinSizer>(skin(20)));
    EXPECT_TRUE(As<TSkinEdit>(skin(17)));
    EXPECT_TRUE(As<TSkinComBox>(SkinOf(GetTopWindow(extended))));
    EXPECT_EQ(SkinOf(extended), nullptr);
    for (int id : {14, 15, 16, 18, 21})
        EXPECT_EQ(skin(id), nullptr) << id;
    for (int id : {1, 11, 12, 20}) {
        ASSERT_TRUE(skin(id));
        EXPECT_EQ(skin(id)->Control(), nullptr);
        EXPECT_EQ(skin(id)->Owner(), SkinForm);
        EXPECT_NE(skin(id)->ObjectInstance(), nullptr) << "handle mode";
        EXPECT_EQ(skin(id)->Mode(), 0);
    }

    // A click by mouse and by key is one WM_COMMAND with the button's identifier.
    ClickAt(GetDlgItem(dlg, IDOK), 10, 8);
    Application->ProcessMessages();
    EXPECT_EQ(gCommands[MAKEWPARAM(IDOK, BN_CLICKED)], 1);
    PressKey(VK_SPACE, GetDlgItem(dlg, 10));
    Application->ProcessMessages();
    EXPECT_EQ(gCommands[MAKEWPARAM(10, BN_CLICKED)], 1);
    EXPECT_EQ(gCommands[MAKEWPARAM(IDOK, BN_CLICKED)], 1);

    // Check boxes toggle, radio buttons go as a group.
    ClickAt(GetDlgItem(dlg, 11), 5, 5);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 11), BST_CHECKED);
    EXPECT_EQ(gCommands[MAKEWPARAM(11, BN_CLICKED)], 1);
    ClickAt(GetDlgItem(dlg, 11), 5, 5);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 11), BST_UNCHECKED);
    ClickAt(GetDlgItem(dlg, 13), 5, 5);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 13), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 12), BST_UNCHECKED);
    ClickAt(GetDlgItem(dlg, 12), 5, 5);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 12), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 13), BST_UNCHECKED);

    // Unskinning gives every child its procedure back.
    SkinForm->Unskin();
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
    for (const auto& [id, proc] : procs)
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(GetDlgItem(dlg, id), GWLP_WNDPROC)), proc) << id;
    EXPECT_EQ(SendMessageA(GetDlgItem(dlg, IDOK), SKM_ISSKINNED, 0, 0), 0);
    FreeAndNil(SkinForm);
    DestroyWindow(dlg);
}

TEST_F(SkinDispatchTest, ADialogInsideADialogGetsTheFaceColour)
{
    UseStripSkin();
    TDialogTemplate outer(WS_POPUP | WS_VISIBLE, 200, 120);
    outer.Item(StaticClass, 0, 4, 4, 60, 10, 30, L"Outer");
    HWND dlg = outer.Create(DialogProc);
    TDialogTemplate inner(WS_CHILD | WS_VISIBLE | DS_CONTROL, 120, 60);
    inner.Item(StaticClass, 0, 4, 4, 60, 10, 31, L"Inner");
    inner.Item(ButtonClass, BS_PUSHBUTTON, 4, 20, 50, 14, 32, L"Press");
    HWND page = inner.Create(DialogProc, dlg);
    ASSERT_TRUE(dlg && page);
    // A toolkit panel in the dialog takes the face colour too.
    auto* panel = new TPanel(Form);
    panel->SetParentWindow(dlg);
    panel->SetBounds(4, 150, 60, 30);
    panel->SetColor(clRed);
    panel->HandleNeeded();
    AttachSkinWindow(dlg);
    SkinForm->SkinChildWindows(dlg);
    EXPECT_EQ(panel->Color(), StripFace);
    // The inner dialog's own children first, then the dialog itself.
    EXPECT_TRUE(As<TSkinButton>(SkinOf(GetDlgItem(page, 32))));
    auto* box = As<TSkinBoxH>(SkinOf(page));
    ASSERT_TRUE(box);
    HDC dc = GetDC(page);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(page, 31))));
    EXPECT_EQ(brush, Data->FFaceBrush.Get());
    EXPECT_EQ(GetBkColor(dc), static_cast<COLORREF>(StripFace));
    ReleaseDC(page, dc);
    // Erasing fills the face colour.
    TBitmap b(50, 30);
    EXPECT_EQ(SendMessageA(page, WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0), 0);
    EXPECT_EQ(b.Canvas()->Pixels(10, 10), StripFace);
    SkinForm->Unskin();
    FreeAndNil(SkinForm);
    DestroyWindow(dlg);
}

// ---------------------------------------------------------------- the program's main window

TEST_F(SkinDispatchTest, TheMainWindowsControlsAreSkinnedAndWorkAsBefore)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
    CreateProgramForms();
    Form1->Show();
    auto* minimize = As<TButton>(Form1->FindComponent("Button1"));
    ASSERT_TRUE(minimize);
    const TWndMethod activeProc = Form2->Button1->WindowProc;
    for (const char* theme : {"Standar", "MacOS", "Default Windows"}) {
        SCOPED_TRACE(theme);
        Form1->ComboBox2->SetText(theme);
        Form1->ComboBox2Change(nullptr);
        const bool on = String(theme) != "Default Windows";
        ASSERT_TRUE(PumpUntil([&] {
            TSkinManage* m = SkinManager();
            TSkinForm* f = m && !m->PendingData() ? m->FindSkinForm(Form1->Handle()) : nullptr;
            return on ? f && f->LifeState() == TSkinForm::lsSkinned : m && !m->PendingData() && !f;
        }));
        TSkinForm* f = SkinManager()->FindSkinForm(Form1->Handle());
        if (!on) {
            EXPECT_TRUE(Form2->Button1->WindowProc == activeProc);
            EXPECT_EQ(Form2->Button1->Perform(SKM_ISSKINNED), 0);
            continue;
        }
        // The alarm page is a form of its own in the first page: its controls are reached.
        EXPECT_TRUE(As<TSkinButton>(f->FindSkinControl(Form2->Button1)));
        EXPECT_TRUE(As<TSkinCheckBox>(f->FindSkinControl(Form2->CheckBox1)));
        EXPECT_TRUE(As<TSkinButton>(f->FindSkinControl(minimize)));
        EXPECT_TRUE(As<TSkinCheckBox>(f->FindSkinControl(Form1->CheckBox4)));
        EXPECT_TRUE(As<TSkinTabSheet>(f->FindSkinControl(Form1->TabSheet2)));
        EXPECT_TRUE(As<TSkinTabSheet>(f->FindSkinControl(Form2->Tabsheet1)));
        EXPECT_EQ(f->FindSkinControl(Form2->GradientButton3), nullptr);
        // Their clicks work as unskinned: the alarm button arms and disarms, once a click.
        ClickControl(Form2->Button1);
        EXPECT_EQ(Form2->Button1->Caption(), "Abort");
        ClickControl(Form2->Button1);
        EXPECT_EQ(Form2->Button1->Caption(), "Active");
        const bool sound = Form2->CheckBox1->Checked();
        ClickControl(Form2->CheckBox1);
        EXPECT_NE(Form2->CheckBox1->Checked(), sound);
        ClickControl(Form2->CheckBox1);
        EXPECT_EQ(Form2->CheckBox1->Checked(), sound);
    }
    FreeProgramForms();
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
    DoneSkinManager();
}

TEST_F(SkinDispatchTest, TheManagersWindowsAreSkinnedWithTheirControlsAndLaterSizeGrips)
{
    DoneSkinManager();
    auto* data = new TSkinData(Form);
    data->Loaded();
    data->SetSkinFile(ThemeSkinPath("default.skn"));
    SkinManager()->SetActive(true);
    auto* button = Add<TButton>(Form, Form, "Button1", 8, 8, 75, 25);
    ASSERT_TRUE(SkinManager()->SkinWindow(Form->Handle()));
    TSkinForm* f = SkinManager()->FindSkinForm(Form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return f->LifeState() == TSkinForm::lsSkinned; }));
    EXPECT_TRUE(As<TSkinButton>(f->FindSkinControl(button)));
    HWND grip = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_SIZEGRIP, 0, 0, 16, 16, Form->Handle(), nullptr,
                                nullptr, nullptr);
    EXPECT_TRUE(As<TSkinSizer>(f->FindSkinControl(grip)));
    DestroyWindow(grip);
    DoneSkinManager();
    EXPECT_EQ(button->Perform(SKM_ISSKINNED), 0);
}

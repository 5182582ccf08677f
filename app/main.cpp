#include "main.h"

#include <shellapi.h>

#include "alarm.h"
#include "brenlow.h"
#include "clock.h"
#include "comctrls.h"
#include "menus.h"
#include "parvel.h"
#include "registry.h"
#include "skindata.h"
#include "stdctrls.h"
#include "trayicon.h"

TForm1* Form1 = nullptr;

namespace {

constexpr const char* BalloonTitle = "Velmora";
constexpr const char* BalloonText = "Velmora minimize here\r\nclick to show or right click for more option";
constexpr int AnswerYes = 6;

// The Run value: the full path in double quotes, so a folder with blanks starts this program
// and no other.
String RunCommand() { return "\"" + Application->ExeName() + "\""; }

// Opens the settings key for writing, making it first when it is missing.
void OpenSettingsForWriting(TRegistry& reg)
{
    if (!reg.KeyExists(SettingsKey))
        reg.CreateKey(SettingsKey);
    reg.OpenKey(SettingsKey, true);
}

// Opens the machine's Run key for writing. A user without the right to change it is told so:
// the start-up entry must never look changed when it is not.
void OpenRunKeyForWriting(TRegistry& reg)
{
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(RunKey, true))
        throw ERegistryException(String("Cannot change the start-up entry: HKEY_LOCAL_MACHINE") + RunKey +
                                 " cannot be opened for writing");
}

// Runs one step of showing the main window; a failure is reported and the next step still runs,
// so the window always shows with its pages.
void ReportAndGoOn(TForm1* form, void (TForm1::*step)())
{
    try {
        (form->*step)();
    } catch (...) {
        Application->HandleException(form);
    }
}

}  // namespace

void SetMainForm(TCustomForm* form) { Application->SetMainForm(form); }

TK_FORM_CLASS(TForm1)

void TForm1::FormCreate(TObject*)
{
    FAppPath = ExtractFilePath(Application->ExeName());
    Application->SetHintHidePause(5000);
    Application->SetHintColor(clYellow);
}

void TForm1::FormShow(TObject*)
{
    TrayIcon1->ShowBalloonHint(BalloonTitle, BalloonText, bikInfo, 10);
    if (Form2) {
        // Shown once for good: later showings of this window leave the alarm's defaults alone.
        Form2->Show();
        EmbedForm(Form2, TabSheet1);
    }
    LoadSettings();
    ReportAndGoOn(this, &TForm1::ApplyTheme);  // a damaged skin leaves the window unskinned
    PageControl1->SetActivePage(TabSheet1);
}

void TForm1::EmbedForm(TCustomForm* form, TTabSheet* sheet)
{
    form->SetBorderStyle(bsNone);
    form->SetAlign(alClient);
    sheet->SetCaption(form->Caption());
    form->SetParent(sheet);
}

// ---------------------------------------------------------------- settings

void TForm1::LoadSettings()
{
    TScopedFlag reading(FReadingSettings);
    // Each setting on its own: a fault in one is reported and the others still apply.
    for (void (TForm1::*step)() : {&TForm1::ReadTheme, &TForm1::ReadAlphaBlend, &TForm1::ReadRunAtStartup})
        ReportAndGoOn(this, step);
}

void TForm1::ReadTheme()
{
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    reg.OpenKeyReadOnly(SettingsKey);  // without the key the value reads as empty text
    ComboBox2->SetText(reg.ReadString("theme"));
}

void TForm1::ReadAlphaBlend()
{
    int position = 255;
    try {
        TRegistry reg;
        reg.SetRootKey(HKEY_CURRENT_USER);
        reg.OpenKeyReadOnly(SettingsKey);
        position = reg.ReadInteger("AlphaBlend");
    } catch (const Exception&) {
        position = 255;  // missing, or not an integer
    }
    TrackBar1->SetPosition(position);  // a change writes it back through TrackBar1Change
}

void TForm1::ReadRunAtStartup()
{
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    bool present = reg.OpenKeyReadOnly(RunKey) && reg.ValueExists(RunValue);
    reg.CloseKey();
    CheckBox4->SetChecked(present);  // a change rewrites the value through CheckBox4Click
}

void TForm1::TrackBar1Change(TObject*)
{
    int position = TrackBar1->Position();
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_CURRENT_USER);
        OpenSettingsForWriting(reg);
        reg.WriteInteger("AlphaBlend", position);
    }
    SetAlphaBlendValue(position);
    if (FrmClock)
        FrmClock->SetAlphaBlendValue(position);
}

void TForm1::ComboBox2Change(TObject*)
{
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_CURRENT_USER);
        OpenSettingsForWriting(reg);
        reg.WriteString("theme", ComboBox2->Text());
    }
    ApplyTheme();
}

// The theme reaches the skin engine through the skin data component `sd` only: its skin file,
// then Active. FTheme keeps what was asked for.
void TForm1::ApplyTheme()
{
    const String text = ComboBox2->Text();
    if (text == "Standar")
        FTheme = {true, FAppPath + "Skins\\default.skn"};
    else if (text == "MacOS")
        FTheme = {true, FAppPath + "Skins\\macos.skn"};
    else
        FTheme.Active = false;
    TSkinData* sd = FindChild<TSkinData>("sd");
    if (FTheme.Active) {
        try {
            sd->SetSkinFile(FTheme.SkinFile);
        } catch (...) {
            // A damaged skin: the error box tells why, and the window goes on unskinned
            // (also when another theme was on before).
            FTheme.Active = false;
            sd->SetActive(false);
            throw;
        }
    }
    sd->SetActive(FTheme.Active);
}

void TForm1::CheckBox4Click(TObject*)
{
    bool ticked = CheckBox4->Checked();
    try {
        ticked ? AddRunAtStartup() : RemoveRunAtStartup();
    } catch (const ERegistryException&) {
        // Reading the settings found the value already there; a user who may not write the
        // machine's Run key still gets the rest of the settings.
        if (!FReadingSettings)
            throw;
    }
    CheckBox4->SetHint(ticked ? "Velmora run at start up" : "Velmora not run at start up");
}

void TForm1::AddRunAtStartup()
{
    TRegistry reg;
    OpenRunKeyForWriting(reg);
    reg.WriteString(RunValue, RunCommand());
}

void TForm1::RemoveRunAtStartup()
{
    TRegistry reg;
    OpenRunKeyForWriting(reg);
    if (!reg.DeleteValue(RunValue) && reg.ValueExists(RunValue))
        throw ERegistryException(String("Cannot change the start-up entry: the value ") + RunValue +
                                 " of HKEY_LOCAL_MACHINE" + RunKey + " cannot be deleted");
}

// ---------------------------------------------------------------- main form, tray and menu

void TForm1::TrayIcon1Click(TObject*)
{
    SetMainForm(this);
    TrayIcon1->RestoreMainForm();
}

void TForm1::ShowMainForm1Click(TObject* Sender) { TrayIcon1Click(Sender); }

void TForm1::Button1Click(TObject*)
{
    FrmClock->Show();
    TrayIcon1->HideMainForm();
    SetMainForm(FrmClock);
}

void TForm1::rayClock1Click(TObject*)
{
    if (rayClock1->Checked()) {
        SetMainForm(this);
        FrmClock->Close();
    } else {
        SetMainForm(FrmClock);
        FrmClock->Show();
    }
}

void TForm1::ClockStayOnTop1Click(TObject*)
{
    if (ClockStayOnTop1->Checked()) {
        FrmClock->SetFormStyle(fsStayOnTop);
        SetMainForm(FrmClock);
    } else {
        SetMainForm(this);
    }
}

void TForm1::checkUpdate1Click(TObject*)
{
    ShellExecuteA(Handle(), "open", HomePage, nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm1::Label3Click(TObject* Sender) { checkUpdate1Click(Sender); }

// ---------------------------------------------------------------- ending

void TForm1::Exit1Click(TObject*)
{
    if (UIAskYesNo("Warning", "are you sure!", "Exit", "No") != AnswerYes)
        return;
    ShowInfoDialog("Thanks for Evaluating Quistal\r\n release version under deploying, Please Wait.");
    Application->Terminate();
}

void TForm1::FormCloseQuery(TObject*, bool& CanClose)
{
    CanClose = UIAskYesNo("Warning", "are you sure?", "Exit", "No") == AnswerYes;
    if (CanClose)
        Application->Terminate();
}

void TForm1::FormClose(TObject*, TCloseAction&)
{
    FTheme.Active = false;
    FindChild<TSkinData>("sd")->SetActive(false);
}

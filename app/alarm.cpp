#include "alarm.h"

#include <shellapi.h>

#include <cmath>
#include <utility>

#include "brenlow.h"
#include "comctrls.h"
#include "dialogs.h"
#include "gradientbutton.h"
#include "main.h"
#include "mplayer.h"
#include "poweroff.h"
#include "stdctrls.h"
#include "timer.h"

TForm2* Form2 = nullptr;

namespace {

constexpr int SecondsPerDay = 86400;

// All seconds since the date-time epoch, counted as the "hh:mm:ss" text of the time shows them.
int64_t WholeSecond(TDateTime t, const TTimeParts& shown)
{
    return static_cast<int64_t>(std::floor(t)) * SecondsPerDay + shown.Hour * 3600 + shown.Min * 60 + shown.Sec;
}

int SecondOfDay(const TTimeParts& p) { return p.Hour * 3600 + p.Min * 60 + p.Sec; }

// An action's argument control: enabled on the window colour, or disabled on the button face.
void SetActionControl(TControl* c, bool on)
{
    c->SetColor(on ? clWindow : clBtnFace);
    c->SetEnabled(on);
}

// The countdown captions for a power action named in the combo box.
struct TPowerChoice {
    const char* Text;
    const char* Button;
    const char* Sentence;
};
constexpr TPowerChoice PowerChoices[] = {
    {"ShutDown", "Shutdown", "Your Computer will be Shutdown in:"},
    {"Restart", "Restart", "Your Computer will be Restart in:"},
    {"LogOff", "LogOff", "Your Computer will be Logoff in:"},
};

const TPowerChoice* FindPowerChoice(const String& text)
{
    for (const TPowerChoice& c : PowerChoices)
        if (text == c.Text)
            return &c;
    return nullptr;
}

}  // namespace

TK_FORM_CLASS(TForm2)

// ---------------------------------------------------------------- showing and the check

void TForm2::FormShow(TObject*)
{
    TDateTime now = Now();
    MaskEdit1->SetCaption(FormatDateTime(MaskEdit2->Format(), now));
    MaskEdit2->SetTime(now);
    FTimeSetIn = WholeSecond(now, DecodeTime(now));
    Edit1->SetText(Form1->AppPath() + "Wav\\alarm.wav");
    Memo1->SetText(DefaultDescription);
}

void TForm2::MaskEdit2Change(TObject*)
{
    TDateTime now = Now();
    FTimeSetIn = WholeSecond(now, DecodeTime(now));
}

void TForm2::Timer1Timer(TObject*)
{
    TDateTime now = Now();
    MaskEdit1->SetCaption(FormatDateTime("hh:mm:ss", now));
    TTimeParts shown = DecodeTime(StrToTime(MaskEdit1->Caption()));
    int64_t second = WholeSecond(now, shown);
    int64_t reached = ReachedSecond(second, SecondOfDay(DecodeTime(MaskEdit2->Time())));
    FLastCheck = second;
    if (reached >= 0) {
        FLastMatch = reached;
        FActionsDue = true;
        Timer2->SetEnabled(true);
        SetArmedLook(false);
    } else if (!FActionsDue) {
        // A match still waiting for its action tick keeps the action timer on, whichever tick
        // comes first.
        Timer2->SetEnabled(false);
    }
}

int64_t TForm2::ReachedSecond(int64_t now, int alarmSecondOfDay) const
{
    // Normally just this second; after a late tick every second since the previous check, so a
    // skipped alarm second still counts. Longer gaps (sleep, a clock change) and a clock that
    // went back look at this second only.
    int64_t gap = FLastCheck < 0 ? 0 : now - FLastCheck;
    int64_t first = gap >= 1 && gap <= MaxCheckGap ? FLastCheck + 1 : now;
    for (int64_t s = first; s <= now; ++s) {
        // The second in which the alarm time was set is not one the clock reached.
        if (s % SecondsPerDay == alarmSecondOfDay && s != FTimeSetIn && s != FLastMatch)
            return s;
    }
    return -1;
}

void TForm2::SetArmedLook(bool armed)
{
    Label7->SetCaption(armed ? "Active" : "not Active");
    Label7->Font()->SetColor(armed ? clRed : clBlue);
    MaskEdit2->SetColor(armed ? clBtnFace : clWindow);
    MaskEdit2->SetEnabled(!armed);
    Button1->SetCaption(armed ? "Abort" : "Active");
}

void TForm2::Button1Click(TObject*) { SetArmedLook(Button1->Caption() == "Active"); }

// ---------------------------------------------------------------- the actions

void TForm2::Timer2Timer(TObject*)
{
    // One match, one chain: the tick takes the match it was armed for.
    Timer2->SetEnabled(false);
    if (!std::exchange(FActionsDue, false))
        return;
    RunActions();
}

void TForm2::RunActions()
{
    if (CheckBox1->Checked())
        PlaySound();
    if (CheckBox2->Checked())
        Launch();
    if (CheckBox3->Checked())
        PowerAction();
    ShowNote();
}

void TForm2::OpenAndPlay()
{
    Open->SetFileName(Edit1->Text());
    MediaPlayer1->SetFileName(Open->FileName());
    MediaPlayer1->Open();  // closes the device opened before
    MediaPlayer1->Play();  // plays on by itself
}

void TForm2::PlaySound()
{
    // A sound that can't be played is reported with its file, and the reminder still reaches
    // its note.
    try {
        try {
            OpenAndPlay();
        } catch (const Exception& e) {
            throw EMCIDeviceError("The alarm sound \"" + Edit1->Text() + "\" cannot be played: " + e.Message());
        }
    } catch (...) {
        Application->HandleException(this);
    }
}

void TForm2::Launch()
{
    // The shell's failures are silent; an empty name would open the current folder instead.
    String file = Edit2->Text();
    if (Trim(file).empty())
        return;
    ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm2::PowerAction()
{
    const TPowerChoice* choice = FindPowerChoice(ComboBox1->Text());
    if (!choice)
        return;
    using poweroff::Form3;
    auto* countdown = new poweroff::TForm3(nullptr);
    Form3 = countdown;
    // The window frees itself when it is cancelled (and clears Form3); otherwise it is ours.
    struct TFreeCountdown {
        poweroff::TForm3* Mine;
        ~TFreeCountdown()
        {
            if (Form3 == Mine)
                FreeAndNil(Form3);
        }
    } freeCountdown{countdown};
    countdown->Button1->SetCaption(choice->Button);
    countdown->Label1->SetCaption(choice->Sentence);
    countdown->ShowModal();
}

void TForm2::ShowNote()
{
    String description = Memo1->Text();
    Editor(description.c_str(), description.c_str());
}

// ---------------------------------------------------------------- the page's controls

void TForm2::CheckBox1Click(TObject*)
{
    bool on = CheckBox1->Checked();
    SetActionControl(Edit1, on);
    GradientButton3->SetEnabled(on);
    GradientButton5->SetEnabled(on);
}

void TForm2::CheckBox2Click(TObject*)
{
    bool on = CheckBox2->Checked();
    SetActionControl(Edit2, on);
    GradientButton4->SetEnabled(on);
}

void TForm2::CheckBox3Click(TObject*) { SetActionControl(ComboBox1, CheckBox3->Checked()); }

void TForm2::GradientButton3Click(TObject*)
{
    Open->SetFilter("all Suported|*.mp3;*.wav");
    if (Open->Execute())
        Edit1->SetText(Open->FileName());
}

void TForm2::GradientButton4Click(TObject*)
{
    Open->SetFilter("all|*.*");
    if (Open->Execute())
        Edit2->SetText(Open->FileName());
}

void TForm2::GradientButton5Click(TObject*)
{
    try {
        OpenAndPlay();
    } catch (...) {
        UIWarn("Warning", "Not Sound File are selected,please choose sound file before", "Ok");
    }
}

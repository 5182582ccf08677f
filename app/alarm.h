#pragma once
// Unit Alarm: the alarm page. One alarm lives in the controls of this form: the time of day in
// the picker, the description in the memo and three optional actions (a sound, a program or
// document to open, a power action after a countdown). A check once a second arms the action
// timer when the clock reaches the alarm time; the action tick runs the switched-on actions in
// a fixed order and ends with the description in the dialog library's note window.
#include <cstdint>

#include "forms.h"

class TPageControl;
class TTabSheet;
class TLabel;
class TMemo;
class TDateTimePicker;
class TGroupBox;
class TEdit;
class TGradientButton;
class TCheckBox;
class TComboBox;
class TButton;
class TMediaPlayer;
class TOpenDialog;
class TTimer;

// The description a new alarm starts with.
inline constexpr const char* DefaultDescription = "Its Time to...";

// A late check still fires an alarm whose second it skipped, when the gap since the previous
// check is at most this many seconds.
inline constexpr int MaxCheckGap = 10;

class TForm2 : public TForm {
    TK_CLASS(TForm2, TForm)
public:
    explicit TForm2(TComponent* owner);

    TPageControl* PageControl1 = nullptr;
    TTabSheet* Tabsheet1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* MaskEdit1 = nullptr;  // the current time
    TLabel* Label2 = nullptr;
    TDateTimePicker* MaskEdit2 = nullptr;  // the alarm time
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;  // "Active" / "not Active"
    TLabel* Label8 = nullptr;
    TMemo* Memo1 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TLabel* Label3 = nullptr;
    TEdit* Edit1 = nullptr;  // the sound file
    TGradientButton* GradientButton3 = nullptr;
    TGradientButton* GradientButton5 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TLabel* Label4 = nullptr;
    TEdit* Edit2 = nullptr;  // the program or document
    TGradientButton* GradientButton4 = nullptr;
    TCheckBox* CheckBox2 = nullptr;
    TLabel* Label5 = nullptr;
    TComboBox* ComboBox1 = nullptr;  // the power action
    TCheckBox* CheckBox3 = nullptr;
    TButton* Button1 = nullptr;  // "Active" / "Abort"
    TMediaPlayer* MediaPlayer1 = nullptr;
    TOpenDialog* Open = nullptr;
    TTimer* Timer1 = nullptr;  // the check
    TTimer* Timer2 = nullptr;  // the actions

    // Published handlers
    void FormShow(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void Timer2Timer(TObject* Sender);
    void Button1Click(TObject* Sender);
    void CheckBox1Click(TObject* Sender);
    void CheckBox2Click(TObject* Sender);
    void CheckBox3Click(TObject* Sender);
    void GradientButton3Click(TObject* Sender);
    void GradientButton4Click(TObject* Sender);
    void GradientButton5Click(TObject* Sender);
    // The user changed the alarm time: the second of the change does not count as reached.
    void MaskEdit2Change(TObject* Sender);

private:
    // The steps of the action tick, in their order.
    void RunActions();
    void PlaySound();
    void Launch();
    void PowerAction();
    void ShowNote();
    // Opens Edit1's file on the media player (through the file dialog's name) and plays it.
    void OpenAndPlay();
    // The second (of all seconds since the date-time epoch) in which the check finds the alarm
    // time reached, or -1.
    int64_t ReachedSecond(int64_t now, int alarmSecondOfDay) const;
    void SetArmedLook(bool armed);

    int64_t FLastCheck = -1;     // the second of the previous check
    int64_t FTimeSetIn = -1;     // the second in which the alarm time was set
    int64_t FLastMatch = -1;     // the second of the last match, which must not count twice
    bool FActionsDue = false;    // a match waits for the action tick
};

// The alarm form, made second at start-up.
extern TForm2* Form2;

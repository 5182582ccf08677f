#pragma once
// Unit Alarm: the alarm page. One alarm lives in the controls of this form: the time of day in
// the picker, the description in the memo and three optional actions (a sound, a program or
// document to open, a power action after a countdown). A check once a second arms the action
// timer when the clock reaches the alarm time; the action tick runs the switched-on actions in
// a fixed order and ends with the description in the dialog library's note window.
#include <cstdint>

#include "forms.h"

class TTabSheet;
class TLabel;
class TMemo;
class TDateTimePicker;
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

    TK_COMPONENT(TTabSheet, Tabsheet1);
    TK_COMPONENT(TLabel, MaskEdit1);  // the current time
    TK_COMPONENT(TDateTimePicker, MaskEdit2);  // the alarm time
    TK_COMPONENT(TLabel, Label7);  // "Active" / "not Active"
    TK_COMPONENT(TMemo, Memo1);
    TK_COMPONENT(TEdit, Edit1);  // the sound file
    TK_COMPONENT(TGradientButton, GradientButton3);
    TK_COMPONENT(TGradientButton, GradientButton5);
    TK_COMPONENT(TCheckBox, CheckBox1);
    TK_COMPONENT(TEdit, Edit2);  // the program or document
    TK_COMPONENT(TGradientButton, GradientButton4);
    TK_COMPONENT(TCheckBox, CheckBox2);
    TK_COMPONENT(TComboBox, ComboBox1);  // the power action
    TK_COMPONENT(TCheckBox, CheckBox3);
    TK_COMPONENT(TButton, Button1);  // "Active" / "Abort"
    TK_COMPONENT(TMediaPlayer, MediaPlayer1);
    TK_COMPONENT(TOpenDialog, Open);
    TK_COMPONENT(TTimer, Timer1);  // the check
    TK_COMPONENT(TTimer, Timer2);  // the actions

    // Published handlers
    TK_HANDLER(FormShow, TObject* Sender);
    TK_HANDLER(Timer1Timer, TObject* Sender);
    TK_HANDLER(Timer2Timer, TObject* Sender);
    TK_HANDLER(Button1Click, TObject* Sender);
    TK_HANDLER(CheckBox1Click, TObject* Sender);
    TK_HANDLER(CheckBox2Click, TObject* Sender);
    TK_HANDLER(CheckBox3Click, TObject* Sender);
    TK_HANDLER(GradientButton3Click, TObject* Sender);
    TK_HANDLER(GradientButton4Click, TObject* Sender);
    TK_HANDLER(GradientButton5Click, TObject* Sender);
    // The user changed the alarm time: the second of the change does not count as reached.
    TK_HANDLER(MaskEdit2Change, TObject* Sender);

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

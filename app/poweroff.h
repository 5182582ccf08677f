#pragma once
// Unit poweroff: the ten-second countdown the alarm shows before a forced shutdown, restart or
// log-off, and the call that performs the power action.
//
// Its names live in the namespace poweroff: the dialog library has a TForm3 of its own (the note
// window).
#include <windows.h>

#include "forms.h"

class TImage;
class TLabel;
class TButton;
class TTimer;

namespace poweroff {

// Enables the shutdown privilege where the platform has one (the NT family), then exits Windows
// with the ExitWindowsEx flags; true when the exit call succeeded.
bool ExitWindowsWithPrivilege(UINT Flags);

// The exit call itself: ExitWindowsEx unless a test has put its own in its place. Returns the
// one in place before; null puts the real call back.
using TExitWindowsFunc = BOOL(WINAPI*)(UINT Flags, DWORD Reason);
TExitWindowsFunc SetExitWindowsFunc(TExitWindowsFunc f);

// The ExitWindowsEx flags (always forced) for a countdown caption "Shutdown", "Restart" or
// "LogOff", compared exactly; false for any other caption.
bool PowerActionFlags(const String& Caption, UINT& Flags);

// Seconds the countdown starts from.
inline constexpr int CountdownSeconds = 10;

// The countdown window. Its creator sets Button1's caption to the action's name and Label1's to
// the sentence above the seconds, then shows it modally. It stays on top of every other window
// (its form file says so): a program the alarm launched just before must not hide Cancel.
class TForm3 : public TForm {
    TK_CLASS(TForm3, TForm)
public:
    explicit TForm3(TComponent* owner);

    TK_COMPONENT(TImage, Image1);
    TK_COMPONENT(TLabel, Label1);
    TK_COMPONENT(TLabel, Label2);
    TK_COMPONENT(TButton, Button1);
    TK_COMPONENT(TButton, Button2);
    TK_COMPONENT(TTimer, Timer1);

    // The action named by Button1's caption; nothing for another caption.
    void DoPowerAction();

    // Published handlers
    TK_HANDLER(FormCreate, TObject* Sender);
    TK_HANDLER(FormShow, TObject* Sender);
    TK_HANDLER(Timer1Timer, TObject* Sender);
    TK_HANDLER(Button1Click, TObject* Sender);
    TK_HANDLER(Button2Click, TObject* Sender);
    TK_HANDLER(FormClose, TObject* Sender, TCloseAction& Action);

private:
    int Counter = CountdownSeconds;  // seconds left
};

// The countdown window while it exists: set by its creator, cleared when the window closes.
extern TForm3* Form3;

}  // namespace poweroff

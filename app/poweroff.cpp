#include "poweroff.h"

#include "extctrls.h"
#include "main.h"
#include "stdctrls.h"
#include "timer.h"

namespace poweroff {

TForm3* Form3 = nullptr;

namespace {

TExitWindowsFunc gExitWindows = nullptr;

// The process token, closed again whatever happens.
class TTokenHandle {
public:
    TTokenHandle() = default;
    TTokenHandle(const TTokenHandle&) = delete;
    TTokenHandle& operator=(const TTokenHandle&) = delete;
    ~TTokenHandle()
    {
        if (FHandle)
            CloseHandle(FHandle);
    }
    HANDLE* Receive() { return &FHandle; }
    HANDLE Get() const { return FHandle; }

private:
    HANDLE FHandle = nullptr;
};

// The top bit of GetVersion is set on Windows 9x, which has no privileges.
bool IsNTFamily() { return (GetVersion() & 0x80000000u) == 0; }

// Enables SeShutdownPrivilege in the process token; a step that fails ends it silently.
void EnableShutdownPrivilege()
{
    TTokenHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive()))
        return;
    TOKEN_PRIVILEGES wanted{};
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &wanted.Privileges[0].Luid))
        return;
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    TOKEN_PRIVILEGES previous{};
    DWORD previousSize = 0;
    AdjustTokenPrivileges(token.Get(), FALSE, &wanted, sizeof previous, &previous, &previousSize);
}

}  // namespace

TExitWindowsFunc SetExitWindowsFunc(TExitWindowsFunc f)
{
    TExitWindowsFunc old = gExitWindows;
    gExitWindows = f;
    return old;
}

bool ExitWindowsWithPrivilege(UINT Flags)
{
    if (IsNTFamily())
        EnableShutdownPrivilege();
    TExitWindowsFunc exitWindows = gExitWindows ? gExitWindows : &ExitWindowsEx;
    return exitWindows(Flags, 0) != FALSE;
}

bool PowerActionFlags(const String& Caption, UINT& Flags)
{
    if (Caption == "Shutdown")
        Flags = EWX_SHUTDOWN | EWX_FORCE;
    else if (Caption == "Restart")
        Flags = EWX_REBOOT | EWX_FORCE;
    else if (Caption == "LogOff")
        Flags = EWX_LOGOFF | EWX_FORCE;
    else
        return false;
    return true;
}

TK_FORM_CLASS(TForm3)

void TForm3::FormCreate(TObject*)
{
    // The countdown starts when the window shows: never behind the error box of a missing
    // picture, which would let it reach zero and end the program unseen.
    Timer1->SetEnabled(false);
    // A missing or damaged picture reaches the error box; the countdown runs without it.
    Image1->Picture()->LoadFromFile(Form1->AppPath() + "Skins\\power.JPG");
}

void TForm3::FormShow(TObject*)
{
    Counter = CountdownSeconds;
    Timer1->SetEnabled(true);  // the first tick a second from now
}

void TForm3::Timer1Timer(TObject*)
{
    if (Counter <= 0)
        return;
    --Counter;
    Label2->SetCaption(IntToStr(Counter));
    if (Counter > 0)
        return;
    // Once: the timer stops before the action, so nothing can make it come round again.
    Timer1->SetEnabled(false);
    DoPowerAction();
    Application->Terminate();
}

void TForm3::DoPowerAction()
{
    UINT flags = 0;
    if (PowerActionFlags(Button1->Caption(), flags))
        ExitWindowsWithPrivilege(flags);
}

void TForm3::Button1Click(TObject*) { DoPowerAction(); }

void TForm3::Button2Click(TObject*) { Close(); }

void TForm3::FormClose(TObject*, TCloseAction& Action)
{
    Action = caFree;
    if (Form3 == this)
        Form3 = nullptr;
}

}  // namespace poweroff

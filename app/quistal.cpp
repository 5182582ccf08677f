// Quistal: the program. The application object starts, its title is set, the three forms are
// made in their order (the main window, the alarm, the desktop clock) and the message loop runs
// until the program ends.
#include <windows.h>

#include "alarm.h"
#include "apphooks.h"
#include "clock.h"
#include "main.h"
#include "skinmanager.h"

int ProgramMain()
{
    Application->Initialize();
    Application->SetTitle("Velmora");
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->CreateForm(FrmClock);
    Application->Run();
    return 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int result = 1;
    try {
        result = ProgramMain();
    } catch (...) {
        // A form that cannot be made: the error box says why, then the program ends.
        HandleCurrentException(nullptr);
    }
    DoneSkinManager();
    DoneApplication();
    return result;
}

#pragma once
// The program's start-up as the timing programs run it in their own process: the application
// object, its title, the three forms in their order, the main window shown in front; and the
// end, the forms freed before the skin manager and the application.
#include <windows.h>

#include "alarm.h"
#include "clock.h"
#include "main.h"
#include "skinmanager.h"

inline HWND StartProgramForms()
{
    Application->Initialize();
    Application->SetTitle("Velmora");
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->CreateForm(FrmClock);
    Form1->Show();
    const HWND h = Form1->Handle();
    SetForegroundWindow(h);
    return h;
}

inline void EndProgramForms()
{
    FreeAndNil(FrmClock);
    FreeAndNil(Form2);
    FreeAndNil(Form1);
    DoneSkinManager();
    DoneApplication();
}

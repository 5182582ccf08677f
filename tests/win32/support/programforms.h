#pragma once
// The program's three forms as its start-up makes them, and their end: freed in the opposite
// order, the application left without a main form for the next test.
#include "alarm.h"
#include "clock.h"
#include "main.h"

inline void CreateProgramForms()
{
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->CreateForm(FrmClock);
}

inline void FreeProgramForms()
{
    FreeAndNil(FrmClock);
    FreeAndNil(Form2);
    FreeAndNil(Form1);
    Application->SetMainForm(nullptr);
}

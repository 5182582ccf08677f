#pragma once
// The information message of the program: a standard message dialog in the program's look.
#include "sysutils.h"

// Shows `Msg` with the information icon and an OK button, modally; returns when it is closed.
void ShowInfoDialog(const String& Msg);

#pragma once
// Return and Escape in a dialog with an OK and a cancel button.
#include "controls.h"

// For a form's CM_DIALOGKEY: Return clicks `ok`, Escape clicks `cancel` (without Alt), whatever
// order the buttons would see the key in. True when the key was taken.
bool AnswerReturnEscape(TMessage& m, TControl* ok, TControl* cancel);

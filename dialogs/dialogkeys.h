#pragma once
// Return and Escape in a dialog with an OK and a cancel button.
#include "controls.h"
#include "forms.h"

// For a form's CM_DIALOGKEY: Return clicks `ok`, Escape clicks `cancel` (without Alt), whatever
// order the buttons would see the key in. True when the key was taken.
bool AnswerReturnEscape(TMessage& m, TControl* ok, TControl* cancel);

// A message dialog with one button: Escape closes it like the close box, as a user expects of
// a message, though its only button is not a Cancel button.
class TMessageForm : public TForm {
    TK_CLASS(TMessageForm, TForm)
public:
    using TForm::TForm;
    void Dispatch(TMessage& m) override;
};

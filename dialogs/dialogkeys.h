#pragma once
// What the library's dialogs share: the text every dialog but the note window shows, and Return
// and Escape with an OK and a cancel button.
#include "controls.h"
#include "forms.h"
#include "gradientbutton.h"
#include "stdctrls.h"

// For a form's CM_DIALOGKEY: Return clicks `ok`, Escape clicks `cancel` (without Alt), whatever
// order the buttons would see the key in. True when the key was taken.
bool AnswerReturnEscape(TMessage& m, TControl* ok, TControl* cancel);

// A dialog with its text (Label1), as every dialog but the note window shows one.
class TDialogForm : public TForm {
    TK_CLASS(TDialogForm, TForm)
public:
    using TForm::TForm;

    TK_COMPONENT(TLabel, Label1);
};

// A message dialog with one button: Escape closes it like the close box, as a user expects of
// a message, though its only button is not a Cancel button.
class TMessageForm : public TDialogForm {
    TK_CLASS(TMessageForm, TDialogForm)
public:
    using TDialogForm::TDialogForm;
    void Dispatch(TMessage& m) override;

    TK_COMPONENT(TGradientButton, GradientButton1);
};

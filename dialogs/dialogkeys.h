#pragma once
// What the library's dialogs share: the picture, the text and the bevel every dialog but the
// note window shows, and Return and Escape with an OK and a cancel button.
#include "controls.h"
#include "extctrls.h"
#include "forms.h"
#include "gradientbutton.h"
#include "stdctrls.h"

// For a form's CM_DIALOGKEY: Return clicks `ok`, Escape clicks `cancel` (without Alt), whatever
// order the buttons would see the key in. True when the key was taken.
bool AnswerReturnEscape(TMessage& m, TControl* ok, TControl* cancel);

// A dialog with its picture (Image1), its text (Label1) and the bevel below them (Bevel1).
class TDialogForm : public TForm {
    TK_CLASS(TDialogForm, TForm)
public:
    using TForm::TForm;

    TK_COMPONENT(TImage, Image1);
    TK_COMPONENT(TLabel, Label1);
    TK_COMPONENT(TBevel, Bevel1);
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

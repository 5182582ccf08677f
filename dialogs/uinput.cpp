#include "uinput.h"

TK_FORM_CLASS(TFInput)

void TFInput::Dispatch(TMessage& m)
{
    if (AnswerReturnEscape(m, x1, x2))
        return;
    TDialogForm::Dispatch(m);
}

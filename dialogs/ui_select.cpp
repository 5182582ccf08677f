#include "ui_select.h"

TK_FORM_CLASS(TFSelect)

void TFSelect::Dispatch(TMessage& m)
{
    if (AnswerReturnEscape(m, GradientButton2, GradientButton1))
        return;
    TDialogForm::Dispatch(m);
}

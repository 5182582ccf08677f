#include "ui_select.h"

const TClassInfo& TFSelect::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFSelect>("TFSelect", &TDialogForm::StaticClass()).Build();
    return info;
}

TFSelect::TFSelect(TComponent* owner) : TDialogForm(owner)
{
    InitForm();
}

void TFSelect::Dispatch(TMessage& m)
{
    if (AnswerReturnEscape(m, GradientButton2, GradientButton1))
        return;
    TDialogForm::Dispatch(m);
}

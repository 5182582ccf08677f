#include "ui_select.h"

#include "dialogkeys.h"

const TClassInfo& TFSelect::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFSelect>("TFSelect", &TForm::StaticClass()).Build();
    return info;
}

TFSelect::TFSelect(TComponent* owner) : TForm(owner)
{
    InitForm();
}

void TFSelect::Dispatch(TMessage& m)
{
    if (AnswerReturnEscape(m, GradientButton2, GradientButton1))
        return;
    TForm::Dispatch(m);
}

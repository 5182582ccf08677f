#include "uinput.h"

const TClassInfo& TFInput::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFInput>("TFInput", &TDialogForm::StaticClass()).Build();
    return info;
}

TFInput::TFInput(TComponent* owner) : TDialogForm(owner)
{
    InitForm();
}

void TFInput::Dispatch(TMessage& m)
{
    if (AnswerReturnEscape(m, x1, x2))
        return;
    TDialogForm::Dispatch(m);
}

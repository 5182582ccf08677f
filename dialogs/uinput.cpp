#include "uinput.h"

#include "dialogkeys.h"

const TClassInfo& TFInput::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFInput>("TFInput", &TForm::StaticClass()).Build();
    return info;
}

TFInput::TFInput(TComponent* owner) : TForm(owner)
{
    InitForm();
}

void TFInput::Dispatch(TMessage& m)
{
    if (AnswerReturnEscape(m, x1, x2))
        return;
    TForm::Dispatch(m);
}

#include "uinput.h"

#include "dialogkeys.h"

const TClassInfo& TFInput::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFInput>("TFInput", &TForm::StaticClass()).Build();
    return info;
}

TFInput::TFInput(TComponent* owner) : TForm(owner)
{
    Bind(Image1, "Image1");
    Bind(Label1, "Label1");
    Bind(Bevel1, "Bevel1");
    Bind(Edit1, "Edit1");
    Bind(x1, "x1");
    Bind(x2, "x2");
    InitForm();
}

void TFInput::Dispatch(TMessage& m)
{
    if (AnswerReturnEscape(m, x1, x2))
        return;
    TForm::Dispatch(m);
}

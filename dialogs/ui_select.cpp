#include "ui_select.h"

#include "dialogkeys.h"

const TClassInfo& TFSelect::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFSelect>("TFSelect", &TForm::StaticClass()).Build();
    return info;
}

TFSelect::TFSelect(TComponent* owner) : TForm(owner)
{
    Bind(Image1, "Image1");
    Bind(Label1, "Label1");
    Bind(Bevel1, "Bevel1");
    Bind(cbSel, "cbSel");
    Bind(GradientButton1, "GradientButton1");
    Bind(GradientButton2, "GradientButton2");
    InitForm();
}

void TFSelect::Dispatch(TMessage& m)
{
    if (AnswerReturnEscape(m, GradientButton2, GradientButton1))
        return;
    TForm::Dispatch(m);
}

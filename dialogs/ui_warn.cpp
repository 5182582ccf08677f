#include "ui_warn.h"

const TClassInfo& TFWarn::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFWarn>("TFWarn", &TMessageForm::StaticClass()).Build();
    return info;
}

TFWarn::TFWarn(TComponent* owner) : TMessageForm(owner)
{
    Bind(Image1, "Image1");
    Bind(Label1, "Label1");
    Bind(Bevel1, "Bevel1");
    Bind(GradientButton1, "GradientButton1");
    InitForm();
}

#include "ui_info.h"

const TClassInfo& TFInfo::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFInfo>("TFInfo", &TMessageForm::StaticClass()).Build();
    return info;
}

TFInfo::TFInfo(TComponent* owner) : TMessageForm(owner)
{
    Bind(Image1, "Image1");
    Bind(Label1, "Label1");
    Bind(Bevel1, "Bevel1");
    Bind(GradientButton1, "GradientButton1");
    InitForm();
}

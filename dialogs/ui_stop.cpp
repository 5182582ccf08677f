#include "ui_stop.h"

const TClassInfo& TFSTop::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFSTop>("TFSTop", &TMessageForm::StaticClass()).Build();
    return info;
}

TFSTop::TFSTop(TComponent* owner) : TMessageForm(owner)
{
    Bind(Image1, "Image1");
    Bind(Label1, "Label1");
    Bind(Bevel1, "Bevel1");
    Bind(GradientButton1, "GradientButton1");
    InitForm();
}

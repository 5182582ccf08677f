#include "ui_stop.h"

const TClassInfo& TFSTop::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFSTop>("TFSTop", &TMessageForm::StaticClass()).Build();
    return info;
}

TFSTop::TFSTop(TComponent* owner) : TMessageForm(owner)
{
    InitForm();
}

#include "ui_warn.h"

const TClassInfo& TFWarn::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFWarn>("TFWarn", &TMessageForm::StaticClass()).Build();
    return info;
}

TFWarn::TFWarn(TComponent* owner) : TMessageForm(owner)
{
    InitForm();
}

#include "ui_info.h"

const TClassInfo& TFInfo::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFInfo>("TFInfo", &TMessageForm::StaticClass()).Build();
    return info;
}

TFInfo::TFInfo(TComponent* owner) : TMessageForm(owner)
{
    InitForm();
}

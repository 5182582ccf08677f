#include "teststreamform.h"

const TClassInfo& TStreamForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStreamForm>("TStreamForm", &TForm::StaticClass()).Build();
    return info;
}

TStreamForm::TStreamForm(TComponent* owner) : TForm(owner)
{
    InitForm();
}

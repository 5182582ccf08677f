#include "ui_askyesno.h"

const TClassInfo& TFYesNoi::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFYesNoi>("TFYesNoi", &TDialogForm::StaticClass()).Build();
    return info;
}

TFYesNoi::TFYesNoi(TComponent* owner) : TDialogForm(owner)
{
    InitForm();
}

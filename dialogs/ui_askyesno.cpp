#include "ui_askyesno.h"

const TClassInfo& TFYesNoi::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFYesNoi>("TFYesNoi", &TForm::StaticClass()).Build();
    return info;
}

TFYesNoi::TFYesNoi(TComponent* owner) : TForm(owner)
{
    InitForm();
}

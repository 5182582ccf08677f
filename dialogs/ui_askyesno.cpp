#include "ui_askyesno.h"

const TClassInfo& TFYesNoi::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFYesNoi>("TFYesNoi", &TForm::StaticClass()).Build();
    return info;
}

TFYesNoi::TFYesNoi(TComponent* owner) : TForm(owner)
{
    Bind(Image1, "Image1");
    Bind(Label1, "Label1");
    Bind(Bevel1, "Bevel1");
    Bind(x1, "x1");
    Bind(x2, "x2");
    InitForm();
}

#include "teststreamform.h"

const TClassInfo& TStreamForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStreamForm>("TStreamForm", &TForm::StaticClass())
                                       .Handler("FormCreate", &TStreamForm::FormCreate)
                                       .Handler("FormShow", &TStreamForm::FormShow)
                                       .Handler("NameEditChange", &TStreamForm::NameEditChange)
                                       .Handler("Check1Click", &TStreamForm::Check1Click)
                                       .Handler("OkButtonClick", &TStreamForm::OkButtonClick)
                                       .Build();
    return info;
}

TStreamForm::TStreamForm(TComponent* owner) : TForm(owner)
{
    Bind(NameLabel, "NameLabel");
    Bind(NameEdit, "NameEdit");
    Bind(Check1, "Check1");
    Bind(ButtonPanel, "ButtonPanel");
    Bind(OkButton, "OkButton");
    Bind(CancelButton, "CancelButton");
    InitForm();
}

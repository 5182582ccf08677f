#pragma once
// The form of forms/streamform.form: nested controls, events bound by name, a caption with an
// 0xA0 byte. Its handlers log what happened.
#include <vector>

#include "stdctrls.h"

class TStreamForm : public TForm {
    TK_CLASS(TStreamForm, TForm)
public:
    explicit TStreamForm(TComponent* owner);

    TK_COMPONENT(TLabel, NameLabel);
    TK_COMPONENT(TEdit, NameEdit);
    TK_COMPONENT(TCheckBox, Check1);
    TK_COMPONENT(TPanel, ButtonPanel);
    TK_COMPONENT(TButton, OkButton);
    TK_COMPONENT(TButton, CancelButton);
    std::vector<String> Log;

    TK_HANDLER(FormCreate, TObject*) { Log.push_back("create " + NameEdit->Text()); }
    TK_HANDLER(FormShow, TObject*) { Log.push_back("show"); }
    TK_HANDLER(NameEditChange, TObject*) { Log.push_back("change " + NameEdit->Text()); }
    TK_HANDLER(Check1Click, TObject*) { Log.push_back(String("check ") + (Check1->Checked() ? "on" : "off")); }
    TK_HANDLER(OkButtonClick, TObject*) { Log.push_back("ok " + IntToStr(ModalResult())); }
};

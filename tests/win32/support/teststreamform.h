#pragma once
// The form of forms/streamform.form: nested controls, events bound by name, a caption with an
// 0xA0 byte. Its handlers log what happened.
#include <vector>

#include "stdctrls.h"

class TStreamForm : public TForm {
    TK_CLASS(TStreamForm, TForm)
public:
    explicit TStreamForm(TComponent* owner);

    TLabel* NameLabel = nullptr;
    TEdit* NameEdit = nullptr;
    TCheckBox* Check1 = nullptr;
    TPanel* ButtonPanel = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;
    std::vector<String> Log;

    void FormCreate(TObject*) { Log.push_back("create " + NameEdit->Text()); }
    void FormShow(TObject*) { Log.push_back("show"); }
    void NameEditChange(TObject*) { Log.push_back("change " + NameEdit->Text()); }
    void Check1Click(TObject*) { Log.push_back(String("check ") + (Check1->Checked() ? "on" : "off")); }
    void OkButtonClick(TObject*) { Log.push_back("ok " + IntToStr(ModalResult())); }
};

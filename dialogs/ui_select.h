#pragma once
// TFSelect (unit UI_Select): the choice of UIShowSelect. cbSel lists the items (owner-drawn,
// fixed height); GradientButton2 is OK (1), GradientButton1 cancels (2). Return always means OK
// and Escape always cancel, whichever button would see the key first.
#include "combobox.h"
#include "extctrls.h"
#include "gradientbutton.h"
#include "stdctrls.h"

class TFSelect : public TForm {
    TK_CLASS(TFSelect, TForm)
public:
    explicit TFSelect(TComponent* owner);

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TComboBox* cbSel = nullptr;
    TGradientButton* GradientButton1 = nullptr;
    TGradientButton* GradientButton2 = nullptr;

    void Dispatch(TMessage& m) override;
};

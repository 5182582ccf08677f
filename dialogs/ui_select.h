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

    TK_COMPONENT(TImage, Image1);
    TK_COMPONENT(TLabel, Label1);
    TK_COMPONENT(TBevel, Bevel1);
    TK_COMPONENT(TComboBox, cbSel);
    TK_COMPONENT(TGradientButton, GradientButton1);
    TK_COMPONENT(TGradientButton, GradientButton2);

    void Dispatch(TMessage& m) override;
};

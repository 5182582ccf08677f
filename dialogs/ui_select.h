#pragma once
// TFSelect (unit UI_Select): the choice of UIShowSelect. cbSel lists the items (owner-drawn,
// fixed height); GradientButton2 is OK (1), GradientButton1 cancels (2). Return always means OK
// and Escape always cancel, whichever button would see the key first.
#include "combobox.h"
#include "dialogkeys.h"

class TFSelect : public TDialogForm {
    TK_CLASS(TFSelect, TDialogForm)
public:
    explicit TFSelect(TComponent* owner);

    TK_COMPONENT(TComboBox, cbSel);
    TK_COMPONENT(TGradientButton, GradientButton1);
    TK_COMPONENT(TGradientButton, GradientButton2);

    void Dispatch(TMessage& m) override;
};

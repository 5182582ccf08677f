#pragma once
// TFInput (unit UInput): the line of text of UIInput. x1 is OK (1), x2 cancels (7). Return
// always means OK and Escape always cancel, whichever button would see the key first.
#include "dialogkeys.h"

class TFInput : public TDialogForm {
    TK_CLASS(TFInput, TDialogForm)
public:
    explicit TFInput(TComponent* owner);

    TK_COMPONENT(TEdit, Edit1);
    TK_COMPONENT(TGradientButton, x1);
    TK_COMPONENT(TGradientButton, x2);

    void Dispatch(TMessage& m) override;
};

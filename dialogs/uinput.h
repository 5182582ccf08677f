#pragma once
// TFInput (unit UInput): the line of text of UIInput. x1 is OK (1), x2 cancels (7). Return
// always means OK and Escape always cancel, whichever button would see the key first.
#include "extctrls.h"
#include "gradientbutton.h"
#include "stdctrls.h"

class TFInput : public TForm {
    TK_CLASS(TFInput, TForm)
public:
    explicit TFInput(TComponent* owner);

    TK_COMPONENT(TImage, Image1);
    TK_COMPONENT(TLabel, Label1);
    TK_COMPONENT(TBevel, Bevel1);
    TK_COMPONENT(TEdit, Edit1);
    TK_COMPONENT(TGradientButton, x1);
    TK_COMPONENT(TGradientButton, x2);

    void Dispatch(TMessage& m) override;
};

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

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TEdit* Edit1 = nullptr;
    TGradientButton* x1 = nullptr;
    TGradientButton* x2 = nullptr;

    void Dispatch(TMessage& m) override;
};

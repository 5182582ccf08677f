#pragma once
// TFYesNoi (unit UI_AskYesno): the yes/no question of UIAskYesNo. x1 answers 6, x2 (the Cancel
// button, so also Escape) answers 7.
#include "extctrls.h"
#include "gradientbutton.h"
#include "stdctrls.h"

class TFYesNoi : public TForm {
    TK_CLASS(TFYesNoi, TForm)
public:
    explicit TFYesNoi(TComponent* owner);

    TK_COMPONENT(TImage, Image1);
    TK_COMPONENT(TLabel, Label1);
    TK_COMPONENT(TBevel, Bevel1);
    TK_COMPONENT(TGradientButton, x1);
    TK_COMPONENT(TGradientButton, x2);
};

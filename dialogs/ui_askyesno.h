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

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TGradientButton* x1 = nullptr;
    TGradientButton* x2 = nullptr;
};

#pragma once
// TFYesNoi (unit UI_AskYesno): the yes/no question of UIAskYesNo. x1 answers 6, x2 (the Cancel
// button, so also Escape) answers 7.
#include "dialogkeys.h"

class TFYesNoi : public TDialogForm {
    TK_CLASS(TFYesNoi, TDialogForm)
public:
    explicit TFYesNoi(TComponent* owner);

    TK_COMPONENT(TGradientButton, x1);
    TK_COMPONENT(TGradientButton, x2);
};

#pragma once
// TFSTop: the stop message of UIStop (unit UI_Stop).
#include "dialogkeys.h"
#include "extctrls.h"
#include "gradientbutton.h"
#include "stdctrls.h"

class TFSTop : public TMessageForm {
    TK_CLASS(TFSTop, TMessageForm)
public:
    explicit TFSTop(TComponent* owner);

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TGradientButton* GradientButton1 = nullptr;
};

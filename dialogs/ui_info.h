#pragma once
// TFInfo: the information message of UIInfo (unit UI_Info).
#include "dialogkeys.h"
#include "extctrls.h"
#include "gradientbutton.h"
#include "stdctrls.h"

class TFInfo : public TMessageForm {
    TK_CLASS(TFInfo, TMessageForm)
public:
    explicit TFInfo(TComponent* owner);

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TGradientButton* GradientButton1 = nullptr;
};

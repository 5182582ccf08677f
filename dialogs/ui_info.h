#pragma once
// TFInfo: the information message of UIInfo (unit UI_Info).
#include "extctrls.h"
#include "gradientbutton.h"
#include "stdctrls.h"

class TFInfo : public TForm {
    TK_CLASS(TFInfo, TForm)
public:
    explicit TFInfo(TComponent* owner);

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TGradientButton* GradientButton1 = nullptr;
};

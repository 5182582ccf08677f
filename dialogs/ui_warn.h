#pragma once
// TFWarn: the warning message of UIWarn (unit UI_warn).
#include "dialogkeys.h"
#include "extctrls.h"
#include "gradientbutton.h"
#include "stdctrls.h"

class TFWarn : public TMessageForm {
    TK_CLASS(TFWarn, TMessageForm)
public:
    explicit TFWarn(TComponent* owner);

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TGradientButton* GradientButton1 = nullptr;
};

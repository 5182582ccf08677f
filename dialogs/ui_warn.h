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

    TK_COMPONENT(TImage, Image1);
    TK_COMPONENT(TLabel, Label1);
    TK_COMPONENT(TBevel, Bevel1);
    TK_COMPONENT(TGradientButton, GradientButton1);
};

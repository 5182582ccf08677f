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

    TK_COMPONENT(TImage, Image1);
    TK_COMPONENT(TLabel, Label1);
    TK_COMPONENT(TBevel, Bevel1);
    TK_COMPONENT(TGradientButton, GradientButton1);
};

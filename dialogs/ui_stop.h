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

    TK_COMPONENT(TImage, Image1);
    TK_COMPONENT(TLabel, Label1);
    TK_COMPONENT(TBevel, Bevel1);
    TK_COMPONENT(TGradientButton, GradientButton1);
};

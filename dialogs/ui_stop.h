#pragma once
// TFSTop: the stop message of UIStop (unit UI_Stop).
#include "extctrls.h"
#include "gradientbutton.h"
#include "stdctrls.h"

class TFSTop : public TForm {
    TK_CLASS(TFSTop, TForm)
public:
    explicit TFSTop(TComponent* owner);

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TGradientButton* GradientButton1 = nullptr;
};

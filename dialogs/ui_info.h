#pragma once
// TFInfo: the information message of UIInfo (unit UI_Info).
#include "dialogkeys.h"

class TFInfo : public TMessageForm {
    TK_CLASS(TFInfo, TMessageForm)
public:
    explicit TFInfo(TComponent* owner);
};

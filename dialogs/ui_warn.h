#pragma once
// TFWarn: the warning message of UIWarn (unit UI_warn).
#include "dialogkeys.h"

class TFWarn : public TMessageForm {
    TK_CLASS(TFWarn, TMessageForm)
public:
    explicit TFWarn(TComponent* owner);
};

#pragma once
// TFSTop: the stop message of UIStop (unit UI_Stop).
#include "dialogkeys.h"

class TFSTop : public TMessageForm {
    TK_CLASS(TFSTop, TMessageForm)
public:
    explicit TFSTop(TComponent* owner);
};

#include "ui_warn.h"

TK_FORM_CLASS(TFWarn)

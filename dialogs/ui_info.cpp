#include "ui_info.h"

TK_FORM_CLASS(TFInfo)

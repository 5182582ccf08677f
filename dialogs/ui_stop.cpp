#include "ui_stop.h"

TK_FORM_CLASS(TFSTop)

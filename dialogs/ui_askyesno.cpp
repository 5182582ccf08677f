#include "ui_askyesno.h"

TK_FORM_CLASS(TFYesNoi)

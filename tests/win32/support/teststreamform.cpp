#include "teststreamform.h"

TK_FORM_CLASS(TStreamForm)

#pragma once
// The controls beyond the first standard ones: memo and rich edit, combo box, group box, page
// control, status bar, track bar and date-time picker. Each lives in its own file pair; this
// header brings them together with what they share.
#include "combobox.h"
#include "datetimepicker.h"
#include "groupbox.h"
#include "memo.h"
#include "pagecontrol.h"
#include "statusbar.h"
#include "trackbar.h"

// Registers the classes above for form files (RegisterStandardClasses calls it).
void RegisterCommonControls();

// Makes the common-control window classes (track bar, tabs, status bar, date-time picker)
// available in this process; cheap after the first call.
void InitCommonControlClasses();

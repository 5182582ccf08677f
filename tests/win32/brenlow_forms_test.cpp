// Every form file of the dialog library, checked against the classes that stream it.
#include <gtest/gtest.h>

#include "formfiles.h"
#include "memoeditor.h"
#include "ui_askyesno.h"
#include "ui_info.h"
#include "ui_select.h"
#include "ui_stop.h"
#include "ui_tips.h"
#include "ui_warn.h"
#include "uinput.h"

namespace {

TEST(BrenlowFormFiles, EveryDialogFormIsClean)
{
    ExpectFormFilesClean("..\\..\\dialogs",
                         {&memoeditor::TForm3::StaticClass(), &TFInput::StaticClass(), &TFSelect::StaticClass(),
                          &TFTip::StaticClass(), &TFYesNoi::StaticClass(), &TFSTop::StaticClass(),
                          &TFInfo::StaticClass(), &TFWarn::StaticClass()});
}

}  // namespace

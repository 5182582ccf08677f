// Every form file of the dialog library, checked against the classes that stream it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "formfile.h"
#include "memoeditor.h"
#include "ui_askyesno.h"
#include "ui_info.h"
#include "ui_select.h"
#include "ui_stop.h"
#include "ui_tips.h"
#include "ui_warn.h"
#include "uinput.h"

namespace {

void ExpectClean(const String& name, const TClassInfo& cls)
{
    String path = "../../dialogs/" + name;
    std::ifstream f(path, std::ios::binary);
    ASSERT_TRUE(f.good()) << "cannot open " << path;
    std::stringstream s;
    s << f.rdbuf();
    try {
        CheckFormText(s.str(), path, cls);
    } catch (const Exception& e) {
        ADD_FAILURE() << e.Message();
    }
}

TEST(BrenlowFormFiles, EveryDialogFormIsClean)
{
    ExpectClean("memoeditor.form", memoeditor::TForm3::StaticClass());
    ExpectClean("uinput.form", TFInput::StaticClass());
    ExpectClean("ui_select.form", TFSelect::StaticClass());
    ExpectClean("ui_tips.form", TFTip::StaticClass());
    ExpectClean("ui_askyesno.form", TFYesNoi::StaticClass());
    ExpectClean("ui_stop.form", TFSTop::StaticClass());
    ExpectClean("ui_info.form", TFInfo::StaticClass());
    ExpectClean("ui_warn.form", TFWarn::StaticClass());
}

}  // namespace

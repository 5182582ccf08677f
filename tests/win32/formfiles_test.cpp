// Every form file of the program, checked against the classes that stream it: a misspelt
// property, handler or class name, or a value of the wrong kind, fails here with its file and
// line instead of reaching a user as an error box at start-up.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "alarm.h"
#include "clock.h"
#include "formfile.h"
#include "main.h"
#include "poweroff.h"

namespace {

String ReadFile(const String& path)
{
    std::ifstream f(path, std::ios::binary);
    EXPECT_TRUE(f.good()) << "cannot open " << path;
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void ExpectClean(const String& path, const TClassInfo& cls)
{
    try {
        CheckFormText(ReadFile(path), path, cls);
    } catch (const Exception& e) {
        ADD_FAILURE() << e.Message();
    }
}

TEST(FormFiles, TheProgramsFormsAreClean)
{
    ExpectClean("../../app/main.form", TForm1::StaticClass());
    ExpectClean("../../app/alarm.form", TForm2::StaticClass());
    ExpectClean("../../app/poweroff.form", poweroff::TForm3::StaticClass());
    ExpectClean("../../app/clock.form", TFrmClock::StaticClass());
}

TEST(FormFiles, AFaultNamesItsFileAndLine)
{
    String text = ReadFile("../../app/clock.form");
    size_t at = text.find("\n", text.find("object"));
    text.insert(at + 1, "  Colour = clBlack\n");
    try {
        CheckFormText(text, "clock.form", TFrmClock::StaticClass());
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("clock.form(2): Property does not exist 'Colour'"), String::npos) << e.Message();
    }
}

}  // namespace

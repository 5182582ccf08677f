// Every form file of the program, checked against the classes that stream it: a misspelt
// property, handler, component or class name, or a value of the wrong kind, fails here with its
// file and line instead of reaching a user as an error box at start-up.
#include <gtest/gtest.h>

#include "alarm.h"
#include "clock.h"
#include "formfile.h"
#include "formfiles.h"
#include "main.h"
#include "poweroff.h"

namespace {

TEST(FormFiles, TheProgramsFormsAreClean)
{
    ExpectFormFilesClean("..\\..\\app", {&TForm1::StaticClass(), &TForm2::StaticClass(),
                                           &poweroff::TForm3::StaticClass(), &TFrmClock::StaticClass()});
}

TEST(FormFiles, AFaultNamesItsFileAndLine)
{
    String text = ReadTextFile("../../app/clock.form");
    size_t at = text.find("\n", text.find("object"));
    text.insert(at + 1, "  Colour = clBlack\n");
    try {
        CheckFormText(text, "clock.form", TFrmClock::StaticClass());
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("clock.form(2): Property does not exist 'Colour'"), String::npos) << e.Message();
    }
}

TEST(FormFiles, FieldsAndReferencesNameComponentsTheFileHas)
{
    const String text = ReadTextFile("../../app/main.form");
    struct {
        const char* From;
        const char* To;
        const char* Fault;
    } cases[] = {
        {"object TrayIcon1: TTrayIcon", "object TrayIcon2: TTrayIcon", "Component of a field not found 'TrayIcon1'"},
        {"object TabSheet2: TTabSheet", "object TabSheet2: TPanel", "Component is not a TTabSheet 'TabSheet2'"},
        {"ActivePage = TabSheet1", "ActivePage = TabSheet7", "Component not found 'TabSheet7'"},
    };
    for (const auto& c : cases) {
        String changed = text;
        const size_t at = changed.find(c.From);
        ASSERT_NE(at, String::npos) << c.From;
        changed.replace(at, String(c.From).size(), c.To);
        try {
            CheckFormText(changed, "main.form", TForm1::StaticClass());
            ADD_FAILURE() << "no error for " << c.To;
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find(c.Fault), String::npos) << e.Message();
        }
    }
}

}  // namespace

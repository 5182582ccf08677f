#include "formfiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <vector>
#include <sstream>

#include "formfile.h"

namespace {

std::vector<String> FormFilesIn(const String& folder)
{
    std::vector<String> files;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*.form").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do
        files.push_back(folder + "\\" + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

}  // namespace

String ReadTextFile(const String& path)
{
    std::ifstream f(path, std::ios::binary);
    EXPECT_TRUE(f.good()) << "cannot open " << path;
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void ExpectFormFilesClean(const String& folder, std::initializer_list<const TClassInfo*> classes)
{
    const std::vector<String> files = FormFilesIn(folder);
    EXPECT_FALSE(files.empty()) << "no form files in " << folder;
    std::set<const TClassInfo*> checked;
    for (const String& path : files) {
        try {
            const String text = ReadTextFile(path);
            const String className = ParseFormText(text, path).ClassName;
            const TClassInfo* cls = nullptr;
            for (const TClassInfo* c : classes)
                if (SameText(c->Name, className))
                    cls = c;
            if (!cls) {
                ADD_FAILURE() << path << ": no form class " << className << " to check it against";
                continue;
            }
            checked.insert(cls);
            CheckFormText(text, path, *cls);
        } catch (const Exception& e) {
            ADD_FAILURE() << e.Message();
        }
    }
    for (const TClassInfo* c : classes)
        EXPECT_TRUE(checked.count(c)) << "no form file in " << folder << " for " << c->Name;
}

#include "themeskins.h"

#include <cstdlib>

namespace {

String WinePath(const String& path) { return path[0] == '/' ? "Z:" + path : path; }

String TreeRoot()
{
    const String here = __FILE__;
    return here.substr(0, here.rfind("tests/win32/"));
}

}  // namespace

String ThemeSkinPath(const char* file)
{
    const char* env = std::getenv("VELMORA_SKINS_DIR");
    const String dir = env ? String(env) : TreeRoot() + "build/native/Skins";
    return WinePath(dir + "/" + file);
}

String TreePath(const String& relative) { return WinePath(TreeRoot() + relative); }

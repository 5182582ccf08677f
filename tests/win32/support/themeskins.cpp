#include "themeskins.h"

#include <cstdlib>

String ThemeSkinPath(const char* file)
{
    String dir;
    if (const char* env = std::getenv("VELMORA_SKINS_DIR")) {
        dir = env;
    } else {
        const String here = __FILE__;
        dir = here.substr(0, here.rfind("tests/win32/")) + "build/native/Skins";
    }
    String path = dir + "/" + file;
    if (path[0] == '/')
        path = "Z:" + path;
    return path;
}

#pragma once
#include "sysutils.h"

// A theme skin made by the native build: VELMORA_SKINS_DIR names its folder, else
// build/native/Skins of this tree (scripts/build makes it before the Win32 build). Unix paths
// reach the file through Wine's drive Z:.
String ThemeSkinPath(const char* file);

// A file or folder of this source tree, as the Win32 side sees it.
String TreePath(const String& relative);

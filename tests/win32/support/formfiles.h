#pragma once
// The form files of one folder of the tree, each checked against its form class.
#include <initializer_list>

#include "object.h"

// The text of a file, read relative to the test's working folder.
String ReadTextFile(const String& path);

// Checks every *.form file in `folder` with CheckFormText against the class its root object
// names, found among `classes` (the module's form classes). A file whose class is not among
// them fails, and so does a class without a file: neither list can be left behind.
void ExpectFormFilesClean(const String& folder, std::initializer_list<const TClassInfo*> classes);

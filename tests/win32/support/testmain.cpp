// The test program's main: the program's own application object, initialised as a program
// initialises it, then every test.
#include "guitest.h"

namespace {

// Without a window manager Wine waits two seconds for every window it hides, unless its windows
// are unmanaged. This must happen before the first window exists.
void UseUnmanagedWindowsUnderWine()
{
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
        return;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
}

}  // namespace

int main(int argc, char** argv)
{
    UseUnmanagedWindowsUnderWine();
    testing::InitGoogleTest(&argc, argv);
    Application->Initialize();
    Application->SetTitle("Toolkit tests");
    RecordExceptions();
    int result = RUN_ALL_TESTS();
    DoneApplication();
    return result;
}

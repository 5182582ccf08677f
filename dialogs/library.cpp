// The module start of Brenlow.dll. Loading the library creates its own application object and
// screen (the toolkit does that for every module); the first export to run initialises the
// application, since windows must not be made while the loader runs DllMain.
#include "library.h"

#include <windows.h>

#include "forms.h"
#include "gradientbutton.h"
#include "skinmanager.h"

void StartLibrary()
{
    if (!Application)
        throw EInvalidOperation("The dialog library has been shut down");
    Application->Initialize();
    RegisterGradientButton();
}

void PassOnQuit() noexcept
{
    if (Application && Application->Terminated()) {
        Application->CancelTerminate();
        PostQuitMessage(0);
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    // Unloaded by FreeLibrary (not at process end, when other modules may be gone already): the
    // windows, whose procedures live in this module, go now.
    if (reason == DLL_PROCESS_DETACH && !reserved) {
        DoneSkinManager();
        DoneApplication();
    }
    return TRUE;
}

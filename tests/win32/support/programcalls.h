#pragma once
// What the program asks of the dialog library and of the shell, written down call by call while
// a TProgramCalls lives: the function's name, then each argument as text ("(null)" for a null
// pointer). The library's dialogs still show; the shell is asked only when the test says so
// (the maker's web page must not really open in a test).
#include <shellapi.h>

#include <vector>

#include "brenlow.h"
#include "importspy.h"
#include "sysutils.h"

using TCalls = std::vector<std::vector<String>>;

class TProgramCalls {
public:
    explicit TProgramCalls(bool realShell)
    {
        Calls().clear();
        RealShell() = realShell ? FShell.Original<TShellExecute>() : nullptr;
        RealAsk() = FAsk.Original<TAskYesNo>();
        RealWarn() = FWarn.Original<TWarn>();
    }
    static TCalls& Calls()
    {
        static TCalls calls;
        return calls;
    }

private:
    using TAskYesNo = int(BRENLOW_CALL*)(const char*, const char*, const char*, const char*);
    using TWarn = bool(BRENLOW_CALL*)(const char*, const char*, const char*);
    using TShellExecute = HINSTANCE(WINAPI*)(HWND, const char*, const char*, const char*, const char*, int);

    static String Text(const char* s) { return s ? s : "(null)"; }
    static TAskYesNo& RealAsk()
    {
        static TAskYesNo f = nullptr;
        return f;
    }
    static TWarn& RealWarn()
    {
        static TWarn f = nullptr;
        return f;
    }
    static TShellExecute& RealShell()
    {
        static TShellExecute f = nullptr;
        return f;
    }
    static int BRENLOW_CALL Ask(const char* caption, const char* text, const char* yes, const char* no)
    {
        Calls().push_back({"UIAskYesNo", Text(caption), Text(text), Text(yes), Text(no)});
        return RealAsk()(caption, text, yes, no);
    }
    static bool BRENLOW_CALL Warn(const char* caption, const char* text, const char* button)
    {
        Calls().push_back({"UIWarn", Text(caption), Text(text), Text(button)});
        return RealWarn()(caption, text, button);
    }
    static HINSTANCE WINAPI Shell(HWND w, const char* verb, const char* file, const char* params, const char* dir,
                                  int show)
    {
        Calls().push_back({"ShellExecuteA", Text(verb), Text(file), Text(params), Text(dir), IntToStr(show)});
        return RealShell() ? RealShell()(w, verb, file, params, dir, show) : reinterpret_cast<HINSTANCE>(42);
    }

    TImportSpy FAsk{"Brenlow.dll", "UIAskYesNo", reinterpret_cast<void*>(&Ask)};
    TImportSpy FWarn{"Brenlow.dll", "UIWarn", reinterpret_cast<void*>(&Warn)};
    TImportSpy FShell{"shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&Shell)};
};

// Quistal.exe as a user runs it: copied with Brenlow.dll and the data files into a program
// folder whose name has a blank, started there, its main window found by its caption, and ended
// through the exit question of the close box (first refused, then answered yes). The settings
// come from the registry of the test's own Wine prefix.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using String = std::string;

String ExeFolder()
{
    char buf[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buf, sizeof buf);
    String s = buf;
    return s.substr(0, s.find_last_of("\\/") + 1);
}

bool WaitFor(const std::function<bool()>& done, int ms)
{
    for (DWORD end = GetTickCount() + ms; GetTickCount() < end; Sleep(50))
        if (done())
            return true;
    return done();
}

void CopyFolderFiles(const String& from, const String& to, const char* pattern)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((from + pattern).c_str(), &d);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA((from + d.cFileName).c_str(), (to + d.cFileName).c_str(), FALSE);
    } while (FindNextFileA(h, &d));
    FindClose(h);
}

void RemoveFolder(String folder)
{
    folder.back() = '\0';  // the trailing backslash becomes the list's second terminator
    folder += '\0';
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = folder.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationA(&op);
}

// The program folder as dist lays it out, from the build's output folder.
String MakeProgramFolder(bool withLibrary)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    String folder = String(temp) + "Velmora e2e " + std::to_string(GetCurrentProcessId()) + "\\";
    RemoveFolder(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    String bin = ExeFolder();
    CopyFileA((bin + "Quistal.exe").c_str(), (folder + "Quistal.exe").c_str(), FALSE);
    if (withLibrary)
        CopyFileA((bin + "Brenlow.dll").c_str(), (folder + "Brenlow.dll").c_str(), FALSE);
    for (const char* sub : {"digital clock\\", "Skins\\", "Wav\\"})
        CopyFolderFiles(bin + sub, folder + sub, "*");
    return folder;
}

struct TProcess {
    PROCESS_INFORMATION Info{};
    ~TProcess()
    {
        if (Info.hProcess) {
            if (WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(Info.hProcess, 99);
            CloseHandle(Info.hProcess);
            CloseHandle(Info.hThread);
        }
    }
    bool Start(const String& folder)
    {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        String cmd = "\"" + folder + "Quistal.exe\"";
        return CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &Info);
    }
    bool Running() const { return WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(Info.hProcess, &code);
        return code;
    }
};

struct TSearch {
    DWORD Process;
    String Caption;
    HWND Found = nullptr;
};

BOOL CALLBACK FindProc(HWND w, LPARAM p)
{
    auto* s = reinterpret_cast<TSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char text[256] = {};
    GetWindowTextA(w, text, sizeof text);
    if (pid == s->Process && IsWindowVisible(w) && s->Caption == text) {
        s->Found = w;
        return FALSE;
    }
    return TRUE;
}

// A visible window of the process with that caption (top-level, or a child of `parent`).
HWND FindWindowOf(const TProcess& p, const String& caption, HWND parent = nullptr)
{
    TSearch s{p.Info.dwProcessId, caption};
    if (parent)
        EnumChildWindows(parent, &FindProc, reinterpret_cast<LPARAM>(&s));
    else
        EnumWindows(&FindProc, reinterpret_cast<LPARAM>(&s));
    return s.Found;
}

void Click(HWND w)
{
    RECT r;
    GetClientRect(w, &r);
    LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(w, WM_LBUTTONUP, 0, at);
}

// Closes the main window and answers the question with the button of that caption.
void AnswerCloseQuestion(const TProcess& p, HWND main, const String& button)
{
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND question = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (question = FindWindowOf(p, "Warning")) != nullptr; }, 10000));
    HWND b = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (b = FindWindowOf(p, button, question)) != nullptr; }, 5000));
    Click(b);
}

void ForgetSettings()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Velmora");
}

void StoreSetting(const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Velmora", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(h, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(h);
}

}  // namespace

TEST(QuistalEndToEnd, StartsShowsItsWindowAndEndsThroughTheExitQuestion)
{
    String folder = MakeProgramFolder(true);
    ForgetSettings();
    DWORD alpha = 200;
    StoreSetting("AlphaBlend", REG_DWORD, &alpha, sizeof alpha);
    StoreSetting("theme", REG_SZ, "Default Windows", 16);

    TProcess p;
    ASSERT_TRUE(p.Start(folder));
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = FindWindowOf(p, "Velmora 1.0 beta")) != nullptr; }, 30000))
        << "the main window did not show";
    // The application window carries the title, and the main window its stored opacity.
    EXPECT_TRUE(WaitFor([&] {
        BYTE a = 0;
        DWORD flags = 0;
        return GetLayeredWindowAttributes(main, nullptr, &a, &flags) && a == 200;
    }, 5000));
    HWND tabs = FindWindowExA(main, nullptr, "SysTabControl32", nullptr);
    EXPECT_NE(tabs, nullptr);

    AnswerCloseQuestion(p, main, "No");
    Sleep(500);
    EXPECT_TRUE(p.Running());
    EXPECT_TRUE(IsWindowVisible(main));

    AnswerCloseQuestion(p, main, "Exit");
    ASSERT_EQ(WaitForSingleObject(p.Info.hProcess, 15000), WAIT_OBJECT_0) << "the program did not end";
    EXPECT_EQ(p.ExitCode(), 0u);
    ForgetSettings();
    RemoveFolder(folder);
}

// The loader binds the dialog library when the program starts: without it nothing runs.
TEST(QuistalEndToEnd, DoesNotStartWithoutTheDialogLibrary)
{
    String folder = MakeProgramFolder(false);
    TProcess p;
    if (p.Start(folder)) {
        ASSERT_EQ(WaitForSingleObject(p.Info.hProcess, 15000), WAIT_OBJECT_0);
        EXPECT_NE(p.ExitCode(), 0u);
    }
    RemoveFolder(folder);
}

// Quistal.exe as a user runs it: copied with Brenlow.dll and the data files into a program
// folder whose name has a blank, started there, its main window found by its caption, and ended
// through the exit question of the close box (first refused, then answered yes). The settings
// come from the registry of the test's own Wine prefix. A program folder with a damaged theme
// skin or without the alarm's sound or the countdown's picture: the error box names the file,
// and the program goes on as if the file were not there. The theme switched through the open
// list of the settings page to bad skins, with Wine's log of the program's exceptions read
// afterwards. An alarm that launches a program and then counts down to a restart: the countdown
// stays in front, so Cancel can be clicked.
#include <windows.h>

#include <shellapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "forms.h"
#include "realinput.h"

namespace {

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
    String bin = ExtractFilePath(Application->ExeName());
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
    // With a log, Wine writes every exception the program raises there (its +seh channel),
    // also those it swallows inside a window-procedure callback.
    bool Start(const String& folder, const String& log = {})
    {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        String cmd = "\"" + folder + "Quistal.exe\"";
        if (log.empty())
            return CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &Info);
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE file = CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = file;
        si.hStdError = file;
        char old[256] = {};
        const bool had = GetEnvironmentVariableA("WINEDEBUG", old, sizeof old) > 0;
        SetEnvironmentVariableA("WINEDEBUG", "+seh");
        const bool started =
            CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &si, &Info);
        SetEnvironmentVariableA("WINEDEBUG", had ? old : nullptr);
        CloseHandle(file);
        return started;
    }
    bool Running() const { return WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(Info.hProcess, &code);
        return code;
    }
};

// A visible window of a process; an empty caption or class matches any.
struct TSearch {
    DWORD Process;
    String Caption;
    String Class;
    HWND Found = nullptr;
};

BOOL CALLBACK FindProc(HWND w, LPARAM p)
{
    auto* s = reinterpret_cast<TSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char text[256] = {}, cls[64] = {};
    GetWindowTextA(w, text, sizeof text);
    GetClassNameA(w, cls, sizeof cls);
    if (pid == s->Process && IsWindowVisible(w) && (s->Caption.empty() || s->Caption == text) &&
        (s->Class.empty() || s->Class == cls)) {
        s->Found = w;
        return FALSE;
    }
    return TRUE;
}

// A visible window of the process with that caption (top-level, or a child of `parent`).
HWND FindWindowOf(const TProcess& p, const String& caption, HWND parent = nullptr)
{
    TSearch s{p.Info.dwProcessId, caption, {}};
    if (parent)
        EnumChildWindows(parent, &FindProc, reinterpret_cast<LPARAM>(&s));
    else
        EnumWindows(&FindProc, reinterpret_cast<LPARAM>(&s));
    return s.Found;
}

// A visible top-level window of the process of that window class.
HWND FindTopLevelOfClass(const TProcess& p, const char* cls)
{
    TSearch s{p.Info.dwProcessId, {}, cls};
    EnumWindows(&FindProc, reinterpret_cast<LPARAM>(&s));
    return s.Found;
}

// A posted click at a client point, the centre when none is given.
void Click(HWND w, int x = -1, int y = -1)
{
    RECT r;
    GetClientRect(w, &r);
    LPARAM at = x < 0 ? MAKELPARAM(r.right / 2, r.bottom / 2) : MAKELPARAM(x, y);
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(w, WM_LBUTTONUP, 0, at);
}

// A real click (through the system's input) in the middle of a window, where the user sees it:
// it reaches the window only when nothing covers it there.
void RealClick(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    ClickScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// Closes the main window and answers the question with the button of that caption; returns
// when the question has gone.
void AnswerCloseQuestion(const TProcess& p, HWND main, const String& button)
{
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND question = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (question = FindWindowOf(p, "Warning")) != nullptr; }, 10000));
    HWND b = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (b = FindWindowOf(p, button, question)) != nullptr; }, 5000));
    Click(b);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(question); }, 5000)) << "the question stayed after " << button;
}

// The error box of the process: its text, and the window itself.
struct TErrorBox {
    HWND Window = nullptr;
    String Text;
};

BOOL CALLBACK FindStatic(HWND w, LPARAM p)
{
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    char text[1024] = {};
    GetWindowTextA(w, text, sizeof text);
    if (String(cls) == "Static" && text[0])
        *reinterpret_cast<String*>(p) = text;
    return TRUE;
}

TErrorBox WaitForErrorBox(const TProcess& p, int ms)
{
    TErrorBox box;
    WaitFor([&] { return (box.Window = FindTopLevelOfClass(p, "#32770")) != nullptr; }, ms);
    if (box.Window)
        EnumChildWindows(box.Window, &FindStatic, reinterpret_cast<LPARAM>(&box.Text));
    return box;
}

using TWindowTest = std::function<bool(HWND w, const String& cls, const String& text)>;

struct TChildSearch {
    const TWindowTest* Match;
    HWND Found = nullptr;
};

BOOL CALLBACK FindChildProc(HWND w, LPARAM p)
{
    auto* f = reinterpret_cast<TChildSearch*>(p);
    char c[64] = {}, t[256] = {};
    GetClassNameA(w, c, sizeof c);
    // The text of another process's control comes only by asking it.
    SendMessageA(w, WM_GETTEXT, sizeof t, reinterpret_cast<LPARAM>(t));
    if (IsWindowVisible(w) && (*f->Match)(w, c, t)) {
        f->Found = w;
        return FALSE;
    }
    return TRUE;
}

// A visible child window that passes the test.
HWND FindChildWhere(HWND parent, const TWindowTest& match)
{
    TChildSearch find{&match};
    EnumChildWindows(parent, &FindChildProc, reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

// A visible child window of that class whose text starts as given (any text when empty).
HWND FindChildOf(HWND parent, const char* cls, const String& text = {})
{
    return FindChildWhere(parent, [&](HWND, const String& c, const String& t) {
        return _stricmp(c.c_str(), cls) == 0 && t.rfind(text, 0) == 0;
    });
}

// Posts a key press (down, then up). Posted messages of one thread are handled in their order;
// the caller waits for what the keys do.
void PressKey(HWND w, WORD vk)
{
    PostMessageA(w, WM_KEYDOWN, vk, 1);
    PostMessageA(w, WM_KEYUP, vk, 1 | 0xC0000000u);
}

String StoredText(const char* name)
{
    char buf[256] = {};
    DWORD size = sizeof buf;
    if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Velmora", name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
        return {};
    return buf;
}

// Whether the process has loaded the module (by file name, any letter case).
bool HasModule(const TProcess& p, const char* name)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, p.Info.dwProcessId);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32 m{};
    m.dwSize = sizeof m;
    bool found = false;
    for (BOOL more = Module32First(snapshot, &m); more && !found; more = Module32Next(snapshot, &m))
        found = _stricmp(m.szModule, name) == 0;
    CloseHandle(snapshot);
    return found;
}

String TextOf(HWND w)
{
    char t[256] = {};
    SendMessageA(w, WM_GETTEXT, sizeof t, reinterpret_cast<LPARAM>(t));
    return t;
}

// The checkbox-style buttons of a window, top to bottom.
std::vector<HWND> CheckBoxes(HWND parent)
{
    std::vector<std::pair<LONG, HWND>> found;
    for (HWND w = nullptr; (w = FindWindowExA(parent, w, nullptr, nullptr));) {
        for (HWND c : CheckBoxes(w)) {
            RECT r;
            GetWindowRect(c, &r);
            found.emplace_back(r.top, c);
        }
        char cls[32] = {};
        GetClassNameA(w, cls, sizeof cls);
        LONG type = GetWindowLongA(w, GWL_STYLE) & BS_TYPEMASK;
        bool check = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
        if (_stricmp(cls, "Button") == 0 && IsWindowVisible(w) && check) {
            RECT r;
            GetWindowRect(w, &r);
            found.emplace_back(r.top, w);
        }
    }
    std::sort(found.begin(), found.end());
    std::vector<HWND> boxes;
    for (auto& f : found)
        boxes.push_back(f.second);
    return boxes;
}

// Columns of a screen area holding blue ink (the countdown's digits).
int BlueInkWidth(HDC source, int x, int y, int w, int h)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(source);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    BitBlt(dc, 0, 0, w, h, source, x, y, SRCCOPY);
    GdiFlush();
    int first = w, last = -1;
    const auto* px = static_cast<const uint32_t*>(bits);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            uint32_t p = px[r * w + c];
            if ((p & 0xFF) > 150 && ((p >> 8) & 0xFF) < 100 && ((p >> 16) & 0xFF) < 100) {
                first = std::min(first, c);
                last = std::max(last, c);
            }
        }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return last < first ? 0 : last - first + 1;
}

// The same width for a text drawn here as the countdown draws its seconds.
int SecondsInkWidth(const char* text)
{
    const int w = 300, h = 130;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    RECT r{0, 0, w, h};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HFONT font = CreateFontA(-96, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Verdana");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    int width = BlueInkWidth(dc, 0, 0, w, h);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBmp);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return width;
}

int SecondOfDayNow()
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
}

// The alarm time set as a user sets it: the picker's hours clicked, then each field stepped with
// the arrow keys to the time `ahead` seconds from now. True once the picker shows it with at
// least two seconds to go; a machine too slow for that gets a later time.
bool SetAlarmAhead(HWND picker, int ahead)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int target = (SecondOfDayNow() + ahead) % 86400;
        const int want[3] = {target / 3600, target / 60 % 60, target % 60}, range[3] = {24, 60, 60};
        char wanted[16];
        std::snprintf(wanted, sizeof wanted, "%02d:%02d:%02d", want[0], want[1], want[2]);
        const String shown = TextOf(picker);
        if (shown.size() != 8)
            return false;
        Click(picker, 4, 8);
        for (int i = 0; i < 3; ++i) {
            const int up = (want[i] - std::stoi(shown.substr(i * 3, 2)) + range[i]) % range[i];
            for (int n = 0; n < std::min(up, range[i] - up); ++n)
                PressKey(picker, up <= range[i] - up ? VK_UP : VK_DOWN);
            PressKey(picker, VK_RIGHT);
        }
        if (!WaitFor([&] { return TextOf(picker) == wanted; }, 5000))
            return false;
        const int left = (target - SecondOfDayNow() + 86400) % 86400;
        if (left >= 2 && left <= ahead)
            return true;
    }
    return false;
}

// Steps a closed drop-down list with the arrow keys until item `index` is selected.
bool SelectItem(HWND combo, int index)
{
    HWND edit = FindChildOf(combo, "Edit");
    for (int step = 0; step < 8; ++step) {
        const LRESULT now = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        if (now == index)
            return true;
        PressKey(edit, now < index ? VK_DOWN : VK_UP);
        if (!WaitFor([&] { return SendMessageA(combo, CB_GETCURSEL, 0, 0) != now; }, 3000))
            return false;
    }
    return false;
}

// Ends the program as a user does: the close box, then "Exit"; it ends with exit code 0.
void ExitThroughTheQuestion(const TProcess& p, HWND main)
{
    AnswerCloseQuestion(p, main, "Exit");
    ASSERT_EQ(WaitForSingleObject(p.Info.hProcess, 15000), WAIT_OBJECT_0) << "the program did not end";
    EXPECT_EQ(p.ExitCode(), 0u);
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

// Starts the program in the folder with the theme "Default Windows" stored; its main window,
// or null when none showed.
HWND StartUnskinned(TProcess& p, const String& folder)
{
    ForgetSettings();
    StoreSetting("theme", REG_SZ, "Default Windows", 16);
    HWND main = nullptr;
    if (p.Start(folder))
        WaitFor([&] { return (main = FindWindowOf(p, "Velmora 1.0 beta")) != nullptr; }, 30000);
    return main;
}

// The program's skin engine answers its private query with 1 on a window it skins.
bool Skinned(HWND w)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(w, 0x3523, 0, 0, SMTO_ABORTIFHUNG, 3000, &answer) && answer == 1;
}

// The lines of a Wine log that tell of a fault: an access violation or a bad instruction, one
// swallowed inside a callback, or one nobody handled.
std::vector<String> FaultsLogged(const String& log)
{
    std::vector<String> faults;
    FILE* f = std::fopen(log.c_str(), "r");
    if (!f)
        return {"no log at " + log};
    char line[1024];
    while (std::fgets(line, sizeof line, f)) {
        const String l = line;
        for (const char* fault : {"EXCEPTION_ACCESS_VIOLATION", "EXCEPTION_ILLEGAL_INSTRUCTION",
                                  "EXCEPTION_PRIV_INSTRUCTION", "ignoring exception", "Unhandled"})
            if (l.find(fault) != String::npos)
                faults.push_back(l);
    }
    std::fclose(f);
    return faults;
}

void WriteFile(const String& path, const std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string ReadFile(const String& path)
{
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[65536];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
            bytes.append(buf, n);
        std::fclose(f);
    }
    return bytes;
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
    char title[32] = {};
    GetWindowTextA(GetWindow(main, GW_OWNER), title, sizeof title);
    EXPECT_STREQ(title, "Velmora");
    EXPECT_TRUE(WaitFor([&] {
        BYTE a = 0;
        DWORD flags = 0;
        return GetLayeredWindowAttributes(main, nullptr, &a, &flags) && a == 200;
    }, 5000));
    HWND tabs = FindWindowExA(main, nullptr, "SysTabControl32", nullptr);
    EXPECT_NE(tabs, nullptr);
    // Libraries for the file dialog and sound come when first needed, not with every start.
    ASSERT_TRUE(HasModule(p, "Brenlow.dll"));
    EXPECT_FALSE(HasModule(p, "comdlg32.dll"));
    EXPECT_FALSE(HasModule(p, "winmm.dll"));
    EXPECT_FALSE(HasModule(p, "riched20.dll")) << "the About page's editor was made before it is shown";

    AnswerCloseQuestion(p, main, "No");
    EXPECT_TRUE(p.Running());
    EXPECT_TRUE(IsWindowVisible(main));

    ExitThroughTheQuestion(p, main);
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

TEST(QuistalEndToEnd, DamagedThemeSkinIsReportedAndTheProgramGoesOnWithoutIt)
{
    String folder = MakeProgramFolder(true);
    String skin = folder + "Skins\\macos.skn";
    HANDLE f = CreateFileA(skin.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    SetFilePointer(f, 2000, nullptr, FILE_BEGIN);  // cut short, as an interrupted copy leaves it
    SetEndOfFile(f);
    CloseHandle(f);
    ForgetSettings();
    StoreSetting("theme", REG_SZ, "MacOS", 6);

    TProcess p;
    ASSERT_TRUE(p.Start(folder));
    TErrorBox box = WaitForErrorBox(p, 30000);
    ASSERT_NE(box.Window, nullptr) << "no error box";
    EXPECT_EQ(box.Text.rfind("The skin file \"" + skin + "\" is damaged: ", 0), 0u) << box.Text;
    HWND ok = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (ok = FindWindowOf(p, "OK", box.Window)) != nullptr; }, 5000));
    Click(ok);

    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = FindWindowOf(p, "Velmora 1.0 beta")) != nullptr; }, 10000))
        << "the main window did not show";
    EXPECT_TRUE(p.Running());
    // The settings page is reachable and the theme list can be set back to "Default Windows".
    HWND tabs = FindWindowExA(main, nullptr, "SysTabControl32", nullptr);
    ASSERT_NE(tabs, nullptr);
    PressKey(tabs, VK_RIGHT);
    HWND themes = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (themes = FindChildOf(main, "ComboBox", "MacOS")) != nullptr; }, 5000))
        << "no theme list on the settings page";
    HWND edit = FindChildOf(themes, "Edit");
    for (int i = 0; i < 3; ++i)
        PressKey(edit, VK_UP);
    EXPECT_TRUE(WaitFor([] { return StoredText("theme") == "Default Windows"; }, 5000)) << StoredText("theme");
    EXPECT_EQ(WaitForErrorBox(p, 500).Window, nullptr) << "no error for a theme without a skin";

    ExitThroughTheQuestion(p, main);
    ForgetSettings();
    RemoveFolder(folder);
}

// The alarm with its default sound and the countdown's picture missing, and a description longer
// than a window takes as its caption pasted into the memo: each error box names its file, the
// countdown, shown after them, starts from 10 however long the boxes stayed open, and the note
// still comes with the whole description, its caption cut.
TEST(QuistalEndToEnd, AlarmWithMissingFilesNamesEachAndShowsTheWholeLongNote)
{
    String folder = MakeProgramFolder(true);
    const String picture = folder + "Skins\\power.JPG";
    const String sound = folder + "Wav\\alarm.wav";
    DeleteFileA(picture.c_str());
    DeleteFileA(sound.c_str());
    TProcess p;
    HWND main = StartUnskinned(p, folder);
    ASSERT_NE(main, nullptr) << "the main window did not show";
    // The description: the text on the clipboard pasted at the end of the memo (Ctrl+V).
    std::string pasted;
    while (pasted.size() < 33000)
        pasted += "Take the blue folder to the office, and call back about the invoice. ";
    pasted.resize(33000);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, pasted.size() + 1);
    std::memcpy(GlobalLock(data), pasted.c_str(), pasted.size() + 1);
    GlobalUnlock(data);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, data);
    CloseClipboard();
    HWND memo = FindChildOf(main, "Edit", "Its Time to...");
    ASSERT_NE(memo, nullptr);
    Click(memo);
    PressKey(memo, VK_END);
    PostMessageA(memo, WM_CHAR, 0x16, 1);  // what Ctrl+V types
    // (another process's control tells its text only when asked)
    ASSERT_TRUE(WaitFor([&] { return SendMessageA(memo, WM_GETTEXTLENGTH, 0, 0) > 33000; }, 5000)) << "nothing pasted";
    const int description = static_cast<int>(SendMessageA(memo, WM_GETTEXTLENGTH, 0, 0));
    // The sound and the power action: tick their check boxes, pick "ShutDown".
    std::vector<HWND> boxes = CheckBoxes(main);
    ASSERT_EQ(boxes.size(), 3u);
    Click(boxes[0]);
    Click(boxes[2]);
    HWND power = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        power = FindChildOf(main, "ComboBox", "---Choose---");
        return power && IsWindowEnabled(power);
    }, 5000));
    ASSERT_TRUE(SelectItem(power, 1)) << "ShutDown not picked: " << TextOf(power);
    ASSERT_EQ(TextOf(power), "ShutDown");
    HWND picker = FindChildOf(main, "SysDateTimePick32");
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(SetAlarmAhead(picker, 5)) << "the picker shows " << TextOf(picker);

    // First the sound, then the picture, each box answered with Escape. The picture's box is
    // read for longer than a second of the countdown: nothing may count behind it.
    for (const String& file : {sound, picture}) {
        TErrorBox box = WaitForErrorBox(p, 15000);
        ASSERT_NE(box.Window, nullptr) << "no error box for " << file << "; the picker shows " << TextOf(picker);
        EXPECT_NE(box.Text.find("\"" + file + "\""), String::npos) << box.Text;
        if (file == picture)
            Sleep(1500);  // on purpose: longer than a second of the countdown
        EXPECT_EQ(FindTopLevelOfClass(p, "TForm3"), nullptr) << "the countdown shows behind the error box";
        PressKey(box.Window, VK_ESCAPE);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.Window); }, 5000));
    }

    // The seconds, read from the screen once painted, show 10.
    HWND countdown = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (countdown = FindTopLevelOfClass(p, "TForm3")) != nullptr; }, 5000));
    int seconds = 0;
    EXPECT_TRUE(WaitFor([&] {
        RECT r;
        GetWindowRect(countdown, &r);
        HDC screen = GetDC(nullptr);
        seconds = BlueInkWidth(screen, r.left + 122, r.top + 62, 136, 116);
        ReleaseDC(nullptr, screen);
        return seconds > 0;
    }, 3000)) << "the countdown's seconds were not painted";
    const int ten = SecondsInkWidth("10"), nine = SecondsInkWidth("9");
    EXPECT_LT(std::abs(seconds - ten), std::abs(seconds - nine)) << "the countdown shows " << seconds
                                                                 << " columns of ink; 10 has " << ten;

    // Cancelled: no power action, the note still comes, and the program runs on.
    HWND cancel = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (cancel = FindWindowOf(p, "Cancel", countdown)) != nullptr; }, 5000));
    RealClick(cancel);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(countdown); }, 5000)) << "Cancel did not close the countdown";
    HWND note = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (note = FindTopLevelOfClass(p, "TForm3")) != nullptr; }, 30000)) << "no note";
    HWND text = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (text = FindChildOf(note, "Edit")) != nullptr; }, 5000));
    EXPECT_EQ(SendMessageA(text, WM_GETTEXTLENGTH, 0, 0), description) << "the note shows the whole description";
    char caption[64] = {};
    GetWindowTextA(note, caption, sizeof caption);
    EXPECT_EQ(String(caption), String("Its Time to...") + pasted.substr(0, sizeof caption - 15));
    const int captionLength = GetWindowTextLengthA(note);
    EXPECT_GT(captionLength, 20000);
    EXPECT_LT(captionLength, description);
    PostMessageA(note, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(note); }, 5000)) << "the note did not close";
    EXPECT_TRUE(p.Running());
    ExitThroughTheQuestion(p, main);
    ForgetSettings();
    RemoveFolder(folder);
}

// A visible top-level window of that class, of any process.
HWND FindAnyTopLevel(const char* cls)
{
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, cls, nullptr)) && !IsWindowVisible(w)) {
    }
    return w;
}

// Whether `upper` is in front of `lower` (both top-level).
bool InFrontOf(HWND upper, HWND lower)
{
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (w == upper)
            return true;
    return false;
}

// Ends, when it goes, the process of the visible top-level window of that class: a program the
// test had the alarm open (the test makes sure none was open before).
struct TEndProcessOf {
    const char* Class;
    ~TEndProcessOf()
    {
        DWORD pid = 0;
        HWND w = FindAnyTopLevel(Class);
        if (w && GetWindowThreadProcessId(w, &pid) && pid) {
            if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
                TerminateProcess(h, 0);
                CloseHandle(h);
            }
        }
    }
};

// The alarm opens a program whose window comes up just after the restart countdown: the
// countdown stays in front of it, so a real click reaches Cancel before the forced restart.
// Every failure ends the program at once, long before the countdown reaches zero.
TEST(QuistalEndToEnd, TheCountdownStaysInFrontOfTheProgramTheAlarmLaunched)
{
    const String folder = MakeProgramFolder(true);
    const String program = "C:\\windows\\notepad.exe";
    ASSERT_NE(GetFileAttributesA(program.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(FindAnyTopLevel("Notepad"), nullptr) << "a notepad is open already";
    TEndProcessOf endLaunched{"Notepad"};
    TProcess p;
    HWND main = StartUnskinned(p, folder);
    ASSERT_NE(main, nullptr) << "the main window did not show";

    // Launch on with the program typed in, power on with "Restart", the alarm a few seconds
    // ahead, then "Active".
    std::vector<HWND> boxes = CheckBoxes(main);
    ASSERT_EQ(boxes.size(), 3u);
    Click(boxes[1]);
    Click(boxes[2]);
    HWND path = nullptr, power = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        path = FindChildWhere(main, [](HWND w, const String& c, const String& t) {
            return _stricmp(c.c_str(), "Edit") == 0 && t.empty() && IsWindowEnabled(w) &&
                   !(GetWindowLongA(w, GWL_STYLE) & ES_MULTILINE);
        });
        power = FindChildOf(main, "ComboBox", "---Choose---");
        return path && power && IsWindowEnabled(power);
    }, 5000)) << "the launch and power actions were not switched on";
    Click(path);
    for (char c : program)
        PostMessageA(path, WM_CHAR, static_cast<BYTE>(c), 1);
    ASSERT_TRUE(WaitFor([&] { return TextOf(path) == program; }, 5000)) << TextOf(path);
    ASSERT_TRUE(SelectItem(power, 2)) << "Restart not picked: " << TextOf(power);
    ASSERT_EQ(TextOf(power), "Restart");
    HWND picker = FindChildOf(main, "SysDateTimePick32");
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(SetAlarmAhead(picker, 4)) << "the picker shows " << TextOf(picker);
    HWND active = FindChildWhere(main, [](HWND w, const String& c, const String& t) {  // not a check box's
        return _stricmp(c.c_str(), "Button") == 0 && t == "Active" &&
               (GetWindowLongA(w, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
    });
    ASSERT_NE(active, nullptr);
    Click(active);
    ASSERT_TRUE(WaitFor([&] { return TextOf(active) == "Abort"; }, 3000));

    // Both windows up: the countdown in front.
    HWND countdown = nullptr, launched = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (countdown = FindTopLevelOfClass(p, "TForm3")) != nullptr; }, 15000))
        << "no countdown";
    ASSERT_TRUE(WaitFor([&] { return (launched = FindAnyTopLevel("Notepad")) != nullptr; }, 5000))
        << "the program was not launched";
    EXPECT_TRUE(InFrontOf(countdown, launched)) << "the launched program hides the countdown";

    // Cancel clicked where the user sees it: the countdown goes, the note comes.
    HWND cancel = FindWindowOf(p, "Cancel", countdown);
    ASSERT_NE(cancel, nullptr);
    RealClick(cancel);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(countdown); }, 2000)) << "the click did not reach Cancel";
    HWND note = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (note = FindTopLevelOfClass(p, "TForm3")) != nullptr; }, 5000)) << "no note";
    PostMessageA(note, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(note); }, 5000)) << "the note did not close";
    ExitThroughTheQuestion(p, main);
    ForgetSettings();
    RemoveFolder(folder);
}

// The theme picked in the open list of the settings page, from a good skin to one cut short, an
// empty one, a missing one, the other good one, and to "Default Windows" with Alt+Space at once.
// The change runs inside the combo box's own message, with its list open and the error box's
// loop running there: the program reports each bad file and goes on unskinned, and Wine logs no
// fault of it.
TEST(QuistalEndToEnd, ThemeSwitchedThroughTheOpenListSurvivesBadSkinsAndAltSpace)
{
    const String folder = MakeProgramFolder(true);
    const String macos = folder + "Skins\\macos.skn";
    const String log = folder + "wine.log";
    const std::string good = ReadFile(macos);
    ASSERT_GT(good.size(), 3000u);
    WriteFile(macos, good.substr(0, 3000));
    ForgetSettings();
    StoreSetting("theme", REG_SZ, "Standar", 8);

    TProcess p;
    ASSERT_TRUE(p.Start(folder, log));
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = FindWindowOf(p, "Velmora 1.0 beta")) != nullptr && Skinned(main); }, 30000))
        << "the main window did not show skinned";
    RECT client{};
    GetClientRect(main, &client);
    PressKey(FindWindowExA(main, nullptr, "SysTabControl32", nullptr), VK_RIGHT);
    HWND themes = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (themes = FindChildOf(main, "ComboBox", "Standar")) != nullptr; }, 5000));
    const HWND edit = FindChildOf(themes, "Edit");
    ASSERT_NE(edit, nullptr);

    // The list opened with a click on its arrow, then a key inside it.
    auto throughTheList = [&](WORD key) {
        RECT r;
        GetClientRect(themes, &r);
        const LPARAM arrow = MAKELPARAM(r.right - 6, r.bottom / 2);
        PostMessageA(themes, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
        PostMessageA(themes, WM_LBUTTONUP, 0, arrow);
        ASSERT_TRUE(WaitFor([&] { return SendMessageA(themes, CB_GETDROPPEDSTATE, 0, 0) != 0; }, 3000))
            << "the list did not open";
        PressKey(edit, key);
    };
    // The one error box, read a while (the skins go meanwhile) and answered with Return; then
    // the list is closed, and the window goes on unskinned with the choice stored.
    auto badSkin = [&](const String& says) {
        TErrorBox box = WaitForErrorBox(p, 10000);
        ASSERT_NE(box.Window, nullptr) << "no error box for " << says;
        EXPECT_EQ(box.Text.rfind("The skin file \"" + macos + "\" " + says, 0), 0u) << box.Text;
        Sleep(500);  // on purpose: the skin manager's 250 ms deferral runs out with the box open
        HWND ok = FindWindowOf(p, "OK", box.Window);
        ASSERT_NE(ok, nullptr);
        PressKey(ok, VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.Window); }, 5000));
        PressKey(edit, VK_ESCAPE);
        EXPECT_EQ(WaitForErrorBox(p, 500).Window, nullptr) << "a second error box";
        EXPECT_TRUE(p.Running());
        EXPECT_EQ(StoredText("theme"), "MacOS");
        EXPECT_TRUE(WaitFor([&] { return !Skinned(main); }, 3000)) << "still skinned after " << says;
    };
    // Back to "Standar" with a key in the closed list, skinned again.
    auto standar = [&] {
        PressKey(edit, VK_UP);
        ASSERT_TRUE(WaitFor([&] { return Skinned(main) && TextOf(themes) == "Standar"; }, 5000));
    };
    auto complete = [&] {
        RECT now{};
        GetClientRect(main, &now);
        EXPECT_EQ(now.right, client.right);
        EXPECT_EQ(now.bottom, client.bottom);
        EXPECT_TRUE(IsWindowVisible(main) && IsWindowVisible(themes));
    };

    throughTheList(VK_DOWN);
    badSkin("is damaged: ");
    complete();

    WriteFile(macos, "");
    standar();
    throughTheList(VK_DOWN);
    badSkin("is damaged: ");
    complete();

    DeleteFileA(macos.c_str());
    standar();
    throughTheList(VK_DOWN);
    badSkin("was not found");
    complete();

    WriteFile(macos, good);
    standar();
    throughTheList(VK_DOWN);
    EXPECT_TRUE(WaitFor([&] { return StoredText("theme") == "MacOS"; }, 3000));
    EXPECT_EQ(WaitForErrorBox(p, 1000).Window, nullptr);
    EXPECT_TRUE(Skinned(main));
    PressKey(edit, VK_RETURN);
    complete();

    // "Default Windows", and the system menu opened before the skin goes.
    standar();
    PressKey(edit, VK_UP);
    PostMessageA(edit, WM_SYSCHAR, ' ', 1 | (1 << 29));
    EXPECT_TRUE(WaitFor([&] { return FindTopLevelOfClass(p, "#32768") != nullptr; }, 3000)) << "no system menu";
    Sleep(600);  // on purpose: the skin manager's 250 ms deferral runs out with the menu open
    PressKey(edit, VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !Skinned(main); }, 3000));
    EXPECT_EQ(StoredText("theme"), "Default Windows");
    EXPECT_EQ(WaitForErrorBox(p, 500).Window, nullptr);
    complete();

    ExitThroughTheQuestion(p, main);
    for (const String& fault : FaultsLogged(log))
        ADD_FAILURE() << "Wine logged: " << fault;
    ForgetSettings();
    RemoveFolder(folder);
}

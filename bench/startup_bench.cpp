// Start-up time under Wine: from the call that starts the process to the moment its main
// window is visible, for Quistal.exe and for a bare Win32 window (barewindow.exe) measured the
// same way in the same run, so the ratio says what is ours.
//
//   wine startup_bench.exe [--runs N] [--samples] [--theme TEXT] [FOLDER...]
//
// Each FOLDER is a program folder (Quistal.exe, Brenlow.dll and the data files); several are
// measured side by side, to compare two builds. The default is the one a user gets,
// build/dist/Velmora (made by scripts/run or the dist target), else this program's folder, which
// the build lays out as one but with modules that carry their debugging information. --samples prints every run's time. --theme stores that theme for the runs and puts the stored one back afterwards;
// without it the runs use the settings the prefix has. With a skin theme ("Standar", "MacOS")
// the time until the window wears the skin (it answers the engine's skinned-window query and
// has the skin's shape) is reported beside.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
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

double Seconds()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

struct TSearch {
    DWORD Thread;  // the new process's main thread: a process id may already have been used
    const char* Caption;
    bool Found = false;
    HWND Window = nullptr;
};

BOOL CALLBACK FindVisible(HWND w, LPARAM p)
{
    auto* s = reinterpret_cast<TSearch*>(p);
    if (GetWindowThreadProcessId(w, nullptr) != s->Thread || !IsWindowVisible(w))
        return TRUE;
    char text[128] = {};
    GetWindowTextA(w, text, sizeof text);
    if (String(text) != s->Caption)
        return TRUE;
    s->Found = true;
    s->Window = w;
    return FALSE;
}

// The window wears a skin: it answers the engine's skinned-window query and has the skin's shape.
bool Skinned(HWND w)
{
    constexpr UINT IsSkinnedQuery = 0x3523;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(w, IsSkinnedQuery, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) || answer != 1)
        return false;
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(w, r) != ERROR;
    DeleteObject(r);
    return shaped;
}

BOOL CALLBACK FindAny(HWND w, LPARAM p)
{
    auto* s = reinterpret_cast<TSearch*>(p);
    if (GetWindowThreadProcessId(w, nullptr) != s->Thread)
        return TRUE;
    s->Found = true;
    return FALSE;
}

bool ThreadHasWindows(DWORD thread)
{
    TSearch s{thread, nullptr};
    EnumWindows(&FindAny, reinterpret_cast<LPARAM>(&s));
    return s.Found;
}

struct TTimes {
    std::optional<double> Visible;
    std::optional<double> Skinned;  // asked for only
};

// Seconds from starting `exe` in `folder` to a visible top-level window captioned `caption`
// (and, with `skinned`, on to that window wearing its skin); nothing when it does not come
// within 30 s. The process is ended afterwards.
TTimes TimeToWindow(const String& folder, const String& exe, const char* caption, bool skinned = false)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    String cmd = "\"" + folder + exe + "\"";
    const double start = Seconds();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return {};
    TTimes took;
    HWND window = nullptr;
    while (Seconds() - start < 30 && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
        if (!window) {
            TSearch s{pi.dwThreadId, caption};
            EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&s));
            if (s.Found) {
                took.Visible = Seconds() - start;
                window = s.Window;
                if (!skinned)
                    break;
            }
        } else if (Skinned(window)) {
            took.Skinned = Seconds() - start;
            break;
        }
        Sleep(1);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    // The next process may get the same ids: its run starts when this one's windows are gone.
    for (int i = 0; i < 100 && ThreadHasWindows(pi.dwThreadId); ++i)
        Sleep(20);
    Sleep(100);
    return took;
}

// The stored theme, put back when the runs are done.
class TThemeScope {
public:
    explicit TThemeScope(const char* theme)
    {
        if (!theme)
            return;
        FActive = true;
        char buf[256] = {};
        DWORD size = sizeof buf;
        FHad = RegGetValueA(HKEY_CURRENT_USER, "Software\\Velmora", "theme", RRF_RT_REG_SZ, nullptr, buf, &size) ==
               ERROR_SUCCESS;
        FOld = buf;
        Store(theme);
    }
    ~TThemeScope()
    {
        if (!FActive)
            return;
        if (FHad)
            Store(FOld.c_str());
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Velmora", "theme");
    }

private:
    static void Store(const char* theme)
    {
        RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Velmora", "theme", REG_SZ, theme,
                        static_cast<DWORD>(strlen(theme) + 1));
    }
    bool FActive = false;
    bool FHad = false;
    String FOld;
};

struct TSeries {
    const char* Name;
    bool Samples;  // print every run too
    std::vector<double> Times;
    // The time below which the share `q` of the runs fell.
    double Quantile(double q) const
    {
        std::vector<double> t = Times;
        std::sort(t.begin(), t.end());
        return t.empty() ? 0 : t[static_cast<size_t>(q * static_cast<double>(t.size() - 1) + 0.5)];
    }
    double Median() const { return Quantile(0.5); }
    void Print() const
    {
        if (Times.empty()) {
            std::printf("%-16s no window\n", Name);
            return;
        }
        auto [lo, hi] = std::minmax_element(Times.begin(), Times.end());
        // Other work on the machine only ever adds time: the lower quarter says most about ours.
        std::printf("%-16s median %6.3f s   lower quarter %6.3f s   min %6.3f s   max %6.3f s   (%zu runs)\n", Name,
                    Median(), Quantile(0.25), *lo, *hi, Times.size());
        if (!Samples)
            return;
        for (double t : Times)
            std::printf(" %.3f", t);
        std::printf("\n");
    }
};

}  // namespace

int main(int argc, char** argv)
{
    int runs = 10;
    bool samples = false;
    const char* theme = nullptr;
    std::vector<String> folders;
    for (int i = 1; i < argc; ++i) {
        String a = argv[i];
        if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--samples")
            samples = true;
        else if (a == "--theme" && i + 1 < argc)
            theme = argv[++i];
        else
            folders.push_back(a.back() == '\\' || a.back() == '/' ? a : a + "\\");
    }
    if (folders.empty()) {
        String dist = ExeFolder() + "..\\..\\dist\\Velmora\\";
        bool there = GetFileAttributesA((dist + "Quistal.exe").c_str()) != INVALID_FILE_ATTRIBUTES;
        folders.push_back(there ? dist : ExeFolder());
    }
    TThemeScope themeScope(theme);
    // A stored skin theme: the time until the window wears it is taken too.
    const bool skin = theme && (String(theme) == "Standar" || String(theme) == "MacOS");
    TSeries bare{"bare window", samples, {}};
    std::vector<TSeries> quistal(folders.size(), TSeries{"Quistal.exe", samples, {}});
    std::vector<TSeries> skinned(folders.size(), TSeries{"skinned window", samples, {}});
    // One unmeasured start of each warms the file cache and the prefix.
    TimeToWindow(ExeFolder(), "barewindow.exe", "Bare window");
    for (const String& folder : folders)
        TimeToWindow(folder, "Quistal.exe", "Velmora 1.0 beta");
    // Interleaved, so a machine busy with other work slows every series alike.
    for (int i = 0; i < runs; ++i) {
        if (auto t = TimeToWindow(ExeFolder(), "barewindow.exe", "Bare window").Visible)
            bare.Times.push_back(*t);
        for (size_t f = 0; f < folders.size(); ++f) {
            const TTimes t = TimeToWindow(folders[f], "Quistal.exe", "Velmora 1.0 beta", skin);
            if (t.Visible)
                quistal[f].Times.push_back(*t.Visible);
            if (t.Skinned)
                skinned[f].Times.push_back(*t.Skinned);
        }
    }
    std::printf("process start to visible window%s\n", skin ? " (and on to the window wearing the stored skin)" : "");
    bare.Print();
    bool complete = !bare.Times.empty();
    for (size_t f = 0; f < folders.size(); ++f) {
        std::printf("%s\n", folders[f].c_str());
        quistal[f].Print();
        if (!bare.Times.empty() && !quistal[f].Times.empty())
            std::printf("ratio            median %.2f   lower quarter %.2f\n", quistal[f].Median() / bare.Median(),
                        quistal[f].Quantile(0.25) / bare.Quantile(0.25));
        if (skin)
            skinned[f].Print();
        complete = complete && !quistal[f].Times.empty() && (!skin || !skinned[f].Times.empty());
    }
    return complete ? 0 : 1;
}

// The theme switch on the program's main window, run by hand under Wine (ratios within one run
// are what counts):
//   cd build/win32/bin && xvfb-run -a -s "-screen 0 1280x1024x24" wine themeswitch_bench.exe
//       [--runs N] [--pair FROM TO] [--soak N] [--idle SECONDS] [--dump FOLDER]
// - every pair of the three themes: from the end of the manager's deferral (its timer is set to
//   fire at once instead of after 250 ms) to the finished repaint (no message and no paint
//   left), against one plain full repaint of the same window unskinned (/plain), and against
//   plain repaints of its new look taken right after the switch (/new, the median of the
//   per-switch ratios);
// - meanwhile a thread grabs the window's piece of the screen over and over; every picture it
//   sees must be the window's old look or its new one: pictures that are neither, and pictures
//   with the skin's magenta key colour, are counted (--dump saves them as BMP files);
// - --pair: that switch only (theme numbers 0 "Default Windows", 1 "Standar", 2 "MacOS");
// - --soak: GDI objects, windows and heap bytes after N more switches;
// - --idle: the share of one core the program takes while it waits, in each theme.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "alarm.h"
#include "benchtime.h"
#include "clock.h"
#include "combobox.h"
#include "framecapture.h"
#include "main.h"
#include "pagecontrol.h"
#include "processcounts.h"
#include "programforms.h"
#include "skinform.h"
#include "skinmanager.h"

namespace {

const char* const Themes[] = {"Default Windows", "Standar", "MacOS"};

// Handles messages until none is left, painting included (WM_PAINT comes only when nothing else
// is queued), or until `ms` have passed.
void PumpUntilIdle(double ms = 5000)
{
    const double end = Now() + ms;
    MSG msg;
    while (Now() < end) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PumpFor(double ms)
{
    const double end = Now() + ms;
    while (Now() < end) {
        Pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

bool Shows(HWND h, const char* theme)
{
    TSkinManage* m = SkinManager();
    if (!m || m->PendingData())
        return false;
    TSkinForm* f = m->FindSkinForm(h);
    return String(theme) != "Default Windows" ? f && f->LifeState() == TSkinForm::lsSkinned : !f;
}

// The screen piece that holds the window in every theme (frames differ in size).
RECT gArea{};

void Cover(HWND h)
{
    RECT r{};
    GetWindowRect(h, &r);
    if (IsRectEmpty(&gArea))
        gArea = r;
    else
        UnionRect(&gArea, &gArea, &r);
}

void SavePicture(const TScreenPicture& p, const std::string& file)
{
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = p.Width;
    ih.biHeight = -p.Height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    const DWORD bytes = static_cast<DWORD>(p.Pixels.size() * 4);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + bytes;
    if (FILE* f = std::fopen(file.c_str(), "wb")) {
        std::fwrite(&fh, sizeof fh, 1, f);
        std::fwrite(&ih, sizeof ih, 1, f);
        std::fwrite(p.Pixels.data(), 1, bytes, f);
        std::fclose(f);
    }
}

// The end of the deferral: the manager's timer fires from the message loop, as in the program
// (the loop was waiting just before), after 1 ms instead of 250; its event notes the moment.
class TActionStamp : public TObject {
public:
    double Fired = 0;
    TNotifyEvent Action;
    void Fire(TObject* sender)
    {
        Fired = Now();
        Action(sender);
    }
} gStamp;

bool RunPendingAction()
{
    TSkinManage* m = SkinManager();
    if (!m || !m->PendingData())
        return false;
    auto& timer = const_cast<TTimer&>(m->ActionTimer());
    if (!(timer.OnTimer() == TNotifyEvent(&gStamp, &TActionStamp::Fire))) {
        gStamp.Action = timer.OnTimer();
        timer.SetOnTimer(TNotifyEvent(&gStamp, &TActionStamp::Fire));
    }
    gStamp.Fired = 0;
    m->RequestAction(m->Action(), 1);
    MSG msg;
    while (!gStamp.Fired && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

// The request as the settings page makes it: the list's text, then its change handler (the
// skin file is loaded, the action queued).
void Request(const char* theme)
{
    Form1->ComboBox2->SetText(theme);
    Form1->ComboBox2Change(nullptr);
}

// Switches with the manager's own deferral and waits until the window shows the theme.
void Settle(HWND h, const char* theme)
{
    Request(theme);
    const double end = Now() + 5000;
    while (!Shows(h, theme) && Now() < end)
        PumpFor(5);
    PumpFor(300);  // late posted work, the hover timer's first tick
    Cover(h);
}

struct TSwitch {
    double Ms = 0;
    TFrameVerdict Frames;
};

std::string gDump;
int gDumped = 0;

// One switch from the theme the window shows to `theme`: milliseconds from the end of the
// deferral to the finished repaint, and what the screen showed meanwhile.
TSwitch SwitchTo(HWND h, const char* from, const char* theme)
{
    Request(theme);
    PumpFor(40);  // the list shows its new text; the deferral (250 ms) is still running
    const TScreenPicture before = GrabScreen(gArea);
    TFrameCapture capture(gArea);
    capture.Start();
    Sleep(20);
    TSwitch s;
    OutputDebugStringA("switch begins\n");  // marks for a trace (WINEDEBUG=+server,+debugstr)
    RunPendingAction();
    PumpUntilIdle();
    s.Ms = Now() - gStamp.Fired;
    OutputDebugStringA("switch ends\n");
    PumpFor(150);  // what the display shows a little later belongs to the switch too
    capture.Stop();
    const TScreenPicture after = GrabScreen(gArea);
    if (!Shows(h, theme))
        std::printf("  (%s -> %s did not finish)\n", from, theme);
    s.Frames = JudgeFrames(capture.Pictures(), before, after);
    if (!gDump.empty() && s.Frames.Intermediate && gDumped < 40) {
        std::string stem = gDump + "\\" + std::to_string(gDumped++) + "-" + from + "-" + theme;
        for (char& c : stem)
            if (c == ' ')
                c = '_';
        SavePicture(before, stem + "-0before.bmp");
        SavePicture(after, stem + "-9after.bmp");
        int i = 0;
        for (const TScreenPicture& p : capture.Pictures())
            if (PixelsDiffering(p, before) && PixelsDiffering(p, after))
                SavePicture(p, stem + "-" + std::to_string(++i) + ".bmp");
    }
    return s;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// One plain full repaint, as the switch is timed: each started from a waiting message loop,
// the median of `runs`.
double MedianRepaint(HWND h, int runs)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        PumpFor(20);
        OutputDebugStringA("repaint begins\n");
        const double start = Now();
        RepaintWhole(h);
        ms.push_back(Now() - start);
        OutputDebugStringA("repaint ends\n");
    }
    return Median(ms);
}

double CpuMs()
{
    FILETIME c, e, k, u;
    GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u);
    auto ms = [](const FILETIME& f) {
        return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) /
               10000.0;
    };
    return ms(k) + ms(u);
}

// The share of one core the program takes while it waits for messages, as its loop does.
double IdleShare(double seconds)
{
    const double cpu = CpuMs(), start = Now();
    MSG msg;
    while (Now() - start < seconds * 1000) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    return (CpuMs() - cpu) / (Now() - start) * 100;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 5, soak = 0, onlyFrom = -1, onlyTo = -1;
    double idle = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--soak" && i + 1 < argc)
            soak = std::max(0, std::atoi(argv[++i]));
        else if (a == "--idle" && i + 1 < argc)
            idle = std::atof(argv[++i]);
        else if (a == "--pair" && i + 2 < argc) {
            onlyFrom = std::atoi(argv[++i]);
            onlyTo = std::atoi(argv[++i]);
        } else if (a == "--dump" && i + 1 < argc)
            gDump = argv[++i];
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
    SetCursorPos(0, 0);  // no control under the mouse changes its look meanwhile
    const HWND h = StartProgramForms();
    PumpFor(300);
    // The theme is chosen on the settings page; the focus stays off the list (no caret blinks).
    Form1->PageControl1->SetActivePage(Form1->TabSheet2);
    SetFocus(h);
    for (const char* theme : {"Standar", "MacOS", "Default Windows"})
        Settle(h, theme);
    InflateRect(&gArea, 8, 8);

    // One plain full repaint, unskinned and in each theme, measured before the switches.
    std::vector<double> repaint;
    for (const char* theme : Themes) {
        Settle(h, theme);
        repaint.push_back(MedianRepaint(h, 15));
    }
    const double plain = repaint[0];
    std::printf("one plain full repaint (median): %.2f ms unskinned, %.2f ms Standar, %.2f ms MacOS\n", repaint[0], repaint[1],
                repaint[2]);

    // Each switch is also set against plain full repaints of the window in its new look, taken
    // right after it: a machine busy with other work slows both alike.
    std::printf("%-34s %9s %9s %8s %8s %9s %s\n", "switch (end of deferral to repaint)", "median", "best",
                "/plain", "/new", "pictures", "neither/foreign/magenta");
    int badTotal = 0, foreignTotal = 0;
    double worstRatio = 0, worstNewRatio = 0;
    for (int from = 0; from < 3; ++from)
        for (int to = 0; to < 3; ++to) {
            if (from == to || (onlyFrom >= 0 && (from != onlyFrom || to != onlyTo)))
                continue;
            std::vector<double> ms, toNew;
            TFrameVerdict frames;
            for (int r = 0; r < runs; ++r) {
                Settle(h, Themes[from]);
                TSwitch s = SwitchTo(h, Themes[from], Themes[to]);
                ms.push_back(s.Ms);
                toNew.push_back(s.Ms / MedianRepaint(h, 3));
                frames.Pictures += s.Frames.Pictures;
                frames.Intermediate += s.Frames.Intermediate;
                frames.Foreign += s.Frames.Foreign;
                frames.KeyColour += s.Frames.KeyColour;
            }
            const double med = Median(ms);
            const double best = *std::min_element(ms.begin(), ms.end());
            worstRatio = std::max(worstRatio, med / plain);
            worstNewRatio = std::max(worstNewRatio, Median(toNew));
            badTotal += frames.Intermediate;
            foreignTotal += frames.Foreign;
            const std::string name = std::string(Themes[from]) + " -> " + Themes[to];
            std::printf("%-34s %6.1f ms %6.1f ms %7.2fx %7.2fx %9d %5d/%d/%d\n", name.c_str(), med, best, med / plain,
                        Median(toNew), frames.Pictures, frames.Intermediate, frames.Foreign, frames.KeyColour);
        }
    std::printf("largest median ratio %.2fx one plain full repaint unskinned, %.2fx one of the new look; pictures "
                "of neither look %d, of them with pixels of neither %d\n",
                worstRatio, worstNewRatio, badTotal, foreignTotal);

    if (soak > 0) {
        Settle(h, "Default Windows");
        const int gdi = LiveGdiObjects(), windows = ThreadWindows();
        const size_t heap = HeapBytesInUse();
        for (int i = 0; i < soak; ++i)
            Settle(h, Themes[(i + 1) % 3]);
        Settle(h, "Default Windows");
        std::printf("after %d switches: GDI objects %d -> %d, windows %d -> %d, heap %+ld bytes\n", soak, gdi,
                    LiveGdiObjects(), windows, ThreadWindows(),
                    static_cast<long>(HeapBytesInUse()) - static_cast<long>(heap));
    }
    if (idle > 0)
        for (const char* theme : Themes) {
            Settle(h, theme);
            std::printf("idle in %-16s %.2f%% of a core\n", theme, IdleShare(idle));
        }

    Settle(h, "Default Windows");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
    EndProgramForms();
    return 0;
}

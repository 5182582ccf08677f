// Times of the skinned frame on the program's main window, run by hand under Wine (ratios
// within one run are what counts):
//   cd build/win32/bin && xvfb-run -a wine skinframe_bench.exe
// - theme switch: from the request on the settings page to the finished repaint of the window,
//   for "Standar" and "MacOS", without the manager's 250 ms deferral, against a full repaint of
//   the same window unskinned;
// - frame repaint: a skinned WM_NCPAINT against the native one.
#include <cstdio>
#include <functional>

#include "alarm.h"
#include "benchtime.h"
#include "clock.h"
#include "combobox.h"
#include "main.h"
#include "programforms.h"
#include "skinform.h"
#include "skinmanager.h"

namespace {

void PumpUntil(const std::function<bool()>& done, double ms = 5000)
{
    const double end = Now() + ms;
    while (!done() && Now() < end) {
        Pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

bool Shows(HWND h, bool skinned)
{
    TSkinManage* m = SkinManager();
    if (!m || m->PendingData())
        return false;
    TSkinForm* f = m->FindSkinForm(h);
    return skinned ? f && f->LifeState() == TSkinForm::lsSkinned : !f;
}

// Chooses a theme and returns the milliseconds until the window shows it repainted; the
// pending action is queued again at once so the deferral is not counted.
double Switch(HWND h, const char* theme)
{
    const bool skinned = String(theme) != "Default Windows";
    const double start = Now();
    Form1->ComboBox2->SetText(theme);
    Form1->ComboBox2Change(nullptr);
    if (TSkinManage* m = SkinManager(); m && m->PendingData())
        m->RequestAction(m->Action(), 1);
    PumpUntil([&] { return Shows(h, skinned); });
    RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Now() - start;
}

}  // namespace

int main()
{
    const HWND h = StartProgramForms();
    PumpUntil([] { return false; }, 300);  // the window settles
    Switch(h, "Default Windows");

    const double plainRepaint = Time(20, [h] { RepaintWhole(h); });
    const double nativeFrame = Time(200, [h] { SendMessageA(h, WM_NCPAINT, 1, 0); });
    std::printf("unskinned: whole repaint %.3f ms, WM_NCPAINT %.3f ms\n", plainRepaint, nativeFrame);

    for (const char* theme : {"Standar", "MacOS"}) {
        double best = 1e300;
        for (int i = 0; i < 5; ++i) {
            Switch(h, "Default Windows");
            best = std::min(best, Switch(h, theme));
        }
        const double refresh = [&] {
            double b = 1e300;
            for (int i = 0; i < 5; ++i) {
                Switch(h, String(theme) == "Standar" ? "MacOS" : "Standar");
                b = std::min(b, Switch(h, theme));
            }
            return b;
        }();
        const double frame = Time(200, [h] { SendMessageA(h, WM_NCPAINT, 1, 0); });
        const double whole = Time(20, [h] { RepaintWhole(h); });
        std::printf("%-8s switch on %.2f ms (%.1fx a plain repaint), from the other theme %.2f ms (%.1fx); "
                    "WM_NCPAINT %.3f ms (%.2fx native); whole repaint %.3f ms (%.2fx)\n",
                    theme, best, best / plainRepaint, refresh, refresh / plainRepaint, frame, frame / nativeFrame,
                    whole, whole / plainRepaint);
    }
    Switch(h, "Default Windows");
    EndProgramForms();
    return 0;
}

// Times of the control skins, run by hand under Wine (ratios within one run are what counts):
//   cd build/win32/bin && xvfb-run -a wine skincontrols_bench.exe
// A form with a page control (tabs on top, with a group box holding a track bar and edits), a
// page control with tabs at the bottom, a time picker, a panel, a progress bar, an up-down
// and a status bar is repainted whole (frame, children, everything) unskinned and then with
// the control skins of "Standar" and "MacOS" attached; the ratio is skinned against unskinned.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "benchtime.h"
#include "controlfactory.h"
#include "datetimepicker.h"
#include "forms.h"
#include "groupbox.h"
#include "pagecontrol.h"
#include "skincontrol.h"
#include "skindata.h"
#include "skinform.h"
#include "statusbar.h"
#include "stdctrls.h"
#include "trackbar.h"

namespace {

template <class T>
T* Add(TForm* form, TWinControl* parent, int l, int t, int w, int h)
{
    auto* c = new T(form);
    c->SetBounds(l, t, w, h);
    c->SetParent(parent);
    return c;
}

void AddPages(TForm* form, TPageControl* pc, std::initializer_list<const char*> captions)
{
    for (const char* caption : captions) {
        auto* page = new TTabSheet(form);
        page->SetCaption(caption);
        page->SetPageControl(pc);
    }
}

struct TBenchForm {
    TForm* Form = nullptr;
    std::vector<std::pair<TSkinKind, TWinControl*>> Controls;
    std::vector<std::pair<TSkinKind, HWND>> Windows;
};

TBenchForm MakeForm()
{
    TBenchForm b;
    b.Form = new TForm(nullptr);
    b.Form->SetBounds(40, 40, 540, 440);
    b.Form->SetCaption("Velmora");
    auto* tabs = Add<TPageControl>(b.Form, b.Form, 10, 10, 300, 200);
    AddPages(b.Form, tabs, {"Alarm", "Settings", "About"});
    tabs->SetActivePageIndex(1);
    auto* group = Add<TGroupBox>(b.Form, tabs->Pages(1), 10, 10, 270, 150);
    group->SetCaption("Settings");
    auto* slider = Add<TTrackBar>(b.Form, group, 10, 25, 240, 40);
    slider->SetMax(255);
    slider->SetPosition(200);
    auto* edit1 = Add<TEdit>(b.Form, group, 10, 80, 120, 22);
    edit1->SetText("Velmora");
    auto* edit2 = Add<TEdit>(b.Form, group, 140, 80, 110, 22);
    edit2->SetText("reminder");
    auto* bottom = Add<TPageControl>(b.Form, b.Form, 10, 220, 240, 130);
    bottom->SetTabPosition(tpBottom);
    AddPages(b.Form, bottom, {"One", "Two"});
    auto* time = Add<TDateTimePicker>(b.Form, b.Form, 330, 20, 130, 24);
    time->SetKind(dtkTime);
    auto* panel = Add<TPanel>(b.Form, b.Form, 330, 60, 180, 80);
    panel->SetCaption("Panel");
    auto* status = Add<TStatusBar>(b.Form, b.Form, 0, 0, 0, 22);
    for (const char* text : {"Velmora minimize here", "ready"}) {
        TStatusPanel* p = status->Panels()->Add();
        p->SetWidth(260);
        p->SetText(text);
    }
    b.Form->Show();
    HWND progress = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 330, 160, 180, 16,
                                    b.Form->Handle(), nullptr, nullptr, nullptr);
    SendMessageA(progress, PBM_SETPOS, 60, 0);
    HWND upDown = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 330, 190, 16, 30, b.Form->Handle(),
                                  nullptr, nullptr, nullptr);
    b.Controls = {{TSkinKind::Tab, tabs},      {TSkinKind::Tab, bottom},     {TSkinKind::GroupBox, group},
                  {TSkinKind::TrackBar, slider}, {TSkinKind::Edit, edit1},     {TSkinKind::Edit, edit2},
                  {TSkinKind::Edit, time},     {TSkinKind::Box, panel},      {TSkinKind::StatusBar, status}};
    b.Windows = {{TSkinKind::Progress, progress}, {TSkinKind::UpDown, upDown}};
    return b;
}

// The form's controls skinned with the theme; the skinned-window object holds them all.
TSkinForm* SkinControls(TBenchForm& b, TSkinData* data)
{
    auto* form = new TSkinForm(nullptr);
    form->Window = b.Form->Handle();
    for (auto [kind, control] : b.Controls)
        NewControlSkin(kind, control)->InitControl(form, data, form->WorkCanvas(), kind == TSkinKind::Box);
    for (auto [kind, wnd] : b.Windows)
        NewControlSkin(kind, form)->InitHandle(wnd, data, form, form->WorkCanvas());
    return form;
}

}  // namespace

int main()
{
    Application->Initialize();
    TBenchForm b = MakeForm();
    const HWND h = b.Form->Handle();
    SetForegroundWindow(h);
    for (int i = 0; i < 30; ++i) {
        Pump();
        Sleep(10);
    }
    auto* data = new TSkinData(b.Form);
    for (const char* theme : {"default.skn", "macos.skn"}) {
        data->FSkinStream.LoadFromFile(ExtractFilePath(Application->ExeName()) + "Skins\\" + theme);
        if (!data->LoadSkinStore()) {
            std::printf("%s: cannot load\n", theme);
            continue;
        }
        // Unskinned and skinned in turns, the best of each: the machine's load moves both.
        double plain = 1e300, skinned = 1e300;
        for (int round = 0; round < 3; ++round) {
            plain = std::min(plain, Time(10, [h] { RepaintWhole(h); }));
            TSkinForm* skins = SkinControls(b, data);
            RepaintWhole(h);
            skinned = std::min(skinned, Time(10, [h] { RepaintWhole(h); }));
            delete skins;
        }
        std::printf("%-12s whole repaint %.3f ms, unskinned %.3f ms: %.2fx\n", theme, skinned, plain,
                    skinned / plain);
    }
    delete b.Form;
    DoneApplication();
    return 0;
}

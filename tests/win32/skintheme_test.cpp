// The themes on the program's main window: each theme skin paints its frame around the same
// client area, switching "Default Windows" / "Standar" / "MacOS" over and over leaves no GDI
// objects, window procedures or memory behind, and a switch repaints the window once.
#include <map>

#include "combobox.h"
#include "framecapture.h"
#include "guitest.h"
#include "clock.h"
#include "extctrls.h"
#include "pixeltest.h"
#include "processcounts.h"
#include "main.h"
#include "programforms.h"
#include "pagecontrol.h"
#include "skindata.h"
#include "skinform.h"
#include "skinmanager.h"
#include "skinmessages.h"
#include "trackbar.h"

namespace {

// Paint messages each window of the thread gets while it lives: sent ones (WM_NCPAINT, and
// WM_PAINT of an immediate update) and posted ones (WM_PAINT from the message loop).
class TPaintCount {
public:
    TPaintCount()
    {
        gCount = this;
        FSent = SetWindowsHookExA(WH_CALLWNDPROC, &Sent, nullptr, GetCurrentThreadId());
        FPosted = SetWindowsHookExA(WH_GETMESSAGE, &Posted, nullptr, GetCurrentThreadId());
    }
    ~TPaintCount()
    {
        UnhookWindowsHookEx(FSent);
        UnhookWindowsHookEx(FPosted);
        gCount = nullptr;
    }
    int Paints(HWND w) const { return Get(FPaints, w); }
    int FramePaints(HWND w) const { return Get(FFramePaints, w); }
    // Windows painted more often here than in `other`, with both counts.
    std::vector<String> MoreThan(const TPaintCount& other) const
    {
        std::vector<String> more;
        for (const auto& [w, n] : FPaints)
            if (n > other.Paints(w))
                more.push_back(WindowClassName(w) + " " + IntToStr(n) + " > " + IntToStr(other.Paints(w)));
        return more;
    }

private:
    static int Get(const std::map<HWND, int>& m, HWND w)
    {
        auto it = m.find(w);
        return it == m.end() ? 0 : it->second;
    }
    void Note(HWND w, UINT msg)
    {
        if (msg == WM_PAINT)
            ++FPaints[w];
        else if (msg == WM_NCPAINT)
            ++FFramePaints[w];
    }
    static LRESULT CALLBACK Sent(int code, WPARAM wp, LPARAM lp)
    {
        if (code == HC_ACTION && gCount) {
            const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
            gCount->Note(m->hwnd, m->message);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static LRESULT CALLBACK Posted(int code, WPARAM wp, LPARAM lp)
    {
        if (code == HC_ACTION && wp == PM_REMOVE && gCount) {
            const auto* m = reinterpret_cast<const MSG*>(lp);
            gCount->Note(m->hwnd, m->message);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline TPaintCount* gCount = nullptr;
    HHOOK FSent = nullptr, FPosted = nullptr;
    std::map<HWND, int> FPaints, FFramePaints;
};

class SkinThemeTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        DoneSkinManager();
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
        CreateProgramForms();
        Form1->Show();
        SetForegroundWindow(Form1->Handle());
        ASSERT_TRUE(PumpHandled()) << "the main window did not finish showing";
        Data = As<TSkinData>(Form1->FindComponent("sd"));
        ASSERT_NE(Data, nullptr);
    }
    void TearDown() override
    {
        FreeProgramForms();
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
        DoneSkinManager();
        GuiTest::TearDown();
    }

    // Chooses a theme on the settings page and waits until the window shows it.
    void Choose(const char* theme)
    {
        Form1->ComboBox2->SetText(theme);
        Form1->ComboBox2Change(nullptr);
        WaitShown(theme);
    }

    // The theme shows, and its repaint is done.
    void WaitShown(const char* theme)
    {
        const HWND h = Form1->Handle();
        const bool on = String(theme) != "Default Windows";
        ASSERT_TRUE(PumpUntil([&] {
            TSkinManage* m = SkinManager();
            if (!m || m->PendingData())
                return false;
            TSkinForm* f = m->FindSkinForm(h);
            return on ? f && f->LifeState() == TSkinForm::lsSkinned : !f;
        })) << theme;
        ASSERT_TRUE(PumpHandled()) << theme << ": the repaint did not end";
    }
    // The user moves the theme list's selection with the arrow keys, on the settings page.
    void ArrowTo(const char* theme)
    {
        const HWND edit = GetWindow(Form1->ComboBox2->Handle(), GW_CHILD);
        SetFocus(edit);
        const int want = Form1->ComboBox2->Items()->IndexOf(theme);
        ASSERT_GE(want, 0);
        for (int i = 0; i < 4 && Form1->ComboBox2->ItemIndex() != want; ++i)
            PressKey(Form1->ComboBox2->ItemIndex() < want ? VK_DOWN : VK_UP, edit);
        ASSERT_EQ(Form1->ComboBox2->Text(), theme);
    }

    TSkinData* Data = nullptr;
};

TEST_F(SkinThemeTest, EachThemeFramesTheSameClientArea)
{
    const HWND h = Form1->Handle();
    RECT native{}, client{};
    GetWindowRect(h, &native);
    GetClientRect(h, &client);
    for (const char* theme : {"Standar", "MacOS", "Standar", "Default Windows"}) {
        SCOPED_TRACE(theme);
        Choose(theme);
        RECT now{};
        GetClientRect(h, &now);
        EXPECT_EQ(TRect(now), TRect(client));
        TSkinForm* f = SkinManager()->FindSkinForm(h);
        RECT window{};
        GetWindowRect(h, &window);
        if (!f) {
            EXPECT_EQ(TRect(window), TRect(native));
            continue;
        }
        EXPECT_EQ(window.right - window.left, client.right + f->LeftBorder() + f->RightBorder());
        EXPECT_EQ(window.bottom - window.top, client.bottom + f->CaptionHeight() + f->BottomBorder());
        // Rounded: the top corners are cut away, the frame below them is not.
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(h, rgn), ERROR);
        EXPECT_FALSE(PtInRegion(rgn, 0, 0));
        EXPECT_FALSE(PtInRegion(rgn, window.right - window.left - 1, 0));
        EXPECT_TRUE(PtInRegion(rgn, 0, 30));
        DeleteObject(rgn);
        // The caption shows the skin's top border picture in the caption band.
        const TDataSkinBorder& top = Data->Border(TSkinObjects::bdTop);
        EXPECT_EQ(f->CaptionHeight(), top.Bitmap.Height() / top.Frame);
        EXPECT_EQ(SendMessageA(h, SKM_ISSKINNED, 0, 0), 1);
    }
}

TEST_F(SkinThemeTest, FiftySwitchesLeaveNothingBehind)
{
    const HWND h = Form1->Handle();
    const WNDPROC proc = ProcOf(h);
    const TWndMethod method = Form1->WindowProc;
    const char* themes[] = {"Standar", "MacOS", "Default Windows"};
    // One round first: caches, fonts and the scratch bitmap settle; and the hidden desktop clock
    // takes its digit pictures at its first tick.
    for (const char* theme : themes)
        Choose(theme);
    auto* seconds = As<TImage>(FrmClock->FindComponent("Image7"));
    ASSERT_TRUE(PumpUntil([&] { return seconds->Picture()->Width() > 0; }))
        << "the desktop clock's first tick did not come";
    const int gdi = LiveGdiObjects();
    const size_t heap = HeapBytesInUse();
    for (int i = 0; i < 50; ++i) {
        const char* theme = themes[i % 3];
        Choose(theme);
        if (HasFatalFailure())
            return;
        if (i % 3 == 2) {
            EXPECT_EQ(ProcOf(h), proc) << "switch " << i;
            EXPECT_TRUE(Form1->WindowProc == method) << "switch " << i;
        }
    }
    Choose("Default Windows");
    EXPECT_EQ(ProcOf(h), proc);
    // What a message still on its way holds (a hint, a cached drawing context) goes with it.
    EXPECT_TRUE(PumpUntil([&] { return LiveGdiObjects() == gdi; }))
        << LiveGdiObjects() << " GDI objects alive after the switches, " << gdi << " before";
    EXPECT_LE(HeapBytesInUse(), heap + 4096);
}

}  // namespace

TEST_F(SkinThemeTest, LabelsAndTheSliderTakeTheSkinsFaceColour)
{
    auto* time = As<TControl>(Form2->FindComponent("MaskEdit1"));
    auto* slider = As<TControl>(Form1->FindComponent("TrackBar1"));
    ASSERT_NE(time, nullptr);
    ASSERT_NE(slider, nullptr);
    for (const char* theme : {"MacOS", "Standar"}) {
        SCOPED_TRACE(theme);
        Choose(theme);
        const TColor face = Data->FColors[scButtonFace];
        EXPECT_EQ(time->Color(), face) << "a label on the alarm page shows no box of another colour";
        EXPECT_EQ(slider->Color(), face);
    }
    Choose("Default Windows");
    EXPECT_EQ(time->Color(), clBtnFace);
    EXPECT_EQ(slider->Color(), clBtnFace);
}

TEST_F(SkinThemeTest, ASwitchByTheListRepaintsEveryWindowOnce)
{
    Form1->PageControl1->SetActivePage(Form1->TabSheet2);
    PumpHandled();
    const HWND h = Form1->Handle();
    for (const char* theme : {"Standar", "MacOS", "Default Windows", "MacOS", "Standar", "Default Windows"}) {
        SCOPED_TRACE(theme);
        ArrowTo(theme);
        TPaintCount switching;  // from the end of the user's input to the shown theme
        WaitShown(theme);
        if (HasFatalFailure())
            return;
        TPaintCount plain;
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_EQ(switching.FramePaints(h), 1) << "the frame";
        EXPECT_EQ(switching.Paints(h), 1) << "the client area";
        EXPECT_EQ(switching.Paints(Form1->TrackBar1->Handle()), 1) << "the slider";
        EXPECT_EQ(switching.MoreThan(plain), std::vector<String>()) << "painted more often than by one full repaint";
    }
}

TEST_F(SkinThemeTest, ASkinToSkinSwitchGivesTheWindowTheNewSkinsShape)
{
    const HWND h = Form1->Handle();
    auto shape = [h] {
        TGdiObject<HRGN> r(CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(GetWindowRgn(h, r.Get()), ERROR);
        return r;
    };
    for (const char* theme : {"MacOS", "Standar"}) {
        SCOPED_TRACE(theme);
        Choose("Default Windows");
        Choose(theme);
        TGdiObject<HRGN> fresh = shape();
        Choose("Default Windows");
        Choose(String(theme) == "MacOS" ? "Standar" : "MacOS");
        Choose(theme);
        TGdiObject<HRGN> switched = shape();
        EXPECT_TRUE(EqualRgn(fresh.Get(), switched.Get()));
        // Nothing of the frame's key colour lies inside the shape the window shows.
        RECT r{};
        GetWindowRect(h, &r);
        TBitmap picture(r.right - r.left, r.bottom - r.top);
        HDC window = GetWindowDC(h);
        BitBlt(picture.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), window, 0, 0, SRCCOPY);
        ReleaseDC(h, window);
        int keyed = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                keyed += PtInRegion(switched.Get(), x, y) && At(picture, x, y) == clFuchsia;
        EXPECT_EQ(keyed, 0);
    }
}

TEST_F(SkinThemeTest, NoPictureOfASwitchShowsTheKeyColour)
{
    Form1->PageControl1->SetActivePage(Form1->TabSheet2);
    SetCursorPos(0, 0);
    const HWND h = Form1->Handle();
    RECT area{};
    GetWindowRect(h, &area);
    InflateRect(&area, 12, 12);
    for (const char* theme : {"Standar", "MacOS", "Default Windows", "MacOS"}) {
        SCOPED_TRACE(theme);
        ArrowTo(theme);
        TFrameCapture capture(area);
        capture.Start();
        WaitShown(theme);
        capture.Stop();
        if (HasFatalFailure())
            return;
        EXPECT_GT(capture.Grabs(), 1);
        for (const TScreenPicture& p : capture.Pictures())
            EXPECT_EQ(KeyColourPixels(p), 0);
    }
}

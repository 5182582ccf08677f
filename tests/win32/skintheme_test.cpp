// The themes on the program's main window: each theme skin paints its frame around the same
// client area, and switching "Default Windows" / "Standar" / "MacOS" over and over leaves no
// GDI objects, window procedures or memory behind.
#include "alarm.h"
#include "clock.h"
#include "combobox.h"
#include "guitest.h"
#include "main.h"
#include "skindata.h"
#include "skinform.h"
#include "skinmanager.h"
#include "skinmessages.h"

namespace {

// Live GDI objects of the process, from a scan of the handle table (Wine has no
// GetGuiResources): a handle with a zero upper word names any generation of its slot.
int LiveGdiObjects()
{
    int n = 0;
    for (UINT_PTR i = 1; i < 0x10000; ++i)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)))
            ++n;
    return n;
}

// Bytes in use in the process's heaps.
size_t HeapBytesInUse()
{
    HANDLE heaps[64];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    size_t total = 0;
    for (DWORD i = 0; i < count; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY e{};
        while (HeapWalk(heaps[i], &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += e.cbData;
        HeapUnlock(heaps[i]);
    }
    return total;
}

class SkinThemeTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        DoneSkinManager();
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Application->CreateForm(FrmClock);
        Form1->Show();
        SetForegroundWindow(Form1->Handle());
        PumpFor(50);
        Data = As<TSkinData>(Form1->FindComponent("sd"));
        ASSERT_NE(Data, nullptr);
    }
    void TearDown() override
    {
        FreeAndNil(FrmClock);
        FreeAndNil(Form2);
        FreeAndNil(Form1);
        Application->SetMainForm(nullptr);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora");
        DoneSkinManager();
        GuiTest::TearDown();
    }

    // Chooses a theme on the settings page and waits until the window shows it.
    void Choose(const char* theme)
    {
        Form1->ComboBox2->SetText(theme);
        Form1->ComboBox2Change(nullptr);
        const HWND h = Form1->Handle();
        const bool on = String(theme) != "Default Windows";
        ASSERT_TRUE(PumpUntil([&] {
            TSkinManage* m = SkinManager();
            if (!m || m->PendingData())
                return false;
            TSkinForm* f = m->FindSkinForm(h);
            return on ? f && f->LifeState() == TSkinForm::lsSkinned : !f;
        })) << theme;
        PumpFor(10);
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
    // One round first: caches, fonts and the scratch bitmap settle.
    for (const char* theme : themes)
        Choose(theme);
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
    EXPECT_EQ(LiveGdiObjects(), gdi);
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

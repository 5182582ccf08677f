// Right to left on an MDI frame: the right-to-left form of forms/rtlform.form with a system MDI
// client, skinned with a theme skin that has the buttons of a maximized child. The menu bar
// stops short of those buttons while a child is maximized, and runs from its margin again when
// the child's close button has closed it; left to right the buttons do not move the bar.
#include "realinput.h"
#include "rtlform.h"
#include "skincontent.h"

namespace {

// The theme skin with the buttons of a maximized MDI child: minimise, restore and close, each
// of one colour in all four states, cut from one picture of twelve states.
constexpr int MDIButtonWidth = 16;
constexpr TColor MDIColours[3] = {static_cast<TColor>(RGB(0, 0, 255)), static_cast<TColor>(RGB(0, 160, 0)),
                                  static_cast<TColor>(RGB(255, 128, 0))};

TBytes MDIControlsPicture()
{
    TBitmap b(12 * MDIButtonWidth, 14);
    for (int k = 0; k < 3; ++k)
        Paint(b, TRect(4 * k * MDIButtonWidth, 0, 4 * (k + 1) * MDIButtonWidth, 14), MDIColours[k]);
    TMemoryStream s;
    b.SaveToStream(s);
    return s.Bytes();
}

LRESULT CALLBACK MDIChildProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) { return DefMDIChildProcA(w, msg, wp, lp); }

// The right-to-left form as an MDI frame: a system MDI client among its controls, found when
// the form is skinned.
class RtlMdiTest : public RtlSkinTest {
protected:
    void TearDown() override
    {
        RtlSkinTest::TearDown();
        if (!File.empty())
            DeleteFileA(File.c_str());
    }
    String SkinFile() override
    {
        TSkinContent skin = FromSkinFile(RtlSkinTest::SkinFile());
        skin.Ini += "\r\n[MDICONTROLS]\r\nImage=mdicontrols.bmp\r\n";
        skin.Pictures.emplace_back("mdicontrols.bmp", MDIControlsPicture());
        const TBytes packed = skin.Packed();
        TMemoryStream s;
        s.LoadFromBytes(packed.data(), packed.size());
        File = TempSkinFile("mdi");
        s.SaveToFile(File);
        return File;
    }
    void BeforeSkinning() override
    {
        CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
        Client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 200, 120, 210, 150,
                                 Form->Handle(), nullptr, GetModuleHandleA(nullptr), &ccs);
        ASSERT_TRUE(Client);
    }
    // A child the way an MDI program makes one: asked of its client.
    HWND NewChild()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = MDIChildProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "VelmoraRtlMdiChild";
        RegisterClassA(&wc);
        MDICREATESTRUCTA mcs{};
        mcs.szClass = wc.lpszClassName;
        mcs.szTitle = "Child";
        mcs.hOwner = wc.hInstance;
        mcs.x = mcs.y = 0;
        mcs.cx = 150;
        mcs.cy = 100;
        return reinterpret_cast<HWND>(SendMessageA(Client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }
    // The caption buttons a maximized child shows on the bar, minimise to close.
    std::vector<TWinSysButton*> MDIButtons() const
    {
        std::vector<TWinSysButton*> found;
        for (int i = 0; i < Skin->ButtonCount(); ++i)
            if (const TDataSkinSysButton* o = Skin->Buttons(i)->SkinObject(); o && o->Visibility == 100)
                found.push_back(Skin->Buttons(i));
        return found;
    }
    std::vector<TRect> BarButtonRects() const
    {
        std::vector<TRect> r;
        for (int i = 0; i < 3; ++i)
            r.push_back(Bar->Buttons(i)->Rect);
        return r;
    }

    HWND Client = nullptr;
    String File;
};

}  // namespace

TEST_P(RtlMdiTest, BarStopsShortOfTheButtonsOfAMaximizedChild)
{
    const TRect bar = Bar->BarRect();
    const int start = Bar->Buttons(0)->Rect.right;
    const std::vector<TRect> free = BarButtonRects();
    const TColor text = Colour(scMenuBarText);
    auto shows = [&](TBitmap& shot, TWinSysButton* b, TColor c) {
        const TRect& r = b->Rect;
        return !r.Empty() && At(shot, (r.left + r.right) / 2, (r.top + r.bottom) / 2) == Rgb(c);
    };
    ASSERT_EQ(MDIButtons().size(), 3u);
    auto shot = Shot(Form);
    for (int k = 0; k < 3; ++k)
        EXPECT_FALSE(shows(*shot, MDIButtons()[k], MDIColours[k])) << k;

    // A maximized child: its buttons on the bar at the right, the bar's buttons 5 pixels left
    // of them, as wide as before, and no caption reaches over.
    HWND child = NewChild();
    ASSERT_TRUE(child);
    SendMessageA(Client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    ASSERT_TRUE(Skin->IsMDIChildMaximized());
    shot = Shot(Form);
    int mdiLeft = bar.right;
    for (int k = 0; k < 3; ++k) {
        TWinSysButton* b = MDIButtons()[k];
        EXPECT_TRUE(b->Visible) << k;
        EXPECT_TRUE(shows(*shot, b, MDIColours[k])) << k;
        EXPECT_GE(b->Rect.top, bar.top) << k;
        EXPECT_LE(b->Rect.bottom, bar.bottom) << k;
        mdiLeft = std::min<int>(mdiLeft, b->Rect.left);
    }
    EXPECT_LT(mdiLeft, start);
    EXPECT_EQ(Bar->Buttons(0)->Rect.right, mdiLeft - 5);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Bar->Buttons(i)->Rect.Width(), free[i].Width()) << i;
        if (i > 0) {
            EXPECT_EQ(Bar->Buttons(i)->Rect.right, Bar->Buttons(i - 1)->Rect.left) << i;
        }
        EXPECT_FALSE(InkOf(*shot, Bar->Buttons(i)->Rect, text).Empty()) << i;
    }
    const TInk captions = InkOf(*shot, TRect(bar.left, bar.top, mdiLeft, bar.bottom), text);
    ASSERT_FALSE(captions.Empty());
    EXPECT_LT(captions.Last(), mdiLeft - 5);

    // The mouse on the rightmost bar button opens its drop-down, right-aligned under it.
    const TRect first = Bar->Buttons(0)->Rect;
    TRect open;
    TMenuSteps steps;
    steps.WhenOpen([&](HWND popup) {
        open = WindowRectOf(popup);
        PostKey(Form->Handle(), VK_ESCAPE);
    });
    EXPECT_TRUE(steps.Taken([&] {
        ClickScreen(WindowToScreen(Form->Handle(), (first.left + first.right) / 2, (first.top + first.bottom) / 2));
    }));
    const TRect window = WindowRectOf(Form->Handle());
    EXPECT_EQ(open.right, window.left + first.right);
    // The child's close button, clicked, closes the child: the bar runs from its margin again.
    const TRect close = MDIButtons()[2]->Rect;
    ClickScreen(WindowToScreen(Form->Handle(), (close.left + close.right) / 2, (close.top + close.bottom) / 2));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(child); }));
    shot = Shot(Form);
    EXPECT_FALSE(Skin->IsMDIChildMaximized());
    EXPECT_EQ(Bar->Buttons(0)->Rect.right, start);
    for (int k = 0; k < 3; ++k)
        EXPECT_FALSE(shows(*shot, MDIButtons()[k], MDIColours[k])) << k;

    // Left to right the child's buttons do not move the bar.
    TurnLeftToRight();
    const std::vector<TRect> ltr = BarButtonRects();
    child = NewChild();
    SendMessageA(Client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    shot = Shot(Form);
    ASSERT_TRUE(Skin->IsMDIChildMaximized());
    EXPECT_TRUE(shows(*shot, MDIButtons()[2], MDIColours[2]));
    EXPECT_EQ(BarButtonRects(), ltr);
}

INSTANTIATE_TEST_SUITE_P(ThemeSkins, RtlMdiTest, testing::Values("default.skn", "macos.skn"), ThemeName);

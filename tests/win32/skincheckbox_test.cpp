// Check boxes and radio buttons on real windows: the glyph frame of each state in pixels (the
// strip skin and both theme skins), toggling and grouping by mouse and key as unskinned, full
// mode on toolkit controls and glyph mode on dialog buttons, Tag 5555; and the background
// fills: pages, button-style tabs, size grips.
#include <tuple>

#include "controlskintest.h"
#include "extctrls.h"
#include "pagecontrol.h"
#include "skincheckbox.h"
#include "skinfill.h"
#include "skinmanager.h"
#include "stdctrls.h"

namespace {

// A toolkit radio button: the system's automatic radio button, with "Checked".
class TTestRadio : public TWinControl {
    TK_CLASS(TTestRadio, TWinControl)
public:
    explicit TTestRadio(TComponent* owner) : TWinControl(owner)
    {
        FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
        SetTabStop(true);
    }
    bool Checked() const { return HandleAllocated() && SendMessageA(WindowHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool v) { SendMessageA(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0); }

protected:
    void CreateParams(TCreateParams& p) override
    {
        TWinControl::CreateParams(p);
        p.SysClassName = "BUTTON";
        p.Style |= BS_AUTORADIOBUTTON;
    }
};

const TClassInfo& TTestRadio::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTestRadio>("TTestRadio", &TWinControl::StaticClass())
                                       .Prop("Caption", &TTestRadio::GetText, &TTestRadio::SetText)
                                       .Prop("Checked", &TTestRadio::Checked, &TTestRadio::SetChecked)
                                       .Build();
    return info;
}

class TCounter : public TObject {
public:
    void Click(TObject*) { ++Clicks; }
    int Clicks = 0;
};

// Runs one test of this program again in a copy of it that Wine reports as Windows XP (its
// per-program version setting); the copy's exit code, -1 when it could not run.
int RunAsWindowsXP(const char* test)
{
    char self[MAX_PATH] = {}, temp[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    GetTempPathA(sizeof temp, temp);
    const String name = "velmora_xp_" + IntToStr(static_cast<int>(GetCurrentProcessId())) + ".exe";
    const String copy = String(temp) + name;
    const String key = "Software\\Wine\\AppDefaults\\" + name;
    HKEY k = nullptr;
    if (!CopyFileA(self, copy.c_str(), FALSE) ||
        RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) !=
            ERROR_SUCCESS)
        return -1;
    RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("winxp"), 6);
    RegCloseKey(k);
    String cmd = "\"" + copy + "\" --gtest_filter=" + test;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    DWORD code = static_cast<DWORD>(-1);
    if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &code);
        else
            TerminateProcess(pi.hProcess, 99);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    DeleteFileA(copy.c_str());
    return static_cast<int>(code);
}

class SkinCheckBoxTest : public ControlSkinTest {
protected:
    // The glyph's middle: the strip skin's glyphs are 13 x 13 at the left, centred across.
    TColor Glyph(TControl* c) { return PixelAt(SkinOf(c), 6, c->Height() / 2); }
};

}  // namespace

TEST_F(SkinCheckBoxTest, CheckBoxFramesAndToggling)
{
    UseStripSkin();
    auto* check = Add<TCheckBox>(Form, Form, "CheckBox1", 8, 8, 120, 21);
    check->SetCaption("Check me");
    check->SetAllowGrayed(true);
    TCounter counter;
    check->OnClick = TNotifyEvent(&counter, &TCounter::Click);
    SkinAll();
    auto* skin = As<TSkinCheckBox>(SkinOf(check));
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->Mode(), 1) << "full mode on a toolkit control with a glyph strip";

    EXPECT_EQ(Glyph(check), StripCheck[0]);
    EXPECT_EQ(PixelAt(skin, 118, 2), StripFace) << "the background is the face colour";
    TBitmap printed(120, 21);
    SendMessageA(check->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas()->Handle()), PRF_CLIENT);
    EXPECT_EQ(printed.Canvas()->Pixels(6, 10), StripCheck[0]) << "printed as painted";
    EXPECT_TRUE(SkinOf(check)->Active());
    // The mouse and the space key toggle as unskinned, one click each.
    ClickControl(check);
    EXPECT_EQ(check->State(), cbGrayed);
    EXPECT_EQ(Glyph(check), StripCheck[3]);
    ClickControl(check);
    EXPECT_EQ(check->State(), cbChecked);
    EXPECT_EQ(Glyph(check), StripCheck[1]);
    EXPECT_EQ(skin->CheckState(), 2);
    PressKey(VK_SPACE, check->Handle());
    EXPECT_EQ(check->State(), cbUnchecked);
    EXPECT_EQ(counter.Clicks, 3);
    check->SetChecked(true);
    EXPECT_EQ(WindowPixel(check->Handle(), 6, 10), StripCheck[1]) << "a new check state shows at once";
    // Grayed by the toolkit, whatever the window says.
    check->SetState(cbGrayed);
    SendMessageA(check->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(Glyph(check), StripCheck[3]);
    check->SetState(cbGrayed);
    check->SetEnabled(false);
    EXPECT_EQ(Glyph(check), StripCheck[3]) << "indeterminate disabled";
    check->SetChecked(true);
    EXPECT_EQ(Glyph(check), StripCheck[3]) << "checked disabled";
    check->SetChecked(false);
    EXPECT_EQ(Glyph(check), StripCheck[2]) << "unchecked disabled";

    // A twelve-frame strip: grayed shows frame 9, and 12 when disabled.
    TColor twelve[12];
    for (int i = 0; i < 12; ++i)
        twelve[i] = static_cast<TColor>(0x00100020 * (i + 1));
    TDataSkinButton& b = *Data->FButtons;
    FillStrip(b.CheckBitmap, 12, 13, 13, twelve);
    b.CheckButtonFrame = 12;
    check->SetState(cbGrayed);
    EXPECT_EQ(Glyph(check), twelve[11]);
    check->SetEnabled(true);
    EXPECT_EQ(Glyph(check), twelve[8]);
    check->SetEnabled(false);
    check->SetChecked(false);
    FillStrip(b.CheckBitmap, 4, 13, 13, StripCheck);
    b.CheckButtonFrame = 4;

    // The glyph on the right for a right-button check box.
    SetWindowLongA(check->Handle(), GWL_STYLE, GetWindowLongA(check->Handle(), GWL_STYLE) | BS_RIGHTBUTTON);
    EXPECT_EQ(PixelAt(skin, 120 - 7, 10), StripCheck[2]);
    EXPECT_EQ(PixelAt(skin, 2, 2), StripFace);

    // Without the strip the control paints itself and the skin goes to glyph mode.
    Data->FButtons->CheckBitmap.SetSize(0, 0);
    PixelAt(skin, 6, 10);
    EXPECT_EQ(skin->Mode(), 0);
}

TEST_F(SkinCheckBoxTest, TheCaptionIsDrawnInTheControlsFontAndGreysWhenDisabled)
{
    UseStripSkin();
    auto* check = Add<TCheckBox>(Form, Form, "CheckBox1", 8, 8, 300, 60);
    check->SetCaption("Wide caption");
    check->Font()->SetHeight(-28);
    check->Font()->SetColor(clRed);
    SkinAll();
    TSkinControl* skin = SkinOf(check);
    // The caption right of the glyph, as wide as the control's font makes it, in its colour.
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(check->Font());
    const int width = measure.Canvas()->TextWidth("Wide caption");
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    const TRect caption(15, 0, 300, 60);
    int left = 300, right = 0, top = 60, bottom = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = caption.left; x < caption.right; ++x)
            if (At(*shot, x, y) != StripFace) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
    EXPECT_NEAR(right - left, width, 4);
    EXPECT_NEAR(top + bottom, 60, 8) << "centred across";
    EXPECT_GT(CountOf(*shot, caption, clRed), 20);
    // Disabled: the same caption in the shadow colour.
    check->SetEnabled(false);
    shot = PaintedBy(skin);
    EXPECT_EQ(CountOf(*shot, caption, clRed), 0);
    EXPECT_GT(CountOf(*shot, caption, Rgb(clBtnShadow)), 20);
}

TEST_F(SkinCheckBoxTest, AFocusedCaptionHasItsFocusRectangleBeforeVersion6)
{
    UseStripSkin();
    auto* check = Add<TCheckBox>(Form, Form, "CheckBox1", 8, 8, 200, 24);
    check->SetCaption("Check me");
    auto* other = Add<TEdit>(Form, Form, "Edit1", 8, 60, 80, 21);
    SkinAll();
    TSkinControl* skin = SkinOf(check);
    // Clicked, the check box has the focus; the focus rectangle goes around its caption on
    // systems whose major version is not 6, and nowhere on version 6.
    std::unique_ptr<TBitmap> unfocused = PaintedBy(skin);
    ClickControl(check);
    ASSERT_EQ(GetFocus(), check->Handle());
    // What changed right of the glyph: how many pixels, from where to where.
    auto changes = [&](TBitmap& now) {
        int changed = 0, left = 200, right = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 15; x < 200; ++x)
                if (At(now, x, y) != At(*unfocused, x, y)) {
                    ++changed;
                    left = std::min(left, x);
                    right = std::max(right, x + 1);
                }
        return std::tuple{changed, left, right};
    };
    const auto [changed, left, right] = changes(*PaintedBy(skin));
    if (!SkinNotVersion6()) {
        EXPECT_EQ(changed, 0);
        EXPECT_EQ(RunAsWindowsXP("SkinCheckBoxTest.AFocusedCaptionHasItsFocusRectangleBeforeVersion6"), 0);
        return;
    }
    EXPECT_GT(changed, 40);
    EXPECT_GE(left, 15);
    EXPECT_LT(right, 120);  // around the caption, not the whole control
    other->SetFocus();
    EXPECT_EQ(std::get<0>(changes(*PaintedBy(skin))), 0);
}

TEST_F(SkinCheckBoxTest, RadioButtonsGroupAndShowTheirFrames)
{
    UseStripSkin();
    Data->Skin3rd()->Add("TTestRadio=radiobutton");
    auto* panel = Add<TPanel>(Form, Form, "Panel1", 8, 8, 200, 80);
    auto* first = Add<TTestRadio>(Form, panel, "Radio1", 8, 8, 120, 21);
    auto* second = Add<TTestRadio>(Form, panel, "Radio2", 8, 40, 120, 21);
    SkinAll();
    ASSERT_TRUE(As<TSkinRadioButton>(SkinOf(first)));
    ASSERT_TRUE(As<TSkinRadioButton>(SkinOf(second)));
    ClickControl(first);
    EXPECT_TRUE(first->Checked());
    EXPECT_EQ(Glyph(first), StripRadio[1]);
    EXPECT_EQ(Glyph(second), StripRadio[0]);
    ClickControl(second);
    EXPECT_FALSE(first->Checked());
    EXPECT_TRUE(second->Checked());
    EXPECT_EQ(Glyph(first), StripRadio[0]);
    EXPECT_EQ(Glyph(second), StripRadio[1]);
    second->SetEnabled(false);
    first->SetEnabled(false);
    EXPECT_EQ(Glyph(second), StripRadio[3]);
    EXPECT_EQ(Glyph(first), StripRadio[2]);
}

TEST_F(SkinCheckBoxTest, Tag5555KeepsTheParentsPicture)
{
    UseStripSkin();
    auto* panel = Add<TPanel>(Form, Form, "Panel1", 8, 8, 200, 80);
    panel->SetColor(clRed);
    panel->SetTag(Data->DisableTag());  // the panel keeps its own colour
    auto* check = Add<TCheckBox>(Form, panel, "CheckBox1", 8, 8, 120, 21);
    check->SetTag(5555);
    RedLabel(panel, 68, 8, 20, 21)->SetColor(clLime);  // under the check box
    SkinAll();
    auto* skin = As<TSkinCheckBox>(SkinOf(check));
    ASSERT_TRUE(skin && skin->Transparent());
    EXPECT_EQ(PixelAt(skin, 118, 2), ColorToRGB(clRed));
    EXPECT_EQ(Glyph(check), StripCheck[0]);
    TBitmap erased(120, 21);
    EXPECT_EQ(SendMessageA(check->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.Canvas()->Handle()), 0), 1);
    EXPECT_EQ(erased.Canvas()->Pixels(50, 10), ColorToRGB(clRed));
    EXPECT_EQ(erased.Canvas()->Pixels(70, 10), ColorToRGB(clLime)) << "the parent's picture, its windowless children too";
}

TEST_F(SkinCheckBoxTest, ThemeGlyphsMatchTheSkinPicture)
{
    for (const char* theme : {"default.skn", "macos.skn"}) {
        SCOPED_TRACE(theme);
        ASSERT_NO_FATAL_FAILURE(UseTheme(theme));
        auto* check = Add<TCheckBox>(Form, Form, "CheckBox1", 8, 8, 120, 21);
        AttachSkinForm();
        SkinForm->SkinChildControls(Form);
        TDataSkinButton& b = *Data->FButtons;
        const int n = std::max(1, b.CheckButtonFrame), fw = b.CheckBitmap.Width() / n, fh = b.CheckBitmap.Height();
        const int top = (21 - fh) / 2;
        auto expected = [&](int state) {
            const TColor c = b.CheckBitmap.Canvas()->Pixels(fw * (state - 1) + fw / 2, fh / 2);
            return c == Rgb(clFuchsia) ? Rgb(Data->FColors[scButtonFace]) : c;
        };
        EXPECT_EQ(PixelAt(SkinOf(check), fw / 2, top + fh / 2), expected(1));
        check->SetChecked(true);
        EXPECT_EQ(PixelAt(SkinOf(check), fw / 2, top + fh / 2), expected(2));
        check->SetEnabled(false);
        EXPECT_EQ(PixelAt(SkinOf(check), fw / 2, top + fh / 2), expected(4));
        SkinForm->Unskin();
        FreeAndNil(SkinForm);
        check->Free();
    }
}

TEST_F(SkinCheckBoxTest, DialogButtonsGetTheirGlyphOverTheirOwnPainting)
{
    UseStripSkin();
    HWND check = CreateWindowExA(0, "BUTTON", "Native", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 8, 8, 120, 21,
                                 Form->Handle(), reinterpret_cast<HMENU>(5), nullptr, nullptr);
    AttachSkinForm();
    SkinForm->SkinChildWindow(check);
    auto* skin = As<TSkinCheckBox>(SkinOf(check));
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->Mode(), 0);
    // The window paints itself into the DC it is given; the glyph goes over it after.
    auto paint = [&] {
        TBitmap b(120, 21);
        SendMessageA(check, WM_PAINT, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0);
        return std::pair{b.Canvas()->Pixels(6, 10), b.Canvas()->Pixels(100, 10)};
    };
    EXPECT_EQ(paint().first, StripCheck[0]);
    EXPECT_NE(paint().second, StripFace) << "the caption's background stays the window's own";
    ClickAt(check, 5, 5);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(paint().first, StripCheck[1]);
    SkinForm->Unskin();
    DestroyWindow(check);
}

// ---------------------------------------------------------------- background fills

TEST_F(SkinCheckBoxTest, PagesAndButtonTabsAreFilledFromTheSkin)
{
    UseStripSkin();
    TDataSkinButton& b = *Data->FButtons;
    b.NormalColour2 = 0x00000077;
    b.ColourGiven = {true, false, false};
    auto* pages = Add<TPageControl>(Form, Form, "PageControl1", 8, 8, 300, 150);
    pages->SetStyle(tsButtons);
    auto* first = Add<TTabSheet>(Form, pages, "TabSheet1", 0, 0, 0, 0);
    first->SetCaption("First");
    auto* second = Add<TTabSheet>(Form, pages, "TabSheet2", 0, 0, 0, 0);
    second->SetCaption("Second");
    auto* label = new TLabel(Form);
    label->SetParent(first);
    label->SetBounds(10, 10, 60, 15);
    label->SetCaption("Label");
    SkinAll();
    ASSERT_TRUE(As<TSkinTabBtn>(SkinOf(pages)));
    ASSERT_TRUE(As<TSkinTabSheet>(SkinOf(first)));

    // The page: the face colour, its windowless children over it.
    EXPECT_EQ(PixelAt(SkinOf(first), 200, 80), StripFace);
    std::unique_ptr<TBitmap> page = PaintedBy(SkinOf(first));
    bool labelDrawn = false;
    for (int x = 10; x < 70; ++x)
        labelDrawn |= page->Canvas()->Pixels(x, 17) != StripFace;
    EXPECT_TRUE(labelDrawn);

    // The focused tab shows frame 2, the other frame 1; the normal text colour of the tab
    // before it is not carried over to the focused tab.
    pages->SetActivePageIndex(1);
    const int focused = static_cast<int>(SendMessageA(pages->Handle(), TCM_GETCURFOCUS, 0, 0));
    ASSERT_EQ(focused, 1) << "the focused tab is drawn after the other";
    RECT r[2]{};
    for (int i = 0; i < 2; ++i)
        SendMessageA(pages->Handle(), TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r[i]));
    std::unique_ptr<TBitmap> tabs = PaintedBy(SkinOf(pages));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(tabs->Canvas()->Pixels(r[i].left + 2, r[i].top + 3), StripButton[i == focused ? 1 : 0]) << i;
        // Each button one pixel below the rectangle the control gives.
        EXPECT_EQ(tabs->Canvas()->Pixels(r[i].left + 2, r[i].top), StripFace) << i;
        EXPECT_EQ(tabs->Canvas()->Pixels(r[i].left + 2, r[i].bottom), StripButton[i == focused ? 1 : 0]) << i;
    }
    bool normalColourInFocused = false;
    for (int y = r[focused].top; y < r[focused].bottom; ++y)
        for (int x = r[focused].left; x < r[focused].right; ++x)
            normalColourInFocused |= tabs->Canvas()->Pixels(x, y) == 0x00000077;
    EXPECT_FALSE(normalColourInFocused);
    EXPECT_GT(CountOf(*tabs, r[0], 0x00000077), 3) << "the other tab's text in the normal colour";

    // Without the button picture the strip is left as it was.
    b.Bitmap.SetSize(0, 0);
    EXPECT_EQ(PixelAt(SkinOf(pages), r[0].left + 2, r[0].top + 3), Rgb(clWhite));
}

TEST_F(SkinCheckBoxTest, SizeGripsTakeTheFaceColour)
{
    UseStripSkin();
    HWND grip = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 300, 200, 16, 16,
                                Form->Handle(), nullptr, nullptr, nullptr);
    AttachSkinForm();
    SkinForm->SkinChildWindows(Form->Handle());
    ASSERT_TRUE(As<TSkinSizer>(SkinOf(grip)));
    TBitmap b(16, 16);
    SendMessageA(grip, WM_PAINT, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0);
    EXPECT_EQ(b.Canvas()->Pixels(8, 8), StripFace);
    EXPECT_EQ(b.Canvas()->Pixels(14, 14), StripFace);
    SkinForm->Unskin();
    DestroyWindow(grip);
}

// The tab skin on real page controls: pages switch by mouse and keyboard with skinned tabs; the
// current tab's picture, the pane, the pictures flipped and turned for every side and not
// again at every change of skin; close boxes that free the right page after the click; the
// scroller's up-down left to its own skin.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "controlskintest.h"
#include "pagecontrol.h"
#include "skinmessages.h"
#include "skinrange.h"
#include "skintab.h"

namespace {

// A tab control without pages, its children in its display area.
class TTestTabs : public TCustomTabControl {
public:
    using TCustomTabControl::TCustomTabControl;
    using TCustomTabControl::SetTabs;
};

// A tab set of the older kind, read by the tab-set skin through its properties; it paints
// itself red.
class TTabSet : public TCustomControl {
    TK_CLASS(TTabSet, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    TStrings* Tabs() const { return FTabs.get(); }
    int TabIndex = 0, FirstIndex = 0, StartMargin = 5, EndMargin = 5;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    }

private:
    std::unique_ptr<TStringList> FTabs = std::make_unique<TStringList>();
};

const TClassInfo& TTabSet::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTabSet>("TTabSet", &TCustomControl::StaticClass())
                                       .ObjectProp<TStrings>("Tabs", &TTabSet::Tabs)
                                       .Prop("TabIndex", &TTabSet::TabIndex)
                                       .Prop("FirstIndex", &TTabSet::FirstIndex)
                                       .Prop("StartMargin", &TTabSet::StartMargin)
                                       .Prop("EndMargin", &TTabSet::EndMargin)
                                       .Build();
    return info;
}

class TChangeLog : public TObject {
public:
    void Change(TObject*) { ++Changes; }
    // In front of the form's WindowProc: answers the close question.
    void FormProc(TMessage& m)
    {
        if (m.Msg != SKM_TABCLOSE)
            return Old(m);
        ++Asked;
        Tabs = reinterpret_cast<HWND>(m.WParam);
        Index = static_cast<int>(m.LParam);
        m.Result = Refuse ? 1 : 0;
        if (SwitchOff)
            SwitchOff->Unskin();
    }
    int Changes = 0, Asked = 0, Index = -1;
    HWND Tabs = nullptr;
    bool Refuse = false;
    TSkinControl* SwitchOff = nullptr;  // switched off while the form answers
    TWndMethod Old;
};

RECT TabRect(HWND tabs, int i)
{
    RECT r{};
    SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

// The box around the pixels of a colour in and around a rectangle (empty when there are none).
TRect Where(TBitmap& shot, const RECT& r, TColor c)
{
    TRect box(r.right, r.bottom, r.left, r.top);
    for (int y = std::max<LONG>(r.top - 1, 0); y < std::min<LONG>(r.bottom + 1, shot.Height()); ++y)
        for (int x = std::max<LONG>(r.left - 1, 0); x < std::min<LONG>(r.right + 1, shot.Width()); ++x)
            if (At(shot, x, y) == c)
                box = TRect(std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                            std::max<LONG>(box.bottom, y + 1));
    return box;
}

class TabSkinTest : public ControlSkinTest {
protected:
    TabSkinTest() : ControlSkinTest(360, 260, "default.skn") {}
    TPageControl* NewPages(TTabPosition position = tpTop, int tag = 0, int width = 300, int pages = 3)
    {
        auto* pc = Add<TPageControl>(Form, Form, "PageControl1", 10, 10, width, 200);
        pc->SetTag(tag);
        pc->SetTabPosition(position);
        for (int i = 0; i < pages; ++i) {
            auto* page = new TTabSheet(Form);
            page->SetName(String("Page") + IntToStr(i + 1));
            page->SetCaption(String("Tab ") + IntToStr(i + 1));
            page->SetPageControl(pc);
        }
        pc->OnChange = TNotifyEvent(&Log, &TChangeLog::Change);
        return pc;
    }
    // Plain tab pictures: every pixel of a tab that is not its face is ink of a text or an icon.
    // Texts in black; a pane picture of plain face.
    void UsePlainTabs()
    {
        TDataSkinBorder& tabs = *Data->FTabs;
        FillStrip(tabs.Bitmap, 5, 40, 24, PlainTab);
        tabs.Frame = 5;
        tabs.Trans = 0;
        tabs.SetMargins(0, 0, 0, 0);
        tabs.NormalColour2 = clBlack;
        tabs.MouseOverColour2 = clBlack;
    }
    static constexpr TColor PlainTab[5] = {0x00E0F0F0, 0x00F0E0F0, 0x00E0F0F0, 0x00E0F0F0, 0x00F0E0F0};
    // The face of tab i as drawn when `current` is the current tab.
    static TColor PlainFace(int i, int current) { return PlainTab[i == current ? 1 : 0]; }
    // The box of a tab's ink (text and icon), in the window's picture.
    static TRect TabInk(TBitmap& shot, HWND tabs, int i, int current)
    {
        RECT tab = TabRect(tabs, i);
        OffsetRect(&tab, 0, 1);
        tab.bottom -= 3;  // the pane's edge
        TRect box(tab.right, tab.bottom, tab.left, tab.top);
        for (LONG y = tab.top; y < tab.bottom; ++y)
            for (LONG x = tab.left; x < tab.right; ++x)
                if (At(shot, x, y) != PlainFace(i, current))
                    box = TRect(std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                                std::max(box.bottom, y + 1));
        return box;
    }

    // The current tab's accent: row 1 in the middle of the Tabs picture's second frame.
    TColor Accent() const
    {
        const TBitmap& b = Data->FTabs->Bitmap;
        return PicturePixel(b, b.Width() / 5 * 3 / 2, 1);
    }
    TChangeLog Log;
};

}  // namespace

TEST_F(TabSkinTest, PagesSwitchByMouseAndKeyboard)
{
    TPageControl* pc = NewPages();
    SkinControl<TSkinTab>(TSkinKind::Tab, pc);
    const RECT second = TabRect(pc->Handle(), 1);
    ClickAt(pc->Handle(), (second.left + second.right) / 2, (second.top + second.bottom) / 2);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    EXPECT_TRUE(pc->Pages(1)->Visible() && !pc->Pages(0)->Visible());
    pc->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == pc->Handle(); })) << "the page control did not get the focus";
    PressKey(VK_RIGHT, pc->Handle());
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    PressKey(VK_LEFT, pc->Handle());
    PressKey(VK_LEFT, pc->Handle());
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    EXPECT_EQ(Log.Changes, 4);
    EXPECT_EQ(GetFocus(), pc->Handle());
}

TEST_F(TabSkinTest, CurrentTabAndPaneOnEverySideAndAfterSkinChanges)
{
    Form->SetColor(0x00405060);
    for (TTabPosition side : {tpTop, tpBottom, tpLeft, tpRight}) {
        SCOPED_TRACE(static_cast<int>(side));
        TPageControl* pc = NewPages(side);
        pc->SetActivePageIndex(1);
        auto* skin = SkinControl<TSkinTab>(TSkinKind::Tab, pc);
        std::unique_ptr<TBitmap> shot = PaintedBy(skin);
        // Frame 2 for the tab the control names current, frame 1 for the others; the accent
        // along the current tab's outer edge, away from the pane.
        ASSERT_EQ(SendMessageA(pc->Handle(), TCM_GETCURFOCUS, 0, 0), 1);
        EXPECT_TRUE(Where(*shot, TabRect(pc->Handle(), 0), Accent()).Empty());
        const RECT tab = TabRect(pc->Handle(), 1);
        const TRect accent = Where(*shot, tab, Accent());
        ASSERT_FALSE(accent.Empty());
        const LONG w = (tab.right - tab.left) / 3, h = (tab.bottom - tab.top) / 3;
        switch (side) {
        case tpTop: EXPECT_LT(accent.bottom, tab.top + h); break;
        case tpBottom: EXPECT_GT(accent.top, tab.bottom - h); break;
        case tpLeft: EXPECT_LT(accent.right, tab.left + w); break;
        case tpRight: EXPECT_GT(accent.left, tab.right - w); break;
        }
        RECT d = Rect(0, 0, pc->Width(), pc->Height());
        SendMessageA(pc->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
        TBitmap& pane = Data->FTabPane->Bitmap;
        if (side == tpLeft) {  // the pane picture turned counter-clockwise: its top row on the left
            Paint(pane, Rect(0, 0, pane.Width(), 1), clLime);
            skin->SkinChanged();
            EXPECT_EQ(At(*PaintedBy(skin), d.left - 3, (d.top + d.bottom) / 2), clLime);
        }
        if (side == tpTop) {
            EXPECT_EQ(At(*shot, pc->Width() - 3, 3), Rgb(Form->Color())) << "the strip beyond the tabs";
            // The pane from Tab.Pane: its edge line, then its inner light line.
            EXPECT_EQ(At(*shot, d.left - 4, 100), PicturePixel(pane, 0, pane.Height() / 2));
            EXPECT_EQ(At(*shot, d.left - 3, 100), PicturePixel(pane, 1, pane.Height() / 2));
        }
        // Back to the same skin after another: the same picture (fresh copies, no second flip).
        ASSERT_NO_FATAL_FAILURE(UseTheme("macos.skn"));
        skin->SkinChanged();
        ASSERT_NO_FATAL_FAILURE(UseTheme("default.skn"));
        skin->SkinChanged();
        std::unique_ptr<TBitmap> again = PaintedBy(skin);
        EXPECT_TRUE(std::equal(shot->PixelBuffer().Pixels,
                               shot->PixelBuffer().Pixels + shot->Width() * shot->Height(), again->PixelBuffer().Pixels));
        FreeAndNil(pc);
    }
}

TEST_F(TabSkinTest, CloseBoxesFreeTheTabsOwnPageAfterTheClick)
{
    // Only a top-tab page control with the tag has close boxes.
    for (TTabPosition side : {tpTop, tpBottom}) {
        TPageControl* other = NewPages(side, side == tpTop ? 0 : TabCloseBoxTag);
        EXPECT_FALSE(SkinControl<TSkinTab>(TSkinKind::Tab, other)->CloseButtons());
        FreeAndNil(other);
    }
    TPageControl* pc = NewPages(tpTop, TabCloseBoxTag);
    TTabSheet* one = pc->Pages(0);
    TTabSheet* three = pc->Pages(2);
    one->SetTabVisible(false);  // tab 0 is now the second page
    pc->SetActivePage(three);
    Log.Old = Form->WindowProc;
    Form->WindowProc = TWndMethod(&Log, &TChangeLog::FormProc);
    auto* skin = SkinControl<TSkinTab>(TSkinKind::Tab, pc);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    ASSERT_EQ(skin->CloseRects().size(), 2u);
    const RECT tab = TabRect(pc->Handle(), 0);
    const TRect box = skin->CloseRects()[0];
    // A 6 x 6 box with both diagonals at the tab's top right.
    EXPECT_EQ(box, Rect(tab.right - 8, tab.top + 3, tab.right - 2, tab.top + 9));
    EXPECT_EQ(At(*shot, box.left, box.top), clBlack);
    EXPECT_EQ(At(*shot, box.left + 3, box.top + 3), clBlack);
    const LPARAM at = MakeMsgPoint(box.left + 2, box.top + 2);

    // Refused by the form: nothing goes, and the click does not reach the tabs.
    Log.Refuse = true;
    SendMessageA(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(pc->Handle(), WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(PumpHandled()) << "posted messages were still waiting";
    EXPECT_EQ(Log.Asked, 1);
    EXPECT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(Log.Changes, 0);
    // Let go: the page of tab 0 goes once the click has been handled.
    Log.Refuse = false;
    SendMessageA(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(pc->PageCount(), 3);
    ASSERT_TRUE(PumpUntil([&] { return pc->PageCount() == 2; })) << "the closed tab's page did not go";
    EXPECT_EQ(pc->Pages(0), one);
    EXPECT_EQ(pc->Pages(1), three);
    EXPECT_EQ(Form->FindComponent("Page2"), nullptr);
    // A page the program frees while its close is pending is not freed twice.
    PaintedBy(skin);
    const TRect last = skin->CloseRects()[0];
    SendMessageA(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(last.left + 2, last.top + 2));
    FreeAndNil(three);
    ASSERT_TRUE(PumpHandled()) << "posted messages were still waiting";
    EXPECT_EQ(pc->PageCount(), 1);
    Form->WindowProc = Log.Old;
}

TEST_F(TabSkinTest, AClosedTabsPageGoesAlsoWhenTheSkinIsSwitchedOffOrFreedMeanwhile)
{
    TPageControl* pc = NewPages(tpTop, TabCloseBoxTag, 300, 4);
    auto* skin = SkinControl<TSkinTab>(TSkinKind::Tab, pc);
    Log.Old = Form->WindowProc;
    Form->WindowProc = TWndMethod(&Log, &TChangeLog::FormProc);
    TTabSheet* first = pc->Pages(0);
    // A real click on the first close box; the form switches the skin off while it answers.
    PaintedBy(skin);
    const TRect box = skin->CloseRects()[0];
    Log.SwitchOff = skin;
    MoveMouseTo(pc->Handle(), box.left + 2, box.top + 2);
    LeftButton(true);
    LeftButton(false);
    Log.SwitchOff = nullptr;
    EXPECT_EQ(Log.Asked, 1);
    EXPECT_FALSE(skin->Active());
    ASSERT_TRUE(PumpUntil([&] { return pc->PageCount() == 3; })) << "the closed tab's page did not go";
    EXPECT_EQ(Form->FindComponent("Page1"), nullptr);
    EXPECT_NE(pc->Pages(0), first);

    // The skin on again; freed once a close is on its way: the page still goes.
    SendMessageA(pc->Handle(), SKM_ENABLE, 1, 0);
    PaintedBy(skin);
    const TRect next = skin->CloseRects()[1];
    SendMessageA(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(next.left + 2, next.top + 2));
    EXPECT_EQ(Log.Index, 1);
    EXPECT_EQ(Log.Tabs, pc->Handle());
    skin->Free();
    ASSERT_TRUE(PumpUntil([&] { return pc->PageCount() == 2; })) << "the closed tab's page did not go";
    EXPECT_EQ(Form->FindComponent("Page3"), nullptr);
    Form->WindowProc = Log.Old;
}

TEST_F(TabSkinTest, TabTextsTakeTheWindowsFontEachAndGreyWhenDisabled)
{
    UsePlainTabs();
    TPageControl* pc = NewPages(tpTop, 0, 300, 2);
    for (int i = 0; i < 2; ++i)
        pc->Pages(i)->SetCaption("Same");
    pc->Font()->SetStyle({fsBold});
    pc->SetEnabled(false);
    auto* skin = SkinControl<TSkinTab>(TSkinKind::Tab, pc);
    const TColor shadow = Rgb(clBtnShadow);
    // Disabled when attached: both texts grey.
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    for (int i = 0; i < 2; ++i) {
        EXPECT_GT(CountOf(*shot, TabRect(pc->Handle(), i), shadow), 3) << i;
        EXPECT_EQ(CountOf(*shot, TabRect(pc->Handle(), i), clBlack), 0) << i;
    }
    // Enabled: the current tab's text in the Tabs object's hot colour, the other in its normal
    // colour; each text at the same place in its tab (each measured in the window's font, not
    // in what the tab before left of it).
    Data->FTabs->NormalColour2 = clNavy;
    Data->FTabs->MouseOverColour2 = clMaroon;
    pc->SetEnabled(true);
    shot = PaintedBy(skin);
    const TRect a = TabInk(*shot, pc->Handle(), 0, 0), b = TabInk(*shot, pc->Handle(), 1, 0);
    ASSERT_FALSE(a.Empty());
    EXPECT_GT(CountOf(*shot, TabRect(pc->Handle(), 0), clMaroon), 3);
    EXPECT_EQ(CountOf(*shot, TabRect(pc->Handle(), 0), clNavy), 0);
    EXPECT_GT(CountOf(*shot, TabRect(pc->Handle(), 1), clNavy), 3);
    EXPECT_EQ(CountOf(*shot, TabRect(pc->Handle(), 1), clMaroon), 0);
    EXPECT_EQ(a.left - TabRect(pc->Handle(), 0).left, b.left - TabRect(pc->Handle(), 1).left);
    EXPECT_EQ(a.Width(), b.Width());
    // Disabled after attaching: grey again.
    pc->SetEnabled(false);
    EXPECT_EQ(CountOf(*PaintedBy(skin), TabRect(pc->Handle(), 1), clNavy), 0);
}

TEST_F(TabSkinTest, TheDisplayAreaShowsTheCurrentSkinsPaneAndTheWindowlessChildren)
{
    auto* tabs = Add<TTestTabs>(Form, Form, "TabControl1", 10, 10, 300, 200);
    tabs->SetTabs({"One", "Two"}, 0);
    RedLabel(tabs, 40, 80, 60, 20);
    auto* skin = SkinControl<TSkinTab>(TSkinKind::Tab, tabs);
    skin->SetMode(2);  // as the dispatch attaches a tab control
    RECT d = Rect(0, 0, tabs->Width(), tabs->Height());
    SendMessageA(tabs->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
    const TBitmap& pane = Data->FTabPane->Bitmap;
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, d.left - 4, 100), PicturePixel(pane, 0, pane.Height() / 2));
    EXPECT_EQ(At(*shot, 50, 90), clRed);
    // A skin whose pane is the Tabs object's second picture, then one without it: the display
    // area is left to the control (no picture of the skin before), and the windowless children
    // are still drawn.
    // That picture keeps 4 pixels left, right and bottom and 5 at the top unstretched.
    TDataSkinBorder& tabsObject = *Data->FTabs;
    tabsObject.Style = 0;
    tabsObject.Bitmap2.SetSize(16, 16);
    Paint(tabsObject.Bitmap2, Rect(0, 0, 16, 16), clBlue);
    Paint(tabsObject.Bitmap2, Rect(4, 5, 12, 12), clAqua);
    skin->SkinChanged();
    shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, d.left - 4, 100), clBlue);
    EXPECT_EQ(At(*shot, d.left - 4 + 3, 100), clBlue);
    EXPECT_EQ(At(*shot, d.left - 4 + 4, 100), clAqua);
    EXPECT_EQ(At(*shot, 150, d.top - 4 + 1 + 4), clBlue);
    EXPECT_EQ(At(*shot, 150, d.top - 4 + 1 + 5), clAqua);
    EXPECT_EQ(At(*shot, 150, d.bottom + 4 - 4), clBlue);
    EXPECT_EQ(At(*shot, 150, d.bottom + 4 - 5), clAqua);
    tabsObject.Bitmap2.SetSize(0, 0);
    skin->SkinChanged();
    shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, d.left - 4, 100), clWhite);
    EXPECT_EQ(At(*shot, 50, 90), clRed);
}

TEST_F(TabSkinTest, ATabSetShowsTheTabsThatFitFromItsStartMargin)
{
    UsePlainTabs();
    Data->FTabs->NormalColour2 = clNavy;
    Data->FTabs->MouseOverColour2 = clMaroon;
    auto* set = Add<TTabSet>(Form, Form, "TabSet1", 10, 10, 130, 24);
    set->Tabs()->Add("One");
    set->Tabs()->Add("A much longer tab than fits");
    set->Tabs()->Add("Two");
    set->TabIndex = 2;
    AttachSkinForm();
    SkinForm->SkinChildControls(Form);
    auto* skin = As<TSkinTab31>(SkinOf(set));
    ASSERT_TRUE(skin);
    // Each tab its text's width and 9 more, from the start margin on; the long one is left out
    // and the next that fits takes its place. The selected tab is frame 2 with the hot colour.
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(set->Font());
    const int one = measure.Canvas()->TextWidth("One") + 9, two = measure.Canvas()->TextWidth("Two") + 9;
    std::unique_ptr<TBitmap> shot = ScreenOf(set->Handle());
    EXPECT_EQ(At(*shot, 2, 1), Face());
    EXPECT_EQ(At(*shot, 5, 1), PlainTab[0]);
    EXPECT_EQ(At(*shot, 5 + one - 1, 1), PlainTab[0]);
    EXPECT_EQ(At(*shot, 5 + one, 1), PlainTab[1]);
    EXPECT_EQ(At(*shot, 5 + one + two - 1, 1), PlainTab[1]);
    EXPECT_EQ(At(*shot, 5 + one + two, 1), Face());
    EXPECT_GT(CountOf(*shot, Rect(5, 0, 5 + one, 24), clNavy), 3);
    EXPECT_GT(CountOf(*shot, Rect(5 + one, 0, 5 + one + two, 24), clMaroon), 3);
    EXPECT_EQ(CountOf(*shot, Rect(0, 0, 130, 24), clRed), 0);
    // The tabs picture is drawn upside down; the end margin is kept free.
    Paint(Data->FTabs->Bitmap, Rect(0, 0, 200, 1), clLime);
    skin->SkinChanged();
    shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, 5 + 2, 23), clLime);
    EXPECT_NE(At(*shot, 5 + 2, 0), clLime);
    set->EndMargin = 130 - (5 + one + two) + 1;
    EXPECT_EQ(At(*PaintedBy(skin), 5 + one + 2, 1), Face());
}

TEST_F(TabSkinTest, TheCurrentTabIsTheOneWithTheFocus)
{
    // Button tabs move the focus without selecting.
    HWND tabs = RawChild(WC_TABCONTROLA, TCS_BUTTONS, 10, 10, 300, 100);
    for (const char* text : {"One", "Two"}) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(text);
        SendMessageA(tabs, TCM_INSERTITEMA, 9, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tabs, TCM_SETCURFOCUS, 1, 0);
    ASSERT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
    std::unique_ptr<TBitmap> shot = PaintedBy(SkinWindow<TSkinTab>(TSkinKind::Tab, tabs));
    EXPECT_TRUE(Where(*shot, TabRect(tabs, 0), Accent()).Empty());
    EXPECT_FALSE(Where(*shot, TabRect(tabs, 1), Accent()).Empty());
    DestroyWindow(tabs);
}

TEST_F(TabSkinTest, ScrollerKeepsItsOwnSkinAndIsNotPaintedOver)
{
    TPageControl* pc = NewPages(tpTop, 0, 140, 8);
    auto* skin = SkinControl<TSkinTab>(TSkinKind::Tab, pc);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    HWND scroller = FindWindowExA(pc->Handle(), nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(scroller, nullptr) << "the tabs should not fit";
    ASSERT_NE(skin->ScrollSkin(), nullptr);
    EXPECT_EQ(skin->ScrollSkin()->Handle(), scroller);
    RECT self{}, r{};
    GetWindowRect(pc->Handle(), &self);
    GetWindowRect(scroller, &r);
    OffsetRect(&r, -self.left, -self.top);
    EXPECT_EQ(At(*shot, (r.left + r.right) / 2, (r.top + r.bottom) / 2), clWhite);
    EXPECT_NE(At(*shot, r.left - 3, (r.top + r.bottom) / 2), clWhite);
}

TEST_F(TabSkinTest, ATextBesideItsIconShowsAllItsWords)
{
    UsePlainTabs();
    // A tab control of another program: fixed-width tabs, each with a 16 x 16 icon.
    HWND w = RawChild(WC_TABCONTROLA, TCS_FIXEDWIDTH, 10, 10, 300, 120);
    const auto font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    auto red = Filled(16, 16, clRed);
    ImageList_Add(images, red->Handle(), nullptr);
    SendMessageA(w, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    // Each tab exactly as wide as its icon and its text on one line: too narrow to keep both
    // inside the tab on one line.
    char text[] = "Wide Text";
    TBitmap measure(1, 1);
    TFont windowFont;
    windowFont.BorrowHandle(font);
    measure.Canvas()->Font()->Assign(&windowFont);
    SIZE size{};
    GetTextExtentPoint32A(measure.Canvas()->Handle(), text, static_cast<int>(strlen(text)), &size);
    SendMessageA(w, TCM_SETITEMSIZE, 0, MAKELPARAM(16 + size.cx, 2 * size.cy + 8));
    for (int i = 0; i < 2; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.iImage = 0;
        SendMessageA(w, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    auto* skin = SkinWindow<TSkinTab>(TSkinKind::Tab, w);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);

    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        RECT tab = TabRect(w, i);
        ASSERT_EQ(tab.right - tab.left, 16 + size.cx);
        OffsetRect(&tab, 0, 1);
        // The text is wrapped where it is measured, beside the icon, and both lines show (the
        // pane's edge left out at the bottom).
        const TColor back = PlainFace(i, 0);
        int lines = 0;
        bool inLine = false;
        for (LONG y = tab.top; y < tab.bottom - 3; ++y) {
            bool ink = false;
            for (LONG x = tab.left; x < tab.right && !ink; ++x)
                ink = At(*shot, x, y) != back && At(*shot, x, y) != clRed;
            lines += ink && !inLine;
            inLine = ink;
        }
        EXPECT_EQ(lines, 2);
        EXPECT_EQ(CountOf(*shot, tab, clRed), 16 * 16);  // the icon
    }
    DestroyWindow(w);
    ImageList_Destroy(images);
}

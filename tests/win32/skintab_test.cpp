// The tab skins on real controls: page controls switch pages by mouse and keyboard with
// skinned tabs; the current tab's picture and the pane; the pictures flipped and turned for
// every side (and not again at every change of skin); close boxes that free the right page
// after the click; the scroller's up-down left unpainted by the strip; the tab texts read
// through the control's own messages; the tab set.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "bitmapview.h"
#include "controlskintest.h"
#include "pagecontrol.h"
#include "skinmessages.h"
#include "skinrange.h"
#include "skintab.h"
#include "stdctrls.h"

namespace {

class TChangeLog : public TObject {
public:
    void Change(TObject*) { ++Changes; }
    // In front of the form's WindowProc: answers the close question.
    void FormProc(TMessage& m)
    {
        if (m.Msg == SKM_TABCLOSE) {
            ++Asked;
            LastTab = static_cast<int>(m.LParam);
            m.Result = Refuse ? 1 : 0;
            return;
        }
        Old(m);
    }
    int Changes = 0;
    int Asked = 0;
    int LastTab = -1;
    bool Refuse = false;
    TWndMethod Old;
};

RECT TabRect(HWND tabs, int i)
{
    RECT r{};
    SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

// Where the current tab's accent (the top rows of the Tabs picture's second frame) shows inside
// the tab's rectangle: the box around its pixels.
TRect AccentIn(TBitmap& shot, const RECT& tab, TColor accent)
{
    TRect box(tab.right, tab.bottom, tab.left, tab.top);
    for (int y = std::max<LONG>(tab.top - 1, 0); y < std::min<LONG>(tab.bottom + 1, shot.Height()); ++y)
        for (int x = std::max<LONG>(tab.left - 1, 0); x < std::min<LONG>(tab.right + 1, shot.Width()); ++x)
            if (At(shot, x, y) == accent) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

class TabSkinTest : public ControlSkinTest {
protected:
    TPageControl* NewPages(TTabPosition position = tpTop, int tag = 0, int w = 300, int pages = 3)
    {
        auto* pc = Add<TPageControl>(Form, Form, "PageControl1", 10, 10, w, 200);
        pc->SetTag(tag);
        pc->SetTabPosition(position);
        static const char* const names[] = {"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight"};
        for (int i = 0; i < pages; ++i) {
            auto* page = new TTabSheet(Form);
            page->SetName(String("Page") + IntToStr(i + 1));
            page->SetCaption(names[i % 8]);
            page->SetPageControl(pc);
        }
        pc->OnChange = TNotifyEvent(&Log, &TChangeLog::Change);
        return pc;
    }
    // The accent colour: row 1 of the second frame's middle.
    TColor Accent() const
    {
        const TBitmap& b = Data->FTabs->Bitmap;
        const int fw = b.Width() / 5;
        return PicturePixel(b, fw + fw / 2, 1);
    }

    TChangeLog Log;
};

}  // namespace

TEST_F(TabSkinTest, PageControlSwitchesPagesByMouseAndKeyboard)
{
    TPageControl* pc = NewPages();
    auto* skin = SkinControl<TSkinTab>(TSkinKind::Tab, pc);
    ASSERT_STREQ(skin->ClassName().c_str(), "TSkinTab");
    PumpFor(20);
    const RECT second = TabRect(pc->Handle(), 1);
    ClickAt(pc->Handle(), (second.left + second.right) / 2, (second.top + second.bottom) / 2);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    EXPECT_EQ(Log.Changes, 1);
    EXPECT_TRUE(pc->Pages(1)->Visible());
    EXPECT_FALSE(pc->Pages(0)->Visible());

    pc->SetFocus();
    PumpFor(20);
    PressKey(VK_RIGHT, pc->Handle());
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    PressKey(VK_LEFT, pc->Handle());
    PressKey(VK_LEFT, pc->Handle());
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    EXPECT_EQ(Log.Changes, 4);
    EXPECT_EQ(GetFocus(), pc->Handle());
}

TEST_F(TabSkinTest, CurrentTabAndPaneFromTheSkin)
{
    TPageControl* pc = NewPages();
    pc->SetActivePageIndex(1);
    auto* skin = SkinControl<TSkinTab>(TSkinKind::Tab, pc);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    // The current tab (the one the control names) wears frame 2, the others frame 1.
    ASSERT_EQ(SendMessageA(pc->Handle(), TCM_GETCURFOCUS, 0, 0), 1);
    EXPECT_FALSE(AccentIn(*shot, TabRect(pc->Handle(), 1), Accent()).Empty());
    EXPECT_TRUE(AccentIn(*shot, TabRect(pc->Handle(), 0), Accent()).Empty());
    EXPECT_TRUE(AccentIn(*shot, TabRect(pc->Handle(), 2), Accent()).Empty());

    // The pane from Tab.Pane (the skin's Tabs style is 1): its edge line and inner light line.
    RECT display = Rect(0, 0, pc->Width(), pc->Height());
    SendMessageA(pc->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const TBitmap& pane = Data->FTabPane->Bitmap;
    const int y = (display.top + display.bottom) / 2;
    EXPECT_EQ(At(*shot, display.left - 4, y), PicturePixel(pane, 0, pane.Height() / 2));
    EXPECT_EQ(At(*shot, display.left - 3, y), PicturePixel(pane, 1, pane.Height() / 2));
    EXPECT_EQ(At(*shot, display.right + 3, y), PicturePixel(pane, pane.Width() - 1, pane.Height() / 2));
}

TEST_F(TabSkinTest, PicturesFlipAndTurnForEverySide)
{
    for (TTabPosition position : {tpTop, tpBottom, tpLeft, tpRight}) {
        SCOPED_TRACE(static_cast<int>(position));
        TPageControl* pc = NewPages(position);
        pc->SetActivePageIndex(1);
        auto* skin = SkinControl<TSkinTab>(TSkinKind::Tab, pc);
        EXPECT_EQ(skin->TabPosition(), static_cast<int>(position));
        std::unique_ptr<TBitmap> shot = PaintedBy(skin);
        const RECT tab = TabRect(pc->Handle(), 1);
        const TRect accent = AccentIn(*shot, tab, Accent());
        ASSERT_FALSE(accent.Empty());
        // The accent lies along the tab's outer edge: the side away from the pane.
        const LONG w = tab.right - tab.left, h = tab.bottom - tab.top;
        switch (position) {
        case tpTop: EXPECT_LT(accent.bottom, tab.top + h / 3); break;
        case tpBottom: EXPECT_GT(accent.top, tab.bottom - h / 3); break;
        case tpLeft: EXPECT_LT(accent.right, tab.left + w / 3); break;
        case tpRight: EXPECT_GT(accent.left, tab.right - w / 3); break;
        }
        EXPECT_TRUE(AccentIn(*shot, TabRect(pc->Handle(), 0), Accent()).Empty());
        // Changes of skin start from fresh copies: back to the same skin, the same picture.
        LoadTheme(Data, "macos.skn");
        skin->SkinChanged();
        LoadTheme(Data, "default.skn");
        skin->SkinChanged();
        std::unique_ptr<TBitmap> again = PaintedBy(skin);
        int differing = 0;
        for (int y = 0; y < shot->Height(); ++y)
            for (int x = 0; x < shot->Width(); ++x)
                differing += At(*shot, x, y) != At(*again, x, y);
        EXPECT_EQ(differing, 0);
        FreeAndNil(pc);
    }
}

TEST_F(TabSkinTest, CloseBoxesOnlyOnATopTabPageControlWithTheTag)
{
    TPageControl* pc = NewPages(tpTop, TabCloseBoxTag);
    auto* skin = SkinControl<TSkinTab>(TSkinKind::Tab, pc);
    EXPECT_TRUE(skin->CloseButtons());
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    ASSERT_EQ(skin->CloseRects().size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const RECT tab = TabRect(pc->Handle(), i);
        const TRect box = skin->CloseRects()[static_cast<size_t>(i)];
        // A 6 x 6 box with both diagonals at the tab's top right, in the strip's pen.
        EXPECT_EQ(box, Rect(tab.right - 8, tab.top + 3, tab.right - 2, tab.top + 9));
        EXPECT_EQ(At(*shot, box.left, box.top), clBlack);
        EXPECT_EQ(At(*shot, box.left + 3, box.top + 3), clBlack);
        EXPECT_EQ(At(*shot, box.right, box.bottom), clBlack);
    }
    FreeAndNil(pc);

    for (int variant = 0; variant < 2; ++variant) {
        TPageControl* other = variant == 0 ? NewPages(tpBottom, TabCloseBoxTag) : NewPages(tpTop, 0);
        auto* s = SkinControl<TSkinTab>(TSkinKind::Tab, other);
        EXPECT_FALSE(s->CloseButtons());
        PaintedBy(s);
        for (const TRect& r : s->CloseRects())
            EXPECT_TRUE(r.Empty());
        FreeAndNil(other);
    }
}

TEST_F(TabSkinTest, CloseBoxFreesTheTabsOwnPageAfterTheClick)
{
    TPageControl* pc = NewPages(tpTop, TabCloseBoxTag);
    TTabSheet* one = pc->Pages(0);
    TTabSheet* two = pc->Pages(1);
    TTabSheet* three = pc->Pages(2);
    one->SetTabVisible(false);  // tab 0 is now page "Two"
    pc->SetActivePage(three);
    Log.Old = Form->WindowProc;
    Form->WindowProc = TWndMethod(&Log, &TChangeLog::FormProc);
    auto* skin = SkinControl<TSkinTab>(TSkinKind::Tab, pc);
    PaintedBy(skin);
    ASSERT_EQ(skin->CloseRects().size(), 2u);
    const TRect box = skin->CloseRects()[0];
    const LPARAM at = MakeMsgPoint(box.left + 2, box.top + 2);

    // Refused by the form: nothing is freed, and the click does not reach the tabs.
    Log.Refuse = true;
    SendMessageA(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(pc->Handle(), WM_LBUTTONUP, 0, at);
    PumpFor(30);
    EXPECT_EQ(Log.Asked, 1);
    EXPECT_EQ(Log.LastTab, 0);
    EXPECT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->ActivePage(), three);
    EXPECT_EQ(Log.Changes, 0);

    // Let go: the page of tab 0 goes, once the click has been handled.
    Log.Refuse = false;
    SendMessageA(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(pc->PageCount(), 3);  // not inside the control's own mouse message
    SendMessageA(pc->Handle(), WM_LBUTTONUP, 0, at);
    PumpFor(30);
    EXPECT_EQ(Log.Asked, 2);
    ASSERT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->Pages(0), one);
    EXPECT_EQ(pc->Pages(1), three);
    EXPECT_EQ(Form->FindComponent("Page2"), nullptr);
    (void)two;
    EXPECT_EQ(pc->ActivePage(), three);
    EXPECT_EQ(SendMessageA(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 1);

    // A page freed by the program while its close is pending is not freed twice.
    PaintedBy(skin);
    const TRect last = skin->CloseRects()[0];
    SendMessageA(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(last.left + 2, last.top + 2));
    FreeAndNil(three);
    PumpFor(30);
    EXPECT_EQ(pc->PageCount(), 1);
    Form->WindowProc = Log.Old;
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
    EXPECT_EQ(SendMessageA(scroller, SKM_ISSKINNED, 0, 0), 1);
    RECT self{}, r{};
    GetWindowRect(pc->Handle(), &self);
    GetWindowRect(scroller, &r);
    OffsetRect(&r, -self.left, -self.top);
    // The strip left the scroller's place as it was (white in our bitmap).
    EXPECT_EQ(At(*shot, (r.left + r.right) / 2, (r.top + r.bottom) / 2), clWhite);
    EXPECT_NE(At(*shot, r.left - 3, (r.top + r.bottom) / 2), clWhite);
    // Scrolling still works: the first tab shown moves on.
    const RECT before = TabRect(pc->Handle(), 0);
    SendMessageA(pc->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1), reinterpret_cast<LPARAM>(scroller));
    EXPECT_NE(TabRect(pc->Handle(), 0).left, before.left);
}

// ---------------------------------------------------------------- texts through A or W

namespace {

WNDPROC gTabProc = nullptr;

LRESULT CallTabProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return IsWindowUnicode(w) ? CallWindowProcW(gTabProc, w, msg, wp, lp) : CallWindowProcA(gTabProc, w, msg, wp, lp);
}

// The tab texts a window gives: many wide letters for its own kind of message, one thin one
// for the other kind.
LRESULT CALLBACK TextsByKind(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    const bool wide = IsWindowUnicode(w) != FALSE;
    if (msg == TCM_GETITEMW || msg == TCM_GETITEMA) {
        const LRESULT r = CallTabProc(w, msg, wp, lp);
        const bool own = (msg == TCM_GETITEMW) == wide;
        if (msg == TCM_GETITEMW) {
            auto* item = reinterpret_cast<TCITEMW*>(lp);
            lstrcpyW(item->pszText, own ? L"WWWWWWWW" : L"i");
        } else {
            auto* item = reinterpret_cast<TCITEMA*>(lp);
            lstrcpyA(item->pszText, own ? "WWWWWWWW" : "i");
        }
        return r;
    }
    return CallTabProc(w, msg, wp, lp);
}

// Pixels of the text colour of an ordinary tab inside a rectangle.
int InkIn(TBitmap& shot, const RECT& r, TColor ink)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += At(shot, x, y) == ink;
    return n;
}

}  // namespace

TEST_F(TabSkinTest, TabTextsAreReadThroughTheControlsOwnMessages)
{
    for (bool unicode : {true, false}) {
        SCOPED_TRACE(unicode ? "wide" : "8-bit");
        HWND tabs = unicode ? CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 300, 100,
                                              Form->Handle(), nullptr, nullptr, nullptr)
                            : RawChild(WC_TABCONTROLA, 0, 10, 10, 300, 100);
        SendMessageA(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("WWWWWWWW");
        SendMessageA(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SendMessageA(tabs, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
        SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
        const auto proc = reinterpret_cast<LONG_PTR>(&TextsByKind);
        gTabProc = reinterpret_cast<WNDPROC>(unicode ? SetWindowLongPtrW(tabs, GWLP_WNDPROC, proc)
                                                     : SetWindowLongPtrA(tabs, GWLP_WNDPROC, proc));
        ASSERT_EQ(IsWindowUnicode(tabs) != FALSE, unicode);
        auto* skin = SkinWindow<TSkinTab>(TSkinKind::Tab, tabs);
        std::unique_ptr<TBitmap> shot = PaintedBy(skin);
        const int ink = InkIn(*shot, TabRect(tabs, 0), Rgb(Data->FTabs->NormalColour2));
        EXPECT_GT(ink, 20);  // "i" has hardly any
        FreeAndNil(skin);
        DestroyWindow(tabs);
    }
}

// ---------------------------------------------------------------- tab set

namespace {

// A tab set as the skin reads it: its texts, selected and first shown tab and its margins.
class TTabSet : public TCustomControl {
    TK_CLASS(TTabSet, TCustomControl)
public:
    explicit TTabSet(TComponent* owner) : TCustomControl(owner) {}
    TStringList* Tabs() const { return &FTabs; }
    int TabIndex = 0;
    int FirstIndex = 0;
    int StartMargin = 5;
    int EndMargin = 5;

private:
    mutable TStringList FTabs;
};

const TClassInfo& TTabSet::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTabSet>("TTabSet", &TCustomControl::StaticClass())
                                       .ObjectProp<TStringList>("Tabs", &TTabSet::Tabs)
                                       .Prop("TabIndex", &TTabSet::TabIndex)
                                       .Prop("FirstIndex", &TTabSet::FirstIndex)
                                       .Prop("StartMargin", &TTabSet::StartMargin)
                                       .Prop("EndMargin", &TTabSet::EndMargin)
                                       .Build();
    return info;
}

}  // namespace

TEST_F(TabSkinTest, TabSetLeavesOutALongTabAndDrawsALaterShortOne)
{
    auto* set = Add<TTabSet>(Form, Form, "TabSet1", 10, 200, 160, 21);
    set->Tabs()->Add("One");
    set->Tabs()->Add("A tab whose text is far too long to fit");
    set->Tabs()->Add("Two");
    set->TabIndex = 2;
    auto* skin = SkinControl<TSkinTab31>(TSkinKind::Tab31, set);
    EXPECT_EQ(SendMessageA(set->Handle(), SKM_ISSKINNED, 0, 0), 1);
    EXPECT_NE(skin->ObjectInstance(), nullptr);  // by its window procedure
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);

    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(set->Font());
    const int first = measure.Canvas()->TextWidth("One") + 9;
    const int third = measure.Canvas()->TextWidth("Two") + 9;
    // Upside down: the current tab's accent lies along the bottom; the third tab comes right
    // after the first, and the face after it.
    const TRect accent = AccentIn(*shot, Rect(5 + first, 0, 5 + first + third, 21), Accent());
    ASSERT_FALSE(accent.Empty());
    EXPECT_GT(accent.top, 14);
    EXPECT_TRUE(AccentIn(*shot, Rect(5, 0, 5 + first, 21), Accent()).Empty());
    EXPECT_EQ(At(*shot, 5 + first + third + 2, 10), Face());
    EXPECT_EQ(At(*shot, 2, 10), Face());
}

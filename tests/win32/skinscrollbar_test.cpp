// Scroll-bar skins on real windows: a memo and a list box scrolled through the skinned panels
// by wheel, arrows, page clicks and thumb drags, ending where unskinned twins end; placing,
// hiding and painting the panels; the border and a grid's fixed colour; a list view's header;
// giving everything back.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "controlskintest.h"
#include "memo.h"
#include "namedclass.h"
#include "scrollbarlayout.h"
#include "skindraw.h"
#include "skinheader.h"
#include "skinlistview.h"
#include "skinmessages.h"
#include "skinscrollbar.h"
#include "skinscrollbarh.h"
#include "themeskins.h"

namespace {

// A scrolling control of the toolkit with the published properties a grid has.
enum TTestBorderStyle { tbsNone, tbsSingle };
const TEnumInfo TestBorderStyleInfo{"TBorderStyle", {"bsNone", "bsSingle"}};

class TTestGrid : public TCustomControl {
    TK_CLASS(TTestGrid, TCustomControl)
public:
    explicit TTestGrid(TComponent* owner) : TCustomControl(owner) {}
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor v) { FFixedColor = v; }
    TTestBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TTestBorderStyle v) { FBorderStyle = v; }

protected:
    void CreateParams(TCreateParams& p) override
    {
        TCustomControl::CreateParams(p);
        p.Style |= WS_VSCROLL | WS_HSCROLL;
        if (FBorderStyle == tbsSingle)
            p.ExStyle |= WS_EX_CLIENTEDGE;
    }
    void InitializeWnd() override
    {
        TCustomControl::InitializeWnd();
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 100, 10, 0, 0};
        SetScrollInfo(WindowHandle(), SB_VERT, &si, FALSE);
        SetScrollInfo(WindowHandle(), SB_HORZ, &si, FALSE);
    }

private:
    TColor FFixedColor = clBtnFace;
    TTestBorderStyle FBorderStyle = tbsSingle;
};

const TClassInfo& TTestGrid::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TTestGrid>("TTestGrid", &TCustomControl::StaticClass())
            .ColorProp("FixedColor", &TTestGrid::FixedColor, &TTestGrid::SetFixedColor)
            .EnumProp<TTestBorderStyle>("BorderStyle", TestBorderStyleInfo, &TTestGrid::BorderStyle,
                                        &TTestGrid::SetBorderStyle)
            .Build();
    return info;
}

// A scrolling box that shows a picture: never a border of the skin's.
NAMED_TEST_CLASS(TImageScrollBox, TTestGrid)

// A report-style list view over the system's class.
class TTestListView : public TWinControl {
    TK_CLASS(TTestListView, TWinControl)
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& p) override
    {
        TWinControl::CreateParams(p);
        p.SysClassName = WC_LISTVIEWA;
        p.Style |= LVS_REPORT | WS_BORDER;
    }
};

const TClassInfo& TTestListView::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTestListView>("TTestListView", &TWinControl::StaticClass()).Build();
    return info;
}

// Presses on a scroll bar as the system's tracking of it sees them: the press, then pointer
// moves and the release at points along the bar.
struct TBarPress {
    int Along = 0;
    std::vector<int> Moves;
    int Release = 0;
};

POINT AlongBar(bool vertical, int along) { return vertical ? POINT{8, along} : POINT{along, 8}; }

SCROLLBARINFO BarInfo(HWND wnd, bool vertical)
{
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(wnd, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info);
    return info;
}

// The moves and the release reach the window that tracks the bar in its client coordinates.
void PostTracking(HWND target, bool vertical, const TBarPress& press)
{
    const SCROLLBARINFO info = BarInfo(target, vertical);
    auto client = [&](int along) {
        POINT p = AlongBar(vertical, along);
        p.x += info.rcScrollBar.left;
        p.y += info.rcScrollBar.top;
        ScreenToClient(target, &p);
        return MakeMsgPoint(p.x, p.y);
    };
    for (int a : press.Moves)
        PostMessageA(target, WM_MOUSEMOVE, MK_LBUTTON, client(a));
    PostMessageA(target, WM_LBUTTONUP, 0, client(press.Release));
}

void PressSkinned(TWScrollbar* bar, const TBarPress& press)
{
    const bool vertical = bar->Kind() == TWScrollbar::sbVertical;
    const POINT p = AlongBar(vertical, press.Along);
    PostMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(p.x, p.y));
    PostTracking(bar->Target(), vertical, press);
    EXPECT_TRUE(PumpHandled()) << "not handled: the press on the panel";
}

void PressNative(HWND target, bool vertical, const TBarPress& press)
{
    const SCROLLBARINFO info = BarInfo(target, vertical);
    const POINT p = AlongBar(vertical, press.Along);
    PostMessageA(target, WM_NCLBUTTONDOWN, vertical ? HTVSCROLL : HTHSCROLL,
                 MakeMsgPoint(info.rcScrollBar.left + p.x, info.rcScrollBar.top + p.y));
    PostTracking(target, vertical, press);
    EXPECT_TRUE(PumpHandled()) << "not handled: the press on the bar";
}

void Wheel(HWND target, int notches)
{
    RECT r;
    GetWindowRect(target, &r);
    PostMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA * notches), MakeMsgPoint(r.left + 20, r.top + 20));
    EXPECT_TRUE(PumpHandled()) << "not handled: the wheel";
}

class SkinScrollbarTest : public ControlSkinTest {
protected:
    SkinScrollbarTest() : ControlSkinTest(520, 360, "default.skn") {}
    void TearDown() override
    {
        for (HWND w : Windows)
            DestroyWindow(w);
        ControlSkinTest::TearDown();
    }

    TMemo* NewMemo(const char* name, int left, TScrollStyle bars = ssVertical)
    {
        auto* m = Add<TMemo>(Form, Form, name, left, 10, 200, 150);
        m->SetScrollBars(bars);
        m->SetWordWrap(false);
        String text;
        for (int i = 0; i < 200; ++i)
            text += "line " + IntToStr(i) + (i % 7 == 0 ? String(80, 'w') : String()) + "\r\n";
        m->SetText(text);
        return m;
    }

    HWND NewListBox(int left, DWORD bars = WS_VSCROLL)
    {
        HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | bars | LBS_NOTIFY,
                                    left, 180, 200, 150, Form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < 300; ++i)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("item " + IntToStr(i)).c_str()));
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        Windows.push_back(list);
        return list;
    }

    TSkinScrollbar* SkinOf(TWinControl* c, TSkinScrollbar* skin = nullptr)
    {
        if (!skin)
            skin = new TSkinScrollbar(c);
        skin->InitScrollbars(c, Data, SkinForm, SkinForm->WorkCanvas());
        EXPECT_TRUE(PumpHandled()) << "not painted: the panels";
        return skin;
    }

    std::vector<HWND> Windows;
};

int FirstLine(HWND memo) { return static_cast<int>(SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0)); }
int TopIndex(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0)); }

}  // namespace

TEST_F(SkinScrollbarTest, AMemoScrollsThroughTheSkinnedBarsAsWithout)
{
    TMemo* plain = NewMemo("Plain", 10, ssBoth);
    TMemo* memo = NewMemo("Skinned", 260, ssBoth);
    TSkinScrollbar* skin = SkinOf(memo);
    TWScrollbar* v = skin->VertBar();
    TWScrollbar* h = skin->HorzBar();
    ASSERT_TRUE(v && h);
    ASSERT_TRUE(v->Shown() && h->Shown());
    HWND a = plain->Handle(), b = memo->Handle();
    const int length = v->ClientBar().Height();

    auto same = [&](const char* step) {
        EXPECT_EQ(FirstLine(b), FirstLine(a)) << step;
        EXPECT_EQ(GetScrollPos(b, SB_VERT), GetScrollPos(a, SB_VERT)) << step;
        EXPECT_EQ(GetScrollPos(b, SB_HORZ), GetScrollPos(a, SB_HORZ)) << step;
    };
    auto both = [&](const TBarPress& press) {
        PressNative(a, true, press);
        PressSkinned(v, press);
    };

    Wheel(a, 2);
    Wheel(b, 2);
    same("wheel");
    EXPECT_GT(FirstLine(b), 0);

    const int before = FirstLine(b);
    for (int i = 0; i < 3; ++i)
        both({length - 5, {}, length - 5});  // the down arrow
    same("arrows");
    EXPECT_EQ(FirstLine(b), before + 3);

    both({length - 25, {}, length - 25});  // the track below the thumb
    same("page");
    EXPECT_GT(FirstLine(b), before + 5);

    const int thumb = (v->ThumbStart() + v->ThumbEnd()) / 2;
    ASSERT_GT(v->ThumbEnd(), v->ThumbStart());
    both({thumb, {thumb + 10, thumb + 30, thumb + 40}, thumb + 40});
    same("thumb drag");
    EXPECT_GT(FirstLine(b), before + 20);

    both({5, {}, 5});  // the up arrow
    both({v->ThumbStart() - 3, {}, v->ThumbStart() - 3});  // the track above the thumb
    same("up");

    PressNative(a, false, {h->ClientBar().Width() - 5, {}, h->ClientBar().Width() - 5});
    PressSkinned(h, {h->ClientBar().Width() - 5, {}, h->ClientBar().Width() - 5});
    same("right arrow");
    EXPECT_GT(GetScrollPos(b, SB_HORZ), 0);
}

TEST_F(SkinScrollbarTest, ARichEditScrollsThroughItsSkinnedBarAsWithout)
{
    TRichEdit* edits[2];
    for (int i = 0; i < 2; ++i) {
        edits[i] = Add<TRichEdit>(Form, Form, i ? "Skinned" : "Plain", 10 + 250 * i, 10, 200, 150);
        edits[i]->SetScrollBars(ssVertical);
        edits[i]->SetPlainText(true);
        String text;
        for (int l = 0; l < 100; ++l)
            text += "line " + IntToStr(l) + "\r\n";
        edits[i]->SetText(text);
    }
    TWScrollbar* v = SkinOf(edits[1])->VertBar();
    ASSERT_TRUE(v->Shown());
    const int length = v->ClientBar().Height();
    for (const TBarPress& press : {TBarPress{length - 5, {}, length - 5}, TBarPress{length - 30, {}, length - 30}}) {
        PressNative(edits[0]->Handle(), true, press);
        PressSkinned(v, press);
        EXPECT_EQ(FirstLine(edits[1]->Handle()), FirstLine(edits[0]->Handle()));
    }
    EXPECT_GT(FirstLine(edits[1]->Handle()), 1);
}

TEST_F(SkinScrollbarTest, AListBoxKnownByItsHandleScrollsAsWithout)
{
    HWND a = NewListBox(10), b = NewListBox(260);
    auto* skin = new TSkinScrollbarH(SkinForm);
    skin->InitHandle(b, Data, SkinForm, SkinForm->WorkCanvas());
    EXPECT_TRUE(PumpHandled()) << "not painted: the panels";
    TWScrollbar* v = skin->VertBar();
    ASSERT_TRUE(v && v->Shown());
    EXPECT_FALSE(skin->HorzBar()->Shown());
    const int length = v->ClientBar().Height();

    Wheel(a, 1);
    Wheel(b, 1);
    EXPECT_EQ(TopIndex(b), TopIndex(a));
    EXPECT_GT(TopIndex(b), 0);
    for (const TBarPress& press : {TBarPress{length - 5, {}, length - 5}, TBarPress{length - 30, {}, length - 30},
                                   TBarPress{8, {}, 8}}) {
        PressNative(a, true, press);
        PressSkinned(v, press);
        EXPECT_EQ(TopIndex(b), TopIndex(a)) << press.Along;
    }
    const int thumb = (v->ThumbStart() + v->ThumbEnd()) / 2;
    const TBarPress drag{thumb, {thumb + 20, thumb + 60}, thumb + 60};
    PressNative(a, true, drag);
    PressSkinned(v, drag);
    EXPECT_EQ(TopIndex(b), TopIndex(a));
    EXPECT_GT(TopIndex(b), 30);
    // The panel took the system's thumb position after the drag.
    EXPECT_EQ(v->ThumbStart(), BarInfo(b, true).xyThumbTop);
}

TEST_F(SkinScrollbarTest, PanelsLieOverTheBarsDirectlyAboveTheControl)
{
    TMemo* memo = NewMemo("Memo1", 10);
    // A window above the memo over the foot of its bar stays above the panel.
    HWND over = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 130, 200, 30, Form->Handle(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    Windows.push_back(over);
    SetWindowPos(over, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    TSkinScrollbar* skin = SkinOf(memo);
    TWScrollbar* v = skin->VertBar();
    ASSERT_TRUE(v->Shown());
    EXPECT_FALSE(skin->HorzBar()->Shown());
    EXPECT_FALSE(IsWindowVisible(skin->HorzBar()->WindowHandle()));
    const SCROLLBARINFO info = BarInfo(memo->Handle(), true);
    RECT panel;
    GetWindowRect(v->Handle(), &panel);
    EXPECT_TRUE(EqualRect(&panel, &info.rcScrollBar));
    EXPECT_EQ(GetParent(v->Handle()), Form->Handle());
    EXPECT_EQ(GetWindow(memo->Handle(), GW_HWNDPREV), v->Handle());
    EXPECT_EQ(GetWindowLongA(v->Handle(), GWL_EXSTYLE), WS_EX_TOOLWINDOW);
    POINT centre{(panel.left + panel.right) / 2, (panel.top + panel.bottom) / 2};
    EXPECT_EQ(WindowFromPoint(centre), v->Handle());
    EXPECT_EQ(WindowFromPoint(POINT{centre.x, panel.bottom - 5}), over);

    // Placed, the panel and the memo come to rest: nothing keeps asking to be painted.
    EXPECT_TRUE(PumpHandled()) << "not painted: the panel and the memo";

    // Moved and resized, the control takes its panel along.
    memo->SetBounds(30, 20, 180, 120);
    const SCROLLBARINFO moved = BarInfo(memo->Handle(), true);
    GetWindowRect(v->Handle(), &panel);
    EXPECT_TRUE(EqualRect(&panel, &moved.rcScrollBar));
}

TEST_F(SkinScrollbarTest, HiddenOrDisabledControlsTakeTheirPanelsAlong)
{
    TMemo* memo = NewMemo("Memo1", 10, ssBoth);
    TSkinScrollbar* skin = SkinOf(memo);
    TWScrollbar* v = skin->VertBar();
    TWScrollbar* h = skin->HorzBar();
    memo->Hide();
    EXPECT_FALSE(v->Shown() || h->Shown());
    EXPECT_FALSE(IsWindowVisible(v->Handle()) || IsWindowVisible(h->Handle()));
    EXPECT_FALSE(v->Visible() || h->Visible()) << "a panel made again would show";
    memo->Show();
    EXPECT_TRUE(v->Shown() && h->Shown());
    EXPECT_TRUE(IsWindowVisible(v->Handle()) && IsWindowVisible(h->Handle()));

    memo->SetEnabled(false);
    EXPECT_FALSE(v->Enabled() || h->Enabled());
    memo->SetEnabled(true);
    EXPECT_TRUE(v->Enabled() && h->Enabled());

    // A window known by its handle hides both of its panels with it.
    HWND list = NewListBox(260, WS_VSCROLL | WS_HSCROLL);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 1000, 0);
    auto* byHandle = new TSkinScrollbarH(SkinForm);
    byHandle->InitHandle(list, Data, SkinForm, SkinForm->WorkCanvas());
    ASSERT_TRUE(byHandle->VertBar()->Shown() && byHandle->HorzBar()->Shown());
    EXPECT_TRUE(PumpHandled()) << "not painted: the list and its panels";
    // Its scroll requests name the hot part; the corner is the face colour, in client
    // coordinates reaching two pixels further right and down; resized, the bars follow.
    SendMessageA(list, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(byHandle->VertBar()->HotPart(), ScrollPart::LineDown);
    auto corner = Filled(220, 170, clBlack);
    byHandle->PaintControl(corner->Canvas()->Handle());
    const TRect& lv = byHandle->VertBar()->ClientBar();
    const TRect& lh = byHandle->HorzBar()->ClientBar();
    EXPECT_EQ(At(*corner, lv.left, lh.top), Face());
    EXPECT_EQ(At(*corner, lv.right + 1, lh.bottom + 1), Face());
    SetWindowPos(list, nullptr, 0, 0, 180, 120, SWP_NOMOVE | SWP_NOZORDER);
    RECT panelRect;
    GetWindowRect(byHandle->VertBar()->Handle(), &panelRect);
    const SCROLLBARINFO resized = BarInfo(list, true);
    EXPECT_TRUE(EqualRect(&panelRect, &resized.rcScrollBar));
    ShowWindow(list, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(byHandle->VertBar()->Handle()));
    EXPECT_FALSE(IsWindowVisible(byHandle->HorzBar()->Handle()));
}

TEST_F(SkinScrollbarTest, ThePanelIsPaintedFromTheSkinWithItsHotAndPressedParts)
{
    MoveMouseTo(0, 0);  // off the panel: its hot part comes from the messages sent here alone
    TMemo* memo = NewMemo("Memo1", 10);
    TWScrollbar* v = SkinOf(memo)->VertBar();
    HWND panel = v->Handle();
    const int w = v->ClientBar().Width(), length = v->ClientBar().Height();
    ASSERT_EQ(w, GetSystemMetrics(SM_CXHSCROLL));
    TBitmap* strip = &Data->FScrollbar->Bitmap;
    const int t = ScrollBarThickness(strip->Height(), w);
    const TColor face = Data->FColors[scButtonFace];

    auto painted = Painted(panel);
    EXPECT_TRUE(SameArea(*painted, 0, 0, *StripPiece(strip, 23, 9, t, w, face)));             // up arrow
    EXPECT_TRUE(SameArea(*painted, 0, length - w, *StripPiece(strip, 23, 13, t, w, face)));  // down arrow

    // Hot parts repaint once per change, not per move.
    RECT dirty;
    auto moveTo = [&](int along) {
        ValidateRect(panel, nullptr);
        SendMessageA(panel, WM_MOUSEMOVE, 0, MakeMsgPoint(5, along));
        return GetUpdateRect(panel, &dirty, FALSE) != FALSE;
    };
    EXPECT_TRUE(moveTo(length - 5));
    EXPECT_EQ(v->HotPart(), ScrollPart::LineDown);
    painted = Painted(panel);
    EXPECT_TRUE(SameArea(*painted, 0, length - w, *StripPiece(strip, 23, 16, t, w, face)));
    EXPECT_FALSE(moveTo(length - 6));
    EXPECT_TRUE(moveTo(v->ThumbStart() + 2));
    EXPECT_EQ(v->HotPart(), ScrollPart::Thumb);
    EXPECT_TRUE(moveTo(v->ThumbEnd() + 3));
    EXPECT_EQ(v->HotPart(), ScrollPart::PageDown);
    EXPECT_FALSE(moveTo(v->ThumbEnd() + 4));
    SendMessageA(panel, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(v->HotPart(), ScrollPart::None);

    // The scroll requests of the covered memo name the hot part.
    SendMessageA(memo->Handle(), WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(v->HotPart(), ScrollPart::LineUp);
    painted = Painted(panel);
    EXPECT_TRUE(SameArea(*painted, 0, 0, *StripPiece(strip, 23, 12, t, w, face)));

    // The mouse wheel repaints the bar.
    ValidateRect(panel, nullptr);
    SendMessageA(memo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_TRUE(GetUpdateRect(panel, &dirty, FALSE));

    // A bar the system reports unavailable shows the track's disabled frame between its
    // arrows and no thumb, wherever the system puts one.
    SCROLLBARINFO info = BarInfo(memo->Handle(), true);
    ASSERT_LT(info.xyThumbTop, info.xyThumbBottom);
    info.rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
    TBitmap unavailable(w, length);
    DrawSkinScrollBar(unavailable.Canvas()->Handle(), 0, 0, Data, ScrollBarShapeOf(info, true, w, Data, length),
                      ScrollPart::None, false);
    TDataSkinObject& track = *Data->FVertScroll;
    auto expected = Filled(t, length - 2 * w, face);
    DrawSkinBitmapSliced(expected->Canvas()->Handle(), TRect(0, 0, t, length - 2 * w), &track.Bitmap, track.Margins(),
                         3, ScrollTrackFrames, track.Trans == 1, track.Tile == 1, false);
    EXPECT_TRUE(SameArea(unavailable, 0, w, *expected));
}

TEST_F(SkinScrollbarTest, TheTrackThumbAndGripAreTheSkinsPictures)
{
    TMemo* memo = NewMemo("Memo1", 10);
    memo->SetText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n17\r\n18");
    TWScrollbar* v = SkinOf(memo)->VertBar();
    HWND panel = v->Handle();
    const int w = v->ClientBar().Width(), length = v->ClientBar().Height();
    TBitmap* strip = &Data->FScrollbar->Bitmap;
    const int t = ScrollBarThickness(strip->Height(), w), b = GetSystemMetrics(SM_CYVSCROLL);
    TDataSkinObject& track = *Data->FVertScroll;
    TDataSkinObject& thumb = *Data->FVertScrollThumb;
    // A thumb of three frames whose colours change along both axes and from frame to frame,
    // with magenta corners: tiled and stretched it differs, and its frames and key colour show.
    // It tiles as the track does; the track is keyed too.
    thumb.Bitmap.SetSize(3 * 17, 23);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 3 * 17; ++x)
            Paint(thumb.Bitmap, TRect(x, y, x + 1, y + 1),
                  static_cast<TColor>(0x00100000 + 0x200000 * (x / 17) + 0x0B * y + 0x0900 * (x % 17)));
    for (int f = 0; f < 3; ++f)
        Paint(thumb.Bitmap, TRect(17 * f, 0, 17 * f + 2, 2), clFuchsia);
    thumb.Frame = 3;
    thumb.Trans = 1;
    thumb.Tile = 0;
    thumb.SetMargins(2, 4, 2, 4);
    track.Tile = 1;
    track.Trans = 1;
    FillStrip(track.Bitmap, 4, 17, 30, StripButton);
    track.Bitmap.Canvas()->Brush()->SetColor(clFuchsia);
    track.Bitmap.Canvas()->FillRect(TRect(0, 12, 4 * 17, 18));
    SendMessageA(memo->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageA(memo->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    auto painted = Painted(panel);
    const int start = v->ThumbStart(), end = v->ThumbEnd(), grip = strip->Height();
    ASSERT_GT(start, b + 4);
    ASSERT_LT(grip + 2, end - start);
    // Between the arrows the track's first frame over the face; over it the thumb's first
    // frame, with the vertical grip (frame 20 of the strip) in its middle.
    auto expected = Filled(t, length - 2 * b, Data->FColors[scButtonFace]);
    HDC dc = expected->Canvas()->Handle();
    DrawSkinBitmapSliced(dc, TRect(0, 0, t, length - 2 * b), &track.Bitmap, track.Margins(), 1, ScrollTrackFrames,
                         true, true, false);
    DrawSkinBitmapSliced(dc, TRect(0, start - b, t, end - b), &thumb.Bitmap, thumb.Margins(), 1,
                         3, true, true, false);
    const int from = start - b + (end - start - grip) / 2;
    TSkinControl::DrawStripFrameMasked(dc, TRect(0, from, t, from + grip), ScrollStripFrames, 20, strip);
    EXPECT_TRUE(SameArea(*painted, 0, b, *expected));

    // The pointer over the thumb: the thumb's third frame and the grip's hot one.
    SendMessageA(panel, WM_MOUSEMOVE, 0, MakeMsgPoint(5, start + 2));
    ASSERT_EQ(v->HotPart(), ScrollPart::Thumb);
    painted = Painted(panel);
    DrawSkinBitmapSliced(dc, TRect(0, start - b, t, end - b), &thumb.Bitmap, thumb.Margins(), 3, 3, true, true, false);
    TSkinControl::DrawStripFrameMasked(dc, TRect(0, from, t, from + grip), ScrollStripFrames, 22, strip);
    EXPECT_TRUE(SameArea(*painted, 0, b, *expected));
}

TEST_F(SkinScrollbarTest, ThePaintedThumbFollowsTheCursorDuringADrag)
{
    TMemo* memo = NewMemo("Memo1", 10);
    TWScrollbar* v = SkinOf(memo)->VertBar();
    const int length = v->ClientBar().Height(), b = GetSystemMetrics(SM_CXHSCROLL);
    const int start = v->ThumbStart(), size = v->ThumbEnd() - v->ThumbStart();
    RECT panel;
    GetWindowRect(v->Handle(), &panel);
    SetCursorPos(panel.left + 8, panel.top + start + 2);
    std::vector<TThumbSpan> seen;
    std::vector<int> hot;
    PostMessageA(v->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(8, start + 2));
    TPostedStep during;
    during.Post([&] {
        SendMessageA(v->Handle(), WM_MOUSELEAVE, 0, 0);  // the pressed part stays hot
        for (int by : {30, 1000, -1000}) {
            SetCursorPos(panel.left + 8, panel.top + start + 2 + by);
            Painted(v->Handle());
            seen.push_back({v->ThumbStart(), v->ThumbEnd()});
            hot.push_back(v->Pressed() ? v->HotPart() : -2);
        }
        PostMessageA(memo->Handle(), WM_LBUTTONUP, 0, 0);
    });
    EXPECT_TRUE(PumpUntil([&] { return seen.size() == 3 && !v->Pressed(); })) << "the drag did not run and end";
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], (TThumbSpan{start + 30, start + 30 + size}));
    EXPECT_EQ(seen[1], (TThumbSpan{length - b - size, length - b}));
    EXPECT_EQ(seen[2], (TThumbSpan{b, b + size}));
    EXPECT_EQ(hot, (std::vector<int>{ScrollPart::Thumb, ScrollPart::Thumb, ScrollPart::Thumb}));
    EXPECT_FALSE(v->Pressed());
}

TEST_F(SkinScrollbarTest, TheBorderIsFlatUnlessTheControlHasNone)
{
    TMemo* memo = NewMemo("Memo1", 10, ssBoth);
    TSkinScrollbar* skin = SkinOf(memo);
    EXPECT_TRUE(skin->OwnBorder());
    TBitmap border(200, 150);
    HDC dc = border.Canvas()->Handle();
    EXPECT_EQ(SendMessageA(memo->Handle(), SKM_DRAWBORDER, reinterpret_cast<WPARAM>(dc), SKM_MAGIC), SKM_MAGIC);
    EXPECT_EQ(ColorToRGB(At(border, 0, 0)), ColorToRGB(Data->FColors[scButtonShadow]));
    EXPECT_EQ(ColorToRGB(At(border, 1, 1)), ColorToRGB(Data->FColors[scButtonFace]));
    EXPECT_EQ(SendMessageA(memo->Handle(), SKM_DRAWBORDER, 0, SKM_MAGIC), SKM_MAGIC);
    // The same over the memo's own frame whenever the frame is painted.
    RedrawWindow(memo->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(WindowPixel(memo->Handle(), 0, 40), ColorToRGB(Data->FColors[scButtonShadow]));
    EXPECT_EQ(WindowPixel(memo->Handle(), 1, 40), ColorToRGB(Data->FColors[scButtonFace]));
    EXPECT_NE(SendMessageA(memo->Handle(), SKM_DRAWBORDER, reinterpret_cast<WPARAM>(dc), 0), SKM_MAGIC);

    // The corner between both bars is the face colour.
    border.Canvas()->Brush()->SetColor(clBlack);
    border.Canvas()->FillRect(TRect(0, 0, 200, 150));
    skin->PaintControl(dc);
    const TRect& vb = skin->VertBar()->ClientBar();
    const TRect& hb = skin->HorzBar()->ClientBar();
    // In window coordinates: two pixels right of and below the client corner.
    EXPECT_EQ(ColorToRGB(At(border, vb.right + 1, hb.bottom + 1)), ColorToRGB(Data->FColors[scButtonFace]));
    EXPECT_EQ(At(border, vb.left + 1, hb.top + 1), clBlack);

    auto* grid = Add<TTestGrid>(Form, Form, "Grid1", 260, 10, 200, 150);
    grid->SetBorderStyle(tbsNone);
    EXPECT_FALSE(SkinOf(grid)->OwnBorder());
    auto* single = Add<TTestGrid>(Form, Form, "Grid2", 260, 180, 200, 150);
    auto* mapped = new TSkinScrollbar(single);
    mapped->SetMode(1);  // skinned as a single scroll bar: never a border
    EXPECT_FALSE(SkinOf(single, mapped)->OwnBorder());
    EXPECT_FALSE(SkinOf(Add<TImageScrollBox>(Form, Form, "Box1", 10, 180, 200, 150))->OwnBorder());
}

TEST_F(SkinScrollbarTest, AGridsFixedColourIsTheSkinsWhileSkinnedAndItsOwnAfter)
{
    auto* grid = Add<TTestGrid>(Form, Form, "Grid1", 10, 10, 200, 150);
    grid->SetFixedColor(clTeal);
    TSkinScrollbar* skin = SkinOf(grid);
    EXPECT_EQ(grid->FixedColor(), Data->FColors[scButtonFace]);
    EXPECT_TRUE(skin->VertBar()->Shown() && skin->HorzBar()->Shown());

    Data->SetSkinFile(ThemeSkinPath("macos.skn"));
    skin->SkinChanged();
    EXPECT_EQ(grid->FixedColor(), Data->FColors[scButtonFace]);
    skin->Unskin();
    EXPECT_EQ(grid->FixedColor(), clTeal);
}

TEST_F(SkinScrollbarTest, UnskinningGivesBackTheProceduresAndShowsTheNativeBars)
{
    TMemo* memo = NewMemo("Memo1", 10, ssBoth);
    const TWndMethod original = memo->WindowProc;
    HWND list = NewListBox(260);
    const LONG_PTR listProc = GetWindowLongPtrA(list, GWLP_WNDPROC);
    TSkinScrollbar* skin = SkinOf(memo);
    auto* byHandle = new TSkinScrollbarH(SkinForm);
    byHandle->InitHandle(list, Data, SkinForm, SkinForm->WorkCanvas());
    EXPECT_EQ(SendMessageA(memo->Handle(), SKM_ISSKINNED, 0, 0), 1);
    EXPECT_NE(GetWindowLongPtrA(list, GWLP_WNDPROC), listProc);
    EXPECT_EQ(SkinForm->SkinControlCount(), 2);
    HWND panel = skin->VertBar()->Handle();

    SkinForm->FreeSkinControls();
    EXPECT_TRUE(memo->WindowProc == original);
    EXPECT_EQ(GetWindowLongPtrA(list, GWLP_WNDPROC), listProc);
    EXPECT_FALSE(IsWindow(panel));
    EXPECT_EQ(SendMessageA(memo->Handle(), SKM_ISSKINNED, 0, 0), 0);
    for (HWND w : {memo->Handle(), list}) {
        const SCROLLBARINFO info = BarInfo(w, true);
        POINT centre{(info.rcScrollBar.left + info.rcScrollBar.right) / 2,
                     (info.rcScrollBar.top + info.rcScrollBar.bottom) / 2};
        EXPECT_EQ(WindowFromPoint(centre), w);
    }
    // The controls scroll on their own.
    SendMessageA(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(TopIndex(list), 0);
}

TEST_F(SkinScrollbarTest, AControlGoneFirstLeavesItsPanelsToTheSkin)
{
    HWND list = NewListBox(10);
    auto* skin = new TSkinScrollbarH(SkinForm);
    skin->InitHandle(list, Data, SkinForm, SkinForm->WorkCanvas());
    TWScrollbar* v = skin->VertBar();
    DestroyWindow(list);
    Windows.clear();
    EXPECT_EQ(skin->State(), TSkinControl::stDestroyed);
    EXPECT_EQ(skin->VertBar(), v);  // kept: freed with the skin
    SkinForm->PurgeSkinControls();
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
}

TEST_F(SkinScrollbarTest, AListViewsHeaderIsSkinnedWithAHotSection)
{
    auto* view = Add<TTestListView>(Form, Form, "List1", 10, 10, 400, 200);
    const String longTitle(150, 'k');  // more than a section's text buffer holds
    const char* titles[] = {"Name", "Size", longTitle.c_str()};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = i == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        col.cx = 100;
        col.pszText = const_cast<char*>(titles[i]);
        SendMessageA(view->Handle(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
    }
    for (int i = 0; i < 60; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        const String text = "row " + IntToStr(i);
        item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(view->Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    auto* skin = new TSkinListView(view);
    SkinOf(view, skin);
    ASSERT_TRUE(skin->VertBar()->Shown());
    TSkinHeader* header = skin->HeaderSkin();
    ASSERT_TRUE(header);
    HWND hw = header->Handle();
    EXPECT_EQ(hw, reinterpret_cast<HWND>(SendMessageA(view->Handle(), LVM_GETHEADER, 0, 0)));
    EXPECT_EQ(header->HotSection(), -1);

    auto normal = Painted(hw);
    ASSERT_EQ(header->HitRects().size(), 3u);
    EXPECT_EQ(header->HitRects()[1], TRect(103, 0, 197, normal->Height()));
    // Right of the last section the header picture goes on to the edge.
    TDataSkinObject* bar = Data->FHeaderbar.get();
    const int fh = normal->Height();
    auto filler = StretchSkinBitmap(TRect(0, 0, 80, fh), &bar->Bitmap, bar->Margins(), 1, bar->Frame, bar->Tile == 1, false);
    EXPECT_EQ(At(*normal, 340, fh / 2), At(*filler, 40, fh / 2));

    PostMessageA(hw, WM_MOUSEMOVE, 0, MakeMsgPoint(150, 5));
    EXPECT_TRUE(PumpHandled()) << "not handled: the move onto section 1";
    EXPECT_EQ(header->HotSection(), 1);
    auto hot = Painted(hw);
    EXPECT_NE(At(*hot, 110, 2), At(*normal, 110, 2));  // section 1: the hot frame
    EXPECT_EQ(At(*hot, 10, 2), At(*normal, 10, 2));    // section 0 unchanged
    PostMessageA(hw, WM_MOUSEMOVE, 0, MakeMsgPoint(199, 5));      // on the border: no change
    EXPECT_TRUE(PumpHandled()) << "not handled: the move onto the border";
    EXPECT_EQ(header->HotSection(), 1);
    PostMessageA(hw, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(PumpHandled()) << "not handled: the leave";
    EXPECT_EQ(header->HotSection(), -1);

    // The titles in the skin's window-text colour, unweighted even in a bold font.
    LOGFONTA lf{};
    auto font = reinterpret_cast<HFONT>(SendMessageA(hw, WM_GETFONT, 0, 0));
    GetObjectA(font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    TGdiObject<HFONT> bold(CreateFontIndirectA(&lf));
    lf.lfWeight = FW_NORMAL;
    TGdiObject<HFONT> regular(CreateFontIndirectA(&lf));
    SendMessageA(hw, WM_SETFONT, reinterpret_cast<WPARAM>(bold.Get()), FALSE);
    Data->FColors[scWindowText] = clRed;
    Data->FColorDefined[scWindowText] = true;
    auto titled = Painted(hw);
    // The width of the red ink of "Name" in section 0, and as each font writes it.
    auto inkWidth = [&](TBitmap& b) {
        int first = 100, last = -1;
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < 100; ++x)
                if (const COLORREF c = At(b, x, y); GetRValue(c) > 0x90 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return last - first;
    };
    auto written = [&](HFONT f) {
        auto b = Filled(100, fh, clWhite);
        HDC dc = b->Canvas()->Handle();
        TSelectedObject selected(dc, f);
        SetTextColor(dc, RGB(255, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 5, 2, "Name", 4);
        return inkWidth(*b);
    };
    ASSERT_GT(written(bold.Get()), written(regular.Get()));
    EXPECT_EQ(inkWidth(*titled), written(regular.Get())) << "not the regular weight, or not the window-text colour";
    SendMessageA(hw, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    // Without a header picture the header paints its own titles.
    Data->FHeaderbar.reset();
    auto own = Painted(hw, clFuchsia);
    int untouched = 0;
    for (int x = 0; x < 300; ++x)
        untouched += At(*own, x, fh / 2) == clFuchsia ? 1 : 0;
    EXPECT_LT(untouched, 10);
}

TEST_F(SkinScrollbarTest, AControlThatRecreatesItsWindowIsSkinnedAgain)
{
    TMemo* memo = NewMemo("Memo1", 10, ssBoth);
    SkinAll();  // the skinned window takes the re-skin request
    HWND before = memo->Handle();
    ASSERT_TRUE(PumpUntil([&] { return As<TSkinScrollbar>(SkinForm->FindSkinControl(before)); })) << "not skinned";
    const int skins = SkinForm->SkinControlCount();

    memo->RecreateWnd();
    HWND after = memo->Handle();
    EXPECT_TRUE(PumpUntil([&] { return As<TSkinScrollbar>(SkinForm->FindSkinControl(after)); }))
        << "the new window was not skinned";
    ASSERT_NE(after, before);
    EXPECT_EQ(SkinForm->FindSkinControl(before), nullptr);
    auto* again = As<TSkinScrollbar>(SkinForm->FindSkinControl(after));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Control(), memo);
    EXPECT_EQ(SendMessageA(after, SKM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(SkinForm->SkinControlCount(), skins);
    ASSERT_NE(again->VertBar(), nullptr);
    EXPECT_TRUE(IsWindowVisible(again->VertBar()->Handle()));
    // The new window scrolls through its new panels.
    SendMessageA(after, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(FirstLine(after), 0);
}

TEST_F(SkinScrollbarTest, ARecreatedControlIsSkinnedAgainFromTheNewestSkinOfItsWindow)
{
    TMemo* memo = NewMemo("Memo1", 10, ssBoth);
    AttachSkinForm();
    const HWND before = memo->Handle();
    // An older skin listed for the same window, on its handle alone.
    TSkinControl* older = SkinWindow<TSkinControl>(TSkinKind::Edit, before);
    SkinAll();
    ASSERT_TRUE(PumpUntil([&] { return As<TSkinScrollbar>(SkinForm->FindSkinControl(memo)); })) << "not skinned";
    ASSERT_EQ(SkinForm->FindSkinControl(before), older);

    memo->RecreateWnd();
    PumpUntil([&] { return As<TSkinScrollbar>(SkinForm->FindSkinControl(memo->Handle())); });
    auto* again = As<TSkinScrollbar>(SkinForm->FindSkinControl(memo->Handle()));
    ASSERT_NE(again, nullptr) << "the new window has no scroll-bar skin";
    EXPECT_EQ(again->Control(), memo);
    EXPECT_EQ(SkinForm->FindSkinControl(before), older);  // gone with its window, purged later
    EXPECT_EQ(older->State(), TSkinControl::stDestroyed);
}

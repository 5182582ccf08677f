// Combo-box and date-time picker skins on real windows: combo boxes of each style opened,
// picked from by mouse and keys and closed like unskinned twins, with their button, frame and
// list bar painted from the skin (right to left too, and plainly for skins that lack the
// pictures); the drop-down list's own thumb drag; the picker's arrow button; giving back.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <utility>
#include <vector>

#include "arrowbutton.h"
#include "combobox.h"
#include "comboxscrollbar.h"
#include "controlskintest.h"
#include "datetimepicker.h"
#include "pixelslice.h"
#include "scrollbarlayout.h"
#include "skincombox.h"
#include "skindatetime.h"
#include "skindraw.h"
#include "skinhelpers.h"
#include "skinscrollbarh.h"

namespace {

COMBOBOXINFO ComboInfo(HWND combo)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    return info;
}

bool DroppedDown(HWND combo) { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }

// Counts the WM_ERASEBKGND messages one window of this thread gets.
class TEraseCounter {
public:
    explicit TEraseCounter(HWND wnd)
    {
        Target() = wnd;
        Counted() = 0;
        FHook = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
    }
    ~TEraseCounter() { UnhookWindowsHookEx(FHook); }
    int Count() const { return Counted(); }

private:
    static HWND& Target()
    {
        static HWND target = nullptr;
        return target;
    }
    static int& Counted()
    {
        static int count = 0;
        return count;
    }
    static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l)
    {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(l);
        if (code == HC_ACTION && m->message == WM_ERASEBKGND && m->hwnd == Target())
            ++Counted();
        return CallNextHookEx(nullptr, code, w, l);
    }
    HHOOK FHook = nullptr;
};

// Runs a step from inside the loop that holds the mouse for a window, once it holds it (a timer
// message, which such a loop hands on like any other).
struct TWhenCaptured {
    static inline HWND Target = nullptr;
    static inline std::function<void()> Pending;
    static inline UINT_PTR Timer = 0;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (GetCapture() != Target || !Pending)
            return;
        KillTimer(nullptr, Timer);
        std::exchange(Pending, nullptr)();
    }
};

void WhenCaptured(HWND wnd, std::function<void()> step)
{
    TWhenCaptured::Target = wnd;
    TWhenCaptured::Pending = std::move(step);
    TWhenCaptured::Timer = SetTimer(nullptr, 0, 10, TWhenCaptured::Tick);
}

// Which combo boxes changed, in order.
class TChangeLog : public TObject {
public:
    void Changed(TObject* sender) { Names.push_back(As<TComboBox>(sender)->Name()); }
    std::vector<String> Names;
};

class SkinComboTest : public ControlSkinTest {
protected:
    SkinComboTest() : ControlSkinTest(520, 360, "default.skn") {}
    TComboBox* NewCombo(const char* name, int left, TComboBoxStyle style, int top = 10)
    {
        auto* c = Add<TComboBox>(Form, Form, name, left, top, 150, 24);
        c->SetStyle(style);
        if (style == csSimple)
            c->SetHeight(120);
        for (int i = 0; i < 40; ++i)
            c->Items()->Add("entry " + IntToStr(i));
        c->OnChange = TNotifyEvent(&Log, &TChangeLog::Changed);
        c->Handle();
        return c;
    }
    TSkinComBox* SkinOf(TComboBox* combo)
    {
        auto* skin = new TSkinComBox(combo);
        skin->InitControl(SkinForm, Data, SkinForm->WorkCanvas(), false);
        EXPECT_TRUE(PumpHandled()) << "not painted: the combo";
        return skin;
    }
    int ChangesOf(const char* name) const
    {
        int n = 0;
        for (const String& c : Log.Names)
            n += c == name ? 1 : 0;
        return n;
    }

    // What the skin paints over the combo, in a bitmap of its size.
    std::unique_ptr<TBitmap> SkinPainted(TSkinControl* skin, TColor background = clBlack)
    {
        RECT r;
        GetWindowRect(skin->Handle(), &r);
        auto b = Filled(r.right - r.left, r.bottom - r.top, background);
        skin->PaintControl(b->Canvas()->Handle());
        return b;
    }

    TChangeLog Log;
};

// One state of a skin object nine-sliced to the size of R, over `background`, magenta left out.
std::unique_ptr<TBitmap> SlicedPiece(TDataSkinObject* o, int state, int w, int h, TColor background)
{
    auto b = Filled(w, h, background);
    DrawSkinBitmapSliced(b->Canvas()->Handle(), TRect(0, 0, w, h), &o->Bitmap, o->Margins(), state, o->Frame, true,
                         false, false);
    return b;
}

}  // namespace

TEST_F(SkinComboTest, EachStyleOpensPicksAndClosesAsWithout)
{
    for (TComboBoxStyle style : {csDropDown, csDropDownList, csOwnerDrawFixed}) {
        SCOPED_TRACE(static_cast<int>(style));
        Log.Names.clear();
        TComboBox* plain = NewCombo("Plain", 10, style);
        TComboBox* combo = NewCombo("Skinned", 260, style);
        TSkinComBox* skin = SkinOf(combo);
        HWND a = plain->Handle(), b = combo->Handle();
        ASSERT_TRUE(skin->DropDownBarSkin());
        EXPECT_EQ(skin->ListWindow(), ComboInfo(b).hwndList);
        EXPECT_EQ(SkinForm->FindSkinControl(skin->ListWindow()), skin->DropDownBarSkin());
        EXPECT_EQ(skin->EditHooked(), style == csDropDown);

        // Keys: F4 opens, Down moves, Enter picks and closes.
        for (HWND w : {a, b}) {
            SetFocus(w);
            PressKey(VK_F4, GetFocus());
            EXPECT_TRUE(DroppedDown(w));
            PressKey(VK_DOWN, GetFocus());
            PressKey(VK_DOWN, GetFocus());
            PressKey(VK_RETURN, GetFocus());
            EXPECT_FALSE(DroppedDown(w));
        }
        EXPECT_EQ(combo->ItemIndex(), plain->ItemIndex());
        EXPECT_EQ(combo->Text(), plain->Text());
        EXPECT_EQ(ChangesOf("Skinned"), ChangesOf("Plain"));
        EXPECT_GT(combo->ItemIndex(), -1);

        // The mouse: a click on the button opens, a click on an item picks it and closes.
        for (HWND w : {a, b}) {
            const COMBOBOXINFO info = ComboInfo(w);
            ClickAt(w, (info.rcButton.left + info.rcButton.right) / 2, (info.rcButton.top + info.rcButton.bottom) / 2);
            EXPECT_TRUE(DroppedDown(w));
            const int item = static_cast<int>(SendMessageA(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
            ClickAt(info.hwndList, 20, item * 4 + item / 2);
            EXPECT_FALSE(DroppedDown(w));
        }
        EXPECT_EQ(combo->ItemIndex(), plain->ItemIndex());
        EXPECT_EQ(ChangesOf("Skinned"), ChangesOf("Plain"));
        plain->Free();
        combo->Free();
        EXPECT_TRUE(PumpUntil([&] { return SkinForm->SkinControlCount() == 0; })) << "skins left behind";
    }
}

TEST_F(SkinComboTest, TheButtonAndTheListBarArePaintedFromTheSkin)
{
    TComboBox* combo = NewCombo("Combo1", 10, csDropDownList);
    TSkinComBox* skin = SkinOf(combo);
    TDataSkinBorder* button = Data->FComboButton.get();
    ASSERT_TRUE(button && button->Style == 2);  // the theme builds its whole-box strip
    auto painted = SkinPainted(skin, clFuchsia);
    const int w = painted->Width(), h = painted->Height();
    auto expected = SlicedPiece(button, 1, w, h, clFuchsia);
    EXPECT_TRUE(SameArea(*painted, 0, 0, *expected));
    // The text field shows through; the button is the skin's.
    EXPECT_EQ(At(*painted, w / 3, h / 2), clFuchsia);
    EXPECT_NE(At(*painted, w - 8, h / 2), clFuchsia);
    EXPECT_EQ(skin->ButtonRect(), TRect(ComboInfo(combo->Handle()).rcButton));

    // Focused, pressed, and disabled even while pressed (frames told apart at a glance).
    FillStrip(button->Bitmap, 4, 30, 30, StripButton);
    combo->SetFocus();
    EXPECT_TRUE(SameArea(*SkinPainted(skin, clFuchsia), 0, 0, *SlicedPiece(button, 4, w, h, clFuchsia)));
    SendMessageA(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(w - 8, h / 2));
    EXPECT_TRUE(SameArea(*SkinPainted(skin, clFuchsia), 0, 0, *SlicedPiece(button, 2, w, h, clFuchsia)));
    SendMessageA(combo->Handle(), WM_LBUTTONUP, 0, MakeMsgPoint(w - 8, h / 2));
    PressKey(VK_ESCAPE, ComboInfo(combo->Handle()).hwndList);
    SendMessageA(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(w - 8, h / 2));
    combo->SetEnabled(false);
    EXPECT_TRUE(SameArea(*SkinPainted(skin, clFuchsia), 0, 0, *SlicedPiece(button, 3, w, h, clFuchsia)));
    combo->SetEnabled(true);
    SendMessageA(combo->Handle(), WM_LBUTTONUP, 0, MakeMsgPoint(w - 8, h / 2));
    PressKey(VK_ESCAPE, ComboInfo(combo->Handle()).hwndList);

    // The drop-down list's vertical bar, in the list's frame.
    HWND list = skin->ListWindow();
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(list) != FALSE; })) << "the list did not drop down";
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &bar));
    RECT lw;
    GetWindowRect(list, &lw);
    TBitmap frame(lw.right - lw.left, lw.bottom - lw.top);
    skin->DropDownBarSkin()->PaintControl(frame.Canvas()->Handle());
    const int bw = bar.rcScrollBar.right - bar.rcScrollBar.left;
    TBitmap* strip = &Data->FScrollbar->Bitmap;
    const int t = ScrollBarThickness(strip->Height(), bw);
    auto upArrow = StripPiece(strip, 23, 9, t, bw, Data->FColors[scButtonFace]);
    EXPECT_TRUE(SameArea(frame, bar.rcScrollBar.left - lw.left, bar.rcScrollBar.top - lw.top, *upArrow));
    // Scrolled, the list shows the skin's bar again at once, not the system's.
    SendMessageA(list, WM_VSCROLL, SB_LINEDOWN, 0);
    const int ax = bar.rcScrollBar.left - lw.left + t / 2, ay = bar.rcScrollBar.top - lw.top + bw / 2;
    EXPECT_EQ(WindowPixel(list, ax, ay), At(*upArrow, t / 2, bw / 2));
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(SkinComboTest, HoverRepaintsOnEntryAndExitButAFocusChangeAloneDoesNot)
{
    TComboBox* combo = NewCombo("Skinned", 10, csDropDownList);
    TComboBox* other = NewCombo("Other", 260, csDropDownList);
    TSkinComBox* skin = SkinOf(combo);
    HWND w = combo->Handle();
    const TRect button = skin->ButtonRect();
    ASSERT_FALSE(button.Empty());
    // The skin's repaints erase the combo; the combo's own repaints do not.
    auto repaints = [&](const std::function<void()>& step) {
        TEraseCounter counter(w);
        step();
        return counter.Count();
    };
    auto moveTo = [w](int x, int y) {
        return [w, x, y] { SendMessageA(w, WM_MOUSEMOVE, 0, MakeMsgPoint(x, y)); };
    };
    EXPECT_EQ(repaints(moveTo(button.left + 3, button.top + 3)), 1);
    EXPECT_TRUE(skin->ButtonRect().Contains(TPoint(button.left + 4, button.top + 4)));
    EXPECT_EQ(repaints(moveTo(button.left + 4, button.top + 4)), 0);
    EXPECT_EQ(repaints(moveTo(5, 5)), 1);
    EXPECT_EQ(repaints(moveTo(6, 5)), 0);
    EXPECT_EQ(repaints(moveTo(button.left + 3, button.top + 3)), 1);
    EXPECT_EQ(repaints([w] { SendMessageA(w, CM_MOUSELEAVE, 0, 0); }), 1);
    EXPECT_EQ(repaints([w] { SendMessageA(w, CM_MOUSELEAVE, 0, 0); }), 0);
    EXPECT_EQ(repaints([&] {
                  combo->SetFocus();
                  other->SetFocus();
              }),
              0);
    // A disabled combo keeps its hot mark: entering again costs nothing.
    moveTo(button.left + 3, button.top + 3)();
    combo->SetEnabled(false);
    SkinPainted(skin);
    EXPECT_EQ(repaints(moveTo(5, 5)), 0);
    combo->SetEnabled(true);
    SkinPainted(skin);
    EXPECT_EQ(repaints(moveTo(button.left + 3, button.top + 3)), 0);
    // Nor does a disabled combo become hot.
    SendMessageA(w, CM_MOUSELEAVE, 0, 0);
    combo->SetEnabled(false);
    SkinPainted(skin);
    EXPECT_EQ(repaints(moveTo(button.left + 3, button.top + 3)), 0);
}

TEST_F(SkinComboTest, ARightToLeftComboHasItsButtonOnTheLeft)
{
    TComboBox* combo = NewCombo("Combo1", 10, csDropDownList);
    SetWindowLongA(combo->Handle(), GWL_EXSTYLE, GetWindowLongA(combo->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    TSkinComBox* skin = SkinOf(combo);
    auto painted = SkinPainted(skin, clFuchsia);
    const int w = painted->Width(), h = painted->Height();
    TDataSkinObject* sunk = Data->FSunkEdge.get();  // the theme's mirrored whole-box strip
    EXPECT_TRUE(SameArea(*painted, 0, 0, *SlicedPiece(sunk, 1, w, h, clFuchsia)));
    EXPECT_NE(At(*painted, 8, h / 2), clFuchsia);
    EXPECT_EQ(At(*painted, w - w / 3, h / 2), clFuchsia);

    // The framed drawing: the edge and the button on the left, the text field left alone.
    Data->FComboButton->Style = 0;
    painted = SkinPainted(skin, clFuchsia);
    const int f = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_NE(At(*painted, f / 2, h / 2), clFuchsia);
    EXPECT_EQ(At(*painted, w / 2, h / 2), clFuchsia);
    EXPECT_NE(At(*painted, w - 1, h / 2), clFuchsia);
    // Without the edge picture the button alone: the mirrored picture, in the combo's state.
    TDataSkinBorder* button = Data->FComboButton.get();
    FillStrip(button->Bitmap, 4, 20, 20, StripButton);
    FillStrip(button->Bitmap2, 4, 20, 20, StripCheck);
    Data->FSunkEdge.reset();
    Data->FExtraImages.reset();
    SendMessageA(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(8, h / 2));
    painted = SkinPainted(skin, clFuchsia);
    EXPECT_TRUE(SameArea(*painted, 0, 0, *StripPiece(&button->Bitmap2, button->Frame, 2, f + 2, h, clFuchsia)));
    SendMessageA(combo->Handle(), WM_LBUTTONUP, 0, MakeMsgPoint(8, h / 2));
    PressKey(VK_ESCAPE, ComboInfo(combo->Handle()).hwndList);
    SetWindowLongA(combo->Handle(), GWL_EXSTYLE, GetWindowLongA(combo->Handle(), GWL_EXSTYLE) & ~WS_EX_LEFTSCROLLBAR);
    painted = SkinPainted(skin, clFuchsia);
    EXPECT_EQ(At(*painted, 0, 0), clFuchsia);
    EXPECT_EQ(At(*painted, f / 2 + 4, h / 2), clFuchsia);
    const int state = GetFocus() == combo->Handle() ? 4 : 1;  // the press focused it
    EXPECT_TRUE(SameArea(*painted, w - f - 2, 0, *StripPiece(&button->Bitmap, button->Frame, state, f + 2, h, clFuchsia)));
}

TEST_F(SkinComboTest, TheFramedButtonCarriesItsGlyphAndAComboBoxExItsArrow)
{
    TComboBox* combo = NewCombo("Combo1", 10, csDropDown);
    TSkinComBox* skin = SkinOf(combo);
    const TColor face = Data->FColors[scButtonFace];
    // The framed drawing: the extra glyph's first frame centred in the button's glyph box.
    Data->FComboButton->Style = 0;
    auto painted = SkinPainted(skin, clFuchsia);
    const int w = painted->Width(), h = painted->Height(), f = GetSystemMetrics(SM_CXHSCROLL);
    TDataSkinObject* extra = Data->FExtraImages.get();
    ASSERT_TRUE(extra && !extra->Bitmap.Empty());
    const int gw = extra->Bitmap.Width() / extra->Frame, gh = extra->Bitmap.Height();
    const int gx = w - f - 2 + (f - gw) / 2, gy = (h - gh) / 2;
    int inked = 0;
    for (int y = 0; y < gh; ++y)
        for (int x = 0; x < gw; ++x) {
            const TColor g = PicturePixel(extra->Bitmap, x, y);
            if (g == clFuchsia)
                continue;
            ++inked;
            ASSERT_EQ(At(*painted, gx + x, gy + y), g) << x << "," << y;
        }
    EXPECT_GT(inked, 5);
    // The sunken edge paints the ring and the button area, never the text field.
    FillStrip(Data->FSunkEdge->Bitmap, 4, 20, 20, StripButton);
    painted = SkinPainted(skin, clFuchsia);
    EXPECT_NE(At(*painted, 1, h / 2), clFuchsia);
    EXPECT_EQ(At(*painted, w / 2, h / 2), clFuchsia);

    // The ComboBoxEx drawing: over the edit part the face with the skin's combo arrow stretched
    // into it, magenta left out; no border on a control without one, the flat two-ring border
    // on one with.
    skin->SetComboBoxExMode(true);
    painted = SkinPainted(skin, clFuchsia);
    EXPECT_EQ(At(*painted, 0, 0), clFuchsia);
    HWND c = combo->Handle();
    SetWindowLongA(c, GWL_EXSTYLE, GetWindowLongA(c, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(c, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    painted = SkinPainted(skin, clFuchsia);
    EXPECT_EQ(At(*painted, 0, 0), Shadow());
    EXPECT_EQ(At(*painted, 1, 1), clWhite);
    RECT edit, window;
    GetWindowRect(skin->EditWindow(), &edit);
    GetWindowRect(combo->Handle(), &window);
    OffsetRect(&edit, -window.left, -window.top);
    TDataSkinObject* arrow = Data->FComboArrow.get();
    ASSERT_TRUE(arrow && !arrow->Bitmap.Empty());
    EXPECT_TRUE(SameArea(*painted, edit.left, edit.top,
                         *StripPiece(&arrow->Bitmap, arrow->Frame, 1, edit.right - edit.left, edit.bottom - edit.top,
                                     face)));
    // Where the arrow's picture is magenta, the face shows.
    arrow->Bitmap.Assign(Filled(40, 10, clFuchsia).get());
    painted = SkinPainted(skin, clFuchsia);
    EXPECT_EQ(At(*painted, (edit.left + edit.right) / 2, (edit.top + edit.bottom) / 2), Face());
}

TEST_F(SkinComboTest, SkinsWithoutTheButtonPictureLeaveTheComboAsItIs)
{
    TComboBox* combo = NewCombo("Combo1", 10, csDropDownList);
    TSkinComBox* skin = SkinOf(combo);
    auto untouched = [&] {
        auto b = SkinPainted(skin, clFuchsia);
        return CountOf(*b, TRect(0, 0, b->Width(), b->Height()), clFuchsia) == b->Width() * b->Height();
    };
    // Right to left, the whole-box style draws the sunken edge's picture: without one, nothing.
    SetWindowLongA(combo->Handle(), GWL_EXSTYLE, GetWindowLongA(combo->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    auto sunk = std::move(Data->FSunkEdge);
    EXPECT_TRUE(untouched());
    Data->FSunkEdge = std::move(sunk);
    SetWindowLongA(combo->Handle(), GWL_EXSTYLE, GetWindowLongA(combo->Handle(), GWL_EXSTYLE) & ~WS_EX_LEFTSCROLLBAR);
    // An empty button picture, or none, and an extra glyph strip without frames: nothing, and
    // nothing divides by 0.
    Data->FComboButton->Bitmap.SetSize(0, 0);
    Data->FComboButton->Style = 0;
    EXPECT_TRUE(untouched());
    Data->FComboButton.reset();
    if (Data->FExtraImages)
        Data->FExtraImages->Frame = 0;
    EXPECT_TRUE(untouched());

    // The plain style: a ring in the DC's brush and a shadow frame.
    TSkinData* mac = ThemeData("macos.skn");
    auto* macCombo = NewCombo("Combo2", 260, csDropDownList);
    auto* macSkin = new TSkinComBox(macCombo);
    macSkin->InitControl(SkinForm, mac, SkinForm->WorkCanvas(), false);
    mac->FComboButton->Style = 1;
    mac->FComboButton->Frame = 0;
    mac->FComboButton->Bitmap.Assign(Filled(10, 8, clBlue).get());  // one frame, lower than the column
    auto plain = Filled(150, 24, clFuchsia);
    plain->Canvas()->Brush()->SetColor(clYellow);
    macSkin->PaintControl(plain->Canvas()->Handle());
    EXPECT_EQ(ColorToRGB(At(*plain, 0, 0)), ColorToRGB(mac->FColors[scButtonShadow]));
    EXPECT_EQ(At(*plain, 1, 1), clYellow);  // the ring in the DC's brush
    EXPECT_EQ(At(*plain, 150 / 3, 12), clFuchsia);
    // The button column in the brush, the button at its top right.
    const int bottom = macCombo->Height() - 3;
    ASSERT_GT(bottom, 12);
    EXPECT_EQ(At(*plain, 148 - GetSystemMetrics(SM_CYVTHUMB), bottom), clYellow);
    EXPECT_EQ(At(*plain, 147, 5), clBlue);
    EXPECT_NE(At(*plain, 147, bottom), clBlue);

    // Its own order of states: under the pointer frame 4, disabled too (the hot mark stays);
    // away and disabled frame 3.
    FillStrip(mac->FComboButton->Bitmap, 4, 10, 8, StripButton);
    mac->FComboButton->Frame = 4;
    auto shows = [&](int frame) {
        return PumpUntil([&] {
            auto b = Filled(150, 24, clFuchsia);
            macSkin->PaintControl(b->Canvas()->Handle());
            return At(*b, 147, 5) == StripButton[frame - 1];
        });
    };
    MoveMouseTo(Form->Handle(), 5, 300);
    EXPECT_TRUE(shows(1)) << "not normal with the pointer away";
    const TRect button = macSkin->ButtonRect();
    MoveMouseTo(macCombo->Handle(), (button.left + button.right) / 2, (button.top + button.bottom) / 2);
    EXPECT_TRUE(shows(4)) << "not hot under the pointer";
    macCombo->SetEnabled(false);
    EXPECT_TRUE(shows(4)) << "disabled, the hot mark was lost";
    macCombo->SetEnabled(true);
    MoveMouseTo(Form->Handle(), 5, 300);
    EXPECT_TRUE(shows(1)) << "still hot with the pointer away";
    macCombo->SetEnabled(false);
    EXPECT_TRUE(shows(3)) << "not disabled";
}

TEST_F(SkinComboTest, ADroppedListsThumbIsDraggedByTheSkin)
{
    TComboBox* combo = NewCombo("Combo1", 10, csDropDownList);
    TSkinComBox* skin = SkinOf(combo);
    HWND list = skin->ListWindow();
    // The real pointer pressed on the thumb and moved by `by` pixels from inside the drag; then
    // the button goes up, or `stop` ends the drag from inside it.
    // The step inside the drag has run (and so the drag, which holds the thread till it ends, has
    // ended).
    auto dragged = [] { return PumpUntil([] { return !TWhenCaptured::Pending; }); };
    auto drag = [&](int by, std::function<void()> stop = nullptr) {
        SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(list) != FALSE; })) << "the list did not drop down";
        SCROLLBARINFO bar{};
        bar.cbSize = sizeof bar;
        GetScrollBarInfo(list, OBJID_VSCROLL, &bar);
        const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
        const int y = bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
        MoveMouseTo(x, y);
        WhenCaptured(list, [=] {
            MoveMouseTo(x, y + by, false);
            if (stop)
                WhenCaptured(list, stop);  // after the move has been handled
            else
                LeftButton(false, false);
        });
        LeftButton(true);
        EXPECT_TRUE(dragged()) << "the drag did not run and end";
        if (stop)
            LeftButton(false);
    };
    auto top = [&] { return static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0)); };
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    drag(2000);
    GetScrollInfo(list, SB_VERT, &si);
    EXPECT_EQ(top(), static_cast<int>(si.nMax - si.nPage + 1));
    drag(-2000);
    EXPECT_EQ(top(), 0);
    drag(30);
    const int middle = top();
    EXPECT_GT(middle, 0);
    EXPECT_LT(middle, static_cast<int>(si.nMax - si.nPage));

    // The pointer, not the message, says where the thumb goes: a move whose message still
    // names the press point drags as far as the pointer has gone.
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(list) != FALSE; })) << "the list did not drop down";
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    GetScrollBarInfo(list, OBJID_VSCROLL, &bar);
    POINT thumb{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
    MoveMouseTo(thumb.x, thumb.y);
    WhenCaptured(list, [=] {
        MoveMouseTo(thumb.x, thumb.y - 2000, false);
        POINT at = thumb;
        ScreenToClient(list, &at);
        PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MakeMsgPoint(at.x, at.y));
        PostMessageA(list, WM_LBUTTONUP, 0, MakeMsgPoint(at.x, at.y));
    });
    LeftButton(true);
    EXPECT_TRUE(dragged()) << "the drag did not run and end";
    LeftButton(false);
    EXPECT_EQ(top(), 0);

    // A press on the arrows stays the system's.
    drag(30);
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(list) != FALSE; })) << "the list did not drop down";
    GetScrollBarInfo(list, OBJID_VSCROLL, &bar);
    POINT down{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2, bar.rcScrollBar.bottom - 4};
    PostMessageA(list, WM_NCLBUTTONDOWN, HTVSCROLL, MakeMsgPoint(down.x, down.y));
    ScreenToClient(list, &down);
    PostMessageA(list, WM_LBUTTONUP, 0, MakeMsgPoint(down.x, down.y));
    EXPECT_TRUE(PumpHandled()) << "not handled: the press on the arrow";
    EXPECT_EQ(top(), middle + 1);

    // A drag ends when the capture goes elsewhere, the list keeping where it was dragged to.
    drag(-2000, [] { ReleaseCapture(); });
    EXPECT_EQ(top(), 0);
    EXPECT_NE(GetCapture(), list);

    // A quit asked for during a drag ends it and still reaches the application's loop.
    ASSERT_FALSE(Application->Terminated());
    drag(10, [] { PostQuitMessage(3); });
    EXPECT_TRUE(Application->Terminated());
    EXPECT_NE(GetCapture(), list);
    Application->CancelTerminate();

    // The combo box freed during a drag ends it too.
    drag(10, [&] { combo->Free(); });
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
}

TEST_F(SkinComboTest, ASimpleCombosListGetsSkinnedBarsAndNoButton)
{
    TComboBox* combo = NewCombo("Combo1", 10, csSimple);
    TSkinComBox* skin = SkinOf(combo);
    TSkinScrollbarH* lists = skin->SimpleListSkin();
    ASSERT_TRUE(lists);
    EXPECT_FALSE(skin->DropDownBarSkin());
    EXPECT_FALSE(skin->EditHooked());
    EXPECT_EQ(lists->Handle(), ComboInfo(combo->Handle()).hwndList);
    ASSERT_TRUE(lists->VertBar()->Shown());
    EXPECT_EQ(GetParent(lists->VertBar()->Handle()), combo->Handle());
    // A click on the panel's down arrow scrolls the list.
    const int length = lists->VertBar()->ClientBar().Height();
    ClickAt(lists->VertBar()->Handle(), 5, length - 4);
    EXPECT_EQ(SendMessageA(lists->Handle(), LB_GETTOPINDEX, 0, 0), 1);
    // No button: the skin paints nothing over the combo.
    auto painted = SkinPainted(skin, clFuchsia);
    EXPECT_EQ(At(*painted, painted->Width() - 5, 5), clFuchsia);
}

TEST_F(SkinComboTest, UnskinningGivesBackTheEditAndListProcedures)
{
    TComboBox* combo = NewCombo("Combo1", 10, csDropDown);
    const COMBOBOXINFO info = ComboInfo(combo->Handle());
    const LONG_PTR editProc = GetWindowLongPtrA(info.hwndItem, GWLP_WNDPROC);
    const LONG_PTR listProc = GetWindowLongPtrA(info.hwndList, GWLP_WNDPROC);
    const TWndMethod original = combo->WindowProc;
    TSkinComBox* skin = SkinOf(combo);
    EXPECT_EQ(skin->EditWindow(), info.hwndItem);
    EXPECT_NE(GetWindowLongPtrA(info.hwndItem, GWLP_WNDPROC), editProc);
    EXPECT_NE(GetWindowLongPtrA(info.hwndList, GWLP_WNDPROC), listProc);
    // A press in the edit part marks the combo pressed until the button goes up.
    SendMessageA(info.hwndItem, WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(5, 5));
    auto pressed = SkinPainted(skin, clFuchsia);
    EXPECT_TRUE(SameArea(*pressed, 0, 0,
                         *SlicedPiece(Data->FComboButton.get(), 2, pressed->Width(), pressed->Height(), clFuchsia)));
    SendMessageA(info.hwndItem, WM_LBUTTONUP, 0, MakeMsgPoint(5, 5));

    SkinForm->FreeSkinControls();
    EXPECT_EQ(GetWindowLongPtrA(info.hwndItem, GWLP_WNDPROC), editProc);
    EXPECT_EQ(GetWindowLongPtrA(info.hwndList, GWLP_WNDPROC), listProc);
    EXPECT_TRUE(combo->WindowProc == original);
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
    combo->SetText("typed");
    EXPECT_EQ(combo->Text(), "typed");
}

TEST_F(SkinComboTest, WithoutTheComboBoxEntryNoListIsSkinned)
{
    TSkinUser32Entries saved = SkinUser32Entries();
    SkinUser32Entries().GetComboBoxInfo = nullptr;
    TComboBox* combo = NewCombo("Combo1", 10, csDropDown);
    TSkinComBox* skin = SkinOf(combo);
    SkinUser32Entries() = saved;
    EXPECT_FALSE(skin->DropDownBarSkin());
    EXPECT_TRUE(skin->EditHooked());
    EXPECT_EQ(SkinForm->SkinControlCount(), 1);
}

TEST_F(SkinComboTest, ThePickersArrowButtonOpensItsCalendarAndFocusesIt)
{
    auto* picker = Add<TDateTimePicker>(Form, Form, "Picker1", 10, 10, 160, 24);
    auto* edit = Add<TComboBox>(Form, Form, "Other", 10, 60, 100, 24);
    auto* skin = new TSkinDateTime(picker);
    skin->InitControl(SkinForm, Data, SkinForm->WorkCanvas(), false);
    TArrowButton* arrow = skin->ArrowButton();
    ASSERT_TRUE(arrow);
    HWND p = picker->Handle();
    EXPECT_EQ(GetParent(arrow->Handle()), p);
    EXPECT_TRUE(GetWindowLongA(p, GWL_STYLE) & WS_CLIPCHILDREN);
    const int b = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_EQ(arrow->Left(), 160 - b - 4);
    EXPECT_EQ(arrow->Width(), b);
    EXPECT_EQ(arrow->Height(), 20);

    // Painted from the skin's combo arrow.
    TDataSkinObject* glyph = Data->FComboArrow.get();
    ASSERT_TRUE(glyph && !glyph->Bitmap.Empty());
    auto painted = Painted(arrow->Handle());
    auto first = std::make_unique<TBitmap>(b, 20);
    const TPixRect src = StateRect(glyph->Bitmap.Width(), glyph->Bitmap.Height(), 1, glyph->Frame, false);
    first->Canvas()->CopyRect(TRect(0, 0, b, 20), glyph->Bitmap.Canvas(), TRect(src.Left, src.Top, src.Right, src.Bottom));
    EXPECT_TRUE(SameArea(*painted, 0, 0, *first));
    // Under the pointer: the arrow's fourth frame; away again, the first.
    MoveMouseTo(arrow->Handle(), b / 2, 10);
    ASSERT_TRUE(PumpUntil([&] { return arrow->Hot(); }, 500));
    auto hot = std::make_unique<TBitmap>(b, 20);
    const TPixRect hotSrc = StateRect(glyph->Bitmap.Width(), glyph->Bitmap.Height(), 4, glyph->Frame, false);
    hot->Canvas()->CopyRect(TRect(0, 0, b, 20), glyph->Bitmap.Canvas(),
                            TRect(hotSrc.Left, hotSrc.Top, hotSrc.Right, hotSrc.Bottom));
    EXPECT_TRUE(SameArea(*Painted(arrow->Handle()), 0, 0, *hot));
    MoveMouseTo(edit->Handle(), 5, 5);
    ASSERT_TRUE(PumpUntil([&] { return !arrow->Hot(); }, 500));
    EXPECT_TRUE(SameArea(*Painted(arrow->Handle()), 0, 0, *first));

    edit->SetFocus();
    ClickAt(arrow->Handle(), b / 2, 10);
    HWND calendar = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        calendar = reinterpret_cast<HWND>(SendMessageA(p, DTM_GETMONTHCAL, 0, 0));
        return calendar && IsWindowVisible(calendar);
    })) << "the calendar did not open";
    EXPECT_TRUE(GetFocus() == p || GetFocus() == calendar);
    EXPECT_TRUE(IsWindowVisible(calendar));
    SendMessageA(calendar, WM_KEYDOWN, VK_ESCAPE, 0);
    edit->SetFocus();
    EXPECT_TRUE(PumpHandled()) << "not handled: the calendar's closing";

    // The flat frame: a shadow line and a white ring.
    TBitmap frame(160, 24);
    skin->PaintControl(frame.Canvas()->Handle());
    EXPECT_EQ(ColorToRGB(At(frame, 0, 5)), ColorToRGB(Data->FColors[scButtonShadow]));
    EXPECT_EQ(At(frame, 1, 5), clWhite);

    // Resized, the arrow button follows the picker's right edge.
    picker->SetWidth(200);
    EXPECT_TRUE(PumpUntil([&] { return arrow->Left() == 200 - b - 4; })) << "the arrow button stayed at " << arrow->Left();

    // Without a border: no frame, but the arrow button still follows the edge.
    SetWindowLongA(p, GWL_EXSTYLE, GetWindowLongA(p, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowPos(p, nullptr, 0, 0, 180, 24, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(At(*SkinPainted(skin, clFuchsia), 0, 5), clFuchsia);
    EXPECT_EQ(arrow->Left(), 180 - b - 4);

    // Freed, the skin takes its arrow button and the added style away.
    HWND arrowWnd = arrow->Handle();
    SkinForm->FreeSkinControls();
    EXPECT_FALSE(IsWindow(arrowWnd));
    EXPECT_FALSE(GetWindowLongA(p, GWL_STYLE) & WS_CLIPCHILDREN);
}

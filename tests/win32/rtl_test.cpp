// Right to left on real windows. The toolkit: BiDiMode streamed from a form file, turned into
// window styles, followed by children, menus and status panels, and changed on live windows.
// The skin engine, with both theme skins, on the right-to-left form of forms/rtlform.form: the
// menu bar laid out from the right, its drop-downs opened right-aligned and drawn mirrored, the
// arrow keys swapped in the real menu loop, the caption text, check boxes, buttons, the group
// box, the status bars and the combo box; then the same form turned left to right.
#include <algorithm>
#include <functional>
#include <map>

#include "buttons.h"
#include "combobox.h"
#include "controlskintest.h"
#include "datetimepicker.h"
#include "groupbox.h"
#include "guitest.h"
#include "menuloop.h"
#include "menus.h"
#include "pagecontrol.h"
#include "realinput.h"
#include "skincontent.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinform.h"
#include "skinmenu.h"
#include "skinwindowtest.h"
#include "statusbar.h"
#include "stdctrls.h"
#include "themeskins.h"
#include "winstyle.h"
#include "winutil.h"

namespace {

// A radio button of the system's: a right-to-left one keeps its button on the left.
class TRtlRadio : public TWinControl {
    TK_CLASS(TRtlRadio, TWinControl)
public:
    explicit TRtlRadio(TComponent* owner) : TWinControl(owner) {}

protected:
    void CreateParams(TCreateParams& p) override
    {
        TWinControl::CreateParams(p);
        p.SysClassName = "BUTTON";
        p.Style |= BS_AUTORADIOBUTTON;
    }
};

const TClassInfo& TRtlRadio::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TRtlRadio>("TRtlRadio", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("Caption", &TRtlRadio::GetText, &TRtlRadio::SetText)
                                       .Build();
    return info;
}

class TRtlForm : public TForm {
    TK_CLASS(TRtlForm, TForm)
public:
    explicit TRtlForm(TComponent* owner) : TForm(owner) { InitForm(); }
    TK_COMPONENT(TCheckBox, CheckBox1);
    TK_COMPONENT(TCheckBox, CheckBox2);
    TK_COMPONENT(TCheckBox, CheckBox3);
    TK_COMPONENT(TRtlRadio, RadioButton1);
    TK_COMPONENT(TComboBox, ComboBox1);
    TK_COMPONENT(TButton, Button1);
    TK_COMPONENT(TSpeedButton, SpeedButton1);
    TK_COMPONENT(TGroupBox, GroupBox1);
    TK_COMPONENT(TPageControl, PageControl1);
    TK_COMPONENT(TDateTimePicker, DateTimePicker1);
    TK_COMPONENT(TStatusBar, StatusBar1);
    TK_COMPONENT(TStatusBar, StatusBar2);
    TK_COMPONENT(TMainMenu, MainMenu1);
    TK_COMPONENT(TPopupMenu, PopupMenu1);
    TK_COMPONENT(TImageList, Images1);
    std::vector<String> Clicked;
    TK_HANDLER(ItemClick, TObject* s) { Clicked.push_back(static_cast<TComponent*>(s)->Name()); }
};

const TClassInfo& TRtlForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TRtlForm>("TRtlForm", &TForm::StaticClass()).Build();
    return info;
}

TRtlForm* NewRtlForm()
{
    RegisterClasses({&TRtlRadio::StaticClass()});
    return new TRtlForm(nullptr);
}

// ---------------------------------------------------------------- pixels

// What a window shows in r (window coordinates), read from its own picture.
std::unique_ptr<TBitmap> Shot(HWND w, const TRect& r)
{
    auto b = std::make_unique<TBitmap>(r.Width(), r.Height());
    HDC dc = GetWindowDC(w);
    BitBlt(b->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), dc, r.left, r.top, SRCCOPY);
    ReleaseDC(w, dc);
    return b;
}

// A control as it shows after its form has been drawn again.
std::unique_ptr<TBitmap> Shot(TControl* c)
{
    HWND form = GetParentForm(c)->Handle();
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(20);
    if (auto* w = As<TWinControl>(c))
        return Shot(w->Handle(), TRect(0, 0, c->Width(), c->Height()));
    POINT at{c->Left(), c->Top()};
    ClientToScreen(c->Parent()->Handle(), &at);
    const TRect window = WindowRectOf(c->Parent()->Handle());
    return Shot(c->Parent()->Handle(), Bounds(at.x - window.left, at.y - window.top, c->Width(), c->Height()));
}

int Distance(TColor a, TColor b)
{
    a = Rgb(a);
    b = Rgb(b);
    int d = 0;
    for (int shift : {0, 8, 16})
        d += std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF));
    return d;
}

// The pixels of r that show text of colour `ink`: a third of the way or more from their row's
// commonest colour (the background there) towards the ink.
struct TInk {
    TRect Area;
    std::vector<std::vector<bool>> Rows;
    bool At(int x, int y) const { return Rows[static_cast<size_t>(y - Area.top)][static_cast<size_t>(x - Area.left)]; }
    // The first and last inked column of row y, or of all rows (y < 0); {0, -1} without ink.
    std::pair<int, int> Columns(int y = -1) const
    {
        std::pair<int, int> c{0, -1};
        for (int x = Area.left; x < Area.right; ++x)
            for (int row = y < 0 ? Area.top : y; row < (y < 0 ? Area.bottom : y + 1); ++row)
                if (At(x, row)) {
                    c = c.second < c.first ? std::make_pair(x, x) : std::make_pair(c.first, x);
                    break;
                }
        return c;
    }
    bool Empty() const { return Columns().second < Columns().first; }
    int First() const { return Columns().first; }
    int Last() const { return Columns().second; }
};

TInk InkOf(TBitmap& b, TRect r, TColor ink)
{
    r.top = std::max<LONG>(r.top, 0);
    r.bottom = std::min<LONG>(r.bottom, b.Height());
    TInk result{r, {}};
    for (int y = r.top; y < r.bottom; ++y) {
        std::vector<bool> row(static_cast<size_t>(std::max<LONG>(r.Width(), 0)));
        std::map<TColor, int> counts;
        for (int x = r.left; x < r.right; ++x)
            ++counts[At(b, x, y)];
        const TColor back = counts.empty() ? ink : std::max_element(counts.begin(), counts.end(), [](auto& p, auto& q) {
                                                        return p.second < q.second;
                                                    })->first;
        const int span = Distance(back, ink);
        for (int x = r.left; x < r.right && span >= 90; ++x) {
            const TColor p = At(b, x, y);
            row[static_cast<size_t>(x - r.left)] = Distance(p, back) * 3 >= span && Distance(p, ink) < span;
        }
        result.Rows.push_back(std::move(row));
    }
    return result;
}

// The reading order of a one-line text ending in "__" (and no letter reaching below the line):
// its lowest inked row holds the underscores only, at the start of the text right to left, at
// its end left to right.
enum class TReading { Unknown, LeftToRight, RightToLeft };
TReading ReadingOf(const TInk& ink)
{
    if (ink.Empty())
        return TReading::Unknown;
    int bottom = ink.Area.bottom - 1;
    while (bottom >= ink.Area.top && ink.Columns(bottom).second < ink.Columns(bottom).first)
        --bottom;
    const auto line = ink.Columns(bottom);
    const int before = line.first - ink.First(), after = ink.Last() - line.second;
    if (before <= 1 && after > 3)
        return TReading::RightToLeft;
    if (after <= 1 && before > 3)
        return TReading::LeftToRight;
    return TReading::Unknown;
}

std::ostream& operator<<(std::ostream& os, TReading r)
{
    return os << (r == TReading::RightToLeft ? "right to left" : r == TReading::LeftToRight ? "left to right" : "?");
}

// A 16 x 16 image list picture: a red square in the middle, the rest left out.
std::unique_ptr<TBitmap> RedSquare()
{
    auto b = Filled(16, 16, clFuchsia);
    Paint(*b, TRect(4, 4, 12, 12), clRed);
    return b;
}

// ---------------------------------------------------------------- menus

// An item of an open menu in its window's coordinates.
TRect ItemRect(HWND popup, HMENU menu, int i)
{
    RECT r{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r);
    const TRect w = WindowRectOf(popup);
    OffsetRect(&r, -w.left, -w.top);
    return r;
}

// ---------------------------------------------------------------- the skinned form

class RtlSkinTest : public SkinWindowTest, public testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        SkinWindowTest::SetUp();
        Form = NewRtlForm();
        Forms.push_back(Form);
        Form->Images1->AddMasked(RedSquare().get(), clFuchsia);
        // A glyph of one colour, which its own transparency leaves out: the speed button is laid
        // out and drawn with a glyph, and nothing of it lies over the caption.
        auto glyph = Filled(12, 12, clGreen);
        Form->SpeedButton1->SetGlyph(glyph.get());
        Form->Show();
        SetForegroundWindow(Form->Handle());
        Data = new TSkinData(Form);
        Data->Loaded();
        Data->Skin3rd()->Add("TRtlRadio=radiobutton");
        Data->Skin3rd()->Add("TSpeedButton=speedbutton");
        Data->SetSkinFile(SkinFile());
        ASSERT_FALSE(Data->FSkinEmpty) << "build the native build first";
        BeforeSkinning();
        SkinManager()->SetActive(true);
        SkinManager()->SkinWindow(Form->Handle());
        Skin = SkinManager()->FindSkinForm(Form->Handle());
        ASSERT_TRUE(Skin && PumpUntil([this] { return Skin->LifeState() == TSkinForm::lsSkinned; }));
        Bar = Skin->MenuBar();
        ASSERT_TRUE(Bar);
        ASSERT_TRUE(PumpUntil([this] { return Bar->Buttons(2)->Rect.Width() > 0; }));
    }
    virtual String SkinFile() { return ThemeSkinPath(GetParam()); }
    virtual void BeforeSkinning() {}
    // Turns the form (and all that follows it) around; its windows stay, their styles change.
    void TurnLeftToRight()
    {
        const HWND before = Form->Handle();
        Form->SetBiDiMode(bdLeftToRight);
        EXPECT_EQ(Form->Handle(), before);
        Shot(Form);  // drawn again, the menu bar laid out
    }
    // Clicks a bar button (a posted non-client press) and seen `step` on its open drop-down at
    // the first tick, then Escape.
    void WhileOpen(int button, const std::function<void(HWND)>& step)
    {
        bool ran = false;
        TScript script(150, [&](int tick) {
            if (tick == 1 && OpenMenuWindow()) {
                step(OpenMenuWindow());
                ran = true;
            }
            PostKey(Form->Handle(), VK_ESCAPE);
        });
        Skin->ClickMenuButton(Bar->Buttons(button));
        EXPECT_TRUE(PumpUntil([&] { return ran && !Skin->OpenMenu(); }, 4000));
    }
    // The drop-downs opened one after the other while the keys go to the menu loop.
    std::vector<HMENU> OpenedWithKeys(int button, std::vector<WORD> keys)
    {
        std::vector<HMENU> open;
        TScript script(150, [&](int tick) {
            open.push_back(Skin->OpenMenu());
            const size_t k = static_cast<size_t>(tick - 1);
            PostKey(Form->Handle(), k < keys.size() ? keys[k] : VK_ESCAPE);
        });
        Skin->ClickMenuButton(Bar->Buttons(button));
        PumpUntil([&] { return open.size() > keys.size() && !Skin->OpenMenu(); }, 6000);
        open.resize(std::min(open.size(), keys.size() + 1));
        return open;
    }
    HMENU Sub(int i) const { return Bar->Buttons(i)->SubMenu; }
    int ItemLeft() const { return Data->FMenuItem ? Data->FMenuItem->LeftWidth : 0; }
    TColor Colour(TSkinColorIndex c) const { return Data->FColors[c]; }
    TReading Reading(TControl* c, TColor ink, TRect r = TRect())
    {
        auto shot = Shot(c);
        if (r.Empty())
            r = TRect(0, 0, shot->Width(), shot->Height());
        return ReadingOf(InkOf(*shot, r, ink));
    }
    TColor ButtonText() const
    {
        const TDataSkinButton& b = *Data->FButtons;
        return b.ColourGiven[0] ? b.NormalColour2 : clWindowText;
    }

    TRtlForm* Form = nullptr;
    TSkinData* Data = nullptr;
    TSkinForm* Skin = nullptr;
    TSkinMenu* Bar = nullptr;
};


// ---------------------------------------------------------------- an MDI frame

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

// ---------------------------------------------------------------- the toolkit

using RtlToolkitTest = GuiTest;

TEST_F(RtlToolkitTest, BiDiModeIsStreamedTurnedIntoStylesAndFollowedByChildrenAndMenus)
{
    TOwnedObject<TRtlForm> form(NewRtlForm());
    form->Show();
    const HWND window = form->Handle();
    const DWORD rtl = WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    EXPECT_EQ(GetPropText(form.Get(), "BiDiMode"), "bdrighttoleft");
    EXPECT_EQ(ExStyleOf(window) & BiDiExStyles, rtl);
    // A child follows its parent: the check box reads, aligns and puts its button on the right.
    TCheckBox* first = form->CheckBox1;
    EXPECT_TRUE(first->ParentBiDiMode());
    EXPECT_EQ(ExStyleOf(first->Handle()) & BiDiExStyles, rtl);
    EXPECT_TRUE(StyleOf(first->Handle()) & BS_RIGHTBUTTON);
    // A mode of its own: no right alignment, the scroll bar on the left only without "ReadingOnly".
    EXPECT_FALSE(form->CheckBox2->ParentBiDiMode());
    EXPECT_EQ(ExStyleOf(form->CheckBox2->Handle()) & BiDiExStyles, DWORD(WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR));
    EXPECT_FALSE(StyleOf(form->CheckBox2->Handle()) & BS_RIGHTBUTTON);
    EXPECT_EQ(ExStyleOf(form->CheckBox3->Handle()) & BiDiExStyles, DWORD(WS_EX_RTLREADING));
    // Menus follow their owner; status panels their bar, unless they have a mode of their own.
    EXPECT_TRUE(form->MainMenu1->IsRightToLeft());
    EXPECT_TRUE(form->PopupMenu1->IsRightToLeft());
    TStatusPanels* panels = form->StatusBar1->Panels();
    EXPECT_EQ(panels->Items(0)->BiDiMode(), bdRightToLeft);
    EXPECT_EQ(panels->Items(2)->BiDiMode(), bdLeftToRight);
    EXPECT_FALSE(panels->Items(2)->ParentBiDiMode());

    // Changed on the live form: the same windows, with the styles of the new mode; a child with
    // a mode of its own keeps it until it follows its parent again.
    const HWND check = first->Handle();
    form->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(form->Handle(), window);
    EXPECT_EQ(first->Handle(), check);
    EXPECT_EQ(ExStyleOf(window) & BiDiExStyles, 0u);
    EXPECT_EQ(ExStyleOf(check) & BiDiExStyles, 0u);
    EXPECT_FALSE(StyleOf(check) & BS_RIGHTBUTTON);
    EXPECT_EQ(form->CheckBox2->BiDiMode(), bdRightToLeftNoAlign);
    EXPECT_FALSE(form->MainMenu1->IsRightToLeft());
    EXPECT_EQ(panels->Items(0)->BiDiMode(), bdLeftToRight);
    form->SetBiDiMode(bdRightToLeftReadingOnly);
    EXPECT_EQ(ExStyleOf(check) & BiDiExStyles, DWORD(WS_EX_RTLREADING));
    EXPECT_EQ(form->CheckBox2->BiDiMode(), bdRightToLeftNoAlign);
    form->CheckBox2->SetParentBiDiMode(true);
    EXPECT_EQ(form->CheckBox2->BiDiMode(), bdRightToLeftReadingOnly);
    EXPECT_EQ(ExStyleOf(form->CheckBox2->Handle()) & BiDiExStyles, DWORD(WS_EX_RTLREADING));
    // A menu with a mode of its own no longer follows.
    form->PopupMenu1->SetBiDiMode(bdLeftToRight);
    EXPECT_FALSE(form->PopupMenu1->IsRightToLeft());
    EXPECT_TRUE(form->MainMenu1->IsRightToLeft());

    // The right-to-left check box still works by the mouse and the space key.
    ClickControl(first);
    EXPECT_TRUE(first->Checked());
    PressKey(VK_SPACE, check);
    EXPECT_FALSE(first->Checked());
}

// ---------------------------------------------------------------- the skinned form

TEST_P(RtlSkinTest, MenuBarRunsFromTheRightAndOpensItsDropDownsRightAligned)
{
    EXPECT_TRUE(Skin->RightToLeft());
    EXPECT_TRUE(Bar->RightToLeft());
    const TRect bar = Bar->BarRect();
    const TDataSkinObject* picture = Data->FMenuBar.get();
    EXPECT_EQ(Bar->Buttons(0)->Rect.right, bar.right - (picture ? picture->RightWidth + 8 : 6));
    for (int i = 1; i < 3; ++i)
        EXPECT_EQ(Bar->Buttons(i)->Rect.right, Bar->Buttons(i - 1)->Rect.left);
    auto shot = Shot(Form);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(InkOf(*shot, Bar->Buttons(i)->Rect, Colour(scMenuBarText)).Empty()) << i;
    TRect open;
    WhileOpen(0, [&](HWND popup) { open = WindowRectOf(popup); });
    const TRect window = WindowRectOf(Form->Handle());
    EXPECT_EQ(open.right, window.left + Bar->Buttons(0)->Rect.right);
    EXPECT_EQ(open.top, window.top + Bar->Buttons(0)->Rect.bottom);

    // Left to right: from the left edge, opened left-aligned.
    TurnLeftToRight();
    EXPECT_FALSE(Skin->RightToLeft());
    EXPECT_EQ(Bar->Buttons(0)->Rect.left, bar.left + (picture ? picture->LeftWidth + 4 : 6));
    EXPECT_EQ(Bar->Buttons(1)->Rect.left, Bar->Buttons(0)->Rect.right);
    WhileOpen(0, [&](HWND popup) { open = WindowRectOf(popup); });
    EXPECT_EQ(open.left, window.left + Bar->Buttons(0)->Rect.left);
}

TEST_P(RtlSkinTest, ArrowKeysAreSwappedInTheRealMenuLoop)
{
    // Buttons run leftwards from index 0: Left goes on to the next index, Right back.
    EXPECT_EQ(OpenedWithKeys(1, {VK_LEFT, VK_RIGHT, VK_RIGHT}),
              (std::vector<HMENU>{Sub(1), Sub(2), Sub(1), Sub(0)}));
    // Left from the last button wraps to the first.
    EXPECT_EQ(OpenedWithKeys(2, {VK_LEFT}), (std::vector<HMENU>{Sub(2), Sub(0)}));

    TurnLeftToRight();
    EXPECT_EQ(OpenedWithKeys(1, {VK_LEFT, VK_RIGHT, VK_RIGHT}),
              (std::vector<HMENU>{Sub(1), Sub(0), Sub(1), Sub(2)}));
}

TEST_P(RtlSkinTest, DropDownItemsAreDrawnMirrored)
{
    const TColor shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW));
    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    const TColor light = static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT));
    const TColor text = Colour(scMenuText);
    auto inPattern = [&](TColor c) { return c == face || c == light; };
    struct TSeen {
        TRect Item[3];
        std::unique_ptr<TBitmap> Shot;
    };
    auto look = [&] {
        TSeen s;
        WhileOpen(0, [&](HWND popup) {
            for (int i = 0; i < 3; ++i)
                s.Item[i] = ItemRect(popup, Sub(0), i);
            s.Shot = Shot(popup, TRect(0, 0, WindowRectOf(popup).Width(), WindowRectOf(popup).Height()));
        });
        return s;
    };
    TSeen rtl = look();
    ASSERT_TRUE(rtl.Shot);
    // The checked item with an image: the glyph box at the right end, pattern-filled and
    // pressed in, the image at its top-left.
    const TRect& item = rtl.Item[0];
    const int boxRight = item.right - 1 - ItemLeft(), boxLeft = boxRight - 16, boxTop = item.top + 1;
    EXPECT_EQ(At(*rtl.Shot, boxLeft + 8, boxTop + 8), Rgb(clRed));
    EXPECT_EQ(At(*rtl.Shot, boxLeft, boxTop + 2), shadow);
    EXPECT_TRUE(inPattern(At(*rtl.Shot, boxLeft + 2, boxTop + 2)));
    EXPECT_TRUE(inPattern(At(*rtl.Shot, boxLeft + 3, boxTop + 2)));
    EXPECT_NE(At(*rtl.Shot, boxLeft + 2, boxTop + 2), At(*rtl.Shot, boxLeft + 3, boxTop + 2));
    // The checked item without an image: the check mark in the box on the right; the caption
    // right-aligned before the box, reading right to left.
    const TRect& open = rtl.Item[1];
    EXPECT_GT(CountOf(*rtl.Shot, TRect(open.right - 17 - ItemLeft(), open.top, open.right, open.bottom), Rgb(clBtnText)), 0);
    EXPECT_EQ(CountOf(*rtl.Shot, TRect(open.left, open.top, open.left + 20 + ItemLeft(), open.bottom), Rgb(clBtnText)), 0);
    auto seen = InkOf(*rtl.Shot, TRect(open.left, open.top, boxLeft - 2, open.bottom), text);
    ASSERT_FALSE(seen.Empty());
    EXPECT_GE(seen.Last(), boxLeft - 3 - 3);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
    // The shortcut left-aligned, 10 pixels into the caption's rectangle.
    const TRect& exit = rtl.Item[2];
    seen = InkOf(*rtl.Shot, TRect(exit.left, exit.top, exit.left + 60, exit.bottom), text);
    ASSERT_FALSE(seen.Empty());
    EXPECT_NEAR(seen.First(), exit.left + 11, 1);

    // Left to right: the box at the start, the caption after it.
    TurnLeftToRight();
    TSeen ltr = look();
    ASSERT_TRUE(ltr.Shot);
    const TRect& first = ltr.Item[0];
    const int left = first.left + 1 + ItemLeft();
    const int top = first.top + (first.Height() - 16) / 2;
    EXPECT_EQ(At(*ltr.Shot, left + 8, top + 8), Rgb(clRed));
    EXPECT_EQ(At(*ltr.Shot, left, top + 2), shadow);
    seen = InkOf(*ltr.Shot, TRect(left + 16, ltr.Item[1].top, ltr.Item[1].right, ltr.Item[1].bottom), text);
    EXPECT_EQ(ReadingOf(seen), TReading::LeftToRight);
}

TEST_P(RtlSkinTest, PopupMenuOfTheFormIsDrawnMirrored)
{
    TRect item, window;
    std::unique_ptr<TBitmap> shot;
    TScript script(150, [&](int tick) {
        if (tick == 1 && OpenMenuWindow()) {
            HWND popup = OpenMenuWindow();
            window = WindowRectOf(popup);
            item = ItemRect(popup, Form->PopupMenu1->Handle(), 0);
            shot = Shot(popup, TRect(0, 0, window.Width(), window.Height()));
            PostKey(Form->Handle(), VK_DOWN);
        }
        PostKey(Form->Handle(), VK_RETURN);
    });
    // A right click in the client area; then Down and Return choose the first item.
    PostMessageA(Form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MakeMsgPoint(300, 200));
    PostMessageA(Form->Handle(), WM_RBUTTONUP, 0, MakeMsgPoint(300, 200));
    ASSERT_TRUE(PumpUntil([&] { return shot && !OpenMenuWindow(); }, 4000));
    PumpFor(20);
    EXPECT_EQ(Form->Clicked, (std::vector<String>{"ShowItem"}));
    const int boxLeft = item.right - 1 - ItemLeft() - 16;
    EXPECT_EQ(At(*shot, boxLeft + 8, item.top + 9), Rgb(clRed));
    EXPECT_EQ(CountOf(*shot, TRect(item.left, item.top, item.left + 24, item.bottom), Rgb(clRed)), 0);
}

TEST_P(RtlSkinTest, CaptionTextStandsAtTheButtonsAndReadsRightToLeft)
{
    const TColor title = Colour(scTitleTextActive);
    const int width = WindowRectOf(Form->Handle()).Width();
    auto caption = [&] { return Shot(Form); };
    auto shot = caption();
    const TRect text = Skin->CaptionTextRect();
    // Left-aligned text goes against the caption buttons, 10 pixels further right.
    int extent = 0;
    for (int i = 0; i < Skin->ButtonCount(); ++i) {
        const TDataSkinSysButton* o = Skin->Buttons(i)->SkinObject();
        if (o && o->Align == 1 && !o->Bitmap.Empty() && Skin->Buttons(i)->Visible)
            extent = std::max(extent, o->Xcoord);
    }
    const TDataSkinTitle& style = *Data->FTitle;
    if (style.TextAlignment == 0) {
        EXPECT_EQ(text.right, width - Skin->RightBorder() - extent + 10);
    }
    auto seen = InkOf(*shot, TRect(text.left, 0, text.right, Skin->CaptionHeight()), title);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
    const int textWidth = text.Width();

    // Centred text stands in the middle of what the buttons leave; right-aligned text at the
    // shift from the left; both 10 pixels further right.
    const int alignment = style.TextAlignment;
    const int part = width - Skin->LeftBorder() - Skin->RightBorder();
    for (int a : {1, 2}) {
        Data->FTitle->TextAlignment = a;
        shot = caption();
        const TRect placed = Skin->CaptionTextRect();
        const int dx = a == 1 ? (part - textWidth - extent) / 2 : style.LeftWidth;
        EXPECT_EQ(placed.left, Skin->LeftBorder() + dx + 10) << a;
        EXPECT_EQ(placed.Width(), textWidth) << a;
        // At the left end a skin's left-aligned buttons may cover it.
        if (a == 1) {
            seen = InkOf(*shot, TRect(placed.left, 0, placed.right, Skin->CaptionHeight()), title);
            EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
        }
    }
    Data->FTitle->TextAlignment = alignment;

    // Caption buttons reaching over the whole caption: the text starts at the shift from the
    // caption's left, as wide as ever, and is drawn.
    struct TKept {
        TDataSkinSysButton* Button;
        int Align, Xcoord;
    };
    std::vector<TKept> kept;
    for (auto& b : Data->FSysButtons) {
        if (!b->Bitmap.Empty()) {
            kept.push_back({b.get(), b->Align, b->Xcoord});
            b->Align = 1;
            b->Xcoord = width + 40;
        }
    }
    shot = caption();
    const TRect pushed = Skin->CaptionTextRect();
    EXPECT_EQ(pushed.left, Skin->LeftBorder() + style.LeftWidth + 10);
    EXPECT_EQ(pushed.Width(), textWidth);
    EXPECT_EQ(ReadingOf(InkOf(*shot, TRect(pushed.left, 0, pushed.right, Skin->CaptionHeight()), title)),
              TReading::RightToLeft);
    for (const TKept& k : kept) {
        k.Button->Align = k.Align;
        k.Button->Xcoord = k.Xcoord;
    }

    TurnLeftToRight();
    EXPECT_FALSE(Skin->RightToLeft());
    shot = caption();
    const TRect ltr = Skin->CaptionTextRect();
    if (style.TextAlignment == 0) {
        EXPECT_EQ(ltr.left, Skin->LeftBorder() + style.LeftWidth);
    }
    EXPECT_EQ(ltr.Width(), textWidth);
    seen = InkOf(*shot, TRect(ltr.left, 0, ltr.right, Skin->CaptionHeight()), title);
    EXPECT_EQ(ReadingOf(seen), TReading::LeftToRight);
}

TEST_P(RtlSkinTest, ControlsReadFromTheRightAndAlignThere)
{
    const TDataSkinButton& glyphs = *Data->FButtons;
    const int n = glyphs.CheckButtonFrame, fw = glyphs.CheckBitmap.Width() / n, fh = glyphs.CheckBitmap.Height();
    auto glyphAt = [&](TCheckBox* c, int x, int state) {
        auto piece = StripPiece(const_cast<TBitmap*>(&glyphs.CheckBitmap), n, state, fw, fh, Rgb(Colour(scButtonFace)));
        return SameArea(*Shot(c), x, (c->Height() - fh) / 2, *piece);
    };
    TCheckBox* right = Form->CheckBox1;
    const int w = right->Width();
    // The right-to-left check box: its button on the right, the caption right-aligned before it.
    EXPECT_TRUE(glyphAt(right, w - fw, 1));
    auto seen = InkOf(*Shot(right), TRect(0, 0, w - fw, right->Height()), clWindowText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_GE(seen.Last(), w - fw - 2 - 3);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
    // A click on its button checks it.
    ClickAt(right->Handle(), w - fw / 2 - 1, right->Height() / 2);
    EXPECT_TRUE(right->Checked());
    EXPECT_FALSE(glyphAt(right, w - fw, 1));
    // Reading right to left without right alignment: the button on the left, the caption read
    // left to right (only bdRightToLeft turns the reading order of the skin's text).
    EXPECT_TRUE(glyphAt(Form->CheckBox2, 0, 1));
    const TRect afterGlyph(fw + 1, 0, w, right->Height());
    EXPECT_EQ(Reading(Form->CheckBox2, clWindowText, afterGlyph), TReading::LeftToRight);
    // A right-to-left radio button with its button on the left reads right to left from the left.
    seen = InkOf(*Shot(Form->RadioButton1), TRect(fw + 1, 0, w, Form->RadioButton1->Height()), clWindowText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_LE(seen.First(), fw + 2 + 2);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
    // Button, speed button (with a glyph) and group box read right to left; the group box's
    // caption stands 8 pixels from its right edge.
    const TRect inside(3, 3, 87, 22);  // clear of the buttons' edges
    EXPECT_EQ(Reading(Form->Button1, ButtonText(), inside), TReading::RightToLeft);
    EXPECT_EQ(Reading(Form->SpeedButton1, ButtonText(), inside), TReading::RightToLeft);
    TGroupBox* group = Form->GroupBox1;
    const TRect groupCaption(4, 0, group->Width() - 4, 14);  // clear of the frame's sides
    seen = InkOf(*Shot(group), groupCaption, clWindowText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_NEAR(seen.Last(), group->Width() - 8, 2);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);

    // The current tab's text reads right to left; the date-time picker's arrow button sits on
    // the left.
    TPageControl* pages = Form->PageControl1;
    RECT tab{};
    SendMessageA(pages->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    const TColor tabText = Data->FTabs ? Data->FTabs->MouseOverColour2 : clWindowText;
    const TRect tabInside(tab.left + 5, tab.top + 3, tab.right - 5, tab.bottom - 1);  // clear of its rounded edge
    EXPECT_EQ(Reading(pages, tabText, tabInside),
              TReading::RightToLeft);
    const int arrowSize = GetSystemMetrics(SM_CXHSCROLL);
    auto arrowLeft = [this] {
        HWND picker = Form->DateTimePicker1->Handle();
        HWND arrow = FindWindowExA(picker, nullptr, "TArrowButton", nullptr);
        RECT r{};
        GetWindowRect(arrow, &r);
        MapWindowPoints(HWND_DESKTOP, picker, reinterpret_cast<POINT*>(&r), 2);
        return arrow ? static_cast<int>(r.left) : -1;
    };
    EXPECT_EQ(arrowLeft(), 2);

    // Status bars: the simple text right-aligned; panel alignments exchanged, except in a panel
    // of its own left-to-right mode.
    const TColor barText = Data->FStatusBarEdges ? Data->FStatusBarEdges->NormalColour2 : clWindowText;
    TStatusBar* simple = Form->StatusBar2;
    const TRect simpleText(2, 2, simple->Width() - 2, simple->Height() - 2);  // inside its edge
    seen = InkOf(*Shot(simple), simpleText, barText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_GE(seen.Last(), simpleText.right - 4);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
    TStatusBar* panels = Form->StatusBar1;
    auto panelInk = [&](int i) {
        RECT q{};
        SendMessageA(panels->Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&q));
        return std::make_pair(TRect(q), InkOf(*Shot(panels), TRect(q.left + 2, 2, q.right, q.bottom - 2), barText));
    };
    auto [q0, first] = panelInk(0);
    ASSERT_FALSE(first.Empty());
    EXPECT_GE(first.Last(), q0.right - 4);
    auto [q1, second] = panelInk(1);
    ASSERT_FALSE(second.Empty());
    EXPECT_LE(second.First(), q1.left + 4);
    auto [q2, own] = panelInk(2);
    ASSERT_FALSE(own.Empty());
    EXPECT_LE(own.First(), q2.left + 4);

    // The combo box: the theme skins draw it whole, right to left from the mirrored picture
    // with the button on the left. Where that picture leaves the box free (magenta), the
    // control's own painting shows.
    TComboBox* combo = Form->ComboBox1;
    EXPECT_TRUE(ExStyleOf(combo->Handle()) & WS_EX_LEFTSCROLLBAR);
    auto drawnFrom = [&](TDataSkinObject* o) {
        auto shot = Shot(combo);
        auto expected = Filled(shot->Width(), shot->Height(), clFuchsia);
        DrawSkinBitmapSliced(expected->Canvas()->Handle(), TRect(0, 0, shot->Width(), shot->Height()), &o->Bitmap,
                             o->Margins(), 1, o->Frame, true, false, false);
        int same = 0, opaque = 0;
        for (int y = 0; y < shot->Height(); ++y)
            for (int x = 0; x < shot->Width(); ++x)
                if (const TColor e = At(*expected, x, y); e != Rgb(clFuchsia)) {
                    ++opaque;
                    same += At(*shot, x, y) == e;
                }
        return opaque > 0 && same == opaque;
    };
    ASSERT_EQ(Data->FComboButton->Style, 2);
    EXPECT_TRUE(drawnFrom(Data->FSunkEdge.get()));

    // The same form left to right.
    TurnLeftToRight();
    EXPECT_TRUE(glyphAt(right, 0, n == 12 ? 5 : 2));  // checked, on the left
    EXPECT_EQ(Reading(right, clWindowText, afterGlyph), TReading::LeftToRight);
    EXPECT_EQ(Reading(Form->Button1, ButtonText(), inside), TReading::LeftToRight);
    EXPECT_EQ(Reading(Form->SpeedButton1, ButtonText(), inside), TReading::LeftToRight);
    seen = InkOf(*Shot(group), groupCaption, clWindowText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_NEAR(seen.First(), 8, 2);
    seen = InkOf(*Shot(simple), simpleText, barText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_LE(seen.First(), simpleText.left + 3);
    std::tie(q0, first) = panelInk(0);
    ASSERT_FALSE(first.Empty());
    EXPECT_LE(first.First(), q0.left + 4);
    EXPECT_EQ(Reading(pages, tabText, tabInside),
              TReading::LeftToRight);
    EXPECT_EQ(arrowLeft(), Form->DateTimePicker1->Width() - arrowSize - 4);
    EXPECT_FALSE(ExStyleOf(combo->Handle()) & WS_EX_LEFTSCROLLBAR);
    EXPECT_TRUE(drawnFrom(Data->FComboButton.get()));
}

TEST_P(RtlSkinTest, PlainComboHasItsButtonOnTheLeft)
{
    // The plain drawing: the skin's button picture at the left end inside the ring, as it stands
    // at the right end left to right.
    TDataSkinBorder& button = *Data->FComboButton;
    button.Style = 1;
    TComboBox* combo = Form->ComboBox1;
    const int w = combo->Width(), h = combo->Height();
    const int bw = button.Bitmap.Width() / std::max(button.Frame, 1);
    auto block = [&](TBitmap& b, int left) {
        auto part = std::make_unique<TBitmap>(bw, h - 4);
        BitBlt(part->Canvas()->Handle(), 0, 0, bw, h - 4, b.Canvas()->Handle(), left, 2, SRCCOPY);
        return part;
    };
    auto rtl = Shot(combo);
    TurnLeftToRight();
    auto ltr = Shot(combo);
    auto shown = block(*ltr, w - 2 - bw);
    EXPECT_FALSE(SameArea(*block(*ltr, 2), 0, 0, *shown));
    EXPECT_TRUE(SameArea(*block(*rtl, 2), 0, 0, *shown));
    EXPECT_FALSE(SameArea(*block(*rtl, w - 2 - bw), 0, 0, *shown));
}

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
    bool ran = false;
    {
        TScript script(150, [&](int tick) {
            if (tick == 1 && OpenMenuWindow()) {
                open = WindowRectOf(OpenMenuWindow());
                ran = true;
            }
            PostKey(Form->Handle(), VK_ESCAPE);
        });
        ClickScreen(WindowToScreen(Form->Handle(), (first.left + first.right) / 2, (first.top + first.bottom) / 2));
        EXPECT_TRUE(PumpUntil([&] { return ran && !Skin->OpenMenu(); }, 4000));
    }
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

static String ThemeName(const testing::TestParamInfo<const char*>& info)
{
    return String(info.param).substr(0, String(info.param).find('.'));
}
INSTANTIATE_TEST_SUITE_P(ThemeSkins, RtlSkinTest, testing::Values("default.skn", "macos.skn"), ThemeName);
INSTANTIATE_TEST_SUITE_P(ThemeSkins, RtlMdiTest, testing::Values("default.skn", "macos.skn"), ThemeName);

#pragma once
// The right-to-left form of forms/rtlform.form, skinned with a theme skin, and the pixel readings
// its tests make: what a window shows, where text of a colour lies, and which way it reads.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <ostream>

#include "buttons.h"
#include "combobox.h"
#include "controlskintest.h"
#include "datetimepicker.h"
#include "groupbox.h"
#include "guitest.h"
#include "menuloop.h"
#include "menus.h"
#include "pagecontrol.h"
#include "skindata.h"
#include "skinform.h"
#include "skinmenu.h"
#include "skinwindowtest.h"
#include "statusbar.h"
#include "stdctrls.h"
#include "themeskins.h"
#include "winstyle.h"
#include "winutil.h"

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

inline const TClassInfo& TRtlRadio::StaticClass()
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

inline const TClassInfo& TRtlForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TRtlForm>("TRtlForm", &TForm::StaticClass()).Build();
    return info;
}

inline TRtlForm* NewRtlForm()
{
    RegisterClasses({&TRtlRadio::StaticClass()});
    return new TRtlForm(nullptr);
}
// ---------------------------------------------------------------- pixels

// What a window shows in r (window coordinates), read from its own picture.
inline std::unique_ptr<TBitmap> Shot(HWND w, const TRect& r)
{
    auto b = std::make_unique<TBitmap>(r.Width(), r.Height());
    HDC dc = GetWindowDC(w);
    BitBlt(b->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), dc, r.left, r.top, SRCCOPY);
    ReleaseDC(w, dc);
    return b;
}

// A control as it shows after its form has been drawn again.
inline std::unique_ptr<TBitmap> Shot(TControl* c)
{
    HWND form = GetParentForm(c)->Handle();
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpHandled();
    if (auto* w = As<TWinControl>(c))
        return Shot(w->Handle(), TRect(0, 0, c->Width(), c->Height()));
    POINT at{c->Left(), c->Top()};
    ClientToScreen(c->Parent()->Handle(), &at);
    const TRect window = WindowRectOf(c->Parent()->Handle());
    return Shot(c->Parent()->Handle(), Bounds(at.x - window.left, at.y - window.top, c->Width(), c->Height()));
}

inline int Distance(TColor a, TColor b)
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

inline TInk InkOf(TBitmap& b, TRect r, TColor ink)
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
inline TReading ReadingOf(const TInk& ink)
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

inline std::ostream& operator<<(std::ostream& os, TReading r)
{
    return os << (r == TReading::RightToLeft ? "right to left" : r == TReading::LeftToRight ? "left to right" : "?");
}

// A 16 x 16 image list picture: a red square in the middle, the rest left out.
inline std::unique_ptr<TBitmap> RedSquare()
{
    auto b = Filled(16, 16, clFuchsia);
    Paint(*b, TRect(4, 4, 12, 12), clRed);
    return b;
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

inline String ThemeName(const testing::TestParamInfo<const char*>& info)
{
    return String(info.param).substr(0, String(info.param).find('.'));
}

#pragma once
// The right-to-left form of forms/rtlform.form, skinned with a theme skin, and how its controls
// show (windowink.h: where text of a colour lies, and which way it reads).
#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "buttons.h"
#include "combobox.h"
#include "controlskintest.h"
#include "datetimepicker.h"
#include "groupbox.h"
#include "guitest.h"
#include "menuloop.h"
#include "menusteps.h"
#include "menus.h"
#include "pagecontrol.h"
#include "skindata.h"
#include "skinform.h"
#include "skinmenu.h"
#include "skinwindowtest.h"
#include "statusbar.h"
#include "stdctrls.h"
#include "themeskins.h"
#include "windowink.h"
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
    // Clicks a bar button (a posted non-client press) and runs `step` on its drop-down once
    // that is open and painted, then Escape.
    void WhileOpen(int button, const std::function<void(HWND)>& step)
    {
        TMenuSteps steps;
        steps.When("the drop-down opened", [&] { return Skin->OpenMenu() == Sub(button) && PaintedMenuWindow(); },
                   [&] {
                       step(PaintedMenuWindow());
                       PostKey(Form->Handle(), VK_ESCAPE);
                   });
        EXPECT_TRUE(steps.Taken([&] { Skin->ClickMenuButton(Bar->Buttons(button)); }));
    }
    // The drop-downs open one after the other: the clicked button's, then one after each key,
    // each key pressed once the drop-down before it is open with its first item highlighted.
    std::vector<HMENU> OpenedWithKeys(int button, std::vector<WORD> keys)
    {
        std::vector<HMENU> open;
        TMenuSteps steps;
        for (size_t k = 0; k <= keys.size(); ++k)
            steps.When("drop-down " + std::to_string(k) + " opened",
                       [&] {
                           HMENU m = Skin->OpenMenu();
                           return m && (open.empty() || m != open.back()) && PaintedMenuWindow() && HighlightedItem(m) == 0;
                       },
                       [&, k] {
                           open.push_back(Skin->OpenMenu());
                           PostKey(Form->Handle(), k < keys.size() ? keys[k] : VK_ESCAPE);
                       });
        EXPECT_TRUE(steps.Taken([&] { Skin->ClickMenuButton(Bar->Buttons(button)); }));
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

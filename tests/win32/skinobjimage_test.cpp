// The property-driven skins on controls that take their pictures through published properties:
// the glyph strips slot by slot against the skin's check and radio pictures, the switches that
// make the control take them, re-skinning and unskinning, the tab pictures of a page control
// against the skin's Tabs frames, and its scroll arrows.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "controlfactory.h"
#include "pixeltest.h"
#include "skinadvpage.h"
#include "skincontroltest.h"
#include "skindraw.h"
#include "skinobjimage.h"

namespace {

// The strip skin's check frames, and a fifth.
constexpr TColor Check[5] = {StripCheck[0], StripCheck[1], StripCheck[2], StripCheck[3], 0x00006060};
constexpr int W = 13, H = 13;

// A check box (or radio button) whose glyphs come through "CustomGlyphs"; it logs the switch.
class TGlyphCheckBox : public TCustomControl {
    TK_CLASS(TGlyphCheckBox, TCustomControl)
public:
    explicit TGlyphCheckBox(TComponent* owner) : TCustomControl(owner), Glyphs(std::make_unique<TBitmap>()) {}
    TBitmap* CustomGlyphs() const { return Glyphs.get(); }
    int TransparentColor() const { return Key; }
    void SetTransparentColor(int v) { Key = v; }
    bool UseCustomGlyphs() const { return Use; }
    void SetUseCustomGlyphs(bool v)
    {
        Use = v;
        Switches.push_back(v);
    }
    std::unique_ptr<TBitmap> Glyphs;
    int Key = 0;
    bool Use = false;
    std::vector<bool> Switches;
};

const TClassInfo& TGlyphCheckBox::StaticClass()
{
    using C = TGlyphCheckBox;
    static const TClassInfo info = TClassBuilder<C>("TGlyphCheckBox", &TCustomControl::StaticClass())
                                       .ObjectProp<TBitmap>("CustomGlyphs", &C::CustomGlyphs)
                                       .ColorProp("TransparentColor", &C::TransparentColor, &C::SetTransparentColor)
                                       .Prop("UseCustomGlyphs", &C::UseCustomGlyphs, &C::SetUseCustomGlyphs)
                                       .Build();
    return info;
}

// A check box whose glyph is the "Glyph" of its "Properties" object.
class TCheckProperties : public TPersistent {
    TK_CLASS(TCheckProperties, TPersistent)
public:
    TBitmap* Glyph() const { return FGlyph.get(); }
    std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
};

const TClassInfo& TCheckProperties::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCheckProperties>("TCheckProperties", &TPersistent::StaticClass())
                                       .ObjectProp<TBitmap>("Glyph", &TCheckProperties::Glyph)
                                       .Build();
    return info;
}

class TPropertiesCheckBox : public TCustomControl {
    TK_CLASS(TPropertiesCheckBox, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    TCheckProperties* Properties() const { return FProperties.get(); }
    std::unique_ptr<TCheckProperties> FProperties = std::make_unique<TCheckProperties>();
};

const TClassInfo& TPropertiesCheckBox::StaticClass()
{
    using C = TPropertiesCheckBox;
    static const TClassInfo info = TClassBuilder<C>("TPropertiesCheckBox", &TCustomControl::StaticClass())
                                       .ObjectProp<TCheckProperties>("Properties", &C::Properties)
                                       .Build();
    return info;
}

// A page control that draws its tabs from two pictures.
class TPictureTabControl : public TCustomControl {
    TK_CLASS(TPictureTabControl, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    TBitmap* TabBackGround() const { return FTab.get(); }
    TBitmap* TabBackGroundActive() const { return FActive.get(); }
    std::unique_ptr<TBitmap> FTab = std::make_unique<TBitmap>(), FActive = std::make_unique<TBitmap>();
};

const TClassInfo& TPictureTabControl::StaticClass()
{
    using C = TPictureTabControl;
    static const TClassInfo info = TClassBuilder<C>("TPictureTabControl", &TCustomControl::StaticClass())
                                       .ObjectProp<TBitmap>("TabBackGround", &C::TabBackGround)
                                       .ObjectProp<TBitmap>("TabBackGroundActive", &C::TabBackGroundActive)
                                       .Build();
    return info;
}

class SkinObjImageTest : public SkinControlsTest {
protected:
    void SetUp() override
    {
        SkinControlsTest::SetUp();
        UseStripSkin();
        AttachSkinForm();
    }

    template <class S>
    S* Attach(TControl* control, TSkinKind kind, int variant)
    {
        auto* skin = As<S>(NewControlSkin(kind, control));
        skin->SetKind(variant);
        skin->InitControl(SkinForm, Data, SkinForm->WorkCanvas(), true);
        return skin;
    }
    // The colour of each slot of a strip of W-wide slots.
    static std::vector<TColor> Slots(TBitmap& strip)
    {
        std::vector<TColor> r;
        for (int x = 0; x < strip.Width(); x += W) {
            r.push_back(At(strip, x + W / 2, H / 2));
            EXPECT_EQ(At(strip, x, 0), r.back());
            EXPECT_EQ(At(strip, x + W - 1, H - 1), r.back());
        }
        return r;
    }

};

TEST_F(SkinObjImageTest, CheckBoxGetsNineSlotsAndTakesThem)
{
    auto* box = Add<TGlyphCheckBox>(Form, Form, "Check1", 10, 10, 80, 20);
    const TWndMethod proc = box->WindowProc;
    TSkinObjImage* skin = Attach<TSkinObjImage>(box, TSkinKind::ObjImage, 1);
    EXPECT_TRUE(box->WindowProc == proc);  // out of the message path
    EXPECT_EQ(SkinForm->FindSkinControl(box), skin);
    EXPECT_EQ(skin->Handle(), box->Handle());
    const TColor black = clBlack;
    EXPECT_EQ(Slots(*box->Glyphs), (std::vector<TColor>{Check[0], Check[1], black, Check[0], Check[1], black,
                                                        Check[2], Check[3], black}));
    EXPECT_EQ(box->Key, 0xFF00FF);
    EXPECT_EQ(box->Switches, (std::vector<bool>{false, true}));

    // A skin with five frames fills the third of every three from its fifth; re-skinning
    // switches the glyphs off and on again so the control takes them.
    FillStrip(Data->FButtons->CheckBitmap, 5, W, H, Check);
    Data->FButtons->CheckButtonFrame = 5;
    skin->SkinChanged();
    EXPECT_EQ(Slots(*box->Glyphs), (std::vector<TColor>{Check[0], Check[1], Check[4], Check[0], Check[1], Check[4],
                                                        Check[2], Check[3], Check[4]}));
    EXPECT_EQ(box->Switches, (std::vector<bool>{false, true, false, true}));

    skin->Unskin();
    EXPECT_FALSE(box->Use);
    skin->Free();
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
    EXPECT_TRUE(box->WindowProc == proc);
}

TEST_F(SkinObjImageTest, RadioButtonGetsSixSlots)
{
    auto* radio = Add<TGlyphCheckBox>(Form, Form, "Radio1", 10, 40, 80, 20);
    Attach<TSkinObjImage>(radio, TSkinKind::ObjImage, 2);
    const TColor* r = StripRadio;
    EXPECT_EQ(Slots(*radio->Glyphs), (std::vector<TColor>{r[0], r[1], r[0], r[1], r[2], r[3]}));
    EXPECT_EQ(radio->Switches, (std::vector<bool>{false, true}));
}

TEST_F(SkinObjImageTest, PropertiesGlyphIsFilledAndClearedOnUnskin)
{
    auto* box = Add<TPropertiesCheckBox>(Form, Form, "Check2", 10, 70, 80, 20);
    TSkinObjImage* skin = Attach<TSkinObjImage>(box, TSkinKind::ObjImage, 3);
    TBitmap& glyph = *box->FProperties->FGlyph;
    EXPECT_EQ(Slots(glyph), (std::vector<TColor>{Check[0], Check[1], clBlack, Check[0], Check[1], clBlack}));
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    EXPECT_FALSE(glyph.Transparent());
    skin->Unskin();
    EXPECT_TRUE(glyph.Empty());
}

TEST_F(SkinObjImageTest, MissingPicturesAndPropertiesChangeNothing)
{
    // No check picture: the control keeps its glyphs and its switch.
    auto* box = Add<TGlyphCheckBox>(Form, Form, "Check3", 10, 100, 80, 20);
    Data->FButtons->CheckBitmap.SetSize(0, 0);
    Attach<TSkinObjImage>(box, TSkinKind::ObjImage, 1);
    EXPECT_TRUE(box->Glyphs->Empty());
    EXPECT_TRUE(box->Switches.empty());
    // A control without any of the properties: attached, silently.
    auto* plain = Add<TPictureTabControl>(Form, Form, "Plain", 10, 130, 80, 20);
    TSkinObjImage* skin = Attach<TSkinObjImage>(plain, TSkinKind::ObjImage, 2);
    EXPECT_TRUE(skin->Attached());
    skin->Unskin();
    EXPECT_TRUE(TakeReportedExceptions().empty());
}

TEST_F(SkinObjImageTest, PageControlGetsTabPicturesOfTheTabsFrames)
{
    auto* pages = Add<TPictureTabControl>(Form, Form, "Pages1", 10, 10, 200, 120);
    auto tabs = std::make_unique<TDataSkinBorder>("Tabs");
    FillStrip(tabs->Bitmap, 2, W, H, Check);
    Paint(tabs->Bitmap, Bounds(W, 0, 2, 2), clFuchsia);
    tabs->Frame = 2;
    tabs->Trans = 1;
    Data->FTabs = std::move(tabs);
    TSkinAdvPage* skin = Attach<TSkinAdvPage>(pages, TSkinKind::AdvPage, 4);
    ASSERT_EQ(pages->FTab->Width(), 100);
    ASSERT_EQ(pages->FTab->Height(), 21);
    TDataSkinBorder& t = *Data->FTabs;
    for (int state : {1, 2}) {
        TBitmap& got = state == 1 ? *pages->FTab : *pages->FActive;
        std::unique_ptr<TBitmap> want =
            StretchSkinBitmap(Rect(0, 0, 100, 21), &t.Bitmap, t.Margins(), state, 2, true, false);
        for (int y = 0; y < 21; y += 4)
            for (int x = 0; x < 100; x += 9)
                ASSERT_EQ(At(got, x, y), At(*want, x, y)) << state << " " << x << "," << y;
    }
    EXPECT_EQ(At(*pages->FActive, 0, 0), clFuchsia);  // the key colour is handed over as it is

    // The control's painting finds its scroll arrows and gives them the up-down skin.
    HWND arrows = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 160, 0, 30, 20, pages->Handle(),
                                  nullptr, nullptr, nullptr);
    RedrawWindow(pages->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    TSkinControl* probe = NewControlSkin(TSkinKind::UpDown, nullptr);
    if (probe) {
        probe->Free();
        ASSERT_NE(skin->UpDown(), nullptr);
        EXPECT_EQ(skin->UpDown()->Handle(), arrows);
        EXPECT_EQ(SkinForm->FindSkinControl(arrows), skin->UpDown());
        RedrawWindow(pages->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(SkinForm->SkinControlCount(), 2);  // made once
    } else {
        EXPECT_EQ(skin->UpDown(), nullptr);
    }

    skin->Unskin();
    EXPECT_TRUE(pages->FTab->Empty());
    EXPECT_TRUE(pages->FActive->Empty());
    DestroyWindow(arrows);
}

}  // namespace

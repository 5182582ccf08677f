// The property-driven skins on a control with the properties they read: the glyph strips slot
// by slot against the skin's check and radio pictures, the switch that makes the control take
// them, re-skinning and unskinning, the tab pictures against the skin's Tabs frames, and the
// page control's scroll arrows.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "controlfactory.h"
#include "controlskintest.h"
#include "namedclass.h"
#include "pixeltest.h"
#include "skinadvpage.h"
#include "skindraw.h"
#include "skinobjimage.h"
#include "stdctrls.h"

namespace {

// The strip skin's check frames, and a fifth.
constexpr TColor Check[5] = {StripCheck[0], StripCheck[1], StripCheck[2], StripCheck[3], 0x00006060};
constexpr int W = 13;

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

// A control that takes its pictures through properties: check and radio glyphs with their
// switch (logged), a glyph in a "Properties" object, and two tab pictures.
class TPictureProbe : public TCustomControl {
    TK_CLASS(TPictureProbe, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    TBitmap* CustomGlyphs() const { return Glyphs.get(); }
    int TransparentColor() const { return Key; }
    void SetTransparentColor(int v) { Key = v; }
    bool UseCustomGlyphs() const { return Switches.empty() ? false : Switches.back(); }
    void SetUseCustomGlyphs(bool v) { Switches.push_back(v); }
    TCheckProperties* Properties() const { return FProperties.get(); }
    TBitmap* TabBackGround() const { return Tab.get(); }
    TBitmap* TabBackGroundActive() const { return Active.get(); }

    std::unique_ptr<TBitmap> Glyphs = std::make_unique<TBitmap>(), Tab = std::make_unique<TBitmap>(),
                             Active = std::make_unique<TBitmap>();
    std::unique_ptr<TCheckProperties> FProperties = std::make_unique<TCheckProperties>();
    int Key = 0;
    std::vector<bool> Switches;
};

const TClassInfo& TPictureProbe::StaticClass()
{
    using C = TPictureProbe;
    static const TClassInfo info = TClassBuilder<C>("TPictureProbe", &TCustomControl::StaticClass())
                                       .ObjectProp<TBitmap>("CustomGlyphs", &C::CustomGlyphs)
                                       .ColorProp("TransparentColor", &C::TransparentColor, &C::SetTransparentColor)
                                       .Prop("UseCustomGlyphs", &C::UseCustomGlyphs, &C::SetUseCustomGlyphs)
                                       .ObjectProp<TCheckProperties>("Properties", &C::Properties)
                                       .ObjectProp<TBitmap>("TabBackGround", &C::TabBackGround)
                                       .ObjectProp<TBitmap>("TabBackGroundActive", &C::TabBackGroundActive)
                                       .Build();
    return info;
}

// A check box of another library, known to the dispatch by its class name.
NAMED_TEST_CLASS(TRzCheckBox, TPictureProbe)

class SkinObjImageTest : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        UseStripSkin();
        AttachSkinForm();
        Probe = Add<TPictureProbe>(Form, Form, "Probe", 10, 10, 200, 120);
    }
    template <class S>
    S* Attach(TSkinKind kind, int variant)
    {
        auto* skin = As<S>(NewControlSkin(kind, Probe));
        skin->SetKind(variant);
        skin->InitControl(SkinForm, Data, SkinForm->WorkCanvas(), true);
        return skin;
    }
    // The colour of each slot of a strip (the middle of its slot).
    static std::vector<TColor> Slots(TBitmap& strip)
    {
        std::vector<TColor> r;
        for (int x = W / 2; x < strip.Width(); x += W)
            r.push_back(At(strip, x, strip.Height() / 2));
        return r;
    }

    TPictureProbe* Probe = nullptr;
};

}  // namespace

TEST_F(SkinObjImageTest, CheckGlyphsFillNineSlotsAndTheControlTakesThem)
{
    const TWndMethod proc = Probe->WindowProc;
    TSkinObjImage* skin = Attach<TSkinObjImage>(TSkinKind::ObjImage, 1);
    EXPECT_TRUE(Probe->WindowProc == proc);  // out of the message path
    EXPECT_EQ(SkinForm->FindSkinControl(Probe), skin);
    const TColor* c = Check;
    const TColor k = clBlack;
    EXPECT_EQ(Slots(*Probe->Glyphs), (std::vector<TColor>{c[0], c[1], k, c[0], c[1], k, c[2], c[3], k}));
    EXPECT_EQ(Probe->Key, 0xFF00FF);
    EXPECT_EQ(Probe->Switches, (std::vector<bool>{false, true}));

    // Five frames fill the third of every three from the fifth; re-skinning switches the
    // glyphs off and on again so the control takes them.
    FillStrip(Data->FButtons->CheckBitmap, 5, W, W, Check);
    Data->FButtons->CheckButtonFrame = 5;
    skin->SkinChanged();
    EXPECT_EQ(Slots(*Probe->Glyphs), (std::vector<TColor>{c[0], c[1], c[4], c[0], c[1], c[4], c[2], c[3], c[4]}));
    EXPECT_EQ(Probe->Switches, (std::vector<bool>{false, true, false, true}));
    skin->Unskin();
    EXPECT_FALSE(Probe->UseCustomGlyphs());

    // The radio glyphs: six slots.
    skin->Free();
    Attach<TSkinObjImage>(TSkinKind::ObjImage, 2);
    const TColor* r = StripRadio;
    EXPECT_EQ(Slots(*Probe->Glyphs), (std::vector<TColor>{r[0], r[1], r[0], r[1], r[2], r[3]}));
}

TEST_F(SkinObjImageTest, PropertiesGlyphIsFilledAndClearedOnUnskin)
{
    TSkinObjImage* skin = Attach<TSkinObjImage>(TSkinKind::ObjImage, 3);
    TBitmap& glyph = *Probe->FProperties->FGlyph;
    EXPECT_EQ(Slots(glyph), (std::vector<TColor>{Check[0], Check[1], clBlack, Check[0], Check[1], clBlack}));
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    EXPECT_FALSE(glyph.Transparent());
    EXPECT_TRUE(Probe->Switches.empty());
    skin->Unskin();
    EXPECT_TRUE(glyph.Empty());

    // No check picture: nothing changes. A control without the properties: silently nothing.
    skin->Free();
    Data->FButtons->CheckBitmap.SetSize(0, 0);
    Attach<TSkinObjImage>(TSkinKind::ObjImage, 1);
    EXPECT_TRUE(Probe->Glyphs->Empty());
    EXPECT_TRUE(Probe->Switches.empty());
    auto* plain = Add<TPanel>(Form, Form, "Plain", 10, 140, 80, 20);
    auto* other = As<TSkinObjImage>(NewControlSkin(TSkinKind::ObjImage, plain));
    other->SetKind(2);
    other->InitControl(SkinForm, Data, SkinForm->WorkCanvas(), true);
    EXPECT_TRUE(other->Attached());
    other->Unskin();
    EXPECT_TRUE(TakeReportedExceptions().empty());
}

TEST_F(SkinObjImageTest, PageControlGetsTabPicturesAndItsArrowsSkinned)
{
    auto tabs = std::make_unique<TDataSkinBorder>("Tabs");
    FillStrip(tabs->Bitmap, 2, W, W, Check);
    Paint(tabs->Bitmap, Bounds(W, 0, 2, 2), clFuchsia);
    tabs->Frame = 2;
    tabs->Trans = 1;
    Data->FTabs = std::move(tabs);
    TSkinAdvPage* skin = Attach<TSkinAdvPage>(TSkinKind::AdvPage, 4);
    TDataSkinBorder& t = *Data->FTabs;
    for (int state : {1, 2}) {
        TBitmap& got = state == 1 ? *Probe->Tab : *Probe->Active;
        ASSERT_EQ(got.Width(), 100);
        ASSERT_EQ(got.Height(), 21);
        std::unique_ptr<TBitmap> want =
            StretchSkinBitmap(Rect(0, 0, 100, 21), &t.Bitmap, t.Margins(), state, 2, true, false);
        for (int y = 0; y < 21; y += 4)
            for (int x = 0; x < 100; x += 9)
                ASSERT_EQ(At(got, x, y), At(*want, x, y)) << state << " " << x << "," << y;
    }
    EXPECT_EQ(At(*Probe->Active, 0, 0), clFuchsia);  // the key colour is handed over as it is

    // The control's painting finds its scroll arrows and gives them the up-down skin, once.
    HWND arrows = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 160, 0, 30, 20, Probe->Handle(),
                                  nullptr, nullptr, nullptr);
    for (int i = 0; i < 2; ++i)
        RedrawWindow(Probe->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_NE(skin->UpDown(), nullptr);
    EXPECT_EQ(skin->UpDown()->Handle(), arrows);
    EXPECT_EQ(SkinForm->FindSkinControl(arrows), skin->UpDown());
    EXPECT_EQ(SkinForm->SkinControlCount(), 2);

    skin->Unskin();
    EXPECT_TRUE(Probe->Tab->Empty());
    EXPECT_TRUE(Probe->Active->Empty());
    DestroyWindow(arrows);
}

TEST_F(SkinObjImageTest, TheWalkGivesEachPropertyDrivenSkinItsKind)
{
    auto* check = Add<TRzCheckBox>(Form, Form, "Check", 220, 10, 100, 20);
    Data->Skin3rd()->Add("TPictureProbe=advpagecontrol");
    SkinForm->SkinChildControls(Form);
    auto* pages = As<TSkinAdvPage>(SkinForm->FindSkinControl(Probe));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->Kind(), 4);
    auto* image = As<TSkinObjImage>(SkinForm->FindSkinControl(check));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Kind(), 1);
    EXPECT_FALSE(check->Glyphs->Empty()) << "the check glyphs reach the control";
}

// The speed-button skin on real windowless speed buttons: flat, grouped, down, disabled and
// transparent buttons in pixels against the skin's strips (also inside the parent's own
// painting), glyph cells and the picture property, clicks reaching the buttons exactly once,
// and the button's WindowProc given back.
#include <memory>

#include "buttons.h"
#include "controlfactory.h"
#include "controlskintest.h"
#include "skinspeedbutton.h"
#include "stdctrls.h"

namespace {

constexpr TColor Cells[4] = {0x000000C0, 0x0000C000, 0x00C00000, 0x00C0C000};
const TColor SystemShadow = static_cast<TColor>(ColorToRGB(clBtnShadow));

// A glyph strip of `count` 8 x 8 cells of one colour each; white bottom-left pixels are the
// transparent colour.
void MakeGlyph(TBitmap& b, int count, const TColor* colours = Cells)
{
    b.SetSize(8 * count, 8);
    for (int i = 0; i < count; ++i) {
        b.Canvas()->Brush()->SetColor(colours[i]);
        b.Canvas()->FillRect(Bounds(8 * i, 0, 8, 8));
        b.Canvas()->SetPixel(8 * i, 7, clWhite);
    }
}

// A speed button with a picture property, as the class map's picture kind expects.
class TPictureSpeedButton : public TSpeedButton {
    TK_CLASS(TPictureSpeedButton, TSpeedButton)
public:
    using TSpeedButton::TSpeedButton;
    TBitmap* PngImage() const { return FPicture.get(); }
    std::unique_ptr<TBitmap> FPicture = std::make_unique<TBitmap>();
};

const TClassInfo& TPictureSpeedButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPictureSpeedButton>("TPictureSpeedButton", &TSpeedButton::StaticClass())
            .ObjectProp<TBitmap>("PngImage", &TPictureSpeedButton::PngImage)
            .Build();
    return info;
}

class TClicks : public TObject {
public:
    void Click(TObject*) { ++Clicks; }
    int Clicks = 0;
};

class SkinSpeedButtonTest : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        UseStripSkin();
        AttachSkinForm();
    }
    template <class B = TSpeedButton>
    B* Skinned(int left, const String& pictureProp = String(), TWinControl* parent = nullptr, int tag = 0)
    {
        auto* b = Add<B>(Form, parent ? parent : Form, "", left, 10, 40, 30);
        b->SetTag(tag);
        auto* skin = As<TSkinSpeedButton>(NewControlSkin(TSkinKind::SpeedButton, b));
        skin->SetSpeedPictureProp(pictureProp);
        skin->InitSpeedButton(SkinForm, Data, SkinForm->WorkCanvas());
        return b;
    }
    // The button's WM_PAINT into a memory DC of its size, as its parent sends it.
    static std::unique_ptr<TBitmap> Painted(TSpeedButton* b)
    {
        auto bitmap = std::make_unique<TBitmap>(b->Width(), b->Height());
        EXPECT_EQ(b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap->Canvas()->Handle())), 1);
        return bitmap;
    }
    static TColor Corner(TSpeedButton* b) { return Painted(b)->Canvas()->Pixels(1, 1); }
    // The middle of an 8 x 8 glyph without a caption: centred, the margin one pixel more.
    static TColor GlyphMiddle(TSpeedButton* b)
    {
        return Painted(b)->Canvas()->Pixels((b->Width() - 8) / 2 + 1 + 4, (b->Height() - 8 + 1) / 2 + 4);
    }
    static void Enter(TSpeedButton* b) { b->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(b)); }
};

}  // namespace

TEST_F(SkinSpeedButtonTest, AttachesThroughWindowProcAndGivesItBack)
{
    auto* button = Add<TSpeedButton>(Form, Form, "", 10, 10, 40, 30);
    const TWndMethod proc = button->WindowProc;
    auto* skin = As<TSkinSpeedButton>(NewControlSkin(TSkinKind::SpeedButton, button));
    skin->InitSpeedButton(SkinForm, Data, SkinForm->WorkCanvas());
    skin->InitSpeedButton(SkinForm, Data, SkinForm->WorkCanvas());  // a second time: nothing
    EXPECT_EQ(skin->GraphicControl(), button);
    EXPECT_EQ(skin->Handle(), nullptr);
    EXPECT_EQ(button->Perform(SKM_ISSKINNED), 1);
    EXPECT_EQ(SkinForm->SkinControlCount(), 1);
    skin->Free();
    EXPECT_TRUE(button->WindowProc == proc);
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);

    // A zero-sized button and a skin without a button picture draw nothing; the paint is taken.
    TSpeedButton* b = Skinned(60);
    b->SetWidth(0);
    auto none = std::make_unique<TBitmap>(1, 1);
    none->Canvas()->SetPixel(0, 0, clWhite);
    EXPECT_EQ(b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(none->Canvas()->Handle())), 1);
    EXPECT_EQ(none->Canvas()->Pixels(0, 0), clWhite);
    b->SetWidth(40);
    Data->FButtons->Bitmap.SetSize(0, 0);
    EXPECT_EQ(Painted(b)->Canvas()->Pixels(20, 15), clBlack);
    // Released, the button has its own WindowProc back.
    const TWndMethod hooked = b->WindowProc;
    b->Perform(CM_RELEASE);
    EXPECT_FALSE(b->WindowProc == hooked);
    b->Free();  // the skin goes with the button
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
}

TEST_F(SkinSpeedButtonTest, StatesShowTheirFrames)
{
    TSpeedButton* plain = Skinned(10);
    TSpeedButton* flat = Skinned(60);
    flat->SetFlat(true);
    TSpeedButton* off = Skinned(110);
    off->SetEnabled(false);

    EXPECT_EQ(Corner(plain), StripButton[0]);
    EXPECT_EQ(Corner(flat), StripFace) << "a flat button shows the bare background";
    EXPECT_EQ(Corner(off), StripButton[2]);
    off->SetFlat(true);
    EXPECT_EQ(Corner(off), StripFace);
    // The mouse over it: frame 4, flat or not; leaving: back.
    for (TSpeedButton* b : {plain, flat}) {
        Enter(b);
        EXPECT_EQ(Corner(b), StripButton[3]);
        b->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(b));
    }
    EXPECT_EQ(Corner(flat), StripFace);
    // Pressed: frame 2 until the release.
    flat->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(5, 5));
    EXPECT_EQ(Corner(flat), StripButton[1]);
    flat->Perform(WM_LBUTTONUP, 0, MakeMsgPoint(5, 5));
    EXPECT_EQ(Corner(flat), StripFace);
    // A press that leaves the button is over.
    flat->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(5, 5));
    flat->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(flat));
    EXPECT_EQ(Corner(flat), StripFace);
    flat->Perform(WM_LBUTTONUP, 0, MakeMsgPoint(5, 5));
    // Disabling repaints through the button's own invalidation; the next paint shows it, with
    // a one-cell glyph greyed and the caption in the shadow colour.
    plain->SetWidth(90);
    const TColor ink[1] = {clBlack};
    MakeGlyph(*plain->Glyph(), 1, ink);
    EXPECT_EQ(GlyphMiddle(plain), clBlack);
    plain->SetEnabled(false);
    EXPECT_EQ(Corner(plain), StripButton[2]);
    EXPECT_EQ(GlyphMiddle(plain), SystemShadow);
    plain->SetCaption("Off");
    plain->Font()->SetColor(clBlack);
    std::unique_ptr<TBitmap> p = Painted(plain);
    EXPECT_FALSE(HasPixel(*p, clBlack));
    EXPECT_TRUE(HasPixel(*p, SystemShadow, 50)) << "the caption, right of the glyph";
}

TEST_F(SkinSpeedButtonTest, GroupedButtonsGoDownOnceForEachClick)
{
    TSpeedButton* a = Skinned(10);
    TSpeedButton* b = Skinned(60);
    TClicks clicks;
    for (TSpeedButton* s : {a, b}) {
        s->SetGroupIndex(1);
        MakeGlyph(*s->Glyph(), 4);
        s->SetNumGlyphs(4);
        s->OnClick = TNotifyEvent(&clicks, &TClicks::Click);
    }
    a->SetDown(true);
    EXPECT_EQ(Corner(a), StripButton[1]);
    EXPECT_EQ(GlyphMiddle(a), Cells[3]) << "the down cell";
    EXPECT_EQ(GlyphMiddle(b), Cells[0]);

    ClickControl(b);
    EXPECT_EQ(clicks.Clicks, 1);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(Corner(b), StripButton[1]);
    EXPECT_EQ(Corner(a), StripButton[0]);
    ClickControl(b);  // down already, and the group does not allow all up
    ClickControl(a);
    EXPECT_EQ(clicks.Clicks, 3);
    EXPECT_TRUE(a->Down());
    // A one-cell glyph of a down button: the cell past the strip falls back to the first.
    a->SetNumGlyphs(1);
    MakeGlyph(*a->Glyph(), 1);
    EXPECT_EQ(GlyphMiddle(a), Cells[0]);
}

TEST_F(SkinSpeedButtonTest, TransparentButtonShowsItsParentAlsoInTheParentsOwnPaint)
{
    constexpr TColor parentColour = 0x00207020;
    auto* panel = Add<TPanel>(Form, Form, "Panel1", 10, 60, 200, 60);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(parentColour);
    TSpeedButton* b = Skinned(10, String(), panel, 5555);
    b->SetFlat(true);
    TSpeedButton* solid = Skinned(60, String(), panel, 5555);
    EXPECT_EQ(Corner(b), parentColour);

    // The parent paints the buttons into its DC; a button's drawing paints the parent behind
    // it, which asks the button to paint again: that inner paint must leave the outer alone.
    TBitmap parent(panel->Width(), panel->Height());
    panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(parent.Canvas()->Handle()));
    EXPECT_EQ(parent.Canvas()->Pixels(b->Left() + 1, b->Top() + 1), parentColour);
    EXPECT_EQ(parent.Canvas()->Pixels(solid->Left() + 1, solid->Top() + 1), StripButton[0]);
}

TEST_F(SkinSpeedButtonTest, PictureIsDrawnWholeInEveryState)
{
    auto* b = Skinned<TPictureSpeedButton>(10, "PngImage");
    b->SetWidth(60);
    b->SetNumGlyphs(2);
    MakeGlyph(*b->FPicture, 4);  // 32 wide: the layout counts 16, all 32 are drawn
    b->SetGroupIndex(1);
    b->SetAllowAllUp(true);
    const int left = (60 - 16) / 2 + 1, y = (30 - 8 + 1) / 2 + 4;
    for (int step = 0; step < 3; ++step) {
        std::unique_ptr<TBitmap> p = Painted(b);
        for (int cell = 0; cell < 4; ++cell)
            EXPECT_EQ(p->Canvas()->Pixels(left + 8 * cell + 4, y), Cells[cell]) << "step " << step;
        step == 0 ? b->SetDown(true) : b->SetEnabled(false);
    }
    EXPECT_EQ(Corner(b), StripButton[1]) << "down and disabled: down";

    // Without a picture a hot button keeps its font's colour where the skin gives only the
    // normal colour; the ordinary drawing shows the normal colour.
    b->FPicture->SetSize(0, 0);
    b->SetEnabled(true);
    b->SetDown(false);
    TSpeedButton* plain = Skinned(100);
    TSpeedButton* glyphed = Skinned(150);
    glyphed->SetWidth(60);
    MakeGlyph(*glyphed->Glyph(), 1);
    Data->FButtons->NormalColour2 = 0x00000011;
    Data->FButtons->ColourGiven = {true, false, false};
    for (TSpeedButton* s : {static_cast<TSpeedButton*>(b), plain, glyphed}) {
        s->SetCaption("Go");
        s->Font()->SetColor(0x00010203);
        Enter(s);
    }
    EXPECT_TRUE(HasPixel(*Painted(b), 0x00010203));
    EXPECT_TRUE(HasPixel(*Painted(plain), 0x00000011));
    EXPECT_TRUE(HasPixel(*Painted(glyphed), 0x00010203)) << "beside a glyph, the normal colour is frame 1's only";
}

TEST_F(SkinSpeedButtonTest, TheClassMapSkinsSpeedButtonsThroughTheWindowsWalk)
{
    Data->Skin3rd()->Add("TSpeedButton=speedbutton");
    Data->Skin3rd()->Add("TPictureSpeedButton=pngspeedbutton");
    auto* plain = Add<TSpeedButton>(Form, Form, "SpeedButton1", 10, 10, 40, 30);
    auto* picture = Add<TPictureSpeedButton>(Form, Form, "SpeedButton2", 60, 10, 40, 30);
    const auto skinOf = [this](const TControl* c) {
        std::vector<TSkinSpeedButton*> found;
        for (int i = 0; i < SkinForm->SkinControlCount(); ++i)
            if (auto* s = As<TSkinSpeedButton>(SkinForm->SkinControls(i)); s && s->GraphicControl() == c)
                found.push_back(s);
        return found;
    };
    SkinForm->SkinChildControls(Form);
    SkinForm->SkinChildControls(Form);  // a second walk skins nothing twice
    ASSERT_EQ(skinOf(plain).size(), 1u);
    ASSERT_EQ(skinOf(picture).size(), 1u);
    EXPECT_TRUE(skinOf(plain)[0]->Attached());
    EXPECT_EQ(skinOf(plain)[0]->SpeedPictureProp(), "");
    EXPECT_EQ(skinOf(picture)[0]->SpeedPictureProp(), "PngImage");
    EXPECT_EQ(plain->Perform(SKM_ISSKINNED), 1);
}

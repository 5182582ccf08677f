// The speed-button skin on real windowless speed buttons: flat, grouped, down, disabled and
// transparent buttons in pixels against the skin's strips (also through the parent's own
// painting), glyph cells and the picture property, the clicks that reach the buttons exactly
// once, and the button's WindowProc given back.
#include <memory>

#include "buttons.h"
#include "controlfactory.h"
#include "skincontroltest.h"
#include "skindraw.h"
#include "skinspeedbutton.h"
#include "stdctrls.h"

namespace {

constexpr TColor Cells[4] = {0x000000C0, 0x0000C000, 0x00C00000, 0x00C0C000};
constexpr TColor GlyphKey = clWhite;  // each cell's bottom-left pixel: its transparent colour
constexpr TColor ParentColour = 0x00207020;

// A glyph strip of `count` 8 x 8 cells of one colour each.
void MakeGlyph(TBitmap& b, int count)
{
    b.SetSize(8 * count, 8);
    for (int i = 0; i < count; ++i) {
        b.Canvas()->Brush()->SetColor(Cells[i]);
        b.Canvas()->FillRect(Bounds(8 * i, 0, 8, 8));
        b.Canvas()->SetPixel(8 * i, 7, GlyphKey);
    }
}

bool HasPixel(TBitmap& b, TColor c)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Canvas()->Pixels(x, y) == c)
                return true;
    return false;
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

class SkinSpeedButtonTest : public SkinControlsTest {
protected:
    void SetUp() override
    {
        SkinControlsTest::SetUp();
        UseStripSkin();
        AttachSkinForm();
    }
    template <class B = TSpeedButton>
    B* NewButton(const char* name, int left, int top = 10)
    {
        return Add<B>(Form, Form, name, left, top, 40, 30);
    }
    TSkinSpeedButton* Skin(TSpeedButton* b, const String& pictureProp = String())
    {
        auto* skin = As<TSkinSpeedButton>(NewControlSkin(TSkinKind::SpeedButton, b));
        skin->SetSpeedPictureProp(pictureProp);
        skin->InitSpeedButton(SkinForm, Data, SkinForm->WorkCanvas());
        return skin;
    }
    // The button's WM_PAINT into a memory DC of its size, as its parent would send it.
    static std::unique_ptr<TBitmap> PaintedButton(TSpeedButton* b)
    {
        auto bitmap = std::make_unique<TBitmap>(b->Width(), b->Height());
        EXPECT_EQ(b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap->Canvas()->Handle())), 1);
        return bitmap;
    }
    static TColor Corner(TSpeedButton* b) { return PaintedButton(b)->Canvas()->Pixels(1, 1); }
    // The middle of the glyph of an 8 x 8 cell, without a caption: centred, the margin one more.
    static TColor GlyphMiddle(TSpeedButton* b)
    {
        return PaintedButton(b)->Canvas()->Pixels((b->Width() - 8) / 2 + 1 + 4, (b->Height() - 8 + 1) / 2 + 4);
    }
};

}  // namespace

TEST_F(SkinSpeedButtonTest, AttachesThroughWindowProcAndGivesItBack)
{
    TSpeedButton* button = NewButton("SpeedButton1", 10);
    const TWndMethod proc = button->WindowProc;
    TSkinSpeedButton* skin = Skin(button);
    EXPECT_TRUE(skin->Attached());
    EXPECT_EQ(skin->GraphicControl(), button);
    EXPECT_EQ(skin->Control(), nullptr);
    EXPECT_EQ(skin->Handle(), nullptr);
    EXPECT_EQ(button->Perform(SKM_ISSKINNED), 1);
    EXPECT_EQ(SkinForm->SkinControlCount(), 1);
    skin->InitSpeedButton(SkinForm, Data, SkinForm->WorkCanvas());  // a second time: nothing
    EXPECT_EQ(SkinForm->SkinControlCount(), 1);
    skin->Free();
    EXPECT_TRUE(button->WindowProc == proc);
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);

    // Freed with the button.
    Skin(button);
    button->Free();
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
}

TEST_F(SkinSpeedButtonTest, StatesShowTheirFrames)
{
    TSpeedButton* plain = NewButton("Plain", 10);
    TSpeedButton* flat = NewButton("Flat", 60);
    flat->SetFlat(true);
    TSpeedButton* off = NewButton("Off", 110);
    off->SetEnabled(false);
    TSpeedButton* flatOff = NewButton("FlatOff", 160);
    flatOff->SetFlat(true);
    flatOff->SetEnabled(false);
    for (TSpeedButton* b : {plain, flat, off, flatOff})
        Skin(b);

    EXPECT_EQ(Corner(plain), StripButton[0]);
    EXPECT_EQ(Corner(flat), StripFace) << "a flat button shows the bare background";
    EXPECT_EQ(Corner(off), StripButton[2]);
    EXPECT_EQ(Corner(flatOff), StripFace);
    // The mouse over it: frame 4, flat or not; leaving: back.
    for (TSpeedButton* b : {plain, flat}) {
        b->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(b));
        EXPECT_EQ(Corner(b), StripButton[3]);
        b->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(b));
    }
    EXPECT_EQ(Corner(flat), StripFace);
    // Pressed: frame 2 until the release.
    flat->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(5, 5));
    EXPECT_EQ(Corner(flat), StripButton[1]);
    flat->Perform(WM_LBUTTONUP, 0, MakeMsgPoint(5, 5));
    EXPECT_EQ(Corner(flat), StripFace);
    // Disabling repaints through the button's own invalidation, and the next paint shows it.
    plain->SetEnabled(false);
    EXPECT_EQ(Corner(plain), StripButton[2]);
}

TEST_F(SkinSpeedButtonTest, GroupedButtonsGoDownOnceForEachClick)
{
    TSpeedButton* a = NewButton("A", 10);
    TSpeedButton* b = NewButton("B", 60);
    TClicks clicks;
    for (TSpeedButton* s : {a, b}) {
        s->SetGroupIndex(1);
        MakeGlyph(*s->Glyph(), 4);
        s->SetNumGlyphs(4);
        s->OnClick = TNotifyEvent(&clicks, &TClicks::Click);
        Skin(s);
    }
    a->SetDown(true);
    EXPECT_EQ(Corner(a), StripButton[1]) << "down";
    EXPECT_EQ(GlyphMiddle(a), Cells[3]) << "the down cell";
    EXPECT_EQ(Corner(b), StripButton[0]);
    EXPECT_EQ(GlyphMiddle(b), Cells[0]);

    ClickControl(b);
    EXPECT_EQ(clicks.Clicks, 1);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(Corner(b), StripButton[1]);
    EXPECT_EQ(Corner(a), StripButton[0]);
    ClickControl(b);  // down already, and the group does not allow all up
    EXPECT_EQ(clicks.Clicks, 2);
    EXPECT_TRUE(b->Down());
    ClickControl(a);
    EXPECT_EQ(clicks.Clicks, 3);
    EXPECT_TRUE(a->Down());

    // A one-cell glyph of a down button: the cell past the strip falls back to the first.
    a->SetNumGlyphs(1);
    MakeGlyph(*a->Glyph(), 1);
    EXPECT_EQ(GlyphMiddle(a), Cells[0]);
}

TEST_F(SkinSpeedButtonTest, DisabledOneCellGlyphIsGreyedAndCaptionShadowed)
{
    TSpeedButton* b = NewButton("Off", 10);
    b->SetWidth(90);
    TBitmap& glyph = *b->Glyph();
    glyph.SetSize(8, 8);
    glyph.Canvas()->Brush()->SetColor(clWhite);
    glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
    glyph.Canvas()->Brush()->SetColor(clBlack);
    glyph.Canvas()->FillRect(Rect(2, 2, 7, 7));
    Skin(b);
    EXPECT_EQ(GlyphMiddle(b), clBlack);
    b->SetEnabled(false);
    const TColor shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
    EXPECT_EQ(GlyphMiddle(b), shadow) << "the greyed glyph";
    b->SetCaption("Off");
    b->Font()->SetColor(clBlack);
    std::unique_ptr<TBitmap> p = PaintedButton(b);
    EXPECT_FALSE(HasPixel(*p, clBlack));
    // The caption (right of the glyph) is drawn in the shadow colour.
    TBitmap caption(40, 30);
    caption.Canvas()->CopyRect(Rect(0, 0, 40, 30), p->Canvas(), Rect(50, 0, 90, 30));
    EXPECT_TRUE(HasPixel(caption, shadow));
}

TEST_F(SkinSpeedButtonTest, TransparentButtonShowsItsParentAlsoInTheParentsOwnPaint)
{
    auto* panel = Add<TPanel>(Form, Form, "Panel1", 10, 60, 200, 60);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(ParentColour);
    auto* b = Add<TSpeedButton>(Form, panel, "Over", 10, 10, 40, 30);
    b->SetFlat(true);
    b->SetTag(5555);
    auto* solid = Add<TSpeedButton>(Form, panel, "Solid", 60, 10, 40, 30);
    solid->SetTag(5555);
    Skin(b);
    Skin(solid);
    EXPECT_EQ(Corner(b), ParentColour);

    // The parent paints the buttons into its DC; a button's drawing paints the parent behind
    // it, which asks the button to paint again: that inner paint must leave the outer alone.
    TBitmap parent(panel->Width(), panel->Height());
    panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(parent.Canvas()->Handle()));
    EXPECT_EQ(parent.Canvas()->Pixels(b->Left() + 1, b->Top() + 1), ParentColour);
    EXPECT_EQ(parent.Canvas()->Pixels(solid->Left() + 1, solid->Top() + 1), StripButton[0]);
    EXPECT_FALSE(As<TSkinSpeedButton>(SkinForm->SkinControls(0))->Painting());
}

TEST_F(SkinSpeedButtonTest, ZeroSizedHiddenAndUnskinnedButtonsDrawNothing)
{
    TSpeedButton* b = NewButton("Zero", 10);
    Skin(b);
    b->SetWidth(0);
    TBitmap none(1, 1);
    none.Canvas()->SetPixel(0, 0, clWhite);
    EXPECT_EQ(b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(none.Canvas()->Handle())), 1);
    EXPECT_EQ(none.Canvas()->Pixels(0, 0), clWhite);
    // Without a button picture the paint is still taken.
    b->SetWidth(40);
    Data->FButtons->Bitmap.SetSize(0, 0);
    std::unique_ptr<TBitmap> p = std::make_unique<TBitmap>(40, 30);
    p->Canvas()->Brush()->SetColor(clWhite);
    p->Canvas()->FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(p->Canvas()->Handle())), 1);
    EXPECT_EQ(p->Canvas()->Pixels(20, 15), clWhite);
}

TEST_F(SkinSpeedButtonTest, PictureIsDrawnWholeInEveryState)
{
    auto* b = NewButton<TPictureSpeedButton>("Png", 10);
    b->SetWidth(60);
    b->SetNumGlyphs(2);
    MakeGlyph(*b->FPicture, 4);  // 32 wide: the layout counts 16, all 32 are drawn
    b->SetGroupIndex(1);
    Skin(b, "PngImage");
    const int left = (60 - 16) / 2 + 1, y = (30 - 8 + 1) / 2 + 4;
    for (int step = 0; step < 3; ++step) {
        std::unique_ptr<TBitmap> p = PaintedButton(b);
        for (int cell = 0; cell < 4; ++cell)
            EXPECT_EQ(p->Canvas()->Pixels(left + 8 * cell + 4, y), Cells[cell]) << "step " << step;
        if (step == 0)
            b->SetDown(true);
        else
            b->SetEnabled(false);
    }
    EXPECT_EQ(Corner(b), StripButton[1]) << "down and disabled: down";

    // Without a picture, a hot button keeps its font's colour where the skin gives only the
    // normal colour; the glyph drawing would show the normal colour.
    b->FPicture->SetSize(0, 0);
    b->SetEnabled(true);
    b->SetAllowAllUp(true);
    b->SetDown(false);
    b->SetCaption("Go");
    b->Font()->SetColor(0x00010203);
    Data->FButtons->NormalColour2 = 0x00000011;
    Data->FButtons->ColourGiven = {true, false, false};
    b->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(b));
    EXPECT_TRUE(HasPixel(*PaintedButton(b), 0x00010203));
    TSpeedButton* plain = NewButton("Plain", 100);
    plain->SetCaption("Go");
    Skin(plain);
    plain->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(plain));
    EXPECT_TRUE(HasPixel(*PaintedButton(plain), 0x00000011));
}

TEST_F(SkinSpeedButtonTest, ThemeButtonsMatchTheSkinsPicture)
{
    for (const char* theme : {"default.skn", "macos.skn"}) {
        UseTheme(theme);
        TSpeedButton* b = NewButton("Themed", 10);
        TSkinSpeedButton* skin = Skin(b);
        TDataSkinButton& buttons = *Data->FButtons;
        std::unique_ptr<TBitmap> want = StretchSkinBitmap(Rect(0, 0, 40, 30), &buttons.Bitmap, buttons.Margins(), 1,
                                                          buttons.Frame, buttons.Tile == 1, false);
        std::unique_ptr<TBitmap> got = PaintedButton(b);
        const TColor face = static_cast<TColor>(ColorToRGB(Data->FColors[scButtonFace]));
        for (int y = 0; y < 30; y += 2)
            for (int x : {0, 1, 2, 37, 38, 39}) {
                const TColor w = want->Canvas()->Pixels(x, y);
                EXPECT_EQ(got->Canvas()->Pixels(x, y), buttons.Trans == 1 && w == clFuchsia ? face : w)
                    << theme << " at " << x << "," << y;
            }
        skin->Free();
        b->Free();
    }
}

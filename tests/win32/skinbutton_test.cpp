// The push-button skins on real buttons: one click for a mouse press and release and for the
// keys, none for a press that leaves; the frame of each state and its caption colour in pixels
// (the strip skin and both theme skins); the parent's picture under Tag 5555; the "||" break;
// WM_COMMAND of buttons known by handle; glyph, image-list, picture and drop-down buttons.
#include <memory>

#include "controlskintest.h"
#include "extctrls.h"
#include "imglist.h"
#include "namedclass.h"
#include "skinbutton.h"
#include "stdctrls.h"

namespace {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TEnumInfo ButtonLayoutInfo{"TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};

// A windowed control with the published properties of a glyph button.
class TTestBitBtn : public TCustomControl {
    TK_CLASS(TTestBitBtn, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    TBitmap* Glyph() const { return FGlyph.get(); }
    TBitmap* PngImage() const { return FPng.get(); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v) { FImages = v; }
    bool Default() const { return FDefault; }
    void SetDefault(bool v) { FDefault = v; }
    int NumGlyphs = 1, Margin = -1, Spacing = -1, ImageIndex = -1, DisabledIndex = -1;
    TButtonLayout Layout = blGlyphLeft;

private:
    std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
    std::unique_ptr<TBitmap> FPng = std::make_unique<TBitmap>();
    TCustomImageList* FImages = nullptr;
    bool FDefault = false;
};

const TClassInfo& TTestBitBtn::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTestBitBtn>("TTestBitBtn", &TCustomControl::StaticClass())
                                       .Prop("Caption", &TTestBitBtn::GetText, &TTestBitBtn::SetText)
                                       .Prop("Default", &TTestBitBtn::Default, &TTestBitBtn::SetDefault)
                                       .ObjectProp<TBitmap>("Glyph", &TTestBitBtn::Glyph)
                                       .ObjectProp<TBitmap>("PngImage", &TTestBitBtn::PngImage)
                                       .ComponentProp<TCustomImageList>("Images", &TTestBitBtn::Images,
                                                                        &TTestBitBtn::SetImages)
                                       .Prop("NumGlyphs", &TTestBitBtn::NumGlyphs)
                                       .Prop("Margin", &TTestBitBtn::Margin)
                                       .Prop("Spacing", &TTestBitBtn::Spacing)
                                       .Prop("ImageIndex", &TTestBitBtn::ImageIndex)
                                       .Prop("DisabledIndex", &TTestBitBtn::DisabledIndex)
                                       .EnumProp("Layout", ButtonLayoutInfo, &TTestBitBtn::Layout)
                                       .Build();
    return info;
}

// The same with a drop-down arrow, by its class name in the class map.
NAMED_TEST_CLASS(TTestMenuBtn, TTestBitBtn)

// A button of a class family whose controls handle their own presses.
NAMED_TEST_CLASS(TElTestButton, TButton)

constexpr TColor Cells[3] = {0x000000C0, 0x0000C000, 0x00C00000};
constexpr TColor GlyphBack = 0x00808000;  // the glyph's transparent colour (its bottom-left pixel)

// A glyph strip of `count` 16 x 16 cells: a 10 x 10 square of the cell's colour on GlyphBack.
void MakeGlyph(TBitmap& b, int count, const TColor* colours)
{
    b.SetSize(16 * count, 16);
    b.Canvas()->Brush()->SetColor(GlyphBack);
    b.Canvas()->FillRect(Rect(0, 0, 16 * count, 16));
    for (int i = 0; i < count; ++i) {
        b.Canvas()->Brush()->SetColor(colours[i]);
        b.Canvas()->FillRect(Bounds(16 * i + 3, 3, 10, 10));
    }
}

class TClicks : public TObject {
public:
    void Click(TObject*) { ++Clicks; }
    void Down(TObject*, TMouseButton, TShiftState, int, int) { ++Downs; }
    int Clicks = 0, Downs = 0;
};

bool SamePixels(TBitmap& a, TBitmap& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y))
                return false;
    return true;
}

// The bands of rows holding caption pixels over a plain background.
int TextLines(TBitmap& b, TColor background)
{
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < b.Height(); ++y) {
        bool ink = false;
        for (int x = 0; x < b.Width() && !ink; ++x)
            ink = b.Canvas()->Pixels(x, y) != background;
        lines += ink && !inLine;
        inLine = ink;
    }
    return lines;
}

class SkinButtonTest : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        Other = Add<TEdit>(Form, Form, "Edit1", 300, 300, 80, 21);
    }
    TButton* NewButton(const char* name, int left = 8, int top = 8)
    {
        auto* b = Add<TButton>(Form, Form, name, left, top, 90, 30);
        b->SetCaption("Press");
        return b;
    }
    // The frame a button shows, read at its top-left corner (the strip skin has no margins).
    TColor Frame(TControl* c) { return PixelAt(SkinOf(c), 1, 1); }

    TEdit* Other = nullptr;
};

}  // namespace

TEST_F(SkinButtonTest, OneClickForAPressAndReleaseAndForTheKeys)
{
    UseStripSkin();
    TButton* button = NewButton("Button1");
    button->SetModalResult(mrOk);
    TClicks clicks;
    button->OnClick = TNotifyEvent(&clicks, &TClicks::Click);
    button->OnMouseDown = TMouseEvent(&clicks, &TClicks::Down);
    SkinAll();
    ASSERT_TRUE(SkinAs<TSkinButton>(button));

    ClickControl(button);
    EXPECT_EQ(clicks.Clicks, 1);
    EXPECT_EQ(clicks.Downs, 1) << "the press still reaches the control's own event";
    EXPECT_EQ(Form->ModalResult(), mrOk);
    EXPECT_EQ(GetFocus(), button->Handle());
    Form->SetModalResult(mrNone);

    PressKey(VK_SPACE, button->Handle());
    EXPECT_EQ(clicks.Clicks, 2);
    EXPECT_EQ(Form->ModalResult(), mrOk);
    PressKey(VK_RETURN, button->Handle());
    EXPECT_EQ(clicks.Clicks, 3);

    // Space held down shows the pressed frame.
    SendMessageA(button->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(PixelAt(SkinOf(button), 1, 1), StripButton[1]);
    SendMessageA(button->Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(clicks.Clicks, 4);

    // A press that leaves the button is no click.
    PostMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(5, 5));
    PostMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    PostMessageA(button->Handle(), WM_LBUTTONUP, 0, MakeMsgPoint(5, 5));
    ASSERT_TRUE(PumpHandled()) << "posted messages were still waiting";
    EXPECT_EQ(clicks.Clicks, 4);

    // A class of its own press handling gets the click, but not a press passed on.
    auto* own = Add<TElTestButton>(Form, Form, "Button2", 8, 50, 90, 30);
    own->OnClick = TNotifyEvent(&clicks, &TClicks::Click);
    own->OnMouseDown = TMouseEvent(&clicks, &TClicks::Down);
    EXPECT_EQ(SkinControl<TSkinButton>(TSkinKind::Button, own)->Mode(), 1);
    const int downs = clicks.Downs;
    ClickControl(own);
    EXPECT_EQ(clicks.Clicks, 5);
    EXPECT_EQ(clicks.Downs, downs);

    // A timer the standard button set is killed, by the identifier the message carries.
    SetTimer(button->Handle(), 7, 60000, nullptr);
    SendMessageA(button->Handle(), WM_TIMER, 7, 0);
    EXPECT_FALSE(KillTimer(button->Handle(), 7));
}

TEST_F(SkinButtonTest, EachStateShowsItsFrameAndCaptionColour)
{
    UseStripSkin();
    TDataSkinButton& b = *Data->FButtons;
    b.NormalColour2 = 0x00000011;
    b.MouseOverColour2 = 0x00000022;
    b.PressedColour2 = 0x00000033;
    b.ColourGiven = {true, true, true};
    TButton* button = NewButton("Button1");
    SkinAll();
    Other->SetFocus();
    TSkinControl* skin = SkinOf(button);

    EXPECT_EQ(Frame(button), StripButton[0]);
    EXPECT_TRUE(HasPixel(*PaintedBy(skin), 0x00000011)) << "the normal caption colour";
    button->SetDefault(true);
    EXPECT_EQ(Frame(button), StripButton[4]) << "default";
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MakeMsgPoint(5, 5));
    EXPECT_EQ(Frame(button), StripButton[3]) << "a hot default button";
    EXPECT_TRUE(HasPixel(*PaintedBy(skin), 0x00000022));
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(5, 5));
    EXPECT_EQ(Frame(button), StripButton[1]) << "pressed";
    EXPECT_TRUE(HasPixel(*PaintedBy(skin), 0x00000033));
    SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    button->SetDefault(false);
    EXPECT_EQ(Frame(button), StripButton[4]) << "focused by the press";
    button->SetEnabled(false);
    EXPECT_EQ(Frame(button), StripButton[2]) << "disabled";
    EXPECT_TRUE(HasPixel(*PaintedBy(skin), ColorToRGB(clBtnShadow)));
    EXPECT_FALSE(HasPixel(*PaintedBy(skin), 0x00000011));
}

TEST_F(SkinButtonTest, TheRealPointerMakesAButtonHotUntilItLeaves)
{
    UseStripSkin();
    TButton* button = NewButton("Button1");
    SkinAll();
    // A window known by handle whose class does not follow the pointer itself.
    HWND bare = MakeTestWindow("VelmoraBareButton", DefWindowProcA, ModuleInstance(), WS_CHILD | WS_VISIBLE, 40,
                               Form->Handle());
    SetWindowPos(bare, nullptr, 150, 8, 60, 30, SWP_NOZORDER);
    SetWindowTextA(bare, "Go");
    Data->FColors[scButtonText] = 0x00123456;
    TSkinControl* bareSkin = SkinWindow<TSkinButton>(TSkinKind::Button, bare);
    EXPECT_TRUE(HasPixel(*PaintedBy(bareSkin), 0x00123456)) << "its caption in the skin's button text colour";
    Other->SetFocus();
    for (TSkinControl* skin : {SkinOf(button), bareSkin}) {
        MoveMouseTo(skin->Handle(), 10, 10);
        EXPECT_TRUE(PumpUntil([&] { return PixelAt(skin, 1, 1) == StripButton[3]; })) << "no hot frame under the pointer";
        MoveMouseTo(Other->Handle(), 5, 5);
        EXPECT_TRUE(PumpUntil([&] { return PixelAt(skin, 1, 1) == StripButton[0]; })) << "the pointer left, still hot";
    }
}

TEST_F(SkinButtonTest, FocusRectangleAndTheBarPair)
{
    UseStripSkin();
    TButton* focused = NewButton("Button1");
    TButton* byDefault = NewButton("Button2", 8, 50);
    byDefault->SetDefault(true);
    SkinAll();
    focused->SetFocus();
    // Both show frame 5; only the focused one has the dotted rectangle.
    EXPECT_FALSE(SamePixels(*PaintedBy(SkinOf(focused)), *PaintedBy(SkinOf(byDefault))));
    Data->SetOptions(Data->Options() + TSkinOptions{xoNoFocusRect});
    EXPECT_TRUE(SamePixels(*PaintedBy(SkinOf(focused)), *PaintedBy(SkinOf(byDefault))));
    // The focus rectangle lies 2 pixels around the caption's line.
    Data->SetOptions(Data->Options() - TSkinOptions{xoNoFocusRect});
    std::unique_ptr<TBitmap> withFocus = PaintedBy(SkinOf(focused)), without = PaintedBy(SkinOf(byDefault));
    int top = -1, bottom = -1;
    for (int y = 0; y < withFocus->Height(); ++y)
        for (int x = 0; x < withFocus->Width(); ++x)
            if (At(*withFocus, x, y) != At(*without, x, y)) {
                top = top < 0 ? y : top;
                bottom = y;
            }
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(focused->Font());
    EXPECT_EQ(bottom - top + 1, measure.Canvas()->TextHeight("Press") + 4);
    // Without colours of the skin's own, the caption has its font's colour.
    focused->Font()->SetColor(clMaroon);
    EXPECT_TRUE(HasPixel(*PaintedBy(SkinOf(focused)), clMaroon));

    // Only the first "||" breaks the line.
    Other->SetFocus();
    focused->SetHeight(60);
    for (auto [caption, lines] : {std::pair{"AbCd", 1}, {"Ab||Cd", 2}, {"Ab||Cd||", 2}, {"Ab\r\nCd\r\nEf", 3}}) {
        focused->SetCaption(caption);
        EXPECT_EQ(TextLines(*PaintedBy(SkinOf(focused)), StripButton[0]), lines) << caption;
    }
}

TEST_F(SkinButtonTest, Tag5555ShowsTheParentsPicture)
{
    UseStripSkin();
    // Frames with a transparent band at their left.
    TDataSkinButton& b = *Data->FButtons;
    for (int i = 0; i < 5; ++i) {
        b.Bitmap.Canvas()->Brush()->SetColor(clFuchsia);
        b.Bitmap.Canvas()->FillRect(Bounds(20 * i, 0, 4, 20));
    }
    b.Trans = 1;
    auto* panel = Add<TPanel>(Form, Form, "Panel1", 8, 8, 250, 100);
    panel->SetColor(clRed);
    panel->SetTag(Data->DisableTag());  // the panel keeps its own colour
    auto* plain = Add<TButton>(Form, panel, "Button1", 8, 8, 90, 30);
    auto* overParent = Add<TButton>(Form, panel, "Button2", 108, 8, 90, 30);
    overParent->SetTag(5555);
    SkinAll();
    EXPECT_FALSE(As<TSkinButton>(SkinOf(plain))->Transparent());
    EXPECT_TRUE(As<TSkinButton>(SkinOf(overParent))->Transparent());
    EXPECT_EQ(PixelAt(SkinOf(plain), 1, 15), StripFace);
    EXPECT_EQ(PixelAt(SkinOf(overParent), 1, 15), ColorToRGB(clRed));
    EXPECT_EQ(PixelAt(SkinOf(overParent), 45, 2), StripButton[0]);
}

TEST_F(SkinButtonTest, ThemeFramesMatchTheSkinPicture)
{
    for (const char* theme : {"default.skn", "macos.skn"}) {
        SCOPED_TRACE(theme);
        ASSERT_NO_FATAL_FAILURE(UseTheme(theme));
        TButton* button = NewButton("Button1");
        AttachSkinForm();
        SkinForm->SkinChildControls(Form);
        Other->SetFocus();
        TDataSkinButton& b = *Data->FButtons;
        const int fw = b.Bitmap.Width() / b.Frame;
        auto expected = [&](int state) {
            const TColor c = b.Bitmap.Canvas()->Pixels(fw * (state - 1) + 3, 3);
            return c == Rgb(clFuchsia) ? Rgb(Data->FColors[scButtonFace]) : c;
        };
        EXPECT_EQ(PixelAt(SkinOf(button), 3, 3), expected(1));
        SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MakeMsgPoint(5, 5));
        EXPECT_EQ(PixelAt(SkinOf(button), 3, 3), expected(4));
        SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(5, 5));
        EXPECT_EQ(PixelAt(SkinOf(button), 3, 3), expected(2));
        SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(PixelAt(SkinOf(button), 3, 3), expected(5));
        button->SetEnabled(false);
        EXPECT_EQ(PixelAt(SkinOf(button), 3, 3), expected(3));
        SkinForm->Unskin();
        FreeAndNil(SkinForm);
        button->Free();
    }
}

// ---------------------------------------------------------------- buttons known by handle

namespace {

std::vector<std::pair<WPARAM, LPARAM>> gCommands;

LRESULT CALLBACK ParentProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND)
        gCommands.emplace_back(wParam, lParam);
    return DefWindowProcA(w, msg, wParam, lParam);
}

}  // namespace

TEST_F(SkinButtonTest, AWindowKnownByHandleClicksWithWMCommand)
{
    UseStripSkin();
    HWND host = MakeTestWindow("VelmoraButtonHost", ParentProc, ModuleInstance(), WS_POPUP | WS_VISIBLE, 300);
    HWND plain = CreateWindowExA(0, "BUTTON", "Plain", WS_CHILD | WS_VISIBLE, 5, 5, 80, 25, host,
                                 reinterpret_cast<HMENU>(42), nullptr, nullptr);
    // A button of the toolkit's class name, as another module's toolkit makes it.
    HWND other = MakeTestWindow("TButton", DefWindowProcA, ModuleInstance(), WS_CHILD | WS_VISIBLE, 50, host);
    SetWindowLongPtrA(other, GWLP_ID, 43);
    AttachSkinForm();
    gCommands.clear();
    for (HWND w : {plain, other}) {
        auto* skin = new TSkinButton(SkinForm);
        skin->InitHandle(w, Data, SkinForm, SkinForm->WorkCanvas());
        ClickAt(w, 10, 10);
    }
    ASSERT_EQ(gCommands.size(), 2u);
    EXPECT_EQ(gCommands[0], std::make_pair(WPARAM(MAKEWPARAM(42, BN_CLICKED)), reinterpret_cast<LPARAM>(plain)));
    EXPECT_EQ(gCommands[1], std::make_pair(WPARAM(0), reinterpret_cast<LPARAM>(other)));
    SkinForm->Unskin();
    DestroyWindow(host);
}

// ---------------------------------------------------------------- glyph, picture and drop-down buttons

TEST_F(SkinButtonTest, GlyphCellsFollowTheState)
{
    UseStripSkin();
    Data->Skin3rd()->Add("TTestBitBtn=bitbtn");
    auto* button = Add<TTestBitBtn>(Form, Form, "BitBtn1", 8, 8, 100, 30);
    MakeGlyph(*button->Glyph(), 3, Cells);
    button->NumGlyphs = 3;
    button->Margin = 4;
    SkinAll();
    TSkinControl* skin = SkinOf(button);
    ASSERT_TRUE(As<TSkinBitButton>(skin));
    // Glyph at the margin, centred across; its transparent colour shows the frame.
    EXPECT_EQ(PixelAt(skin, 4 + 8, 7 + 8), Cells[0]);
    EXPECT_EQ(PixelAt(skin, 4 + 1, 7 + 1), StripButton[0]);
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(5, 5));
    EXPECT_EQ(PixelAt(skin, 12, 15), Cells[2]) << "pressed: the third cell";
    SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    Other->SetFocus();
    button->SetEnabled(false);
    EXPECT_EQ(PixelAt(skin, 12, 15), Cells[1]) << "disabled: the second cell";

    // A one-cell glyph is embossed when disabled: its dark square in shadow, a highlight
    // below and right of it, the rest transparent.
    const TColor black[1] = {clBlack};
    MakeGlyph(*button->Glyph(), 1, black);
    button->NumGlyphs = 1;
    EXPECT_EQ(PixelAt(skin, 4 + 8, 7 + 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(skin, 4 + 13, 7 + 8), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(skin, 4 + 15, 7 + 8), StripButton[2]);

    // Glyph right.
    button->SetEnabled(true);
    MakeGlyph(*button->Glyph(), 3, Cells);
    button->NumGlyphs = 3;
    button->Layout = blGlyphRight;
    EXPECT_EQ(PixelAt(skin, 100 - 4 - 16 + 8, 15), Cells[0]);
}

TEST_F(SkinButtonTest, ADisabledGlyphKeepsTheShapeOfItsInkInAnyColour)
{
    UseStripSkin();
    Data->Skin3rd()->Add("TTestBitBtn=bitbtn");
    auto* button = Add<TTestBitBtn>(Form, Form, "BitBtn1", 8, 8, 100, 30);
    button->Margin = 4;
    SkinAll();
    TSkinControl* skin = SkinOf(button);
    button->SetEnabled(false);
    // Glyph (16 x 16 at 4, 7): a square from 3 to 12 of the ink colour on the background colour.
    struct TCase {
        TColor Back, Ink;
        bool Monochrome;
    };
    for (const TCase& c : {TCase{clWhite, clGray, false}, TCase{clWhite, 0x000080FF, false},
                           TCase{GlyphBack, clBlue, false}, TCase{clWhite, clBlack, true}}) {
        SCOPED_TRACE(testing::Message() << std::hex << c.Back << " " << c.Ink);
        TBitmap& glyph = *button->Glyph();
        glyph.SetSize(16, 16);
        Paint(glyph, Rect(0, 0, 16, 16), c.Back);
        Paint(glyph, Rect(3, 3, 13, 13), c.Ink);
        if (c.Monochrome)
            glyph.SetMonochrome(true);
        std::unique_ptr<TBitmap> shot = PaintedBy(skin);
        // The ink in shadow, its highlight one pixel right and down, the background not drawn.
        EXPECT_EQ(At(*shot, 4 + 8, 7 + 8), Rgb(clBtnShadow));
        EXPECT_EQ(At(*shot, 4 + 3, 7 + 3), Rgb(clBtnShadow));
        EXPECT_EQ(At(*shot, 4 + 13, 7 + 8), Rgb(clBtnHighlight));
        EXPECT_EQ(At(*shot, 4 + 8, 7 + 13), Rgb(clBtnHighlight));
        EXPECT_EQ(At(*shot, 4 + 15, 7 + 8), StripButton[2]);
        EXPECT_EQ(At(*shot, 4 + 1, 7 + 1), StripButton[2]);
    }
}

TEST_F(SkinButtonTest, ImageListAndPictureButtons)
{
    UseStripSkin();
    Data->Skin3rd()->Add("TTestBitBtn=bitbtn");
    auto* listed = Add<TTestBitBtn>(Form, Form, "BitBtn1", 8, 8, 100, 30);
    auto* images = new TImageList(Form);
    TBitmap glyphs;
    MakeGlyph(glyphs, 2, Cells);
    images->AddMasked(&glyphs, GlyphBack);
    listed->SetImages(images);
    listed->ImageIndex = 1;
    listed->Margin = 4;

    // The picture path: the whole picture in every state, and "Default" not read.
    Data->Skin3rd()->Add("TTestMenuBtn=pngbitbtn");
    auto* picture = Add<TTestMenuBtn>(Form, Form, "PngBtn1", 8, 50, 100, 30);
    MakeGlyph(*picture->PngImage(), 1, &Cells[2]);
    picture->PngImage()->SetTransparent(true);
    picture->Margin = 4;
    picture->SetDefault(true);
    SkinAll();
    Other->SetFocus();
    ASSERT_TRUE(As<TSkinBitButton>(SkinOf(listed)));
    ASSERT_EQ(As<TSkinBitButton>(SkinOf(picture))->PictureProp(), "PngImage");

    EXPECT_EQ(PixelAt(SkinOf(listed), 12, 15), Cells[1]);
    EXPECT_EQ(PixelAt(SkinOf(listed), 5, 8), StripButton[0]);
    EXPECT_EQ(PixelAt(SkinOf(picture), 12, 15), Cells[2]);
    EXPECT_EQ(PixelAt(SkinOf(picture), 1, 1), StripButton[0]) << "a default picture button shows frame 1";
    picture->SetEnabled(false);
    EXPECT_EQ(PixelAt(SkinOf(picture), 12, 15), Cells[2]) << "the same picture when disabled";
    EXPECT_EQ(PixelAt(SkinOf(picture), 1, 1), StripButton[2]);
    // Disabled, a list button shows its disabled image when it names one.
    listed->SetEnabled(false);
    std::unique_ptr<TBitmap> ownImage = PaintedBy(SkinOf(listed));
    auto whole = Filled(16, 16, clRed);  // a shape of its own: disabled images are greyed shapes
    listed->DisabledIndex = images->AddMasked(whole.get(), GlyphBack);
    EXPECT_FALSE(SamePixels(*ownImage, *PaintedBy(SkinOf(listed))));

    // Focused (frame 5), a picture button keeps its font's colour where a glyph button takes
    // the skin's normal colour.
    Data->FButtons->NormalColour2 = 0x00000011;
    Data->FButtons->ColourGiven = {true, false, false};
    picture->SetEnabled(true);
    picture->SetCaption("Go");
    picture->Font()->SetColor(0x00010203);
    picture->SetFocus();
    EXPECT_TRUE(HasPixel(*PaintedBy(SkinOf(picture)), 0x00010203));
    EXPECT_FALSE(HasPixel(*PaintedBy(SkinOf(picture)), 0x00000011));
}

TEST_F(SkinButtonTest, DropDownButtonsDrawTheirArrowInside)
{
    UseStripSkin();
    Data->Skin3rd()->Add("TTestMenuBtn=menubtn");
    auto* button = Add<TTestMenuBtn>(Form, Form, "MenuBtn1", 8, 8, 120, 24);
    button->SetCaption("Menu");
    button->Margin = 4;  // the spacing worked out
    SkinAll();
    ASSERT_TRUE(As<TSkinMenuButton>(SkinOf(button)));
    // The arrow's centre sits 8 pixels, and what the division leaves, from the right edge.
    std::unique_ptr<TBitmap> b = PaintedBy(SkinOf(button));
    int arrowRight = -1;
    for (int x = 0; x < b->Width(); ++x)
        if (b->Canvas()->Pixels(x, 10) == clBlack)
            arrowRight = x;
    EXPECT_GE(arrowRight, 120 - 8 - 3);
    EXPECT_LT(arrowRight, 120);
    // The skin's normal caption colour is frame 1's only.
    Data->FButtons->NormalColour2 = 0x00000011;
    Data->FButtons->ColourGiven = {true, false, false};
    EXPECT_TRUE(HasPixel(*PaintedBy(SkinOf(button)), 0x00000011));
    // The focus shows as hot, never as the focused frame.
    button->SetFocus();
    EXPECT_EQ(PixelAt(SkinOf(button), 1, 1), StripButton[3]);
    EXPECT_FALSE(HasPixel(*PaintedBy(SkinOf(button)), 0x00000011));
    // Disabled, arrow and caption are in the shadow colour.
    button->SetEnabled(false);
    EXPECT_FALSE(HasPixel(*PaintedBy(SkinOf(button)), clBlack));
}

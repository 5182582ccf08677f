// The gradient button on real windows: colour schemes, painting per state, glyph and caption
// layout, hot tracking, the click rule, keys in a modal form, properties by name, the sounds.
#include <cstring>
#include <memory>
#include <sstream>

#include "gradientbutton.h"
#include "guitest.h"
#include "heldkey.h"
#include "pixeltest.h"
#include "stdctrls.h"
#include "timer.h"
#include "unmappedonfree.h"

namespace {

// The form of forms/gradientbutton.form. Its click handler notes the form's modal result then;
// a timer ends a modal loop that a test's keys failed to end.
class TGradientForm : public TForm {
    TK_CLASS(TGradientForm, TForm)
public:
    explicit TGradientForm(TComponent* owner) : TForm(owner), Guard(new TTimer(this))
    {
        InitForm();
        Guard->SetInterval(3000);
        Guard->SetOnTimer(TNotifyEvent(this, &TGradientForm::Expired));
    }
    TK_COMPONENT(TEdit, NameEdit);
    TK_COMPONENT(TGradientButton, OkButton);
    TK_COMPONENT(TGradientButton, CancelButton);
    TTimer* Guard;
    std::vector<TModalResult> ResultAtClick;
    bool KeyEvents = false;
    TK_HANDLER(OkButtonClick, TObject*) { ResultAtClick.push_back(ModalResult()); }
    void Expired(TObject*) { SetModalResult(mrAbort); }
    void Key(TObject*, WORD&, TShiftState) { KeyEvents = true; }
};

const TClassInfo& TGradientForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TGradientForm>("TGradientForm", &TForm::StaticClass()).Build();
    return info;
}

// Counts clicks and the sounds it was asked to play (without playing them).
class TRecordingButton : public TGradientButton {
    TK_CLASS(TRecordingButton, TGradientButton)
public:
    using TGradientButton::TGradientButton;
    int Clicks = 0, Enters = 0;
    std::vector<TSoundScheme> Played;
    void Click() override { ++Clicks; TGradientButton::Click(); }
    void PlaySchemeSound(TSoundScheme s) override { Played.push_back(s); }
    void Entered(TObject*) { ++Enters; }
    void FreeSender(TObject* sender) { sender->Free(); }
};

const TClassInfo& TRecordingButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TRecordingButton>("TRecordingButton", &TGradientButton::StaticClass()).Build();
    return info;
}

// A 75 x 25 button without caption on a form at (40, 40), with the real cursor far away.
TRecordingButton* NewButtonOnForm(TForm*& f)
{
    SetCursorPos(1200, 1000);
    f = new TForm(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(40, 40, 300, 120);
    auto* b = new TRecordingButton(f);
    b->SetBounds(20, 20, 75, 25);
    b->SetParent(f);
    f->Show();
    return b;
}

// The button as it would paint now, composed off-screen.
std::unique_ptr<TBitmap> Shot(TGradientButton* b)
{
    auto bmp = std::make_unique<TBitmap>(b->Width(), b->Height());
    b->PaintTo(bmp->Canvas());
    return bmp;
}

TColor At(const std::unique_ptr<TBitmap>& bmp, int x, int y) { return PixelToColor(bmp->PixelBuffer().At(x, y)); }

TColor Col(TGradientButton* b, TButtonColorSet set, TButtonColorRole role) { return b->Colors(ButtonColorIndex(set, role)); }

// Border, top-left light line and bottom-right dark line of a 75 x 25 button in one colour set,
// with the corners where the lines meet.
void ExpectFrame(TGradientButton* b, TButtonColorSet set, int line = __builtin_LINE())
{
    SCOPED_TRACE("frame checked at line " + std::to_string(line));
    auto s = Shot(b);
    EXPECT_EQ(At(s, 0, 0), Col(b, set, bcrBorder));
    EXPECT_EQ(At(s, 1, 12), Col(b, set, bcrLight));
    EXPECT_EQ(At(s, 1, 23), Col(b, set, bcrLight));
    EXPECT_EQ(At(s, 73, 12), Col(b, set, bcrDark));
    EXPECT_EQ(At(s, 73, 1), Col(b, set, bcrDark));
    EXPECT_EQ(At(s, 37, 23), Col(b, set, bcrDark));
}

// The button's look now: which colour set its light line shows.
bool Shows(TGradientButton* b, TButtonColorSet set) { return At(Shot(b), 1, 12) == Col(b, set, bcrLight); }

bool Near(TColor a, TColor b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

using GradientButtonTest = GuiTest;

TEST_F(GradientButtonTest, SchemesSetTheirColoursAndOnlyNeoSchemesSetGradients)
{
    // The 25 colours of each scheme by index, "-" where the scheme leaves the colour as it was.
    struct {
        TColorScheme Scheme;
        const char* Colors;
    } const rows[] = {
        {csNeoDesert,
         "C6ECFF 37BEFF 009CE8 B9E7FF 005680 000000 B3E7FF 00A3F0 008ED2 95DAFF 005680 000000 "
         "2BBAFF 77D2FF 8AD9FF 0077B7 0070A6 000000 EEEEEE FFFFFF D2D2D2 FFFFFF 808080 808080 4080FF"},
        {csNeoSky,
         "FFEEDD FFB66C FFA851 FFECD9 B35900 000000 FFEBD7 FFA346 FF9E3E FFE4CA B35900 000000 "
         "FFB366 FFCE9D FFD3A8 FF9E3E B35900 000000 EEEEEE FFFFFF D2D2D2 FFFFFF 808080 808080 FFA953"},
        {csNeoGrass,
         "DDF9E8 5EDF8E 24B95C CBF5DB 156F37 000000 BFF2D2 3DD877 23B459 B5F0CB 17793D 000000 "
         "4EDC83 80E6A6 89E7AC 177D3E 167439 000000 EEEEEE FFFFFF D2D2D2 FFFFFF 808080 808080 24B95C"},
        {csNeoSilver,
         "F3F3F3 BCBCBC A7A7A7 F7F7F7 626262 000000 F0F0F0 A6A6A6 A2A2A2 EEEEEE 757575 000000 "
         "CACACA DADADA E9E9E9 7C7C7C 4E4E4E 000000 EEEEEE FFFFFF D2D2D2 FFFFFF 808080 808080 ADADAD"},
        {csNeoRose,
         "E8E8FF 9595FF 8282FF DDDDFF 00009D 000000 DFDFFF 7777FF 6A6AFF D7D7FF 00009D 000000 "
         "A6A6FF B9B9FF CECEFF 5E5EFF 00009D 000000 EEEEEE FFFFFF D2D2D2 FFFFFF 808080 808080 5E5EFF"},
        {csNeoSun,
         "F0FFFF 20D8F9 00BBBB F2FFFF 006464 000000 D5FCFF 05BCDC 00A6A6 CCFFFF 006464 000000 "
         "05D1F5 66F0FB 66F3FF 008484 006464 000000 EEEEEE FFFFFF D2D2D2 FFFFFF 808080 808080 00BBBB"},
        {csDesert,
         "95DDFF - 009CE8 B9E7FF 005680 000000 6FD0FF - 008ED2 95DAFF 005680 000000 "
         "6FD0FF - 8AD9FF 0077B7 0070A6 000000 E2E2E2 - D8D8D8 EAEAEA C4C4C4 808080 4080FF"},
        {csGrass,
         "98EBB7 - 24B95C CBF5DB 156F37 000000 68E196 - 23B459 B5F0CB 17793D 000000 "
         "4EDC83 - 89E7AC 177D3E 167439 000000 E2E2E2 - D8D8D8 EAEAEA C4C4C4 808080 00A421"},
        {csSky,
         "FFE0C1 - FFA953 FFECD9 B35900 000000 FFCD9B - FFB164 FFE4CA B35900 000000 "
         "FFC082 - FFD3A8 FF9122 B35900 000000 E2E2E2 - D8D8D8 EAEAEA C4C4C4 808080 DC9B14"},
        {csSun,
         "A8FFFF - 00BBBB F2FFFF 006464 000000 66F3FF - 00A6A6 CCFFFF 006464 000000 "
         "22EEFF - 66F3FF 008484 006464 000000 E2E2E2 - D8D8D8 EAEAEA C4C4C4 808080 008CF4"},
        {csRose,
         "C6C6FF - 8282FF DDDDFF 00009D 000000 B0B0FF - 6A6AFF D7D7FF 00009D 000000 "
         "9F9FFF - 8888FF 5E5EFF 00009D 000000 E2E2E2 - D8D8D8 EAEAEA C4C4C4 808080 5E5EFF"},
        {csSilver,
         "E0E0E0 - AEAEAE F7F7F7 626262 000000 CFCFCF - 797979 EEEEEE 757575 000000 "
         "D3D3D3 - E9E9E9 7C7C7C 4E4E4E 000000 E2E2E2 - D8D8D8 EAEAEA C4C4C4 808080 8A8A8A"},
    };
    auto* b = new TGradientButton(nullptr);
    // A new button: csNeoDesert with the gradient on, but white hot, down and disabled gradient ends.
    EXPECT_EQ(b->ColorScheme(), csNeoDesert);
    EXPECT_TRUE(b->Gradient());
    EXPECT_EQ(Col(b, bcsNormal, bcrGrad), 0x37BEFF);
    for (TButtonColorSet set : {bcsOver, bcsDown, bcsDisabled})
        EXPECT_EQ(Col(b, set, bcrGrad), clWhite) << set;
    String defaults;
    for (const char* p : {"Width", "Height", "TabStop", "Ctl3D", "Spacing", "TransparentGlyph", "HotTrack", "Cancel",
                          "Default", "UseSound", "Sound", "ModalResult", "Layout"})
        defaults += GetPropText(b, p) + " ";
    EXPECT_EQ(defaults, "75 25 true true 4 true true false false false sspistol 0 blglyphleft ");
    for (const auto& r : rows) {
        SCOPED_TRACE(ColorSchemeInfo.Names[r.Scheme]);
        b->SetColorScheme(csNeoSilver);
        b->SetColor(ButtonColorIndex(bcsNormal, bcrGrad), 0x123456);
        TColor before[GradientColorCount];
        for (int i = 0; i < GradientColorCount; ++i)
            before[i] = b->Colors(i);
        b->SetColorScheme(r.Scheme);
        EXPECT_EQ(b->ColorScheme(), r.Scheme);
        EXPECT_EQ(b->Gradient(), r.Scheme <= csNeoSun);
        std::istringstream colors(r.Colors);
        for (int i = 0; i < GradientColorCount; ++i) {
            std::string c;
            colors >> c;
            EXPECT_EQ(b->Colors(i), c == "-" ? before[i] : std::stoi(c, nullptr, 16)) << "colour " << i;
        }
    }
    // One colour makes the scheme custom; csCustom itself changes no colour.
    b->SetColor(ButtonColorIndex(bcsOver, bcrText), clRed);
    EXPECT_EQ(b->ColorScheme(), csCustom);
    b->SetColorScheme(csCustom);
    EXPECT_EQ(Col(b, bcsOver, bcrText), clRed);
    EXPECT_THROW(b->SetColor(25, clRed), EInvalidOperation);
    EXPECT_THROW(b->SetColorScheme(static_cast<TColorScheme>(13)), EInvalidOperation);
    b->Free();
}

TEST_F(GradientButtonTest, EachStatePaintsItsColourSetAndTheDisabledSetWins)
{
    TForm* f;
    TRecordingButton* b = NewButtonOnForm(f);
    ExpectFrame(b, bcsNormal);
    // The gradient runs from Face on row 0 towards Grad on row H.
    auto s = Shot(b);
    TColor face = Col(b, bcsNormal, bcrFace), grad = Col(b, bcsNormal, bcrGrad);
    for (int y : {2, 12, 22}) {
        auto mix = [&](int shift) {
            int a = (face >> shift) & 0xFF, z = (grad >> shift) & 0xFF;
            return (a + (z - a) * y / 25) << shift;
        };
        EXPECT_TRUE(Near(At(s, 10, y), mix(0) | mix(8) | mix(16), 2)) << y;
    }
    b->Perform(CM_MOUSEENTER);
    ExpectFrame(b, bcsOver);
    b->SetEnabled(false);  // disabled wins over hot (the focus, and the look with it, went first)
    b->Perform(CM_MOUSEENTER);
    ExpectFrame(b, bcsDisabled);
    b->SetEnabled(true);
    b->Perform(CM_MOUSEENTER);
    PostMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(10, 10));
    ASSERT_TRUE(PumpUntil([&] { return Shows(b, bcsDown); })) << "the press did not show the down colours";
    ExpectFrame(b, bcsDown);
    // The press took the focus: a rectangle three pixels in.
    EXPECT_EQ(At(Shot(b), 3, 12), b->Colors(FocusRectColorIndex));
    EXPECT_EQ(At(Shot(b), 71, 12), b->Colors(FocusRectColorIndex));
    b->SetEnabled(false);
    ExpectFrame(b, bcsDisabled);
    b->SetEnabled(true);  // the focus went with the disabling, and the press with it
    // The caption in the set's text colour.
    b->SetCaption("Wide");
    b->SetColor(ButtonColorIndex(bcsNormal, bcrText), clRed);
    auto text = Shot(b);
    bool red = false;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 75; ++x)
            red = red || Near(At(text, x, y), clRed, 0x50);
    EXPECT_TRUE(red) << "no caption in the text colour";
    b->SetCaption("");

    // The window shows what PaintTo composes, and a setter repaints it.
    f->Repaint();
    HDC dc = GetDC(b->Handle());
    auto now = Shot(b);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 10, 5)), At(now, 10, 5));
    TColor before = static_cast<TColor>(GetPixel(dc, 0, 0));
    EXPECT_EQ(before, At(now, 0, 0));
    b->SetColorScheme(csSky);
    EXPECT_TRUE(PumpUntil([&] { return static_cast<TColor>(GetPixel(dc, 0, 0)) != before; })) << "no repaint";
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 0, 0)), At(Shot(b), 0, 0));
    b->SetEnabled(false);  // and so does a change of the enabled state
    EXPECT_TRUE(PumpUntil([&] { return static_cast<TColor>(GetPixel(dc, 0, 0)) == Col(b, bcsDisabled, bcrBorder); }))
        << "the disabled button was not repainted";
    EXPECT_FALSE(IsWindowEnabled(b->Handle()));
    b->SetEnabled(true);
    ReleaseDC(b->Handle(), dc);

    // A plain scheme is flat; without Ctl3D the face reaches the border.
    b->Perform(CM_MOUSELEAVE);
    b->SetCtl3D(false);
    s = Shot(b);
    for (TPoint p : {TPoint(10, 2), TPoint(10, 20), TPoint(1, 12)})
        EXPECT_EQ(At(s, p.x, p.y), Col(b, bcsNormal, bcrFace));
    // Gradient ends that are system colours are stepped as RGB; each row rounds to the nearest.
    TBitmap bmp(4, 10);
    TGradientButton::GradientFill(bmp.Canvas(), TRect(0, 0, 4, 10), clBtnFace, clBlack);
    EXPECT_EQ(At(bmp, 2, 0), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_TRUE(Near(At(bmp, 2, 9), clBlack, 30));
    TGradientButton::GradientFill(bmp.Canvas(), TRect(0, 0, 4, 10), clBlack, 0x0F0F0F);  // 1.5 a row
    EXPECT_EQ(At(bmp, 2, 1), 0x020202);
    EXPECT_EQ(At(bmp, 2, 2), 0x030303);
    f->Free();
}

TEST_F(GradientButtonTest, GlyphAndCaptionArePlacedPerLayoutAndShiftWhenPressed)
{
    // A 75-wide button, caption 40 x 13. Spacing 4 with a 16-pixel glyph on the left leaves 4
    // pixels between; an odd glyph on the left sits one closer, elsewhere exactly Spacing away;
    // without a caption the glyph is centred. A press moves both one pixel down and right.
    struct {
        SIZE TextSize, GlyphSize;
        TButtonLayout Layout;
        int Height, Spacing;
        bool Down;
        TPoint GlyphAt;
        TRect TextAt;
    } const rows[] = {
        {{40, 13}, {16, 16}, blGlyphLeft, 25, 4, false, {7, 4}, {27, 6, 67, 19}},
        {{40, 13}, {15, 15}, blGlyphLeft, 25, 5, false, {7, 5}, {26, 6, 66, 19}},
        {{40, 13}, {15, 15}, blGlyphRight, 25, 5, false, {53, 5}, {8, 6, 48, 19}},
        {{40, 13}, {15, 15}, blGlyphTop, 60, 5, false, {30, 12}, {17, 32, 57, 45}},
        {{40, 13}, {15, 15}, blGlyphBottom, 60, 5, true, {31, 33}, {18, 15, 58, 28}},
        {{0, 0}, {16, 16}, blGlyphLeft, 25, 10, false, {29, 4}, {}},
        {{0, 0}, {15, 15}, blGlyphRight, 25, 10, true, {31, 6}, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(String(ButtonLayoutInfo.Names[r.Layout]) + " spacing " + IntToStr(r.Spacing));
        TGlyphPlacement p = PlaceGlyphAndCaption(75, r.Height, r.TextSize, r.GlyphSize, r.Layout, r.Spacing, r.Down);
        EXPECT_EQ(p.Glyph, r.GlyphAt);
        if (r.TextSize.cx) {
            EXPECT_EQ(p.Text, r.TextAt);
        }
    }

    // Drawn: the glyph's top-left colour shows the face through unless TransparentGlyph is off.
    auto* b = new TGradientButton(nullptr);
    b->SetColorScheme(csSilver);
    TBitmap glyph(16, 16);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(TRect(0, 0, 16, 16));
    glyph.Canvas()->SetPixel(0, 0, clFuchsia);
    b->SetGlyph(&glyph);
    auto s = Shot(b);
    EXPECT_EQ(At(s, 30, 5), clRed);
    EXPECT_EQ(At(s, 29, 4), Col(b, bcsNormal, bcrFace));
    b->SetTransparentGlyph(false);
    EXPECT_EQ(At(Shot(b), 29, 4), clFuchsia);
    b->Free();
}

TEST_F(GradientButtonTest, HotTrackingFollowsTheMouseAndOnlyAPressReleasedInsideClicks)
{
    TForm* f;
    TRecordingButton* b = NewButtonOnForm(f);
    b->SetUseSound(true);
    b->SetSound(ssFire);
    b->OnMouseEnter = TNotifyEvent(b, &TRecordingButton::Entered);
    // By hand: the pointer comes over the button (hot, with its sound), presses (down) and lets
    // go inside: a click, and the button under the pointer is hot again.
    POINT over{30, 12};
    ClientToScreen(b->Handle(), &over);
    // Moved again at each poll until it shows: a new window may not take the pointer at once.
    ASSERT_TRUE(PumpUntil([&] { return Shows(b, bcsOver) || (MoveMouseTo(over.x, over.y, false), false); }))
        << "no hot look under the pointer";
    EXPECT_EQ(b->Played, std::vector<TSoundScheme>{ssFire});
    EXPECT_EQ(b->Enters, 0) << "the button keeps the enter message to itself";
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return Shows(b, bcsDown); })) << "the press did not show the down colours";
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return b->Clicks == 1; })) << "the release inside did not click";
    ExpectFrame(b, bcsOver);
    // No longer held: leaving and coming back shows it hot, not down.
    b->Perform(CM_MOUSELEAVE);
    b->Perform(CM_MOUSEENTER);
    ExpectFrame(b, bcsOver);
    MoveMouseTo(1200, 1000);
    EXPECT_TRUE(PumpUntil([&] { return Shows(b, bcsNormal); })) << "leaving did not end the hot look";

    // Pressed, left (normal colours) and entered again while held: down again.
    auto post = [&](UINT msg, int x, WPARAM keys = 0) {
        PostMessageA(b->Handle(), msg, keys, MakeMsgPoint(x, 10));
        Application->ProcessMessages();
    };
    post(WM_LBUTTONDOWN, 10, MK_LBUTTON);
    b->Perform(CM_MOUSELEAVE);
    ExpectFrame(b, bcsNormal);
    b->Perform(CM_MOUSEENTER);
    ExpectFrame(b, bcsDown);
    // Released outside: no click, and the capture is gone.
    post(WM_MOUSEMOVE, 200, MK_LBUTTON);
    post(WM_LBUTTONUP, 200);
    EXPECT_EQ(b->Clicks, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    // Released on the left edge: a click, but not inside for the look, which the click made normal.
    post(WM_LBUTTONDOWN, 10, MK_LBUTTON);
    post(WM_LBUTTONUP, 0);
    EXPECT_EQ(b->Clicks, 2);
    ExpectFrame(b, bcsNormal);
    // The right button does not press it.
    post(WM_RBUTTONDOWN, 10, MK_RBUTTON);
    ExpectFrame(b, bcsNormal);
    post(WM_RBUTTONUP, 10);

    // Without hot tracking entering changes nothing and plays nothing, and a click ends normal.
    size_t played = b->Played.size();
    b->Perform(CM_MOUSELEAVE);
    b->SetHotTrack(false);
    b->Perform(CM_MOUSEENTER);
    ExpectFrame(b, bcsNormal);
    EXPECT_EQ(b->Played.size(), played);
    f->SetModalResult(mrAbort);  // a click writes the button's result, 0 too
    post(WM_LBUTTONDOWN, 10, MK_LBUTTON);
    post(WM_LBUTTONUP, 10);
    EXPECT_EQ(b->Clicks, 3);
    ExpectFrame(b, bcsNormal);
    EXPECT_EQ(f->ModalResult(), mrNone);
    // A button out of the tab order does not take the focus.
    auto* other = Add<TEdit>(f, f, "Other", 200, 60, 60, 20);
    other->SetFocus();
    b->SetTabStop(false);
    post(WM_LBUTTONDOWN, 10, MK_LBUTTON);
    EXPECT_EQ(GetFocus(), other->Handle());
    post(WM_LBUTTONUP, 10);

    // A button freed by its own click: the release's mouse-up is not raised on it.
    auto* doomed = new TUnmappedOnFree<TGradientButton>(f);
    doomed->SetBounds(120, 20, 75, 25);
    doomed->SetParent(f);
    doomed->OnClick = TNotifyEvent(b, &TRecordingButton::FreeSender);
    ClickAt(doomed->Handle(), 10, 10);
    EXPECT_EQ(f->ControlCount(), 2);
    f->Free();
}

TEST_F(GradientButtonTest, KeysInAModalFormClickAndEndIt)
{
    auto* f = new TGradientForm(nullptr);
    // Return in the edit goes to the default button, which writes the result before OnClick.
    PostMessageA(f->NameEdit->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(f->ShowModal(), mrOk);
    EXPECT_EQ(f->ResultAtClick, std::vector<TModalResult>{mrOk});
    PostMessageA(f->NameEdit->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(f->ShowModal(), mrCancel);
    f->Guard->SetEnabled(false);

    // Space on the focused button: down while held, a click on release. The button keeps every
    // key to itself: no key events, and no click for other keys.
    TGradientButton* ok = f->OkButton;
    ok->SetModalResult(mrYes);
    ok->OnKeyDown = TKeyEvent(f, &TGradientForm::Key);
    ok->OnKeyUp = TKeyEvent(f, &TGradientForm::Key);
    f->Show();
    ok->SetFocus();
    PostMessageA(ok->Handle(), WM_KEYDOWN, VK_SPACE, 1);
    Application->ProcessMessages();
    ExpectFrame(ok, bcsDown);
    PostMessageA(ok->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    Application->ProcessMessages();
    EXPECT_EQ(f->ResultAtClick.size(), 2u);
    EXPECT_EQ(f->ModalResult(), mrYes);
    PressKey('A');
    EXPECT_EQ(f->ResultAtClick.size(), 2u);
    EXPECT_FALSE(f->KeyEvents);
    TypeChar('o', true);  // the accelerator of "&OK"
    EXPECT_EQ(f->ResultAtClick.size(), 3u);
    // Return on the focused button under the pointer clicks it and ends the hot look.
    ok->Perform(CM_MOUSEENTER);
    PressKey(VK_RETURN);
    EXPECT_EQ(f->ResultAtClick.size(), 4u);
    ExpectFrame(ok, bcsNormal);
    PressKey(VK_TAB);  // dialog keys still move the focus
    EXPECT_EQ(GetFocus(), f->NameEdit->Handle());
    // Losing the focus ends a press.
    ok->SetFocus();
    PostMessageA(ok->Handle(), WM_KEYDOWN, VK_SPACE, 1);
    Application->ProcessMessages();
    f->NameEdit->SetFocus();
    ExpectFrame(ok, bcsNormal);

    // Escape with Shift held, or for a disabled cancel button, clicks nothing; nor does Escape
    // reach the default button, nor Return or the accelerator a disabled or hidden one.
    f->SetModalResult(mrNone);
    {
        THeldKey shift(VK_SHIFT);
        PressKey(VK_ESCAPE);
    }
    f->CancelButton->SetEnabled(false);
    PressKey(VK_ESCAPE);
    f->CancelButton->SetCancel(false);
    f->CancelButton->SetEnabled(true);
    PressKey(VK_ESCAPE);
    ok->SetEnabled(false);
    PressKey(VK_RETURN);
    TypeChar('o', true);
    ok->SetEnabled(true);
    ok->Hide();
    PressKey(VK_RETURN);
    EXPECT_EQ(f->ResultAtClick.size(), 4u);
    EXPECT_EQ(f->ModalResult(), mrNone);
    f->Free();
}

TEST_F(GradientButtonTest, FormFilesSetPropertiesByNameAndTheSchemeOverridesStoredColours)
{
    auto* f = new TGradientForm(nullptr);
    TGradientButton* ok = f->OkButton;
    EXPECT_EQ(ok->Caption(), "&OK");
    EXPECT_EQ(ok->Cursor(), crHandPoint);
    EXPECT_EQ(ok->Hint(), "Confirm|Closes the form");
    EXPECT_EQ(ok->Font()->Name(), "Arial");
    EXPECT_EQ(ok->ColorScheme(), csNeoSky);
    EXPECT_EQ(Col(ok, bcsNormal, bcrFace), 0xFFEEDD);  // ColorFace = clRed came first
    EXPECT_TRUE(ok->Default());
    EXPECT_EQ(ok->ModalResult(), mrOk);
    TGradientButton* cancel = f->CancelButton;
    EXPECT_FALSE(cancel->TabStop());
    EXPECT_EQ(cancel->Layout(), blGlyphTop);
    EXPECT_EQ(cancel->Sound(), ssHealth);

    // Every colour has its name.
    const char* names[] = {"ColorFace", "OverColorGrad", "DownColorLight", "DisabledColorText", "ColorFocusRect"};
    const int indices[] = {0, 7, 15, 23, 24};
    for (int i = 0; i < 5; ++i) {
        SetPropText(cancel, names[i], IntToStr(0x010203 + i));
        EXPECT_EQ(cancel->Colors(indices[i]), 0x010203 + i) << names[i];
    }
    EXPECT_EQ(GetPropText(cancel, "ColorScheme"), "cscustom");
    SetPropText(cancel, "colorscheme", "CSNEOROSE");
    EXPECT_EQ(cancel->Colors(0), 0xE8E8FF);
    for (const char* p : {"Left", "Top", "Width", "Height", "Name", "Tag", "TabStop", "Enabled", "Font", "Caption",
                          "Cursor", "Hint", "Gradient", "HotTrack", "Glyph", "Ctl3D", "UseSound", "Cancel"})
        EXPECT_TRUE(HasProp(cancel, p)) << p;
    f->Free();
}

TEST_F(GradientButtonTest, TheModuleCarriesFourShortMonoWaveSounds)
{
    HMODULE module = GetModuleHandleA(nullptr);
    for (int id = 1; id <= 4; ++id) {
        HRSRC r = FindResourceA(module, MAKEINTRESOURCEA(id), "WAVE");
        ASSERT_NE(r, nullptr) << id;
        auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, r)));
        DWORD size = SizeofResource(module, r);
        ASSERT_GT(size, 44u);
        EXPECT_EQ(std::memcmp(data, "RIFF", 4), 0);
        EXPECT_EQ(std::memcmp(data + 8, "WAVEfmt ", 8), 0);
        EXPECT_EQ(data[20] | data[21] << 8, 1) << "PCM";
        EXPECT_EQ(data[22] | data[23] << 8, 1) << "mono";
        EXPECT_LT(size, 64u * 1024);
    }
    auto* b = new TGradientButton(nullptr);
    for (int s = -1; s <= 4; ++s)
        EXPECT_NO_THROW(b->PlaySchemeSound(static_cast<TSoundScheme>(s)));
    PlaySoundA(nullptr, nullptr, 0);
    b->Free();
}

}  // namespace

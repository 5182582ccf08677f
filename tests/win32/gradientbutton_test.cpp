// The gradient button on real windows: colour schemes, painting per state, glyph and caption
// layout, hot tracking, the click rule, keys in a modal form, properties by name, the sounds.
#include <cstring>
#include <memory>

#include "gradientbutton.h"
#include "guitest.h"
#include "stdctrls.h"
#include "timer.h"

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
    int Clicks = 0;
    std::vector<TSoundScheme> Played;
    void Click() override { ++Clicks; TGradientButton::Click(); }
    void PlaySchemeSound(TSoundScheme s) override { Played.push_back(s); }
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

// Border, top-left light line and bottom-right dark line of a 75 x 25 button in one colour set.
void ExpectFrame(TGradientButton* b, TButtonColorSet set)
{
    auto s = Shot(b);
    EXPECT_EQ(At(s, 0, 0), Col(b, set, bcrBorder));
    EXPECT_EQ(At(s, 1, 12), Col(b, set, bcrLight));
    EXPECT_EQ(At(s, 73, 12), Col(b, set, bcrDark));
    EXPECT_EQ(At(s, 37, 23), Col(b, set, bcrDark));
}

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
    struct {
        TColorScheme Scheme;
        TColor Face, Grad, DownLight, DisabledFace, OverBorder, FocusRect;
    } const rows[] = {
        {csNeoDesert, 0xC6ECFF, 0x37BEFF, 0x0077B7, 0xEEEEEE, 0x005680, 0x4080FF},
        {csNeoSky, 0xFFEEDD, 0xFFB66C, 0xFF9E3E, 0xEEEEEE, 0xB35900, 0xFFA953},
        {csNeoGrass, 0xDDF9E8, 0x5EDF8E, 0x177D3E, 0xEEEEEE, 0x17793D, 0x24B95C},
        {csNeoSilver, 0xF3F3F3, 0xBCBCBC, 0x7C7C7C, 0xEEEEEE, 0x757575, 0xADADAD},
        {csNeoRose, 0xE8E8FF, 0x9595FF, 0x5E5EFF, 0xEEEEEE, 0x00009D, 0x5E5EFF},
        {csNeoSun, 0xF0FFFF, 0x20D8F9, 0x008484, 0xEEEEEE, 0x006464, 0x00BBBB},
        {csDesert, 0x95DDFF, -1, 0x0077B7, 0xE2E2E2, 0x005680, 0x4080FF},
        {csGrass, 0x98EBB7, -1, 0x177D3E, 0xE2E2E2, 0x17793D, 0x00A421},
        {csSky, 0xFFE0C1, -1, 0xFF9122, 0xE2E2E2, 0xB35900, 0xDC9B14},
        {csSun, 0xA8FFFF, -1, 0x008484, 0xE2E2E2, 0x006464, 0x008CF4},
        {csRose, 0xC6C6FF, -1, 0x5E5EFF, 0xE2E2E2, 0x00009D, 0x5E5EFF},
        {csSilver, 0xE0E0E0, -1, 0x7C7C7C, 0xE2E2E2, 0x757575, 0x8A8A8A},
    };
    auto* b = new TGradientButton(nullptr);
    // A new button: csNeoDesert with the gradient on, but white hot and down gradient ends.
    EXPECT_EQ(b->ColorScheme(), csNeoDesert);
    EXPECT_TRUE(b->Gradient());
    EXPECT_EQ(Col(b, bcsOver, bcrGrad), clWhite);
    EXPECT_EQ(Col(b, bcsDown, bcrGrad), clWhite);
    for (const auto& r : rows) {
        SCOPED_TRACE(ColorSchemeInfo.Names[r.Scheme]);
        b->SetColorScheme(csNeoSilver);
        b->SetColor(ButtonColorIndex(bcsNormal, bcrGrad), 0x123456);
        b->SetColorScheme(r.Scheme);
        EXPECT_EQ(b->ColorScheme(), r.Scheme);
        EXPECT_EQ(b->Gradient(), r.Grad != -1);
        EXPECT_EQ(Col(b, bcsNormal, bcrFace), r.Face);
        EXPECT_EQ(Col(b, bcsNormal, bcrGrad), r.Grad == -1 ? 0x123456 : r.Grad);  // plain: left as it was
        EXPECT_EQ(Col(b, bcsDown, bcrLight), r.DownLight);
        EXPECT_EQ(Col(b, bcsDisabled, bcrFace), r.DisabledFace);
        EXPECT_EQ(Col(b, bcsOver, bcrBorder), r.OverBorder);
        EXPECT_EQ(b->Colors(FocusRectColorIndex), r.FocusRect);
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
    PostMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(10, 10));
    PumpFor(20);
    ExpectFrame(b, bcsDown);
    EXPECT_EQ(At(Shot(b), 3, 12), b->Colors(FocusRectColorIndex));  // the press took the focus
    b->SetEnabled(false);
    ExpectFrame(b, bcsDisabled);
    b->SetEnabled(true);

    // The window shows what PaintTo composes, and a setter repaints it.
    f->Repaint();
    HDC dc = GetDC(b->Handle());
    auto now = Shot(b);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 10, 5)), At(now, 10, 5));
    TColor before = static_cast<TColor>(GetPixel(dc, 0, 0));
    EXPECT_EQ(before, At(now, 0, 0));
    b->SetColorScheme(csSky);
    PumpFor(30);
    EXPECT_NE(static_cast<TColor>(GetPixel(dc, 0, 0)), before);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 0, 0)), At(Shot(b), 0, 0));
    ReleaseDC(b->Handle(), dc);

    // A plain scheme is flat; without Ctl3D the face reaches the border.
    b->Perform(CM_MOUSELEAVE);
    b->SetCtl3D(false);
    s = Shot(b);
    for (TPoint p : {TPoint(10, 2), TPoint(10, 20), TPoint(1, 12)})
        EXPECT_EQ(At(s, p.x, p.y), Col(b, bcsNormal, bcrFace));
    // Gradient ends that are system colours are stepped as RGB.
    TBitmap bmp(4, 10);
    TGradientButton::GradientFill(bmp.Canvas(), TRect(0, 0, 4, 10), clBtnFace, clBlack);
    EXPECT_EQ(PixelToColor(bmp.PixelBuffer().At(2, 0)), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_TRUE(Near(PixelToColor(bmp.PixelBuffer().At(2, 9)), clBlack, 30));
    f->Free();
}

TEST_F(GradientButtonTest, GlyphAndCaptionArePlacedPerLayoutAndShiftWhenPressed)
{
    // 75 x 25, caption 40 x 13, glyph 16 x 16 on the left, spacing 4: 4 pixels between them.
    TGlyphPlacement p = PlaceGlyphAndCaption(75, 25, {40, 13}, {16, 16}, blGlyphLeft, 4, false);
    EXPECT_EQ(p.Glyph, TPoint(7, 4));
    EXPECT_EQ(p.Text, TRect(27, 6, 67, 19));
    p = PlaceGlyphAndCaption(75, 25, {40, 13}, {15, 16}, blGlyphLeft, 4, false);
    EXPECT_EQ(p.Text.left - (p.Glyph.x + 15), 3);  // an odd glyph on the left sits one closer
    p = PlaceGlyphAndCaption(75, 25, {40, 13}, {15, 16}, blGlyphRight, 4, false);
    EXPECT_EQ(p.Glyph.x - p.Text.right, 4);
    p = PlaceGlyphAndCaption(75, 60, {40, 13}, {16, 15}, blGlyphTop, 4, false);
    EXPECT_EQ(p.Text.top - (p.Glyph.y + 15), 4);
    p = PlaceGlyphAndCaption(75, 60, {40, 13}, {16, 15}, blGlyphBottom, 4, true);
    EXPECT_EQ(p.Glyph.y - p.Text.bottom, 4);
    EXPECT_EQ(p.Glyph.x, 30);  // (75 - 16) / 2, plus one for the press
    // No caption: the glyph sits in the middle without spacing.
    p = PlaceGlyphAndCaption(75, 25, {0, 0}, {16, 16}, blGlyphLeft, 10, false);
    EXPECT_EQ(p.Glyph, TPoint(29, 4));

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
    auto light = [&] { return At(Shot(b), 1, 12); };
    SetCursorPos(40 + 30, 40 + 30);
    EXPECT_TRUE(PumpUntil([&] { return light() == Col(b, bcsOver, bcrLight); }, 1000));
    SetCursorPos(1200, 1000);
    EXPECT_TRUE(PumpUntil([&] { return light() == Col(b, bcsNormal, bcrLight); }, 1000));
    EXPECT_EQ(b->Played, std::vector<TSoundScheme>{ssFire});

    // Pressed, left (normal colours) and entered again while held: down again.
    PostMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(10, 10));
    PumpFor(20);
    b->Perform(CM_MOUSELEAVE);
    ExpectFrame(b, bcsNormal);
    b->Perform(CM_MOUSEENTER);
    ExpectFrame(b, bcsDown);
    // Released outside: no click, and the capture is gone.
    PostMessageA(b->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MakeMsgPoint(200, 10));
    PostMessageA(b->Handle(), WM_LBUTTONUP, 0, MakeMsgPoint(200, 10));
    PumpFor(20);
    EXPECT_EQ(b->Clicks, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    // Dragged out and back in before the release: a click, which ends in the normal look.
    PostMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(10, 10));
    PostMessageA(b->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MakeMsgPoint(-30, 10));
    PostMessageA(b->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MakeMsgPoint(12, 10));
    PostMessageA(b->Handle(), WM_LBUTTONUP, 0, MakeMsgPoint(12, 10));
    PumpFor(20);
    EXPECT_EQ(b->Clicks, 1);
    ExpectFrame(b, bcsNormal);

    // Without hot tracking entering changes nothing and plays nothing.
    size_t played = b->Played.size();
    b->SetHotTrack(false);
    b->Perform(CM_MOUSEENTER);
    ExpectFrame(b, bcsNormal);
    EXPECT_EQ(b->Played.size(), played);
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

    // Space on the focused button: down while held, a click on release, no key events.
    f->OkButton->SetModalResult(mrYes);
    f->OkButton->OnKeyDown = TKeyEvent(f, &TGradientForm::Key);
    f->Show();
    f->OkButton->SetFocus();
    PostMessageA(f->OkButton->Handle(), WM_KEYDOWN, VK_SPACE, 1);
    PumpFor(20);
    ExpectFrame(f->OkButton, bcsDown);
    PostMessageA(f->OkButton->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    PumpFor(20);
    EXPECT_EQ(f->ResultAtClick.size(), 2u);
    EXPECT_EQ(f->ModalResult(), mrYes);
    EXPECT_FALSE(f->KeyEvents);
    TypeChar('o', true);  // the accelerator of "&OK"
    EXPECT_EQ(f->ResultAtClick.size(), 3u);

    // Escape is not the default button's key; a disabled or hidden one ignores Return.
    f->SetModalResult(mrNone);
    f->NameEdit->SetFocus();
    f->CancelButton->SetCancel(false);
    PressKey(VK_ESCAPE);
    f->OkButton->SetEnabled(false);
    PressKey(VK_RETURN);
    f->OkButton->SetEnabled(true);
    f->OkButton->Hide();
    PressKey(VK_RETURN);
    EXPECT_EQ(f->ResultAtClick.size(), 3u);
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

#pragma once
// What the control-skin tests share: a shown test form with a skin data component and a skinned
// form attached to it (frame left native), a skin of solid-coloured strips whose frames tell
// apart at a glance, the theme skins, and pixels of a control skin painted into a memory DC.
#include <memory>

#include "guitest.h"
#include "skincontrol.h"
#include "skindata.h"
#include "skinform.h"
#include "skinmessages.h"
#include "themeskins.h"

// Frame colours of the strip skin: button frames 1 to 5, check frames 1 to 4, radio frames 1 to 4.
inline constexpr TColor StripButton[5] = {0x00102030, 0x00204060, 0x00306090, 0x004080C0, 0x0050A0F0};
inline constexpr TColor StripCheck[4] = {0x00600000, 0x00006000, 0x00000060, 0x00606000};
inline constexpr TColor StripRadio[4] = {0x00900000, 0x00009000, 0x00000090, 0x00909000};
inline constexpr TColor StripFace = 0x00336699;

// A strip of `count` frames of w x h, frame i filled with colours[i].
inline void FillStrip(TBitmap& b, int count, int w, int h, const TColor* colours)
{
    b.SetSize(w * count, h);
    for (int i = 0; i < count; ++i) {
        b.Canvas()->Brush()->SetColor(colours[i]);
        b.Canvas()->FillRect(Bounds(w * i, 0, w, h));
    }
}

class SkinControlsTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Form = NewTestForm(480, 360);
        Form->Show();
        Data = new TSkinData(Form);
        // The frame stays native: only the controls are skinned here.
        Data->SetSkinControls(DefaultSkinControls - TSkinControlTypes{xcMainMenu});
    }
    void TearDown() override
    {
        if (SkinForm && SkinForm->Attached())
            SkinForm->Unskin();
        FreeAndNil(SkinForm);
        FreeAndNil(Form);
        GuiTest::TearDown();
    }

    // The skin of solid strips: five button frames, four check and four radio frames, a Tabs
    // object, the face colour and its brush.
    void UseStripSkin()
    {
        Data->FColors[scButtonFace] = StripFace;
        Data->FFaceBrush.Reset(CreateSolidBrush(StripFace));
        TDataSkinButton& b = *Data->FButtons;
        FillStrip(b.Bitmap, 5, 20, 20, StripButton);
        b.Frame = 5;
        b.Trans = 0;
        b.SetMargins(0, 0, 0, 0);
        FillStrip(b.CheckBitmap, 4, 13, 13, StripCheck);
        b.CheckButtonFrame = 4;
        FillStrip(b.RadioBitmap, 4, 13, 13, StripRadio);
        b.RadioButtonFrame = 4;
        Data->FTabs = std::make_unique<TDataSkinBorder>("Tabs");
    }
    // A theme skin read into the component (without starting the skin manager).
    void UseTheme(const char* file)
    {
        Data->FSkinStream.LoadFromFile(ThemeSkinPath(file));
        ASSERT_TRUE(Data->LoadSkinStore()) << "build the native build first: " << ThemeSkinPath(file);
    }
    // The skinned form on the test form.
    void AttachSkinForm()
    {
        SkinForm = new TSkinForm(nullptr);
        SkinForm->Window = Form->Handle();
        SkinForm->AttachForm(Data, Form);
    }
    void SkinAll()
    {
        if (!SkinForm)
            AttachSkinForm();
        SkinForm->SkinChildControls(Form);
    }

    // How many skins the form keeps for the control, and the first one.
    int SkinCount(const TControl* c) const
    {
        int n = 0;
        for (int i = 0; i < SkinForm->SkinControlCount(); ++i)
            n += SkinForm->SkinControls(i)->Control() == c;
        return n;
    }
    TSkinControl* SkinOf(const TControl* c) const { return SkinForm->FindSkinControl(c); }
    TSkinControl* SkinOf(HWND w) const { return SkinForm->FindSkinControl(w); }
    template <class T>
    T* SkinAs(const TControl* c) const
    {
        return As<T>(SkinOf(c));
    }

    // The skin painted into a memory DC of the window's size; the pixel there.
    static std::unique_ptr<TBitmap> Painted(TSkinControl* skin)
    {
        RECT r{};
        GetWindowRect(skin->Handle(), &r);
        auto b = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
        b->Canvas()->Brush()->SetColor(clWhite);
        b->Canvas()->FillRect(Rect(0, 0, b->Width(), b->Height()));
        skin->PaintControl(b->Canvas()->Handle());
        return b;
    }
    static TColor PixelAt(TSkinControl* skin, int x, int y) { return Painted(skin)->Canvas()->Pixels(x, y); }

    TForm* Form = nullptr;
    TSkinData* Data = nullptr;
    TSkinForm* SkinForm = nullptr;
};

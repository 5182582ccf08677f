#pragma once
// What the control-skin tests share: a shown borderless form with a skin data component (the
// frame left native) and the skinned-window object its control skins register with; a skin of
// solid-coloured strips whose frames tell apart at a glance, and the theme skins; skins from the
// control-skin table on real controls and windows; a step run from inside whatever loop handles
// the messages at the time; and the pixels the skins paint (into a memory bitmap, or on the
// screen).
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

#include "controlfactory.h"
#include "guitest.h"
#include "objinstance.h"
#include "pixeltest.h"
#include "skincontrol.h"
#include "skindata.h"
#include "skinform.h"
#include "skinmessages.h"
#include "stdctrls.h"
#include "themeskins.h"

// ---------------------------------------------------------------- the strip skin

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

// ---------------------------------------------------------------- theme skins and pixels

// A theme skin read into the component (without starting the skin manager): "default.skn" is
// "Standar", "macos.skn" "MacOS".
inline void LoadTheme(TSkinData* data, const char* file)
{
    ASSERT_NO_THROW(data->FSkinStream.LoadFromFile(ThemeSkinPath(file))) << "build the native build first";
    ASSERT_TRUE(data->LoadSkinStore()) << "build the native build first: " << ThemeSkinPath(file);
}

inline TColor PicturePixel(const TBitmap& picture, int x, int y) { return At(const_cast<TBitmap&>(picture), x, y); }
inline TColor Rgb(TColor c) { return static_cast<TColor>(ColorToRGB(c)); }


// The whole window as the skin draws it, on white; the pixel there.
inline std::unique_ptr<TBitmap> PaintedBy(TSkinControl* skin)
{
    RECT w{};
    GetWindowRect(skin->Handle(), &w);
    auto b = Filled(w.right - w.left, w.bottom - w.top, clWhite);
    skin->PaintControl(b->Canvas()->Handle());
    return b;
}
inline TColor PixelAt(TSkinControl* skin, int x, int y) { return PaintedBy(skin)->Canvas()->Pixels(x, y); }

// What a window paints into a bitmap of its client size, through WM_PAINT with a DC.
inline std::unique_ptr<TBitmap> Painted(HWND wnd, TColor background = clBlack)
{
    RECT r;
    GetClientRect(wnd, &r);
    auto b = Filled(r.right, r.bottom, background);
    SendMessageA(wnd, WM_PAINT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), 0);
    return b;
}

// The window as it shows on the screen after a full repaint. The screen under Wine shows a
// repaint a moment later: the picture is taken once it shows what the window's own context holds
// (or, for a window something covers, when two seconds have passed).
inline std::unique_ptr<TBitmap> ScreenOf(HWND wnd)
{
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpHandled();
    RECT w{};
    GetWindowRect(wnd, &w);
    auto grab = [&](HWND from, int x, int y) {
        auto b = std::make_unique<TBitmap>(w.right - w.left, w.bottom - w.top);
        HDC dc = from ? GetWindowDC(from) : GetDC(nullptr);
        BitBlt(b->Canvas()->Handle(), 0, 0, b->Width(), b->Height(), dc, x, y, SRCCOPY);
        ReleaseDC(from, dc);
        return b;
    };
    const std::unique_ptr<TBitmap> painted = grab(wnd, 0, 0);
    std::unique_ptr<TBitmap> shot;
    PumpUntil(
        [&] {
            shot = grab(nullptr, w.left, w.top);
            const auto& p = shot->PixelBuffer();
            return std::equal(p.Pixels, p.Pixels + shot->Width() * shot->Height(), painted->PixelBuffer().Pixels);
        },
        2000);
    return shot;
}

// Frame `state` of `count` of a strip, stretched to w x h over `background` with magenta left
// out, as the control skins draw their pieces.
inline std::unique_ptr<TBitmap> StripPiece(TBitmap* strip, int count, int state, int w, int h, TColor background)
{
    auto b = Filled(w, h, background);
    TSkinControl::DrawStripFrameMasked(b->Canvas()->Handle(), TRect(0, 0, w, h), count, state, strip);
    return b;
}

// The part of `painted` at (x, y) as large as `piece` equals it.
inline bool SameArea(TBitmap& painted, int x, int y, TBitmap& piece)
{
    for (int j = 0; j < piece.Height(); ++j)
        for (int i = 0; i < piece.Width(); ++i)
            if (At(painted, x + i, y + j) != At(piece, i, j))
                return false;
    return true;
}

// ---------------------------------------------------------------- events and message loops

// Counts a control's enter, exit and change events.
class TEventLog : public TObject {
public:
    void Enter(TObject*) { ++Enters; }
    void Exit(TObject*) { ++Exits; }
    void Change(TObject*) { ++Changes; }
    int Enters = 0, Exits = 0, Changes = 0;
};

// Runs a step from inside whatever loop handles the thread's messages at the time (a system
// tracking loop, a skin's drag loop).
class TPostedStep : public TObject {
public:
    TPostedStep() : FWnd(AllocateHWnd(TWndMethod(this, &TPostedStep::WndProc))) {}
    ~TPostedStep() override { DeallocateHWnd(FWnd); }
    void Post(std::function<void()> step)
    {
        FStep = std::move(step);
        PostMessageA(FWnd, WM_APP, 0, 0);
    }

private:
    void WndProc(TMessage& m)
    {
        if (m.Msg == WM_APP && FStep) {
            std::exchange(FStep, nullptr)();
            return;
        }
        m.Result = DefWindowProcA(FWnd, m.Msg, m.WParam, m.LParam);
    }
    HWND FWnd;
    std::function<void()> FStep;
};

// ---------------------------------------------------------------- the fixture

class ControlSkinTest : public GuiTest {
protected:
    // The test form's size, and the theme skin the data starts with (none: an empty skin).
    explicit ControlSkinTest(int formWidth = 480, int formHeight = 360, const char* theme = nullptr)
        : FFormWidth(formWidth), FFormHeight(formHeight), FTheme(theme)
    {
    }
    void SetUp() override
    {
        GuiTest::SetUp();
        Form = NewTestForm(FFormWidth, FFormHeight);
        Data = new TSkinData(Form);
        // The frame stays native: only the controls are skinned here.
        Data->SetSkinControls(DefaultSkinControls - TSkinControlTypes{xcMainMenu});
        if (FTheme)
            UseTheme(FTheme);
        Form->Show();
        SkinForm = NewSkinForm();
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
    void UseTheme(const char* file) { LoadTheme(Data, file); }
    // Another skin data component of the form, holding a theme skin.
    TSkinData* ThemeData(const char* file)
    {
        auto* data = new TSkinData(Form);
        LoadTheme(data, file);
        return data;
    }

    // The skinned-window object of a window, not attached: control skins register with it.
    TSkinForm* NewSkinForm(HWND window = nullptr)
    {
        auto* f = new TSkinForm(nullptr);
        f->Window = window ? window : Form->Handle();
        return f;
    }
    // The test form skinned (a test that freed the object gets a new one).
    void AttachSkinForm()
    {
        if (!SkinForm)
            SkinForm = NewSkinForm();
        SkinForm->AttachForm(Data, Form);
    }
    // Another window skinned instead, one without a toolkit form (a dialog).
    void AttachSkinWindow(HWND window)
    {
        FreeAndNil(SkinForm);
        SkinForm = NewSkinForm(window);
        SkinForm->AttachWindow(Data);
    }
    // Every control of the test form skinned through the dispatch.
    void SkinAll()
    {
        if (!SkinForm || !SkinForm->Attached())
            AttachSkinForm();
        SkinForm->SkinChildControls(Form);
    }

    // A skin of the table on a toolkit control (owned by it), or on a window (owned by the
    // skinned-window object).
    template <class T>
    T* SkinControl(TSkinKind kind, TWinControl* control, bool setColor = false)
    {
        auto* skin = static_cast<T*>(NewControlSkin(kind, control));
        skin->InitControl(SkinForm, Data, SkinForm->WorkCanvas(), setColor);
        return skin;
    }
    template <class T>
    T* SkinWindow(TSkinKind kind, HWND wnd)
    {
        auto* skin = static_cast<T*>(NewControlSkin(kind, SkinForm));
        skin->InitHandle(wnd, Data, SkinForm, SkinForm->WorkCanvas());
        return skin;
    }
    HWND RawChild(const char* cls, DWORD style, int x, int y, int w, int h, const char* text = "")
    {
        return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, Form->Handle(), nullptr,
                               nullptr, nullptr);
    }

    // How many skins the skinned-window object keeps for the control, and the first one.
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

    // An opaque red windowless label on a control: it shows whether the control's windowless
    // children are drawn.
    TLabel* RedLabel(TWinControl* parent, int l, int t, int w, int h)
    {
        auto* label = new TLabel(Form);
        label->SetParent(parent);
        label->SetBounds(l, t, w, h);
        label->SetTransparent(false);
        label->SetColor(clRed);
        return label;
    }

    TColor Face() const { return Rgb(Data->FColors[scButtonFace]); }
    TColor Shadow() const { return Rgb(Data->FColors[scButtonShadow]); }

    TForm* Form = nullptr;
    TSkinData* Data = nullptr;
    TSkinForm* SkinForm = nullptr;

private:
    int FFormWidth, FFormHeight;
    const char* FTheme;
};

#pragma once
// A borderless test form with a loaded theme skin and the skinned-window object its control
// skins register with, and pixel helpers for what the skins paint.
#include <functional>
#include <memory>
#include <utility>

#include "guitest.h"
#include "objinstance.h"
#include "skindata.h"
#include "skincontrol.h"
#include "skinform.h"
#include "themeskins.h"

class SkinControlTest : public GuiTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // A skin data component of the form, holding the theme skin of that file.
    TSkinData* LoadTheme(const char* file);

    TForm* Form = nullptr;
    TSkinData* Data = nullptr;
    TSkinForm* SkinForm = nullptr;
};

// Runs a step from inside whatever loop handles the thread's messages at the time.
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

TColor PixelAt(TBitmap& b, int x, int y);
// What a window paints into a bitmap of its client size, through WM_PAINT with a DC.
std::unique_ptr<TBitmap> Painted(HWND wnd, TColor background = clBlack);
// Frame `state` of `count` of a strip, stretched to w x h over `background` with magenta left
// out, as the control skins draw their pieces.
std::unique_ptr<TBitmap> StripPiece(TBitmap* strip, int count, int state, int w, int h, TColor background);
// The part of `painted` at (x, y) as large as `piece` equals it.
bool SameArea(TBitmap& painted, int x, int y, TBitmap& piece);


inline void SkinControlTest::SetUp()
{
    GuiTest::SetUp();
    Form = NewTestForm(520, 360);
    Data = LoadTheme("default.skn");
    SkinForm = new TSkinForm(nullptr);
    SkinForm->Window = Form->Handle();
    Form->Show();
}

inline void SkinControlTest::TearDown()
{
    SkinForm->Free();
    Form->Free();
    GuiTest::TearDown();
}

inline TSkinData* SkinControlTest::LoadTheme(const char* file)
{
    auto* data = new TSkinData(Form);
    data->SetSkinFile(ThemeSkinPath(file));
    EXPECT_FALSE(data->FSkinEmpty) << "build the native build first: " << ThemeSkinPath(file);
    return data;
}

inline TColor PixelAt(TBitmap& b, int x, int y) { return PixelToColor(b.PixelBuffer().At(x, y)); }

inline std::unique_ptr<TBitmap> Painted(HWND wnd, TColor background)
{
    RECT r;
    GetClientRect(wnd, &r);
    auto b = std::make_unique<TBitmap>(r.right, r.bottom);
    b->Canvas()->Brush()->SetColor(background);
    b->Canvas()->FillRect(TRect(0, 0, r.right, r.bottom));
    SendMessageA(wnd, WM_PAINT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), 0);
    return b;
}

inline std::unique_ptr<TBitmap> StripPiece(TBitmap* strip, int count, int state, int w, int h, TColor background)
{
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas()->Brush()->SetColor(background);
    b->Canvas()->FillRect(TRect(0, 0, w, h));
    TSkinControl::DrawStripFrameMasked(b->Canvas()->Handle(), TRect(0, 0, w, h), count, state, strip);
    return b;
}

inline bool SameArea(TBitmap& painted, int x, int y, TBitmap& piece)
{
    for (int j = 0; j < piece.Height(); ++j)
        for (int i = 0; i < piece.Width(); ++i)
            if (PixelAt(painted, x + i, y + j) != PixelAt(piece, i, j))
                return false;
    return true;
}

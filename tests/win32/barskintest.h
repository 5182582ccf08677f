#pragma once
// What the scroll-bar, header and combo-box skin tests share: a shown borderless form with a
// theme skin and the skinned-window object its control skins register with, a step run from
// inside whatever loop handles the messages at the time, and pixels of what the skins paint.
#include <functional>
#include <memory>
#include <utility>

#include "guitest.h"
#include "objinstance.h"
#include "pixeltest.h"
#include "skincontrol.h"
#include "skindata.h"
#include "skinform.h"
#include "themeskins.h"

class BarSkinTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Form = NewTestForm(520, 360);
        Data = LoadTheme("default.skn");
        SkinForm = new TSkinForm(nullptr);
        SkinForm->Window = Form->Handle();
        Form->Show();
    }
    void TearDown() override
    {
        SkinForm->Free();
        Form->Free();
        GuiTest::TearDown();
    }
    // A skin data component of the form holding the theme skin of that file.
    TSkinData* LoadTheme(const char* file)
    {
        auto* data = new TSkinData(Form);
        data->SetSkinFile(ThemeSkinPath(file));
        EXPECT_FALSE(data->FSkinEmpty) << "build the native build first: " << ThemeSkinPath(file);
        return data;
    }

    TForm* Form = nullptr;
    TSkinData* Data = nullptr;
    TSkinForm* SkinForm = nullptr;
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

// What a window paints into a bitmap of its client size, through WM_PAINT with a DC.
inline std::unique_ptr<TBitmap> Painted(HWND wnd, TColor background = clBlack)
{
    RECT r;
    GetClientRect(wnd, &r);
    auto b = Filled(r.right, r.bottom, background);
    SendMessageA(wnd, WM_PAINT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), 0);
    return b;
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

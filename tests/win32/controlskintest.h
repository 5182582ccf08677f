#pragma once
// What the control-skin tests share: a shown form whose skin data holds "Standar", a
// skinned-window object for it, skins from the control-skin table on real controls and
// windows, and the pixels they paint (into a memory bitmap, or on the screen).
#include <windows.h>

#include <memory>

#include "controlfactory.h"
#include "guitest.h"
#include "pixeltest.h"
#include "skincontrol.h"
#include "skindata.h"
#include "skinform.h"
#include "themeskins.h"

inline TColor PicturePixel(const TBitmap& picture, int x, int y) { return At(const_cast<TBitmap&>(picture), x, y); }
inline TColor Rgb(TColor c) { return static_cast<TColor>(ColorToRGB(c)); }

// How many pixels of a colour a rectangle of the bitmap holds.
inline int CountOf(TBitmap& b, const RECT& r, TColor c)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += At(b, x, y) == c;
    return n;
}

// "default.skn" is "Standar", "macos.skn" "MacOS".
inline void LoadTheme(TSkinData* data, const char* file)
{
    ASSERT_NO_THROW(data->FSkinStream.LoadFromFile(ThemeSkinPath(file))) << "build the native build first";
    ASSERT_TRUE(data->LoadSkinStore());
}

// The whole window as the skin draws it, on white.
inline std::unique_ptr<TBitmap> PaintedBy(TSkinControl* skin)
{
    RECT w{};
    GetWindowRect(skin->Handle(), &w);
    auto b = Filled(w.right - w.left, w.bottom - w.top, clWhite);
    skin->PaintControl(b->Canvas()->Handle());
    return b;
}

// The window as it shows on the screen after a full repaint.
inline std::unique_ptr<TBitmap> ScreenOf(HWND wnd)
{
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(20);
    RECT w{};
    GetWindowRect(wnd, &w);
    auto b = std::make_unique<TBitmap>(w.right - w.left, w.bottom - w.top);
    HDC screen = GetDC(nullptr);
    BitBlt(b->Canvas()->Handle(), 0, 0, b->Width(), b->Height(), screen, w.left, w.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return b;
}

// Counts a control's enter, exit and change events.
class TEventLog : public TObject {
public:
    void Enter(TObject*) { ++Enters; }
    void Exit(TObject*) { ++Exits; }
    void Change(TObject*) { ++Changes; }
    int Enters = 0, Exits = 0, Changes = 0;
};

class ControlSkinTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Form = NewTestForm(360, 260);
        Form->SetColor(clBtnFace);
        Data = new TSkinData(Form);
        LoadTheme(Data, "default.skn");
        Form->Show();
        SkinForm = new TSkinForm(nullptr);
        SkinForm->Window = Form->Handle();
    }
    void TearDown() override
    {
        FreeAndNil(SkinForm);
        FreeAndNil(Form);
        GuiTest::TearDown();
    }
    // A skin on a toolkit control (owned by it), or on a window (owned by the skinned form).
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
    TColor Face() const { return Rgb(Data->FColors[scButtonFace]); }
    TColor Shadow() const { return Rgb(Data->FColors[scButtonShadow]); }

    TForm* Form = nullptr;
    TSkinData* Data = nullptr;
    TSkinForm* SkinForm = nullptr;
};

#pragma once
// What the control-skin tests share: a shown test form with a theme skin loaded into its skin
// data and a skinned-window object for it, skins made from the control-skin table and attached
// to real controls and windows, and pixels read back from memory bitmaps and from the screen.
#include <windows.h>

#include <memory>

#include "controlfactory.h"
#include "guitest.h"
#include "pixeltest.h"
#include "skincontrol.h"
#include "skindata.h"
#include "skinform.h"
#include "themeskins.h"

// A pixel of a skin picture.
inline TColor PicturePixel(const TBitmap& picture, int x, int y) { return At(const_cast<TBitmap&>(picture), x, y); }

inline TColor Rgb(TColor c) { return static_cast<TColor>(ColorToRGB(c)); }

// Loads a theme skin ("default.skn" is "Standar", "macos.skn" "MacOS") into the data.
inline void LoadTheme(TSkinData* data, const char* file)
{
    const String path = ThemeSkinPath(file);
    ASSERT_NO_THROW(data->FSkinStream.LoadFromFile(path)) << "build the native build first: " << path;
    ASSERT_TRUE(data->LoadSkinStore());
    ASSERT_FALSE(data->FSkinEmpty);
}

// A bitmap of the window's size, white, into which the skin paints the whole window.
inline std::unique_ptr<TBitmap> PaintedBy(TSkinControl* skin)
{
    RECT w{};
    GetWindowRect(skin->Handle(), &w);
    auto b = Filled(w.right - w.left, w.bottom - w.top, clWhite);
    skin->PaintControl(b->Canvas()->Handle());
    return b;
}

// The window as it shows on the screen now (after its pending paints).
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

// A shown borderless form with skin data holding "Standar" and a skinned-window object of its
// window, as the dispatch hands them to the control skins.
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
        PumpFor(20);
    }
    void TearDown() override
    {
        FreeAndNil(SkinForm);
        FreeAndNil(Form);
        GuiTest::TearDown();
    }

    // A skin of the kind on a toolkit control (owned by it).
    template <class T>
    T* SkinControl(TSkinKind kind, TWinControl* control, bool setColor = false)
    {
        auto* skin = static_cast<T*>(NewControlSkin(kind, control));
        skin->InitControl(SkinForm, Data, SkinForm->WorkCanvas(), setColor);
        return skin;
    }
    // A skin of the kind on a window known by its handle (owned by the skinned form).
    template <class T>
    T* SkinWindow(TSkinKind kind, HWND wnd)
    {
        auto* skin = static_cast<T*>(NewControlSkin(kind, SkinForm));
        skin->InitHandle(wnd, Data, SkinForm, SkinForm->WorkCanvas());
        return skin;
    }
    // A child window of the form of a system class.
    HWND RawChild(const char* cls, DWORD style, int x, int y, int w, int h, const char* text = "")
    {
        return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, Form->Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    TColor Face() const { return Rgb(Data->FColors[scButtonFace]); }
    TColor Shadow() const { return Rgb(Data->FColors[scButtonShadow]); }

    TForm* Form = nullptr;
    TSkinData* Data = nullptr;
    TSkinForm* SkinForm = nullptr;
};

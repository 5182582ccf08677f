// The control skins' drawing helpers, drawn into memory bitmaps and read back pixel by pixel;
// the standard paint and erase handling on a real window; what the toolkit lends them to draw with
// (borrowed brushes and fonts, the windowless children of a control).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>

#include "controldraw.h"
#include "guitest.h"
#include "pixeltest.h"
#include "skincontrol.h"
#include "skindata.h"
#include "skinform.h"
#include "stdctrls.h"

namespace {

std::unique_ptr<TBitmap> White(int w, int h) { return Filled(w, h, clWhite); }

// Two 10 x 10 frames: red, then blue with its two left columns magenta.
void FillStrip(TBitmap& b)
{
    b.SetSize(20, 10);
    Paint(b, Rect(0, 0, 10, 10), clRed);
    Paint(b, Rect(10, 0, 20, 10), clBlue);
    Paint(b, Rect(10, 0, 12, 10), clFuchsia);
}

// The box around every pixel that is not white; empty when there is none.
TRect Ink(TBitmap& b)
{
    TRect r(b.Width(), b.Height(), 0, 0);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (At(b, x, y) != clWhite) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

const TColor Shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW));

// A control skin that paints green, takes WM_PAINT and WM_ERASEBKGND the standard skin way,
// and whose enabled flag a test sets.
class TDrawSkin : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void SetEnabledFlag(bool v) { FEnabled = v; }
    bool BeforeProc(TMessage& m) override
    {
        if (m.Msg == WM_PAINT) {
            PaintFromMessage(m);
            return false;
        }
        if (m.Msg == WM_ERASEBKGND) {
            EraseBackground(m);
            return false;
        }
        return TSkinControl::BeforeProc(m);
    }
    void DrawControl(HDC dc, const TRect& r) override
    {
        ++Draws;
        FillSolidRect(dc, r, clLime);
    }
    int Draws = 0;
};

class TColorBox : public TGraphicControl {
public:
    TColorBox(TComponent* owner, TColor c) : TGraphicControl(owner), FColor(c) {}

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(FColor);
        Canvas()->FillRect(ClientRect());
    }

private:
    TColor FColor;
};

using ControlDrawTest = GuiTest;

}  // namespace

TEST(ControlDraw, SkinPartNineSlicedOpaqueOrKeyed)
{
    TDataSkinObject object("Buttons");
    FillStrip(object.Bitmap);
    object.Frame = 2;
    auto target = White(40, 20);
    HDC dc = target->Canvas()->Handle();
    TSkinControl::DrawSkinPart(dc, Rect(5, 5, 25, 15), 2, 2, &object);
    EXPECT_EQ(At(*target, 5, 10), clFuchsia);  // Trans 0: magenta copied as it is
    EXPECT_EQ(At(*target, 20, 10), clBlue);
    EXPECT_EQ(At(*target, 4, 10), clWhite);
    EXPECT_EQ(At(*target, 25, 10), clWhite);
    object.Tile = 1;  // the frame repeated at its own size, not stretched
    TSkinControl::DrawSkinPart(dc, Rect(5, 5, 25, 15), 2, 2, &object);
    EXPECT_EQ(At(*target, 15, 10), clFuchsia);
    object.Tile = 0;

    object.Trans = 1;
    target = White(40, 20);
    dc = target->Canvas()->Handle();
    TSkinControl::DrawSkinPart(dc, Rect(5, 5, 25, 15), 2, 2, &object);
    EXPECT_EQ(At(*target, 5, 10), clWhite);
    EXPECT_EQ(At(*target, 20, 10), clBlue);

    // Absent object, empty picture, inverted rectangle, no frames: nothing, or frame 1.
    target = White(40, 20);
    dc = target->Canvas()->Handle();
    TSkinControl::DrawSkinPart(dc, Rect(5, 5, 25, 15), 2, 2, nullptr);
    TSkinControl::DrawSkinPart(dc, Rect(25, 5, 5, 15), 2, 2, &object);
    TDataSkinObject empty("Empty");
    TSkinControl::DrawSkinPart(dc, Rect(5, 5, 25, 15), 2, 2, &empty);
    EXPECT_TRUE(Ink(*target).Empty());
    TSkinControl::DrawSkinPart(dc, Rect(5, 5, 25, 15), 0, 1, &object);
    EXPECT_EQ(At(*target, 6, 10), clRed);
}

TEST(ControlDraw, StripFramesStretchedWithMagentaLeftOut)
{
    TBitmap strip;
    FillStrip(strip);
    using Draw = std::function<void(TBitmap&, const TRect&, int, int, TBitmap*)>;
    const Draw members[] = {
        [](TBitmap& t, const TRect& r, int n, int s, TBitmap* b) {
            TSkinControl::DrawStripFrameKeyed(t.Canvas()->Handle(), r, n, s, b);
        },
        [](TBitmap& t, const TRect& r, int n, int s, TBitmap* b) {
            TSkinControl::DrawStripFrameToCanvas(t.Canvas(), r, n, s, b);
        },
        [](TBitmap& t, const TRect& r, int n, int s, TBitmap* b) {
            TSkinControl::DrawStripFrameMasked(t.Canvas()->Handle(), r, n, s, b);
        },
    };
    for (size_t i = 0; i < std::size(members); ++i) {
        SCOPED_TRACE(i);
        auto target = White(40, 20);
        members[i](*target, Rect(5, 5, 25, 15), 2, 2, &strip);
        EXPECT_EQ(At(*target, 5, 10), clWhite);
        EXPECT_EQ(At(*target, 8, 10), clWhite);
        EXPECT_EQ(At(*target, 9, 10), clBlue);
        EXPECT_EQ(At(*target, 24, 14), clBlue);
        EXPECT_EQ(At(*target, 25, 10), clWhite);
        // No frame count: the whole strip; a state past the strip: the last frame.
        target = White(40, 20);
        members[i](*target, Rect(5, 5, 25, 15), 0, 1, &strip);
        EXPECT_EQ(At(*target, 6, 10), clRed);
        EXPECT_EQ(At(*target, 15, 10), clWhite);
        EXPECT_EQ(At(*target, 20, 10), clBlue);
        target = White(40, 20);
        members[i](*target, Rect(5, 5, 25, 15), 2, 9, &strip);
        EXPECT_EQ(At(*target, 20, 10), clBlue);
        // Nothing to draw from or into.
        target = White(40, 20);
        members[i](*target, Rect(5, 5, 25, 15), 2, 1, nullptr);
        members[i](*target, Rect(25, 5, 5, 15), 2, 1, &strip);
        EXPECT_TRUE(Ink(*target).Empty());
    }
}

TEST(ControlDraw, CaptionAndSkinTextPlacementAndColour)
{
    TSkinControl skin(nullptr);
    const TRect r(0, 0, 200, 40);
    auto draw = [&](UINT alignment, bool enabled) {
        auto target = White(200, 40);
        target->Canvas()->Font()->SetColor(clBlack);
        skin.DrawCaptionText(target->Canvas(), r, L"MMMM", enabled, alignment);
        return target;
    };
    auto centred = draw(DT_CENTER, true);
    const TRect c = Ink(*centred);
    EXPECT_NEAR((c.left + c.right) / 2.0, 100, 3);
    EXPECT_NEAR((c.top + c.bottom) / 2.0, 19, 3);  // a pixel above the middle
    EXPECT_GT(Ink(*draw(DT_RIGHT, true)).right, 190);
    EXPECT_LT(Ink(*draw(0, true)).left, 5);
    auto disabled = draw(DT_CENTER, false);
    EXPECT_TRUE(HasPixel(*disabled, Shadow));
    EXPECT_FALSE(HasPixel(*disabled, clBlack));

    // Menu-bar text: centred whatever the alignment.
    auto grey = White(200, 40);
    DrawSkinText(grey->Canvas(), r, L"MMMM", 1, false);
    const TRect t = Ink(*grey);
    EXPECT_NEAR((t.left + t.right) / 2.0, 100, 3);
    EXPECT_NEAR((t.top + t.bottom) / 2.0, 20, 3);
    EXPECT_TRUE(HasPixel(*grey, Shadow));
}

TEST(ControlDraw, GlyphBesideTheText)
{
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    TBitmap red(16, 16);
    Paint(red, Rect(0, 0, 16, 16), clRed);
    ASSERT_EQ(ImageList_Add(images, red.Handle(), nullptr), 0);
    TDrawSkin skin(nullptr);
    skin.SetEnabledFlag(true);
    auto draw = [&](const TRect& r, int index, const wchar_t* text, int alignment) {
        auto target = White(120, 40);
        target->Canvas()->Font()->SetColor(clBlack);
        skin.DrawGlyphAndText(target->Canvas(), r, images, index, text, alignment);
        return target;
    };
    auto left = draw(Rect(0, 0, 120, 30), 0, L"", 0);
    EXPECT_EQ(Ink(*left), Rect(3, 7, 19, 23));
    EXPECT_EQ(Ink(*draw(Rect(0, 0, 120, 30), 0, L"", 2)), Rect(102, 7, 118, 23));
    EXPECT_TRUE(Ink(*draw(Rect(0, 0, 120, 30), -1, L"", 0)).Empty());

    // With text: the glyph at the offset, the text right of it.
    auto both = draw(Rect(0, 0, 120, 30), 0, L"Ab", 0);
    EXPECT_EQ(At(*both, 10, 15), clRed);
    EXPECT_GT(Ink(*both).right, 25);
    EXPECT_TRUE(HasPixel(*both, clBlack));
    skin.SetEnabledFlag(false);
    EXPECT_TRUE(HasPixel(*draw(Rect(0, 0, 120, 30), -1, L"Ab", 0), Shadow));

    // An icon as wide as R gets no room but is still drawn at the offset, half-way down.
    EXPECT_EQ(Ink(*draw(Rect(0, 0, 16, 30), 0, L"", 0)), Rect(3, 15, 19, 31));
    ImageList_Destroy(images);
}

TEST(ControlDraw, ArrowLinesLeaveOutTheirEndPointsAndBitmapsCopy)
{
    auto target = White(20, 20);
    target->Canvas()->Pen()->SetColor(clBlack);
    DrawArrowGlyph(target->Canvas(), 10, 10, 0);
    for (auto [x, y] : {std::pair{10, 10}, {13, 13}, {7, 13}})
        EXPECT_EQ(At(*target, x, y), clBlack);
    for (auto [x, y] : {std::pair{10, 9}, {14, 14}})
        EXPECT_EQ(At(*target, x, y), clWhite);
    auto nothing = White(20, 20);
    DrawArrowGlyph(nothing->Canvas(), 10, 10, 4);
    EXPECT_TRUE(Ink(*nothing).Empty());

    auto source = Filled(5, 4, clRed);
    source->SetPixelFormat(pf24bit);
    CopySkinBitmap(source.get(), nothing.get());
    EXPECT_EQ(nothing->Width(), 5);
    EXPECT_EQ(nothing->PixelFormat(), pf24bit);
    EXPECT_EQ(At(*nothing, 4, 3), clRed);
    FillSolidRect(nothing->Canvas()->Handle(), Rect(0, 0, 5, 4), clBtnFace);  // a system colour, as skins may give
    EXPECT_EQ(At(*nothing, 2, 2), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(ControlDrawTest, RightToLeftControlsReadTheirTextsFromTheRight)
{
    TOwnedObject<TForm> form(NewTestForm(200, 100));
    auto* edit = Add<TEdit>(form.Get(), form.Get(), "Edit1", 0, 0, 50, 20);
    auto* skin = new TDrawSkin(edit);
    skin->InitControl(nullptr, nullptr, nullptr, false);
    skin->SetEnabledFlag(true);
    // "ab!" read from the right puts the mark before the letters.
    auto draw = [&](bool caption) {
        auto target = White(120, 30);
        target->Canvas()->Font()->SetColor(clBlack);
        if (caption)
            skin->DrawCaptionText(target->Canvas(), Rect(0, 0, 120, 30), L"ab!", true, 0);
        else
            skin->DrawGlyphAndText(target->Canvas(), Rect(0, 0, 120, 30), nullptr, -1, L"ab!", 0);
        return target;
    };
    auto same = [](TBitmap& a, TBitmap& b) {
        return std::equal(a.PixelBuffer().Pixels, a.PixelBuffer().Pixels + a.Width() * a.Height(), b.PixelBuffer().Pixels);
    };
    std::unique_ptr<TBitmap> leftToRight[2] = {draw(true), draw(false)};
    edit->SetBiDiMode(bdRightToLeft);
    EXPECT_FALSE(same(*leftToRight[0], *draw(true))) << "caption text";
    EXPECT_FALSE(same(*leftToRight[1], *draw(false))) << "text beside a glyph";
}

TEST_F(ControlDrawTest, PaintAndEraseOfAControlSkin)
{
    TOwnedObject<TForm> form(NewTestForm(200, 100));
    form->SetColor(clRed);
    form->Show();
    auto* data = new TSkinData(form.Get());
    data->FColors[scButtonFace] = clYellow;
    TOwnedObject<TSkinForm> skinForm(new TSkinForm(nullptr));
    HWND w = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 20, form->Handle(), nullptr,
                             nullptr, nullptr);
    auto* skin = new TDrawSkin(skinForm.Get());
    skin->InitHandle(w, data, skinForm.Get(), skinForm->WorkCanvas());
    UpdateWindow(w);

    // A paint sent with a DC draws into it and neither begins nor ends a paint.
    auto target = White(60, 30);
    InvalidateRect(w, nullptr, FALSE);
    const int draws = skin->Draws;
    SendMessageA(w, WM_PAINT, reinterpret_cast<WPARAM>(target->Canvas()->Handle()), 0);
    EXPECT_EQ(skin->Draws, draws + 1);
    EXPECT_EQ(At(*target, 39, 19), clLime);
    EXPECT_EQ(At(*target, 40, 19), clWhite);
    EXPECT_TRUE(GetUpdateRect(w, nullptr, FALSE));
    // Without one it paints the window and validates it.
    UpdateWindow(w);
    EXPECT_EQ(skin->Draws, draws + 2);
    EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE));

    // Erasing: the face colour without a control, the parent's picture with one.
    target = White(60, 30);
    EXPECT_EQ(SendMessageA(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target->Canvas()->Handle()), 0), 1);
    EXPECT_EQ(At(*target, 0, 0), clYellow);
    EXPECT_EQ(At(*target, 39, 19), clYellow);
    auto* edit = Add<TEdit>(form.Get(), form.Get(), "Edit1", 60, 10, 80, 22);
    auto* controlSkin = new TDrawSkin(edit);
    controlSkin->InitControl(skinForm.Get(), data, skinForm->WorkCanvas(), false);
    target = White(60, 30);
    EXPECT_EQ(edit->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target->Canvas()->Handle())), 1);
    EXPECT_EQ(At(*target, 5, 5), clRed);
    skinForm.Reset();
    DestroyWindow(w);
}

TEST_F(ControlDrawTest, BorrowedBrushesAndFontsStayTheirOwners)
{
    auto target = White(20, 20);
    HDC dc = target->Canvas()->Handle();
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, red);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Brush()->BorrowHandle(static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
        EXPECT_EQ(canvas.Brush()->Color(), clRed);
        canvas.FrameRect(Rect(0, 0, 10, 10));
        canvas.Brush()->SetColor(clBlue);
        canvas.FrameRect(Rect(2, 2, 8, 8));
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), red);  // given back to the DC, not deleted
    EXPECT_EQ(At(*target, 0, 0), clRed);
    EXPECT_EQ(At(*target, 2, 2), clBlue);
    SelectObject(dc, old);
    EXPECT_TRUE(DeleteObject(red));

    HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    {
        TFont f;
        f.BorrowHandle(font);
        EXPECT_EQ(f.Height(), -13);
        f.SetColor(clRed);
        EXPECT_EQ(f.Handle(), font);
        f.SetStyle({fsBold});
        EXPECT_NE(f.Handle(), font);
        f.BorrowHandle(font);
        EXPECT_THROW(f.BorrowHandle(nullptr), EInvalidGraphic);
    }
    EXPECT_TRUE(DeleteObject(font));
}

TEST_F(ControlDrawTest, WindowlessChildrenPaintIntoAGivenContext)
{
    TOwnedObject<TForm> form(NewTestForm(200, 100));
    auto* panel = Add<TPanel>(form.Get(), form.Get(), "Panel1", 0, 0, 100, 50);
    auto* blue = new TColorBox(form.Get(), clBlue);
    blue->SetBounds(0, 0, 10, 10);
    blue->SetParent(panel);
    auto* green = new TColorBox(form.Get(), clLime);
    green->SetBounds(20, 0, 10, 10);
    green->SetParent(panel);
    auto all = White(40, 20);
    panel->PaintControls(all->Canvas()->Handle(), nullptr);
    EXPECT_EQ(At(*all, 5, 5), clBlue);
    EXPECT_EQ(At(*all, 25, 5), clLime);
    EXPECT_EQ(At(*all, 15, 5), clWhite);
    auto fromGreen = White(40, 20);
    panel->PaintControls(fromGreen->Canvas()->Handle(), green);
    EXPECT_EQ(At(*fromGreen, 5, 5), clWhite);
    EXPECT_EQ(At(*fromGreen, 25, 5), clLime);
}

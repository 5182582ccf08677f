// Images, bevels and image lists on real windows and bitmaps: where a picture lands, repainting
// when it changes, the bevel's lines, and an image list's images, icons and greyed drawing.
#include <memory>

#include "extctrls.h"
#include "guitest.h"
#include "imglist.h"

namespace {

std::unique_ptr<TBitmap> Filled(int w, int h, TColor c)
{
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

TColor At(TBitmap& b, int x, int y) { return PixelToColor(b.PixelBuffer().At(x, y)); }

// The colour on screen at a client point of a window, after painting what is pending.
TColor ScreenPixel(HWND wnd, int x, int y)
{
    UpdateWindow(wnd);
    HDC dc = GetDC(wnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return static_cast<TColor>(c);
}

TOwnedObject<TForm> NewForm()
{
    auto* f = new TForm(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(40, 40, 200, 150);
    f->SetColor(clWhite);
    return TOwnedObject<TForm>(f);
}

}  // namespace

using ExtCtrlsTest = GuiTest;

TEST(ImageLayout, DestRectForEveryMode)
{
    TImage image(nullptr);
    image.SetBounds(0, 0, 100, 50);
    image.Picture()->Bitmap()->SetSize(20, 20);
    EXPECT_EQ(image.DestRect(), Rect(0, 0, 20, 20));
    image.SetCenter(true);
    EXPECT_EQ(image.DestRect(), Rect(40, 15, 60, 35));
    image.SetStretch(true);
    EXPECT_EQ(image.DestRect(), Rect(0, 0, 100, 50));
    image.SetProportional(true);
    EXPECT_EQ(image.DestRect(), Rect(25, 0, 75, 50));
    // Proportional without Stretch only shrinks.
    image.SetStretch(false);
    EXPECT_EQ(image.DestRect(), Rect(40, 15, 60, 35));
    image.Picture()->Bitmap()->SetSize(400, 100);
    EXPECT_EQ(image.DestRect(), Rect(0, 12, 100, 37));
    image.Picture()->SetGraphic(nullptr);
    EXPECT_TRUE(image.DestRect().Empty());
}

TEST_F(ExtCtrlsTest, ImagePaintsItsPictureAndRepaintsWhenItChanges)
{
    auto form = NewForm();
    auto* image = new TImage(form.Get());
    image->SetParent(form.Get());
    image->SetBounds(10, 10, 60, 40);
    image->SetStretch(true);
    image->Picture()->Bitmap()->Assign(Filled(3, 2, clRed).get());
    form->Show();
    HWND wnd = form->Handle();
    EXPECT_EQ(ScreenPixel(wnd, 12, 12), clRed);
    EXPECT_EQ(ScreenPixel(wnd, 68, 48), clRed);
    EXPECT_EQ(ScreenPixel(wnd, 75, 12), clWhite);

    // Drawing on the picture's bitmap repaints the image.
    TBitmap* b = image->Picture()->Bitmap();
    b->Canvas()->Brush()->SetColor(clBlue);
    b->Canvas()->FillRect(Rect(0, 0, 3, 2));
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(wnd, 30, 30) == clBlue; })) << "the image was not repainted";

    // AutoSize takes the picture's size, also for a later picture.
    image->SetStretch(false);
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 3);
    image->Picture()->Bitmap()->SetSize(30, 20);
    EXPECT_EQ(image->Width(), 30);
    EXPECT_EQ(image->Height(), 20);

    // Transparent: the picture's transparent colour (bottom-left pixel) shows the form.
    auto* tb = Filled(4, 4, clLime).release();
    std::unique_ptr<TBitmap> keep(tb);
    tb->PixelBuffer().At(1, 1) = ColorToPixel(clNavy);
    image->SetAutoSize(false);
    image->SetBounds(100, 10, 4, 4);
    image->SetTransparent(true);
    image->Picture()->Bitmap()->Assign(tb);
    EXPECT_TRUE(image->Picture()->Graphic()->Transparent());
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(wnd, 101, 11) == clNavy; })) << "the new picture was not painted";
    EXPECT_EQ(ScreenPixel(wnd, 100, 10), clWhite);
    EXPECT_EQ(ScreenPixel(wnd, 101, 11), clNavy);
}

TEST_F(ExtCtrlsTest, BevelDrawsLinesAndBoxesInItsStyle)
{
    auto form = NewForm();
    auto* top = new TBevel(form.Get());
    top->SetParent(form.Get());
    top->SetBounds(0, 10, 200, 2);
    top->SetShape(TBevelShape::bsTopLine);
    auto* box = new TBevel(form.Get());
    box->SetParent(form.Get());
    box->SetBounds(20, 40, 50, 30);
    box->SetStyle(TBevelStyle::bsRaised);
    form->Show();
    HWND wnd = form->Handle();
    TColor shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
    TColor light = static_cast<TColor>(ColorToRGB(clBtnHighlight));
    ASSERT_NE(shadow, light);
    EXPECT_EQ(ScreenPixel(wnd, 50, 10), shadow);  // lowered: dark line above the light one
    EXPECT_EQ(ScreenPixel(wnd, 50, 11), light);
    EXPECT_EQ(ScreenPixel(wnd, 20, 50), light);  // raised box: light left, dark right and bottom
    EXPECT_EQ(ScreenPixel(wnd, 69, 50), shadow);
    EXPECT_EQ(ScreenPixel(wnd, 40, 69), shadow);
    EXPECT_EQ(ScreenPixel(wnd, 40, 55), clWhite);  // inside stays the form's

    top->SetStyle(TBevelStyle::bsRaised);
    top->SetShape(TBevelShape::bsBottomLine);
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(wnd, 50, 10) == light; })) << "the new shape was not painted";
    EXPECT_EQ(ScreenPixel(wnd, 50, 11), shadow);
    EXPECT_EQ(GetPropText(top, "Shape"), "bsbottomline");
}

TEST_F(ExtCtrlsTest, ImageListHoldsImagesAndGivesThemBack)
{
    TImageList list(nullptr);
    int changes = 0;
    struct TCount : TObject {
        int* N;
        void Changed(TObject*) { ++*N; }
    } count;
    count.N = &changes;
    list.OnChange = TNotifyEvent(&count, &TCount::Changed);
    list.SetSize(8, 8);
    EXPECT_EQ(list.Count(), 0);

    // A strip two images wide becomes two images; a colour-keyed image loses its key colour.
    auto strip = Filled(16, 8, clRed);
    strip->Canvas()->Brush()->SetColor(clBlue);
    strip->Canvas()->FillRect(Rect(8, 0, 16, 8));
    EXPECT_EQ(list.Add(strip.get(), nullptr), 0);
    auto keyed = Filled(8, 8, clFuchsia);
    keyed->PixelBuffer().At(3, 3) = ColorToPixel(clLime);
    EXPECT_EQ(list.AddMasked(keyed.get(), clFuchsia), 2);
    EXPECT_EQ(At(*keyed, 0, 0), clFuchsia);  // the caller's bitmap is left alone
    EXPECT_EQ(list.Count(), 3);

    TBitmap out;
    out.Canvas()->Brush()->SetColor(clWhite);
    list.GetBitmap(1, out);
    EXPECT_EQ(out.Width(), 8);
    EXPECT_EQ(At(out, 4, 4), clBlue);
    list.GetBitmap(2, out);
    EXPECT_EQ(At(out, 0, 0), clWhite);  // transparent: the brush shows
    EXPECT_EQ(At(out, 3, 3), clLime);

    // Icons in and out, sized to the list.
    TIcon icon;
    list.GetIcon(0, icon);
    EXPECT_EQ(icon.Width(), 8);
    EXPECT_EQ(list.AddIcon(&icon), 3);
    list.GetBitmap(3, out);
    EXPECT_EQ(At(out, 2, 2), clRed);

    // Disabled drawing is greyed, not the image's colour.
    TBitmap canvas(8, 8);
    canvas.Canvas()->Brush()->SetColor(clWhite);
    canvas.Canvas()->FillRect(Rect(0, 0, 8, 8));
    list.Draw(*canvas.Canvas(), 0, 0, 0, false);
    EXPECT_NE(At(canvas, 4, 4), clRed);
    list.Draw(*canvas.Canvas(), 0, 0, 0, true);
    EXPECT_EQ(At(canvas, 4, 4), clRed);
    list.Draw(*canvas.Canvas(), 0, 0, 42, true);  // no such image: nothing

    EXPECT_THROW(list.GetIcon(4, icon), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    TBitmap empty;
    EXPECT_THROW(list.Add(&empty, nullptr), EInvalidOperation);
    EXPECT_THROW(list.SetSize(0, 8), EInvalidOperation);

    TImageList copy(nullptr);
    copy.Assign(&list);
    EXPECT_EQ(copy.Count(), 4);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 3);
    list.SetSize(16, 16);  // a new size empties the list
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(copy.Count(), 4);
    EXPECT_GE(changes, 6);
}

// Fonts, brushes and pens; drawing on bitmaps and on DCs the canvas doesn't own; pictures
// picked by file extension; picture data in form files; colour names.
#include <gtest/gtest.h>

#include <memory>

#include "formfile.h"
#include "graphics_testdata.h"

namespace {

class TCounter : public TObject {
public:
    int Count = 0;
    void Changed(TObject*) { ++Count; }
    TNotifyEvent Event() { return TNotifyEvent(this, &TCounter::Changed); }
};

TColor At(TBitmap& b, int x, int y) { return PixelToColor(b.PixelBuffer().At(x, y)); }

// A bitmap of one row of colours.
std::unique_ptr<TBitmap> Row(std::initializer_list<TColor> colors)
{
    auto b = std::make_unique<TBitmap>(static_cast<int>(colors.size()), 1);
    int x = 0;
    for (TColor c : colors)
        b->PixelBuffer().At(x++, 0) = ColorToPixel(c);
    return b;
}

std::unique_ptr<TBitmap> Filled(int w, int h, TColor c)
{
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

int CountNot(TBitmap& b, const TRect& r, TColor c)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += At(b, x, y) != c;
    return n;
}

}  // namespace

TEST(Fonts, HandleFollowsChangesAndOnChangeFires)
{
    TFont f;
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Color(), clWindowText);
    EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
    TCounter changes;
    f.OnChange = changes.Event();

    HFONT first = f.Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(f.Handle(), first);
    f.SetName("MS Sans Serif");  // the same value changes nothing
    EXPECT_EQ(changes.Count, 0);
    f.SetStyle({fsBold, fsItalic});
    EXPECT_EQ(changes.Count, 1);
    EXPECT_EQ(GetObjectType(first), 0u) << "the old handle is deleted";
    LOGFONTA lf{};
    GetObjectA(f.Handle(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_GE(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);

    // Colour is not part of the handle.
    HFONT styled = f.Handle();
    f.SetColor(clRed);
    EXPECT_EQ(changes.Count, 2);
    EXPECT_EQ(f.Handle(), styled);

    f.SetSize(12);
    EXPECT_EQ(f.Height(), -MulDiv(12, f.PixelsPerInch(), 72));
    EXPECT_EQ(f.Size(), 12);

    TFont copy;
    TCounter copyChanges;
    copy.OnChange = copyChanges.Event();
    copy.Assign(&f);
    EXPECT_EQ(copyChanges.Count, 1);
    EXPECT_EQ(copy.Height(), f.Height());
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_EQ(copy.Style(), (TFontStyles{fsBold, fsItalic}));

    // A font made elsewhere: the font takes it over and reads what it is.
    HFONT made = CreateFontA(-20, 0, 0, 0, FW_BOLD, FALSE, TRUE, FALSE, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH, "Arial");
    copy.SetHandle(made);
    EXPECT_EQ(copy.Handle(), made);
    EXPECT_EQ(copy.Name(), "Arial");
    EXPECT_EQ(copy.Height(), -20);
    EXPECT_EQ(copy.Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(copy.Charset(), ANSI_CHARSET);
    EXPECT_EQ(copy.Pitch(), fpFixed);
}

TEST(Fonts, PropertiesByNameAndBrushRules)
{
    TFont f;
    SetPropText(&f, "Style", "[fsBold,fsStrikeOut]");
    SetPropText(&f, "pitch", "fpVariable");
    EXPECT_EQ(f.Style(), (TFontStyles{fsBold, fsStrikeOut}));
    EXPECT_TRUE(SameText(GetPropText(&f, "Pitch"), "fpVariable"));

    TBrush b;
    SetPropText(&b, "Style", "bsClear");
    EXPECT_EQ(b.Handle(), GetStockObject(NULL_BRUSH));
    b.SetColor(clBlue);  // asking for a colour asks for paint
    EXPECT_EQ(b.Style(), bsSolid);

    TPen p;
    SetPropText(&p, "Style", "psDot");
    SetPropText(&p, "Width", "3");
    LOGPEN lp{};
    GetObjectA(p.Handle(), sizeof lp, &lp);
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(lp.lopnWidth.x, 3);
}

TEST(Canvas, ShapesOnABitmap)
{
    auto b = Filled(10, 10, clRed);
    TCanvas* c = b->Canvas();
    EXPECT_EQ(At(*b, 5, 5), clRed);

    c->Brush()->SetColor(clBlue);
    c->FrameRect(Rect(2, 2, 8, 8));
    EXPECT_EQ(At(*b, 2, 2), clBlue);
    EXPECT_EQ(At(*b, 7, 7), clBlue);
    EXPECT_EQ(At(*b, 3, 3), clRed);

    c->Pen()->SetColor(clLime);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(0, 0, 10, 10);
    EXPECT_EQ(At(*b, 0, 5), clLime);
    EXPECT_EQ(At(*b, 5, 5), clRed) << "a clear brush leaves the inside";

    c->Pen()->SetColor(clBlack);
    c->MoveTo(0, 9);
    c->LineTo(10, 9);
    EXPECT_EQ(At(*b, 4, 9), clBlack);
    EXPECT_EQ(c->PenPos(), TPoint(10, 9));

    // Drawing twice with an XOR pen gives the picture back.
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(0, 4);
    c->LineTo(10, 4);
    EXPECT_EQ(At(*b, 5, 4), clAqua);
    c->MoveTo(0, 4);
    c->LineTo(10, 4);
    EXPECT_EQ(At(*b, 5, 4), clRed);

    c->Pen()->SetMode(pmCopy);
    c->SetPixel(5, 5, clYellow);
    EXPECT_EQ(c->Pixels(5, 5), clYellow);

    c->Brush()->SetColor(clAqua);
    c->Polygon({Point(0, 0), Point(9, 0), Point(0, 9)});
    EXPECT_EQ(At(*b, 2, 2), clAqua);
    EXPECT_EQ(At(*b, 8, 8), clRed);
}

TEST(Canvas, TextChangesPixelsAndFollowsTheFont)
{
    auto b = Filled(80, 40, clWhite);
    TCanvas* c = b->Canvas();
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(2, 2, "Hi");
    EXPECT_GT(CountNot(*b, Rect(0, 0, 40, 30), clWhite), 5);
    EXPECT_EQ(c->PenPos().x, 2 + c->TextWidth("Hi"));

    int small = c->TextHeight("Hi");
    c->Font()->SetHeight(-30);  // the new font is selected on the next use
    EXPECT_GT(c->TextHeight("Hi"), small);

    // TextRect fills with the brush and stays inside its rectangle.
    auto t = Filled(80, 40, clWhite);
    t->Canvas()->Brush()->SetColor(clYellow);
    t->Canvas()->TextRect(Rect(0, 0, 10, 40), 0, 0, "WWWWWWWW");
    EXPECT_EQ(At(*t, 9, 39), clYellow);
    EXPECT_EQ(CountNot(*t, Rect(10, 0, 80, 40), clWhite), 0);
}

TEST(Canvas, DrawStretchCopyAndTransparency)
{
    auto src = Row({clRed, clBlue});
    auto b = Filled(4, 2, clWhite);
    b->Canvas()->StretchDraw(Rect(0, 0, 4, 2), src.get());
    EXPECT_EQ(At(*b, 1, 1), clRed);
    EXPECT_EQ(At(*b, 2, 0), clBlue);
    EXPECT_EQ(At(*b, 3, 1), clBlue);

    b = Filled(4, 1, clWhite);
    b->Canvas()->Draw(1, 0, src.get());
    EXPECT_EQ(At(*b, 0, 0), clWhite);
    EXPECT_EQ(At(*b, 1, 0), clRed);
    EXPECT_EQ(At(*b, 2, 0), clBlue);

    // Transparent: the fixed colour, or in tmAuto the bottom-left pixel.
    auto keyed = Row({clFuchsia, clBlue, clRed});
    keyed->SetTransparent(true);
    EXPECT_EQ(keyed->TransparentColor(), clFuchsia);
    b = Filled(3, 1, clWhite);
    b->Canvas()->Draw(0, 0, keyed.get());
    EXPECT_EQ(At(*b, 0, 0), clWhite);
    EXPECT_EQ(At(*b, 1, 0), clBlue);
    keyed->SetTransparentColor(clRed);
    EXPECT_EQ(keyed->TransparentMode(), tmFixed);
    b = Filled(3, 1, clWhite);
    b->Canvas()->Draw(0, 0, keyed.get());
    EXPECT_EQ(At(*b, 0, 0), clFuchsia);
    EXPECT_EQ(At(*b, 2, 0), clWhite);

    b = Filled(4, 1, clWhite);
    b->Canvas()->CopyRect(Rect(2, 0, 4, 1), src->Canvas(), Rect(0, 0, 2, 1));
    EXPECT_EQ(At(*b, 1, 0), clWhite);
    EXPECT_EQ(At(*b, 2, 0), clRed);
    EXPECT_EQ(At(*b, 3, 0), clBlue);

    auto olive = Row({clOlive, clBlue});
    b = Filled(2, 1, clWhite);
    b->Canvas()->Brush()->SetColor(clYellow);
    b->Canvas()->BrushCopy(Rect(0, 0, 2, 1), olive.get(), Rect(0, 0, 2, 1), clOlive);
    EXPECT_EQ(At(*b, 0, 0), clYellow);
    EXPECT_EQ(At(*b, 1, 0), clBlue);

    // The mask is white where the key colour was.
    TGdiObject<HBITMAP> mask = keyed->CreateMask(clFuchsia);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask.Get());
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
}

TEST(Canvas, BorrowedDcGetsItsObjectsBack)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ font0 = GetCurrentObject(dc, OBJ_FONT), brush0 = GetCurrentObject(dc, OBJ_BRUSH),
            pen0 = GetCurrentObject(dc, OBJ_PEN);
    {
        TCanvas c;
        c.SetHandle(dc);
        c.Rectangle(0, 0, 1, 1);
        c.TextWidth("x");
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), c.Font()->Handle());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), c.Brush()->Handle());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), c.Pen()->Handle());

        // A change takes the old font out of the DC before it is deleted.
        HFONT old = c.Font()->Handle();
        c.Font()->SetHeight(-24);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0);
        EXPECT_EQ(GetObjectType(old), 0u);
        c.TextWidth("x");
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), c.Font()->Handle());

        // Moving to another DC gives the first one back its own objects.
        HDC other = CreateCompatibleDC(nullptr);
        c.SetHandle(other);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush0);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
        c.Handle();
        c.SetHandle(dc);
        c.Handle();
        DeleteDC(other);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
    DeleteDC(dc);

    TCanvas none;
    EXPECT_THROW(none.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Bitmaps, SizingAccessAndCopies)
{
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Handle(), nullptr);
    b.SetSize(3, 2);
    b.PixelBuffer().At(2, 1) = 0x112233;
    TCounter changes;
    b.OnChange = changes.Event();
    b.SetSize(5, 4);  // keeps what stays inside, new pixels black
    EXPECT_EQ(b.PixelBuffer().At(2, 1), 0x112233u);
    EXPECT_EQ(b.PixelBuffer().At(4, 3), 0u);
    EXPECT_EQ(changes.Count, 1);
    EXPECT_EQ(b.ScanLine(1)[2], 0x112233u);
    EXPECT_THROW(b.ScanLine(4), EInvalidGraphic);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);
    EXPECT_THROW(b.SetSize(20000, 1), EInvalidGraphic);
    EXPECT_EQ(b.Width(), 5);

    // The canvas follows the new bitmap after a resize, and drawing marks a change.
    b.Canvas()->Brush()->SetColor(clLime);
    b.Canvas()->FillRect(Rect(0, 0, 1, 1));
    b.SetSize(6, 6);
    b.Canvas()->FillRect(Rect(5, 5, 6, 6));
    EXPECT_EQ(At(b, 5, 5), clLime);
    EXPECT_EQ(At(b, 0, 0), clLime);
    EXPECT_GE(changes.Count, 4);

    TBitmap copy;
    copy.Assign(&b);
    EXPECT_NE(copy.Handle(), b.Handle());
    EXPECT_EQ(RgbOf(copy), RgbOf(b));
    copy.PixelBuffer().At(0, 0) = 0;
    EXPECT_EQ(At(b, 0, 0), clLime);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());

    // Monochrome as GDI makes it: white stays white, every other colour black.
    auto mono = Row({clWhite, clSilver, clBlue});
    mono->SetMonochrome(true);
    EXPECT_EQ(RgbOf(*mono), (std::vector<uint32_t>{0xFFFFFF, 0, 0}));
    EXPECT_TRUE(mono->Monochrome());
}

TEST(Pictures, LoadByExtension)
{
    TTempDir dir;
    auto red = Filled(3, 2, clRed);
    String bmp = dir.Path("red.BMP");
    red->SaveToFile(bmp);
    String jpg = dir.Write("photo.JpG", MakeJpeg(8, 4, [](int, int) { return 0x00FF00u; }));
    String ico = dir.Write("app.ico", MakeIco({{32, 0x0000FF}}));
    String bad = dir.Write("bad.bmp", Bytes{'B', 'M', 1, 2, 3});

    TPicture p;
    TCounter changes;
    p.OnChange = changes.Event();
    p.LoadFromFile(bmp);
    ASSERT_TRUE(p.Graphic()->Is<TBitmap>());
    EXPECT_EQ(p.Width(), 3);
    EXPECT_EQ(changes.Count, 1);
    p.LoadFromFile(jpg);
    ASSERT_TRUE(p.Graphic()->Is<TJPEGImage>());
    EXPECT_EQ(p.Height(), 4);
    p.LoadFromFile(ico);
    ASSERT_TRUE(p.Graphic()->Is<TIcon>());
    EXPECT_EQ(p.Width(), 32);

    // Failures leave the picture as it was.
    try {
        p.LoadFromFile(dir.Path("x.xyz"));
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz) of \"" + dir.Path("x.xyz") + "\"");
    }
    EXPECT_THROW(p.LoadFromFile(bad), EInvalidGraphic);
    EXPECT_THROW(p.LoadFromFile(dir.Path("missing.bmp")), EFOpenError);
    EXPECT_TRUE(p.Graphic()->Is<TIcon>());

    // Bitmap() swaps in an empty bitmap; drawing on it reaches the picture's OnChange.
    int before = changes.Count;
    TBitmap* bm = p.Bitmap();
    EXPECT_TRUE(bm->Empty());
    bm->SetSize(2, 2);
    bm->Canvas()->FillRect(Rect(0, 0, 2, 2));
    EXPECT_GE(changes.Count, before + 3);

    TPicture copy;
    copy.Assign(&p);
    ASSERT_NE(copy.Graphic(), p.Graphic());
    EXPECT_EQ(copy.Width(), 2);

    TPicture::RegisterFileFormat(".Tst", "Test bitmaps", [] () -> TGraphic* { return new TBitmap; });
    String tst = dir.Path("red.tst");
    red->SaveToFile(tst);
    copy.LoadFromFile(tst);
    EXPECT_TRUE(copy.Graphic()->Is<TBitmap>());
    EXPECT_EQ(TPicture::FindFileFormat("JPEG"), TPicture::FindFileFormat("jpg"));
}

namespace {

class TPicHolder : public TComponent {
    TK_CLASS(TPicHolder, TComponent)
public:
    explicit TPicHolder(TComponent* owner) : TComponent(owner) {}
    TPicture* Picture() const { return FPicture.get(); }
    TBitmap* Glyph() const { return FGlyph.get(); }
    TIcon* Icon() const { return FIcon.get(); }
    TFont* Font() const { return FFont.get(); }

private:
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
    std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
    std::unique_ptr<TIcon> FIcon = std::make_unique<TIcon>();
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
};

String Hex(const Bytes& b)
{
    static const char digits[] = "0123456789ABCDEF";
    String s = "{";
    for (size_t i = 0; i < b.size(); ++i) {
        if (i % 32 == 0)
            s += "\n      ";
        s += digits[b[i] >> 4];
        s += digits[b[i] & 15];
    }
    return s + "}";
}

Bytes PictureData(TGraphic& g)
{
    TPicture p;
    p.SetGraphic(&g);
    TMemoryStream m;
    p.WriteData(m);
    return m.Bytes();
}

Bytes GraphicData(TGraphic& g)
{
    TMemoryStream m;
    g.WriteData(m);
    return m.Bytes();
}

}  // namespace

const TClassInfo& TPicHolder::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPicHolder>("TPicHolder", &TComponent::StaticClass())
                                       .ObjectProp("Picture", &TPicHolder::Picture)
                                       .ObjectProp("Glyph", &TPicHolder::Glyph)
                                       .ObjectProp("Icon", &TPicHolder::Icon)
                                       .ObjectProp("Font", &TPicHolder::Font)
                                       .Build();
    return info;
}

TEST(FormData, PicturesIconsAndGlyphsStreamFromFormFiles)
{
    RegisterGraphicsClasses();
    auto glyph = Row({clRed, clLime, clBlue});
    TIcon icon;
    LoadBytes(icon, MakeIco({{32, 0x0000FF}}));
    TJPEGImage jpeg;
    LoadBytes(jpeg, MakeJpeg(8, 8, [](int, int) { return 0xFFFF00u; }));

    // The stored forms: class name and data for a picture, the plain data for the others.
    Bytes pictureData = PictureData(*glyph);
    EXPECT_EQ(pictureData[0], 7);
    EXPECT_EQ(String(pictureData.begin() + 1, pictureData.begin() + 8), "TBitmap");
    Bytes glyphData = GraphicData(*glyph);
    EXPECT_EQ(glyphData[4], 'B');
    Bytes iconData = GraphicData(icon);
    EXPECT_EQ(iconData, MakeIco({{32, 0x0000FF}}));

    String text = "object Holder1: TPicHolder\n"
                  "  Picture.Data = " + Hex(pictureData) + "\n"
                  "  Glyph.Data = " + Hex(glyphData) + "\n"
                  "  Icon.Data = " + Hex(iconData) + "\n"
                  "  Font.Color = clBtnFace\n"
                  "  Font.Charset = ANSI_CHARSET\n"
                  "  Font.Style = [fsBold]\n"
                  "end\n";
    TPicHolder h(nullptr);
    ReadFormInto(&h, text, "holder.form");
    ASSERT_TRUE(h.Picture()->Graphic() && h.Picture()->Graphic()->Is<TBitmap>());
    EXPECT_EQ(RgbOf(*h.Picture()->Bitmap()), RgbOf(*glyph));
    EXPECT_EQ(RgbOf(*h.Glyph()), RgbOf(*glyph));
    EXPECT_EQ(h.Icon()->Width(), 32);
    EXPECT_EQ(h.Font()->Color(), clBtnFace);
    EXPECT_EQ(h.Font()->Charset(), ANSI_CHARSET);
    EXPECT_TRUE(h.Font()->Style().Contains(fsBold));

    // Every graphic class goes through picture data and comes back the same.
    for (TGraphic* g : std::initializer_list<TGraphic*>{&icon, &jpeg}) {
        TMemoryStream m;
        Bytes data = PictureData(*g);
        m.LoadFromBytes(data.data(), data.size());
        TPicture p;
        p.ReadData(m);
        ASSERT_TRUE(p.Graphic());
        EXPECT_EQ(p.Graphic()->ClassName(), g->ClassName());
        EXPECT_EQ(p.Width(), g->Width());
        EXPECT_EQ(GraphicData(*p.Graphic()), GraphicData(*g));
    }

    // Damaged data: the form reader names the file, the line and the fault.
    Bytes unknown = {9, 'T', 'P', 'n', 'g', 'I', 'm', 'a', 'g', 'e', 0, 0};
    Bytes cut(pictureData.begin(), pictureData.end() - 10);
    for (const Bytes* bad : {&unknown, &cut}) {
        String badText = "object Holder1: TPicHolder\n  Picture.Data = " + Hex(*bad) + "\nend\n";
        TPicHolder other(nullptr);
        try {
            ReadFormInto(&other, badText, "bad.form");
            ADD_FAILURE() << "no exception";
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find("bad.form(2)"), String::npos) << e.Message();
            EXPECT_NE(e.Message().find(bad == &unknown ? "Unknown picture class TPngImage" : "shorter than its size"),
                      String::npos)
                << e.Message();
        }
    }
}

TEST(Colours, NamesAndNumbers)
{
    EXPECT_EQ(StringToColor("clBtnFace"), clBtnFace);
    EXPECT_EQ(StringToColor("CLRED"), clRed);
    EXPECT_EQ(StringToColor("$00123456"), 0x123456);
    EXPECT_EQ(StringToColor("255"), 255);
    EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
    EXPECT_EQ(ColorToString(clWindow), "clWindow");
    EXPECT_EQ(ColorToString(clYellow), "clYellow");
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(StringToColor(ColorToString(static_cast<TColor>(0xFF000020))), static_cast<TColor>(0xFF000020));

    RegisterColorIdents();
    int32_t v = 0;
    ASSERT_TRUE(IdentToInt("clInfoBk", v));
    EXPECT_EQ(v, clInfoBk);
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
}

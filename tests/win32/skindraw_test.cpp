// The skin engine's drawing base on real GDI: image utilities on toolkit bitmaps, gradient
// fills, stretched and keyed transfers into real bitmaps, window regions from pictures, a
// parent's background behind a control, wide text and the optional user32 entries.
#include <cstring>
#include <memory>

#include "guitest.h"
#include "imgutil.h"
#include "pixeltest.h"
#include "skindraw.h"
#include "skinhelpers.h"
#include "stdctrls.h"

namespace {

// 3 states of 20 x 10 side by side, one spare column: in each state a 4-pixel left edge, a
// middle and a 4-pixel right edge of their own colours; state 2 has a magenta and a near
// magenta patch in its middle.
std::unique_ptr<TBitmap> Strip()
{
    auto b = std::make_unique<TBitmap>(61, 10);
    for (int s = 0; s < 3; ++s) {
        Paint(*b, Rect(s * 20, 0, s * 20 + 4, 10), clRed);
        Paint(*b, Rect(s * 20 + 4, 0, s * 20 + 16, 10), s == 1 ? clLime : clGray);
        Paint(*b, Rect(s * 20 + 16, 0, s * 20 + 20, 10), clBlue);
    }
    Paint(*b, Rect(28, 0, 30, 10), clFuchsia);
    Paint(*b, Rect(30, 0, 31, 10), static_cast<TColor>(0xFF00FE));
    Paint(*b, Rect(60, 0, 61, 10), clYellow);
    return b;
}

// Puts the optional user32 entries back after a test emptied them.
class TEntriesGuard {
public:
    TEntriesGuard() : FSaved(SkinUser32Entries()) {}
    ~TEntriesGuard() { SkinUser32Entries() = FSaved; }

private:
    TSkinUser32Entries FSaved;
};

// A windowless control that paints its bounds blue on its parent.
class TBlueBox : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(ClientRect());
    }
};

using SkinDrawTest = GuiTest;

}  // namespace

TEST(SkinImageUtilities, WorkOnToolkitBitmapsAndResolveSystemColours)
{
    auto b = Filled(10, 4, clWhite);
    Paint(*b, Rect(9, 0, 10, 1), clRed);  // top-right
    Paint(*b, Rect(4, 1, 6, 2), clFuchsia);
    RotateBitmapLeft(b.get());
    EXPECT_EQ(b->Width(), 4);
    EXPECT_EQ(b->Height(), 10);
    EXPECT_EQ(At(*b, 0, 0), clRed);
    RotateBitmapRight(b.get());
    MirrorBitmap(b.get());
    FlipBitmap(b.get());
    EXPECT_EQ(At(*b, 0, 3), clRed);

    ReplaceColor(b.get(), clBtnFace);
    EXPECT_EQ(b->PixelFormat(), pf24bit);
    EXPECT_EQ(At(*b, 5, 2), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    ReplaceColor(nullptr, clRed);

    EXPECT_EQ(MixColors(clBtnFace, clWhite, 1000), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(ColorSaturation(clHighlight), SaturationOfRGB(GetSysColor(COLOR_HIGHLIGHT)));
}

TEST(SkinImageUtilities, GradientPaintsOnlyVisibleLinesWithTheirFullPaintColours)
{
    auto full = Filled(10, 40, clBlack);
    GradientFillRect(full->Canvas()->Handle(), Rect(0, 0, 10, 40), clWhite, static_cast<TColor>(0x404040), gdVertical);
    EXPECT_EQ(At(*full, 3, 0), clWhite);
    EXPECT_EQ(At(*full, 3, 39), static_cast<TColor>(0x404040));

    auto half = Filled(10, 40, clBlack);
    HDC dc = half->Canvas()->Handle();
    IntersectClipRect(dc, 0, 25, 10, 40);
    GradientFillRect(dc, Rect(0, 0, 10, 40), clWhite, static_cast<TColor>(0x404040), gdVertical);
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(At(*half, 5, 24), clBlack);
    for (int y = 25; y < 40; ++y)
        EXPECT_EQ(At(*half, 5, y), At(*full, 5, y)) << y;

    auto across = Filled(20, 2, clBlack);
    GradientFillRect(across->Canvas()->Handle(), Rect(0, 0, 20, 2), clRed, clBlue, gdHorizontal);
    EXPECT_EQ(At(*across, 0, 1), clRed);
    EXPECT_EQ(At(*across, 19, 0), clBlue);
}

TEST(SkinTransfers, StretchedAndKeyedIntoRealBitmaps)
{
    auto strip = Strip();

    // Three parts straight onto a context: edges kept, middle stretched.
    auto parts = Filled(60, 20, clWhite);
    StretchSkinBitmapPart(parts->Canvas()->Handle(), Rect(5, 0, 55, 20), strip.get(), Rect(4, 0, 4, 0), 2, 3, false);
    EXPECT_EQ(At(*parts, 4, 10), clWhite);
    EXPECT_EQ(At(*parts, 8, 19), clRed);
    EXPECT_EQ(At(*parts, 9, 0), clLime);
    EXPECT_EQ(At(*parts, 51, 10), clBlue);
    // Narrower than one state: the whole state squeezed in.
    auto narrow = Filled(10, 10, clWhite);
    StretchSkinBitmapPart(narrow->Canvas()->Handle(), Rect(0, 0, 10, 10), strip.get(), Rect(4, 0, 4, 0), 1, 3, false);
    EXPECT_EQ(At(*narrow, 0, 5), clRed);
    EXPECT_EQ(At(*narrow, 9, 5), clBlue);

    // Nine-slice, keyed: magenta leaves the target as it was, near magenta is drawn.
    auto sliced = Filled(60, 30, clWhite);
    DrawSkinBitmapSliced(sliced->Canvas()->Handle(), Rect(10, 5, 30, 15), strip.get(), Rect(4, 0, 4, 0), 2, 3, true,
                         false, false);
    EXPECT_EQ(At(*sliced, 10, 5), clRed);
    EXPECT_EQ(At(*sliced, 18, 10), clWhite) << "under magenta";
    EXPECT_EQ(At(*sliced, 20, 10), static_cast<TColor>(0xFF00FE));
    EXPECT_EQ(At(*sliced, 29, 14), clBlue);
    EXPECT_EQ(At(*sliced, 30, 10), clWhite) << "nothing past the target";
    DrawSkinBitmapSliced(sliced->Canvas()->Handle(), Rect(10, 5, 30, 15), strip.get(), Rect(4, 0, 4, 0), 2, 3, false,
                         false, false);
    EXPECT_EQ(At(*sliced, 18, 10), clFuchsia) << "opaque draws the key colour too";
    // Tiled, the 12-pixel middle repeats whole: its key colour 4 pixels into each copy.
    auto tiledMiddle = Filled(50, 10, clWhite);
    DrawSkinBitmapSliced(tiledMiddle->Canvas()->Handle(), Rect(0, 0, 50, 10), strip.get(), Rect(4, 0, 4, 0), 2, 3, false,
                         true, false);
    EXPECT_EQ(At(*tiledMiddle, 4 + 24 + 4, 5), clFuchsia);
    EXPECT_EQ(At(*tiledMiddle, 46, 5), clBlue);
    // No wider than the rectangle, however wide the picture.
    auto clipped = Filled(10, 10, clWhite);
    TransparentDraw(clipped->Canvas()->Handle(), Bounds(0, 0, 3, 2), Filled(6, 4, clBlue).get(), clFuchsia);
    EXPECT_EQ(At(*clipped, 2, 1), clBlue);
    EXPECT_EQ(At(*clipped, 3, 0), clWhite);
    EXPECT_EQ(At(*clipped, 0, 2), clWhite);

    // The older platforms' three-blit path keys the same pixels as MaskBlt.
    TSkinPlatform saved = SkinPlatform();
    for (bool nt : {true, false}) {
        SkinPlatform().NTPlatform = nt;
        auto keyed = Filled(30, 10, clBlack);
        HDC keyedDC = keyed->Canvas()->Handle();
        SetBkColor(keyedDC, RGB(10, 20, 30));
        SetTextColor(keyedDC, RGB(40, 50, 60));
        DrawSkinBitmapState(keyedDC, Rect(0, 0, 20, 10), strip.get(), 2, 3, true);
        EXPECT_EQ(At(*keyed, 9, 5), clBlack) << nt;
        EXPECT_EQ(At(*keyed, 10, 5), static_cast<TColor>(0xFF00FE)) << nt;
        EXPECT_EQ(At(*keyed, 4, 5), clLime) << nt;
        // The context's colours are as the caller left them, for the text drawn next.
        EXPECT_EQ(GetBkColor(keyedDC), RGB(10, 20, 30)) << nt;
        EXPECT_EQ(GetTextColor(keyedDC), RGB(40, 50, 60)) << nt;
    }
    SkinPlatform() = saved;

    // Centred unscaled; three-slice on a canvas repeating its middle.
    auto centred = Filled(40, 20, clWhite);
    DrawSkinBitmapCentered(centred->Canvas()->Handle(), Rect(0, 0, 40, 20), strip.get(), 3, 3, false);
    EXPECT_EQ(At(*centred, 10, 5), clRed);
    EXPECT_EQ(At(*centred, 29, 14), clBlue);
    EXPECT_EQ(At(*centred, 9, 5), clWhite);
    auto three = Filled(100, 12, clWhite);
    DrawSkinBitmapSlicedToCanvas(three->Canvas(), Rect(0, 0, 100, 12), strip.get(), Rect(4, 0, 4, 0), 1, 3, false,
                                 false);
    EXPECT_EQ(At(*three, 50, 11), clGray);
    EXPECT_EQ(At(*three, 99, 0), clBlue);
    auto keyedThree = Filled(100, 12, clWhite);  // state 2 keyed: its middle's key colour at 4 in each copy
    DrawSkinBitmapSlicedToCanvas(keyedThree->Canvas(), Rect(0, 0, 100, 12), strip.get(), Rect(4, 0, 4, 0), 2, 3, true,
                                 false);
    EXPECT_EQ(At(*keyedThree, 4 + 12 + 4, 5), clWhite);
    EXPECT_EQ(At(*keyedThree, 4 + 12 + 6, 5), static_cast<TColor>(0xFF00FE));
    EXPECT_EQ(At(*keyedThree, 4 + 12 + 3, 5), clLime);

    // Tiles are drawn whole, past the rectangle.
    auto tiled = Filled(30, 10, clWhite);
    TileBitmapPart(tiled->Canvas(), Rect(0, 0, 13, 5), strip.get(), Rect(0, 0, 5, 3));
    EXPECT_EQ(At(*tiled, 10, 0), clRed);
    EXPECT_EQ(At(*tiled, 14, 5), clGray);
    EXPECT_EQ(At(*tiled, 15, 0), clWhite);
    EXPECT_EQ(At(*tiled, 0, 6), clWhite);
    // A part away from the picture's corner: two grey and two blue columns repeating.
    auto inner = Filled(12, 6, clWhite);
    TileBitmapPart(inner->Canvas(), Rect(0, 0, 10, 4), strip.get(), Rect(14, 2, 18, 4));
    EXPECT_EQ(At(*inner, 1, 0), clGray);
    EXPECT_EQ(At(*inner, 2, 3), clBlue);
    EXPECT_EQ(At(*inner, 4, 1), clGray);
    EXPECT_EQ(At(*inner, 11, 3), clBlue);
    EXPECT_EQ(At(*inner, 5, 4), clWhite);
}

// A keyed picture drawn through TransparentDraw into `dc` at (2, 1) lands where GDI puts it:
// the three-blit path (no pixel access at all) is the reference.
void ExpectKeyedLikeGdi(HDC dc, HDC reference, int w, int h, const char* what)
{
    auto keyed = Filled(6, 4, clBlue);
    Paint(*keyed, Rect(1, 1, 3, 3), clFuchsia);
    TransparentDraw(dc, Bounds(2, 1, 6, 4), keyed.get(), clFuchsia);
    TSkinPlatform saved = SkinPlatform();
    SkinPlatform().NTPlatform = false;
    TransparentDraw(reference, Bounds(2, 1, 6, 4), keyed.get(), clFuchsia);
    SkinPlatform() = saved;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(GetPixel(dc, x, y), GetPixel(reference, x, y)) << what << " at " << x << "," << y;
}

// A memory DC over a 32-bit DIB of either row order, white.
struct TDibDC {
    TDibDC(int w, int h, bool bottomUp)
    {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = bottomUp ? h : -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        Bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        DC = CreateCompatibleDC(nullptr);
        Old = SelectObject(DC, Bitmap);
        PatBlt(DC, 0, 0, w, h, WHITENESS);
    }
    ~TDibDC()
    {
        SelectObject(DC, Old);
        DeleteDC(DC);
        DeleteObject(Bitmap);
    }
    HBITMAP Bitmap;
    HDC DC;
    HGDIOBJ Old;
};

TEST(SkinTransfers, KeyedIntoAnyDibOrWindowGoesWhereGdiPutsIt)
{
    for (bool bottomUp : {false, true}) {
        TDibDC dib(12, 8, bottomUp), reference(12, 8, bottomUp);
        ExpectKeyedLikeGdi(dib.DC, reference.DC, 12, 8, bottomUp ? "bottom-up" : "top-down");
        // Moved by the viewport and clipped to a rectangle, as a control paints into a part.
        TDibDC moved(12, 8, bottomUp), movedRef(12, 8, bottomUp);
        for (HDC dc : {moved.DC, movedRef.DC}) {
            SetViewportOrgEx(dc, 3, 2, nullptr);
            IntersectClipRect(dc, 0, 0, 5, 3);
        }
        ExpectKeyedLikeGdi(moved.DC, movedRef.DC, 9, 6, bottomUp ? "moved bottom-up" : "moved top-down");
    }
    // Onto a window.
    TForm* f = NewTestForm(40, 30);
    f->Show();
    // Its own first paint must not come after ours.
    ASSERT_TRUE(PumpUntil([f] { return IsWindowVisible(f->Handle()) && !GetUpdateRect(f->Handle(), nullptr, FALSE); }))
        << "the form was not shown and painted";
    HDC window = GetDC(f->Handle());
    PatBlt(window, 0, 0, 40, 30, WHITENESS);
    TDibDC reference(40, 30, false);
    ExpectKeyedLikeGdi(window, reference.DC, 12, 8, "window");
    ReleaseDC(f->Handle(), window);
    f->Free();
}

TEST(SkinTransfers, DegenerateSkinNumbersDrawSafely)
{
    auto strip = Strip();
    auto target = Filled(40, 40, clWhite);
    HDC dc = target->Canvas()->Handle();
    for (int count : {-2, 0, 1, 70})
        for (int m : {-9, 0, 30, 1000}) {
            const TRect margins(m, m, m, m);
            DrawSkinBitmapSliced(dc, Rect(0, 0, 40, 40), strip.get(), margins, 2, count, true, true, count > 1);
            DrawSkinBitmapSlicedToCanvas(target->Canvas(), Rect(0, 0, 40, 3), strip.get(), margins, 5, count, false, false);
            StretchSkinBitmapPart(dc, Rect(0, 0, 40, 1), strip.get(), margins, 0, count, false);
            DrawSkinBitmapState(dc, Rect(0, 0, 1, 40), strip.get(), 3, count, true);
        }
    EXPECT_EQ(StretchSkinBitmap(Rect(0, 0, 7, 1), strip.get(), Rect(4, 4, 4, 4), 1, 0, false, false)->Width(), 7);
    EXPECT_TRUE(StretchSkinBitmap(Rect(5, 5, 0, 0), strip.get(), TRect(), 1, 1, false, false)->Empty());
    TBitmap empty;
    // An absent or empty picture leaves the target as it was.
    auto untouched = Filled(10, 10, clWhite);
    for (TBitmap* none : {static_cast<TBitmap*>(nullptr), &empty})
        for (bool transparent : {true, false})
            DrawSkinBitmapSliced(untouched->Canvas()->Handle(), Rect(0, 0, 10, 10), none, TRect(), 1, 1, transparent,
                                 false, false);
    EXPECT_EQ(At(*untouched, 5, 5), clWhite);
    DrawSkinBitmapCentered(dc, Rect(0, 0, 10, 10), &empty, 1, 1, true);
    TransparentDraw(dc, Rect(10, 10, 0, 0), strip.get(), clFuchsia);
}

TEST_F(SkinDrawTest, WindowRegionFromAPicture)
{
    auto shape = Filled(40, 30, clGray);
    Paint(*shape, Rect(0, 0, 3, 30), clFuchsia);
    TGdiObject<HRGN> rgn = CreateRegionFromBitmap(shape.get(), 10, 0, clFuchsia, 0, 0, 0);
    RECT box;
    ASSERT_EQ(GetRgnBox(rgn.Get(), &box), SIMPLEREGION);
    EXPECT_EQ(TRect(box), Rect(13, 0, 50, 30));
    EXPECT_EQ(shape->PixelFormat(), pf32bit);

    // More runs than one batch holds: every other pixel of 100 x 100.
    auto checks = Filled(100, 100, clFuchsia);
    for (int y = 0; y < 100; ++y)
        for (int x = (y & 1); x < 100; x += 2)
            Paint(*checks, Rect(x, y, x + 1, y + 1), clBlack);
    rgn = CreateRegionFromBitmap(checks.get(), 0, 0, clFuchsia, 0, 0, 0);
    EXPECT_TRUE(PtInRegion(rgn.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(rgn.Get(), 1, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 99, 99));
    EXPECT_FALSE(PtInRegion(rgn.Get(), 98, 99));

    // Each channel has its own tolerance above the key.
    auto tinted = Filled(4, 2, static_cast<TColor>(RGB(255, 0, 250)));
    const TColor key = static_cast<TColor>(RGB(250, 0, 250));
    EXPECT_EQ(GetRgnBox(CreateRegionFromBitmap(tinted.get(), 0, 0, key, 5, 0, 0).Get(), &box), NULLREGION);
    EXPECT_EQ(GetRgnBox(CreateRegionFromBitmap(tinted.get(), 0, 0, key, 0, 0, 5).Get(), &box), SIMPLEREGION);

    auto row = Filled(5, 1, clBlack);  // one row is enough
    EXPECT_EQ(GetRgnBox(CreateRegionFromBitmap(row.get(), 0, 0, clFuchsia, 0, 0, 0).Get(), &box), SIMPLEREGION);
    auto none = Filled(5, 5, clFuchsia);
    EXPECT_EQ(GetRgnBox(CreateRegionFromBitmap(none.get(), 0, 0, clFuchsia, 0, 0, 0).Get(), &box), NULLREGION);

    // As a real window's shape.
    auto* f = new TForm(nullptr);
    f->SetBounds(100, 100, 40, 30);
    f->Show();
    ASSERT_TRUE(SetWindowRgn(f->Handle(), CreateRegionFromBitmap(shape.get(), 0, 0, clFuchsia, 0, 0, 0).Release(), TRUE));
    TGdiObject<HRGN> got(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(f->Handle(), got.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(got.Get(), 1, 10));
    EXPECT_TRUE(PtInRegion(got.Get(), 3, 10));
    f->Free();
}

TEST_F(SkinDrawTest, ParentBackgroundIsPaintedAlignedAndClippedToTheControl)
{
    auto* f = new TForm(nullptr);
    f->SetBounds(50, 50, 200, 150);
    f->SetColor(clRed);
    auto* panel = new TPanel(f);
    panel->SetParent(f);
    panel->SetBounds(10, 20, 40, 30);
    auto* box = new TBlueBox(f);
    box->SetParent(f);
    box->SetBounds(15, 25, 10, 10);  // (5, 5) on the panel
    f->Show();

    auto picture = Filled(60, 40, clLime);
    HDC dc = picture->Canvas()->Handle();
    DrawParentBackground(panel, dc);
    EXPECT_EQ(At(*picture, 0, 0), clRed);
    EXPECT_EQ(At(*picture, 4, 4), clRed);
    EXPECT_EQ(At(*picture, 5, 5), clBlue);
    EXPECT_EQ(At(*picture, 14, 14), clBlue);
    EXPECT_EQ(At(*picture, 15, 15), clRed);
    EXPECT_EQ(At(*picture, 39, 29), clRed);
    EXPECT_EQ(At(*picture, 40, 10), clLime) << "clipped to the control";
    EXPECT_EQ(At(*picture, 10, 30), clLime);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0) << "the context is as it was";

    DrawParentBackground(f, dc);  // no parent: nothing
    f->Free();
}

TEST_F(SkinDrawTest, WideTextAndTheControlBehindAWindow)
{
    EXPECT_EQ(StrToWide("Alarm\xA0time"), L"Alarm\u00A0time");
    EXPECT_EQ(StrToWide(""), L"");
    EXPECT_EQ(WideCopy(L"abc", -1), L"abc");
    EXPECT_EQ(WideCopy(L"abc", 2), L"ab");
    EXPECT_EQ(WideCopy(L"abc", 99), L"abc");
    EXPECT_EQ(WideCopy(L"abc", -2), L"");
    EXPECT_EQ(WideCopy(nullptr, 3), L"");
    EXPECT_TRUE(SkinPlatform().WideText && SkinPlatform().NTPlatform) << "Wine is an NT system";

    // Without the wide flag the characters of the code page are drawn, others as "?".
    TSkinPlatform saved = SkinPlatform();
    RECT sizes[2];
    std::unique_ptr<TBitmap> drawn[2];
    const wchar_t* texts[2] = {L"Caf\u00E9 \u0394", L"Caf\u00E9 ?"};
    for (int wide = 0; wide < 2; ++wide) {
        SkinPlatform().WideText = wide == 1;
        drawn[wide] = Filled(80, 20, clWhite);
        HDC dc = drawn[wide]->Canvas()->Handle();
        sizes[wide] = RECT{0, 0, 80, 20};
        DrawTextWide(dc, texts[wide], sizes[wide], DT_CALCRECT | DT_SINGLELINE);
        RECT r{0, 0, 80, 20};
        EXPECT_GT(DrawTextWide(dc, texts[wide], r, DT_SINGLELINE), 0);
    }
    SkinPlatform() = saved;
    EXPECT_EQ(TRect(sizes[0]), TRect(sizes[1]));
    EXPECT_GT(sizes[1].right, 0);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(At(*drawn[0], x, y), At(*drawn[1], x, y)) << x << "," << y;

    auto* f = new TForm(nullptr);
    auto* button = new TButton(f);
    button->SetParent(f);
    EXPECT_EQ(FindControl(button->Handle()), button);
    EXPECT_EQ(FindControl(f->Handle()), f);
    EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);
    EXPECT_EQ(FindControl(nullptr), nullptr);
    f->Free();
}

TEST_F(SkinDrawTest, OptionalUser32EntriesAndTheirAbsence)
{
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | WS_VSCROLL | LBS_DISABLENOSCROLL, 300, 300, 80, 60,
                                nullptr, nullptr, nullptr, nullptr);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST, 300, 400, 80, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(list && combo);
    ShowWindow(list, SW_SHOWNA);
    SetCursorPos(340, 330);  // over the list: tracking a leave needs the pointer inside
    ASSERT_TRUE(PumpUntil([list] {
        POINT p{};
        return GetCursorPos(&p) && WindowFromPoint(p) == list;
    })) << "the pointer did not get over the list";
    const auto tracked = [list] {
        TRACKMOUSEEVENT q{sizeof q, TME_QUERY, nullptr, 0};
        return TrackMouseEvent(&q) && q.hwndTrack == list && (q.dwFlags & TME_LEAVE);
    };
    const auto cancel = [list] {
        TRACKMOUSEEVENT c{sizeof c, TME_CANCEL | TME_LEAVE, list, 0};
        TrackMouseEvent(&c);
    };

    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    EXPECT_TRUE(SkinGetScrollBarInfo(list, OBJID_VSCROLL, sbi));
    COMBOBOXINFO cbi{};
    cbi.cbSize = sizeof cbi;
    EXPECT_TRUE(SkinGetComboBoxInfo(combo, cbi));
    EXPECT_NE(cbi.hwndList, nullptr);
    cancel();
    SkinTrackMouseLeave(list);
    EXPECT_TRUE(tracked());
    cancel();

    {
        TEntriesGuard guard;
        SkinUser32Entries() = TSkinUser32Entries{};
        SCROLLBARINFO untouched;
        std::memset(&untouched, 0xCD, sizeof untouched);
        SCROLLBARINFO info = untouched;
        EXPECT_FALSE(SkinGetScrollBarInfo(list, OBJID_VSCROLL, info));
        EXPECT_EQ(std::memcmp(&info, &untouched, sizeof info), 0);
        EXPECT_FALSE(SkinGetComboBoxInfo(combo, cbi));
        SkinTrackMouseLeave(list);
        EXPECT_FALSE(tracked());
    }
    EXPECT_NE(SkinUser32Entries().GetScrollBarInfo, nullptr) << "put back";
    DestroyWindow(list);
    DestroyWindow(combo);
}

TEST(SkinScratch, OneBitmapThatKeepsItsStretchMode)
{
    TBitmap* scratch = SkinScratchBitmap();
    ASSERT_NE(scratch, nullptr);
    EXPECT_EQ(SkinScratchBitmap(), scratch);
    scratch->SetSize(30, 20);
    EXPECT_EQ(GetStretchBltMode(scratch->Canvas()->Handle()), COLORONCOLOR);
    scratch->SetSize(0, 0);
}

// Right to left on real windows. The toolkit: BiDiMode streamed from a form file, turned into
// window styles, followed by children, menus and status panels, and changed on live windows.
// The skin engine, with both theme skins, on the right-to-left form of forms/rtlform.form: the
// menu bar laid out from the right, its drop-downs opened right-aligned and drawn mirrored, the
// arrow keys swapped in the real menu loop, the caption text in each alignment, check boxes,
// buttons and glyph buttons, the group box, the status bars and the combo box in both its
// drawings; then the same form turned left to right.
#include <memory>

#include "buttons.h"
#include "namedclass.h"
#include "rtlform.h"
#include "skindraw.h"

namespace {


// Glyph buttons as the dispatch knows them by class name: a glyph button, one drawn from a
// picture property, and a speed button with a picture property. Their pictures are white, far
// from any caption's ink: a glyph of one colour is left out by its own transparency, a picture
// property is drawn as it is.
class TRtlGlyphButton : public TCustomControl {
    TK_CLASS(TRtlGlyphButton, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    TBitmap* Glyph() const { return FGlyph.get(); }
    TBitmap* PngImage() const { return FGlyph.get(); }

private:
    std::unique_ptr<TBitmap> FGlyph = Filled(12, 12, clWhite);
};

const TClassInfo& TRtlGlyphButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TRtlGlyphButton>("TRtlGlyphButton", &TCustomControl::StaticClass())
            .Prop("Caption", &TRtlGlyphButton::GetText, &TRtlGlyphButton::SetText)
            .ObjectProp<TBitmap>("Glyph", &TRtlGlyphButton::Glyph)
            .ObjectProp<TBitmap>("PngImage", &TRtlGlyphButton::PngImage)
            .Build();
    return info;
}

NAMED_TEST_CLASS(TRtlPictureButton, TRtlGlyphButton)

class TRtlPictureSpeedButton : public TSpeedButton {
    TK_CLASS(TRtlPictureSpeedButton, TSpeedButton)
public:
    using TSpeedButton::TSpeedButton;
    TBitmap* PngImage() const { return FPicture.get(); }

private:
    std::unique_ptr<TBitmap> FPicture = Filled(12, 12, clWhite);
};

const TClassInfo& TRtlPictureSpeedButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TRtlPictureSpeedButton>("TRtlPictureSpeedButton", &TSpeedButton::StaticClass())
            .ObjectProp<TBitmap>("PngImage", &TRtlPictureSpeedButton::PngImage)
            .Build();
    return info;
}

// The glyph buttons of the dispatch on the right-to-left form.
class RtlGlyphButtonTest : public RtlSkinTest {
protected:
    void BeforeSkinning() override
    {
        Data->Skin3rd()->Add("TRtlGlyphButton=bitbtn");
        Data->Skin3rd()->Add("TRtlPictureButton=pngbitbtn");
        Data->Skin3rd()->Add("TRtlPictureSpeedButton=pngspeedbutton");
        Glyph = Button<TRtlGlyphButton>("GlyphButton1", 220, 180);
        Picture = Button<TRtlPictureButton>("PictureButton1", 320, 180);
        Speed = Button<TRtlPictureSpeedButton>("PictureSpeedButton1", 220, 215);
    }
    template <class T>
    T* Button(const char* name, int left, int top)
    {
        T* b = Add<T>(Form, Form, name, left, top, 90, 28);
        b->SetCaption("Go__");
        return b;
    }
    // How the caption reads, clear of the edges.
    TReading Reading(TControl* c) { return RtlSkinTest::Reading(c, ButtonText(), TRect(3, 3, 87, 25)); }

    TControl *Glyph = nullptr, *Picture = nullptr, *Speed = nullptr;
};

}  // namespace

// ---------------------------------------------------------------- the toolkit

using RtlToolkitTest = GuiTest;

TEST_F(RtlToolkitTest, BiDiModeIsStreamedTurnedIntoStylesAndFollowedByChildrenAndMenus)
{
    TOwnedObject<TRtlForm> form(NewRtlForm());
    form->Show();
    const HWND window = form->Handle();
    const DWORD rtl = WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    EXPECT_EQ(GetPropText(form.Get(), "BiDiMode"), "bdrighttoleft");
    EXPECT_EQ(ExStyleOf(window) & BiDiExStyles, rtl);
    // A child follows its parent: the check box reads, aligns and puts its button on the right.
    TCheckBox* first = form->CheckBox1;
    EXPECT_TRUE(first->ParentBiDiMode());
    EXPECT_EQ(ExStyleOf(first->Handle()) & BiDiExStyles, rtl);
    EXPECT_TRUE(StyleOf(first->Handle()) & BS_RIGHTBUTTON);
    // A mode of its own: no right alignment, the scroll bar on the left only without "ReadingOnly".
    EXPECT_FALSE(form->CheckBox2->ParentBiDiMode());
    EXPECT_EQ(ExStyleOf(form->CheckBox2->Handle()) & BiDiExStyles, DWORD(WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR));
    EXPECT_FALSE(StyleOf(form->CheckBox2->Handle()) & BS_RIGHTBUTTON);
    EXPECT_EQ(ExStyleOf(form->CheckBox3->Handle()) & BiDiExStyles, DWORD(WS_EX_RTLREADING));
    // Menus follow their owner; status panels their bar, unless they have a mode of their own.
    EXPECT_TRUE(form->MainMenu1->IsRightToLeft());
    EXPECT_TRUE(form->PopupMenu1->IsRightToLeft());
    TStatusPanels* panels = form->StatusBar1->Panels();
    EXPECT_EQ(panels->Items(0)->BiDiMode(), bdRightToLeft);
    EXPECT_EQ(panels->Items(2)->BiDiMode(), bdLeftToRight);
    EXPECT_FALSE(panels->Items(2)->ParentBiDiMode());

    // Changed on the live form: the same windows, with the styles of the new mode; a child with
    // a mode of its own keeps it until it follows its parent again.
    const HWND check = first->Handle();
    form->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(form->Handle(), window);
    EXPECT_EQ(first->Handle(), check);
    EXPECT_EQ(ExStyleOf(window) & BiDiExStyles, 0u);
    EXPECT_EQ(ExStyleOf(check) & BiDiExStyles, 0u);
    EXPECT_FALSE(StyleOf(check) & BS_RIGHTBUTTON);
    EXPECT_EQ(form->CheckBox2->BiDiMode(), bdRightToLeftNoAlign);
    EXPECT_FALSE(form->MainMenu1->IsRightToLeft());
    EXPECT_EQ(panels->Items(0)->BiDiMode(), bdLeftToRight);
    form->SetBiDiMode(bdRightToLeftReadingOnly);
    EXPECT_EQ(ExStyleOf(check) & BiDiExStyles, DWORD(WS_EX_RTLREADING));
    EXPECT_EQ(form->CheckBox2->BiDiMode(), bdRightToLeftNoAlign);
    form->CheckBox2->SetParentBiDiMode(true);
    EXPECT_EQ(form->CheckBox2->BiDiMode(), bdRightToLeftReadingOnly);
    EXPECT_EQ(ExStyleOf(form->CheckBox2->Handle()) & BiDiExStyles, DWORD(WS_EX_RTLREADING));
    // A menu with a mode of its own no longer follows.
    form->PopupMenu1->SetBiDiMode(bdLeftToRight);
    EXPECT_FALSE(form->PopupMenu1->IsRightToLeft());
    EXPECT_TRUE(form->MainMenu1->IsRightToLeft());

    // The right-to-left check box still works by the mouse and the space key.
    ClickControl(first);
    EXPECT_TRUE(first->Checked());
    PressKey(VK_SPACE, check);
    EXPECT_FALSE(first->Checked());
}

// ---------------------------------------------------------------- the skinned form

TEST_P(RtlSkinTest, MenuBarRunsFromTheRightAndOpensItsDropDownsRightAligned)
{
    EXPECT_TRUE(Skin->RightToLeft());
    EXPECT_TRUE(Bar->RightToLeft());
    const TRect bar = Bar->BarRect();
    const TDataSkinObject* picture = Data->FMenuBar.get();
    EXPECT_EQ(Bar->Buttons(0)->Rect.right, bar.right - (picture ? picture->RightWidth + 8 : 6));
    for (int i = 1; i < 3; ++i)
        EXPECT_EQ(Bar->Buttons(i)->Rect.right, Bar->Buttons(i - 1)->Rect.left);
    auto shot = Shot(Form);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(InkOf(*shot, Bar->Buttons(i)->Rect, Colour(scMenuBarText)).Empty()) << i;
    TRect open;
    WhileOpen(0, [&](HWND popup) { open = WindowRectOf(popup); });
    const TRect window = WindowRectOf(Form->Handle());
    EXPECT_EQ(open.right, window.left + Bar->Buttons(0)->Rect.right);
    EXPECT_EQ(open.top, window.top + Bar->Buttons(0)->Rect.bottom);

    // Left to right: from the left edge, opened left-aligned.
    TurnLeftToRight();
    EXPECT_FALSE(Skin->RightToLeft());
    EXPECT_EQ(Bar->Buttons(0)->Rect.left, bar.left + (picture ? picture->LeftWidth + 4 : 6));
    EXPECT_EQ(Bar->Buttons(1)->Rect.left, Bar->Buttons(0)->Rect.right);
    WhileOpen(0, [&](HWND popup) { open = WindowRectOf(popup); });
    EXPECT_EQ(open.left, window.left + Bar->Buttons(0)->Rect.left);
}

TEST_P(RtlSkinTest, ArrowKeysAreSwappedInTheRealMenuLoop)
{
    // Buttons run leftwards from index 0: Left goes on to the next index, Right back.
    EXPECT_EQ(OpenedWithKeys(1, {VK_LEFT, VK_RIGHT, VK_RIGHT}),
              (std::vector<HMENU>{Sub(1), Sub(2), Sub(1), Sub(0)}));
    // Left from the last button wraps to the first.
    EXPECT_EQ(OpenedWithKeys(2, {VK_LEFT}), (std::vector<HMENU>{Sub(2), Sub(0)}));

    TurnLeftToRight();
    EXPECT_EQ(OpenedWithKeys(1, {VK_LEFT, VK_RIGHT, VK_RIGHT}),
              (std::vector<HMENU>{Sub(1), Sub(0), Sub(1), Sub(2)}));
}

TEST_P(RtlSkinTest, DropDownItemsAreDrawnMirrored)
{
    const TColor shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW));
    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    const TColor light = static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT));
    const TColor text = Colour(scMenuText);
    auto inPattern = [&](TColor c) { return c == face || c == light; };
    struct TSeen {
        TRect Item[3];
        std::unique_ptr<TBitmap> Shot;
    };
    auto look = [&] {
        TSeen s;
        WhileOpen(0, [&](HWND popup) {
            for (int i = 0; i < 3; ++i)
                s.Item[i] = ItemRect(popup, Sub(0), i);
            s.Shot = WindowShot(popup);
        });
        return s;
    };
    TSeen rtl = look();
    ASSERT_TRUE(rtl.Shot);
    // The checked item with an image: the glyph box at the right end, pattern-filled and
    // pressed in, the image at its top-left.
    const TRect& item = rtl.Item[0];
    const int boxRight = item.right - 1 - ItemLeft(), boxLeft = boxRight - 16, boxTop = item.top + 1;
    EXPECT_EQ(At(*rtl.Shot, boxLeft + 8, boxTop + 8), Rgb(clRed));
    EXPECT_EQ(At(*rtl.Shot, boxLeft, boxTop + 2), shadow);
    EXPECT_TRUE(inPattern(At(*rtl.Shot, boxLeft + 2, boxTop + 2)));
    EXPECT_TRUE(inPattern(At(*rtl.Shot, boxLeft + 3, boxTop + 2)));
    EXPECT_NE(At(*rtl.Shot, boxLeft + 2, boxTop + 2), At(*rtl.Shot, boxLeft + 3, boxTop + 2));
    // The checked item without an image: the check mark in the box on the right; the caption
    // right-aligned before the box, reading right to left.
    const TRect& open = rtl.Item[1];
    EXPECT_GT(CountOf(*rtl.Shot, TRect(open.right - 17 - ItemLeft(), open.top, open.right, open.bottom), Rgb(clBtnText)), 0);
    EXPECT_EQ(CountOf(*rtl.Shot, TRect(open.left, open.top, open.left + 20 + ItemLeft(), open.bottom), Rgb(clBtnText)), 0);
    auto seen = InkOf(*rtl.Shot, TRect(open.left, open.top, boxLeft - 2, open.bottom), text);
    ASSERT_FALSE(seen.Empty());
    EXPECT_GE(seen.Last(), boxLeft - 3 - 3);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
    // The shortcut left-aligned, 10 pixels into the caption's rectangle.
    const TRect& exit = rtl.Item[2];
    seen = InkOf(*rtl.Shot, TRect(exit.left, exit.top, exit.left + 60, exit.bottom), text);
    ASSERT_FALSE(seen.Empty());
    EXPECT_NEAR(seen.First(), exit.left + 11, 1);

    // Left to right: the box at the start, the caption after it.
    TurnLeftToRight();
    TSeen ltr = look();
    ASSERT_TRUE(ltr.Shot);
    const TRect& first = ltr.Item[0];
    const int left = first.left + 1 + ItemLeft();
    const int top = first.top + (first.Height() - 16) / 2;
    EXPECT_EQ(At(*ltr.Shot, left + 8, top + 8), Rgb(clRed));
    EXPECT_EQ(At(*ltr.Shot, left, top + 2), shadow);
    seen = InkOf(*ltr.Shot, TRect(left + 16, ltr.Item[1].top, ltr.Item[1].right, ltr.Item[1].bottom), text);
    EXPECT_EQ(ReadingOf(seen), TReading::LeftToRight);
}

TEST_P(RtlSkinTest, PopupMenuOfTheFormIsDrawnMirrored)
{
    TRect item;
    std::unique_ptr<TBitmap> shot;
    HMENU menu = Form->PopupMenu1->Handle();
    TMenuSteps steps;
    steps
        .WhenOpen([&](HWND popup) {
            item = ItemRect(popup, menu, 0);
            shot = WindowShot(popup);
            PostKey(Form->Handle(), VK_DOWN);
        })
        .When("the first item highlighted", [&] { return HighlightedItem(menu) == 0; },
              [&] { PostKey(Form->Handle(), VK_RETURN); });
    // A right click in the client area; then Down and Return choose the first item.
    EXPECT_TRUE(steps.Taken([&] {
        PostMessageA(Form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MakeMsgPoint(300, 200));
        PostMessageA(Form->Handle(), WM_RBUTTONUP, 0, MakeMsgPoint(300, 200));
    }));
    ASSERT_TRUE(shot);
    EXPECT_TRUE(PumpUntil([&] { return !Form->Clicked.empty(); })) << "nothing chosen";
    EXPECT_EQ(Form->Clicked, (std::vector<String>{"ShowItem"}));
    const int boxLeft = item.right - 1 - ItemLeft() - 16;
    EXPECT_EQ(At(*shot, boxLeft + 8, item.top + 9), Rgb(clRed));
    EXPECT_EQ(CountOf(*shot, TRect(item.left, item.top, item.left + 24, item.bottom), Rgb(clRed)), 0);
}

TEST_P(RtlSkinTest, CaptionTextStandsAtTheButtonsAndReadsRightToLeft)
{
    const TColor title = Colour(scTitleTextActive);
    const int width = WindowRectOf(Form->Handle()).Width();
    auto caption = [&] { return Shot(Form); };
    auto shot = caption();
    const TRect text = Skin->CaptionTextRect();
    // Left-aligned text goes against the caption buttons, 10 pixels further right.
    int extent = 0;
    for (int i = 0; i < Skin->ButtonCount(); ++i) {
        const TDataSkinSysButton* o = Skin->Buttons(i)->SkinObject();
        if (o && o->Align == 1 && !o->Bitmap.Empty() && Skin->Buttons(i)->Visible)
            extent = std::max(extent, o->Xcoord);
    }
    const TDataSkinTitle& style = *Data->FTitle;
    if (style.TextAlignment == 0) {
        EXPECT_EQ(text.right, width - Skin->RightBorder() - extent + 10);
    }
    auto seen = InkOf(*shot, TRect(text.left, 0, text.right, Skin->CaptionHeight()), title);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
    const int textWidth = text.Width();

    // Centred text stands in the middle of what the buttons leave; right-aligned text at the
    // shift from the left; both 10 pixels further right.
    const int alignment = style.TextAlignment;
    const int part = width - Skin->LeftBorder() - Skin->RightBorder();
    for (int a : {1, 2}) {
        Data->FTitle->TextAlignment = a;
        shot = caption();
        const TRect placed = Skin->CaptionTextRect();
        const int dx = a == 1 ? (part - textWidth - extent) / 2 : style.LeftWidth;
        EXPECT_EQ(placed.left, Skin->LeftBorder() + dx + 10) << a;
        EXPECT_EQ(placed.Width(), textWidth) << a;
        // At the left end a skin's left-aligned buttons may cover it.
        if (a == 1) {
            seen = InkOf(*shot, TRect(placed.left, 0, placed.right, Skin->CaptionHeight()), title);
            EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
        }
    }
    Data->FTitle->TextAlignment = alignment;

    // Caption buttons reaching over the whole caption: the text starts at the shift from the
    // caption's left, as wide as ever, and is drawn.
    struct TKept {
        TDataSkinSysButton* Button;
        int Align, Xcoord;
    };
    std::vector<TKept> kept;
    for (auto& b : Data->FSysButtons) {
        if (!b->Bitmap.Empty()) {
            kept.push_back({b.get(), b->Align, b->Xcoord});
            b->Align = 1;
            b->Xcoord = width + 40;
        }
    }
    shot = caption();
    const TRect pushed = Skin->CaptionTextRect();
    EXPECT_EQ(pushed.left, Skin->LeftBorder() + style.LeftWidth + 10);
    EXPECT_EQ(pushed.Width(), textWidth);
    EXPECT_EQ(ReadingOf(InkOf(*shot, TRect(pushed.left, 0, pushed.right, Skin->CaptionHeight()), title)),
              TReading::RightToLeft);
    for (const TKept& k : kept) {
        k.Button->Align = k.Align;
        k.Button->Xcoord = k.Xcoord;
    }

    TurnLeftToRight();
    EXPECT_FALSE(Skin->RightToLeft());
    shot = caption();
    const TRect ltr = Skin->CaptionTextRect();
    if (style.TextAlignment == 0) {
        EXPECT_EQ(ltr.left, Skin->LeftBorder() + style.LeftWidth);
    }
    EXPECT_EQ(ltr.Width(), textWidth);
    seen = InkOf(*shot, TRect(ltr.left, 0, ltr.right, Skin->CaptionHeight()), title);
    EXPECT_EQ(ReadingOf(seen), TReading::LeftToRight);
}

TEST_P(RtlSkinTest, ControlsReadFromTheRightAndAlignThere)
{
    const TDataSkinButton& glyphs = *Data->FButtons;
    const int n = glyphs.CheckButtonFrame, fw = glyphs.CheckBitmap.Width() / n, fh = glyphs.CheckBitmap.Height();
    auto glyphAt = [&](TCheckBox* c, int x, int state) {
        auto piece = StripPiece(const_cast<TBitmap*>(&glyphs.CheckBitmap), n, state, fw, fh, Rgb(Colour(scButtonFace)));
        return SameArea(*Shot(c), x, (c->Height() - fh) / 2, *piece);
    };
    TCheckBox* right = Form->CheckBox1;
    const int w = right->Width();
    // The right-to-left check box: its button on the right, the caption right-aligned before it.
    EXPECT_TRUE(glyphAt(right, w - fw, 1));
    auto seen = InkOf(*Shot(right), TRect(0, 0, w - fw, right->Height()), clWindowText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_GE(seen.Last(), w - fw - 2 - 3);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
    // A click on its button checks it.
    ClickAt(right->Handle(), w - fw / 2 - 1, right->Height() / 2);
    EXPECT_TRUE(right->Checked());
    EXPECT_FALSE(glyphAt(right, w - fw, 1));
    // Reading right to left without right alignment: the button on the left, the caption read
    // left to right (only bdRightToLeft turns the reading order of the skin's text).
    EXPECT_TRUE(glyphAt(Form->CheckBox2, 0, 1));
    const TRect afterGlyph(fw + 1, 0, w, right->Height());
    EXPECT_EQ(Reading(Form->CheckBox2, clWindowText, afterGlyph), TReading::LeftToRight);
    // A right-to-left radio button with its button on the left reads right to left from the left.
    seen = InkOf(*Shot(Form->RadioButton1), TRect(fw + 1, 0, w, Form->RadioButton1->Height()), clWindowText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_LE(seen.First(), fw + 2 + 2);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
    // Button, speed button (with a glyph) and group box read right to left; the group box's
    // caption stands 8 pixels from its right edge.
    const TRect inside(3, 3, 87, 22);  // clear of the buttons' edges
    EXPECT_EQ(Reading(Form->Button1, ButtonText(), inside), TReading::RightToLeft);
    EXPECT_EQ(Reading(Form->SpeedButton1, ButtonText(), inside), TReading::RightToLeft);
    TGroupBox* group = Form->GroupBox1;
    const TRect groupCaption(4, 0, group->Width() - 4, 14);  // clear of the frame's sides
    seen = InkOf(*Shot(group), groupCaption, clWindowText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_NEAR(seen.Last(), group->Width() - 8, 2);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);

    // The current tab's text reads right to left; the date-time picker's arrow button sits on
    // the left.
    TPageControl* pages = Form->PageControl1;
    RECT tab{};
    SendMessageA(pages->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    const TColor tabText = Data->FTabs ? Data->FTabs->MouseOverColour2 : clWindowText;
    const TRect tabInside(tab.left + 5, tab.top + 3, tab.right - 5, tab.bottom - 1);  // clear of its rounded edge
    EXPECT_EQ(Reading(pages, tabText, tabInside),
              TReading::RightToLeft);
    const int arrowSize = GetSystemMetrics(SM_CXHSCROLL);
    auto arrowLeft = [this] {
        HWND picker = Form->DateTimePicker1->Handle();
        HWND arrow = FindWindowExA(picker, nullptr, "TArrowButton", nullptr);
        RECT r{};
        GetWindowRect(arrow, &r);
        MapWindowPoints(HWND_DESKTOP, picker, reinterpret_cast<POINT*>(&r), 2);
        return arrow ? static_cast<int>(r.left) : -1;
    };
    EXPECT_EQ(arrowLeft(), 2);

    // Status bars: the simple text right-aligned; panel alignments exchanged, except in a panel
    // of its own left-to-right mode.
    const TColor barText = Data->FStatusBarEdges ? Data->FStatusBarEdges->NormalColour2 : clWindowText;
    TStatusBar* simple = Form->StatusBar2;
    const TRect simpleText(2, 2, simple->Width() - 2, simple->Height() - 2);  // inside its edge
    seen = InkOf(*Shot(simple), simpleText, barText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_GE(seen.Last(), simpleText.right - 4);
    EXPECT_EQ(ReadingOf(seen), TReading::RightToLeft);
    TStatusBar* panels = Form->StatusBar1;
    auto panelInk = [&](int i) {
        RECT q{};
        SendMessageA(panels->Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&q));
        return std::make_pair(TRect(q), InkOf(*Shot(panels), TRect(q.left + 2, 2, q.right, q.bottom - 2), barText));
    };
    auto [q0, first] = panelInk(0);
    ASSERT_FALSE(first.Empty());
    EXPECT_GE(first.Last(), q0.right - 4);
    auto [q1, second] = panelInk(1);
    ASSERT_FALSE(second.Empty());
    EXPECT_LE(second.First(), q1.left + 4);
    auto [q2, own] = panelInk(2);
    ASSERT_FALSE(own.Empty());
    EXPECT_LE(own.First(), q2.left + 4);

    // The combo box: the theme skins draw it whole, right to left from the mirrored picture
    // with the button on the left. Where that picture leaves the box free (magenta), the
    // control's own painting shows.
    TComboBox* combo = Form->ComboBox1;
    EXPECT_TRUE(ExStyleOf(combo->Handle()) & WS_EX_LEFTSCROLLBAR);
    auto drawnFrom = [&](TDataSkinObject* o) {
        auto shot = Shot(combo);
        auto expected = Filled(shot->Width(), shot->Height(), clFuchsia);
        DrawSkinBitmapSliced(expected->Canvas()->Handle(), TRect(0, 0, shot->Width(), shot->Height()), &o->Bitmap,
                             o->Margins(), 1, o->Frame, true, false, false);
        int same = 0, opaque = 0;
        for (int y = 0; y < shot->Height(); ++y)
            for (int x = 0; x < shot->Width(); ++x)
                if (const TColor e = At(*expected, x, y); e != Rgb(clFuchsia)) {
                    ++opaque;
                    same += At(*shot, x, y) == e;
                }
        return opaque > 0 && same == opaque;
    };
    ASSERT_EQ(Data->FComboButton->Style, 2);
    EXPECT_TRUE(drawnFrom(Data->FSunkEdge.get()));

    // The same form left to right.
    TurnLeftToRight();
    EXPECT_TRUE(glyphAt(right, 0, n == 12 ? 5 : 2));  // checked, on the left
    EXPECT_EQ(Reading(right, clWindowText, afterGlyph), TReading::LeftToRight);
    EXPECT_EQ(Reading(Form->Button1, ButtonText(), inside), TReading::LeftToRight);
    EXPECT_EQ(Reading(Form->SpeedButton1, ButtonText(), inside), TReading::LeftToRight);
    seen = InkOf(*Shot(group), groupCaption, clWindowText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_NEAR(seen.First(), 8, 2);
    seen = InkOf(*Shot(simple), simpleText, barText);
    ASSERT_FALSE(seen.Empty());
    EXPECT_LE(seen.First(), simpleText.left + 3);
    std::tie(q0, first) = panelInk(0);
    ASSERT_FALSE(first.Empty());
    EXPECT_LE(first.First(), q0.left + 4);
    EXPECT_EQ(Reading(pages, tabText, tabInside),
              TReading::LeftToRight);
    EXPECT_EQ(arrowLeft(), Form->DateTimePicker1->Width() - arrowSize - 4);
    EXPECT_FALSE(ExStyleOf(combo->Handle()) & WS_EX_LEFTSCROLLBAR);
    EXPECT_TRUE(drawnFrom(Data->FComboButton.get()));
}

TEST_P(RtlSkinTest, PlainComboHasItsButtonOnTheLeft)
{
    // The plain drawing: the skin's button picture at the left end inside the ring, as it stands
    // at the right end left to right.
    TDataSkinBorder& button = *Data->FComboButton;
    button.Style = 1;
    TComboBox* combo = Form->ComboBox1;
    const int w = combo->Width(), h = combo->Height();
    const int bw = button.Bitmap.Width() / std::max(button.Frame, 1);
    auto block = [&](TBitmap& b, int left) {
        auto part = std::make_unique<TBitmap>(bw, h - 4);
        BitBlt(part->Canvas()->Handle(), 0, 0, bw, h - 4, b.Canvas()->Handle(), left, 2, SRCCOPY);
        return part;
    };
    auto rtl = Shot(combo);
    TurnLeftToRight();
    auto ltr = Shot(combo);
    auto shown = block(*ltr, w - 2 - bw);
    EXPECT_FALSE(SameArea(*block(*ltr, 2), 0, 0, *shown));
    EXPECT_TRUE(SameArea(*block(*rtl, 2), 0, 0, *shown));
    EXPECT_FALSE(SameArea(*block(*rtl, w - 2 - bw), 0, 0, *shown));
}

TEST_P(RtlGlyphButtonTest, CaptionsReadRightToLeftExceptOnAPictureButton)
{
    EXPECT_EQ(Reading(Glyph), TReading::RightToLeft);
    EXPECT_EQ(Reading(Speed), TReading::RightToLeft);
    // A glyph button drawn from its picture property keeps the text's own reading order.
    EXPECT_EQ(Reading(Picture), TReading::LeftToRight);

    TurnLeftToRight();
    for (TControl* c : {Glyph, Speed, Picture})
        EXPECT_EQ(Reading(c), TReading::LeftToRight) << c->Name();
}
INSTANTIATE_TEST_SUITE_P(ThemeSkins, RtlSkinTest, testing::Values("default.skn", "macos.skn"), ThemeName);
INSTANTIATE_TEST_SUITE_P(ThemeSkins, RtlGlyphButtonTest, testing::Values("default.skn", "macos.skn"), ThemeName);

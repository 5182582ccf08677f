// The status bar, group box and box skins on real controls: panel edges, texts and the grip
// against the skin's pictures, simple mode, plain edges, owner-drawn panels; the group box's
// frame, caption and windowless children; the box's colour given and taken back.
#include <windows.h>

#include <commctrl.h>

#include "controlskintest.h"
#include "groupbox.h"
#include "skinboxes.h"
#include "statusbar.h"
#include "stdctrls.h"

namespace {

class TPanelLog : public TObject {
public:
    void Draw(TCustomStatusBar* bar, TStatusPanel* panel, const TRect& r)
    {
        Drawn.emplace_back(panel->Index(), r);
        bar->Canvas()->Brush()->SetColor(clLime);
        bar->Canvas()->FillRect(r);
    }
    std::vector<std::pair<int, TRect>> Drawn;
};

class BoxSkinTest : public ControlSkinTest {
protected:
    BoxSkinTest() : ControlSkinTest(360, 260, "default.skn") {}
    // Panels lowered "Left", raised "Mid", no bevel and no text.
    TStatusBar* NewBar()
    {
        Bar = Add<TStatusBar>(Form, Form, "StatusBar1", 0, 0, 360, 22);
        for (auto [text, bevel] : {std::pair{"Left", pbLowered}, {"Mid", pbRaised}, {"", pbNone}}) {
            TStatusPanel* p = Bar->Panels()->Add();
            p->SetText(text);
            p->SetBevel(bevel);
            p->SetWidth(100);
        }
        return Bar;
    }
    RECT Panel(int i) const
    {
        RECT r{};
        SendMessageA(Bar->Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // Column x of a frame of the 3-frame edge picture, at its middle row.
    TColor Edge(int frame, int x) const
    {
        const TBitmap& b = Data->FStatusBarEdges->Bitmap;
        return PicturePixel(b, (frame - 1) * (b.Width() / 3) + x, b.Height() / 2);
    }
    TColor Ink() const { return Rgb(Data->FStatusBarEdges->NormalColour2); }
    TStatusBar* Bar = nullptr;
};

}  // namespace

TEST_F(BoxSkinTest, StatusBarPanelsTextsAndGrip)
{
    HWND wnd = NewBar()->Handle();
    SetWindowLongA(wnd, GWL_STYLE, GetWindowLongA(wnd, GWL_STYLE) | SBARS_SIZEGRIP);
    Data->FStatusBarEdges->NormalColour2 = 0x00204080;
    auto* skin = SkinControl<TSkinStatusBar>(TSkinKind::StatusBar, Bar);
    // The background is the skin's alone.
    auto erased = Filled(20, 20, clWhite);
    EXPECT_EQ(SendMessageA(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased->Canvas()->Handle()), 0), 1);
    EXPECT_EQ(At(*erased, 10, 10), clWhite);
    std::unique_ptr<TBitmap> shot = ScreenOf(Bar->Handle());
    const int mid = shot->Height() / 2, fw = Data->FStatusBarEdges->Bitmap.Width() / 3;
    // Lowered frame 1 (reaching 2 further right), raised 2, none 3; texts in the edges' colour.
    EXPECT_EQ(At(*shot, Panel(0).left, mid), Edge(1, 0));
    EXPECT_EQ(At(*shot, Panel(0).right + 1, mid), Edge(1, fw - 1));
    EXPECT_EQ(At(*shot, Panel(1).left, mid), Edge(2, 0));
    EXPECT_EQ(At(*shot, Panel(2).left, mid), Edge(3, 0));
    EXPECT_GT(CountOf(*shot, Panel(0), Ink()), 5);
    EXPECT_GT(CountOf(*shot, Panel(1), Ink()), 5);
    // The grip: frame 5 of ExtraImages one pixel in from the bottom-right corner.
    const TDataSkinObject& extra = *Data->FExtraImages;
    const int w = extra.Bitmap.Width() / extra.Frame, h = extra.Bitmap.Height();
    auto gripShown = [&](TBitmap& b) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const TColor g = PicturePixel(extra.Bitmap, 4 * w + x, y);
                if (g != clFuchsia && At(b, b.Width() - 1 - w + x, b.Height() - 1 - h + y) != g)
                    return false;
            }
        return true;
    };
    EXPECT_TRUE(gripShown(*shot));

    // Without the grip style, no grip.
    SetWindowLongA(wnd, GWL_STYLE, GetWindowLongA(wnd, GWL_STYLE) & ~SBARS_SIZEGRIP);
    EXPECT_FALSE(gripShown(*PaintedBy(skin)));
    // A right-to-left panel's left alignment is its right.
    Bar->Panels()->Items(0)->SetBiDiMode(bdRightToLeft);
    shot = PaintedBy(skin);
    EXPECT_EQ(CountOf(*shot, Rect(Panel(0).left, 0, Panel(0).left + 50, shot->Height()), Ink()), 0);
    EXPECT_GT(CountOf(*shot, Rect(Panel(0).left + 50, 0, Panel(0).right, shot->Height()), Ink()), 5);

    // Simple mode: one lowered panel over the whole width with the simple text; a bar
    // without panels too; right-aligned when the bar reads right to left.
    Bar->SetSimplePanel(true);
    Bar->SetSimpleText("Ready");
    shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, 0, mid), Edge(1, 0));
    EXPECT_EQ(At(*shot, 120, mid), Edge(1, fw / 2));
    EXPECT_GT(CountOf(*shot, Rect(0, 0, 60, shot->Height()), Ink()), 5);
    auto* bare = Add<TStatusBar>(Form, Form, "StatusBar2", 0, 100, 360, 22);
    bare->SetSimpleText("Ready");
    auto* bareSkin = SkinControl<TSkinStatusBar>(TSkinKind::StatusBar, bare);
    EXPECT_GT(CountOf(*PaintedBy(bareSkin), Rect(0, 0, 60, shot->Height()), Ink()), 5);
    bare->SetBiDiMode(bdRightToLeft);
    std::unique_ptr<TBitmap> rtl = PaintedBy(bareSkin);
    EXPECT_EQ(CountOf(*rtl, Rect(0, 0, 300, rtl->Height()), Ink()), 0);
    EXPECT_GT(CountOf(*rtl, Rect(300, 0, 360, rtl->Height()), Ink()), 5);
    // The edges are copied as they are, magenta too.
    TBitmap& edges = Data->FStatusBarEdges->Bitmap;
    Paint(edges, Rect(0, 0, fw, edges.Height()), clFuchsia);
    EXPECT_EQ(At(*PaintedBy(skin), 120, mid), clFuchsia);
    // Without edge pictures: plain 3-D edges, and none for no bevel.
    Bar->SetSimplePanel(false);
    Data->FStatusBarEdges.reset();
    shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, Panel(0).left, mid), Rgb(clBtnShadow));
    EXPECT_EQ(At(*shot, Panel(1).left, mid), Rgb(clBtnHighlight));
    EXPECT_EQ(At(*shot, Panel(2).left, mid), Face());
}

TEST_F(BoxSkinTest, AStatusBarsWindowlessChildrenShowOverItsPanels)
{
    RedLabel(NewBar(), 150, 4, 30, 12);
    auto* skin = SkinControl<TSkinStatusBar>(TSkinKind::StatusBar, Bar);
    EXPECT_EQ(PixelAt(skin, 160, 8), clRed);
}

TEST_F(BoxSkinTest, OwnerDrawnPanelsGetTheirEdgeAndTheEventForEveryPanel)
{
    NewBar()->Panels()->Items(1)->SetStyle(psOwnerDraw);
    auto* skin = SkinControl<TSkinStatusBar>(TSkinKind::StatusBar, Bar);
    // Without a handler the owner-drawn panel shows its edge and none of its text.
    EXPECT_EQ(CountOf(*PaintedBy(skin), Panel(1), Ink()), 0);
    EXPECT_GT(CountOf(*PaintedBy(skin), Panel(0), Ink()), 5);
    TPanelLog log;
    Bar->OnDrawPanel = TDrawPanelEvent(&log, &TPanelLog::Draw);
    log.Drawn.clear();
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    ASSERT_EQ(log.Drawn.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        RECT r = Panel(i);
        InflateRect(&r, -2, -2);
        EXPECT_EQ(log.Drawn[static_cast<size_t>(i)], std::make_pair(i, TRect(r)));
    }
    // Drawn into the same DC; the owner-drawn panel has its edge but none of its text.
    EXPECT_EQ(At(*shot, Panel(1).left + 5, shot->Height() / 2), clLime);
    EXPECT_EQ(At(*shot, Panel(1).left, shot->Height() / 2), Edge(2, 0));
    EXPECT_EQ(CountOf(*shot, Panel(1), Ink()), 0);
    // In simple mode too the event runs for each panel whose rectangle the bar gives.
    Bar->SetSimplePanel(true);
    log.Drawn.clear();
    PaintedBy(skin);
    ASSERT_EQ(log.Drawn.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        RECT r = Panel(i);
        InflateRect(&r, -2, -2);
        EXPECT_EQ(log.Drawn[static_cast<size_t>(i)], std::make_pair(i, TRect(r)));
    }
}

TEST_F(BoxSkinTest, GroupBoxFrameCaptionAndChildren)
{
    auto* box = Add<TGroupBox>(Form, Form, "GroupBox1", 10, 10, 200, 120);
    box->SetCaption("Settings");
    auto* label = Add<TLabel>(Form, box, "Label1", 20, 40, 30, 15);
    label->SetTransparent(false);
    label->SetColor(clRed);
    label->SetParentFont(false);
    box->Font()->SetColor(clMaroon);
    EXPECT_EQ(SkinControl<TSkinGroupBox>(TSkinKind::GroupBox, box)->Mode(), 1);
    std::unique_ptr<TBitmap> shot = ScreenOf(box->Handle());
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(box->Font());
    const int top = measure.Canvas()->TextHeight("0") / 2 - 1;
    // The rounded ButtonShadow frame from half the caption's height less 1, the face inside,
    // the caption from 8 pixels in (breaking the line), the windowless child.
    EXPECT_EQ(At(*shot, 1, 60), Shadow());
    EXPECT_EQ(At(*shot, 100, 118), Shadow());
    EXPECT_EQ(At(*shot, 150, top), Shadow());
    EXPECT_EQ(At(*shot, 0, 60), Face());
    EXPECT_EQ(At(*shot, 100, 80), Face());
    EXPECT_NE(At(*shot, 10, top), Shadow());
    EXPECT_EQ(CountOf(*shot, Rect(0, 0, 8, 2 * top), Rgb(box->Font()->Color())), 0);
    EXPECT_GT(CountOf(*shot, Rect(8, 0, 80, 2 * top + 4), Rgb(box->Font()->Color())), 5);
    // Behind the caption's letters lies the face, not the context's own background colour.
    const TRect caption = Bounds(8, 0, measure.Canvas()->TextWidth("Settings"), measure.Canvas()->TextHeight("Settings"));
    EXPECT_EQ(CountOf(*shot, caption, clWhite), 0);
    EXPECT_GT(CountOf(*shot, caption, Face()), caption.Width() * caption.Height() / 2);
    EXPECT_EQ(At(*shot, 30, 45), clRed);

    // A native one paints itself; the skin covers its frame with the face and draws its own.
    HWND native = RawChild("BUTTON", BS_GROUPBOX, 10, 140, 200, 100, "Native");
    EXPECT_EQ(SkinWindow<TSkinGroupBox>(TSkinKind::GroupBox, native)->Mode(), 0);
    shot = ScreenOf(native);
    EXPECT_EQ(At(*shot, 0, 60), Face());
    EXPECT_EQ(At(*shot, 1, 60), Shadow());
    EXPECT_EQ(At(*shot, 199, 60), Face());
    int frameTop = 0;
    while (frameTop < 30 && At(*shot, 100, frameTop) != Shadow())
        ++frameTop;
    EXPECT_EQ(At(*shot, 100, frameTop + 1), Face()) << "the native frame's second line shows";

    // Aligned right (WS_EX_RIGHT), the caption ends 8 pixels from the right edge.
    SetWindowLongA(box->Handle(), GWL_EXSTYLE, GetWindowLongA(box->Handle(), GWL_EXSTYLE) | WS_EX_RIGHT);
    shot = ScreenOf(box->Handle());
    const TColor ink = Rgb(box->Font()->Color());
    EXPECT_EQ(CountOf(*shot, Rect(0, 0, 120, 2 * top + 4), ink), 0);
    EXPECT_GT(CountOf(*shot, Rect(120, 0, 192, 2 * top + 4), ink), 5);
    EXPECT_EQ(CountOf(*shot, Rect(192, 0, 200, 2 * top + 4), ink), 0);
}

TEST_F(BoxSkinTest, BoxGivesTheFaceColourAndTakesItBack)
{
    auto* panel = Add<TPanel>(Form, Form, "Panel1", 10, 10, 100, 50);
    panel->SetColor(clYellow);
    const TWndMethod before = panel->WindowProc;
    auto* skin = SkinControl<TSkinBox>(TSkinKind::Box, panel, true);
    EXPECT_EQ(panel->Color(), Data->FColors[scButtonFace]);
    EXPECT_TRUE(panel->WindowProc == before);  // it stays out of the control's messages
    EXPECT_EQ(SkinForm->FindSkinControl(panel), skin);
    ASSERT_NO_FATAL_FAILURE(UseTheme("macos.skn"));
    skin->SkinChanged();
    EXPECT_EQ(panel->Color(), Data->FColors[scButtonFace]);
    skin->Unskin();
    EXPECT_EQ(panel->Color(), clYellow);
    EXPECT_EQ(skin->State(), TSkinControl::stUnskinned);
    FreeAndNil(panel);
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
}

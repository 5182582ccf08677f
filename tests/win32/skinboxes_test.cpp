// The status bar, group box and box skins on real controls: panel edges, texts and the grip
// against the skin's pictures, simple mode, owner-drawn panels; the group box's frame,
// caption and windowless children (toolkit and native); the box's colour given and taken back.
#include <windows.h>

#include <commctrl.h>

#include "controlskintest.h"
#include "groupbox.h"
#include "skinboxes.h"
#include "skinmessages.h"
#include "statusbar.h"
#include "stdctrls.h"

namespace {

struct TDrawn {
    int Panel;
    TRect Rect;
};

class TPanelLog : public TObject {
public:
    void Draw(TCustomStatusBar* bar, TStatusPanel* panel, const TRect& r)
    {
        Drawn.push_back({panel->Index(), r});
        bar->Canvas()->Brush()->SetColor(clLime);
        bar->Canvas()->FillRect(r);
    }
    std::vector<TDrawn> Drawn;
};

RECT PanelRect(HWND bar, int i)
{
    RECT r{};
    SendMessageA(bar, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

int CountOf(TBitmap& shot, const RECT& r, TColor c)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += At(shot, x, y) == c;
    return n;
}

class BoxSkinTest : public ControlSkinTest {
protected:
    TStatusBar* NewBar()
    {
        auto* bar = Add<TStatusBar>(Form, Form, "StatusBar1", 0, 0, 360, 22);
        const std::pair<const char*, TStatusPanelBevel> panels[] = {
            {"Left", pbLowered}, {"Mid", pbRaised}, {"", pbNone}};
        for (const auto& [text, bevel] : panels) {
            TStatusPanel* p = bar->Panels()->Add();
            p->SetText(text);
            p->SetBevel(bevel);
            p->SetWidth(100);
        }
        return bar;
    }
    // Column x of a frame of the 3-frame edge picture, at its middle row.
    TColor EdgeColumn(int frame, int x) const
    {
        const TBitmap& b = Data->FStatusBarEdges->Bitmap;
        return PicturePixel(b, (frame - 1) * (b.Width() / 3) + x, b.Height() / 2);
    }
    TColor Ink() const { return Rgb(Data->FStatusBarEdges->NormalColour2); }
};

}  // namespace

TEST_F(BoxSkinTest, StatusBarPanelsEdgesTextsAndGrip)
{
    TStatusBar* bar = NewBar();
    HWND h = bar->Handle();
    SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | SBARS_SIZEGRIP);
    auto* skin = SkinControl<TSkinStatusBar>(TSkinKind::StatusBar, bar);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    const int mid = shot->Height() / 2;
    // Edges: lowered frame 1, raised frame 2, none frame 3; each panel reaches 2 further right.
    const RECT p0 = PanelRect(h, 0), p1 = PanelRect(h, 1), p2 = PanelRect(h, 2);
    EXPECT_EQ(At(*shot, p0.left, mid), EdgeColumn(1, 0));
    EXPECT_EQ(At(*shot, p0.right + 1, mid), EdgeColumn(1, Data->FStatusBarEdges->Bitmap.Width() / 3 - 1));
    EXPECT_EQ(At(*shot, p1.left, mid), EdgeColumn(2, 0));
    EXPECT_EQ(At(*shot, p2.left, mid), EdgeColumn(3, 0));
    // Texts in the edge picture's text colour; an empty one draws nothing to see.
    EXPECT_GT(CountOf(*shot, p0, Ink()), 5);
    EXPECT_GT(CountOf(*shot, p1, Ink()), 5);
    EXPECT_EQ(CountOf(*shot, Rect(p2.left, p2.top, p2.right - 20, p2.bottom), Ink()), 0);
    // The grip: frame 5 of ExtraImages in the bottom-right corner, one pixel in.
    const TDataSkinObject& extra = *Data->FExtraImages;
    const int w = extra.Bitmap.Width() / extra.Frame, gh = extra.Bitmap.Height();
    int matched = 0, opaque = 0;
    for (int y = 0; y < gh; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor g = PicturePixel(extra.Bitmap, 4 * w + x, y);
            if (g == clFuchsia)
                continue;
            ++opaque;
            matched += At(*shot, shot->Width() - 1 - w + x, shot->Height() - 1 - gh + y) == g;
        }
    ASSERT_GT(opaque, 0);
    EXPECT_EQ(matched, opaque);

    // Without the grip style: none.
    SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) & ~SBARS_SIZEGRIP);
    std::unique_ptr<TBitmap> plain = PaintedBy(skin);
    EXPECT_EQ(At(*plain, shot->Width() - 4, shot->Height() - 4),
              At(*plain, shot->Width() - 24, shot->Height() - 4));
}

TEST_F(BoxSkinTest, StatusBarSimpleModeIsOneLoweredPanel)
{
    TStatusBar* bar = NewBar();
    bar->SetSimplePanel(true);
    bar->SetSimpleText("Ready");
    auto* skin = SkinControl<TSkinStatusBar>(TSkinKind::StatusBar, bar);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    const int mid = shot->Height() / 2;
    const int fw = Data->FStatusBarEdges->Bitmap.Width() / 3;
    EXPECT_EQ(At(*shot, 0, mid), EdgeColumn(1, 0));
    EXPECT_EQ(At(*shot, shot->Width() - 1, mid), EdgeColumn(1, fw - 1));
    EXPECT_EQ(At(*shot, 120, mid), EdgeColumn(1, fw / 2));  // no panel edges across it
    EXPECT_GT(CountOf(*shot, Rect(0, 0, 60, shot->Height()), Ink()), 5);
}

TEST_F(BoxSkinTest, StatusBarWithoutEdgePicturesDrawsPlainEdges)
{
    Data->FStatusBarEdges.reset();
    TStatusBar* bar = NewBar();
    auto* skin = SkinControl<TSkinStatusBar>(TSkinKind::StatusBar, bar);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    const RECT p0 = PanelRect(bar->Handle(), 0), p1 = PanelRect(bar->Handle(), 1), p2 = PanelRect(bar->Handle(), 2);
    const int mid = shot->Height() / 2;
    EXPECT_EQ(At(*shot, p0.left, mid), Rgb(clBtnShadow));
    EXPECT_EQ(At(*shot, p0.right + 1, mid), Rgb(clBtnHighlight));
    EXPECT_EQ(At(*shot, p1.left, mid), Rgb(clBtnHighlight));
    // No bevel: no edge at all.
    EXPECT_EQ(At(*shot, p2.left, mid), Face());
}

TEST_F(BoxSkinTest, OwnerDrawnPanelsGetTheirEdgeAndTheEventForEveryPanel)
{
    TStatusBar* bar = NewBar();
    bar->Panels()->Items(1)->SetStyle(psOwnerDraw);
    bar->Panels()->Items(1)->SetText("Hidden");
    TPanelLog log;
    bar->OnDrawPanel = TDrawPanelEvent(&log, &TPanelLog::Draw);
    auto* skin = SkinControl<TSkinStatusBar>(TSkinKind::StatusBar, bar);
    log.Drawn.clear();
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    ASSERT_EQ(log.Drawn.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        RECT r = PanelRect(bar->Handle(), i);
        InflateRect(&r, -2, -2);
        EXPECT_EQ(log.Drawn[static_cast<size_t>(i)].Panel, i);
        EXPECT_EQ(log.Drawn[static_cast<size_t>(i)].Rect, TRect(r));
    }
    // The handler drew into the same DC; the owner-drawn panel's edge is there, its text not.
    const RECT p1 = PanelRect(bar->Handle(), 1);
    EXPECT_EQ(At(*shot, p1.left + 5, shot->Height() / 2), clLime);
    EXPECT_EQ(At(*shot, p1.left, shot->Height() / 2), EdgeColumn(2, 0));
    EXPECT_EQ(CountOf(*shot, p1, Ink()), 0);

    // In simple mode the panels do not show, nor does their event run.
    bar->SetSimplePanel(true);
    log.Drawn.clear();
    PaintedBy(skin);
    EXPECT_TRUE(log.Drawn.empty());
}

TEST_F(BoxSkinTest, StatusBarPaintsOnScreenAndKeepsItsText)
{
    TStatusBar* bar = NewBar();
    SkinControl<TSkinStatusBar>(TSkinKind::StatusBar, bar);
    bar->Panels()->Items(0)->SetText("Changed");
    std::unique_ptr<TBitmap> shot = ScreenOf(bar->Handle());
    const RECT p0 = PanelRect(bar->Handle(), 0);
    EXPECT_EQ(At(*shot, p0.left, shot->Height() / 2), EdgeColumn(1, 0));
    EXPECT_GT(CountOf(*shot, p0, Ink()), 5);
    char text[64] = {};
    SendMessageA(bar->Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Changed");
}

// ---------------------------------------------------------------- group box

TEST_F(BoxSkinTest, GroupBoxRoundedFrameCaptionAndChildren)
{
    auto* box = Add<TGroupBox>(Form, Form, "GroupBox1", 10, 10, 200, 120);
    box->SetCaption("Settings");
    auto* label = Add<TLabel>(Form, box, "Label1", 20, 40, 30, 15);
    label->SetTransparent(false);
    label->SetColor(clRed);
    auto* skin = SkinControl<TSkinGroupBox>(TSkinKind::GroupBox, box);
    EXPECT_EQ(skin->Mode(), 1);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);

    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(box->Font());
    const int top = measure.Canvas()->TextHeight("0") / 2 - 1;
    // The rounded frame in ButtonShadow from half the caption's height less 1; the face inside.
    EXPECT_EQ(At(*shot, 1, 60), Shadow());
    EXPECT_EQ(At(*shot, 198, 60), Shadow());
    EXPECT_EQ(At(*shot, 100, 118), Shadow());
    EXPECT_EQ(At(*shot, 0, 60), Face());
    EXPECT_EQ(At(*shot, 100, 80), Face());
    EXPECT_EQ(At(*shot, 150, top), Shadow());
    // The caption from 8 pixels in, on the face (it breaks the frame line behind it).
    int ink = 0;
    for (int y = 0; y < 2 * top + 4; ++y)
        for (int x = 0; x < 8; ++x)
            ink += At(*shot, x, y) == Rgb(box->Font()->Color());
    EXPECT_EQ(ink, 0);
    EXPECT_NE(At(*shot, 10, top), Shadow());
    EXPECT_GT(CountOf(*shot, Rect(8, 0, 80, 2 * top + 4), Rgb(box->Font()->Color())), 5);
    // The windowless child painted with the box.
    EXPECT_EQ(At(*shot, 30, 45), clRed);
}

TEST_F(BoxSkinTest, NativeGroupBoxKeepsItsPaintingUnderTheSkin)
{
    HWND native = RawChild("BUTTON", BS_GROUPBOX, 10, 10, 200, 100, "Native");
    auto* skin = SkinWindow<TSkinGroupBox>(TSkinKind::GroupBox, native);
    EXPECT_EQ(skin->Mode(), 0);
    std::unique_ptr<TBitmap> shot = ScreenOf(native);
    // Its own frame covered by the face, the rounded one over it.
    EXPECT_EQ(At(*shot, 0, 60), Face());
    EXPECT_EQ(At(*shot, 1, 60), Shadow());
    EXPECT_EQ(At(*shot, 198, 60), Shadow());
    EXPECT_EQ(At(*shot, 199, 60), Face());

    // Right-aligned: the caption ends 8 pixels from the right.
    SetWindowLongA(native, GWL_EXSTYLE, GetWindowLongA(native, GWL_EXSTYLE) | WS_EX_RIGHT);
    shot = PaintedBy(skin);
    auto text = [&](int x, int y) {
        const TColor c = At(*shot, x, y);
        return c != clWhite && c != Face() && c != Shadow();
    };
    int left = 0, right = 0;
    for (int y = 0; y < 14; ++y) {
        for (int x = 8; x < 60; ++x)
            left += text(x, y);
        for (int x = 140; x < 192; ++x)
            right += text(x, y);
    }
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 5);
}

// ---------------------------------------------------------------- box

TEST_F(BoxSkinTest, BoxGivesTheFaceColourAndTakesItBack)
{
    auto* panel = Add<TPanel>(Form, Form, "Panel1", 10, 10, 100, 50);
    panel->SetColor(clYellow);
    const TWndMethod before = panel->WindowProc;
    auto* skin = SkinControl<TSkinBox>(TSkinKind::Box, panel, true);
    EXPECT_EQ(panel->Color(), Data->FColors[scButtonFace]);
    EXPECT_TRUE(panel->WindowProc == before);  // stays out of the control's messages
    EXPECT_EQ(SkinForm->FindSkinControl(panel), skin);
    EXPECT_EQ(SendMessageA(panel->Handle(), SKM_ISSKINNED, 0, 0), 0);

    // A theme switch gives the new face.
    LoadTheme(Data, "macos.skn");
    skin->SkinChanged();
    EXPECT_EQ(panel->Color(), Data->FColors[scButtonFace]);
    skin->Unskin();
    EXPECT_EQ(panel->Color(), clYellow);
    EXPECT_EQ(skin->State(), 2);
    FreeAndNil(panel);
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);

    // Without SetColor the colour is not touched.
    auto* other = Add<TPanel>(Form, Form, "Panel2", 10, 70, 100, 50);
    other->SetColor(clAqua);
    SkinControl<TSkinBox>(TSkinKind::Box, other, false);
    EXPECT_EQ(other->Color(), clAqua);
}

// The track bar, up-down and progress bar skins on real controls: pixels against the skin's
// pictures in each state, and the controls working as unskinned (the settings slider keeps
// position, value and focus across theme switches; the up-down still counts).
#include <windows.h>

#include <commctrl.h>

#include <tuple>

#include "bitmapview.h"
#include "controlskintest.h"
#include "rangelayout.h"
#include "skinmessages.h"
#include "skinrange.h"
#include "trackbar.h"

namespace {

template <UINT Msg>
RECT RectOf(HWND w)
{
    RECT r{};
    SendMessageA(w, Msg, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

class RangeSkinTest : public ControlSkinTest {
protected:
    RangeSkinTest() : ControlSkinTest(360, 260, "default.skn") {}
    TTrackBar* NewTrackBar()
    {
        auto* t = Add<TTrackBar>(Form, Form, "TrackBar1", 20, 20, 200, 45);
        t->SetMax(255);
        t->SetPosition(128);
        return t;
    }
    // The track bar's own painting (its custom draw included), into a bitmap.
    static std::unique_ptr<TBitmap> Printed(HWND bar)
    {
        RECT r{};
        GetClientRect(bar, &r);
        auto b = std::make_unique<TBitmap>(r.right, r.bottom);
        SendMessageA(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), PRF_CLIENT);
        return b;
    }
    // The middle of a frame (1-based) of an object's picture, 3 columns in from its left.
    static TColor FrameColour(const TDataSkinObject& o, int frame, int count)
    {
        return PicturePixel(o.Bitmap, (frame - 1) * (o.Bitmap.Width() / count) + 3, o.Bitmap.Height() / 2);
    }
};

}  // namespace

TEST_F(RangeSkinTest, TrackBarChannelAndThumbFromTheSkinTicksAsBefore)
{
    TTrackBar* bar = NewTrackBar();
    std::unique_ptr<TBitmap> plain = Printed(bar->Handle());
    SkinControl<TSkinTrackBar>(TSkinKind::TrackBar, bar);
    std::unique_ptr<TBitmap> shot = Printed(bar->Handle());
    const TDataSkinObject& track = *Data->FTrack;
    const RECT c = RectOf<TBM_GETCHANNELRECT>(bar->Handle());
    const RECT t = RectOf<TBM_GETTHUMBRECT>(bar->Handle());
    const int top = HorzChannelLayout(ToPixRect(c), track.Bitmap.Width(), track.Bitmap.Height(), track.LeftWidth,
                                      track.RightWidth).Target.Top;
    for (int row = 0; row < track.Bitmap.Height(); ++row)
        EXPECT_EQ(At(*shot, c.left + 20, top + row), PicturePixel(track.Bitmap, track.Bitmap.Width() / 2, row));
    // Frame 2 of 5 of the thumb picture over the thumb.
    const TDataSkinObject& thumb = *Data->FThumbHorz;
    const int fw = thumb.Bitmap.Width() / 5;
    EXPECT_EQ(At(*shot, (t.left + t.right) / 2, (t.top + t.bottom) / 2),
              PicturePixel(thumb.Bitmap, fw + fw / 2, thumb.Bitmap.Height() / 2));
    // Below the thumb (the tick marks) nothing changed.
    int differing = 0;
    for (int y = t.bottom; y < shot->Height(); ++y)
        for (int x = 0; x < shot->Width(); ++x)
            differing += At(*shot, x, y) != At(*plain, x, y);
    EXPECT_EQ(differing, 0);

    // Upright: the vertical pictures (a thumb strip of plain frames here), the channel's
    // centred in it.
    FillStrip(Data->FThumbVert->Bitmap, 5, 10, 20, StripButton);
    TTrackBar* upright = Add<TTrackBar>(Form, Form, "TrackBar2", 260, 20, 45, 200);
    upright->SetOrientation(trVertical);
    SkinControl<TSkinTrackBar>(TSkinKind::TrackBar, upright);
    shot = Printed(upright->Handle());
    const TDataSkinObject& vtrack = *Data->FTrackVert;
    const RECT vt = RectOf<TBM_GETTHUMBRECT>(upright->Handle());
    const TPixRect vc = UprightChannelRect(ToPixRect(RectOf<TBM_GETCHANNELRECT>(upright->Handle())));
    const int vx = vc.Left + std::max(0, (vc.Width() - vtrack.Bitmap.Width()) / 2);
    for (int col = 0; col < vtrack.Bitmap.Width(); ++col)
        EXPECT_EQ(At(*shot, vx + col, vc.Bottom - 2), PicturePixel(vtrack.Bitmap, col, vtrack.Bitmap.Height() - 2));
    EXPECT_EQ(At(*shot, (vt.left + vt.right) / 2, (vt.top + vt.bottom) / 2), StripButton[1]);

    // A skin without thumb pictures outlines the thumb in its shadow colour.
    Data->FThumbHorz.reset();
    Data->FThumbVert.reset();
    shot = Printed(bar->Handle());
    EXPECT_EQ(At(*shot, t.left, (t.top + t.bottom) / 2), Shadow());
    EXPECT_EQ(At(*shot, (t.left + t.right) / 2, t.top), Shadow());
}

TEST_F(RangeSkinTest, SliderKeepsPositionValueAndFocusAcrossThemeSwitches)
{
    TTrackBar* bar = NewTrackBar();
    auto* other = Add<TTrackBar>(Form, Form, "TrackBar3", 20, 120, 200, 45);
    TEventLog log;
    bar->OnEnter = TNotifyEvent(&log, &TEventLog::Enter);
    bar->OnExit = TNotifyEvent(&log, &TEventLog::Exit);
    bar->OnChange = TNotifyEvent(&log, &TEventLog::Change);
    auto* skin = SkinControl<TSkinTrackBar>(TSkinKind::TrackBar, bar);
    bar->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return log.Enters == 1; })) << "the slider did not take the focus";
    log.Enters = 0;
    const RECT t = RectOf<TBM_GETTHUMBRECT>(bar->Handle());
    for (const char* theme : {"macos.skn", "default.skn", "macos.skn"}) {
        UseTheme(theme);
        skin->SkinChanged();
        // On screen the thumb turns to the new theme's picture (frame 2 of 5).
        const TBitmap& thumb = Data->FThumbHorz->Bitmap;
        const TColor now = PicturePixel(thumb, thumb.Width() / 5 * 3 / 2, thumb.Height() / 2);
        // (The bar has no border: its window and client points are the same.)
        EXPECT_TRUE(PumpUntil([&] { return WindowPixel(bar->Handle(), (t.left + t.right) / 2, (t.top + t.bottom) / 2) == now; }))
            << "not repainted with " << theme << ": " << std::hex << now;
    }
    EXPECT_EQ(GetFocus(), bar->Handle());
    EXPECT_EQ(SendMessageA(bar->Handle(), TBM_GETPOS, 0, 0), 128);
    EXPECT_EQ(log.Enters + log.Exits + log.Changes, 0);
    // Still a slider: a key is one step and one change; leaving is one exit.
    PressKey(VK_RIGHT, bar->Handle());
    EXPECT_EQ(bar->Position(), 129);
    EXPECT_EQ(log.Changes, 1);
    other->SetFocus();
    EXPECT_TRUE(PumpUntil([&] { return log.Exits == 1; })) << "no exit event";
    // The engine's handshake shares the reflected notification's number: not read as one.
    bar->Perform(SKM_SKINNED, 0, SKM_MAGIC);
    bar->Perform(WM_NOTIFY, 0, SKM_MAGIC);
    EXPECT_EQ(bar->Position(), 129);
}

TEST_F(RangeSkinTest, UpDownArrowsInEachStateAndStillCounting)
{
    HWND u = RawChild(UPDOWN_CLASSA, 0, 200, 40, 16, 22);
    SendMessageA(u, UDM_SETRANGE32, 0, 100);
    SendMessageA(u, UDM_SETPOS32, 0, 50);
    auto* skin = SkinWindow<TSkinUpDown>(TSkinKind::UpDown, u);
    const TDataSkinObject& vert = *Data->FUpDownVert;
    const int x = 3 * 16 / (vert.Bitmap.Width() / 8);  // 3 picture columns in, scaled
    auto states = [&](int up, int down) {
        std::unique_ptr<TBitmap> shot = PaintedBy(skin);
        EXPECT_EQ(At(*shot, x, 5), FrameColour(vert, up, 8));
        EXPECT_EQ(At(*shot, x, 16), FrameColour(vert, down, 8));
    };
    MoveMouseTo(0, 0);
    states(1, 5);
    MoveMouseTo(u, 8, 4);
    states(1, 5);  // under the pointer alone still normal: the up-down marks only a press
    SendMessageA(u, WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(8, 4));
    states(2, 5);  // pressed up
    SendMessageA(u, WM_LBUTTONUP, 0, MakeMsgPoint(8, 4));
    states(1, 5);
    EXPECT_EQ(SendMessageA(u, UDM_GETPOS32, 0, 0), 51);
    EnableWindow(u, FALSE);
    states(3, 7);
    // The glyph picture centred in each button, unscaled.
    const auto& glyph = As<TDataSkinBorder>(Data->FUpDownVert.get())->Bitmap2;
    const int gw = glyph.Width() / 8, gh = glyph.Height();
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    int inked = 0;
    for (int gy = 0; gy < gh; ++gy)
        for (int gx = 0; gx < gw; ++gx)
            if (const TColor g = PicturePixel(glyph, 2 * gw + gx, gy); g != clFuchsia && ++inked) {
                EXPECT_EQ(At(*shot, (16 - gw) / 2 + gx, (11 - gh) / 2 + gy), g);
            }
    EXPECT_GT(inked, 3);
    // Known by its handle, the up-down erases white.
    auto erased = Filled(16, 22, clBlack);
    SendMessageA(u, WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased->Canvas()->Handle()), 0);
    EXPECT_EQ(At(*erased, 8, 11), clWhite);

    // Lying down: left and right buttons from the horizontal picture.
    HWND across = RawChild(UPDOWN_CLASSA, UDS_HORZ, 240, 40, 32, 16);
    const TDataSkinObject& horz = *Data->FUpDownHorz;
    shot = PaintedBy(SkinWindow<TSkinUpDown>(TSkinKind::UpDown, across));
    const int hx = 3 * 16 / (horz.Bitmap.Width() / 8);
    EXPECT_EQ(At(*shot, hx, 8), FrameColour(horz, 1, 8));
    EXPECT_EQ(At(*shot, 16 + hx, 8), FrameColour(horz, 5, 8));

    // Without the picture: two plain buttons with ButtonDkShadow borders, the pressed one
    // filled with ButtonShadow.
    Data->FUpDownVert.reset();
    EnableWindow(u, TRUE);
    SendMessageA(u, WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(8, 4));
    shot = PaintedBy(skin);
    SendMessageA(u, WM_LBUTTONUP, 0, MakeMsgPoint(8, 4));
    EXPECT_EQ(At(*shot, 0, 16), Rgb(Data->FColors[scButtonDkShadow]));
    EXPECT_EQ(At(*shot, 2, 5), Shadow());
    EXPECT_EQ(At(*shot, 2, 16), Face());
}

TEST_F(RangeSkinTest, ProgressBarsTwoFramesChunksAndVertical)
{
    auto bar = [&](DWORD style, int lo, int hi, int pos, int w, int h) {
        HWND p = RawChild(PROGRESS_CLASSA, style, 20, 60, w, h);
        SendMessageA(p, PBM_SETRANGE32, static_cast<WPARAM>(lo), hi);
        SendMessageA(p, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
        return PaintedBy(SkinWindow<TSkinProgress>(TSkinKind::Progress, p));
    };
    const TDataSkinObject& progress = *Data->FProgress;
    const TColor empty = PicturePixel(progress.Bitmap, progress.Bitmap.Width() / 4, 8);
    const TColor full = PicturePixel(progress.Bitmap, 3 * progress.Bitmap.Width() / 4, 8);
    // 75 in 50..100 fills half; a range with equal ends none; a vertical bar from the bottom.
    std::unique_ptr<TBitmap> shot = bar(0, 50, 100, 75, 200, 16);
    EXPECT_EQ(At(*shot, 50, 8), full);
    EXPECT_EQ(At(*shot, 150, 8), empty);
    EXPECT_EQ(At(*bar(0, 50, 50, 50, 200, 16), 50, 8), empty);
    shot = bar(PBS_VERTICAL, 0, 100, 25, 16, 200);
    EXPECT_EQ(At(*shot, 8, 180), full);
    EXPECT_EQ(At(*shot, 8, 60), empty);

    // Chunks (a tiled blue piece 10 high) count 75 of 100 from 0: 150 pixels from the chunk's
    // left margin + 2, centred in height.
    Data->FProgress->Style = 1;
    Data->FProgressChunk = std::make_unique<TDataSkinObject>("Progress.Chunk");
    Data->FProgressChunk->Bitmap.Assign(Filled(8, 10, clBlue).get());
    Data->FProgressChunk->Tile = 1;
    Data->FProgressChunk->SetMargins(3, 0, 0, 0);
    // Which points of the bar are blue.
    auto blueAt = [&](std::initializer_list<std::tuple<int, int, bool>> points) {
        for (const auto& [x, y, blue] : points)
            EXPECT_EQ(At(*shot, x, y) == clBlue, blue) << x << ", " << y;
    };
    shot = bar(0, 50, 100, 75, 200, 16);
    blueAt({{4, 8, false}, {5, 8, true}, {154, 8, true}, {155, 8, false}, {50, 2, false}, {50, 3, true}});
    // Stretched, the chunk fills from (2, 2) over the bar's height less 4.
    Data->FProgressChunk->Tile = 0;
    Data->FProgressChunk->SetMargins(0, 0, 0, 0);
    shot = bar(0, 0, 100, 75, 200, 16);
    blueAt({{1, 8, false}, {2, 2, true}, {151, 13, true}, {152, 8, false}, {50, 14, false}});
    // Without chunk pictures the bar still shows, not blank.
    Data->FProgressChunk.reset();
    EXPECT_EQ(At(*bar(0, 0, 100, 75, 200, 16), 100, 8), PicturePixel(progress.Bitmap, progress.Bitmap.Width() / 2, 8));

    // A tiled bar repeats its frames' columns rather than stretching them.
    Data->FProgress->Style = 0;
    Data->FProgress->Tile = 1;
    Data->FProgress->SetMargins(0, 0, 0, 0);
    Data->FProgress->Bitmap.SetSize(40, 16);
    for (int x = 0; x < 40; ++x)
        Paint(Data->FProgress->Bitmap, TRect(x, 0, x + 1, 16), static_cast<TColor>(0x00400000 + 8 * (x % 20)));
    EXPECT_EQ(At(*bar(0, 0, 100, 0, 200, 16), 25, 8), static_cast<TColor>(0x00400000 + 8 * 5));

    // A skin without the bar's picture leaves the bar to paint itself.
    Data->FProgress->Bitmap.SetSize(0, 0);
    HWND own = RawChild(PROGRESS_CLASSA, 0, 20, 120, 200, 16);
    SendMessageA(own, PBM_SETPOS, 100, 0);
    SkinWindow<TSkinProgress>(TSkinKind::Progress, own);
    EXPECT_NE(At(*Painted(own, clFuchsia), 100, 8), clFuchsia);
}

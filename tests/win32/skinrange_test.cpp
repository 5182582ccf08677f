// The track bar, up-down and progress bar skins on real controls: pixels against the skin's
// pictures in each state, and the controls behaving as unskinned (the settings slider keeps
// position, value and focus across theme switches; the up-down still counts).
#include <windows.h>

#include <commctrl.h>

#include "bitmapview.h"
#include "controlskintest.h"
#include "rangelayout.h"
#include "skinmessages.h"
#include "skinrange.h"
#include "trackbar.h"

namespace {

class TEventLog : public TObject {
public:
    void Enter(TObject*) { ++Enters; }
    void Exit(TObject*) { ++Exits; }
    void Change(TObject*) { ++Changes; }
    int Enters = 0, Exits = 0, Changes = 0;
};

// The track bar painted into a memory bitmap by its own painting (the custom draw runs).
std::unique_ptr<TBitmap> TrackBarPaint(HWND bar)
{
    RECT r{};
    GetClientRect(bar, &r);
    auto b = std::make_unique<TBitmap>(r.right, r.bottom);
    SendMessageA(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), PRF_CLIENT);
    return b;
}

RECT ChannelOf(HWND bar)
{
    RECT c{};
    SendMessageA(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&c));
    return c;
}

RECT ThumbOf(HWND bar)
{
    RECT t{};
    SendMessageA(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
    return t;
}

class RangeSkinTest : public ControlSkinTest {
protected:
    TTrackBar* NewTrackBar(TTrackBarOrientation o = trHorizontal)
    {
        auto* t = Add<TTrackBar>(Form, Form, "TrackBar1", 20, 20, o == trHorizontal ? 200 : 45,
                                 o == trHorizontal ? 45 : 200);
        t->SetOrientation(o);
        t->SetMax(255);
        t->SetPosition(128);
        return t;
    }
};

}  // namespace

// ---------------------------------------------------------------- track bar

TEST_F(RangeSkinTest, TrackBarChannelAndThumbComeFromTheSkinTicksStay)
{
    TTrackBar* bar = NewTrackBar();
    std::unique_ptr<TBitmap> plain = TrackBarPaint(bar->Handle());
    auto* skin = SkinControl<TSkinTrackBar>(TSkinKind::TrackBar, bar);
    ASSERT_STREQ(skin->ClassName().c_str(), "TSkinTrackBar");
    std::unique_ptr<TBitmap> shot = TrackBarPaint(bar->Handle());

    // The channel: the Track picture's rows, stretched along.
    const TDataSkinObject& track = *Data->FTrack;
    const RECT c = ChannelOf(bar->Handle());
    const TChannelLayout l = HorzChannelLayout(ToPixRect(c), track.Bitmap.Width(), track.Bitmap.Height(),
                                               track.LeftWidth, track.RightWidth);
    ASSERT_FALSE(l.Target.Empty());
    const RECT t = ThumbOf(bar->Handle());
    const int x = t.left > (c.left + c.right) / 2 ? c.left + 20 : c.right - 20;  // clear of the thumb
    for (int row = 0; row < track.Bitmap.Height(); ++row)
        EXPECT_EQ(At(*shot, x, l.Target.Top + row), PicturePixel(track.Bitmap, track.Bitmap.Width() / 2, row))
            << "row " << row;

    // The thumb: frame 2 of the horizontal thumb, stretched to the thumb's rectangle.
    const TDataSkinObject& thumb = *Data->FThumbHorz;
    const int fw = thumb.Bitmap.Width() / 5;
    const int cx = (t.left + t.right) / 2;
    const int cy = (t.top + t.bottom) / 2;
    const TColor expected = PicturePixel(thumb.Bitmap, fw + fw / 2, thumb.Bitmap.Height() / 2);
    ASSERT_NE(expected, clFuchsia);
    EXPECT_EQ(At(*shot, cx, cy), expected);

    // Tick marks keep their standard drawing: below the thumb everything is as unskinned, and
    // not only background.
    int differing = 0;
    bool ticks = false;
    for (int y = t.bottom; y < shot->Height(); ++y)
        for (int xx = 0; xx < shot->Width(); ++xx) {
            differing += At(*shot, xx, y) != At(*plain, xx, y);
            ticks = ticks || At(*shot, xx, y) != At(*shot, 0, y);
        }
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(ticks);
}

TEST_F(RangeSkinTest, VerticalTrackBarChannelIsCentredFromTrackVert)
{
    TTrackBar* bar = NewTrackBar(trVertical);
    SkinControl<TSkinTrackBar>(TSkinKind::TrackBar, bar);
    std::unique_ptr<TBitmap> shot = TrackBarPaint(bar->Handle());
    const TDataSkinObject& vert = *Data->FTrackVert;
    const TPixRect channel = UprightChannelRect(ToPixRect(ChannelOf(bar->Handle())));
    ASSERT_GT(channel.Height(), channel.Width());
    const TChannelLayout l =
        VertChannelLayout(channel, vert.Bitmap.Width(), vert.Bitmap.Height(), vert.TopHeight, vert.BottomHeight);
    const RECT t = ThumbOf(bar->Handle());
    const int y = t.top > channel.Top + channel.Height() / 2 ? channel.Top + 20 : channel.Bottom - 20;
    for (int col = 0; col < vert.Bitmap.Width(); ++col)
        EXPECT_EQ(At(*shot, l.Target.Left + col, y), PicturePixel(vert.Bitmap, col, vert.Bitmap.Height() / 2))
            << "column " << col;
}

TEST_F(RangeSkinTest, TrackBarWithoutThumbPicturesDrawsAPlainThumb)
{
    Data->FThumbHorz.reset();
    Data->FThumbVert.reset();
    TTrackBar* bar = NewTrackBar();
    SkinControl<TSkinTrackBar>(TSkinKind::TrackBar, bar);
    std::unique_ptr<TBitmap> shot = TrackBarPaint(bar->Handle());
    const RECT t = ThumbOf(bar->Handle());
    // A ButtonShadow outline filled white.
    EXPECT_EQ(At(*shot, t.left, (t.top + t.bottom) / 2), Shadow());
    EXPECT_EQ(At(*shot, (t.left + t.right) / 2, (t.top + t.bottom) / 2), clWhite);
}

TEST_F(RangeSkinTest, SliderKeepsPositionValueAndFocusAcrossThemeSwitches)
{
    TTrackBar* bar = NewTrackBar();
    auto* other = Add<TTrackBar>(Form, Form, "TrackBar2", 20, 120, 200, 45);
    TEventLog log;
    bar->OnEnter = TNotifyEvent(&log, &TEventLog::Enter);
    bar->OnExit = TNotifyEvent(&log, &TEventLog::Exit);
    bar->OnChange = TNotifyEvent(&log, &TEventLog::Change);
    auto* skin = SkinControl<TSkinTrackBar>(TSkinKind::TrackBar, bar);
    bar->SetFocus();
    PumpFor(20);
    ASSERT_EQ(GetFocus(), bar->Handle());
    log.Enters = log.Exits = log.Changes = 0;

    // Theme switches reload the skin and tell every control skin.
    for (const char* theme : {"macos.skn", "default.skn", "macos.skn"}) {
        LoadTheme(Data, theme);
        skin->SkinChanged();
        PumpFor(30);
    }
    EXPECT_EQ(GetFocus(), bar->Handle());
    EXPECT_EQ(bar->Position(), 128);
    EXPECT_EQ(SendMessageA(bar->Handle(), TBM_GETPOS, 0, 0), 128);
    EXPECT_EQ(log.Enters, 0);
    EXPECT_EQ(log.Exits, 0);
    EXPECT_EQ(log.Changes, 0);

    // It still works as unskinned: a key moves it one step, with one change.
    PressKey(VK_RIGHT, bar->Handle());
    EXPECT_EQ(bar->Position(), 129);
    EXPECT_EQ(log.Changes, 1);
    // Focus moving away is one exit.
    other->SetFocus();
    PumpFor(20);
    EXPECT_EQ(log.Exits, 1);
    EXPECT_EQ(log.Enters, 0);
}

TEST_F(RangeSkinTest, HandshakesOnTheNotifyNumberAreNotReadAsNotifications)
{
    TTrackBar* bar = NewTrackBar();
    SkinControl<TSkinTrackBar>(TSkinKind::TrackBar, bar);
    // The engine's own handshake shares CN_NOTIFY's number and carries a number in LParam.
    EXPECT_NO_FATAL_FAILURE(bar->Perform(SKM_SKINNED, 0, SKM_MAGIC));
    EXPECT_NO_FATAL_FAILURE(bar->Perform(WM_NOTIFY, 0, SKM_MAGIC));
    EXPECT_EQ(bar->Position(), 128);
}

// ---------------------------------------------------------------- up-down

namespace {

class UpDownSkinTest : public ControlSkinTest {
protected:
    HWND NewUpDown(DWORD style = 0, int w = 16, int h = 22)
    {
        HWND u = RawChild(UPDOWN_CLASSA, style, 200, 40, w, h);
        SendMessageA(u, UDM_SETRANGE32, 0, 100);
        SendMessageA(u, UDM_SETPOS32, 0, 50);
        return u;
    }
    // The colour in the middle of a button's picture frame at its left edge's column + 3
    // (clear of the glyph in the middle).
    static TColor FrameColour(const TDataSkinObject& o, int frame)
    {
        const int fw = o.Bitmap.Width() / o.Frame;
        return PicturePixel(o.Bitmap, (frame - 1) * fw + 3, o.Bitmap.Height() / 2);
    }
};

}  // namespace

TEST_F(UpDownSkinTest, ArrowsFromTheSkinInEachState)
{
    HWND u = NewUpDown();
    auto* skin = SkinWindow<TSkinUpDown>(TSkinKind::UpDown, u);
    const TDataSkinObject& vert = *Data->FUpDownVert;
    SetCursorPos(0, 0);  // away: both buttons normal
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    // Frames scale to the button; a column 3 in from the left at the button's middle height.
    const int x = 3 * 16 / (vert.Bitmap.Width() / vert.Frame);
    EXPECT_EQ(At(*shot, x, 11 / 2), FrameColour(vert, 1));
    EXPECT_EQ(At(*shot, x, 11 + 11 / 2), FrameColour(vert, 5));

    // Pressed over the up button: frame 2 there while held, frame 1 again after.
    POINT p{8, 4};
    ClientToScreen(u, &p);
    SetCursorPos(p.x, p.y);
    SendMessageA(u, WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(8, 4));
    shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, x, 11 / 2), FrameColour(vert, 2));
    EXPECT_EQ(At(*shot, x, 11 + 11 / 2), FrameColour(vert, 5));
    SendMessageA(u, WM_LBUTTONUP, 0, MakeMsgPoint(8, 4));
    shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, x, 11 / 2), FrameColour(vert, 1));
    // The press counted as unskinned: one step up.
    EXPECT_EQ(SendMessageA(u, UDM_GETPOS32, 0, 0), 51);

    // Disabled: both buttons in state 3.
    EnableWindow(u, FALSE);
    shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, x, 11 / 2), FrameColour(vert, 3));
    EXPECT_EQ(At(*shot, x, 11 + 11 / 2), FrameColour(vert, 7));
    SetCursorPos(0, 0);
}

TEST_F(UpDownSkinTest, HorizontalArrowsUseTheHorizontalPictureAndItsGlyphs)
{
    HWND u = NewUpDown(UDS_HORZ, 32, 16);
    auto* skin = SkinWindow<TSkinUpDown>(TSkinKind::UpDown, u);
    const auto* horz = static_cast<const TDataSkinBorder*>(Data->FUpDownHorz.get());
    SetCursorPos(0, 0);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, 3, 8), FrameColour(*horz, 1));
    EXPECT_EQ(At(*shot, 16 + 3, 8), FrameColour(*horz, 5));
    // The glyph unscaled in the middle of each button: some of its ink shows there.
    const int gw = horz->Bitmap2.Width() / horz->Frame;
    bool ink = false;
    for (int gx = 0; gx < gw && !ink; ++gx)
        for (int gy = 0; gy < horz->Bitmap2.Height() && !ink; ++gy) {
            const TColor g = PicturePixel(horz->Bitmap2, gx, gy);
            ink = g != clFuchsia && At(*shot, (16 - gw) / 2 + gx, (16 - horz->Bitmap2.Height()) / 2 + gy) == g;
        }
    EXPECT_TRUE(ink);
}

TEST_F(UpDownSkinTest, WithoutArrowPicturesTwoPlainButtons)
{
    Data->FUpDownVert.reset();
    HWND u = NewUpDown();
    auto* skin = SkinWindow<TSkinUpDown>(TSkinKind::UpDown, u);
    SetCursorPos(0, 0);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    const TColor dark = Rgb(Data->FColors[scButtonDkShadow]);
    EXPECT_EQ(At(*shot, 0, 5), dark);
    EXPECT_EQ(At(*shot, 0, 16), dark);
    EXPECT_EQ(At(*shot, 2, 5), Face());
    // The pressed one is filled ButtonShadow.
    POINT p{8, 16};
    ClientToScreen(u, &p);
    SetCursorPos(p.x, p.y);
    SendMessageA(u, WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(8, 16));
    shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, 2, 16), Shadow());
    EXPECT_EQ(At(*shot, 2, 5), Face());
    SendMessageA(u, WM_LBUTTONUP, 0, MakeMsgPoint(8, 16));
    EXPECT_EQ(SendMessageA(u, UDM_GETPOS32, 0, 0), 49);
    SetCursorPos(0, 0);
}

TEST_F(UpDownSkinTest, InAnEditTheArrowsStayThreePixelsInside)
{
    HWND edit = RawChild("EDIT", WS_BORDER, 100, 40, 120, 24);
    HWND u = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 102, 0, 16, 22, edit, nullptr, nullptr,
                             nullptr);
    auto* skin = static_cast<TSkinUpDown*>(NewControlSkin(TSkinKind::UpDown, SkinForm));
    skin->SetInEdit(true);
    skin->InitHandle(u, Data, SkinForm, SkinForm->WorkCanvas());
    SetCursorPos(0, 0);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    // What the edit's border leaves of 3 pixels above, right and below is white; the arrows
    // (their frame's border line) start after it.
    RECT self{}, outer{};
    GetWindowRect(u, &self);
    GetWindowRect(edit, &outer);
    const int top = 3 - (self.top - outer.top);
    const int right = 16 - (3 - (outer.right - self.right));
    const int bottom = 22 - (3 - (outer.bottom - self.bottom));
    ASSERT_GT(top, 0);
    ASSERT_LT(right, 16);
    const TDataSkinObject& vert = *Data->FUpDownVert;
    const TColor border = PicturePixel(vert.Bitmap, vert.Bitmap.Width() / vert.Frame / 2, 0);
    for (int y = 0; y < top; ++y)
        EXPECT_EQ(At(*shot, 8, y), clWhite) << y;
    EXPECT_EQ(At(*shot, 8, top), border);
    for (int x = right; x < 16; ++x)
        EXPECT_EQ(At(*shot, x, 10), clWhite) << x;
    EXPECT_NE(At(*shot, right - 1, 10), clWhite);
    for (int y = bottom; y < 22; ++y)
        EXPECT_EQ(At(*shot, 8, y), clWhite) << y;
    EXPECT_NE(At(*shot, 8, bottom - 1), clWhite);
}

// ---------------------------------------------------------------- progress bar

namespace {

class ProgressSkinTest : public ControlSkinTest {
protected:
    HWND NewProgress(DWORD style, int lo, int hi, int pos, int w = 200, int h = 16)
    {
        HWND p = RawChild(PROGRESS_CLASSA, style, 20, 60, w, h);
        SendMessageA(p, PBM_SETRANGE32, static_cast<WPARAM>(lo), hi);
        SendMessageA(p, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
        return p;
    }
    TColor ProgressFrame(int frame) const
    {
        const TBitmap& b = Data->FProgress->Bitmap;
        return PicturePixel(b, (frame - 1) * b.Width() / 2 + b.Width() / 4, b.Height() / 2);
    }
};

}  // namespace

TEST_F(ProgressSkinTest, TwoFrameBarFillsItsShareOfTheRange)
{
    HWND p = NewProgress(0, 50, 100, 75);
    auto* skin = SkinWindow<TSkinProgress>(TSkinKind::Progress, p);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    EXPECT_EQ(At(*shot, 50, 8), ProgressFrame(2));
    EXPECT_EQ(At(*shot, 150, 8), ProgressFrame(1));

    // A range whose ends are the same shows no fill.
    HWND same = NewProgress(0, 50, 50, 50);
    shot = PaintedBy(SkinWindow<TSkinProgress>(TSkinKind::Progress, same));
    EXPECT_EQ(At(*shot, 50, 8), ProgressFrame(1));
}

TEST_F(ProgressSkinTest, VerticalBarFillsFromTheBottom)
{
    HWND p = NewProgress(PBS_VERTICAL, 0, 100, 25, 16, 200);
    auto* skin = SkinWindow<TSkinProgress>(TSkinKind::Progress, p);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    const TBitmap& b = Data->FProgress->Bitmap;
    // Turned counter-clockwise: the picture's rows become the bar's columns.
    EXPECT_EQ(At(*shot, b.Height() / 2, 180), ProgressFrame(2));
    EXPECT_EQ(At(*shot, b.Height() / 2, 60), ProgressFrame(1));
}

TEST_F(ProgressSkinTest, ChunkBarCountsFromZeroAndShowsWithoutChunkPictures)
{
    // A chunk style bar with a plain blue chunk, tiled.
    Data->FProgress->Style = 1;
    Data->FProgressChunk = std::make_unique<TDataSkinObject>("Progress.Chunk");
    Data->FProgressChunk->Bitmap.SetSize(8, 10);
    Data->FProgressChunk->Bitmap.Canvas()->Brush()->SetColor(clBlue);
    Data->FProgressChunk->Bitmap.Canvas()->FillRect(Rect(0, 0, 8, 10));
    Data->FProgressChunk->Tile = 1;
    HWND p = NewProgress(0, 50, 100, 75);
    auto* skin = SkinWindow<TSkinProgress>(TSkinKind::Progress, p);
    std::unique_ptr<TBitmap> shot = PaintedBy(skin);
    // 75 of 100 (the minimum does not count): 150 of 200 pixels, from x 2.
    EXPECT_NE(At(*shot, 1, 8), clBlue);
    EXPECT_EQ(At(*shot, 2, 8), clBlue);
    EXPECT_EQ(At(*shot, 151, 8), clBlue);
    EXPECT_NE(At(*shot, 152, 8), clBlue);

    // Without chunk pictures the bar still shows its face and frame.
    Data->FProgressChunk.reset();
    shot = PaintedBy(skin);
    const TBitmap& b = Data->FProgress->Bitmap;
    EXPECT_EQ(At(*shot, 100, 8), PicturePixel(b, b.Width() / 2, b.Height() / 2));
    EXPECT_EQ(At(*shot, 0, 8), PicturePixel(b, 0, b.Height() / 2) == clFuchsia ? Face()
                                                                                       : PicturePixel(b, 0, b.Height() / 2));
}

TEST_F(ProgressSkinTest, WithoutAProgressPictureTheBarPaintsItself)
{
    Data->FProgress.reset();
    HWND p = NewProgress(0, 0, 100, 50);
    SkinWindow<TSkinProgress>(TSkinKind::Progress, p);
    UpdateWindow(p);
    std::unique_ptr<TBitmap> shot = ScreenOf(p);
    // The standard bar: its fill is not the white of an unpainted window.
    EXPECT_NE(At(*shot, 20, 8), clWhite);
}

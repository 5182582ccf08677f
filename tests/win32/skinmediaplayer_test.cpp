// The media-player skin on a real player: the panel over it (place, order, visibility, life),
// its pixels against the skin's button strip and the glyph resources, and the presses handed
// on so that the player sees each of its clicks exactly once.
#include <memory>
#include <vector>

#include "controlskintest.h"
#include "mediaplayerpanel.h"
#include "mplayer.h"
#include "pixeltest.h"
#include "skindraw.h"
#include "skinmediaplayer.h"

namespace {

constexpr int kPlay = 0, kStop = 2;

// A player that logs what reaches it instead of driving a device.
class TLoggingPlayer : public TMediaPlayer {
public:
    using TMediaPlayer::TMediaPlayer;
    std::vector<TMPBtnType> Clicked;
    std::vector<TPoint> Downs, Ups;

protected:
    void ButtonClick(TMPBtnType b) override { Clicked.push_back(b); }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        Downs.push_back(TPoint(x, y));
        TMediaPlayer::MouseDown(b, s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override
    {
        Ups.push_back(TPoint(x, y));
        TMediaPlayer::MouseUp(b, s, x, y);
    }
};

class SkinMediaPlayerTest : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        UseStripSkin();
        Player = Add<TLoggingPlayer>(Form, Form, "MediaPlayer1", 20, 30, 100, 30);
        Player->SetVisibleButtons({btPlay, btStop});
        Player->SetEnabledButtons({btPlay});
        Player->SetColoredButtons({btPlay});
    }

    // The player skinned through the dispatch (a media player gets the media-player skin).
    TSkinMP* Skin()
    {
        SkinAll();
        return SkinAs<TSkinMP>(Player);
    }
    // The panel's painting in a memory bitmap of its size.
    static std::unique_ptr<TBitmap> Painted(TWMediaPlayer* panel)
    {
        auto b = Filled(panel->Width(), panel->Height(), clWhite);
        panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()));
        return b;
    }
    static void Send(TWMediaPlayer* panel, UINT msg, int x, int y)
    {
        SendMessageA(panel->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MakeMsgPoint(x, y));
    }
    // The glyph of a button drawn at its place in the cell: its pixels there, olive the face.
    static void ExpectGlyph(TBitmap& painted, TWMediaPlayer* panel, int index, int kind, int cellLeft, int shift,
                            TColor face = StripFace)
    {
        TBitmap* glyph = panel->Glyph(index, kind);
        ASSERT_FALSE(glyph->Empty());
        const int gx = cellLeft + (panel->ButtonWidth() - glyph->Width()) / 2 + shift;
        const int gy = (panel->Height() - glyph->Height()) / 2 + shift;
        for (int y = 0; y < glyph->Height(); ++y)
            for (int x = 0; x < glyph->Width(); ++x) {
                const TColor g = At(*glyph, x, y);
                ASSERT_EQ(At(painted, gx + x, gy + y), g == clOlive ? face : g) << x << "," << y;
            }
    }

    TLoggingPlayer* Player = nullptr;
};

TEST_F(SkinMediaPlayerTest, PanelLiesOverThePlayerFollowsItAndGoesWithTheSkin)
{
    TSkinMP* skin = Skin();
    TWMediaPlayer* panel = skin->Player();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Parent(), Form);
    EXPECT_EQ(panel->BoundsRect(), Player->BoundsRect());
    EXPECT_EQ(panel->Tag(), Data->DisableTag());  // the engine never skins the panel
    // Above the player: met first from the top of the z-order.
    for (HWND w = GetTopWindow(Form->Handle()); w != panel->Handle(); w = GetWindow(w, GW_HWNDNEXT))
        ASSERT_NE(w, Player->Handle()) << "the player lies above the panel";
    Player->SetBounds(40, 50, 150, 28);
    EXPECT_EQ(panel->BoundsRect(), Bounds(40, 50, 150, 28));
    Player->Hide();
    EXPECT_FALSE(IsWindowVisible(panel->Handle()));
    Player->Show();
    EXPECT_TRUE(IsWindowVisible(panel->Handle()));

    // The panel goes with the skin, and a skin switched on again shows the player's own buttons.
    skin->Unskin();
    EXPECT_EQ(skin->Player(), nullptr);
    EXPECT_EQ(Form->ControlCount(), 1);
    SendMessageA(Player->Handle(), SKM_ENABLE, 1, 0);
    EXPECT_EQ(skin->Player(), nullptr);
    // An invisible player (as on the alarm page) keeps its panel hidden; a player freed at run
    // time takes its skin along, and the panel with it.
    skin->Free();
    Player->Hide();
    TWMediaPlayer* hidden = Skin()->Player();
    EXPECT_FALSE(hidden->HandleAllocated() && IsWindowVisible(hidden->WindowHandle()));
    ASSERT_EQ(Form->ControlCount(), 2);
    Player->Free();
    EXPECT_EQ(Form->ControlCount(), 0);
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
    // nothing pending touches what went
    ASSERT_TRUE(PumpHandled()) << "posted messages were still waiting";
}

TEST_F(SkinMediaPlayerTest, CellsShowFramesAndGlyphsOfEachButtonsState)
{
    Player->SetWidth(101);  // one pixel left over after the two cells
    TWMediaPlayer* panel = Skin()->Player();
    std::unique_ptr<TBitmap> b = Painted(panel);
    EXPECT_EQ(panel->VisibleCount(), 2);
    EXPECT_EQ(panel->ButtonWidth(), 50);
    // Play, enabled and coloured: frame 1 and its coloured glyph; stop, disabled: frame 3, "DI".
    EXPECT_EQ(At(*b, 1, 1), StripButton[0]);
    EXPECT_EQ(At(*b, 48, 28), StripButton[0]);
    EXPECT_EQ(At(*b, 51, 1), StripButton[2]);
    EXPECT_EQ(At(*b, 100, 15), StripFace);
    ExpectGlyph(*b, panel, kPlay, mgColored, 0, 0);
    ExpectGlyph(*b, panel, kStop, mgDisabled, 50, 0);

    // Sets are read at every paint.
    Player->SetColoredButtons({});
    Player->SetEnabledButtons({btPlay, btStop});
    b = Painted(panel);
    EXPECT_EQ(At(*b, 51, 1), StripButton[0]);
    ExpectGlyph(*b, panel, kPlay, mgEnabled, 0, 0);
    ExpectGlyph(*b, panel, kStop, mgEnabled, 50, 0);

    Player->SetVisibleButtons({});
    b = Painted(panel);
    EXPECT_EQ(At(*b, 1, 1), StripFace);
    EXPECT_EQ(At(*b, 60, 20), StripFace);
}

TEST_F(SkinMediaPlayerTest, ThemeButtonsDrawTheCells)
{
    for (const char* theme : {"default.skn", "macos.skn"}) {
        ASSERT_NO_FATAL_FAILURE(UseTheme(theme));
        TDataSkinButton& buttons = *Data->FButtons;
        TSkinMP* skin = Skin();
        TWMediaPlayer* panel = skin->Player();
        std::unique_ptr<TBitmap> b = Painted(panel);
        const TColor face = static_cast<TColor>(ColorToRGB(Data->FColors[scButtonFace]));
        // Each cell holds the strip's frame (1 for play, 3 for the disabled stop) at its size;
        // what the picture leaves transparent shows the face.
        for (int cell = 0; cell < 2; ++cell) {
            std::unique_ptr<TBitmap> frame = StretchSkinBitmap(Rect(0, 0, 50, 30), &buttons.Bitmap, buttons.Margins(),
                                                               1 + 2 * cell, buttons.Frame, buttons.Tile == 1, false);
            for (int y = 0; y < 30; y += 3)
                for (int x : {0, 2, 47, 49}) {
                    const TColor want = At(*frame, x, y);
                    EXPECT_EQ(At(*b, 50 * cell + x, y), buttons.Trans == 1 && want == clFuchsia ? face : want)
                        << theme << " cell " << cell << " at " << x << "," << y;
                }
        }
        ExpectGlyph(*b, panel, kPlay, mgColored, 0, 0, face);
        skin->Free();
    }
}

TEST_F(SkinMediaPlayerTest, PressesShowAndReachThePlayerOnceAndOnlyMatchingReleases)
{
    TWMediaPlayer* panel = Skin()->Player();
    Painted(panel);
    // The pressed button: frame 2, its glyph a pixel right and down; the shared edge is play's.
    Send(panel, WM_LBUTTONDOWN, 50, 10);
    EXPECT_EQ(panel->PressedIndex(), kPlay);
    std::unique_ptr<TBitmap> b = Painted(panel);
    EXPECT_EQ(At(*b, 1, 1), StripButton[1]);
    ExpectGlyph(*b, panel, kPlay, mgColored, 0, 1);
    Send(panel, WM_LBUTTONUP, 50, 10);
    // A disabled button pressed shows frame 3, never 2.
    Send(panel, WM_LBUTTONDOWN, 70, 10);
    b = Painted(panel);
    EXPECT_EQ(At(*b, 51, 1), StripButton[2]);
    ExpectGlyph(*b, panel, kStop, mgDisabled, 50, 0);
    Send(panel, WM_LBUTTONUP, 70, 10);
    Player->Downs.clear();
    Player->Ups.clear();
    Player->Clicked.clear();

    // A click on play through the message queue: one press, one release, one button action.
    ClickAt(panel->Handle(), 10, 12);
    ASSERT_EQ(Player->Downs.size(), 1u);
    EXPECT_EQ(Player->Downs[0], TPoint(10, 12));
    EXPECT_EQ(Player->Ups.size(), 1u);
    EXPECT_EQ(Player->Clicked, std::vector<TMPBtnType>{btPlay});
    EXPECT_FALSE(panel->IsMouseDown());
    EXPECT_NE(GetCapture(), Player->Handle());

    // Pressed on play and released over stop: the player gets the press only.
    Send(panel, WM_LBUTTONDOWN, 10, 10);
    Send(panel, WM_LBUTTONUP, 80, 10);
    EXPECT_EQ(Player->Downs.size(), 2u);
    EXPECT_EQ(Player->Ups.size(), 1u);
    EXPECT_EQ(Player->Clicked.size(), 1u);
    EXPECT_FALSE(panel->IsMouseDown());

    // Outside every button (what the cells leave of the width) both halves go on.
    Player->SetVisibleButtons({btPlay, btPause, btStop});
    Player->SetWidth(101);
    Painted(panel);
    Send(panel, WM_LBUTTONDOWN, 100, 10);
    EXPECT_EQ(panel->PressedIndex(), MPNoButton);
    Send(panel, WM_LBUTTONUP, 100, 10);
    EXPECT_EQ(Player->Downs.size(), 3u);
    EXPECT_EQ(Player->Ups.size(), 2u);
    EXPECT_EQ(Player->Clicked.size(), 1u);
}

TEST_F(SkinMediaPlayerTest, AReleaseWithoutAPressOnThePanelIsNotThePlayers)
{
    // Nine cells of 10 pixels leave a spare strip from 91 to 97 that belongs to no button.
    Player->SetVisibleButtons({btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject});
    Player->SetWidth(98);
    TWMediaPlayer* panel = Skin()->Player();
    Painted(panel);
    ASSERT_EQ(panel->ButtonWidth(), 10);
    // Below the player a window that keeps no hold of the mouse, as other programs' windows do.
    HWND below = MakeTestWindow("MPNeighbour", DefWindowProcA, GetModuleHandleA(nullptr), WS_CHILD | WS_VISIBLE, 40,
                                Form->Handle());
    SetWindowPos(below, HWND_TOP, Player->Left() + 70, Player->Top() + Player->Height() + 10, 40, 40, 0);
    // The button goes down there and comes up over the spare strip.
    MoveMouseTo(below, 24, 10);
    LeftButton(true);
    MoveMouseTo(panel->Handle(), 94, 10);
    LeftButton(false);
    EXPECT_TRUE(Player->Downs.empty());
    EXPECT_TRUE(Player->Ups.empty());
    EXPECT_TRUE(Player->Clicked.empty());
    // A real click there is the player's, press and release.
    LeftButton(true);
    LeftButton(false);
    EXPECT_EQ(Player->Downs.size(), 1u);
    ASSERT_EQ(Player->Ups.size(), 1u);
    EXPECT_EQ(Player->Ups[0], TPoint(94, 10));
    DestroyWindow(below);
}

TEST_F(SkinMediaPlayerTest, AReleaseOutsideThePanelEndsThePress)
{
    TWMediaPlayer* panel = Skin()->Player();
    Painted(panel);
    Send(panel, WM_LBUTTONDOWN, 10, 10);
    // The panel holds the mouse, so the release comes back to it wherever it happens.
    EXPECT_EQ(GetCapture(), panel->Handle());
    Send(panel, WM_LBUTTONUP, -30, 10);
    EXPECT_FALSE(panel->IsMouseDown());
    EXPECT_NE(GetCapture(), panel->Handle());
    EXPECT_EQ(At(*Painted(panel), 1, 1), StripButton[0]);
    EXPECT_TRUE(Player->Ups.empty());

    // Another window taking the mouse ends the press too; its late release is no click.
    Send(panel, WM_LBUTTONDOWN, 10, 10);
    SetCapture(Form->Handle());
    ReleaseCapture();
    EXPECT_FALSE(panel->IsMouseDown());
    EXPECT_EQ(At(*Painted(panel), 1, 1), StripButton[0]);
    Send(panel, WM_LBUTTONUP, 10, 10);
    EXPECT_TRUE(Player->Ups.empty());
    EXPECT_TRUE(Player->Clicked.empty());
}

}  // namespace

// The geometry of a skinned window's frame: pieces, client rectangles and sizes, hit codes,
// caption text placement, caption-button placement and visibility, the region plan with the
// runs a border picture gives, and the transitions of the frame's mouse-sensitive objects.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framelayout.h"
#include "pixelregion.h"

namespace {

using K = TFrameKinds;

constexpr TFrameMetrics Metrics{4, 26, 5, 3, 0};

TEST(FrameGeometry, PiecesClientAndSizes)
{
    const TFramePieces p = FramePieces(200, 100, TFrameMetrics{4, 26, 5, 3, 18});
    EXPECT_EQ(p.Left, PixRect(0, 0, 4, 100));
    EXPECT_EQ(p.Right, PixRect(195, 0, 200, 100));
    EXPECT_EQ(p.Bottom, PixRect(4, 97, 195, 100));
    EXPECT_EQ(p.Caption, PixRect(0, 0, 200, 26));
    EXPECT_EQ(p.CaptionPart, PixRect(4, 0, 195, 26));
    EXPECT_EQ(p.MenuBar, PixRect(4, 26, 195, 44));
    EXPECT_EQ(p.Client, PixRect(4, 44, 195, 97));

    // WM_NCCALCSIZE: the client area of the proposed window; sizing a window around a client
    // area and taking the skin off again keeps that client area.
    EXPECT_EQ(SkinnedClientRect(300, 200, 200, 100, TFrameMetrics{4, 26, 5, 3, 18}), PixRect(304, 244, 495, 297));
    const TFrameSize skinned = SkinnedWindowSize(150, 80, Metrics);
    EXPECT_EQ(skinned, (TFrameSize{159, 109}));
    EXPECT_EQ(UnskinnedWindowSize(skinned.Width, skinned.Height, Metrics, 8, 31), (TFrameSize{158, 111}));
    // A menu row stays in the unskinned height: the native menu bar comes back there.
    const TFrameMetrics withMenu{4, 26, 5, 3, 18};
    EXPECT_EQ(UnskinnedWindowSize(159, 127, withMenu, 8, 31).Height, 80 + 18 + 31);

    // Frame counts read from a skin: never a division by zero.
    EXPECT_EQ(BorderStateSize(53, 2), 26);
    EXPECT_EQ(BorderStateSize(52, 0), 52);
    EXPECT_EQ(DialogWidening(100, 141), 20);
    EXPECT_EQ(DialogWidening(150, 100), 0);
}

TEST(FrameGeometry, HitCodesOfTheCaptionBandAndTheMenuRow)
{
    constexpr int htClient = 1, htTop = 12, htBorder = 18;
    // The top three rows keep the native answer; below them the caption band moves the window.
    EXPECT_EQ(SkinHitTest(htNowhere, 3, Metrics), htNowhere);
    EXPECT_EQ(SkinHitTest(htCaption, 2, Metrics), htCaption);
    EXPECT_EQ(SkinHitTest(htNowhere, 4, Metrics), htCaption);
    EXPECT_EQ(SkinHitTest(htNowhere, 40, Metrics), htCaption);  // no menu row
    // With a menu row, every such point below the caption is a menu hit.
    const TFrameMetrics menu{4, 26, 5, 3, 18};
    EXPECT_EQ(SkinHitTest(htNowhere, 26, menu), htCaption);
    EXPECT_EQ(SkinHitTest(htNowhere, 27, menu), htMenu);
    EXPECT_EQ(SkinHitTest(htCaption, 30, menu), htMenu);
    // Borders, sizing edges and the client area keep their codes.
    for (int code : {htClient, htTop, htBorder})
        EXPECT_EQ(SkinHitTest(code, 10, menu), code);
}

// ---- caption text

TEST(CaptionText, AlignmentShiftsAndTheBackMargins)
{
    const TPixRect part = PixRect(4, 0, 204, 26);  // 200 wide, 26 high
    TCaptionTextStyle s;
    s.Shift = 28;
    s.ShiftVert = 4;
    s.RightClip = 80;
    s.BackLeft = 10;
    s.BackRight = 6;
    TCaptionTextWindow w;
    // Left: the shift from the part's left; vertically centred, plus half the vertical shift.
    s.Alignment = 0;
    TCaptionTextPlace p = PlaceCaptionText(part, 50, 14, s, w);
    EXPECT_EQ(p.Text, PixRect(32, 8, 98, 22));  // 66 wide: text and both margins
    EXPECT_EQ(p.Back, PixRect(32, 0, 98, 26));
    EXPECT_EQ(p.Draw, PixRect(42, 8, 92, 22));
    // Centred: the widened rectangle is centred in the part (clear of the right clip).
    s.RightClip = 10;
    s.Alignment = 1;
    p = PlaceCaptionText(part, 50, 14, s, w);
    EXPECT_EQ(p.Text.Left, 4 + (200 - 66) / 2);
    EXPECT_EQ(p.Text.Width(), 66);
    // Right: clear of the right clip.
    s.Alignment = 2;
    p = PlaceCaptionText(part, 50, 14, s, w);
    EXPECT_EQ(p.Text.Right, 4 + 200 - 10);
    EXPECT_EQ(p.Text.Width(), 66);
    // Any other value: not moved sideways.
    s.Alignment = 7;
    EXPECT_EQ(PlaceCaptionText(part, 50, 14, s, w).Text.Left, 4);
}

TEST(CaptionText, ClippingPopupsDialogsAndRightToLeft)
{
    const TPixRect part = PixRect(0, 0, 200, 20);
    TCaptionTextStyle s;
    s.Shift = 10;
    s.RightClip = 30;
    TCaptionTextWindow w;
    // A long text is clipped at the right clip of an ordinary window...
    EXPECT_EQ(PlaceCaptionText(part, 300, 12, s, w).Text.Right, 170);
    // ...and at the caption buttons (5 pixels clear) of a popup window.
    w.Popup = true;
    w.ButtonsExtent = 50;
    EXPECT_EQ(PlaceCaptionText(part, 300, 12, s, w).Text.Right, 145);
    w.ButtonsExtent = 5;  // too small to count
    EXPECT_EQ(PlaceCaptionText(part, 300, 12, s, w).Text.Right, 310);
    // A dialog frame pulls left-aligned text 16 pixels left.
    w = TCaptionTextWindow{};
    w.DialogFrame = true;
    EXPECT_EQ(PlaceCaptionText(part, 40, 12, s, w).Text.Left, 10 - 16);
    // Right to left: against the right edge, clear of the buttons, then 10 pixels right.
    w = TCaptionTextWindow{};
    w.RightToLeft = true;
    w.ButtonsExtent = 40;
    TCaptionTextPlace p = PlaceCaptionText(part, 40, 12, s, w);
    EXPECT_EQ(p.Text.Left, 200 - 40 - 40 + 10);
    // A text too wide to move starts at the shift, counted from the part's left, and keeps its
    // width however far the buttons reach.
    p = PlaceCaptionText(part, 190, 12, s, w);
    EXPECT_EQ(p.Text.Left, 10 + 10);
    w.ButtonsExtent = 300;
    p = PlaceCaptionText(PixRect(4, 0, 204, 20), 60, 12, s, w);
    EXPECT_EQ(p.Text, PixRect(4 + 10 + 10, 4, 4 + 10 + 10 + 60, 16));
}

// ---- caption buttons

TEST(CaptionButtons, PlacementByAlignment)
{
    TCaptionButtonFrame f;
    f.WindowWidth = 300;
    f.Metrics = TFrameMetrics{4, 26, 5, 3, 20};
    f.CaptionText = PixRect(40, 5, 120, 21);
    auto place = [&f](int align, int x, int y) { return PlaceCaptionButton({align, x, y, 16, 14}, f); };
    EXPECT_EQ(place(0, 6, 5), PixRect(6, 5, 22, 19));
    EXPECT_EQ(place(1, 27, 3), PixRect(273, 3, 289, 17));
    EXPECT_EQ(place(8, 4, 3), PixRect(40 - 16 - 4, 3, 40 - 4, 17));
    EXPECT_EQ(place(3, 4, 3), PixRect(124, 3, 140, 17));
    EXPECT_EQ(place(42, 4, 3), PixRect(0, 0, 16, 14));
    // In the menu row, vertically centred, clear of the right border and the bar's margin.
    EXPECT_EQ(place(100, 60, 0), PixRect(300 - 60 - 5, 26 + 3, 300 - 60 - 5 + 16, 26 + 3 + 14));
    f.HasMenuBarObject = true;
    f.TileLeftMenu = 2;
    EXPECT_EQ(place(100, 60, 0).Left, 300 - 60 - 5 - 2);
}

TEST(CaptionButtons, VisibilityAndEnabling)
{
    TCaptionButtonWindow w;
    w.IconFlags = K::ifSysMenu | K::ifMinimize | K::ifMaximize;
    w.Active = true;
    auto shows = [&w](int visibility, int visibility1 = 0, int action = 5) {
        return CaptionButtonShows(action, visibility, visibility1, w).Visible;
    };
    EXPECT_TRUE(shows(2) && shows(3) && shows(6) && shows(201) && shows(0, 3));
    EXPECT_FALSE(shows(1) || shows(4) || shows(5) || shows(10) || shows(100) || shows(0, 4));
    // No condition (-1, gaps of the table, past 2000): hidden.
    EXPECT_FALSE(shows(-1) || shows(11) || shows(2001));
    // Visibility 6 needs the system menu, Visibility1 6 does not; 10 needs no boxes, 10 in
    // Visibility1 only the help flag.
    w.IconFlags = K::ifMinimize | K::ifHelp;
    EXPECT_FALSE(shows(6));
    EXPECT_TRUE(shows(0, 6));
    EXPECT_FALSE(shows(10));
    EXPECT_TRUE(shows(0, 10));
    // The window's answer counts for Visibility only; 100 and 200 hold for both alike.
    EXPECT_FALSE(shows(1500));
    EXPECT_TRUE(shows(0, 1500));
    w.Answer = true;
    EXPECT_TRUE(shows(1500));
    w.MDIChildButtons = true;
    EXPECT_TRUE(shows(100, 100));
    w.BorderKind = K::bkDialog;
    w.Dialog = true;
    EXPECT_FALSE(shows(0, 200));

    // Close hides without a system menu, the icon buttons on a dialog frame; maximize and
    // minimize are enabled by their box and the system menu.
    w = TCaptionButtonWindow{};
    w.IconFlags = K::ifMinimize;
    EXPECT_FALSE(CaptionButtonShows(0, 0, 0, w).Visible);
    w.BorderKind = K::bkDialog;
    EXPECT_FALSE(CaptionButtonShows(11, 0, 0, w).Visible);
    w.IconFlags |= K::ifSysMenu;
    EXPECT_EQ(CaptionButtonShows(1, 0, 0, w).Enabled, 0);
    EXPECT_EQ(CaptionButtonShows(2, 0, 0, w).Enabled, 1);
    EXPECT_EQ(CaptionButtonShows(4, 0, 0, w).Enabled, -1);
}

TEST(CaptionButtons, DrawnStatesAndHintTiming)
{
    // Resting: the fourth state for an inactive window or a disabled button, when there is one.
    EXPECT_EQ(RestingButtonState(4, true, true), 1);
    EXPECT_EQ(RestingButtonState(4, false, true), 4);
    EXPECT_EQ(RestingButtonState(4, true, false), 4);
    EXPECT_EQ(RestingButtonState(3, false, false), 1);
    // Under the mouse: disabled shows 4 (or 1 without it); the MDI buttons show 4 when hot.
    EXPECT_EQ(ButtonPaintState(nsHot, 4, true, 0), nsHot);
    EXPECT_EQ(ButtonPaintState(nsPressed, 4, false, 0), 4);
    EXPECT_EQ(ButtonPaintState(nsPressed, 3, false, 0), 1);
    EXPECT_EQ(ButtonPaintState(nsHot, 4, true, 100), 4);
    // The hint: shown from twice the hint pause, for the hide pause.
    EXPECT_EQ(CaptionHintPhase(999, 500, 2500), THintPhase::Waiting);
    EXPECT_EQ(CaptionHintPhase(1000, 500, 2500), THintPhase::Shown);
    EXPECT_EQ(CaptionHintPhase(3500, 500, 2500), THintPhase::Over);
    // The hint's text goes by the action type alone; the others have none.
    const std::pair<std::vector<int>, const char*> hints[] = {
        {{0, 9, 62}, "Close"}, {{1, 22}, "Maximize"}, {{2, 7, 23, 60}, "Minimize"}, {{8, 61}, "Restore"},
        {{3, 4, 5, 11}, ""}};
    for (const auto& [actions, text] : hints)
        for (int action : actions)
            EXPECT_STREQ(CaptionButtonHintText(action), text) << action;
}

// ---- the region

TEST(FrameRegion, PlanOfPiecesAndTheirConditions)
{
    // No keyed border: the plain window rectangle.
    TRegionPlan plan = PlanFrameRegion(100, 60, Metrics, {false, false, false, false}, false);
    ASSERT_EQ(plan.Count, 1);
    EXPECT_EQ(plan.Pieces[0].Rect, PixRect(0, 0, 100, 60));
    // Keyed: the middle, then left, right, bottom and top, cut from the pictures that are keyed.
    plan = PlanFrameRegion(100, 60, Metrics, {true, false, true, true}, false);
    ASSERT_EQ(plan.Count, 5);
    EXPECT_EQ(plan.Pieces[0].Rect, PixRect(4, 26, 95, 57));
    EXPECT_FALSE(plan.Pieces[0].FromPicture);
    EXPECT_EQ(plan.Pieces[1].Border, 1);
    EXPECT_TRUE(plan.Pieces[1].FromPicture);
    EXPECT_EQ(plan.Pieces[2].Border, 2);
    EXPECT_FALSE(plan.Pieces[2].FromPicture);
    EXPECT_EQ(plan.Pieces[3].Border, 4);
    EXPECT_TRUE(plan.Pieces[3].FromPicture);
    EXPECT_EQ(plan.Pieces[4].Border, 3);
    EXPECT_EQ(plan.Pieces[4].Rect, PixRect(4, 0, 95, 26));
    EXPECT_TRUE(plan.Pieces[4].FromPicture);
    // A bottom border one pixel high is a plain rectangle.
    plan = PlanFrameRegion(100, 60, TFrameMetrics{4, 26, 5, 1, 0}, {true, true, true, true}, false);
    EXPECT_FALSE(plan.Pieces[3].FromPicture);
    // Without a caption only the middle, which is the whole window.
    plan = PlanFrameRegion(100, 60, TFrameMetrics{}, {true, true, true, true}, true);
    ASSERT_EQ(plan.Count, 1);
    EXPECT_EQ(plan.Pieces[0].Rect, PixRect(0, 0, 100, 60));
}

TEST(FrameRegion, RunsOfABorderPictureAtItsPlace)
{
    // A 4 x 3 corner piece at (96, 0): magenta above the diagonal, one near-magenta pixel that
    // the tolerance cuts away too, and one just outside the tolerance that stays.
    TPixelImage piece(4, 3, 0x336699);
    piece.At(2, 0) = piece.At(3, 0) = KeyColor;
    piece.At(3, 1) = 0xFF01FF;  // red 255, green 1, blue 255: within 1
    piece.At(0, 2) = 0xFE00FF;  // red 254: outside
    const TKeyRange key(PixelToRgb(KeyColor), RegionTolerance, RegionTolerance, RegionTolerance);
    const std::vector<TPixRect> runs = OpaqueRuns(piece.View(), key, 96, 0);
    const std::vector<TPixRect> expected = {PixRect(96, 0, 98, 1), PixRect(96, 1, 99, 2), PixRect(96, 2, 100, 3)};
    EXPECT_EQ(runs, expected);
}

// ---- the hot object

struct TFakeForm;
struct TFakeObject {
    std::string Name;
    TFakeForm* Form = nullptr;
    bool Visible = true;
    int State = nsNormal;
    std::vector<std::string>* Log = nullptr;
    void Paint() { Log->push_back(Name + " paints " + std::to_string(State)); }
    void MouseLeave();
};
struct TFakeForm {
    TFakeObject* Hot = nullptr;
    std::vector<std::string> Log;
    TFakeObject* HotObject() const { return Hot; }
    void SetHotObject(TFakeObject* o) { Hot = o; }
    void ResetCaptionHint() { Log.push_back("hint reset"); }
};
void TFakeObject::MouseLeave() { TNCTransitions::MouseLeave(*this, Form); }

TEST(HotObject, OneHotObjectAndItsStates)
{
    TFakeForm form;
    TFakeObject a{"a", &form, true, nsNormal, &form.Log};
    TFakeObject b{"b", &form, true, nsNormal, &form.Log};
    TNCTransitions::MouseMove(a, &form);
    EXPECT_EQ(form.Hot, &a);
    EXPECT_EQ(a.State, nsHot);
    // Pressed, and it stays pressed while the mouse moves over it, without repainting.
    TNCTransitions::MouseDown(a, &form);
    EXPECT_EQ(a.State, nsPressed);
    form.Log.clear();
    TNCTransitions::MouseMove(a, &form);
    EXPECT_EQ(a.State, nsPressed);
    EXPECT_TRUE(form.Log.empty());
    TNCTransitions::MouseUp(a);
    EXPECT_EQ(a.State, nsHot);
    EXPECT_EQ(form.Hot, &a);
    // Moving to another object: the first is normal before the second paints.
    form.Log.clear();
    TNCTransitions::MouseMove(b, &form);
    EXPECT_EQ(form.Log, (std::vector<std::string>{"a paints 1", "hint reset", "b paints 3"}));
    EXPECT_EQ(form.Hot, &b);
    EXPECT_EQ(a.State, nsNormal);
    TNCTransitions::MouseLeave(b, &form);
    EXPECT_EQ(form.Hot, nullptr);
    EXPECT_EQ(b.State, nsNormal);
}

TEST(HotObject, InvisibleObjectsNeverTurnHotButMakeTheHotOneLeave)
{
    TFakeForm form;
    TFakeObject a{"a", &form, true, nsNormal, &form.Log};
    TFakeObject hidden{"hidden", &form, false, nsNormal, &form.Log};
    TNCTransitions::MouseMove(a, &form);
    form.Log.clear();
    TNCTransitions::MouseDown(hidden, &form);
    TNCTransitions::MouseMove(hidden, &form);
    TNCTransitions::MouseLeave(hidden, &form);
    EXPECT_EQ(form.Hot, nullptr);
    EXPECT_EQ(hidden.State, nsNormal);
    EXPECT_EQ(form.Log, (std::vector<std::string>{"a paints 1", "hint reset"}));
}

}  // namespace

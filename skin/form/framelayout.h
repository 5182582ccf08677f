#pragma once
// The geometry of a skinned window's frame that needs no window: where the borders, the
// caption, the menu-bar row and the client area lie, where the caption text and the caption
// buttons go, which caption buttons show, which pieces the window region is cut from, the hit
// codes the skin gives, and the transitions of the frame's mouse-sensitive objects. The window
// code feeds these with what it reads from the window and the skin.
#include <array>

#include "pixelview.h"

// Kinds and flags a skinned window is described by.
struct TFrameKinds {
    enum : int { bkSizeable = 0, bkFixed = 1, bkNoCaption = 2, bkDialog = 3 };
    enum : int { ssNormal = 0, ssMaximized = 1, ssMinimized = 2 };
    // Which caption icons the native frame had, and whether WS_SYSMENU must stay.
    enum : int { ifMaximize = 1, ifMinimize = 2, ifHelp = 4, ifSysMenu = 8, ifKeepSysMenu = 0x10 };
};

// The sizes of a skinned frame: the borders, the caption and the menu-bar row under it.
struct TFrameMetrics {
    int Left = 0, Caption = 0, Right = 0, Bottom = 0, Menu = 0;
    constexpr bool operator==(const TFrameMetrics&) const = default;
};

// One state's width (or height) of a border picture of `size` pixels holding `frames` states;
// a frame count below 1 counts as 1.
int BorderStateSize(int size, int frames);

// The parts of a width x height window, in window coordinates.
struct TFramePieces {
    TPixRect Left;         // (0, 0, left, H)
    TPixRect Right;        // (W - right, 0, W, H)
    TPixRect Bottom;       // (left, H - bottom, W - right, H)
    TPixRect Caption;      // (0, 0, W, caption): the caption bar with the sides' top ends
    TPixRect CaptionPart;  // (left, 0, W - right, caption): the top border's part of it
    TPixRect MenuBar;      // (left, caption, W - right, caption + menu)
    TPixRect Client;       // (left, caption + menu, W - right, H - bottom)
};
TFramePieces FramePieces(int width, int height, const TFrameMetrics& m);

// The client rectangle of a window proposed at (x, y) with size cx x cy.
TPixRect SkinnedClientRect(int x, int y, int cx, int cy, const TFrameMetrics& m);

// Outer sizes: a skinned window around a client area, and the native window the skin is
// taken off again (its native frame added back to what the skinned frame leaves).
struct TFrameSize {
    int Width = 0, Height = 0;
    constexpr bool operator==(const TFrameSize&) const = default;
};
TFrameSize SkinnedWindowSize(int clientWidth, int clientHeight, const TFrameMetrics& m);
TFrameSize UnskinnedWindowSize(int width, int height, const TFrameMetrics& m, int nativeWidth, int nativeHeight);
// How far a dialog's controls move right when the dialog grows from `width` to `need`, so they
// stay centred: half the growth, 0 when it does not grow.
int DialogWidening(int width, int need);

// Native hit codes the skin reads and gives.
enum : int { htNowhere = 0, htCaption = 2, htMenu = 5 };
// The skin's hit code for a point `y` rows below the window's top edge whose native code is
// `native`: the caption band moves the window, below it a menu row takes the clicks; the top
// three rows and every other native code stay as they are.
int SkinHitTest(int native, int y, const TFrameMetrics& m);

// ---- caption text

// The title object's placement values.
struct TCaptionTextStyle {
    int Shift = 0;      // TextShift
    int ShiftVert = 0;  // TextShiftVert
    int RightClip = 0;  // TextRightClip
    int Alignment = 0;  // TextAlignment: 0 left, 1 centred, 2 right
    int BackLeft = 0;   // TXTBackleft
    int BackRight = 0;  // TXTBackRight
};

// What of the window the placement depends on.
struct TCaptionTextWindow {
    bool RightToLeft = false;
    bool Popup = false;        // the style has WS_POPUP
    bool DialogFrame = false;  // border kind 3
    int ButtonsExtent = 0;     // the largest Xcoord of the visible right-aligned caption buttons
};

struct TCaptionTextPlace {
    TPixRect Text;  // the caption text rectangle: the text widened by the back margins, placed
    TPixRect Back;  // where the text-back picture goes: Text's columns, the caption part's rows
    TPixRect Draw;  // where the text itself is drawn: Text inside the back margins
};

// Places a text of textWidth x textHeight (as measured) in the caption part `part`.
TCaptionTextPlace PlaceCaptionText(const TPixRect& part, int textWidth, int textHeight, const TCaptionTextStyle& s,
                                   const TCaptionTextWindow& w);

// ---- caption buttons

// The placement values of a caption button, with the size of one state of its picture.
struct TCaptionButtonSpec {
    int Align = 0, Xcoord = 0, Ycoord = 0;
    int Width = 0, Height = 0;
};

// What of the frame the button placement depends on.
struct TCaptionButtonFrame {
    int WindowWidth = 0;
    TFrameMetrics Metrics;
    bool HasMenuBarObject = false;
    int TileLeftMenu = 0;  // the menu-bar object's left margin
    TPixRect CaptionText;  // the caption text rectangle of the last caption paint
};

// The button's rectangle in window coordinates.
TPixRect PlaceCaptionButton(const TCaptionButtonSpec& b, const TCaptionButtonFrame& f);

// What of the window the caption buttons' visibility depends on.
struct TCaptionButtonWindow {
    bool Maximized = false;
    bool Active = false;
    int IconFlags = 0;
    int BorderKind = TFrameKinds::bkFixed;
    bool Dialog = false;
    bool MDIChildButtons = false;  // an MDI frame whose active child is maximized, with a menu bar
    bool Answer = false;           // the window said yes to the button (visibility 1000 .. 2000)
};

// Visibility values for which the window itself is asked.
constexpr bool AsksWindow(int visibility) { return visibility >= 1000 && visibility <= 2000; }

struct TCaptionButtonShow {
    bool Visible = false;
    int Enabled = -1;  // 0 or 1 when the button's action decides it, -1 when it stays as it is
};

// Whether a caption button with this action and these visibility values shows.
TCaptionButtonShow CaptionButtonShows(int action, int visibility, int visibility1, const TCaptionButtonWindow& w);

// The state drawn when the whole caption is painted: 1, or 4 (inactive or disabled) for a
// picture that has a fourth state.
int RestingButtonState(int frames, bool active, bool enabled);
// The state drawn for a button in `state` (1 normal, 2 pressed, 3 hot).
int ButtonPaintState(int state, int frames, bool enabled, int visibility);

// The window-icon buttons: they show the window's icon instead of a picture.
constexpr bool IsIconButton(int action) { return action == 3 || action == 11; }

// What a click on a caption button of this action type does.
enum class TCaptionCommand {
    Close, Maximize, Minimize, SystemMenu, Help, ChildMinimize, ChildRestore, ChildClose,
    Application,  // posted to the window for the application
};
TCaptionCommand CaptionButtonCommand(int action);
// The hint of a caption button of this action type, empty when it has none.
const char* CaptionButtonHintText(int action);

// Where the caption hint stands after the mouse rested `hoverTime` ms on a caption button,
// with the application's hint pause P and hide pause H: hidden before 2P, shown until 2P + H,
// hidden again after.
enum class THintPhase { Waiting, Shown, Over };
THintPhase CaptionHintPhase(int hoverTime, int hintPause, int hintHidePause);

// ---- the window region

// One piece the region is made of: a plain rectangle, or cut from the border picture drawn at
// the piece's place (border 1 left, 2 right, 3 top, 4 bottom).
struct TRegionPiece {
    TPixRect Rect;
    int Border = 0;      // 0: the middle
    bool FromPicture = false;
};

struct TRegionPlan {
    std::array<TRegionPiece, 5> Pieces{};
    int Count = 0;
    const TRegionPiece* begin() const { return Pieces.data(); }
    const TRegionPiece* end() const { return Pieces.data() + Count; }
};

// The pieces of a width x height window's region; `trans` says which borders (left, right,
// top, bottom) are keyed. Without a keyed border the region is the plain window rectangle.
TRegionPlan PlanFrameRegion(int width, int height, const TFrameMetrics& m, const std::array<bool, 4>& trans,
                            bool noCaption);
// The key range of the region cut: magenta and the values one step above it per channel.
constexpr int RegionTolerance = 1;

// ---- the mouse-sensitive objects of a frame

// Caption buttons and menu-bar buttons: normal, pressed while the button is held, hot while the
// mouse is over it. One object of a window is hot at a time; the window holds it.
enum : int { nsNormal = 1, nsPressed = 2, nsHot = 3 };

// The transitions of such an object `o` of a window `w`. O has State, Visible, Paint() and
// MouseLeave(); W has HotObject(), SetHotObject(O*) and ResetCaptionHint(); w may be null.
struct TNCTransitions {
    // Another object that is hot leaves first.
    template <class O, class W>
    static void LeaveOther(O& o, W* w)
    {
        if (w && w->HotObject() && w->HotObject() != &o)
            w->HotObject()->MouseLeave();
    }
    template <class O, class W>
    static void MouseDown(O& o, W* w)
    {
        LeaveOther(o, w);
        if (!o.Visible)
            return;
        if (w)
            w->SetHotObject(&o);
        o.State = nsPressed;
        o.Paint();
    }
    template <class O>
    static void MouseUp(O& o)
    {
        if (!o.Visible)
            return;
        o.State = nsHot;
        o.Paint();
    }
    // A pressed object stays pressed while the mouse moves over it.
    template <class O, class W>
    static void MouseMove(O& o, W* w)
    {
        if (w && w->HotObject() == &o)
            return;
        LeaveOther(o, w);
        if (!o.Visible)
            return;
        if (w)
            w->SetHotObject(&o);
        o.State = nsHot;
        o.Paint();
    }
    template <class O, class W>
    static void MouseLeave(O& o, W* w)
    {
        if (!o.Visible)
            return;
        if (w)
            w->SetHotObject(nullptr);
        o.State = nsNormal;
        o.Paint();
        if (w)
            w->ResetCaptionHint();
    }
};

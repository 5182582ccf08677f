#include "framelayout.h"

#include <algorithm>

namespace {

TPixRect Moved(const TPixRect& r, int dx, int dy) { return PixRect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy); }

// A visibility condition on the window. `first` selects the column of Visibility, else the
// one of Visibility1; they differ only where one of them has an extra condition.
bool VisibilityHolds(int value, bool first, const TCaptionButtonWindow& w)
{
    const int f = w.IconFlags;
    const bool minBox = (f & TFrameKinds::ifMinimize) != 0;
    const bool maxBox = (f & TFrameKinds::ifMaximize) != 0;
    const bool sysMenu = (f & TFrameKinds::ifSysMenu) != 0;
    const bool help = (f & TFrameKinds::ifHelp) != 0;
    switch (value) {
    case 0:
        return true;
    case 1:
        return w.Maximized;
    case 2:
        return !w.Maximized;
    case 3:
        return w.Active;
    case 4:
        return !w.Active;
    case 5:
        return false;
    case 6:
    case 8:
        return (minBox || maxBox) && (sysMenu || !first);
    case 7:
        return !maxBox;
    case 9:
        return !minBox;
    case 10:
        return help && (!first || (!minBox && !maxBox));
    case 100:
        return w.MDIChildButtons;
    case 200:
        return w.BorderKind == TFrameKinds::bkDialog && !w.Dialog;
    default:
        break;
    }
    if (value >= 201 && value <= 999)
        return true;
    if (AsksWindow(value))
        return !first || w.Answer;
    return false;
}

}  // namespace

int BorderStateSize(int size, int frames) { return size / std::max(1, frames); }

TFramePieces FramePieces(int width, int height, const TFrameMetrics& m)
{
    const int W = width, H = height;
    TFramePieces p;
    p.Left = PixRect(0, 0, m.Left, H);
    p.Right = PixRect(W - m.Right, 0, W, H);
    p.Bottom = PixRect(m.Left, H - m.Bottom, W - m.Right, H);
    p.Caption = PixRect(0, 0, W, m.Caption);
    p.CaptionPart = PixRect(m.Left, 0, W - m.Right, m.Caption);
    p.MenuBar = PixRect(m.Left, m.Caption, W - m.Right, m.Caption + m.Menu);
    p.Client = PixRect(m.Left, m.Caption + m.Menu, W - m.Right, H - m.Bottom);
    return p;
}

TPixRect SkinnedClientRect(int x, int y, int cx, int cy, const TFrameMetrics& m)
{
    return PixRect(x + m.Left, y + m.Caption + m.Menu, x + cx - m.Right, y + cy - m.Bottom);
}

TFrameSize SkinnedWindowSize(int clientWidth, int clientHeight, const TFrameMetrics& m)
{
    return {clientWidth + m.Left + m.Right, clientHeight + m.Caption + m.Bottom + m.Menu};
}

TFrameSize UnskinnedWindowSize(int width, int height, const TFrameMetrics& m, int nativeWidth, int nativeHeight)
{
    return {width - m.Left - m.Right + nativeWidth, height - m.Caption - m.Bottom + nativeHeight};
}

int DialogWidening(int width, int need) { return width < need ? (need - width) / 2 : 0; }

int SkinHitTest(int native, int y, const TFrameMetrics& m)
{
    if (native != htNowhere && native != htCaption)
        return native;
    int code = native;
    if (y > 3)
        code = htCaption;
    if (y > m.Caption && m.Menu > 0)
        code = htMenu;
    return code;
}

TCaptionTextPlace PlaceCaptionText(const TPixRect& part, int textWidth, int textHeight, const TCaptionTextStyle& s,
                                   const TCaptionTextWindow& w)
{
    const TPixRect& r = part;
    TPixRect m = PixRect(r.Left, r.Top, r.Left + textWidth + s.BackLeft + s.BackRight, r.Top + textHeight);
    const int rw = r.Width(), mw = m.Width(), rh = r.Height(), mh = m.Height();
    const int extent = w.ButtonsExtent;
    int dx = 0;
    if (!w.RightToLeft) {
        switch (s.Alignment) {
        case 0: dx = s.Shift; break;
        case 1: dx = (rw - mw) / 2; break;
        case 2: dx = rw - s.RightClip - mw; break;
        default: break;
        }
    } else {
        switch (s.Alignment) {
        case 0: dx = rw - extent - mw; break;
        case 1: dx = (rw - mw - extent) / 2; break;
        case 2: dx = s.Shift; break;
        default: break;
        }
    }
    // A text that does not fit before the buttons starts at the shift, which counts from the
    // caption part as it does left to right: the rectangle keeps its width.
    if (w.RightToLeft && dx <= 0)
        dx = s.Shift;
    const int dy = (rh - mh) / 2 + s.ShiftVert / 2;
    m = Moved(m, dx, dy);
    if (w.RightToLeft)
        m = Moved(m, 10, 0);
    else if (w.Popup) {
        if (r.Right - extent - 5 < m.Right && extent > 5)
            m.Right = r.Right - extent - 5;
    } else if (r.Right - s.RightClip < m.Right) {
        m.Right = r.Right - s.RightClip;
    }
    if (w.DialogFrame && s.Alignment == 0)
        m.Left -= 16;
    TCaptionTextPlace place;
    place.Text = m;
    place.Back = PixRect(m.Left, r.Top, m.Right, r.Bottom);
    place.Draw = PixRect(m.Left + s.BackLeft, m.Top, m.Right - s.BackRight, m.Bottom);
    return place;
}

TPixRect PlaceCaptionButton(const TCaptionButtonSpec& b, const TCaptionButtonFrame& f)
{
    const TPixRect own = PixRect(0, 0, b.Width, b.Height);
    switch (b.Align) {
    case 0:
        return Moved(own, b.Xcoord, b.Ycoord);
    case 1:
        return Moved(own, f.WindowWidth - b.Xcoord, b.Ycoord);
    case 2:
    case 8:
        return Moved(own, f.CaptionText.Left - b.Width - b.Xcoord, b.Ycoord);
    case 3:
    case 9:
        return Moved(own, f.CaptionText.Right + b.Xcoord, b.Ycoord);
    case 100: {
        const int x = f.WindowWidth - b.Xcoord - f.Metrics.Right - (f.HasMenuBarObject ? f.TileLeftMenu : 0);
        return Moved(own, x, (f.Metrics.Menu - b.Height) / 2 + f.Metrics.Caption);
    }
    default:
        return own;
    }
}

TCaptionButtonShow CaptionButtonShows(int action, int visibility, int visibility1, const TCaptionButtonWindow& w)
{
    TCaptionButtonShow show;
    show.Visible = VisibilityHolds(visibility, true, w);
    // 100 and 200 hold for both values alike; the window is asked only for Visibility.
    if (visibility1 == 100 || visibility1 == 200)
        show.Visible = show.Visible && VisibilityHolds(visibility1, true, w);
    else
        show.Visible = show.Visible && VisibilityHolds(visibility1, false, w);
    const int f = w.IconFlags;
    const bool sysMenu = (f & TFrameKinds::ifSysMenu) != 0;
    switch (action) {
    case 0:
        if (!sysMenu)
            show.Visible = false;
        break;
    case 1:
        show.Enabled = (f & TFrameKinds::ifMaximize) && sysMenu ? 1 : 0;
        break;
    case 2:
        show.Enabled = (f & TFrameKinds::ifMinimize) && sysMenu ? 1 : 0;
        break;
    case 3:
    case 11:
    case 12:
        if (w.BorderKind == TFrameKinds::bkDialog)
            show.Visible = false;
        break;
    default:
        break;
    }
    return show;
}

int RestingButtonState(int frames, bool active, bool enabled) { return frames < 4 || (active && enabled) ? 1 : 4; }

int ButtonPaintState(int state, int frames, bool enabled, int visibility)
{
    if (!enabled)
        return frames > 3 ? 4 : 1;
    if (visibility == 100 && state == nsHot)
        return 4;
    return state;
}

TCaptionCommand CaptionButtonCommand(int action)
{
    switch (action) {
    case 0: return TCaptionCommand::Close;
    case 1: case 22: return TCaptionCommand::Maximize;
    case 2: case 23: return TCaptionCommand::Minimize;
    case 3: case 11: case 12: return TCaptionCommand::SystemMenu;
    case 4: return TCaptionCommand::Help;
    case 7: case 60: return TCaptionCommand::ChildMinimize;
    case 8: case 61: return TCaptionCommand::ChildRestore;
    case 9: case 62: return TCaptionCommand::ChildClose;
    default: return TCaptionCommand::Application;
    }
}

const char* CaptionButtonHintText(int action)
{
    switch (action) {
    case 0: case 9: case 62: return "Close";
    case 1: case 22: return "Maximize";
    case 2: case 7: case 23: case 60: return "Minimize";
    case 8: case 61: return "Restore";
    default: return "";
    }
}

THintPhase CaptionHintPhase(int hoverTime, int hintPause, int hintHidePause)
{
    const long long start = 2LL * hintPause, end = start + hintHidePause;
    if (hoverTime < start)
        return THintPhase::Waiting;
    return hoverTime < end ? THintPhase::Shown : THintPhase::Over;
}

TRegionPlan PlanFrameRegion(int width, int height, const TFrameMetrics& m, const std::array<bool, 4>& trans,
                            bool noCaption)
{
    TRegionPlan plan;
    auto add = [&plan](const TPixRect& r, int border, bool fromPicture) {
        plan.Pieces[static_cast<size_t>(plan.Count++)] = {r, border, fromPicture};
    };
    const int W = width, H = height;
    if (std::none_of(trans.begin(), trans.end(), [](bool t) { return t; })) {
        add(PixRect(0, 0, W, H), 0, false);
        return plan;
    }
    const TFramePieces p = FramePieces(W, H, m);
    add(PixRect(m.Left, m.Caption, W - m.Right, H - m.Bottom), 0, false);
    if (noCaption)
        return plan;
    add(p.Left, 1, trans[0] && H > 1);
    add(p.Right, 2, trans[1] && H > 1);
    add(p.Bottom, 4, trans[3] && m.Bottom >= 2);
    add(p.CaptionPart, 3, trans[2] && m.Caption > 1 && !p.CaptionPart.Empty());
    return plan;
}

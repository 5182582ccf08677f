// The skinned scroll-bar panel: placing it over the real bar, following the pointer, handing
// presses to the real bar, and the picture of a skinned bar.
#include "wscrollbar.h"

#include <algorithm>
#include <utility>

#include "bitmapview.h"
#include "controldraw.h"
#include "skincontrol.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinhelpers.h"
#include "winstyle.h"

namespace {

TColor SkinFace(TSkinData* data) { return data ? data->FColors[scButtonFace] : clBtnFace; }

}  // namespace

// ---------------------------------------------------------------- the panel

const TClassInfo& TWScrollbar::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWScrollbar>("TWScrollbar", &TCustomControl::StaticClass()).Build();
    return info;
}

TWScrollbar::TWScrollbar(TComponent* owner) : TCustomControl(owner), FButtonSize(GetSystemMetrics(SM_CXHSCROLL))
{
    SetTabStop(false);
}

TWScrollbar::~TWScrollbar() = default;

void TWScrollbar::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.ExStyle = WS_EX_TOOLWINDOW;
}

void TWScrollbar::AttachToControl(TSkinControl* skin, TWinControl* control, BYTE kind)
{
    FTargetControl = control;
    Attach(skin, control ? control->Handle() : nullptr, kind);
}

void TWScrollbar::AttachToWindow(TSkinControl* skin, HWND wnd, BYTE kind)
{
    FTargetControl = nullptr;
    Attach(skin, wnd, kind);
}

void TWScrollbar::Attach(TSkinControl* skin, HWND wnd, BYTE kind)
{
    FOwnerSkin = skin;
    FTarget = wnd;
    FKind = kind;
    if (skin)
        SetColor(skin->GetParentColor(SkinFace(skin->SkinData())));
    SetParentWindow(wnd ? GetParent(wnd) : nullptr);
    PlaceBar(wnd);
}

bool TWScrollbar::EnsureWindow()
{
    if (HandleAllocated())
        return true;
    if (!ParentWindow() || !IsWindow(ParentWindow()))
        return false;
    HandleNeeded();
    return HandleAllocated();
}

bool TWScrollbar::BarInfo(SCROLLBARINFO& info) const
{
    info = SCROLLBARINFO{};
    info.cbSize = sizeof info;
    return FTarget && SkinGetScrollBarInfo(FTarget, Vertical() ? OBJID_VSCROLL : OBJID_HSCROLL, info);
}

void TWScrollbar::HideBar()
{
    if (HandleAllocated())
        ShowWindow(WindowHandle(), SW_HIDE);
    FShown = false;
    SetVisible(false);
}

void TWScrollbar::PlaceBar(HWND target)
{
    FTarget = target;
    SCROLLBARINFO info;
    if (!BarInfo(info)) {
        FShown = false;
        return;
    }
    if (!(StyleOf(target) & WS_VISIBLE) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
        if (HandleAllocated())
            ShowWindow(WindowHandle(), SW_HIDE);
        FShown = false;
        return;
    }
    const RECT& bar = info.rcScrollBar;
    POINT topLeft{bar.left, bar.top}, bottomRight{bar.right, bar.bottom};
    ::ScreenToClient(target, &topLeft);
    ::ScreenToClient(target, &bottomRight);
    FClientBar = TRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    const int w = bar.right - bar.left;
    const int h = bar.bottom - bar.top;
    FBarLength = Vertical() ? h : w;
    FBarOrigin = POINT{bar.left, bar.top};
    POINT at = FBarOrigin;
    ::ScreenToClient(GetParent(target), &at);
    if (!EnsureWindow())
        return;
    HWND self = WindowHandle();
    HWND after = GetWindow(target, GW_HWNDPREV);
    ShowWindow(self, SW_SHOW);
    FShown = true;
    // Directly above the covered window, over the bar.
    SetWindowPos(self, after, at.x, at.y, w, h, 0);
    MoveWindow(self, at.x, at.y, w, h, TRUE);
}

int TWScrollbar::HitTest(const TPoint& p) const
{
    return ScrollBarHitTest(Vertical() ? p.y : p.x, FButtonSize, FThumbStart, FThumbEnd, FBarLength);
}

void TWScrollbar::SetHotPart(int part)
{
    FHotPart = part;
    Invalidate();
}

// ---------------------------------------------------------------- the pointer

void TWScrollbar::Dispatch(TMessage& m)
{
    // The system's tracking of a press runs inside: the skin that owns the panel waits.
    TSkinControl::TMessageCall call(As<TSkinControl>(Owner()));
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;  // Paint covers everything
        return;
    case WM_MOUSEMOVE:
        TCustomControl::Dispatch(m);
        MouseMoved(m);
        return;
    case WM_MOUSELEAVE:
        TCustomControl::Dispatch(m);
        if (!FPressed)
            SetHotPart(ScrollPart::None);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        TCustomControl::Dispatch(m);
        // The panel goes with its skin, which its control may free from inside the tracking.
        if (ButtonDown(m) && !call.SkinGone()) {
            FPressed = false;
            ReleaseCapture();
        }
        return;
    case WM_LBUTTONUP:
        TCustomControl::Dispatch(m);
        ButtonUp(m);
        return;
    default:
        TCustomControl::Dispatch(m);
    }
}

void TWScrollbar::MouseMoved(const TMessage& m)
{
    const int part = HitTest(TPoint(MsgX(m.LParam), MsgY(m.LParam)));
    if (part != FHotPart)
        SetHotPart(part);
    if (HandleAllocated())
        SkinTrackMouseLeave(WindowHandle());
}

bool TWScrollbar::ButtonDown(const TMessage& m)
{
    GetCursorPos(&FPressCursor);
    SCROLLBARINFO info;
    if (BarInfo(info)) {
        FPressThumbStart = info.xyThumbTop;
        FBarOrigin = POINT{info.rcScrollBar.left, info.rcScrollBar.top};
    }
    const TPoint p(MsgX(m.LParam), MsgY(m.LParam));
    FHotPart = HitTest(p);
    const LPARAM screen = MakeMsgPoint(p.x + FBarOrigin.x, p.y + FBarOrigin.y);
    FPressed = true;
    Invalidate();
    ReleaseCapture();  // the toolkit captured the mouse for the panel
    if (!FTarget || !IsWindow(FTarget)) {
        FPressed = false;
        return false;
    }
    // The system's own tracking of the real bar runs inside this call.
    SendMessageA(FTarget, WM_NCLBUTTONDOWN, HitCode(), screen);
    return true;
}

void TWScrollbar::ButtonUp(const TMessage& m)
{
    ReleaseCapture();
    FPressed = false;
    if (FTarget && IsWindow(FTarget))
        PostMessageA(FTarget, WM_NCLBUTTONUP, HitCode(),
                     MakeMsgPoint(MsgX(m.LParam) + FBarOrigin.x, MsgY(m.LParam) + FBarOrigin.y));
}

void TWScrollbar::TrackThumb()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    const int delta = Vertical() ? cursor.y - FPressCursor.y : cursor.x - FPressCursor.x;
    const TThumbSpan span = FollowThumb(FPressThumbStart, delta, FButtonSize, FBarLength, {FThumbStart, FThumbEnd});
    FThumbStart = span.Start;
    FThumbEnd = span.End;
}

// ---------------------------------------------------------------- painting

void TWScrollbar::Paint()
{
    TSkinData* data = FOwnerSkin ? FOwnerSkin->SkinData() : nullptr;
    if (!data || !data->FScrollbar || data->FScrollbar->Bitmap.Empty())
        return;
    SCROLLBARINFO info;
    if (!BarInfo(info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE))
        return;
    const int w = info.rcScrollBar.right - info.rcScrollBar.left;
    const int h = info.rcScrollBar.bottom - info.rcScrollBar.top;
    const TRect client = ClientRect();
    if (w < 0 || h < 0 || w > client.Width() || h > client.Height())
        return;
    const bool vertical = Vertical();
    FBarLength = vertical ? h : w;
    if (FPressed && FHotPart == ScrollPart::Thumb) {
        TrackThumb();
    } else {
        FThumbStart = info.xyThumbTop;
        FThumbEnd = info.xyThumbBottom;
    }
    TScrollBarShape shape =
        ScrollBarShapeOf(info, vertical, FButtonSize, data, vertical ? client.Height() : client.Width());
    shape.ThumbStart = FThumbStart;
    shape.ThumbEnd = FThumbEnd;
    DrawSkinScrollBar(Canvas()->Handle(), 0, 0, data, shape, FHotPart, FPressed);
}

TScrollBarShape ScrollBarShapeOf(const SCROLLBARINFO& info, bool vertical, int buttonSize, TSkinData* data,
                                 int extent)
{
    TScrollBarShape shape;
    shape.Vertical = vertical;
    shape.Width = info.rcScrollBar.right - info.rcScrollBar.left;
    shape.Height = info.rcScrollBar.bottom - info.rcScrollBar.top;
    shape.ButtonSize = buttonSize;
    shape.SkinHeight = data && data->FScrollbar ? data->FScrollbar->Bitmap.Height() : 0;
    shape.ThumbStart = info.xyThumbTop;
    shape.ThumbEnd = info.xyThumbBottom;
    shape.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    shape.Extent = extent;
    return shape;
}

void DrawSkinScrollBar(HDC dc, int x, int y, TSkinData* data, const TScrollBarShape& shape, int hotPart,
                       bool pressed)
{
    if (!dc || !data || !data->FScrollbar || data->FScrollbar->Bitmap.Empty() || shape.Width <= 0 ||
        shape.Height <= 0)
        return;
    TBitmap picture(shape.Width, shape.Height);
    if (picture.Empty())
        return;
    HDC pdc = picture.Canvas()->Handle();
    SetStretchBltMode(pdc, COLORONCOLOR);
    FillSolidRect(pdc, TRect(0, 0, shape.Width, shape.Height), data->FColors[scButtonFace]);

    const TScrollBarParts parts = LayOutScrollBar(shape);
    const bool v = shape.Vertical;
    TDataSkinObject* track = (v ? data->FVertScroll : data->FHorzScroll).get();
    // The thumb tiles as its track does.
    const bool tile = track && track->Tile == 1;
    if (track && !parts.Track.Empty())
        DrawSkinBitmapSliced(pdc, ToRect(parts.Track), &track->Bitmap, track->Margins(), shape.Enabled ? 1 : 3,
                             ScrollTrackFrames, track->Trans == 1, tile, false);
    TBitmap* strip = &data->FScrollbar->Bitmap;
    TSkinControl::DrawStripFrameMasked(pdc, ToRect(parts.FirstArrow), ScrollStripFrames,
                                       ScrollArrowFrame(v, false, hotPart, pressed), strip);
    TSkinControl::DrawStripFrameMasked(pdc, ToRect(parts.SecondArrow), ScrollStripFrames,
                                       ScrollArrowFrame(v, true, hotPart, pressed), strip);
    if (TDataSkinObject* thumb = (v ? data->FVertScrollThumb : data->FHorzScrollThumb).get();
        thumb && !parts.Thumb.Empty())
        DrawSkinBitmapSliced(pdc, ToRect(parts.Thumb), &thumb->Bitmap, thumb->Margins(),
                             ScrollThumbFrame(hotPart, pressed), std::max(thumb->Frame, 1), thumb->Trans == 1, tile,
                             false);
    if (!parts.Grip.Empty())
        TSkinControl::DrawStripFrameMasked(pdc, ToRect(parts.Grip), ScrollStripFrames,
                                           ScrollGripFrame(v, hotPart, pressed), strip);
    BitBlt(dc, x, y, shape.Width, shape.Height, pdc, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------- the pair

void TScrollBarPair::AttachToControl(TSkinControl* skin, TWinControl* control)
{
    FHorz = new TWScrollbar(skin);
    FHorz->AttachToControl(skin, control, TWScrollbar::sbHorizontal);
    FVert = new TWScrollbar(skin);
    FVert->AttachToControl(skin, control, TWScrollbar::sbVertical);
}

void TScrollBarPair::AttachToWindow(TSkinControl* skin, HWND wnd)
{
    FHorz = new TWScrollbar(skin);
    FHorz->AttachToWindow(skin, wnd, TWScrollbar::sbHorizontal);
    FVert = new TWScrollbar(skin);
    FVert->AttachToWindow(skin, wnd, TWScrollbar::sbVertical);
}

void TScrollBarPair::PlaceBoth(HWND target) const
{
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar)
            bar->PlaceBar(target);
}

void TScrollBarPair::HideBoth() const
{
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar)
            bar->HideBar();
}

void TScrollBarPair::SetEnabled(bool enabled) const
{
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar)
            bar->SetEnabled(enabled);
}

void TScrollBarPair::Revalidate(HWND target) const
{
    const DWORD style = StyleOf(target);
    for (TWScrollbar* bar : {FVert, FHorz}) {
        if (!bar)
            continue;
        if (bar->Shown())
            bar->Invalidate();
        else if (style & (bar == FVert ? WS_VSCROLL : WS_HSCROLL))
            bar->PlaceBar(target);
    }
}

void TScrollBarPair::InvalidateShown() const
{
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar && bar->Shown())
            bar->Invalidate();
}

void TScrollBarPair::ScrollRequest(const TMessage& m) const
{
    TWScrollbar* bar = m.Msg == WM_VSCROLL ? FVert : FHorz;
    if (bar)
        bar->SetHotPart(LOWORD(m.WParam));
}

void TScrollBarPair::FillCorner(HDC dc, TColor color, int leftTopOffset, int rightBottomOffset) const
{
    if (!FHorz || !FVert || !FHorz->Shown() || !FVert->Shown())
        return;
    const TRect& v = FVert->ClientBar();
    const TRect& h = FHorz->ClientBar();
    FillSolidRect(dc,
                  TRect(v.left + leftTopOffset, h.top + leftTopOffset, v.right + rightBottomOffset,
                        h.bottom + rightBottomOffset),
                  color);
}

void TScrollBarPair::Free()
{
    for (TWScrollbar** bar : {&FHorz, &FVert})
        if (*bar)
            std::exchange(*bar, nullptr)->Free();
}

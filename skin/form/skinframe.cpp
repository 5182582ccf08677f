// Painting the skinned frame (borders, caption, caption buttons, menu-bar row), the window
// region cut from the border pictures, the client rectangle, and the window state the painting
// depends on. The whole frame is composed in one off-screen bitmap and copied in one transfer.
#include <algorithm>

#include "bitmapview.h"
#include "pixelslice.h"
#include "skindraw.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmanager.h"
#include "skinmessages.h"
#include "winstyle.h"
#include "winutil.h"

namespace {

// The part of a bitmap's pixels under a rectangle that lies inside it.
TPixelView SubView(TBitmap& bitmap, const TRect& r)
{
    const TPixelView all = ViewOf(bitmap);
    return {all.Row(r.top) + r.left, static_cast<int>(r.Width()), static_cast<int>(r.Height()), all.Stride};
}

bool Inside(const TRect& r, const TBitmap& b)
{
    return r.left >= 0 && r.top >= 0 && r.right <= b.Width() && r.bottom <= b.Height();
}

// A picture composed in plain memory and keyed onto the bitmap's pixels at (x, y): what a
// keyed transfer does, without a device context or a mask for every caption part. What the
// composing leaves unpainted stays the key, so it leaves the target as it was.
template <class Compose>
void KeyedOnto(TBitmap& target, const TRect& r, Compose&& compose)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    TPixelImage picture(r.Width(), r.Height(), KeyColor);
    compose(picture.View());
    KeyedCopy(ViewOf(target), r.left, r.top, picture.View(), KeyColor);
}

// The client area in window coordinates.
TRect ClientInWindow(HWND wnd, const TRect& windowRect)
{
    RECT c{};
    GetClientRect(wnd, &c);
    MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
    OffsetRect(&c, -windowRect.left, -windowRect.top);
    return c;
}

}  // namespace

// ---------------------------------------------------------------- the frame

bool TSkinForm::CanPaintFrame() const
{
    return SkinScratchBitmap() && FFrameSkinned && FSkinData &&
           (FLifeState == lsSkinned || FLifeState == lsRefreshing) && FBorderKind != bkNoCaption &&
           !(FMDIRole == mdiChild && FSizeState == ssMaximized);
}

void TSkinForm::PaintFrame(HDC dc)
{
    if (!CanPaintFrame())
        return;
    try {
        TWindowDC target(Window, dc);
        if (target.Get()) {
            ComposeFrame();
            TSavedDC saved(target.Get());
            const TRect client = ClientInWindow(Window, FWindowRect);
            if (!client.Empty())
                ExcludeClipRect(target.Get(), client.left, client.top, client.right, client.bottom);
            BitBlt(target.Get(), 0, 0, FWidth, FHeight, FFrameBitmap.Canvas()->Handle(), 0, 0, SRCCOPY);
        }
    } catch (...) {
        // A bad skin never breaks the window's messages.
    }
    FHotObject = nullptr;
}

void TSkinForm::ComposeFrame()
{
    FWindowRect = WindowRectOf(Window);
    FWidth = FWindowRect.Width();
    FHeight = FWindowRect.Height();
    if (FWidth <= 0 || FHeight <= 0)
        return;
    if (FFrameBitmap.Width() != FWidth || FFrameBitmap.Height() != FHeight)
        FFrameBitmap.SetSize(FWidth, FHeight);
    HDC dc = FFrameBitmap.Canvas()->Handle();
    if (FSizeState == ssMinimized) {
        PaintCaption(dc);
        return;
    }
    const TFramePieces p = FramePieces(FWidth, FHeight, FMetrics);
    PaintBorder(TSkinObjects::bdLeft, ToRect(p.Left), FFrameBitmap);
    PaintBorder(TSkinObjects::bdRight, ToRect(p.Right), FFrameBitmap);
    PaintBorder(TSkinObjects::bdBottom, ToRect(p.Bottom), FFrameBitmap);
    PaintCaption(dc);
    const TRect bar = ToRect(p.MenuBar);
    if (!PaintMenuBar(dc, bar) && FMetrics.Menu > 0)
        FillRect(dc, &bar, FSkinData->FFaceBrush.Get());
}

void TSkinForm::PaintBorder(int index, const TRect& r, HDC dc)
{
    if (r.Width() <= 0 || r.Height() <= 0 || !FSkinData)
        return;
    TDataSkinBorder& b = FSkinData->Border(index);
    const int state = FActive || b.Frame == 1 ? 1 : 2;
    std::unique_ptr<TBitmap> picture = StretchSkinBitmap(r, &b.Bitmap, b.Margins(), state, b.Frame, b.Tile != 1,
                                                         index >= TSkinObjects::bdTop);
    BitBlt(dc, r.left, r.top, r.Width(), r.Height(), picture->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The same picture straight into the pixels of one of our bitmaps.
void TSkinForm::PaintBorder(int index, const TRect& r, TBitmap& target)
{
    if (r.Width() <= 0 || r.Height() <= 0 || !FSkinData)
        return;
    if (!Inside(r, target)) {
        PaintBorder(index, r, target.Canvas()->Handle());
        return;
    }
    TDataSkinBorder& b = FSkinData->Border(index);
    if (b.Bitmap.Empty())
        return;
    const int state = FActive || b.Frame == 1 ? 1 : 2;
    const TPixelView src = ViewOf(b.Bitmap);
    const TPixRect part = StateRect(src.Width, src.Height, state, b.Frame, index >= TSkinObjects::bdTop);
    const TMargins margins{b.LeftWidth, b.TopHeight, b.RightWidth, b.BottomHeight};
    RenderPlan(SubView(target, r), 0, 0, src,
               PlanNineSlice(r.Width(), r.Height(), part, margins, b.Tile != 1));
}

// ---------------------------------------------------------------- the caption

void TSkinForm::PaintCaption(HDC dc)
{
    const bool minimized = FSizeState == ssMinimized;
    const int height = minimized ? FHeight : FMetrics.Caption;
    if (FWidth <= 0 || height <= 0)
        return;
    if (FCaptionBitmap.Width() != FWidth || FCaptionBitmap.Height() != height)
        FCaptionBitmap.SetSize(FWidth, height);
    TCanvas* canvas = FCaptionBitmap.Canvas();
    TRect part(FMetrics.Left, 0, FWidth - FMetrics.Right, FMetrics.Caption);
    if (minimized) {
        canvas->Brush()->SetColor(FSkinData->FColors[scButtonFace]);
        canvas->FillRect(TRect(0, 0, FWidth, height));
        part = TRect(0, 0, FWidth, FMetrics.Caption);
    } else {
        // The sides' top ends are already in place.
        BitBlt(canvas->Handle(), 0, 0, FWidth, height, dc, 0, 0, SRCCOPY);
    }
    PaintBorder(TSkinObjects::bdTop, part, FCaptionBitmap);
    PaintCaptionText(FCaptionBitmap, part);
    LayoutCaptionButtons();
    if (FCaptionBack.Width() != FWidth || FCaptionBack.Height() != height)
        FCaptionBack.SetSize(FWidth, height);
    BitBlt(FCaptionBack.Canvas()->Handle(), 0, 0, FWidth, height, canvas->Handle(), 0, 0, SRCCOPY);
    PaintCaptionButtons(FCaptionBitmap);
    BitBlt(dc, 0, 0, FWidth, height, canvas->Handle(), 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}

void TSkinForm::PaintCaptionText(TBitmap& caption, const TRect& r)
{
    const UINT flags = FRightToLeft ? 0x28822u : 0x8820u;
    const std::wstring text = FCaptionPrefix +
                              (FUnicode ? GetWindowTextWide(Window) : StrToWide(GetWindowTextAnsi(Window))) +
                              FCaptionSuffix;
    FButtonsExtent = 0;
    for (int i = 0; i < ButtonCount(); ++i) {
        const TDataSkinSysButton* object = Buttons(i)->SkinObject();
        if (object && object->Align == 1 && !object->Bitmap.Empty() && IsCaptionButtonVisible(i))
            FButtonsExtent = std::max(FButtonsExtent, object->Xcoord);
    }
    const TDataSkinTitle& title = *FSkinData->FTitle;
    HDC dc = caption.Canvas()->Handle();
    RECT measured = r;
    {
        TSelectedObject font(dc, FCaptionFont->Handle());
        DrawTextWide(dc, text, measured, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP);
    }
    const TCaptionTextStyle style{title.LeftWidth, title.TopHeight, title.RightWidth, title.TextAlignment,
                                  title.TXTBackleft, title.TXTBackRight};
    const TCaptionTextWindow window{FRightToLeft, (FSavedStyle & WS_POPUP) != 0, FBorderKind == bkDialog,
                                    FButtonsExtent};
    const TCaptionTextPlace place = PlaceCaptionText(ToPixRect(r), measured.right - measured.left,
                                                     measured.bottom - measured.top, style, window);
    FCaptionTextRect = ToRect(place.Text);
    if (!title.Bitmap.Empty()) {
        TBitmap& back = const_cast<TBitmap&>(title.Bitmap);
        const TRect at = ToRect(place.Back);
        KeyedOnto(caption, at, [&](const TPixelView& v) {
            const TPixelView src = ViewOf(back);
            const TPixRect state = StateRect(src.Width, src.Height, FActive ? 1 : 2, 2, true);
            RenderPlan(v, 0, 0, src,
                       PlanThreeSlice(v.Width, v.Height, state, {title.TXTBackleft, 0, title.TXTBackRight, 0}));
        });
    }
    TSelectedObject font(dc, FCaptionFont->Handle());
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF colour = SetTextColor(
        dc, ColorToRGB(FSkinData->FColors[FActive ? scTitleTextActive : scTitleTextNoActive]));
    RECT drawn = ToRect(place.Draw);
    DrawTextWide(dc, text, drawn, flags);
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
}

// ---------------------------------------------------------------- caption buttons

TCaptionButtonWindow TSkinForm::CaptionButtonWindow(int index)
{
    const TDataSkinSysButton& object = *Buttons(index)->SkinObject();
    TCaptionButtonWindow w;
    w.Maximized = FSizeState == ssMaximized;
    w.Active = FActive;
    w.IconFlags = FIconFlags;
    w.BorderKind = FBorderKind;
    w.Dialog = FDialog;
    if (object.Visibility == 100 || object.Visibility1 == 100)
        w.MDIChildButtons = HasMenuBar() && IsMDIChildMaximized();
    if (AsksWindow(object.Visibility))
        w.Answer = SendMessageA(Window, SKM_BUTTONVISIBLE, static_cast<WPARAM>(object.Visibility), object.Action) > 0;
    return w;
}

bool TSkinForm::IsCaptionButtonVisible(int index)
{
    if (index < 0 || index >= ButtonCount())
        return false;
    TWinSysButton& button = *Buttons(index);
    const TDataSkinSysButton* object = button.SkinObject();
    if (!object) {
        button.Visible = false;
        return false;
    }
    const TCaptionButtonShow show =
        CaptionButtonShows(object->Action, object->Visibility, object->Visibility1, CaptionButtonWindow(index));
    if (show.Enabled >= 0)
        button.Enabled = show.Enabled == 1;
    button.Visible = show.Visible;
    return show.Visible;
}

void TSkinForm::LayoutCaptionButtons()
{
    TCaptionButtonFrame frame;
    frame.WindowWidth = FWidth;
    frame.Metrics = FMetrics;
    frame.HasMenuBarObject = FSkinData->FMenuBar != nullptr;
    frame.TileLeftMenu = FSkinData->FMenuBar ? FSkinData->FMenuBar->LeftWidth : 0;
    frame.CaptionText = ToPixRect(FCaptionTextRect);
    for (int i = 0; i < ButtonCount(); ++i) {
        TWinSysButton& button = *Buttons(i);
        const TDataSkinSysButton* object = button.SkinObject();
        if (!IsCaptionButtonVisible(i) || !object || object->Bitmap.Empty())
            continue;
        const TCaptionButtonSpec spec{object->Align, object->Xcoord, object->Ycoord,
                                      BorderStateSize(object->Bitmap.Width(), object->Frame),
                                      object->Bitmap.Height()};
        button.Rect = ToRect(PlaceCaptionButton(spec, frame));
    }
}

void TSkinForm::PaintCaptionButtons(TBitmap& caption)
{
    HDC dc = caption.Canvas()->Handle();
    for (const TOwnedObject<TWinSysButton>& button : FButtons) {
        TDataSkinSysButton* object = button->SkinObject();
        if (!button->Visible || !object || object->Bitmap.Empty() || object->Visibility == 100)
            continue;
        if (IsIconButton(object->Action)) {
            DrawAppIcon(dc, button->Rect);
            continue;
        }
        const int frames = std::max(1, object->Frame);
        const int state = RestingButtonState(frames, FActive, button->Enabled);
        KeyedOnto(caption, button->Rect, [&](const TPixelView& v) {
            const TPixelView src = ViewOf(object->Bitmap);
            StretchPixels(v, v.Bounds(), src, StateRect(src.Width, src.Height, state, frames, false));
        });
    }
}

bool TSkinForm::IsMDIChildMaximized()
{
    if (FMDIRole != mdiFrame || !FMDIClient)
        return false;
    BOOL maximized = FALSE;
    const LRESULT child = SendMessageA(FMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    return child != 0 && maximized;
}

// ---------------------------------------------------------------- the region

void TSkinForm::UpdateRegion()
{
    if (FLifeState == lsDead || !FFrameSkinned || !FSkinData || !IsWindow(Window))
        return;
    const TRect wr = WindowRectOf(Window);
    const int W = wr.Width(), H = wr.Height();
    if (W <= 0 || H <= 0)
        return;
    if (FMDIRole == mdiChild && FSizeState != ssNormal)
        return;
    if (W == FRegionWidth && H == FRegionHeight && FMDIRole != mdiChild && FLifeState != lsRefreshing)
        return;
    std::array<bool, 4> trans{};
    for (int i = 0; i < 4; ++i)
        trans[static_cast<size_t>(i)] = FSkinData->Border(TSkinObjects::bdLeft + i).Trans == 1;
    // Border order of the skin (left, right, top, bottom) is the order `trans` takes.
    const TRegionPlan plan = PlanFrameRegion(W, H, FMetrics, trans, FBorderKind == bkNoCaption);
    if (std::any_of(trans.begin(), trans.end(), [](bool t) { return t; })) {
        FRegionWidth = W;
        FRegionHeight = H;
    }
    TGdiObject<HRGN> region;
    for (const TRegionPiece& piece : plan) {
        const TRect r = ToRect(piece.Rect);
        TGdiObject<HRGN> part;
        if (piece.FromPicture) {
            TBitmap picture(r.Width(), r.Height());
            PaintBorder(piece.Border, TRect(0, 0, r.Width(), r.Height()), picture);
            part = CreateRegionFromBitmap(&picture, r.left, r.top, SkinKeyColor, RegionTolerance, RegionTolerance,
                                          RegionTolerance);
        } else {
            part.Reset(CreateRectRgn(r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom)));
        }
        if (!region)
            region = std::move(part);
        else if (part)
            CombineRgn(region.Get(), region.Get(), part.Get(), RGN_OR);
    }
    if (region)
        SetRegion(std::move(region));
}

// The window owns a region once it is set (and frees the one it had before); one it refused
// is still ours and goes with `region`.
void TSkinForm::SetRegion(TGdiObject<HRGN> region)
{
    if (FRegionSet) {
        // The same shape again changes nothing on screen: the window is not reshaped.
        TGdiObject<HRGN> current(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(Window, current.Get()) != ERROR && EqualRgn(current.Get(), region.Get()))
            return;
    }
    if (!SetWindowRgn(Window, region.Get(), TRUE))
        return;
    region.Release();
    FRegionSet = true;
}

void TSkinForm::RemoveRegion()
{
    if (!FRegionSet)
        return;
    if (IsWindow(Window))
        SetWindowRgn(Window, nullptr, FMDIRole == mdiChild);
    FRegionSet = false;
    FRegionWidth = FRegionHeight = -1;
}

// ---------------------------------------------------------------- client area and state

void TSkinForm::WMNCCalcSize(TMessage& m)
{
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    const RECT proposed = m.WParam && params ? params->rgrc[0] : RECT{};
    m.Result = CallOldProc(m);
    if (!m.WParam || !params) {
        m.Result = 0;
        return;
    }
    if ((FMDIRole == mdiChild && FSizeState != ssNormal) || FBorderKind == bkNoCaption) {
        params->rgrc[1] = params->rgrc[0];
        m.Result = WVR_VALIDRECTS;
        return;
    }
    const RECT client = ToRect(SkinnedClientRect(proposed.left, proposed.top, proposed.right - proposed.left,
                                                 proposed.bottom - proposed.top, FMetrics));
    params->rgrc[0] = client;
    params->rgrc[1] = client;
    m.Result = WVR_VALIDRECTS;
    FFrameSizeApplied = true;
}

void TSkinForm::UpdatePlacementState()
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(Window, &placement))
        return;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        FSizeState = ssMinimized;
        break;
    case SW_SHOWMAXIMIZED:
        FSizeState = ssMaximized;
        break;
    default:
        FSizeState = ssNormal;
        break;
    }
}

void TSkinForm::FindMDIClient()
{
    FMDIRole = mdiNone;
    for (HWND child = GetTopWindow(Window); child; child = GetWindow(child, GW_HWNDNEXT))
        if (WindowClassName(child) == "MDIClient") {
            FMDIRole = mdiFrame;
            FMDIClient = child;
            if (TSkinManage* manager = SkinManager()) {
                manager->MDIClient = child;
                manager->MDIFrame = FControl;
            }
            break;
        }
}

// While the frame is ours the native frame code must not find the system-menu buttons.
void TSkinForm::SetSysMenuStyle(bool remove)
{
    if ((FIconFlags & ifKeepSysMenu) || !IsWindow(Window))
        return;
    const DWORD current = StyleOf(Window);
    FSavedStyle = current;
    if (remove)
        FSavedStyle &= ~static_cast<DWORD>(WS_SYSMENU);
    else if (FIconFlags & ifSysMenu)
        FSavedStyle |= WS_SYSMENU;
    if (FSavedStyle != current)
        SetWindowLongA(Window, GWL_STYLE, static_cast<LONG>(FSavedStyle));
}

// The skinned window's frame sizes and caption buttons from the skin, its first fitting and its
// refresh, and giving everything back.
#include <algorithm>

#include "skindraw.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmanager.h"
#include "skinmessages.h"
#include "winutil.h"

namespace {

HICON SmallOrBigIcon(HWND wnd)
{
    if (!wnd)
        return nullptr;
    auto icon = reinterpret_cast<HICON>(SendMessageA(wnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(SendMessageA(wnd, WM_GETICON, ICON_BIG, 0));
    return icon;
}

}  // namespace

// ---------------------------------------------------------------- from the skin

void TSkinForm::UpdateFrameMetrics()
{
    if (!FSkinData || FSkinData->FSkinEmpty)
        return;
    if (FBorderKind == bkNoCaption) {
        FMetrics = TFrameMetrics{};
    } else {
        const TSkinData& d = *FSkinData;
        const TDataSkinBorder& top = d.Border(TSkinObjects::bdTop);
        const TDataSkinBorder& left = d.Border(TSkinObjects::bdLeft);
        const TDataSkinBorder& right = d.Border(TSkinObjects::bdRight);
        const TDataSkinBorder& bottom = d.Border(TSkinObjects::bdBottom);
        FMetrics.Caption = BorderStateSize(top.Bitmap.Height(), top.Frame);
        FMetrics.Left = BorderStateSize(left.Bitmap.Width(), left.Frame);
        FMetrics.Right = BorderStateSize(right.Bitmap.Width(), right.Frame);
        FMetrics.Bottom = BorderStateSize(bottom.Bitmap.Height(), bottom.Frame);
    }
    ClearButtons();
    FButtons.reserve(FSkinData->FSysButtons.size());
    for (size_t i = 0; i < FSkinData->FSysButtons.size(); ++i) {
        TDataSkinSysButton& object = *FSkinData->FSysButtons[i];
        TWinSysButton* button = FButtons.emplace_back(new TWinSysButton()).Get();
        button->Index = static_cast<int>(i);
        button->Form = this;
        button->Enabled = true;
        if (!IsIconButton(object.Action))
            continue;
        // The window-icon button shows the window's icon when the skin has no picture for it.
        UpdateIconBitmap(FIconBitmap);
        if (object.Bitmap.Empty() || FSkinData->FIconBitmap.Empty())
            object.Bitmap.Assign(&FIconBitmap);
        object.Frame = 1;
    }
}

void TSkinForm::UpdateIconBitmap(TBitmap& bitmap)
{
    const int cx = GetSystemMetrics(SM_CXSMICON);
    const int cy = GetSystemMetrics(SM_CYSMICON);
    bitmap.SetSize(cx, cy);
    bitmap.SetPixelFormat(pf16bit);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clFuchsia);
    canvas->FillRect(TRect(0, 0, cx, cy));
    FIconSize = cx;
    HICON icon = SmallOrBigIcon(Window);
    if (!icon)
        return;
    TIconHandle copy(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    if (copy)
        DrawIconEx(canvas->Handle(), 0, 0, copy.Get(), cx, cy, 0, nullptr, DI_NORMAL);
}

// The copy at the small-icon size is kept while the application keeps its icon: making it is
// the dearest part of a caption paint.
void TSkinForm::DrawAppIcon(HDC dc, const TRect& r)
{
    HICON icon = SmallOrBigIcon(Application ? Application->Handle() : nullptr);
    if (!icon) {
        TransparentDraw(dc, r, &FIconBitmap, SkinKeyColor);
        return;
    }
    const int size = FIconSize > 0 ? FIconSize : GetSystemMetrics(SM_CXSMICON);
    if (icon != FAppIconSource || !FAppIcon) {
        FAppIcon.Reset(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE)));
        FAppIconSource = icon;
    }
    if (FAppIcon)
        DrawIconEx(dc, r.left, r.top, FAppIcon.Get(), size, size, 0, nullptr, DI_NORMAL);
}

// The button is composed over the caption as last painted (without buttons) and copied in one
// transfer, so no other state of it shows through.
void TSkinForm::PaintCaptionButton(TWinSysButton& button, int state)
{
    const TDataSkinSysButton* object = button.SkinObject();
    if (!object || !CanPaintFrame() || !button.Visible)
        return;
    const TRect& r = button.Rect;
    if (r.Empty())
        return;
    TWindowDC window(Window);
    if (!window.Get())
        return;
    TBitmap picture(r.Width(), r.Height());
    HDC dc = picture.Canvas()->Handle();
    const bool onCaption = FCaptionBack.Width() == FWidth && r.left >= 0 && r.top >= 0 &&
                           r.right <= FCaptionBack.Width() && r.bottom <= FCaptionBack.Height();
    if (onCaption)
        BitBlt(dc, 0, 0, r.Width(), r.Height(), FCaptionBack.Canvas()->Handle(), r.left, r.top, SRCCOPY);
    else
        BitBlt(dc, 0, 0, r.Width(), r.Height(), window.Get(), r.left, r.top, SRCCOPY);
    const TRect at(0, 0, r.Width(), r.Height());
    if (IsIconButton(object->Action)) {
        DrawAppIcon(dc, at);
    } else {
        const int frames = std::max(1, object->Frame);
        const int shown = ButtonPaintState(state, frames, button.Enabled, object->Visibility);
        DrawSkinBitmapState(dc, at, const_cast<TBitmap*>(&object->Bitmap), shown, frames, true);
    }
    BitBlt(window.Get(), r.left, r.top, r.Width(), r.Height(), dc, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------- fitting the window

void TSkinForm::ResizeFrame(bool keep)
{
    if (FSizeState == ssMaximized) {
        FrameChanged();
        return;
    }
    const TRect R = WindowRectOf(Window);
    if (FDialog || FLifeState == lsRefreshing)
        FClientRect = ClientRectOf(Window);
    int clientWidth = FClientRect.Width();
    int clientHeight = FClientRect.Height();
    if (keep) {
        FClientRect = ClientRectOf(Window);
        clientHeight = FClientRect.Height();
    } else if (FControl) {
        clientWidth = FControl->ClientWidth();
        clientHeight = FControl->ClientHeight() - (FMDIRole == mdiChild ? 0 : FMetrics.Menu);
    }
    TFrameSize size = SkinnedWindowSize(clientWidth, clientHeight, FMetrics);
    if (FDialog && !keep)
        WidenDialog(size.Width);
    SetWindowPos(Window, nullptr, R.left, R.top, size.Width, size.Height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

// A dialog grows to show its whole caption; its controls move right to stay centred.
void TSkinForm::WidenDialog(int& width)
{
    const std::wstring text = GetWindowTextWide(Window);
    SIZE extent{};
    {
        TWindowDC window(Window);
        if (!window.Get())
            return;
        TSelectedObject font(window.Get(), FCaptionFont->Handle());
        GetTextExtentPoint32W(window.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    const TDataSkinTitle& title = *FSkinData->FTitle;
    const int need = title.LeftWidth + extent.cx + title.RightWidth;
    const int shift = DialogWidening(width, need);
    if (width >= need)
        return;
    for (HWND child = GetWindow(Window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Window, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
    }
    width = need;
}

void TSkinForm::FrameChanged()
{
    SetWindowPos(Window, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinForm::InvalidateWindow()
{
    InvalidateRect(Window, nullptr, TRUE);
    UpdateWindow(Window);
}

// ---------------------------------------------------------------- refresh

void TSkinForm::ApplySkinColors()
{
    if (!FSkinData)
        return;
    const TColor face = FSkinData->FColors[scButtonFace];
    if (FControl) {
        FControl->SetColor(face);
        for (int i = 0; i < FControl->ComponentCount(); ++i)
            if (auto* form = As<TCustomForm>(FControl->Components(i)))
                form->SetColor(face);
    }
    SkinControlsChanged();
    FLifeState = lsRefreshing;
    if (FFrameSkinned && FControl) {
        SetPopupMenusOwnerDraw(FControl, true);
        ResizeFrame(true);
        // The toolkit lays the form out again inside the new frame; the window itself is not
        // moved by the pair, which ends where it began.
        const int height = FControl->Height();
        {
            TBoundsUpdate once(*FControl);
            FControl->SetHeight(height + 1);
            FControl->SetHeight(height);
        }
        // The new skin's shape, also when the window kept its size and got no WM_SIZE.
        UpdateRegion();
    }
    NotifySkinned();
    FLifeState = lsSkinned;
}

void TSkinForm::NotifySkinned()
{
    SendMessageA(Window, SKM_SKINNED, 0, SKM_MAGIC);
    if (FSkinData && FSkinData->OnAfterSkinForm)
        FSkinData->OnAfterSkinForm(FControl, Window, WindowClassName(Window));
}

// ---------------------------------------------------------------- giving back

void TSkinForm::RestoreColor()
{
    if (!FColorApplied)
        return;
    FColorApplied = false;
    if (FControl)
        FControl->SetColor(FSavedColor);
}

// The native menu comes back in place of the skinned menu bar.
void TSkinForm::RestoreMenu()
{
    if (FMenuHandle && IsMenu(FMenuHandle) && GetMenu(Window) != FMenuHandle)
        SetMenu(Window, FMenuHandle);
    FreeMenuBar();
}

// The window gets its native frame back around the client area the skinned frame had; a frame
// that was never fitted to the skin is left as it is.
void TSkinForm::RestoreNativeSize()
{
    if (FLifeState == lsDestroying || !FFrameSizeApplied || !IsWindow(Window))
        return;
    if (FMDIRole != mdiChild && (FSavedStyle & WS_CHILD))
        return;
    TRect r = WindowRectOf(Window);
    POINT topLeft{r.left, r.top};
    if (FMDIRole == mdiChild && FMDIClient)
        ScreenToClient(FMDIClient, &topLeft);
    else if (FMDIRole == mdiChild)
        ScreenToClient(GetParent(Window), &topLeft);
    const TFrameSize size =
        UnskinnedWindowSize(r.Width(), r.Height(), FMetrics, FNativeFrame.Width(), FNativeFrame.Height());
    FFrameSizeApplied = false;
    SetWindowPos(Window, nullptr, topLeft.x, topLeft.y, size.Width, size.Height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
}

// What every way of giving the skin back begins with: the system menu and the hover timer go,
// then (when attached) the procedures and the control skins. False when not attached.
bool TSkinForm::ReleaseProcedures()
{
    FreeSystemMenu();
    if (FHoverTimer)
        FHoverTimer->SetEnabled(false);
    if (!Attached())
        return false;
    UnchainWindowProc();
    FProc.Restore();
    FreeSkinControls();
    return true;
}

// The form's menus are drawn natively again.
void TSkinForm::RestoreMenuDrawing()
{
    if (!FControl)
        return;
    SetPopupMenusOwnerDraw(FControl, false);
    if (FSkinData && FSkinData->SkinControls().Contains(xcMenuItem))
        SetMainMenusOwnerDraw(FControl, false);
}

void TSkinForm::Unskin()
{
    if (!FFrameSkinned) {
        UnskinPlain();
        return;
    }
    ResetCaptionHint();
    if (!ReleaseProcedures())
        return;
    RestoreMenuDrawing();
    if (FLifeState != lsDestroying)
        RestoreColor();
    SetSysMenuStyle(false);
    RestoreMenu();
    UnhookMDIClient();
    RestoreNativeSize();
    if (IsWindow(Window))
        SetWindowRgn(Window, nullptr, TRUE);
    FRegionSet = false;
    FRegionWidth = FRegionHeight = -1;
}

// A skinned frame gives back only what would call into this object: a window that is going
// away, or one left when the engine stops, keeps its colour, size and menus as they are. A
// window whose frame was never skinned has nothing of that kind; it is given back plainly.
void TSkinForm::Detach()
{
    if (!FFrameSkinned) {
        UnskinPlain();
        return;
    }
    DetachProcedures();
}

void TSkinForm::DetachProcedures()
{
    if (!ReleaseProcedures())
        return;
    FreeMenuBar();
    UnhookMDIClient();
}

void TSkinForm::UnskinPlain()
{
    if (FHoverTimer)
        FHoverTimer->SetEnabled(false);
    FreeSkinControls();
    RestoreMenuDrawing();
    if (FLifeState == lsDestroying)
        FColorApplied = false;  // a window that goes keeps the skin's colour for good
    else
        RestoreColor();
    if (Attached()) {
        UnchainWindowProc();
        FProc.Restore();
    }
    UnhookMDIClient();
    if (FLifeState == lsDestroying || FLifeState == lsDead || !FControl)
        return;
    for (int i = 0; i < FControl->ComponentCount(); ++i)
        if (auto* c = As<TControl>(FControl->Components(i)))
            c->Invalidate();
}

// The arrow button of the date-time picker skin.
#include "arrowbutton.h"

#include <algorithm>

#include "combolayout.h"
#include "pixelslice.h"
#include "skindata.h"
#include "skindatetime.h"
#include "winstyle.h"

const TClassInfo& TArrowButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TArrowButton>("TArrowButton", &TCustomControl::StaticClass()).Build();
    return info;
}

TArrowButton::TArrowButton(TComponent* owner) : TCustomControl(owner), FButtonSize(GetSystemMetrics(SM_CXHSCROLL))
{
    SetTabStop(false);
}

TArrowButton::~TArrowButton()
{
    // The picker goes back to painting over its children as before.
    if (FAddedClipChildren && IsWindow(FPickerWnd))
        SetWindowLongA(FPickerWnd, GWL_STYLE, GetWindowLongA(FPickerWnd, GWL_STYLE) & ~WS_CLIPCHILDREN);
}

bool TArrowButton::RightToLeft() const
{
    return FPickerWnd && (ExStyleOf(FPickerWnd) & WS_EX_LEFTSCROLLBAR);
}

bool TArrowButton::PickerEnabled() const { return FPickerWnd && IsWindowEnabled(FPickerWnd); }

void TArrowButton::AttachToPicker(TSkinDateTime* skin, TWinControl* picker)
{
    if (!picker)
        return;
    FSkin = skin;
    FPicker = picker;
    FPickerWnd = picker->Handle();
    SetParentWindow(FPickerWnd);
    RECT w{};
    GetWindowRect(FPickerWnd, &w);
    SetBounds(ArrowButtonLeft(w.right - w.left, FButtonSize, RightToLeft()), 0, FButtonSize, picker->Height() - 4);
    const LONG style = GetWindowLongA(FPickerWnd, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN)) {
        SetWindowLongA(FPickerWnd, GWL_STYLE, style | WS_CLIPCHILDREN);
        FAddedClipChildren = true;
    }
    HandleNeeded();
}

void TArrowButton::Reposition(const TRect& r) { SetLeft(ArrowButtonLeft(r.right, FButtonSize, RightToLeft())); }

void TArrowButton::SetHot(bool on)
{
    if (on)
        FMouseFlags |= 1;
    else
        FMouseFlags &= static_cast<BYTE>(~1);
    Invalidate();
}

void TArrowButton::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TCustomControl::Dispatch(m);
        if (PickerEnabled())
            SetHot(m.Msg == CM_MOUSEENTER);
        return;
    case WM_LBUTTONDOWN: {
        TCustomControl::Dispatch(m);
        // The picker sees a click on its own drop-down button.
        const LPARAM at = MakeMsgPoint(MsgX(m.LParam) + Left(), MsgY(m.LParam) + Top());
        if (FPickerWnd && IsWindow(FPickerWnd)) {
            PostMessageA(FPickerWnd, WM_LBUTTONDOWN, m.WParam, at);
            PostMessageA(FPickerWnd, WM_LBUTTONUP, m.WParam, at);
        }
        Invalidate();
        return;
    }
    case WM_LBUTTONUP:
        TCustomControl::Dispatch(m);
        if (FPicker && FPicker->CanFocus())
            FPicker->SetFocus();
        return;
    default:
        TCustomControl::Dispatch(m);
    }
}

void TArrowButton::Paint()
{
    TSkinData* data = FSkin ? FSkin->SkinData() : nullptr;
    if (!data || !FPicker)
        return;
    TCanvas* c = Canvas();
    const TRect r(0, 0, Width(), FPicker->Height() - 4);
    c->Brush()->SetColor(data->FColors[scButtonFace]);
    c->FillRect(r);
    TDataSkinObject* arrow = data->FComboArrow.get();
    if (!arrow || arrow->Bitmap.Empty())
        return;
    const TPixRect src = StateRect(arrow->Bitmap.Width(), arrow->Bitmap.Height(), Hot() ? 4 : 1,
                                   std::max(arrow->Frame, 1), false);
    if (!src.Empty())
        c->CopyRect(r, arrow->Bitmap.Canvas(), TRect(src.Left, src.Top, src.Right, src.Bottom));
}

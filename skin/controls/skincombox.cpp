// The combo-box skin.
#include "skincombox.h"

#include <algorithm>
#include <utility>

#include "bitmapview.h"
#include "combolayout.h"
#include "comboxscrollbar.h"
#include "controldraw.h"
#include "skindata.h"
#include "skindatetime.h"
#include "skindraw.h"
#include "skinhelpers.h"
#include "skinscrollbarh.h"
#include "winstyle.h"

namespace {

bool HasPicture(const TDataSkinObject* o) { return o && !o->Bitmap.Empty(); }

}  // namespace

const TClassInfo& TSkinComBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinComBox>("TSkinComBox", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinComBox::TSkinComBox(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinComBox::~TSkinComBox()
{
    FEditProc.Restore();
    if (TSkinScrollbarH* list = FSimpleListSkin) {
        SetReference(FSimpleListSkin, nullptr);
        list->Free();
    }
    SetReference(FDropDownBarSkin, nullptr);
}

void TSkinComBox::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    ReferenceGone(FSimpleListSkin, c, op);
    ReferenceGone(FDropDownBarSkin, c, op);
}

// ---------------------------------------------------------------- attaching

void TSkinComBox::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    if (FAttached)
        return;
    TSkinControl::InitControl(Form, Data, Canvas, SetColor);
    if (!FAttached)
        return;
    FStyle = GetWindowLongAW(FHandle, GWL_STYLE);
    if ((FStyle & 3) == CBS_SIMPLE) {
        AttachSimpleList();
        return;
    }
    if (FStyle & CBS_DROPDOWN)
        AttachDropDownList();
    if (!FUnicode)
        HookEdit();
}

void TSkinComBox::InitHandle(HWND Wnd, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas)
{
    if (FAttached)
        return;
    TSkinControl::InitHandle(Wnd, Data, Form, Canvas);
    if (!FAttached)
        return;
    FStyle = GetWindowLongAW(FHandle, GWL_STYLE);
    if ((FStyle & 3) != CBS_SIMPLE && !FUnicode)
        HookEdit();
}

bool TSkinComBox::FillComboInfo()
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!SkinGetComboBoxInfo(FHandle, info))
        return false;
    FComboInfo = info;
    return true;
}

template <class TListSkin>
void TSkinComBox::AttachListSkin(TListSkin*& slot)
{
    auto* skin = new TListSkin(Owner());
    SetReference(slot, skin);
    try {
        skin->InitHandle(FListWindow, FSkinData, FSkinForm, FCanvas);
    } catch (...) {
        // The list keeps its own bars.
        if (slot)
            std::exchange(slot, nullptr)->Free();
    }
}

void TSkinComBox::AttachSimpleList()
{
    if (!FillComboInfo())
        return;
    FListWindow = FComboInfo.hwndList;
    if (FListWindow && !IsPopupWindow(FListWindow) && (StyleOf(FListWindow) & WS_CHILD))
        AttachListSkin(FSimpleListSkin);
}

void TSkinComBox::AttachDropDownList()
{
    if (!FillComboInfo() || !FComboInfo.hwndList)
        return;
    FListWindow = FComboInfo.hwndList;
    AttachListSkin(FDropDownBarSkin);
}

void TSkinComBox::HookEdit()
{
    HWND edit = GetTopWindow(FHandle);
    if (!edit || FEditProc.Installed())
        return;
    try {
        FEditProc.Install(edit, TWndMethod(this, &TSkinComBox::EditWndProc), false);
        FEditWindow = edit;
    } catch (...) {
        // The combo is still skinned; only the edit's presses go unseen.
    }
}

void TSkinComBox::EditWndProc(TMessage& Message)
{
    TMessageCall call(this);
    Message.Result = FEditProc.CallOld(Message);
    if (call.SkinGone())
        return;
    if (Message.Msg == WM_NCDESTROY) {
        FEditProc.Abandon();
        FEditWindow = nullptr;
        return;
    }
    if (!FActive)
        return;
    try {
        if (Message.Msg == WM_PAINT)
            PaintControl(nullptr);
        else
            TrackPress(Message.Msg);
    } catch (...) {
        // The edit works on unskinned.
    }
}

void TSkinComBox::TrackPress(UINT msg)
{
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK)
        SetMouseFlag(mfPressed, true);
    else if (msg == WM_LBUTTONUP)
        SetMouseFlag(mfPressed, false);
}

void TSkinComBox::SetMouseFlag(BYTE flag, bool on)
{
    if (on)
        FMouseFlags |= flag;
    else
        FMouseFlags &= static_cast<BYTE>(~flag);
    Refresh();
}

void TSkinComBox::FreeListSkins()
{
    const auto release = [this](auto*& slot) {
        TSkinControl* skin = slot;
        if (!skin)
            return;
        SetReference(slot, nullptr);
        skin->Release(true);
    };
    release(FSimpleListSkin);
    release(FDropDownBarSkin);
}

void TSkinComBox::Unskin()
{
    TSkinControl::Unskin();
    FEditProc.Restore();
    FEditWindow = nullptr;
    FreeListSkins();
}

// ---------------------------------------------------------------- messages

void TSkinComBox::AfterProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CN_COMMAND:
        break;  // a focus change by itself does not repaint
    case WM_MOUSEMOVE: {
        const TPoint p(MsgX(Message.LParam), MsgY(Message.LParam));
        if (Hot()) {
            // A disabled combo keeps its hot mark.
            if (FEnabled && !FButtonRect.Contains(p))
                SetMouseFlag(mfHot, false);
        } else if (FEnabled && FButtonRect.Contains(p)) {
            SetMouseFlag(mfHot, true);
        }
        break;
    }
    case WM_DRAWITEM:
    case WM_NCPAINT:
        Refresh();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        TrackPress(Message.Msg);
        break;
    case CM_MOUSELEAVE:
        if (Hot())
            SetMouseFlag(mfHot, false);
        break;
    default:
        TSkinControl::AfterProc(Message);
    }
}

// ---------------------------------------------------------------- painting

void TSkinComBox::DrawControl(HDC DC, const TRect& R)
{
    // Without the button picture the combo stays as it painted itself.
    TDataSkinBorder* button = FSkinData ? FSkinData->FComboButton.get() : nullptr;
    if (!HasPicture(button))
        return;
    FStyle = GetWindowLongAW(FHandle, GWL_STYLE);
    FExStyle = GetWindowLongAW(FHandle, GWL_EXSTYLE);
    if (SkinUser32Entries().GetComboBoxInfo && FillComboInfo()) {
        FButtonRect = FComboInfo.rcButton;
        if (FComboInfo.stateButton & STATE_SYSTEM_INVISIBLE)
            return;  // a simple combo: no button, its list is skinned on its own
    }
    const TRect box(0, 0, R.Width(), R.Height());
    FEnabled = !(FStyle & WS_DISABLED);
    FFocused = GetFocus() == FHandle;
    const bool rtl = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    if (button->Style == 1) {
        DrawPlainStyle(DC, box, *button, rtl);
        return;
    }
    const int state = ComboStateFrame(FEnabled, Pressed(), FFocused || Hot());
    TDataSkinObject* sunk = FSkinData->FSunkEdge.get();
    if (FComboBoxExMode) {
        DrawComboBoxEx(DC, box, state);
        return;
    }
    if (button->Style == 2) {
        // Right to left the whole box is the sunken edge's picture; a skin without one draws
        // nothing.
        TDataSkinObject* whole = rtl ? sunk : button;
        if (HasPicture(whole))
            DrawSkinBitmapSliced(DC, box, &whole->Bitmap, whole->Margins(), state, whole->Frame, true, false, false);
        return;
    }
    DrawFramed(DC, box, *button, HasPicture(sunk) ? sunk : nullptr, state, rtl);
}

// Without a sunken edge the button goes over the combo's own border.
void TSkinComBox::DrawFramed(HDC DC, const TRect& R, TDataSkinBorder& Button, TDataSkinObject* Sunk, int State,
                             bool RTL)
{
    const TComboFramedLayout l = LayOutFramedCombo(ToPixRect(R), GetSystemMetrics(SM_CXHSCROLL), RTL);
    TBitmap* picture = RTL && !Button.Bitmap2.Empty() ? &Button.Bitmap2 : &Button.Bitmap;
    TSavedDC saved(DC);
    // The edge picture paints the ring around the text and the button area only.
    ExcludeClipRect(DC, l.Text.Left, l.Text.Top, l.Text.Right, l.Text.Bottom);
    if (Sunk)
        DrawSkinPart(DC, R, Sunk->Frame, State, Sunk);
    DrawStripFrameMasked(DC, ToRect(l.Button), Button.Frame, State, picture);
    if (TDataSkinObject* glyph = FSkinData->FExtraImages.get(); HasPicture(glyph))
        DrawSkinBitmapCentered(DC, ToRect(l.Glyph), &glyph->Bitmap, State, glyph->Frame, true);
}

void TSkinComBox::DrawPlainStyle(HDC DC, const TRect& R, TDataSkinBorder& Button, bool RTL)
{
    const int count = std::max(Button.Frame, 1);
    const int state = ComboPlainStateFrame(FEnabled, Pressed(), FFocused || Hot());
    const TComboPlainLayout l = LayOutPlainCombo(ToPixRect(R), Button.Bitmap.Width() / count, Button.Bitmap.Height(),
                                                 GetSystemMetrics(SM_CYVTHUMB), RTL);
    auto brush = static_cast<HBRUSH>(GetCurrentObject(DC, OBJ_BRUSH));
    const RECT ring = ToRect(l.Ring);
    const RECT column = ToRect(l.Column);
    FrameRect(DC, &ring, brush);
    FillRect(DC, &column, brush);
    TGdiObject<HBRUSH> shadow(CreateSolidBrush(ColorToRGB(FSkinData->FColors[scButtonShadow])));
    FrameRect(DC, &R, shadow.Get());
    DrawStripFrameMasked(DC, ToRect(l.Button), count, state, &Button.Bitmap);
}

void TSkinComBox::DrawComboBoxEx(HDC DC, const TRect& R, int State)
{
    DrawFlatBorder(DC, FHandle, R, FSkinData->FColors[scButtonShadow]);
    RECT edit, combo;
    if (!FEditWindow || !GetWindowRect(FEditWindow, &edit) || !GetWindowRect(FHandle, &combo))
        return;
    const TRect button(edit.left - combo.left, edit.top - combo.top, edit.right - combo.left, edit.bottom - combo.top);
    FillFace(DC, button);
    if (TDataSkinObject* arrow = FSkinData->FComboArrow.get(); HasPicture(arrow))
        DrawStripFrameMasked(DC, button, arrow->Frame, State, &arrow->Bitmap);
}

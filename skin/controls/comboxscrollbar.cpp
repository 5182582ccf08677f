// The skin of a combo box's drop-down list.
#include "comboxscrollbar.h"

#include <windowsx.h>

#include "scrollbarlayout.h"
#include "skindata.h"
#include "skinhelpers.h"
#include "wscrollbar.h"

namespace {

// The list box's message that starts tracking the pointer when the list drops down.
constexpr UINT LBCB_STARTTRACK = 0x1AE;

bool VerticalBarInfo(HWND wnd, SCROLLBARINFO& info)
{
    info = SCROLLBARINFO{};
    info.cbSize = sizeof info;
    return SkinGetScrollBarInfo(wnd, OBJID_VSCROLL, info);
}

}  // namespace

const TClassInfo& TComboxScrollBar::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TComboxScrollBar>("TComboxScrollBar", &TSkinControl::StaticClass()).Build();
    return info;
}

TComboxScrollBar::TComboxScrollBar(TComponent* AOwner) : TSkinControl(AOwner), FButtonSize(GetSystemMetrics(SM_CXHSCROLL))
{
}

bool TComboxScrollBar::BeforeProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCMOUSEMOVE:
        // No hot tracking of the bar by the system: it would paint over the skin.
        return Message.WParam != HTHSCROLL && Message.WParam != HTVSCROLL;
    case WM_NCLBUTTONDOWN:
        if (DragThumb(Message)) {
            Message.Result = 0;
            return false;
        }
        return true;
    default:
        return TSkinControl::BeforeProc(Message);
    }
}

void TComboxScrollBar::AfterProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case LBCB_STARTTRACK:
        PaintControl(nullptr);
        break;
    default:
        TSkinControl::AfterProc(Message);
    }
}

void TComboxScrollBar::DrawControl(HDC DC, const TRect& R)
{
    if (!FSkinData || !FSkinData->FScrollbar || FSkinData->FScrollbar->Bitmap.Empty())
        return;
    SCROLLBARINFO info;
    if (!VerticalBarInfo(FHandle, info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE))
        return;
    RECT window;
    if (!GetWindowRect(FHandle, &window))
        return;
    const RECT& bar = info.rcScrollBar;
    const int w = bar.right - bar.left;
    const int h = bar.bottom - bar.top;
    if (w < 0 || h < 0 || w > window.right - window.left || h > window.bottom - window.top)
        return;
    const TScrollBarShape shape = ScrollBarShapeOf(info, true, FButtonSize, FSkinData, h);
    DrawSkinScrollBar(DC, bar.left - window.left, bar.top - window.top, FSkinData, shape, ScrollPart::None, false);
}

bool TComboxScrollBar::DragThumb(const TMessage& Message)
{
    if (Message.WParam != HTVSCROLL)
        return false;
    const POINT press{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    SCROLLBARINFO info;
    if (!VerticalBarInfo(FHandle, info))
        return false;
    const int offset = press.y - info.rcScrollBar.top;
    if (offset < info.xyThumbTop || offset > info.xyThumbBottom)
        return false;

    const HWND list = FHandle;
    SetCapture(list);
    // The pointer itself, not the messages' points: a move read late still drags to where the
    // pointer is now.
    POINT start{};
    GetCursorPos(&start);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(list, SB_VERT, &si);
    const TScrollRange range{si.nMin, si.nMax, static_cast<int>(si.nPage)};
    const int thumbOrigin = info.xyThumbTop - FButtonSize;
    const int track = (info.rcScrollBar.bottom - info.rcScrollBar.top) - 2 * FButtonSize;
    const int thumbLength = info.xyThumbBottom - info.xyThumbTop;
    int position = si.nPos;
    int last = si.nPos;

    // Modal until the button goes up, the capture goes elsewhere or the list goes away; every
    // other message of the thread is handled meanwhile.
    MSG msg{};
    while (IsWindow(list) && GetCapture() == list) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // the application's loop must see it
            break;
        }
        if (got < 0)
            break;
        if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP)
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE)
            continue;
        POINT cursor{};
        GetCursorPos(&cursor);
        position = DragScrollPosition(thumbOrigin, cursor.y - start.y, track, thumbLength, range);
        if (position != last && IsWindow(list)) {
            SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), 0);
            last = position;
        }
    }
    if (IsWindow(list)) {
        SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
        PostMessageA(list, WM_VSCROLL, SB_ENDSCROLL, 0);
        if (GetCapture() == list)
            ReleaseCapture();
    }
    return true;
}

// The popup-menu window's skin: its frame and background from the MenuBackground picture.
#include "skinpopmenu.h"

#include "menulayout.h"
#include "winutil.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinmanager.h"
#include "skinmessages.h"

namespace {

// GetDCEx flags of the frame painting: the window's DC, cut to the update region, with the
// window class's style (DCX_USESTYLE, 0x10000, which MinGW's headers leave out).
constexpr DWORD FrameDCFlags = DCX_WINDOW | DCX_INTERSECTRGN | 0x10000;

bool ManagerActive()
{
    TSkinManage* manager = SkinManager();
    return manager && manager->Active();
}

}  // namespace

const TClassInfo& TSkinPopMenu::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinPopMenu>("TSkinPopMenu", &TObject::StaticClass()).Build();
    return info;
}

TSkinPopMenu::~TSkinPopMenu() { Unhook(); }

void TSkinPopMenu::Hook(HWND window, TSkinData* data, HMENU menu)
{
    FWindow = window;
    FSkinData = data;
    BoundMenu = menu;
    FProc.Install(window, TWndMethod(this, &TSkinPopMenu::WndProc), false);
    OwnerDrawMark = false;
}

void TSkinPopMenu::Unhook()
{
    if (!FProc.Installed())
        return;
    FProc.Restore();
    FBackground.Assign(nullptr);
}

void TSkinPopMenu::Release()
{
    FBusy.Release([this] {
        Unhook();
        Free();
    });
}

void TSkinPopMenu::WndProc(TMessage& m)
{
    TBusyCount::TCall call(FBusy);
    try {
        Dispatch(m);
    } catch (...) {
        if (call.OwnerGone())
            return;
        // A skin that fails leaves the menu to its own procedure from here on.
        const WNDPROC old = FProc.OldProc();
        Unhook();
        m.Result = old ? CallWindowProcA(old, FWindow, m.Msg, m.WParam, m.LParam)
                       : DefWindowProcA(FWindow, m.Msg, m.WParam, m.LParam);
    }
}

void TSkinPopMenu::Dispatch(TMessage& m)
{
    if (m.Msg == SKM_ISSKINNED) {
        m.Result = 1;
        return;
    }
    if (!ManagerActive()) {
        m.Result = CallDefault(m);
        return;
    }
    switch (m.Msg) {
    case WM_DESTROY: {
        const WNDPROC old = FProc.OldProc();
        Unhook();
        m.Result = CallWindowProcA(old, FWindow, m.Msg, m.WParam, m.LParam);
        return;
    }
    case WM_ERASEBKGND:
        EraseBackground(m);
        return;
    case WM_NCPAINT:
        NCPaint(m);
        return;
    case WM_PRINT:
        Print(m);
        return;
    case WM_PAINT:
        Paint(m);
        return;
    default:
        m.Result = CallDefault(m);
        return;
    }
}

bool TSkinPopMenu::SkinUsable() const
{
    return FSkinData && !FSkinData->FSkinEmpty && FSkinData->FMenuBackground &&
           !FSkinData->FMenuBackground->Bitmap.Empty();
}

bool TSkinPopMenu::BuildBackground()
{
    RECT window{};
    if (!GetWindowRect(FWindow, &window))
        return false;
    const TRect r(0, 0, window.right - window.left, window.bottom - window.top);
    if (r.Width() <= 0 || r.Height() <= 0)
        return false;
    TDataSkinObject& picture = *FSkinData->FMenuBackground;
    std::unique_ptr<TBitmap> built =
        StretchSkinBitmap(r, &picture.Bitmap, picture.Margins(), 1, picture.Frame, picture.Tile == 1, false);
    FBackground.Assign(built.get());
    return true;
}

void TSkinPopMenu::EraseBackground(TMessage& m)
{
    if (SkinIsWin9x()) {
        m.Result = 0;
        return;
    }
    if (!FSkinData || !FSkinData->Options().Contains(xoMenuBG))
        CallDefault(m);
    m.Result = 1;
}

void TSkinPopMenu::NCPaint(TMessage& m)
{
    if (!SkinUsable() || m.WParam != 1) {
        m.Result = CallDefault(m);
        return;
    }
    const TWinVersion version = SkinVersion();
    HDC dc = PopupFrameThroughWindowDC(version)
                 ? GetWindowDC(FWindow)
                 : GetDCEx(FWindow, reinterpret_cast<HRGN>(m.WParam), FrameDCFlags);
    if (!dc) {
        m.Result = CallDefault(m);
        return;
    }
    TWindowDC owner(FWindow, dc, true);
    if (BuildBackground())
        BitBlt(dc, 0, 0, FBackground.Width(), FBackground.Height(), FBackground.Canvas()->Handle(), 0, 0, SRCCOPY);
    m.Result = 0;
}

void TSkinPopMenu::Print(TMessage& m)
{
    auto dc = reinterpret_cast<HDC>(m.WParam);
    if (!SkinUsable() || !dc || !BuildBackground()) {
        m.Result = CallDefault(m);
        return;
    }
    BitBlt(dc, 0, 0, FBackground.Width(), FBackground.Height(), FBackground.Canvas()->Handle(), 0, 0, SRCCOPY);
    // The menu paints its items inside the frame, over the picture.
    TSavedDC saved(dc);
    TGdiObject<HRGN> clip(CreateRectRgn(PopupFrame, PopupFrame, FBackground.Width() - PopupFrame,
                                        FBackground.Height() - PopupFrame));
    SelectClipRgn(dc, clip.Get());
    SetBkMode(dc, TRANSPARENT);
    m.Result = CallDefault(m);
}

TPoint TSkinPopMenu::ClientOffset() const
{
    RECT window{};
    POINT client{0, 0};
    if (!GetWindowRect(FWindow, &window) || !ClientToScreen(FWindow, &client))
        return TPoint(PopupFrame, PopupFrame);
    return TPoint(client.x - window.left, client.y - window.top);
}

void TSkinPopMenu::Paint(TMessage& m)
{
    m.Result = CallDefault(m);
    if (!SkinUsable() || m.WParam)
        return;
    const TPoint client = ClientOffset();
    if (client.x != 0 || client.y != 0)
        return;  // the frame is the system's non-client area, painted in WM_NCPAINT
    if (FBackground.Empty() && !BuildBackground())
        return;
    TWindowDC dc(FWindow);
    if (!dc.Get())
        return;
    HDC picture = FBackground.Canvas()->Handle();
    for (const TPixRect& r : PopupFrameStrips(FBackground.Width(), FBackground.Height()))
        BitBlt(dc.Get(), r.Left, r.Top, r.Width(), r.Height(), picture, r.Left, r.Top, SRCCOPY);
}

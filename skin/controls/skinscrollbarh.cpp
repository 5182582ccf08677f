// The scroll-bar skin of a window known by its handle.
#include "skinscrollbarh.h"

#include "skindata.h"

const TClassInfo& TSkinScrollbarH::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinScrollbarH>("TSkinScrollbarH", &TSkinScrollbarBase::StaticClass()).Build();
    return info;
}

TSkinScrollbarH::TSkinScrollbarH(TComponent* AOwner) : TSkinScrollbarBase(AOwner) {}

void TSkinScrollbarH::InitHandle(HWND Wnd, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas)
{
    if (FAttached)
        return;
    TSkinScrollbarBase::InitHandle(Wnd, Data, Form, Canvas);
    if (FAttached)
        FBars.AttachToWindow(this, FHandle);
}

void TSkinScrollbarH::AfterProc(TMessage& Message)
{
    // A hidden window hides both of its bars.
    if (!IsWindowVisible(FHandle))
        FBars.HideBoth();
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
        FBars.PlaceBoth(FHandle);
        Refresh();
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        FBars.ScrollRequest(Message);
        break;
    default:
        TSkinScrollbarBase::AfterProc(Message);
    }
}

void TSkinScrollbarH::DrawControl(HDC DC, const TRect& R)
{
    FBars.InvalidateShown();
    FBars.FillCorner(DC, FaceColor(), 0, 2);
}

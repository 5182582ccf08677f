// The list-view skin.
#include "skinlistview.h"

#include "skinheader.h"

const TClassInfo& TSkinListView::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinListView>("TSkinListView", &TSkinScrollbar::StaticClass()).Build();
    return info;
}

TSkinListView::TSkinListView(TComponent* AOwner) : TSkinScrollbar(AOwner) {}

TSkinListView::~TSkinListView()
{
    if (FHeaderSkin)
        FHeaderSkin->RemoveFreeNotification(this);
}

void TSkinListView::InitScrollbars(TWinControl* Control, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas)
{
    if (FAttached)
        return;
    TSkinScrollbar::InitScrollbars(Control, Data, Form, Canvas);
    if (!FAttached || FHeaderSkin)
        return;
    auto header = reinterpret_cast<HWND>(SendMessageA(FHandle, LVM_GETHEADER, 0, 0));
    if (!header || !IsWindow(header))
        return;
    FHeaderSkin = new TSkinHeader(Owner());
    FHeaderSkin->FreeNotification(this);
    FHeaderSkin->InitHandle(header, Data, Form, Canvas);
}

void TSkinListView::Notification(TComponent* c, TOperation op)
{
    TSkinScrollbar::Notification(c, op);
    if (op == opRemove && c == FHeaderSkin)
        FHeaderSkin = nullptr;
}

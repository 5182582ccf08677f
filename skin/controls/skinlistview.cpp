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

TSkinListView::~TSkinListView() { SetReference(FHeaderSkin, nullptr); }

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
    SetReference(FHeaderSkin, new TSkinHeader(Owner()));
    FHeaderSkin->InitHandle(header, Data, Form, Canvas);
}

void TSkinListView::Notification(TComponent* c, TOperation op)
{
    TSkinScrollbar::Notification(c, op);
    ReferenceGone(FHeaderSkin, c, op);
}

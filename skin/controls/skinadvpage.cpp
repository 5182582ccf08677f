// Tab pictures by property for page controls of another family, and their scroll arrows.
#include "skinadvpage.h"

#include "controlfactory.h"
#include "objimagelayout.h"
#include "skindata.h"
#include "skindraw.h"

namespace {

void AssignBitmapProp(TControl* control, std::string_view name, TBitmap* picture)
{
    if (auto* target = As<TBitmap>(TSkinControl::GetObjectPropByName(control, name, nullptr)))
        target->Assign(picture);
}

}  // namespace

const TClassInfo& TSkinAdvPage::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinAdvPage>("TSkinAdvPage", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinAdvPage::TSkinAdvPage(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinAdvPage::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    if (FAttached)
        return;
    TSkinControl::InitControl(Form, Data, Canvas, SetColor);
    if (!FAttached)
        return;
    if (FKind == okAdvPage)
        ApplyTabPictures();
}

void TSkinAdvPage::Unskin()
{
    AssignBitmapProp(FControl, "TabBackGround", nullptr);
    AssignBitmapProp(FControl, "TabBackGroundActive", nullptr);
}

void TSkinAdvPage::SkinChanged()
{
    if (FKind == okAdvPage)
        ApplyTabPictures();
}

void TSkinAdvPage::ApplyTabPictures()
{
    TDataSkinBorder* tabs = FSkinData ? FSkinData->FTabs.get() : nullptr;
    if (!tabs || tabs->Bitmap.Empty() || !FControl)
        return;
    const TRect size(0, 0, AdvTabPictureWidth, AdvTabPictureHeight);
    const char* const names[2] = {"TabBackGround", "TabBackGroundActive"};
    for (int state = 1; state <= 2; ++state) {
        // The object's Trans value stands as the tile flag here.
        std::unique_ptr<TBitmap> picture =
            StretchSkinBitmap(size, &tabs->Bitmap, tabs->Margins(), state, tabs->Frame, tabs->Trans == 1, false);
        if (picture)
            AssignBitmapProp(FControl, names[state - 1], picture.get());
    }
}

void TSkinAdvPage::DrawControl(HDC, const TRect&)
{
    if (FUpDown || !FHandle)
        return;
    HWND arrows = FindWindowExA(FHandle, nullptr, "msctls_updown32", nullptr);
    if (!arrows)
        return;
    TSkinControl* skin = NewControlSkin(TSkinKind::UpDown, Owner());
    if (!skin)
        return;
    skin->InitHandle(arrows, FSkinData, FSkinForm, FCanvas);
    if (!skin->Attached()) {
        skin->Free();
        return;
    }
    SetReference(FUpDown, skin);
}

void TSkinAdvPage::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    ReferenceGone(FUpDown, c, op);
}

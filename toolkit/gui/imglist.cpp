#include "imglist.h"

#include <algorithm>

// 24-bit colour with a mask: our bitmaps carry no meaningful alpha, and a 32-bit list would
// take their alpha bytes for transparency and ignore the mask.
static constexpr UINT kListFlags = ILC_COLOR24 | ILC_MASK;

const TClassInfo& TCustomImageList::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomImageList>("TCustomImageList", &TComponent::StaticClass())
            .Prop("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth)
            .Prop("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight)
            .Event("OnChange", &TCustomImageList::OnChange)
            .Build();
    return info;
}

const TClassInfo& TImageList::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TImageList>("TImageList", &TCustomImageList::StaticClass()).Creatable().Build();
    return info;
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() { FreeHandle(); }

void TCustomImageList::FreeHandle()
{
    if (FHandle)
        ImageList_Destroy(FHandle);
    FHandle = nullptr;
}

HIMAGELIST TCustomImageList::Handle()
{
    if (!FHandle) {
        FHandle = ImageList_Create(FWidth, FHeight, kListFlags, 4, 4);
        if (!FHandle)
            throw EOutOfResources("Cannot create an image list of " + IntToStr(FWidth) + " x " + IntToStr(FHeight));
    }
    return FHandle;
}

void TCustomImageList::SetWidth(int v) { SetSize(v, FHeight); }

void TCustomImageList::SetHeight(int v) { SetSize(FWidth, v); }

void TCustomImageList::SetSize(int w, int h)
{
    if (w < 1 || h < 1 || w > MaxGraphicSide || h > MaxGraphicSide)
        throw EInvalidOperation("Invalid image list size " + IntToStr(w) + " x " + IntToStr(h));
    if (w == FWidth && h == FHeight)
        return;
    FreeHandle();
    FWidth = w;
    FHeight = h;
    Changed();
}

int TCustomImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

void TCustomImageList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("Image index out of range (" + IntToStr(index) + ")");
}

void TCustomImageList::Changed() { Fire(OnChange, this); }

int TCustomImageList::Add(TBitmap* image, TBitmap* mask)
{
    if (!image || image->Empty())
        throw EInvalidOperation("Cannot add an empty image to an image list");
    int index = ImageList_Add(Handle(), image->Handle(), mask && !mask->Empty() ? mask->Handle() : nullptr);
    if (index < 0)
        throw EInvalidOperation("The image list refused an image of " + IntToStr(image->Width()) + " x " +
                                IntToStr(image->Height()));
    Changed();
    return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor)
{
    if (!image || image->Empty())
        throw EInvalidOperation("Cannot add an empty image to an image list");
    // The list blackens the masked pixels of the bitmap it is given: give it a copy.
    TBitmap copy;
    copy.Assign(image);
    int index = ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor));
    if (index < 0)
        throw EInvalidOperation("The image list refused an image of " + IntToStr(image->Width()) + " x " +
                                IntToStr(image->Height()));
    Changed();
    return index;
}

int TCustomImageList::AddIcon(TIcon* icon)
{
    if (!icon || icon->Empty())
        throw EInvalidOperation("Cannot add an empty icon to an image list");
    int index = ImageList_ReplaceIcon(Handle(), -1, icon->Handle());
    if (index < 0)
        throw EInvalidOperation("The image list refused an icon");
    Changed();
    return index;
}

void TCustomImageList::Delete(int index)
{
    CheckIndex(index);
    ImageList_Remove(FHandle, index);
    Changed();
}

void TCustomImageList::Clear()
{
    if (FHandle && Count() > 0) {
        ImageList_Remove(FHandle, -1);
        Changed();
    }
}

void TCustomImageList::GetIcon(int index, TIcon& icon)
{
    CheckIndex(index);
    HICON h = ImageList_GetIcon(FHandle, index, ILD_NORMAL);
    if (!h)
        throw EOutOfResources("Cannot make an icon of image " + IntToStr(index));
    icon.SetHandle(h);
}

void TCustomImageList::GetBitmap(int index, TBitmap& bitmap)
{
    CheckIndex(index);
    bitmap.SetSize(FWidth, FHeight);
    TCanvas* c = bitmap.Canvas();
    c->FillRect(TRect(0, 0, FWidth, FHeight));
    ImageList_Draw(FHandle, index, c->Handle(), 0, 0, ILD_TRANSPARENT);
    bitmap.SetModified(true);
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled)
{
    if (index < 0 || index >= Count())
        return;  // drawing code asks for images that may not be there; nothing to draw then
    HDC dc = canvas.Handle();
    if (enabled) {
        ImageList_Draw(FHandle, index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    TIconHandle icon(ImageList_GetIcon(FHandle, index, ILD_NORMAL));
    if (icon)
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, x, y, FWidth, FHeight,
                   DST_ICON | DSS_DISABLED);
}

void TCustomImageList::Assign(TPersistent* source)
{
    auto* src = As<TCustomImageList>(source);
    if (!src) {
        TComponent::Assign(source);
        return;
    }
    if (src == this)
        return;
    HIMAGELIST copy = nullptr;
    if (src->FHandle) {
        copy = ImageList_Duplicate(src->FHandle);
        if (!copy)
            throw EOutOfResources("Cannot copy an image list");
    }
    FreeHandle();
    FWidth = src->FWidth;
    FHeight = src->FHeight;
    FHandle = copy;
    Changed();
}

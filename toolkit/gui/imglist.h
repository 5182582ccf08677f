#pragma once
// A list of equal-sized images over a common-controls image list (ImageList_ functions): the
// tray icon cycles through it and the skin engine draws menu glyphs from it.
#include <windows.h>

#include <commctrl.h>

#include "graphics.h"

class TCustomImageList : public TComponent {
    TK_CLASS(TCustomImageList, TComponent)
public:
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    // The list, created on demand at the current size (32-bit colour with a mask).
    HIMAGELIST Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    int Width() const { return FWidth; }
    void SetWidth(int v);
    int Height() const { return FHeight; }
    void SetHeight(int v);
    // Changing the size empties the list.
    void SetSize(int w, int h);
    int Count() const;

    // Adds an image (cut into several when it is a multiple of Width wide); `mask` may be null
    // (no transparency). Returns the index of the first image added; raises EInvalidOperation
    // when the list refuses it.
    int Add(TBitmap* image, TBitmap* mask);
    // Adds an image whose pixels of colour `maskColor` become transparent.
    int AddMasked(TBitmap* image, TColor maskColor);
    int AddIcon(TIcon* icon);
    void Delete(int index);
    void Clear();
    // Copies image `index` into `icon` (a new icon handle it owns); raises EListError when the
    // index is outside the list.
    void GetIcon(int index, TIcon& icon);
    // Copies image `index` into `bitmap`, sized Width x Height, drawn over the bitmap's
    // canvas brush colour.
    void GetBitmap(int index, TBitmap& bitmap);
    // Draws image `index` at (x, y); a disabled image is drawn greyed.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    void CheckIndex(int index) const;
    void FreeHandle();

    HIMAGELIST FHandle = nullptr;
    int FWidth = 16, FHeight = 16;
};

// The image list form files create (Width and Height published).
class TImageList : public TCustomImageList {
    TK_CLASS(TImageList, TCustomImageList)
public:
    using TCustomImageList::TCustomImageList;
};

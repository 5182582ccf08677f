#pragma once
// Owner-drawn menu items painted from a skin. An item is composed off-screen: what the popup
// window's picture holds behind it, the skin's MenuItem picture in its normal or selected state,
// the glyph box (an image of the menu's image list or the check mark), the caption and the
// shortcut; a separator takes the picture's second state. A skin without a MenuItem picture
// draws items flat in its menu colours. The skin's objects are looked up at every call.
#include <windows.h>

#include <string>

#include "menus.h"

class TSkinData;

class TMenuItemPainter {
public:
    // barMenu: the window's menu-bar menu, for an item that belongs to no menu.
    TMenuItemPainter(TSkinData* data, TMenu* barMenu) : FData(data), FBarMenu(barMenu) {}

    // A main-menu item: the toolkit's size without the item's own measure handler, wider for
    // the skin.
    void MeasureMainItem(TMenuItem* item, TCanvas* canvas, int& width, int& height) const;
    // A popup item, already measured: wider for the skin.
    void MeasurePopupItem(TMenuItem* item, int& width) const;

    // The whole item: the popup's picture behind it (found by the menu it lies in), the skin's
    // state picture and the content; a separator from the picture's second state.
    void Draw(TMenuItem* item, TCanvas* canvas, const TRect& rect, bool selected) const;
    // A native system-menu item of `menu`: a line is drawn as an etched line over the state
    // picture.
    void DrawSystem(HMENU menu, TMenuItem* item, bool selected, const TRect& rect, TCanvas* canvas) const;
    // Without a MenuItem picture: the Menu colour, or Hilight when selected, and the content.
    void DrawPlain(TMenuItem* item, TCanvas* canvas, bool selected, const TRect& rect) const;
    // Glyph box, caption and shortcut into r.
    void DrawContent(TMenuItem* item, TCanvas* canvas, bool selected, const TRect& r) const;
    void DrawContentRTL(TMenuItem* item, TCanvas* canvas, bool selected, const TRect& r) const;
    // The picture's second state over r, its magenta left out.
    void DrawSeparator(TCanvas* canvas, const TRect& r) const;
    // One run of text in the item's colours: drawn, or measured with DT_CALCRECT (into rect);
    // a caption "-" is an etched line 4 pixels down. Returns the text's height.
    int DrawMenuText(TMenuItem* item, TCanvas* canvas, UINT flags, bool selected, RECT& rect,
                     std::wstring text) const;

private:
    // The MenuItem picture's left width, 0 without the picture.
    int PictureLeft() const;
    TMenu* MenuOf(TMenuItem* item) const;
    static TCustomImageList* ImagesOf(TMenuItem* item);
    void DrawState(TBitmap& target, int state) const;
    void DrawContentAs(TMenuItem* item, TCanvas* canvas, bool selected, const TRect& r, bool rightToLeft) const;
    void DrawImageGlyph(TMenuItem* item, TCanvas* canvas, TCustomImageList* images, TRect box, const TRect& r,
                        bool rightToLeft) const;
    void DrawCheckMark(TCanvas* canvas, const TRect& r, const TRect& box, int glyph, bool rightToLeft) const;
    // An item-sized picture with what lies behind the item in the popup window showing `menu`.
    void FillBehind(TBitmap& target, HMENU menu, const TRect& rect) const;

    TSkinData* FData;
    TMenu* FBarMenu;
};

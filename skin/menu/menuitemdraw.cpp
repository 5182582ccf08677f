// Owner-drawn menu items from the skin, and the skinned window's measure and draw handlers.
#include "menuitemdraw.h"

#include <algorithm>

#include "bitmapview.h"
#include "menulayout.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmanager.h"
#include "skinmenu.h"
#include "skinpopmenu.h"
#include "winutil.h"

namespace {

// DrawText flags of the caption: measured, then drawn.
constexpr UINT MeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;
constexpr UINT TextFlags = DT_EXPANDTABS | DT_SINGLELINE;
// The system's check-mark bitmap (OBM_CHECK).
constexpr int CheckMarkBitmap = 32760;
// The MenuItem picture's states.
constexpr int ItemStates = 5, NormalState = 1, SeparatorState = 2, SelectedState = 4;
// A native menu text: at most this many characters.
constexpr int MenuTextLength = 80;

// A canvas borrowing a DC for one message, with the menu font; the DC's state comes back.
class TBorrowedCanvas {
public:
    explicit TBorrowedCanvas(HDC dc) : FSaved(dc), FCanvas(dc) {}
    TCanvas* Get() { return FCanvas.Get(); }

private:
    TSavedDC FSaved;  // first made, last gone
    TMenuCanvas FCanvas;
};

// An item-sized off-screen picture drawing in the menu font.
void PrepareItemBitmap(TBitmap& bitmap, const TRect& rect)
{
    bitmap.SetSize(std::max<LONG>(rect.Width(), 0), std::max<LONG>(rect.Height(), 0));
    if (Screen)
        bitmap.Canvas()->Font()->Assign(Screen->MenuFont());
}

void PutItem(TCanvas* canvas, const TRect& rect, TBitmap& bitmap)
{
    if (!bitmap.Empty())
        BitBlt(canvas->Handle(), rect.left, rect.top, bitmap.Width(), bitmap.Height(), bitmap.Canvas()->Handle(), 0, 0,
               SRCCOPY);
}

// The 8 x 8 checkerboard of two colours that a checked image's box is filled with.
TGdiObject<HBRUSH> PatternBrush(TColor a, TColor b)
{
    TBitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.Canvas()->SetPixel(x, y, ((x + y) & 1) ? b : a);
    return TGdiObject<HBRUSH>(CreatePatternBrush(pattern.Handle()));
}

// An item the skin fails to draw is drawn as the toolkit draws it without a skin.
void DrawUnskinned(TMenuItem* item, TCanvas* canvas, const TRect& rect, bool selected) noexcept
{
    // The item's handler is taken off for the toolkit's own drawing, and put back after.
    TScopedValue<TMenuDrawItemEvent> off(item->OnDrawItem, TMenuDrawItemEvent());
    try {
        item->DrawItem(canvas, rect, selected);
    } catch (...) {
    }
}

// The painter of a skinned window's items: its skin, and its menu bar's toolkit menu.
TMenuItemPainter PainterOf(const TSkinForm& form)
{
    return TMenuItemPainter(form.SkinData(), form.MenuBar() ? form.MenuBar()->VCLMenu() : nullptr);
}

String NativeMenuText(HMENU menu, UINT command)
{
    char text[MenuTextLength + 1] = {};
    const int n = GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
    return String(text, static_cast<size_t>(std::clamp(n, 0, MenuTextLength)));
}

}  // namespace

// ---------------------------------------------------------------- measuring

int TMenuItemPainter::PictureLeft() const
{
    return FData && FData->FMenuItem ? FData->FMenuItem->LeftWidth : 0;
}

TMenu* TMenuItemPainter::MenuOf(TMenuItem* item) const
{
    TMenu* menu = item ? item->GetParentMenu() : nullptr;
    return menu ? menu : FBarMenu;
}

// The item's own menu's images: an item of no menu (a native system-menu item) has none, even
// where the menu bar's menu stands in for its reading order.
TCustomImageList* TMenuItemPainter::ImagesOf(TMenuItem* item)
{
    TMenu* menu = item ? item->GetParentMenu() : nullptr;
    return menu ? menu->Images() : nullptr;
}

void TMenuItemPainter::MeasureMainItem(TMenuItem* item, TCanvas* canvas, int& width, int& height) const
{
    // The toolkit's size, without the item's own measure handler (which may be this one).
    {
        TScopedValue<TMenuMeasureItemEvent> off(item->OnMeasureItem, TMenuMeasureItemEvent());
        item->MeasureItem(canvas, width, height);
    }
    width = MainMenuItemWidth(width, PictureLeft(), ImagesOf(item) != nullptr);
}

void TMenuItemPainter::MeasurePopupItem(TMenuItem* item, int& width) const
{
    if (!FData)
        return;
    width = PopupMenuItemWidth(width, PictureLeft(), ImagesOf(item) != nullptr);
}

// ---------------------------------------------------------------- whole items

void TMenuItemPainter::FillBehind(TBitmap& target, HMENU menu, const TRect& rect) const
{
    TCanvas* c = target.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FData->FColors[scMenu]);
    c->FillRect(TRect(0, 0, target.Width(), target.Height()));
    TSkinManage* manager = SkinManager();
    TSkinPopMenu* popup = manager ? manager->FindPopupOfMenu(menu) : nullptr;
    TBitmap* behind = popup ? &popup->Background() : nullptr;
    if (!behind || behind->Empty())
        return;
    const TPoint client = popup->ClientOffset();
    const TPixRect area = PopupItemArea(ToPixRect(rect), client.x, client.y);
    BitBlt(c->Handle(), 0, 0, area.Width(), area.Height(), behind->Canvas()->Handle(), area.Left, area.Top, SRCCOPY);
}

void TMenuItemPainter::DrawState(TBitmap& target, int state) const
{
    TDataSkinObject& picture = *FData->FMenuItem;
    DrawSkinBitmapSliced(target.Canvas()->Handle(), TRect(0, 0, target.Width(), target.Height()), &picture.Bitmap,
                         picture.Margins(), state, ItemStates, picture.Trans == 1, picture.Tile == 1, false);
}

void TMenuItemPainter::Draw(TMenuItem* item, TCanvas* canvas, const TRect& rect, bool selected) const
{
    TSkinManage* manager = SkinManager();
    if (manager)
        manager->MarkPopupsOwnerDraw();
    if (!FData || !FData->FMenuItem) {
        DrawPlain(item, canvas, selected, rect);
        return;
    }
    TMenuItem* parent = item->Parent();
    HMENU menu = parent && parent->HandleAllocated() ? parent->Handle() : nullptr;
    if (manager && menu)
        manager->BindPopupMenu(menu);
    TBitmap picture;
    PrepareItemBitmap(picture, rect);
    if (picture.Empty())
        return;
    FillBehind(picture, menu, rect);
    const TRect r(0, 0, picture.Width(), picture.Height());
    if (item->IsLine()) {
        DrawSeparator(picture.Canvas(), r);
    } else {
        DrawState(picture, selected ? SelectedState : NormalState);
        DrawContent(item, picture.Canvas(), selected, r);
    }
    PutItem(canvas, rect, picture);
}

void TMenuItemPainter::DrawSystem(HMENU menu, TMenuItem* item, bool selected, const TRect& rect, TCanvas* canvas) const
{
    if (!FData || !FData->FMenuItem) {
        DrawPlain(item, canvas, selected, rect);
        return;
    }
    TBitmap picture;
    PrepareItemBitmap(picture, rect);
    if (picture.Empty())
        return;
    FillBehind(picture, menu, rect);
    DrawState(picture, selected ? SelectedState : NormalState);
    DrawContent(item, picture.Canvas(), selected, TRect(0, 0, picture.Width(), picture.Height()));
    PutItem(canvas, rect, picture);
}

void TMenuItemPainter::DrawPlain(TMenuItem* item, TCanvas* canvas, bool selected, const TRect& rect) const
{
    TBitmap picture;
    PrepareItemBitmap(picture, rect);
    if (picture.Empty())
        return;
    TCanvas* c = picture.Canvas();
    c->Brush()->SetColor(FData ? FData->FColors[selected ? scHilight : scMenu] : (selected ? clHighlight : clMenu));
    c->FillRect(TRect(0, 0, picture.Width(), picture.Height()));
    DrawContent(item, c, selected, TRect(0, 0, picture.Width(), picture.Height()));
    PutItem(canvas, rect, picture);
}

void TMenuItemPainter::DrawSeparator(TCanvas* canvas, const TRect& r) const
{
    if (!FData || !FData->FMenuItem)
        return;
    TDataSkinObject& source = *FData->FMenuItem;
    const TSlicePlan plan = MenuSeparatorPlan(source.Bitmap.Width(), source.Bitmap.Height(), source.LeftWidth,
                                              source.RightWidth, r.Width(), r.Height());
    if (plan.Count() == 0)
        return;
    TBitmap line(r.Width(), r.Height());
    line.Canvas()->Brush()->SetColor(SkinKeyColor);
    line.Canvas()->FillRect(TRect(0, 0, line.Width(), line.Height()));
    RenderPlan(ViewOf(line), 0, 0, ViewOf(source.Bitmap), plan);
    TransparentDraw(canvas->Handle(), r, &line, SkinKeyColor);
}

// ---------------------------------------------------------------- content

void TMenuItemPainter::DrawImageGlyph(TMenuItem* item, TCanvas* canvas, TCustomImageList* images, TRect box,
                                      const TRect& r, bool rightToLeft) const
{
    // Checked, the box is pressed in both directions; right to left it is not centred down the
    // item.
    if (item->Checked()) {
        TGdiObject<HBRUSH> pattern = PatternBrush(clBtnFace, clBtnHighlight);
        FillRect(canvas->Handle(), &box, pattern.Get());
        if (!rightToLeft)
            box.top = CheckedImageTop(ToPixRect(r));
        DrawEdge(canvas->Handle(), &box, BDR_SUNKENOUTER, BF_RECT);
    } else if (!rightToLeft) {
        box.top = ImageTop(ToPixRect(r), images->Height());
    }
    images->Draw(*canvas, box.left, box.top, item->ImageIndex(), item->Enabled());
}

void TMenuItemPainter::DrawCheckMark(TCanvas* canvas, const TRect& r, const TRect& box, int glyph,
                                     bool rightToLeft) const
{
    HBITMAP mark = LoadBitmapA(nullptr, MAKEINTRESOURCEA(CheckMarkBitmap));
    if (!mark)
        return;
    TGdiObject<HBITMAP> owner(mark);
    BITMAP info{};
    GetObjectA(mark, sizeof info, &info);
    if (info.bmWidth <= 0 || info.bmHeight <= 0)
        return;
    // The mark's set pixels in the button-text colour, the rest left out.
    TBitmap coloured(info.bmWidth, info.bmHeight);
    HDC target = coloured.Canvas()->Handle();
    {
        TMemoryDC source(mark);
        SetTextColor(target, ColorToRGB(clBtnText));
        SetBkColor(target, ColorToRGB(SkinKeyColor));
        BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
    }
    const TPixPoint at = MenuCheckMarkAt(ToPixRect(r), ToPixRect(box), glyph, info.bmWidth, info.bmHeight, rightToLeft);
    TransparentDraw(canvas->Handle(), Bounds(at.X, at.Y, info.bmWidth, info.bmHeight), &coloured, SkinKeyColor);
}

void TMenuItemPainter::DrawContent(TMenuItem* item, TCanvas* canvas, bool selected, const TRect& r) const
{
    TMenu* menu = MenuOf(item);
    if (menu && menu->IsRightToLeft())
        DrawContentRTL(item, canvas, selected, r);
    else
        DrawContentAs(item, canvas, selected, r, false);
}

void TMenuItemPainter::DrawContentRTL(TMenuItem* item, TCanvas* canvas, bool selected, const TRect& r) const
{
    DrawContentAs(item, canvas, selected, r, true);
}

// Right to left the parts are mirrored: the glyph at the right end, the caption right-aligned
// before it, the shortcut left-aligned.
void TMenuItemPainter::DrawContentAs(TMenuItem* item, TCanvas* canvas, bool selected, const TRect& r, bool rtl) const
{
    const std::wstring caption = StrToWide(item->Caption());
    TCustomImageList* images = ImagesOf(item);
    const int glyph = MenuGlyphSize(images ? images->Width() : 0, item->Checked());
    const bool line = item->IsLine();
    const TRect box = ToRect(MenuGlyphBox(ToPixRect(r), glyph, PictureLeft(), rtl));
    if (!line) {
        if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count())
            DrawImageGlyph(item, canvas, images, box, r, rtl);
        else if (item->Checked())
            DrawCheckMark(canvas, r, box, glyph, rtl);
    }
    const UINT reading = rtl ? DT_RIGHT | DT_RTLREADING : 0;
    const TPixRect area = MenuTextRect(ToPixRect(r), ToPixRect(box), line, rtl);
    RECT text = ToRect(area);
    DrawMenuText(item, canvas, MeasureFlags | reading, selected, text, caption);
    text = ToRect(PlaceMenuText(ToPixRect(text), area, ToPixRect(r), rtl));
    DrawMenuText(item, canvas, TextFlags | reading, selected, text, caption);
    if (item->ShortCut()) {
        RECT shortcut = ToRect(MenuShortcutRect(ToPixRect(text), area, ToPixRect(r), rtl));
        DrawMenuText(item, canvas, rtl ? 0 : DT_RIGHT, selected, shortcut, StrToWide(ShortCutToText(item->ShortCut())));
    }
}

int TMenuItemPainter::DrawMenuText(TMenuItem* item, TCanvas* canvas, UINT flags, bool selected, RECT& rect,
                                   std::wstring text) const
{
    const bool measuring = (flags & DT_CALCRECT) != 0;
    if (measuring && (text.empty() || text == L"&"))
        text += L" ";
    if (text == L"-") {
        if (measuring)
            return 0;
        RECT line = rect;
        OffsetRect(&line, 0, 4);
        DrawEdge(canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
        return 0;
    }
    canvas->Brush()->SetStyle(bsClear);
    TFont* font = canvas->Font();
    if (item->Default())
        font->SetStyle(font->Style() + TFontStyles{fsBold});
    TColor colour = selected ? clHighlightText : clMenuText;
    if (FData) {
        const TSkinColors& c = FData->FColors;
        if (!item->Enabled())
            colour = c[scButtonShadow] == c[scMenuText] ? clBtnShadow : c[scButtonShadow];
        else
            colour = c[selected ? scHilightText : scMenuText];
    } else if (!item->Enabled()) {
        colour = clBtnShadow;
    }
    font->SetColor(colour);
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    return DrawTextWide(dc, text, rect, flags);
}

// ---------------------------------------------------------------- the skinned window's handlers

// The handlers stay silent when the skin fails: the item keeps the toolkit's size or look.

void TSkinForm::MainMenuItemMeasure(TObject* sender, TCanvas* canvas, int& width, int& height)
{
    auto* item = As<TMenuItem>(sender);
    if (!item)
        return;
    try {
        PainterOf(*this).MeasureMainItem(item, canvas, width, height);
    } catch (...) {
    }
}

void TSkinForm::MenuItemMeasure(TObject* sender, TCanvas*, int& width, int&)
{
    auto* item = As<TMenuItem>(sender);
    if (!item)
        return;
    try {
        PainterOf(*this).MeasurePopupItem(item, width);
    } catch (...) {
    }
}

void TSkinForm::MenuItemDraw(TObject* sender, TCanvas* canvas, TRect rect, bool selected)
{
    auto* item = As<TMenuItem>(sender);
    if (!item)
        return;
    try {
        PainterOf(*this).Draw(item, canvas, rect, selected);
    } catch (...) {
        DrawUnskinned(item, canvas, rect, selected);
    }
}

void TSkinForm::DrawSystemMenuItem(HMENU menu, TMenuItem* item, bool selected, const TRect& rect, TCanvas* canvas)
{
    try {
        PainterOf(*this).DrawSystem(menu, item, selected, rect, canvas);
    } catch (...) {
        DrawUnskinned(item, canvas, rect, selected);
    }
}

TOwnedObject<TMenuItem> TSkinForm::MenuItemFromHandle(HMENU menu, UINT command) const
{
    TOwnedObject<TMenuItem> item(new TMenuItem(nullptr));
    const String text = NativeMenuText(menu, command);
    item->SetCaption(text.empty() ? String("-") : text);
    const UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    if (state != static_cast<UINT>(-1)) {
        item->SetEnabled(!MenuStateDisabled(state));
        item->SetChecked((state & MFS_CHECKED) != 0);
    }
    return item;
}

void TSkinForm::MeasureWindowMenuItem(MEASUREITEMSTRUCT& measure) const
{
    const String text = FOpenMenu ? NativeMenuText(FOpenMenu, measure.itemID) : String();
    int width = 0;
    if (!text.empty() && Screen) {
        TClientDC dc(Window);
        TBorrowedCanvas canvas(dc.Get());
        width = canvas.Get()->TextWidth(text);
    }
    const int pictureLeft = FSkinData && FSkinData->FMenuItem ? FSkinData->FMenuItem->LeftWidth : 0;
    const TItemSize size = WindowMenuItemSize(width, text.empty(), static_cast<int>(measure.itemHeight), pictureLeft,
                                              SkinIsWin9x());
    measure.itemWidth = static_cast<UINT>(std::max(size.Width, 0));
    measure.itemHeight = static_cast<UINT>(std::max(size.Height, 0));
}

bool TSkinForm::WMMeasureItem(TMessage& m)
{
    try {
        return MeasureMenuItem(m);
    } catch (...) {
        return false;
    }
}

bool TSkinForm::WMDrawItem(TMessage& m)
{
    try {
        return DrawMenuItem(m);
    } catch (...) {
        return false;
    }
}

// False for what the window's own procedure measures: not a menu item, not one of the window's
// native menus, or an item of the form's that its menu bar does not know.
bool TSkinForm::MeasureMenuItem(TMessage& m)
{
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (!measure || measure->CtlType != ODT_MENU || !FMenuHandle)
        return false;
    if (FControl) {
        if (TSkinManage* manager = SkinManager())
            manager->MarkPopupsOwnerDraw();
        TMenu* barMenu = FMenuBar ? FMenuBar->VCLMenu() : nullptr;
        if (TMenuItem* item = barMenu ? barMenu->FindItem(measure->itemID, fkCommand) : nullptr) {
            TClientDC dc(Window);
            TBorrowedCanvas canvas(dc.Get());
            int width = static_cast<int>(measure->itemWidth), height = static_cast<int>(measure->itemHeight);
            MainMenuItemMeasure(item, canvas.Get(), width, height);
            measure->itemWidth = static_cast<UINT>(std::max(width, 0));
            measure->itemHeight = static_cast<UINT>(std::max(height, 0));
            m.Result = TRUE;
            return true;
        }
        if (measure->itemID < 4096 && measure->itemID != 0)
            return false;
    }
    MeasureWindowMenuItem(*measure);
    m.Result = TRUE;
    return true;
}

bool TSkinForm::DrawMenuItem(TMessage& m)
{
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    const bool nt4 = SkinVersion().NT4();
    if (!draw || draw->CtlType != ODT_MENU || !FMenuHandle || (FMDIRole == mdiFrame && nt4))
        return false;
    auto menu = reinterpret_cast<HMENU>(draw->hwndItem);
    if (TSkinManage* manager = SkinManager()) {
        manager->BindPopupMenu(menu);
        manager->MarkPopupsOwnerDraw();
    }
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    const TMenuItemPainter painter = PainterOf(*this);
    TMenuItem* item = nullptr;
    if (FControl) {
        TMenu* barMenu = FMenuBar ? FMenuBar->VCLMenu() : nullptr;
        item = barMenu ? barMenu->FindItem(draw->itemID, fkCommand) : nullptr;
        if (!item && draw->itemID < 4096 && draw->itemID != 0)
            return false;
    }
    TBorrowedCanvas canvas(draw->hDC);
    if (item) {
        painter.Draw(item, canvas.Get(), draw->rcItem, selected);
    } else {
        auto native = MenuItemFromHandle(menu, draw->itemID);
        painter.DrawSystem(menu, native.Get(), selected, draw->rcItem, canvas.Get());
    }
    m.Result = TRUE;
    return true;
}

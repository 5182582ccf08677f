// The skinned menu bar: its buttons, their layout and their painting.
#include "skinmenu.h"

#include <algorithm>

#include "controldraw.h"
#include "menulayout.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmanager.h"
#include "winutil.h"

namespace {

// The native caption of a bar item: at most this many characters.
constexpr int BarTextLength = 80;
// MENUITEMINFOA as systems before Windows 2000 know it (without hbmpItem).
constexpr UINT OldMenuItemInfoSize = 48;
// A bar picture's two states, stacked: active and inactive.
constexpr int BarStates = 2;
// Caption buttons of a maximized MDI child shown on the bar.
constexpr int MDIButtonVisibility = 100;

TColor SkinColor(const TSkinData* data, int index, TColor fallback)
{
    return data ? data->FColors[index] : fallback;
}

int CaptionWidth(HDC dc, const std::wstring& caption)
{
    RECT r{0, 0, 0, 0};
    DrawTextWide(dc, caption, r, DT_CALCRECT | DT_NOCLIP);
    return MenuBarButtonWidth(r.right - r.left);
}

void UseMenuFont(TCanvas* canvas)
{
    if (Screen)
        canvas->Font()->Assign(Screen->MenuFont());
}

}  // namespace

// ---------------------------------------------------------------- the bar

const TClassInfo& TSkinMenu::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinMenu>("TSkinMenu", &TComponent::StaticClass()).Build();
    return info;
}

TSkinMenu::TSkinMenu(TComponent* owner) : TComponent(owner), Form(As<TSkinForm>(owner)) {}

TSkinMenu::~TSkinMenu() { FreeButtons(); }

void TSkinMenu::BeforeDestruction()
{
    FreeButtons();
    SetReference(FVCLMenu, nullptr);
    TComponent::BeforeDestruction();
}

void TSkinMenu::Notification(TComponent* c, TOperation op)
{
    if (ReferenceGone(FVCLMenu, c, op)) {
        for (const TOwnedObject<TMenuBtn>& b : FButtons)
            b->Item = nullptr;
    }
    TComponent::Notification(c, op);
}

void TSkinMenu::FreeButtons()
{
    // A freed button must not stay the window's hot object.
    if (Form)
        for (const TOwnedObject<TMenuBtn>& b : FButtons)
            Form->ForgetHotObject(b.Get());
    FButtons.clear();
}

TMenuBtn* TSkinMenu::NewButton(int index)
{
    TMenuBtn* b = FButtons.emplace_back(new TMenuBtn()).Get();
    b->Form = Form;
    b->Index = index;
    b->SkinData = SkinData;
    b->Visible = true;
    return b;
}

bool TSkinMenu::PrepareBuild()
{
    if (!Form)
        return false;
    if (HMENU menu = GetMenu(Form->Window))
        FMenuHandle = menu;
    if (!FMenuHandle)
        return false;
    if (TWinControl* control = Form->Control()) {
        auto* form = As<TCustomForm>(control);
        if (!form || !form->Menu())
            return false;
        SetReference(FVCLMenu, form->Menu());
    }
    return true;
}

void TSkinMenu::TakeItem(TMenuBtn* button, TMenuItem* item)
{
    button->Caption = StrToWide(item->Caption());
    button->Enabled = item->Enabled();
    button->Item = item;
    button->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
}

void TSkinMenu::ReadNativeButton(int position)
{
    char text[BarTextLength + 1] = {};
    MENUITEMINFOA info{};
    info.cbSize = OldMenuItemInfoSize;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    if (!GetMenuItemInfoA(FMenuHandle, static_cast<UINT>(position), TRUE, &info))
        info = MENUITEMINFOA{};
    TMenuBtn* b = NewButton(position);
    b->SubMenu = info.hSubMenu;
    b->Enabled = !MenuStateDisabled(info.fState);
    b->Command = info.wID;
    const bool isText = !(info.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW));
    b->Caption = isText ? StrToWide(String(text)) : std::wstring();
    if (!FVCLMenu)
        return;
    if (TMenuItem* item = FVCLMenu->FindItem(info.wID, fkCommand)) {
        // The item's action brings the item up to date before the button takes it.
        if (TBasicAction* action = item->Action())
            action->Update();
        TakeItem(b, item);
        b->Command = item->Command();
    }
}

void TSkinMenu::Rebuild()
{
    // An action brought up to date during the build may change the menu, which asks for a
    // build again: this one reads the change already, and its buttons must stay.
    if (FBuilding)
        return;
    TScopedFlag building(FBuilding);
    if (BarFromMenuItems(SkinVersion())) {
        BuildFromMenuItems();
        return;
    }
    if (!PrepareBuild())
        return;
    FreeButtons();
    const int count = GetMenuItemCount(FMenuHandle);
    if (count <= 0)
        return;
    for (int i = 0; i < count; ++i)
        ReadNativeButton(i);
    SetMenu(Form->Window, nullptr);
}

void TSkinMenu::BuildFromMenuItems()
{
    if (!PrepareBuild() || !FVCLMenu)
        return;
    FreeButtons();
    TMenuItem* items = FVCLMenu->Items();
    for (int i = 0; i < items->Count(); ++i) {
        TMenuItem* item = items->Items(i);
        TMenuBtn* b = NewButton(i);
        TakeItem(b, item);
        b->Visible = item->Visible();
        b->Command = item->Command();
    }
    SetMenu(Form->Window, nullptr);
}

void TSkinMenu::TakeMenu(HMENU menu)
{
    if (menu)
        FMenuHandle = menu;
    Rebuild();
}

TMenuBtn* TSkinMenu::ButtonAt(const TPoint& p) const
{
    for (const TOwnedObject<TMenuBtn>& b : FButtons)
        if (!b->Caption.empty() && PtInRect(&b->Rect, p))
            return b.Get();
    return nullptr;
}

// ---------------------------------------------------------------- layout and painting

int TSkinMenu::MDIButtonsLimit(const TRect& bar) const
{
    int limit = -1;
    for (int i = 0; i < Form->ButtonCount(); ++i) {
        const TWinSysButton* b = Form->Buttons(i);
        const TDataSkinSysButton* o = b->SkinObject();
        if (o && o->Visibility == MDIButtonVisibility && !o->Bitmap.Empty()) {
            const int x = b->Rect.left - bar.left - 5;
            limit = limit < 0 ? x : std::min(limit, x);
        }
    }
    return limit;
}

void TSkinMenu::PlaceButtons(HDC dc, const TRect& bar)
{
    const TDataSkinObject* picture = SkinData ? SkinData->FMenuBar.get() : nullptr;
    const bool rtl = RightToLeft();
    const int margin = MenuBarMargin(picture != nullptr, picture ? picture->LeftWidth : 0,
                                     picture ? picture->RightWidth : 0, rtl, bar.Width());
    std::vector<TBarCell> cells;
    cells.reserve(FButtons.size());
    for (const TOwnedObject<TMenuBtn>& b : FButtons)
        cells.push_back({b->Visible, b->Visible ? CaptionWidth(dc, b->Caption) : 0});
    const int limit = rtl && Form->IsMDIChildMaximized() ? MDIButtonsLimit(bar) : -1;
    const std::vector<TPixRect> rects = LayoutMenuBar(cells, bar.Width(), bar.Height(), margin, rtl, limit);
    for (size_t i = 0; i < FButtons.size(); ++i) {
        const TPixRect& r = rects[i];
        FButtons[i]->Rect = r.Empty() ? TRect() : TRect(bar.left + r.Left, bar.top + r.Top, bar.left + r.Right,
                                                         bar.top + r.Bottom);
    }
}

void TSkinMenu::Layout()
{
    if (!Form)
        return;
    RECT window{};
    GetWindowRect(Form->Window, &window);
    const TRect bar(Form->LeftBorder(), Form->CaptionHeight(), (window.right - window.left) - Form->RightBorder(),
                    Form->CaptionHeight() + Form->MenuHeight());
    if (bar.Width() <= 0 || bar.Height() <= 0)
        return;
    FBarRect = bar;
    TBitmap measure(1, 1);
    UseMenuFont(measure.Canvas());
    PlaceButtons(measure.Canvas()->Handle(), bar);
}

void TSkinMenu::PaintMDIButtons(HDC dc, const TRect& bar) const
{
    for (int i = 0; i < Form->ButtonCount(); ++i) {
        TDataSkinSysButton* o = Form->Buttons(i)->SkinObject();
        if (!o || o->Visibility != MDIButtonVisibility || o->Bitmap.Empty())
            continue;
        TRect r = Form->Buttons(i)->Rect;
        OffsetRect(&r, -Form->LeftBorder(), -Form->CaptionHeight());
        DrawSkinBitmapState(dc, r, &o->Bitmap, 1, o->Frame, true);
    }
}

void TSkinMenu::Paint(HDC dc, const TRect& bar)
{
    if (!Form || bar.Width() <= 0 || bar.Height() <= 0)
        return;
    TBitmap own;
    TBitmap* work = SkinScratchBitmap();
    if (!work)
        work = &own;
    work->SetSize(bar.Width(), bar.Height());
    TCanvas* c = work->Canvas();
    const TRect local(0, 0, bar.Width(), bar.Height());
    TDataSkinObject* picture = SkinData ? SkinData->FMenuBar.get() : nullptr;
    if (picture && !picture->Bitmap.Empty()) {
        const int state = Form->ActiveCaption() ? 1 : 2;
        if (picture->Tile == 1)
            DrawSkinBitmapSliced(c->Handle(), local, &picture->Bitmap, picture->Margins(), state, BarStates, false,
                                 false, true);
        else
            DrawSkinBitmapSlicedToCanvas(c, local, &picture->Bitmap, picture->Margins(), state, BarStates, false, true);
    } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(SkinColor(SkinData, scMenubar, clBtnFace));
        c->FillRect(local);
    }
    FBarRect = bar;
    FBackground.Assign(work);

    UseMenuFont(c);
    PlaceButtons(c->Handle(), bar);
    for (const TOwnedObject<TMenuBtn>& b : FButtons) {
        if (!b->Visible || b->Rect.Width() <= 0)
            continue;
        TRect cell = b->Rect;
        OffsetRect(&cell, -bar.left, -bar.top);
        c->Font()->SetColor(SkinColor(SkinData, b->Enabled ? scMenuBarText : scButtonShadow, clMenuText));
        DrawSkinText(c, cell, b->Caption, 2, true);
    }
    if (Form->IsMDIChildMaximized()) {
        PaintMDIButtons(c->Handle(), bar);
        if (TSkinManage* manager = SkinManager(); manager && !manager->MDIChildMaximized)
            manager->SetMDIMaximized(true);
    }
    BitBlt(dc, bar.left, bar.top, bar.Width(), bar.Height(), c->Handle(), 0, 0, SRCCOPY);
}

void TSkinMenu::PaintButton(TMenuBtn& button)
{
    if (!Form || !button.Visible || button.Rect.Width() <= 0 || FBackground.Empty())
        return;
    const TRect cell(button.Rect.left, FBarRect.top, button.Rect.right, FBarRect.bottom);
    TBitmap picture(cell.Width(), cell.Height());
    TCanvas* c = picture.Canvas();
    BitBlt(c->Handle(), 0, 0, cell.Width(), cell.Height(), FBackground.Canvas()->Handle(), cell.left - FBarRect.left,
           0, SRCCOPY);
    const TRect inCell(0, button.Rect.top - cell.top, cell.Width(), button.Rect.bottom - cell.top);
    if (button.State == nsPressed || button.State == nsHot) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(SkinColor(SkinData, scButtonHilight, clBtnHighlight));
        c->FrameRect(inCell);
    }
    UseMenuFont(c);
    // A button repaints its caption plain, whatever style the menu font has.
    c->Font()->SetStyle(TFontStyles());
    c->Font()->SetColor(SkinColor(SkinData, button.Enabled ? scMenuBarText : scButtonShadow, clMenuText));
    DrawSkinText(c, inCell, button.Caption, 2, true);
    TWindowDC dc(Form->Window);
    if (dc.Get())
        BitBlt(dc.Get(), cell.left, cell.top, cell.Width(), cell.Height(), c->Handle(), 0, 0, SRCCOPY);
}

// The skinned window's system menu, which of its form's menus the skin draws, and what the menus
// give back when the skin goes.
#include <algorithm>

#include "menudrawhandlers.h"
#include "menulayout.h"
#include "skindata.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmanager.h"
#include "skinmenu.h"

namespace {

constexpr int MenuTextLength = 80;
// Tags of the fixed system menu's items.
enum : int { ftRestore = 0, ftMaximize = 1, ftMinimize = 2, ftClose = 3, ftLine = 100 };

// Calls visit(item, depth) for every item below `item`, depth-first, its children at depth + 1.
template <class F>
void VisitItems(TMenuItem* item, int depth, F&& visit)
{
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        visit(child, depth + 1);
        VisitItems(child, depth + 1, visit);
    }
}

}  // namespace

// ---------------------------------------------------------------- the system menu

TPopupMenu* TSkinForm::NewSystemPopupMenu()
{
    FreeSystemMenu();
    auto* menu = new TPopupMenu(this);
    menu->SetTag(SystemMenuTag);
    menu->SetOwnerDraw(true);
    if (FSkinData)
        menu->SetImages(FSkinData->FMenuImages.Get());
    FSystemPopup = menu;
    return menu;
}

void TSkinForm::AddFixedSystemMenuItem(const String& caption, int tag)
{
    if (!FSystemPopup)
        return;
    auto* item = new TMenuItem(FSystemPopup);
    item->SetCaption(caption);
    item->SetTag(tag);
    item->SetImageIndex(tag);
    item->OnClick = TNotifyEvent(this, &TSkinForm::FixedSysMenuClick);
    item->OnDrawItem = TMenuDrawItemEvent(this, &TSkinForm::MenuItemDraw);
    item->OnMeasureItem = TMenuMeasureItemEvent(this, &TSkinForm::MenuItemMeasure);
    if (tag == ftClose)
        item->SetShortCut(TextToShortCut("ALT+F4"));
    FSystemPopup->Items()->Add(item);
}

void TSkinForm::BuildFixedSystemMenu()
{
    NewSystemPopupMenu();
    AddFixedSystemMenuItem(" Restore ", ftRestore);
    if (FIconFlags & ifMaximize)
        AddFixedSystemMenuItem(" Maximize ", ftMaximize);
    if (FIconFlags & ifMinimize)
        AddFixedSystemMenuItem(" Minimize ", ftMinimize);
    AddFixedSystemMenuItem("-", ftLine);
    AddFixedSystemMenuItem(" Close ", ftClose);
}

void TSkinForm::AddSystemMenuItem(HMENU native, int position)
{
    char text[MenuTextLength + 1] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    if (!GetMenuItemInfoA(native, static_cast<UINT>(position), TRUE, &info))
        return;
    const bool isText = !(info.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW));
    const String caption = isText ? String(text) : String();
    auto* item = new TMenuItem(FSystemPopup);
    item->SetCaption(caption.empty() ? String("-") : caption);
    item->SetTag(static_cast<int>(info.wID));
    const TSysMenuRow row = SystemMenuRow(info.wID, info.fState, FSizeState, (FIconFlags & ifMinimize) != 0,
                                          (FIconFlags & ifMaximize) != 0, FSizeable);
    item->SetImageIndex(row.Image);
    item->SetEnabled(row.Enabled);
    item->SetChecked((info.fState & MFS_CHECKED) != 0);
    item->OnClick = TNotifyEvent(this, &TSkinForm::SysMenuClick);
    item->OnDrawItem = TMenuDrawItemEvent(this, &TSkinForm::MenuItemDraw);
    item->OnMeasureItem = TMenuMeasureItemEvent(this, &TSkinForm::MenuItemMeasure);
    FSystemPopup->Items()->Add(item);
}

void TSkinForm::BuildSystemMenu()
{
    if (SkinVersion().NT4()) {
        BuildFixedSystemMenu();
        return;
    }
    FreeSystemMenu();
    if (!FSystemMenu)
        return;
    NewSystemPopupMenu();
    const int count = GetMenuItemCount(FSystemMenu);
    for (int i = 0; i < count; ++i)
        AddSystemMenuItem(FSystemMenu, i);
}

bool TSkinForm::ShowSystemMenu(int x, int y)
{
    TBusyCount::TCall call(FBusy);  // the menu's loop runs inside
    if (FShowingSystemMenu)
        return true;  // one is open: its loop sees the click
    const DWORD now = GetTickCount();
    if (WithinDoubleClick(now, FLastSysMenuTime, FSysMenuOpened, FDoubleClickTime)) {
        // The second click of a double click on the icon closes the window.
        if (FHotObject) {
            if (FHoverTimer)
                FHoverTimer->SetEnabled(false);
            PostMessageA(Window, WM_CLOSE, 0, 0);
        }
        return true;
    }
    if (TSkinManage* manager = SkinManager())
        manager->MenuKind = TSkinManage::mkSystem;
    FLastSysMenuTime = now;
    FSysMenuOpened = true;
    BuildSystemMenu();
    TPopupMenu* menu = FSystemPopup;
    if (!menu)
        return false;
    FShowingSystemMenu = menu;
    menu->Popup(x, y);
    // Let go of meanwhile (the window's form freed this object, or a failing skin gave the
    // window back): its last user is us.
    if (call.OwnerGone()) {
        menu->Free();
        return true;
    }
    FShowingSystemMenu = nullptr;
    if (menu != FSystemPopup)
        menu->Free();
    return true;
}

void TSkinForm::SysMenuClick(TObject* sender)
{
    if (auto* item = As<TMenuItem>(sender))
        PostMessageA(Window, WM_SYSCOMMAND, static_cast<WPARAM>(item->Tag()), 0);
}

void TSkinForm::FixedSysMenuClick(TObject* sender)
{
    auto* item = As<TMenuItem>(sender);
    if (!item)
        return;
    switch (item->Tag()) {
    case ftRestore:
        Restore();
        break;
    case ftMaximize:
        Maximize();
        break;
    case ftMinimize:
        Minimize();
        break;
    case ftClose:
        if (FHoverTimer)
            FHoverTimer->SetEnabled(false);
        PostMessageA(Window, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

void TSkinForm::FreeSystemMenu()
{
    TPopupMenu* menu = std::exchange(FSystemPopup, nullptr);
    if (!menu)
        return;
    if (menu != FShowingSystemMenu) {
        menu->Free();
        return;
    }
    // Open right now: it closes, says nothing more to this object, and goes when its loop has
    // returned (ShowSystemMenu frees it).
    RemoveComponent(menu);
    VisitItems(menu->Items(), 0, [](TMenuItem* item, int) {
        item->OnClick = TNotifyEvent();
        item->OnDrawItem = TMenuDrawItemEvent();
        item->OnMeasureItem = TMenuMeasureItemEvent();
    });
    EndMenu();
}

// ---------------------------------------------------------------- owner drawing

TMenuDrawHandlers& TSkinForm::DrawHandlers()
{
    if (!FDrawHandlers)
        FDrawHandlers = new TMenuDrawHandlers(this);
    return *FDrawHandlers;
}

void TSkinForm::SetMainMenusOwnerDraw(TWinControl* form, bool on)
{
    if (!form)
        return;
    const TMenuDrawItemEvent draw(this, &TSkinForm::MenuItemDraw);
    const TMenuMeasureItemEvent measure(this, &TSkinForm::MainMenuItemMeasure);
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* menu = As<TMainMenu>(form->Components(i));
        if (!menu)
            continue;
        if (!on) {
            DrawHandlers().GiveBackAllOf(menu);
            continue;
        }
        DrawHandlers().TakeMenu(menu, true);
        // The bar's own items are the skinned bar's buttons.
        VisitItems(menu->Items(), 0, [&](TMenuItem* item, int depth) {
            if (depth >= 2 && !item->OnDrawItem)
                DrawHandlers().TakeItem(item, draw, measure);
        });
    }
}

void TSkinForm::SetPopupMenusOwnerDraw(TComponent* component, bool on)
{
    if (!component || !FSkinData || (FControl && String(FControl->ClassName()) == "TwwRichEditForm"))
        return;
    const TMenuDrawItemEvent draw(this, &TSkinForm::MenuItemDraw);
    const TMenuMeasureItemEvent measure(this, &TSkinForm::MenuItemMeasure);
    for (int i = 0; i < component->ComponentCount(); ++i) {
        TComponent* c = component->Components(i);
        if (auto* form = As<TCustomForm>(c)) {
            SetPopupMenusOwnerDraw(form, on);
            continue;
        }
        auto* menu = As<TPopupMenu>(c);
        if (!menu)
            continue;
        if (!on) {
            DrawHandlers().GiveBackAllOf(menu);
            continue;
        }
        if (!FSkinData->SkinControls().Contains(xcPopupMenu) || menu->Tag() == FSkinData->DisableTag())
            continue;
        DrawHandlers().TakeMenu(menu, true);
        VisitItems(menu->Items(), 0, [&](TMenuItem* item, int) {
            DrawHandlers().TakeItem(item, draw, item->OnMeasureItem ? TMenuMeasureItemEvent() : measure);
        });
    }
}

#pragma once
// The skinned menu bar. When a window's frame is skinned and it has a menu, the native bar goes
// (SetMenu(window, 0)) and this row of buttons under the caption takes its place: one TMenuBtn
// per top-level item, built from the window's menu handle and the form's TMainMenu, laid out and
// painted from the skin's menu-bar picture. A click opens the item's drop-down with
// TrackPopupMenu; while it is open a message filter lets Left, Right and the mouse move to the
// neighbouring buttons as on a native menu bar. The buttons are TMenuBtn objects (ncobject.h).
#include <windows.h>

#include <string>
#include <vector>

#include "menus.h"
#include "ncobject.h"

class TSkinData;

class TSkinMenu : public TComponent {
    TK_CLASS(TSkinMenu, TComponent)
public:
    // The owner is the window's TSkinForm.
    explicit TSkinMenu(TComponent* owner);
    ~TSkinMenu() override;
    void BeforeDestruction() override;

    // Builds the buttons from the window's menu (and the form's TMainMenu), then takes the
    // native bar away.
    void Rebuild();
    // The build of NT 4 and of version 4.0 systems: from the TMainMenu's items only.
    void BuildFromMenuItems();
    // Takes a new native menu (the window or its MDI client reports one) and rebuilds.
    void TakeMenu(HMENU menu);
    // Paints the bar into the DC at the bar's rectangle (window coordinates) and lays the
    // buttons out.
    void Paint(HDC dc, const TRect& bar);
    // Lays the buttons out without painting.
    void Layout();
    // The first button at a window point whose caption is not empty.
    TMenuBtn* ButtonAt(const TPoint& p) const;
    // Repaints one button on the window in its state, from the bar's picture.
    void PaintButton(TMenuBtn& button);

    int Count() const { return static_cast<int>(FButtons.size()); }
    TMenuBtn* Buttons(int i) const { return FButtons.at(static_cast<size_t>(i)).Get(); }
    TMenu* VCLMenu() const { return FVCLMenu; }
    HMENU MenuHandle() const { return FMenuHandle; }
    const TRect& BarRect() const { return FBarRect; }
    // The painted bar without captions, which a button repaints itself from.
    TBitmap& Background() { return FBackground; }
    bool RightToLeft() const { return FVCLMenu && FVCLMenu->IsRightToLeft(); }

    TSkinData* SkinData = nullptr;
    TSkinForm* Form = nullptr;

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    // Step 1 and 2 of every build: the menu handle and the toolkit's menu; false: nothing to do.
    bool PrepareBuild();
    void FreeButtons();
    TMenuBtn* NewButton(int index);
    void ReadNativeButton(int position);
    void TakeItem(TMenuBtn* button, TMenuItem* item);
    // The buttons placed in a bar of that size at (left, top), measured in the DC.
    void PlaceButtons(HDC dc, const TRect& bar);
    int MDIButtonsLimit(const TRect& bar) const;
    void PaintMDIButtons(HDC dc, const TRect& bar) const;

    std::vector<TOwnedObject<TMenuBtn>> FButtons;
    TMenu* FVCLMenu = nullptr;
    TRect FBarRect;
    TBitmap FBackground;
    HMENU FMenuHandle = nullptr;
    bool FBuilding = false;
};

// The message filter of an open menu-bar drop-down (one per module, one drop-down at a time).
void InstallMenuBarFilter();
void RemoveMenuBarFilter();
HHOOK MenuBarFilterHook();
// Native menus of the menu bar drawn by the skin: every item, submenus too, becomes owner-drawn.
void SetMenuOwnerDrawRecursive(HMENU menu);

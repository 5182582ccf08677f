#pragma once
// Menus over real HMENUs: menu items (captions, check marks, radio groups, default items,
// shortcuts, sub-items), a form's menu bar and the popup menu, which tracks on a hidden window
// of its own and runs the chosen item's Click after the menu has closed.
#include <windows.h>

#include <memory>
#include <vector>

#include "actions.h"
#include "controls.h"
#include "imglist.h"
#include "objinstance.h"

class TMenu;

// A key with modifier bits, as menu items store it; 0 is none.
using TShortCut = int;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD key, TShiftState shift);
// "Ctrl+S", "Alt+F4", "Shift+Del"; empty for 0.
String ShortCutToText(TShortCut s);
// The reverse, ignoring case ("ALT+F4"); 0 when the text names no key.
TShortCut TextToShortCut(std::string_view text);

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

// A canvas over a DC it borrows for one owner-draw message, with the menu font.
class TMenuCanvas {
public:
    explicit TMenuCanvas(HDC dc);
    ~TMenuCanvas() { FCanvas.SetHandle(nullptr); }
    TMenuCanvas(const TMenuCanvas&) = delete;
    TMenuCanvas& operator=(const TMenuCanvas&) = delete;
    TCanvas* Get() { return &FCanvas; }

private:
    TCanvas FCanvas;
};

using TMenuDrawItemEvent = TMethod<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TMenuMeasureItemEvent = TMethod<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
    TK_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    void BeforeDestruction() override;

    TK_PROPERTY(String, Caption, Changed());
    // A caption of "-" makes a separator.
    bool IsLine() const { return FCaption == "-"; }
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the other radio items of its group under the same parent.
    void SetChecked(bool v);
    // The item toggles its check mark (a radio item: checks itself) before OnClick runs.
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool v) { FAutoCheck = v; }
    // Drawn bold; a double click on a tray icon chooses it.
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    TK_PROPERTY(bool, Enabled, Changed());
    // Hidden items are left out of the menu.
    TK_PROPERTY(bool, Visible, Changed());
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    TK_PROPERTY(TShortCut, ShortCut, Changed());
    const String& Hint() const { return FHint; }
    void SetHint(const String& v) { FHint = v; }
    // An image of the menu's Images; -1 for none.
    TK_PROPERTY(int, ImageIndex, Changed());
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* v) { FBitmap->Assign(v); }
    // The action the item is linked to (null when none); forgotten when the action is freed.
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* v) { SetReference(FAction, v); }

    // Children
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int i) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out (it is not freed).
    void Remove(TMenuItem* item);
    // Frees the child at index.
    void Delete(int index);
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The child with this caption, ignoring '&' and case; null when none.
    TMenuItem* Find(std::string_view caption) const;
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    // The menu this item belongs to (through its parents), or null.
    TMenu* GetParentMenu() const;

    // The identifier WM_COMMAND carries for this item, unique in the module.
    UINT Command() const { return FCommand; }
    // The popup menu holding the children (made on demand, kept up to date).
    HMENU Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    // Checks first when AutoCheck is on, then fires OnClick.
    virtual void Click();
    // Owner drawing (when the menu's OwnerDraw is on): the handler, or a plain drawing.
    virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
    virtual void DrawItem(TCanvas* canvas, const TRect& r, bool selected);

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    friend class TMenu;
    friend class TMainMenu;
    // A property that shows in the parent's menu changed: the parent rebuilds its entries.
    void Changed();
    // Puts the children into the handle again (after any change of the children).
    void RebuildHandle();
    void FillItemInfo(MENUITEMINFOA& info, String& text);
    void UncheckRadioSiblings();
    void BitmapChanged(TObject*);
    void DestroyHandle();
    void Teardown();
    TMenuItem* FindIn(UINT_PTR value, TFindItemKind kind);

    String FCaption;
    bool FChecked = false;
    bool FAutoCheck = false;
    bool FDefault = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    TShortCut FShortCut = 0;
    String FHint;
    int FImageIndex = -1;
    std::unique_ptr<TBitmap> FBitmap;
    TBasicAction* FAction = nullptr;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on a menu's root item only
    UINT FCommand = 0;
    HMENU FHandle = nullptr;
    bool FBarHandle = false;  // the root of a menu bar: a CreateMenu handle, not a popup
    bool FTornDown = false;
};

class TMenu : public TComponent {
    TK_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    void BeforeDestruction() override;

    // The top-level items; owned by the menu.
    TMenuItem* Items() const { return FItems.Get(); }
    virtual HMENU Handle() { return FItems->Handle(); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    // Items drawn by their DrawItem (WM_MEASUREITEM / WM_DRAWITEM).
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool v);
    // Reading order: the menu's own, or while ParentBiDiMode is on, its owner's when that is a
    // control.
    TBiDiMode BiDiMode() const;
    void SetBiDiMode(TBiDiMode v);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool v);
    bool IsRightToLeft() const { return UseRightToLeftReading(BiDiMode()); }

    // Searches every item at every depth (fkHandle also finds the top level); null when none.
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const;
    // Clicks the item with this command; false when the menu has none.
    bool DispatchCommand(UINT command);
    // Clicks the enabled item with this shortcut; false when none.
    bool IsShortCut(WORD key, TShiftState shift);
    // Answers WM_MEASUREITEM and WM_DRAWITEM of this menu's owner-drawn items; false for others.
    bool DispatchOwnerDraw(TMessage& m);

    // The menu's structure or an item's look changed (the menu bar redraws itself).
    virtual void MenuChanged() {}

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    void FreeItems();

    TOwnedObject<TMenuItem> FItems;
    TCustomImageList* FImages = nullptr;
    bool FOwnerDraw = false;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
};

// A form's menu bar (the form's Menu property shows it). A change of its items sends the form's
// window CM_MENUCHANGED.
class TMainMenu : public TMenu {
    TK_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* owner);
    void MenuChanged() override;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
extern const TEnumInfo PopupAlignmentInfo;

class TPopupMenu : public TMenu {
    TK_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // A right click on a control that names this menu pops it up.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool v) { FAutoPopup = v; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment v) { FAlignment = v; }
    // The control (or other component) the menu was last popped up for.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* c);

    // Fires OnPopup, shows the menu at a screen point and waits until it closes; the chosen
    // item's Click runs after that.
    virtual void Popup(int x, int y);
    // The hidden window the menu tracks on (made on the first popup).
    HWND WindowHandle() const { return FWindow.Handle(); }

    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    void WndProc(TMessage& m);

    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
    TComponent* FPopupComponent = nullptr;
    TUtilWindow FWindow;
};

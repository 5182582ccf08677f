#pragma once
// A skinned window: the manager makes one for every window that gets a skin (a toolkit form, a
// dialog of class "#32770" or an MDI child). It takes over the window's procedure (and, for a
// form with a skinned frame, the form's WindowProc), keeps the window's previous styles,
// colour and metrics so everything can be put back, owns the caption-button objects, and
// carries the state the skinned window procedure and the frame painting work on.
//
// Life states: 0 attached (procedure replaced, SKM_SKINNOW posted), 1 skinned, 3 refreshing,
// 4 destroying, 5 resizing, 6 dead (procedures given back; the manager frees it).
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "forms.h"
#include "menus.h"
#include "ncobject.h"
#include "skindata.h"
#include "skinprochook.h"
#include "timer.h"

class TSkinMenu;
class TMenuBtn;
class TMenuDrawHandlers;

class TSkinForm : public TComponent {
    TK_CLASS(TSkinForm, TComponent)
public:
    enum : int { lsAttached = 0, lsSkinned = 1, lsRefreshing = 3, lsDestroying = 4, lsResizing = 5, lsDead = 6 };
    enum : int { bkSizeable = 0, bkFixed = 1, bkNoCaption = 2, bkDialog = 3 };
    enum : int { mdiNone = 0, mdiFrame = 1, mdiChild = 2 };
    enum : int { ssNormal = 0, ssMaximized = 1, ssMinimized = 2 };
    // Icon flags: which caption icons the native frame had.
    enum : int { ifMaximize = 1, ifMinimize = 2, ifHelp = 4, ifSysMenu = 8, ifKeepSysMenu = 0x10 };

    // `owner` is the window's toolkit form, or null for a window without one.
    explicit TSkinForm(TComponent* owner);
    ~TSkinForm() override;
    void BeforeDestruction() override;

    // Set by the manager before attaching.
    HWND Window = nullptr;
    String WindowClass;

    void AttachForm(TSkinData* data, TWinControl* control);
    void AttachWindow(TSkinData* data) { Attach(data); }
    void Attach(TSkinData* data);
    bool Attached() const { return FProc.Installed(); }

    // Frees every caption-button object (and forgets the hot object if it is one of them).
    void ClearButtons();
    void UpdateFrameMetrics();
    void UpdateIconBitmap(TBitmap& bitmap);
    void CreateCaptionFont();
    void RememberFrameSize();
    void HookMDIClient();
    void UnhookMDIClient();
    LRESULT CallClientProc(const TMessage& m) const { return FClientProc.CallOld(m); }

    // Re-applies the skin colours and tells the window it is skinned again.
    void ApplySkinColors();
    void NotifySkinned();
    void InvalidateWindow();
    void FrameChanged();
    void RemoveRegion();
    // The skinned window region (drawn with the frame); none yet.
    void UpdateRegion() {}
    // Gives everything back: procedures, WindowProc, colour, styles, region.
    void Unskin();
    // Gives back the procedures only (the window is going away, or the manager is).
    void Detach();
    // The restore of a window whose frame was never skinned.
    void UnskinPlain();
    // Hides and forgets the caption-button hint.
    void ResetCaptionHint();

    // The window procedure and the form's WindowProc while skinned.
    void WndProc(TMessage& m);
    void FormWindowProc(TMessage& m);
    void ClientWndProc(TMessage& m);
    LRESULT CallOldProc(const TMessage& m) const { return FProc.CallOld(m); }

    // Identity
    TWinControl* Control() const { return FControl; }
    TSkinData* SkinData() const { return FSkinData; }
    const String& OwnClassName() const { return FOwnClassName; }
    HWND OwnerWindow() const { return FOwnerWindow; }
    // Procedures
    WNDPROC OldWindowProc() const { return FProc.OldProc(); }
    WNDPROC Thunk() const { return FProc.Proc(); }
    bool Unicode() const { return FUnicode; }
    bool ChainedWindowProc() const { return FChained; }
    HWND MDIClientWindow() const { return FMDIClient; }
    bool MDIClientHooked() const { return FClientProc.Installed(); }
    // Styles
    DWORD SavedStyle() const { return FSavedStyle; }
    bool RightToLeft() const { return FRightToLeft; }
    bool Child() const { return FChild; }
    bool Sizeable() const { return FSizeable; }
    bool Dialog() const { return FDialog; }
    int IconFlags() const { return FIconFlags; }
    int BorderKind() const { return FBorderKind; }
    int MDIRole() const { return FMDIRole; }
    int SizeState() const { return FSizeState; }
    void SetSizeState(int v) { FSizeState = v; }
    bool FrameSkinned() const { return FFrameSkinned; }
    TColor SavedColor() const { return FSavedColor; }
    // Metrics
    int LeftBorder() const { return FLeftBorder; }
    int CaptionHeight() const { return FCaptionHeight; }
    int RightBorder() const { return FRightBorder; }
    int BottomBorder() const { return FBottomBorder; }
    int MenuHeight() const { return FMenuHeight; }
    const TRect& ClientRectSaved() const { return FClientRect; }
    const TRect& NativeFrame() const { return FNativeFrame; }
    // Menus and caption
    HMENU MenuHandle() const { return FMenuHandle; }
    HMENU SystemMenu() const { return FSystemMenu; }
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    const std::wstring& CaptionPrefix() const { return FCaptionPrefix; }
    const std::wstring& CaptionSuffix() const { return FCaptionSuffix; }
    UINT DoubleClickTime() const { return FDoubleClickTime; }
    TBitmap& IconBitmap() { return FIconBitmap; }
    // State
    int LifeState() const { return FLifeState; }
    void SetLifeState(int v) { FLifeState = v; }
    bool ActiveCaption() const { return FActive; }
    bool RegionSet() const { return FRegionSet; }
    TNCObject* HotObject() const { return FHotObject; }
    void SetHotObject(TNCObject* o) { FHotObject = o; }
    TTimer* HoverTimer() const { return FHoverTimer.get(); }
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TWinSysButton* Buttons(int i) const { return FButtons.at(static_cast<size_t>(i)); }

    // ================================================================ menus
    // The skinned menu bar, the skinned system menu and the owner-drawn menu items; the code is
    // in skin/menu/.

    // The menu bar: made when the frame is skinned and the window has a menu (null otherwise).
    TSkinMenu* MenuBar() const { return FMenuBar; }
    void CreateMenuBar();
    // Frees the menu bar; with giveBack the window gets its native menu again.
    void FreeMenuBar(bool giveBack);
    bool MenuTracking() const { return FMenuTracking; }
    void EndMenuTracking() { FMenuTracking = false; }
    // The drop-down of the menu bar being tracked (0 when none).
    HMENU OpenMenu() const { return FOpenMenu; }
    // Opens the button's drop-down and tracks it until it closes; false when nothing opened.
    bool OpenMenuButton(TMenuBtn* button);
    // Posts a click on the button, which the window's non-client handling opens.
    void ClickMenuButton(TMenuBtn* button);
    // SKM_MENUBARPOPUP: opens the menu-bar button under the screen point in LParam.
    void MenuBarPopupAt(TMessage& m);
    TMenuBtn* FindAccelButton(unsigned key) const;
    // CM_DIALOGCHAR through the form's WindowProc: Alt+letter opens its menu-bar button.
    void DialogChar(TMessage& m);
    // A screen point made relative to the window's top-left corner (16-bit signed each).
    TPoint ScreenToWindow(int x, int y) const;

    // The skinned system menu: a popup menu with Tag 33333, built anew at each opening.
    static constexpr int SystemMenuTag = 33333;
    TPopupMenu* SystemPopupMenu() const { return FSystemPopup; }
    void BuildSystemMenu();
    // The fixed menu of NT 4: Restore, Maximize, Minimize, a line and Close.
    void BuildFixedSystemMenu();
    void AddFixedSystemMenuItem(const String& caption, int tag);
    // A second opening within the double-click time closes the window instead.
    void ShowSystemMenu(int x, int y);
    void SysMenuClick(TObject* sender);
    void FixedSysMenuClick(TObject* sender);
    void FreeSystemMenu();

    // Owner drawing: which menus the skin draws, and the handlers that draw and measure.
    // Turning it off gives every item the handlers it had before.
    void SetMainMenusOwnerDraw(TComponent* form, bool on);
    void SetPopupMenusOwnerDraw(TComponent* component, bool on);
    void MainMenuItemMeasure(TObject* sender, TCanvas* canvas, int& width, int& height);
    void MenuItemMeasure(TObject* sender, TCanvas* canvas, int& width, int& height);
    void MenuItemDraw(TObject* sender, TCanvas* canvas, TRect rect, bool selected);
    void DrawSystemMenuItem(HMENU menu, TMenuItem* item, bool selected, const TRect& rect, TCanvas* canvas);
    // WM_MEASUREITEM and WM_DRAWITEM of the window's native (menu-bar and system) menus.
    void WMMeasureItem(TMessage& m);
    void WMDrawItem(TMessage& m);

    // A size grip made inside the window; its skin comes with the control skins.
    void SkinChildWindow(HWND) {}

private:
    // A temporary toolkit item standing for a native menu item (caption, state).
    std::unique_ptr<TMenuItem, TSkinFreeObject> MenuItemFromHandle(HMENU menu, UINT command) const;
    void MeasureWindowMenuItem(MEASUREITEMSTRUCT& measure) const;
    void MeasureMenuItem(TMessage& m);
    void DrawMenuItem(TMessage& m);
    void AddSystemMenuItem(HMENU native, int position);
    TPopupMenu* NewSystemPopupMenu();
    TMenuDrawHandlers& DrawHandlers();
    // Everything of the menus given back or ended as this object goes.
    void ReleaseMenus();
    // The form's menus drawn natively again (popup menus; main menus too with xcMenuItem).
    void RestoreFormMenus();

    TSkinMenu* FMenuBar = nullptr;            // owned (a component of this object)
    TPopupMenu* FSystemPopup = nullptr;       // owned (a component of this object)
    TMenuDrawHandlers* FDrawHandlers = nullptr;  // owned (a component of this object)
    HMENU FOpenMenu = nullptr;
    DWORD FLastSysMenuTime = 0;
    bool FSysMenuOpened = false;
    TPopupMenu* FShowingSystemMenu = nullptr;  // the system menu while it is open
    // False once this object goes: a menu loop running on the stack must not touch it after.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    // ================================================================ end of menus

private:
    void ReadStyles();
    void ReadSizeState();
    void FindMDIRole();
    void ReadBorderKind(DWORD exStyle);
    void SkinNow();
    void ChainWindowProc();
    void UnchainWindowProc();
    void RestoreColor();
    void RestoreSysMenuStyle();
    // Everything a freed skin object must not leave behind; runs once.
    void ReleaseAll();

    // Identity
    TWinControl* FControl = nullptr;
    TSkinData* FSkinData = nullptr;
    String FOwnClassName;
    HWND FOwnerWindow = nullptr;
    // Procedures
    TSkinProcHook FProc;
    bool FUnicode = false;
    TWndMethod FOldWindowProc;
    bool FChained = false;
    HWND FMDIClient = nullptr;
    TSkinProcHook FClientProc;
    // Styles
    DWORD FSavedStyle = 0;
    bool FRightToLeft = false;
    bool FChild = false;
    bool FSizeable = false;
    bool FDialog = false;
    int FIconFlags = 0;
    int FBorderKind = bkFixed;
    int FMDIRole = mdiNone;
    int FSizeState = ssNormal;
    bool FFrameSkinned = false;
    bool FMenuUpdate = false;
    TColor FSavedColor = 0;
    bool FColorApplied = false;
    // Metrics
    int FLeftBorder = 0, FCaptionHeight = 0, FRightBorder = 0, FBottomBorder = 0, FMenuHeight = 0;
    TRect FClientRect;
    TRect FNativeFrame;
    // Menus and caption
    HMENU FMenuHandle = nullptr;
    HMENU FSystemMenu = nullptr;
    bool FMenuTracking = false;
    std::unique_ptr<TFont> FCaptionFont;
    std::wstring FCaptionPrefix = L"  ";
    std::wstring FCaptionSuffix = L" ";
    UINT FDoubleClickTime = 0;
    TBitmap FIconBitmap;
    int FIconSize = 0;
    // Painting
    HRGN FRegion = nullptr;
    bool FRegionSet = false;
    bool FActive = true;
    // State
    int FLifeState = lsAttached;
    TNCObject* FHotObject = nullptr;
    std::unique_ptr<TTimer, TSkinFreeObject> FHoverTimer;
    std::vector<TWinSysButton*> FButtons;  // owned
};

// The text of a window, wide (GetWindowTextW on NT, else WM_GETTEXT converted) or 8-bit
// (WM_GETTEXT), up to 1000 characters through WM_GETTEXT.
std::wstring GetWindowTextWide(HWND wnd);
String GetWindowTextAnsi(HWND wnd);
// The class name of a window (at most 100 characters).
String WindowClassName(HWND wnd);

#pragma once
// A skinned window: the manager makes one for every window that gets a skin (a toolkit form, a
// dialog of class "#32770" or an MDI child). It takes over the window's procedure (and, for a
// form with a skinned frame, the form's WindowProc), keeps the window's previous styles,
// colour and metrics so everything can be put back, paints the frame, caption and caption
// buttons from the skin, shapes the window with the skin's region, and owns the caption-button
// objects.
//
// Life states: 0 attached (procedure replaced, SKM_SKINNOW posted), 1 skinned, 3 refreshing,
// 4 destroying, 5 resizing, 6 dead (procedures given back; the manager frees it).
//
// The code is split by concern: skinform.cpp attaches and releases, skinframe.cpp paints the
// frame and shapes the region, skinmetrics.cpp sizes, refreshes and gives back, skinformproc.cpp
// is the window procedure, skincaption.cpp the caption-button actions; the menu bar, the system
// menu and the owner-drawn menu items are in skin/menu/.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "busycount.h"
#include "forms.h"
#include "framelayout.h"
#include "menus.h"
#include "ncobject.h"
#include "skindata.h"
#include "subclass.h"
#include "timer.h"

class TSkinControl;
class TSkinMenu;
class TMenuDrawHandlers;
struct TSkinDecision;
enum class TChildRule;

class TSkinForm : public TComponent, public TFrameKinds {
    TK_CLASS(TSkinForm, TComponent)
public:
    enum : int { lsAttached = 0, lsSkinned = 1, lsRefreshing = 3, lsDestroying = 4, lsResizing = 5, lsDead = 6 };
    enum : int { mdiNone = 0, mdiFrame = 1, mdiChild = 2 };

    // `owner` is the window's toolkit form, or null for a window without one.
    explicit TSkinForm(TComponent* owner);
    ~TSkinForm() override;
    void BeforeDestruction() override;

    // Set by the manager before attaching.
    HWND Window = nullptr;
    String WindowClass;

    // ---- attaching (skinform.cpp)
    void AttachForm(TSkinData* data, TWinControl* control);
    void AttachWindow(TSkinData* data) { Attach(data); }
    void Attach(TSkinData* data);
    bool Attached() const { return FProc.Installed(); }
    // Frees every caption-button object (and forgets the hot object if it is one of them).
    void ClearButtons();
    void CreateCaptionFont();
    void RememberFrameSize();
    void HookMDIClient();
    void UnhookMDIClient();
    LRESULT CallClientProc(const TMessage& m) const { return FClientProc.CallOld(m); }

    // ---- frame metrics, refresh and giving back (skinmetrics.cpp)
    void UpdateFrameMetrics();
    void UpdateIconBitmap(TBitmap& bitmap);
    // The application's small icon at the rectangle's top-left, else the icon bitmap keyed.
    void DrawAppIcon(HDC dc, const TRect& r);
    // Repaints one caption button in a state (1 normal, 2 pressed, 3 hot) on the window.
    void PaintCaptionButton(TWinSysButton& button, int state);
    // Fits the window around its client area in the skin's frame.
    void ResizeFrame(bool keep);
    void FrameChanged();
    void InvalidateWindow();
    // Re-applies the skin colours (and a new skin's frame) and tells the window it is skinned.
    void ApplySkinColors();
    void NotifySkinned();
    // Gives everything back: procedures, WindowProc, colour, styles, menu, size, region.
    void Unskin();
    // Gives back the procedures only (the window is going away, or the manager is); a window
    // whose frame was never skinned gets UnskinPlain instead.
    void Detach();
    // Gives the window back (all of it, or only its procedures when the window is going away
    // or `unskin` is false) and frees this object: at once, or when the outermost of the
    // window's messages running now returns. The caller has taken it out of its list.
    void Release(bool unskin);
    // The calls of the window's messages running now, the control skins' included.
    TBusyCount& Busy() { return FBusy; }
    // The restore of a window whose frame was never skinned.
    void UnskinPlain();

    // ---- frame painting and the region (skinframe.cpp)
    // Paints borders, caption, caption buttons and menu-bar row into the DC, or into the
    // window's own DC without one; composed off-screen and copied in one transfer.
    void PaintFrame(HDC dc = nullptr);
    void PaintCaption(HDC dc);
    // The caption text and its back picture, and the caption buttons, onto the caption bitmap.
    void PaintCaptionText(TBitmap& caption, const TRect& r);
    void LayoutCaptionButtons();
    void PaintCaptionButtons(TBitmap& caption);
    bool IsCaptionButtonVisible(int index);
    bool IsMDIChildMaximized();
    // One border piece (1 left, 2 right, 3 top, 4 bottom), opaque, into the DC's rectangle.
    void PaintBorder(int index, const TRect& r, HDC dc);
    void UpdateRegion();
    void RemoveRegion();
    void WMNCCalcSize(TMessage& m);
    void UpdatePlacementState();
    void FindMDIClient();
    void SetSysMenuStyle(bool remove);

    // ---- the window procedures (skinformproc.cpp)
    void WndProc(TMessage& m);
    void FormWindowProc(TMessage& m);
    void ClientWndProc(TMessage& m);
    LRESULT CallOldProc(const TMessage& m);
    // A screen point relative to the window's top-left corner.
    TPoint ScreenToWindow(int x, int y) const;
    TWinSysButton* CaptionButtonAt(const TPoint& p) const;
    void HoverTimer(TObject* sender);
    // Hides and forgets the caption-button hint.
    void ResetCaptionHint();

    // ---- caption-button actions and hints (skincaption.cpp)
    void CaptionButtonAction(int x, int y);
    void Maximize();
    void Minimize();
    void Restore();
    void MDIChildCommand(UINT command);
    static String CaptionButtonHint(int action);
    bool CanCloseFromSystemMenu() const;

    // ---- the menu bar (skin/menu/skinmenutrack.cpp). Each one that answers a Boolean says
    // whether it handled the request; when it did not, the window behaves as a native one.
    // Builds the skinned menu bar from the window's menu (sets the menu height).
    void MakeMenuBar();
    // Frees the skinned menu bar (Unskin puts the native menu back itself).
    void FreeMenuBar();
    bool HasMenuBar() const { return FMenuBar != nullptr; }
    TSkinMenu* MenuBar() const { return FMenuBar; }
    // Paints the menu-bar row into the DC; false when the window has no menu bar.
    bool PaintMenuBar(HDC dc, const TRect& bar);
    // Repaints one menu-bar button in its state, from the bar's picture.
    void PaintMenuButton(TMenuBtn& button);
    // The menu-bar button at a window point.
    TNCObject* MenuBarButtonAt(const TPoint& p) const;
    // Opens the button's drop-down and tracks it until it closes; false when nothing opened.
    bool OpenMenuButton(TMenuBtn* button);
    // Posts a click on the button, which the window's non-client handling opens.
    void ClickMenuButton(TMenuBtn* button);
    // The menu-bar button Alt and a character open (the first one for character 0).
    TMenuBtn* MenuKeyTarget(int ch);
    // The first enabled, visible button with that accelerator.
    TMenuBtn* FindAccelButton(unsigned key) const;
    // SKM_MENUBARPOPUP: opens the menu-bar button under the screen point in LParam.
    bool MenuBarPopupAt(TMessage& m);
    // The window has a native menu again (CM_MENUCHANGED, WM_MDISETMENU): the bar takes it.
    void MenuBarTakeMenu(HMENU menu);
    // The last MDI child went: the menu bar is built again from the frame's menu.
    void RebuildMenuBar();
    // CM_DIALOGCHAR the form left unanswered: Alt and a letter open a menu-bar button; true
    // when one opens.
    bool DialogChar(TMessage& m);
    // The drop-down of the menu bar being tracked (0 when none).
    HMENU OpenMenu() const { return FOpenMenu; }

    // ---- the skinned system menu (skin/menu/skinsysmenu.cpp): a popup menu with Tag 33333,
    // built anew at each opening.
    static constexpr int SystemMenuTag = 33333;
    TPopupMenu* SystemPopupMenu() const { return FSystemPopup; }
    // Opens the skinned system menu at a screen point (or closes the window on a second click
    // within the double-click time); false when the window has no system menu to show.
    bool ShowSystemMenu(int x, int y);
    void BuildSystemMenu();
    // The fixed menu of NT 4: Restore, Maximize, Minimize, a line and Close.
    void BuildFixedSystemMenu();
    void AddFixedSystemMenuItem(const String& caption, int tag);
    void SysMenuClick(TObject* sender);
    void FixedSysMenuClick(TObject* sender);
    void FreeSystemMenu();

    // ---- owner-drawn menu items (skin/menu/skinsysmenu.cpp, menuitemdraw.cpp): which of the
    // form's menus the skin draws, and the handlers that draw and measure. Turning it off gives
    // every item the handlers it had before.
    void SetMainMenusOwnerDraw(TWinControl* form, bool on);
    void SetPopupMenusOwnerDraw(TComponent* component, bool on);
    void MainMenuItemMeasure(TObject* sender, TCanvas* canvas, int& width, int& height);
    void MenuItemMeasure(TObject* sender, TCanvas* canvas, int& width, int& height);
    void MenuItemDraw(TObject* sender, TCanvas* canvas, TRect rect, bool selected);
    void DrawSystemMenuItem(HMENU menu, TMenuItem* item, bool selected, const TRect& rect, TCanvas* canvas);
    // Owner-drawn items of the window's native menus (WM_MEASUREITEM, WM_DRAWITEM).
    bool WMMeasureItem(TMessage& m);
    bool WMDrawItem(TMessage& m);

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
    int LeftBorder() const { return FMetrics.Left; }
    int CaptionHeight() const { return FMetrics.Caption; }
    int RightBorder() const { return FMetrics.Right; }
    int BottomBorder() const { return FMetrics.Bottom; }
    int MenuHeight() const { return FMetrics.Menu; }
    void SetMenuHeight(int v) { FMetrics.Menu = v; }
    const TFrameMetrics& Metrics() const { return FMetrics; }
    const TRect& ClientRectSaved() const { return FClientRect; }
    const TRect& NativeFrame() const { return FNativeFrame; }
    // Menus and caption
    HMENU MenuHandle() const { return FMenuHandle; }
    HMENU SystemMenu() const { return FSystemMenu; }
    bool MenuTracking() const { return FMenuTracking; }
    void SetMenuTracking(bool v) { FMenuTracking = v; }
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    const std::wstring& CaptionPrefix() const { return FCaptionPrefix; }
    const std::wstring& CaptionSuffix() const { return FCaptionSuffix; }
    UINT DoubleClickTime() const { return FDoubleClickTime; }
    TBitmap& IconBitmap() { return FIconBitmap; }
    const TRect& CaptionTextRect() const { return FCaptionTextRect; }
    // State
    int LifeState() const { return FLifeState; }
    void SetLifeState(int v) { FLifeState = v; }
    bool ActiveCaption() const { return FActive; }
    bool RegionSet() const { return FRegionSet; }
    TNCObject* HotObject() const { return FHotObject; }
    void SetHotObject(TNCObject* o) { FHotObject = o; }
    // An object that goes (a menu-bar button) is no longer hot.
    void ForgetHotObject(const TNCObject* gone)
    {
        if (FHotObject == gone)
            FHotObject = nullptr;
    }
    TTimer* HoverTimerObject() const { return FHoverTimer.Get(); }
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TWinSysButton* Buttons(int i) const { return FButtons.at(static_cast<size_t>(i)).Get(); }

    // The skins of the window's child controls (skinformcontrols.cpp). Each skin adds itself
    // when it attaches and removes itself when freed; freeing a skin owned by its control
    // also takes it out of that control's components, so nothing is freed twice.
    // True when the skin was listed already.
    bool AddSkinControl(TSkinControl* skin);
    void RemoveSkinControl(TSkinControl* skin);
    // Each skin off the list from the front, unskinned (unless this window or the skin's
    // window is being destroyed) and freed.
    void FreeSkinControls();
    // Frees the skins whose window got WM_NCDESTROY.
    void PurgeSkinControls();
    // The first skin attached to the window, or to the control; null when none.
    TSkinControl* FindSkinControl(HWND wnd) const;
    TSkinControl* FindSkinControl(const TControl* control) const;
    int SkinControlCount() const { return static_cast<int>(FSkinControls.size()); }
    TSkinControl* SkinControls(int i) const { return FSkinControls.at(static_cast<size_t>(i)); }
    // The canvas the control skins draw with; it lends itself to a DC for one drawing.
    TCanvas* WorkCanvas() { return &FWorkCanvas; }

    // ---- the dispatch: every child control gets its control skin (skinformdispatch.cpp)
    // A toolkit form: its components, then its windowed controls in tab order (into every
    // windowed child, so a form embedded in a page is reached too).
    void SkinChildControls(TWinControl* form);
    // Every control the component owns; with xcPopupMenu its popup menus become owner-drawn.
    void SkinComponents(TComponent* component);
    // Every child control of a windowed control, in index order.
    void SkinChildren(TWinControl* control);
    // The one decision for a toolkit control: the disable tag, a skin already there, the
    // application's OnSkinControl, the class map, then the class tests.
    void CreateControlSkin(TControl* control, TComponent* owner);
    // The class map's decision for the control; false when no line names its class.
    bool SkinByMapping(const String& name, TControl* control);
    // Answers SKM_ISSKINNED with 1, or has a skin in this window's list.
    bool IsControlSkinned(TControl* control) const;
    // A radio or check group's children get the disable tag.
    void DisableGroupChildren(TControl* control);
    // A scroll style on its window, or a memo.
    static bool HasScrollBars(TControl* control);
    // A window without a toolkit form: its child windows, by class name and style.
    void SkinChildWindows(HWND window);
    void SkinChildWindow(HWND window);

private:
    // The dispatch's steps (skinformdispatch.cpp).
    bool AskApplication(TControl* control, TComponent* owner, const String& name);
    void ApplyDecision(TControl* control, const TSkinDecision& decision);
    void ApplyChildRule(TWinControl* control, TChildRule rule);
    // Makes the decided skin for the control and attaches it; null when the table makes none
    // or it could not attach (the control stays unskinned).
    TSkinControl* AttachControlSkin(TControl* control, const TSkinDecision& decision);

    // Attaching
    void ReadStyles();
    void FindMDIRole();
    void ReadBorderKind(DWORD exStyle);
    void ChainWindowProc();
    void UnchainWindowProc();
    // Everything a freed skin object must not leave behind; runs once.
    void ReleaseAll();

    // Metrics and giving back
    void WidenDialog(int& width);
    bool ReleaseProcedures();
    // The procedures-only part of Detach, whatever the frame.
    void DetachProcedures();
    void RestoreMenuDrawing();
    void RestoreColor();
    void RestoreNativeSize();
    void RestoreMenu();

    // Painting
    bool CanPaintFrame() const;
    void ComposeFrame();
    void PaintBorder(int index, const TRect& r, TBitmap& target);
    TCaptionButtonWindow CaptionButtonWindow(int index);
    void SetRegion(TGdiObject<HRGN> region);

    // The window procedure
    void Dispatch(TMessage& m);
    void DispatchStage2(TMessage& m, bool& passOn);
    bool DispatchStage3(TMessage& m);
    void SkinNow();
    void WMSize(TMessage& m);
    void WMNCHitTest(TMessage& m);
    void WMNCPaint(TMessage& m);
    void WMNCActivate(TMessage& m);
    void WMNCMouseMove(TMessage& m);
    void WMNCLButtonDown(TMessage& m);
    void WMNCLButtonUp(TMessage& m);
    void WMNCLButtonDblClk(TMessage& m);
    void WMNCRButtonDown(TMessage& m);
    void WMCommand(TMessage& m);
    void WMSysCommand(TMessage& m);
    void MenuChanged(TMessage& m);
    TNCObject* ObjectAt(const TPoint& p) const;
    void Consume(TMessage& m);
    // An exception inside a window procedure: the window is given back, silently.
    void Failed() noexcept;
    bool FOldCalled = false;  // the message being handled reached the old procedure
    // A nested loop inside a message (a menu, a dialog) may let this object go: it waits.
    TBusyCount FBusy;

    // ---- menus
    // A temporary toolkit item standing for a native menu item (caption, state).
    TOwnedObject<TMenuItem> MenuItemFromHandle(HMENU menu, UINT command) const;
    void MeasureWindowMenuItem(MEASUREITEMSTRUCT& measure) const;
    bool MeasureMenuItem(TMessage& m);
    bool DrawMenuItem(TMessage& m);
    void AddSystemMenuItem(HMENU native, int position);
    TPopupMenu* NewSystemPopupMenu();
    TMenuDrawHandlers& DrawHandlers();
    TSkinMenu* FMenuBar = nullptr;               // owned (a component of this object)
    TPopupMenu* FSystemPopup = nullptr;          // owned (a component of this object)
    TMenuDrawHandlers* FDrawHandlers = nullptr;  // owned (a component of this object)
    TPopupMenu* FShowingSystemMenu = nullptr;    // the system menu while it is open
    HMENU FOpenMenu = nullptr;
    DWORD FLastSysMenuTime = 0;
    bool FSysMenuOpened = false;

    // ---- the skin controls
    // Tells every control skin of the window that the skin changed.
    void SkinControlsChanged();
    // Skins the window's child controls: a form's through its components and tab order, any
    // other window's through its child windows (skinformdispatch.cpp).
    void SkinAllChildren();
    // SKM_RESKIN: a control that re-created its window gets a new skin.
    void Reskin(HWND window);

    // Identity
    TWinControl* FControl = nullptr;
    TSkinData* FSkinData = nullptr;
    String FOwnClassName;
    HWND FOwnerWindow = nullptr;
    // Procedures
    TWindowSubclass FProc;
    bool FUnicode = false;
    TWndMethod FOldWindowProc;
    bool FChained = false;
    HWND FMDIClient = nullptr;
    TWindowSubclass FClientProc;
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
    TFrameMetrics FMetrics;
    TRect FClientRect;
    TRect FNativeFrame;
    bool FFrameSizeApplied = false;  // WM_NCCALCSIZE gave the skin's client rectangle
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
    HICON FAppIconSource = nullptr;  // the application's icon the copy below was made from
    TIconHandle FAppIcon;
    TRect FCaptionTextRect;
    int FButtonsExtent = 0;
    // Painting
    TBitmap FFrameBitmap;    // the whole frame, composed before one copy to the window
    TBitmap FCaptionBitmap;  // the caption bar
    TBitmap FCaptionBack;    // the caption bar without its buttons, behind a button repaint
    TRect FWindowRect;       // screen
    int FWidth = 0, FHeight = 0;
    bool FRegionSet = false;  // the window holds our region (and frees it)
    int FRegionWidth = -1, FRegionHeight = -1;  // the size the region was last cut for
    bool FActive = true;
    // State
    int FLifeState = lsAttached;
    TNCObject* FHotObject = nullptr;
    TOwnedObject<TTimer> FHoverTimer;
    std::vector<TOwnedObject<TWinSysButton>> FButtons;
    // Control skins
    // Not an owner: each skin is a component of its control (control mode) or of this object
    // (handle mode), whose owner frees it otherwise. A skin takes itself off when freed, so
    // FreeSkinControls can free each one early without a second free.
    std::vector<TSkinControl*> FSkinControls;
    TCanvas FWorkCanvas;
};

// The text of a window, wide (GetWindowTextW on NT, else WM_GETTEXT converted) or 8-bit
// (WM_GETTEXT), up to 1000 characters through WM_GETTEXT.
std::wstring GetWindowTextWide(HWND wnd);
String GetWindowTextAnsi(HWND wnd);
// The class name of a window (at most 100 characters).
String WindowClassName(HWND wnd);

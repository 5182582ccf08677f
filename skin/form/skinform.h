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
#include "ncobject.h"
#include "skindata.h"
#include "subclass.h"
#include "timer.h"

class TSkinControl;
struct TSkinDecision;
enum class TChildRule;

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
    // Makes the decided skin for the control and attaches it; null when its kind has no class
    // yet or it could not attach (the control stays unskinned).
    TSkinControl* AttachControlSkin(TControl* control, const TSkinDecision& decision);

    // The skins get SkinChanged after the colours were applied again.
    void SkinControlsChanged();

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
    // Control skins
    std::vector<TSkinControl*> FSkinControls;  // freed by FreeSkinControls
    TCanvas FWorkCanvas;
};

// The text of a window, wide (GetWindowTextW on NT, else WM_GETTEXT converted) or 8-bit
// (WM_GETTEXT), up to 1000 characters through WM_GETTEXT.
std::wstring GetWindowTextWide(HWND wnd);
String GetWindowTextAnsi(HWND wnd);
// The class name of a window (at most 100 characters).
String WindowClassName(HWND wnd);

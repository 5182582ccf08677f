#pragma once
// The tray icon: one icon with a tip in the notification area, its click, double-click, mouse
// and balloon events, a popup menu, icon cycling from an image list, balloon hints, and hiding
// the application's main form to the tray and showing it again.
#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "controls.h"
#include "graphics.h"
#include "simpletimer.h"
#include "subclass.h"

class TCustomImageList;
class TPopupMenu;
class TTrayIcon;

// The message the shell sends to the shared tray window; wParam is the icon's id.
constexpr UINT TrayCallbackMessage = 0x800;

// The shell's ANSI record in its 488-byte form: balloon fields, no GUID, no balloon icon.
constexpr DWORD TrayIconDataSize = 488;
static_assert(NOTIFYICONDATAA_V2_SIZE == TrayIconDataSize);
// Message, icon and tip fields valid.
constexpr UINT TrayIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr int TrayTipLength = 127;
constexpr int TrayBalloonTextLength = 255;
constexpr int TrayBalloonTitleLength = 63;

enum TBalloonIconKind { bikNone, bikInfo, bikWarning, bikError };
extern const TEnumInfo BalloonIconKindInfo;

using TCycleEvent = TMethod<void(TObject* Sender, int NextIndex)>;
using TStartupEvent = TMethod<void(TObject* Sender, bool& ShowMainForm)>;

// The shared window all tray icons of the process get their callbacks through, and the table
// from icon id to icon. Callback ids are looked up, never taken for pointers: a callback for an
// icon that is gone, or one another process posts, finds nothing.
class TTrayIconHandler : public TSharedWindow<TTrayIconHandler, TTrayIcon, UINT> {
    TK_CLASS(TTrayIconHandler, TObject)
protected:
    void Dispatch(TMessage& m) override;
};

// The process's handler (null when no tray icon exists).
TTrayIconHandler* TrayIconHandler();
void AcquireTrayIconHandler();
void ReleaseTrayIconHandler();
// The registered "TaskbarCreated" message (0 on systems whose common controls are older than 4.71).
UINT TaskbarCreatedMessage();

class TTrayIcon : public TComponent {
    TK_CLASS(TTrayIcon, TComponent)
public:
    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;

    // Published properties
    bool DesignPreview() const { return FDesignPreview; }
    void SetDesignPreview(bool v);
    TCustomImageList* IconList() const { return FIconList; }
    void SetIconList(TCustomImageList* v);
    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool v);
    TK_PROPERTY(unsigned, CycleInterval, SetCycleIcons(FCycleIcons));
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& v);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* v);
    bool IconVisible() const { return FIconVisible; }
    void SetIconVisible(bool v);
    int IconIndex() const { return FIconIndex; }
    void SetIconIndex(int v);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* v);
    bool LeftPopup() const { return FLeftPopup; }
    void SetLeftPopup(bool v) { FLeftPopup = v; }
    bool WantEnterExitEvents() const { return FWantEnterExitEvents; }
    void SetWantEnterExitEvents(bool v);
    bool MinimizeToTray() const { return FMinimizeToTray; }
    void SetMinimizeToTray(bool v) { FMinimizeToTray = v; }

    // The id the shell knows the icon by, and the record as last prepared for the shell.
    UINT Id() const { return FIconData.uID; }
    const NOTIFYICONDATAA& IconData() const { return FIconData; }

    // Each returns whether the shell call succeeded.
    virtual bool LoadDefaultIcon() { return true; }
    virtual bool ShowIcon();
    virtual bool HideIcon();
    virtual bool ModifyIcon();

    // Text cut to 255 characters, title to 63; the shell shows it for timeoutSeconds.
    bool ShowBalloonHint(const String& title, const String& text, TBalloonIconKind iconKind, uint8_t timeoutSeconds);
    bool HideBalloonHint();

    // These act on the application's main form as it is named at the moment of the call.
    void RestoreMainForm();
    void HideMainForm();
    // Hides the application window, which takes the taskbar button away.
    void HideTaskbarIcon();
    virtual void DoMinimizeToTray();

    void PopupAtCursor();
    void PopupMenuAt(int x, int y);

    void Loaded() override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMinimizeToTray;
    TNotifyEvent OnBalloonHintShow;
    TNotifyEvent OnBalloonHintHide;
    TNotifyEvent OnBalloonHintTimeout;
    TNotifyEvent OnBalloonHintClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;
    TStartupEvent OnStartup;

protected:
    void Notification(TComponent* c, TOperation op) override;

    virtual void Click() { Fire(OnClick, this); }
    virtual void DblClick() { Fire(OnDblClick, this); }
    virtual void CycleIcon(int nextIndex) { Fire(OnCycle, this, nextIndex); }
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y) { Fire(OnMouseDown, this, button, shift, x, y); }
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y) { Fire(OnMouseUp, this, button, shift, x, y); }
    virtual void MouseMove(TShiftState shift, int x, int y) { Fire(OnMouseMove, this, shift, x, y); }
    virtual void MouseEnter() { Fire(OnMouseEnter, this); }
    virtual void MouseExit() { Fire(OnMouseExit, this); }

private:
    friend class TTrayIconHandler;

    // The shell's callback for this icon. Any event may free the icon: after each one the
    // handlers check by id that it is still there before they touch it again.
    void HandleCallback(LPARAM event);
    void LeftButtonDown(TShiftState shift, POINT p);
    void LeftButtonUp(TShiftState shift, POINT p);
    void LeftButtonDblClick();
    void RightButtonDown(TShiftState shift, POINT p);
    void FireBalloonEvent(const TNotifyEvent& event);
    static bool Alive(UINT id);
    bool PopupAllowed() const;
    void ClickDefaultItem();

    bool PrepareIconData();
    bool Notify(DWORD message);
    void SetNotifyVersion(int version);
    void CopyImage(int index);
    void ApplyIcon(TIcon* source);

    void IconChanged(TObject* sender);
    void ClickDelayTimerProc(TObject* sender);
    void IconCycleTimerProc(TObject* sender);
    void MouseExitPollTimerProc(TObject* sender);

    bool HookAppProc(TMessage& m);
    void HookFormProc(TMessage& m);
    // Puts HookFormProc in front of the owner's window procedure (making the window when the
    // owner has none yet).
    void HookForm();
    void UnhookForm();
    void DoMinimizeCheck(TMessage& m);
    TWinControl* OwnerControl() const;
    bool CanActOnMainForm() const;

    NOTIFYICONDATAA FIconData{};
    bool FDesignPreview = false;
    TCustomImageList* FIconList = nullptr;
    bool FCycleIcons = false;
    unsigned FCycleInterval = 0;
    bool FEnabled = true;
    String FHint;
    bool FShowHint = true;
    std::unique_ptr<TIcon> FIcon;
    bool FIconVisible = false;
    int FIconIndex = 0;
    TPopupMenu* FPopupMenu = nullptr;
    bool FLeftPopup = false;
    bool FWantEnterExitEvents = false;
    bool FMinimizeToTray = false;

    std::unique_ptr<TSimpleTimer> FClickDelayTimer;
    std::unique_ptr<TSimpleTimer> FIconCycleTimer;
    std::unique_ptr<TSimpleTimer> FMouseExitPollTimer;

    bool FLeftDown = false;
    bool FClickPending = false;
    bool FDblClickSeen = false;
    bool FMouseExited = true;
    bool FFirstWindowPosChange = true;
    bool FPreviewGuard = false;
    POINT FLastMousePos{};
    int FNotifyVersion = 0;

    // The owner form's window procedure with ours in front; put back only while ours is still
    // the one in place, so a later subclasser's chain stays whole.
    TWindowSubclass FFormHook;
    bool FAppHooked = false;
};

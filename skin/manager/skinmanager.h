#pragma once
// The skin manager (unit SkinDlg): one per module, created by the first skin data component
// loaded at run time. It keeps the registered skin data components and the skinned windows
// (one TSkinForm each), decides which window gets a skin, and carries out the switching on,
// off and refreshing that the components ask for, one pending action at a time on its timer.
// A per-thread WH_CBT hook offers it every window the thread activates, and every popup-menu
// window the thread makes, which gets a TSkinPopMenu for its life.
#include <windows.h>

#include <vector>

#include "forms.h"
#include "menulayout.h"
#include "timer.h"

class TSkinData;
class TSkinForm;
class TSkinPopMenu;
class TRepaintOnce;

class TSkinManage : public TObject {
    TK_CLASS(TSkinManage, TObject)
public:
    enum : int { rsIdle = 0, rsRunning = 1, rsDestroying = 4 };
    enum : int { saNone = 0, saActivate = 1, saDeactivate = 2, saRefresh = 3 };
    // Popup menu kinds, for the menu about to open.
    enum : int { mkPopup = 0, mkMenuBar = 1, mkSystem = 2 };

    TSkinManage();
    ~TSkinManage() override;

    // The window-creation hook for this thread; a thread that has one keeps it.
    void InstallHook();
    void AddSkinData(TSkinData* data);
    bool HasSkinData(const TSkinData* data) const;
    // Forgets the component everywhere: the list, the default and the pending data, and the
    // windows it serves (unskinned, or only detached when they are going away).
    void RemoveSkinData(TSkinData* data);

    // Gives the window a skin when it qualifies (the tests run in a fixed order).
    bool SkinWindow(HWND h);
    TSkinData* SelectSkinData(HWND h) const;
    bool QualifyClass(HWND h, const String& className) const;
    void ActivateForm(TCustomForm* form);
    TWinControl* FindForm(HWND h) const;
    TSkinForm* FindSkinForm(HWND h) const;
    // Drops the entry (without freeing it); called by TSkinForm's destructor.
    void RemoveForm(TSkinForm* form);
    // Frees the entries whose window is gone.
    void PurgeForms();
    // Switches off and gives every window its procedures back (nothing else restored).
    void DetachAll();

    // Queues `action` for the pending data; the caller sets the pending data first.
    void RequestAction(int action, int interval);
    void ClearFormButtons();
    void SetMDIMaximized(bool maximized);
    // The skinned MDI frame stops watching its client (the client goes, or the frame's skin):
    // nothing is posted to that client any more.
    void ForgetMDIClient(HWND client);

    // Popup-menu windows ("#32768"): skinned as they are made when the menu kind about to open
    // is skinned, released as they go. The owner-drawn items find their window's picture by
    // the menu it shows.
    void SkinPopupWindow(HWND h);
    bool ReleasePopupWindow(HWND h);
    bool IsPopupSkinned(HWND h) const;
    void MarkPopupsOwnerDraw();
    // Gives the menu to the newest skinned popup window that has none yet.
    void BindPopupMenu(HMENU menu);
    // The oldest popup window showing the menu, and its picture; null when none.
    TSkinPopMenu* FindPopupOfMenu(HMENU menu) const;
    TBitmap* GetPopupBitmap(HMENU menu) const;
    int PopupCount() const { return static_cast<int>(FPopups.size()); }
    TSkinPopMenu* Popups(int i) const { return FPopups.at(static_cast<size_t>(i)).Get(); }

    bool Active() const { return FActive; }
    void SetActive(bool v) { FActive = v; }
    int RunState() const { return FState; }
    void SetRunState(int v) { FState = v; }
    TSkinData* PendingData() const { return FPendingData; }
    void SetPendingData(TSkinData* d) { FPendingData = d; }
    TSkinData* DefaultData() const { return FDefaultData; }
    int Action() const { return FAction; }
    const TTimer& ActionTimer() const { return *FTimer.Get(); }
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TSkinForm* Forms(int i) const { return FForms.at(static_cast<size_t>(i)).Get(); }
    int SkinDataCount() const { return static_cast<int>(FSkinData.size()); }

    int MenuKind = mkPopup;
    bool BarMenuOpen = false;
    bool MDIChildMaximized = false;
    HWND MDIClient = nullptr;
    TControl* MDIFrame = nullptr;

private:
    void DoAction(TObject* sender);
    // The windows the pending action will change, held until it is done.
    void HoldWindowsOf(TSkinData* data, TRepaintOnce& repaint) const;
    void FinishSkinning(const TRepaintOnce& repaint);
    void Activate(TSkinData* data);
    void Deactivate(TSkinData* data);
    void Refresh(TSkinData* data);
    // Lets go of an entry taken out of the list: the window is given back (all of it, or its
    // procedures only) and the object freed, once none of the window's messages is running.
    void ReleaseForm(TOwnedObject<TSkinForm> form, bool unskin);
    // Takes an entry out of the list; the caller frees it by letting the owner go.
    TOwnedObject<TSkinForm> TakeForm(size_t index);
    TOwnedObject<TSkinForm> TakeForm(TSkinForm* form);
    // The entries as they are now, for a pass that may change the list.
    std::vector<TSkinForm*> FormsNow() const;
    bool IsPlainChild(HWND h) const;
    void FreePopup(size_t index);

    TOwnedObject<TTimer> FTimer;
    std::vector<TOwnedObject<TSkinForm>> FForms;
    std::vector<TOwnedObject<TSkinPopMenu>> FPopups;  // oldest first
    std::vector<TSkinData*> FSkinData;  // not owned, in registration order
    bool FActive = false;
    bool FActivating = false;           // the activation pass over Screen.Forms
    int FState = rsIdle;
    int FAction = saNone;
    TSkinData* FPendingData = nullptr;
    TSkinData* FDefaultData = nullptr;
};

// The module's manager, or null before the first skin data component is loaded.
TSkinManage* SkinManager();
TSkinManage& NeedSkinManager();
// Frees the manager (windows detached, hook removed); the program calls it before
// DoneApplication. Later skin data components make a new one.
void DoneSkinManager();

// The window-creation hook of this module (null when none) and how often one was installed
// and removed since the module started.
HHOOK SkinHookHandle();
int SkinHookInstalls();
int SkinHookRemovals();

// The engine's one reading of the system version (SkinPlatform().Version).
TWinVersion SkinVersion();
bool SkinIsWin9x();
// The system's major version is not 6: the check boxes draw their focus rectangle only then.
bool SkinNotVersion6();

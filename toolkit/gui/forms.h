#pragma once
// Forms, the screen, the application object and the hint window.
//
// Each module (the program, the library) links its own copy of the toolkit and so has its own
// `Application` and `Screen`. Both are created when the module loads (no window yet) and freed
// when it unloads, or earlier by DoneApplication(). A program calls Application->Initialize()
// first (classes for form files, the application window), creates its forms and runs:
//
//   Application->Initialize();
//   Application->SetTitle("Velmora");
//   Application->CreateForm(Form1);
//   Application->Run();
//
// A form class with a form file calls InitForm() at the end of its constructor; InitForm finds
// the RCDATA resource named by the upper-case class name in the module that holds the code,
// streams it into the form, fills the fields declared with TK_COMPONENT and then fires OnCreate.
#include <windows.h>

#include <memory>
#include <new>
#include <vector>

#include "controls.h"

class TCustomForm;
class TForm;
class THintWindow;
class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
extern const TEnumInfo FormBorderStyleInfo;
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
extern const TEnumInfo BorderIconInfo;
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter,
};
extern const TEnumInfo PositionInfo;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
extern const TEnumInfo FormStyleInfo;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
extern const TEnumInfo WindowStateInfo;
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

using TCloseEvent = TMethod<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TMethod<void(TObject* Sender, bool& CanClose)>;
using TExceptionEvent = TMethod<void(TObject* Sender, const Exception& E)>;
using TWindowHook = TMethod<bool(TMessage& Message)>;
using TIdleEvent = TMethod<void(TObject* Sender, bool& Done)>;

class TCustomForm : public TWinControl {
    TK_CLASS(TCustomForm, TWinControl)
public:
    // Builds an empty form; a form class with a form file calls InitForm() in its constructor.
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    void BeforeDestruction() override;

    // Streams the form file of this class (resource named by the upper-case class name), binds
    // the fields, fires OnCreate and shows the form when the file says Visible = True.
    // An exception of OnCreate, OnShow or OnHide goes to the application's error box and the
    // form goes on: it is made, and shown or hidden as asked.
    void InitForm();
    // For forms built in code: OnCreate and a stored Visible, without a form file.
    void InitNew();

    TK_PROPERTY(TFormBorderStyle, BorderStyle, RecreateWnd());
    TK_PROPERTY(TBorderIcons, BorderIcons, RecreateWnd());
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState v);
    TK_PROPERTY(bool, AlphaBlend, ApplyAlphaBlend());
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int v);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* v) { FIcon->Assign(v); }
    // The menu bar; its items' WM_COMMAND reach them through the form.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* v);
    TCanvas* Canvas() const { return FCanvas.get(); }

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* c);
    bool Active() const { return FActive; }
    bool Modal() const { return FModal; }

    // Visible, and in front of the other windows.
    void Show();
    void SetParent(TWinControl* parent) override;
    void SetFocus() override;
    void Close();
    bool CloseQuery();
    TModalResult ShowModal();
    // Frees the form once the messages already queued for it are handled.
    void Release();

    // The focused control moved to `c` (a control on this form); false when it may not.
    bool SetFocusedControl(TWinControl* c);
    void FocusControl(TWinControl* c);
    TWinControl* FocusedControl() const { return FFocusedControl; }
    // A control (and all inside it) leaves this form or is being freed.
    void ControlGone(TControl* c);

    void WndProc(TMessage& m) override;
    void Dispatch(TMessage& m) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    // The component of that name and class; raises EComponentError when there is none.
    template <class T>
    T* FindChild(const char* name) const
    {
        return static_cast<T*>(FindChildOf(name, T::StaticClass()));
    }
    TComponent* FindChildOf(const String& name, const TClassInfo& cls) const;

    void CreateParams(TCreateParams& p) override;
    void InitializeWnd() override;
    void UpdateShowing() override;
    void PaintWindow(HDC dc) override;
    void Loaded() override;
    void Notification(TComponent* c, TOperation op) override;
    virtual void Paint() { Fire(OnPaint, this); }
    virtual void DoCreate() { Fire(OnCreate, this); }
    virtual void DoShow() { Fire(OnShow, this); }
    virtual void DoHide() { Fire(OnHide, this); }
    virtual void DoClose(TCloseAction& action) { Fire(OnClose, this, action); }

private:
    void FinishCreate();
    void ShowChanged(bool showing);
    // Fills the TK_COMPONENT fields of every class of this form with the loaded components.
    void FillComponentFields();
    String UniqueFormName(const String& base) const;
    void ShowForm();
    void HideForm();
    void ApplyPosition();
    void ApplyAlphaBlend();
    void ApplyStayOnTop();
    void ApplyIcon();
    void CloseModal();
    void Activated(TMessage& m);
    void CMDialogKey(TMessage& m);
    void IconChanged(TObject*);
    void ApplyMenu();
    bool IsTopLevel() const { return Parent() == nullptr; }

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    bool FAlphaBlend = false;
    int FAlphaBlendValue = 255;
    bool FKeyPreview = false;
    std::unique_ptr<TIcon> FIcon;
    std::unique_ptr<TControlCanvas> FCanvas;
    TMainMenu* FMenu = nullptr;
    TModalResult FModalResult = mrNone;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    bool FActive = false;
    bool FModal = false;
    bool FShowing = false;        // the window is shown as far as OnShow/OnHide go
    bool FChangingShow = false;   // our own ShowWindow calls, not someone else's
    bool FPositioned = false;
};

class TForm : public TCustomForm {
    TK_CLASS(TForm, TCustomForm)
public:
    using TCustomForm::TCustomForm;
};

// Defines, in its .cpp, the class information and the constructor of a form class whose
// constructor does nothing but stream its form file.
#define TK_FORM_CLASS(T)                                                                        \
    const TClassInfo& T::StaticClass()                                                          \
    {                                                                                           \
        static const TClassInfo info = TClassBuilder<T>(#T, &inherited::StaticClass()).Build(); \
        return info;                                                                            \
    }                                                                                           \
    T::T(TComponent* owner) : inherited(owner) { InitForm(); }

// A popup window that shows one hint text.
class THintWindow : public TCustomControl {
    TK_CLASS(THintWindow, TCustomControl)
public:
    explicit THintWindow(TComponent* owner);
    // The rectangle (at 0, 0) the text needs, wrapped at maxWidth.
    virtual TRect CalcHintRect(int maxWidth, const String& hint, void* data);
    // Shows the text in `r` (screen coordinates), above every other window, without activating.
    virtual void ActivateHint(TRect r, const String& hint);
    // Hides the window and gives it back.
    void ReleaseHandle();
    bool HintShowing() const;

protected:
    void CreateParams(TCreateParams& p) override;
    void Paint() override;
    void Dispatch(TMessage& m) override;
};

class TScreen : public TComponent {
    TK_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    // Every form of the module, in creation order.
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int i) const { return FForms.at(static_cast<size_t>(i)); }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    // A cursor for the whole application (crHourGlass while busy); crDefault lets controls choose.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor c);
    HCURSOR Cursors(TCursor c) const { return CursorHandle(c); }
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    TRect DesktopRect() const;
    TRect WorkAreaRect() const;
    int PixelsPerInch() const { return ScreenPixelsPerInch(); }
    TFont* HintFont() const;
    TFont* MenuFont() const;

private:
    friend class TCustomForm;
    void AddForm(TCustomForm* f);
    void RemoveForm(TCustomForm* f);
    void SetActiveForm(TCustomForm* f) { FActiveForm = f; }
    void SetActiveControl(TWinControl* c) { FActiveControl = c; }
    void LoadSystemFonts();

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = crDefault;
    std::unique_ptr<TFont> FHintFont;
    std::unique_ptr<TFont> FMenuFont;
};

class TApplication : public TComponent {
    TK_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;
    void BeforeDestruction() override;

    // Registers the classes form files may name and creates the application window.
    void Initialize();
    // The hidden application window: it owns the forms and the taskbar button.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    const String& Title() const { return FTitle; }
    void SetTitle(const String& v);
    // The running program's file (also inside the library).
    String ExeName() const;
    // The program's icon (resource MAINICON), answered to WM_GETICON.
    TIcon* Icon() const;

    // Creates a form owned by the application; `ref` is set before the form's constructor runs
    // (its handlers may use it). The first form created becomes the main form.
    template <class T>
    void CreateForm(T*& ref)
    {
        void* mem = ::operator new(sizeof(T));
        ref = static_cast<T*>(mem);
        try {
            new (mem) T(this);
        } catch (...) {
            ref = nullptr;
            ::operator delete(mem);
            throw;
        }
        if (!FMainForm)
            FMainForm = ref;
    }
    TCustomForm* MainForm() const { return FMainForm; }
    // Rebinds the main form and nothing else.
    void SetMainForm(TCustomForm* f) { FMainForm = f; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool v) { FShowMainForm = v; }

    // Shows the main form and handles messages until the application terminates.
    void Run();
    // Asks every loop of this application to end (a WM_QUIT through the queue).
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Forgets a seen WM_QUIT, for a module that keeps running after its loop (tests).
    void CancelTerminate() { FTerminated = false; }
    // Handles one message, or waits for one when there is none.
    void HandleMessage();
    // Handles every message waiting, then returns.
    void ProcessMessages();
    // The standard error box for the exception being handled (call inside a catch block), or
    // OnException when assigned; then the loop goes on.
    void HandleException(TObject* sender);
    void ShowException(const Exception& e);

    void HookMainWindow(TWindowHook hook);
    void UnhookMainWindow(TWindowHook hook);
    void Minimize();
    void Restore();
    void BringToFront();

    // Hints
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor v) { FHintColor = v; }
    int HintPause() const { return FHintPause; }
    void SetHintPause(int v) { FHintPause = v; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int v) { FHintHidePause = v; }
    // The long hint of the control under the mouse; OnHint fires when it changes.
    const String& Hint() const { return FHint; }
    void SetHint(const String& v);
    void CancelHint();
    THintWindow* HintWindow() const { return FHintWindow; }

    TNotifyEvent OnHint;
    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // Called by the controls: the mouse is over `c` (null: over no control of ours).
    void MouseOver(TControl* c);
    TControl* MouseControl() const { return FMouseControl; }
    // The windowless control that has the mouse captured, if any.
    TControl* CaptureControl() const { return FCaptureControl; }
    void SetCaptureControl(TControl* c);
    // The window `w` lost the mouse capture: a windowless child holding it loses it too.
    void CaptureLost(TWinControl* w);
    // A control is being freed: forget every reference to it.
    void ControlGone(TControl* c);
    // The main form was shown: the application window shows its taskbar button.
    void MainFormShown();

private:
    void CreateHandle();
    void WndProc(TMessage& m);
    bool ProcessMessage(MSG& msg);
    void Idle(const MSG& msg);
    bool IsKeyMsg(MSG& msg);
    void ActivateHint();
    void HintTimerExpired(UINT_PTR id);
    friend LRESULT CALLBACK AppWndProc(HWND, UINT, WPARAM, LPARAM);

    HWND FHandle = nullptr;
    String FTitle;
    std::unique_ptr<TIcon> FIcon;
    TCustomForm* FMainForm = nullptr;
    bool FShowMainForm = true;
    bool FTerminated = false;
    bool FInitialized = false;
    std::vector<TWindowHook> FWindowHooks;
    bool FShowHint = true;
    TColor FHintColor = clInfoBk;
    int FHintPause = 500;
    int FHintHidePause = 2500;
    String FHint;
    THintWindow* FHintWindow = nullptr;
    TControl* FHintControl = nullptr;
    bool FHintActive = false;
    TControl* FMouseControl = nullptr;
    TControl* FCaptureControl = nullptr;
    int FHandlingException = 0;
};

extern TApplication* Application;
extern TScreen* Screen;

// Frees the module's application (its forms first) and screen; the module's end does it too.
void DoneApplication();
// Registers every control and form class of the toolkit for form files (Initialize calls it).
void RegisterStandardClasses();

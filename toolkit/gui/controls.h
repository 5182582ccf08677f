#pragma once
// Controls: TControl (position, visibility, text, font, colour, mouse), TWinControl (a control
// that owns a window), TGraphicControl (windowless, painted by its parent) and TCustomControl
// (own window class with a canvas).
#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "classes.h"
#include "graphics.h"
#include "messages.h"
#include "subclass.h"
#include "types.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;

// The module that holds the toolkit's code (the program or the library): window classes,
// form resources and the control atom belong to it.
HINSTANCE ModuleInstance();

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
extern const TEnumInfo AlignInfo;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
extern const TEnumInfo AlignmentInfo;

// Reading order. Right to left reads from the right; bdRightToLeft also aligns to the right,
// and all but bdRightToLeftReadingOnly put a vertical scroll bar on the left.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
extern const TEnumInfo BiDiModeInfo;
inline bool UseRightToLeftReading(TBiDiMode m) { return m != bdLeftToRight; }
inline bool UseRightToLeftAlignment(TBiDiMode m) { return m == bdRightToLeft; }
inline bool UseRightToLeftScrollBar(TBiDiMode m) { return m == bdRightToLeft || m == bdRightToLeftNoAlign; }
// The extended styles a window of that mode has, and all such styles.
DWORD BiDiModeExStyle(TBiDiMode m);
constexpr DWORD BiDiExStyles = WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TMouseEvent = TMethod<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TMethod<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = TMethod<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = TMethod<void(TObject* Sender, char& Key)>;

enum TControlStyleItem {
    csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
    csFixedWidth, csFixedHeight, csNoStdEvents,
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem { csLButtonDown, csClicked, csFocusing, csCreating, csAlignmentNeeded, csDestroyingHandle };
using TControlState = TSet<TControlStateItem>;

// Shift state from the MK_ flags of a mouse message, from a key message's key data, or now.
TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyDataToShiftState(LPARAM keyData);
TShiftState GetShiftState();

// The system cursor a TCursor stands for (null for crNone).
HCURSOR CursorHandle(TCursor c);

// True when `key` is the accelerator (the letter after '&') of `caption`, ignoring case.
bool IsAccel(unsigned key, const String& caption);
// The part of a hint before '|', and the part after it (the whole hint when there is no '|').
String GetShortHint(const String& hint);
String GetLongHint(const String& hint);

class TControl : public TComponent {
    TK_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    void BeforeDestruction() override;

    // Parent and the form around it
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

    // Geometry, in the parent's client coordinates (a top-level form: the screen's)
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.left, r.top, r.Width(), r.Height()); }
    virtual void SetBounds(int left, int top, int width, int height);
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
    void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
    virtual void SetClientSize(int w, int h);
    // The screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;
    TK_PROPERTY(TAlign, Align, RequestAlign());
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool v);

    // State
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent visible.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);
    String Caption() const { return GetText(); }
    void SetCaption(const String& v) { SetText(v); }
    virtual String GetText() const;
    void SetText(const String& v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor.On; }
    void SetParentColor(bool v);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* f) { FFont->Assign(f); }
    bool ParentFont() const { return FParentFont.On; }
    void SetParentFont(bool v);
    TK_PROPERTY(TCursor, Cursor, Perform(CM_CURSORCHANGED));
    const String& Hint() const { return FHint; }
    void SetHint(const String& v) { FHint = v; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    bool ParentShowHint() const { return FParentShowHint.On; }
    void SetParentShowHint(bool v);
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle v) { FControlStyle = v; }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode v);
    bool ParentBiDiMode() const { return FParentBiDiMode.On; }
    void SetParentBiDiMode(bool v);
    // The menu a right click (WM_CONTEXTMENU) pops up; without one the parent's shows.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* v);
    TControlState ControlState() const { return FControlState; }

    // Messages. WindowProc starts as this control's WndProc; another object may save it, put
    // its own method in its place and later put the saved one back.
    TWndMethod WindowProc;
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& m);
    virtual void Dispatch(TMessage& m);
    virtual void DefaultHandler(TMessage& m);

    virtual void Click();
    virtual void DblClick();
    void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();
    bool MouseCapture() const;
    void SetMouseCapture(bool v);

    // The visible window this control draws on (its own, or its parent's for a windowless one).
    virtual HWND PaintWindowHandle() const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    friend class TWinControl;
    friend class TCustomForm;
    friend class THintWindow;

    void Loaded() override;
    void Notification(TComponent* c, TOperation op) override;
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Resize();
    virtual void TextChanged() {}
    // Windowless controls keep their text here; windowed ones too while they have no window.
    String FText;
    // Sets the size an AutoSize control wants; the default keeps the current one.
    virtual bool CanAutoSize(int& width, int& height) { return false; }
    void AdjustSize();
    // Re-runs the parent's alignment pass when this control takes part in it.
    void RequestAlign();
    // Repaints a windowless control's area on its parent. The area a control leaves is always
    // erased, or an opaque control would leave its old pixels behind.
    void InvalidateControl(bool wasVisible, bool leaving = false);
    // The colour, font and hint switch a control takes from its parent while ParentColor,
    // ParentFont and ParentShowHint are on.
    void ApplyParentColor();
    void ApplyParentFont();
    void ApplyParentShowHint();
    void ApplyParentBiDiMode();
    // Stores a new text (a windowed control also in its window).
    virtual void WriteText(const String& v);
    // Sets the bounds without telling the window or the parent (window messages report them).
    void StoreBounds(int left, int top, int width, int height);

    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    bool FControlDestroying = false;  // BeforeDestruction has started

private:
    // A property the control may take from its parent.
    struct TFromParent {
        bool On;              // the property follows the parent
        bool Taking = false;  // the value being set now is the parent's
    };
    // Switches following on or off; switched on, the parent's value is taken at once.
    void SetFromParent(TFromParent& p, bool on, void (TControl::*apply)());
    // Sets the parent's value through `take` while `p` follows the parent.
    template <class F>
    void TakeFromParent(TFromParent& p, F take);
    // A value of the control's own: unless it came from the parent, the parent's no longer counts.
    static void OwnValueSet(TFromParent& p)
    {
        if (!p.Taking)
            p.On = false;
    }
    void FontChanged(TObject* sender);
    void HandleMouseDown(TMessage& m, TMouseButton button);
    void HandleMouseUp(TMessage& m, TMouseButton button);
    // WM_CONTEXTMENU: the popup menu of the windowless child under the point, or our own;
    // without one the message goes on (to the parent window).
    void ContextMenu(TMessage& m);

    TWinControl* FParent = nullptr;
    TPopupMenu* FPopupMenu = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    bool FAutoSize = false;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    TFromParent FParentColor{false};
    std::unique_ptr<TFont> FFont;
    TFromParent FParentFont{true};
    TCursor FCursor = crDefault;
    String FHint;
    bool FShowHint = false;
    TFromParent FParentShowHint{true};
    TBiDiMode FBiDiMode = bdLeftToRight;
    TFromParent FParentBiDiMode{true};
};

// The HWND and the rest of a window about to be created.
struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    // A system class (BUTTON, EDIT, ...) is subclassed after creation; otherwise the toolkit
    // registers WinClassName (the control's class name) in the module.
    String SysClassName;
    String WinClassName;
    UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
    TK_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // The window, created on demand (with its parent's and its children's).
    HWND Handle();
    HWND WindowHandle() const { return FHandle; }
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    void RecreateWnd();
    HWND PaintWindowHandle() const override { return FHandle; }
    // A window that is no toolkit control, to hold this control's window when it has no
    // Parent (a control laid over another module's or the system's windows).
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND wnd);

    // Children, in the order they were inserted; windowless ones are drawn in this order.
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int i) const { return FControls.at(static_cast<size_t>(i)); }
    bool ContainsControl(const TControl* c) const;
    // The visible child at a client point (the topmost one), or null.
    TControl* ControlAtPos(const TPoint& p, bool allowDisabled, bool allowWinControls = false) const;
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    // Sends a message to every child until one sets a non-zero Result.
    void Broadcast(TMessage& m);

    // Focus and tab order
    int TabOrder() const;
    void SetTabOrder(int v);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v);
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // Every windowed descendant in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next control in tab order after `current` (in either direction) that can take the focus.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
    void SelectFirst();

    // Alignment of the children
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign();
    // The client area the alignment pass fills (panels keep their bevels out of it).
    virtual void AdjustClientRect(TRect& r) const {}

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void SetBounds(int left, int top, int width, int height) override;
    // While an update of the bounds runs, SetBounds only records them; at its end the window is
    // moved once when they differ from the window's, else its children are laid out again.
    void BeginBoundsUpdate() { ++FBoundsUpdate; }
    void EndBoundsUpdate();
    // A windowed control with AutoSize fits its client area to its children.
    void SetAutoSize(bool v) override;
    void SetClientSize(int w, int h) override;
    String GetText() const override;
    // Width and height of the non-client frame (from the window, or from CreateParams before).
    SIZE FrameSize() const;
    void Update() override;
    void Repaint() override;
    TBrush* Brush() const { return FBrush.get(); }
    // Paints the windowless children, from `first` on in their order (all for null), into a DC
    // in this control's client coordinates, within the DC's clip box: for code that paints
    // this control in place of its own painting.
    void PaintControls(HDC dc, TControl* first);

    void WndProc(TMessage& m) override;
    void Dispatch(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    friend class TControl;
    friend LRESULT CALLBACK ToolkitWndProc(HWND, UINT, WPARAM, LPARAM);

    virtual void CreateParams(TCreateParams& p);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    // Creates the children's windows once this one exists.
    void CreateChildHandles();
    // Shows or hides the window (creating it when it should show).
    virtual void UpdateShowing();
    // Called when the window exists: fonts, texts and other state the window keeps.
    virtual void InitializeWnd();
    // The bits of CreateParams' Style that follow BiDiMode (the extended ones are BiDiExStyles).
    virtual DWORD BiDiStyles() const { return 0; }
    // A new BiDiMode on a live window: its styles change in place, so whoever skins or
    // subclasses the window keeps it.
    void UpdateBiDiStyles();
    void UpdateBounds();
    void Loaded() override;

    // Alignment pass: fills `r` with the aligned children.
    virtual void AlignControls(TControl* changed, TRect& r);
    bool AlignDisabled() const { return FAlignLevel > 0; }

    // Painting: WM_PAINT calls PaintWindow for the window's own drawing, then PaintControls
    // for the windowless children.
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc, const RECT& clip, TControl* first = nullptr);
    void PaintHandler(TMessage& m);

    // Keyboard
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // The KeyPreview form first, then this control; true when a handler took the key.
    bool DoKeyDown(WORD& key, TShiftState shift);
    bool DoKeyUp(WORD& key, TShiftState shift);
    bool DoKeyPress(char& key);
    virtual void DoEnter() { Fire(OnEnter, this); }
    virtual void DoExit() { Fire(OnExit, this); }
    // The DLGC_ flags: which keys the focused window keeps for itself.
    unsigned DialogCode();
    // A navigation or dialog key: the control itself, then its form, then everybody.
    bool RouteDialogKey(WORD key, LPARAM keyData);
    bool RouteDialogChar(WORD key, LPARAM keyData);

    void WriteText(const String& v) override;
    // Sizes a control with AutoSize to hold its children.
    void FitToChildren();
    // Puts the windowed children in the tab order the form file asked for.
    void SortTabList();

    // A system-class window (BUTTON, EDIT, ...): its own procedure, behind ours.
    TWindowSubclass FDefProc;
    int FDesiredTabOrder = -1;

private:
    void AttachHandle(HWND wnd);
    void HandleDestroyed();
    void SystemWndProc(TMessage& m);
    void RunWindowProc(HWND wnd, TMessage& m);
    void ReflectNotification(TMessage& m);
    friend class TCustomForm;
    bool HandleMouseForChild(TMessage& m);
    void HandleSetCursor(TMessage& m);
    void HandleColor(TMessage& m);

    HWND FHandle = nullptr;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    std::unique_ptr<TBrush> FBrush;
    bool FTabStop = false;
    int FAlignLevel = 0;
    bool FAligning = false;
    unsigned FCtlId = 0;  // the child-window id, for WM_MEASUREITEM's reflection
    int FWantClientWidth = -1, FWantClientHeight = -1;
    HWND FParentWindow = nullptr;
    int FBoundsUpdate = 0;
    bool FBoundsPending = false;  // SetBounds recorded bounds the window does not have yet
};

// One update of a windowed control's bounds (BeginBoundsUpdate ... EndBoundsUpdate).
class TBoundsUpdate {
public:
    explicit TBoundsUpdate(TWinControl& control) : FControl(control) { FControl.BeginBoundsUpdate(); }
    ~TBoundsUpdate() { FControl.EndBoundsUpdate(); }
    TBoundsUpdate(const TBoundsUpdate&) = delete;
    TBoundsUpdate& operator=(const TBoundsUpdate&) = delete;

private:
    TWinControl& FControl;
};

// A canvas over the DC of a control: the paint DC while painting, else one fetched on demand
// and given back after the current message.
class TControlCanvas : public TCanvas {
    TK_CLASS(TControlCanvas, TCanvas)
public:
    explicit TControlCanvas(TControl* control) : FControl(control) {}
    ~TControlCanvas() override;
    TControl* Control() const { return FControl; }
    void FreeHandle();
    // Gives back every DC fetched on demand (the application calls it after each message).
    static void FreeDeviceContexts();

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    HWND FWindow = nullptr;
    HDC FDC = nullptr;
};

// Lends a paint DC to a control's canvas for one paint, with the control's font and colour.
class TCanvasPaintScope {
public:
    TCanvasPaintScope(TControlCanvas* canvas, TControl* control, HDC dc);
    ~TCanvasPaintScope();
    TCanvasPaintScope(const TCanvasPaintScope&) = delete;
    TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

private:
    TControlCanvas* FCanvas;
};

// Windowless control painted by its parent through its canvas.
class TGraphicControl : public TControl {
    TK_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& m) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// Windowed control of its own window class that paints itself on its canvas.
class TCustomControl : public TWinControl {
    TK_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// The window procedure of every window the toolkit creates or subclasses.
LRESULT CALLBACK ToolkitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The control whose window this is, when the window belongs to this module's toolkit; null for
// any other window (also for windows of the other module, whose control atom differs).
TWinControl* FindControl(HWND wnd);
// The control under a screen point: the windowed control there, or its windowless child.
TControl* FindDragTarget(const TPoint& p, bool allowDisabled);
// The form a control sits on (the outermost form for an embedded form), or null.
TCustomForm* GetParentForm(const TControl* c);
// The name of the window property that holds a control's object pointer on a subclassed
// system-class window (windows of the toolkit's own classes keep it in their extra bytes).
ATOM ControlAtom();
// The text of a window (GetWindowTextA), of any length.
String WindowText(HWND wnd);

#pragma once
// The base of every control skin: a small component that sits in the message path of one
// standard control of a skinned window and repaints that control from the current skin.
//
// It gets into the message path in one of two ways:
//   control mode  a toolkit control: the skin's SkinWndProc replaces the control's WindowProc
//                 (InitControl; the skin's owner is the control, which frees it);
//   handle mode   a window known only by its handle: the skin subclasses the window, with the
//                 W or A setter as IsWindowUnicode says (InitHandle; the owner is the TSkinForm).
// Either way it registers in its TSkinForm's list of skin controls on attach and leaves it
// when freed; freeing gives the control its WindowProc, or the window its procedure, back.
//
// How a control family plugs in:
//   - One file pair in this folder (skinbutton.h/.cpp, ...) with a class derived from
//     TSkinControl. Override the virtual operations the family needs and call the inherited
//     one for everything it leaves alone:
//       BeforeProc  sees every message first; false consumes it (set Message.Result when it
//                   matters), true lets the control's previous handler run, then AfterProc;
//       AfterProc   reacts after the previous handler;
//       DrawControl draws the skin into a DC within R (window coordinates, origin 0, 0);
//                   PaintControl (window DC) and PaintFromMessage (WM_PAINT) lead to it.
//   - Draw with the helpers below and those of controldraw.h; compose off-screen and copy once.
//   - Look skin objects up in FSkinData each time you draw (they are rebuilt at every load);
//     an absent object or picture draws nothing.
//   - Geometry that needs no window goes into controllayout.h or a *layout.h of the family.
//   - Properties of other classes are read by name with the property helpers below.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

#include "busycount.h"
#include "controls.h"
#include "subclass.h"

class TSkinForm;
class TSkinData;
class TDataSkinObject;

// The Tag that has a button, check box or radio button drawn over its parent's picture.
constexpr int TransparentTag = 5555;

class TSkinControl : public TComponent {
    TK_CLASS(TSkinControl, TComponent)
public:
    // FState: created, attached, unskinned (set by the box skin), the window got WM_NCDESTROY.
    enum : int { stCreated = 0, stAttached = 1, stUnskinned = 2, stDestroyed = 6 };
    // FMouseFlags bits.
    enum : BYTE { mfHot = 1, mfPressed = 2 };

    explicit TSkinControl(TComponent* AOwner);
    ~TSkinControl() override;
    void BeforeDestruction() override;

    // ---- the operations a family overrides, in this order
    // Control mode: the owner is the control. A second call changes nothing.
    virtual void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor);
    // Handle mode. Nothing happens for a handle that is not a window or when already attached.
    virtual void InitHandle(HWND Wnd, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas);
    // Switches the skin off and gives the control back its colour; the handler stays in place.
    virtual void Unskin();
    virtual bool BeforeProc(TMessage& Message);
    virtual void AfterProc(TMessage& Message);
    // The whole window into DC, or into the window DC when DC is 0.
    virtual void PaintControl(HDC DC);
    virtual void DrawControl(HDC DC, const TRect& R) {}
    // Re-applies the colour and repaints after the skin changed.
    virtual void SkinChanged();

    // Switches the skin off (when `unskin`) and frees it: at once, or when the outermost of
    // its messages running now returns. The caller has taken it out of the form's list.
    void Release(bool unskin);
    bool Busy() const { return FBusy.Busy(); }

    // One message of the skin's windows running: neither the skin nor its form goes before it
    // returns. Every entry point holds one: the window procedure, a child window the skin
    // watches, a panel it owns. A null skin counts nothing.
    class TMessageCall {
    public:
        explicit TMessageCall(TSkinControl* skin);
        // The skin was freed while the message ran (its control went): touch it no more.
        bool SkinGone() const { return FSkin.OwnerGone(); }

    private:
        TBusyCount::TCall FForm;  // left last, after the skin's own
        TBusyCount::TCall FSkin;
    };

    // ---- the message path
    // SKM_ENABLE switches the skin on (WParam > 0) or off; then BeforeProc, the previous
    // handler, AfterProc. An exception in BeforeProc or AfterProc is dropped.
    void SkinWndProc(TMessage& Message);
    // Passes a message on to what was there before (control mode: the saved WindowProc).
    void CallDefault(TMessage& Message);
    // Repaints now.
    void Refresh();

    // ---- helpers of the families
    void SetParentBackground(bool On);
    // The parent's integer "Color", else Default.
    TColor GetParentColor(TColor Default) const;
    // The control is drawn over its parent's picture: TransparentTag, or the skin's
    // xoTransparent option.
    bool OverParentPicture(const TControl* Control) const;
    void FillFace(HDC DC, const TRect& R) const;
    void FillParentColor(HDC DC, const TRect& R) const;
    LONG GetWindowLongAW(HWND Wnd, int Index) const;
    // The focus rectangle around FText drawn in R with the DrawText flags.
    void DrawTextFocusRect(HDC DC, UINT Flags, const TRect& R) const;
    // A button-down message handed to the toolkit control's MouseDown.
    void ForwardMouseDown(TMessage& Message);
    // One of the control's own events that the skin runs (a click it handles itself): a failure
    // reaches the application's error box, as without the skin, instead of being dropped with
    // the skin's own failures.
    void RunControlEvent(const std::function<void()>& event);

    // ---- the drawing helpers every family shares (controldraw.cpp)
    UINT AddRTLReading(UINT Flags) const;
    // Alignment: 0, DT_CENTER or DT_RIGHT.
    void DrawCaptionText(TCanvas* Canvas, const TRect& R, const std::wstring& Text, bool Enabled, UINT Alignment) const;
    // Alignment: 0 left, 1 centre, 2 right; ImageIndex -1 for none.
    void DrawGlyphAndText(TCanvas* Canvas, const TRect& R, HIMAGELIST ImageList, int ImageIndex,
                          const std::wstring& Text, int Alignment) const;
    // Frame State of Count of the object's strip, nine-sliced to R.
    static void DrawSkinPart(HDC DC, const TRect& R, int Count, int State, TDataSkinObject* SkinObject);
    // Frame State of Count of a strip, stretched to R with magenta left out.
    static void DrawStripFrameKeyed(HDC DC, const TRect& R, int Count, int State, TBitmap* Bitmap);
    static void DrawStripFrameToCanvas(TCanvas* Canvas, const TRect& R, int Count, int State, TBitmap* Bitmap);
    static void DrawStripFrameMasked(HDC DC, const TRect& R, int Count, int State, TBitmap* Bitmap);
    // An arrow button drawn without pictures: a box framed in the dark shadow colour, filled
    // with the shadow colour while pressed or hot (State 2 or 4) and the face colour otherwise,
    // the small arrow (Direction 0 up, 1 down, 2 left, 3 right) in its middle.
    void DrawPlainArrow(TCanvas* Canvas, const TRect& Rect, int Direction, int State) const;
    // WM_PAINT and WM_PRINT: DrawControl into the DC in WParam, or into a paint of the window.
    void PaintFromMessage(TMessage& Message);
    // WM_ERASEBKGND in transparent mode: the parent's background (result 1).
    void EraseBackground(TMessage& Message);
    // The background of a composed picture: the parent's picture behind the control when
    // OverParent, else the skin's face over R.
    void FillBackground(HDC DC, const TRect& R, bool OverParent) const;

    // ---- properties of other classes by name; a nil instance or an absent property gives the
    // default. Enumeration and Boolean values are compared by callers as lower-case text.
    static int GetIntPropByName(TObject* Instance, std::string_view Name);  // -1 when absent
    static void GetEnumPropText(TObject* Instance, std::string_view Name, String& Text);
    // The same in lower case, as the skins compare it ("" when absent).
    static String EnumPropText(TObject* Instance, std::string_view Name);
    static void GetWidePropText(TObject* Instance, std::string_view Name, std::wstring& Text);
    static TObject* GetObjectPropByName(TObject* Instance, std::string_view Name, const TClassInfo* MinClass);
    // Integer (a non-number raises EConvertError), enumeration, Boolean and string properties.
    static void SetPropText(TObject* Instance, std::string_view Name, std::string_view Value);

    // ---- what the skinned form and the dispatch read
    TControl* Control() const { return FControl; }
    TControl* GraphicControl() const { return FGraphicControl; }
    HWND Handle() const { return FHandle; }
    TSkinForm* SkinForm() const { return FSkinForm; }
    TSkinData* SkinData() const { return FSkinData; }
    int State() const { return FState; }
    bool Active() const { return FActive; }
    bool Attached() const { return FAttached; }
    bool Unicode() const { return FUnicode; }
    bool SetsColor() const { return FSetColor; }
    int Mode() const { return FMode; }
    void SetMode(int v) { FMode = v; }
    // Handle mode: our thunk and the procedure it replaced; null otherwise.
    WNDPROC ObjectInstance() const { return FSubclass.Proc(); }
    WNDPROC OldWndProc() const { return FSubclass.OldProc(); }
    // Control mode: the WindowProc it replaced.
    const TWndMethod& OldWindowProc() const { return FOldWindowProc; }

protected:
    // The steps every way of attaching takes: the skin data, the skinned form and its work
    // canvas, the skin joining the form's list; the control's WindowProc taken over (Detach
    // gives it back); the attached state.
    void JoinSkinForm(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas);
    void HookWindowProc(TControl* Control);
    void SetAttached();
    // Gives the control its WindowProc and the window its procedure back, leaves the form's
    // list; runs once.
    void Detach() noexcept;
    // The skin's ButtonFace colour (the system's without skin data).
    TColor FaceColor() const;
    // The control takes the skin's face as its colour (ParentBackground off); the old one is
    // kept, and RestoreColor gives both back.
    void ApplyFaceColor();
    void RestoreColor();
    // A colour of the skin's table (its default without skin data).
    TColor SkinColor(int Index) const;

    BYTE FMouseFlags = 0;
    TCanvas* FCanvas = nullptr;  // the TSkinForm's work canvas; not owned
    bool FEnabled = false;
    bool FFocused = false;
    std::wstring FText;
    TWindowSubclass FSubclass;  // handle mode
    bool FActive = true;
    bool FUnicode = false;
    TSkinData* FSkinData = nullptr;
    HWND FHandle = nullptr;
    TWndMethod FOldWindowProc;  // control mode
    TControl* FControl = nullptr;
    TControl* FGraphicControl = nullptr;
    bool FSetColor = false;
    TColor FOldColor = 0;
    bool FAttached = false;
    int FState = stCreated;
    TSkinForm* FSkinForm = nullptr;
    int FMode = 0;
    bool FParentBackgroundOff = false;
    TRect FWindowRect;  // the window rectangle of the last paint from a message

private:
    TBusyCount FBusy;
    // The message BeforeProc is filtering, and whether it was passed on from inside.
    TMessage* FFiltering = nullptr;
    bool FFilteredPassed = false;
};

// The window's style has WS_POPUP, or its parent is the desktop.
bool IsPopupWindow(HWND Wnd);

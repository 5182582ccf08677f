#pragma once
// The skinned scroll-bar panel: a borderless child window laid exactly over one scroll bar of
// another window (a child of that window's parent, directly above it) and painted from the
// skin. The real scroll bar stays where it is and keeps all its behaviour: a press on the
// panel goes to it as the non-client press the system would have seen there, so the system's
// own tracking scrolls the window, and the panel repaints from the real bar's state.
//
// Its owner skin copies the code of every scroll request the covered window gets into the
// panel's hot part, so during a press the part the system works on is the one drawn pressed.
#include <windows.h>


#include "controls.h"
#include "scrollbarlayout.h"

class TSkinControl;
class TSkinData;

class TWScrollbar : public TCustomControl {
    TK_CLASS(TWScrollbar, TCustomControl)
public:
    // Which bar of the covered window: its horizontal (WS_HSCROLL) or vertical (WS_VSCROLL).
    enum : BYTE { sbHorizontal = 0, sbVertical = 1 };

    // `owner` is the owning skin; it frees the panel.
    explicit TWScrollbar(TComponent* owner);
    ~TWScrollbar() override;

    void AttachToControl(TSkinControl* skin, TWinControl* control, BYTE kind);
    void AttachToWindow(TSkinControl* skin, HWND wnd, BYTE kind);
    void HideBar();
    // Lays the panel over the bar as it is now, or hides it when the bar is not shown. A failed
    // bar query changes nothing.
    void PlaceBar(HWND target);
    // The part at a point of the panel.
    int HitTest(const TPoint& p) const;

    int HotPart() const { return FHotPart; }
    // A scroll request's code (or a part) becomes the hot part; the panel repaints.
    void SetHotPart(int part);
    bool Shown() const { return FShown; }
    bool Pressed() const { return FPressed; }
    BYTE Kind() const { return FKind; }
    HWND Target() const { return FTarget; }
    TWinControl* TargetControl() const { return FTargetControl; }
    // The covered bar's corners in the covered window's client coordinates.
    const TRect& ClientBar() const { return FClientBar; }
    int ThumbStart() const { return FThumbStart; }
    int ThumbEnd() const { return FThumbEnd; }

protected:
    void CreateParams(TCreateParams& p) override;
    void Dispatch(TMessage& m) override;
    void Paint() override;

private:
    void Attach(TSkinControl* skin, HWND wnd, BYTE kind);
    bool BarInfo(SCROLLBARINFO& info) const;
    // The panel's window, made on first use; false while there is no parent window to hold it.
    bool EnsureWindow();
    void MouseMoved(const TMessage& m);
    // Hands the press to the real bar; true once the system's tracking of it has ended.
    bool ButtonDown(const TMessage& m);
    void ButtonUp(const TMessage& m);
    void TrackThumb();
    bool Vertical() const { return FKind == sbVertical; }
    UINT HitCode() const { return Vertical() ? HTVSCROLL : HTHSCROLL; }

    int FBarLength = 0;
    int FThumbStart = 0, FThumbEnd = 0;
    POINT FBarOrigin{};
    POINT FPressCursor{};
    int FPressThumbStart = 0;
    bool FPressed = false;
    int FHotPart = ScrollPart::None;
    int FButtonSize = 0;
    HWND FTarget = nullptr;
    TWinControl* FTargetControl = nullptr;
    TSkinControl* FOwnerSkin = nullptr;
    BYTE FKind = sbHorizontal;
    TRect FClientBar;
    bool FShown = false;
};

// The two panels of a window's scroll bars, as the scroll-bar skins keep them.
class TScrollBarPair {
public:
    TWScrollbar* Horz() const { return FHorz; }
    TWScrollbar* Vert() const { return FVert; }
    // Both panels, owned by the skin, over the control's or the window's bars.
    void AttachToControl(TSkinControl* skin, TWinControl* control);
    void AttachToWindow(TSkinControl* skin, HWND wnd);
    void PlaceBoth(HWND target) const;
    void HideBoth() const;
    void SetEnabled(bool enabled) const;
    // Shown panels repaint; a hidden one is laid again when the window's style has its bar.
    void Revalidate(HWND target) const;
    void InvalidateShown() const;
    // WM_HSCROLL and WM_VSCROLL: the request code becomes the bar's hot part.
    void ScrollRequest(const TMessage& m) const;
    // With both bars shown, the square between them (client coordinates moved by the offsets)
    // filled with the colour.
    void FillCorner(HDC dc, TColor color, int leftTopOffset, int rightBottomOffset) const;
    void Free();

private:
    TWScrollbar* FHorz = nullptr;
    TWScrollbar* FVert = nullptr;
};

// The shape of the bar the system reports, for the skin's strip of pieces; `extent` is the
// length of the surface it is drawn on.
TScrollBarShape ScrollBarShapeOf(const SCROLLBARINFO& info, bool vertical, int buttonSize, TSkinData* data,
                                 int extent);

// The skinned picture of a scroll bar (the shape's size) drawn at (x, y) of the DC, from the
// skin's scroll-bar objects; nothing without the strip of pieces.
void DrawSkinScrollBar(HDC dc, int x, int y, TSkinData* data, const TScrollBarShape& shape, int hotPart,
                       bool pressed);

#pragma once
// TGradientButton (unit GradientButton): a windowed push button that paints itself completely.
// A face in one of four colour sets (normal, hot, down, disabled), an optional vertical
// two-colour gradient, a border, optional 3-D lines, an optional glyph beside the caption and a
// focus rectangle; twelve built-in colour schemes; an optional sound when the mouse enters.
//
// A module that places the button links the `gradientbutton` library, which brings the four
// hover sounds (WAVE resources 1 to 4) into that module's resources (see CMakeLists.txt). The
// class registers itself for form files when the module starts; RegisterGradientButton() does
// it again for a module that meets the class only in form files.
#include <memory>

#include "buttons.h"
#include "colorschemes.h"
#include "forms.h"

// The hover sounds: WAVE resources 1 to 4 in order.
enum TSoundScheme { ssPistol, ssGame, ssFire, ssHealth };
extern const TEnumInfo SoundSchemeInfo;

// Where a button of w x h puts its glyph (top-left corner) and its caption's rectangle.
struct TGlyphPlacement {
    TPoint Glyph;
    TRect Text;
};
// text: the caption's extent ({0, 0} for no caption); glyph: the glyph's size ({0, 0} for none).
// A pressed button shows both one pixel down and to the right.
TGlyphPlacement PlaceGlyphAndCaption(int w, int h, SIZE text, SIZE glyph, TButtonLayout layout, int spacing,
                                     bool down);

class TGradientButton : public TCustomControl {
    TK_CLASS(TGradientButton, TCustomControl)
public:
    explicit TGradientButton(TComponent* owner);
    ~TGradientButton() override;

    // The 25 colours by index (ButtonColorIndex, FocusRectColorIndex). Setting one makes the
    // scheme csCustom. An index outside 0..24 raises EInvalidOperation.
    TColor Colors(int index) const;
    void SetColor(int index, TColor value);
    using TCustomControl::SetColor;  // the control's own background colour

    // A built-in scheme sets its colours and the gradient; csCustom changes nothing.
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme v);
    TK_PROPERTY(bool, Gradient, Invalidate());
    TK_PROPERTY(bool, Ctl3D, Invalidate());
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v);
    // Owned; setting copies the bitmap (null empties it).
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v);
    TK_PROPERTY(int, Spacing, Invalidate());
    // The glyph's top-left pixel colour shows the face through.
    TK_PROPERTY(bool, TransparentGlyph, Invalidate());

    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool v) { FHotTrack = v; }
    // Escape clicks a cancel button.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    // Return clicks a default button, while it is enabled and visible.
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool UseSound() const { return FUseSound; }
    void SetUseSound(bool v) { FUseSound = v; }
    TSoundScheme Sound() const { return FSound; }
    void SetSound(TSoundScheme v) { FSound = v; }
    // Written into the parent form's ModalResult before OnClick.
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }

    void Click() override;
    // Plays one of the four sounds from this module's resources, without waiting; a value
    // outside the four plays nothing.
    virtual void PlaySchemeSound(TSoundScheme sound);

    // Composes the button as it looks now off-screen and copies it to `canvas` at (0, 0).
    void PaintTo(TCanvas* canvas);
    // Fills rect with horizontal lines from `from` (top row) to `to` (row rect.bottom).
    static void GradientFill(TCanvas* canvas, const TRect& rect, TColor from, TColor to);

protected:
    void CreateParams(TCreateParams& p) override;
    void Paint() override;
    void Dispatch(TMessage& m) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    enum TDrawState { dsNormal, dsHot, dsDown };

    const TColor* CurrentColors() const;
    void DrawCaptionAndGlyph(TCanvas* c, const TColor* set);
    void DrawFrame(TCanvas* c, const TColor* set);
    void MouseEntered();
    void KeyPressed(WORD key);
    void KeyReleased(WORD key);
    void DialogKey(TMessage& m);
    void DialogChar(TMessage& m);

    TColor FColors[GradientColorCount] = {};
    TColorScheme FColorScheme = csNeoDesert;
    bool FCtl3D = true;
    TButtonLayout FLayout = blGlyphLeft;
    std::unique_ptr<TBitmap> FGlyph;
    int FSpacing = 4;
    bool FTransparentGlyph = true;
    bool FGradient = false;
    bool FHotTrack = true;
    bool FCancel = false;
    bool FDefault = false;
    bool FUseSound = false;
    TSoundScheme FSound = ssPistol;
    TModalResult FModalResult = mrNone;

    bool FFocused = false;  // between WM_SETFOCUS and WM_KILLFOCUS
    bool FHeld = false;     // the left button went down here and has not come up
    TDrawState FState = dsNormal;
};

// Makes TGradientButton known to form files (again; it is harmless).
void RegisterGradientButton();

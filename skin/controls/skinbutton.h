#pragma once
// Push buttons painted from the skin's Buttons strip: TSkinButton for plain buttons (toolkit
// buttons and native "button" windows), TSkinBitButton for buttons with a glyph or an image-list
// picture beside the caption (or a picture held in a named property), TSkinMenuButton for
// buttons with a drop-down arrow. Each composes the whole button off screen and copies it once.
//
// The skin takes the press: the standard procedure never sees the button go down, so it never
// captures the mouse, and the click is made on release over the button (the control's Click,
// or WM_COMMAND to the parent for a window known by handle). A release elsewhere is no click.
// The space key keeps the standard click; the skin only shows it pressed.
#include "buttonlayout.h"
#include "skincontrol.h"

class TDataSkinButton;
class TGraphic;

// The caption colours the skin's Buttons object gives (none without the object).
TButtonColours ButtonColoursOf(const TDataSkinButton* Buttons);

class TSkinButton : public TSkinControl {
    TK_CLASS(TSkinButton, TSkinControl)
public:
    explicit TSkinButton(TComponent* AOwner);

    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

    // The button's background is its parent's picture (OverParentPicture).
    bool Transparent() const { return FTransparent; }

protected:
    // The Buttons object when it has a picture; null otherwise (nothing is drawn).
    TDataSkinObject* ButtonsObject() const;
    // FFocused, FEnabled and FText read again; true when the control's "Default" is true.
    bool ReadButton();
    int PressedHot(bool focusedOrDefault) const;
    // The off-screen picture at the button's size, with background and skin frame; its DC.
    HDC BeginPicture(const TRect& R, int State);
    // The picture copied to the window's DC at R.
    void EndPicture(HDC DC, const TRect& R);
    // The caption's font selected into the picture's DC (its own, or the window's), and the
    // colour the caption starts from.
    TColor SelectCaptionFont(HDC dc);
    TColor CaptionColor(int State, TColor base, bool normalInFrame1Only) const;
    // The caption's size as DrawText lays it out word-wrapped in Box; (0, 0) for no caption.
    TPixSize MeasureCaption(HDC dc, const TPixRect& Box) const;
    // The caption, its first "||" a line break, in R: Alignment 1 centred, else full width.
    void DrawButtonText(HDC dc, const TRect& R, UINT Alignment);
    void DrawFocus(HDC dc, const TRect& textRect) const;
    // The click of a release over the button.
    void ClickButton();

    TBitmap FBitmap;
    bool FTransparent = false;
};

class TSkinBitButton : public TSkinButton {
    TK_CLASS(TSkinBitButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;

    void DrawControl(HDC DC, const TRect& R) override;
    // Cell Index of NumGlyphs of the glyph strip (the disabled cell of a one-cell strip is
    // made), drawn with its bottom-left colour transparent at R's top-left.
    static void DrawGlyph(TCanvas* Canvas, const TRect& R, int NumGlyphs, int Index, TBitmap* Glyph);
    // The button whose picture is the control's property named by PictureProp.
    void DrawPictureButton(HDC DC, const TRect& R);

    // Set before attaching; not empty, the picture comes from that object property.
    const String& PictureProp() const { return FPictureProp; }
    void SetPictureProp(const String& v) { FPictureProp = v; }

private:
    void DrawGlyphButton(HDC DC, const TRect& R, bool picturePath);

    String FPictureProp;
};

class TSkinMenuButton : public TSkinButton {
    TK_CLASS(TSkinMenuButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;

    void DrawControl(HDC DC, const TRect& R) override;
};

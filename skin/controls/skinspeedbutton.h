#pragma once
// Speed buttons: windowless buttons painted by their parent. Having no window, the skin sits in
// the button's WindowProc (InitSpeedButton) and paints on the button's canvas, or, when the
// parent paints, into the parent's paint DC. The button keeps its own press handling (down
// state, capture, click); the skin only follows it to show the skin's frames: 2 down or
// pressed, 3 disabled, 4 hot, 1 otherwise, and a flat button shows the bare background in
// frames 1 and 3.
//
// With a picture property set (SetSpeedPictureProp, before attaching) the picture held in that
// property of the button is drawn whole in place of the glyph strip, the same in every state.
//
// A drawing never nests: a drawing that starts while one is under way (through the parent's
// painting of a transparent button, or a property read that repaints) does nothing, and leaves
// the canvas the outer one draws on as it is.
#include "skinbutton.h"

class TSkinSpeedButton : public TSkinBitButton {
    TK_CLASS(TSkinSpeedButton, TSkinBitButton)
public:
    explicit TSkinSpeedButton(TComponent* AOwner);

    // Attaches to the button that owns the skin; a second call changes nothing.
    void InitSpeedButton(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas);
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    // The button onto its own canvas (the DC is not used).
    void PaintControl(HDC DC) override;
    // WM_PAINT: the button into the parent's paint DC in WParam; the message is answered 1.
    void PaintSpeedButtonMessage(TMessage& Message);
    void DrawSpeedButton(TCanvas* Canvas, const TRect& R);
    void DrawPictureSpeedButton(TCanvas* Canvas, const TRect& R);

    // The name of the button's object property that holds its picture; empty for the glyph.
    const String& SpeedPictureProp() const { return FSpeedPictureProp; }
    void SetSpeedPictureProp(const String& v) { FSpeedPictureProp = v; }
    bool Painting() const { return FPainting; }

private:
    void DrawButton(TCanvas* Canvas, const TRect& R, bool picturePath);
    // The button's WindowProc given back (the button is going).
    void Unhook();

    bool FPainting = false;
    String FSpeedPictureProp;
};

#pragma once
// Check boxes and radio buttons of other control families that take their pictures through
// published properties: the skin builds a glyph strip from the skin's check or radio picture
// (objimagelayout.h says which frame fills which slot) and hands it to the control by name.
// It stays out of the control's message path.
//
//   kind 1  check box: the bitmap "CustomGlyphs", "transparentcolor", "UseCustomGlyphs"
//   kind 2  radio button: the same properties
//   kind 3  check box: the bitmap "Glyph" of the object "Properties"
//
// A control that lacks a property is left unchanged, without a message.
#include "skincontrol.h"

class TSkinObjImage : public TSkinControl {
    TK_CLASS(TSkinObjImage, TSkinControl)
public:
    explicit TSkinObjImage(TComponent* AOwner);

    // Set before attaching (TObjImageKind 1 to 3).
    int Kind() const { return FKind; }
    void SetKind(int v) { FKind = v; }

    // Records the skin and hands the glyphs over; the control's WindowProc stays its own.
    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    // Kinds 1 and 2 switch the custom glyphs off; kind 3 clears the glyph.
    void Unskin() override;
    // The glyphs of the new skin.
    void SkinChanged() override;

private:
    void ApplyGlyphs();

    int FKind = 0;
};

#pragma once
// Buttons beyond the standard BUTTON window: the glyph layout they share, and TSpeedButton, a
// windowless button painted by its parent with an optional glyph strip (up, disabled, pressed,
// down), flat or raised, standing alone or one of a group of which one is down.
#include "controls.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
extern const TEnumInfo ButtonLayoutInfo;

class TSpeedButton : public TGraphicControl {
    TK_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);

    // A button of a group (GroupIndex not 0) stays down after its click and puts the group's
    // other buttons up; a click on the down one puts it up only with AllowAllUp.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v) { FAllowAllUp = v; }
    bool Down() const { return FDown; }
    void SetDown(bool v);
    // A flat button shows its face only while the mouse is over it or it is pressed or down.
    TK_PROPERTY(bool, Flat, Invalidate());
    // NumGlyphs cells side by side: up, disabled, pressed, down (a missing cell shows the first).
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v) { FGlyph->Assign(v); }
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    TK_PROPERTY(TButtonLayout, Layout, Invalidate());
    // Pixels from the edge to the glyph (-1: glyph and caption centred together), and between
    // glyph and caption.
    TK_PROPERTY(int, Margin, Invalidate());
    TK_PROPERTY(int, Spacing, Invalidate());

    void Click() override;

protected:
    void Paint() override;
    void Dispatch(TMessage& m) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void GlyphChanged(TObject* sender);
    // The other buttons of the group on the same parent go up.
    void UpdateExclusive();

    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FDown = false;
    bool FFlat = false;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    bool FPressed = false;   // the left button went down on it and is held
    bool FMouseIn = false;   // the mouse is over it
};

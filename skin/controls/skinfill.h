#pragma once
// Small control skins that give windows the skin's face colour, the skin for tab controls drawn
// as buttons, and the embossed grey picture of a disabled glyph.
#include <memory>

#include "skincontrol.h"

// A size grip: painted over with the face colour.
class TSkinSizer : public TSkinControl {
    TK_CLASS(TSkinSizer, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void DrawControl(HDC DC, const TRect& R) override;
};

// A page of a page control: the face colour under its windowless children. A page whose
// ParentBackground was switched off on attach (mode 1) keeps its own painting and erasing.
class TSkinTabSheet : public TSkinControl {
    TK_CLASS(TSkinTabSheet, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;
};

// A dialog box or other window known by handle: erased with the face colour; its static
// controls get the face brush.
class TSkinBoxH : public TSkinControl {
    TK_CLASS(TSkinBoxH, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    bool BeforeProc(TMessage& Message) override;
};

// A tab control whose tabs are buttons: each tab a frame of the skin's Buttons strip, the
// focused one pressed.
class TSkinTabBtn : public TSkinControl {
    TK_CLASS(TSkinTabBtn, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

private:
    void DrawTab(TCanvas& canvas, int index, int focused, HIMAGELIST images);
};

// A new bitmap of the glyph's size, face-coloured, with the glyph's ink (every pixel but its
// background) embossed in highlight and shadow; the caller owns it.
std::unique_ptr<TBitmap> MakeDisabledGlyph(TBitmap* Glyph);

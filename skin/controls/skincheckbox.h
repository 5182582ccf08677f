#pragma once
// Check boxes and radio buttons painted with the glyph strips of the skin's Buttons section.
//
// Full mode (FMode 1: control mode with a glyph strip): the skin paints the whole control
// (background, glyph, caption) and the control's own painting never runs. Glyph mode (FMode 0:
// handle mode, or no strip): the window paints itself the standard way and the skin paints
// only its glyph over it afterwards.
#include "skincontrol.h"

class TDataSkinButton;

// What check boxes and radio buttons share.
class TSkinChoiceButton : public TSkinControl {
    TK_CLASS(TSkinChoiceButton, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

    // The parent's picture behind the control (OverParentPicture).
    bool Transparent() const { return FTransparent; }

protected:
    // The glyph strip and its frame count (at least 1); null without one.
    virtual TBitmap* Strip(int& frames) const = 0;
    virtual int GlyphState(int frames) const = 0;
    virtual bool Radio() const = 0;

    bool FTransparent = false;

private:
    void DrawCaption(HDC dc, const TRect& textBox, UINT flags);
};

class TSkinCheckBox : public TSkinChoiceButton {
    TK_CLASS(TSkinCheckBox, TSkinChoiceButton)
public:
    using TSkinChoiceButton::TSkinChoiceButton;

    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    void AfterProc(TMessage& Message) override;
    // The last BM_SETCHECK's WParam + 1 (0 before any).
    int CheckState() const { return FCheckState; }

protected:
    TBitmap* Strip(int& frames) const override;
    int GlyphState(int frames) const override;
    bool Radio() const override { return false; }

private:
    int FCheckState = 0;
};

class TSkinRadioButton : public TSkinChoiceButton {
    TK_CLASS(TSkinRadioButton, TSkinChoiceButton)
public:
    using TSkinChoiceButton::TSkinChoiceButton;

protected:
    TBitmap* Strip(int& frames) const override;
    int GlyphState(int frames) const override;
    bool Radio() const override { return true; }
};

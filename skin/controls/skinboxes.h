#pragma once
// The skins of bars and boxes:
//   TSkinStatusBar  repaints a status bar: the face in the skin's ButtonFace colour, each
//                   panel's edge from the StatusBarEdges picture (or a plain 3-D edge), the
//                   panel texts, the size grip (frame 5 of ExtraImages); owner-drawn panels
//                   still reach OnDrawPanel.
//   TSkinGroupBox   repaints a group box: a rounded one-pixel frame in ButtonShadow and the
//                   caption on ButtonFace.
//   TSkinBox        only gives a panel or container the skin's ButtonFace colour; it stays out
//                   of the control's messages.
#include "skincontrol.h"

class TCustomStatusBar;

class TSkinStatusBar : public TSkinControl {
    TK_CLASS(TSkinStatusBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

private:
    // The scratch picture copied to R.
    void CopyScratch(HDC DC, const TRect& R);
    // States: 1 lowered, 2 raised, 3 no bevel.
    void DrawPanelSkin(HDC DC, const TRect& Q, int State);
    void DrawPanelEdge(TCanvas* Canvas, const TRect& Q, int State);
    void DrawEdge(TCanvas* Canvas, const TRect& Q, int State);
    void DrawSimple(TCustomStatusBar* Bar, TCanvas* Canvas, const TRect& R);
    void DrawPanels(TCustomStatusBar* Bar, TCanvas* Canvas, const TRect& R);
    void DrawGrip(HDC DC, const TRect& R);
    // OnDrawPanel of every panel the bar shows, on the DC.
    void DrawOwnerPanels(TCustomStatusBar* Bar, HDC DC);
};

class TSkinGroupBox : public TSkinControl {
    TK_CLASS(TSkinGroupBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    // A toolkit group box is painted by the skin alone (mode 1); a native one paints itself
    // and the skin paints over it (mode 0).
    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override { PaintBox(DC, R); }

private:
    void PaintBox(HDC DC, const TRect& R);
    static int TextHeight(HDC DC, const char* Text);
};

class TSkinBox : public TSkinControl {
    TK_CLASS(TSkinBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    // Registers with the form and sets the colour; the control's WindowProc stays its own.
    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    // Gives the colour back.
    void Unskin() override;
    void AfterProc(TMessage&) override {}
};

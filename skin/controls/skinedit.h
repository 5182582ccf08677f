#pragma once
// The edit skin: single-line and multi-line edits (and time pickers, which are edits too)
// paint themselves; the skin then draws a flat border over the edit's own (a ButtonShadow
// line with two white rings inside it), skins the spin arrows that sit inside the edit, and
// can paint the edit's client area into a DC it is handed (SKM_PAINTTODC).
#include "skincontrol.h"

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
    TK_CLASS(TSkinEdit, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinEdit() override;

    // WM_PRINT: the edit prints itself, then the border goes over it.
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

    // The skin of the spin child, once one was found (owned by our owner).
    TSkinUpDown* SpinSkin() const { return FSpinSkin; }

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    // The first child of Wnd in z-order whose class is an up-down or a spin gets an up-down
    // skin kept inside the edit's border.
    void AttachSpin(HWND Wnd, TSkinData* Data, TCanvas* Canvas);
    // WM_PRINT: the border lines into the printed DC (the window's own DC for 0).
    void PrintBorder(HDC DC);
    void DrawPrintBorder(HDC DC, const TRect& R);

    TSkinUpDown* FSpinSkin = nullptr;
};

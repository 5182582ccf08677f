#pragma once
// The date-time picker skin: a flat frame, and an arrow button painted from the skin's combo
// arrow laid over the picker's own drop-down button (a click on it is the picker's click).
#include "skincontrol.h"

class TArrowButton;

class TSkinDateTime : public TSkinControl {
    TK_CLASS(TSkinDateTime, TSkinControl)
public:
    explicit TSkinDateTime(TComponent* AOwner);

    // A second call changes nothing.
    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

    TArrowButton* ArrowButton() const { return FArrowButton; }

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    TArrowButton* FArrowButton = nullptr;
};

// A window's flat frame in R: framed in the shadow colour with a white ring inside. False, and
// nothing drawn, for a window without a border (its client area as wide or as high as R).
bool DrawFlatBorder(HDC DC, HWND Wnd, const TRect& R, TColor Shadow);

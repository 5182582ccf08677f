#pragma once
// The skin of a combo box's drop-down list: its vertical scroll bar painted from the skin
// straight into the list's frame, and a thumb drag of its own (presses on the arrows and the
// track stay the system's).
#include "skincontrol.h"

class TComboxScrollBar : public TSkinControl {
    TK_CLASS(TComboxScrollBar, TSkinControl)
public:
    explicit TComboxScrollBar(TComponent* AOwner);

    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    // The vertical bar, R being the window rectangle at the origin.
    void DrawControl(HDC DC, const TRect& R) override;

private:
    // A press on the thumb: the list is scrolled as the pointer moves until the button goes up.
    // False when the press is not on the thumb (the system takes it).
    bool DragThumb(const TMessage& Message);

    int FButtonSize = 0;
};

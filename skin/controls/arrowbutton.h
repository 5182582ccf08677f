#pragma once
// The arrow button of the date-time picker skin: a small child window of the picker over the
// picker's own drop-down button, painted from the skin's combo arrow. A click on it is handed
// to the picker as a click on its own button, and the picker gets the focus.
#include "controls.h"

class TSkinDateTime;

class TArrowButton : public TCustomControl {
    TK_CLASS(TArrowButton, TCustomControl)
public:
    // `owner` is the date-time skin.
    explicit TArrowButton(TComponent* owner);
    ~TArrowButton() override;

    void AttachToPicker(TSkinDateTime* skin, TWinControl* picker);
    // Over the button again, for the picker's window rectangle at the origin.
    void Reposition(const TRect& r);
    bool Hot() const { return (FMouseFlags & 1) != 0; }

protected:
    void Dispatch(TMessage& m) override;
    void Paint() override;

private:
    bool RightToLeft() const;
    bool PickerEnabled() const;
    void SetHot(bool on);

    int FButtonSize = 0;
    TWinControl* FPicker = nullptr;
    TSkinDateTime* FSkin = nullptr;
    HWND FPickerWnd = nullptr;
    BYTE FMouseFlags = 0;
    bool FAddedClipChildren = false;
};

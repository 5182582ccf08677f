#pragma once
// The group box: an etched frame with a caption around the controls it holds. It paints itself,
// so it is a container like a panel (mouse, colours and notifications of its children work as
// on any parent).
#include "controls.h"

class TCustomGroupBox : public TCustomControl {
    TK_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* owner);

    // Children are placed below the caption and inside the frame.
    void AdjustClientRect(TRect& r) const override;

protected:
    void CreateParams(TCreateParams& p) override;
    void Paint() override;
    void Dispatch(TMessage& m) override;
    void TextChanged() override;

private:
    int CaptionHeight() const;
};

class TGroupBox : public TCustomGroupBox {
    TK_CLASS(TGroupBox, TCustomGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};

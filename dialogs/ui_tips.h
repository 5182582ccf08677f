#pragma once
// TFTip (unit UI_Tips): the tip of UIShowTip. It opens collapsed; "More >>" (GradientButton1)
// makes the form tall enough to show the details in RichEdit1, "<< More" hides them again
// below the form's edge.
#include "comctrls.h"
#include "dialogkeys.h"

class TFTip : public TDialogForm {
    TK_CLASS(TFTip, TDialogForm)
public:
    explicit TFTip(TComponent* owner);

    // Form heights with the details shown and hidden.
    static constexpr int ExpandedHeight = 340;
    static constexpr int CollapsedHeight = 169;

    TK_COMPONENT(TGradientButton, GradientButton1);
    TK_COMPONENT(TGradientButton, GradientButton2);
    TK_COMPONENT(TRichEdit, RichEdit1);

    TK_HANDLER(GradientButton1Click, TObject* Sender);
};

#include "ui_tips.h"

namespace {
const char* const kMore = "More >>";
const char* const kLess = "<< More";
}  // namespace

TK_FORM_CLASS(TFTip)

void TFTip::GradientButton1Click(TObject*)
{
    // The caption says which way the next click goes; it is compared exactly.
    if (GradientButton1->Caption() == kMore) {
        GradientButton1->SetCaption(kLess);
        SetHeight(ExpandedHeight);
    } else {
        GradientButton1->SetCaption(kMore);
        SetHeight(CollapsedHeight);
    }
}

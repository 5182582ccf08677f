#include "ui_tips.h"

namespace {
const char* const kMore = "More >>";
const char* const kLess = "<< More";
}  // namespace

const TClassInfo& TFTip::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFTip>("TFTip", &TDialogForm::StaticClass()).Build();
    return info;
}

TFTip::TFTip(TComponent* owner) : TDialogForm(owner)
{
    InitForm();
}

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

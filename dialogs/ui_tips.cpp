#include "ui_tips.h"

namespace {
const char* const kMore = "More >>";
const char* const kLess = "<< More";
}  // namespace

const TClassInfo& TFTip::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFTip>("TFTip", &TForm::StaticClass())
                                       .Handler("GradientButton1Click", &TFTip::GradientButton1Click)
                                       .Build();
    return info;
}

TFTip::TFTip(TComponent* owner) : TForm(owner)
{
    Bind(Image1, "Image1");
    Bind(Label1, "Label1");
    Bind(Bevel1, "Bevel1");
    Bind(GradientButton1, "GradientButton1");
    Bind(GradientButton2, "GradientButton2");
    Bind(RichEdit1, "RichEdit1");
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

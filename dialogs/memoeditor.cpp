#include "memoeditor.h"

namespace memoeditor {

const TClassInfo& TForm3::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm3>("TForm3", &TForm::StaticClass()).Build();
    return info;
}

TForm3::TForm3(TComponent* owner) : TForm(owner)
{
    Bind(Panel1, "Panel1");
    Bind(Panel2, "Panel2");
    Bind(Memo1, "Memo1");
    Bind(GradientButton1, "GradientButton1");
    InitForm();
}

}  // namespace memoeditor

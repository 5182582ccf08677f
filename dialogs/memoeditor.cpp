#include "memoeditor.h"

namespace memoeditor {

const TClassInfo& TForm3::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm3>("TForm3", &TForm::StaticClass()).Build();
    return info;
}

TForm3::TForm3(TComponent* owner) : TForm(owner)
{
    InitForm();
}

}  // namespace memoeditor

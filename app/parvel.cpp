#include "parvel.h"

#include <memory>

#include "dialogs.h"

void ShowInfoDialog(const String& Msg)
{
    auto free = [](TForm* f) { f->Free(); };
    std::unique_ptr<TForm, decltype(free)> dialog(CreateMessageDialog(Msg, mtInformation, {mbOK}), free);
    dialog->SetCursor(crHandPoint);
    dialog->SetBorderStyle(bsDialog);
    dialog->Font()->SetName("Comic Sans MS");
    dialog->ShowModal();
}

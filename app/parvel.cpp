#include "parvel.h"

#include "dialogs.h"

void ShowInfoDialog(const String& Msg)
{
    TOwnedObject<TForm> dialog(CreateMessageDialog(Msg, mtInformation, {mbOK}));
    dialog->SetCursor(crHandPoint);
    dialog->SetBorderStyle(bsDialog);
    dialog->Font()->SetName("Comic Sans MS");
    dialog->ShowModal();
}

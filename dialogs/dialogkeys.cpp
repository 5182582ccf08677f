#include "dialogkeys.h"

bool AnswerReturnEscape(TMessage& m, TControl* ok, TControl* cancel)
{
    if (m.Msg != CM_DIALOGKEY || GetKeyState(VK_MENU) < 0)
        return false;
    TControl* button = m.WParam == VK_RETURN ? ok : m.WParam == VK_ESCAPE ? cancel : nullptr;
    if (!button || !button->Enabled() || !button->Visible())
        return false;
    button->Click();
    m.Result = 1;
    return true;
}

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

const TClassInfo& TDialogForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TDialogForm>("TDialogForm", &TForm::StaticClass()).Build();
    return info;
}

const TClassInfo& TMessageForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMessageForm>("TMessageForm", &TDialogForm::StaticClass()).Build();
    return info;
}

void TMessageForm::Dispatch(TMessage& m)
{
    if (m.Msg == CM_DIALOGKEY && m.WParam == VK_ESCAPE && GetKeyState(VK_MENU) >= 0) {
        SetModalResult(mrCancel);
        m.Result = 1;
        return;
    }
    TDialogForm::Dispatch(m);
}

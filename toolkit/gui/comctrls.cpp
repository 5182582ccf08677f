#include "comctrls.h"

#include <commctrl.h>

void InitCommonControlClasses()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

void RegisterCommonControls()
{
    RegisterClasses({&TMemo::StaticClass(), &TRichEdit::StaticClass(), &TComboBox::StaticClass(),
                     &TGroupBox::StaticClass(), &TPageControl::StaticClass(), &TTabSheet::StaticClass(),
                     &TStatusBar::StaticClass(), &TTrackBar::StaticClass(), &TDateTimePicker::StaticClass()});
}

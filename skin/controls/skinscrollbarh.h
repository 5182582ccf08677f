#pragma once
// The scroll-bar skin of a window known only by its handle (a list box, a simple combo box's
// list, a window of another module): two skinned panels over the window's own scroll bars.
#include "skinscrollbar.h"

class TSkinScrollbarH : public TSkinScrollbarBase {
    TK_CLASS(TSkinScrollbarH, TSkinScrollbarBase)
public:
    explicit TSkinScrollbarH(TComponent* AOwner);

    // A second call changes nothing.
    void InitHandle(HWND Wnd, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;
};

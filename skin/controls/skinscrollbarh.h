#pragma once
// The scroll-bar skin of a window known only by its handle (a list box, a simple combo box's
// list, a window of another module): two skinned panels over the window's own scroll bars.
#include "skincontrol.h"
#include "wscrollbar.h"

class TSkinScrollbarH : public TSkinControl {
    TK_CLASS(TSkinScrollbarH, TSkinControl)
public:
    explicit TSkinScrollbarH(TComponent* AOwner);
    ~TSkinScrollbarH() override;
    void BeforeDestruction() override;

    // A second call changes nothing.
    void InitHandle(HWND Wnd, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas) override;
    void Unskin() override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

    TWScrollbar* HorzBar() const { return FBars.Horz(); }
    TWScrollbar* VertBar() const { return FBars.Vert(); }

private:
    TScrollBarPair FBars;
};

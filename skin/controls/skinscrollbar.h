#pragma once
// The scroll-bar skin of a scrolling toolkit control (memos, rich edits, grids, lists): two
// skinned panels over the control's own scroll bars, kept in place as the control moves,
// scrolls, shows and hides, and a flat border painted over the control's own.
#include "skincontrol.h"
#include "wscrollbar.h"

// What both scroll-bar skins (this one and that of a window known by its handle) share: the two
// panels over the window's bars, owned by the skin, freed with it or when it unskins a window
// that is still there.
class TSkinScrollbarBase : public TSkinControl {
    TK_CLASS(TSkinScrollbarBase, TSkinControl)
public:
    explicit TSkinScrollbarBase(TComponent* AOwner);
    ~TSkinScrollbarBase() override;
    void BeforeDestruction() override;
    void Unskin() override;

    TWScrollbar* HorzBar() const { return FBars.Horz(); }
    TWScrollbar* VertBar() const { return FBars.Vert(); }

protected:
    TScrollBarPair FBars;
};

class TSkinScrollbar : public TSkinScrollbarBase {
    TK_CLASS(TSkinScrollbar, TSkinScrollbarBase)
public:
    explicit TSkinScrollbar(TComponent* AOwner);

    // The attachment of the scroll-bar skins: the control's WindowProc is taken over and the
    // panels are laid over its bars. A second call changes nothing.
    virtual void InitScrollbars(TWinControl* Control, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas);
    void Unskin() override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;
    void SkinChanged() override;

    // The flat border is painted over the control's own.
    bool OwnBorder() const { return FOwnBorder; }

protected:
    // The window rectangle framed in the shadow colour, with the face colour inside it.
    void DrawBorder(HDC DC) const;

    bool FOwnBorder = true;

private:
    // The control's "FixedColor" takes the face colour; the first one is given back at Unskin.
    void ApplyFixedColor();

    bool FFixedColorSaved = false;
    int FSavedFixedColor = 0;
};

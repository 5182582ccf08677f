#pragma once
// The parts of a skinned frame that react to the mouse: caption buttons (and, later, menu-bar
// buttons). Each knows its window-relative rectangle, whether it shows, its state and whether
// it is enabled. Exactly one object per window is hot; the window holds it.
#include "object.h"
#include "types.h"

class TSkinForm;
class TDataSkinSysButton;

class TNCObject : public TObject {
    TK_CLASS(TNCObject, TObject)
public:
    enum : int { nsNormal = 1, nsPressed = 2, nsHot = 3 };

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseMove();
    virtual void MouseLeave();
    virtual void Paint() {}

    TSkinForm* Form = nullptr;  // not owned
    TRect Rect;                 // relative to the window's top-left corner
    bool Visible = true;
    int State = nsNormal;
    bool Enabled = true;

private:
    // The form's hot object, when it is another one, leaves first.
    void LeaveOther();
};

// A caption button: shows one caption-button skin object of the window's skin data.
class TWinSysButton : public TNCObject {
    TK_CLASS(TWinSysButton, TNCObject)
public:
    TDataSkinSysButton* SkinObject = nullptr;  // owned by the skin data
};

#pragma once
// The parts of a skinned frame that react to the mouse: the caption buttons and the buttons of
// the skinned menu bar. Each knows its window-relative rectangle, whether it shows, its state
// and whether it is enabled, and repaints itself when its state changes. Exactly one object of
// a window is hot; the window holds it.
#include <windows.h>

#include <string>

#include "framelayout.h"
#include "object.h"
#include "types.h"

class TSkinForm;
class TSkinData;
class TDataSkinSysButton;
class TMenuItem;

class TNCObject : public TObject {
    TK_CLASS(TNCObject, TObject)
public:
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
};

// A caption button: shows one caption-button object of the window's skin. The object is looked
// up by its place in the skin's list at every use, since each load of a skin makes new ones.
class TWinSysButton : public TNCObject {
    TK_CLASS(TWinSysButton, TNCObject)
public:
    void Paint() override;

    // The skin object, or null when the skin loaded since has fewer caption buttons.
    TDataSkinSysButton* SkinObject() const;
    int Action() const;  // -1 without a skin object

    int Index = -1;  // in the skin's caption-button list
};

// A button of the skinned menu bar: one top-level item of the window's menu.
class TMenuBtn : public TNCObject {
    TK_CLASS(TMenuBtn, TNCObject)
public:
    void Paint() override;

    int Index = -1;            // in the menu bar
    std::wstring Caption;
    HMENU SubMenu = nullptr;
    UINT Command = 0;
    TMenuItem* Item = nullptr;  // the toolkit's item, or null for a window without a form
    TSkinData* SkinData = nullptr;
};

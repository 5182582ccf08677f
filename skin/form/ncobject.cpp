// The caption and menu-bar objects: their state changes and their painting through the window.
#include "ncobject.h"

#include "skindata.h"
#include "skinform.h"

const TClassInfo& TNCObject::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TNCObject>("TNCObject", &TObject::StaticClass()).Build();
    return info;
}

const TClassInfo& TWinSysButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWinSysButton>("TWinSysButton", &TNCObject::StaticClass()).Build();
    return info;
}

const TClassInfo& TMenuBtn::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMenuBtn>("TMenuBtn", &TNCObject::StaticClass()).Build();
    return info;
}

void TNCObject::MouseDown() { TNCTransitions::MouseDown<TNCObject>(*this, Form); }
void TNCObject::MouseUp() { TNCTransitions::MouseUp(*this); }
void TNCObject::MouseMove() { TNCTransitions::MouseMove<TNCObject>(*this, Form); }
void TNCObject::MouseLeave() { TNCTransitions::MouseLeave<TNCObject>(*this, Form); }

TDataSkinSysButton* TWinSysButton::SkinObject() const
{
    TSkinData* data = Form ? Form->SkinData() : nullptr;
    if (!data || Index < 0 || static_cast<size_t>(Index) >= data->FSysButtons.size())
        return nullptr;
    return data->FSysButtons[static_cast<size_t>(Index)].get();
}

int TWinSysButton::Action() const
{
    const TDataSkinSysButton* o = SkinObject();
    return o ? o->Action : -1;
}

void TWinSysButton::Paint()
{
    if (Form)
        Form->PaintCaptionButton(*this, State);
}

void TMenuBtn::Paint()
{
    if (Form)
        Form->PaintMenuButton(*this);
}

#pragma once
// An action: a command that menu items and controls are linked to. Whoever is about to show a
// linked item asks the action to bring itself up to date first (its OnUpdate handler sets
// what it needs: the item's caption, whether it is enabled).
#include "component.h"

class TBasicAction : public TComponent {
    TK_CLASS(TBasicAction, TComponent)
public:
    explicit TBasicAction(TComponent* owner) : TComponent(owner) {}

    // Fires OnUpdate; false when there is no handler.
    virtual bool Update();

    TNotifyEvent OnUpdate;
};

#include "actions.h"

const TClassInfo& TBasicAction::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TBasicAction>("TBasicAction", &TComponent::StaticClass())
                                       .Event("OnUpdate", &TBasicAction::OnUpdate)
                                       .Build();
    return info;
}

bool TBasicAction::Update()
{
    if (!OnUpdate)
        return false;
    OnUpdate(this);
    return true;
}

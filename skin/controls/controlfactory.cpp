// The rows of the control-skin table: one case per kind that has a class.
#include "controlfactory.h"

#include "skincontrol.h"

TSkinControl* NewControlSkin(TSkinKind kind, TComponent* owner)
{
    switch (kind) {
    default:
        return nullptr;
    }
}

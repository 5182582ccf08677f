#pragma once
// The one table from a kind of control skin to the class that makes it. The dispatch decides
// which kind a control or a native window gets; this table creates the skin object. A family
// joins by adding its row (and its include) in controlfactory.cpp.
#include "classes.h"
#include "skinkind.h"

class TSkinControl;

// A new skin of the kind, owned by `owner` (the control in control mode, the skinned form in
// handle mode) and not attached yet; null for a value that is no kind.
TSkinControl* NewControlSkin(TSkinKind kind, TComponent* owner);

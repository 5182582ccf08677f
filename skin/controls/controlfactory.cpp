// The rows of the control-skin table: one case per kind that has a class.
#include "controlfactory.h"

#include "skincombox.h"
#include "skincontrol.h"
#include "skindatetime.h"
#include "skinlistview.h"
#include "skinscrollbar.h"

TSkinControl* NewControlSkin(TSkinKind kind, TComponent* owner)
{
    switch (kind) {
    case TSkinKind::Scrollbar: return new TSkinScrollbar(owner);
    case TSkinKind::ListView: return new TSkinListView(owner);
    case TSkinKind::ComboBox: return new TSkinComBox(owner);
    case TSkinKind::DateTime: return new TSkinDateTime(owner);
    default:
        return nullptr;
    }
}

// The rows of the control-skin table: one case per kind that has a class.
#include "controlfactory.h"

#include "skinboxes.h"
#include "skincontrol.h"
#include "skinedit.h"
#include "skinrange.h"
#include "skintab.h"

TSkinControl* NewControlSkin(TSkinKind kind, TComponent* owner)
{
    switch (kind) {
    case TSkinKind::Tab: return new TSkinTab(owner);
    case TSkinKind::Tab31: return new TSkinTab31(owner);
    case TSkinKind::StatusBar: return new TSkinStatusBar(owner);
    case TSkinKind::GroupBox: return new TSkinGroupBox(owner);
    case TSkinKind::Box: return new TSkinBox(owner);
    case TSkinKind::TrackBar: return new TSkinTrackBar(owner);
    case TSkinKind::UpDown: return new TSkinUpDown(owner);
    case TSkinKind::Progress: return new TSkinProgress(owner);
    case TSkinKind::Edit: return new TSkinEdit(owner);
    default:
        return nullptr;
    }
}

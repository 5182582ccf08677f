// The rows of the control-skin table: one case per kind that has a class.
#include "controlfactory.h"

#include "skinadvpage.h"
#include "skincontrol.h"
#include "skinmediaplayer.h"
#include "skinobjimage.h"

TSkinControl* NewControlSkin(TSkinKind kind, TComponent* owner)
{
    switch (kind) {
    case TSkinKind::MediaPlayer: return new TSkinMP(owner);
    case TSkinKind::ObjImage: return new TSkinObjImage(owner);
    case TSkinKind::AdvPage: return new TSkinAdvPage(owner);
    default:
        return nullptr;
    }
}

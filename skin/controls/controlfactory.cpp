// The rows of the control-skin table: one case per kind that has a class.
#include "controlfactory.h"

#include "skinadvpage.h"
#include "skinbutton.h"
#include "skincheckbox.h"
#include "skincontrol.h"
#include "skinfill.h"
#include "skinmediaplayer.h"
#include "skinobjimage.h"
#include "skinspeedbutton.h"

TSkinControl* NewControlSkin(TSkinKind kind, TComponent* owner)
{
    switch (kind) {
    case TSkinKind::Button: return new TSkinButton(owner);
    case TSkinKind::BitButton: return new TSkinBitButton(owner);
    case TSkinKind::MenuButton: return new TSkinMenuButton(owner);
    case TSkinKind::SpeedButton: return new TSkinSpeedButton(owner);
    case TSkinKind::MediaPlayer: return new TSkinMP(owner);
    case TSkinKind::CheckBox: return new TSkinCheckBox(owner);
    case TSkinKind::RadioButton: return new TSkinRadioButton(owner);
    case TSkinKind::TabBtn: return new TSkinTabBtn(owner);
    case TSkinKind::TabSheet: return new TSkinTabSheet(owner);
    case TSkinKind::Sizer: return new TSkinSizer(owner);
    case TSkinKind::BoxH: return new TSkinBoxH(owner);
    case TSkinKind::ObjImage: return new TSkinObjImage(owner);
    case TSkinKind::AdvPage: return new TSkinAdvPage(owner);
    default:
        return nullptr;
    }
}

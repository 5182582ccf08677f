// The rows of the control-skin table: one case per kind that has a class.
#include "controlfactory.h"

#include "skinbutton.h"
#include "skincheckbox.h"
#include "skincontrol.h"
#include "skinfill.h"

TSkinControl* NewControlSkin(TSkinKind kind, TComponent* owner)
{
    switch (kind) {
    case TSkinKind::Button: return new TSkinButton(owner);
    case TSkinKind::BitButton: return new TSkinBitButton(owner);
    case TSkinKind::MenuButton: return new TSkinMenuButton(owner);
    case TSkinKind::CheckBox: return new TSkinCheckBox(owner);
    case TSkinKind::RadioButton: return new TSkinRadioButton(owner);
    case TSkinKind::TabBtn: return new TSkinTabBtn(owner);
    case TSkinKind::TabSheet: return new TSkinTabSheet(owner);
    case TSkinKind::Sizer: return new TSkinSizer(owner);
    case TSkinKind::BoxH: return new TSkinBoxH(owner);
    default:
        return nullptr;
    }
}

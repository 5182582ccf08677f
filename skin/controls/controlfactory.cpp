// The rows of the control-skin table: one case per kind that has a class.
#include "controlfactory.h"

#include "skinbutton.h"
#include "skincheckbox.h"
#include "skincombox.h"
#include "skincontrol.h"
#include "skindatetime.h"
#include "skinfill.h"
#include "skinlistview.h"
#include "skinscrollbar.h"

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
    case TSkinKind::Scrollbar: return new TSkinScrollbar(owner);
    case TSkinKind::ListView: return new TSkinListView(owner);
    case TSkinKind::ComboBox: return new TSkinComBox(owner);
    case TSkinKind::DateTime: return new TSkinDateTime(owner);
    default:
        return nullptr;
    }
}

// The rows of the control-skin table: one case per kind.
#include "controlfactory.h"

#include "skinadvpage.h"
#include "skinboxes.h"
#include "skinbutton.h"
#include "skincheckbox.h"
#include "skincombox.h"
#include "skincontrol.h"
#include "skindatetime.h"
#include "skinedit.h"
#include "skinfill.h"
#include "skinlistview.h"
#include "skinmediaplayer.h"
#include "skinobjimage.h"
#include "skinrange.h"
#include "skinscrollbar.h"
#include "skinspeedbutton.h"
#include "skintab.h"

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
    case TSkinKind::Tab: return new TSkinTab(owner);
    case TSkinKind::Tab31: return new TSkinTab31(owner);
    case TSkinKind::TabBtn: return new TSkinTabBtn(owner);
    case TSkinKind::TabSheet: return new TSkinTabSheet(owner);
    case TSkinKind::Sizer: return new TSkinSizer(owner);
    case TSkinKind::BoxH: return new TSkinBoxH(owner);
    case TSkinKind::StatusBar: return new TSkinStatusBar(owner);
    case TSkinKind::GroupBox: return new TSkinGroupBox(owner);
    case TSkinKind::Box: return new TSkinBox(owner);
    case TSkinKind::TrackBar: return new TSkinTrackBar(owner);
    case TSkinKind::UpDown: return new TSkinUpDown(owner);
    case TSkinKind::Progress: return new TSkinProgress(owner);
    case TSkinKind::Edit: return new TSkinEdit(owner);
    case TSkinKind::Scrollbar: return new TSkinScrollbar(owner);
    case TSkinKind::ListView: return new TSkinListView(owner);
    case TSkinKind::ComboBox: return new TSkinComBox(owner);
    case TSkinKind::DateTime: return new TSkinDateTime(owner);
    case TSkinKind::ObjImage: return new TSkinObjImage(owner);
    case TSkinKind::AdvPage: return new TSkinAdvPage(owner);
    default:
        return nullptr;
    }
}

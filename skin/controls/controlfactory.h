#pragma once
// The one table from a kind of control skin to the class that makes it. The dispatch decides
// which kind a control or a native window gets; this table creates the skin object. A family
// joins by adding its row (and its include) in controlfactory.cpp.
#include "classes.h"

class TSkinControl;

enum class TSkinKind {
    Button, BitButton, MenuButton, SpeedButton, MediaPlayer,
    CheckBox, RadioButton,
    Tab, Tab31, TabBtn, TabSheet, Sizer, BoxH,
    StatusBar, GroupBox, Box,
    TrackBar, UpDown, Progress, Edit,
    Scrollbar, ListView, ComboBox, DateTime,
    ObjImage, AdvPage,
};

// A new skin of the kind, owned by `owner` (the control in control mode, the skinned form in
// handle mode) and not attached yet; null for a kind that has no class.
TSkinControl* NewControlSkin(TSkinKind kind, TComponent* owner);

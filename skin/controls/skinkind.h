#pragma once
// The kinds of control skin: what the dispatch decides a control gets, and what the control-skin
// table (controlfactory.h) makes a class of.

enum class TSkinKind {
    Button, BitButton, MenuButton, SpeedButton, MediaPlayer,
    CheckBox, RadioButton,
    Tab, Tab31, TabBtn, TabSheet, Sizer, BoxH,
    StatusBar, GroupBox, Box,
    TrackBar, UpDown, Progress, Edit,
    Scrollbar, ListView, ComboBox, DateTime,
    ObjImage, AdvPage,
};

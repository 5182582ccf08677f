// The dispatch's decisions as tables: controls by their class chain, gates and the class map
// (with malformed lines), native windows by class name and style.
#include <gtest/gtest.h>

#include <initializer_list>

#include "dispatchlayout.h"

namespace {

constexpr uint32_t All = 0x1FFFFB;  // every member but xcMenuItem and xcFastReport

TDispatchGates Gates(std::initializer_list<TSkinControlType> off = {}, bool tabs = true)
{
    TDispatchGates g;
    g.Controls = All;
    for (TSkinControlType m : off)
        g.Controls &= ~(1u << m);
    g.TabsObject = tabs;
    return g;
}

// A class, then the toolkit's ancestors of windowed controls.
TControlFacts Facts(std::initializer_list<const char*> own)
{
    TControlFacts f;
    for (const char* n : own)
        f.Chain.emplace_back(n);
    for (const char* n : {"TWINCONTROL", "TCONTROL", "TCOMPONENT", "TPERSISTENT", "TOBJECT"})
        f.Chain.emplace_back(n);
    return f;
}

TSkinDecision Decide(const TControlFacts& f, const TDispatchGates& g = Gates(), const std::vector<std::string>& map = {})
{
    return DecideControlSkin(f, g, map);
}

// The map's decision for class "TX" with one line "TX=<kind>".
TSkinDecision Mapped(const char* kind, const TDispatchGates& g = Gates(), TControlFacts f = Facts({"TX"}))
{
    const std::optional<TSkinDecision> d = DecideByMap(f, g, {std::string("TX=") + kind});
    EXPECT_TRUE(d) << kind;
    return d.value_or(TSkinDecision{});
}

}  // namespace

TEST(DispatchChain, ClassesAndGates)
{
    struct Row {
        TControlFacts Facts;
        TDispatchGates Gates;
        std::optional<TSkinKind> Kind;
    };
    TControlFacts upDownPicker = Facts({"TDATETIMEPICKER"});
    upDownPicker.DateMode = "dmupdown";
    TControlFacts timePicker = Facts({"TDATETIMEPICKER"});
    timePicker.Kind = "dtktime";
    TControlFacts scrolled = Facts({"TLISTBOX"});
    scrolled.HasScrollBars = true;
    TControlFacts buttonPages = Facts({"TPAGECONTROL", "TCUSTOMTABCONTROL"});
    buttonPages.Style = "tsbuttons";
    const TControlFacts memo = Facts({"TMEMO", "TCUSTOMMEMO", "TCUSTOMEDIT"});
    const TControlFacts group = Facts({"TGROUPBOX", "TCUSTOMGROUPBOX"});
    const Row rows[] = {
        {Facts({"TBUTTON"}), Gates(), TSkinKind::Button},
        {Facts({"TBUTTON"}), Gates({xcButton}), std::nullopt},
        {Facts({"TCHECKBOX"}), Gates({xcCheckBox}), std::nullopt},
        {Facts({"TTNTCOMBOBOX"}), Gates(), TSkinKind::ComboBox},
        {Facts({"TUPDOWN"}), Gates(), TSkinKind::UpDown},
        {Facts({"TSPINBUTTON"}), Gates({xcSpin}), std::nullopt},
        {Facts({"TTABSET"}), Gates(), TSkinKind::Tab31},
        {Facts({"TTABBEDNOTEBOOK"}), Gates(), TSkinKind::Tab},
        {Facts({"TDXDBGRID"}), Gates(), TSkinKind::Scrollbar},
        {upDownPicker, Gates(), TSkinKind::Edit},
        {timePicker, Gates(), TSkinKind::Edit},
        {timePicker, Gates({xcEdit}), std::nullopt},
        {scrolled, Gates(), TSkinKind::Scrollbar},
        {scrolled, Gates({xcScrollbar}), std::nullopt},
        // A memo without the scroll-bar gate is still an edit.
        {memo, Gates({xcScrollbar}), TSkinKind::Edit},
        // A group box goes with the panel gate, not the group-box gate.
        {group, Gates({xcPanel}), std::nullopt},
        {group, Gates({xcGroupBox}), TSkinKind::GroupBox},
        // Tabs need the gate and the skin's Tabs object.
        {buttonPages, Gates(), TSkinKind::TabBtn},
        {buttonPages, Gates({}, false), std::nullopt},
        {Facts({"TTABSHEET"}), Gates({xcTab}), std::nullopt},
        // Excluded names and names no row takes.
        {Facts({"TDBCOMBOBOXEH", "TCUSTOMCOMBOBOX"}), Gates(), std::nullopt},
        {Facts({"TFRPBOX", "TPANEL"}), Gates(), std::nullopt},
        {Facts({"TFRDESIGNERPAGE", "TCUSTOMFORM"}), Gates(), std::nullopt},
        {Facts({"TSOMETHINGELSE"}), Gates(), std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Decide(row.Facts, row.Gates).Kind, row.Kind) << row.Facts.Name() << " " << row.Gates.Controls;
}

TEST(DispatchChain, RowsWithTheirOwnSettings)
{
    const TSkinDecision tabs = Decide(Facts({"TTABCONTROL", "TCUSTOMTABCONTROL"}));
    EXPECT_EQ(tabs.Kind, TSkinKind::Tab);
    EXPECT_EQ(tabs.Mode, 2);
    EXPECT_EQ(Decide(Facts({"TMEMO", "TCUSTOMMEMO"})).Attach, TSkinAttach::Scrollbars);

    const TSkinDecision panel = Decide(Facts({"TPANEL"}));
    EXPECT_TRUE(panel.SetColor);
    EXPECT_EQ(panel.Children, TChildWalk::Before);
    EXPECT_EQ(Decide(Facts({"TGROUPBOX", "TCUSTOMGROUPBOX"})).Children, TChildWalk::Before);
    const TSkinDecision embedded = Decide(Facts({"TFORM2", "TFORM", "TCUSTOMFORM"}));
    EXPECT_EQ(embedded.Kind, TSkinKind::Box);
    EXPECT_TRUE(embedded.SetColor && embedded.FormComponents);
    const TSkinDecision mvc = Decide(Facts({"TMVCPANEL"}));
    EXPECT_EQ(mvc.Kind, std::nullopt);
    EXPECT_EQ(mvc.Children, TChildWalk::After);
    EXPECT_EQ(Decide(Facts({"TDBNAVIGATOR"})).Children, TChildWalk::AfterWithoutOwner);
    EXPECT_EQ(Decide(Facts({"TRZCHECKBOX"})).Variant, 1);
    EXPECT_EQ(Decide(Facts({"TRZDBRADIOBUTTON"})).Variant, 2);
    EXPECT_EQ(Decide(Facts({"TCXCHECKBOX"})).Variant, 3);

    TControlFacts dc = Facts({"TDCEDIT"});
    dc.NumButtons = 1;
    EXPECT_EQ(Decide(dc).Kind, TSkinKind::ComboBox);
    dc.NumButtons = 0;
    EXPECT_EQ(Decide(dc).Attach, TSkinAttach::Handle);
    dc.NumButtons = 2;
    EXPECT_EQ(Decide(dc).Kind, std::nullopt);
}

TEST(DispatchPre, TagsParentsAndSkinsComeFirst)
{
    const TDispatchGates g = Gates();
    EXPECT_EQ(PreDecide("TBUTTON", 0, true, false, g), TPreDecision::Go);
    EXPECT_EQ(PreDecide("TBUTTON", 99, true, false, g), TPreDecision::Skip);
    EXPECT_EQ(PreDecide("TRZRADIOGROUP", 99, true, false, g), TPreDecision::DisableChildren);
    EXPECT_EQ(PreDecide("TMYCHECKGROUPBOX", 99, true, false, g), TPreDecision::DisableChildren);
    EXPECT_EQ(PreDecide("TBUTTON", 0, false, false, g), TPreDecision::Skip);
    EXPECT_EQ(PreDecide("TBUTTON", 0, true, true, g), TPreDecision::Skip);
    TDispatchGates seven = g;
    seven.DisableTag = 7;
    EXPECT_EQ(PreDecide("TBUTTON", 99, true, false, seven), TPreDecision::Go);
}

TEST(DispatchMap, LinesAreParsedExactly)
{
    const std::vector<std::string> map = {
        "TcxGroupbox=groupbox", " TSpaced=button", "TNoEquals", "TEmpty=", "TEmpty=button",
        "TUpper=ComboBox", "TTwice==x", "TSpaces = button", "TLong=" + std::string(60, 'k'),
    };
    EXPECT_EQ(FindSkinMapping(map, "tcxgroupbox"), "groupbox");
    // The key ends with "=": a longer or shorter class name does not match.
    EXPECT_EQ(FindSkinMapping(map, "TcxGroupboxEx"), std::nullopt);
    EXPECT_EQ(FindSkinMapping(map, "TcxGroup"), std::nullopt);
    EXPECT_EQ(FindSkinMapping(map, "TSpaced"), std::nullopt);
    EXPECT_EQ(FindSkinMapping(map, "TNoEquals"), std::nullopt);
    // The first line for a class decides, and an empty kind counts as no line.
    EXPECT_EQ(FindSkinMapping(map, "TEmpty"), std::nullopt);
    EXPECT_EQ(FindSkinMapping(map, "TUpper"), "combobox");
    EXPECT_EQ(FindSkinMapping(map, "TTwice"), "=x");
    EXPECT_EQ(FindSkinMapping(map, "TSpaces"), std::nullopt);
    EXPECT_EQ(FindSkinMapping(map, "TLong"), std::string(50, 'k'));
    // A line decides even when it gives nothing, over the class tests.
    EXPECT_EQ(Decide(Facts({"TBUTTON"}), Gates(), {"tbutton=nil"}).Kind, std::nullopt);
    EXPECT_EQ(Decide(Facts({"TBUTTON"}), Gates(), {"TButtonX=nil"}).Kind, TSkinKind::Button);
    EXPECT_EQ(Mapped("whatever").Kind, std::nullopt);
    EXPECT_FALSE(DecideByMap(Facts({"TX"}), Gates(), {"TOther=button"}));
}

TEST(DispatchMap, KindsAndTheirGates)
{
    struct Row {
        const char* Kind;
        TSkinControlType Gate;
        TSkinKind Skin;
    };
    const Row rows[] = {
        {"combobox", xcCombo, TSkinKind::ComboBox},          {"radiobutton", xcRadioButton, TSkinKind::RadioButton},
        {"button", xcButton, TSkinKind::Button},              {"datetimepicker", xcCombo, TSkinKind::DateTime},
        {"mediaplayer", xcButton, TSkinKind::MediaPlayer},    {"bitbtn", xcButton, TSkinKind::BitButton},
        {"menubtn", xcButton, TSkinKind::MenuButton},         {"speedbutton", xcSpeedButton, TSkinKind::SpeedButton},
        {"tab", xcTab, TSkinKind::Tab},                       {"progress", xcProgress, TSkinKind::Progress},
        {"groupbox", xcGroupBox, TSkinKind::GroupBox},        {"advpagecontrol", xcTab, TSkinKind::AdvPage},
        {"checkbox", xcCheckBox, TSkinKind::CheckBox},        {"trackbar", xcButton, TSkinKind::TrackBar},
        {"panel", xcPanel, TSkinKind::Box},                   {"singlescrollbar", xcScrollbar, TSkinKind::Scrollbar},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Mapped(row.Kind).Kind, row.Skin) << row.Kind;
        EXPECT_EQ(Mapped(row.Kind, Gates({row.Gate})).Kind, std::nullopt) << row.Kind;
    }
    // The group-box line goes with its own gate, not the panel gate.
    EXPECT_EQ(Mapped("groupbox", Gates({xcPanel})).Kind, TSkinKind::GroupBox);
    EXPECT_EQ(Mapped("tab", Gates({}, false)).Kind, std::nullopt);

    TControlFacts cx = Facts({"TCXBUTTON"});
    cx.Kind = "cxbkdropdownbutton";
    EXPECT_EQ(DecideByMap(cx, Gates(), {"TcxButton=bitbtn"})->Kind, TSkinKind::MenuButton);
    TControlFacts other = Facts({"TX"});
    other.Kind = "cxbkdropdownbutton";
    EXPECT_EQ(Mapped("bitbtn", Gates(), other).Kind, TSkinKind::BitButton);
    EXPECT_TRUE(Mapped("pngbitbtn").PngPicture);
    EXPECT_EQ(Mapped("pngspeedbutton").Attach, TSkinAttach::SpeedButton);
    EXPECT_TRUE(Mapped("panel").SetTransparent && Mapped("trackbar").SetTransparent);
    EXPECT_TRUE(Mapped("comboboxex").ComboBoxEx);
    EXPECT_EQ(Mapped("singlescrollbar").Mode, 1);
    EXPECT_EQ(Mapped("advpagecontrol").Variant, 4);
    TControlFacts bordered = Facts({"TX"});
    EXPECT_EQ(Mapped("edit").Kind, std::nullopt);
    bordered.Bordered = true;
    EXPECT_EQ(Mapped("edit", Gates(), bordered).Kind, TSkinKind::Edit);
}

TEST(DispatchMap, ContainersAndGroups)
{
    EXPECT_EQ(Mapped("scrollbar").Children, TChildWalk::After);
    EXPECT_EQ(Mapped("container").Children, TChildWalk::After);
    EXPECT_EQ(Mapped("container").Kind, std::nullopt);
    EXPECT_EQ(Mapped("embedscrollbar").ChildRule, TChildRule::EmbedScrollbars);
    EXPECT_EQ(Mapped("embedscrollbar", Gates({xcScrollbar})).ChildRule, TChildRule::None);

    EXPECT_EQ(Mapped("radiogroup").ChildRule, TChildRule::RadioGroup);
    EXPECT_EQ(Mapped("radiogroup", Gates({xcRadioButton})).ChildRule, TChildRule::None);
    EXPECT_EQ(Mapped("radiogroup", Gates({xcGroupBox})).ChildRule, TChildRule::None);
    const TSkinDecision check = Mapped("checkgroup", Gates({xcGroupBox}));
    EXPECT_EQ(check.Kind, std::nullopt);
    EXPECT_EQ(check.ChildRule, TChildRule::CheckGroup);
    EXPECT_EQ(Mapped("checkgroup").Kind, TSkinKind::GroupBox);
    EXPECT_EQ(Mapped("checkgroup", Gates({xcPanel})).ChildRule, TChildRule::None);

    const TDispatchGates g = Gates();
    EXPECT_EQ(DecideChildSkin(TChildRule::RadioGroup, Facts({"TRZRADIOBUTTON"}), g)->Variant, 2);
    EXPECT_EQ(DecideChildSkin(TChildRule::RadioGroup, Facts({"TRADIOBUTTON"}), g)->Kind, TSkinKind::RadioButton);
    EXPECT_EQ(DecideChildSkin(TChildRule::CheckGroup, Facts({"TRZCHECKBOX"}), g)->Variant, 1);
    EXPECT_EQ(DecideChildSkin(TChildRule::CheckGroup, Facts({"TCHECKBOX"}), g)->Kind, TSkinKind::CheckBox);
    TControlFacts list = Facts({"TLISTBOX"});
    EXPECT_EQ(DecideChildSkin(TChildRule::EmbedScrollbars, list, g), std::nullopt);
    list.HasScrollBars = true;
    EXPECT_EQ(DecideChildSkin(TChildRule::EmbedScrollbars, list, g)->Attach, TSkinAttach::Scrollbars);
}

TEST(DispatchWindows, ButtonStylesByTheirValue)
{
    using enum TNativeButton;
    const TNativeButton expected[16] = {
        PushButton, PushButton,  CheckBox,   CheckBox,  RadioButton, CheckBox,   CheckBox,   None,
        PushButton, RadioButton, PushButton, OwnerDraw, PushButton,  PushButton, PushButton, PushButton,
    };
    for (uint32_t type = 0; type < 16; ++type) {
        EXPECT_EQ(NativeButtonKind(type), expected[type]) << type;
        EXPECT_EQ(NativeButtonKind(type | 0x50010000), expected[type]) << type;  // other bits change nothing
    }
    EXPECT_EQ(NativeButtonKind(0x80 | 3), None);  // a bitmap button
}

TEST(DispatchWindows, ClassNamesAndStyles)
{
    struct Row {
        const char* Class;
        uint32_t Style;
        TDispatchGates Gates;
        std::optional<TSkinKind> Kind;
    };
    const Row rows[] = {
        {"Button", 1, Gates(), TSkinKind::Button},
        {"button", 3, Gates(), TSkinKind::CheckBox},
        {"BUTTON", 9, Gates(), TSkinKind::RadioButton},
        {"Button", 0xB, Gates(), std::nullopt},
        {"Button", 0, Gates({xcButton}), std::nullopt},
        {"Button", 4, Gates({xcRadioButton}), std::nullopt},
        {"ComboBox", 1, Gates(), std::nullopt},  // a simple combo box
        {"ComboBox", 3, Gates(), TSkinKind::ComboBox},
        {"ComboBox", 2, Gates({xcCombo}), std::nullopt},
        {"ScrollBar", 1, Gates(), std::nullopt},  // only a size grip or size box
        {"ScrollBar", 0x10, Gates(), TSkinKind::Sizer},
        {"ScrollBar", 0x08, Gates(), TSkinKind::Sizer},
        {"SysTreeView32", 0, Gates(), std::nullopt},
        {"#32770", 0x40000000, Gates(), TSkinKind::BoxH},
        {"#32770", 0x40010000, Gates(), std::nullopt},
        {"TCheckBox", 0, Gates(), TSkinKind::CheckBox},
        {"TComboBox", 0, Gates(), TSkinKind::ComboBox},
        {"TButton", 0, Gates(), TSkinKind::Button},
        {"TProgressBar", 0, Gates({xcProgress}), TSkinKind::Progress},
        {"SysTabControl32", 0, Gates(), TSkinKind::Tab},
        {"SysTabControl32", 0x2000, Gates(), std::nullopt},
        {"SysTabControl32", 0, Gates({}, false), std::nullopt},
        {"ToolbarWindow32", 0, Gates(), TSkinKind::BoxH},
        {"Edit", 0, Gates(), TSkinKind::Edit},
        {"Edit", 0, Gates({xcEdit}), std::nullopt},
        {"Static", 0, Gates(), std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DecideWindowSkin(row.Class, row.Style, row.Gates).Kind, row.Kind) << row.Class << " " << row.Style;

    EXPECT_TRUE(DecideWindowSkin("ComboBoxEx32", 0, Gates()).InnerCombo);
    EXPECT_TRUE(DecideWindowSkin("#32770", 0, Gates()).ChildWindowsFirst);
    const TWindowDecision panel = DecideWindowSkin("TTntPanel.UnicodeClass", 0, Gates());
    EXPECT_TRUE(panel.ChildWindowsFirst && panel.FaceColorToControl);
    EXPECT_EQ(panel.Kind, std::nullopt);
    EXPECT_FALSE(DecideWindowSkin("TSilentPaintPanel", 0, Gates()).ChildWindowsFirst);
}

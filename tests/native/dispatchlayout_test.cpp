// The dispatch's decisions as tables: toolkit controls by their class chain, gates and the class
// map (with malformed lines), native windows by class name and style.
#include <gtest/gtest.h>

#include <initializer_list>

#include "dispatchlayout.h"

namespace {

constexpr uint32_t All = 0x1FFFFB;  // every member but xcMenuItem and xcFastReport

uint32_t Without(std::initializer_list<TSkinControlType> members, uint32_t from = All)
{
    for (TSkinControlType m : members)
        from &= ~(1u << m);
    return from;
}

TDispatchGates Gates(uint32_t controls = All, bool tabs = true)
{
    TDispatchGates g;
    g.Controls = controls;
    g.TabsObject = tabs;
    return g;
}

// A class with the toolkit's ancestors of windowed controls below the named ones.
TControlFacts Facts(std::initializer_list<const char*> own)
{
    TControlFacts f;
    for (const char* n : own)
        f.Chain.emplace_back(n);
    for (const char* n : {"TWINCONTROL", "TCONTROL", "TCOMPONENT", "TPERSISTENT", "TOBJECT"})
        f.Chain.emplace_back(n);
    f.Windowed = true;
    return f;
}

TSkinDecision Decide(const TControlFacts& f, const TDispatchGates& g = Gates(), const std::vector<std::string>& map = {})
{
    return DecideControlSkin(f, g, map);
}

std::optional<TSkinKind> KindOf(const TControlFacts& f, const TDispatchGates& g = Gates(),
                                const std::vector<std::string>& map = {})
{
    return Decide(f, g, map).Kind;
}

const TControlFacts Button = Facts({"TBUTTON"});
const TControlFacts CheckBox = Facts({"TCHECKBOX"});
const TControlFacts Panel = Facts({"TPANEL", "TCUSTOMCONTROL"});
const TControlFacts GroupBox = Facts({"TGROUPBOX", "TCUSTOMGROUPBOX", "TCUSTOMCONTROL"});
const TControlFacts TabSheet = Facts({"TTABSHEET"});
const TControlFacts Memo = Facts({"TMEMO", "TCUSTOMMEMO", "TCUSTOMEDIT"});
const TControlFacts Edit = Facts({"TEDIT", "TCUSTOMEDIT"});

TControlFacts PageControl(const char* style)
{
    TControlFacts f = Facts({"TPAGECONTROL", "TCUSTOMTABCONTROL"});
    f.Style = style;
    return f;
}

}  // namespace

TEST(DispatchChain, ToolkitControlsGetTheirFamilies)
{
    struct Row {
        TControlFacts Facts;
        std::optional<TSkinKind> Kind;
    };
    TControlFacts picker = Facts({"TDATETIMEPICKER"});
    picker.DateMode = "dmcombobox";
    picker.Kind = "dtkdate";
    const Row rows[] = {
        {Button, TSkinKind::Button},
        {CheckBox, TSkinKind::CheckBox},
        {Facts({"TCOMBOBOX", "TCUSTOMCOMBOBOX"}), TSkinKind::ComboBox},
        {Facts({"TTNTCOMBOBOX"}), TSkinKind::ComboBox},
        {Facts({"TTRACKBAR"}), TSkinKind::TrackBar},
        {Facts({"TSTATUSBAR", "TCUSTOMSTATUSBAR"}), TSkinKind::StatusBar},
        {Facts({"TRICHEDIT", "TCUSTOMRICHEDIT", "TCUSTOMMEMO", "TCUSTOMEDIT"}), TSkinKind::Scrollbar},
        {Memo, TSkinKind::Scrollbar},
        {Edit, TSkinKind::Edit},
        {picker, TSkinKind::DateTime},
        {Facts({"TMEDIAPLAYER", "TCUSTOMCONTROL"}), TSkinKind::MediaPlayer},
        {Facts({"TUPDOWN"}), TSkinKind::UpDown},
        {Facts({"TSPINBUTTON"}), TSkinKind::UpDown},
        {Facts({"TTABSET"}), TSkinKind::Tab31},
        {Facts({"TTABBEDNOTEBOOK"}), TSkinKind::Tab},
        {TabSheet, TSkinKind::TabSheet},
        {Facts({"TRZCHECKBOX"}), TSkinKind::ObjImage},
        {Facts({"TCXDBCHECKBOX"}), TSkinKind::ObjImage},
        {Facts({"TDXDBGRID"}), TSkinKind::Scrollbar},
        // No row takes these.
        {Facts({"TGRADIENTBUTTON", "TCUSTOMCONTROL"}), std::nullopt},
        {Facts({"TLABEL", "TGRAPHICCONTROL"}), std::nullopt},
        {Facts({"TSOMETHINGELSE"}), std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(KindOf(row.Facts), row.Kind) << row.Facts.Name();

    TControlFacts scrolled = Facts({"TLISTBOX"});
    scrolled.HasScrollBars = true;
    EXPECT_EQ(KindOf(scrolled), TSkinKind::Scrollbar);
    EXPECT_EQ(Decide(scrolled).Attach, TSkinAttach::Scrollbars);
    EXPECT_EQ(Decide(Memo).Attach, TSkinAttach::Scrollbars);
    EXPECT_EQ(Decide(Button).Attach, TSkinAttach::Control);
    EXPECT_FALSE(Decide(Button).SetColor);
}

TEST(DispatchChain, GatesPassARowOver)
{
    EXPECT_EQ(KindOf(Button, Gates(Without({xcButton}))), std::nullopt);
    EXPECT_EQ(KindOf(CheckBox, Gates(Without({xcCheckBox}))), std::nullopt);
    EXPECT_EQ(KindOf(Facts({"TCOMBOBOX", "TCUSTOMCOMBOBOX"}), Gates(Without({xcCombo}))), std::nullopt);
    // A memo without the scroll-bar gate is still an edit.
    EXPECT_EQ(KindOf(Memo, Gates(Without({xcScrollbar}))), TSkinKind::Edit);
    // A group box goes with the panel gate, not the group-box gate.
    EXPECT_EQ(KindOf(GroupBox, Gates(Without({xcPanel}))), std::nullopt);
    EXPECT_EQ(KindOf(GroupBox, Gates(Without({xcGroupBox}))), TSkinKind::GroupBox);
    EXPECT_EQ(KindOf(Panel, Gates(Without({xcPanel}))), std::nullopt);
    // The tab rows need the gate and the skin's Tabs object.
    EXPECT_EQ(KindOf(PageControl("tstabs"), Gates(All, false)), std::nullopt);
    EXPECT_EQ(KindOf(TabSheet, Gates(All, false)), std::nullopt);
    EXPECT_EQ(KindOf(PageControl("tstabs"), Gates(Without({xcTab}))), std::nullopt);
}

TEST(DispatchChain, RowsWithTheirOwnSettings)
{
    EXPECT_EQ(KindOf(PageControl("tstabs")), TSkinKind::Tab);
    EXPECT_EQ(Decide(PageControl("tstabs")).Mode, -1);
    EXPECT_EQ(KindOf(PageControl("tsbuttons")), TSkinKind::TabBtn);
    EXPECT_EQ(KindOf(PageControl("tsflatbuttons")), TSkinKind::TabBtn);
    const TSkinDecision tabs = Decide(Facts({"TTABCONTROL", "TCUSTOMTABCONTROL"}));
    EXPECT_EQ(tabs.Kind, TSkinKind::Tab);
    EXPECT_EQ(tabs.Mode, 2);

    TControlFacts picker = Facts({"TDATETIMEPICKER"});
    picker.DateMode = "dmupdown";
    EXPECT_EQ(KindOf(picker), TSkinKind::Edit);
    picker.DateMode = "dmcombobox";
    picker.Kind = "dtktime";
    EXPECT_EQ(KindOf(picker), TSkinKind::Edit);

    const TSkinDecision panel = Decide(Panel);
    EXPECT_EQ(panel.Kind, TSkinKind::Box);
    EXPECT_TRUE(panel.SetColor);
    EXPECT_EQ(panel.Children, TChildWalk::Before);
    const TSkinDecision group = Decide(GroupBox);
    EXPECT_FALSE(group.SetColor);
    EXPECT_EQ(group.Children, TChildWalk::Before);

    const TSkinDecision embedded = Decide(Facts({"TFORM2", "TFORM", "TCUSTOMFORM"}));
    EXPECT_EQ(embedded.Kind, TSkinKind::Box);
    EXPECT_TRUE(embedded.SetColor);
    EXPECT_TRUE(embedded.FormComponents);

    const TSkinDecision mvc = Decide(Facts({"TMVCPANEL", "TCUSTOMCONTROL"}));
    EXPECT_EQ(mvc.Kind, std::nullopt);
    EXPECT_EQ(mvc.Children, TChildWalk::After);
    const TSkinDecision navigator = Decide(Facts({"TDBNAVIGATOR"}));
    EXPECT_EQ(navigator.Kind, TSkinKind::Box);
    EXPECT_EQ(navigator.Children, TChildWalk::AfterWithoutOwner);

    EXPECT_EQ(Decide(Facts({"TRZCHECKBOX"})).Variant, 1);
    EXPECT_EQ(Decide(Facts({"TRZDBRADIOBUTTON"})).Variant, 2);
    EXPECT_EQ(Decide(Facts({"TCXCHECKBOX"})).Variant, 3);
    EXPECT_TRUE(Decide(Facts({"TCXCHECKBOX"})).SetColor);

    TControlFacts dc = Facts({"TDCEDIT"});
    dc.NumButtons = 1;
    EXPECT_EQ(KindOf(dc), TSkinKind::ComboBox);
    dc.NumButtons = 0;
    EXPECT_EQ(KindOf(dc), TSkinKind::Edit);
    EXPECT_EQ(Decide(dc).Attach, TSkinAttach::Handle);
    dc.NumButtons = 2;
    EXPECT_EQ(KindOf(dc), std::nullopt);
    dc.NumButtons = 0;
    EXPECT_EQ(KindOf(dc, Gates(Without({xcEdit}))), std::nullopt);
}

TEST(DispatchChain, ExcludedNamesGetNothing)
{
    EXPECT_EQ(KindOf(Facts({"TDBCOMBOBOXEH", "TCUSTOMCOMBOBOX"})), std::nullopt);
    EXPECT_EQ(KindOf(Facts({"TFRPBOX", "TPANEL"})), std::nullopt);
    EXPECT_EQ(KindOf(Facts({"TFRDESIGNERPAGE", "TCUSTOMFORM"})), std::nullopt);
}

TEST(DispatchPre, TagsParentsAndSkinsComeFirst)
{
    const TDispatchGates g = Gates();
    EXPECT_EQ(PreDecide("TBUTTON", 0, true, false, g), TPreDecision::Go);
    EXPECT_EQ(PreDecide("TBUTTON", 99, true, false, g), TPreDecision::Skip);
    EXPECT_EQ(PreDecide("TRZRADIOGROUP", 99, true, false, g), TPreDecision::DisableChildren);
    EXPECT_EQ(PreDecide("TMYCHECKGROUPBOX", 99, true, false, g), TPreDecision::DisableChildren);
    EXPECT_EQ(PreDecide("TRZRADIOGROUP", 0, true, false, g), TPreDecision::Go);
    EXPECT_EQ(PreDecide("TBUTTON", 0, false, false, g), TPreDecision::Skip);
    EXPECT_EQ(PreDecide("TBUTTON", 0, true, true, g), TPreDecision::Skip);
    TDispatchGates seven = g;
    seven.DisableTag = 7;
    EXPECT_EQ(PreDecide("TBUTTON", 99, true, false, seven), TPreDecision::Go);
    EXPECT_EQ(PreDecide("TBUTTON", 7, true, false, seven), TPreDecision::Skip);
}

TEST(DispatchMap, LinesAreParsedExactly)
{
    const std::vector<std::string> map = {
        "TcxGroupbox=groupbox", " TSpaced=button", "TNoEquals", "TEmpty=", "TEmpty=button",
        "TUpper=ComboBox", "TTwice==x", "TSpaces = button",
        "TLong=" + std::string(60, 'k'),
    };
    EXPECT_EQ(FindSkinMapping(map, "TCXGROUPBOX"), "groupbox");
    EXPECT_EQ(FindSkinMapping(map, "tcxgroupbox"), "groupbox");
    // The key ends with "=": a longer class name does not match, nor a shorter one.
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
    EXPECT_EQ(FindSkinMapping({}, "TButton"), std::nullopt);
}

TEST(DispatchMap, KindsAndTheirGates)
{
    auto mapped = [](const char* line, const TControlFacts& f, const TDispatchGates& g = Gates()) {
        return DecideByMap(f, g, {line});
    };
    const TControlFacts cx = Facts({"TCXGROUPBOX", "TCUSTOMCONTROL"});
    // A map line decides even when it gives nothing.
    ASSERT_TRUE(mapped("TButton=nil", Button));
    EXPECT_EQ(mapped("TButton=nil", Button)->Kind, std::nullopt);
    EXPECT_EQ(KindOf(Button, Gates(), {"tbutton=nil"}), std::nullopt);
    EXPECT_EQ(KindOf(Button, Gates(), {"TButtonX=nil"}), TSkinKind::Button);
    ASSERT_TRUE(mapped("TButton=whatever", Button));
    EXPECT_EQ(mapped("TButton=whatever", Button)->Kind, std::nullopt);
    EXPECT_FALSE(mapped("TOther=button", Button));

    EXPECT_EQ(mapped("TcxGroupbox=groupbox", cx, Gates(Without({xcPanel})))->Kind, TSkinKind::GroupBox);
    EXPECT_EQ(mapped("TcxGroupbox=groupbox", cx, Gates(Without({xcGroupBox})))->Kind, std::nullopt);
    EXPECT_TRUE(mapped("TcxGroupbox=groupbox", cx)->SetColor);

    TControlFacts cxButton = Facts({"TCXBUTTON"});
    EXPECT_EQ(mapped("TcxButton=bitbtn", cxButton)->Kind, TSkinKind::BitButton);
    cxButton.Kind = "cxbkdropdownbutton";
    EXPECT_EQ(mapped("TcxButton=bitbtn", cxButton)->Kind, TSkinKind::MenuButton);
    TControlFacts other = Facts({"TLMDBUTTON"});
    other.Kind = "cxbkdropdownbutton";
    EXPECT_EQ(mapped("TLMDButton=bitbtn", other)->Kind, TSkinKind::BitButton);

    const TSkinDecision png = *mapped("TPngBitBtn=pngbitbtn", Facts({"TPNGBITBTN"}));
    EXPECT_EQ(png.Kind, TSkinKind::BitButton);
    EXPECT_TRUE(png.PngPicture);
    const TSkinDecision pngSpeed = *mapped("TPngSpeedbutton=pngspeedbutton", Facts({"TPNGSPEEDBUTTON"}));
    EXPECT_EQ(pngSpeed.Kind, TSkinKind::SpeedButton);
    EXPECT_TRUE(pngSpeed.PngPicture);
    EXPECT_EQ(pngSpeed.Attach, TSkinAttach::SpeedButton);
    EXPECT_EQ(mapped("TX=speedbutton", Facts({"TX"}), Gates(Without({xcSpeedButton})))->Kind, std::nullopt);
    EXPECT_EQ(mapped("TX=speedbutton", Facts({"TX"}))->Attach, TSkinAttach::SpeedButton);
    EXPECT_EQ(mapped("TX=menubtn", Facts({"TX"}))->Kind, TSkinKind::MenuButton);
    EXPECT_EQ(mapped("TX=button", Facts({"TX"}))->Kind, TSkinKind::Button);
    EXPECT_EQ(mapped("TX=mediaplayer", Facts({"TX"}))->Kind, TSkinKind::MediaPlayer);
    EXPECT_EQ(mapped("TX=progress", Facts({"TX"}))->Kind, TSkinKind::Progress);
    EXPECT_EQ(mapped("TX=tab", Facts({"TX"}), Gates(All, false))->Kind, std::nullopt);
    EXPECT_EQ(mapped("TX=datetimepicker", Facts({"TX"}), Gates(Without({xcEdit})))->Kind, TSkinKind::DateTime);
    EXPECT_EQ(mapped("TX=radiobutton", Facts({"TX"}))->Kind, TSkinKind::RadioButton);
    EXPECT_EQ(mapped("TX=checkbox", Facts({"TX"}))->Kind, TSkinKind::CheckBox);

    const TSkinDecision panel = *mapped("TX=panel", Facts({"TX"}));
    EXPECT_EQ(panel.Kind, TSkinKind::Box);
    EXPECT_TRUE(panel.SetTransparent && panel.SetColor);
    const TSkinDecision track = *mapped("TX=trackbar", Facts({"TX"}));
    EXPECT_EQ(track.Kind, TSkinKind::TrackBar);
    EXPECT_TRUE(track.SetTransparent);
    EXPECT_EQ(mapped("TX=trackbar", Facts({"TX"}), Gates(Without({xcButton})))->Kind, std::nullopt);

    TControlFacts edit = Facts({"TX"});
    EXPECT_EQ(mapped("TX=edit", edit)->Kind, std::nullopt);
    edit.Bordered = true;
    EXPECT_EQ(mapped("TX=edit", edit)->Kind, TSkinKind::Edit);

    EXPECT_TRUE(mapped("TX=comboboxex", Facts({"TX"}))->ComboBoxEx);
    const TSkinDecision adv = *mapped("TX=advpagecontrol", Facts({"TX"}));
    EXPECT_EQ(adv.Kind, TSkinKind::AdvPage);
    EXPECT_EQ(adv.Variant, 4);
}

TEST(DispatchMap, ContainersAndGroups)
{
    auto mapped = [](const char* line, const TDispatchGates& g = Gates()) {
        return *DecideByMap(Facts({"TX"}), g, {line});
    };
    const TSkinDecision scroll = mapped("TX=scrollbar");
    EXPECT_EQ(scroll.Kind, TSkinKind::Scrollbar);
    EXPECT_EQ(scroll.Attach, TSkinAttach::Scrollbars);
    EXPECT_EQ(scroll.Children, TChildWalk::After);
    EXPECT_EQ(mapped("TX=singlescrollbar").Mode, 1);
    const TSkinDecision embed = mapped("TX=embedscrollbar");
    EXPECT_EQ(embed.Kind, std::nullopt);
    EXPECT_EQ(embed.ChildRule, TChildRule::EmbedScrollbars);
    EXPECT_EQ(mapped("TX=embedscrollbar", Gates(Without({xcScrollbar}))).ChildRule, TChildRule::None);
    const TSkinDecision container = mapped("TX=container");
    EXPECT_EQ(container.Kind, std::nullopt);
    EXPECT_EQ(container.Children, TChildWalk::After);

    const TSkinDecision radio = mapped("TX=radiogroup");
    EXPECT_EQ(radio.Kind, TSkinKind::GroupBox);
    EXPECT_EQ(radio.ChildRule, TChildRule::RadioGroup);
    EXPECT_EQ(mapped("TX=radiogroup", Gates(Without({xcRadioButton}))).ChildRule, TChildRule::None);
    EXPECT_EQ(mapped("TX=radiogroup", Gates(Without({xcGroupBox}))).Kind, std::nullopt);
    EXPECT_EQ(mapped("TX=radiogroup", Gates(Without({xcGroupBox}))).ChildRule, TChildRule::None);

    const TSkinDecision check = mapped("TX=checkgroup");
    EXPECT_EQ(check.Kind, TSkinKind::GroupBox);
    EXPECT_EQ(check.ChildRule, TChildRule::CheckGroup);
    const TSkinDecision checkNoGroup = mapped("TX=checkgroup", Gates(Without({xcGroupBox})));
    EXPECT_EQ(checkNoGroup.Kind, std::nullopt);
    EXPECT_EQ(checkNoGroup.ChildRule, TChildRule::CheckGroup);
    EXPECT_EQ(mapped("TX=checkgroup", Gates(Without({xcPanel}))).ChildRule, TChildRule::None);

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
    const TNativeButton expected[16] = {
        TNativeButton::PushButton,  TNativeButton::PushButton, TNativeButton::CheckBox,   TNativeButton::CheckBox,
        TNativeButton::RadioButton, TNativeButton::CheckBox,   TNativeButton::CheckBox,   TNativeButton::None,
        TNativeButton::PushButton,  TNativeButton::RadioButton, TNativeButton::PushButton, TNativeButton::OwnerDraw,
        TNativeButton::PushButton,  TNativeButton::PushButton, TNativeButton::PushButton, TNativeButton::PushButton,
    };
    for (uint32_t type = 0; type < 16; ++type) {
        EXPECT_EQ(NativeButtonKind(type), expected[type]) << type;
        // Other style bits change nothing.
        EXPECT_EQ(NativeButtonKind(type | 0x50010000), expected[type]) << type;
    }
    EXPECT_EQ(NativeButtonKind(0x80), TNativeButton::None);      // a bitmap button
    EXPECT_EQ(NativeButtonKind(0x80 | 3), TNativeButton::None);
}

TEST(DispatchWindows, ClassNamesAndStyles)
{
    struct Row {
        const char* Class;
        uint32_t Style;
        std::optional<TSkinKind> Kind;
    };
    const Row rows[] = {
        {"Button", 0, TSkinKind::Button},
        {"BUTTON", 1, TSkinKind::Button},
        {"button", 3, TSkinKind::CheckBox},
        {"Button", 9, TSkinKind::RadioButton},
        {"Button", 7, std::nullopt},
        {"Button", 0xB, std::nullopt},
        {"Button", 0xE, TSkinKind::Button},
        {"ComboBox", 1, std::nullopt},
        {"ComboBox", 2, TSkinKind::ComboBox},
        {"ComboBox", 3, TSkinKind::ComboBox},
        {"ScrollBar", 0, std::nullopt},
        {"ScrollBar", 1, std::nullopt},
        {"ScrollBar", 0x10, TSkinKind::Sizer},
        {"ScrollBar", 0x08, TSkinKind::Sizer},
        {"SysTreeView32", 0, std::nullopt},
        {"#32770", 0x40000000, TSkinKind::BoxH},
        {"#32770", 0x40010000, std::nullopt},
        {"TCheckBox", 0, TSkinKind::CheckBox},
        {"TComboBox", 0, TSkinKind::ComboBox},
        {"TButton", 0, TSkinKind::Button},
        {"TProgressBar", 0, TSkinKind::Progress},
        {"SysTabControl32", 0, TSkinKind::Tab},
        {"SysTabControl32", 0x2000, std::nullopt},
        {"ToolbarWindow32", 0, TSkinKind::BoxH},
        {"Edit", 0, TSkinKind::Edit},
        {"Static", 0, std::nullopt},
        {"TPanel", 0, std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DecideWindowSkin(row.Class, row.Style, Gates()).Kind, row.Kind) << row.Class << " " << row.Style;

    EXPECT_EQ(DecideWindowSkin("Button", 0, Gates(Without({xcButton}))).Kind, std::nullopt);
    EXPECT_EQ(DecideWindowSkin("Button", 3, Gates(Without({xcCheckBox}))).Kind, std::nullopt);
    EXPECT_EQ(DecideWindowSkin("Button", 4, Gates(Without({xcRadioButton}))).Kind, std::nullopt);
    EXPECT_EQ(DecideWindowSkin("ComboBox", 2, Gates(Without({xcCombo}))).Kind, std::nullopt);
    EXPECT_EQ(DecideWindowSkin("Edit", 0, Gates(Without({xcEdit}))).Kind, std::nullopt);
    EXPECT_EQ(DecideWindowSkin("SysTabControl32", 0, Gates(All, false)).Kind, std::nullopt);

    const TWindowDecision ex = DecideWindowSkin("ComboBoxEx32", 0, Gates());
    EXPECT_EQ(ex.Kind, TSkinKind::ComboBox);
    EXPECT_TRUE(ex.InnerCombo);
    EXPECT_TRUE(DecideWindowSkin("#32770", 0, Gates()).ChildWindowsFirst);
    const TWindowDecision panel = DecideWindowSkin("TTntPanel.UnicodeClass", 0, Gates());
    EXPECT_TRUE(panel.ChildWindowsFirst && panel.FaceColorToControl);
    const TWindowDecision silent = DecideWindowSkin("TSilentPaintPanel", 0, Gates());
    EXPECT_TRUE(silent.FaceColorToControl);
    EXPECT_FALSE(silent.ChildWindowsFirst);
}

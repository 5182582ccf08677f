// The dispatch's decisions: the class map, the chain of class tests for toolkit controls, and
// the class-name and button-style tables for native windows.
#include "dispatchlayout.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

std::string Lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

TSkinDecision Skin(TSkinKind kind, bool setColor = false)
{
    TSkinDecision d;
    d.Kind = kind;
    d.SetColor = setColor;
    return d;
}

TSkinDecision NoSkin() { return {}; }

TSkinDecision Children(TChildWalk walk, std::optional<TSkinKind> kind = std::nullopt, bool setColor = false)
{
    TSkinDecision d;
    d.Kind = kind;
    d.SetColor = setColor;
    d.Children = walk;
    return d;
}

TSkinDecision Scrollbar(int mode = -1)
{
    TSkinDecision d = Skin(TSkinKind::Scrollbar);
    d.Attach = TSkinAttach::Scrollbars;
    d.Mode = mode;
    return d;
}

TSkinDecision ObjImage(int variant)
{
    TSkinDecision d = Skin(TSkinKind::ObjImage, true);
    d.Variant = variant;
    return d;
}

// The toolkit has one class where a fuller class library has a custom base and its published
// class: that class stands for the base in the chain's tests.
bool IsCustomCheckBox(const TControlFacts& c) { return c.Is("TCUSTOMCHECKBOX") || c.Is("TCHECKBOX"); }
bool IsCustomPanel(const TControlFacts& c) { return c.Is("TCUSTOMPANEL") || c.Is("TPANEL"); }

// What a map kind gives, under its gate.
TSkinDecision MappedSkin(const std::string& kind, const std::string& key, const TControlFacts& c,
                         const TDispatchGates& g)
{
    if (kind == "nil")
        return NoSkin();
    if (kind == "combobox")
        return g.Has(xcCombo) ? Skin(TSkinKind::ComboBox) : NoSkin();
    if (kind == "comboboxex") {
        if (!g.Has(xcCombo))
            return NoSkin();
        TSkinDecision d = Skin(TSkinKind::ComboBox);
        d.ComboBoxEx = true;
        return d;
    }
    if (kind == "edit")
        return g.Has(xcEdit) && c.Bordered ? Skin(TSkinKind::Edit) : NoSkin();
    if (kind == "radiobutton")
        return g.Has(xcRadioButton) ? Skin(TSkinKind::RadioButton) : NoSkin();
    if (kind == "panel" || kind == "trackbar") {
        if (!g.Has(kind == "panel" ? xcPanel : xcButton))
            return NoSkin();
        TSkinDecision d = kind == "panel" ? Skin(TSkinKind::Box, true) : Skin(TSkinKind::TrackBar);
        d.SetTransparent = true;
        return d;
    }
    if (kind == "button")
        return g.Has(xcButton) ? Skin(TSkinKind::Button) : NoSkin();
    if (kind == "datetimepicker")
        return g.Has(xcCombo) ? Skin(TSkinKind::DateTime) : NoSkin();
    if (kind == "mediaplayer")
        return g.Has(xcButton) ? Skin(TSkinKind::MediaPlayer) : NoSkin();
    if (kind == "bitbtn") {
        if (!g.Has(xcButton))
            return NoSkin();
        const bool dropDown = key == "tcxbutton=" && c.Kind == "cxbkdropdownbutton";
        return Skin(dropDown ? TSkinKind::MenuButton : TSkinKind::BitButton);
    }
    if (kind == "pngbitbtn" || kind == "pngspeedbutton") {
        if (!g.Has(xcButton))
            return NoSkin();
        TSkinDecision d = Skin(kind == "pngbitbtn" ? TSkinKind::BitButton : TSkinKind::SpeedButton);
        d.PngPicture = true;
        if (kind == "pngspeedbutton")
            d.Attach = TSkinAttach::SpeedButton;
        return d;
    }
    if (kind == "menubtn")
        return g.Has(xcButton) ? Skin(TSkinKind::MenuButton) : NoSkin();
    if (kind == "speedbutton") {
        if (!g.Has(xcSpeedButton))
            return NoSkin();
        TSkinDecision d = Skin(TSkinKind::SpeedButton);
        d.Attach = TSkinAttach::SpeedButton;
        return d;
    }
    if (kind == "tab")
        return g.Tabs() ? Skin(TSkinKind::Tab) : NoSkin();
    if (kind == "progress")
        return g.Has(xcProgress) ? Skin(TSkinKind::Progress) : NoSkin();
    if (kind == "scrollbar") {
        if (!g.Has(xcScrollbar))
            return NoSkin();
        TSkinDecision d = Scrollbar();
        d.Children = TChildWalk::After;
        return d;
    }
    if (kind == "singlescrollbar")
        return g.Has(xcScrollbar) ? Scrollbar(1) : NoSkin();
    if (kind == "embedscrollbar") {
        TSkinDecision d;
        if (g.Has(xcScrollbar))
            d.ChildRule = TChildRule::EmbedScrollbars;
        return d;
    }
    if (kind == "container")
        return Children(TChildWalk::After);
    if (kind == "groupbox")
        return g.Has(xcGroupBox) ? Skin(TSkinKind::GroupBox, true) : NoSkin();
    if (kind == "advpagecontrol") {
        if (!g.Tabs())
            return NoSkin();
        TSkinDecision d = Skin(TSkinKind::AdvPage, true);
        d.Variant = 4;
        return d;
    }
    if (kind == "radiogroup") {
        if (!g.Has(xcGroupBox))
            return NoSkin();
        TSkinDecision d = Skin(TSkinKind::GroupBox, true);
        if (g.Has(xcRadioButton))
            d.ChildRule = TChildRule::RadioGroup;
        return d;
    }
    if (kind == "checkgroup") {
        if (!g.Has(xcPanel))
            return NoSkin();
        TSkinDecision d;
        if (g.Has(xcGroupBox)) {
            d.Kind = TSkinKind::GroupBox;
            d.SetColor = true;
        }
        // The group's check boxes go with the radio-button gate.
        if (g.Has(xcRadioButton))
            d.ChildRule = TChildRule::CheckGroup;
        return d;
    }
    if (kind == "checkbox")
        return g.Has(xcCheckBox) ? Skin(TSkinKind::CheckBox) : NoSkin();
    return NoSkin();
}

// The fixed chain of class tests, first row whose test and gate hold.
TSkinDecision ChainSkin(const TControlFacts& c, const TDispatchGates& g)
{
    const std::string& name = c.Name();
    auto named = [&](std::initializer_list<std::string_view> names) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };

    if (g.Tabs()) {
        if (c.Is("TCUSTOMTABCONTROL")) {
            if (!c.Is("TPAGECONTROL")) {
                TSkinDecision d = Skin(TSkinKind::Tab);
                d.Mode = 2;
                return d;
            }
            return Skin(c.Style == "tstabs" ? TSkinKind::Tab : TSkinKind::TabBtn);
        }
        if (name == "TTABSET")
            return Skin(TSkinKind::Tab31);
        if (c.Is("TTABSHEET"))
            return Skin(TSkinKind::TabSheet);
        if (name == "TTABBEDNOTEBOOK")
            return Skin(TSkinKind::Tab);
    }
    if (name == "TMVCPANEL")
        return Children(TChildWalk::After);
    if (IsCustomCheckBox(c) && g.Has(xcCheckBox))
        return Skin(TSkinKind::CheckBox);
    if (c.Is("TTRACKBAR") && g.Has(xcTrackBar))
        return Skin(TSkinKind::TrackBar);
    if (named({"TUPDOWN", "TSPINBUTTON"}) && g.Has(xcSpin))
        return Skin(TSkinKind::UpDown);
    if (name == "TMEDIAPLAYER" && g.Has(xcButton))
        return Skin(TSkinKind::MediaPlayer);
    if (name == "TDBNAVIGATOR" && g.Has(xcPanel))
        return Children(TChildWalk::AfterWithoutOwner, TSkinKind::Box, true);
    if (named({"TRZDBCHECKBOX", "TRZCHECKBOX"}) && g.Has(xcCheckBox))
        return ObjImage(1);
    if (named({"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"}) && g.Has(xcRadioButton))
        return ObjImage(2);
    if (named({"TCXDBCHECKBOX", "TCXCHECKBOX"}) && g.Has(xcCheckBox))
        return ObjImage(3);
    if (c.Is("TCUSTOMGROUPBOX") && g.Has(xcPanel))
        return Children(TChildWalk::Before, TSkinKind::GroupBox);
    if (c.Is("TCUSTOMSTATUSBAR") && g.Has(xcStatusBar))
        return Skin(TSkinKind::StatusBar);
    if ((name == "TTNTCOMBOBOX" || c.Is("TCUSTOMCOMBOBOX")) && g.Has(xcCombo))
        return Skin(TSkinKind::ComboBox);
    if (c.Is("TDATETIMEPICKER") && g.Has(xcEdit))
        return Skin(c.DateMode == "dmupdown" || c.Kind == "dtktime" ? TSkinKind::Edit : TSkinKind::DateTime);
    if (named({"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"}) && g.Has(xcScrollbar))
        return Scrollbar();
    if (IsCustomPanel(c) && g.Has(xcPanel))
        return Children(TChildWalk::Before, TSkinKind::Box, true);
    if (named({"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}) && g.Has(xcScrollbar))
        return Scrollbar();
    if ((c.Is("TCUSTOMMEMO") || c.HasScrollBars) && g.Has(xcScrollbar))
        return Scrollbar();
    if (c.Is("TBUTTON") && g.Has(xcButton))
        return Skin(TSkinKind::Button);
    if (c.Is("TCUSTOMEDIT") && g.Has(xcEdit))
        return Skin(TSkinKind::Edit);
    if (!named({"TDCEDIT", "TDCDBEDIT"})) {
        if (!c.Is("TCUSTOMFORM"))
            return NoSkin();
        TSkinDecision d = Skin(TSkinKind::Box, true);
        d.FormComponents = true;
        return d;
    }
    if (c.NumButtons == 1 && g.Has(xcCombo))
        return Skin(TSkinKind::ComboBox);
    if (c.NumButtons == 0 && g.Has(xcEdit)) {
        TSkinDecision d = Skin(TSkinKind::Edit);
        d.Attach = TSkinAttach::Handle;
        return d;
    }
    return NoSkin();
}

}  // namespace

const std::string& TControlFacts::Name() const
{
    static const std::string none;
    return Chain.empty() ? none : Chain.front();
}

bool TControlFacts::Is(std::string_view upperName) const
{
    return std::find(Chain.begin(), Chain.end(), upperName) != Chain.end();
}

bool IsChoiceGroup(std::string_view upperName)
{
    const std::string lower = Lower(upperName);
    return Contains(lower, "radiogroup") || Contains(lower, "checkgroup");
}

TPreDecision PreDecide(const std::string& upperName, int tag, bool hasParent, bool skinned, const TDispatchGates& gates)
{
    if (tag == gates.DisableTag)
        return IsChoiceGroup(upperName) ? TPreDecision::DisableChildren : TPreDecision::Skip;
    if (!hasParent || skinned)
        return TPreDecision::Skip;
    return TPreDecision::Go;
}

std::optional<std::string> FindSkinMapping(const std::vector<std::string>& lines, std::string_view className)
{
    const std::string key = Lower(className) + "=";
    for (const std::string& line : lines) {
        const std::string lower = Lower(line);
        if (!lower.starts_with(key))
            continue;
        std::string kind = lower.substr(key.size(), 50);
        if (kind.empty())
            return std::nullopt;
        return kind;
    }
    return std::nullopt;
}

std::optional<TSkinDecision> DecideByMap(const TControlFacts& c, const TDispatchGates& gates,
                                         const std::vector<std::string>& lines)
{
    const std::optional<std::string> kind = FindSkinMapping(lines, c.Name());
    if (!kind)
        return std::nullopt;
    return MappedSkin(*kind, Lower(c.Name()) + "=", c, gates);
}

TSkinDecision DecideControlSkin(const TControlFacts& c, const TDispatchGates& gates,
                                const std::vector<std::string>& lines)
{
    if (std::optional<TSkinDecision> mapped = DecideByMap(c, gates, lines))
        return *mapped;
    static constexpr std::array<std::string_view, 3> Excluded = {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"};
    if (std::find(Excluded.begin(), Excluded.end(), c.Name()) != Excluded.end())
        return NoSkin();
    return ChainSkin(c, gates);
}

std::optional<TSkinDecision> DecideChildSkin(TChildRule rule, const TControlFacts& child, const TDispatchGates& gates)
{
    const bool otherFamily = Contains(child.Name(), "TRZ");
    switch (rule) {
    case TChildRule::EmbedScrollbars:
        if (child.HasScrollBars)
            return Scrollbar();
        return std::nullopt;
    case TChildRule::RadioGroup:
        return otherFamily ? ObjImage(2) : Skin(TSkinKind::RadioButton);
    case TChildRule::CheckGroup:
        return otherFamily ? ObjImage(1) : Skin(TSkinKind::CheckBox);
    case TChildRule::None:
        break;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- native windows

TNativeButton NativeButtonKind(uint32_t style)
{
    constexpr uint32_t Bitmap = 0x80;  // BS_BITMAP
    const uint32_t type = style & 0xF;
    if (type == 0xB)
        return TNativeButton::OwnerDraw;
    if (type == 7 || (style & Bitmap))
        return TNativeButton::None;
    switch (type) {
    case 2:  // check box
    case 3:  // automatic check box
    case 5:  // three-state
    case 6:  // automatic three-state
        return TNativeButton::CheckBox;
    case 4:  // radio button
    case 9:  // automatic radio button
        return TNativeButton::RadioButton;
    default:
        return TNativeButton::PushButton;
    }
}

TWindowDecision DecideWindowSkin(std::string_view className, uint32_t style, const TDispatchGates& g)
{
    constexpr uint32_t TabStop = 0x10000;        // WS_TABSTOP
    constexpr uint32_t SizeGrip = 0x08 | 0x10;   // SBS_SIZEBOX, SBS_SIZEGRIP
    constexpr uint32_t OwnerDrawTabs = 0x2000;   // TCS_OWNERDRAWFIXED
    const std::string name = Lower(className);
    TWindowDecision d;
    auto skin = [&](TSkinKind kind) {
        d.Kind = kind;
        return d;
    };

    if (name == "button") {
        switch (NativeButtonKind(style)) {
        case TNativeButton::None:
            return d;
        case TNativeButton::CheckBox:
            return g.Has(xcCheckBox) ? skin(TSkinKind::CheckBox) : d;
        case TNativeButton::RadioButton:
            return g.Has(xcRadioButton) ? skin(TSkinKind::RadioButton) : d;
        case TNativeButton::PushButton:
            return g.Has(xcButton) ? skin(TSkinKind::Button) : d;
        case TNativeButton::OwnerDraw:
            break;  // judged by its class name, which no row names
        }
    }
    if (name == "combobox" && g.Has(xcCombo)) {
        if ((style & 3) != 1)  // not CBS_SIMPLE
            d.Kind = TSkinKind::ComboBox;
        return d;
    }
    if (name == "comboboxex32" && g.Has(xcCombo)) {
        d.InnerCombo = true;
        return skin(TSkinKind::ComboBox);
    }
    if (name == "scrollbar" && (style & SizeGrip))
        return skin(TSkinKind::Sizer);
    if (name == "systreeview32")
        return d;
    if (name == "#32770" && !(style & TabStop)) {
        d.ChildWindowsFirst = true;
        return skin(TSkinKind::BoxH);
    }
    if (name == "tpanel" || name == "ttntpanel.unicodeclass" || name == "ttntsilentpaintpanel.unicodeclass") {
        d.ChildWindowsFirst = true;
        d.FaceColorToControl = true;
        return d;
    }
    if (name == "tcheckbox" && g.Has(xcCheckBox))
        return skin(TSkinKind::CheckBox);
    if (name == "tcombobox" && g.Has(xcCombo))
        return skin(TSkinKind::ComboBox);
    if (name == "tbutton" && g.Has(xcButton))
        return skin(TSkinKind::Button);
    if (name == "tprogressbar")
        return skin(TSkinKind::Progress);
    if (name == "tsilentpaintpanel") {
        d.FaceColorToControl = true;
        return d;
    }
    if (name == "systabcontrol32" && g.Tabs() && !(style & OwnerDrawTabs))
        return skin(TSkinKind::Tab);
    if (name == "toolbarwindow32")
        return skin(TSkinKind::BoxH);
    if (name == "edit" && g.Has(xcEdit))
        return skin(TSkinKind::Edit);
    return d;
}

#pragma once
// Which control skin a control or a native window gets, and how it is attached: the dispatch's
// decisions as plain functions over a small description of the control (its class names, its
// styles and a few of its properties), the gates of the skin data and the class map. The
// skinned form (skinformdispatch.cpp) gathers the description, walks the controls and does
// what the decision says.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skinkind.h"
#include "skinoptions.h"

// What the skin data lets the dispatch skin.
struct TDispatchGates {
    uint32_t Controls = 0;    // the SkinControls set: bit n for member n
    bool TabsObject = false;  // the skin has a Tabs object
    int DisableTag = 99;
    bool Has(TSkinControlType t) const { return ((Controls >> static_cast<unsigned>(t)) & 1u) != 0; }
    // Every tab skin needs the gate and the skin's Tabs object.
    bool Tabs() const { return Has(xcTab) && TabsObject; }
};

// A toolkit control as the decision sees it.
struct TControlFacts {
    // Its class name and those of its ancestors, upper-case, its own first.
    std::vector<std::string> Chain;
    bool Windowed = false;
    bool HasScrollBars = false;  // a scroll style, or a memo
    bool Bordered = false;       // its window and client rectangles differ in size
    // Properties read by name, lower-case text (empty when absent): a page control's "Style",
    // a date-time picker's "DateMode" and "Kind", any control's "Kind"; "NumButtons" (-1 when
    // absent).
    std::string Style;
    std::string DateMode;
    std::string Kind;
    int NumButtons = -1;

    const std::string& Name() const;
    // The class or one of its ancestors has this (upper-case) name.
    bool Is(std::string_view upperName) const;
};

// How a created skin gets into the control's message path.
enum class TSkinAttach {
    Control,      // InitControl, owned by the control
    Handle,       // InitHandle on the control's window, owned by the control
    Scrollbars,   // the scroll-bar skins' own attach
    SpeedButton,  // the speed-button skin's own attach
};

// The control's children, through the whole dispatch.
enum class TChildWalk {
    None,
    Before,             // before the control's own skin, with the control as their owner
    After,              // after it, the same
    AfterWithoutOwner,  // after it, with no owner
};

// Skins the decision gives the control's children directly.
enum class TChildRule {
    None,
    EmbedScrollbars,  // a scroll-bar skin for each child with scroll bars
    RadioGroup,       // a radio-button skin for each child
    CheckGroup,       // a check-box skin for each child
};

struct TSkinDecision {
    std::optional<TSkinKind> Kind;  // none: the control itself gets no skin
    bool SetColor = false;          // the skin gives the control the skin's face colour
    int Mode = -1;                  // the skin's mode, set before attaching; -1: its own
    int Variant = 0;                // the kind number of the property-driven skins
    TSkinAttach Attach = TSkinAttach::Control;
    TChildWalk Children = TChildWalk::None;
    TChildRule ChildRule = TChildRule::None;  // applied before the control's own skin
    bool SetTransparent = false;    // the control's "Transparent" := True before its skin
    bool PngPicture = false;        // the picture comes from the control's "PngImage"
    bool ComboBoxEx = false;        // the combo-box skin is told it skins a ComboBoxEx
    bool FormComponents = false;    // an embedded form: its components after its skin
};

// What happens before the application is asked about a control.
enum class TPreDecision { Go, Skip, DisableChildren };
// A control carrying the disable tag is skipped (a radio or check group also has its
// children's tags set); so is one without a parent or with a skin already.
TPreDecision PreDecide(const std::string& upperName, int tag, bool hasParent, bool skinned,
                       const TDispatchGates& gates);
// The class name names a group of radio buttons or check boxes.
bool IsChoiceGroup(std::string_view upperName);

// The kind the class map gives a class: the text after the first "=" (at most 50 characters,
// lower-case) of the first line that starts, ignoring case, with the class name and "=".
// None when no line does, or when that line's kind is empty.
std::optional<std::string> FindSkinMapping(const std::vector<std::string>& lines, std::string_view className);
// The decision of the class map (none: no line for the class, the decision goes on).
std::optional<TSkinDecision> DecideByMap(const TControlFacts& c, const TDispatchGates& gates,
                                         const std::vector<std::string>& lines);
// The class map, then the excluded names, then the chain of class tests.
TSkinDecision DecideControlSkin(const TControlFacts& c, const TDispatchGates& gates,
                                const std::vector<std::string>& lines);
// The skin a child gets under a rule of its parent (none: no skin).
std::optional<TSkinDecision> DecideChildSkin(TChildRule rule, const TControlFacts& child,
                                             const TDispatchGates& gates);

// Native windows

// What a "button" window is, by its style's type value (style & 0xF) and BS_BITMAP.
enum class TNativeButton { None, OwnerDraw, CheckBox, RadioButton, PushButton };
TNativeButton NativeButtonKind(uint32_t style);

struct TWindowDecision {
    std::optional<TSkinKind> Kind;
    bool ChildWindowsFirst = false;   // the window's own child windows before it
    bool InnerCombo = false;          // the skin goes to the window's first child
    bool FaceColorToControl = false;  // its toolkit control takes the skin's face colour
};
// `className` as the window's class name reads, in any case.
TWindowDecision DecideWindowSkin(std::string_view className, uint32_t style, const TDispatchGates& gates);

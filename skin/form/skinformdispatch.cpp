// The dispatch: the skinned window hands each child control to its control skin. A toolkit form
// is walked through its components and its tab order; a window without one through its child
// windows. What each control gets is decided in dispatchlayout.cpp; here the controls are
// described, walked, and their skins made and attached.
#include <windows.h>

#include <algorithm>

#include "controlfactory.h"
#include "memo.h"
#include "skinadvpage.h"
#include "skinbutton.h"
#include "skincombox.h"
#include "skincontrol.h"
#include "skinform.h"
#include "skinformdispatch.h"
#include "skinhelpers.h"
#include "skinlistview.h"
#include "skinmessages.h"
#include "skinobjimage.h"
#include "skinscrollbar.h"
#include "skinspeedbutton.h"
#include "winstyle.h"

namespace {

std::vector<std::string> MapLines(const TSkinData& data)
{
    std::vector<std::string> lines;
    if (const TStrings* map = data.Skin3rd())
        for (int i = 0; i < map->Count(); ++i)
            lines.push_back(map->Get(i));
    return lines;
}

// The window's outer size differs from its client size.
bool HasBorder(TWinControl* control)
{
    HWND h = control->WindowHandle();
    RECT w{}, c{};
    if (!h || !GetWindowRect(h, &w) || !GetClientRect(h, &c))
        return false;
    return w.right - w.left != c.right - c.left || w.bottom - w.top != c.bottom - c.top;
}

std::vector<TControl*> ChildrenOf(TWinControl* control)
{
    std::vector<TControl*> list;
    for (int i = 0; i < control->ControlCount(); ++i)
        list.push_back(control->Controls(i));
    return list;
}

bool IsPanel(TControl* control)
{
    return control->ClassType().InheritsFrom("TCustomPanel") || control->ClassType().InheritsFrom("TPanel");
}

}  // namespace

TDispatchGates DispatchGates(const TSkinData& data)
{
    TDispatchGates g;
    g.Controls = data.SkinControls().Mask();
    g.TabsObject = data.FTabs != nullptr;
    g.DisableTag = data.DisableTag();
    return g;
}

TControlFacts DescribeControl(TControl* control)
{
    TControlFacts f;
    for (const TClassInfo* c = &control->ClassType(); c; c = c->Parent)
        f.Chain.push_back(UpperCase(c->Name));
    auto* windowed = As<TWinControl>(control);
    f.Windowed = windowed != nullptr;
    f.HasScrollBars = TSkinForm::HasScrollBars(control);
    f.Bordered = windowed && HasBorder(windowed);
    f.Style = TSkinControl::EnumPropText(control, "Style");
    f.DateMode = TSkinControl::EnumPropText(control, "DateMode");
    f.Kind = TSkinControl::EnumPropText(control, "Kind");
    f.NumButtons = TSkinControl::GetIntPropByName(control, "NumButtons");
    return f;
}

// ---------------------------------------------------------------- toolkit forms

void TSkinForm::SkinAllChildren()
{
    try {
        if (FControl)
            SkinChildControls(FControl);
        else
            SkinChildWindows(Window);
    } catch (...) {
        // The window is skinned without its controls' skins.
    }
}

void TSkinForm::SkinChildControls(TWinControl* form)
{
    if (!form || !FSkinData)
        return;
    PurgeSkinControls();
    SkinComponents(form);
    std::vector<TWinControl*> list;
    form->GetTabOrderList(list);
    for (TWinControl* c : list) {
        if (!c->HandleAllocated() || c->Tag() == FSkinData->DisableTag() || c->Perform(SKM_ISSKINNED) == 1)
            continue;
        CreateControlSkin(c, form);
    }
}

void TSkinForm::SkinComponents(TComponent* component)
{
    if (!component || !FSkinData)
        return;
    std::vector<TControl*> controls;
    for (int i = 0; i < component->ComponentCount(); ++i)
        if (auto* c = As<TControl>(component->Components(i)))
            controls.push_back(c);
    for (TControl* c : controls)
        CreateControlSkin(c, component);
    if (FSkinData->SkinControls().Contains(xcPopupMenu))
        SetPopupMenusOwnerDraw(component, true);
}

void TSkinForm::SkinChildren(TWinControl* control)
{
    if (!control)
        return;
    for (TControl* child : ChildrenOf(control))
        CreateControlSkin(child, control);
}

bool TSkinForm::IsControlSkinned(TControl* control) const
{
    if (!control)
        return false;
    return control->Perform(SKM_ISSKINNED) == 1 || FindSkinControl(control) != nullptr;
}

void TSkinForm::DisableGroupChildren(TControl* control)
{
    auto* windowed = As<TWinControl>(control);
    if (!windowed || !FSkinData || !IsChoiceGroup(UpperCase(control->ClassName())))
        return;
    for (TControl* child : ChildrenOf(windowed))
        child->SetTag(FSkinData->DisableTag());
}

bool TSkinForm::HasScrollBars(TControl* control)
{
    auto* windowed = As<TWinControl>(control);
    if (!windowed)
        return false;
    if (As<TMemo>(control))
        return true;
    HWND h = windowed->WindowHandle();
    return h && (StyleOf(h) & (WS_HSCROLL | WS_VSCROLL)) != 0;
}

void TSkinForm::CreateControlSkin(TControl* control, TComponent* owner)
{
    if (!control || !FSkinData)
        return;
    try {
        const TDispatchGates gates = DispatchGates(*FSkinData);
        const String name = UpperCase(control->ClassName());
        switch (PreDecide(name, control->Tag(), control->Parent() != nullptr, IsControlSkinned(control), gates)) {
        case TPreDecision::DisableChildren:
            DisableGroupChildren(control);
            return;
        case TPreDecision::Skip:
            return;
        case TPreDecision::Go:
            break;
        }
        if (auto* windowed = As<TWinControl>(control); windowed && !windowed->HandleAllocated()) {
            try {
                windowed->HandleNeeded();
            } catch (...) {
                return;  // a control without a window is left alone
            }
        }
        if (AskApplication(control, owner, name) || SkinByMapping(name, control))
            return;
        ApplyDecision(control, DecideControlSkin(DescribeControl(control), gates, {}));
    } catch (...) {
        // One control that cannot be skinned leaves the others to their skins.
    }
}

bool TSkinForm::AskApplication(TControl* control, TComponent* owner, const String& name)
{
    if (!FSkinData->OnSkinControl)
        return false;
    TComponent* skinned = nullptr;
    FSkinData->OnSkinControl(this, FSkinData, As<TControl>(owner), control, name, skinned);
    if (!skinned)
        return false;
    auto* skin = As<TSkinControl>(skinned);
    if (skin && std::find(FSkinControls.begin(), FSkinControls.end(), skin) == FSkinControls.end()) {
        skin->InitControl(this, FSkinData, WorkCanvas(), skin->SetsColor());
        if (IsPanel(control))
            SkinChildren(As<TWinControl>(control));
    }
    return true;
}

bool TSkinForm::SkinByMapping(const String& name, TControl* control)
{
    TControlFacts facts = DescribeControl(control);
    facts.Chain.front() = UpperCase(name);
    const std::optional<TSkinDecision> decision = DecideByMap(facts, DispatchGates(*FSkinData), MapLines(*FSkinData));
    if (!decision)
        return false;
    ApplyDecision(control, *decision);
    return true;
}

void TSkinForm::ApplyDecision(TControl* control, const TSkinDecision& d)
{
    auto* windowed = As<TWinControl>(control);
    if (windowed && d.ChildRule != TChildRule::None)
        ApplyChildRule(windowed, d.ChildRule);
    if (windowed && d.Children == TChildWalk::Before)
        SkinChildren(windowed);
    if (d.Kind)
        AttachControlSkin(control, d);
    if (d.FormComponents)
        SkinComponents(control);
    if (windowed && d.Children == TChildWalk::After)
        SkinChildren(windowed);
    if (windowed && d.Children == TChildWalk::AfterWithoutOwner)
        for (TControl* child : ChildrenOf(windowed))
            CreateControlSkin(child, nullptr);
}

void TSkinForm::ApplyChildRule(TWinControl* control, TChildRule rule)
{
    const TDispatchGates gates = DispatchGates(*FSkinData);
    for (TControl* child : ChildrenOf(control)) {
        if (std::optional<TSkinDecision> d = DecideChildSkin(rule, DescribeControl(child), gates))
            AttachControlSkin(child, *d);
    }
}

TSkinControl* TSkinForm::AttachControlSkin(TControl* control, const TSkinDecision& d)
{
    if (!d.Kind || FindSkinControl(control))
        return nullptr;
    TSkinControl* skin = NewControlSkin(*d.Kind, control);
    if (!skin)
        return nullptr;  // no skin of that kind: the control stays as it is
    try {
        // What a family reads before it attaches.
        if (d.Mode >= 0)
            skin->SetMode(d.Mode);
        if (d.PngPicture) {
            if (auto* speed = As<TSkinSpeedButton>(skin))
                speed->SetSpeedPictureProp("PngImage");
            else if (auto* button = As<TSkinBitButton>(skin))
                button->SetPictureProp("PngImage");
        }
        if (auto* image = As<TSkinObjImage>(skin))
            image->SetKind(d.Variant);
        else if (auto* pages = As<TSkinAdvPage>(skin))
            pages->SetKind(d.Variant);
        if (d.SetTransparent)
            TSkinControl::SetPropText(control, "Transparent", "True");

        switch (d.Attach) {
        case TSkinAttach::Control:
            skin->InitControl(this, FSkinData, WorkCanvas(), d.SetColor);
            break;
        case TSkinAttach::Handle:
            if (auto* windowed = As<TWinControl>(control))
                skin->InitHandle(windowed->Handle(), FSkinData, this, WorkCanvas());
            break;
        case TSkinAttach::Scrollbars:
            if (auto* bars = As<TSkinScrollbar>(skin))
                if (auto* windowed = As<TWinControl>(control))
                    bars->InitScrollbars(windowed, FSkinData, this, WorkCanvas());
            break;
        case TSkinAttach::SpeedButton:
            if (auto* speed = As<TSkinSpeedButton>(skin))
                speed->InitSpeedButton(this, FSkinData, WorkCanvas());
            break;
        }
        if (!skin->Attached()) {
            skin->Free();
            return nullptr;
        }
        if (d.ComboBoxEx)
            if (auto* combo = As<TSkinComBox>(skin))
                combo->SetComboBoxExMode(true);
        return skin;
    } catch (...) {
        skin->Free();
        return nullptr;
    }
}

// ---------------------------------------------------------------- native windows

// A scroll-bar skin's control made a new window: the skin of the old one goes, and one of the
// same family, in the same mode, attaches to the control's new window.
void TSkinForm::Reskin(HWND window)
{
    // From the newest entry back: a later skin listed for the same window is the current one.
    const auto found = std::find_if(FSkinControls.rbegin(), FSkinControls.rend(),
                                    [window](TSkinControl* skin) { return window && skin->Handle() == window; });
    if (found == FSkinControls.rend())
        return;
    TSkinControl* old = *found;
    TControl* control = old->Control();
    TSkinDecision again;
    again.Kind = As<TSkinListView>(old) ? TSkinKind::ListView : TSkinKind::Scrollbar;
    again.Attach = TSkinAttach::Scrollbars;
    again.Mode = old->Mode();
    RemoveSkinControl(old);
    // One still inside a message of its control goes first; the control stays unskinned then.
    const bool waits = old->Busy();
    old->Release(false);
    if (control && FSkinData && !waits)
        AttachControlSkin(control, again);
}

void TSkinForm::SkinChildWindows(HWND window)
{
    if (!window)
        return;
    std::vector<HWND> children;
    for (HWND h = GetTopWindow(window); h; h = GetWindow(h, GW_HWNDNEXT))
        if (StyleOf(h) & WS_CHILD)
            children.push_back(h);
    for (HWND h : children)
        SkinChildWindow(h);
}

void TSkinForm::SkinChildWindow(HWND window)
{
    if (!window || !FSkinData || FindSkinControl(window) || !IsWindow(window))
        return;
    try {
        const uint32_t style = StyleOf(window);
        const TWindowDecision d = DecideWindowSkin(WindowClassName(window), style, DispatchGates(*FSkinData));
        if (d.ChildWindowsFirst)
            SkinChildWindows(window);
        if (d.FaceColorToControl)
            if (TWinControl* control = FindControl(window))
                control->SetColor(FSkinData->FColors[scButtonFace]);
        if (!d.Kind)
            return;
        HWND target = d.InnerCombo ? GetTopWindow(window) : window;
        if (!target || FindSkinControl(target))
            return;
        TSkinControl* skin = NewControlSkin(*d.Kind, this);
        if (!skin)
            return;
        skin->InitHandle(target, FSkinData, this, WorkCanvas());
        if (!skin->Attached())
            skin->Free();
    } catch (...) {
        // The window keeps its own painting.
    }
}

// The scroll-bar skin of a scrolling toolkit control.
#include "skinscrollbar.h"

#include "controldraw.h"
#include "skindata.h"
#include "skinform.h"
#include "skinmessages.h"

namespace {

// An integer or colour published property, which the skin writes as decimal text.
bool HasIntegerProp(TObject* instance, std::string_view name)
{
    const TPropInfo* p = instance ? instance->ClassType().FindProp(name) : nullptr;
    return p && (p->Kind == TPropKind::Integer || p->Kind == TPropKind::Color);
}

}  // namespace

// ---------------------------------------------------------------- the panels of both skins

const TClassInfo& TSkinScrollbarBase::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinScrollbarBase>("TSkinScrollbarBase", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinScrollbarBase::TSkinScrollbarBase(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinScrollbarBase::~TSkinScrollbarBase() { FBars.Free(); }

// The panels are owned components: they go before the base lets go of its owned ones, so no
// pointer to a freed panel is left.
void TSkinScrollbarBase::BeforeDestruction()
{
    FBars.Free();
    TSkinControl::BeforeDestruction();
}

void TSkinScrollbarBase::Unskin()
{
    TSkinControl::Unskin();
    if (FState != stDestroyed)
        FBars.Free();
}

// ---------------------------------------------------------------- a toolkit control's bars

const TClassInfo& TSkinScrollbar::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinScrollbar>("TSkinScrollbar", &TSkinScrollbarBase::StaticClass()).Build();
    return info;
}

TSkinScrollbar::TSkinScrollbar(TComponent* AOwner) : TSkinScrollbarBase(AOwner) {}

void TSkinScrollbar::InitScrollbars(TWinControl* Control, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas)
{
    if (FAttached || !Control)
        return;
    FControl = Control;
    FHandle = Control->Handle();
    FUnicode = IsWindowUnicode(FHandle) != FALSE;
    JoinSkinForm(Form, Data, Canvas);

    FOwnBorder = EnumPropText(Control, "BorderStyle") != "bsnone";
    if (Control->ClassName() == "TImageScrollBox" || FMode == 1)
        FOwnBorder = false;

    if (HasIntegerProp(Control, "FixedColor")) {
        FSavedFixedColor = GetIntPropByName(Control, "FixedColor");
        FFixedColorSaved = true;
        ApplyFixedColor();
    }

    FBars.AttachToControl(this, Control);
    FBars.SetEnabled(Control->Enabled());
    if (!Control->Visible())
        FBars.HideBoth();

    HookWindowProc(Control);
    SetAttached();
}

void TSkinScrollbar::ApplyFixedColor()
{
    if (HasIntegerProp(FControl, "FixedColor"))
        SetPropText(FControl, "FixedColor", IntToStr(static_cast<int>(FaceColor())));
}

void TSkinScrollbar::Unskin()
{
    if (FFixedColorSaved && FState != stDestroyed && HasIntegerProp(FControl, "FixedColor"))
        SetPropText(FControl, "FixedColor", IntToStr(FSavedFixedColor));
    TSkinScrollbarBase::Unskin();
}

void TSkinScrollbar::SkinChanged()
{
    if (FFixedColorSaved)
        ApplyFixedColor();
    TSkinScrollbarBase::SkinChanged();
}

bool TSkinScrollbar::BeforeProc(TMessage& Message)
{
    if (Message.Msg == WM_NCPAINT && FOwnBorder) {
        CallDefault(Message);
        if (HDC dc = GetWindowDC(FHandle)) {
            DrawBorder(dc);
            ReleaseDC(FHandle, dc);
        }
        return false;
    }
    return TSkinScrollbarBase::BeforeProc(Message);
}

void TSkinScrollbar::AfterProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        FBars.PlaceBoth(FHandle);
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        FBars.ScrollRequest(Message);
        break;
    case WM_MOUSEWHEEL:
        FBars.InvalidateShown();
        break;
    case CM_VISIBLECHANGED:
        if (Message.WParam)
            FBars.PlaceBoth(FHandle);
        else
            FBars.HideBoth();
        break;
    case CM_ENABLEDCHANGED:
        if (FControl)
            FBars.SetEnabled(FControl->Enabled());
        break;
    case CM_RECREATEWND:
        // The control has a new window: the skinned form skins it again.
        if (FSkinForm && FSkinForm->Window)
            PostMessageA(FSkinForm->Window, SKM_RESKIN, reinterpret_cast<WPARAM>(FHandle), 0);
        break;
    case SKM_DRAWBORDER:
        if (Message.LParam == SKM_MAGIC) {
            if (Message.WParam)
                DrawBorder(reinterpret_cast<HDC>(Message.WParam));
            Message.Result = SKM_MAGIC;
        }
        break;
    default:
        TSkinScrollbarBase::AfterProc(Message);
    }
}

void TSkinScrollbar::DrawBorder(HDC DC) const
{
    try {
        RECT w;
        if (!GetWindowRect(FHandle, &w))
            return;
        FrameTwoRings(DC, TRect(0, 0, w.right - w.left, w.bottom - w.top), SkinColor(scButtonShadow), FaceColor());
    } catch (...) {
        // The control keeps its own border.
    }
}

void TSkinScrollbar::DrawControl(HDC DC, const TRect& R)
{
    FBars.Revalidate(FHandle);
    // In window coordinates, past the control's two-pixel border.
    FBars.FillCorner(DC, FaceColor(), 2, 2);
}

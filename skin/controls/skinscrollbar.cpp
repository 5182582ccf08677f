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

const TClassInfo& TSkinScrollbar::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinScrollbar>("TSkinScrollbar", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinScrollbar::TSkinScrollbar(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinScrollbar::~TSkinScrollbar() { FBars.Free(); }

// The panels are owned components: they go before the base lets go of its owned ones, so no
// pointer to a freed panel is left.
void TSkinScrollbar::BeforeDestruction()
{
    FBars.Free();
    TSkinControl::BeforeDestruction();
}

void TSkinScrollbar::InitScrollbars(TWinControl* Control, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas)
{
    if (FAttached || !Control)
        return;
    FSkinData = Data;
    FSkinForm = Form;
    FCanvas = Canvas;
    FControl = Control;
    FHandle = Control->Handle();
    FUnicode = IsWindowUnicode(FHandle) != FALSE;
    if (FSkinForm)
        FSkinForm->AddSkinControl(this);

    String border;
    GetEnumPropText(Control, "BorderStyle", border);
    FOwnBorder = LowerCase(border) != "bsnone";
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

    FOldWindowProc = Control->WindowProc;
    Control->WindowProc = TWndMethod(static_cast<TSkinControl*>(this), &TSkinControl::SkinWndProc);
    FAttached = true;
    FState = stAttached;
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
    TSkinControl::Unskin();
    if (FState != stDestroyed)
        FBars.Free();
}

void TSkinScrollbar::SkinChanged()
{
    if (FFixedColorSaved)
        ApplyFixedColor();
    TSkinControl::SkinChanged();
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
    return TSkinControl::BeforeProc(Message);
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
        TSkinControl::AfterProc(Message);
    }
}

void TSkinScrollbar::DrawBorder(HDC DC) const
{
    try {
        RECT w;
        if (!GetWindowRect(FHandle, &w))
            return;
        TRect r(0, 0, w.right - w.left, w.bottom - w.top);
        TGdiObject<HBRUSH> shadow(CreateSolidBrush(ColorToRGB(FSkinData ? FSkinData->FColors[scButtonShadow] : clBtnShadow)));
        TGdiObject<HBRUSH> face(CreateSolidBrush(ColorToRGB(FaceColor())));
        FrameRect(DC, &r, shadow.Get());
        InflateRect(&r, -1, -1);
        FrameRect(DC, &r, face.Get());
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

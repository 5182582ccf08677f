#include "statusbar.h"

#include <commctrl.h>

#include <algorithm>

#include "comctrls.h"
#include "forms.h"

const TEnumInfo StatusPanelStyleInfo{"TStatusPanelStyle", {"psText", "psOwnerDraw"}};
const TEnumInfo StatusPanelBevelInfo{"TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"}};

namespace {

// Passes the application's hint to the status bars that show it. One per module: it sits in
// the application's OnHint and still calls the handler that was there before it.
class THintRelay : public TObject {
public:
    void Add(TCustomStatusBar* bar)
    {
        if (std::find(FBars.begin(), FBars.end(), bar) == FBars.end())
            FBars.push_back(bar);
        Install();
    }
    void Remove(TCustomStatusBar* bar)
    {
        FBars.erase(std::remove(FBars.begin(), FBars.end(), bar), FBars.end());
        if (FBars.empty())
            Uninstall();
    }

private:
    TNotifyEvent Mine() { return TNotifyEvent(this, &THintRelay::HintChanged); }

    void Install()
    {
        if (FInstalled || !Application)
            return;
        FPrevious = Application->OnHint == Mine() ? TNotifyEvent() : Application->OnHint;
        Application->OnHint = Mine();
        FInstalled = true;
    }
    void Uninstall()
    {
        if (!FInstalled)
            return;
        // Someone who came later and kept us in their chain keeps us there.
        if (Application && Application->OnHint == Mine())
            Application->OnHint = FPrevious;
        FInstalled = false;
    }

    void HintChanged(TObject* sender)
    {
        if (FInHint)
            return;  // a later handler that chains back to us
        TScopedFlag inHint(FInHint);
        Fire(FPrevious, sender);
        Deliver();
    }

    // The bars on the form under the mouse get the hint; an empty hint clears them all.
    void Deliver()
    {
        if (!Application)
            return;
        String hint = Application->Hint();
        TCustomForm* target = GetParentForm(Application->MouseControl());
        std::vector<TCustomStatusBar*> bars = FBars;
        for (TCustomStatusBar* bar : bars) {
            if (std::find(FBars.begin(), FBars.end(), bar) == FBars.end())
                continue;  // gone in an earlier bar's handler
            if (hint.empty() || !target || GetParentForm(bar) == target)
                bar->ShowHintText(hint);
        }
    }

    std::vector<TCustomStatusBar*> FBars;
    TNotifyEvent FPrevious;
    bool FInstalled = false;
    bool FInHint = false;
};

// Never freed: a status bar may still leave it while the module's statics are going.
THintRelay& HintRelay()
{
    static THintRelay* relay = new THintRelay;
    return *relay;
}

}  // namespace

// ---------------------------------------------------------------- TStatusPanel

const TClassInfo& TStatusPanel::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TStatusPanel>("TStatusPanel", &TCollectionItem::StaticClass())
            .Prop("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
            .Prop("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
            .EnumProp<TAlignment>("Alignment", AlignmentInfo, &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
            .EnumProp<TStatusPanelStyle>("Style", StatusPanelStyleInfo, &TStatusPanel::Style, &TStatusPanel::SetStyle)
            .EnumProp<TStatusPanelBevel>("Bevel", StatusPanelBevelInfo, &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
            .EnumProp<TBiDiMode>("BiDiMode", BiDiModeInfo, &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode)
            .Prop("ParentBiDiMode", &TStatusPanel::ParentBiDiMode, &TStatusPanel::SetParentBiDiMode)
            .Build();
    return info;
}

TBiDiMode TStatusPanel::BiDiMode() const
{
    auto* panels = static_cast<TStatusPanels*>(Collection());
    if (FParentBiDiMode && panels && panels->Bar())
        return panels->Bar()->BiDiMode();
    return FBiDiMode;
}

void TStatusPanel::SetBiDiMode(TBiDiMode v)
{
    FBiDiMode = v;
    FParentBiDiMode = false;
    Changed();
}

void TStatusPanel::SetParentBiDiMode(bool v)
{
    FParentBiDiMode = v;
    Changed();
}

void TStatusPanel::SetWidth(int v)
{
    FWidth = std::max(v, 0);
    Changed();
}

// ---------------------------------------------------------------- TStatusPanels

const TClassInfo& TStatusPanels::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStatusPanels>("TStatusPanels", &TCollection::StaticClass()).Build();
    return info;
}

TStatusPanels::TStatusPanels(TCustomStatusBar* bar)
    : TCollection([](TCollection* c) -> TCollectionItem* {
          // The bar hears of the new panel only once it is whole.
          c->BeginUpdate();
          TStatusPanel* p = nullptr;
          try {
              p = new TStatusPanel(c);
          } catch (...) {
              c->EndUpdate();
              throw;
          }
          c->EndUpdate();
          return p;
      }),
      FBar(bar)
{
}

void TStatusPanels::Update(TCollectionItem* item)
{
    TCollection::Update(item);
    FBar->UpdatePanels();
}

// ---------------------------------------------------------------- TCustomStatusBar

const TClassInfo& TCustomStatusBar::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomStatusBar>("TCustomStatusBar", &TWinControl::StaticClass())
            .ObjectProp<TStatusPanels>("Panels", &TCustomStatusBar::Panels)
            .Prop("SimplePanel", &TCustomStatusBar::SimplePanel, &TCustomStatusBar::SetSimplePanel)
            .Prop("SimpleText", &TCustomStatusBar::SimpleText, &TCustomStatusBar::SetSimpleText)
            .Prop("AutoHint", &TCustomStatusBar::AutoHint, &TCustomStatusBar::SetAutoHint)
            .Prop("SizeGrip", &TCustomStatusBar::SizeGrip, &TCustomStatusBar::SetSizeGrip)
            .Event("OnDrawPanel", &TCustomStatusBar::OnDrawPanel)
            .Build();
    return info;
}

const TClassInfo& TStatusBar::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TStatusBar>("TStatusBar", &TCustomStatusBar::StaticClass()).Creatable().Build();
    return info;
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TWinControl(owner),
      FPanels(std::make_unique<TStatusPanels>(this)),
      FCanvas(std::make_unique<TControlCanvas>(this))
{
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    StoreBounds(0, 0, 200, 19);
    SetAlign(alBottom);
    SetColor(clBtnFace);
}

TCustomStatusBar::~TCustomStatusBar() { HintRelay().Remove(this); }

void TCustomStatusBar::BeforeDestruction()
{
    HintRelay().Remove(this);
    TWinControl::BeforeDestruction();
}

void TCustomStatusBar::CreateParams(TCreateParams& p)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(p);
    p.SysClassName = STATUSCLASSNAMEA;
    // The toolkit places the bar (Align), not the window itself.
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
    auto* form = As<TCustomForm>(Parent());
    if (FSizeGrip && form && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin))
        p.Style |= SBARS_SIZEGRIP;
}

void TCustomStatusBar::InitializeWnd()
{
    TWinControl::InitializeWnd();
    UpdatePanels();
}

void TCustomStatusBar::UpdatePanels()
{
    HWND h = WindowHandle();
    if (!h)
        return;
    if (InSimpleMode()) {
        SendMessageA(h, SB_SIMPLE, TRUE, 0);
        SendMessageA(h, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
        return;
    }
    SendMessageA(h, SB_SIMPLE, FALSE, 0);
    int n = std::min(FPanels->Count(), 256);
    std::vector<int> rights(static_cast<size_t>(n));
    int x = 0;
    for (int i = 0; i < n; ++i) {
        x += FPanels->Items(i)->Width();
        rights[static_cast<size_t>(i)] = x;
    }
    rights.back() = -1;  // the last panel takes the rest of the bar
    SendMessageA(h, SB_SETPARTS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(rights.data()));
    for (int i = 0; i < n; ++i) {
        TStatusPanel* panel = FPanels->Items(i);
        WPARAM flags = static_cast<WPARAM>(i);
        if (panel->Bevel() == pbNone)
            flags |= SBT_NOBORDERS;
        else if (panel->Bevel() == pbRaised)
            flags |= SBT_POPOUT;
        if (panel->Style() == psOwnerDraw) {
            SendMessageA(h, SB_SETTEXTA, flags | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(panel));
            continue;
        }
        // A tab before the text centres it, two put it on the right.
        String text = panel->Alignment() == taCenter         ? "\t" + panel->Text()
                      : panel->Alignment() == taRightJustify ? "\t\t" + panel->Text()
                                                             : panel->Text();
        SendMessageA(h, SB_SETTEXTA, flags, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TCustomStatusBar::SetSimpleText(const String& v)
{
    if (v == FSimpleText)
        return;
    FSimpleText = v;
    if (InSimpleMode())
        UpdatePanels();
}

void TCustomStatusBar::SetAutoHint(bool v)
{
    FAutoHint = v;
    if (v)
        HintRelay().Add(this);
    else
        HintRelay().Remove(this);
}

void TCustomStatusBar::ShowHintText(const String& hint)
{
    if (InSimpleMode())
        SetSimpleText(hint);
    else
        FPanels->Items(0)->SetText(hint);
}

void TCustomStatusBar::HandleDrawItem(TMessage& m)
{
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (!d)
        return;
    int index = static_cast<int>(d->itemID);
    TStatusPanel* panel = index >= 0 && index < FPanels->Count() ? FPanels->Items(index) : nullptr;
    TCanvasPaintScope scope(FCanvas.get(), this, d->hDC);
    DrawPanel(panel, d->rcItem);
    m.Result = TRUE;
}

void TCustomStatusBar::Dispatch(TMessage& m)
{
    if (m.Msg == CN_DRAWITEM) {
        HandleDrawItem(m);
        return;
    }
    TWinControl::Dispatch(m);
}

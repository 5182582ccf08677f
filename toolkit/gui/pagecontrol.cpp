#include "pagecontrol.h"

#include <commctrl.h>

#include <algorithm>

#include "comctrls.h"
#include "forms.h"

const TEnumInfo TabStyleInfo{"TTabStyle", {"tsTabs", "tsButtons", "tsFlatButtons"}};
const TEnumInfo TabPositionInfo{"TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}};

// ---------------------------------------------------------------- TCustomTabControl

const TClassInfo& TCustomTabControl::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomTabControl>("TCustomTabControl", &TWinControl::StaticClass())
            .EnumProp<TTabStyle>("Style", TabStyleInfo, &TCustomTabControl::Style, &TCustomTabControl::SetStyle)
            .EnumProp<TTabPosition>("TabPosition", TabPositionInfo, &TCustomTabControl::TabPosition,
                                    &TCustomTabControl::SetTabPosition)
            .Prop("MultiLine", &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine)
            .Event("OnChange", &TCustomTabControl::OnChange)
            .Event("OnChanging", &TCustomTabControl::OnChanging)
            .Build();
    return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csDoubleClicks};
    StoreBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
    // Follows its parent's colour, so a form recoloured by a skin carries its children along.
    SetParentColor(true);
}

void TCustomTabControl::CreateParams(TCreateParams& p)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(p);
    p.SysClassName = WC_TABCONTROLA;
    p.Style |= FStyle == tsTabs ? TCS_TABS : TCS_BUTTONS;
    if (FStyle == tsFlatButtons)
        p.Style |= TCS_FLATBUTTONS;
    if (FMultiLine)
        p.Style |= TCS_MULTILINE;
    switch (FTabPosition) {
    case tpBottom: p.Style |= TCS_BOTTOM; break;
    case tpLeft: p.Style |= TCS_VERTICAL | TCS_MULTILINE; break;  // side tabs need rows
    case tpRight: p.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
    default: break;
    }
}

void TCustomTabControl::InitializeWnd()
{
    TWinControl::InitializeWnd();
    FillTabs();
}

void TCustomTabControl::FillTabs()
{
    HWND h = WindowHandle();
    SendMessageA(h, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < FTabs.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(FTabs[i].c_str());
        if (SendMessageA(h, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item)) < 0)
            throw EOutOfResources("Cannot add the tab '" + FTabs[i] + "' to '" + Name() + "'");
    }
    SendMessageA(h, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
}

void TCustomTabControl::SetTabs(const std::vector<String>& texts, int selected)
{
    FTabs = texts;
    FTabIndex = selected;
    if (!WindowHandle())
        return;
    FillTabs();
    Realign();  // the tabs may take another number of rows
}

int TCustomTabControl::TabIndex() const
{
    if (HWND h = WindowHandle())
        return static_cast<int>(SendMessageA(h, TCM_GETCURSEL, 0, 0));
    return FTabIndex;
}

void TCustomTabControl::SetTabIndex(int v)
{
    FTabIndex = v >= 0 && v < TabCount() ? v : -1;
    if (HWND h = WindowHandle())
        SendMessageA(h, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
}

TRect TCustomTabControl::DisplayRect() const
{
    TRect r = ClientRect();
    AdjustClientRect(r);
    return r;
}

void TCustomTabControl::AdjustClientRect(TRect& r) const
{
    HWND h = WindowHandle();
    if (!h)
        return;
    RECT a = r;
    SendMessageA(h, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&a));
    if (a.right < a.left)
        a.right = a.left;
    if (a.bottom < a.top)
        a.bottom = a.top;
    r = a;
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    Fire(OnChanging, this, allow);
    return allow;
}

void TCustomTabControl::Dispatch(TMessage& m)
{
    if (m.Msg == CN_NOTIFY) {
        if (const NMHDR* h = NotifyHeader(m)) {
            if (h->code == static_cast<UINT>(TCN_SELCHANGING)) {
                m.Result = CanChange() ? FALSE : TRUE;
                return;
            }
            if (h->code == static_cast<UINT>(TCN_SELCHANGE)) {
                FTabIndex = TabIndex();
                Change();
                return;
            }
        }
    }
    TWinControl::Dispatch(m);
    if (m.Msg == CM_FONTCHANGED)
        Realign();  // taller text, taller tabs
}

// ---------------------------------------------------------------- TTabSheet

const TClassInfo& TTabSheet::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTabSheet>("TTabSheet", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("Caption", &TTabSheet::GetText, &TTabSheet::SetText)
                                       .Prop("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
                                       .Prop("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
                                       .Build();
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
    // A page fills the display area while it is the active one; the others are hidden.
    SetAlign(alClient);
    SetVisible(false);
    SetParentColor(true);
}

TTabSheet::~TTabSheet()
{
    // Deleted without Free: the page control must not keep it.
    if (FPageControl)
        FPageControl->RemovePage(this);
}

void TTabSheet::BeforeDestruction()
{
    if (!FControlDestroying && FPageControl)
        FPageControl->RemovePage(this);
    TWinControl::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* v) { SetParent(v); }

void TTabSheet::SetParent(TWinControl* parent)
{
    auto* pages = As<TPageControl>(parent);
    if (FPageControl && FPageControl != pages)
        FPageControl->RemovePage(this);
    TWinControl::SetParent(parent);
    if (pages && FPageControl != pages)
        pages->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl)
        return -1;
    auto& v = FPageControl->FPages;
    return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TTabSheet::SetPageIndex(int v)
{
    if (FPageControl)
        FPageControl->MovePage(this, v);
}

int TTabSheet::TabIndex() const
{
    if (!FPageControl || !FTabVisible)
        return -1;
    int tab = 0;
    for (TTabSheet* p : FPageControl->FPages) {
        if (p == this)
            return tab;
        if (p->FTabVisible)
            ++tab;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool v)
{
    if (v == FTabVisible)
        return;
    FTabVisible = v;
    if (!FPageControl)
        return;
    if (!v && FPageControl->FActivePage == this)
        FPageControl->SetActivePage(FPageControl->FindNextPage(this, true));
    FPageControl->UpdateTabs();
}

void TTabSheet::TextChanged()
{
    TWinControl::TextChanged();
    if (FPageControl)
        FPageControl->UpdateTabs();
}

// ---------------------------------------------------------------- TPageControl

const TClassInfo& TPageControl::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPageControl>("TPageControl", &TCustomTabControl::StaticClass())
            .Creatable()
            .ComponentProp<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
            .Prop("TabIndex", &TPageControl::TabIndex, &TPageControl::SetTabIndex)
            .Build();
    return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

void TPageControl::InsertPage(TTabSheet* page)
{
    FPages.push_back(page);
    page->FPageControl = this;
    UpdateTabs();
    // The first page shows at once; a form file names its active page itself.
    if (!FActivePage && page->FTabVisible && !Loading() && !page->Loading())
        SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page)
{
    auto at = std::find(FPages.begin(), FPages.end(), page);
    if (at == FPages.end())
        return;
    TTabSheet* next = nullptr;
    if (page == FActivePage && !FControlDestroying)
        next = FindNextPage(page, true);
    FPages.erase(at);
    page->FPageControl = nullptr;
    if (page == FActivePage) {
        FActivePage = nullptr;
        if (next)
            SetActivePage(next);
    }
    UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index)
{
    auto at = std::find(FPages.begin(), FPages.end(), page);
    if (at == FPages.end())
        return;
    FPages.erase(at);
    index = std::clamp(index, 0, static_cast<int>(FPages.size()));
    FPages.insert(FPages.begin() + index, page);
    UpdateTabs();
}

void TPageControl::UpdateTabs()
{
    if (FControlDestroying)
        return;
    std::vector<String> texts;
    for (TTabSheet* p : FPages)
        if (p->FTabVisible)
            texts.push_back(p->GetText());
    SetTabs(texts, FActivePage ? FActivePage->TabIndex() : -1);
}

TTabSheet* TPageControl::PageForTab(int tab) const
{
    if (tab < 0)
        return nullptr;
    for (TTabSheet* p : FPages)
        if (p->FTabVisible && tab-- == 0)
            return p;
    return nullptr;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool forward) const
{
    int n = PageCount();
    if (n == 0)
        return nullptr;
    auto at = std::find(FPages.begin(), FPages.end(), current);
    int start = at == FPages.end() ? (forward ? n - 1 : 0) : static_cast<int>(at - FPages.begin());
    int i = start;
    do {
        i = forward ? (i + 1) % n : (i - 1 + n) % n;
        if (FPages[static_cast<size_t>(i)] != current && FPages[static_cast<size_t>(i)]->FTabVisible)
            return FPages[static_cast<size_t>(i)];
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool forward)
{
    TTabSheet* page = FindNextPage(FActivePage, forward);
    if (page && page != FActivePage && CanChange()) {
        SetActivePage(page);
        Change();
    }
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->FPageControl != this)
        throw EInvalidOperation("Page '" + page->Name() + "' is not a page of '" + Name() + "'");
    if (page == FActivePage)
        return;
    TTabSheet* old = FActivePage;
    FActivePage = page;
    ShowActive(old);
    TCustomTabControl::SetTabIndex(page ? page->TabIndex() : -1);
}

void TPageControl::ShowActive(TTabSheet* old)
{
    if (FActivePage)
        FActivePage->SetVisible(true);  // shown before the old one hides: no flash of the empty area
    if (!old)
        return;
    // The focus must not stay on a control that is about to be hidden.
    TCustomForm* form = GetParentForm(this);
    if (form && form->FocusedControl() && old->ContainsControl(form->FocusedControl()) && CanFocus() &&
        HandleAllocated())
        SetFocus();
    old->SetVisible(false);
}

void TPageControl::SetActivePageIndex(int v)
{
    SetActivePage(v >= 0 && v < PageCount() ? Pages(v) : nullptr);
}

void TPageControl::SetTabIndex(int v) { SetActivePage(PageForTab(v)); }

void TPageControl::Change()
{
    // The user picked a tab: its page comes to the front before the handler runs.
    TTabSheet* page = PageForTab(TabIndex());
    if (page != FActivePage) {
        TTabSheet* old = FActivePage;
        FActivePage = page;
        ShowActive(old);
    }
    TCustomTabControl::Change();
}

void TPageControl::Loaded()
{
    TCustomTabControl::Loaded();
    if (!FActivePage)
        SetActivePage(FindNextPage(nullptr, true));
    for (TTabSheet* p : FPages)
        p->SetVisible(p == FActivePage);
    UpdateTabs();
}

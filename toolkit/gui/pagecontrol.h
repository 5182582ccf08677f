#pragma once
// Tabs over the system SysTabControl32 window, and the page control whose pages (TTabSheet)
// are its children: each page's caption is its tab's text, the active page fills the display
// area and the others are hidden. A page holds any control, a form too.
#include <vector>

#include "controls.h"

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
extern const TEnumInfo TabStyleInfo;
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
extern const TEnumInfo TabPositionInfo;

using TTabChangingEvent = TMethod<void(TObject* Sender, bool& AllowChange)>;

class TCustomTabControl : public TWinControl {
    TK_CLASS(TCustomTabControl, TWinControl)
public:
    explicit TCustomTabControl(TComponent* owner);

    // The selected tab (-1: none).
    int TabIndex() const;
    virtual void SetTabIndex(int v);
    int TabCount() const { return static_cast<int>(FTabs.size()); }
    TK_PROPERTY(TTabStyle, Style, RecreateWnd());
    TK_PROPERTY(TTabPosition, TabPosition, RecreateWnd());
    TK_PROPERTY(bool, MultiLine, RecreateWnd());
    // The area below (beside) the tabs, in client coordinates.
    TRect DisplayRect() const;

    // The user picked another tab; OnChanging may refuse first.
    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void AdjustClientRect(TRect& r) const override;

protected:
    void CreateParams(TCreateParams& p) override;
    void InitializeWnd() override;
    void Dispatch(TMessage& m) override;
    virtual bool CanChange();
    virtual void Change() { Fire(OnChange, this); }
    // Replaces the tab texts (and selects `selected`).
    void SetTabs(const std::vector<String>& texts, int selected);

private:
    void FillTabs();

    std::vector<String> FTabs;
    int FTabIndex = -1;  // while there is no window
    TTabStyle FStyle = tsTabs;
    TTabPosition FTabPosition = tpTop;
    bool FMultiLine = false;
};

class TPageControl;

class TTabSheet : public TWinControl {
    TK_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    void BeforeDestruction() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* v);
    // The place among the page control's pages.
    int PageIndex() const;
    void SetPageIndex(int v);
    // The place among the visible tabs (-1 while the tab is hidden).
    int TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);

    // Becoming a child of a page control makes this one of its pages.
    void SetParent(TWinControl* parent) override;

protected:
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

class TPageControl : public TCustomTabControl {
    TK_CLASS(TPageControl, TCustomTabControl)
public:
    explicit TPageControl(TComponent* owner);

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int i) const { return FPages.at(static_cast<size_t>(i)); }
    // The page shown; setting it shows that page without OnChange.
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
    void SetActivePageIndex(int v);
    // Selecting a tab shows its page.
    void SetTabIndex(int v) override;
    // The next (previous) page with a visible tab after `current`, wrapping around.
    TTabSheet* FindNextPage(TTabSheet* current, bool forward) const;
    void SelectNextPage(bool forward);

protected:
    void Loaded() override;
    void Change() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    // Rebuilds the tabs from the pages (after a page, a caption or a tab's visibility changed).
    void UpdateTabs();
    TTabSheet* PageForTab(int tab) const;
    void ShowActive(TTabSheet* old);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

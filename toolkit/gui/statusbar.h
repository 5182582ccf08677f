#pragma once
// The status bar over the system msctls_statusbar32 window: panels of given widths (the last
// one reaching the right edge), or one simple panel; with AutoHint it shows the application's
// current hint.
#include <memory>

#include "controls.h"

enum TStatusPanelStyle { psText, psOwnerDraw };
extern const TEnumInfo StatusPanelStyleInfo;
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
extern const TEnumInfo StatusPanelBevelInfo;

class TCustomStatusBar;
class TStatusPanel;

using TDrawPanelEvent = TMethod<void(TCustomStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TStatusPanel : public TCollectionItem {
    TK_CLASS(TStatusPanel, TCollectionItem)
public:
    explicit TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

    TK_PROPERTY(String, Text, Changed());
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TK_PROPERTY(TAlignment, Alignment, Changed());
    TK_PROPERTY(TStatusPanelStyle, Style, Changed());
    TK_PROPERTY(TStatusPanelBevel, Bevel, Changed());
    // Reading order: the panel's own, or while ParentBiDiMode is on, its bar's.
    TBiDiMode BiDiMode() const;
    void SetBiDiMode(TBiDiMode v);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool v);

private:
    String FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelStyle FStyle = psText;
    TStatusPanelBevel FBevel = pbLowered;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
};

class TStatusPanels : public TCollection {
    TK_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TCustomStatusBar* bar);
    TStatusPanel* Items(int i) const { return static_cast<TStatusPanel*>(TCollection::Items(i)); }
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TCustomStatusBar* Bar() const { return FBar; }

protected:
    void Update(TCollectionItem* item) override;

private:
    TCustomStatusBar* FBar;
};

class TCustomStatusBar : public TWinControl {
    TK_CLASS(TCustomStatusBar, TWinControl)
public:
    explicit TCustomStatusBar(TComponent* owner);
    ~TCustomStatusBar() override;
    void BeforeDestruction() override;

    TStatusPanels* Panels() const { return FPanels.get(); }
    // One panel over the whole width showing SimpleText (also when there are no panels).
    TK_PROPERTY(bool, SimplePanel, UpdatePanels());
    const String& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const String& v);
    // Shows the application's hint (the control under the mouse) in the first panel, or as the
    // simple text.
    bool AutoHint() const { return FAutoHint; }
    void SetAutoHint(bool v);
    // The grip shows only at the bottom of a sizeable form.
    TK_PROPERTY(bool, SizeGrip, RecreateWnd());
    // The canvas owner-drawn panels are painted on, valid inside OnDrawPanel.
    TCanvas* Canvas() const { return FCanvas.get(); }

    // Puts the panels and texts into the window.
    void UpdatePanels();
    // What AutoHint does with a hint.
    void ShowHintText(const String& hint);

    TDrawPanelEvent OnDrawPanel;

protected:
    void CreateParams(TCreateParams& p) override;
    void InitializeWnd() override;
    void Dispatch(TMessage& m) override;
    virtual void DrawPanel(TStatusPanel* panel, const TRect& rect) { Fire(OnDrawPanel, this, panel, rect); }

private:
    bool InSimpleMode() const { return FSimplePanel || FPanels->Count() == 0; }
    void HandleDrawItem(TMessage& m);

    std::unique_ptr<TStatusPanels> FPanels;
    std::unique_ptr<TControlCanvas> FCanvas;
    bool FSimplePanel = false;
    String FSimpleText;
    bool FAutoHint = false;
    bool FSizeGrip = true;
};

class TStatusBar : public TCustomStatusBar {
    TK_CLASS(TStatusBar, TCustomStatusBar)
public:
    using TCustomStatusBar::TCustomStatusBar;
};

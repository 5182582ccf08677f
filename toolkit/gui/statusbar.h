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

    const String& Text() const { return FText; }
    void SetText(const String& v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle v);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel v);

private:
    String FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelStyle FStyle = psText;
    TStatusPanelBevel FBevel = pbLowered;
};

class TStatusPanels : public TCollection {
    TK_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TCustomStatusBar* bar);
    TStatusPanel* Items(int i) const { return static_cast<TStatusPanel*>(TCollection::Items(i)); }
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }

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
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool v);
    const String& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const String& v);
    // Shows the application's hint (the control under the mouse) in the first panel, or as the
    // simple text.
    bool AutoHint() const { return FAutoHint; }
    void SetAutoHint(bool v);
    // The grip shows only at the bottom of a sizeable form.
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool v);
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

#pragma once
// The tab skins:
//   TSkinTab    repaints a tab control or page control, its tabs on any side: the strip of
//               tabs from the skin's Tabs picture (frame 1 a tab, 2 the current one) with each
//               tab's text and image-list glyph, and the pane from the Tabs "Border" picture or
//               Tab.Pane. Left and right strips are built lying down and turned at the end, so
//               the texts read along the strip. A page control with Tag 7777 and its tabs on
//               top gets a close box on every tab; the control's tab-scrolling up-down gets its
//               own skin and is never painted over.
//   TSkinTab31  paints a tab set (window class "TTABSET") with the Tabs picture upside down.
//
// The pictures are private copies, flipped or turned for the side; each change of skin makes
// fresh copies.
#include <vector>

#include "skincontrol.h"

class TSkinUpDown;

// The Tag that gives a top-tab page control close boxes on its tabs.
constexpr int TabCloseBoxTag = 7777;

class TSkinTab : public TSkinControl {
    TK_CLASS(TSkinTab, TSkinControl)
public:
    explicit TSkinTab(TComponent* AOwner);
    ~TSkinTab() override;

    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    void InitHandle(HWND Wnd, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas) override;
    void SkinChanged() override;
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

    int TabPosition() const { return FTabPosition; }
    bool CloseButtons() const { return FCloseButtons; }
    // One per tab, in strip coordinates, as last painted.
    const std::vector<TRect>& CloseRects() const { return FCloseRects; }
    TSkinUpDown* ScrollSkin() const { return FScrollSkin; }

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    void ReadTabPosition();
    void PrepareBitmaps();
    // Gives the tab-scrolling up-down its skin (once); true while it shows.
    bool AttachScrollUpDown();
    void DrawStrip(HDC DC, const TRect& R, const TRect& Pane);
    void DrawPane(HDC DC, const TRect& Pane);
    void DrawTabFrame(HDC DC, const TRect& Rect, int State);
    void DrawCloseButton(const TRect& Rect, int Index);
    void CopyStripClipped(HDC DC, const TRect& Strip);
    // A press on a close box; true when one was hit.
    bool ClickCloseButton(TMessage& Message);
    // The page of a tab is freed once the click that closed it has been handled.
    void ScheduleClose(int TabIndex);
    // Text and image index of a tab, through the control's own (wide or 8-bit) message.
    void ReadTab(int Index, std::wstring& Text, int& Image) const;

    std::vector<TRect> FCloseRects;
    int FTabPosition = 0;
    TBitmap FTabBitmap;
    TBitmap FPaneBitmap;
    TBitmap FStripBitmap;
    TSkinUpDown* FScrollSkin = nullptr;  // owned by our owner
    bool FCloseButtons = false;
};

class TSkinTab31 : public TSkinControl {
    TK_CLASS(TSkinTab31, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    // Attaches by handle to the control's window (the tab set is the owner).
    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    void SkinChanged() override;
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

private:
    void PrepareBitmap();
    // The tab set's scroll buttons show (a visible child window).
    bool ScrollButtonsShown() const;

    TBitmap FTabBitmap;
};

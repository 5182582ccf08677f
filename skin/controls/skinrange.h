#pragma once
// The skins of the range controls:
//   TSkinTrackBar  lets the track bar paint itself and answers its custom-draw notifications:
//                  the channel from the skin's Track (TRACKVERT for a vertical bar) picture,
//                  the thumb from Trackbar.ThumbHorz / Trackbar.ThumbVert; tick marks stay.
//   TSkinUpDown    paints both arrow buttons of an up-down from UpDown.Horz / UpDown.Vert and
//                  their glyph pictures, or plainly without them. Other skins make one for the
//                  up-down they contain (a tab control's scroller, an edit's spin):
//                      auto* s = new TSkinUpDown(owner);
//                      s->InitHandle(upDownWindow, data, form, canvas);
//                      s->SetInEdit(true);  // inside an edit: arrows kept off its border
//   TSkinProgress  paints a progress bar from the Progress picture: an empty and a full frame,
//                  or a bar with Progress.Chunk pieces.
#include "skincontrol.h"

class TDataSkinObject;

class TSkinTrackBar : public TSkinControl {
    TK_CLASS(TSkinTrackBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    // Repaints with the new pictures; the focus stays where it is.
    void SkinChanged() override;
    bool BeforeProc(TMessage& Message) override;
    // The answer to one NM_CUSTOMDRAW notification of the track bar.
    LRESULT CustomDraw(const NMCUSTOMDRAW& Draw);

private:
    void DrawChannel(HDC DC);
    void DrawThumb(HDC DC);
};

class TSkinUpDown : public TSkinControl {
    TK_CLASS(TSkinUpDown, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool InEdit() const { return FInEdit; }
    void SetInEdit(bool v) { FInEdit = v; }

    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

private:
    // Directions 0 up, 1 down, 2 left, 3 right; states 1 normal, 2 pressed, 3 disabled, 4 hot.
    // Without arrow pictures the buttons are drawn with DrawPlainArrow.
    void DrawSkinArrow(HDC DC, const TRect& Rect, int Direction, int State);
    TDataSkinObject* ArrowObject(bool Horizontal) const;

    bool FInEdit = false;
};

class TSkinProgress : public TSkinControl {
    TK_CLASS(TSkinProgress, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

private:
    void DrawChunks(HDC DC, const TRect& R);
    bool Vertical() const;
};

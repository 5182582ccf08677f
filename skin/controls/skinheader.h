#pragma once
// The header skin: a header control (a list view's column header, or one of its own) painted
// section by section from the skin's header picture, the section under the pointer hot, each
// with its image-list picture and its text. A skin without a header picture leaves the header
// to paint itself.
#include <vector>

#include "skincontrol.h"

class TSkinHeader : public TSkinControl {
    TK_CLASS(TSkinHeader, TSkinControl)
public:
    explicit TSkinHeader(TComponent* AOwner);

    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    void InitHandle(HWND Wnd, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas) override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

    int HotSection() const { return FHotSection; }
    // Where each section counts as under the pointer, from the last paint.
    const std::vector<TRect>& HitRects() const { return FHitRects; }

private:
    TDataSkinObject* Headerbar() const;
    // Section i into the header picture at S.
    void DrawSection(HDC DC, HFONT Font, HIMAGELIST Images, int Index, const TRect& S);

    std::vector<TRect> FHitRects;
    int FHotSection = -1;
};

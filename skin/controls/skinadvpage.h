#pragma once
// A page control of another family that takes its tab backgrounds through properties: the
// skin gives it pictures of the skin's Tabs frames 1 and 2 ("TabBackGround",
// "TabBackGroundActive") and skins the scroll arrows (an up-down child window) it finds when
// the control paints.
#include "skincontrol.h"

class TSkinAdvPage : public TSkinControl {
    TK_CLASS(TSkinAdvPage, TSkinControl)
public:
    explicit TSkinAdvPage(TComponent* AOwner);

    // Set before attaching; kind 4 gets the tab pictures.
    int Kind() const { return FKind; }
    void SetKind(int v) { FKind = v; }
    // The up-down skin made for the control's scroll arrows; null before the first paint that
    // found them.
    TSkinControl* UpDown() const { return FUpDown; }

    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    // Clears both tab pictures.
    void Unskin() override;
    void SkinChanged() override;
    void DrawControl(HDC DC, const TRect& R) override;

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    void ApplyTabPictures();

    TSkinControl* FUpDown = nullptr;
    int FKind = 0;
};

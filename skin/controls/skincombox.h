#pragma once
// The combo-box skin: the combo's frame and drop-down button painted from the skin (right to
// left too), the edit child watched for presses, and the lists skinned: a drop-down list's
// vertical bar, or both bars of a simple combo's list.
#include "skincontrol.h"

class TSkinScrollbarH;
class TComboxScrollBar;
class TDataSkinBorder;
class TDataSkinObject;

class TSkinComBox : public TSkinControl {
    TK_CLASS(TSkinComBox, TSkinControl)
public:
    explicit TSkinComBox(TComponent* AOwner);
    ~TSkinComBox() override;

    // A second call of either changes nothing.
    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    void InitHandle(HWND Wnd, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas) override;
    void Unskin() override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const TRect& R) override;

    // For combo boxes of the extended kind: the frame and an arrow over the edit part.
    bool ComboBoxExMode() const { return FComboBoxExMode; }
    void SetComboBoxExMode(bool v) { FComboBoxExMode = v; }
    HWND ListWindow() const { return FListWindow; }
    HWND EditWindow() const { return FEditWindow; }
    bool EditHooked() const { return FEditProc.Installed(); }
    TSkinScrollbarH* SimpleListSkin() const { return FSimpleListSkin; }
    TComboxScrollBar* DropDownBarSkin() const { return FDropDownBarSkin; }
    // Where the button was last painted: the part that makes the combo hot.
    const TRect& ButtonRect() const { return FButtonRect; }

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    bool FillComboInfo();
    void AttachSimpleList();
    void AttachDropDownList();
    // A skin of the list window (owned by this skin's owner) into the slot.
    template <class TListSkin>
    void AttachListSkin(TListSkin*& slot);
    void HookEdit();
    void EditWndProc(TMessage& Message);
    void FreeListSkins();
    bool Hot() const { return (FMouseFlags & mfHot) != 0; }
    bool Pressed() const { return (FMouseFlags & mfPressed) != 0; }
    void SetMouseFlag(BYTE flag, bool on);
    // A button going down marks the combo pressed, going up clears it; both repaint.
    void TrackPress(UINT msg);

    void DrawPlainStyle(HDC DC, const TRect& R, TDataSkinBorder& Button, bool RTL);
    void DrawComboBoxEx(HDC DC, const TRect& R, int State);
    // The sunken edge (when the skin has one) with the button and its glyph over it.
    void DrawFramed(HDC DC, const TRect& R, TDataSkinBorder& Button, TDataSkinObject* Sunk, int State, bool RTL);

    HWND FListWindow = nullptr;
    LONG FStyle = 0, FExStyle = 0;
    HWND FEditWindow = nullptr;
    TWindowSubclass FEditProc;
    TSkinScrollbarH* FSimpleListSkin = nullptr;
    TComboxScrollBar* FDropDownBarSkin = nullptr;
    COMBOBOXINFO FComboInfo{};
    TRect FButtonRect;
    bool FComboBoxExMode = false;
};

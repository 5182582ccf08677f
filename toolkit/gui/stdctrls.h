#pragma once
// The first standard controls: push button, label, panel, edit and check box.
#include "forms.h"

class TButton : public TWinControl {
    TK_CLASS(TButton, TWinControl)
public:
    explicit TButton(TComponent* owner);

    // Return clicks the default button unless another button has the focus.
    TK_PROPERTY(bool, Default, UpdateDefaultLook());
    // Escape clicks a cancel button.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    // Written into the parent form's ModalResult before OnClick.
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }

    void Click() override;

protected:
    void CreateParams(TCreateParams& p) override;
    void Dispatch(TMessage& m) override;

private:
    // The button Return would press now: the focused one, or the default one while the focus
    // is on something that is not a button.
    bool IsActive() const;
    void UpdateDefaultLook();

    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
extern const TEnumInfo CheckBoxStateInfo;

class TCheckBox : public TWinControl {
    TK_CLASS(TCheckBox, TWinControl)
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    // A change of state fires OnClick; setting the state it already has does nothing.
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v) { FAllowGrayed = v; }

protected:
    // Right-aligned right to left: the box on the right, before the text.
    void CreateParams(TCreateParams& p) override;
    DWORD BiDiStyles() const override { return BS_RIGHTBUTTON; }
    void InitializeWnd() override;
    void Dispatch(TMessage& m) override;
    // The next state of a click: unchecked, (grayed,) checked, unchecked.
    virtual void Toggle();

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
};

// What the single-line edit and the memo share: the system EDIT window with its text limit,
// read-only flag, modified flag, selection and change event.
class TCustomEdit : public TWinControl {
    TK_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);

    String Text() const { return GetText(); }
    // 0: no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    bool Modified() const;
    void SetModified(bool v);
    void SelectAll();
    int SelStart();
    int SelLength();
    void SetSelStart(int v);
    void SetSelLength(int v);

    // Every change of the text, by the user or by the program.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& p) override;
    void InitializeWnd() override;
    void Dispatch(TMessage& m) override;
    // Stores the text (and puts it into the window), then fires OnChange once.
    void WriteText(const String& v) override;
    virtual void Change() { Fire(OnChange, this); }
    // Puts a text into the existing window as it is.
    virtual void PutWindowText(const String& v);
    // PutWindowText without the window's change notification reaching OnChange.
    void PutWindowTextSilently(const String& v);
    virtual void ApplyMaxLength();

private:
    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FSettingText = false;
};

class TEdit : public TCustomEdit {
    TK_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* owner);

protected:
    void CreateParams(TCreateParams& p) override;
};

enum TTextLayout { tlTop, tlCenter, tlBottom };
extern const TEnumInfo TextLayoutInfo;

class TLabel : public TGraphicControl {
    TK_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* owner);

    TK_PROPERTY(TAlignment, Alignment, Invalidate());
    TK_PROPERTY(TTextLayout, Layout, Invalidate());
    TK_PROPERTY(bool, WordWrap, AdjustBounds(), Invalidate());
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    TK_PROPERTY(bool, ShowAccelChar, AdjustBounds(), Invalidate());
    void SetAutoSize(bool v) override;
    // The control its accelerator focuses.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* c);

protected:
    void Paint() override;
    void Dispatch(TMessage& m) override;
    void TextChanged() override { AdjustBounds(); }
    void Loaded() override;
    void Notification(TComponent* c, TOperation op) override;
    // Draws the caption into r with DrawText flags (DT_CALCRECT measures only).
    void DoDrawText(HDC dc, RECT& r, UINT flags);

private:
    UINT TextFlags() const;
    void AdjustBounds();

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
extern const TEnumInfo BevelCutInfo;

class TPanel : public TCustomControl {
    TK_CLASS(TPanel, TCustomControl)
public:
    explicit TPanel(TComponent* owner);

    TK_PROPERTY(TBevelCut, BevelInner, Changed());
    TK_PROPERTY(TBevelCut, BevelOuter, Changed());
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    TK_PROPERTY(TAlignment, Alignment, Invalidate());

    void AdjustClientRect(TRect& r) const override;

protected:
    void CreateParams(TCreateParams& p) override;
    void Paint() override;

private:
    void Changed();

    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TAlignment FAlignment = taCenter;
};

#pragma once
// The combo box over the system COMBOBOX window: an edit with a drop-down list, a simple list,
// a pick-only list, and owner-drawn items painted on a canvas.
#include <memory>
#include <vector>

#include "controls.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
extern const TEnumInfo ComboBoxStyleInfo;

// In the bit order of the ODS_ flags, so a DRAWITEMSTRUCT's itemState converts as it is.
enum TOwnerDrawStateItem {
    odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive,
    odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit,
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

using TDrawItemEvent = TMethod<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = TMethod<void(TWinControl* Control, int Index, int& Height)>;

class TCustomComboBox;

// The items of a combo box. The user can't change them, so the list itself is the truth and
// the window gets a copy of every change.
class TComboBoxStrings : public TStrings {
    TK_CLASS(TComboBoxStrings, TStrings)
public:
    explicit TComboBoxStrings(TCustomComboBox* combo) : FCombo(combo) {}
    int Count() const override { return static_cast<int>(FItems.size()); }
    String Get(int i) const override;
    void Put(int i, const String& s) override;
    TObject* GetObject(int i) const override;
    void PutObject(int i, TObject* o) override;
    // A sorted combo box puts the string at its sorted place, whatever i says.
    void Insert(int i, const String& s) override;
    void Delete(int i) override;
    void Clear() override;

private:
    friend class TCustomComboBox;
    struct Item {
        String S;
        TObject* O = nullptr;
    };
    void Check(int i, int count) const;
    int SortedIndex(const String& s) const;
    void Sort();
    // Puts every item into a new window.
    void Fill(HWND wnd) const;
    HWND Window() const;

    TCustomComboBox* FCombo;
    std::vector<Item> FItems;
};

class TCustomComboBox : public TWinControl {
    TK_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    TK_PROPERTY(TComboBoxStyle, Style, RecreateWnd());
    // -1: nothing selected. Setting it selects without OnChange, as the program's choice.
    int ItemIndex() const;
    void SetItemIndex(int v);
    // The text the user sees: the edit's text, or the selected item's in the list styles.
    String Text() const { return GetText(); }
    String GetText() const override;
    // Height of the items (owner-drawn styles) and of the selection field.
    int ItemHeight() const;
    void SetItemHeight(int v);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    // 0: no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    // The canvas owner-drawn items are painted on, valid inside OnDrawItem.
    TCanvas* Canvas() const { return FCanvas.get(); }

    // The user changed the text: by typing, or by picking an item.
    TNotifyEvent OnChange;
    // The user picked an item.
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    // Owner-drawn styles; without a handler the item's text is drawn.
    TDrawItemEvent OnDrawItem;
    // csOwnerDrawVariable: the height of each item as it is added.
    TMeasureItemEvent OnMeasureItem;

protected:
    friend class TComboBoxStrings;

    void CreateParams(TCreateParams& p) override;
    void InitializeWnd() override;
    void Dispatch(TMessage& m) override;
    // The program's text: never OnChange. A list style selects the item with exactly this text.
    void WriteText(const String& v) override;
    virtual void Change() { Fire(OnChange, this); }
    virtual void Select() { Fire(OnSelect, this); }
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);

    bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }
    bool OwnerDrawn() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }

private:
    void HandleCommand(TMessage& m);
    void HandleDrawItem(TMessage& m);
    void HandleMeasureItem(TMessage& m);
    void HandleChildColor(TMessage& m);
    // Text into the edit part, without OnChange.
    void PutEditText(const String& s);
    int IndexOfExact(const String& s) const;
    void ApplyItemHeight();

    std::unique_ptr<TComboBoxStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TComboBoxStyle FStyle = csDropDown;
    int FItemIndex = -1;  // while there is no window
    int FItemHeight = 16;
    int FDropDownCount = 8;
    bool FSorted = false;
    int FMaxLength = 0;
    bool FSettingText = false;
};

class TComboBox : public TCustomComboBox {
    TK_CLASS(TComboBox, TCustomComboBox)
public:
    using TCustomComboBox::TCustomComboBox;
};

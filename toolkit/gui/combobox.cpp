#include "combobox.h"

#include <commctrl.h>

#include <algorithm>

const TEnumInfo ComboBoxStyleInfo{
    "TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};

namespace {

// The order of a sorted list: ignoring case, as the user reads it.
bool SortsBefore(const String& a, const String& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

void InsertIntoWindow(HWND wnd, int i, const String& s)
{
    LRESULT r = SendMessageA(wnd, CB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.c_str()));
    if (r == CB_ERR || r == CB_ERRSPACE)
        throw EOutOfResources("Cannot add the item '" + s + "' to the combo box");
}

}  // namespace

// ---------------------------------------------------------------- TComboBoxStrings

const TClassInfo& TComboBoxStrings::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TComboBoxStrings>("TComboBoxStrings", &TStrings::StaticClass()).Build();
    return info;
}

HWND TComboBoxStrings::Window() const { return FCombo->WindowHandle(); }

void TComboBoxStrings::Check(int i, int count) const
{
    if (i < 0 || i >= count)
        throw EListError("List index out of bounds (" + IntToStr(i) + ")");
}

String TComboBoxStrings::Get(int i) const
{
    Check(i, Count());
    return FItems[static_cast<size_t>(i)].S;
}

TObject* TComboBoxStrings::GetObject(int i) const
{
    Check(i, Count());
    return FItems[static_cast<size_t>(i)].O;
}

void TComboBoxStrings::PutObject(int i, TObject* o)
{
    Check(i, Count());
    FItems[static_cast<size_t>(i)].O = o;
}

int TComboBoxStrings::SortedIndex(const String& s) const
{
    auto at = std::upper_bound(FItems.begin(), FItems.end(), s,
                               [](const String& v, const Item& it) { return SortsBefore(v, it.S); });
    return static_cast<int>(at - FItems.begin());
}

void TComboBoxStrings::Insert(int i, const String& s)
{
    Check(i, Count() + 1);
    if (FCombo->Sorted())
        i = SortedIndex(s);
    if (HWND w = Window())
        InsertIntoWindow(w, i, s);
    FItems.insert(FItems.begin() + i, Item{s, nullptr});
}

void TComboBoxStrings::Put(int i, const String& s)
{
    Check(i, Count());
    if (HWND w = Window()) {
        LRESULT sel = SendMessageA(w, CB_GETCURSEL, 0, 0);
        SendMessageA(w, CB_DELETESTRING, static_cast<WPARAM>(i), 0);
        InsertIntoWindow(w, i, s);
        if (sel == i)
            SendMessageA(w, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
    FItems[static_cast<size_t>(i)].S = s;
}

void TComboBoxStrings::Delete(int i)
{
    Check(i, Count());
    if (HWND w = Window())
        SendMessageA(w, CB_DELETESTRING, static_cast<WPARAM>(i), 0);
    FItems.erase(FItems.begin() + i);
}

void TComboBoxStrings::Clear()
{
    FItems.clear();
    HWND w = Window();
    if (!w)
        return;
    // Emptying the list empties the edit too; the text the user sees stays.
    String text = FCombo->GetText();
    SendMessageA(w, CB_RESETCONTENT, 0, 0);
    if (FCombo->HasEdit())
        FCombo->PutEditText(text);
}

void TComboBoxStrings::Sort()
{
    std::stable_sort(FItems.begin(), FItems.end(), [](const Item& a, const Item& b) { return SortsBefore(a.S, b.S); });
}

void TComboBoxStrings::Fill(HWND wnd) const
{
    SendMessageA(wnd, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < FItems.size(); ++i)
        InsertIntoWindow(wnd, static_cast<int>(i), FItems[i].S);
}

// ---------------------------------------------------------------- TCustomComboBox

const TClassInfo& TCustomComboBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomComboBox>("TCustomComboBox", &TWinControl::StaticClass())
            .EnumProp<TComboBoxStyle>("Style", ComboBoxStyleInfo, &TCustomComboBox::Style, &TCustomComboBox::SetStyle)
            .ObjectProp<TStrings>("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems)
            .Prop("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex)
            .Prop("Text", &TCustomComboBox::GetText, &TCustomComboBox::SetText)
            .Prop("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight)
            .Prop("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount)
            .Prop("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted)
            .Prop("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength)
            .Event("OnChange", &TCustomComboBox::OnChange)
            .Event("OnSelect", &TCustomComboBox::OnSelect)
            .Event("OnDropDown", &TCustomComboBox::OnDropDown)
            .Event("OnCloseUp", &TCustomComboBox::OnCloseUp)
            .Event("OnDrawItem", &TCustomComboBox::OnDrawItem)
            .Event("OnMeasureItem", &TCustomComboBox::OnMeasureItem)
            .Build();
    return info;
}

const TClassInfo& TComboBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TComboBox>("TComboBox", &TCustomComboBox::StaticClass()).Creatable().Build();
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner),
      FItems(std::make_unique<TComboBoxStrings>(this)),
      FCanvas(std::make_unique<TControlCanvas>(this))
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    StoreBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.SysClassName = "COMBOBOX";
    p.Caption.clear();  // InitializeWnd sets the text once the items are in
    p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
    switch (FStyle) {
    case csDropDown: p.Style |= CBS_DROPDOWN; break;
    case csSimple: p.Style |= CBS_SIMPLE; break;
    case csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
    case csOwnerDrawVariable: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
    }
}

void TCustomComboBox::InitializeWnd()
{
    TWinControl::InitializeWnd();
    HWND h = WindowHandle();
    FItems->Fill(h);
    // Owner-drawn sizes are asked for while the window is created, before it is ours.
    if (OwnerDrawn())
        ApplyItemHeight();
    SendMessageA(h, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
    if (HasEdit())
        SendMessageA(h, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
    int index = FItemIndex;
    if (index < 0 && !HasEdit())
        index = IndexOfExact(FText);
    if (index >= 0 && index < FItems->Count())
        SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // A text of its own stays over the selected item's; an empty one shows the item.
    if (HasEdit() && (index < 0 || (!FText.empty() && FText != FItems->Get(index))))
        PutEditText(FText);
}

void TCustomComboBox::ApplyItemHeight()
{
    HWND h = WindowHandle();
    SendMessageA(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), FItemHeight);
    if (FStyle == csOwnerDrawFixed)
        SendMessageA(h, CB_SETITEMHEIGHT, 0, FItemHeight);
}

int TCustomComboBox::ItemIndex() const
{
    if (HWND h = WindowHandle())
        return static_cast<int>(SendMessageA(h, CB_GETCURSEL, 0, 0));
    return FItemIndex < FItems->Count() ? FItemIndex : -1;
}

void TCustomComboBox::SetItemIndex(int v)
{
    if (v < -1)
        v = -1;
    FItemIndex = v;
    if (HWND h = WindowHandle()) {
        SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(v < FItems->Count() ? v : -1), 0);
        return;
    }
    if (HasEdit() && v >= 0 && v < FItems->Count())
        FText = FItems->Get(v);
}

String TCustomComboBox::GetText() const
{
    if (!WindowHandle() && !HasEdit()) {
        int i = ItemIndex();
        return i >= 0 ? FItems->Get(i) : FText;
    }
    return TWinControl::GetText();
}

int TCustomComboBox::IndexOfExact(const String& s) const
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Get(i) == s)
            return i;
    return -1;
}

void TCustomComboBox::PutEditText(const String& s)
{
    TScopedFlag setting(FSettingText);
    SetWindowTextA(WindowHandle(), s.c_str());
}

void TCustomComboBox::WriteText(const String& v)
{
    FText = v;
    if (!HasEdit()) {
        SetItemIndex(IndexOfExact(v));
        return;
    }
    if (WindowHandle())
        PutEditText(v);
}

int TCustomComboBox::ItemHeight() const
{
    if (HWND h = WindowHandle(); h && !OwnerDrawn())
        return static_cast<int>(SendMessageA(h, CB_GETITEMHEIGHT, 0, 0));
    return FItemHeight;
}

void TCustomComboBox::SetItemHeight(int v)
{
    if (v <= 0)
        return;
    FItemHeight = v;
    if (HandleAllocated() && OwnerDrawn()) {
        ApplyItemHeight();
        UpdateBounds();
    }
}

void TCustomComboBox::SetDropDownCount(int v)
{
    FDropDownCount = std::max(v, 1);
    if (HWND h = WindowHandle())
        SendMessageA(h, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
}

void TCustomComboBox::SetSorted(bool v)
{
    if (v == FSorted)
        return;
    FSorted = v;
    if (!v)
        return;
    String text = GetText();
    FItems->Sort();
    if (HWND h = WindowHandle()) {
        FItems->Fill(h);
        int i = IndexOfExact(text);
        if (i >= 0)
            SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        if (HasEdit())
            PutEditText(text);
    }
}

void TCustomComboBox::SetMaxLength(int v)
{
    FMaxLength = std::max(v, 0);
    if (HWND h = WindowHandle(); h && HasEdit())
        SendMessageA(h, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

bool TCustomComboBox::DroppedDown() const
{
    HWND h = WindowHandle();
    return h && SendMessageA(h, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool v) { SendMessageA(Handle(), CB_SHOWDROPDOWN, v, 0); }

void TCustomComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state)
{
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    FCanvas->FillRect(rect);
    FCanvas->TextOut(rect.left + 2, rect.top, FItems->Get(index));
}

void TCustomComboBox::MeasureItem(int index, int& height) { Fire(OnMeasureItem, this, index, height); }

void TCustomComboBox::HandleCommand(TMessage& m)
{
    switch (HIWORD(m.WParam)) {
    case CBN_SELCHANGE: {
        // The edit part follows the pick before anybody reads the text.
        int i = ItemIndex();
        if (HasEdit() && i >= 0)
            PutEditText(FItems->Get(i));
        Change();
        Select();
        break;
    }
    case CBN_EDITCHANGE:
        if (!FSettingText)
            Change();
        break;
    case CBN_DROPDOWN:
        Fire(OnDropDown, this);
        break;
    case CBN_CLOSEUP:
        Fire(OnCloseUp, this);
        break;
    default:
        break;
    }
}

void TCustomComboBox::HandleDrawItem(TMessage& m)
{
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (!d || d->CtlType != ODT_COMBOBOX)
        return;
    auto state = TOwnerDrawState::FromMask(d->itemState & 0x1FFF);
    TCanvasPaintScope scope(FCanvas.get(), this, d->hDC);
    if (state.Contains(odSelected)) {
        FCanvas->Brush()->SetColor(clHighlight);
        FCanvas->Font()->SetColor(clHighlightText);
    }
    TRect r = d->rcItem;
    int index = static_cast<int>(d->itemID);  // -1: an empty selection field
    if (index >= 0 && index < FItems->Count())
        DrawItem(index, r, state);
    else
        FCanvas->FillRect(r);
    if (state.Contains(odFocused) && !state.Contains(odNoFocusRect))
        FCanvas->DrawFocusRect(r);
    m.Result = TRUE;
}

void TCustomComboBox::HandleMeasureItem(TMessage& m)
{
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (!mi)
        return;
    int height = FItemHeight;
    int index = static_cast<int>(mi->itemID);
    if (FStyle == csOwnerDrawVariable && index >= 0)
        MeasureItem(index, height);
    mi->itemHeight = static_cast<UINT>(std::max(height, 1));
    m.Result = TRUE;
}

void TCustomComboBox::HandleChildColor(TMessage& m)
{
    // The edit and list parts ask the combo box itself, which answers with the control's colours.
    auto dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    m.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
}

void TCustomComboBox::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        HandleCommand(m);
        return;
    case CN_DRAWITEM:
        HandleDrawItem(m);
        return;
    case CN_MEASUREITEM:
        HandleMeasureItem(m);
        return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        HandleChildColor(m);
        return;
    case WM_DESTROY:
        // The selection goes with the window; a new window gets it back.
        FItemIndex = static_cast<int>(SendMessageA(WindowHandle(), CB_GETCURSEL, 0, 0));
        break;
    default:
        break;
    }
    TWinControl::Dispatch(m);
}

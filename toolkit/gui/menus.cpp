#include "menus.h"

#include <algorithm>

#include "forms.h"

const TEnumInfo PopupAlignmentInfo{"TPopupAlignment", {"paLeft", "paRight", "paCenter"}};

namespace {

// Command identifiers of this module's menu items. They stay below 0xF000, where the system
// commands (SC_CLOSE, ...) begin, and are handed out lowest first, so they are small.
class TCommandPool {
public:
    UINT Take()
    {
        for (UINT id = FLowestFree; id < kEnd; ++id) {
            if (!FUsed[id]) {
                FUsed[id] = true;
                FLowestFree = id + 1;
                return id;
            }
        }
        throw EOutOfResources("Too many menu items");
    }
    void Give(UINT id)
    {
        if (id == 0 || id >= kEnd)
            return;
        FUsed[id] = false;
        FLowestFree = std::min(FLowestFree, id);
    }

private:
    static constexpr UINT kEnd = 0xF000;
    std::vector<bool> FUsed = std::vector<bool>(kEnd, false);
    UINT FLowestFree = 1;
};

TCommandPool& Commands()
{
    static TCommandPool pool;
    return pool;
}

struct TKeyName {
    WORD Key;
    const char* Name;
};

constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},      {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

String KeyName(WORD key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return String(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24)
        return "F" + IntToStr(key - VK_F1 + 1);
    for (const TKeyName& k : kKeyNames)
        if (k.Key == key)
            return k.Name;
    return String();
}

WORD KeyFromName(std::string_view name)
{
    if (name.size() == 1) {
        char c = static_cast<char>(UpperCase(name)[0]);
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))
            return static_cast<WORD>(c);
    }
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
        int n = 0;
        if (TryStrToInt(name.substr(1), n) && n >= 1 && n <= 24)
            return static_cast<WORD>(VK_F1 + n - 1);
    }
    for (const TKeyName& k : kKeyNames)
        if (SameText(k.Name, name))
            return k.Key;
    return 0;
}

// The caption without its accelerator marks ("&&" stays one '&').
String StripHotkey(std::string_view s)
{
    String r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size())
            ++i;
        else if (s[i] == '&')
            continue;
        r += s[i];
    }
    return r;
}

}  // namespace

TMenuCanvas::TMenuCanvas(HDC dc)
{
    FCanvas.SetHandle(dc);
    if (Screen)
        FCanvas.Font()->Assign(Screen->MenuFont());
}

// ---------------------------------------------------------------- shortcuts

TShortCut ShortCut(WORD key, TShiftState shift)
{
    TShortCut s = key & 0xFF;
    if (shift.Contains(ssShift))
        s |= scShift;
    if (shift.Contains(ssCtrl))
        s |= scCtrl;
    if (shift.Contains(ssAlt))
        s |= scAlt;
    return s;
}

String ShortCutToText(TShortCut s)
{
    String key = KeyName(static_cast<WORD>(s & 0xFF));
    if (key.empty())
        return String();
    String text;
    if (s & scShift)
        text += "Shift+";
    if (s & scCtrl)
        text += "Ctrl+";
    if (s & scAlt)
        text += "Alt+";
    return text + key;
}

TShortCut TextToShortCut(std::string_view text)
{
    TShortCut mods = 0;
    for (;;) {
        size_t plus = text.find('+');
        if (plus == std::string_view::npos || plus + 1 >= text.size())
            break;
        std::string_view mod = text.substr(0, plus);
        if (SameText(mod, "Shift"))
            mods |= scShift;
        else if (SameText(mod, "Ctrl"))
            mods |= scCtrl;
        else if (SameText(mod, "Alt"))
            mods |= scAlt;
        else
            return 0;
        text = text.substr(plus + 1);
    }
    WORD key = KeyFromName(text);
    return key ? (key | mods) : 0;
}

// ---------------------------------------------------------------- TMenuItem

const TClassInfo& TMenuItem::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMenuItem>("TMenuItem", &TComponent::StaticClass())
            .Creatable()
            .Prop("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Prop("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
            .Prop("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck)
            .Prop("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
            .Prop("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
            .Prop("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
            .Prop("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
            .Prop("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
            .Prop("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
            .Prop("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
            .Prop("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
            .ObjectProp<TBitmap>("Bitmap", &TMenuItem::Bitmap, &TMenuItem::SetBitmap)
            .Event("OnClick", &TMenuItem::OnClick)
            .Event("OnDrawItem", &TMenuItem::OnDrawItem)
            .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
            .Build();
    return info;
}

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner), FBitmap(std::make_unique<TBitmap>()), FCommand(Commands().Take())
{
    FBitmap->OnChange = TNotifyEvent(this, &TMenuItem::BitmapChanged);
}

TMenuItem::~TMenuItem() { Teardown(); }

void TMenuItem::BeforeDestruction()
{
    Teardown();
    TComponent::BeforeDestruction();
}

void TMenuItem::Notification(TComponent* c, TOperation op)
{
    ReferenceGone(FAction, c, op);
    TComponent::Notification(c, op);
}

void TMenuItem::Teardown()
{
    if (FTornDown)
        return;
    FTornDown = true;
    // Out of the parent's menu first, so destroying our submenu can't pull it from under it.
    if (FParent)
        FParent->Remove(this);
    DestroyHandle();
    while (!FItems.empty()) {
        TMenuItem* child = FItems.back();
        child->Free();  // takes itself out of FItems
        if (!FItems.empty() && FItems.back() == child)
            FItems.pop_back();
    }
    Commands().Give(FCommand);
    FCommand = 0;
}

TMenuItem* TMenuItem::Items(int i) const
{
    if (i < 0 || i >= Count())
        throw EListError("Menu index out of range (" + IntToStr(i) + ")");
    return FItems[static_cast<size_t>(i)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item)
        throw EInvalidOperation("Cannot insert a nil menu item");
    if (item->FParent)
        throw EInvalidOperation("Menu item '" + item->Name() + "' is already in a menu");
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item)
            throw EInvalidOperation("Menu item '" + item->Name() + "' cannot contain itself");
    if (index < 0 || index > Count())
        throw EListError("Menu index out of range (" + IntToStr(index) + ")");
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    RebuildHandle();
    if (Count() == 1)
        Changed();  // the parent's entry gets its submenu now
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        throw EInvalidOperation("Menu item '" + (item ? item->Name() : String()) + "' is not in this menu");
    FItems.erase(it);
    item->FParent = nullptr;
    RebuildHandle();
    if (FItems.empty())
        Changed();
}

void TMenuItem::Delete(int index) { Items(index)->Free(); }

void TMenuItem::Clear()
{
    while (!FItems.empty())
        Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(std::string_view caption) const
{
    String want = StripHotkey(caption);
    for (TMenuItem* i : FItems)
        if (SameText(StripHotkey(i->FCaption), want))
            return i;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* i = this;
    while (i->FParent)
        i = i->FParent;
    return i->FMenu;
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* item = As<TMenuItem>(parent))
        item->Add(this);
    else if (auto* menu = As<TMenu>(parent))
        menu->Items()->Add(this);
    else
        throw EComponentError("Menu item '" + Name() + "' must be inside a menu or a menu item");
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (FParent && FParent->FMenu)
        return FParent->FMenu;
    return FParent;
}

// ---------------------------------------------------------------- properties

void TMenuItem::SetChecked(bool v)
{
    if (v == FChecked)
        return;
    FChecked = v;
    if (v && FRadioItem)
        UncheckRadioSiblings();
    Changed();
}

void TMenuItem::UncheckRadioSiblings()
{
    if (!FParent)
        return;
    for (TMenuItem* s : FParent->FItems)
        if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex)
            s->FChecked = false;
}

void TMenuItem::SetDefault(bool v)
{
    if (v == FDefault)
        return;
    // One default item a menu: the system shows only one bold item.
    if (v && FParent)
        for (TMenuItem* s : FParent->FItems)
            s->FDefault = false;
    FDefault = v;
    Changed();
}

void TMenuItem::SetRadioItem(bool v)
{
    if (v == FRadioItem)
        return;
    FRadioItem = v;
    if (v && FChecked)
        UncheckRadioSiblings();
    Changed();
}

void TMenuItem::SetGroupIndex(int v)
{
    if (v < 0 || v > 255)
        throw EInvalidOperation("GroupIndex must be between 0 and 255, not " + IntToStr(v));
    if (v == FGroupIndex)
        return;
    FGroupIndex = v;
    if (FRadioItem && FChecked)
        UncheckRadioSiblings();
    Changed();
}

void TMenuItem::BitmapChanged(TObject*) { Changed(); }

// ---------------------------------------------------------------- the HMENU

HMENU TMenuItem::Handle()
{
    if (!FHandle) {
        FHandle = FBarHandle ? CreateMenu() : CreatePopupMenu();
        if (!FHandle)
            throw EOutOfResources("Cannot create a menu: error " + IntToStr(GetLastError()));
        RebuildHandle();
    }
    return FHandle;
}

void TMenuItem::DestroyHandle()
{
    if (!FHandle)
        return;
    // Empty it first: DestroyMenu would destroy the submenus of our children as well.
    while (GetMenuItemCount(FHandle) > 0 && RemoveMenu(FHandle, 0, MF_BYPOSITION)) {
    }
    DestroyMenu(FHandle);
    FHandle = nullptr;
}

void TMenuItem::FillItemInfo(MENUITEMINFOA& info, String& text)
{
    TMenu* menu = GetParentMenu();
    info = MENUITEMINFOA{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
    info.wID = FCommand;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    info.hSubMenu = FItems.empty() ? nullptr : Handle();
    if (IsLine()) {
        info.fType = MFT_SEPARATOR;
        info.fMask &= ~MIIM_STRING;
    } else {
        text = FCaption;
        if (FShortCut)
            text += "\t" + ShortCutToText(FShortCut);
        info.fType = MFT_STRING | (FRadioItem ? MFT_RADIOCHECK : 0);
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
    }
    if (menu && menu->OwnerDraw())
        info.fType |= MFT_OWNERDRAW;
    if (FChecked)
        info.fState |= MFS_CHECKED;
    if (FDefault)
        info.fState |= MFS_DEFAULT;
    if (!FEnabled)
        info.fState |= MFS_DISABLED | MFS_GRAYED;
}

void TMenuItem::RebuildHandle()
{
    if (FHandle) {
        while (GetMenuItemCount(FHandle) > 0 && RemoveMenu(FHandle, 0, MF_BYPOSITION)) {
        }
        UINT pos = 0;
        for (TMenuItem* child : FItems) {
            if (!child->FVisible)
                continue;
            MENUITEMINFOA info;
            String text;
            child->FillItemInfo(info, text);
            if (!InsertMenuItemA(FHandle, pos, TRUE, &info))
                throw EOutOfResources("Cannot insert menu item '" + child->Name() + "': error " +
                                      IntToStr(GetLastError()));
            ++pos;
        }
    }
    if (TMenu* menu = GetParentMenu(); menu && !menu->Destroying())
        menu->MenuChanged();
}

void TMenuItem::Changed()
{
    if (FParent)
        FParent->RebuildHandle();
}

// ---------------------------------------------------------------- clicking and drawing

void TMenuItem::Click()
{
    if (FAutoCheck)
        SetChecked(FRadioItem ? true : !FChecked);
    Fire(OnClick, this);
}

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height)
{
    if (IsLine()) {
        width = 10;
        height = GetSystemMetrics(SM_CYMENU) / 2;
    } else {
        String text = StripHotkey(FCaption);
        if (FShortCut)
            text += "    " + ShortCutToText(FShortCut);
        SIZE sz = canvas->TextExtent(text.empty() ? " " : text);
        int glyph = 16;
        if (TMenu* menu = GetParentMenu(); menu && menu->Images())
            glyph = std::max(glyph, menu->Images()->Width());
        width = sz.cx + glyph + 8;
        height = std::max<int>(sz.cy + 4, GetSystemMetrics(SM_CYMENU));
    }
    Fire(OnMeasureItem, this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas* canvas, const TRect& r, bool selected)
{
    if (OnDrawItem) {
        OnDrawItem(this, canvas, r, selected);
        return;
    }
    HDC dc = canvas->Handle();
    canvas->Brush()->SetColor(selected && !IsLine() ? clHighlight : clMenu);
    canvas->FillRect(r);
    if (IsLine()) {
        RECT line{r.left, r.top + r.Height() / 2 - 1, r.right, r.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    int glyph = 16;
    TMenu* menu = GetParentMenu();
    if (menu && menu->Images()) {
        glyph = std::max(glyph, menu->Images()->Width());
        menu->Images()->Draw(*canvas, r.left + 2, r.top + (r.Height() - menu->Images()->Height()) / 2, FImageIndex,
                             FEnabled);
    } else if (FChecked) {
        RECT box{r.left + 2, r.top, r.left + 2 + glyph, r.bottom};
        SetTextColor(dc, ColorToRGB(selected ? clHighlightText : clMenuText));
        DrawTextA(dc, FRadioItem ? "o" : "v", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(!FEnabled ? clGrayText : selected ? clHighlightText : clMenuText));
    RECT text{r.left + glyph + 6, r.top, r.right - 4, r.bottom};
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    DrawTextA(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &text, flags | DT_LEFT);
    if (FShortCut) {
        String sc = ShortCutToText(FShortCut);
        DrawTextA(dc, sc.c_str(), static_cast<int>(sc.size()), &text, flags | DT_RIGHT);
    }
}

TMenuItem* TMenuItem::FindIn(UINT_PTR value, TFindItemKind kind)
{
    for (TMenuItem* i : FItems) {
        bool hit = false;
        switch (kind) {
        case fkCommand: hit = i->FCommand == value; break;
        case fkHandle: hit = i->FHandle && reinterpret_cast<UINT_PTR>(i->FHandle) == value; break;
        case fkShortCut: hit = i->FShortCut != 0 && static_cast<UINT_PTR>(i->FShortCut) == value; break;
        }
        if (hit)
            return i;
        if (TMenuItem* found = i->FindIn(value, kind))
            return found;
    }
    return nullptr;
}

// ---------------------------------------------------------------- TMenu

const TClassInfo& TMenu::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMenu>("TMenu", &TComponent::StaticClass())
            .ComponentProp<TCustomImageList>("Images", &TMenu::Images, &TMenu::SetImages)
            .Prop("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
            .EnumProp<TBiDiMode>("BiDiMode", BiDiModeInfo, &TMenu::BiDiMode, &TMenu::SetBiDiMode)
            .Prop("ParentBiDiMode", &TMenu::ParentBiDiMode, &TMenu::SetParentBiDiMode)
            .Build();
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu() { FreeItems(); }

void TMenu::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    FreeItems();
}

void TMenu::FreeItems() { FItems.Reset(); }

TBiDiMode TMenu::BiDiMode() const
{
    if (auto* owner = As<TControl>(Owner()); owner && FParentBiDiMode)
        return owner->BiDiMode();
    return FBiDiMode;
}

void TMenu::SetBiDiMode(TBiDiMode v)
{
    const TBiDiMode was = BiDiMode();
    FBiDiMode = v;
    FParentBiDiMode = false;
    if (v != was)
        MenuChanged();
}

void TMenu::SetParentBiDiMode(bool v)
{
    const TBiDiMode was = BiDiMode();
    FParentBiDiMode = v;
    if (BiDiMode() != was)
        MenuChanged();
}

void TMenu::SetImages(TCustomImageList* v)
{
    if (SetReference(FImages, v))
        MenuChanged();
}

void TMenu::SetOwnerDraw(bool v)
{
    if (v == FOwnerDraw)
        return;
    FOwnerDraw = v;
    // Every level carries the owner-draw type in its entries.
    std::vector<TMenuItem*> todo{FItems.Get()};
    while (!todo.empty()) {
        TMenuItem* i = todo.back();
        todo.pop_back();
        if (i->HandleAllocated())
            i->RebuildHandle();
        todo.insert(todo.end(), i->FItems.begin(), i->FItems.end());
    }
}

void TMenu::Notification(TComponent* c, TOperation op)
{
    TComponent::Notification(c, op);
    ReferenceGone(FImages, c, op);
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const
{
    if (!FItems)
        return nullptr;
    if (kind == fkHandle && FItems->FHandle && reinterpret_cast<UINT_PTR>(FItems->FHandle) == value)
        return FItems.Get();
    return FItems->FindIn(value, kind);
}

bool TMenu::DispatchCommand(UINT command)
{
    TMenuItem* item = command ? FindItem(command, fkCommand) : nullptr;
    if (!item)
        return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(WORD key, TShiftState shift)
{
    TShortCut sc = ShortCut(key, shift);
    TMenuItem* item = FindItem(static_cast<UINT_PTR>(sc), fkShortCut);
    if (!item)
        return false;
    for (TMenuItem* i = item; i; i = i->Parent())
        if (!i->Enabled() || !i->Visible())
            return false;
    item->Click();
    return true;
}

bool TMenu::DispatchOwnerDraw(TMessage& m)
{
    if (m.Msg == WM_MEASUREITEM) {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        TMenuItem* item = mi && mi->CtlType == ODT_MENU ? FindItem(mi->itemID, fkCommand) : nullptr;
        if (!item)
            return false;
        HDC dc = GetDC(nullptr);
        try {
            TMenuCanvas canvas(dc);
            int w = static_cast<int>(mi->itemWidth), h = static_cast<int>(mi->itemHeight);
            item->MeasureItem(canvas.Get(), w, h);
            mi->itemWidth = static_cast<UINT>(std::max(w, 0));
            mi->itemHeight = static_cast<UINT>(std::max(h, 0));
        } catch (...) {
            ReleaseDC(nullptr, dc);
            throw;
        }
        ReleaseDC(nullptr, dc);
        m.Result = TRUE;
        return true;
    }
    if (m.Msg == WM_DRAWITEM) {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        TMenuItem* item = d && d->CtlType == ODT_MENU ? FindItem(d->itemID, fkCommand) : nullptr;
        if (!item)
            return false;
        int saved = SaveDC(d->hDC);
        try {
            TMenuCanvas canvas(d->hDC);
            item->DrawItem(canvas.Get(), d->rcItem, (d->itemState & ODS_SELECTED) != 0);
        } catch (...) {
            RestoreDC(d->hDC, saved);
            throw;
        }
        RestoreDC(d->hDC, saved);
        m.Result = TRUE;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- TMainMenu

const TClassInfo& TMainMenu::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMainMenu>("TMainMenu", &TMenu::StaticClass()).Creatable().Build();
    return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) { Items()->FBarHandle = true; }

void TMainMenu::MenuChanged()
{
    for (int i = 0; Screen && i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (f->Menu() == this && f->HandleAllocated())
            SendMessageA(f->WindowHandle(), CM_MENUCHANGED, 0, 0);
    }
}

// ---------------------------------------------------------------- TPopupMenu

const TClassInfo& TPopupMenu::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPopupMenu>("TPopupMenu", &TMenu::StaticClass())
            .Creatable()
            .Prop("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
            .EnumProp<TPopupAlignment>("Alignment", PopupAlignmentInfo, &TPopupMenu::Alignment,
                                       &TPopupMenu::SetAlignment)
            .Event("OnPopup", &TPopupMenu::OnPopup)
            .Build();
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::SetPopupComponent(TComponent* c) { SetReference(FPopupComponent, c); }

void TPopupMenu::Notification(TComponent* c, TOperation op)
{
    TMenu::Notification(c, op);
    ReferenceGone(FPopupComponent, c, op);
}

void TPopupMenu::Popup(int x, int y)
{
    // A hint shown, or about to show, would stay drawn over the open menu.
    if (Application)
        Application->CancelHint();
    Fire(OnPopup, this);
    HMENU menu = Handle();
    if (!FWindow)
        FWindow = TUtilWindow(TWndMethod(this, &TPopupMenu::WndProc));
    UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON;
    flags |= FAlignment == paRight ? TPM_RIGHTALIGN : FAlignment == paCenter ? TPM_CENTERALIGN : TPM_LEFTALIGN;
    UINT command = static_cast<UINT>(TrackPopupMenu(menu, flags, x, y, 0, FWindow.Handle(), nullptr));
    // Lets the menu's window see one more message, so a second popup opens properly.
    PostMessageA(FWindow.Handle(), WM_NULL, 0, 0);
    if (command)
        DispatchCommand(command);
}

void TPopupMenu::WndProc(TMessage& m)
{
    HWND wnd = FWindow.Handle();
    switch (m.Msg) {
    case WM_MENUSELECT: {
        // The status bar's automatic hint shows the hint of the item under the mouse.
        UINT flags = HIWORD(m.WParam);
        auto menu = reinterpret_cast<HMENU>(m.LParam);
        TMenuItem* item = nullptr;
        if (!(flags == 0xFFFF && !menu)) {
            if (flags & MF_POPUP)
                item = FindItem(reinterpret_cast<UINT_PTR>(GetSubMenu(menu, LOWORD(m.WParam))), fkHandle);
            else
                item = FindItem(LOWORD(m.WParam), fkCommand);
        }
        if (Application)
            Application->SetHint(item ? GetLongHint(item->Hint()) : String());
        m.Result = 0;
        return;
    }
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (DispatchOwnerDraw(m))
            return;
        break;
    case WM_COMMAND:
        // Someone tracked our menu without TPM_RETURNCMD.
        if (m.LParam == 0 && DispatchCommand(LOWORD(m.WParam))) {
            m.Result = 0;
            return;
        }
        break;
    default:
        break;
    }
    m.Result = wnd ? DefWindowProcA(wnd, m.Msg, m.WParam, m.LParam) : 0;
}

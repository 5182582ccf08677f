// Skinned menus on real windows: a popup menu skinned while TrackPopupMenu tracks it, owner-drawn
// items painted into memory and compared with the skin's pictures, the skinned system menu
// against the window's own, the menu bar of a form with a main menu (built, painted, navigated
// by keys and mouse), and every menu given back when the skin goes.
#include <algorithm>
#include <functional>
#include <memory>

#include "bitmapview.h"
#include "guitest.h"
#include "menuitemdraw.h"
#include "menulayout.h"
#include "menuloop.h"
#include "pixeltest.h"
#include "realinput.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinform.h"
#include "skinmenu.h"
#include "skinmessages.h"
#include "skinpopmenu.h"
#include "skinwindowtest.h"
#include "themeskins.h"
#include "timer.h"
#include "winutil.h"

namespace {

// The skin's picture as the engine lays it over a width x height target.
std::unique_ptr<TBitmap> Sliced(TDataSkinObject& o, int width, int height, int state, int count, bool vertical = false)
{
    return StretchSkinBitmap(TRect(0, 0, width, height), &o.Bitmap, o.Margins(), state, count, o.Tile == 1, vertical);
}

int CountPixels(TBitmap& b, const TRect& r, TColor c)
{
    int n = 0;
    for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, b.Height()); ++y)
        for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, b.Width()); ++x)
            n += At(b, x, y) == c;
    return n;
}

class TLog : public TObject {
public:
    std::vector<String> Lines;
    void Click(TObject* s) { Lines.push_back(static_cast<TMenuItem*>(s)->Name()); }
    void OwnDraw(TObject*, TCanvas*, TRect, bool) {}
    void OwnMeasure(TObject*, TCanvas*, int&, int&) {}
    int Count(const String& line) const { return static_cast<int>(std::count(Lines.begin(), Lines.end(), line)); }
};

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const char* name, const char* caption, TLog* log = nullptr)
{
    auto* i = new TMenuItem(owner);
    i->SetName(name);
    i->SetCaption(caption);
    if (log)
        i->OnClick = TNotifyEvent(log, &TLog::Click);
    parent->Add(i);
    return i;
}

// File (New Ctrl+N, a line, Exit), Edit (Undo, Redo disabled), Help (no items), Off (disabled).
struct TBar {
    TMainMenu* Menu = nullptr;
    TMenuItem *File = nullptr, *New = nullptr, *Edit = nullptr, *Undo = nullptr, *Help = nullptr, *Off = nullptr;
};

TBar AddMainMenu(TForm* form, TLog* log)
{
    TBar b;
    b.Menu = new TMainMenu(form);
    b.File = NewItem(form, b.Menu->Items(), "File", "&File", log);
    b.New = NewItem(form, b.File, "New", "&New", log);
    b.New->SetShortCut(TextToShortCut("Ctrl+N"));
    NewItem(form, b.File, "FileLine", "-", log);
    NewItem(form, b.File, "Exit", "E&xit", log);
    b.Edit = NewItem(form, b.Menu->Items(), "Edit", "&Edit", log);
    b.Undo = NewItem(form, b.Edit, "Undo", "&Undo", log);
    NewItem(form, b.Edit, "Redo", "&Redo", log)->SetEnabled(false);
    b.Help = NewItem(form, b.Menu->Items(), "Help", "&Help", log);
    b.Off = NewItem(form, b.Menu->Items(), "Off", "&Off", log);
    NewItem(form, b.Off, "OffItem", "Item", log);
    b.Off->SetEnabled(false);
    form->SetMenu(b.Menu);
    return b;
}

class SkinMenusTest : public SkinWindowTest {
protected:
    void SetUp() override
    {
        SkinWindowTest::SetUp();
        Host = NewForm();
    }
    TForm* NewForm()
    {
        auto* f = new TForm(nullptr);
        f->SetBounds(80 + 30 * static_cast<int>(Forms.size()), 80, 320, 220);
        f->SetCaption("Menus");
        Forms.push_back(f);
        f->Show();
        SetForegroundWindow(f->Handle());
        return f;
    }
    // A loaded theme skin serving every window of the thread, switched on.
    TSkinData* Data()
    {
        auto* d = new TSkinData(Host);
        d->Loaded();
        d->SetSkinFile(ThemeSkinPath("default.skn"));
        EXPECT_FALSE(d->FSkinEmpty) << "build the native build first";
        SkinManager()->SetActive(true);
        return d;
    }
    // The form's skin (the hook gives one to a form activated while the skin is on).
    TSkinForm* Skin(TForm* f)
    {
        SkinManager()->SkinWindow(f->Handle());
        TSkinForm* s = SkinManager()->FindSkinForm(f->Handle());
        EXPECT_TRUE(s && PumpUntil([s] { return s->LifeState() == TSkinForm::lsSkinned; }));
        return s;
    }
    void SwitchOff(TSkinData* d)
    {
        d->SetActive(true);
        d->SetActive(false);
        ASSERT_TRUE(PumpUntil([] { return SkinManager()->FormCount() == 0; }));
    }

    TForm* Host = nullptr;
};

}  // namespace

TEST_F(SkinMenusTest, PopupMenuIsSkinnedWhileItIsTracked)
{
    TSkinData* d = Data();
    TLog log;
    auto* images = new TImageList(Host);
    images->Add(Filled(16, 16, clRed).get(), nullptr);
    auto* menu = new TPopupMenu(Host);
    menu->SetImages(images);
    NewItem(Host, menu->Items(), "OpenItem", "&Open", &log)->SetImageIndex(0);
    NewItem(Host, menu->Items(), "CheckedItem", "Checked", &log)->SetChecked(true);
    NewItem(Host, menu->Items(), "OffItem", "Disabled", &log)->SetEnabled(false);
    NewItem(Host, menu->Items(), "Line", "-", &log);
    NewItem(Host, menu->Items(), "SaveItem", "Save", &log)->SetShortCut(TextToShortCut("Ctrl+S"));
    TSkinForm* form = Skin(Host);
    ASSERT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(menu->Items()->Items(0)->OnDrawItem.Data(), form);

    // Open, then Checked highlighted; the window is looked at; then down past the disabled item
    // and the line to Save, which is chosen.
    HWND target = Host->Handle(), popup = nullptr;
    bool skinned = false, answers = false, subclassed = false;
    TColor corner = 0, behind = 0, selected = 0;
    RECT item{}, window{};
    TScript script(120, [&](int tick) {
        if (tick == 1) {
            PostKey(target, VK_DOWN);
            PostKey(target, VK_DOWN);
        } else if (tick == 3) {
            popup = OpenMenuWindow();
            skinned = SkinManager()->IsPopupSkinned(popup) && SkinManager()->MenuKind == TSkinManage::mkPopup;
            answers = SendMessageA(popup, SKM_ISSKINNED, 0, 0) == 1;
            WNDCLASSA wc{};
            GetClassInfoA(nullptr, "#32768", &wc);
            subclassed = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(popup, GWLP_WNDPROC)) != wc.lpfnWndProc;
            GetWindowRect(popup, &window);
            GetMenuItemRect(nullptr, menu->Handle(), 1, &item);
            OffsetRect(&item, -window.left, -window.top);
            corner = WindowPixel(popup, 0, 0);
            behind = WindowPixel(popup, (window.right - window.left) / 2, 1);
            selected = WindowPixel(popup, item.right - 10, (item.top + item.bottom) / 2);
            for (WORD key : {VK_DOWN, VK_DOWN, VK_RETURN})
                PostKey(target, key);
        }
    });
    menu->Popup(120, 120);
    ASSERT_TRUE(popup);
    EXPECT_TRUE(skinned);
    EXPECT_TRUE(answers);
    EXPECT_TRUE(subclassed);
    const int w = window.right - window.left, h = window.bottom - window.top;
    auto back = Sliced(*d->FMenuBackground, w, h, 1, 1);
    EXPECT_EQ(corner, At(*back, 0, 0));
    EXPECT_EQ(behind, At(*back, w / 2, 1));
    const int iw = item.right - item.left, ih = item.bottom - item.top;
    EXPECT_EQ(selected, At(*Sliced(*d->FMenuItem, iw, ih, 4, 5), iw - 10, ih / 2));
    // The choice arrives once; the window and its skin are gone.
    EXPECT_EQ(log.Lines, (std::vector<String>{"SaveItem"}));
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(SkinManager()->PopupCount(), 0);
}

TEST_F(SkinMenusTest, OwnerDrawnItemsArePaintedAndMeasuredFromTheSkin)
{
    TSkinData* d = Data();
    TSkinForm* form = Skin(Host);
    auto* menu = new TPopupMenu(Host);
    TMenuItem* plain = NewItem(Host, menu->Items(), "Plain", "Plain");
    TMenuItem* checked = NewItem(Host, menu->Items(), "Checked", "Checked");
    checked->SetChecked(true);
    TMenuItem* off = NewItem(Host, menu->Items(), "Off", "Off");
    off->SetEnabled(false);
    TMenuItem* line = NewItem(Host, menu->Items(), "Line", "-");
    TMenuItem* save = NewItem(Host, menu->Items(), "Save", "Save");
    save->SetShortCut(TextToShortCut("Ctrl+S"));
    constexpr int w = 200, h = 22, lineHeight = 9;
    const TColor menuColour = static_cast<TColor>(ColorToRGB(d->FColors[scMenu]));
    TDataSkinObject& picture = *d->FMenuItem;
    auto draw = [&](TMenuItem* item, bool selected, int height = 22) {
        auto b = std::make_unique<TBitmap>(w, height);
        form->MenuItemDraw(item, b->Canvas(), TRect(0, 0, w, height), selected);
        return b;
    };

    // Selected: state 4 of the picture; not selected: state 1 (all magenta) shows what lies
    // behind, the Menu colour when no popup window shows the item.
    EXPECT_EQ(At(*draw(plain, true), w - 20, h / 2), At(*Sliced(picture, w, h, 4, 5), w - 20, h / 2));
    auto normal = draw(plain, false);
    EXPECT_EQ(At(*normal, w - 20, h / 2), menuColour);
    const TRect glyph = ToRect(MenuGlyphBox(PixRect(0, 0, w, h), 16, picture.LeftWidth, false));
    const TColor mark = static_cast<TColor>(ColorToRGB(clBtnText));
    EXPECT_EQ(CountPixels(*normal, TRect(glyph.left, 0, glyph.right, h), mark), 0);
    EXPECT_GT(CountPixels(*draw(checked, false), TRect(glyph.left, 0, glyph.right, h), mark), 0);
    // Disabled text in ButtonShadow; where ButtonShadow is the MenuText colour, the system's.
    EXPECT_GT(CountPixels(*draw(off, false), TRect(0, 0, w, h), ColorToRGB(d->FColors[scButtonShadow])), 0);
    d->FColors[scButtonShadow] = d->FColors[scMenuText];
    EXPECT_GT(CountPixels(*draw(off, false), TRect(0, 0, w, h), ColorToRGB(clBtnShadow)), 0);
    // The shortcut ends 11 pixels before the item's right edge.
    auto withShortcut = draw(save, false);
    int right = 0;
    for (int x = 0; x < w; ++x)
        if (CountPixels(*withShortcut, TRect(x, 0, x + 1, h), menuColour) < h)
            right = x;
    EXPECT_TRUE(right <= w - 12 && right >= w - 16) << right;
    // A separator: the second state's bottom rows over what lies behind.
    const int fw = picture.Bitmap.Width() / 5;
    auto separator = draw(line, false, lineHeight);
    int found = 0;
    for (int y = 0; y < lineHeight; ++y) {
        const TColor source = At(picture.Bitmap, fw + fw / 2, picture.Bitmap.Height() - lineHeight + y);
        EXPECT_EQ(At(*separator, w / 2, y), source == SkinKeyColor ? menuColour : source) << "row " << y;
        found += source != SkinKeyColor;
    }
    EXPECT_GT(found, 0);

    // Measured: 35 wider and the picture's left edge, 12 with an image list; a main-menu item
    // from the toolkit's own size (its own handler left out), 35 or 10 wider.
    const int edge = picture.LeftWidth;
    TBitmap b(10, 10);
    int width = 100, height = 20;
    form->MenuItemMeasure(plain, b.Canvas(), width, height);
    EXPECT_EQ(width, 100 + edge + 35);
    menu->SetImages(new TImageList(Host));
    width = 100;
    form->MenuItemMeasure(plain, b.Canvas(), width, height);
    EXPECT_EQ(width, 100 + edge + 12);
    TLog log;
    TBar bar = AddMainMenu(NewForm(), &log);
    int expectW = 0, expectH = 0;
    bar.New->MeasureItem(b.Canvas(), expectW, expectH);
    bar.New->OnMeasureItem = TMenuMeasureItemEvent(&log, &TLog::OwnMeasure);
    width = height = 0;
    form->MainMenuItemMeasure(bar.New, b.Canvas(), width, height);
    EXPECT_EQ(width, expectW + edge + 35);
    EXPECT_EQ(height, expectH);
    // "&" and an empty caption measure like a blank.
    TMenuItemPainter painter(d, nullptr);
    auto measure = [&](const std::wstring& text) {
        RECT r{0, 0, 0, 0};
        painter.DrawMenuText(plain, b.Canvas(), DT_CALCRECT | DT_SINGLELINE, false, r, text);
        return r.right - r.left;
    };
    EXPECT_GT(measure(L" "), 0);
    EXPECT_EQ(measure(L"&"), measure(L" "));
    EXPECT_EQ(measure(L""), measure(L" "));

    // Without a MenuItem picture: flat, Hilight when selected, an etched line 4 pixels down.
    d->FMenuItem.reset();
    EXPECT_EQ(At(*draw(plain, true), w - 20, h / 2), ColorToRGB(d->FColors[scHilight]));
    auto flatLine = draw(line, false, lineHeight);
    EXPECT_EQ(At(*flatLine, w / 2, 4), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(*flatLine, w / 2, 2), menuColour);
}

TEST_F(SkinMenusTest, SystemMenuIsASkinnedCopyOfTheWindowsOwn)
{
    TSkinData* d = Data();
    TSkinForm* form = Skin(Host);
    HMENU native = GetSystemMenu(Host->Handle(), FALSE);
    ASSERT_EQ(form->SystemMenu(), native);
    form->BuildSystemMenu();
    TPopupMenu* menu = form->SystemPopupMenu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->Tag(), TSkinForm::SystemMenuTag);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(menu->Images(), d->FMenuImages.Get());
    EXPECT_EQ(d->FMenuImages->Count(), 4);
    const int count = GetMenuItemCount(native);
    ASSERT_EQ(menu->Items()->Count(), count);
    for (int i = 0; i < count; ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        char text[81] = {};
        GetMenuStringA(native, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(item->Caption(), text[0] ? String(text) : String("-"));
        EXPECT_EQ(static_cast<UINT>(item->Tag()), GetMenuItemID(native, i));
    }
    auto find = [&](UINT command) {
        for (int i = 0; i < count; ++i)
            if (form->SystemPopupMenu()->Items()->Items(i)->Tag() == static_cast<int>(command))
                return form->SystemPopupMenu()->Items()->Items(i);
        return static_cast<TMenuItem*>(nullptr);
    };
    ASSERT_TRUE(find(SC_RESTORE) && find(SC_MAXIMIZE) && find(SC_MINIMIZE) && find(SC_CLOSE) && find(SC_MOVE));
    EXPECT_EQ(find(SC_RESTORE)->ImageIndex(), 0);
    EXPECT_EQ(find(SC_MINIMIZE)->ImageIndex(), 2);
    EXPECT_EQ(find(SC_CLOSE)->ImageIndex(), 3);
    EXPECT_EQ(find(SC_MOVE)->ImageIndex(), -1);
    EXPECT_FALSE(find(SC_RESTORE)->Enabled());
    EXPECT_TRUE(find(SC_MAXIMIZE)->Enabled());
    form->SetSizeState(TSkinForm::ssMaximized);
    form->BuildSystemMenu();
    EXPECT_TRUE(find(SC_RESTORE)->Enabled());
    EXPECT_FALSE(find(SC_MAXIMIZE)->Enabled());
    EXPECT_FALSE(find(SC_MOVE)->Enabled());
    form->SetSizeState(TSkinForm::ssNormal);

    // The fixed menu follows the caption icons.
    form->BuildFixedSystemMenu();
    std::vector<String> captions;
    for (int i = 0; i < form->SystemPopupMenu()->Items()->Count(); ++i)
        captions.push_back(form->SystemPopupMenu()->Items()->Items(i)->Caption());
    EXPECT_EQ(captions, (std::vector<String>{" Restore ", " Maximize ", " Minimize ", "-", " Close "}));
    EXPECT_EQ(form->SystemPopupMenu()->Items()->Items(4)->ShortCut(), TextToShortCut("Alt+F4"));
    TForm* fixed = NewForm();
    fixed->SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
    TSkinForm* other = Skin(fixed);
    other->BuildFixedSystemMenu();
    EXPECT_EQ(other->SystemPopupMenu()->Items()->Count(), 4);  // no " Minimize "

    // Opened, its window is skinned as a system menu; a choice is the window's command.
    HWND popup = nullptr;
    bool skinned = false;
    {
        TScript script(120, [&](int tick) {
            if (tick == 2) {
                popup = OpenMenuWindow();
                skinned = SkinManager()->IsPopupSkinned(popup) && SkinManager()->MenuKind == TSkinManage::mkSystem;
                PostKey(Host->Handle(), VK_ESCAPE);
            }
        });
        EXPECT_TRUE(form->ShowSystemMenu(150, 150));
        EXPECT_TRUE(popup && skinned);
        // A second opening within the double-click time opens nothing; over a caption button
        // it closes the window.
        popup = nullptr;
        EXPECT_TRUE(form->ShowSystemMenu(150, 150));
        EXPECT_FALSE(popup);
    }
    find(SC_MINIMIZE)->Click();
    EXPECT_TRUE(PumpUntil([this] { return IsIconic(Host->Handle()) != FALSE; }));
    ShowWindow(Host->Handle(), SW_RESTORE);
    PumpFor(50);
    EXPECT_TRUE(Host->Visible());
    form->SetHotObject(form->Buttons(0));
    form->ShowSystemMenu(150, 150);
    EXPECT_TRUE(PumpUntil([this] { return !Host->Visible(); }));
}

TEST_F(SkinMenusTest, MenuBarIsBuiltLaidOutAndPaintedFromTheSkin)
{
    TLog log;
    TBar bar = AddMainMenu(Host, &log);
    HMENU native = GetMenu(Host->Handle());
    ASSERT_TRUE(native);
    TSkinData* d = Data();
    TSkinForm* form = Skin(Host);
    TSkinMenu* skinBar = form->MenuBar();
    ASSERT_TRUE(skinBar);
    EXPECT_FALSE(GetMenu(Host->Handle()));  // the native bar is gone
    EXPECT_EQ(skinBar->VCLMenu(), bar.Menu);
    EXPECT_EQ(form->MenuHeight(), GetSystemMetrics(SM_CYMENU));
    ASSERT_EQ(skinBar->Count(), 4);
    EXPECT_EQ(skinBar->Buttons(0)->Caption, L"&File");
    EXPECT_EQ(skinBar->Buttons(0)->SubMenu, bar.File->Handle());
    EXPECT_EQ(skinBar->Buttons(0)->Command, bar.File->Command());
    EXPECT_EQ(skinBar->Buttons(2)->SubMenu, nullptr);
    EXPECT_FALSE(skinBar->Buttons(3)->Enabled);

    // Painted into a memory DC at the bar's place: the picture's active state, the captions.
    const TRect window = WindowRectOf(Host->Handle());
    const TRect barRect(form->LeftBorder(), form->CaptionHeight(), window.Width() - form->RightBorder(),
                        form->CaptionHeight() + form->MenuHeight());
    TBitmap target(window.Width(), window.Height());
    skinBar->Paint(target.Canvas()->Handle(), barRect);
    auto expected = Sliced(*d->FMenuBar, barRect.Width(), barRect.Height(), 1, 2, true);
    EXPECT_EQ(At(target, barRect.right - 20, barRect.top + 3), At(*expected, barRect.Width() - 20, 3));
    EXPECT_EQ(skinBar->Buttons(0)->Rect.left, barRect.left + d->FMenuBar->LeftWidth + 4);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(skinBar->Buttons(i)->Rect.left, skinBar->Buttons(i - 1)->Rect.right);
    EXPECT_EQ(skinBar->Buttons(0)->Rect.bottom, barRect.bottom - 1);
    EXPECT_GT(CountPixels(target, skinBar->Buttons(0)->Rect, ColorToRGB(d->FColors[scMenuBarText])), 0);
    EXPECT_GT(CountPixels(target, skinBar->Buttons(3)->Rect, ColorToRGB(d->FColors[scButtonShadow])), 0);
    EXPECT_EQ(skinBar->ButtonAt(TPoint(skinBar->Buttons(1)->Rect.left + 2, barRect.top + 2)), skinBar->Buttons(1));
    EXPECT_EQ(skinBar->ButtonAt(TPoint(barRect.right - 3, barRect.top + 2)), nullptr);
    const TRect first = skinBar->Buttons(0)->Rect;
    skinBar->Buttons(0)->Rect = TRect();
    skinBar->Layout();
    EXPECT_EQ(skinBar->Buttons(0)->Rect, first);

    // A hot button gets its frame on the window; built again, the bar forgets it.
    TMenuBtn* edit = skinBar->Buttons(1);
    edit->MouseMove();
    EXPECT_EQ(form->HotObject(), edit);
    EXPECT_EQ(WindowPixel(Host->Handle(), edit->Rect.left, edit->Rect.top + 1), ColorToRGB(d->FColors[scButtonHilight]));
    EXPECT_EQ(WindowPixel(Host->Handle(), edit->Rect.left + 1, edit->Rect.top + 1),
              At(target, edit->Rect.left + 1, edit->Rect.top + 1));
    skinBar->TakeMenu(nullptr);
    EXPECT_EQ(form->HotObject(), nullptr);
    EXPECT_EQ(skinBar->Count(), 4);
    // The build of older systems reads the toolkit's items alone.
    bar.Help->SetVisible(false);
    skinBar->BuildFromMenuItems();
    ASSERT_EQ(skinBar->Count(), 4);
    EXPECT_FALSE(skinBar->Buttons(2)->Visible);
    skinBar->Rebuild();
    EXPECT_EQ(skinBar->Count(), 3);
    bar.Help->SetVisible(true);

    // A change of the menu reaches the bar; switched off, the window has its native bar again.
    bar.Help->SetCaption("&About");
    EXPECT_EQ(skinBar->Buttons(2)->Caption, L"&About");
    EXPECT_FALSE(GetMenu(Host->Handle()));
    SwitchOff(d);
    EXPECT_EQ(GetMenu(Host->Handle()), native);
}

TEST_F(SkinMenusTest, MenuBarIsNavigatedByKeysAndMouse)
{
    TLog log;
    AddMainMenu(Host, &log);
    Data();
    TSkinForm* form = Skin(Host);
    TSkinMenu* skinBar = form->MenuBar();
    ASSERT_TRUE(skinBar);
    // The frame's painting lays the bar out.
    ASSERT_TRUE(PumpUntil([skinBar] { return skinBar->Buttons(3)->Rect.Width() > 0; }));
    HWND target = Host->Handle();
    auto submenuOf = [skinBar](int i) { return skinBar->Buttons(i)->SubMenu; };
    BYTE keys[256] = {};
    auto hold = [&keys](std::initializer_list<int> vks, bool down) {
        for (int vk : vks)
            keys[vk] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    };

    // Alt+E opens Edit with its first item selected; Left goes to File, Right back to Edit;
    // Return chooses Undo.
    std::vector<HMENU> open;
    bool tracking = false;
    {
        TScript script(150, [&](int tick) {
            open.push_back(form->OpenMenu());
            if (tick == 1) {
                tracking = MenuBarFilterHook() && form->MenuTracking() && SkinManager()->BarMenuOpen &&
                           SkinManager()->MenuKind == TSkinManage::mkMenuBar &&
                           SkinManager()->IsPopupSkinned(OpenMenuWindow());
            }
            if (tick <= 3)
                PostKey(target, tick == 1 ? VK_LEFT : tick == 2 ? VK_RIGHT : VK_RETURN);
        });
        GetKeyboardState(keys);
        hold({VK_MENU}, true);
        EXPECT_EQ(Host->Perform(CM_DIALOGCHAR, 'e', 0), 1);
        hold({VK_MENU}, false);
        PumpUntil([&] { return open.size() >= 4 && !form->OpenMenu(); }, 4000);
    }
    ASSERT_GE(open.size(), 3u);
    EXPECT_EQ(open[0], submenuOf(1));
    EXPECT_EQ(open[1], submenuOf(0));
    EXPECT_EQ(open[2], submenuOf(1));
    EXPECT_TRUE(tracking);
    EXPECT_EQ(log.Count("Undo"), 1);
    EXPECT_EQ(log.Count("Edit"), 2);  // each opening clicks its top-level item
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(submenuOf(1), 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);  // the drop-down's items are the skin's
    EXPECT_FALSE(MenuBarFilterHook());
    EXPECT_FALSE(form->MenuTracking());
    PumpFor(50);
    EXPECT_FALSE(SkinManager()->BarMenuOpen);
    EXPECT_EQ(SkinManager()->MenuKind, TSkinManage::mkPopup);

    // Alt with Ctrl opens nothing; Alt by itself the first button, Alt+E through the system
    // command Edit.
    const int files = log.Count("File");
    hold({VK_MENU, VK_CONTROL}, true);
    EXPECT_EQ(Host->Perform(CM_DIALOGCHAR, 'f', 0), 0);
    hold({VK_MENU, VK_CONTROL}, false);
    PumpFor(50);
    EXPECT_EQ(log.Count("File"), files);
    open.clear();
    {
        TScript script(150, [&](int) {
            open.push_back(form->OpenMenu());
            PostKey(target, VK_ESCAPE);
        });
        SendMessageA(target, WM_SYSCOMMAND, SC_KEYMENU, 0);
        SendMessageA(target, WM_SYSCOMMAND, SC_KEYMENU, 'e');
    }
    EXPECT_EQ(open, (std::vector<HMENU>{submenuOf(0), submenuOf(1)}));

    // The mouse: a press on File opens it, moving over Edit switches, Escape closes.
    log.Lines.clear();
    open.clear();
    {
        TScript script(150, [&](int tick) {
            open.push_back(form->OpenMenu());
            if (tick == 1) {
                const TRect& r = skinBar->Buttons(1)->Rect;
                const TPoint origin = form->ScreenToWindow(0, 0);
                SetCursorPos(r.left + 4 - origin.x, r.top + 4 - origin.y);
                PostMessageA(OpenMenuWindow(), WM_MOUSEMOVE, 0, 0);
            } else if (tick == 2) {
                PostKey(target, VK_ESCAPE);
            }
        });
        form->ClickMenuButton(skinBar->Buttons(0));
        PumpUntil([&] { return open.size() >= 3 && !form->OpenMenu(); }, 4000);
    }
    ASSERT_GE(open.size(), 2u);
    EXPECT_EQ(open[0], submenuOf(0));
    EXPECT_EQ(open[1], submenuOf(1));
    EXPECT_EQ(log.Lines, (std::vector<String>{"File", "Edit"}));

    // A button without items gets its command and no drop-down, a disabled one nothing; the
    // menu-bar popup message opens the button under its point.
    log.Lines.clear();
    EXPECT_FALSE(form->OpenMenuButton(skinBar->Buttons(2)));
    EXPECT_TRUE(form->OpenMenuButton(skinBar->Buttons(3)));
    const TPoint origin = form->ScreenToWindow(0, 0);
    const TRect& help = skinBar->Buttons(2)->Rect;
    EXPECT_EQ(SendMessageA(target, SKM_MENUBARPOPUP, 0, MAKELPARAM(help.left + 3 - origin.x, help.top + 3 - origin.y)),
              0);
    PumpFor(50);
    EXPECT_EQ(log.Lines, (std::vector<String>{"Help", "Help"}));
    EXPECT_FALSE(MenuBarFilterHook());
}

namespace {

// An action that renames its item and switches it off whenever it is asked to update.
class TRenamingAction : public TObject {
public:
    explicit TRenamingAction(TMenuItem* item) : FItem(item) {}
    void Update(TObject*)
    {
        ++Updates;
        FItem->SetCaption("&Changes");
        FItem->SetEnabled(false);
    }
    int Updates = 0;

private:
    TMenuItem* FItem;
};

// The screen's pixels in a rectangle (screen coordinates).
std::unique_ptr<TBitmap> ScreenPixels(const RECT& r)
{
    auto b = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(b->Canvas()->Handle(), 0, 0, b->Width(), b->Height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return b;
}

}  // namespace

TEST_F(SkinMenusTest, MenuBarButtonsShowTheirItemsAsTheirActionsMakeThem)
{
    TLog log;
    TBar bar = AddMainMenu(Host, &log);
    TRenamingAction renaming(bar.Edit);
    auto* action = new TBasicAction(Host);
    action->OnUpdate = TNotifyEvent(&renaming, &TRenamingAction::Update);
    bar.Edit->SetAction(action);
    Data();
    TSkinForm* form = Skin(Host);
    TSkinMenu* skinBar = form->MenuBar();
    ASSERT_TRUE(skinBar);
    ASSERT_EQ(skinBar->Count(), 4);
    EXPECT_GE(renaming.Updates, 1);
    EXPECT_EQ(skinBar->Buttons(1)->Caption, L"&Changes");
    EXPECT_FALSE(skinBar->Buttons(1)->Enabled);
    EXPECT_EQ(skinBar->Buttons(0)->Caption, L"&File");

    // Clicked, the switched-off button opens no drop-down.
    ASSERT_TRUE(PumpUntil([skinBar] { return skinBar->Buttons(1)->Rect.Width() > 0; }));
    bool opened = false;
    TScript script(100, [&](int) {
        if (OpenMenuWindow()) {
            opened = true;
            PostKey(Host->Handle(), VK_ESCAPE);
        }
    });
    const TRect& r = skinBar->Buttons(1)->Rect;
    ClickScreen(WindowToScreen(Host->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2));
    EXPECT_TRUE(PumpUntil([&] { return form->HotObject() == skinBar->Buttons(1); }, 1000)) << "no click arrived";
    PumpFor(300);
    EXPECT_FALSE(opened);

    action->Free();
    EXPECT_EQ(bar.Edit->Action(), nullptr);
}

TEST_F(SkinMenusTest, ANativeItemInADropDownHasTheStandardGlyphBox)
{
    TLog log;
    TBar bar = AddMainMenu(Host, &log);
    auto* images = new TImageList(Host);
    images->SetWidth(32);
    images->SetHeight(32);
    bar.Menu->SetImages(images);  // the toolkit's items have a 32-pixel glyph box
    TSkinData* d = Data();
    TSkinForm* form = Skin(Host);
    ASSERT_TRUE(form->MenuBar());
    ASSERT_TRUE(PumpUntil([form] { return form->MenuBar()->Buttons(0)->Rect.Width() > 0; }));
    // An item the toolkit does not know, as a system or MDI list item is: checked.
    constexpr UINT NativeCommand = 5000;
    HMENU file = bar.File->Handle();
    ASSERT_TRUE(AppendMenuA(file, MF_STRING | MF_CHECKED, NativeCommand, "Native"));
    const int position = GetMenuItemCount(file) - 1;

    // Opened by a click on File; what the drop-down shows of the item against the item as the
    // skin draws one of no menu.
    std::unique_ptr<TBitmap> shown, expected;
    TScript script(100, [&](int) {
        HWND popup = OpenMenuWindow();
        if (shown || !popup)
            return;
        RECT item{};
        if (!GetMenuItemRect(nullptr, file, static_cast<UINT>(position), &item))
            return;
        shown = ScreenPixels(item);
        POINT client{0, 0};
        ClientToScreen(popup, &client);
        const TRect inClient(item.left - client.x, item.top - client.y, item.right - client.x, item.bottom - client.y);
        TMenuItem native(nullptr);
        native.SetCaption("Native");
        native.SetChecked(true);
        TBitmap own(inClient.right, inClient.bottom);
        TMenuItemPainter(d, nullptr).DrawSystem(file, &native, false, inClient, own.Canvas());
        expected = std::make_unique<TBitmap>(inClient.Width(), inClient.Height());
        BitBlt(expected->Canvas()->Handle(), 0, 0, inClient.Width(), inClient.Height(), own.Canvas()->Handle(),
               inClient.left, inClient.top, SRCCOPY);
        PostKey(Host->Handle(), VK_ESCAPE);
    });
    const TRect& r = form->MenuBar()->Buttons(0)->Rect;
    ClickScreen(WindowToScreen(Host->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2));
    ASSERT_TRUE(PumpUntil([&] { return shown != nullptr; }, 3000));
    PumpFor(100);
    ASSERT_EQ(shown->Width(), expected->Width());
    // The glyph box and the check mark in it: 16 wide after the picture's left edge.
    const int glyphEnd = 1 + d->FMenuItem->LeftWidth + 16 + 3;
    int differ = 0;
    for (int y = 0; y < shown->Height(); ++y)
        for (int x = 0; x < glyphEnd + 16; ++x)
            differ += At(*shown, x, y) != At(*expected, x, y);
    EXPECT_EQ(differ, 0);
}

TEST_F(SkinMenusTest, SwitchingOffGivesEveryMenuItsOwnDrawingBack)
{
    TLog own;
    const TMenuDrawItemEvent ownDraw(&own, &TLog::OwnDraw);
    const TMenuMeasureItemEvent ownMeasure(&own, &TLog::OwnMeasure);
    auto* popup = new TPopupMenu(Host);
    TMenuItem* drawn = NewItem(Host, popup->Items(), "Drawn", "Drawn");
    drawn->OnDrawItem = ownDraw;
    drawn->OnMeasureItem = ownMeasure;
    TMenuItem* bare = NewItem(Host, popup->Items(), "Bare", "Bare");
    TMenuItem* deep = NewItem(Host, bare, "Deep", "Deep");
    auto* excluded = new TPopupMenu(Host);
    excluded->SetTag(99);
    NewItem(Host, excluded->Items(), "Kept", "Kept");
    TBar bar = AddMainMenu(Host, &own);
    bar.Undo->OnDrawItem = ownDraw;

    TSkinData* d = Data();
    d->SetSkinControls(d->SkinControls() + TSkinControlTypes{xcMenuItem});
    TSkinForm* form = Skin(Host);
    const TMenuDrawItemEvent skinDraw(form, &TSkinForm::MenuItemDraw);
    const TMenuMeasureItemEvent skinMeasure(form, &TSkinForm::MenuItemMeasure);
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_TRUE(drawn->OnDrawItem == skinDraw);
    EXPECT_TRUE(drawn->OnMeasureItem == ownMeasure);  // an own measure handler stays
    EXPECT_TRUE(bare->OnDrawItem == skinDraw && bare->OnMeasureItem == skinMeasure);
    EXPECT_TRUE(deep->OnDrawItem == skinDraw);
    EXPECT_FALSE(excluded->OwnerDraw());  // Tag = DisableTag
    // Main menus with xcMenuItem: the drop-down items that draw nothing of their own.
    EXPECT_TRUE(bar.Menu->OwnerDraw());
    EXPECT_FALSE(bar.File->OnDrawItem);
    EXPECT_TRUE(bar.New->OnDrawItem == skinDraw);
    EXPECT_TRUE(bar.Undo->OnDrawItem == ownDraw);
    // Again (colours re-applied): nothing is remembered twice.
    form->SetPopupMenusOwnerDraw(Host, true);

    // A popup shown while skinned is subclassed while it lives; off, one is left alone.
    auto shownSkinned = [&] {
        bool skinned = false;
        TScript script(120, [&](int tick) {
            if (tick == 2) {
                skinned = SkinManager()->IsPopupSkinned(OpenMenuWindow());
                PostKey(Host->Handle(), VK_ESCAPE);
            }
        });
        popup->Popup(150, 150);
        EXPECT_EQ(SkinManager()->PopupCount(), 0);
        return skinned;
    };
    EXPECT_TRUE(shownSkinned());
    SwitchOff(d);
    EXPECT_FALSE(shownSkinned());
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_TRUE(drawn->OnDrawItem == ownDraw && drawn->OnMeasureItem == ownMeasure);
    EXPECT_FALSE(bare->OnDrawItem || bare->OnMeasureItem || deep->OnDrawItem);
    EXPECT_FALSE(bar.Menu->OwnerDraw());
    EXPECT_FALSE(bar.New->OnDrawItem);
    EXPECT_TRUE(bar.Undo->OnDrawItem == ownDraw);
}

TEST_F(SkinMenusTest, ASkinGoingWhileItsMenusAreOpenLeavesNothingBehind)
{
    TLog log;
    TBar bar = AddMainMenu(Host, &log);
    auto* popup = new TPopupMenu(Host);
    TMenuItem* item = NewItem(Host, popup->Items(), "Item", "Item", &log);
    TSkinData* d = Data();
    TSkinForm* form = Skin(Host);
    ASSERT_TRUE(item->OnDrawItem);
    auto freeData = [&d](int tick) {
        if (tick == 2 && d)
            std::exchange(d, nullptr)->Free();
        if (tick == 5)  // not freed: the test fails rather than waits
            EndMenu();
    };

    // The skin data goes while the item's menu is open: the window loses its skin, the item
    // its handler, the popup its subclass; the choice still arrives.
    {
        TScript script(120, [&](int tick) {
            freeData(tick);
            if (tick == 3) {
                PostKey(Host->Handle(), VK_DOWN);
                PostKey(Host->Handle(), VK_RETURN);
            }
        });
        popup->Popup(150, 150);
    }
    EXPECT_FALSE(d);
    EXPECT_EQ(SkinManager()->FormCount(), 0);
    EXPECT_EQ(SkinManager()->PopupCount(), 0);
    EXPECT_FALSE(item->OnDrawItem);
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_EQ(log.Lines, (std::vector<String>{"Item"}));
    EXPECT_EQ(GetMenu(Host->Handle()), bar.Menu->Handle());

    // The same with the system menu open, and with a drop-down of the menu bar open.
    d = Data();
    form = Skin(Host);
    {
        TScript script(120, freeData);
        form->ShowSystemMenu(150, 150);
    }
    EXPECT_FALSE(d);
    d = Data();
    form = Skin(Host);
    ASSERT_TRUE(PumpUntil([form] { return form->MenuBar()->Buttons(0)->Rect.Width() > 0; }));
    {
        TScript script(120, freeData);
        form->OpenMenuButton(form->MenuBar()->Buttons(0));
    }
    EXPECT_FALSE(d);
    EXPECT_FALSE(MenuBarFilterHook());
    EXPECT_EQ(GetMenu(Host->Handle()), bar.Menu->Handle());
    EXPECT_EQ(SkinManager()->PopupCount(), 0);
}

namespace {

// A stand-in for a popup-menu window: records what reaches its own procedure and paints red.
std::vector<UINT> gReached;
LRESULT CALLBACK StandInProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_NCPAINT && msg != WM_ERASEBKGND && msg != WM_PRINT && msg != WM_PAINT && msg != SKM_ISSKINNED)
        return DefWindowProcA(w, msg, wp, lp);
    gReached.push_back(msg);
    TGdiObject<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));
    RECT r{0, 0, 120, 80};
    if (msg == WM_PRINT)
        FillRect(reinterpret_cast<HDC>(wp), &r, red.Get());
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        FillRect(BeginPaint(w, &ps), &r, red.Get());
        EndPaint(w, &ps);
    }
    return msg == WM_ERASEBKGND ? 7 : 0;
}

HWND NewStandIn()
{
    WNDCLASSA wc{};
    if (!GetClassInfoA(ModuleInstance(), "MenuStandIn", &wc)) {
        wc.lpfnWndProc = StandInProc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = "MenuStandIn";
        RegisterClassA(&wc);
    }
    // Shown without being activated, as menus are (an activated window would get a form skin).
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "MenuStandIn", "", WS_POPUP, 400, 300, 120, 80, nullptr,
                             nullptr, ModuleInstance(), nullptr);
    ShowWindow(w, SW_SHOWNA);
    return w;
}

std::vector<UINT> Reached(HWND w, UINT msg, WPARAM wp = 0, LRESULT* result = nullptr)
{
    gReached.clear();
    const LRESULT r = SendMessageA(w, msg, wp, PRF_CLIENT);
    if (result)
        *result = r;
    return gReached;
}

}  // namespace

TEST_F(SkinMenusTest, PopupWindowSkinPaintsItsFrameAndPassesTheRestOn)
{
    TSkinData* d = Data();
    HWND w = Track(NewStandIn());
    const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC));
    TSkinPopMenu popup;
    popup.Hook(w, d, nullptr);
    const std::vector<UINT> none;
    LRESULT result = 0;
    EXPECT_EQ(Reached(w, SKM_ISSKINNED, 0, &result), none);
    EXPECT_EQ(result, 1);

    // The whole frame painted from the picture; a partial update left to the menu.
    auto back = Sliced(*d->FMenuBackground, 120, 80, 1, 1);
    EXPECT_EQ(Reached(w, WM_NCPAINT, 1), none);
    EXPECT_EQ(WindowPixel(w, 0, 0), At(*back, 0, 0));
    TGdiObject<HRGN> part(CreateRectRgn(0, 0, 10, 10));
    EXPECT_EQ(Reached(w, WM_NCPAINT, reinterpret_cast<WPARAM>(part.Get())), std::vector<UINT>{WM_NCPAINT});
    // The menu paints its client; where that fills the window, the frame is painted again.
    InvalidateRect(w, nullptr, FALSE);
    gReached.clear();
    UpdateWindow(w);
    EXPECT_EQ(gReached, std::vector<UINT>{WM_PAINT});
    EXPECT_EQ(WindowPixel(w, 1, 1), At(*back, 1, 1));
    EXPECT_EQ(WindowPixel(w, 10, 10), RGB(255, 0, 0));
    // Printed: the picture, and the menu inside the frame only.
    TBitmap printed(120, 80);
    const auto dc = reinterpret_cast<WPARAM>(printed.Canvas()->Handle());
    EXPECT_EQ(Reached(w, WM_PRINT, dc), std::vector<UINT>{WM_PRINT});
    EXPECT_EQ(At(printed, 2, 2), At(*back, 2, 2));
    EXPECT_EQ(At(printed, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(At(printed, 117, 77), At(*back, 117, 77));
    // Erasing: the menu's own, answered 1; with xoMenuBG not at all.
    EXPECT_EQ(Reached(w, WM_ERASEBKGND, dc, &result), std::vector<UINT>{WM_ERASEBKGND});
    EXPECT_EQ(result, 1);
    d->SetOptions(d->Options() + TSkinOptions{xoMenuBG});
    EXPECT_EQ(Reached(w, WM_ERASEBKGND, dc, &result), none);
    EXPECT_EQ(result, 1);
    // Without a MenuBackground picture, or with skinning off, the menu paints itself.
    std::unique_ptr<TDataSkinObject> picture = std::move(d->FMenuBackground);
    EXPECT_EQ(Reached(w, WM_NCPAINT, 1), std::vector<UINT>{WM_NCPAINT});
    d->FMenuBackground = std::move(picture);
    SkinManager()->SetActive(false);
    EXPECT_EQ(Reached(w, WM_NCPAINT, 1), std::vector<UINT>{WM_NCPAINT});
    EXPECT_EQ(Reached(w, SKM_ISSKINNED, 0, &result), none);
    EXPECT_EQ(result, 1);

    popup.Unhook();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)), own);
    EXPECT_TRUE(popup.Background().Empty());
    EXPECT_EQ(Reached(w, SKM_ISSKINNED), std::vector<UINT>{SKM_ISSKINNED});
}

TEST_F(SkinMenusTest, ManagerKeepsOnePopupSkinPerMenuWindowWhileItLives)
{
    TSkinData* d = Data();
    TSkinManage& m = *SkinManager();
    HWND first = NewStandIn(), second = NewStandIn(), third = Track(NewStandIn());
    m.SkinPopupWindow(first);
    m.SkinPopupWindow(first);
    EXPECT_EQ(m.PopupCount(), 1);
    // A drop-down of the bar is marked owner-drawn; a kind whose gate is off is left alone.
    m.MenuKind = TSkinManage::mkMenuBar;
    m.BarMenuOpen = true;
    m.SkinPopupWindow(second);
    ASSERT_EQ(m.PopupCount(), 2);
    EXPECT_TRUE(m.Popups(1)->OwnerDrawMark);
    EXPECT_FALSE(m.Popups(0)->OwnerDrawMark);
    d->SetSkinControls(d->SkinControls() - TSkinControlTypes{xcSystemMenu});
    m.MenuKind = TSkinManage::mkSystem;
    m.SkinPopupWindow(third);
    EXPECT_FALSE(m.IsPopupSkinned(third));
    m.MarkPopupsOwnerDraw();
    EXPECT_TRUE(m.Popups(0)->OwnerDrawMark);

    // Menus bind to the newest window without one; a menu keeps its window.
    HMENU outer = CreatePopupMenu(), inner = CreatePopupMenu();
    m.BindPopupMenu(outer);
    m.BindPopupMenu(outer);
    EXPECT_EQ(m.Popups(1)->BoundMenu, outer);
    EXPECT_EQ(m.Popups(0)->BoundMenu, nullptr);
    m.BindPopupMenu(inner);
    EXPECT_EQ(m.Popups(0)->BoundMenu, inner);
    EXPECT_EQ(m.GetPopupBitmap(outer), &m.Popups(1)->Background());

    // Windows going release their skins; the last one resets the menu kind.
    DestroyWindow(second);
    EXPECT_EQ(m.PopupCount(), 1);
    EXPECT_EQ(m.MenuKind, TSkinManage::mkSystem);
    EXPECT_FALSE(m.ReleasePopupWindow(second));
    DestroyWindow(first);
    EXPECT_EQ(m.PopupCount(), 0);
    EXPECT_EQ(m.MenuKind, TSkinManage::mkPopup);
    EXPECT_FALSE(m.BarMenuOpen);
    DestroyMenu(outer);
    DestroyMenu(inner);
}

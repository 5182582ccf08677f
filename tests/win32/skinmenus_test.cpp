// Skinned menus on real windows: a popup menu skinned while TrackPopupMenu tracks it, owner-drawn
// items painted into memory and compared with the skin's pictures, the skinned system menu
// against the window's own, the menu bar of a form with a main menu (built, painted, navigated
// by keys and mouse), and every menu given back when the skin goes.
#include <algorithm>
#include <functional>
#include <memory>

#include "bitmapview.h"
#include "guitest.h"
#include "menudrawhandlers.h"
#include "menuitemdraw.h"
#include "menulayout.h"
#include "menus.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinform.h"
#include "skinmanager.h"
#include "skinmenu.h"
#include "skinmessages.h"
#include "skinpopmenu.h"
#include "themeskins.h"
#include "timer.h"

namespace {

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

// A pixel of a window as it was drawn (window coordinates).
COLORREF WindowPixel(HWND wnd, int x, int y)
{
    HDC dc = GetWindowDC(wnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return c;
}

COLORREF PixelOf(TBitmap& b, int x, int y) { return ColorToRGB(b.Canvas()->Pixels(x, y)); }

// The skin's picture as the engine lays it over a width x height target.
std::unique_ptr<TBitmap> Sliced(TDataSkinObject& o, int width, int height, int state, int count, bool tile,
                                bool vertical)
{
    return StretchSkinBitmap(TRect(0, 0, width, height), &o.Bitmap, o.Margins(), state, count, tile, vertical);
}

// Pixels of colour c inside r.
int CountPixels(TBitmap& b, const TRect& r, COLORREF c)
{
    int n = 0;
    for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, b.Height()); ++y)
        for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, b.Width()); ++x)
            n += PixelOf(b, x, y) == c;
    return n;
}

// Runs `step` (with its tick number, from 1) every `ms` while a menu loop runs.
class TScript : public TObject {
public:
    TScript(int ms, std::function<void(int)> step) : FStep(std::move(step)), FTimer(nullptr)
    {
        FTimer.SetInterval(ms);
        FTimer.SetOnTimer(TNotifyEvent(this, &TScript::Tick));
    }
    void Stop() { FTimer.SetEnabled(false); }

private:
    void Tick(TObject*) { FStep(++FTicks); }
    std::function<void(int)> FStep;
    TTimer FTimer;
    int FTicks = 0;
};

void PostKey(HWND wnd, WORD vk)
{
    PostMessageA(wnd, WM_KEYDOWN, vk, 1);
    PostMessageA(wnd, WM_KEYUP, vk, 0xC0000001u);
}

BOOL CALLBACK FindMenuWindow(HWND w, LPARAM p)
{
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (String(cls) == "#32768" && IsWindowVisible(w))
        *reinterpret_cast<HWND*>(p) = w;
    return TRUE;
}

// The newest popup-menu window shown (the last in the thread's z-order walk is the oldest).
HWND OpenMenuWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

class TLog : public TObject {
public:
    std::vector<String> Lines;
    void Click(TObject* s) { Lines.push_back(static_cast<TMenuItem*>(s)->Name()); }
    void OwnDraw(TObject*, TCanvas*, TRect, bool) {}
    void OwnMeasure(TObject*, TCanvas*, int&, int&) {}
    int Count(const String& line) const { return static_cast<int>(std::count(Lines.begin(), Lines.end(), line)); }
};

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const char* name, const char* caption, TLog* log)
{
    auto* i = new TMenuItem(owner);
    i->SetName(name);
    i->SetCaption(caption);
    if (log)
        i->OnClick = TNotifyEvent(log, &TLog::Click);
    parent->Add(i);
    return i;
}

class SkinMenusTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        DoneSkinManager();
        Host = NewForm();
    }
    void TearDown() override
    {
        for (size_t i = Forms.size(); i-- > 0;)
            Forms[i]->Free();
        DoneSkinManager();
        GuiTest::TearDown();
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
    TSkinData* Data(const char* skin = "default.skn")
    {
        auto* d = new TSkinData(Host);
        d->Loaded();
        d->SetSkinFile(ThemeSkinPath(skin));
        EXPECT_FALSE(d->FSkinEmpty) << "build the native build first";
        SkinManager()->SetActive(true);
        return d;
    }
    // The form's skin (the hook gives one to a form activated while the skin is on).
    TSkinForm* Skin(TForm* f)
    {
        SkinManager()->SkinWindow(f->Handle());
        TSkinForm* s = SkinManager()->FindSkinForm(f->Handle());
        EXPECT_TRUE(s);
        EXPECT_TRUE(PumpUntil([s] { return s->LifeState() == TSkinForm::lsSkinned; }));
        return s;
    }
    void SwitchOff(TSkinData* d)
    {
        d->SetActive(true);
        d->SetActive(false);
        ASSERT_TRUE(PumpUntil([] { return SkinManager()->FormCount() == 0; }));
    }

    TForm* Host = nullptr;
    std::vector<TForm*> Forms;
};

}  // namespace

TEST_F(SkinMenusTest, PopupMenuIsSkinnedWhileItIsTracked)
{
    TSkinData* d = Data();
    TLog log;
    auto* images = new TImageList(Host);
    TBitmap red(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(TRect(0, 0, 16, 16));
    images->Add(&red, nullptr);
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
    HWND target = Host->Handle();
    HWND popup = nullptr;
    bool skinned = false, answers = false, kind0 = false, subclassed = false;
    COLORREF corner = 0, behind = 0, selected = 0;
    RECT checkedItem{}, window{};
    TScript script(120, [&](int tick) {
        if (tick == 1) {
            PostKey(target, VK_DOWN);
            PostKey(target, VK_DOWN);
        } else if (tick == 3) {
            popup = OpenMenuWindow();
            skinned = SkinManager()->IsPopupSkinned(popup);
            answers = SendMessageA(popup, SKM_ISSKINNED, 0, 0) == 1;
            kind0 = SkinManager()->MenuKind == TSkinManage::mkPopup;
            WNDCLASSA wc{};
            GetClassInfoA(nullptr, "#32768", &wc);
            subclassed = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(popup, GWLP_WNDPROC)) != wc.lpfnWndProc;
            GetWindowRect(popup, &window);
            GetMenuItemRect(nullptr, menu->Handle(), 1, &checkedItem);
            corner = ScreenPixel(window.left, window.top);
            behind = ScreenPixel(window.left + (window.right - window.left) / 2, window.top + 1);
            selected = ScreenPixel(checkedItem.right - 10, (checkedItem.top + checkedItem.bottom) / 2);
            PostKey(target, VK_DOWN);
            PostKey(target, VK_DOWN);
            PostKey(target, VK_RETURN);
        }
    });
    menu->Popup(120, 120);
    script.Stop();
    ASSERT_TRUE(popup);
    EXPECT_TRUE(skinned);
    EXPECT_TRUE(answers);
    EXPECT_TRUE(kind0);
    EXPECT_TRUE(subclassed);
    const int w = window.right - window.left, h = window.bottom - window.top;
    auto back = Sliced(*d->FMenuBackground, w, h, 1, 1, d->FMenuBackground->Tile == 1, false);
    EXPECT_EQ(corner, PixelOf(*back, 0, 0));
    EXPECT_EQ(behind, PixelOf(*back, w / 2, 1));
    const int iw = checkedItem.right - checkedItem.left, ih = checkedItem.bottom - checkedItem.top;
    auto state = Sliced(*d->FMenuItem, iw, ih, 4, 5, d->FMenuItem->Tile == 1, false);
    EXPECT_EQ(selected, PixelOf(*state, iw - 10, ih / 2));
    // The choice arrives once.
    EXPECT_EQ(log.Lines, (std::vector<String>{"SaveItem"}));
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(SkinManager()->PopupCount(), 0);
}

TEST_F(SkinMenusTest, OwnerDrawnItemsArePaintedFromTheSkinsPictures)
{
    TSkinData* d = Data();
    TSkinForm* form = Skin(Host);
    auto* menu = new TPopupMenu(Host);
    TMenuItem* plain = NewItem(Host, menu->Items(), "Plain", "Plain", nullptr);
    TMenuItem* checked = NewItem(Host, menu->Items(), "Checked", "Checked", nullptr);
    checked->SetChecked(true);
    TMenuItem* off = NewItem(Host, menu->Items(), "Off", "Off", nullptr);
    off->SetEnabled(false);
    TMenuItem* line = NewItem(Host, menu->Items(), "Line", "-", nullptr);
    TMenuItem* save = NewItem(Host, menu->Items(), "Save", "Save", nullptr);
    save->SetShortCut(TextToShortCut("Ctrl+S"));
    constexpr int w = 200, h = 22;
    const COLORREF menuColour = ColorToRGB(d->FColors[scMenu]);
    TDataSkinObject& picture = *d->FMenuItem;
    auto draw = [&](TMenuItem* item, bool selected, int height = 22) {
        auto b = std::make_unique<TBitmap>(w, height);
        form->MenuItemDraw(item, b->Canvas(), TRect(0, 0, w, height), selected);
        return b;
    };

    // Selected: state 4 of the picture; not selected: state 1 (all magenta) shows what lies
    // behind, the Menu colour when no popup window shows the item.
    auto selected = draw(plain, true);
    auto state4 = Sliced(picture, w, h, 4, 5, picture.Tile == 1, false);
    EXPECT_EQ(PixelOf(*selected, w - 20, h / 2), PixelOf(*state4, w - 20, h / 2));
    auto normal = draw(plain, false);
    EXPECT_EQ(PixelOf(*normal, w - 20, h / 2), menuColour);
    const TRect glyph = ToRect(MenuGlyphBox(PixRect(0, 0, w, h), 16, picture.LeftWidth, false));
    const COLORREF mark = ColorToRGB(clBtnText);
    EXPECT_EQ(CountPixels(*normal, glyph, mark), 0);
    EXPECT_GT(CountPixels(*draw(checked, false), TRect(glyph.left, 0, glyph.right, h), mark), 0);

    // Disabled text in ButtonShadow; where ButtonShadow is the MenuText colour, the system's.
    const COLORREF shadow = ColorToRGB(d->FColors[scButtonShadow]);
    EXPECT_GT(CountPixels(*draw(off, false), TRect(0, 0, w, h), shadow), 0);
    d->FColors[scButtonShadow] = d->FColors[scMenuText];
    EXPECT_GT(CountPixels(*draw(off, false), TRect(0, 0, w, h), ColorToRGB(clBtnShadow)), 0);

    // The shortcut ends 11 pixels before the item's right edge.
    auto withShortcut = draw(save, false);
    int right = 0;
    for (int x = 0; x < w; ++x)
        if (CountPixels(*withShortcut, TRect(x, 0, x + 1, h), menuColour) < h)
            right = x;
    EXPECT_LE(right, w - 12);
    EXPECT_GE(right, w - 16);

    // A separator: the second state's bottom rows over what lies behind.
    const int lineHeight = 9, fw = picture.Bitmap.Width() / 5;
    auto separator = draw(line, false, lineHeight);
    int found = 0;
    for (int y = 0; y < lineHeight; ++y) {
        const COLORREF source = PixelOf(picture.Bitmap, fw + fw / 2, picture.Bitmap.Height() - lineHeight + y);
        const COLORREF drawn = PixelOf(*separator, w / 2, y);
        EXPECT_EQ(drawn, source == ColorToRGB(SkinKeyColor) ? menuColour : source) << "row " << y;
        found += source != ColorToRGB(SkinKeyColor);
    }
    EXPECT_GT(found, 0);

    // Without a MenuItem picture: flat, Hilight when selected, an etched line 4 pixels down.
    d->FMenuItem.reset();
    EXPECT_EQ(PixelOf(*draw(plain, true), w - 20, h / 2), ColorToRGB(d->FColors[scHilight]));
    auto flatLine = draw(line, false, lineHeight);
    EXPECT_EQ(PixelOf(*flatLine, w / 2, 4), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(*flatLine, w / 2, 2), menuColour);
}

TEST_F(SkinMenusTest, OwnerDrawnItemsAreMeasuredWiderForTheSkin)
{
    TSkinData* d = Data();
    TSkinForm* form = Skin(Host);
    const int edge = d->FMenuItem->LeftWidth;
    auto* menu = new TPopupMenu(Host);
    TMenuItem* item = NewItem(Host, menu->Items(), "Item", "Item", nullptr);
    TBitmap b(10, 10);
    b.Canvas()->Font()->Assign(Screen->MenuFont());
    int width = 100, height = 20;
    form->MenuItemMeasure(item, b.Canvas(), width, height);
    EXPECT_EQ(width, 100 + edge + 35);
    EXPECT_EQ(height, 20);
    menu->SetImages(new TImageList(Host));
    width = 100;
    form->MenuItemMeasure(item, b.Canvas(), width, height);
    EXPECT_EQ(width, 100 + edge + 12);

    // A main-menu item: the toolkit's own size (without the item's handler), then wider.
    auto* bar = new TMainMenu(Host);
    TMenuItem* top = NewItem(Host, bar->Items(), "Top", "Top", nullptr);
    TMenuItem* deep = NewItem(Host, top, "Deep", "Deep item", nullptr);
    int expectW = 0, expectH = 0;
    deep->MeasureItem(b.Canvas(), expectW, expectH);
    TLog own;
    deep->OnMeasureItem = TMenuMeasureItemEvent(&own, &TLog::OwnMeasure);
    width = height = 0;
    form->MainMenuItemMeasure(deep, b.Canvas(), width, height);
    EXPECT_EQ(width, expectW + edge + 35);
    EXPECT_EQ(height, expectH);
    EXPECT_TRUE(deep->OnMeasureItem == TMenuMeasureItemEvent(&own, &TLog::OwnMeasure));

    // "&" and an empty caption measure like a blank.
    TMenuItemPainter painter(d, nullptr);
    auto measure = [&](const std::wstring& text) {
        RECT r{0, 0, 0, 0};
        painter.DrawMenuText(item, b.Canvas(), DT_CALCRECT | DT_SINGLELINE, false, r, text);
        return r.right - r.left;
    };
    EXPECT_EQ(measure(L"&"), measure(L" "));
    EXPECT_EQ(measure(L""), measure(L" "));
    EXPECT_GT(measure(L" "), 0);
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
    EXPECT_EQ(menu->Images(), d->FMenuImages.get());
    EXPECT_EQ(d->FMenuImages->Count(), 4);
    const int count = GetMenuItemCount(native);
    ASSERT_EQ(menu->Items()->Count(), count);
    auto find = [&](UINT command) -> TMenuItem* {
        for (int i = 0; i < count; ++i)
            if (menu->Items()->Items(i)->Tag() == static_cast<int>(command))
                return menu->Items()->Items(i);
        return nullptr;
    };
    for (int i = 0; i < count; ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        char text[81] = {};
        GetMenuStringA(native, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(item->Caption(), text[0] ? String(text) : String("-"));
        EXPECT_EQ(static_cast<UINT>(item->Tag()), GetMenuItemID(native, i));
        EXPECT_EQ(item->OnDrawItem.Data(), form);
    }
    ASSERT_TRUE(find(SC_RESTORE) && find(SC_MAXIMIZE) && find(SC_MINIMIZE) && find(SC_CLOSE) && find(SC_MOVE));
    EXPECT_EQ(find(SC_RESTORE)->ImageIndex(), 0);
    EXPECT_EQ(find(SC_MAXIMIZE)->ImageIndex(), 1);
    EXPECT_EQ(find(SC_MINIMIZE)->ImageIndex(), 2);
    EXPECT_EQ(find(SC_CLOSE)->ImageIndex(), 3);
    EXPECT_EQ(find(SC_MOVE)->ImageIndex(), -1);
    EXPECT_FALSE(find(SC_RESTORE)->Enabled());
    EXPECT_TRUE(find(SC_MAXIMIZE)->Enabled());
    EXPECT_TRUE(find(SC_MOVE)->Enabled());
    // Built anew for a maximized window.
    form->SetSizeState(TSkinForm::ssMaximized);
    form->BuildSystemMenu();
    menu = form->SystemPopupMenu();
    EXPECT_TRUE(find(SC_RESTORE)->Enabled());
    EXPECT_FALSE(find(SC_MAXIMIZE)->Enabled());
    EXPECT_FALSE(find(SC_MOVE)->Enabled());
    form->SetSizeState(TSkinForm::ssNormal);

    // Choosing an item sends its command to the window.
    std::vector<WPARAM> commands;
    static std::vector<WPARAM>* gCommands;
    static WNDPROC gOld;
    gCommands = &commands;
    gOld = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        Host->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_SYSCOMMAND) {
                gCommands->push_back(wp);
                return 0;
            }
            return CallWindowProcA(gOld, w, m, wp, lp);
        })));
    form->BuildSystemMenu();
    menu = form->SystemPopupMenu();
    find(SC_MINIMIZE)->Click();
    PumpFor(50);
    EXPECT_EQ(commands, (std::vector<WPARAM>{SC_MINIMIZE}));

    // Opened: its window is skinned as a system menu. A second opening within the
    // double-click time opens nothing, and closes the window only over a caption button.
    HWND target = Host->Handle();
    HWND popup = nullptr;
    bool skinned = false, kind2 = false;
    TScript script(120, [&](int tick) {
        if (tick != 2)
            return;
        popup = OpenMenuWindow();
        skinned = SkinManager()->IsPopupSkinned(popup);
        kind2 = SkinManager()->MenuKind == TSkinManage::mkSystem;
        PostKey(target, VK_ESCAPE);
    });
    form->ShowSystemMenu(150, 150);
    EXPECT_TRUE(popup);
    EXPECT_TRUE(skinned);
    EXPECT_TRUE(kind2);
    popup = nullptr;
    form->ShowSystemMenu(150, 150);
    script.Stop();
    EXPECT_FALSE(popup);
    PumpFor(50);
    EXPECT_TRUE(Host->Visible());
    form->SetHotObject(form->Buttons(0));
    form->ShowSystemMenu(150, 150);
    PumpUntil([this] { return !Host->Visible(); }, 1000);
    EXPECT_FALSE(Host->Visible());
    SetWindowLongPtrA(Host->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gOld));
}

TEST_F(SkinMenusTest, FixedSystemMenuFollowsTheCaptionIcons)
{
    Data();
    TSkinForm* form = Skin(Host);
    auto captions = [form] {
        std::vector<String> c;
        TMenuItem* items = form->SystemPopupMenu()->Items();
        for (int i = 0; i < items->Count(); ++i)
            c.push_back(items->Items(i)->Caption());
        return c;
    };
    form->BuildFixedSystemMenu();
    EXPECT_EQ(captions(), (std::vector<String>{" Restore ", " Maximize ", " Minimize ", "-", " Close "}));
    TMenuItem* close = form->SystemPopupMenu()->Items()->Items(4);
    EXPECT_EQ(close->ShortCut(), TextToShortCut("Alt+F4"));
    EXPECT_EQ(close->ImageIndex(), 3);
    EXPECT_EQ(form->SystemPopupMenu()->Tag(), TSkinForm::SystemMenuTag);

    TForm* fixed = NewForm();
    fixed->SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
    TSkinForm* other = Skin(fixed);
    other->BuildFixedSystemMenu();
    TMenuItem* items = other->SystemPopupMenu()->Items();
    ASSERT_EQ(items->Count(), 4);
    EXPECT_EQ(items->Items(1)->Caption(), " Maximize ");
    EXPECT_EQ(items->Items(2)->Caption(), "-");
}

namespace {

// File (New Ctrl+N, a line, Exit), Edit (Undo, Redo disabled), Help (no items), Off (disabled).
struct TBar {
    TMainMenu* Menu = nullptr;
    TMenuItem *File = nullptr, *New = nullptr, *Exit = nullptr, *Edit = nullptr, *Undo = nullptr, *Help = nullptr,
              *Off = nullptr;
};

TBar AddMainMenu(TForm* form, TLog* log)
{
    TBar b;
    b.Menu = new TMainMenu(form);
    b.File = NewItem(form, b.Menu->Items(), "File", "&File", log);
    b.New = NewItem(form, b.File, "New", "&New", log);
    b.New->SetShortCut(TextToShortCut("Ctrl+N"));
    NewItem(form, b.File, "FileLine", "-", log);
    b.Exit = NewItem(form, b.File, "Exit", "E&xit", log);
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

}  // namespace

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
    RECT window{};
    GetWindowRect(Host->Handle(), &window);
    const TRect barRect(form->LeftBorder(), form->CaptionHeight(), (window.right - window.left) - form->RightBorder(),
                        form->CaptionHeight() + form->MenuHeight());
    TBitmap target(window.right - window.left, window.bottom - window.top);
    skinBar->Paint(target.Canvas()->Handle(), barRect);
    auto expected = Sliced(*d->FMenuBar, barRect.Width(), barRect.Height(), 1, 2, false, true);
    EXPECT_EQ(PixelOf(target, barRect.right - 20, barRect.top + 3), PixelOf(*expected, barRect.Width() - 20, 3));
    const int margin = d->FMenuBar->LeftWidth + 4;
    EXPECT_EQ(skinBar->Buttons(0)->Rect.left, barRect.left + margin);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(skinBar->Buttons(i)->Rect.left, skinBar->Buttons(i - 1)->Rect.right);
    EXPECT_EQ(skinBar->Buttons(0)->Rect.bottom, barRect.bottom - 1);
    EXPECT_GT(CountPixels(target, skinBar->Buttons(0)->Rect, ColorToRGB(d->FColors[scMenuBarText])), 0);
    EXPECT_GT(CountPixels(target, skinBar->Buttons(3)->Rect, ColorToRGB(d->FColors[scButtonShadow])), 0);
    EXPECT_EQ(skinBar->ButtonAt(TPoint(skinBar->Buttons(1)->Rect.left + 2, barRect.top + 2)), skinBar->Buttons(1));
    EXPECT_EQ(skinBar->ButtonAt(TPoint(barRect.right - 3, barRect.top + 2)), nullptr);
    // Laying out alone places the buttons the same way.
    const TRect first = skinBar->Buttons(0)->Rect;
    skinBar->Buttons(0)->Rect = TRect();
    skinBar->Layout();
    EXPECT_EQ(skinBar->Buttons(0)->Rect, first);

    // A hot button gets its frame on the window.
    TBitmap background(barRect.Width(), barRect.Height());
    BitBlt(background.Canvas()->Handle(), 0, 0, barRect.Width(), barRect.Height(), target.Canvas()->Handle(),
           barRect.left, barRect.top, SRCCOPY);
    TMenuBtn* edit = skinBar->Buttons(1);
    edit->MouseMove();
    EXPECT_EQ(form->HotObject(), edit);
    EXPECT_EQ(WindowPixel(Host->Handle(), edit->Rect.left, edit->Rect.top + 1), ColorToRGB(d->FColors[scButtonHilight]));
    EXPECT_EQ(WindowPixel(Host->Handle(), edit->Rect.left + 1, edit->Rect.top + 1),
              PixelOf(background, edit->Rect.left + 1 - barRect.left, 1));
    // Built again, the bar forgets the hot button it freed.
    skinBar->TakeMenu(nullptr);
    EXPECT_EQ(form->HotObject(), nullptr);
    EXPECT_EQ(skinBar->Count(), 4);

    // A change of the menu reaches the bar.
    bar.Help->SetCaption("&About");
    EXPECT_EQ(skinBar->Buttons(2)->Caption, L"&About");
    EXPECT_FALSE(GetMenu(Host->Handle()));

    // Switched off, the window has its native bar again.
    SwitchOff(d);
    EXPECT_EQ(GetMenu(Host->Handle()), native);
}

TEST_F(SkinMenusTest, MenuBarIsNavigatedByKeysAndMouse)
{
    TLog log;
    TBar bar = AddMainMenu(Host, &log);
    Data();
    TSkinForm* form = Skin(Host);
    TSkinMenu* skinBar = form->MenuBar();
    ASSERT_TRUE(skinBar);
    // The frame's painting lays the bar out.
    ASSERT_TRUE(PumpUntil([skinBar] { return skinBar->Buttons(3)->Rect.Width() > 0; }));
    HWND target = Host->Handle();
    auto submenuOf = [skinBar](int i) { return skinBar->Buttons(i)->SubMenu; };

    // Alt+E opens Edit; Right goes to Help (no drop-down: its command only), so File's
    // drop-down is the next one Right reaches; Left from File wraps round to Off.
    std::vector<HMENU> open;
    bool filterOn = false, kind1 = false, popupSkinned = false, tracking = false;
    TScript keys(150, [&](int tick) {
        open.push_back(form->OpenMenu());
        switch (tick) {
        case 1:
            filterOn = MenuBarFilterHook() != nullptr;
            kind1 = SkinManager()->MenuKind == TSkinManage::mkMenuBar && SkinManager()->BarMenuOpen;
            popupSkinned = SkinManager()->IsPopupSkinned(OpenMenuWindow());
            tracking = form->MenuTracking();
            PostKey(target, VK_LEFT);
            break;
        case 2:
            PostKey(target, VK_RIGHT);
            break;
        case 3:
            // The first item is selected as the drop-down opens; Return chooses it.
            PostKey(target, VK_RETURN);
            break;
        default:
            break;
        }
    });
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_MENU] = 0x80;
    SetKeyboardState(state);
    const LRESULT accel = Host->Perform(CM_DIALOGCHAR, 'e', 0);
    state[VK_MENU] = 0;
    SetKeyboardState(state);
    EXPECT_EQ(accel, 1);
    PumpUntil([&] { return open.size() >= 4 && !form->OpenMenu(); }, 4000);
    keys.Stop();
    ASSERT_GE(open.size(), 4u);
    EXPECT_EQ(open[0], submenuOf(1));  // Edit
    EXPECT_EQ(open[1], submenuOf(0));  // Left: File
    EXPECT_EQ(open[2], submenuOf(1));  // Right: Edit again
    EXPECT_TRUE(filterOn);
    EXPECT_TRUE(kind1);
    EXPECT_TRUE(popupSkinned);
    EXPECT_TRUE(tracking);
    EXPECT_EQ(log.Count("Undo"), 1);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(submenuOf(1), 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);  // the drop-down's items are the skin's
    // Each opening clicked its top-level item once; nothing is left open.
    EXPECT_EQ(log.Count("Edit"), 2);
    EXPECT_EQ(log.Count("File"), 1);
    EXPECT_FALSE(MenuBarFilterHook());
    EXPECT_FALSE(form->MenuTracking());
    PumpFor(50);
    EXPECT_FALSE(SkinManager()->BarMenuOpen);
    EXPECT_EQ(SkinManager()->MenuKind, TSkinManage::mkPopup);

    // Alt with Ctrl held opens nothing.
    state[VK_MENU] = state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    const int files = log.Count("File");
    EXPECT_EQ(Host->Perform(CM_DIALOGCHAR, 'f', 0), 0);
    state[VK_MENU] = state[VK_CONTROL] = 0;
    SetKeyboardState(state);
    PumpFor(50);
    EXPECT_EQ(log.Count("File"), files);

    // Alt by itself opens the first button; Alt with a letter the button of that letter.
    open.clear();
    TScript alt(150, [&](int) {
        open.push_back(form->OpenMenu());
        PostKey(target, VK_ESCAPE);
    });
    SendMessageA(target, WM_SYSCOMMAND, SC_KEYMENU, 0);
    SendMessageA(target, WM_SYSCOMMAND, SC_KEYMENU, 'e');
    alt.Stop();
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[0], submenuOf(0));
    EXPECT_EQ(open[1], submenuOf(1));

    // The mouse: a press on File opens it; moving over Edit switches; Escape closes.
    log.Lines.clear();
    open.clear();
    TScript mouse(150, [&](int tick) {
        open.push_back(form->OpenMenu());
        if (tick == 1) {
            // The screen point the window takes for one inside Edit.
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
    mouse.Stop();
    ASSERT_GE(open.size(), 2u);
    EXPECT_EQ(open[0], submenuOf(0));
    EXPECT_EQ(open[1], submenuOf(1));
    EXPECT_TRUE(log.Lines == (std::vector<String>{"File", "Edit"}));

    // A button without items gets its command and no drop-down; a disabled one nothing.
    log.Lines.clear();
    EXPECT_FALSE(form->OpenMenuButton(skinBar->Buttons(2)));
    EXPECT_TRUE(form->OpenMenuButton(skinBar->Buttons(3)));
    PumpFor(50);
    EXPECT_EQ(log.Lines, (std::vector<String>{"Help"}));
    EXPECT_FALSE(MenuBarFilterHook());
    // The menu-bar popup message opens the button under its screen point.
    const TPoint origin = form->ScreenToWindow(0, 0);
    const TRect& help = skinBar->Buttons(2)->Rect;
    EXPECT_EQ(SendMessageA(target, SKM_MENUBARPOPUP, 0, MAKELPARAM(help.left + 3 - origin.x, help.top + 3 - origin.y)),
              0);
    PumpFor(50);
    EXPECT_EQ(log.Lines, (std::vector<String>{"Help", "Help"}));
}

TEST_F(SkinMenusTest, SwitchingOffGivesEveryMenuItsOwnDrawingBack)
{
    TLog own;
    const TMenuDrawItemEvent ownDraw(&own, &TLog::OwnDraw);
    const TMenuMeasureItemEvent ownMeasure(&own, &TLog::OwnMeasure);
    auto* popup = new TPopupMenu(Host);
    TMenuItem* drawn = NewItem(Host, popup->Items(), "Drawn", "Drawn", nullptr);
    drawn->OnDrawItem = ownDraw;
    drawn->OnMeasureItem = ownMeasure;
    TMenuItem* measured = NewItem(Host, popup->Items(), "Measured", "Measured", nullptr);
    measured->OnMeasureItem = ownMeasure;
    TMenuItem* bare = NewItem(Host, popup->Items(), "Bare", "Bare", nullptr);
    TMenuItem* deep = NewItem(Host, bare, "Deep", "Deep", nullptr);
    auto* excluded = new TPopupMenu(Host);
    excluded->SetTag(99);
    NewItem(Host, excluded->Items(), "Kept", "Kept", nullptr);
    TLog log;
    TBar bar = AddMainMenu(Host, &log);
    bar.Undo->OnDrawItem = ownDraw;

    TSkinData* d = Data();
    d->SetSkinControls(d->SkinControls() + TSkinControlTypes{xcMenuItem});
    TSkinForm* form = Skin(Host);
    const TMenuDrawItemEvent skinDraw(form, &TSkinForm::MenuItemDraw);
    const TMenuMeasureItemEvent skinMeasure(form, &TSkinForm::MenuItemMeasure);
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_TRUE(drawn->OnDrawItem == skinDraw);
    EXPECT_TRUE(drawn->OnMeasureItem == ownMeasure);  // an own measure handler stays
    EXPECT_TRUE(measured->OnMeasureItem == ownMeasure);
    EXPECT_TRUE(bare->OnDrawItem == skinDraw && bare->OnMeasureItem == skinMeasure);
    EXPECT_TRUE(deep->OnDrawItem == skinDraw);
    EXPECT_FALSE(excluded->OwnerDraw());  // Tag = DisableTag
    // Main menus with xcMenuItem: their drop-down items that draw nothing of their own.
    EXPECT_TRUE(bar.Menu->OwnerDraw());
    EXPECT_FALSE(bar.File->OnDrawItem);
    EXPECT_TRUE(bar.New->OnDrawItem == skinDraw);
    EXPECT_TRUE(bar.Undo->OnDrawItem == ownDraw);
    // Again (colours re-applied): nothing changes and nothing is remembered twice.
    form->SetPopupMenusOwnerDraw(Host, true);
    EXPECT_TRUE(drawn->OnMeasureItem == ownMeasure);

    // A popup shown while skinned: its window is subclassed while it lives, freed as it goes.
    bool subclassed = false;
    HWND popupWindow = nullptr;
    TScript script(120, [&](int tick) {
        if (tick == 2) {
            popupWindow = OpenMenuWindow();
            subclassed = SkinManager()->IsPopupSkinned(popupWindow);
            PostKey(Host->Handle(), VK_ESCAPE);
        }
    });
    popup->Popup(150, 150);
    EXPECT_TRUE(subclassed);
    EXPECT_EQ(SkinManager()->PopupCount(), 0);

    SwitchOff(d);
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_TRUE(drawn->OnDrawItem == ownDraw);
    EXPECT_TRUE(drawn->OnMeasureItem == ownMeasure);
    EXPECT_TRUE(measured->OnMeasureItem == ownMeasure);
    EXPECT_FALSE(measured->OnDrawItem);
    EXPECT_FALSE(bare->OnDrawItem);
    EXPECT_FALSE(bare->OnMeasureItem);
    EXPECT_FALSE(deep->OnDrawItem);
    EXPECT_FALSE(bar.Menu->OwnerDraw());
    EXPECT_FALSE(bar.New->OnDrawItem);
    EXPECT_TRUE(bar.Undo->OnDrawItem == ownDraw);

    // Off, a new popup window is left alone.
    subclassed = true;
    TScript again(120, [&](int tick) {
        if (tick == 2) {
            subclassed = SkinManager()->IsPopupSkinned(OpenMenuWindow());
            PostKey(Host->Handle(), VK_ESCAPE);
        }
    });
    popup->Popup(150, 150);
    EXPECT_FALSE(subclassed);
    EXPECT_EQ(SkinManager()->PopupCount(), 0);
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

    // The skin data is freed while the item's menu is open: the window loses its skin, the
    // item its handler, the popup its subclass; the choice still arrives.
    TScript script(120, [&](int tick) {
        if (tick == 2) {
            std::exchange(d, nullptr)->Free();
        } else if (tick == 3) {
            PostKey(Host->Handle(), VK_DOWN);
            PostKey(Host->Handle(), VK_RETURN);
        }
    });
    popup->Popup(150, 150);
    script.Stop();
    EXPECT_FALSE(d);
    EXPECT_EQ(SkinManager()->FormCount(), 0);
    EXPECT_EQ(SkinManager()->PopupCount(), 0);
    EXPECT_FALSE(item->OnDrawItem);
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_EQ(log.Lines, (std::vector<String>{"Item"}));
    EXPECT_TRUE(GetMenu(Host->Handle()));

    // The same with the system menu open, and with a drop-down of the menu bar open.
    auto freeData = [&d](int tick) {
        if (tick == 2 && d)
            std::exchange(d, nullptr)->Free();
        if (tick == 5)  // not freed: the test fails rather than waits
            EndMenu();
    };
    d = Data();
    form = Skin(Host);
    {
        TScript again(120, freeData);
        form->ShowSystemMenu(150, 150);
    }
    EXPECT_FALSE(d);
    EXPECT_EQ(SkinManager()->PopupCount(), 0);
    d = Data();
    form = Skin(Host);
    form->MenuBar()->Layout();
    {
        TScript again(120, freeData);
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
LRESULT CALLBACK RecordingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_PRINT:
    case WM_PAINT:
    case SKM_ISSKINNED:
        gReached.push_back(msg);
        break;
    default:
        return DefWindowProcA(w, msg, wp, lp);
    }
    RECT r{};
    GetWindowRect(w, &r);
    OffsetRect(&r, -r.left, -r.top);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    if (msg == WM_PRINT) {
        FillRect(reinterpret_cast<HDC>(wp), &r, red);
    } else if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(w, &ps);
        FillRect(ps.hdc, &r, red);
        EndPaint(w, &ps);
    }
    DeleteObject(red);
    return msg == WM_ERASEBKGND ? 7 : 0;
}

HWND NewStandIn()
{
    WNDCLASSA wc{};
    if (!GetClassInfoA(ModuleInstance(), "MenuStandIn", &wc)) {
        wc.lpfnWndProc = RecordingProc;
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

std::vector<UINT> Reached(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0, LRESULT* result = nullptr)
{
    gReached.clear();
    const LRESULT r = SendMessageA(w, msg, wp, lp);
    if (result)
        *result = r;
    return gReached;
}

}  // namespace

TEST_F(SkinMenusTest, PopupWindowSkinPaintsItsFrameAndPassesTheRestOn)
{
    TSkinData* d = Data();
    HWND w = NewStandIn();
    const WNDPROC own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC));
    auto popup = std::make_unique<TSkinPopMenu>();
    popup->Hook(w, d, nullptr);
    EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)), own);
    const std::vector<UINT> none;
    LRESULT result = 0;
    EXPECT_EQ(Reached(w, SKM_ISSKINNED, 0, 0, &result), none);
    EXPECT_EQ(result, 1);

    // The whole frame painted from the picture; a partial update left to the menu.
    auto back = Sliced(*d->FMenuBackground, 120, 80, 1, 1, d->FMenuBackground->Tile == 1, false);
    EXPECT_EQ(Reached(w, WM_NCPAINT, 1), none);
    EXPECT_EQ(popup->Background().Width(), 120);
    EXPECT_EQ(WindowPixel(w, 0, 0), PixelOf(*back, 0, 0));
    HRGN part = CreateRectRgn(0, 0, 10, 10);
    EXPECT_EQ(Reached(w, WM_NCPAINT, reinterpret_cast<WPARAM>(part)), std::vector<UINT>{WM_NCPAINT});
    DeleteObject(part);
    // The menu paints its client; where that fills the window, the frame is painted again.
    InvalidateRect(w, nullptr, FALSE);
    gReached.clear();
    UpdateWindow(w);
    EXPECT_EQ(gReached, std::vector<UINT>{WM_PAINT});
    EXPECT_EQ(WindowPixel(w, 1, 1), PixelOf(*back, 1, 1));
    EXPECT_EQ(WindowPixel(w, 10, 10), RGB(255, 0, 0));
    // Printed: the picture, and the menu inside the frame only.
    TBitmap printed(120, 80);
    EXPECT_EQ(Reached(w, WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas()->Handle()), PRF_CLIENT),
              std::vector<UINT>{WM_PRINT});
    EXPECT_EQ(PixelOf(printed, 2, 2), PixelOf(*back, 2, 2));
    EXPECT_EQ(PixelOf(printed, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(printed, 116, 76), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(printed, 117, 77), PixelOf(*back, 117, 77));
    // Erasing: the menu's own, answered 1; with xoMenuBG not at all.
    EXPECT_EQ(Reached(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(printed.Canvas()->Handle()), 0, &result),
              std::vector<UINT>{WM_ERASEBKGND});
    EXPECT_EQ(result, 1);
    d->SetOptions(d->Options() + TSkinOptions{xoMenuBG});
    EXPECT_EQ(Reached(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(printed.Canvas()->Handle()), 0, &result), none);
    EXPECT_EQ(result, 1);

    // Without a MenuBackground picture, or with skinning off, the menu paints itself.
    std::unique_ptr<TDataSkinObject> picture = std::move(d->FMenuBackground);
    EXPECT_EQ(Reached(w, WM_NCPAINT, 1), std::vector<UINT>{WM_NCPAINT});
    d->FMenuBackground = std::move(picture);
    SkinManager()->SetActive(false);
    EXPECT_EQ(Reached(w, WM_NCPAINT, 1), std::vector<UINT>{WM_NCPAINT});
    EXPECT_EQ(Reached(w, SKM_ISSKINNED, 0, 0, &result), none);
    EXPECT_EQ(result, 1);
    SkinManager()->SetActive(true);

    popup->Unhook();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)), own);
    EXPECT_TRUE(popup->Background().Empty());
    EXPECT_EQ(Reached(w, SKM_ISSKINNED), std::vector<UINT>{SKM_ISSKINNED});
    DestroyWindow(w);
}

TEST_F(SkinMenusTest, ManagerKeepsOnePopupSkinPerMenuWindowWhileItLives)
{
    TSkinData* d = Data();
    TSkinManage& m = *SkinManager();
    HWND first = NewStandIn(), second = NewStandIn(), third = NewStandIn();
    m.SkinPopupWindow(first);
    m.SkinPopupWindow(first);  // once only
    EXPECT_EQ(m.PopupCount(), 1);
    EXPECT_TRUE(m.IsPopupSkinned(first));
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
    EXPECT_EQ(m.Popups(1)->BoundMenu, outer);
    m.BindPopupMenu(outer);
    EXPECT_EQ(m.Popups(0)->BoundMenu, nullptr);
    m.BindPopupMenu(inner);
    EXPECT_EQ(m.Popups(0)->BoundMenu, inner);
    EXPECT_EQ(m.GetPopupBitmap(outer), &m.Popups(1)->Background());
    EXPECT_EQ(m.GetPopupBitmap(CreatePopupMenu()), nullptr);

    // Windows going release their skins; the last one resets the menu kind.
    DestroyWindow(second);
    EXPECT_EQ(m.PopupCount(), 1);
    EXPECT_EQ(m.MenuKind, TSkinManage::mkSystem);
    EXPECT_FALSE(m.ReleasePopupWindow(second));
    DestroyWindow(first);
    EXPECT_EQ(m.PopupCount(), 0);
    EXPECT_EQ(m.MenuKind, TSkinManage::mkPopup);
    EXPECT_FALSE(m.BarMenuOpen);
    DestroyWindow(third);
    DestroyMenu(outer);
    DestroyMenu(inner);
}

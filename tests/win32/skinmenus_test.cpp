// Skinned menus on real windows: a popup menu skinned while it is tracked and its items drawn
// from the skin, as the screen shows them; owner-drawn items painted into memory and compared with
// the skin's pictures; the skinned system menu against the window's own; the menu bar of a form
// with a main menu and of a window without one (built, painted, hot, opened and navigated by keys
// and mouse); and every menu given back when the skin goes. Menus are opened by real input and
// driven from inside their own loops once the state a step needs has come (menusteps.h).
#include <algorithm>
#include <functional>
#include <memory>

#include "bitmapview.h"
#include "guitest.h"
#include "menuitemdraw.h"
#include "menulayout.h"
#include "menuloop.h"
#include "menusteps.h"
#include "namedclass.h"
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
#include "windowink.h"
#include "winutil.h"

namespace {

// The skin's picture as the engine lays it over a width x height target.
std::unique_ptr<TBitmap> Sliced(TDataSkinObject& o, int width, int height, int state, int count, bool vertical = false)
{
    return StretchSkinBitmap(TRect(0, 0, width, height), &o.Bitmap, o.Margins(), state, count, o.Tile == 1, vertical);
}

// A picture whose rows all differ (and each row is one colour): where a part of it shows tells
// which part it is.
void RowsPicture(TBitmap& b, int width, int height)
{
    b.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        Paint(b, TRect(0, y, width, y + 1), static_cast<TColor>(RGB(255 - y / 2, 150 + y / 4, y)));
}

// The centre of a rectangle of a window (window coordinates), on the screen.
POINT CentreOf(HWND w, const TRect& r) { return WindowToScreen(w, (r.left + r.right) / 2, (r.top + r.bottom) / 2); }

// The inked columns of a caption: their number across.
int InkWidth(TBitmap& b, const TRect& r, TColor ink)
{
    const TInk seen = InkOf(b, r, ink);
    return seen.Empty() ? 0 : seen.Last() - seen.First() + 1;
}

// The style of the screen's menu font for the object's life.
class TMenuFontStyle {
public:
    explicit TMenuFontStyle(TFontStyles style) : FSaved(Screen->MenuFont()->Style())
    {
        Screen->MenuFont()->SetStyle(style);
    }
    ~TMenuFontStyle() { Screen->MenuFont()->SetStyle(FSaved); }

private:
    TFontStyles FSaved;
};

class TLog : public TObject {
public:
    std::vector<String> Lines;
    void Click(TObject* s) { Lines.push_back(static_cast<TMenuItem*>(s)->Name()); }
    void OwnDraw(TObject*, TCanvas*, TRect, bool) {}
    void OwnMeasure(TObject*, TCanvas*, int& width, int&) { width += 1000; }
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

// A form of the class whose popup menus a skin leaves alone.
NAMED_TEST_CLASS(TwwRichEditForm, TForm)

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
    // The window's skin (the hook gives one to a window activated while the skin is on).
    TSkinForm* Skin(HWND w)
    {
        SkinManager()->SkinWindow(w);
        TSkinForm* s = SkinManager()->FindSkinForm(w);
        EXPECT_TRUE(s && PumpUntil([s] { return s->LifeState() == TSkinForm::lsSkinned; }));
        return s;
    }
    TSkinForm* Skin(TForm* f) { return Skin(f->Handle()); }
    // A skinned window's menu bar, laid out by the frame's painting.
    static TSkinMenu* LaidOutBar(TSkinForm* form)
    {
        TSkinMenu* bar = form ? form->MenuBar() : nullptr;
        EXPECT_TRUE(bar && bar->Count() > 0 &&
                    PumpUntil([bar] { return bar->Buttons(bar->Count() - 1)->Rect.Width() > 0; }))
            << "the menu bar was not laid out";
        return bar;
    }
    // The skinned window active, as it must be for its frame to follow the mouse.
    static void Activate(TSkinForm* form)
    {
        SetForegroundWindow(form->Window);
        EXPECT_TRUE(PumpUntil([form] { return form->ActiveCaption(); })) << "the window did not become active";
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

TEST_F(SkinMenusTest, PopupMenuIsSkinnedAndItsItemsDrawnWhileItIsTracked)
{
    TSkinData* d = Data();
    // Its first state rows that all differ, its second one colour.
    TDataSkinObject& background = *d->FMenuBackground;
    RowsPicture(background.Bitmap, 48, 256);
    Paint(background.Bitmap, TRect(24, 0, 48, 256), clTeal);
    background.Frame = 2;
    background.Tile = 1;
    TLog log;
    auto* images = new TImageList(Host);
    images->SetWidth(12);
    images->SetHeight(12);
    images->Add(Filled(12, 12, clRed).get(), nullptr);
    auto* menu = new TPopupMenu(Host);
    menu->SetImages(images);
    NewItem(Host, menu->Items(), "OpenItem", "&Open", &log)->SetImageIndex(0);
    NewItem(Host, menu->Items(), "CheckedItem", "Checked", &log)->SetChecked(true);
    TMenuItem* off = NewItem(Host, menu->Items(), "OffItem", "Disabled", &log);
    off->SetEnabled(false);
    off->SetImageIndex(0);
    NewItem(Host, menu->Items(), "Line", "-", &log);
    NewItem(Host, menu->Items(), "SaveItem", "Save", &log);
    Host->SetPopupMenu(menu);
    TSkinForm* form = Skin(Host);
    ASSERT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(menu->Items()->Items(0)->OnDrawItem.Data(), form);

    // A right click opens it; the pointer on Checked highlights it; the window is looked at;
    // then a click on Save chooses it.
    HWND target = Host->Handle(), popup = nullptr;
    bool skinned = false, answers = false, subclassed = false;
    TRect window, item[3];
    std::unique_ptr<TBitmap> shot;
    auto itemOnScreen = [&](int i) { return CentreOf(PaintedMenuWindow(), ItemRect(PaintedMenuWindow(), menu->Handle(), i)); };
    TMenuSteps steps;
    steps.WhenOpen([&](HWND) { MoveMouseTo(itemOnScreen(1).x, itemOnScreen(1).y, false); })
        .When("Checked highlighted and painted",
              [&] { return HighlightedItem(menu->Handle()) == 1 && PaintedMenuWindow(); },
              [&] {
                  popup = PaintedMenuWindow();
                  skinned = SkinManager()->IsPopupSkinned(popup) && SkinManager()->MenuKind == TSkinManage::mkPopup;
                  answers = SendMessageA(popup, SKM_ISSKINNED, 0, 0) == 1;
                  WNDCLASSA wc{};
                  GetClassInfoA(nullptr, "#32768", &wc);
                  subclassed = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(popup, GWLP_WNDPROC)) != wc.lpfnWndProc;
                  window = WindowRectOf(popup);
                  for (int i = 0; i < 3; ++i)
                      item[i] = ItemRect(popup, menu->Handle(), i);
                  shot = WindowShot(popup);
                  ClickScreen(itemOnScreen(4));
              });
    EXPECT_TRUE(steps.Taken([&] { ClickScreen(WindowToScreen(target, 150, 120), mbRight); }));
    ASSERT_TRUE(shot);
    EXPECT_TRUE(skinned);
    EXPECT_TRUE(answers);
    EXPECT_TRUE(subclassed);
    // The choice arrives once; the window and its skin are gone.
    EXPECT_EQ(log.Lines, (std::vector<String>{"SaveItem"}));
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(SkinManager()->PopupCount(), 0);

    // The frame: the first state of the background picture, tiled, over the whole window.
    const int w = window.Width(), h = window.Height();
    auto back = Sliced(background, w, h, 1, 2);
    for (int y : {0, h / 2, h - 1})
        EXPECT_EQ(At(*shot, 1, y), At(*back, 1, y)) << "row " << y;
    // Where a normal item's picture leaves it free, the background at that place shows.
    const TRect& open = item[0];
    const int middle = (open.top + open.bottom) / 2;
    EXPECT_EQ(At(*shot, open.right - 6, middle), At(*back, open.right - 6, middle));
    // Texts: MenuText, HilightText on the selected state, ButtonShadow when disabled.
    const int edge = d->FMenuItem->LeftWidth;
    auto text = [&](int i) { return TRect(item[i].left + 1 + edge + 16 + 3, item[i].top, item[i].right - 1, item[i].bottom); };
    EXPECT_FALSE(InkOf(*shot, text(0), d->FColors[scMenuText]).Empty());
    EXPECT_FALSE(InkOf(*shot, text(1), d->FColors[scHilightText]).Empty());
    EXPECT_TRUE(InkOf(*shot, text(1), d->FColors[scMenuText]).Empty());
    EXPECT_FALSE(InkOf(*shot, text(2), d->FColors[scButtonShadow]).Empty());
    const int iw = item[1].Width(), ih = item[1].Height();
    EXPECT_EQ(At(*shot, item[1].right - 10, item[1].top + ih / 2),
              At(*Sliced(*d->FMenuItem, iw, ih, 4, 5), iw - 10, ih / 2));
    // Glyphs: the image centred down its item, greyed when the item is disabled; the check mark.
    const TRect box(open.left + 1 + edge, open.top, open.left + 1 + edge + 12, open.bottom);
    int first = -1, last = -1;
    for (int y = open.top; y < open.bottom; ++y)
        if (At(*shot, box.left + 6, y) == Rgb(clRed))
            last = (first < 0 ? first = y : y);
    EXPECT_EQ(last - first + 1, 12);
    EXPECT_LE(std::abs((first - open.top) - (open.bottom - 1 - last)), 1) << first << ".." << last;
    EXPECT_EQ(CountOf(*shot, TRect(box.left, item[2].top, box.right, item[2].bottom), Rgb(clRed)), 0);
    EXPECT_GT(CountOf(*shot, TRect(box.left, item[1].top, box.left + 16, item[1].bottom), Rgb(clBtnText)), 0);
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
    TMenuItem* main = NewItem(Host, menu->Items(), "Main", "Plain");
    main->SetDefault(true);
    constexpr int w = 200, h = 22, lineHeight = 9;
    const TColor menuColour = Rgb(d->FColors[scMenu]);
    TDataSkinObject& picture = *d->FMenuItem;
    auto draw = [&](TMenuItem* item, bool selected, int height = 22) {
        auto b = std::make_unique<TBitmap>(w, height);
        form->MenuItemDraw(item, b->Canvas(), TRect(0, 0, w, height), selected);
        return b;
    };
    const TRect all(0, 0, w, h);

    // Selected: state 4 of the picture; not selected: state 1 (all magenta) shows what lies
    // behind, the Menu colour when no popup window shows the item.
    auto selected = draw(plain, true);
    EXPECT_EQ(At(*selected, w - 20, h / 2), At(*Sliced(picture, w, h, 4, 5), w - 20, h / 2));
    auto normal = draw(plain, false);
    EXPECT_EQ(CountOf(*normal, TRect(w - 30, 0, w, h), menuColour), 30 * h);
    const TRect glyph = ToRect(MenuGlyphBox(PixRect(0, 0, w, h), 16, picture.LeftWidth, false));
    EXPECT_EQ(CountOf(*selected, TRect(glyph.right + 3, 3, w - 30, h - 3), menuColour), 0);  // no box behind the text
    const TColor mark = Rgb(clBtnText);
    EXPECT_EQ(CountOf(*normal, TRect(glyph.left, 0, glyph.right, h), mark), 0);
    EXPECT_GT(CountOf(*draw(checked, false), TRect(glyph.left, 0, glyph.right, h), mark), 0);
    // Disabled text in ButtonShadow; where ButtonShadow is the MenuText colour, the system's.
    EXPECT_GT(CountOf(*draw(off, false), all, Rgb(d->FColors[scButtonShadow])), 0);
    const TColor shadow = d->FColors[scButtonShadow];
    d->FColors[scButtonShadow] = d->FColors[scMenuText];
    EXPECT_GT(CountOf(*draw(off, false), all, Rgb(clBtnShadow)), 0);
    d->FColors[scButtonShadow] = shadow;
    // The caption in the menu font, bold for the default item.
    const int plainWidth = InkWidth(*normal, all, d->FColors[scMenuText]);
    EXPECT_GT(InkWidth(*draw(main, false), all, d->FColors[scMenuText]), plainWidth);
    {
        const TMenuFontStyle bold(TFontStyles{fsBold});
        EXPECT_GT(InkWidth(*draw(plain, false), all, d->FColors[scMenuText]), plainWidth);
    }
    // The shortcut ends 11 pixels before the item's right edge.
    const TInk shortcut = InkOf(*draw(save, false), all, d->FColors[scMenuText]);
    EXPECT_TRUE(shortcut.Last() <= w - 12 && shortcut.Last() >= w - 16) << shortcut.Last();
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
    auto* images = new TImageList(Host);
    images->Add(Filled(16, 16, clRed).get(), nullptr);
    menu->SetImages(images);
    width = 100;
    form->MenuItemMeasure(plain, b.Canvas(), width, height);
    EXPECT_EQ(width, 100 + edge + 12);
    // A checked item's image stands centred down the item for a 16-pixel glyph.
    checked->SetImageIndex(0);
    constexpr int tall = 30;
    auto image = draw(checked, false, tall);
    int redTop = -1;
    for (int y = tall - 1; y >= 0; --y)
        redTop = At(*image, glyph.left + 8, y) == Rgb(clRed) ? y : redTop;
    EXPECT_EQ(redTop, (tall - 16) / 2);
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

    // Without a MenuItem picture: flat in Menu, Hilight when selected; an etched line 4 pixels
    // down.
    d->FMenuItem.reset();
    EXPECT_EQ(At(*draw(plain, true), w - 20, h / 2), Rgb(d->FColors[scHilight]));
    EXPECT_EQ(At(*draw(plain, false), w - 20, h / 2), menuColour);
    auto flatLine = draw(line, false, lineHeight);
    EXPECT_EQ(At(*flatLine, w / 2, 4), Rgb(clBtnShadow));
    EXPECT_EQ(At(*flatLine, w / 2, 2), menuColour);
}

namespace {

// The system's double-click time for the object's life (a skinned window reads it once, when it
// is skinned).
class TDoubleClickTime {
public:
    explicit TDoubleClickTime(UINT ms) : FSaved(GetDoubleClickTime()) { SetDoubleClickTime(ms); }
    ~TDoubleClickTime() { SetDoubleClickTime(FSaved); }

private:
    UINT FSaved;
};

std::vector<String> Captions(TPopupMenu* menu)
{
    std::vector<String> captions;
    for (int i = 0; i < menu->Items()->Count(); ++i)
        captions.push_back(menu->Items()->Items(i)->Caption());
    return captions;
}

}  // namespace

TEST_F(SkinMenusTest, SystemMenuIsASkinnedCopyOfTheWindowsOwn)
{
    TSkinData* d = Data();
    HMENU native = GetSystemMenu(Host->Handle(), FALSE);
    constexpr UINT Pinned = 0x1230;  // an item of the application's own, checked
    ASSERT_TRUE(AppendMenuA(native, MF_STRING | MF_CHECKED, Pinned, "Pinned"));
    TSkinForm* form = nullptr;
    {
        // Long enough that a second opening soon after the first is within it on a busy machine.
        const TDoubleClickTime slow(5000);
        form = Skin(Host);
    }
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
    auto position = [&](UINT command) {
        for (int i = 0; i < count; ++i)
            if (GetMenuItemID(native, i) == command)
                return i;
        return -1;
    };
    auto find = [&](UINT command) {
        const int i = position(command);
        return i < 0 ? nullptr : form->SystemPopupMenu()->Items()->Items(i);
    };
    ASSERT_TRUE(find(SC_RESTORE) && find(SC_MAXIMIZE) && find(SC_MINIMIZE) && find(SC_CLOSE) && find(SC_MOVE));
    EXPECT_EQ(find(SC_RESTORE)->ImageIndex(), 0);
    EXPECT_EQ(find(SC_MINIMIZE)->ImageIndex(), 2);
    EXPECT_EQ(find(SC_CLOSE)->ImageIndex(), 3);
    EXPECT_EQ(find(SC_MOVE)->ImageIndex(), -1);
    EXPECT_FALSE(find(SC_RESTORE)->Enabled());
    EXPECT_TRUE(find(SC_MAXIMIZE)->Enabled());
    EXPECT_TRUE(find(Pinned)->Checked());
    EXPECT_FALSE(find(SC_CLOSE)->Checked());
    form->SetSizeState(TSkinForm::ssMaximized);
    form->BuildSystemMenu();
    EXPECT_TRUE(find(SC_RESTORE)->Enabled());
    EXPECT_FALSE(find(SC_MAXIMIZE)->Enabled());
    EXPECT_FALSE(find(SC_MOVE)->Enabled());
    form->SetSizeState(TSkinForm::ssNormal);

    // The fixed menu follows the caption icons; each item shows its glyph and does its command.
    form->BuildFixedSystemMenu();
    EXPECT_EQ(Captions(form->SystemPopupMenu()),
              (std::vector<String>{" Restore ", " Maximize ", " Minimize ", "-", " Close "}));
    for (int i : {0, 1, 2, 4})
        EXPECT_EQ(form->SystemPopupMenu()->Items()->Items(i)->ImageIndex(), i == 4 ? 3 : i);
    EXPECT_EQ(form->SystemPopupMenu()->Items()->Items(4)->ShortCut(), TextToShortCut("Alt+F4"));
    auto fixedMenu = [this](TForm* f, TBorderIcons icons) {
        f->SetBorderIcons(icons);
        TSkinForm* s = Skin(f);
        s->BuildFixedSystemMenu();
        return s;
    };
    EXPECT_EQ(Captions(fixedMenu(NewForm(), {biSystemMenu, biMaximize})->SystemPopupMenu()),
              (std::vector<String>{" Restore ", " Maximize ", "-", " Close "}));
    TForm* fixed = NewForm();
    TSkinForm* other = fixedMenu(fixed, {biSystemMenu, biMinimize});
    EXPECT_EQ(Captions(other->SystemPopupMenu()), (std::vector<String>{" Restore ", " Minimize ", "-", " Close "}));
    other->SystemPopupMenu()->Items()->Items(1)->Click();
    EXPECT_TRUE(PumpUntil([fixed] { return IsIconic(fixed->Handle()) != FALSE; })) << "not minimized";
    other->SystemPopupMenu()->Items()->Items(3)->Click();
    EXPECT_TRUE(PumpUntil([fixed] { return !fixed->Visible(); })) << "not closed";
    // A window without a system menu opens none.
    TForm* bare = NewForm();
    bare->SetBorderIcons(TBorderIcons{});
    TMenuSteps none;
    EXPECT_TRUE(none.Taken([&] { EXPECT_FALSE(Skin(bare)->ShowSystemMenu(150, 150)); }));

    // Alt+Space opens it, skinned as a system menu, its items drawn by the skin; Minimize,
    // clicked, is the window's command.
    Activate(form);
    const int minimize = position(SC_MINIMIZE);
    bool skinned = false;
    TColor shown = 0, expected = 1;
    TMenuSteps steps;
    steps
        .WhenOpen([&](HWND popup) {
            skinned = SkinManager()->IsPopupSkinned(popup) && SkinManager()->MenuKind == TSkinManage::mkSystem;
            const POINT p = CentreOf(popup, ItemRect(popup, form->SystemPopupMenu()->Handle(), minimize));
            MoveMouseTo(p.x, p.y, false);
        })
        .When("Minimize highlighted",
              [&] { return HighlightedItem(form->SystemPopupMenu()->Handle()) == minimize && PaintedMenuWindow(); },
              [&] {
                  HWND popup = PaintedMenuWindow();
                  const TRect r = ItemRect(popup, form->SystemPopupMenu()->Handle(), minimize);
                  shown = WindowPixel(popup, r.right - 10, (r.top + r.bottom) / 2);
                  expected = At(*Sliced(*d->FMenuItem, r.Width(), r.Height(), 4, 5), r.Width() - 10, r.Height() / 2);
                  LeftButton(true, false);
                  LeftButton(false, false);
              });
    EXPECT_TRUE(steps.Taken([&] { TypeChar(' ', true); }));
    EXPECT_TRUE(skinned);
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(PumpUntil([this] { return IsIconic(Host->Handle()) != FALSE; })) << "not minimized";
    ShowWindow(Host->Handle(), SW_RESTORE);
    ASSERT_TRUE(PumpUntil([this] { return !IsIconic(Host->Handle()); }));
    Activate(form);

    // A second opening within the double-click time opens nothing; over a caption button it
    // closes the window, as a double click on the window's icon does.
    EXPECT_TRUE(none.Taken([&] { TypeChar(' ', true); }));
    EXPECT_TRUE(Host->Visible());
    const TRect button = form->Buttons(0)->Rect;
    const POINT over = CentreOf(Host->Handle(), button);
    MoveMouseTo(over.x, over.y);
    ASSERT_TRUE(PumpUntil([form] { return form->HotObject() == form->Buttons(0); })) << "no caption button is hot";
    EXPECT_TRUE(none.Taken([&] {
        TypeChar(' ', true);
        EXPECT_TRUE(PumpUntil([this] { return !Host->Visible(); })) << "not closed";
    }));
}

TEST_F(SkinMenusTest, MenuBarIsBuiltLaidOutAndPaintedFromTheSkin)
{
    TLog log;
    TBar bar = AddMainMenu(Host, &log);
    HMENU native = GetMenu(Host->Handle());
    ASSERT_TRUE(native);
    TSkinData* d = Data();
    TSkinForm* form = Skin(Host);
    TSkinMenu* skinBar = LaidOutBar(form);
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

    // Painted into a memory DC at the bar's place: the picture's active state, the captions
    // centred in their cells, a disabled one in ButtonShadow.
    const TRect window = WindowRectOf(Host->Handle());
    const TRect barRect(form->LeftBorder(), form->CaptionHeight(), window.Width() - form->RightBorder(),
                        form->CaptionHeight() + form->MenuHeight());
    TBitmap target(window.Width(), window.Height());
    skinBar->Paint(target.Canvas()->Handle(), barRect);
    auto barPicture = [&](int state) { return Sliced(*d->FMenuBar, barRect.Width(), barRect.Height(), state, 2, true); };
    EXPECT_EQ(At(target, barRect.right - 20, barRect.top + 3), At(*barPicture(1), barRect.Width() - 20, 3));
    EXPECT_EQ(skinBar->Buttons(0)->Rect.left, barRect.left + d->FMenuBar->LeftWidth + 4);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(skinBar->Buttons(i)->Rect.left, skinBar->Buttons(i - 1)->Rect.right);
    EXPECT_EQ(skinBar->Buttons(0)->Rect.bottom, barRect.bottom - 1);
    for (int i = 0; i < 3; ++i) {
        const TRect& r = skinBar->Buttons(i)->Rect;
        const TInk caption = InkOf(target, r, d->FColors[scMenuBarText]);
        ASSERT_FALSE(caption.Empty()) << i;
        EXPECT_LE(std::abs((caption.First() - r.left) - (r.right - 1 - caption.Last())), 2) << i;
    }
    EXPECT_GT(CountOf(target, skinBar->Buttons(3)->Rect, Rgb(d->FColors[scButtonShadow])), 0);
    EXPECT_EQ(CountOf(target, skinBar->Buttons(3)->Rect, Rgb(d->FColors[scMenuBarText])), 0);
    EXPECT_EQ(skinBar->ButtonAt(TPoint(skinBar->Buttons(1)->Rect.left + 2, barRect.top + 2)), skinBar->Buttons(1));
    EXPECT_EQ(skinBar->ButtonAt(TPoint(barRect.right - 3, barRect.top + 2)), nullptr);
    const TRect first = skinBar->Buttons(0)->Rect;
    skinBar->Buttons(0)->Rect = TRect();
    skinBar->Layout();
    EXPECT_EQ(skinBar->Buttons(0)->Rect, first);

    // The mouse over a button: it gets its frame on the window, and its caption is drawn plain
    // whatever the style of the menu font; a disabled one's in ButtonShadow.
    Activate(form);
    auto hover = [&](int i) {
        const POINT p = CentreOf(Host->Handle(), skinBar->Buttons(i)->Rect);
        MoveMouseTo(p.x, p.y);
        EXPECT_TRUE(PumpUntil([&] { return form->HotObject() == skinBar->Buttons(i); })) << "button " << i << " not hot";
        return WindowShot(Host->Handle());
    };
    TMenuBtn* edit = skinBar->Buttons(1);
    auto shown = hover(1);
    EXPECT_EQ(At(*shown, edit->Rect.left, edit->Rect.top + 1), Rgb(d->FColors[scButtonHilight]));
    EXPECT_EQ(At(*shown, edit->Rect.left + 1, edit->Rect.top + 1), At(target, edit->Rect.left + 1, edit->Rect.top + 1));
    const int plain = InkWidth(*shown, edit->Rect, d->FColors[scMenuBarText]);
    EXPECT_GT(plain, 0);
    shown = hover(3);
    EXPECT_GT(CountOf(*shown, skinBar->Buttons(3)->Rect, Rgb(d->FColors[scButtonShadow])), 0);
    EXPECT_EQ(CountOf(*shown, skinBar->Buttons(3)->Rect, Rgb(d->FColors[scMenuBarText])), 0);
    {
        const TMenuFontStyle bold(TFontStyles{fsBold});
        EXPECT_EQ(InkWidth(*hover(1), edit->Rect, d->FColors[scMenuBarText]), plain);
    }
    // Built again, the bar forgets the hot button.
    skinBar->TakeMenu(nullptr);
    EXPECT_EQ(form->HotObject(), nullptr);
    EXPECT_EQ(skinBar->Count(), 4);

    // Inactive, the window's bar shows the picture's second state; without a picture the bar is
    // filled with Menubar.
    SetForegroundWindow(NewForm()->Handle());
    const TColor inactive = At(*barPicture(2), barRect.Width() - 20, 3);
    EXPECT_TRUE(PumpUntil([&] {
        return !form->ActiveCaption() && WindowPixel(Host->Handle(), barRect.right - 20, barRect.top + 3) == inactive;
    })) << "the inactive bar was not painted";
    d->FMenuBar.reset();
    skinBar->Paint(target.Canvas()->Handle(), barRect);
    EXPECT_EQ(At(target, barRect.right - 20, barRect.top + 3), Rgb(d->FColors[scMenubar]));

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
    TBar bar = AddMainMenu(Host, &log);
    TMenuItem* more = NewItem(Host, bar.Edit, "More", "More");
    NewItem(Host, more, "Deep", "Deep");
    Data();
    TSkinForm* form = Skin(Host);
    TSkinMenu* skinBar = LaidOutBar(form);
    ASSERT_TRUE(skinBar);
    HWND target = Host->Handle();
    auto submenuOf = [skinBar](int i) { return skinBar->Buttons(i)->SubMenu; };
    // The drop-down of a button open, painted, with its first item highlighted.
    auto dropDown = [&](int i) {
        return [=] { return form->OpenMenu() == submenuOf(i) && PaintedMenuWindow() && HighlightedItem(submenuOf(i)) == 0; };
    };
    auto key = [&](WORD k) { return [=] { PostKey(target, k); }; };

    // Alt+E opens Edit with its first item selected; Left goes to File, Right back to Edit;
    // Return chooses Undo.
    bool tracking = false;
    TMenuSteps keys;
    keys.When("Edit open", dropDown(1),
              [&] {
                  tracking = MenuBarFilterHook() && form->MenuTracking() && SkinManager()->BarMenuOpen &&
                             SkinManager()->MenuKind == TSkinManage::mkMenuBar &&
                             SkinManager()->IsPopupSkinned(OpenMenuWindow());
                  PostKey(target, VK_LEFT);
              })
        .When("File open after Left", dropDown(0), key(VK_RIGHT))
        .When("Edit open after Right", dropDown(1), key(VK_RETURN));
    EXPECT_TRUE(keys.Taken([] { SendChord({VK_MENU}, 'E'); }));
    EXPECT_TRUE(tracking);
    EXPECT_EQ(log.Count("Undo"), 1);
    EXPECT_EQ(log.Count("Edit"), 2);  // each opening clicks its top-level item
    auto ownerDrawn = [](HMENU menu) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        return GetMenuItemInfoA(menu, 0, TRUE, &info) && (info.fType & MFT_OWNERDRAW);
    };
    EXPECT_TRUE(ownerDrawn(submenuOf(1)));  // the drop-down's items are the skin's
    EXPECT_TRUE(ownerDrawn(more->Handle()));
    EXPECT_FALSE(MenuBarFilterHook());
    EXPECT_FALSE(form->MenuTracking());
    EXPECT_TRUE(PumpUntil([] { return !SkinManager()->BarMenuOpen; }));
    EXPECT_EQ(SkinManager()->MenuKind, TSkinManage::mkPopup);

    // Alt and a letter: only Alt by itself, only an enabled button's letter.
    BYTE held[256] = {};
    GetKeyboardState(held);
    auto hold = [&held](const std::vector<int>& vks, bool down) {
        for (int vk : vks)
            held[vk] = down ? 0x80 : 0;
        SetKeyboardState(held);
    };
    struct TRow {
        std::vector<int> Held;
        char Letter;
        LRESULT Answer;
    };
    const std::vector<TRow> rows{{{VK_MENU}, 'e', 1},
                                 {{VK_MENU, VK_CONTROL}, 'f', 0},
                                 {{VK_MENU, VK_SHIFT}, 'f', 0},
                                 {{VK_MENU}, 'o', 0},
                                 {{}, 'f', 0}};
    for (const TRow& row : rows) {
        log.Lines.clear();
        TMenuSteps steps;
        if (row.Answer)
            steps.When("the button opened", dropDown(1), key(VK_ESCAPE));
        LRESULT answer = -1;
        EXPECT_TRUE(steps.Taken([&] {
            hold(row.Held, true);
            answer = Host->Perform(CM_DIALOGCHAR, row.Letter, 0);
            hold(row.Held, false);
            PumpHandled();
        }));
        EXPECT_EQ(answer, row.Answer) << row.Letter;
        EXPECT_EQ(log.Lines.size(), row.Answer ? 1u : 0u) << row.Letter;
    }
    // On another form, Alt and a letter open the main form's button.
    TForm* other = NewForm();
    Skin(other);
    TCustomForm* mainForm = Application->MainForm();
    Application->SetMainForm(Host);
    TMenuSteps forwarded;
    forwarded.When("File open from another form", dropDown(0), key(VK_ESCAPE));
    EXPECT_TRUE(forwarded.Taken([&] {
        hold({VK_MENU}, true);
        other->Perform(CM_DIALOGCHAR, 'f', 0);
        hold({VK_MENU}, false);
        PumpHandled();
    }));
    Application->SetMainForm(mainForm);

    // The mouse: a press on File opens it, moving over Edit switches, moving inside Edit does
    // not open it again; Escape closes.
    log.Lines.clear();
    auto moveTo = [&](int i, int dx) {
        return [=] {
            const POINT p = CentreOf(target, skinBar->Buttons(i)->Rect);
            MoveMouseTo(p.x + dx, p.y, false);
        };
    };
    TMenuSteps mouse;
    mouse.When("File open after a click", dropDown(0), moveTo(1, 0))
        .When("Edit open after a move", dropDown(1), moveTo(1, 2))
        .When("the move inside Edit handled", [] { return true; }, key(VK_ESCAPE));
    EXPECT_TRUE(mouse.Taken([&] { ClickScreen(CentreOf(target, skinBar->Buttons(0)->Rect)); }));
    EXPECT_EQ(log.Lines, (std::vector<String>{"File", "Edit"}));
    // Alt by itself opens the first button; Right goes on to Edit, though the pointer rests on
    // File.
    Activate(form);
    moveTo(0, 0)();
    ASSERT_TRUE(PumpUntil([&] { return form->HotObject() == skinBar->Buttons(0); })) << "the pointer is not on File";
    TMenuSteps alt;
    alt.When("File open after Alt", dropDown(0), key(VK_RIGHT))
        .When("Edit open after Right", dropDown(1), key(VK_DOWN))
        .When("Edit's second item highlighted",
              [&] { return form->OpenMenu() == submenuOf(1) && HighlightedItem(submenuOf(1)) == 1; }, key(VK_ESCAPE));
    EXPECT_TRUE(alt.Taken([] { SendChord({}, VK_MENU); }));

    // A button without items gets its command and no drop-down, a disabled one nothing; the
    // menu-bar popup message opens the button under its point.
    log.Lines.clear();
    TMenuSteps none;
    EXPECT_TRUE(none.Taken([&] {
        ClickScreen(CentreOf(target, skinBar->Buttons(2)->Rect));
        EXPECT_TRUE(PumpUntil([&] { return log.Count("Help") == 1; })) << "no command";
        EXPECT_EQ(SkinManager()->MenuKind, TSkinManage::mkPopup);  // no drop-down is on its way
        EXPECT_FALSE(SkinManager()->BarMenuOpen);
        ClickScreen(CentreOf(target, skinBar->Buttons(3)->Rect));
        EXPECT_TRUE(PumpUntil([&] { return form->HotObject() == skinBar->Buttons(3); })) << "no click";
        PumpHandled();
    }));
    EXPECT_FALSE(MenuBarFilterHook());
    const TPoint origin = form->ScreenToWindow(0, 0);
    const TRect& help = skinBar->Buttons(2)->Rect;
    EXPECT_EQ(SendMessageA(target, SKM_MENUBARPOPUP, 0, MAKELPARAM(help.left + 3 - origin.x, help.top + 3 - origin.y)),
              0);
    EXPECT_TRUE(PumpUntil([&] { return log.Count("Help") == 2; }));
    EXPECT_EQ(log.Lines, (std::vector<String>{"Help", "Help"}));
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

// A plain window of no form: records the commands it is sent.
std::vector<WPARAM> gCommands;
LRESULT CALLBACK CommandsProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND)
        gCommands.push_back(LOWORD(wp));
    return DefWindowProcA(w, msg, wp, lp);
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
    TSkinMenu* skinBar = LaidOutBar(form);
    ASSERT_TRUE(skinBar);
    ASSERT_EQ(skinBar->Count(), 4);
    EXPECT_GE(renaming.Updates, 1);
    EXPECT_EQ(skinBar->Buttons(1)->Caption, L"&Changes");
    EXPECT_FALSE(skinBar->Buttons(1)->Enabled);
    EXPECT_EQ(skinBar->Buttons(0)->Caption, L"&File");

    // Clicked, the switched-off button opens no drop-down.
    TMenuSteps none;
    EXPECT_TRUE(none.Taken([&] {
        ClickScreen(CentreOf(Host->Handle(), skinBar->Buttons(1)->Rect));
        EXPECT_TRUE(PumpUntil([&] { return form->HotObject() == skinBar->Buttons(1); })) << "no click arrived";
        PumpHandled();
    }));

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
    ASSERT_TRUE(LaidOutBar(form));
    // An item the toolkit does not know, as a system or MDI list item is: checked.
    constexpr UINT NativeCommand = 5000;
    HMENU file = bar.File->Handle();
    ASSERT_TRUE(AppendMenuA(file, MF_STRING | MF_CHECKED, NativeCommand, "Native"));
    const int position = GetMenuItemCount(file) - 1;

    // Opened by a click on File; what the drop-down shows of the item against the item as the
    // skin draws one of no menu.
    std::unique_ptr<TBitmap> shown, expected;
    TMenuSteps steps;
    steps.When("File open", [&] { return form->OpenMenu() == file && PaintedMenuWindow(); }, [&] {
        HWND popup = PaintedMenuWindow();
        const TRect item = ItemRect(popup, file, position);
        shown = Shot(popup, item);
        const TPoint client = SkinManager()->FindPopupOfMenu(file)->ClientOffset();
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
    EXPECT_TRUE(steps.Taken([&] { ClickScreen(CentreOf(Host->Handle(), form->MenuBar()->Buttons(0)->Rect)); }));
    ASSERT_TRUE(shown && expected);
    ASSERT_EQ(shown->Width(), expected->Width());
    // The glyph box and the check mark in it: 16 wide after the picture's left edge.
    const int glyphEnd = 1 + d->FMenuItem->LeftWidth + 16 + 3;
    int differ = 0;
    for (int y = 0; y < shown->Height(); ++y)
        for (int x = 0; x < glyphEnd + 16; ++x)
            differ += At(*shown, x, y) != At(*expected, x, y);
    EXPECT_EQ(differ, 0);
}

TEST_F(SkinMenusTest, AWindowWithoutAFormHasItsNativeMenuSkinned)
{
    TSkinData* d = Data();
    HMENU native = CreateMenu(), file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 101, "&Open");
    AppendMenuA(file, MF_STRING | MF_CHECKED, 102, "Checked");
    AppendMenuA(file, MF_STRING | MF_GRAYED, 103, "Greyed");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, 104, "Close");
    AppendMenuA(native, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(native, MF_STRING, 201, "&Go");
    AppendMenuA(native, MF_STRING | MF_GRAYED, 202, "O&ff");
    HWND w = Track(MakeTestWindow("SkinMenusPlain", CommandsProc, ModuleInstance(), WS_OVERLAPPEDWINDOW, 300));
    SetMenu(w, native);
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    TSkinForm* form = Skin(w);
    TSkinMenu* skinBar = LaidOutBar(form);
    ASSERT_TRUE(skinBar);
    ASSERT_EQ(skinBar->Count(), 3);
    // Built from the native menu alone: captions, submenu, commands, the greyed button.
    std::vector<std::wstring> captions;
    for (int i = 0; i < 3; ++i)
        captions.push_back(skinBar->Buttons(i)->Caption);
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"&File", L"&Go", L"O&ff"}));
    EXPECT_EQ(skinBar->Buttons(0)->SubMenu, file);
    EXPECT_EQ(skinBar->Buttons(1)->Command, 201u);
    EXPECT_TRUE(skinBar->Buttons(1)->Enabled);
    EXPECT_FALSE(skinBar->Buttons(2)->Enabled);
    // Go, clicked, sends its command.
    gCommands.clear();
    TMenuSteps none;
    EXPECT_TRUE(none.Taken([&] {
        ClickScreen(CentreOf(w, skinBar->Buttons(1)->Rect));
        EXPECT_TRUE(PumpUntil([] { return !gCommands.empty(); })) << "no command";
    }));
    EXPECT_EQ(gCommands, std::vector<WPARAM>{201});

    // File's drop-down: each native item measured and drawn by the skin as its state says.
    TRect item[5];
    std::unique_ptr<TBitmap> shot;
    TMenuSteps steps;
    steps.When("File open, its first item highlighted", [&] { return PaintedMenuWindow() && HighlightedItem(file) == 0; },
               [&] {
                   HWND popup = PaintedMenuWindow();
                   for (int i = 0; i < 5; ++i)
                       item[i] = ItemRect(popup, file, i);
                   shot = WindowShot(popup);
                   PostKey(w, VK_ESCAPE);
               });
    EXPECT_TRUE(steps.Taken([&] { ClickScreen(CentreOf(w, skinBar->Buttons(0)->Rect)); }));
    ASSERT_TRUE(shot);
    const int edge = d->FMenuItem->LeftWidth;
    auto text = [&](int i) { return TRect(item[i].left + 1 + edge + 16 + 3, item[i].top, item[i].right - 1, item[i].bottom); };
    EXPECT_FALSE(InkOf(*shot, text(0), d->FColors[scHilightText]).Empty());
    EXPECT_FALSE(InkOf(*shot, text(1), d->FColors[scMenuText]).Empty());
    const TRect box(item[1].left + 1 + edge, item[1].top, item[1].left + 1 + edge + 16, item[1].bottom);
    EXPECT_GT(CountOf(*shot, box, Rgb(clBtnText)), 0);
    EXPECT_GT(CountOf(*shot, text(2), Rgb(d->FColors[scButtonShadow])), 0);
    EXPECT_EQ(CountOf(*shot, text(2), Rgb(d->FColors[scMenuText])), 0);
    const TRect& line = item[3];
    EXPECT_GT(CountOf(*shot, TRect(line.left + 8, line.top + 4, line.right - 8, line.top + 5), Rgb(clBtnShadow)),
              line.Width() / 2);
    // Wide enough for the widest text, the glyph column and the picture's left edge.
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(Screen->MenuFont());
    EXPECT_GE(item[1].Width(), measure.Canvas()->TextWidth("Checked") + 26 + edge);

    // Built again from a menu left without items, the bar has no buttons, and none stays hot.
    Activate(form);
    const POINT go = CentreOf(w, skinBar->Buttons(1)->Rect);
    MoveMouseTo(go.x, go.y);
    ASSERT_TRUE(PumpUntil([&] { return form->HotObject() == skinBar->Buttons(1); })) << "Go is not hot";
    while (GetMenuItemCount(native) > 0)
        RemoveMenu(native, 0, MF_BYPOSITION);
    DestroyMenu(file);
    skinBar->TakeMenu(nullptr);
    EXPECT_EQ(skinBar->Count(), 0);
    EXPECT_EQ(form->HotObject(), nullptr);
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
    // Without popup menus among the skin's controls, and on a rich-edit form, popup menus keep
    // their own drawing.
    auto* later = new TPopupMenu(Host);
    NewItem(Host, later->Items(), "Later", "Later");
    d->SetSkinControls(d->SkinControls() - TSkinControlTypes{xcPopupMenu});
    form->SetPopupMenusOwnerDraw(Host, true);
    EXPECT_FALSE(later->OwnerDraw());
    d->SetSkinControls(d->SkinControls() + TSkinControlTypes{xcPopupMenu});
    auto* richEdit = new TwwRichEditForm(nullptr);
    Forms.push_back(richEdit);
    auto* richMenu = new TPopupMenu(richEdit);
    NewItem(richEdit, richMenu->Items(), "Rich", "Rich");
    Skin(richEdit)->SetPopupMenusOwnerDraw(richEdit, true);
    EXPECT_FALSE(richMenu->OwnerDraw());

    // A popup shown while skinned is subclassed while it lives; off, one is left alone.
    auto shownSkinned = [&] {
        bool skinned = false;
        TMenuSteps steps;
        steps.WhenOpen([&](HWND w) {
            skinned = SkinManager()->IsPopupSkinned(w);
            PostKey(Host->Handle(), VK_ESCAPE);
        });
        EXPECT_TRUE(steps.Taken([&] { popup->Popup(150, 150); }));
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
    // The skin data goes while a menu is open; then the menu is closed.
    auto freeing = [&](TMenuSteps& steps) -> TMenuSteps& {
        return steps.WhenOpen([&d](HWND) { std::exchange(d, nullptr)->Free(); });
    };
    auto escape = [&] { PostKey(Host->Handle(), VK_ESCAPE); };

    // The item's menu: the window loses its skin, the item its handler, the popup its subclass;
    // the choice still arrives.
    TMenuSteps steps;
    freeing(steps).When("the skin gone",
                        [] { return SkinManager()->FormCount() == 0 && SkinManager()->PopupCount() == 0; },
                        [&] {
                            PostKey(Host->Handle(), VK_DOWN);
                            PostKey(Host->Handle(), VK_RETURN);
                        });
    EXPECT_TRUE(steps.Taken([&] { popup->Popup(150, 150); }));
    EXPECT_FALSE(d);
    EXPECT_FALSE(item->OnDrawItem);
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_EQ(log.Lines, (std::vector<String>{"Item"}));
    EXPECT_EQ(GetMenu(Host->Handle()), bar.Menu->Handle());

    // The same with the system menu open, and with a drop-down of the menu bar open.
    d = Data();
    form = Skin(Host);
    TMenuSteps system;
    freeing(system).When("the skin gone", [] { return SkinManager()->FormCount() == 0; }, escape);
    EXPECT_TRUE(system.Taken([&] { form->ShowSystemMenu(150, 150); }));
    EXPECT_FALSE(d);
    d = Data();
    form = Skin(Host);
    TSkinMenu* skinBar = LaidOutBar(form);
    ASSERT_TRUE(skinBar);
    TMenuSteps dropDown;
    freeing(dropDown).When("the skin gone", [] { return SkinManager()->FormCount() == 0; }, escape);
    EXPECT_TRUE(dropDown.Taken([&] { form->OpenMenuButton(skinBar->Buttons(0)); }));
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
    EXPECT_EQ(At(printed, 117, 40), At(*back, 117, 40));
    EXPECT_EQ(At(printed, 60, 77), At(*back, 60, 77));
    // Erasing: the menu's own, answered 1; with xoMenuBG not at all.
    EXPECT_EQ(Reached(w, WM_ERASEBKGND, dc, &result), std::vector<UINT>{WM_ERASEBKGND});
    EXPECT_EQ(result, 1);
    d->SetOptions(d->Options() + TSkinOptions{xoMenuBG});
    EXPECT_EQ(Reached(w, WM_ERASEBKGND, dc, &result), none);
    EXPECT_EQ(result, 1);
    // Without a MenuBackground picture (or an empty one), with no skin loaded, or with skinning
    // off, the menu paints itself.
    std::unique_ptr<TDataSkinObject> picture = std::move(d->FMenuBackground);
    EXPECT_EQ(Reached(w, WM_NCPAINT, 1), std::vector<UINT>{WM_NCPAINT});
    d->FMenuBackground = std::make_unique<TDataSkinObject>("MenuBackground");
    EXPECT_EQ(Reached(w, WM_NCPAINT, 1), std::vector<UINT>{WM_NCPAINT});
    d->FMenuBackground = std::move(picture);
    d->FSkinEmpty = true;
    EXPECT_EQ(Reached(w, WM_NCPAINT, 1), std::vector<UINT>{WM_NCPAINT});
    d->FSkinEmpty = false;
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

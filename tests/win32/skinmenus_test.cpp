// Skinned menus on real windows: a popup menu skinned while TrackPopupMenu tracks it, owner-drawn
// items painted into memory and compared with the skin's pictures, the skinned system menu
// against the window's own, the menu bar of a form with a main menu (built, painted, navigated
// by keys and mouse), and every menu given back when the skin goes.
#include <algorithm>
#include <functional>
#include <memory>

#include "guitest.h"
#include "menudrawhandlers.h"
#include "menuitemdraw.h"
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

// Stands in front of a skinned form's window for the routing the skinned frame's window
// procedure does: a press on a menu-bar button opens it, owner-drawn items go to the skin.
class TBarRouting {
public:
    TBarRouting(TSkinForm* form) : FForm(form)
    {
        gRouting = this;
        FOld = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(form->Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TBarRouting::Proc)));
    }
    ~TBarRouting()
    {
        if (IsWindow(FForm->Window))
            SetWindowLongPtrA(FForm->Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOld));
        gRouting = nullptr;
    }
    int Opened = 0;

private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
    {
        TBarRouting& r = *gRouting;
        TMessage m{msg, wp, lp, 0};
        switch (msg) {
        case WM_NCLBUTTONDOWN:
            if (TMenuBtn* b = r.FForm->MenuBar() ? r.FForm->MenuBar()->ButtonAt(r.FForm->ScreenToWindow(
                                                        static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))))
                                                  : nullptr) {
                b->MouseDown();
                ++r.Opened;
                r.FForm->OpenMenuButton(b);
                return 0;
            }
            break;
        case WM_MEASUREITEM:
            r.FForm->WMMeasureItem(m);
            return m.Result;
        case WM_DRAWITEM:
            r.FForm->WMDrawItem(m);
            return m.Result;
        default:
            break;
        }
        return CallWindowProcA(r.FOld, w, msg, wp, lp);
    }
    static inline TBarRouting* gRouting = nullptr;
    TSkinForm* FForm;
    WNDPROC FOld = nullptr;
};

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
    TSkinForm* Skin(TForm* f)
    {
        EXPECT_TRUE(SkinManager()->SkinWindow(f->Handle()));
        TSkinForm* s = SkinManager()->FindSkinForm(f->Handle());
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

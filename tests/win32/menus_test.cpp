// Menus on real HMENUs: what the menu handle holds and how it follows changes, check and radio
// rules, popping up with TrackPopupMenu (driven by posted keys), context menus from right clicks,
// a form's menu bar with WM_COMMAND, and menus streamed from a form file.
#include <algorithm>
#include <memory>

#include "dialogs.h"
#include "extctrls.h"
#include "guitest.h"
#include "menuloop.h"
#include "menus.h"
#include "mplayer.h"
#include "realinput.h"
#include "stdctrls.h"
#include "timer.h"

namespace {

// The form of forms/menuform.form.
class TMenuForm : public TForm {
    TK_CLASS(TMenuForm, TForm)
public:
    explicit TMenuForm(TComponent* owner) : TForm(owner)
    {
        InitForm();
    }
    TK_COMPONENT(TPopupMenu, PopupMenu1);
    TK_COMPONENT(TMainMenu, MainMenu1);
    TK_COMPONENT(TMenuItem, SaveItem);
    TK_COMPONENT(TMenuItem, OnTopItem);
    std::vector<String> Log;
    TK_HANDLER(ItemClick, TObject* s)
    {
        auto* i = static_cast<TMenuItem*>(s);
        Log.push_back(i->Name() + (i->Checked() ? " on" : ""));
    }
    TK_HANDLER(PopupMenu1Popup, TObject*) { Log.push_back("popup"); }
};

const TClassInfo& TMenuForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMenuForm>("TMenuForm", &TForm::StaticClass()).Build();
    return info;
}

class TClicks : public TObject {
public:
    std::vector<String> Log;
    void Click(TObject* s)
    {
        auto* i = static_cast<TMenuItem*>(s);
        Log.push_back(i->Caption() + (i->Checked() ? " on" : ""));
    }
    TNotifyEvent Event() { return TNotifyEvent(this, &TClicks::Click); }
};

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const String& caption, TClicks* clicks = nullptr)
{
    auto* i = new TMenuItem(owner);
    i->SetCaption(caption);
    if (clicks)
        i->OnClick = clicks->Event();
    parent->Add(i);
    return i;
}

struct TEntry {
    MENUITEMINFOA Info{};
    String Text;
};

TEntry Entry(HMENU menu, int pos)
{
    TEntry e;
    char buf[256] = {};
    e.Info.cbSize = sizeof e.Info;
    e.Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    e.Info.dwTypeData = buf;
    e.Info.cch = sizeof buf;
    EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &e.Info));
    e.Text = buf;
    return e;
}

// Keys for the menu loop of the next popup; TrackPopupMenu reads them from the queue.
void QueueKeys(HWND wnd, std::initializer_list<WORD> keys)
{
    for (WORD k : keys) {
        PostMessageA(wnd, WM_KEYDOWN, k, 1);
        PostMessageA(wnd, WM_KEYUP, k, 0xC0000001u);
    }
}

TOwnedObject<TForm> NewForm()
{
    auto* f = new TForm(nullptr);
    f->SetBounds(80, 80, 300, 200);
    return TOwnedObject<TForm>(f);
}

}  // namespace

using MenusTest = GuiTest;

TEST(ShortCuts, TextRoundTrip)
{
    EXPECT_EQ(ShortCutToText(ShortCut('S', {ssCtrl})), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, {ssShift, ssAlt})), "Shift+Alt+Del");
    EXPECT_EQ(TextToShortCut("ALT+F4"), scAlt | VK_F4);
    EXPECT_EQ(TextToShortCut("ctrl+shift+pgdn"), scCtrl | scShift | VK_NEXT);
    EXPECT_EQ(TextToShortCut(ShortCutToText(scCtrl | 'Q')), scCtrl | 'Q');
    EXPECT_EQ(TextToShortCut("Hyper+X"), 0);
    EXPECT_EQ(TextToShortCut(""), 0);
    EXPECT_EQ(ShortCutToText(0), "");
}

TEST_F(MenusTest, HandleHoldsTheItemsAndFollowsEveryChange)
{
    TPopupMenu menu(nullptr);
    TMenuItem* root = menu.Items();
    TMenuItem* open = NewItem(&menu, root, "&Open");
    open->SetDefault(true);
    open->SetShortCut(ShortCut('O', {ssCtrl}));
    TMenuItem* line = NewItem(&menu, root, "-");
    TMenuItem* loud = NewItem(&menu, root, "Loud");
    loud->SetChecked(true);
    loud->SetRadioItem(true);
    TMenuItem* hidden = NewItem(&menu, root, "Hidden");
    hidden->SetVisible(false);
    TMenuItem* more = NewItem(&menu, root, "More");
    TMenuItem* sub = NewItem(&menu, more, "Sub");
    sub->SetEnabled(false);

    HMENU h = menu.Handle();
    ASSERT_TRUE(IsMenu(h));
    ASSERT_EQ(GetMenuItemCount(h), 4);  // the hidden item is left out
    TEntry e = Entry(h, 0);
    EXPECT_EQ(e.Text, "&Open\tCtrl+O");
    EXPECT_EQ(e.Info.wID, open->Command());
    EXPECT_TRUE(e.Info.fState & MFS_DEFAULT);
    EXPECT_TRUE(Entry(h, 1).Info.fType & MFT_SEPARATOR);
    e = Entry(h, 2);
    EXPECT_TRUE(e.Info.fState & MFS_CHECKED);
    EXPECT_TRUE(e.Info.fType & MFT_RADIOCHECK);
    e = Entry(h, 3);
    ASSERT_EQ(e.Info.hSubMenu, more->Handle());
    EXPECT_TRUE(Entry(more->Handle(), 0).Info.fState & MFS_GRAYED);
    EXPECT_EQ(menu.FindItem(reinterpret_cast<UINT_PTR>(more->Handle()), fkHandle), more);
    EXPECT_EQ(menu.FindItem(sub->Command(), fkCommand), sub);
    EXPECT_EQ(menu.FindItem(ShortCut('O', {ssCtrl}), fkShortCut), open);

    // Every command is distinct.
    std::vector<UINT> ids{open->Command(), line->Command(), loud->Command(), hidden->Command(), more->Command(),
                          sub->Command()};
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::unique(ids.begin(), ids.end()), ids.end());
    EXPECT_LT(ids.back(), 0xF000u);

    // Changes show at once, in place.
    open->SetCaption("Open now");
    loud->SetEnabled(false);
    hidden->SetVisible(true);
    EXPECT_EQ(Entry(h, 0).Text, "Open now\tCtrl+O");
    EXPECT_TRUE(Entry(h, 2).Info.fState & MFS_GRAYED);
    EXPECT_EQ(GetMenuItemCount(h), 5);
    sub->Free();
    EXPECT_EQ(more->Count(), 0);
    EXPECT_EQ(Entry(h, 4).Info.hSubMenu, nullptr);  // no children: no submenu any more
    root->Remove(line);
    EXPECT_EQ(GetMenuItemCount(h), 4);
    EXPECT_EQ(line->Parent(), nullptr);
    line->Free();

    EXPECT_THROW(root->Add(open), EInvalidOperation);  // already in the menu
    EXPECT_THROW(more->Add(root), EInvalidOperation);  // would contain itself
    EXPECT_THROW(root->Items(9), EListError);
}

TEST_F(MenusTest, CheckRadioDefaultAndAutoCheckRules)
{
    TPopupMenu menu(nullptr);
    TClicks clicks;
    TMenuItem* a = NewItem(&menu, menu.Items(), "A", &clicks);
    TMenuItem* b = NewItem(&menu, menu.Items(), "B", &clicks);
    TMenuItem* other = NewItem(&menu, menu.Items(), "Other", &clicks);
    for (TMenuItem* i : {a, b, other})
        i->SetRadioItem(true);
    other->SetGroupIndex(1);
    a->SetChecked(true);
    other->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());  // same group
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());  // another group

    a->SetDefault(true);
    b->SetDefault(true);
    EXPECT_FALSE(a->Default());

    // AutoCheck toggles before OnClick; a radio item only checks itself.
    TMenuItem* toggle = NewItem(&menu, menu.Items(), "Toggle", &clicks);
    toggle->SetAutoCheck(true);
    toggle->Click();
    toggle->Click();
    a->SetAutoCheck(true);
    a->Click();
    a->Click();
    EXPECT_EQ(clicks.Log, (std::vector<String>{"Toggle on", "Toggle", "A on", "A on"}));
    EXPECT_FALSE(b->Checked());
    EXPECT_THROW(a->SetGroupIndex(256), EInvalidOperation);
}

TEST_F(MenusTest, PopupRunsTheChosenItemAfterTheMenuClosed)
{
    TPopupMenu menu(nullptr);
    TClicks clicks;
    NewItem(&menu, menu.Items(), "First", &clicks);
    TMenuItem* off = NewItem(&menu, menu.Items(), "Off", &clicks);
    off->SetEnabled(false);
    TMenuItem* more = NewItem(&menu, menu.Items(), "More", &clicks);
    NewItem(&menu, more, "Deep", &clicks);
    bool closedWhenClicked = false;
    struct TCheck : TObject {
        bool* Flag;
        TPopupMenu* Menu;
        void Click(TObject*)
        {
            // The menu window is gone while the handler runs.
            GUITHREADINFO gi{};
            gi.cbSize = sizeof gi;
            *Flag = GetGUIThreadInfo(GetCurrentThreadId(), &gi) && !(gi.flags & GUI_INMENUMODE);
        }
    } check;
    check.Flag = &closedWhenClicked;
    menu.Items()->Items(0)->OnClick = TNotifyEvent(&check, &TCheck::Click);

    auto form = NewForm();
    form->Show();
    HWND target = form->Handle();
    QueueKeys(target, {VK_DOWN, VK_RETURN});
    menu.Popup(100, 100);
    EXPECT_TRUE(closedWhenClicked);
    ASSERT_TRUE(menu.WindowHandle());

    // Down skips the disabled item; Right opens the submenu.
    QueueKeys(target, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});
    menu.Popup(100, 100);
    EXPECT_EQ(clicks.Log, (std::vector<String>{"Deep"}));

    QueueKeys(target, {VK_ESCAPE});
    menu.Popup(100, 100);
    EXPECT_EQ(clicks.Log.size(), 1u);
}

TEST_F(MenusTest, OwnerDrawnItemsGoThroughTheirHandlersAndHintsFollowTheSelection)
{
    TPopupMenu menu(nullptr);
    struct TDraw : TObject {
        std::vector<String> Log;
        int DrawnHeight = 0;
        HWND Target = nullptr;
        void Measure(TObject* s, TCanvas* c, int& w, int& h)
        {
            Log.push_back("measure " + static_cast<TMenuItem*>(s)->Caption() + (w > 0 && c ? " sized" : ""));
            h = 30;
        }
        void Draw(TObject* s, TCanvas* c, TRect r, bool)
        {
            Log.push_back("draw " + static_cast<TMenuItem*>(s)->Caption());
            DrawnHeight = r.Height();
            c->FillRect(r);
        }
        void Close(TObject*) { PostMessageA(Target, WM_KEYDOWN, VK_ESCAPE, 1); }
    } d;
    TMenuItem* a = NewItem(&menu, menu.Items(), "Alpha");
    a->OnMeasureItem = TMenuMeasureItemEvent(&d, &TDraw::Measure);
    a->OnDrawItem = TMenuDrawItemEvent(&d, &TDraw::Draw);
    a->SetHint("Alpha|The first letter");
    NewItem(&menu, menu.Items(), "-");  // drawn by the default drawing
    HMENU h = menu.Handle();
    EXPECT_FALSE(Entry(h, 0).Info.fType & MFT_OWNERDRAW);
    menu.SetOwnerDraw(true);
    EXPECT_TRUE(Entry(h, 0).Info.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(Entry(h, 1).Info.fType & MFT_OWNERDRAW);

    auto form = NewForm();
    form->Show();
    d.Target = form->Handle();
    TTimer close(nullptr);  // ticks inside the menu's loop, after the menu has painted
    close.SetInterval(300);
    close.SetOnTimer(TNotifyEvent(&d, &TDraw::Close));
    menu.Popup(100, 100);
    close.SetEnabled(false);
    ASSERT_GE(d.Log.size(), 2u);
    EXPECT_EQ(d.Log.front(), "measure Alpha sized");
    EXPECT_NE(std::find(d.Log.begin(), d.Log.end(), "draw Alpha"), d.Log.end());
    EXPECT_EQ(d.DrawnHeight, 30);

    // The item under the mouse puts its long hint into the application's hint.
    HWND wnd = menu.WindowHandle();
    SendMessageA(wnd, WM_MENUSELECT, MAKEWPARAM(a->Command(), MF_STRING), reinterpret_cast<LPARAM>(h));
    EXPECT_EQ(Application->Hint(), "The first letter");
    SendMessageA(wnd, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(Application->Hint(), "");
}

TEST_F(MenusTest, RightClicksPopUpTheControlsMenuOrItsParents)
{
    auto form = NewForm();
    TPopupMenu formMenu(nullptr), panelMenu(nullptr), imageMenu(nullptr);
    TClicks clicks;
    NewItem(&formMenu, formMenu.Items(), "FormItem", &clicks);
    NewItem(&panelMenu, panelMenu.Items(), "PanelItem", &clicks);
    NewItem(&imageMenu, imageMenu.Items(), "ImageItem", &clicks);
    form->SetPopupMenu(&formMenu);
    auto* panel = new TPanel(form.Get());
    panel->SetParent(form.Get());
    panel->SetBounds(0, 0, 100, 50);
    panel->SetPopupMenu(&panelMenu);
    auto* label = new TLabel(form.Get());
    label->SetParent(form.Get());
    label->SetBounds(150, 10, 60, 20);
    auto* image = new TImage(form.Get());
    image->SetParent(form.Get());
    image->SetBounds(150, 100, 60, 40);
    image->SetPopupMenu(&imageMenu);
    form->Show();
    HWND wnd = form->Handle();
    auto rightClick = [&](HWND w, int x, int y) {
        const size_t chosen = clicks.Log.size();
        PostMessageA(w, WM_RBUTTONDOWN, MK_RBUTTON, MakeMsgPoint(x, y));
        PostMessageA(w, WM_RBUTTONUP, 0, MakeMsgPoint(x, y));
        QueueKeys(w, {VK_DOWN, VK_RETURN});
        EXPECT_TRUE(PumpUntil([&] { return clicks.Log.size() > chosen; })) << "no menu item was chosen";
    };

    rightClick(panel->Handle(), 20, 20);  // the system turns the click into WM_CONTEXTMENU
    EXPECT_EQ(panelMenu.PopupComponent(), panel);
    rightClick(wnd, 160, 110);  // windowless image, its own menu
    EXPECT_EQ(imageMenu.PopupComponent(), image);
    rightClick(wnd, 160, 15);  // windowless label without a menu: the form's
    EXPECT_EQ(formMenu.PopupComponent(), form.Get());
    EXPECT_EQ(clicks.Log, (std::vector<String>{"PanelItem", "ImageItem", "FormItem"}));

    // From the keyboard (no point): the control's own menu; AutoPopup off: no menu at all.
    QueueKeys(wnd, {VK_DOWN, VK_RETURN});
    SendMessageA(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()), -1);
    panelMenu.SetAutoPopup(false);
    formMenu.SetAutoPopup(false);
    POINT p{20, 20};
    ClientToScreen(panel->Handle(), &p);
    SendMessageA(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()), MakeMsgPoint(p.x, p.y));
    EXPECT_EQ(clicks.Log.size(), 4u);
    Application->ProcessMessages();  // the unused keys

    // Free notification: a freed menu is forgotten.
    auto* temp = new TPopupMenu(nullptr);
    label->SetPopupMenu(temp);
    temp->Free();
    EXPECT_EQ(label->PopupMenu(), nullptr);
}

TEST_F(MenusTest, MainMenuIsTheFormsMenuBarAndGetsItsCommands)
{
    auto form = NewForm();
    auto* menu = new TMainMenu(form.Get());
    TClicks clicks;
    TMenuItem* file = NewItem(form.Get(), menu->Items(), "&File");
    TMenuItem* exit = NewItem(form.Get(), file, "E&xit", &clicks);
    form->SetMenu(menu);
    form->Show();
    HWND wnd = form->Handle();
    HMENU bar = GetMenu(wnd);
    ASSERT_EQ(bar, menu->Handle());
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    NewItem(form.Get(), menu->Items(), "&Help");
    EXPECT_EQ(GetMenuItemCount(bar), 2);

    SendMessageA(wnd, WM_COMMAND, exit->Command(), 0);
    EXPECT_EQ(clicks.Log, (std::vector<String>{"E&xit"}));

    // The window gives the menu back when it goes; the menu stays usable.
    form->RecreateWnd();
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_EQ(GetMenu(form->Handle()), bar);
    menu->Free();
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
}

TEST_F(MenusTest, AHintDueWhenAFormsMenuBarOpensDoesNotShowOverIt)
{
    const int pause = Application->HintPause();
    Application->SetHintPause(150);
    auto form = NewForm();
    auto* menu = new TMainMenu(form.Get());
    NewItem(form.Get(), NewItem(form.Get(), menu->Items(), "&File"), "E&xit");
    form->SetMenu(menu);
    form->SetHint("The form");
    form->SetShowHint(true);
    form->Show();
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form->Handle(); })) << "the form is not in front";
    // The mouse rests on the form, then clicks the menu bar before the hint is due.
    POINT inside{100, 100};
    ClientToScreen(form->Handle(), &inside);
    SetCursorPos(inside.x, inside.y);
    ASSERT_TRUE(PumpUntil([&] { return Application->MouseControl() == form.Get(); }, 1000));
    THintOverMenuWatch watch(form->Handle());
    RECT file{};
    ASSERT_TRUE(GetMenuItemRect(form->Handle(), menu->Handle(), 0, &file));
    ClickScreen(POINT{(file.left + file.right) / 2, (file.top + file.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return watch.Done(); }, 3000)) << "the menu did not open";
    EXPECT_TRUE(PumpUntil([&] { return !OpenMenuWindow(); })) << "the menu did not close";
    EXPECT_EQ(watch.Shown(), 0);
    Application->CancelHint();
    Application->SetHintPause(pause);
}

TEST_F(MenusTest, FormFileStreamsMenusAndTheOtherComponents)
{
    auto* form = new TMenuForm(nullptr);
    TOwnedObject<TMenuForm> guard(form);
    TPopupMenu* popup = form->PopupMenu1;
    ASSERT_EQ(popup->Items()->Count(), 4);
    EXPECT_EQ(form->PopupMenu(), popup);
    EXPECT_EQ(form->Menu(), form->MainMenu1);
    TMenuItem* show = popup->Items()->Items(0);
    EXPECT_TRUE(show->Default());
    EXPECT_TRUE(popup->Items()->Items(1)->IsLine());
    EXPECT_FALSE(popup->Items()->Items(1)->Enabled());
    EXPECT_EQ(show->GetParentComponent(), popup);
    EXPECT_EQ(form->SaveItem->Parent(), popup->Items()->Find("more"));
    EXPECT_EQ(form->SaveItem->ShortCut(), scCtrl | 'S');
    EXPECT_EQ(GetLongHint(form->SaveItem->Hint()), "Saves the alarm");
    EXPECT_EQ(form->MainMenu1->Images(), form->FindComponent("Images1"));
    EXPECT_EQ(form->MainMenu1->Items()->Items(0)->Items(0)->ImageIndex(), 0);
    EXPECT_EQ(GetPropText(form->FindComponent("PopupMenu2"), "Alignment"), "paright");

    auto* picture = As<TImage>(form->FindComponent("Picture1"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Picture()->Width(), 4);
    EXPECT_TRUE(picture->Stretch());
    EXPECT_EQ(picture->PopupMenu(), form->FindComponent("PopupMenu2"));
    auto* bevel = As<TBevel>(form->FindComponent("Bevel1"));
    ASSERT_TRUE(bevel);
    EXPECT_EQ(bevel->Shape(), TBevelShape::bsTopLine);
    EXPECT_EQ(bevel->Style(), TBevelStyle::bsRaised);
    auto* player = As<TMediaPlayer>(form->FindComponent("Player1"));
    ASSERT_TRUE(player);
    EXPECT_FALSE(player->Visible());
    EXPECT_EQ(GetPropText(player, "VisibleButtons"), "[btplay,btstop]");
    auto* open = As<TOpenDialog>(form->FindComponent("Open1"));
    ASSERT_TRUE(open);
    EXPECT_EQ(open->FilterIndex(), 2);
    EXPECT_EQ(open->Options(), (TOpenOptions{ofFileMustExist, ofEnableSizing}));
    auto* images = As<TImageList>(form->FindComponent("Images1"));
    ASSERT_TRUE(images);
    EXPECT_EQ(images->Width(), 24);

    // Handlers bound by name run; AutoCheck shows in the handler.
    form->Show();
    QueueKeys(form->Handle(), {VK_DOWN, VK_DOWN, VK_RETURN});
    popup->Popup(200, 200);
    EXPECT_EQ(form->Log, (std::vector<String>{"popup", "OnTopItem on"}));
    SendMessageA(form->Handle(), WM_COMMAND, form->MainMenu1->Items()->Items(0)->Items(0)->Command(), 0);
    EXPECT_EQ(form->Log.back(), "ExitItem");
}

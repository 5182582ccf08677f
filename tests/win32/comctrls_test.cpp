// The further standard controls on real windows: memo and rich edit lines, combo box items and
// its change rules, owner-drawn items, the group box as a container, pages and tabs, status bar
// panels and hints, the slider's change rule, the time picker, and a form file holding them all.
#include "comctrls.h"
#include "guitest.h"
#include "stdctrls.h"

#include <commctrl.h>
#include <richedit.h>

namespace {

// The form of forms/comctrls.form; its handlers log what happened.
class TComCtrlsForm : public TForm {
    TK_CLASS(TComCtrlsForm, TForm)
public:
    explicit TComCtrlsForm(TComponent* owner) : TForm(owner)
    {
        InitForm();
    }
    TK_COMPONENT(TPageControl, PageControl1);
    TK_COMPONENT(TTabSheet, TabSheet1);
    TK_COMPONENT(TTabSheet, TabSheet2);
    TK_COMPONENT(TMemo, Memo1);
    TK_COMPONENT(TRichEdit, RichEdit1);
    TK_COMPONENT(TGroupBox, GroupBox3);
    TK_COMPONENT(TComboBox, ComboBox2);
    TK_COMPONENT(TTrackBar, TrackBar1);
    TK_COMPONENT(TComboBox, cbSel);
    TK_COMPONENT(TDateTimePicker, MaskEdit2);
    TK_COMPONENT(TStatusBar, StatusBar1);
    std::vector<String> Log;

    TK_HANDLER(PageControl1Change, TObject*) { Log.push_back("page " + PageControl1->ActivePage()->Name()); }
    TK_HANDLER(ComboBox2Change, TObject*) { Log.push_back("theme " + ComboBox2->Text()); }
    TK_HANDLER(TrackBar1Change, TObject*) { Log.push_back("alpha " + IntToStr(TrackBar1->Position())); }
};

const TClassInfo& TComCtrlsForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TComCtrlsForm>("TComCtrlsForm", &TForm::StaticClass()).Build();
    return info;
}

// Records the events it is bound to, with the sender's name.
class TLog : public TObject {
public:
    std::vector<String> Lines;
    bool Allow = true;
    static String NameOf(TObject* s) { return static_cast<TComponent*>(s)->Name(); }
    void Changed(TObject* s) { Lines.push_back("change " + NameOf(s)); }
    void Selected(TObject* s) { Lines.push_back("select " + NameOf(s)); }
    void Hint(TObject*) { Lines.push_back("hint " + Application->Hint()); }
    void Changing(TObject* s, bool& allow)
    {
        Lines.push_back("changing " + NameOf(s));
        allow = Allow;
    }
    void DrawItem(TWinControl* c, int index, const TRect& r, TOwnerDrawState state)
    {
        Lines.push_back("draw " + IntToStr(index) + (state.Contains(odComboBoxEdit) ? " field" : ""));
        auto* combo = static_cast<TComboBox*>(c);
        combo->Canvas()->Brush()->SetColor(clLime);
        combo->Canvas()->FillRect(r);
    }
    void DrawPanel(TCustomStatusBar*, TStatusPanel* p, const TRect& r)
    {
        Lines.push_back("panel " + IntToStr(p->Index()) + " " + IntToStr(r.Width() > 0));
    }
};

// A notification as the control's window sends it to its parent.
LRESULT Notify(TWinControl* c, UINT code)
{
    HWND h = c->Handle();
    NMHDR hdr{h, static_cast<UINT_PTR>(GetDlgCtrlID(h)), code};
    return SendMessageA(GetParent(h), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

void Command(TWinControl* c, WORD code)
{
    HWND h = c->Handle();
    SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code), reinterpret_cast<LPARAM>(h));
}

String ComboItem(HWND h, int i)
{
    String s(static_cast<size_t>(SendMessageA(h, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
    s.resize(static_cast<size_t>(SendMessageA(h, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(s.data()))));
    return s;
}

String TabText(HWND h, int i)
{
    char buf[100] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    SendMessageA(h, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    return buf;
}

String StatusText(HWND h, int part)
{
    String s(LOWORD(SendMessageA(h, SB_GETTEXTLENGTHA, part, 0)) + 1, '\0');
    s.resize(LOWORD(SendMessageA(h, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(s.data()))));
    return s;
}

COLORREF PixelOf(TWinControl* c, int x, int y)
{
    c->Repaint();
    HDC dc = GetDC(c->Handle());
    COLORREF p = GetPixel(dc, x, y);
    ReleaseDC(c->Handle(), dc);
    return p;
}

using Lines = std::vector<String>;
using ComCtrlsTest = GuiTest;

TEST_F(ComCtrlsTest, MemoLinesViewTheTextAndEveryChangeIsReportedOnce)
{
    TForm* f = NewTestForm(320, 240);
    auto* memo = Add<TMemo>(f, f, "Memo1", 8, 8, 200, 100);
    TLog log;
    memo->OnChange = TNotifyEvent(&log, &TLog::Changed);
    memo->Lines()->Add("one");  // before the window exists
    memo->Lines()->Add("two");
    EXPECT_EQ(memo->Text(), "one\r\ntwo");
    f->Show();
    EXPECT_EQ(WindowText(memo->Handle()), "one\r\ntwo");

    log.Lines.clear();
    memo->Lines()->SetText("a\nb\rc\r\n");
    EXPECT_EQ(log.Lines, Lines{"change Memo1"});  // the whole text at once
    EXPECT_EQ(WindowText(memo->Handle()), "a\r\nb\r\nc");
    EXPECT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Get(1), "b");
    memo->Lines()->Put(1, "B");
    memo->Lines()->Delete(0);
    memo->Lines()->Insert(0, "first");
    EXPECT_EQ(memo->Text(), "first\r\nB\r\nc");
    memo->Lines()->Add("");  // an empty last line is a line too
    EXPECT_EQ(memo->Lines()->Count(), 4);
    EXPECT_EQ(memo->Lines()->Text(), "first\r\nB\r\nc\r\n\r\n");
    EXPECT_THROW(memo->Lines()->Get(4), EListError);
    EXPECT_THROW(memo->Lines()->Insert(6, "x"), EListError);
    memo->SetText("x\ny");
    EXPECT_EQ(WindowText(memo->Handle()), "x\r\ny");

    // The user types: the window reports it through its parent.
    log.Lines.clear();
    memo->SetSelStart(0);
    PostMessageA(memo->Handle(), WM_CHAR, 'z', 1);
    EXPECT_TRUE(PumpUntil([&] { return memo->Lines()->Get(0) == "zx"; })) << "the typed character did not arrive";
    EXPECT_EQ(log.Lines, Lines{"change Memo1"});
    f->Free();
}

TEST_F(ComCtrlsTest, MemoStylesFollowTheirPropertiesAndSurviveANewWindow)
{
    TForm* f = NewTestForm(320, 240);
    auto* memo = Add<TMemo>(f, f, "Memo1", 8, 8, 200, 100);
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    memo->SetAlignment(taRightJustify);
    memo->SetMaxLength(7);
    f->Show();
    memo->SetText("kept");
    memo->SetReadOnly(true);
    HWND old = memo->Handle();
    LONG style = GetWindowLongA(old, GWL_STYLE);
    EXPECT_EQ(style & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL | ES_RIGHT | ES_READONLY | ES_MULTILINE),
              WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL | ES_RIGHT | ES_READONLY | ES_MULTILINE);
    EXPECT_EQ(SendMessageA(old, EM_GETLIMITTEXT, 0, 0), 7);

    memo->SetScrollBars(ssNone);
    memo->SetWordWrap(true);
    HWND now = memo->Handle();
    EXPECT_NE(now, old);
    EXPECT_EQ(WindowText(now), "kept");
    EXPECT_EQ(GetWindowLongA(now, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL), 0);
    EXPECT_EQ(SendMessageA(now, EM_GETLIMITTEXT, 0, 0), 7);
    PostMessageA(now, WM_CHAR, 'z', 1);  // read-only: the user can't type
    Application->ProcessMessages();
    EXPECT_EQ(memo->Text(), "kept");

    // Return and Tab: kept by the memo, or left for the form's dialog keys.
    EXPECT_NE(SendMessageA(now, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
    EXPECT_EQ(SendMessageA(now, WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB, 0);
    memo->SetWantReturns(false);
    memo->SetWantTabs(true);
    EXPECT_EQ(SendMessageA(now, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
    EXPECT_NE(SendMessageA(now, WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB, 0);
    f->Free();
}

TEST_F(ComCtrlsTest, RichEditReadsRichTextUnlessPlainAndShowsItsColour)
{
    TForm* f = NewTestForm(320, 240);
    auto* rich = Add<TRichEdit>(f, f, "Rich1", 8, 8, 200, 100);
    TLog log;
    rich->OnChange = TNotifyEvent(&log, &TLog::Changed);
    f->Show();
    EXPECT_EQ(rich->ClassName(), "TRichEdit");
    rich->SetText("{\\rtf1\\ansi hello \\b bold\\b0}");
    EXPECT_EQ(rich->Text(), "hello bold");
    rich->SetPlainText(true);
    rich->SetText("{\\rtf1 literal}");
    EXPECT_EQ(rich->Text(), "{\\rtf1 literal}");

    rich->Lines()->SetText("l1\nl2");
    EXPECT_EQ(rich->Text(), "l1\r\nl2");
    EXPECT_EQ(rich->Lines()->Count(), 2);
    EXPECT_EQ(rich->Lines()->Get(1), "l2");

    log.Lines.clear();
    rich->SetSelStart(0);
    PostMessageA(rich->Handle(), WM_CHAR, 'z', 1);
    EXPECT_TRUE(PumpUntil([&] { return rich->Lines()->Get(0) == "zl1"; })) << "the typed character did not arrive";
    EXPECT_EQ(log.Lines, Lines{"change Rich1"});

    rich->SetReadOnly(true);
    PostMessageA(rich->Handle(), WM_CHAR, 'q', 1);
    Application->ProcessMessages();
    EXPECT_EQ(rich->Lines()->Get(0), "zl1");

    rich->SetColor(clYellow);
    EXPECT_EQ(PixelOf(rich, rich->ClientWidth() - 10, rich->ClientHeight() - 10), RGB(255, 255, 0));
    f->Free();
}

TEST_F(ComCtrlsTest, ComboItemsLiveInTheWindowAndOnlyTheUsersChangesFireOnChange)
{
    TForm* f = NewTestForm(320, 240);
    auto* combo = Add<TComboBox>(f, f, "Combo1", 8, 8, 150, 21);
    combo->Items()->Add("Default Windows");
    combo->Items()->Add("Standar");
    combo->Items()->Add("MacOS");
    combo->SetText("---Choose---");
    TLog log;
    combo->OnChange = TNotifyEvent(&log, &TLog::Changed);
    combo->OnSelect = TNotifyEvent(&log, &TLog::Selected);
    f->Show();
    HWND h = combo->Handle();
    EXPECT_EQ(SendMessageA(h, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(ComboItem(h, 1), "Standar");
    EXPECT_EQ(combo->Text(), "---Choose---");
    EXPECT_EQ(combo->ItemIndex(), -1);

    // The program's changes are no user's: no events.
    combo->SetItemIndex(2);
    EXPECT_EQ(combo->Text(), "MacOS");
    combo->SetText("set by code");
    EXPECT_EQ(WindowText(h), "set by code");
    EXPECT_TRUE(log.Lines.empty());

    // The user picks an item: the list selects it and tells the parent.
    SendMessageA(h, CB_SETCURSEL, 1, 0);
    Command(combo, CBN_SELCHANGE);
    EXPECT_EQ(log.Lines, (Lines{"change Combo1", "select Combo1"}));
    EXPECT_EQ(combo->Text(), "Standar");
    EXPECT_EQ(combo->ItemIndex(), 1);

    // The user types into the edit part.
    log.Lines.clear();
    HWND edit = FindWindowExA(h, nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    PostMessageA(edit, WM_CHAR, 'x', 1);
    EXPECT_TRUE(PumpUntil([&] { return !log.Lines.empty(); })) << "typing raised no change";
    EXPECT_EQ(log.Lines, Lines{"change Combo1"});

    // Emptying the list keeps the text; a sorted list puts items in their place.
    combo->SetText("kept");
    combo->Items()->Clear();
    EXPECT_EQ(SendMessageA(h, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(combo->Text(), "kept");
    combo->SetSorted(true);
    combo->Items()->Add("b");
    combo->Items()->Add("C");
    combo->Items()->Add("a");
    EXPECT_EQ(combo->Items()->Text(), "a\r\nb\r\nC\r\n");
    EXPECT_EQ(ComboItem(h, 0) + ComboItem(h, 1) + ComboItem(h, 2), "abC");
    EXPECT_THROW(combo->Items()->Get(3), EListError);

    // A new window (another style) keeps items and selection; a list style selects by text.
    combo->SetItemIndex(1);
    combo->SetStyle(csDropDownList);
    EXPECT_NE(combo->Handle(), h);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "b");
    combo->SetText("C");
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetText("c");  // exactly, or nothing
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(log.Lines, Lines{"change Combo1"});
    f->Free();
}

TEST_F(ComCtrlsTest, OwnerDrawnComboHasItsItemHeightAndDrawsOnItsCanvas)
{
    TForm* f = NewTestForm(320, 240);
    auto* combo = Add<TComboBox>(f, f, "cbSel", 8, 8, 150, 22);
    combo->SetStyle(csOwnerDrawFixed);
    combo->SetItemHeight(16);
    combo->Items()->Add("one");
    combo->Items()->Add("two");
    combo->SetItemIndex(0);
    combo->SetColor(clYellow);
    auto* other = Add<TEdit>(f, f, "Edit1", 8, 40, 100, 21);
    TLog log;
    combo->OnDrawItem = TDrawItemEvent(&log, &TLog::DrawItem);
    f->Show();
    HWND h = combo->Handle();
    EXPECT_EQ(SendMessageA(h, CB_GETITEMHEIGHT, 0, 0), 16);
    EXPECT_EQ(combo->Text(), "one");

    log.Lines.clear();
    COLORREF drawn = PixelOf(combo, 6, combo->ClientHeight() / 2);
    ASSERT_FALSE(log.Lines.empty());
    EXPECT_EQ(log.Lines[0], "draw 0 field");
    EXPECT_EQ(drawn, RGB(0, 255, 0));

    // Without a handler the item's text is drawn on the control's colour, or selected while
    // the combo box has the focus.
    combo->OnDrawItem = nullptr;
    other->SetFocus();
    EXPECT_EQ(PixelOf(combo, combo->ClientWidth() / 2, combo->ClientHeight() / 2), RGB(255, 255, 0));
    combo->SetFocus();
    EXPECT_EQ(PixelOf(combo, combo->ClientWidth() / 2, combo->ClientHeight() / 2), GetSysColor(COLOR_HIGHLIGHT));
    f->Free();
}

TEST_F(ComCtrlsTest, GroupBoxHoldsControlsBelowItsCaptionAndPassesTheirNotificationsOn)
{
    TForm* f = NewTestForm(320, 240);
    auto* box = Add<TGroupBox>(f, f, "GroupBox3", 10, 10, 177, 145);
    box->SetCaption("&General Setting");
    auto* check = Add<TCheckBox>(f, box, "CheckBox4", 8, 24, 120, 17);
    auto* fill = Add<TPanel>(f, box, "Fill", 0, 0, 10, 10);
    fill->SetAlign(alBottom);
    TLog log;
    check->OnClick = TNotifyEvent(&log, &TLog::Changed);
    f->Show();
    EXPECT_EQ(GetParent(check->Handle()), box->Handle());
    EXPECT_EQ(fill->BoundsRect(), Bounds(2, box->ClientHeight() - 12, box->ClientWidth() - 4, 10));
    fill->SetAlign(alClient);
    EXPECT_GT(fill->Top(), 8);  // below the caption's line
    EXPECT_EQ(fill->Left(), 2);

    SendMessageA(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(log.Lines, Lines{"change CheckBox4"});

    // The caption's accelerator goes to the first control inside.
    fill->Hide();
    f->SetFocus();
    f->Perform(CM_DIALOGCHAR, 'g', 0);
    EXPECT_EQ(GetFocus(), check->Handle());
    f->Free();
}

TEST_F(ComCtrlsTest, PagesShowOneAtATimeAndTheUsersTabPickFiresOnChange)
{
    TForm* f = NewTestForm(320, 240);
    auto* pages = Add<TPageControl>(f, f, "Pages", 0, 0, 300, 200);
    TLog log;
    pages->OnChange = TNotifyEvent(&log, &TLog::Changed);
    pages->OnChanging = TTabChangingEvent(&log, &TLog::Changing);
    f->Show();
    TTabSheet* sheet[3];
    const char* names[] = {"First", "Second", "Third"};
    for (int i = 0; i < 3; ++i) {
        sheet[i] = new TTabSheet(f);
        sheet[i]->SetName(String("Sheet") + names[i]);
        sheet[i]->SetCaption(names[i]);
        sheet[i]->SetPageControl(pages);
    }
    HWND h = pages->Handle();
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), sheet[0]);  // the first page shows by itself
    EXPECT_EQ(SendMessageA(h, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(TabText(h, 1), "Second");
    EXPECT_TRUE(IsWindowVisible(sheet[0]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheet[1]->Handle()));
    EXPECT_EQ(sheet[0]->BoundsRect(), pages->DisplayRect());
    EXPECT_GT(pages->DisplayRect().top, 10);

    // The user picks the third tab.
    SendMessageA(h, TCM_SETCURSEL, 2, 0);
    EXPECT_EQ(Notify(pages, TCN_SELCHANGING), FALSE);
    Notify(pages, TCN_SELCHANGE);
    EXPECT_EQ(pages->ActivePage(), sheet[2]);
    EXPECT_EQ(log.Lines, (Lines{"changing Pages", "change Pages"}));
    EXPECT_TRUE(IsWindowVisible(sheet[2]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheet[0]->Handle()));
    EXPECT_EQ(sheet[2]->BoundsRect(), pages->DisplayRect());

    // OnChanging can refuse; the program's choice needs no asking and fires nothing.
    log.Allow = false;
    EXPECT_EQ(Notify(pages, TCN_SELCHANGING), TRUE);
    log.Lines.clear();
    pages->SetActivePage(sheet[1]);
    EXPECT_TRUE(log.Lines.empty());
    EXPECT_EQ(SendMessageA(h, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(pages->TabIndex(), 1);

    // A click on a tab goes the same way.
    RECT tab{};
    SendMessageA(h, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    log.Allow = true;
    ClickAt(h, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    EXPECT_EQ(pages->ActivePage(), sheet[0]);
    EXPECT_EQ(log.Lines, (Lines{"changing Pages", "change Pages"}));
    pages->SetActivePage(sheet[1]);

    // Captions, hidden tabs and order.
    sheet[1]->SetCaption("Renamed");
    EXPECT_EQ(TabText(h, 1), "Renamed");
    sheet[0]->SetTabVisible(false);
    EXPECT_EQ(SendMessageA(h, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(sheet[1]->TabIndex(), 0);
    EXPECT_EQ(sheet[1]->PageIndex(), 1);
    sheet[2]->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), sheet[2]);
    EXPECT_EQ(TabText(h, 0), "Third");

    // Freeing the active page shows the next page that has a tab.
    sheet[1]->Free();
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), sheet[2]);
    EXPECT_TRUE(IsWindowVisible(sheet[2]->Handle()));
    EXPECT_THROW(pages->SetActivePage(new TTabSheet(f)), EInvalidOperation);
    f->Free();
}

TEST_F(ComCtrlsTest, PagesNotShownYetGetTheirWindowsWhenFirstShown)
{
    TForm* f = NewTestForm(320, 240);
    auto* pages = Add<TPageControl>(f, f, "Pages", 0, 0, 300, 200);
    TTabSheet* sheet[2];
    for (int i = 0; i < 2; ++i) {
        sheet[i] = new TTabSheet(f);
        sheet[i]->SetName("Sheet" + IntToStr(i));
        sheet[i]->SetPageControl(pages);
    }
    auto* combo = Add<TComboBox>(f, sheet[1], "Combo", 8, 8, 120, 22);
    combo->Items()->Add("one");
    combo->Items()->Add("two");
    combo->SetText("two");
    auto* edit = Add<TEdit>(f, sheet[1], "Edit", 8, 40, 120, 22);
    edit->SetText("typed");
    auto* hidden = Add<TEdit>(f, sheet[0], "Hidden", 8, 8, 120, 22);
    hidden->SetVisible(false);
    f->Show();

    // The shown page has its windows; the other page and a hidden control have none yet, and
    // still keep what they were given.
    EXPECT_TRUE(sheet[0]->HandleAllocated());
    EXPECT_FALSE(sheet[1]->HandleAllocated() || combo->HandleAllocated() || edit->HandleAllocated());
    EXPECT_FALSE(hidden->HandleAllocated());
    EXPECT_EQ(combo->Text(), "two");
    EXPECT_EQ(edit->Text(), "typed");

    // The user picks the page: its windows are made, with what the controls hold.
    SendMessageA(pages->Handle(), TCM_SETCURSEL, 1, 0);
    Notify(pages, TCN_SELCHANGE);
    ASSERT_TRUE(combo->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(combo->Handle()) && IsWindowVisible(edit->Handle()));
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(WindowText(combo->Handle()), "two");
    EXPECT_EQ(WindowText(edit->Handle()), "typed");
    EXPECT_EQ(GetParent(combo->Handle()), sheet[1]->Handle());

    // Shown, or asked for its window, a hidden control gets one at once.
    hidden->SetVisible(true);
    EXPECT_TRUE(hidden->HandleAllocated());
    auto* asked = new TEdit(f);
    asked->SetVisible(false);
    asked->SetParent(sheet[0]);
    EXPECT_FALSE(asked->HandleAllocated());
    EXPECT_EQ(GetParent(asked->Handle()), sheet[0]->Handle());
    f->Free();
}

TEST_F(ComCtrlsTest, AFormEmbeddedInAPageFillsItAndFollowsItsSize)
{
    TForm* f = NewTestForm(320, 240);
    auto* pages = Add<TPageControl>(f, f, "Pages", 0, 0, 300, 200);
    auto* sheet = new TTabSheet(f);
    sheet->SetPageControl(pages);
    f->Show();
    auto* inner = new TForm(nullptr);
    inner->SetCaption("A\xA0l\xA0" "a r\xA0m ");
    inner->SetBorderStyle(bsNone);
    inner->SetAlign(alClient);
    sheet->SetCaption(inner->Caption());
    inner->SetParent(sheet);
    inner->Show();
    EXPECT_EQ(TabText(pages->Handle(), 0), "A\xA0l\xA0" "a r\xA0m ");
    EXPECT_EQ(GetParent(inner->Handle()), sheet->Handle());
    EXPECT_EQ(inner->BoundsRect(), TRect(0, 0, sheet->ClientWidth(), sheet->ClientHeight()));
    pages->SetBounds(0, 0, 330, 335);
    EXPECT_EQ(inner->BoundsRect(), TRect(0, 0, sheet->ClientWidth(), sheet->ClientHeight()));
    EXPECT_GT(inner->Width(), 300);
    inner->Free();
    f->Free();
}

TEST_F(ComCtrlsTest, StatusBarPanelsAndSimpleTextReachTheWindow)
{
    TForm* f = NewTestForm(320, 240);
    auto* bar = Add<TStatusBar>(f, f, "StatusBar1", 0, 0, 0, 19);
    TStatusPanel* p0 = bar->Panels()->Add();
    p0->SetWidth(200);
    p0->SetText("ready");
    TStatusPanel* p1 = bar->Panels()->Add();
    p1->SetWidth(50);
    p1->SetBevel(pbRaised);
    f->Show();
    HWND h = bar->Handle();
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, f->ClientHeight() - 19, f->ClientWidth(), 19));
    int rights[4] = {};
    EXPECT_EQ(SendMessageA(h, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(rights)), 2);
    EXPECT_EQ(rights[0], 200);
    EXPECT_EQ(rights[1], -1);  // the last panel reaches the edge
    EXPECT_EQ(StatusText(h, 0), "ready");
    EXPECT_EQ(HIWORD(SendMessageA(h, SB_GETTEXTLENGTHA, 1, 0)) & SBT_POPOUT, SBT_POPOUT);
    p0->SetText("changed");
    EXPECT_EQ(StatusText(h, 0), "changed");

    bar->SetSimpleText("simple");
    bar->SetSimplePanel(true);
    EXPECT_TRUE(SendMessageA(h, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(StatusText(h, 0), "simple");  // in simple mode the one part is the simple one
    bar->SetSimplePanel(false);
    EXPECT_FALSE(SendMessageA(h, SB_ISSIMPLE, 0, 0));

    TLog log;
    bar->OnDrawPanel = TDrawPanelEvent(&log, &TLog::DrawPanel);
    p1->SetStyle(psOwnerDraw);
    bar->Repaint();
    ASSERT_FALSE(log.Lines.empty());
    EXPECT_EQ(log.Lines[0], "panel 1 1");
    f->Free();
}

TEST_F(ComCtrlsTest, AutoHintShowsTheHintOfTheControlUnderTheMouseAndKeepsTheEarlierHandler)
{
    Application->MouseOver(nullptr);
    TLog log;
    TNotifyEvent earlier(&log, &TLog::Hint);
    Application->OnHint = earlier;
    TForm* f = NewTestForm(320, 240);
    auto* bar = Add<TStatusBar>(f, f, "StatusBar1", 0, 0, 0, 19);
    bar->Panels()->Add()->SetWidth(200);
    bar->Panels()->Add();
    bar->SetAutoHint(true);
    auto* simple = Add<TStatusBar>(f, f, "StatusBar2", 0, 0, 0, 19);
    simple->SetAutoHint(true);
    auto* check = Add<TCheckBox>(f, f, "CheckBox4", 8, 8, 120, 17);
    check->SetHint("Run|Run Application at start up windows");
    f->Show();

    f->Update();
    TPoint over = check->ClientToScreen(TPoint(5, 5));
    SetCursorPos(over.x, over.y);
    PumpUntil([&] { return !log.Lines.empty(); }, 1000);
    EXPECT_EQ(StatusText(bar->Handle(), 0), "Run Application at start up windows");
    EXPECT_EQ(simple->SimpleText(), "Run Application at start up windows");
    SetCursorPos(f->Left() + f->Width() + 100, f->Top() + f->Height() + 100);  // off the form
    PumpUntil([&] { return log.Lines.size() >= 2; }, 1000);
    EXPECT_EQ(StatusText(bar->Handle(), 0), "");
    EXPECT_EQ(log.Lines, (Lines{"hint Run Application at start up windows", "hint "}));

    bar->Free();
    simple->Free();
    EXPECT_TRUE(Application->OnHint == earlier);
    Application->OnHint = nullptr;
    Application->MouseOver(nullptr);
    f->Free();
}

TEST_F(ComCtrlsTest, SliderFiresOnChangeOnlyWhenThePositionActuallyChanges)
{
    TForm* f = NewTestForm(320, 240);
    auto* bar = Add<TTrackBar>(f, f, "TrackBar1", 8, 8, 200, 30);
    bar->SetMax(255);
    TLog log;
    bar->OnChange = TNotifyEvent(&log, &TLog::Changed);
    f->Show();
    HWND h = bar->Handle();
    bar->SetPosition(0);  // where it is already
    bar->SetPosition(300);
    EXPECT_EQ(bar->Position(), 255);
    EXPECT_EQ(SendMessageA(h, TBM_GETPOS, 0, 0), 255);
    bar->SetPosition(1000);
    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(log.Lines, (Lines{"change TrackBar1", "change TrackBar1"}));

    log.Lines.clear();
    bar->SetPosition(100);
    bar->SetMax(50);  // the range moves the position
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_EQ(SendMessageA(h, TBM_GETRANGEMAX, 0, 0), 50);
    EXPECT_THROW(bar->SetMin(60), EInvalidOperation);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(log.Lines.size(), 2u);

    // The user moves the thumb: the window tells its parent.
    log.Lines.clear();
    SendMessageA(h, TBM_SETPOS, TRUE, 20);
    SendMessageA(f->Handle(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 20), reinterpret_cast<LPARAM>(h));
    SendMessageA(f->Handle(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(h));
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(log.Lines, Lines{"change TrackBar1"});

    // Keys go to the slider itself, which reports the step.
    bar->SetFocus();
    PressKey(VK_RIGHT);
    EXPECT_EQ(bar->Position(), 21);
    EXPECT_EQ(log.Lines.size(), 2u);
    f->Free();
}

TEST_F(ComCtrlsTest, TimePickerShows24HourTimeAndReportsTheUsersChange)
{
    TForm* f = NewTestForm(320, 240);
    auto* picker = Add<TDateTimePicker>(f, f, "MaskEdit2", 8, 8, 120, 21);
    picker->SetKind(dtkTime);
    picker->SetFormat("HH:mm:ss");
    picker->SetDate(EncodeDate(2024, 2, 29));
    picker->SetTime(EncodeTime(13, 5, 9, 0));
    TLog log;
    picker->OnChange = TNotifyEvent(&log, &TLog::Changed);
    f->Show();
    HWND h = picker->Handle();
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
    SYSTEMTIME st{};
    EXPECT_EQ(SendMessageA(h, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_VALID);
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wHour, 13);
    EXPECT_EQ(st.wSecond, 9);
    EXPECT_EQ(WindowText(h), "13:05:09");
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 2, 29));

    // The user changes the hour: the picker tells its parent.
    st.wHour = 7;
    SendMessageA(h, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    NMDATETIMECHANGE n{};
    n.nmhdr = NMHDR{h, static_cast<UINT_PTR>(GetDlgCtrlID(h)), static_cast<UINT>(DTN_DATETIMECHANGE)};
    n.dwFlags = GDT_VALID;
    n.st = st;
    SendMessageA(f->Handle(), WM_NOTIFY, n.nmhdr.idFrom, reinterpret_cast<LPARAM>(&n));
    SendMessageA(f->Handle(), WM_NOTIFY, n.nmhdr.idFrom, reinterpret_cast<LPARAM>(&n));  // reported twice
    EXPECT_EQ(DecodeTime(picker->Time()).Hour, 7);
    EXPECT_EQ(log.Lines, Lines{"change MaskEdit2"});

    // A day the picker can't show is refused and changes nothing.
    EXPECT_THROW(picker->SetDate(EncodeDate(1700, 1, 1)), EConvertError);
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 2, 29));

    // With a check box, unticked means no value.
    picker->SetShowCheckbox(true);
    picker->SetChecked(false);
    EXPECT_EQ(SendMessageA(picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_NONE);
    EXPECT_FALSE(picker->Checked());
    EXPECT_EQ(log.Lines.size(), 1u);
    f->Free();
}

TEST_F(ComCtrlsTest, AFormFileStreamsEveryControlWithItsStoredValues)
{
    auto* f = new TComCtrlsForm(nullptr);
    f->Show();
    EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet2);
    EXPECT_EQ(f->PageControl1->PageCount(), 3);
    EXPECT_EQ(TabText(f->PageControl1->Handle(), 1), "Setting");
    EXPECT_TRUE(IsWindowVisible(f->GroupBox3->Handle()));

    EXPECT_EQ(f->Memo1->Lines()->Count(), 2);
    EXPECT_EQ(f->Memo1->Lines()->Get(0), "Its Time to...");
    EXPECT_EQ(SendMessageA(f->Memo1->Handle(), EM_GETLIMITTEXT, 0, 0), 500);
    EXPECT_EQ(f->RichEdit1->Text(), "{\\rtf not read as rich text}");
    EXPECT_TRUE(f->RichEdit1->ReadOnly());

    EXPECT_EQ(f->ComboBox2->Text(), "---Choose---");
    EXPECT_EQ(f->ComboBox2->ItemIndex(), -1);
    EXPECT_EQ(SendMessageA(f->ComboBox2->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(f->cbSel->Text(), "two");
    EXPECT_EQ(SendMessageA(f->cbSel->Handle(), CB_GETITEMHEIGHT, 0, 0), 16);

    // Position came before Max in the file: kept, and no event while the form was read.
    EXPECT_EQ(f->TrackBar1->Position(), 200);
    EXPECT_EQ(SendMessageA(f->TrackBar1->Handle(), TBM_GETPOS, 0, 0), 200);
    EXPECT_TRUE(f->Log.empty());

    TTimeParts t = DecodeTime(f->MaskEdit2->Time());
    EXPECT_EQ(t.Hour, 12);
    EXPECT_EQ(WindowText(f->MaskEdit2->Handle()), "12:00:00");

    EXPECT_EQ(f->StatusBar1->Panels()->Count(), 2);
    EXPECT_EQ(f->StatusBar1->Panels()->Items(1)->Alignment(), taCenter);
    EXPECT_EQ(StatusText(f->StatusBar1->Handle(), 0), "ready");
    EXPECT_EQ(f->StatusBar1->Top() + f->StatusBar1->Height(), f->ClientHeight());
    EXPECT_EQ(f->PageControl1->Top() + f->PageControl1->Height(), f->StatusBar1->Top());

    // Read by name, as the skin engine reads them.
    EXPECT_EQ(GetPropText(f->PageControl1, "style"), "tstabs");
    EXPECT_EQ(GetPropText(f->MaskEdit2, "Kind"), "dtktime");
    EXPECT_EQ(GetPropText(f->MaskEdit2, "DateMode"), "dmcombobox");
    EXPECT_EQ(GetPropText(f->StatusBar1, "simpletext"), "");
    EXPECT_EQ(GetPropText(f->StatusBar1->Panels()->Items(0), "Text"), "ready");
    EXPECT_EQ(GetPropText(f->StatusBar1->Panels()->Items(0), "Bevel"), "pblowered");
    EXPECT_TRUE(f->PageControl1->ClassType().InheritsFrom("TCustomTabControl"));
    EXPECT_TRUE(f->Memo1->ClassType().InheritsFrom("TCustomMemo"));
    EXPECT_TRUE(f->RichEdit1->ClassType().InheritsFrom("TCustomMemo"));
    EXPECT_TRUE(f->ComboBox2->ClassType().InheritsFrom("TCustomComboBox"));
    EXPECT_TRUE(f->GroupBox3->ClassType().InheritsFrom("TCustomGroupBox"));
    EXPECT_TRUE(f->StatusBar1->ClassType().InheritsFrom("TCustomStatusBar"));

    // Handlers bound by name run for the user's changes.
    SendMessageA(f->ComboBox2->Handle(), CB_SETCURSEL, 1, 0);
    Command(f->ComboBox2, CBN_SELCHANGE);
    SendMessageA(f->PageControl1->Handle(), TCM_SETCURSEL, 0, 0);
    Notify(f->PageControl1, TCN_SELCHANGE);
    EXPECT_EQ(f->Log, (Lines{"theme Standar", "page TabSheet1"}));
    f->Free();
}

}  // namespace

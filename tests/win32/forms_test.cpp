// Forms: streaming from form resources, showing and hiding, closing, transparency, the screen's
// form list.
#include "formfile.h"
#include "guitest.h"
#include "stdctrls.h"
#include "teststreamform.h"

namespace {

class TLinkForm : public TForm {
    TK_CLASS(TLinkForm, TForm)
public:
    explicit TLinkForm(TComponent* owner) : TForm(owner)
    {
        InitForm();
    }
    TK_COMPONENT(TLabel, LinkLabel);
};

const TClassInfo& TLinkForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TLinkForm>("TLinkForm", &TForm::StaticClass()).Build();
    return info;
}

// A form class whose form file is missing.
class TNoFileForm : public TForm {
    TK_CLASS(TNoFileForm, TForm)
public:
    explicit TNoFileForm(TComponent* owner) : TForm(owner) { InitForm(); }
};

const TClassInfo& TNoFileForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TNoFileForm>("TNoFileForm", &TForm::StaticClass()).Build();
    return info;
}

// A form class and a class derived from it, each declaring components and a handler of its own.
class TFieldForm : public TForm {
    TK_CLASS(TFieldForm, TForm)
public:
    using TForm::TForm;
    TK_COMPONENT(TLabel, Title);
    TK_COMPONENT(TButton, Go);
    TK_HANDLER(GoClick, TObject*) { ++Clicks; }
    int Clicks = 0;
};

class TFieldFormChild : public TFieldForm {
    TK_CLASS(TFieldFormChild, TFieldForm)
public:
    using TFieldForm::TFieldForm;
    TK_COMPONENT(TEdit, Entry);
};

const TClassInfo& TFieldForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFieldForm>("TFieldForm", &TForm::StaticClass()).Build();
    return info;
}

const TClassInfo& TFieldFormChild::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TFieldFormChild>("TFieldFormChild", &TFieldForm::StaticClass()).Build();
    return info;
}

// Counts shows and hides of a form built in code.
class TShowCounter : public TObject {
public:
    int Shows = 0, Hides = 0;
    TCloseAction Action = caHide;
    void Shown(TObject*) { ++Shows; }
    void Hidden(TObject*) { ++Hides; }
    void Closing(TObject*, TCloseAction& a) { a = Action; }
};

using FormsTest = GuiTest;

TEST_F(FormsTest, StreamedFormBuildsNestedControlsAndBindsFieldsAndEvents)
{
    auto* f = new TStreamForm(nullptr);
    EXPECT_EQ(f->Name(), "StreamForm");
    EXPECT_EQ(f->Caption(), "Alarm\xA0time");
    EXPECT_EQ(f->ButtonPanel->Parent(), f);
    EXPECT_EQ(f->OkButton->Parent(), f->ButtonPanel);
    EXPECT_EQ(f->OkButton->Owner(), f);
    EXPECT_EQ(f->NameLabel->FocusControl(), f->NameEdit);
    EXPECT_EQ(f->ActiveControl(), f->NameEdit);
    EXPECT_EQ(f->Cursor(), crHandPoint);
    EXPECT_EQ(f->BorderIcons(), (TBorderIcons{biSystemMenu, biMinimize}));
    // Streaming fired no change or click events; OnCreate came after the fields were bound.
    EXPECT_EQ(f->Log, std::vector<String>{"create first"});
    // Children take the form's font and hint setting.
    EXPECT_EQ(f->NameEdit->Font()->Name(), "Arial");
    EXPECT_TRUE(f->NameEdit->ShowHint());
    std::vector<TWinControl*> order;
    f->GetTabOrderList(order);
    std::vector<TWinControl*> expected{f->NameEdit, f->Check1, f->ButtonPanel, f->CancelButton, f->OkButton};
    EXPECT_EQ(order, expected);

    f->Show();
    HWND h = f->Handle();
    char text[64] = {};
    GetWindowTextA(h, text, sizeof text);
    EXPECT_STREQ(text, "Alarm\xA0time");
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 160);
    EXPECT_EQ(f->ButtonPanel->BoundsRect(), Bounds(0, 119, 300, 41));
    EXPECT_EQ(f->Log.back(), "show");

    f->NameEdit->SetText("second");
    f->Check1->SetChecked(true);  // no change, no click
    f->Check1->SetChecked(false);
    ClickControl(f->OkButton);
    std::vector<String> tail(f->Log.end() - 3, f->Log.end());
    EXPECT_EQ(tail, (std::vector<String>{"change second", "check off", "ok 1"}));
    f->Free();
}

TEST_F(FormsTest, CrossFormReferencesResolveInEitherOrder)
{
    auto* first = new TStreamForm(nullptr);
    auto* link = new TLinkForm(nullptr);
    EXPECT_EQ(link->LinkLabel->FocusControl(), first->NameEdit);
    link->Free();
    first->Free();

    // The referring form first: the reference waits for the other form.
    link = new TLinkForm(nullptr);
    EXPECT_EQ(link->LinkLabel->FocusControl(), nullptr);
    first = new TStreamForm(nullptr);
    EXPECT_EQ(link->LinkLabel->FocusControl(), first->NameEdit);
    link->Free();
    first->Free();
}

TEST_F(FormsTest, MalformedFormFilesNameFileLineAndWordAndLoseNothing)
{
    struct Case {
        const char* Body;
        const char* Expect;
    } cases[] = {
        {"  object X: TNoSuchControl\n  end\n", "bad.form(3): Class not found 'TNoSuchControl'"},
        {"  Colour = clRed\n", "bad.form(3): Property does not exist 'Colour'"},
        {"  OnClick = NoSuchHandler\n", "bad.form(3): Handler not found 'NoSuchHandler'"},
        {"  BorderStyle = bsRound\n", "bad.form(3): Error reading BorderStyle"},
        {"  object B: TButton\n    Width = wide\n  end\n", "bad.form(4): Invalid property value 'wide'"},
        {"  object B: TButton\n    Default = perhaps\n  end\n", "bad.form(4): Error reading Default"},
        {"  Caption = 'open\n", "bad.form(3): Unterminated string 'open'"},
        {"  Caption 'x'\n", "bad.form(3): '=' expected but found 'x'"},
        {"  object B: TButton\n", "bad.form(5): Property name expected but found 'end of file'"},
    };
    for (const Case& c : cases) {
        auto* f = new TForm(nullptr);
        String text = String("object F: TForm\n  Caption = 'kept'\n") + c.Body + "end\n";
        try {
            ReadFormInto(f, text, "bad.form");
            ADD_FAILURE() << "no error for:\n" << text;
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find(c.Expect), String::npos) << e.Message() << "\nexpected: " << c.Expect;
        }
        // A syntax fault stops before anything is set; a later fault keeps what was read before
        // it, owned by the form, which frees it.
        bool syntax = String(c.Expect).find("expected") != String::npos || String(c.Expect).find("string") != String::npos;
        EXPECT_EQ(f->Caption(), syntax ? "" : "kept") << c.Expect;
        for (int i = 0; i < f->ComponentCount(); ++i)
            EXPECT_EQ(As<TControl>(f->Components(i))->Parent(), f);
        f->Free();
    }
}

TEST_F(FormsTest, DeclaredComponentsAreFilledByNameAndClassThroughTheClassChain)
{
    // Each class holds only what its own body declares; the derived class reaches the rest.
    EXPECT_EQ(TFieldForm::StaticClass().Fields.size(), 2u);
    EXPECT_EQ(TFieldForm::StaticClass().Handlers.size(), 1u);
    EXPECT_EQ(TFieldFormChild::StaticClass().Fields.size(), 1u);
    EXPECT_TRUE(TFieldFormChild::StaticClass().Handlers.empty());
    EXPECT_NE(TFieldFormChild::StaticClass().FindHandler("goclick"), nullptr);

    const String body = "  object Title: TLabel\n  end\n  object Entry: TEdit\n  end\n";
    auto* f = new TFieldFormChild(nullptr);
    ReadFormInto(f, "object F: TFieldFormChild\n" + body + "  object Go: TButton\n    OnClick = GoClick\n  end\nend\n",
                 "fields.form");
    f->InitNew();
    EXPECT_EQ(f->Title, f->FindComponent("Title"));
    EXPECT_EQ(f->Go, f->FindComponent("Go"));
    EXPECT_EQ(f->Entry, f->FindComponent("Entry"));
    f->Go->Click();
    EXPECT_EQ(f->Clicks, 1);
    f->Free();

    struct {
        const char* Go;
        const char* Fault;
    } cases[] = {
        {"", "Component Go not found: expected a TButton on TFieldFormChild"},
        {"  object Go: TLabel\n  end\n", "Component Go is not a TButton on TFieldFormChild"},
    };
    for (const auto& c : cases) {
        auto* g = new TFieldFormChild(nullptr);
        ReadFormInto(g, "object G: TFieldFormChild\n" + body + c.Go + "end\n", "fields.form");
        try {
            g->InitNew();
            ADD_FAILURE() << "no error for " << c.Fault;
        } catch (const EComponentError& e) {
            EXPECT_EQ(e.Message(), c.Fault);
        }
        g->Free();
    }
}

TEST_F(FormsTest, AFormWithoutItsFormFileFailsToConstructAndLeavesNothingBehind)
{
    int count = Screen->FormCount();
    int owned = Application->ComponentCount();
    try {
        new TNoFileForm(Application);
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Form resource TNOFILEFORM not found");
    }
    EXPECT_EQ(Screen->FormCount(), count);
    EXPECT_EQ(Application->ComponentCount(), owned);
}

TEST_F(FormsTest, OnShowFiresOnEveryHiddenToShownChange)
{
    TShowCounter counter;
    auto* f = new TForm(nullptr);
    f->OnShow = TNotifyEvent(&counter, &TShowCounter::Shown);
    f->OnHide = TNotifyEvent(&counter, &TShowCounter::Hidden);
    f->Show();
    f->Show();
    f->Hide();
    f->Show();
    EXPECT_EQ(counter.Shows, 2);
    EXPECT_EQ(counter.Hides, 1);
    // Hidden and shown from outside (ShowWindow): the form follows.
    ShowWindow(f->Handle(), SW_HIDE);
    EXPECT_FALSE(f->Visible());
    ShowWindow(f->Handle(), SW_SHOWNORMAL);
    EXPECT_TRUE(f->Visible());
    EXPECT_EQ(counter.Shows, 3);
    EXPECT_EQ(counter.Hides, 2);
    f->Free();
}

// A caption longer than a window takes at its making is cut, and the window still comes.
TEST_F(FormsTest, AFormWithATooLongCaptionStillGetsItsWindow)
{
    auto* f = new TForm(nullptr);
    const String caption(40000, 'x');
    f->SetCaption(caption);
    f->Show();
    ASSERT_TRUE(f->HandleAllocated());
    const int length = GetWindowTextLengthA(f->Handle());
    EXPECT_GT(length, 20000);
    EXPECT_LT(length, 32767);
    f->Free();
}

TEST_F(FormsTest, ShowingAFormBringsItToTheFrontOnlyWhenItIsNotThere)
{
    auto* back = new TForm(nullptr);
    back->SetBounds(40, 40, 200, 150);
    auto* front = new TForm(nullptr);
    front->SetBounds(80, 80, 200, 150);
    back->Show();
    front->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == front->Handle(); })) << "the last form shown is not in front";
    // In front already: nothing moves.
    UINT moves = 0;
    auto spy = front->WindowProc;
    struct TMoves : TObject {
        UINT* Count;
        TWndMethod Old;
        void Proc(TMessage& m)
        {
            if (m.Msg == WM_WINDOWPOSCHANGING)
                ++*Count;
            Old(m);
        }
    } watch;
    watch.Count = &moves;
    watch.Old = spy;
    front->WindowProc = TWndMethod(&watch, &TMoves::Proc);
    front->Show();
    EXPECT_EQ(moves, 0u);
    front->WindowProc = spy;
    // Behind another window: Show brings it to the front.
    back->Show();
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == back->Handle(); })) << "Show did not bring the form to the front";
    bool aboveFront = false;
    for (HWND w = GetNextWindow(back->Handle(), GW_HWNDNEXT); w; w = GetNextWindow(w, GW_HWNDNEXT))
        aboveFront = aboveFront || w == front->Handle();
    EXPECT_TRUE(aboveFront);
    front->Free();
    back->Free();
}

TEST_F(FormsTest, AlphaBlendMakesALayeredWindow)
{
    auto* f = new TForm(nullptr);
    f->SetAlphaBlend(true);
    f->SetAlphaBlendValue(128);
    f->Show();
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(f->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_TRUE(flags & LWA_ALPHA);
    f->SetAlphaBlendValue(300);  // clamped
    GetLayeredWindowAttributes(f->Handle(), nullptr, &alpha, &flags);
    EXPECT_EQ(alpha, 255);
    f->SetAlphaBlend(false);
    EXPECT_FALSE(GetWindowLongA(f->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    f->Free();
}

TEST_F(FormsTest, ClosingTheMainFormTerminatesOtherFormsHideOrFree)
{
    TShowCounter counter;
    auto* main = new TForm(nullptr);
    auto* other = new TForm(nullptr);
    TCustomForm* before = Application->MainForm();
    Application->SetMainForm(main);
    main->Show();
    other->Show();

    other->Close();  // caHide by default
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(Application->Terminated());

    main->Close();
    PumpUntil([] { return Application->Terminated(); }, 1000);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(main->Visible());
    Application->CancelTerminate();
    Application->SetMainForm(before);

    // caFree: the form goes once the queued messages are handled.
    int count = Screen->FormCount();
    other->OnClose = TCloseEvent(&counter, &TShowCounter::Closing);
    counter.Action = caFree;
    other->Show();
    other->Close();
    EXPECT_EQ(Screen->FormCount(), count);
    PumpUntil([&] { return Screen->FormCount() == count - 1; }, 1000);
    EXPECT_EQ(Screen->FormCount(), count - 1);
    main->Free();
}

TEST_F(FormsTest, ScreenListsFormsInCreationOrderAndFindsThemByName)
{
    int base = Screen->FormCount();
    auto* a = new TForm(nullptr);
    auto* b = new TStreamForm(nullptr);
    auto* c = new TForm(nullptr);
    ASSERT_EQ(Screen->FormCount(), base + 3);
    EXPECT_EQ(Screen->Forms(base), a);
    EXPECT_EQ(Screen->Forms(base + 1), b);
    EXPECT_EQ(Screen->Forms(base + 2), c);
    b->Free();
    EXPECT_EQ(Screen->Forms(base + 1), c);
    a->Free();
    c->Free();
    EXPECT_EQ(Screen->FormCount(), base);
}

TEST_F(FormsTest, ClientSizeSurvivesBorderChangesAndPositionCentres)
{
    auto* f = new TForm(nullptr);
    f->SetBorderStyle(bsDialog);
    f->SetClientWidth(200);
    f->SetClientHeight(100);
    f->SetPosition(poScreenCenter);
    f->Show();
    RECT r;
    GetClientRect(f->Handle(), &r);
    EXPECT_EQ(r.right, 200);
    EXPECT_EQ(r.bottom, 100);
    TRect area = Screen->WorkAreaRect();
    EXPECT_NEAR(f->Left() + f->Width() / 2, area.left + area.Width() / 2, 1);
    EXPECT_NEAR(f->Top() + f->Height() / 2, area.top + area.Height() / 2, 1);
    // Stay on top takes effect on the shown window.
    f->SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(GetWindowLongA(f->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    // AutoSize fits the client area to the children.
    auto* p = new TPanel(f);
    p->SetBounds(0, 0, 171, 45);
    p->SetParent(f);
    f->SetAutoSize(true);
    GetClientRect(f->Handle(), &r);
    EXPECT_EQ(r.right, 171);
    EXPECT_EQ(r.bottom, 45);
    p->SetWidth(100);
    GetClientRect(f->Handle(), &r);
    EXPECT_EQ(r.right, 100);
    f->Free();
}

}  // namespace

// Modal forms and keyboard handling: results of ShowModal, timers inside the modal loop,
// exceptions that reach the error box, dialog keys and accelerators.
#include <initializer_list>

#include "guitest.h"
#include "stdctrls.h"
#include "teststreamform.h"
#include "timer.h"

namespace {

void PostClick(TWinControl* c)
{
    PostMessageA(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(5, 5));
    PostMessageA(c->Handle(), WM_LBUTTONUP, 0, MakeMsgPoint(5, 5));
}

void PostKey(TWinControl* c, WORD vk) { PostMessageA(c->Handle(), WM_KEYDOWN, vk, 1); }

class TTicker : public TObject {
public:
    TCustomForm* Modal = nullptr;
    HWND Other = nullptr;
    int Ticks = 0;
    bool OtherDisabled = false;
    void Tick(TObject*)
    {
        if (++Ticks == 5) {
            OtherDisabled = !IsWindowEnabled(Other);
            Modal->SetModalResult(mrOk);
        }
    }
    [[noreturn]] void Boom(TObject*) { throw EInvalidOperation("boom at click"); }
    void EatEscape(TObject*, WORD& key, TShiftState)
    {
        if (key == VK_ESCAPE) {
            key = 0;
            ++Ticks;
        }
    }
};

String gBoxText;
TCustomForm* gModal = nullptr;

BOOL CALLBACK CloseIfErrorBox(HWND w, LPARAM)
{
    char cls[16] = {}, title[64] = {}, text[128] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, title, sizeof title);
    if (String(cls) != "#32770" || title != Application->Title() || !IsWindowVisible(w))
        return TRUE;
    GetDlgItemTextA(w, 0xFFFF, text, sizeof text);
    gBoxText = text;
    PostMessageA(w, WM_COMMAND, IDOK, 0);
    gModal->SetModalResult(mrAbort);
    return FALSE;
}

void CALLBACK CloseErrorBox(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), &CloseIfErrorBox, 0); }

class TFocusLog : public TObject {
public:
    std::vector<String> Log;
    void Enter(TObject* s) { Log.push_back("enter " + static_cast<TComponent*>(s)->Name()); }
    void Exit(TObject* s) { Log.push_back("exit " + static_cast<TComponent*>(s)->Name()); }
    void Watch(TWinControl* c)
    {
        c->OnEnter = TNotifyEvent(this, &TFocusLog::Enter);
        c->OnExit = TNotifyEvent(this, &TFocusLog::Exit);
    }
};

using ModalTest = GuiTest;

TEST_F(ModalTest, ShowModalReturnsTheResultOfButtonsEscapeReturnAndTheCloseBox)
{
    auto* f = new TStreamForm(nullptr);
    PostClick(f->OkButton);
    EXPECT_EQ(f->ShowModal(), mrOk);
    EXPECT_FALSE(f->Visible());
    EXPECT_EQ(f->Log.back(), "ok 1");

    PostKey(f->NameEdit, VK_ESCAPE);  // the Cancel button answers
    EXPECT_EQ(f->ShowModal(), mrCancel);
    PostKey(f->NameEdit, VK_RETURN);  // the focus is not on a button: the default one answers
    EXPECT_EQ(f->ShowModal(), mrOk);
    PostMessageA(f->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(f->ShowModal(), mrCancel);
    EXPECT_THROW(
        {
            f->Show();
            f->ShowModal();
        },
        EInvalidOperation);
    f->Free();
}

TEST_F(ModalTest, TimersOfOtherFormsTickInsideTheModalLoopWhileTheyAreDisabled)
{
    auto* other = new TForm(nullptr);
    other->Show();
    auto* modal = new TForm(nullptr);
    TTicker ticker;
    ticker.Modal = modal;
    ticker.Other = other->Handle();
    auto* timer = new TTimer(other);
    timer->SetInterval(20);
    timer->SetOnTimer(TNotifyEvent(&ticker, &TTicker::Tick));
    EXPECT_EQ(modal->ShowModal(), mrOk);
    EXPECT_EQ(ticker.Ticks, 5);
    EXPECT_TRUE(ticker.OtherDisabled);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    other->Free();
    modal->Free();
}

TEST_F(ModalTest, AnExceptionInAClickHandlerReachesTheErrorBoxAndTheLoopGoesOn)
{
    TTicker ticker;
    auto* f = new TForm(nullptr);
    auto* boom = new TButton(f);
    boom->SetParent(f);
    boom->OnClick = TNotifyEvent(&ticker, &TTicker::Boom);

    PostClick(boom);
    PostKey(boom, VK_ESCAPE);  // no Cancel button: nothing
    PostClick(boom);
    PostMessageA(f->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(f->ShowModal(), mrCancel);
    EXPECT_EQ(TakeReportedExceptions(), (std::vector<String>{"boom at click", "boom at click"}));

    // The real error box: a message box titled with the application's title, closed from a timer.
    gBoxText.clear();
    gModal = f;
    Application->OnException = nullptr;
    UINT_PTR id = SetTimer(nullptr, 0, 50, &CloseErrorBox);
    PostClick(boom);
    EXPECT_EQ(f->ShowModal(), mrAbort);
    KillTimer(nullptr, id);
    EXPECT_EQ(gBoxText, "boom at click");
    f->Free();
}

TEST_F(ModalTest, DialogKeysMoveTheFocusInTabOrderAndPressButtons)
{
    auto* f = new TStreamForm(nullptr);
    f->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == f->NameEdit->Handle(); })) << "the first control has no focus";
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), f->Check1->Handle());
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), f->CancelButton->Handle());  // inside the panel, in its tab order
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), f->OkButton->Handle());
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), f->NameEdit->Handle());
    PressKey(VK_UP);  // an edit keeps its arrows
    EXPECT_EQ(GetFocus(), f->NameEdit->Handle());
    f->OkButton->SetFocus();
    PressKey(VK_LEFT);
    EXPECT_EQ(GetFocus(), f->CancelButton->Handle());
    EXPECT_EQ(f->ActiveControl(), f->CancelButton);

    // Return presses the focused button, else the default one.
    PressKey(VK_RETURN);
    EXPECT_EQ(f->ModalResult(), mrCancel);
    f->NameEdit->SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(f->ModalResult(), mrOk);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(f->ModalResult(), mrCancel);

    // Accelerators: Alt+letter anywhere, a plain letter where the focused control takes no text.
    f->SetModalResult(mrNone);
    TypeChar('c', true);
    EXPECT_EQ(f->ModalResult(), mrCancel);
    f->OkButton->SetFocus();
    TypeChar('n', true);  // the label hands the focus to its control
    EXPECT_EQ(GetFocus(), f->NameEdit->Handle());
    f->OkButton->SetFocus();
    TypeChar('l');
    EXPECT_EQ(f->Log.back(), "check off");
    EXPECT_EQ(GetFocus(), f->Check1->Handle());

    // With KeyPreview the form sees keys first and can take them.
    TTicker ticker;
    f->SetKeyPreview(true);
    f->OnKeyDown = TKeyEvent(&ticker, &TTicker::EatEscape);
    f->SetModalResult(mrNone);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(ticker.Ticks, 1);
    EXPECT_EQ(f->ModalResult(), mrNone);
    f->Free();
}

TEST_F(ModalTest, FocusChangesExitAndEnterTheControlsAndParentsThatChangeAndTrackTheActiveForm)
{
    auto* f = new TStreamForm(nullptr);
    TFocusLog log;
    for (TWinControl* c : std::initializer_list<TWinControl*>{f->NameEdit, f->ButtonPanel, f->CancelButton, f->OkButton})
        log.Watch(c);
    f->Show();
    EXPECT_TRUE(PumpUntil([&] { return Screen->ActiveForm() == f; })) << "the shown form is not active";
    EXPECT_TRUE(f->Active());
    EXPECT_EQ(Screen->ActiveControl(), f->NameEdit);
    f->CancelButton->SetFocus();
    f->OkButton->SetFocus();
    f->NameEdit->SetFocus();
    EXPECT_EQ(log.Log, (std::vector<String>{"enter NameEdit", "exit NameEdit", "enter ButtonPanel", "enter CancelButton",
                                            "exit CancelButton", "enter OkButton", "exit OkButton", "exit ButtonPanel",
                                            "enter NameEdit"}));

    auto* other = new TForm(nullptr);
    other->Show();
    EXPECT_TRUE(PumpUntil([&] { return Screen->ActiveForm() == other; })) << "the other form is not active";
    EXPECT_FALSE(f->Active());
    other->Free();
    // Freeing the focused control leaves no trace in the form.
    f->NameEdit->Free();
    EXPECT_EQ(f->ActiveControl(), nullptr);
    EXPECT_EQ(f->FocusedControl(), nullptr);
    f->Free();
}

}  // namespace

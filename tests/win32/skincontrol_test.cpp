// The control skin base on real windows: both attachments (toolkit controls, raw windows of
// other classes, ANSI and Unicode), the message path, exact restores (also behind a later
// subclasser), the end of a window, the skinned form's list of skins and who frees what, and
// the helpers that read other classes' properties.
#include <algorithm>
#include <functional>
#include <memory>

#include "guitest.h"
#include "main.h"
#include "memo.h"
#include "skincontrol.h"
#include "skindata.h"
#include "skinform.h"
#include "skinmessages.h"
#include "stdctrls.h"

namespace {

constexpr UINT kProbe = WM_APP + 21;

enum TBiDiMode { bdLeftToRight, bdRightToLeft };
const TEnumInfo BiDiModeInfo{"TBiDiMode", {"bdLeftToRight", "bdRightToLeft"}};

struct TPress {
    TMouseButton Button;
    TShiftState Shift;
    int X, Y;
};

// A windowed control with the published properties a skin reads by name, and its presses.
class TProbeControl : public TCustomControl {
    TK_CLASS(TProbeControl, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    bool ParentBackground = true;
    TBiDiMode BiDiMode = bdLeftToRight;
    std::vector<TPress> Presses;
    void StoreWidth(int w) { StoreBounds(Left(), Top(), w, Height()); }

protected:
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override { Presses.push_back({b, s, x, y}); }
};

const TClassInfo& TProbeControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TProbeControl>("TProbeControl", &TCustomControl::StaticClass())
                                       .Prop("ParentBackground", &TProbeControl::ParentBackground)
                                       .EnumProp("BiDiMode", BiDiModeInfo, &TProbeControl::BiDiMode)
                                       .Build();
    return info;
}

// A control skin that logs what it sees of kProbe and counts its drawings.
class TProbeSkin : public TSkinControl {
public:
    TProbeSkin(TComponent* owner, int* freed = nullptr) : TSkinControl(owner), Freed(freed) {}
    ~TProbeSkin() override
    {
        if (Freed)
            ++*Freed;
    }

    bool BeforeProc(TMessage& m) override
    {
        if (m.Msg == kProbe) {
            Log.push_back("before");
            if (Consume) {
                m.Result = 7;
                return false;
            }
        }
        if (m.Msg == WM_LBUTTONDOWN && Forward) {
            ForwardMouseDown(m);
            return false;
        }
        return TSkinControl::BeforeProc(m);
    }
    void AfterProc(TMessage& m) override
    {
        if (m.Msg == kProbe)
            Log.push_back("after " + IntToStr(static_cast<int>(m.Result)));
        if (m.Msg >= CM_BASE && m.Msg < CM_BASE + 0x100)
            Seen.push_back(m.Msg);
        if (m.Msg == CN_COMMAND || m.Msg == CN_NOTIFY)
            Seen.push_back(m.Msg);
        TSkinControl::AfterProc(m);
    }
    void DrawControl(HDC, const TRect& r) override
    {
        ++Draws;
        Drawn = r;
    }
    const std::wstring& Text() const { return FText; }

    int* Freed;
    bool Consume = false;
    bool Forward = false;
    std::vector<String> Log;
    std::vector<UINT> Seen;
    int Draws = 0;
    TRect Drawn;
};

// What was there before the skin: answers kProbe with 5 and logs it into the skin's log.
class TPrevious : public TObject {
public:
    std::vector<String>* Log = nullptr;
    TWndMethod Old;
    TWindowSubclass Sub;

    void ControlProc(TMessage& m)
    {
        if (m.Msg == kProbe) {
            Log->push_back("previous");
            m.Result = 5;
            return;
        }
        Old(m);
    }
    void WindowProc(TMessage& m)
    {
        if (m.Msg == kProbe) {
            Log->push_back("previous");
            m.Result = 5;
            return;
        }
        m.Result = Sub.CallOld(m);
    }
};

WNDPROC ProcOf(HWND w)
{
    return reinterpret_cast<WNDPROC>(IsWindowUnicode(w) ? GetWindowLongPtrW(w, GWLP_WNDPROC)
                                                        : GetWindowLongPtrA(w, GWLP_WNDPROC));
}

std::wstring WideText(HWND w)
{
    wchar_t buf[64] = {};
    GetWindowTextW(w, buf, 64);
    return buf;
}

LRESULT IsSkinned(HWND w) { return SendMessageA(w, SKM_ISSKINNED, 0, 0); }

const wchar_t* const kWide = L"\u0416\u20AC wide";

class SkinControlTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Form = NewTestForm(320, 200);
        Form->SetColor(clRed);
        Form->Show();
        Data = new TSkinData(Form);
        Data->FColors[scButtonFace] = Face;
        SkinForm = new TSkinForm(nullptr);
    }
    void TearDown() override
    {
        FreeAndNil(SkinForm);
        for (HWND w : Raw)
            if (IsWindow(w))
                DestroyWindow(w);
        FreeAndNil(Form);
        GuiTest::TearDown();
    }

    HWND RawAnsi(const char* cls = "STATIC", DWORD style = WS_CHILD | WS_VISIBLE)
    {
        HWND w = CreateWindowExA(0, cls, "abc", style, 200, 10, 60, 20, Form->Handle(), nullptr, nullptr, nullptr);
        Raw.push_back(w);
        return w;
    }
    HWND RawUnicode()
    {
        HWND w = CreateWindowExW(0, L"EDIT", L"\u0416\u0436", WS_CHILD | WS_VISIBLE, 200, 40, 60, 20, Form->Handle(),
                                 nullptr, nullptr, nullptr);
        Raw.push_back(w);
        return w;
    }
    TProbeSkin* OnControl(TControl* c, bool setColor = false, int* freed = nullptr)
    {
        auto* s = new TProbeSkin(c, freed);
        s->InitControl(SkinForm, Data, SkinForm->WorkCanvas(), setColor);
        return s;
    }
    TProbeSkin* OnWindow(HWND w, int* freed = nullptr)
    {
        auto* s = new TProbeSkin(SkinForm, freed);
        s->InitHandle(w, Data, SkinForm, SkinForm->WorkCanvas());
        return s;
    }

    static constexpr TColor Face = 0x00336699;
    TForm* Form = nullptr;
    TSkinData* Data = nullptr;
    TSkinForm* SkinForm = nullptr;
    std::vector<HWND> Raw;
};

}  // namespace

TEST_F(SkinControlTest, ControlModeTakesWindowProcOrdersMessagesAndGivesItBack)
{
    auto* edit = Add<TEdit>(Form, Form, "Edit1", 10, 10, 100, 22);
    TPrevious previous;
    previous.Old = edit->WindowProc;
    const TWndMethod before(&previous, &TPrevious::ControlProc);
    edit->WindowProc = before;
    const WNDPROC proc = ProcOf(edit->Handle());

    TProbeSkin* skin = OnControl(edit);
    previous.Log = &skin->Log;
    EXPECT_TRUE(edit->WindowProc == TWndMethod(static_cast<TSkinControl*>(skin), &TSkinControl::SkinWndProc));
    EXPECT_TRUE(skin->OldWindowProc() == before);
    EXPECT_EQ(skin->Handle(), edit->Handle());
    EXPECT_EQ(skin->State(), TSkinControl::stAttached);
    EXPECT_EQ(ProcOf(edit->Handle()), proc);  // the window procedure is not touched
    EXPECT_EQ(SkinForm->SkinControlCount(), 1);
    EXPECT_EQ(IsSkinned(edit->Handle()), 1);

    EXPECT_EQ(edit->Perform(kProbe), 5);
    EXPECT_EQ(skin->Log, (std::vector<String>{"before", "previous", "after 5"}));
    skin->Log.clear();
    skin->Consume = true;
    EXPECT_EQ(edit->Perform(kProbe), 7);
    EXPECT_EQ(skin->Log, std::vector<String>{"before"});

    // Switched off, everything reaches the previous handler unchanged; on again, it repaints.
    for (WPARAM off : {WPARAM(0), static_cast<WPARAM>(-1)}) {
        skin->Log.clear();
        SendMessageA(edit->Handle(), SKM_ENABLE, off, 0);
        EXPECT_FALSE(skin->Active());
        EXPECT_EQ(edit->Perform(kProbe), 5);
        EXPECT_EQ(IsSkinned(edit->Handle()), 0);
        EXPECT_EQ(skin->Log, std::vector<String>{"previous"});
    }
    const int draws = skin->Draws;
    SendMessageA(edit->Handle(), SKM_ENABLE, 1, 0);
    EXPECT_TRUE(skin->Active());
    EXPECT_GT(skin->Draws, draws);
    EXPECT_EQ(skin->Drawn, Rect(0, 0, edit->Width(), edit->Height()));

    // Attaching again changes nothing.
    skin->InitControl(SkinForm, Data, SkinForm->WorkCanvas(), true);
    EXPECT_FALSE(skin->SetsColor());
    EXPECT_EQ(SkinForm->SkinControlCount(), 1);

    skin->Free();
    EXPECT_TRUE(edit->WindowProc == before);
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
    EXPECT_EQ(edit->ComponentCount(), 0);
    EXPECT_EQ(IsSkinned(edit->Handle()), 0);
    edit->WindowProc = previous.Old;
}

TEST_F(SkinControlTest, HandleModeOnAnsiAndUnicodeWindowsAndExactRestore)
{
    auto* edit = Add<TEdit>(Form, Form, "Edit1", 10, 10, 100, 22);
    edit->SetText("abc");
    HWND wide = RawUnicode();
    ASSERT_TRUE(IsWindowUnicode(wide));
    for (HWND w : {edit->Handle(), RawAnsi(), wide}) {
        const bool unicode = w == wide;
        const WNDPROC original = ProcOf(w);
        TProbeSkin* skin = OnWindow(w);
        EXPECT_EQ(skin->Unicode(), IsWindowUnicode(w) != FALSE);
        EXPECT_EQ(skin->Text(), unicode ? L"\u0416\u0436" : L"abc");
        EXPECT_EQ(ProcOf(w), skin->ObjectInstance());
        EXPECT_EQ(skin->OldWndProc(), original);
        EXPECT_EQ(skin->Control(), nullptr);
        EXPECT_EQ(IsSkinned(w), 1);
        // Text reaches a Unicode window's own procedure as the wide text it is.
        if (unicode) {
            SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kWide));
            EXPECT_EQ(WideText(w), kWide);
        } else {
            SetWindowTextA(w, "plain");
            EXPECT_EQ(WideText(w), L"plain");
        }
        skin->Free();
        EXPECT_EQ(ProcOf(w), original);
        EXPECT_EQ(IsSkinned(w), 0);
    }
    EXPECT_EQ(edit->GetText(), "plain");  // the toolkit control still works

    // A handle that is no window attaches nothing.
    TProbeSkin* none = OnWindow(reinterpret_cast<HWND>(0x1234));
    EXPECT_FALSE(none->Attached());
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
}

TEST_F(SkinControlTest, HandleModeMessageOrderThroughTheWindowProcedure)
{
    HWND w = RawAnsi();
    TPrevious previous;
    TProbeSkin* skin = nullptr;
    std::vector<String> log;
    previous.Log = &log;
    previous.Sub.Install(w, TWndMethod(&previous, &TPrevious::WindowProc), false);
    skin = OnWindow(w);
    previous.Log = &skin->Log;
    EXPECT_EQ(SendMessageA(w, kProbe, 0, 0), 5);
    EXPECT_EQ(skin->Log, (std::vector<String>{"before", "previous", "after 5"}));
    skin->Free();
    EXPECT_EQ(ProcOf(w), previous.Sub.Proc());
}

TEST_F(SkinControlTest, ALaterSubclasserKeepsWorkingAndEverythingComesBack)
{
    HWND w = RawUnicode();
    const WNDPROC original = ProcOf(w);
    TProbeSkin* skin = OnWindow(w);
    const WNDPROC skinThunk = skin->ObjectInstance();
    TPrevious later;
    std::vector<String> log;
    later.Log = &log;
    later.Sub.Install(w, TWndMethod(&later, &TPrevious::WindowProc), true);

    skin->Free();  // not in front: its thunk stays in the chain as a forwarder
    EXPECT_EQ(ProcOf(w), later.Sub.Proc());
    SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kWide));
    EXPECT_EQ(WideText(w), kWide);
    EXPECT_EQ(SendMessageW(w, kProbe, 0, 0), 5);
    EXPECT_EQ(IsSkinned(w), 0);
    later.Sub.Restore();
    EXPECT_EQ(ProcOf(w), skinThunk);  // the forwarder is in front again ...
    SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"next"));
    EXPECT_EQ(ProcOf(w), original);  // ... and gives the window back at the next message
    SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"back"));
    EXPECT_EQ(WideText(w), L"back");
}

TEST_F(SkinControlTest, AWindowThatGoesLeavesItsSkinInStateSix)
{
    int freed = 0;
    HWND w = RawAnsi();
    TProbeSkin* handleSkin = OnWindow(w, &freed);
    auto* edit = Add<TEdit>(Form, Form, "Edit1", 10, 10, 100, 22);
    const TWndMethod original = edit->WindowProc;
    TProbeSkin* controlSkin = OnControl(edit, true, &freed);
    EXPECT_EQ(edit->Color(), Face);

    DestroyWindow(w);
    EXPECT_EQ(handleSkin->State(), TSkinControl::stDestroyed);
    EXPECT_FALSE(handleSkin->Active());
    // The control's window goes and comes back: the skin saw it go and gives nothing back to
    // the dead window, but the control keeps the skin's WindowProc until the skin is freed.
    edit->RecreateWnd();
    EXPECT_EQ(controlSkin->State(), TSkinControl::stDestroyed);
    EXPECT_FALSE(controlSkin->Active());
    EXPECT_EQ(edit->Color(), Face);
    EXPECT_TRUE(edit->WindowProc == TWndMethod(static_cast<TSkinControl*>(controlSkin), &TSkinControl::SkinWndProc));

    SkinForm->PurgeSkinControls();
    EXPECT_EQ(freed, 2);
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
    EXPECT_TRUE(edit->WindowProc == original);
    edit->SetText("still works");
    EXPECT_EQ(WindowText(edit->Handle()), "still works");
}

TEST_F(SkinControlTest, TheSkinnedFormListsItsSkinsAndFreesEachOnce)
{
    int freed = 0;
    auto* edit = Add<TEdit>(Form, Form, "Edit1", 10, 10, 100, 22);
    auto* memo = Add<TMemo>(Form, Form, "Memo1", 10, 40, 100, 60);
    const TColor editColor = edit->Color();
    TProbeSkin* a = OnControl(edit, true, &freed);
    HWND raw = RawAnsi();
    const WNDPROC rawProc = ProcOf(raw);
    TProbeSkin* b = OnWindow(raw, &freed);
    EXPECT_TRUE(SkinForm->AddSkinControl(a));
    EXPECT_EQ(SkinForm->SkinControlCount(), 2);
    EXPECT_EQ(SkinForm->SkinControls(1), b);
    EXPECT_EQ(SkinForm->FindSkinControl(raw), b);
    EXPECT_EQ(SkinForm->FindSkinControl(edit->Handle()), a);
    EXPECT_EQ(SkinForm->FindSkinControl(edit), a);
    EXPECT_EQ(SkinForm->FindSkinControl(static_cast<HWND>(nullptr)), nullptr);
    EXPECT_EQ(SkinForm->FindSkinControl(memo), nullptr);

    // Unskinned and freed; the control's own skin also leaves the control's components.
    SkinForm->FreeSkinControls();
    EXPECT_EQ(freed, 2);
    EXPECT_EQ(edit->Color(), editColor);
    EXPECT_EQ(edit->ComponentCount(), 0);
    EXPECT_EQ(ProcOf(raw), rawProc);

    // While the window is being destroyed nothing is unskinned, only freed.
    a = OnControl(edit, true, &freed);
    SkinForm->SetLifeState(TSkinForm::lsDestroying);
    SkinForm->FreeSkinControls();
    EXPECT_EQ(freed, 3);
    EXPECT_EQ(edit->Color(), Face);
    SkinForm->SetLifeState(TSkinForm::lsSkinned);

    // A control freed first takes its skin along and out of the list; the form that goes
    // frees what is left.
    OnControl(memo, false, &freed);
    OnWindow(RawAnsi(), &freed);
    memo->Free();
    EXPECT_EQ(freed, 4);
    EXPECT_EQ(SkinForm->SkinControlCount(), 1);
    FreeAndNil(SkinForm);
    EXPECT_EQ(freed, 5);
    edit->Free();
    EXPECT_EQ(freed, 5);
}

TEST_F(SkinControlTest, ParentBackgroundAndParentColour)
{
    auto* on = Add<TProbeControl>(Form, Form, "Probe1", 10, 10, 60, 30);
    auto* off = Add<TProbeControl>(Form, Form, "Probe2", 10, 50, 60, 30);
    off->ParentBackground = false;
    TProbeSkin* a = OnControl(on, true);
    TProbeSkin* b = OnControl(off, true);
    EXPECT_FALSE(on->ParentBackground);
    EXPECT_EQ(a->Mode(), 1);
    EXPECT_FALSE(off->ParentBackground);
    EXPECT_EQ(b->Mode(), 0);
    a->Unskin();
    b->Unskin();
    EXPECT_TRUE(on->ParentBackground);
    EXPECT_FALSE(off->ParentBackground);

    // With xoParentBackGround the property is never touched.
    auto* kept = Add<TProbeControl>(Form, Form, "Probe3", 10, 90, 60, 30);
    Data->SetOptions(Data->Options() + TSkinOptions{xoParentBackGround});
    OnControl(kept, true);
    EXPECT_TRUE(kept->ParentBackground);

    EXPECT_EQ(a->GetParentColor(clBlue), clRed);
    TProbeSkin loose(nullptr);
    EXPECT_EQ(loose.GetParentColor(clBlue), clBlue);
}

TEST_F(SkinControlTest, PropertyHelpersOnToolkitClasses)
{
    using S = TSkinControl;
    auto* edit = Add<TEdit>(Form, Form, "Edit1", 10, 10, 100, 22);
    auto* memo = Add<TMemo>(Form, Form, "Memo1", 10, 40, 100, 60);
    edit->SetMaxLength(12);
    EXPECT_EQ(S::GetIntPropByName(edit, "MaxLength"), 12);
    EXPECT_EQ(S::GetIntPropByName(edit, "Color"), edit->Color());
    EXPECT_EQ(S::GetIntPropByName(edit, "ReadOnly"), -1);  // not an integer
    EXPECT_EQ(S::GetIntPropByName(edit, "NumButtons"), -1);
    EXPECT_EQ(S::GetIntPropByName(nullptr, "MaxLength"), -1);

    String text = "stale";
    memo->SetScrollBars(ssVertical);
    S::GetEnumPropText(memo, "ScrollBars", text);
    EXPECT_EQ(text, "ssVertical");
    S::GetEnumPropText(memo, "ReadOnly", text);
    EXPECT_EQ(text, "False");
    S::GetEnumPropText(memo, "Nothing", text);
    EXPECT_EQ(text, "");

    std::wstring wide = L"stale";
    edit->SetText("Text \xC4");
    S::GetWidePropText(edit, "Text", wide);
    EXPECT_EQ(wide, L"Text \u00C4");
    S::GetWidePropText(edit, "Tag", wide);
    EXPECT_EQ(wide, L"");

    EXPECT_EQ(S::GetObjectPropByName(memo, "Lines", &TStrings::StaticClass()), memo->Lines());
    EXPECT_EQ(S::GetObjectPropByName(memo, "Lines", &TComponent::StaticClass()), nullptr);
    EXPECT_EQ(S::GetObjectPropByName(memo, "Font", nullptr), memo->Font());
    EXPECT_EQ(S::GetObjectPropByName(edit, "Lines", nullptr), nullptr);

    S::SetPropText(edit, "MaxLength", "30");
    S::SetPropText(memo, "Alignment", "taCenter");
    S::SetPropText(memo, "ReadOnly", "True");
    S::SetPropText(edit, "Text", "set by name");
    S::SetPropText(edit, "Nothing", "1");
    S::SetPropText(nullptr, "Text", "x");
    S::SetPropText(memo, "Lines", "x");  // an object: nothing
    EXPECT_EQ(edit->MaxLength(), 30);
    EXPECT_EQ(memo->Alignment(), taCenter);
    EXPECT_TRUE(memo->ReadOnly());
    EXPECT_EQ(edit->GetText(), "set by name");
    EXPECT_THROW(S::SetPropText(edit, "MaxLength", "many"), EConvertError);
}

TEST_F(SkinControlTest, PressesReachTheControlAndReadingOrderFollowsBiDiMode)
{
    auto* c = Add<TProbeControl>(Form, Form, "Probe1", 10, 10, 60, 30);
    TProbeSkin* skin = OnControl(c);
    skin->Forward = true;
    SendMessageA(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 6));
    ASSERT_EQ(c->Presses.size(), 1u);
    EXPECT_EQ(c->Presses[0].Button, mbLeft);
    EXPECT_EQ(c->Presses[0].Shift, (TShiftState{ssLeft, ssShift}));
    EXPECT_EQ(c->Presses[0].X, 5);
    EXPECT_EQ(c->Presses[0].Y, 6);

    // Wider than a message coordinate can say (windows stop at 32767, the control's size need
    // not): the cursor's own client position.
    c->StoreWidth(40060);
    SetCursorPos(30, 70);
    SendMessageA(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    ASSERT_EQ(c->Presses.size(), 2u);
    const TPoint expected = c->ScreenToClient(TPoint(30, 70));
    EXPECT_EQ(c->Presses[1].X, expected.x);
    EXPECT_EQ(c->Presses[1].Y, expected.y);

    EXPECT_EQ(skin->AddRTLReading(DT_CENTER), UINT(DT_CENTER));
    c->BiDiMode = bdRightToLeft;
    EXPECT_EQ(skin->AddRTLReading(DT_CENTER), UINT(DT_CENTER | DT_RTLREADING));
}

TEST_F(SkinControlTest, TheToolkitsNotificationsReachAControlSkin)
{
    auto* edit = Add<TEdit>(Form, Form, "Edit1", 10, 10, 100, 22);
    auto* other = Add<TEdit>(Form, Form, "Edit2", 10, 40, 100, 22);
    TProbeSkin* skin = OnControl(edit);
    edit->SetFocus();
    other->SetFocus();
    edit->SetEnabled(false);
    edit->SetVisible(false);
    edit->SetVisible(true);
    Application->MouseOver(edit);
    Application->MouseOver(nullptr);
    SendMessageA(Form->Handle(), WM_COMMAND, MAKEWPARAM(1, EN_CHANGE), reinterpret_cast<LPARAM>(edit->Handle()));
    NMHDR header{edit->Handle(), 1, static_cast<UINT>(NM_CLICK)};
    SendMessageA(Form->Handle(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));
    for (UINT m : {CM_EXIT, CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_MOUSEENTER, CM_MOUSELEAVE, CN_COMMAND, CN_NOTIFY})
        EXPECT_NE(std::find(skin->Seen.begin(), skin->Seen.end(), m), skin->Seen.end()) << std::hex << m;
    EXPECT_TRUE(edit->Is<TCustomEdit>());
    EXPECT_TRUE(As<TMemo>(Add<TMemo>(Form, Form, "Memo1", 10, 70, 100, 60))->Is<TCustomEdit>());
    EXPECT_FALSE(Add<TButton>(Form, Form, "Button1", 10, 140, 60, 22)->Is<TCustomEdit>());
}

TEST_F(SkinControlTest, IsPopupWindow)
{
    HWND owner = Form->Handle();
    HWND popup = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
    HWND child = RawAnsi();
    HWND onDesktop = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, GetDesktopWindow(), nullptr, nullptr,
                                     nullptr);
    Raw.insert(Raw.end(), {popup, onDesktop});
    EXPECT_TRUE(IsPopupWindow(popup));
    EXPECT_FALSE(IsPopupWindow(child));
    EXPECT_EQ(GetParent(onDesktop), GetDesktopWindow());
    EXPECT_TRUE(IsPopupWindow(onDesktop));
}

// A test skin attaches to every windowed control of the main window in both modes and leaves
// each exactly as it found it.
TEST_F(SkinControlTest, EveryControlOfTheMainWindowInBothModes)
{
    Application->CreateForm(Form1);
    std::vector<TWinControl*> controls;
    std::function<void(TWinControl*)> collect = [&](TWinControl* parent) {
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* w = As<TWinControl>(parent->Controls(i))) {
                controls.push_back(w);
                collect(w);
            }
    };
    collect(Form1);
    ASSERT_GT(controls.size(), 10u);
    for (TWinControl* c : controls) {
        SCOPED_TRACE(c->Name());
        HWND h = c->Handle();
        const TWndMethod windowProc = c->WindowProc;
        const WNDPROC proc = ProcOf(h);
        const TColor color = c->Color();
        const String text = WindowText(h);

        OnControl(c, true);
        EXPECT_EQ(IsSkinned(h), 1);
        EXPECT_EQ(c->Color(), Face);
        SkinForm->FreeSkinControls();  // unskinned, then freed
        EXPECT_TRUE(c->WindowProc == windowProc);
        EXPECT_EQ(c->Color(), color);

        TProbeSkin* skin = OnWindow(h);
        EXPECT_EQ(IsSkinned(h), 1);
        EXPECT_EQ(WindowText(h), text);
        skin->Free();
        EXPECT_EQ(ProcOf(h), proc);
        EXPECT_EQ(IsSkinned(h), 0);
    }
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
    FreeAndNil(Form1);
    Application->SetMainForm(nullptr);
}

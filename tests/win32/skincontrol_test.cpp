// The control skin base on real windows: both attachments (toolkit controls, raw windows of
// other classes, ANSI and Unicode), the message path, exact restores (also behind a later
// subclasser), the end of a window, the skinned form's list of skins and who frees what, and
// the helpers that read other classes' properties.
#include <algorithm>
#include <functional>

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

// A windowed control with the published properties a skin reads by name; logs its presses.
class TProbeControl : public TCustomControl {
    TK_CLASS(TProbeControl, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    bool ParentBackground = true;
    std::vector<TPoint> Presses;
    void StoreSize(int w, int h) { StoreBounds(Left(), Top(), w, h); }

protected:
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        if (b == mbLeft && s == TShiftState{ssLeft, ssShift})
            Presses.push_back(TPoint(x, y));
    }
};

const TClassInfo& TProbeControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TProbeControl>("TProbeControl", &TCustomControl::StaticClass())
                                       .Prop("ParentBackground", &TProbeControl::ParentBackground)
                                       .Build();
    return info;
}

// A control skin that logs kProbe, sees the toolkit's notifications and counts its drawings.
class TProbeSkin : public TSkinControl {
public:
    TProbeSkin(TComponent* owner, int* freed) : TSkinControl(owner), Freed(freed) {}
    ~TProbeSkin() override
    {
        if (Freed)
            ++*Freed;
    }
    bool BeforeProc(TMessage& m) override
    {
        if (m.Msg == kProbe) {
            Log.push_back("before");
            if (Fail > 1)
                CallDefault(m);
            if (Fail > 0)
                throw EInvalidOperation("skin failed");
            m.Result = 7;
            return !Consume;
        }
        if (m.Msg == WM_LBUTTONDOWN) {
            ForwardMouseDown(m);
            return false;
        }
        return TSkinControl::BeforeProc(m);
    }
    void AfterProc(TMessage& m) override
    {
        if (m.Msg == kProbe)
            Log.push_back("after " + IntToStr(static_cast<int>(m.Result)));
        Seen.push_back(m.Msg);
        TSkinControl::AfterProc(m);
    }
    void DrawControl(HDC, const TRect& r) override
    {
        ++Draws;
        Drawn = r;
    }
    const std::wstring& Text() const { return FText; }
    bool Saw(UINT msg) const { return std::find(Seen.begin(), Seen.end(), msg) != Seen.end(); }

    int* Freed;
    bool Consume = false;
    int Fail = 0;  // 1: throws; 2: passes the message on, then throws
    std::vector<String> Log;
    std::vector<UINT> Seen;
    int Draws = 0;
    TRect Drawn;
};

// What was there before the skin: answers kProbe with 5 and logs it.
class TPrevious : public TObject {
public:
    std::vector<String>* Log = nullptr;
    TWndMethod Old;
    TWindowSubclass Sub;

    void ControlProc(TMessage& m)
    {
        if (!Answer(m))
            Old(m);
    }
    void WindowProc(TMessage& m)
    {
        if (!Answer(m))
            m.Result = Sub.CallOld(m);
    }

private:
    bool Answer(TMessage& m)
    {
        if (m.Msg != kProbe)
            return false;
        Log->push_back("previous");
        m.Result = 5;
        return true;
    }
};

std::wstring WideText(HWND w)
{
    wchar_t buf[64] = {};
    GetWindowTextW(w, buf, 64);
    return buf;
}

LRESULT IsSkinned(HWND w) { return SendMessageA(w, SKM_ISSKINNED, 0, 0); }

const wchar_t* const kWide = L"\u0416\u20AC wide";
const std::vector<String> kInOrder{"before", "previous", "after 5"};

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

    HWND RawWindow(bool unicode)
    {
        HWND w = unicode ? CreateWindowExW(0, L"EDIT", L"\u0416\u0436", WS_CHILD | WS_VISIBLE, 200, 40, 60, 20,
                                           Form->Handle(), nullptr, nullptr, nullptr)
                         : CreateWindowExA(0, "STATIC", "abc", WS_CHILD | WS_VISIBLE, 200, 10, 60, 20,
                                           Form->Handle(), nullptr, nullptr, nullptr);
        Raw.push_back(w);
        return w;
    }
    template <class T>
    T* Control(int top) { return Add<T>(Form, Form, "", 10, top, 100, 22); }
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
    static TWndMethod SkinProc(TSkinControl* s) { return TWndMethod(s, &TSkinControl::SkinWndProc); }

    static constexpr TColor Face = 0x00336699;
    TForm* Form = nullptr;
    TSkinData* Data = nullptr;
    TSkinForm* SkinForm = nullptr;
    std::vector<HWND> Raw;
};

}  // namespace

TEST_F(SkinControlTest, ControlModeTakesWindowProcOrdersMessagesAndGivesItBack)
{
    auto* edit = Control<TEdit>(10);
    TPrevious previous;
    previous.Old = edit->WindowProc;
    const TWndMethod before(&previous, &TPrevious::ControlProc);
    edit->WindowProc = before;
    const WNDPROC proc = ProcOf(edit->Handle());

    TProbeSkin* skin = OnControl(edit);
    previous.Log = &skin->Log;
    EXPECT_TRUE(edit->WindowProc == SkinProc(skin));
    EXPECT_EQ(skin->Handle(), edit->Handle());
    EXPECT_EQ(ProcOf(edit->Handle()), proc);  // the window procedure is not touched
    EXPECT_EQ(SkinForm->SkinControlCount(), 1);
    EXPECT_EQ(IsSkinned(edit->Handle()), 1);
    EXPECT_EQ(edit->Perform(kProbe), 5);
    EXPECT_EQ(skin->Log, kInOrder);
    skin->Log.clear();
    skin->Consume = true;
    EXPECT_EQ(edit->Perform(kProbe), 7);
    EXPECT_EQ(skin->Log, std::vector<String>{"before"});
    // A failing skin is silent, and the control still gets the message, once.
    for (int fail : {1, 2}) {
        skin->Log.clear();
        skin->Fail = fail;
        EXPECT_EQ(edit->Perform(kProbe), 5);
        EXPECT_EQ(skin->Log, (std::vector<String>{"before", "previous"}));
    }
    skin->Fail = 0;

    // Switched off, everything reaches the previous handler unchanged; on again, it repaints.
    for (WPARAM off : {WPARAM(0), static_cast<WPARAM>(-1)}) {
        skin->Log.clear();
        SendMessageA(edit->Handle(), SKM_ENABLE, off, 0);
        EXPECT_EQ(edit->Perform(kProbe), 5);
        EXPECT_EQ(IsSkinned(edit->Handle()), 0);
        EXPECT_EQ(skin->Log, std::vector<String>{"previous"});
    }
    const int draws = skin->Draws;
    SendMessageA(edit->Handle(), SKM_ENABLE, 1, 0);
    EXPECT_TRUE(skin->Active());
    EXPECT_GT(skin->Draws, draws);
    EXPECT_EQ(skin->Drawn, Rect(0, 0, edit->Width(), edit->Height()));
    skin->InitControl(SkinForm, Data, SkinForm->WorkCanvas(), true);  // a second time: nothing
    EXPECT_FALSE(skin->SetsColor());

    skin->Free();
    EXPECT_TRUE(edit->WindowProc == before);
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
    EXPECT_EQ(edit->ComponentCount(), 0);
    edit->WindowProc = previous.Old;
}

TEST_F(SkinControlTest, HandleModeOnAnsiAndUnicodeWindowsAndExactRestore)
{
    auto* edit = Control<TEdit>(10);
    edit->SetText("abc");
    HWND wide = RawWindow(true);
    ASSERT_TRUE(IsWindowUnicode(wide));
    for (HWND w : {edit->Handle(), RawWindow(false), wide}) {
        const WNDPROC original = ProcOf(w);
        TPrevious previous;
        previous.Sub.Install(w, TWndMethod(&previous, &TPrevious::WindowProc), IsWindowUnicode(w));
        TProbeSkin* skin = OnWindow(w);
        previous.Log = &skin->Log;
        EXPECT_EQ(skin->Unicode(), IsWindowUnicode(w) != FALSE);
        EXPECT_EQ(skin->Text(), w == wide ? L"\u0416\u0436" : L"abc");
        EXPECT_EQ(ProcOf(w), skin->ObjectInstance());
        EXPECT_EQ(skin->OldWndProc(), previous.Sub.Proc());
        EXPECT_EQ(SendMessageA(w, kProbe, 0, 0), 5);
        EXPECT_EQ(skin->Log, kInOrder);
        EXPECT_EQ(IsSkinned(w), 1);
        SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w == wide ? kWide : L"plain"));
        EXPECT_EQ(WideText(w), w == wide ? kWide : L"plain");
        skin->Free();
        previous.Sub.Restore();
        EXPECT_EQ(ProcOf(w), original);
        EXPECT_EQ(IsSkinned(w), 0);
    }
    EXPECT_EQ(edit->GetText(), "plain");
    EXPECT_FALSE(OnWindow(reinterpret_cast<HWND>(0x1234))->Attached());
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
}

TEST_F(SkinControlTest, ALaterSubclasserKeepsWorkingAndEverythingComesBack)
{
    HWND w = RawWindow(true);
    const WNDPROC original = ProcOf(w);
    TProbeSkin* skin = OnWindow(w);
    const WNDPROC skinThunk = skin->ObjectInstance();
    TPrevious later;
    later.Sub.Install(w, TWndMethod(&later, &TPrevious::WindowProc), true);
    skin->Free();  // not in front: its thunk stays in the chain as a forwarder
    EXPECT_EQ(ProcOf(w), later.Sub.Proc());
    SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kWide));
    EXPECT_EQ(WideText(w), kWide);
    EXPECT_EQ(IsSkinned(w), 0);
    later.Sub.Restore();
    EXPECT_EQ(ProcOf(w), skinThunk);  // the forwarder is in front again ...
    SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"next"));
    EXPECT_EQ(ProcOf(w), original);  // ... and gives the window back at the next message
    EXPECT_EQ(WideText(w), L"next");
}

TEST_F(SkinControlTest, AWindowThatGoesLeavesItsSkinsInStateSix)
{
    int freed = 0;
    auto* first = Control<TEdit>(10);
    auto* second = Control<TEdit>(40);
    const TWndMethod original = first->WindowProc;
    TProbeSkin* controlSkin = OnControl(first, true, &freed);
    TProbeSkin* handleSkin = OnWindow(second->Handle(), &freed);
    // Both windows go and come back: the skins saw them go and give nothing back to a dead
    // window; the control keeps the skin's WindowProc until the skin is freed.
    first->RecreateWnd();
    second->RecreateWnd();
    for (TProbeSkin* s : {controlSkin, handleSkin}) {
        EXPECT_EQ(s->State(), TSkinControl::stDestroyed);
        EXPECT_FALSE(s->Active());
    }
    EXPECT_EQ(first->Color(), Face);  // not written back
    EXPECT_TRUE(first->WindowProc == SkinProc(controlSkin));
    SkinForm->PurgeSkinControls();
    EXPECT_EQ(freed, 2);
    EXPECT_EQ(SkinForm->SkinControlCount(), 0);
    EXPECT_TRUE(first->WindowProc == original);
    second->SetText("still works");
    EXPECT_EQ(WindowText(second->Handle()), "still works");
}

TEST_F(SkinControlTest, TheSkinnedFormListsItsSkinsAndFreesEachOnce)
{
    int freed = 0;
    auto* edit = Control<TEdit>(10);
    auto* memo = Control<TMemo>(40);
    const TColor editColor = edit->Color();
    HWND raw = RawWindow(false);
    const WNDPROC rawProc = ProcOf(raw);
    TProbeSkin* a = OnControl(edit, true, &freed);
    TProbeSkin* b = OnWindow(raw, &freed);
    EXPECT_TRUE(SkinForm->AddSkinControl(a));
    EXPECT_EQ(SkinForm->SkinControls(1), b);
    EXPECT_EQ(SkinForm->FindSkinControl(raw), b);
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
    OnControl(edit, true, &freed);
    SkinForm->SetLifeState(TSkinForm::lsDestroying);
    SkinForm->FreeSkinControls();
    EXPECT_EQ(freed, 3);
    EXPECT_EQ(edit->Color(), Face);
    // A control freed first takes its skin along and out of the list; the skinned form that
    // goes frees what is left; nothing is freed twice.
    OnControl(memo, false, &freed);
    OnWindow(RawWindow(false), &freed);
    memo->Free();
    EXPECT_EQ(freed, 4);
    EXPECT_EQ(SkinForm->SkinControlCount(), 1);
    FreeAndNil(SkinForm);
    edit->Free();
    EXPECT_EQ(freed, 5);
}

TEST_F(SkinControlTest, ParentBackgroundColourPressesAndReadingOrder)
{
    auto* on = Control<TProbeControl>(10);
    auto* off = Control<TProbeControl>(40);
    auto* kept = Control<TProbeControl>(70);
    off->ParentBackground = false;
    TProbeSkin* a = OnControl(on, true);
    TProbeSkin* b = OnControl(off, true);
    EXPECT_FALSE(on->ParentBackground);
    EXPECT_EQ(a->Mode(), 1);
    EXPECT_EQ(b->Mode(), 0);
    a->Unskin();
    b->Unskin();
    EXPECT_TRUE(on->ParentBackground);
    EXPECT_FALSE(off->ParentBackground);
    Data->SetOptions(Data->Options() + TSkinOptions{xoParentBackGround});
    OnControl(kept, true);
    EXPECT_TRUE(kept->ParentBackground);  // never touched with xoParentBackGround
    EXPECT_EQ(a->GetParentColor(clBlue), clRed);
    EXPECT_EQ(TSkinControl(nullptr).GetParentColor(clBlue), clBlue);

    SendMessageA(on->Handle(), SKM_ENABLE, 1, 0);
    SendMessageA(on->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 6));
    // Wider than a message coordinate can say (a window stops at 32767, the control need not):
    // the cursor's own client position.
    const int width = on->Width(), height = on->Height();
    SetCursorPos(30, 70);
    for (auto [w, h] : {std::pair{40060, height}, {width, 40060}}) {
        on->StoreSize(w, h);
        SendMessageA(on->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(1, 1));
    }
    const TPoint cursor = on->ScreenToClient(TPoint(30, 70));
    EXPECT_EQ(on->Presses, (std::vector<TPoint>{TPoint(5, 6), cursor, cursor}));

    EXPECT_EQ(a->AddRTLReading(DT_CENTER), UINT(DT_CENTER));
    on->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(a->AddRTLReading(DT_CENTER), UINT(DT_CENTER | DT_RTLREADING));
    // Only bdRightToLeft: the other right-to-left modes add nothing.
    on->SetBiDiMode(bdRightToLeftNoAlign);
    EXPECT_EQ(a->AddRTLReading(DT_CENTER), UINT(DT_CENTER));
}

TEST_F(SkinControlTest, PropertyHelpersOnToolkitClasses)
{
    using S = TSkinControl;
    auto* edit = Control<TEdit>(10);
    auto* memo = Control<TMemo>(40);
    edit->SetMaxLength(12);
    memo->SetScrollBars(ssVertical);
    edit->SetText("Text \xC4");
    EXPECT_EQ(S::GetIntPropByName(edit, "MaxLength"), 12);
    EXPECT_EQ(S::GetIntPropByName(edit, "Color"), edit->Color());
    for (const char* absent : {"ReadOnly", "NumButtons"})  // not an integer, not there
        EXPECT_EQ(S::GetIntPropByName(edit, absent), -1);
    EXPECT_EQ(S::GetIntPropByName(nullptr, "MaxLength"), -1);
    String text = "stale";
    const std::pair<const char*, const char*> enums[] = {{"ScrollBars", "ssVertical"}, {"ReadOnly", "False"}, {"Nothing", ""}};
    for (auto [name, value] : enums) {
        S::GetEnumPropText(memo, name, text);
        EXPECT_EQ(text, value);
    }
    std::wstring wide = L"stale";
    S::GetWidePropText(edit, "Text", wide);
    EXPECT_EQ(wide, L"Text \u00C4");
    S::GetWidePropText(edit, "Tag", wide);
    EXPECT_EQ(wide, L"");
    EXPECT_EQ(S::GetObjectPropByName(memo, "Lines", &TStrings::StaticClass()), memo->Lines());
    EXPECT_EQ(S::GetObjectPropByName(memo, "Lines", &TComponent::StaticClass()), nullptr);
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

TEST_F(SkinControlTest, ToolkitNotificationsEditsAndPopupWindows)
{
    auto* edit = Control<TEdit>(10);
    auto* other = Control<TEdit>(40);
    TProbeSkin* skin = OnControl(edit);
    // Focus and enabled state show at once: the skin repaints before the call returns.
    int draws = skin->Draws;
    for (const std::function<void()>& change : std::initializer_list<std::function<void()>>{
             [&] { edit->SetFocus(); }, [&] { other->SetFocus(); }, [&] { edit->SetEnabled(false); }}) {
        change();
        EXPECT_GT(skin->Draws, draws);
        draws = skin->Draws;
    }
    // A window known by handle has no toolkit notification: WM_ENABLE alone repaints it.
    HWND raw = RawWindow(false);
    TProbeSkin* rawSkin = OnWindow(raw);
    draws = rawSkin->Draws;
    EnableWindow(raw, FALSE);
    EXPECT_GT(rawSkin->Draws, draws);
    edit->SetVisible(false);
    Application->MouseOver(edit);
    Application->MouseOver(nullptr);
    SendMessageA(Form->Handle(), WM_COMMAND, MAKEWPARAM(1, EN_CHANGE), reinterpret_cast<LPARAM>(edit->Handle()));
    NMHDR header{edit->Handle(), 1, static_cast<UINT>(NM_CLICK)};
    SendMessageA(Form->Handle(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));
    for (UINT m : {CM_EXIT, CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_MOUSEENTER, CM_MOUSELEAVE, CN_COMMAND, CN_NOTIFY})
        EXPECT_TRUE(skin->Saw(m)) << std::hex << m;
    EXPECT_TRUE(Control<TMemo>(70)->Is<TCustomEdit>());
    EXPECT_FALSE(Control<TButton>(100)->Is<TCustomEdit>());

    HWND popup = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, Form->Handle(), nullptr, nullptr, nullptr);
    HWND onDesktop = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, GetDesktopWindow(), nullptr, nullptr,
                                     nullptr);
    Raw.insert(Raw.end(), {popup, onDesktop});
    EXPECT_TRUE(IsPopupWindow(popup));
    EXPECT_FALSE(IsPopupWindow(RawWindow(false)));
    ASSERT_EQ(GetParent(onDesktop), GetDesktopWindow());
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
        OnWindow(h);
        EXPECT_EQ(IsSkinned(h), 1);
        EXPECT_EQ(WindowText(h), text);
        SkinForm->FreeSkinControls();
        EXPECT_EQ(ProcOf(h), proc);
        EXPECT_EQ(IsSkinned(h), 0);
    }
    FreeAndNil(Form1);
    Application->SetMainForm(nullptr);
}

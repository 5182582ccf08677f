// Brenlow.dll as Quistal meets it: loaded by name, each export called, each dialog found among
// the thread's windows and answered with posted clicks, keys and the close box from a thread
// timer that the library's modal loop keeps ticking. Also the export table of the built file.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "brenlow.h"
#include "gradientbutton.h"
#include "guitest.h"
#include "pixeltest.h"
#include "timer.h"

namespace {

HMODULE Library()
{
    static HMODULE lib = LoadLibraryA("Brenlow.dll");
    return lib;
}

template <class F>
F* Export(F*, const char* name)
{
    return reinterpret_cast<F*>(GetProcAddress(Library(), name));
}
#define BRENLOW(name) Export(static_cast<decltype(&::name)>(nullptr), #name)

// ---------------------------------------------------------------- answering the dialogs

using TStep = std::function<void(HWND dialog)>;

// A dialog the test waits for (by its form's window class) and one step a timer tick for it.
struct TAnswer {
    String WindowClass;
    std::vector<TStep> Steps;
    size_t Next = 0;
    bool Busy = false;  // a step of it is running (and may have started a nested dialog)
};

std::vector<std::shared_ptr<TAnswer>> gAnswers;
DWORD gDeadline = 0;

String ClassOf(HWND w)
{
    char buf[128] = {};
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

HWND VisibleThreadWindow(const String& cls)
{
    struct Search {
        const String* Class;
        HWND Found;
    } s{&cls, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) WINAPI -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (IsWindowVisible(w) && ClassOf(w) == *s->Class)
                s->Found = w;
            return s->Found == nullptr;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.Found;
}

void CloseEverything()
{
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM) WINAPI -> BOOL {
            if (IsWindowVisible(w))
                PostMessageA(w, WM_CLOSE, 0, 0);
            return TRUE;
        },
        0);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    try {
        if (HWND box = VisibleThreadWindow("#32770")) {
            ADD_FAILURE() << "the library showed an error box: " << WindowText(box);
            PostMessageA(box, WM_CLOSE, 0, 0);
        }
        if (gDeadline && GetTickCount() > gDeadline) {
            ADD_FAILURE() << "a dialog was not answered in time";
            gDeadline = 0;
            CloseEverything();
        }
        for (std::shared_ptr<TAnswer> a : std::vector(gAnswers)) {
            HWND dialog = a->Busy || a->Next >= a->Steps.size() ? nullptr : VisibleThreadWindow(a->WindowClass);
            if (!dialog)
                continue;
            a->Busy = true;
            TStep step = a->Steps[a->Next++];
            step(dialog);
            a->Busy = false;
        }
    } catch (const std::exception& e) {
        ADD_FAILURE() << "a step failed: " << e.what();
    }
}

void Answer(const String& windowClass, std::vector<TStep> steps)
{
    auto a = std::make_shared<TAnswer>();
    a->WindowClass = windowClass;
    a->Steps = std::move(steps);
    gAnswers.push_back(a);
}

// Runs an export call while the timer answers its dialog; every expected step must have run
// within `deadline` milliseconds.
template <class F>
auto Call(F&& call, DWORD deadline = 10000)
{
    gDeadline = GetTickCount() + deadline;
    auto result = call();
    gDeadline = 0;
    for (const auto& a : gAnswers)
        EXPECT_EQ(a->Next, a->Steps.size()) << "steps left for " << a->WindowClass;
    gAnswers.clear();
    return result;
}

HWND Child(HWND dialog, const String& cls, const char* text = nullptr)
{
    struct Search {
        const String* Class;
        const char* Text;
        HWND Found;
    } s{&cls, text, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM p) WINAPI -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (ClassOf(w) == *s->Class && (!s->Text || WindowText(w) == s->Text))
                s->Found = w;
            return s->Found == nullptr;
        },
        reinterpret_cast<LPARAM>(&s));
    if (!s.Found)
        ADD_FAILURE() << "no " << cls << " " << (text ? text : "") << " in " << WindowText(dialog);
    return s.Found;
}
HWND Button(HWND dialog, const char* caption) { return Child(dialog, "TGradientButton", caption); }

void Click(HWND w)
{
    RECT r;
    GetClientRect(w, &r);
    LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(w, WM_LBUTTONUP, 0, at);
}
TStep ClickOn(const char* caption)
{
    return [caption](HWND d) { Click(Button(d, caption)); };
}
// A key to the window with the focus (the dialog itself when nothing in it has the focus).
TStep Press(WORD vk)
{
    return [vk](HWND d) {
        HWND target = GetFocus() && (GetFocus() == d || IsChild(d, GetFocus())) ? GetFocus() : d;
        LPARAM scan = MapVirtualKeyA(vk, 0) << 16;
        PostMessageA(target, WM_KEYDOWN, vk, 1 | scan);
        PostMessageA(target, WM_KEYUP, vk, 1 | scan | 0xC0000000);
    };
}
const TStep CloseBox = [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); };
// Alt held down or let go, as this thread's key state tells the keys read after it.
TStep HoldAlt(bool down)
{
    return [down](HWND) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_MENU] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    };
}

SIZE ClientSize(HWND w)
{
    RECT r;
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}
LONG WindowHeight(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return r.bottom - r.top;
}

// Rows of a client rectangle in which something other than the face colour is painted.
int InkedRows(HWND w, RECT r)
{
    UpdateWindow(w);
    HDC dc = GetDC(w);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    int rows = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (GetPixel(dc, x, y) != face) {
                ++rows;
                break;
            }
    ReleaseDC(w, dc);
    return rows;
}
const RECT kMessageLabel{48, 8, 313, 81};
// The 32 x 32 picture left of the message (lower in the tip).
void ExpectIcon(HWND d, int top = 8) { EXPECT_GT(InkedRows(d, {8, top, 40, top + 32}), 20) << "no icon"; }

std::vector<String> ComboItems(HWND combo)
{
    std::vector<String> items;
    for (int i = 0, n = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0)); i < n; ++i) {
        String s(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)), '\0');
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(s.data()));
        items.push_back(s);
    }
    return items;
}

// A pixel of a gradient button's face between its caption and its focus rectangle.
TColor FaceTop(HWND button)
{
    UpdateWindow(button);
    return WindowPixel(button, 20, 8);
}

// The same pixel of a 75 x 25 button of that colour scheme made here.
TColor SchemeTop(TColorScheme scheme)
{
    TOwnedObject<TForm> form(NewTestForm(100, 40));
    auto* b = Add<TGradientButton>(form.Get(), form.Get(), "Sample", 0, 0, 75, 25);
    b->SetColorScheme(scheme);
    form->Show();
    return FaceTop(b->Handle());
}

class BrenlowTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        ASSERT_NE(Library(), nullptr) << "Brenlow.dll not loaded: error " << GetLastError();
        FTimer = SetTimer(nullptr, 0, 40, &Tick);
    }
    void TearDown() override
    {
        KillTimer(nullptr, FTimer);
        gAnswers.clear();
        GuiTest::TearDown();
    }
    UINT_PTR FTimer = 0;
};

// ---------------------------------------------------------------- the export table

TEST_F(BrenlowTest, ExportsTheEightNamesWithTheirOrdinals)
{
    auto* base = reinterpret_cast<const BYTE*>(Library());
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* exp = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto* names = reinterpret_cast<const DWORD*>(base + exp->AddressOfNames);
    auto* ordinals = reinterpret_cast<const WORD*>(base + exp->AddressOfNameOrdinals);
    std::map<String, DWORD> table;
    for (DWORD i = 0; i < exp->NumberOfNames; ++i)
        table[reinterpret_cast<const char*>(base + names[i])] = exp->Base + ordinals[i];
    const std::map<String, DWORD> expected{{"Editor", 1}, {"UIInput", 2}, {"UIShowSelect", 3}, {"UIShowTip", 4},
                                           {"UIAskYesNo", 5}, {"UIStop", 6}, {"UIInfo", 7}, {"UIWarn", 8}};
    EXPECT_EQ(table, expected);
    EXPECT_EQ(exp->NumberOfFunctions, 8u);
    for (const auto& [name, ordinal] : expected)
        EXPECT_EQ(GetProcAddress(Library(), MAKEINTRESOURCEA(ordinal)), GetProcAddress(Library(), name.c_str())) << name;
}

// ---------------------------------------------------------------- the exports

TEST_F(BrenlowTest, MessageDialogsShowTheirTextsAndAnswerTrueHoweverClosed)
{
    const char* text = "The sound file could not be played. Check that it exists and that it is a wav or mp3 "
                       "file this computer can play.";
    Answer("TFWarn", {[&](HWND d) {
                          EXPECT_EQ(WindowText(d), "Velmora");
                          EXPECT_EQ(ClientSize(d).cx, 319);
                          EXPECT_EQ(ClientSize(d).cy, 133);
                          EXPECT_TRUE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
                          EXPECT_FALSE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
                          EXPECT_GT(InkedRows(d, kMessageLabel), 30) << "three wrapped lines";
                          ExpectIcon(d);
                      },
                      ClickOn("Understood")});
    EXPECT_TRUE(Call([&] { return BRENLOW(UIWarn)("Velmora", text, "Understood"); }));

    Answer("TFInfo", {[](HWND d) {
                          EXPECT_LT(InkedRows(d, kMessageLabel), 20) << "one line";
                          ExpectIcon(d);
                      },
                      Press(VK_RETURN)});
    EXPECT_TRUE(Call([] { return BRENLOW(UIInfo)("Info", "Alarm set.", "Fine"); }));
    Answer("TFSTop", {[](HWND d) { ExpectIcon(d); }, Press(VK_SPACE)});
    EXPECT_TRUE(Call([] { return BRENLOW(UIStop)("Stop", "Stopped.", "Close"); }));
    Answer("TFWarn", {CloseBox});
    EXPECT_TRUE(Call([] { return BRENLOW(UIWarn)("Warn", "Closed by the box.", "OK"); }));
    Answer("TFInfo", {Press(VK_ESCAPE)});  // a message closes on Escape like on its close box
    EXPECT_TRUE(Call([] { return BRENLOW(UIInfo)("Info", "Closed by Escape.", "OK"); }));
}

TEST_F(BrenlowTest, AskYesNoAnswersSixSevenOrTwo)
{
    auto ask = [] { return BRENLOW(UIAskYesNo)("Velmora", "Quit Velmora?", "Yes", "No"); };
    Answer("TFYesNoi", {[](HWND d) {
                            EXPECT_FALSE(GetWindowLongA(Button(d, "Yes"), GWL_STYLE) & WS_TABSTOP);
                            EXPECT_FALSE(GetWindowLongA(Button(d, "No"), GWL_STYLE) & WS_TABSTOP);
                            ExpectIcon(d);
                        },
                        ClickOn("Yes")});
    EXPECT_EQ(Call(ask), 6);
    Answer("TFYesNoi", {ClickOn("No")});
    EXPECT_EQ(Call(ask), 7);
    Answer("TFYesNoi", {Press(VK_ESCAPE)});
    EXPECT_EQ(Call(ask), 7);
    Answer("TFYesNoi", {CloseBox});
    EXPECT_EQ(Call(ask), 2);
}

TEST_F(BrenlowTest, InputHandsBackTheTextOrAnEmptyOne)
{
    const char* value = nullptr;
    auto input = [&] { return BRENLOW(UIInput)("Note", "What should it say?", "Its Time to...", "OK", "Cancel", &value); };
    Answer("TFInput", {[](HWND d) {
                           HWND edit = Child(d, "Edit");
                           EXPECT_EQ(WindowText(edit), "Its Time to...");
                           EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 255);
                           EXPECT_EQ(GetFocus(), edit);
                           ExpectIcon(d);
                           SendMessageA(edit, EM_SETSEL, 0, -1);
                           for (char c : String("Tea \xE9"))
                               PostMessageA(edit, WM_CHAR, static_cast<BYTE>(c), 1);
                       },
                       Press(VK_RETURN)});
    EXPECT_EQ(Call(input), 1);
    ASSERT_NE(value, nullptr);
    EXPECT_STREQ(value, "Tea \xE9");

    // Escape, the cancel button and the close box leave an empty text, not a null pointer.
    for (auto [step, result] : {std::pair{Press(VK_ESCAPE), 7}, {ClickOn("Cancel"), 7}, {CloseBox, 2}}) {
        Answer("TFInput", {step});
        EXPECT_EQ(Call(input), result);
        ASSERT_NE(value, nullptr);
        EXPECT_STREQ(value, "");
    }
    // Alt+Escape is not Escape: the dialog stays until Escape comes alone.
    Answer("TFInput", {HoldAlt(true), Press(VK_ESCAPE), HoldAlt(false), Press(VK_ESCAPE)});
    EXPECT_EQ(Call(input), 7);
    HoldAlt(false)(nullptr);
    Answer("TFInput", {ClickOn("OK")});
    EXPECT_EQ(Call([] { return BRENLOW(UIInput)("Note", "", "unseen", "OK", "Cancel", nullptr); }), 1);
}

TEST_F(BrenlowTest, SelectSplitsItemsOnEveryBackslash)
{
    const char* selected = "stale";
    auto select = [&](const char* items) {
        return Call([&] { return BRENLOW(UIShowSelect)("Pick", "Which one?", items, "OK", "Cancel", &selected); });
    };
    struct Case {
        const char* Items;
        std::vector<String> Expected;
    };
    for (const Case& c : {Case{"Tea\\Coffee", {"Tea", "Coffee"}}, Case{"a\\\\b", {"a", "", "b"}}, Case{"a\\", {"a"}},
                          Case{"\\\\\\", {"", "", ""}}, Case{"one", {"one"}}}) {
        Answer("TFSelect", {[&](HWND d) {
                                HWND combo = Child(d, "ComboBox");
                                EXPECT_EQ(ComboItems(combo), c.Expected) << c.Items;
                                EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
                                EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), 16);
                                ExpectIcon(d);
                            },
                            Press(VK_RETURN)});
        EXPECT_TRUE(select(c.Items));
        ASSERT_NE(selected, nullptr);
        EXPECT_EQ(String(selected), c.Expected[0]);
    }

    Answer("TFSelect", {[](HWND d) { EXPECT_EQ(SendMessageA(Child(d, "ComboBox"), CB_GETCURSEL, 0, 0), CB_ERR); },
                        ClickOn("OK")});
    EXPECT_TRUE(select(""));
    ASSERT_NE(selected, nullptr);
    EXPECT_STREQ(selected, "");

    Answer("TFSelect", {[](HWND d) { SendMessageA(Child(d, "ComboBox"), CB_SETCURSEL, 2, 0); }, ClickOn("OK")});
    EXPECT_TRUE(select("Default Windows\\Standar\\MacOS"));
    EXPECT_STREQ(selected, "MacOS");

    for (const TStep& cancel : {ClickOn("Cancel"), Press(VK_ESCAPE), CloseBox}) {
        Answer("TFSelect", {cancel});
        EXPECT_FALSE(select("Tea\\Coffee"));
        EXPECT_EQ(selected, nullptr);
    }
}

// Each dialog's buttons wear its colour scheme.
TEST_F(BrenlowTest, EachDialogsButtonsWearItsColourScheme)
{
    struct Case {
        const char* Form;
        TColorScheme Scheme;
        const char* Button;
        std::function<int()> Show;
    };
    const Case cases[] = {
        {"TFWarn", csNeoDesert, "B", [] { return int(BRENLOW(UIWarn)("", "", "B")); }},
        {"TFInfo", csNeoGrass, "B", [] { return int(BRENLOW(UIInfo)("", "", "B")); }},
        {"TFSTop", csNeoSilver, "B", [] { return int(BRENLOW(UIStop)("", "", "B")); }},
        {"TFYesNoi", csNeoRose, "Y", [] { return BRENLOW(UIAskYesNo)("", "", "Y", "N"); }},
        {"TFTip", csNeoSun, "B", [] { return int(BRENLOW(UIShowTip)("", "", "B", "")); }},
        {"TFSelect", csNeoSky, "B", [] { return int(BRENLOW(UIShowSelect)("", "", "", "B", "C", nullptr)); }},
        {"TFInput", csNeoRose, "B", [] { return BRENLOW(UIInput)("", "", "", "B", "C", nullptr); }},
        {"TForm3", csNeoDesert, "OK!", [] { return BRENLOW(Editor)("", ""); }},
    };
    MoveMouseTo(5, 5);  // away from the dialogs: their buttons show their normal colours
    for (const Case& c : cases) {
        const TColor want = SchemeTop(c.Scheme);
        Answer(c.Form, {[&](HWND d) { EXPECT_EQ(FaceTop(Button(d, c.Button)), want) << c.Form; }, CloseBox});
        Call(c.Show);
    }
}

TEST_F(BrenlowTest, TipOpensCollapsedAndTogglesItsDetails)
{
    Answer("TFTip", {[](HWND d) {
                         EXPECT_EQ(ClientSize(d).cy, 143);
                         ExpectIcon(d, 16);
                         RECT r;
                         GetWindowRect(Child(d, "RichEdit20A"), &r);
                         MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
                         EXPECT_GE(r.top, ClientSize(d).cy) << "the details start below the edge";
                         Click(Button(d, "More >>"));
                     },
                     [](HWND d) {
                         EXPECT_EQ(WindowHeight(d), 340);
                         EXPECT_EQ(WindowText(Child(d, "RichEdit20A")), "Line one\r\nLine two");
                         Click(Button(d, "<< More"));
                     },
                     [](HWND d) {
                         EXPECT_EQ(WindowHeight(d), 169);
                         Click(Button(d, "More >>"));
                     },
                     [](HWND d) { EXPECT_EQ(WindowHeight(d), 340); }, ClickOn("Thanks")});
    EXPECT_TRUE(Call([] { return BRENLOW(UIShowTip)("Tip", "Hide it in the tray.", "Thanks", "Line one\r\nLine two"); }));
}

TEST_F(BrenlowTest, EditorShowsTheNoteReadOnlyAboveOtherWindows)
{
    String note(1 << 20, 'x');
    for (size_t i = 0; i < note.size(); i += 80)
        note.replace(i, 2, "\r\n");
    Answer("TForm3", {[&](HWND d) {
                          EXPECT_TRUE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
                          EXPECT_EQ(WindowText(d), "Caf\xE9 \xA0\xFF");
                          HWND memo = Child(d, "Edit");
                          EXPECT_TRUE(GetWindowLongA(memo, GWL_STYLE) & ES_READONLY);
                          EXPECT_EQ(WindowText(memo), note);
                      },
                      ClickOn("OK!")});
    // A megabyte of note takes a while on a busy machine.
    EXPECT_EQ(Call([&] { return BRENLOW(Editor)(note.c_str(), "Caf\xE9 \xA0\xFF"); }, 60000), 1);
    Answer("TForm3", {CloseBox});
    EXPECT_EQ(Call([] { return BRENLOW(Editor)(nullptr, nullptr); }), 2);
}

TEST_F(BrenlowTest, NullArgumentsReadAsEmptyTexts)
{
    Answer("TFWarn", {[](HWND d) {
                          EXPECT_EQ(WindowText(d), "");
                          EXPECT_EQ(InkedRows(d, kMessageLabel), 0);
                          Click(Button(d, ""));
                      }});
    EXPECT_TRUE(Call([] { return BRENLOW(UIWarn)(nullptr, nullptr, nullptr); }));
    Answer("TFYesNoi", {Press(VK_ESCAPE)});
    EXPECT_EQ(Call([] { return BRENLOW(UIAskYesNo)(nullptr, nullptr, nullptr, nullptr); }), 7);
    Answer("TFTip", {Press(VK_RETURN)});
    EXPECT_TRUE(Call([] { return BRENLOW(UIShowTip)(nullptr, nullptr, nullptr, nullptr); }));
    Answer("TFSelect", {Press(VK_RETURN)});
    EXPECT_TRUE(Call([] { return BRENLOW(UIShowSelect)(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }));
    Answer("TFInput", {[](HWND d) { EXPECT_EQ(WindowText(Child(d, "Edit")), ""); }, Press(VK_RETURN)});
    EXPECT_EQ(Call([] { return BRENLOW(UIInput)(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }), 1);
}

TEST_F(BrenlowTest, AnswersStayReadableAcrossOtherCalls)
{
    const char* value = nullptr;
    const char* selected = nullptr;
    Answer("TFInput", {Press(VK_RETURN)});
    Call([&] { return BRENLOW(UIInput)("A", "", "first", "OK", "Cancel", &value); });
    Answer("TFSelect", {Press(VK_RETURN)});
    Call([&] { return BRENLOW(UIShowSelect)("B", "", "Tea\\Coffee", "OK", "Cancel", &selected); });
    const char* cancelled = nullptr;
    Answer("TFInput", {Press(VK_ESCAPE)});
    Call([&] { return BRENLOW(UIInput)("C", "", "second", "OK", "Cancel", &cancelled); });
    EXPECT_STREQ(value, "first");
    EXPECT_STREQ(selected, "Tea");
    EXPECT_STREQ(cancelled, "");
}

// The library's loop is the whole thread's: the caller's timers tick, its windows wait disabled,
// a dialog opened meanwhile stacks on top, and a quit request still reaches the caller's loop.
TEST_F(BrenlowTest, TheCallersThreadGoesOnAroundADialog)
{
    auto* form = new TForm(nullptr);
    form->SetBounds(10, 10, 200, 100);
    form->Show();
    int ticks = 0;
    struct Counter : TObject {
        int* N;
        void Tick(TObject*) { ++*N; }
    } counter;
    counter.N = &ticks;
    auto* timer = new TTimer(form);
    timer->SetInterval(30);
    timer->SetOnTimer(TNotifyEvent(&counter, &Counter::Tick));
    Answer("TFYesNoi", {[&](HWND) { EXPECT_FALSE(IsWindowEnabled(form->Handle())); },
                        [](HWND) { EXPECT_TRUE(BRENLOW(UIInfo)("Nested", "On top", "OK")); },
                        [](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {}, ClickOn("Yes")});
    Answer("TFInfo", {[](HWND d) { EXPECT_TRUE(IsWindowVisible(VisibleThreadWindow("TFYesNoi"))); }, ClickOn("OK")});
    EXPECT_EQ(Call([] { return BRENLOW(UIAskYesNo)("Outer", "Below", "Yes", "No"); }), 6);
    EXPECT_GE(ticks, 4);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    form->Free();

    PostQuitMessage(0);
    EXPECT_TRUE(Call([] { return BRENLOW(UIWarn)("Quitting", "", "OK"); }));
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request is the caller's";
    Answer("TFWarn", {ClickOn("OK")});
    EXPECT_TRUE(Call([] { return BRENLOW(UIWarn)("After", "", "OK"); }));
}

}  // namespace

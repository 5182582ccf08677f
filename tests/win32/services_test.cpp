// The toolkit's services on real windows, timers and registry keys: method-bound window
// procedures, utility windows, TTimer, TRegistry, and the date-time text the clock shows.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "classes.h"
#include "formfile.h"
#include "forms.h"
#include "guitest.h"
#include "objinstance.h"
#include "registry.h"
#include "subclass.h"
#include "timer.h"

namespace {

BOOL CALLBACK CollectUtilWindow(HWND wnd, LPARAM param)
{
    char name[32] = {};
    GetClassNameA(wnd, name, sizeof name);
    if (std::strcmp(name, "TPUtilWindow") == 0)
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(wnd);
    return TRUE;
}

std::vector<HWND> UtilWindows()
{
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectUtilWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

constexpr UINT kAsk = WM_APP + 7;

// Answers kAsk itself and hands everything else to whatever came before it.
class TProbe : public TObject {
public:
    HWND Wnd = nullptr;
    WNDPROC Old = nullptr;
    TWindowSubclass* Hook = nullptr;
    LRESULT Answer = 0;

    void WndProc(TMessage& m)
    {
        if (m.Msg == kAsk)
            m.Result = Answer;
        else if (Hook)
            m.Result = Hook->CallOld(m);
        else
            m.Result = Old ? CallWindowProcA(Old, Wnd, m.Msg, m.WParam, m.LParam)
                           : DefWindowProcA(Wnd, m.Msg, m.WParam, m.LParam);
    }
};

HWND NewStatic()
{
    return CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
}

// Sets a STATIC's text through whatever procedures are in front of its own and reads it back.
String TextThrough(HWND wnd, const char* text)
{
    SetWindowTextA(wnd, text);
    char buf[64] = {};
    GetWindowTextA(wnd, buf, sizeof buf);
    return buf;
}

}  // namespace

TEST(ObjectInstance, ThunkServesAsWindowProcedureAndIsRestored)
{
    HWND wnd = NewStatic();
    TProbe probe;
    probe.Wnd = wnd;
    probe.Answer = 42;
    WNDPROC thunk = MakeObjectInstance(TWndMethod(&probe, &TProbe::WndProc));
    probe.Old = reinterpret_cast<WNDPROC>(SetWindowLongA(wnd, GWL_WNDPROC, reinterpret_cast<LONG>(thunk)));
    EXPECT_EQ(SendMessageA(wnd, kAsk, 0, 0), 42);
    EXPECT_EQ(TextThrough(wnd, "chained"), "chained");
    SetWindowLongA(wnd, GWL_WNDPROC, reinterpret_cast<LONG>(probe.Old));
    FreeObjectInstance(thunk);
    EXPECT_EQ(SendMessageA(wnd, kAsk, 0, 0), 0);
    DestroyWindow(wnd);

    // Many instances spread over several blocks each call their own object; slots are reused.
    std::vector<std::unique_ptr<TProbe>> probes;
    std::vector<WNDPROC> thunks;
    for (int i = 0; i < 300; ++i) {
        probes.push_back(std::make_unique<TProbe>());
        probes.back()->Answer = 1000 + i;
        thunks.push_back(MakeObjectInstance(TWndMethod(probes.back().get(), &TProbe::WndProc)));
    }
    FreeObjectInstance(thunks[150]);
    thunks[150] = MakeObjectInstance(TWndMethod(probes[150].get(), &TProbe::WndProc));
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(CallWindowProcA(thunks[i], nullptr, kAsk, 0, 0), 1000 + i);
    for (WNDPROC t : thunks)
        FreeObjectInstance(t);
    EXPECT_THROW(FreeObjectInstance(thunks[3]), EInvalidOperation);  // twice
    EXPECT_THROW(FreeObjectInstance(reinterpret_cast<WNDPROC>(&CollectUtilWindow)), EInvalidOperation);
}

TEST(ObjectInstance, ThunksRunFromPagesNobodyCanWriteAndOwnersLetGoQuietly)
{
    TProbe probe;
    probe.Answer = 5;
    TObjectInstance instance(TWndMethod(&probe, &TProbe::WndProc));
    MEMORY_BASIC_INFORMATION page{};
    ASSERT_NE(VirtualQuery(reinterpret_cast<void*>(instance.Proc()), &page, sizeof page), 0u);
    EXPECT_EQ(page.Protect, static_cast<DWORD>(PAGE_EXECUTE_READ));
    EXPECT_EQ(CallWindowProcA(instance.Proc(), nullptr, kAsk, 0, 0), 5);

    // An instance given back behind its owner's back: the owner's reset must not throw.
    FreeObjectInstance(instance.Proc());
    instance.Reset();
    EXPECT_FALSE(instance);
}

TEST(ObjectInstance, HooksRestoreInAnyOrder)
{
    HWND wnd = NewStatic();
    TProbe first, second;
    first.Answer = 1;
    second.Answer = 2;
    WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongA(wnd, GWL_WNDPROC));
    {
        TWindowSubclass hook;
        hook.Install(wnd, TWndMethod(&first, &TProbe::WndProc), false);
        first.Hook = &hook;
        EXPECT_EQ(SendMessageA(wnd, kAsk, 0, 0), 1);
        EXPECT_THROW(hook.Install(wnd, TWndMethod(&first, &TProbe::WndProc), false), EInvalidOperation);
    }
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongA(wnd, GWL_WNDPROC)), original);

    // The inner hook goes first: the outer one still reaches the original procedure through it,
    // and nothing calls the freed inner object.
    auto inner = std::make_unique<TWindowSubclass>();
    inner->Install(wnd, TWndMethod(&first, &TProbe::WndProc), false);
    first.Hook = inner.get();
    TWindowSubclass outer;
    outer.Install(wnd, TWndMethod(&second, &TProbe::WndProc), false);
    second.Hook = &outer;
    EXPECT_EQ(SendMessageA(wnd, kAsk, 0, 0), 2);
    inner.reset();
    EXPECT_EQ(TextThrough(wnd, "still chained"), "still chained");
    outer.Restore();
    EXPECT_EQ(SendMessageA(wnd, kAsk, 0, 0), 0);
    EXPECT_EQ(TextThrough(wnd, "after both"), "after both");
    DestroyWindow(wnd);
}

TEST(ObjectInstance, AllocateHWndGivesAHiddenTopLevelWindow)
{
    TProbe probe;
    probe.Answer = 7;
    HWND wnd = AllocateHWnd(TWndMethod(&probe, &TProbe::WndProc));
    probe.Wnd = wnd;
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(GetAncestor(wnd, GA_PARENT), GetDesktopWindow());  // not under HWND_MESSAGE
    EXPECT_EQ(SendMessageA(wnd, kAsk, 0, 0), 7);
    EXPECT_EQ(UtilWindows(), std::vector<HWND>{wnd});
    HWND other = NewStatic();
    EXPECT_THROW(DeallocateHWnd(other), EInvalidOperation);
    DestroyWindow(other);
    DeallocateHWnd(wnd);
    EXPECT_FALSE(IsWindow(wnd));
    {
        TUtilWindow owned(TWndMethod(&probe, &TProbe::WndProc));
        wnd = owned.Handle();
        EXPECT_TRUE(IsWindow(wnd));
    }
    EXPECT_FALSE(IsWindow(wnd));
}

namespace {

// Lets its own window go from inside that window's message, then makes a new thunk there.
class TLetGoInside : public TObject {
public:
    HWND Wnd = nullptr;
    WNDPROC MadeDuring = nullptr;
    void WndProc(TMessage& m)
    {
        if (m.Msg != kAsk) {
            m.Result = DefWindowProcA(Wnd, m.Msg, m.WParam, m.LParam);
            return;
        }
        DeallocateHWnd(Wnd);
        MadeDuring = MakeObjectInstance(TWndMethod(this, &TLetGoInside::WndProc));
        m.Result = 9;
    }
};

}  // namespace

// The thunk a running call came through is not handed to anybody else (nor its page freed)
// before that call has returned.
TEST(ObjectInstance, AWindowLetGoInsideItsOwnMessageKeepsItsThunkUntilTheCallReturns)
{
    TLetGoInside owner;
    owner.Wnd = AllocateHWnd(TWndMethod(&owner, &TLetGoInside::WndProc));
    const auto thunk = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(owner.Wnd, GWLP_WNDPROC));
    EXPECT_EQ(SendMessageA(owner.Wnd, kAsk, 0, 0), 9);
    EXPECT_FALSE(IsWindow(owner.Wnd));
    EXPECT_NE(owner.MadeDuring, thunk);
    WNDPROC after = MakeObjectInstance(TWndMethod(&owner, &TLetGoInside::WndProc));
    EXPECT_EQ(after, thunk);
    FreeObjectInstance(after);
    FreeObjectInstance(owner.MadeDuring);
}

// ---- TTimer ----

namespace {

class TTickCounter : public TComponent {
    TK_CLASS(TTickCounter, TComponent)
public:
    using TComponent::TComponent;
    int Count = 0;
    TTimer* FreeOnTick = nullptr;
    void (*Also)(TTickCounter*) = nullptr;

    void Tick(TObject*)
    {
        ++Count;
        FreeAndNil(FreeOnTick);
        if (Also)
            Also(this);
    }
    TK_HANDLER(Timer1Timer, TObject* sender) { Tick(sender); }
};

const TClassInfo& TTickCounter::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTickCounter>("TTickCounter", &TComponent::StaticClass()).Build();
    return info;
}

TTimer* NewTimer(TComponent* owner, TTickCounter& counter, int interval)
{
    auto* t = new TTimer(owner);
    t->SetInterval(interval);
    t->SetOnTimer(TNotifyEvent(&counter, &TTickCounter::Tick));
    return t;
}

TTickCounter* gInner = nullptr;
int gInnerTicksWhileNested = 0;

}  // namespace

TEST(Timer, TicksAtItsIntervalAndRestartsOnlyOnIntervalChange)
{
    TComponent owner(nullptr);
    TTickCounter fast(nullptr), steady(nullptr), restarted(nullptr);
    NewTimer(&owner, fast, 50);
    TTimer* s = NewTimer(&owner, steady, 150);
    TTimer* r = NewTimer(&owner, restarted, 300);
    // Five 50 ms ticks come long before the default second would give one.
    EXPECT_TRUE(PumpUntil([&] { return fast.Count >= 5; })) << "no ticks at 50 ms";
    // Enabled again at every poll (at most 50 ms apart), a running 150 ms timer still ticks.
    EXPECT_TRUE(PumpUntil([&] { return s->SetEnabled(true), steady.Count >= 2; })) << "enabling restarted the period";
    // A new interval starts the period again: half a period in, 301 ms from then on.
    const DWORD started = GetTickCount();
    PumpUntil([&] { return GetTickCount() - started >= 150; });
    const int before = restarted.Count;
    const DWORD changed = GetTickCount();
    r->SetInterval(301);
    ASSERT_TRUE(PumpUntil([&] { return restarted.Count > before; })) << "no tick after the new interval";
    EXPECT_GE(GetTickCount() - changed, 301u - 20) << "the new interval did not restart the period";
    r->SetInterval(40);
    EXPECT_TRUE(PumpUntil([&] { return restarted.Count >= before + 6; })) << "no ticks at 40 ms";
}

TEST(Timer, TicksInsideANestedLoop)
{
    TComponent owner(nullptr);
    TTickCounter outer(nullptr), inner(nullptr);
    gInner = &inner;
    TTimer* o = NewTimer(&owner, outer, 30);
    NewTimer(&owner, inner, 50);
    outer.Also = [](TTickCounter* self) {
        if (self->Count != 1)
            return;
        const int before = gInner->Count;
        PumpUntil([&] { return gInner->Count >= before + 3; });  // a modal loop inside a handler
        gInnerTicksWhileNested = gInner->Count - before;
    };
    EXPECT_TRUE(PumpUntil([&] { return gInnerTicksWhileNested > 0; })) << "the outer handler's loop never ended";
    o->SetEnabled(false);
    EXPECT_GE(gInnerTicksWhileNested, 3);
}

TEST(Timer, FreedInItsOwnHandlerAndSharedWindowFollowsTheLastTimer)
{
    const size_t before = UtilWindows().size();
    TTickCounter self(nullptr), other(nullptr);
    TTimer* a = NewTimer(nullptr, self, 20);
    TTimer* b = NewTimer(nullptr, other, 20);
    EXPECT_EQ(UtilWindows().size(), before + 1);  // one window for both
    self.FreeOnTick = a;
    ASSERT_TRUE(PumpUntil([&] { return !self.FreeOnTick; })) << "the timer never ticked";
    EXPECT_EQ(self.Count, 1);
    EXPECT_EQ(UtilWindows().size(), before + 1);
    // The last timer frees itself inside its tick, taking the window with it.
    other.Count = 0;
    other.FreeOnTick = b;
    ASSERT_TRUE(PumpUntil([&] { return !other.FreeOnTick; })) << "the last timer never ticked";
    EXPECT_EQ(other.Count, 1);
    EXPECT_EQ(UtilWindows().size(), before);
}

TEST(Timer, TicksForUnknownIdsAreIgnored)
{
    TTickCounter gone(nullptr), live(nullptr);
    TTimer* g = NewTimer(nullptr, gone, 10000);
    TTimer* l = NewTimer(nullptr, live, 10000);
    ASSERT_EQ(UtilWindows().size(), 1u);
    HWND shared = UtilWindows()[0];
    g->Free();
    // Every small id: the freed timer's id finds nothing, the live one's ticks it exactly once.
    for (UINT_PTR id = 0; id < 1000; ++id)
        PostMessageA(shared, WM_TIMER, id, 0);
    PostMessageA(shared, WM_TIMER, 0xDEADBEEF, 0);
    Application->ProcessMessages();  // the posted ticks are all in the queue
    EXPECT_EQ(gone.Count, 0);
    EXPECT_EQ(live.Count, 1);
    l->Free();
}

TEST(Timer, StreamedFromAFormFileRunsOnlyWhenComplete)
{
    RegisterClasses({&TTimer::StaticClass()});  // RegisterClass is a macro of windows.h here
    TTickCounter host(nullptr);
    ReadFormInto(&host,
                 "object Host1: TTickCounter\n"
                 "  object Timer1: TTimer\n    Interval = 40\n    OnTimer = Timer1Timer\n  end\n"
                 "  object Timer2: TTimer\n    Enabled = False\n    OnTimer = Timer1Timer\n  end\n"
                 "  object Timer3: TTimer\n    Interval = 0\n    OnTimer = Timer1Timer\n  end\n"
                 "  object Timer4: TTimer\n  end\n"
                 "end\n",
                 "host.form");
    auto timer = [&](const char* name) { return As<TTimer>(host.FindComponent(name)); };
    ASSERT_TRUE(timer("Timer1") && timer("Timer4"));
    EXPECT_TRUE(timer("Timer1")->Running());
    EXPECT_FALSE(timer("Timer2")->Running());
    EXPECT_FALSE(timer("Timer3")->Running());
    EXPECT_FALSE(timer("Timer4")->Running());  // no OnTimer
    EXPECT_EQ(GetPropText(timer("Timer4"), "Enabled") + GetPropText(timer("Timer4"), "Interval"), "true1000");
    EXPECT_THROW(SetPropText(timer("Timer4"), "Interval", "-5"), EInvalidOperation);
    EXPECT_TRUE(PumpUntil([&] { return host.Count >= 3; })) << "the streamed timer does not tick";
    timer("Timer1")->SetOnTimer(nullptr);
    EXPECT_FALSE(timer("Timer1")->Running());
}

namespace {
class TErrorSink : public TObject {
public:
    std::vector<String> Seen;
    TObject* LastSender = reinterpret_cast<TObject*>(1);
    void Caught(TObject* sender, const Exception& e)
    {
        Seen.push_back(e.Message());
        LastSender = sender;
    }
    void ThrowingWndProc(TMessage& m)
    {
        m.Result = 5;
        throw Exception("from a window");
    }
};
}  // namespace

TEST(Timer, ExceptionsInCallbacksReachTheApplicationAndTicksGoOn)
{
    TErrorSink sink;
    Application->OnException = TExceptionEvent(&sink, &TErrorSink::Caught);
    WNDPROC thunk = MakeObjectInstance(TWndMethod(&sink, &TErrorSink::ThrowingWndProc));
    EXPECT_EQ(CallWindowProcA(thunk, nullptr, WM_USER, 0, 0), 5);  // the Result set before the throw
    FreeObjectInstance(thunk);
    EXPECT_EQ(sink.LastSender, &sink);

    TTickCounter counter(nullptr);
    counter.Also = [](TTickCounter*) { throw Exception("from a timer"); };
    TTimer* t = NewTimer(nullptr, counter, 30);
    EXPECT_TRUE(PumpUntil([&] { return counter.Count >= 2; })) << "a failing tick stopped the timer";
    EXPECT_EQ(sink.LastSender, t);
    counter.FreeOnTick = t;  // freed, then throws: no sender to name
    ASSERT_TRUE(PumpUntil([&] { return !counter.FreeOnTick; })) << "the timer never ticked again";
    EXPECT_EQ(sink.LastSender, nullptr);
    Application->OnException = nullptr;
    ASSERT_FALSE(sink.Seen.empty());
    EXPECT_EQ(sink.Seen.front(), "from a window");
    EXPECT_EQ(sink.Seen.back(), "from a timer");
}

// ---- TRegistry ----

namespace {
const String kTestKey = "\\Software\\VelmoraServicesTest";

class Registry : public testing::Test {
protected:
    void SetUp() override { TRegistry().DeleteKey(kTestKey); }
    void TearDown() override { TRegistry().DeleteKey(kTestKey); }
    TRegistry reg;
};

template <class F>
String RegistryError(F f)
{
    try {
        f();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return "no exception";
}
}  // namespace

TEST_F(Registry, RoundTripsAndValueNames)
{
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(reg.Access(), static_cast<REGSAM>(KEY_ALL_ACCESS));
    ASSERT_TRUE(reg.OpenKey(kTestKey, true));
    reg.WriteString("theme", "MacOS");
    reg.WriteInteger("AlphaBlend", -200);
    reg.WriteBool("On", true);
    String big(100 * 1024, 'x');
    for (size_t i = 0; i < big.size(); i += 97)
        big[i] = static_cast<char>('a' + i % 26);
    reg.WriteString("big", big);

    TRegistry back(KEY_READ);
    ASSERT_TRUE(back.OpenKey(kTestKey, false));
    EXPECT_EQ(back.ReadString("theme"), "MacOS");
    EXPECT_EQ(back.ReadInteger("AlphaBlend"), -200);
    EXPECT_TRUE(back.ReadBool("On"));
    EXPECT_EQ(back.ReadString("big"), big);
    TStringList names;
    names.Add("stale");
    back.GetValueNames(names);
    EXPECT_EQ(names.Count(), 4);
    EXPECT_GE(names.IndexOf("AlphaBlend"), 0);

    EXPECT_TRUE(reg.DeleteValue("theme"));
    EXPECT_FALSE(reg.DeleteValue("theme"));
    EXPECT_FALSE(reg.ValueExists("theme"));
}

TEST_F(Registry, MissingValuesAndWrongTypes)
{
    ASSERT_TRUE(reg.OpenKey(kTestKey, true));
    EXPECT_EQ(reg.ReadString("nothing"), "");
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("nothing"); }), "Failed to get data for 'nothing'");
    reg.WriteString("text", "12");
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("text"); }), "Invalid data type for 'text'");
    reg.WriteInteger("num", 5);
    EXPECT_EQ(RegistryError([&] { reg.ReadString("num"); }), "Invalid data type for 'num'");
    const BYTE bin[] = {1, 2, 3};
    RegSetValueExA(reg.CurrentKey(), "bin", 0, REG_BINARY, bin, sizeof bin);
    EXPECT_EQ(RegistryError([&] { reg.ReadString("bin"); }), "Invalid data type for 'bin'");
    RegSetValueExA(reg.CurrentKey(), "short", 0, REG_DWORD, bin, 2);  // a DWORD of the wrong size
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("short"); }), "Invalid data type for 'short'");
    RegSetValueExA(reg.CurrentKey(), "open", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    EXPECT_EQ(reg.ReadString("open"), "abc");  // stored without its terminator

    // With no key open every value is missing and writes fail.
    reg.CloseKey();
    EXPECT_EQ(reg.ReadString("text"), "");
    EXPECT_FALSE(reg.ValueExists("text"));
    EXPECT_EQ(RegistryError([&] { reg.WriteString("text", "x"); }), "Failed to set data for 'text'");
    // A read-only key refuses writes and keeps the old value.
    ASSERT_TRUE(reg.OpenKeyReadOnly(kTestKey));
    EXPECT_EQ(reg.Access(), static_cast<REGSAM>(KEY_READ));
    EXPECT_EQ(RegistryError([&] { reg.WriteString("text", "x"); }), "Failed to set data for 'text'");
    EXPECT_EQ(reg.ReadString("text"), "12");
}

TEST_F(Registry, KeysByAbsoluteAndRelativePath)
{
    EXPECT_FALSE(reg.OpenKey(kTestKey + "\\Missing", false));
    EXPECT_FALSE(reg.KeyExists(kTestKey));
    EXPECT_EQ(reg.CurrentKey(), nullptr);

    ASSERT_TRUE(reg.OpenKey(kTestKey, true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\VelmoraServicesTest");
    ASSERT_TRUE(reg.OpenKey("Sub\\Deeper", true));  // relative to the current key
    EXPECT_EQ(reg.CurrentPath(), "Software\\VelmoraServicesTest\\Sub\\Deeper");
    EXPECT_FALSE(reg.OpenKey("Missing", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\VelmoraServicesTest\\Sub\\Deeper");  // unchanged
    ASSERT_TRUE(reg.OpenKey(kTestKey + "\\Other", true));  // from the root again
    EXPECT_EQ(reg.CurrentPath(), "Software\\VelmoraServicesTest\\Other");
    EXPECT_TRUE(reg.KeyExists(kTestKey + "\\Sub\\Deeper"));
    EXPECT_FALSE(reg.KeyExists("Sub"));  // relative: below Other
    HKEY raw = nullptr;
    const char* deeper = "Software\\VelmoraServicesTest\\Sub\\Deeper";
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, deeper, 0, KEY_READ, &raw), ERROR_SUCCESS);
    RegCloseKey(raw);

    reg.CloseKey();
    EXPECT_TRUE(reg.CreateKey(kTestKey + "\\Made"));
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_TRUE(reg.DeleteKey(kTestKey));  // with everything under it
    EXPECT_FALSE(reg.KeyExists(kTestKey));
}

// ---- date-time text ----

TEST(DateTime, FormatsDecodesAndParsesTimes)
{
    const TDateTime t = EncodeDate(2024, 3, 7) + EncodeTime(9, 5, 7, 0);
    EXPECT_EQ(FormatDateTime("hh:mm:ss", t), "09:05:07");
    EXPECT_EQ(FormatDateTime("HH:mm:ss", t), "09:05:07");
    EXPECT_EQ(FormatDateTime("mm:ss", t), "05:07");  // minutes before seconds
    EXPECT_EQ(FormatDateTime("hh:mm", t), "09:05");
    EXPECT_EQ(FormatDateTime("h:n:s", t), "9:5:7");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", t), "2024-03-07");  // a month here
    EXPECT_EQ(FormatDateTime("hh:nn am/pm", EncodeTime(0, 30, 0, 0)), "12:30 am");
    EXPECT_EQ(FormatDateTime("h:nn AM/PM", EncodeTime(13, 0, 0, 0)), "1:00 PM");

    TTimeParts last = DecodeTime(EncodeTime(23, 59, 59, 999));
    EXPECT_EQ(last.Hour * 10000000 + last.Min * 100000 + last.Sec * 1000 + last.MSec, 235959999);
    EXPECT_EQ(DecodeTime(45000.0 + 0.99999999999).Hour, 23);  // never hour 24
    EXPECT_EQ(DecodeTime(45000.0).Hour + DecodeTime(45000.0).Sec, 0);
    EXPECT_EQ(DecodeTime(-1.25).Hour, 6);  // before 1899: the time is the fraction's size

    EXPECT_DOUBLE_EQ(StrToTime(" 7:05:09 "), EncodeTime(7, 5, 9, 0));
    EXPECT_DOUBLE_EQ(StrToTime("23:59"), EncodeTime(23, 59, 0, 0));
    for (const char* bad : {"", "12", "24:00", "12:60", "12:00:60", "ab:cd", "12:", "-1:00", "1:2:3:4",
                            "0x10:00", "$A:00", "1 2:00"})
        EXPECT_THROW(StrToTime(bad), EConvertError) << bad;
}

#include "guitest.h"

namespace {

class TExceptionRecorder : public TObject {
public:
    void Record(TObject*, const Exception& e) { Messages.push_back(e.Message()); }
    std::vector<String> Messages;
};

TExceptionRecorder& Recorder()
{
    static TExceptionRecorder recorder;
    return recorder;
}

}  // namespace

void PumpFor(int ms)
{
    DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    for (;;) {
        Application->ProcessMessages();
        auto left = static_cast<int>(end - GetTickCount());
        if (left <= 0)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (!done()) {
        Application->ProcessMessages();
        if (done())
            return true;
        auto left = static_cast<int>(end - GetTickCount());
        if (left <= 0)
            return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min(left, 50)), QS_ALLINPUT);
    }
    return true;
}

bool PumpHandled(int timeoutMs)
{
    Application->ProcessMessages();
    return PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT)) == 0; },
                     timeoutMs);
}

void ClickAt(HWND wnd, int x, int y)
{
    PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MakeMsgPoint(x, y));
    PostMessageA(wnd, WM_LBUTTONUP, 0, MakeMsgPoint(x, y));
    PumpHandled();
}

void MoveMouseTo(int x, int y, bool handle)
{
    // Absolute moves are in 0..65535 over the primary screen; the pointer lands on the pixel
    // asked for when the value is rounded up.
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((x * 65536LL + w - 1) / w);
    in.mi.dy = static_cast<LONG>((y * 65536LL + h - 1) / h);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    if (handle)
        PumpHandled();
}

void MoveMouseTo(HWND wnd, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(wnd, &p);
    MoveMouseTo(p.x, p.y);
}

void LeftButton(bool down, bool handle)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    if (handle)
        PumpHandled();
}

void ClickControl(TControl* c)
{
    if (auto* w = As<TWinControl>(c)) {
        ClickAt(w->Handle(), w->Width() / 2, w->Height() / 2);
        return;
    }
    ClickAt(c->Parent()->Handle(), c->Left() + c->Width() / 2, c->Top() + c->Height() / 2);
}

void PressKey(WORD vk, HWND wnd)
{
    if (!wnd)
        wnd = GetFocus();
    UINT scan = MapVirtualKeyA(vk, 0);
    PostMessageA(wnd, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(wnd, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
    PumpHandled();
}

void TypeChar(char c, bool alt)
{
    LPARAM data = 1 | (alt ? 0x20000000 : 0);
    PostMessageA(GetFocus(), alt ? WM_SYSCHAR : WM_CHAR, static_cast<unsigned char>(c), data);
    PumpHandled();
}

std::vector<String> TakeReportedExceptions()
{
    std::vector<String> v;
    v.swap(Recorder().Messages);
    return v;
}

void RecordExceptions() { Application->OnException = TExceptionEvent(&Recorder(), &TExceptionRecorder::Record); }

void GuiTest::SetUp()
{
    RecordExceptions();
    TakeReportedExceptions();
}

void GuiTest::TearDown()
{
    PumpHandled();
    for (const String& m : TakeReportedExceptions())
        ADD_FAILURE() << "exception reached the error box: " << m;
    RecordExceptions();
    Application->CancelTerminate();
}

TForm* NewTestForm(int w, int h)
{
    auto* f = new TForm(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(50, 50, w, h);
    return f;
}

HWND MakeTestWindow(const char* cls, WNDPROC proc, HINSTANCE instance, DWORD style, int size, HWND parent)
{
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, cls, &wc)) {
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.lpszClassName = cls;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&wc);
    }
    return CreateWindowExA(0, cls, "test", style, 50, 50, size, size, parent, nullptr, instance, nullptr);
}

// The one window-subclassing owner: wide or 8-bit all the way through, letting go from inside
// the window's last message, a window that dies first.
#include "guitest.h"
#include "subclass.h"

namespace {

// Records the text of every WM_SETTEXT as the method sees it, then passes everything on.
class TTextProbe : public TObject {
public:
    TWindowSubclass Sub;
    bool Unicode = false;
    std::wstring Seen;
    bool RestoreOnDestroy = false;
    int Destroys = 0;

    void WndProc(TMessage& m)
    {
        if (m.Msg == WM_SETTEXT && m.LParam) {
            if (Unicode)
                Seen = reinterpret_cast<const wchar_t*>(m.LParam);
            else
                for (const char* p = reinterpret_cast<const char*>(m.LParam); *p; ++p)
                    Seen += static_cast<wchar_t>(static_cast<unsigned char>(*p));
        }
        if (m.Msg == WM_NCDESTROY) {
            ++Destroys;
            if (RestoreOnDestroy) {
                const WNDPROC old = Sub.OldProc();
                const HWND wnd = Sub.Window();
                Sub.Restore();
                m.Result = CallWindowProcAW(old, wnd, m, Unicode);
                return;
            }
        }
        m.Result = Sub.CallOld(m);
    }
};

std::wstring WideText(HWND w)
{
    wchar_t buf[64] = {};
    GetWindowTextW(w, buf, 64);
    return buf;
}

using SubclassTest = GuiTest;

}  // namespace

TEST_F(SubclassTest, AWideSubclassInFrontOfAnAnsiOneHasItsTextConverted)
{
    HWND w = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    TTextProbe ansi, wide;
    wide.Unicode = true;
    ansi.Sub.Install(w, TWndMethod(&ansi, &TTextProbe::WndProc), false);
    wide.Sub.Install(w, TWndMethod(&wide, &TTextProbe::WndProc), true);
    SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\u00C4pfel"));
    EXPECT_EQ(wide.Seen, L"\u00C4pfel");
    EXPECT_EQ(ansi.Seen, L"\u00C4pfel");  // 8-bit on its way through the older subclass
    EXPECT_EQ(WideText(w), L"\u00C4pfel");
    wide.Sub.Restore();
    ansi.Sub.Restore();
    DestroyWindow(w);
}

TEST_F(SubclassTest, LettingGoInsideTheLastMessageOrAfterTheWindowWent)
{
    HWND one = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND two = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    TTextProbe inside, after;
    inside.RestoreOnDestroy = true;
    inside.Sub.Install(one, TWndMethod(&inside, &TTextProbe::WndProc), false);
    after.Sub.Install(two, TWndMethod(&after, &TTextProbe::WndProc), false);
    DestroyWindow(one);
    DestroyWindow(two);
    EXPECT_EQ(inside.Destroys, 1);
    EXPECT_FALSE(inside.Sub.Installed());
    EXPECT_EQ(after.Destroys, 1);
    after.Sub.Restore();  // the window is gone: nothing is written to its handle
    EXPECT_FALSE(after.Sub.Installed());
    EXPECT_EQ(after.Sub.CallOld(TMessage{WM_NULL, 0, 0, 0}), 0);
    EXPECT_THROW(after.Sub.Install(two, TWndMethod(&after, &TTextProbe::WndProc), false), EInvalidOperation);
}

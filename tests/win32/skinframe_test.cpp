// Skinned window frames on real windows: the client area the skin leaves, hit codes, the
// region cut from the border pictures, the frame's pixels against the skin's pictures (painted
// into a memory DC with SKM_DRAWBORDER and read from the window), caption buttons under the
// mouse and what their clicks post, the hints, dialogs that grow for their caption, exact undo,
// and a failing window procedure that leaves the window working.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "dialogtemplate.h"
#include "guitest.h"
#include "menuloop.h"
#include "pixeltest.h"
#include "realinput.h"
#include "skinhelpers.h"
#include "skinwindowtest.h"
#include "skindata.h"
#include "skinform.h"
#include "skinmanager.h"
#include "skinmessages.h"
#include "stdctrls.h"
#include "themeskins.h"
#include "winutil.h"

namespace {

// ---- a small skin made here: plain colours, rounded top corners, four-state buttons

constexpr TColor Magenta = clFuchsia;
constexpr TColor LeftActive = RGB(200, 0, 0), LeftInactive = RGB(100, 0, 0);
constexpr TColor RightActive = RGB(0, 200, 0), RightInactive = RGB(0, 100, 0);
constexpr TColor TopActive = RGB(0, 0, 200), TopInactive = RGB(0, 0, 100);
constexpr TColor BottomActive = RGB(200, 200, 0), BottomInactive = RGB(100, 100, 0);
// Close: normal, pressed, hot, inactive; the others only their normal and inactive states.
constexpr TColor CloseStates[4] = {RGB(10, 10, 10), RGB(20, 20, 20), RGB(30, 30, 30), RGB(40, 40, 40)};
constexpr TColor MaxStates[4] = {RGB(50, 50, 50), RGB(51, 51, 51), RGB(52, 52, 52), RGB(53, 53, 53)};
constexpr TColor RestoreStates[4] = {RGB(60, 60, 60), RGB(61, 61, 61), RGB(62, 62, 62), RGB(63, 63, 63)};
constexpr TColor MinStates[4] = {RGB(70, 70, 70), RGB(71, 71, 71), RGB(72, 72, 72), RGB(73, 73, 73)};
constexpr TColor CustomStates[4] = {RGB(80, 80, 80), RGB(81, 81, 81), RGB(82, 82, 82), RGB(83, 83, 83)};
constexpr int SideWidth = 5, CaptionHigh = 20, BottomHigh = 4;

// Borders stretch and are keyed unless the description says otherwise.
constexpr const char* TestSkinIni = R"([TitlebarSkin]
SkinName=Test
[Personality]
Left=left.bmp
LeftTopHeight=10
LeftBotHeight=10
LeftFrame=2
Right=right.bmp
RightTopHeight=10
RightBotHeight=10
RightFrame=2
Top=top.bmp
TopTopHeight=5
TopBotHeight=5
TopFrame=2
Bottom=bottom.bmp
BottomFrame=2
TextShift=6
TextRightClip=70
TextAlignment=0
[Colours]
ButtonFace=220,220,220
TitleTextActive=255,255,255
TitleTextNoActive=0,0,0
[Button.Close]
Action=0
Align=1
Xcoord=20
Ycoord=4
ButtonImage=close.bmp
Frame=4
[Button.Maximize]
Action=1
Align=1
Xcoord=35
Ycoord=4
Visibility=2
Visibility1=6
ButtonImage=max.bmp
Frame=4
[Button.Restore]
Action=1
Align=1
Xcoord=35
Ycoord=4
Visibility=1
Visibility1=6
ButtonImage=restore.bmp
Frame=4
[Button.Minimize]
Action=2
Align=1
Xcoord=50
Ycoord=4
Visibility=6
ButtonImage=min.bmp
Frame=4
[Button.Own]
Action=5
Align=0
Xcoord=8
Ycoord=4
ButtonImage=own.bmp
Frame=4
)";

void Fill(TBitmap& b, const TRect& r, TColor c)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            b.PixelBuffer().At(x, y) = ColorToPixel(c);
}

TBytes BmpBytes(TBitmap& b)
{
    TMemoryStream s;
    b.SaveToStream(s);
    return s.Bytes();
}

// States side by side (or stacked), each w x h of one colour, magenta at `keyed` pixels.
TBytes Strip(int w, int h, std::vector<TColor> states, bool stacked, std::vector<POINT> keyed = {})
{
    const int n = static_cast<int>(states.size());
    TBitmap b(stacked ? w : w * n, stacked ? h * n : h);
    for (int s = 0; s < n; ++s) {
        const int x0 = stacked ? 0 : s * w, y0 = stacked ? s * h : 0;
        Fill(b, Bounds(x0, y0, w, h), states[static_cast<size_t>(s)]);
        for (POINT p : keyed)
            Fill(b, Bounds(x0 + p.x, y0 + p.y, 1, 1), Magenta);
    }
    return BmpBytes(b);
}

std::vector<TColor> Four(const TColor (&c)[4]) { return {c[0], c[1], c[2], c[3]}; }

// Reads the test skin's description and pictures into the component, as a load does.
void LoadTestSkin(TSkinData& d, const std::string& ini = TestSkinIni)
{
    std::map<std::string, TBytes> entries;
    entries["left.bmp"] = Strip(SideWidth, 40, {LeftActive, LeftInactive}, false, {{0, 0}, {1, 0}, {0, 1}});
    entries["right.bmp"] = Strip(SideWidth, 40, {RightActive, RightInactive}, false, {{4, 0}, {3, 0}, {4, 1}});
    entries["top.bmp"] = Strip(30, CaptionHigh, {TopActive, TopInactive}, true);
    entries["bottom.bmp"] = Strip(30, BottomHigh, {BottomActive, BottomInactive}, true);
    entries["close.bmp"] = Strip(12, 10, Four(CloseStates), false, {{0, 0}});
    entries["max.bmp"] = Strip(12, 10, Four(MaxStates), false);
    entries["restore.bmp"] = Strip(12, 10, Four(RestoreStates), false);
    entries["min.bmp"] = Strip(12, 10, Four(MinStates), false);
    entries["own.bmp"] = Strip(12, 10, Four(CustomStates), false);
    entries["back1.bmp"] = Strip(30, 1, {RGB(90, 90, 90)}, true);  // too low for its two states
    TQuickIni description;
    description.LoadFromStream({reinterpret_cast<const uint8_t*>(ini.data()), ini.size()});
    d.ReadSkinIni(description, [&](std::string_view name, TBytes& data) {
        auto it = entries.find(std::string(name));
        if (it != entries.end())
            data = it->second;
    });
    d.FSkinEmpty = false;
}

// The engine reads the system's version once; a test stands in another system for its length.
class TSystemVersion {
public:
    explicit TSystemVersion(DWORD version) : FSaved(SkinPlatform().Version) { SkinPlatform().Version = version; }
    ~TSystemVersion() { SkinPlatform().Version = FSaved; }

private:
    DWORD FSaved;
};
constexpr DWORD WindowsNT4 = 0x05650004;  // 4.0, build 1381

// ---- a plain window that records the commands it is sent

std::vector<WPARAM> gCommands;  // WM_SYSCOMMAND codes, and SKM_CAPTIONBUTTON as 1000 + its type
std::vector<UINT> gRightClicks;  // WM_NCRBUTTONDOWN and WM_CONTEXTMENU that reached the window

LRESULT CALLBACK RecordingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCRBUTTONDOWN || msg == WM_CONTEXTMENU)
        gRightClicks.push_back(msg);
    if (msg == WM_SYSCOMMAND) {
        gCommands.push_back(wp & 0xFFF0);
        switch (wp & 0xFFF0) {
        case SC_CLOSE: case SC_CONTEXTHELP: case SC_MOVE: case SC_MOUSEMENU:
            return 0;  // the test decides when the window goes; no loop of the system's runs
        default:
            break;
        }
    }
    if (msg == SKM_CAPTIONBUTTON) {
        gCommands.push_back(1000 + wp);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

LPARAM ScreenPoint(HWND w, const TRect& windowRelative)
{
    RECT r{};
    GetWindowRect(w, &r);
    return MakeMsgPoint(r.left + (windowRelative.left + windowRelative.right) / 2,
                        r.top + (windowRelative.top + windowRelative.bottom) / 2);
}

class SkinFrameTest : public SkinWindowTest {
protected:
    void SetUp() override
    {
        SkinWindowTest::SetUp();
        gCommands.clear();
        gRightClicks.clear();
        Host = new TForm(nullptr);
        Host->SetBounds(400, 400, 100, 80);
        Forms.push_back(Host);
    }

    // A skin data component with the test skin (or a theme skin), the manager switched on.
    TSkinData* Data(const char* theme = nullptr)
    {
        auto* d = new TSkinData(Host);
        d->SetSkinFormtype(sfOnlyThisForm);  // no hook: only what a test skins is skinned
        d->Loaded();
        if (theme)
            d->SetSkinFile(ThemeSkinPath(theme));
        else
            LoadTestSkin(*d);
        EXPECT_FALSE(d->FSkinEmpty);
        SkinManager()->SetActive(true);
        return d;
    }
    TForm* NewForm(TFormBorderStyle style = bsSizeable)
    {
        auto* f = new TForm(nullptr);
        f->SetBorderStyle(style);
        f->SetCaption("Notes");
        f->SetBounds(100, 100, 260, 180);
        Forms.push_back(f);
        f->Show();
        Activate(f->Handle());
        return f;
    }
    HWND NewWindow(DWORD style = WS_OVERLAPPEDWINDOW)
    {
        HWND w = Track(MakeTestWindow("SkinFrameRecorder", RecordingProc, ModuleInstance(), style, 220));
        ShowWindow(w, SW_SHOW);
        Activate(w);
        return w;
    }
    static void Activate(HWND w)
    {
        SetForegroundWindow(w);
        EXPECT_TRUE(PumpUntil([w] { return GetActiveWindow() == w; })) << "the window did not become active";
    }
    // Skins the window and waits until the skinning is finished.
    TSkinForm* Skin(HWND w)
    {
        SkinManager()->SkinWindow(w);
        TSkinForm* f = SkinManager()->FindSkinForm(w);
        EXPECT_NE(f, nullptr);
        if (!f)
            return nullptr;
        EXPECT_TRUE(PumpUntil([f] { return f->LifeState() == TSkinForm::lsSkinned; })) << "SKM_SKINNOW not handled";
        Application->ProcessMessages();  // what the skinning posted
        return f;
    }
    // The caption button of the test skin with this action and visibility.
    static TWinSysButton* Button(TSkinForm* f, int action, int visibility = -1)
    {
        for (int i = 0; i < f->ButtonCount(); ++i) {
            TDataSkinSysButton* o = f->Buttons(i)->SkinObject();
            if (o && o->Action == action && (visibility < 0 || o->Visibility == visibility))
                return f->Buttons(i);
        }
        return nullptr;
    }
    // The frame as SKM_DRAWBORDER paints it into a bitmap of the window's size, which starts
    // out in a colour the skin does not use.
    std::unique_ptr<TBitmap> DrawnFrame(HWND w)
    {
        const TRect r = WindowRectOf(w);
        auto b = std::make_unique<TBitmap>(r.Width(), r.Height());
        Fill(*b, TRect(0, 0, r.Width(), r.Height()), Untouched);
        EXPECT_EQ(SendMessageA(w, SKM_DRAWBORDER, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), SKM_MAGIC),
                  SKM_MAGIC);
        return b;
    }
    // What the window shows now, from its own DC.
    static std::unique_ptr<TBitmap> ShownFrame(HWND w)
    {
        const TRect r = WindowRectOf(w);
        auto b = std::make_unique<TBitmap>(r.Width(), r.Height());
        HDC dc = GetWindowDC(w);
        BitBlt(b->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(w, dc);
        return b;
    }
    static void Scribble(HWND w, int x, int y)
    {
        HDC dc = GetWindowDC(w);
        SetPixel(dc, x, y, Untouched);
        ReleaseDC(w, dc);
    }
    static TColor At(TBitmap& b, int x, int y) { return PixelToColor(b.PixelBuffer().At(x, y)); }
    static TColor Centre(TBitmap& b, const TRect& r)
    {
        return At(b, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void Click(HWND w, const TRect& r, UINT down = WM_NCLBUTTONDOWN, UINT up = WM_NCLBUTTONUP)
    {
        SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(w, r));
        SendMessageA(w, down, HTCAPTION, ScreenPoint(w, r));
        if (up)
            SendMessageA(w, up, HTCAPTION, ScreenPoint(w, r));
        Application->ProcessMessages();  // the commands the click posted
    }

    static constexpr TColor Untouched = RGB(1, 2, 3);
    TForm* Host = nullptr;
};

TEST_F(SkinFrameTest, FrameFromTheSkinLeavesTheClientAreaAsItWas)
{
    Data();
    TForm* form = NewForm();
    const HWND w = form->Handle();
    const TRect client = ClientRectOf(w);
    TSkinForm* f = Skin(w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Metrics(), (TFrameMetrics{SideWidth, CaptionHigh, SideWidth, BottomHigh, 0}));
    EXPECT_EQ(ClientRectOf(w), client);
    const TRect r = WindowRectOf(w);
    EXPECT_EQ(r.Width(), client.Width() + 2 * SideWidth);
    EXPECT_EQ(r.Height(), client.Height() + CaptionHigh + BottomHigh);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    EXPECT_EQ(origin.x - r.left, SideWidth);
    EXPECT_EQ(origin.y - r.top, CaptionHigh);

    // Hit codes: the caption band moves the window, its top three rows and the sizing edges
    // keep the native codes, the caption buttons are caption too (no native buttons).
    auto hit = [w, r](int x, int y) { return SendMessageA(w, WM_NCHITTEST, 0, MakeMsgPoint(r.left + x, r.top + y)); };
    EXPECT_EQ(hit(r.Width() / 2, 4), HTCAPTION);
    EXPECT_EQ(hit(r.Width() / 2, CaptionHigh - 1), HTCAPTION);
    EXPECT_NE(hit(r.Width() / 2, 1), HTCAPTION);
    EXPECT_EQ(hit(r.Width() / 2, CaptionHigh + 10), HTCLIENT);
    EXPECT_EQ(hit(r.Width() / 2, r.Height() - 1), HTBOTTOM);
    EXPECT_EQ(hit(0, r.Height() / 2), HTLEFT);
    const TRect close = Button(f, 0)->Rect;
    EXPECT_EQ(hit((close.left + close.right) / 2, (close.top + close.bottom) / 2), HTCAPTION);
    EXPECT_EQ(GetWindowLongA(w, GWL_STYLE) & WS_SYSMENU, 0) << "the native buttons are not found";

    // The region: the keyed corners are cut away, everything else stays.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(w, rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, 1, 0));
    EXPECT_FALSE(PtInRegion(rgn, 0, 1));
    EXPECT_TRUE(PtInRegion(rgn, 1, 1));
    EXPECT_FALSE(PtInRegion(rgn, r.Width() - 1, 0));
    EXPECT_TRUE(PtInRegion(rgn, r.Width() - 2, 1));
    EXPECT_TRUE(PtInRegion(rgn, 0, r.Height() - 1));
    EXPECT_TRUE(PtInRegion(rgn, r.Width() / 2, r.Height() / 2));
    EXPECT_FALSE(PtInRegion(rgn, r.Width(), r.Height() / 2));
    // A new size gets a region of its own.
    SetWindowPos(w, nullptr, 0, 0, r.Width() + 40, r.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_NE(GetWindowRgn(w, rgn), ERROR);
    EXPECT_TRUE(PtInRegion(rgn, r.Width() + 20, r.Height() / 2));
    EXPECT_FALSE(PtInRegion(rgn, r.Width() + 39, 0));
    DeleteObject(rgn);

    // A maximized window keeps its size; only its frame is computed again.
    TForm* big = NewForm();
    ShowWindow(big->Handle(), SW_MAXIMIZE);
    const TRect maximized = WindowRectOf(big->Handle());
    ASSERT_NE(Skin(big->Handle()), nullptr);
    EXPECT_EQ(WindowRectOf(big->Handle()), maximized);

    // A window without a caption has no skinned frame at all.
    TForm* bare = NewForm(bsNone);
    const TRect bareClient = ClientRectOf(bare->Handle());
    TSkinForm* b = Skin(bare->Handle());
    EXPECT_EQ(b->Metrics(), TFrameMetrics{});
    EXPECT_EQ(ClientRectOf(bare->Handle()), bareClient);
}

TEST_F(SkinFrameTest, FramePixelsAreTheSkinPicturesActiveAndInactive)
{
    Data();
    TForm* form = NewForm();
    const HWND w = form->Handle();
    TSkinForm* f = Skin(w);
    ASSERT_NE(f, nullptr);
    SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
    std::unique_ptr<TBitmap> b = DrawnFrame(w);
    const int W = b->Width(), H = b->Height();
    EXPECT_EQ(At(*b, 2, H / 2), LeftActive);
    EXPECT_EQ(At(*b, W - 3, H / 2), RightActive);
    EXPECT_EQ(At(*b, W / 2, H - 2), BottomActive);
    EXPECT_EQ(At(*b, SideWidth + 2, 2), TopActive);
    EXPECT_EQ(At(*b, 0, 0), Magenta);  // the picture as it is; the region cuts it away
    EXPECT_EQ(At(*b, W / 2, H / 2), Untouched) << "the client area is not painted";
    // Caption buttons in their resting state, keyed over the caption; the restore button
    // shows only while maximized.
    TWinSysButton* close = Button(f, 0);
    EXPECT_EQ(Centre(*b, close->Rect), CloseStates[0]);
    EXPECT_EQ(At(*b, close->Rect.left, close->Rect.top), TopActive);
    EXPECT_EQ(close->Rect, Bounds(W - 20, 4, 12, 10));
    EXPECT_EQ(Centre(*b, Button(f, 1, 2)->Rect), MaxStates[0]);
    EXPECT_FALSE(Button(f, 1, 1)->Visible);
    EXPECT_EQ(Centre(*b, Button(f, 2)->Rect), MinStates[0]);
    EXPECT_EQ(Centre(*b, Button(f, 5)->Rect), CustomStates[0]);
    EXPECT_EQ(Button(f, 5)->Rect.left, 8);
    // The caption text: white, from the text shift on, in the caption font.
    const TRect text = f->CaptionTextRect();
    EXPECT_EQ(text.left, SideWidth + 6);
    EXPECT_GT(CountOf(*b, text, clWhite), 10);
    // A new caption text is what the window shows next.
    const TRect band(SideWidth, 0, W - 70, CaptionHigh);
    const int notes = CountOf(*b, band, clWhite);
    form->SetCaption("Notes of a much longer caption");
    EXPECT_TRUE(PumpUntil([&] {
        std::unique_ptr<TBitmap> shown = ShownFrame(w);
        return CountOf(*shown, band, clWhite) > notes + 10 && At(*shown, SideWidth + 2, 2) == TopActive;
    })) << "the new caption was not painted";
    EXPECT_EQ(SendMessageA(w, SKM_PROBE, 0, SKM_MAGIC), SKM_MAGIC);
    EXPECT_EQ(SendMessageA(w, SKM_PROBE, 0, 0), 1);
    RECT proposed = TRect(0, 0, 100, 100);
    EXPECT_EQ(SendMessageA(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed)), 0);

    // Deactivated, the window shows the inactive pictures at once, and repaints them.
    SendMessageA(w, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(WindowPixel(w, 2, H / 2), LeftInactive);
    Scribble(w, 2, H / 2);
    SendMessageA(w, WM_NCPAINT, 1, 0);
    EXPECT_EQ(WindowPixel(w, 2, H / 2), LeftInactive);
    EXPECT_EQ(WindowPixel(w, W - 3, H / 2), RightInactive);
    b = DrawnFrame(w);
    EXPECT_EQ(At(*b, 2, H / 2), LeftInactive);
    EXPECT_EQ(At(*b, W - 3, H / 2), RightInactive);
    EXPECT_EQ(At(*b, W / 2, H - 2), BottomInactive);
    EXPECT_EQ(At(*b, SideWidth + 2, 2), TopInactive);
    EXPECT_EQ(Centre(*b, close->Rect), CloseStates[3]);
    EXPECT_GT(CountOf(*b, f->CaptionTextRect(), clBlack), 10) << "the inactive caption text";
    EXPECT_EQ(CountOf(*b, f->CaptionTextRect(), clWhite), 0);

    // Before the skinning is finished nothing is painted, the native frame neither.
    TForm* late = NewForm();
    ASSERT_TRUE(SkinManager()->SkinWindow(late->Handle()));
    Scribble(late->Handle(), 40, 3);
    EXPECT_EQ(SendMessageA(late->Handle(), WM_NCPAINT, 1, 0), 0);
    EXPECT_EQ(WindowPixel(late->Handle(), 40, 3), Untouched);
    b = DrawnFrame(late->Handle());
    EXPECT_EQ(At(*b, 2, b->Height() / 2), Untouched);
}

TEST_F(SkinFrameTest, RightToLeftCaptionsAndMinimizedWindows)
{
    Data();
    TForm* form = NewForm();
    const HWND w = form->Handle();
    SetWindowLongA(w, GWL_EXSTYLE, GetWindowLongA(w, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    TSkinForm* f = Skin(w);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->RightToLeft());
    DrawnFrame(w);
    const int W = WindowRectOf(w).Width();
    // Against the right edge, clear of the right-aligned buttons (the minimize button is 50
    // from the edge), then moved 10 pixels right.
    EXPECT_EQ(f->CaptionTextRect().right, W - SideWidth - 50 + 10);

    // Minimized, the window shows only its caption, on the skin's face colour.
    ShowWindow(w, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(w) && f->SizeState() == TSkinForm::ssMinimized; }))
        << "the window was not minimized";
    std::unique_ptr<TBitmap> b = DrawnFrame(w);
    // (Whether a minimized window is still the active one is the system's business.)
    EXPECT_EQ(At(*b, b->Width() / 2, 2), f->ActiveCaption() ? TopActive : TopInactive);
    if (b->Height() > CaptionHigh + 1) {
        EXPECT_EQ(At(*b, b->Width() / 2, b->Height() - 1), RGB(220, 220, 220));
    }
    ShowWindow(w, SW_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return f->SizeState() == TSkinForm::ssNormal; })) << "the window was not restored";
    EXPECT_EQ(At(*DrawnFrame(w), 2, 60), f->ActiveCaption() ? LeftActive : LeftInactive);
}

TEST_F(SkinFrameTest, CaptionButtonsFollowTheMouseAndPostTheirCommands)
{
    Data();
    const HWND w = NewWindow();
    TSkinForm* f = Skin(w);
    ASSERT_NE(f, nullptr);
    SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
    TWinSysButton* close = Button(f, 0);
    const TRect r = close->Rect;
    auto shown = [&] { return WindowPixel(w, (r.left + r.right) / 2, (r.top + r.bottom) / 2); };
    EXPECT_EQ(shown(), CloseStates[0]);
    SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(w, r));
    EXPECT_EQ(f->HotObject(), close);
    EXPECT_EQ(shown(), CloseStates[2]);
    // Off the buttons the hot one lets go at once, and comes back.
    SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(w, TRect(60, 6, 80, 12)));
    EXPECT_EQ(f->HotObject(), nullptr);
    EXPECT_EQ(shown(), CloseStates[0]);
    SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(w, r));
    SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(w, r));
    EXPECT_EQ(shown(), CloseStates[1]);
    SendMessageA(w, WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(w, r));
    EXPECT_EQ(shown(), CloseStates[2]);
    Application->ProcessMessages();
    EXPECT_EQ(gCommands, std::vector<WPARAM>{SC_CLOSE});

    // Away from the caption the hover timer lets the button go.
    f->HoverTimerObject()->SetEnabled(true);
    SetCursorPos(5, 5);
    EXPECT_TRUE(PumpUntil([&] { return f->HotObject() == nullptr; }, 1000));
    EXPECT_EQ(shown(), CloseStates[0]);

    // Releasing over another button than the one pressed does nothing.
    gCommands.clear();
    const TRect own = Button(f, 5)->Rect;
    SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(w, r));
    EXPECT_EQ(SendMessageA(w, WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(w, own)), 0);
    Application->ProcessMessages();
    EXPECT_TRUE(gCommands.empty());

    // The skin's own button goes to the application; minimize and maximize are system commands,
    // also under the user's own hand.
    Click(w, own);
    const TRect minimize = Button(f, 2)->Rect;
    ClickScreen(WindowToScreen(w, (minimize.left + minimize.right) / 2, (minimize.top + minimize.bottom) / 2));
    EXPECT_TRUE(PumpUntil([w] { return IsIconic(w); })) << "the minimize button did not minimize";
    EXPECT_EQ(gCommands, (std::vector<WPARAM>{1005, SC_MINIMIZE}));
    EXPECT_EQ(f->SizeState(), TSkinForm::ssMinimized);
    ShowWindow(w, SW_RESTORE);
    Activate(w);
    gCommands.clear();
    Click(w, Button(f, 1, 2)->Rect);
    EXPECT_EQ(gCommands, std::vector<WPARAM>{SC_MAXIMIZE});
    EXPECT_TRUE(IsZoomed(w));
    EXPECT_EQ(f->SizeState(), TSkinForm::ssMaximized);
    // The caption of an active maximized window does not move it.
    SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
    gCommands.clear();
    Click(w, TRect(60, 6, 80, 12), WM_NCLBUTTONDOWN, 0);
    EXPECT_EQ(std::count(gCommands.begin(), gCommands.end(), SC_MOVE), 0);
    // Maximized, the restore button takes the maximize button's place.
    SendMessageA(w, WM_NCPAINT, 1, 0);
    EXPECT_TRUE(Button(f, 1, 1)->Visible);
    EXPECT_FALSE(Button(f, 1, 2)->Visible);
    gCommands.clear();
    Click(w, Button(f, 1, 1)->Rect);
    EXPECT_EQ(gCommands, std::vector<WPARAM>{SC_RESTORE});
    EXPECT_FALSE(IsZoomed(w));
    // A double click on the caption maximizes a window with a maximize box, and restores it.
    gCommands.clear();
    const TRect band(60, 6, 80, 12);
    SendMessageA(w, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(w, band));
    Application->ProcessMessages();
    SendMessageA(w, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(w, band));
    Application->ProcessMessages();
    EXPECT_EQ(gCommands, (std::vector<WPARAM>{SC_MAXIMIZE, SC_RESTORE}));
    // A system command chosen as a command (from a menu) goes on as a system command.
    gCommands.clear();
    SendMessageA(w, WM_COMMAND, SC_CLOSE, 0);
    Application->ProcessMessages();
    EXPECT_EQ(gCommands, std::vector<WPARAM>{SC_CLOSE});
}

TEST_F(SkinFrameTest, DisabledButtonsAndAGreyedCloseDoNothing)
{
    Data();
    const HWND w = NewWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME);
    TSkinForm* f = Skin(w);
    ASSERT_NE(f, nullptr);
    SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
    TWinSysButton* maximize = Button(f, 1, 2);
    ASSERT_TRUE(maximize->Visible);
    EXPECT_FALSE(maximize->Enabled);
    EXPECT_EQ(WindowPixel(w, (maximize->Rect.left + maximize->Rect.right) / 2, maximize->Rect.top + 5), MaxStates[3]);
    Click(w, maximize->Rect);
    // Without a maximize box a double click on the caption is the native one's.
    SendMessageA(w, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(w, TRect(60, 6, 80, 12)));
    Application->ProcessMessages();
    EXPECT_TRUE(gCommands.empty());
    EXPECT_FALSE(IsZoomed(w));

    gCommands.clear();
    EnableMenuItem(GetSystemMenu(w, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    Click(w, Button(f, 0)->Rect);
    EXPECT_TRUE(gCommands.empty());
    EnableMenuItem(GetSystemMenu(w, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    Click(w, Button(f, 0)->Rect);
    EXPECT_EQ(gCommands, std::vector<WPARAM>{SC_CLOSE});
    // Maximized all the same, it is restored by a double click on its caption.
    ShowWindow(w, SW_MAXIMIZE);
    ASSERT_TRUE(PumpUntil([f] { return f->SizeState() == TSkinForm::ssMaximized; })) << "not maximized";
    gCommands.clear();
    SendMessageA(w, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(w, TRect(60, 6, 80, 12)));
    Application->ProcessMessages();
    EXPECT_EQ(gCommands, std::vector<WPARAM>{SC_RESTORE});
}

TEST_F(SkinFrameTest, CaptionHintsAfterTwiceTheHintPause)
{
    TSkinData* d = Data();
    const int pause = Application->HintPause(), hide = Application->HintHidePause();
    Application->SetHintPause(100);
    Application->SetHintHidePause(100000);
    const HWND w = NewWindow();
    TSkinForm* f = Skin(w);
    ASSERT_NE(f, nullptr);
    SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
    f->HoverTimerObject()->SetEnabled(true);
    auto hover = [&](TWinSysButton* b) {
        const LPARAM at = ScreenPoint(w, b->Rect);
        SetCursorPos(static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at)));
        SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, at);
    };
    auto hint = [d] {
        char text[64] = {};
        if (d->HintWindow()->HandleAllocated())
            GetWindowTextA(d->HintWindow()->WindowHandle(), text, sizeof text);
        return String(text);
    };
    hover(Button(f, 0));
    EXPECT_FALSE(d->FHintShown);
    ASSERT_TRUE(PumpUntil([d] { return d->FHintShown; }, 2000));
    EXPECT_EQ(hint(), "Close");
    EXPECT_TRUE(IsWindowVisible(d->HintWindow()->WindowHandle()));
    // Below the cursor, from the button's left edge.
    const TRect at = WindowRectOf(d->HintWindow()->WindowHandle());
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(at.left, WindowRectOf(w).left + Button(f, 0)->Rect.left);
    EXPECT_EQ(at.top, cursor.y + 24);
    // A press hides it; another button says what it does.
    SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(w, Button(f, 0)->Rect));
    EXPECT_FALSE(d->FHintShown);
    hover(Button(f, 2));
    ASSERT_TRUE(PumpUntil([d] { return d->FHintShown; }, 2000));
    EXPECT_EQ(hint(), "Minimize");
    // The skin's own button has no hint; leaving hides it.
    hover(Button(f, 5));
    ASSERT_TRUE(PumpUntil([d] { return d->FHoverTime >= 2 * 100 + 250; }, 2000)) << "the hover timer did not run";
    EXPECT_FALSE(d->FHintShown);
    SetCursorPos(5, 5);
    EXPECT_TRUE(PumpUntil([f] { return f->HotObject() == nullptr; }, 1000));
    EXPECT_EQ(d->FHoverTime, 0);
    Application->SetHintPause(pause);
    Application->SetHintHidePause(hide);
}

TEST_F(SkinFrameTest, UnskinningGivesEverythingBackExactly)
{
    for (const char* theme : {"default.skn", "macos.skn", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(theme ? theme : "test skin");
        TSkinData* d = Data(theme);
        TForm* form = NewForm(bsSingle);
        const HWND w = form->Handle();
        form->SetColor(clAqua);
        const DWORD style = GetWindowLongA(w, GWL_STYLE), exStyle = GetWindowLongA(w, GWL_EXSTYLE);
        const TRect window = WindowRectOf(w), client = ClientRectOf(w);
        const WNDPROC proc = ProcOf(w);
        const TWndMethod method = form->WindowProc;
        TSkinForm* f = Skin(w);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(ClientRectOf(w), client);
        EXPECT_NE(GetWindowRgn(w, CreateRectRgn(0, 0, 0, 0)), ERROR);
        EXPECT_NE(form->Color(), clAqua);
        // The skin's frame from the theme's pictures: the borders' state widths and heights.
        EXPECT_EQ(f->LeftBorder(), d->Border(1).Bitmap.Width() / d->Border(1).Frame);
        EXPECT_EQ(f->CaptionHeight(), d->Border(3).Bitmap.Height() / d->Border(3).Frame);

        SkinManager()->SetPendingData(d);
        SkinManager()->SetRunState(TSkinManage::rsRunning);
        SkinManager()->RequestAction(TSkinManage::saDeactivate, 10);
        ASSERT_TRUE(PumpUntil([] { return SkinManager()->FormCount() == 0; }));
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)), style);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w, GWL_EXSTYLE)), exStyle);
        EXPECT_EQ(WindowRectOf(w), window);
        EXPECT_EQ(ClientRectOf(w), client);
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(w, rgn), ERROR) << "no region";
        DeleteObject(rgn);
        EXPECT_EQ(ProcOf(w), proc);
        EXPECT_TRUE(form->WindowProc == method);
        EXPECT_EQ(form->Color(), clAqua);
        d->Free();
    }
}

HWND gMDIClient = nullptr;
LRESULT CALLBACK MDIFrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA(w, gMDIClient, msg, wp, lp);
}
LRESULT CALLBACK MDIChildProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) { return DefMDIChildProcA(w, msg, wp, lp); }

TEST_F(SkinFrameTest, AnMDIFrameAndItsChildren)
{
    TSkinData* d = Data();
    const HWND frame = Track(MakeTestWindow("SkinFrameMDI", MDIFrameProc, ModuleInstance(), WS_OVERLAPPEDWINDOW, 400));
    CLIENTCREATESTRUCT ccs{nullptr, 1000};
    gMDIClient = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 300,
                                 frame, nullptr, ModuleInstance(), &ccs);
    const WNDPROC clientProc = ProcOf(gMDIClient);
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "&File");
    SetMenu(frame, menu);
    ShowWindow(frame, SW_SHOW);
    SkinManager()->InstallHook();  // MDI children are skinned as they are made
    TSkinForm* f = Skin(frame);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->MDIRole(), TSkinForm::mdiFrame);
    EXPECT_TRUE(f->MDIClientHooked());
    EXPECT_EQ(SkinManager()->MDIClient, gMDIClient);
    // A child of the client is skinned as an MDI child, and its maximizing takes its region.
    WNDCLASSA wc{};
    wc.lpfnWndProc = MDIChildProc;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = "SkinFrameMDIChild";
    RegisterClassA(&wc);
    MDICREATESTRUCTA mcs{"SkinFrameMDIChild", "child", ModuleInstance(), 10, 10, 150, 100, WS_OVERLAPPEDWINDOW, 0};
    const auto child = reinterpret_cast<HWND>(SendMessageA(gMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(d->MenuUpdate());
    EXPECT_NE(SkinManager()->FindSkinForm(child), nullptr) << "not skinned as it was made";
    TSkinForm* c = Skin(child);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->MDIRole(), TSkinForm::mdiChild);
    EXPECT_TRUE(c->RegionSet());
    SendMessageA(gMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    SkinManager()->SetMDIMaximized(true);
    EXPECT_FALSE(c->RegionSet());
    EXPECT_TRUE(f->IsMDIChildMaximized());
    // No longer maximized, the children get their regions back; cascading ends the maximizing.
    SkinManager()->SetMDIMaximized(false);
    EXPECT_TRUE(c->RegionSet());
    SkinManager()->SetMDIMaximized(true);
    SendMessageA(gMDIClient, WM_MDICASCADE, 0, 0);
    EXPECT_FALSE(SkinManager()->MDIChildMaximized);
    SendMessageA(gMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    SkinManager()->SetMDIMaximized(true);
    PostMessageA(gMDIClient, SKM_MDIREDRAW, reinterpret_cast<WPARAM>(child), 0);
    Application->ProcessMessages();
    // The last child goes: nothing is maximized, and the frame's menu bar follows its menu again.
    SendMessageA(gMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
    EXPECT_FALSE(SkinManager()->MDIChildMaximized);
    EXPECT_TRUE(d->MenuUpdate());
    // The client's procedure goes back with the frame's skin, and the manager forgets the client.
    f->Unskin();
    EXPECT_EQ(ProcOf(gMDIClient), clientProc);
    EXPECT_EQ(SkinManager()->MDIClient, nullptr);

    // A client that goes while its frame is skinned is forgotten too: nothing is posted to it.
    const HWND frame2 = Track(MakeTestWindow("SkinFrameMDI", MDIFrameProc, ModuleInstance(), WS_OVERLAPPEDWINDOW, 300));
    gMDIClient = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, frame2, nullptr,
                                 ModuleInstance(), &ccs);
    ShowWindow(frame2, SW_SHOW);
    TSkinForm* f2 = Skin(frame2);
    ASSERT_NE(f2, nullptr);
    ASSERT_EQ(SkinManager()->MDIClient, gMDIClient);
    // A menu the client gives the frame does not show as a native menu bar.
    HMENU given = CreateMenu();
    AppendMenuA(given, MF_STRING, 2, "&Window");
    const TRect client2 = ClientRectOf(frame2);
    SendMessageA(gMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(given), 0);
    EXPECT_EQ(GetMenu(frame2), nullptr);
    EXPECT_EQ(ClientRectOf(frame2), client2);
    DestroyMenu(given);
    DestroyWindow(gMDIClient);
    EXPECT_EQ(SkinManager()->MDIClient, nullptr);
    EXPECT_EQ(SkinManager()->MDIFrame, nullptr);
    EXPECT_EQ(f2->MDIClientWindow(), nullptr);
    gMDIClient = nullptr;
}

TEST_F(SkinFrameTest, DialogsGetTheSkinsCaptionOnlyWhenTheyHaveOneAndGrowToShowIt)
{
    Data();
    // Without WS_CAPTION a dialog keeps its size and gets no skinned frame; with one the skin's
    // frame goes around the same client area.
    for (const DWORD caption : {DWORD{0}, DWORD{WS_CAPTION}}) {
        SCOPED_TRACE(caption ? "with a caption" : "without a caption");
        const HWND dialog = Track(TDialogTemplate(WS_POPUP | WS_BORDER | caption, 160, 90).Create());
        ShowWindow(dialog, SW_SHOW);
        const TRect window = WindowRectOf(dialog), client = ClientRectOf(dialog);
        TSkinForm* f = Skin(dialog);
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->Dialog());
        EXPECT_EQ(ClientRectOf(dialog), client);
        SendMessageA(dialog, WM_NCPAINT, 1, 0);
        const TColor top = WindowPixel(dialog, SideWidth + 2, 2);
        if (!caption) {
            EXPECT_EQ(f->BorderKind(), TSkinForm::bkNoCaption);
            EXPECT_EQ(WindowRectOf(dialog), window);
            EXPECT_TRUE(top != TopActive && top != TopInactive) << "no skinned caption";
            // Its background and its static texts are the skin's face colour.
            TBitmap back(20, 20);
            EXPECT_EQ(SendMessageA(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(back.Canvas()->Handle()), 0), 1);
            EXPECT_EQ(At(back, 10, 10), RGB(220, 220, 220));
            EXPECT_EQ(SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(back.Canvas()->Handle()), 0),
                      reinterpret_cast<LRESULT>(SkinManager()->FindSkinForm(dialog)->SkinData()->FFaceBrush.Get()));
            continue;
        }
        EXPECT_EQ(f->BorderKind(), TSkinForm::bkDialog);
        EXPECT_EQ(WindowRectOf(dialog).Height(), client.Height() + CaptionHigh + BottomHigh);
        EXPECT_EQ(top, f->ActiveCaption() ? TopActive : TopInactive);
    }

    // A caption far wider than the dialog: it grows, its controls move right by half the growth.
    TDialogTemplate narrow(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 60, 40);
    narrow.Item(ButtonClass, BS_PUSHBUTTON, 5, 5, 20, 10, IDOK, L"OK");
    const HWND dialog = Track(narrow.Create());
    const String caption = "A caption far wider than the little dialog it belongs to";
    SetWindowTextA(dialog, caption.c_str());
    const HWND child = GetDlgItem(dialog, IDOK);
    auto left = [&] {
        RECT at{};
        GetWindowRect(child, &at);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&at), 2);
        return at.left;
    };
    const int before = left();
    ShowWindow(dialog, SW_SHOW);
    const TRect client = ClientRectOf(dialog);
    TSkinForm* f = Skin(dialog);
    ASSERT_NE(f, nullptr);
    const int plain = client.Width() + 2 * SideWidth;
    const int grown = WindowRectOf(dialog).Width();
    EXPECT_GT(grown, plain);
    // Wide enough for the whole caption in the caption's font.
    HDC dc = GetDC(dialog);
    const HGDIOBJ font = SelectObject(dc, f->CaptionFont()->Handle());
    SIZE text{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    SelectObject(dc, font);
    ReleaseDC(dialog, dc);
    EXPECT_GE(grown, text.cx);
    EXPECT_EQ(left(), before + (grown - plain) / 2);
    EXPECT_EQ(ClientRectOf(dialog).Height(), client.Height());
}

TEST_F(SkinFrameTest, ADamagedSkinFileLeavesTheFramePaintedAsBefore)
{
    TSkinData* d = Data("default.skn");
    TForm* form = NewForm();
    TSkinForm* f = Skin(form->Handle());
    ASSERT_NE(f, nullptr);
    const TFrameMetrics before = f->Metrics();
    // The theme file cut short, as a broken download leaves it.
    TMemoryStream whole;
    whole.LoadFromFile(ThemeSkinPath("macos.skn"));
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const String path = String(folder) + "velmora-damaged.skn";
    TMemoryStream cut;
    cut.WriteBuffer(whole.Memory(), 3000);
    cut.SaveToFile(path);
    EXPECT_ANY_THROW(d->SetSkinFile(path));
    EXPECT_TRUE(d->FSkinEmpty);
    EXPECT_TRUE(PumpUntil([] { return !SkinManager()->ActionTimer().Enabled(); })) << "the action did not run";
    EXPECT_EQ(f->Metrics(), before);
    std::unique_ptr<TBitmap> b = DrawnFrame(form->Handle());
    EXPECT_NE(At(*b, 1, b->Height() / 2), Untouched) << "still painted from the skin read before";
    EXPECT_EQ(SendMessageA(form->Handle(), SKM_ISSKINNED, 0, 0), 1);
    DeleteFileA(path.c_str());
}

int gSkinnedCalls = 0;
class TThrowingHandler : public TObject {
public:
    void Skinned(TObject*, HWND, const String&)
    {
        ++gSkinnedCalls;
        throw EInvalidOperation("a failing skin");
    }
};

TEST_F(SkinFrameTest, AFailureInsideTheWindowProcedureLeavesTheWindowUnskinnedAndWorking)
{
    TSkinData* d = Data();
    TThrowingHandler handler;
    d->OnAfterSkinForm = TOnSkinForm(&handler, &TThrowingHandler::Skinned);
    TForm* form = NewForm();
    const HWND w = form->Handle();
    const WNDPROC proc = ProcOf(w);
    const TWndMethod method = form->WindowProc;
    const TRect window = WindowRectOf(w);
    ASSERT_TRUE(SkinManager()->SkinWindow(w));
    ASSERT_TRUE(PumpUntil([] { return gSkinnedCalls > 0; }));
    EXPECT_TRUE(PumpUntil([&] { return ProcOf(w) == proc; })) << "the procedure was not given back";
    EXPECT_TRUE(TakeReportedExceptions().empty()) << "silently";
    EXPECT_TRUE(form->WindowProc == method);
    EXPECT_NE(SendMessageA(w, SKM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(WindowRectOf(w), window);
    SkinManager()->PurgeForms();
    EXPECT_EQ(SkinManager()->FormCount(), 0);
    form->SetCaption("still working");
    EXPECT_EQ(form->Caption(), "still working");
}

TEST_F(SkinFrameTest, ARightClickOnTheCaptionIsTheSkinsAlsoWithoutASystemMenu)
{
    Data();
    const HWND w = NewWindow(WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME);
    TSkinForm* f = Skin(w);
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(f->SystemMenu(), nullptr);  // so no skinned menu opens below
    bool menu = false;  // a native one would, if the click reached the window's own handling
    TScript escape(50, [&](int) {
        if (OpenMenuWindow()) {
            menu = true;
            PostKey(w, VK_ESCAPE);
        }
    });
    ClickScreen(WindowToScreen(w, 90, CaptionHigh - 4), mbRight);
    // In the client area the window's own handling runs; input comes in order, so the caption
    // click was handled before this one arrives.
    ClickScreen(WindowToScreen(w, 90, CaptionHigh + 40), mbRight);
    EXPECT_TRUE(PumpUntil([] { return !gRightClicks.empty(); })) << "the client click did not arrive";
    EXPECT_EQ(std::count(gRightClicks.begin(), gRightClicks.end(), WM_NCRBUTTONDOWN), 0)
        << "the window's own procedure saw the caption click";
    EXPECT_FALSE(menu);
}

TEST_F(SkinFrameTest, OnNT4TheCloseButtonClosesAndTheSystemMenuIsTheFixedOne)
{
    const TSystemVersion nt4(WindowsNT4);
    Data();
    const HWND w = NewWindow();
    TSkinForm* f = Skin(w);
    ASSERT_NE(f, nullptr);
    SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
    // A greyed Close item does not keep an NT 4 window open.
    EnableMenuItem(GetSystemMenu(w, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    const TRect close = Button(f, 0)->Rect;
    ClickScreen(WindowToScreen(w, (close.left + close.right) / 2, (close.top + close.bottom) / 2));
    EXPECT_TRUE(PumpUntil([] { return !gCommands.empty(); }, 1000));
    EXPECT_EQ(gCommands, std::vector<WPARAM>{SC_CLOSE});

    // A right click on the caption opens the fixed menu.
    std::vector<String> captions;
    bool open = false;
    TScript script(100, [&](int) {
        if (!OpenMenuWindow())
            return;
        TPopupMenu* menu = f->SystemPopupMenu();
        if (!open && menu) {
            open = true;
            for (int i = 0; i < menu->Items()->Count(); ++i)
                captions.push_back(menu->Items()->Items(i)->Caption());
        }
        PostKey(w, VK_ESCAPE);  // any menu, the native one too
    });
    ClickScreen(WindowToScreen(w, 90, CaptionHigh - 4), mbRight);
    EXPECT_TRUE(PumpUntil([&] { return open; })) << "the system menu did not open";
    EXPECT_TRUE(PumpUntil([] { return !OpenMenuWindow(); })) << "the system menu did not close";
    EXPECT_EQ(captions, (std::vector<String>{" Restore ", " Maximize ", " Minimize ", "-", " Close "}));
    EXPECT_TRUE(gRightClicks.empty());
}

TEST_F(SkinFrameTest, WithinTheDoubleClickTimeOnlyTheIconButtonActsAgainAndItCloses)
{
    // The skin's window-icon button at the left; a double-click time no busy machine outruns,
    // taken by the skinned window when it is made.
    LoadTestSkin(*Data(), std::string(TestSkinIni) + "[Button.Icon]\nAction=3\nAlign=0\nXcoord=30\nYcoord=2\n");
    const UINT doubleClick = GetDoubleClickTime();
    SetDoubleClickTime(60000);
    const HWND w = NewWindow();
    TSkinForm* f = Skin(w);
    SetDoubleClickTime(doubleClick);
    ASSERT_NE(f, nullptr);
    ASSERT_GE(f->DoubleClickTime(), 5000u);  // the system may cap it there
    int opened = 0;
    bool closing = false;
    TScript escape(50, [&](int) {
        if (!OpenMenuWindow()) {
            closing = false;
        } else if (!closing) {
            closing = true;
            ++opened;
            PostKey(w, VK_ESCAPE);
        }
    });
    // The first right click opens the skinned system menu; the second one within the time
    // opens nothing and, with no caption button under the mouse, does nothing else either.
    ClickScreen(WindowToScreen(w, 90, CaptionHigh - 4), mbRight);
    ASSERT_TRUE(PumpUntil([&] { return opened == 1 && !OpenMenuWindow(); })) << "the system menu did not open";
    SendMessageA(w, WM_NCRBUTTONDOWN, HTCAPTION, ScreenPoint(w, TRect(90, 6, 91, 7)));
    Application->ProcessMessages();
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_TRUE(gCommands.empty());
    // A double click on the icon button is a close; a click on it within the time closes too.
    TWinSysButton* icon = Button(f, 3);
    ASSERT_TRUE(icon && icon->Visible);
    SendMessageA(w, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(w, icon->Rect));
    Application->ProcessMessages();
    EXPECT_EQ(gCommands, std::vector<WPARAM>{SC_CLOSE});
    EXPECT_FALSE(f->HoverTimerObject()->Enabled());
    Click(w, icon->Rect);
    EXPECT_TRUE(PumpUntil([w] { return !IsWindow(w); })) << "the window was not closed";
    EXPECT_EQ(opened, 1);
}

TEST_F(SkinFrameTest, ACaptionTextBackTooLowForItsStatesLeavesTheCaptionAsItIs)
{
    std::string ini = TestSkinIni;
    ini.insert(ini.find("TextAlignment=0"), "TextBack=back1.bmp\nTXTBackleft=10\nTXTBackRight=10\n");
    LoadTestSkin(*Data(), ini);
    const HWND w = NewForm()->Handle();
    TSkinForm* f = Skin(w);
    ASSERT_NE(f, nullptr);
    SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
    std::unique_ptr<TBitmap> b = DrawnFrame(w);
    // Inside the back's left margin, below the caption buttons: the caption bar shows through.
    const TRect back = f->CaptionTextRect();
    ASSERT_GT(back.Width(), 20);
    EXPECT_EQ(At(*b, back.left + 3, CaptionHigh - 3), TopActive);
    EXPECT_EQ(At(*b, back.right - 3, CaptionHigh - 3), TopActive);
}

}  // namespace

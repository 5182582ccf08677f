// The edit skin on real edits and time pickers: the border rings on screen and printed, the
// client area painted into a given DC, text, selection and focus as unskinned, and the spin
// arrows of a time picker (or any spin child) skinned inside the border.
#include <windows.h>

#include <commctrl.h>

#include "controlskintest.h"
#include "datetimepicker.h"
#include "skinedit.h"
#include "skinmessages.h"
#include "skinrange.h"
#include "stdctrls.h"

namespace {

class TEditLog : public TObject {
public:
    void Change(TObject*) { ++Changes; }
    void Enter(TObject*) { ++Enters; }
    void Exit(TObject*) { ++Exits; }
    int Changes = 0, Enters = 0, Exits = 0;
};

// A printed window: a bitmap of its size whose DC has a blue brush selected.
std::unique_ptr<TBitmap> Printed(HWND wnd)
{
    RECT w{};
    GetWindowRect(wnd, &w);
    auto b = std::make_unique<TBitmap>(w.right - w.left, w.bottom - w.top);
    HDC dc = b->Canvas()->Handle();
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    HGDIOBJ old = SelectObject(dc, blue);
    SendMessageA(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    SelectObject(dc, old);
    DeleteObject(blue);
    return b;
}

class EditSkinTest : public ControlSkinTest {
protected:
    TEdit* NewEdit(const char* name = "Edit1", int top = 20)
    {
        auto* e = Add<TEdit>(Form, Form, name, 20, top, 150, 24);
        e->OnChange = TNotifyEvent(&Log, &TEditLog::Change);
        e->OnEnter = TNotifyEvent(&Log, &TEditLog::Enter);
        e->OnExit = TNotifyEvent(&Log, &TEditLog::Exit);
        return e;
    }
    TEditLog Log;
};

}  // namespace

TEST_F(EditSkinTest, BorderedEditGetsTheRingsOnScreen)
{
    TEdit* edit = NewEdit();
    edit->SetText("Velmora");
    auto* skin = SkinControl<TSkinEdit>(TSkinKind::Edit, edit);
    ASSERT_STREQ(skin->ClassName().c_str(), "TSkinEdit");
    std::unique_ptr<TBitmap> shot = ScreenOf(edit->Handle());
    const int mid = shot->Height() / 2;
    EXPECT_EQ(At(*shot, 0, mid), Shadow());
    EXPECT_EQ(At(*shot, 1, mid), clWhite);
    EXPECT_EQ(At(*shot, 2, mid), clWhite);
    EXPECT_EQ(At(*shot, shot->Width() - 1, mid), Shadow());
    EXPECT_EQ(At(*shot, 40, 0), Shadow());
    EXPECT_EQ(At(*shot, 40, shot->Height() - 2), clWhite);

    // Focus in and out repaints it the same way.
    edit->SetFocus();
    PumpFor(20);
    shot = ScreenOf(edit->Handle());
    EXPECT_EQ(At(*shot, 0, mid), Shadow());
    EXPECT_EQ(At(*shot, 1, mid), clWhite);
}

TEST_F(EditSkinTest, EditWithoutABorderIsLeftAlone)
{
    HWND plain = RawChild("EDIT", 0, 20, 80, 150, 20, "plain");
    SkinWindow<TSkinEdit>(TSkinKind::Edit, plain);
    std::unique_ptr<TBitmap> shot = ScreenOf(plain);
    // Nothing of the skin's: no shadow line at the edge.
    EXPECT_NE(At(*shot, 0, 10), Shadow());
    EXPECT_NE(At(*shot, 60, 0), Shadow());
}

TEST_F(EditSkinTest, PrintedBorderUsesTheDCsBrushInside)
{
    TEdit* edit = NewEdit();
    SkinControl<TSkinEdit>(TSkinKind::Edit, edit);
    std::unique_ptr<TBitmap> shot = Printed(edit->Handle());
    const int mid = shot->Height() / 2;
    EXPECT_EQ(At(*shot, 0, mid), Shadow());
    EXPECT_EQ(At(*shot, 1, mid), clBlue);
    EXPECT_EQ(At(*shot, shot->Width() - 2, mid), clBlue);

    // A one-pixel border gets nothing of the skin's when printed.
    HWND thin = RawChild("STATIC", WS_BORDER, 20, 80, 150, 20, "thin");
    SkinWindow<TSkinEdit>(TSkinKind::Edit, thin);
    RECT client{};
    GetClientRect(thin, &client);
    ASSERT_EQ(client.right, 148);
    shot = Printed(thin);
    EXPECT_NE(At(*shot, 0, 10), Shadow());
    EXPECT_NE(At(*shot, 1, 10), clBlue);
}

TEST_F(EditSkinTest, PaintToDCPaintsTheClientAreaOnly)
{
    TEdit* edit = NewEdit();
    edit->SetText("WWWW");
    SkinControl<TSkinEdit>(TSkinKind::Edit, edit);
    RECT client{};
    GetClientRect(edit->Handle(), &client);
    std::unique_ptr<TBitmap> painted = Filled(client.right, client.bottom, clLime);
    TBitmap& b = *painted;
    const WPARAM dc = reinterpret_cast<WPARAM>(b.Canvas()->Handle());
    EXPECT_EQ(SendMessageA(edit->Handle(), SKM_PAINTTODC, dc, SKM_MAGIC), SKM_MAGIC);
    int ink = 0, border = 0, lime = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = At(b, x, y);
            ink += c != clWhite && c != clLime;
            border += c == Shadow();
            lime += c == clLime;
        }
    EXPECT_GT(ink, 10);      // the text
    EXPECT_EQ(border, 0);    // no border of ours in it
    EXPECT_LT(lime, b.Width() * b.Height() / 2);  // the edit's background was painted

    // Without a DC it only answers; without the magic value nothing happens.
    EXPECT_EQ(SendMessageA(edit->Handle(), SKM_PAINTTODC, 0, SKM_MAGIC), SKM_MAGIC);
    EXPECT_EQ(SendMessageA(edit->Handle(), SKM_PAINTTODC, dc, 7), 0);
}

TEST_F(EditSkinTest, TextSelectionAndFocusAsUnskinned)
{
    TEdit* edit = NewEdit();
    TEdit* next = NewEdit("Edit2", 60);
    SkinControl<TSkinEdit>(TSkinKind::Edit, edit);
    edit->SetFocus();
    PumpFor(20);
    EXPECT_EQ(Log.Enters, 1);
    for (char c : std::string("abc"))
        TypeChar(c);
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(Log.Changes, 3);
    edit->SetSelStart(1);
    edit->SetSelLength(1);
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 1);
    TypeChar('X');
    EXPECT_EQ(edit->Text(), "aXc");
    PressKey(VK_HOME);
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(GetFocus(), edit->Handle());
    next->SetFocus();
    PumpFor(20);
    EXPECT_EQ(Log.Exits, 1);
    EXPECT_EQ(Log.Enters, 2);
    EXPECT_EQ(Log.Changes, 4);
}

TEST_F(EditSkinTest, TimePickerSpinArrowsAreSkinnedInsideTheBorderAndStillCount)
{
    auto make = [&](const char* name, int top) {
        auto* p = Add<TDateTimePicker>(Form, Form, name, 20, top, 120, 24);
        p->SetKind(dtkTime);
        p->SetFormat("HH:mm:ss");
        p->SetTime(EncodeTime(10, 20, 30, 0));
        return p;
    };
    TDateTimePicker* skinned = make("Picker1", 20);
    TDateTimePicker* plain = make("Picker2", 80);
    auto* skin = SkinControl<TSkinEdit>(TSkinKind::Edit, skinned);
    ScreenOf(skinned->Handle());
    HWND spin = FindWindowExA(skinned->Handle(), nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(spin, nullptr);
    ASSERT_NE(skin->SpinSkin(), nullptr);
    EXPECT_EQ(skin->SpinSkin()->Handle(), spin);
    EXPECT_TRUE(skin->SpinSkin()->InEdit());
    EXPECT_EQ(SendMessageA(spin, SKM_ISSKINNED, 0, 0), 1);

    // On screen: the rings at the picker's edge, then white up to 3 pixels in, then the arrows.
    std::unique_ptr<TBitmap> shot = ScreenOf(skinned->Handle());
    const int w = shot->Width();
    RECT s{}, p{};
    GetWindowRect(spin, &s);
    GetWindowRect(skinned->Handle(), &p);
    const int sy = (s.top + s.bottom) / 2 - p.top;
    EXPECT_EQ(At(*shot, w - 1, sy), Shadow());
    EXPECT_EQ(At(*shot, w - 2, sy), clWhite);
    EXPECT_EQ(At(*shot, w - 3, sy), clWhite);
    EXPECT_NE(At(*shot, w - 4, sy), clWhite);
    const TDataSkinObject& vert = *Data->FUpDownVert;
    const TColor border = PicturePixel(vert.Bitmap, vert.Bitmap.Width() / vert.Frame / 2, 0);
    EXPECT_EQ(At(*shot, (s.left + s.right) / 2 - p.left, 3), border);

    // The same clicks on the skinned and the plain picker change them the same way.
    for (TDateTimePicker* picker : {skinned, plain}) {
        HWND arrows = FindWindowExA(picker->Handle(), nullptr, UPDOWN_CLASSA, nullptr);
        ClickAt(picker->Handle(), 6, 10);
        ClickAt(arrows, 4, 3);
        ClickAt(arrows, 4, 3);
    }
    EXPECT_EQ(skinned->Time(), plain->Time());
    EXPECT_NE(plain->Time(), EncodeTime(10, 20, 30, 0));
}

namespace {

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

}  // namespace

TEST_F(EditSkinTest, AnySpinChildByItsClassNameAndOnlyWithSpinsOn)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = &PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TestSpinBox";
    RegisterClassA(&wc);
    for (bool spins : {true, false}) {
        SCOPED_TRACE(spins);
        TSkinControlTypes kinds = Data->SkinControls();
        if (spins)
            kinds.Include(xcSpin);
        else
            kinds.Exclude(xcSpin);
        Data->SetSkinControls(kinds);
        HWND edit = RawChild("EDIT", 0, 20, 120, 150, 24);
        SetWindowLongA(edit, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
        SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        HWND child = CreateWindowExA(0, "TestSpinBox", "", WS_CHILD | WS_VISIBLE, 120, 0, 16, 20, edit, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        auto* skin = SkinWindow<TSkinEdit>(TSkinKind::Edit, edit);
        PaintedBy(skin);
        if (spins) {
            ASSERT_NE(skin->SpinSkin(), nullptr);
            EXPECT_EQ(skin->SpinSkin()->Handle(), child);
        } else {
            EXPECT_EQ(skin->SpinSkin(), nullptr);
        }
        DestroyWindow(edit);
    }
    UnregisterClassA("TestSpinBox", GetModuleHandleA(nullptr));
}

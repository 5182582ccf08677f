// The edit skin on real edits and time pickers: the border rings on screen and printed, the
// client area painted into a given DC, text, selection and focus as unskinned, and the time
// picker's spin arrows skinned inside its border.
#include <windows.h>

#include <commctrl.h>

#include "controlskintest.h"
#include "datetimepicker.h"
#include "skinedit.h"
#include "skinmessages.h"
#include "skinrange.h"
#include "stdctrls.h"

namespace {

// The window printed into a bitmap whose DC has a blue brush selected.
std::unique_ptr<TBitmap> Printed(HWND wnd)
{
    RECT w{};
    GetWindowRect(wnd, &w);
    auto b = std::make_unique<TBitmap>(w.right - w.left, w.bottom - w.top);
    HDC dc = b->Canvas()->Handle();
    TGdiObject<HBRUSH> blue(CreateSolidBrush(RGB(0, 0, 255)));
    HGDIOBJ old = SelectObject(dc, blue.Get());
    SendMessageA(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    SelectObject(dc, old);
    return b;
}

class EditSkinTest : public ControlSkinTest {
protected:
    EditSkinTest() : ControlSkinTest(360, 260, "default.skn") {}
    TEdit* NewEdit(const char* name, int top)
    {
        auto* e = Add<TEdit>(Form, Form, name, 20, top, 150, 24);
        e->OnChange = TNotifyEvent(&Log, &TEventLog::Change);
        e->OnEnter = TNotifyEvent(&Log, &TEventLog::Enter);
        e->OnExit = TNotifyEvent(&Log, &TEventLog::Exit);
        return e;
    }
    TEventLog Log;
};

}  // namespace

TEST_F(EditSkinTest, BorderRingsOnScreenAndPrinted)
{
    TEdit* edit = NewEdit("Edit1", 20);
    SkinControl<TSkinEdit>(TSkinKind::Edit, edit);
    edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Log.Enters == 1; })) << "the edit did not take the focus";
    std::unique_ptr<TBitmap> shot = ScreenOf(edit->Handle());
    const int mid = shot->Height() / 2, right = shot->Width() - 1;
    EXPECT_EQ(At(*shot, 0, mid), Shadow());
    EXPECT_EQ(At(*shot, 1, mid), clWhite);
    EXPECT_EQ(At(*shot, 2, mid), clWhite);
    EXPECT_EQ(At(*shot, right, mid), Shadow());
    EXPECT_EQ(At(*shot, 40, 0), Shadow());
    // Printed: the outer line, then a line in the DC's own brush.
    shot = Printed(edit->Handle());
    EXPECT_EQ(At(*shot, 0, mid), Shadow());
    EXPECT_EQ(At(*shot, 1, mid), clBlue);
    EXPECT_EQ(At(*shot, right - 1, mid), clBlue);

    // No border, also when a scroll bar narrows the client area one way only: left alone; a
    // one-pixel border: nothing when printed.
    for (auto [style, top] : {std::pair<DWORD, int>{0, 80}, {ES_MULTILINE | WS_HSCROLL, 140}}) {
        HWND plain = RawChild("EDIT", style, 20, top, 150, 40, "plain");
        SkinWindow<TSkinEdit>(TSkinKind::Edit, plain);
        EXPECT_NE(At(*ScreenOf(plain), 0, 10), Shadow()) << style;
    }
    // A spin child of a class whose name says so, in any case, gets its arrows skinned.
    HWND spinEdit = RawChild("EDIT", WS_BORDER, 200, 80, 100, 24);
    HWND spin = MakeTestWindow("VelmoraSpinBox", DefWindowProcA, GetModuleHandleA(nullptr), WS_CHILD | WS_VISIBLE, 16,
                               spinEdit);
    auto* withSpin = SkinWindow<TSkinEdit>(TSkinKind::Edit, spinEdit);
    ScreenOf(spinEdit);
    ASSERT_NE(withSpin->SpinSkin(), nullptr);
    EXPECT_EQ(withSpin->SpinSkin()->Handle(), spin);
    HWND thin = RawChild("STATIC", WS_BORDER, 20, 110, 150, 20, "thin");
    SkinWindow<TSkinEdit>(TSkinKind::Edit, thin);
    shot = Printed(thin);
    EXPECT_NE(At(*shot, 0, 10), Shadow());
    EXPECT_NE(At(*shot, 1, 10), clBlue);
}

TEST_F(EditSkinTest, PaintToDCPaintsTheClientAreaOnly)
{
    TEdit* edit = NewEdit("Edit1", 20);
    edit->SetText("WWWW");
    SkinControl<TSkinEdit>(TSkinKind::Edit, edit);
    RECT client{};
    GetClientRect(edit->Handle(), &client);
    std::unique_ptr<TBitmap> b = Filled(client.right, client.bottom, clLime);
    const WPARAM dc = reinterpret_cast<WPARAM>(b->Canvas()->Handle());
    EXPECT_EQ(SendMessageA(edit->Handle(), SKM_PAINTTODC, dc, SKM_MAGIC), SKM_MAGIC);
    EXPECT_EQ(CountOf(*b, client, clLime), 0);  // painted all over, by the edit itself
    EXPECT_GT(client.right * client.bottom - CountOf(*b, client, clWhite), 10);  // its text
    EXPECT_EQ(CountOf(*b, client, Shadow()), 0);  // and no border of ours
    // Without a DC it only answers; without the magic value nothing happens.
    EXPECT_EQ(SendMessageA(edit->Handle(), SKM_PAINTTODC, 0, SKM_MAGIC), SKM_MAGIC);
    EXPECT_EQ(SendMessageA(edit->Handle(), SKM_PAINTTODC, dc, 7), 0);
}

TEST_F(EditSkinTest, TextSelectionAndFocusAsUnskinned)
{
    TEdit* edit = NewEdit("Edit1", 20);
    TEdit* next = NewEdit("Edit2", 60);
    SkinControl<TSkinEdit>(TSkinKind::Edit, edit);
    edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Log.Enters == 1; })) << "the edit did not take the focus";
    for (char c : std::string("abc"))
        TypeChar(c);
    edit->SetSelStart(1);
    edit->SetSelLength(1);
    EXPECT_EQ(edit->SelLength(), 1);
    TypeChar('X');
    EXPECT_EQ(edit->Text(), "aXc");
    PressKey(VK_HOME);
    EXPECT_EQ(edit->SelStart(), 0);
    next->SetFocus();
    EXPECT_TRUE(PumpUntil([&] { return Log.Exits == 1 && Log.Enters == 2; })) << "the focus did not move on";
    EXPECT_EQ(Log.Changes, 4);
    EXPECT_EQ(Log.Enters, 2);
    EXPECT_EQ(Log.Exits, 1);
}

TEST_F(EditSkinTest, TimePickerSpinArrowsSkinnedInsideTheBorderAndCounting)
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
    std::unique_ptr<TBitmap> shot = ScreenOf(skinned->Handle());
    HWND spin = FindWindowExA(skinned->Handle(), nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(skin->SpinSkin(), nullptr);
    EXPECT_EQ(skin->SpinSkin()->Handle(), spin);
    EXPECT_TRUE(skin->SpinSkin()->InEdit());
    // The rings at the picker's edge, white up to 3 pixels in, then the arrows' picture.
    shot = ScreenOf(skinned->Handle());
    RECT s{}, p{};
    GetWindowRect(spin, &s);
    GetWindowRect(skinned->Handle(), &p);
    const int w = shot->Width(), y = (s.top + s.bottom) / 2 - p.top;
    EXPECT_EQ(At(*shot, w - 1, y), Shadow());
    EXPECT_EQ(At(*shot, w - 3, y), clWhite);
    EXPECT_NE(At(*shot, w - 4, y), clWhite);
    const TDataSkinObject& vert = *Data->FUpDownVert;
    EXPECT_EQ(At(*shot, (s.left + s.right) / 2 - p.left, 3), PicturePixel(vert.Bitmap, vert.Bitmap.Width() / 16, 0));

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

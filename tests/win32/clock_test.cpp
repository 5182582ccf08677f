// The desktop clock: the digits and the AM/PM picture for chosen times (through the wall-clock
// seam), the blinking colon and the timers running while hidden, a missing or damaged picture,
// the main window's popup menu on a right click, dragging with the other buttons, closing, and
// the main window's transparency.
#include <cstdio>

#include "clock.h"
#include "extctrls.h"
#include "guitest.h"
#include "main.h"
#include "menuloop.h"
#include "menus.h"
#include "realinput.h"
#include "timer.h"
#include "trackbar.h"

namespace {

TDateTime gNow = 0;
TDateTime FixedNow() { return gNow; }

// The picture files of the program folder, as the clock loads them.
String PictureFile(const String& name) { return ExtractFilePath(Application->ExeName()) + "digital clock\\" + name; }

// True when the image holds exactly the picture of that file.
bool Shows(TImage* image, const String& name)
{
    auto* shown = As<TBitmap>(image->Picture()->Graphic());
    if (!shown)
        return false;
    TPicture expected;
    expected.LoadFromFile(PictureFile(name));
    auto* want = As<TBitmap>(expected.Graphic());
    if (shown->Width() != want->Width() || shown->Height() != want->Height())
        return false;
    TPixelBuffer a = shown->PixelBuffer(), b = want->PixelBuffer();
    for (int y = 0; y < a.Height; ++y)
        for (int x = 0; x < a.Width; ++x)
            if ((a.At(x, y) & 0xFFFFFF) != (b.At(x, y) & 0xFFFFFF))
                return false;
    return true;
}

bool Empty(TImage* image) { return !image->Picture()->Graphic() || image->Picture()->Graphic()->Empty(); }

// Records what reaches the clock's window procedure and keeps the system's move loop out.
class TMoveRecorder : public TObject {
public:
    explicit TMoveRecorder(TControl* c) : FControl(c), FOld(c->WindowProc) { c->WindowProc = TWndMethod(this, &TMoveRecorder::Proc); }
    ~TMoveRecorder() override { FControl->WindowProc = FOld; }
    int Moves = 0;

private:
    void Proc(TMessage& m)
    {
        if (m.Msg == WM_SYSCOMMAND && m.WParam == 0xF012) {
            ++Moves;
            EXPECT_EQ(GetCapture(), nullptr);  // released first, so the move loop gets the mouse
            return;
        }
        FOld(m);
    }
    TControl* FControl;
    TWndMethod FOld;
};

class TPopupLog : public TObject {
public:
    int Popups = 0;
    void Popup(TObject*) { ++Popups; }
};

}  // namespace

class ClockTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        gNow = EncodeDate(2024, 3, 1) + EncodeTime(9, 15, 0, 0);
        SetNowFunc(&FixedNow);
        Application->CreateForm(Form1);
        Application->CreateForm(FrmClock);
    }
    void TearDown() override
    {
        FreeAndNil(FrmClock);
        FreeAndNil(Form1);
        Application->SetMainForm(nullptr);
        SetNowFunc(nullptr);
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey + 1);  // the slider writes its position
        GuiTest::TearDown();
    }
    void At(int h, int m, int s)
    {
        gNow = EncodeDate(2024, 3, 1) + EncodeTime(h, m, s, 0);
        FrmClock->UpdateDigits();
    }
    bool Digits(const char* six)
    {
        TImage* images[] = {FrmClock->Image2, FrmClock->Image8, FrmClock->Image9,
                            FrmClock->Image3, FrmClock->Image6, FrmClock->Image7};
        for (int i = 0; i < 6; ++i)
            if (!Shows(images[i], String("Hour_") + six[i] + ".bmp"))
                return false;
        return true;
    }
};

TEST(ClockTime, FractionOfTheDayAndAfterNoon)
{
    EXPECT_DOUBLE_EQ(TimeFraction(EncodeDate(2024, 3, 1) + 0.25), 0.25);
    EXPECT_DOUBLE_EQ(TimeFraction(-1.75), 0.75);  // before 1899-12-30 the fraction counts the same
    EXPECT_FALSE(IsAfterNoon(EncodeDate(2024, 3, 1) + EncodeTime(11, 59, 59, 999)));
    EXPECT_TRUE(IsAfterNoon(EncodeDate(2024, 3, 1) + EncodeTime(12, 0, 0, 0)));
    EXPECT_FALSE(IsAfterNoon(EncodeDate(2024, 3, 1)));
}

TEST_F(ClockTest, ShowsTheTimeOnBlackWithTheMainWindowsMenu)
{
    EXPECT_EQ(FrmClock->PopupMenu(), Form1->PopupMenu1);
    EXPECT_EQ(FrmClock->ClientWidth(), 171);
    EXPECT_EQ(FrmClock->ClientHeight(), 45);
    EXPECT_TRUE(FrmClock->Timer1->Running() && FrmClock->Timer2->Running());
    FrmClock->Show();
    EXPECT_EQ(FrmClock->Color(), clBlack);
    EXPECT_TRUE(Shows(FrmClock->Image4, "Colon_ON.bmp"));
    EXPECT_TRUE(Digits("091500"));
    EXPECT_TRUE(Shows(FrmClock->Image5, "AM.bmp"));
}

TEST_F(ClockTest, DigitsForChosenTimes)
{
    At(13, 5, 9);
    EXPECT_TRUE(Digits("130509"));
    EXPECT_TRUE(Shows(FrmClock->Image5, "PM.bmp"));
    At(0, 0, 0);
    EXPECT_TRUE(Digits("000000"));
    EXPECT_TRUE(Shows(FrmClock->Image5, "AM.bmp"));
    At(12, 0, 0);
    EXPECT_TRUE(Digits("120000"));
    EXPECT_TRUE(Shows(FrmClock->Image5, "PM.bmp"));
    At(23, 59, 58);
    EXPECT_TRUE(Digits("235958"));
}

TEST_F(ClockTest, AmPmFollowsTheTimeAcrossNoon)
{
    FreeAndNil(FrmClock);
    gNow = EncodeDate(2024, 3, 1) + EncodeTime(11, 59, 59, 0);
    Application->CreateForm(FrmClock);
    EXPECT_TRUE(Shows(FrmClock->Image5, "AM.bmp"));  // chosen at creation
    gNow = EncodeDate(2024, 3, 1) + EncodeTime(12, 0, 1, 0);
    // The digit timer runs from creation, also while the clock is hidden.
    ASSERT_FALSE(FrmClock->Visible());
    EXPECT_TRUE(PumpUntil([] { return Shows(FrmClock->Image5, "PM.bmp"); }, 2500));
    EXPECT_TRUE(Digits("120001"));
}

TEST_F(ClockTest, ColonBlinksTwiceASecond)
{
    FrmClock->Show();
    EXPECT_EQ(FrmClock->Timer1->Interval(), 500);
    EXPECT_EQ(FrmClock->Timer2->Interval(), 1000);
    // Each tick of the blink timer turns the colon off, the next one on again.
    for (bool shown : {false, true})
        EXPECT_TRUE(PumpUntil([&] { return FrmClock->Image4->Visible() == shown; }, 2000))
            << "the colon was not " << (shown ? "shown" : "hidden") << " again";
}

TEST_F(ClockTest, MissingOrDamagedPictureLeavesTheImageEmptyAndIsReportedOnce)
{
    FrmClock->LoadDigitImage(FrmClock->Image6, "Hour_1.bmp");
    ASSERT_FALSE(Empty(FrmClock->Image6));
    for (int i = 0; i < 3; ++i)
        FrmClock->LoadDigitImage(FrmClock->Image6, "Hour_missing.bmp");
    EXPECT_TRUE(Empty(FrmClock->Image6));
    std::vector<String> reported = TakeReportedExceptions();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("Hour_missing.bmp"), String::npos);

    // A damaged file in a clock of its own: empty too, one report.
    const String damaged = "damaged_by_clock_test.bmp";
    FILE* f = std::fopen(PictureFile(damaged).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("BM this is no bitmap", f);
    std::fclose(f);
    FreeAndNil(FrmClock);
    Application->CreateForm(FrmClock);
    for (int i = 0; i < 3; ++i)
        FrmClock->LoadDigitImage(FrmClock->Image7, damaged);
    std::remove(PictureFile(damaged).c_str());
    EXPECT_TRUE(Empty(FrmClock->Image7));
    reported = TakeReportedExceptions();
    ASSERT_EQ(reported.size(), 1u);
    // Which of the pictures, then the reader's reason.
    EXPECT_EQ(reported[0].rfind("The picture \"" + PictureFile(damaged) + "\" is damaged: Invalid bitmap", 0), 0u)
        << reported[0];
    // The pictures that are there still load.
    FrmClock->UpdateDigits();
    EXPECT_TRUE(Digits("091500"));
}

TEST_F(ClockTest, RightClickOpensTheMainWindowsMenuOtherButtonsDrag)
{
    FrmClock->Show();
    Application->ProcessMessages();
    HWND wnd = FrmClock->Handle();
    TPopupLog log;
    Form1->PopupMenu1->OnPopup = TNotifyEvent(&log, &TPopupLog::Popup);
    TMoveRecorder moves(FrmClock);

    // On a picture and on the bare form.
    int popups = 0;
    for (POINT p : {POINT{10, 20}, POINT{140, 10}, POINT{70, 42}}) {
        LPARAM at = MakeMsgPoint(p.x, p.y);
        PostMessageA(wnd, WM_RBUTTONDOWN, MK_RBUTTON, at);
        PostMessageA(wnd, WM_RBUTTONUP, 0, at);
        PostMessageA(wnd, WM_KEYDOWN, VK_ESCAPE, 1);  // closes the menu
        ++popups;
        EXPECT_TRUE(PumpUntil([&] { return log.Popups == popups && !OpenMenuWindow(); })) << "no menu at " << p.x;
    }
    EXPECT_EQ(moves.Moves, 0);

    for (auto [down, up, key] : {std::tuple{WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON},
                                 std::tuple{WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON}}) {
        PostMessageA(wnd, down, key, MakeMsgPoint(30, 20));  // Image8
        PostMessageA(wnd, up, 0, MakeMsgPoint(30, 20));
        PostMessageA(wnd, down, key, MakeMsgPoint(70, 42));  // the form between the pictures
        PostMessageA(wnd, up, 0, MakeMsgPoint(70, 42));
    }
    EXPECT_TRUE(PumpUntil([&] { return moves.Moves == 4; })) << moves.Moves << " drags";
    EXPECT_EQ(log.Popups, 3);
}

TEST_F(ClockTest, ItsHintDoesNotStayOverItsOpenMenu)
{
    const int pause = Application->HintPause();
    Application->SetHintPause(150);
    FrmClock->Show();
    SetForegroundWindow(FrmClock->Handle());
    Application->ProcessMessages();
    // The mouse comes onto the clock and right-clicks before the hint is due: the menu opens,
    // and the hint must not come up over it while it is open.
    THintOverMenuWatch watch(FrmClock->Handle());
    POINT at{10, 20};  // on the hour's tens
    ClientToScreen(FrmClock->Handle(), &at);
    ClickScreen(at, mbRight);
    EXPECT_TRUE(PumpUntil([&] { return watch.Done(); }, 3000)) << "the menu did not open";
    EXPECT_TRUE(PumpUntil([] { return !OpenMenuWindow(); })) << "the menu stayed open";
    EXPECT_EQ(watch.MouseControl(), FrmClock->Image2) << "the hint was never due";
    EXPECT_EQ(watch.Shown(), 0);
    Application->CancelHint();
    Application->SetHintPause(pause);
}

TEST_F(ClockTest, ClosingOnlyHidesAndTransparencyFollowsTheMainWindow)
{
    FrmClock->Show();
    FrmClock->Close();
    EXPECT_FALSE(FrmClock->Visible());
    Application->ProcessMessages();
    EXPECT_FALSE(Application->Terminated());
    EXPECT_NE(FrmClock, nullptr);
    EXPECT_TRUE(FrmClock->Timer2->Running());

    Form1->TrackBar1->SetPosition(140);
    EXPECT_EQ(FrmClock->AlphaBlendValue(), 140);
    FrmClock->Show();
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(FrmClock->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 140);
}

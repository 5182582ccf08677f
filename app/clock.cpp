#include "clock.h"

#include <cmath>

#include "extctrls.h"
#include "timer.h"

TFrmClock* FrmClock = nullptr;

namespace {

// Move the window as a drag on its caption would (SC_MOVE with the caption hit code).
constexpr WPARAM SysCommandDragMove = 0xF012;

// The digit "0".."9" selects "Hour_0.bmp".."Hour_9.bmp"; anything else has no picture.
String DigitFile(char digit) { return String("Hour_") + digit + ".bmp"; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char CharAt(const String& s, size_t i) { return i < s.size() ? s[i] : '\0'; }

// The form files of this program name the timer class, which the toolkit does not register
// with its controls.
struct TClockUnit {
    TClockUnit() { RegisterClasses({&TTimer::StaticClass()}); }
} gClockUnit;

}  // namespace

double TimeFraction(TDateTime X)
{
    double whole = 0;
    return std::fabs(std::modf(X, &whole));
}

bool IsAfterNoon(TDateTime X) { return TimeFraction(X) >= 0.5; }

const TClassInfo& TFrmClock::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFrmClock>("TFrmClock", &TForm::StaticClass()).Build();
    return info;
}

TFrmClock::TFrmClock(TComponent* owner) : TForm(owner), FFolder(ExtractFilePath(Application->ExeName()) + "digital clock\\")
{
    InitForm();
}

void TFrmClock::FormCreate(TObject*)
{
    SetAutoSize(true);
    ShowAmPm(Now());
}

void TFrmClock::FormShow(TObject*)
{
    SetColor(clBlack);
    LoadDigitImage(Image4, "Colon_ON.bmp");
    UpdateDigits();
}

void TFrmClock::Timer1Timer(TObject*) { Image4->SetVisible(!Image4->Visible()); }

void TFrmClock::Timer2Timer(TObject*) { UpdateDigits(); }

void TFrmClock::UpdateDigits()
{
    TDateTime now = Now();
    FHourText = FormatDateTime("hh", now);
    FHourMinuteText = FormatDateTime("hh:mm", now);
    FMinuteSecondText = FormatDateTime("mm:ss", now);
    FHour1 = CharAt(FHourText, 0);
    FHour2 = CharAt(FHourText, 1);
    FMinute1 = CharAt(FHourMinuteText, 3);
    FMinute2 = CharAt(FHourMinuteText, 4);
    FSecond1 = CharAt(FMinuteSecondText, 3);
    FSecond2 = CharAt(FMinuteSecondText, 4);
    ShowHourDigits();
    ShowMinuteDigits();
    ShowSecondDigits();
    // The picture follows the time: a clock started in the morning shows PM after noon.
    ShowAmPm(now);
}

void TFrmClock::ShowHourDigits()
{
    ShowDigit(Image2, FHour1);
    ShowDigit(Image8, FHour2);
}

void TFrmClock::ShowMinuteDigits()
{
    ShowDigit(Image9, FMinute1);
    ShowDigit(Image3, FMinute2);
}

void TFrmClock::ShowSecondDigits()
{
    ShowDigit(Image6, FSecond1);
    ShowDigit(Image7, FSecond2);
}

void TFrmClock::ShowDigit(TImage* image, char digit)
{
    if (IsDigit(digit))
        LoadDigitImage(image, DigitFile(digit));
}

void TFrmClock::ShowAmPm(TDateTime now) { LoadDigitImage(Image5, IsAfterNoon(now) ? "PM.bmp" : "AM.bmp"); }

void TFrmClock::LoadDigitImage(TImage* Image, const String& FileName)
{
    try {
        Image->Picture()->LoadFromFile(FFolder + FileName);
    } catch (const Exception&) {
        Image->Picture()->SetGraphic(nullptr);
        // Each error box runs a loop in which this timer fires again: report only the first.
        if (FFaultReported)
            return;
        FFaultReported = true;
        Application->HandleException(this);
    }
}

void TFrmClock::FormMouseDown(TObject*, TMouseButton Button, TShiftState, int, int)
{
    // The system's move loop swallows the button-up that makes the context menu: the right
    // button keeps the popup menu, the others drag.
    if (Button == mbRight)
        return;
    ReleaseCapture();
    SendMessageA(Handle(), WM_SYSCOMMAND, SysCommandDragMove, 0);
}

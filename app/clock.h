#pragma once
// The desktop clock: a small borderless window of digit pictures (hours and minutes large,
// seconds small, a blinking colon, AM or PM) loaded from the program folder's "digital clock\".
#include "forms.h"

class TImage;
class TTimer;

// The time of day of a date-time as a fraction of 24 hours.
double TimeFraction(TDateTime X);
// True from noon on.
bool IsAfterNoon(TDateTime X);

class TFrmClock : public TForm {
    TK_CLASS(TFrmClock, TForm)
public:
    explicit TFrmClock(TComponent* owner);

    // The six digits and the AM/PM picture for the wall clock's time now.
    void UpdateDigits();
    // Loads "digital clock\" + fileName of the program folder into the image. A file that is
    // missing or damaged leaves the image empty; the first such fault is reported, later ones
    // are not (the digits reload every second).
    void LoadDigitImage(TImage* Image, const String& FileName);

    TImage* Image2 = nullptr;  // hour, tens
    TImage* Image8 = nullptr;  // hour, units
    TImage* Image4 = nullptr;  // colon
    TImage* Image9 = nullptr;  // minute, tens
    TImage* Image3 = nullptr;  // minute, units
    TImage* Image5 = nullptr;  // AM or PM
    TImage* Image6 = nullptr;  // second, tens
    TImage* Image7 = nullptr;  // second, units
    TTimer* Timer1 = nullptr;
    TTimer* Timer2 = nullptr;

    // Published handlers
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void Timer2Timer(TObject* Sender);
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    void ShowHourDigits();
    void ShowMinuteDigits();
    void ShowSecondDigits();
    void ShowDigit(TImage* image, char digit);
    void ShowAmPm(TDateTime now);

    String FFolder;
    String FHourText;        // "hh"
    String FHourMinuteText;  // "hh:mm"
    String FMinuteSecondText;  // "mm:ss"
    char FHour1 = 0, FHour2 = 0, FMinute1 = 0, FMinute2 = 0, FSecond1 = 0, FSecond2 = 0;
    bool FFaultReported = false;
};

// The desktop clock, made last at start-up.
extern TFrmClock* FrmClock;

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

    TK_COMPONENT(TImage, Image2);  // hour, tens
    TK_COMPONENT(TImage, Image8);  // hour, units
    TK_COMPONENT(TImage, Image4);  // colon
    TK_COMPONENT(TImage, Image9);  // minute, tens
    TK_COMPONENT(TImage, Image3);  // minute, units
    TK_COMPONENT(TImage, Image5);  // AM or PM
    TK_COMPONENT(TImage, Image6);  // second, tens
    TK_COMPONENT(TImage, Image7);  // second, units
    TK_COMPONENT(TTimer, Timer1);
    TK_COMPONENT(TTimer, Timer2);

    // Published handlers
    TK_HANDLER(FormCreate, TObject* Sender);
    TK_HANDLER(FormShow, TObject* Sender);
    TK_HANDLER(Timer1Timer, TObject* Sender);
    TK_HANDLER(Timer2Timer, TObject* Sender);
    TK_HANDLER(FormMouseDown, TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

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

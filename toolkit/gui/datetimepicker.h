#pragma once
// The date or time picker over the system SysDateTimePick32 window. Its value is the toolkit's
// date-time (days since 1899-12-30; the fraction is the time of day).
#include "controls.h"

enum TDateTimeKind { dtkDate, dtkTime };
extern const TEnumInfo DateTimeKindInfo;
enum TDTDateMode { dmComboBox, dmUpDown };
extern const TEnumInfo DTDateModeInfo;
enum TDTDateFormat { dfShort, dfLong };
extern const TEnumInfo DTDateFormatInfo;

class TDateTimePicker : public TWinControl {
    TK_CLASS(TDateTimePicker, TWinControl)
public:
    explicit TDateTimePicker(TComponent* owner);

    TK_PROPERTY(TDateTimeKind, Kind, RecreateWnd());
    // A date picker with a calendar drop-down, or with arrows.
    TK_PROPERTY(TDTDateMode, DateMode, RecreateWnd());
    TK_PROPERTY(TDTDateFormat, DateFormat, RecreateWnd());
    // The picker's own pattern ("HH:mm:ss": 24-hour time); empty: the system's format for Kind.
    const String& Format() const { return FFormat; }
    void SetFormat(const String& v);

    // The value; Date and Time read and write its day and its time of day only. A value outside
    // 1752-09-14 .. 9999-12-31 raises EConvertError and changes nothing.
    TDateTime DateTime() const;
    void SetDateTime(TDateTime v);
    TDateTime Date() const;
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);

    // A check box in the picker; unticked means "no value".
    TK_PROPERTY(bool, ShowCheckbox, RecreateWnd());
    bool Checked() const;
    void SetChecked(bool v);

    // The user changed the value or the check box.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& p) override;
    void InitializeWnd() override;
    void Dispatch(TMessage& m) override;
    virtual void Change() { Fire(OnChange, this); }

private:
    void PutValue();
    void HandleNotify(TMessage& m);

    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    TDTDateFormat FDateFormat = dfShort;
    String FFormat;
    TDateTime FDateTime;
    bool FShowCheckbox = false;
    bool FChecked = true;
};

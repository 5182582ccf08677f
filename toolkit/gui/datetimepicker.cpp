#include "datetimepicker.h"

#include <commctrl.h>

#include <cmath>

#include "comctrls.h"

const TEnumInfo DateTimeKindInfo{"TDateTimeKind", {"dtkDate", "dtkTime"}};
const TEnumInfo DTDateModeInfo{"TDTDateMode", {"dmComboBox", "dmUpDown"}};
const TEnumInfo DTDateFormatInfo{"TDTDateFormat", {"dfShort", "dfLong"}};

namespace {

// The days the picker can show.
TDateTime FirstDay() { return EncodeDate(1752, 9, 14); }
TDateTime AfterLastDay() { return EncodeDate(9999, 12, 31) + 1; }

// Day and time of day put together; before 1899-12-30 the time counts away from zero.
TDateTime Combine(double day, double time) { return day >= 0 ? day + time : day - time; }
double DayOf(TDateTime t) { return std::trunc(t); }
double TimeOf(TDateTime t) { return std::fabs(t - std::trunc(t)); }

SYSTEMTIME ToSystemTime(TDateTime t)
{
    double day = DayOf(t);
    TDateParts d = DecodeDate(day);
    TTimeParts tp = DecodeTime(t);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.Year);
    st.wMonth = static_cast<WORD>(d.Month);
    st.wDay = static_cast<WORD>(d.Day);
    long long dow = (static_cast<long long>(day) + 6) % 7;  // 1899-12-30 was a Saturday
    st.wDayOfWeek = static_cast<WORD>(dow < 0 ? dow + 7 : dow);
    st.wHour = static_cast<WORD>(tp.Hour);
    st.wMinute = static_cast<WORD>(tp.Min);
    st.wSecond = static_cast<WORD>(tp.Sec);
    st.wMilliseconds = static_cast<WORD>(tp.MSec);
    return st;
}

TDateTime FromSystemTime(const SYSTEMTIME& st)
{
    return Combine(EncodeDate(st.wYear, st.wMonth, st.wDay),
                   EncodeTime(st.wHour, st.wMinute, st.wSecond, std::min<int>(st.wMilliseconds, 999)));
}

bool SameSecond(TDateTime a, TDateTime b) { return std::llround(a * 86400.0) == std::llround(b * 86400.0); }

}  // namespace

const TClassInfo& TDateTimePicker::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDateTimePicker>("TDateTimePicker", &TWinControl::StaticClass())
            .Creatable()
            .EnumProp<TDateTimeKind>("Kind", DateTimeKindInfo, &TDateTimePicker::Kind, &TDateTimePicker::SetKind)
            .EnumProp<TDTDateMode>("DateMode", DTDateModeInfo, &TDateTimePicker::DateMode,
                                   &TDateTimePicker::SetDateMode)
            .EnumProp<TDTDateFormat>("DateFormat", DTDateFormatInfo, &TDateTimePicker::DateFormat,
                                     &TDateTimePicker::SetDateFormat)
            .Prop("Format", &TDateTimePicker::Format, &TDateTimePicker::SetFormat)
            .Prop("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate)
            .Prop("Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime)
            .Prop("DateTime", &TDateTimePicker::DateTime, &TDateTimePicker::SetDateTime)
            .Prop("ShowCheckbox", &TDateTimePicker::ShowCheckbox, &TDateTimePicker::SetShowCheckbox)
            .Prop("Checked", &TDateTimePicker::Checked, &TDateTimePicker::SetChecked)
            .Event("OnChange", &TDateTimePicker::OnChange)
            .Build();
    return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner), FDateTime(Now())
{
    FControlStyle = TControlStyle{csDoubleClicks};
    StoreBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

void TDateTimePicker::CreateParams(TCreateParams& p)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(p);
    p.SysClassName = DATETIMEPICK_CLASSA;
    if (FKind == dtkTime) {
        p.Style |= DTS_TIMEFORMAT;
    } else {
        p.Style |= FDateFormat == dfLong ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT;
        if (FDateMode == dmUpDown)
            p.Style |= DTS_UPDOWN;
    }
    if (FShowCheckbox)
        p.Style |= DTS_SHOWNONE;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDateTimePicker::InitializeWnd()
{
    TWinControl::InitializeWnd();
    SendMessageA(WindowHandle(), DTM_SETFORMATA, 0, FFormat.empty() ? 0 : reinterpret_cast<LPARAM>(FFormat.c_str()));
    PutValue();
}

void TDateTimePicker::PutValue()
{
    HWND h = WindowHandle();
    if (!h)
        return;
    SYSTEMTIME st = ToSystemTime(FDateTime);
    if (FShowCheckbox && !FChecked) {
        // The value is ignored here, but some pickers refuse a null one.
        SendMessageA(h, DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&st));
        return;
    }
    if (!SendMessageA(h, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)))
        throw EConvertError("'" + Name() + "' cannot show " + FormatDateTime("yyyy-mm-dd hh:nn:ss", FDateTime));
}

void TDateTimePicker::SetFormat(const String& v)
{
    FFormat = v;
    if (HWND h = WindowHandle())
        SendMessageA(h, DTM_SETFORMATA, 0, v.empty() ? 0 : reinterpret_cast<LPARAM>(FFormat.c_str()));
}

TDateTime TDateTimePicker::DateTime() const { return FDateTime; }

void TDateTimePicker::SetDateTime(TDateTime v)
{
    if (!(v >= FirstDay() && v < AfterLastDay()))
        throw EConvertError("Date-time value " + std::to_string(v) + " is outside the range of '" + Name() + "'");
    TDateTime old = FDateTime;
    bool oldChecked = FChecked;
    FDateTime = v;
    FChecked = true;  // a value given is a value to show
    try {
        PutValue();
    } catch (...) {
        FDateTime = old;
        FChecked = oldChecked;
        throw;
    }
}

TDateTime TDateTimePicker::Date() const { return DayOf(FDateTime); }

void TDateTimePicker::SetDate(TDateTime v) { SetDateTime(Combine(DayOf(v), TimeOf(FDateTime))); }

TDateTime TDateTimePicker::Time() const { return TimeOf(FDateTime); }

void TDateTimePicker::SetTime(TDateTime v) { SetDateTime(Combine(DayOf(FDateTime), TimeOf(v))); }

bool TDateTimePicker::Checked() const { return !FShowCheckbox || FChecked; }

void TDateTimePicker::SetChecked(bool v)
{
    FChecked = v;
    PutValue();
}

void TDateTimePicker::HandleNotify(TMessage& m)
{
    const NMHDR* h = NotifyHeader(m);
    if (!h || h->hwndFrom != WindowHandle() || h->code != static_cast<UINT>(DTN_DATETIMECHANGE))
        return;
    auto* n = reinterpret_cast<const NMDATETIMECHANGE*>(h);
    bool valid = n->dwFlags == GDT_VALID;
    TDateTime value = valid ? FromSystemTime(n->st) : FDateTime;
    // The picker reports some changes twice; only a real one counts.
    if (valid == FChecked && SameSecond(value, FDateTime))
        return;
    FDateTime = value;
    FChecked = valid;
    Change();
}

void TDateTimePicker::Dispatch(TMessage& m)
{
    if (m.Msg == CN_NOTIFY) {
        HandleNotify(m);
        m.Result = 0;
        return;
    }
    TWinControl::Dispatch(m);
}

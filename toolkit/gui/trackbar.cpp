#include "trackbar.h"

#include <commctrl.h>

#include <algorithm>

#include "comctrls.h"

const TEnumInfo TrackBarOrientationInfo{"TTrackBarOrientation", {"trHorizontal", "trVertical"}};
const TEnumInfo TickStyleInfo{"TTickStyle", {"tsNone", "tsAuto", "tsManual"}};
const TEnumInfo TickMarkInfo{"TTickMark", {"tmBottomRight", "tmTopLeft", "tmBoth"}};

const TClassInfo& TTrackBar::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TTrackBar>("TTrackBar", &TWinControl::StaticClass())
            .Creatable()
            .Prop("Min", &TTrackBar::Min, &TTrackBar::SetMin)
            .Prop("Max", &TTrackBar::Max, &TTrackBar::SetMax)
            .Prop("Position", &TTrackBar::Position, &TTrackBar::SetPosition)
            .EnumProp<TTrackBarOrientation>("Orientation", TrackBarOrientationInfo, &TTrackBar::Orientation,
                                            &TTrackBar::SetOrientation)
            .Prop("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency)
            .EnumProp<TTickStyle>("TickStyle", TickStyleInfo, &TTrackBar::TickStyle, &TTrackBar::SetTickStyle)
            .EnumProp<TTickMark>("TickMarks", TickMarkInfo, &TTrackBar::TickMarks, &TTrackBar::SetTickMarks)
            .Prop("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize)
            .Prop("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize)
            .Event("OnChange", &TTrackBar::OnChange)
            .Build();
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks};
    StoreBounds(0, 0, 150, 45);
    SetTabStop(true);
    SetColor(clBtnFace);
    // Follows its parent's colour, so a form recoloured by a skin carries its children along.
    SetParentColor(true);
}

void TTrackBar::CreateParams(TCreateParams& p)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(p);
    p.SysClassName = TRACKBAR_CLASSA;
    p.Style |= FOrientation == trVertical ? TBS_VERT : TBS_HORZ;
    if (FTickStyle == tsNone)
        p.Style |= TBS_NOTICKS;
    else if (FTickStyle == tsAuto)
        p.Style |= TBS_AUTOTICKS;
    switch (FTickMarks) {
    case tmTopLeft: p.Style |= TBS_TOP; break;
    case tmBoth: p.Style |= TBS_BOTH; break;
    default: p.Style |= TBS_BOTTOM; break;
    }
}

void TTrackBar::InitializeWnd()
{
    TWinControl::InitializeWnd();
    HWND h = WindowHandle();
    ApplyRange();
    SendMessageA(h, TBM_SETPOS, TRUE, FPosition);
    SendMessageA(h, TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    SendMessageA(h, TBM_SETPAGESIZE, 0, FPageSize);
    SendMessageA(h, TBM_SETLINESIZE, 0, FLineSize);
}

void TTrackBar::ApplyRange()
{
    if (HWND h = WindowHandle()) {
        SendMessageA(h, TBM_SETRANGEMIN, FALSE, FMin);
        SendMessageA(h, TBM_SETRANGEMAX, TRUE, FMax);
    }
}

void TTrackBar::Loaded()
{
    // A form file may name the position before the range: it is checked once all are read.
    FMax = std::max(FMax, FMin);
    FPosition = std::clamp(FPosition, FMin, FMax);
    TWinControl::Loaded();
}

void TTrackBar::MoveTo(int v)
{
    if (v == FPosition)
        return;
    FPosition = v;
    if (HWND h = WindowHandle())
        SendMessageA(h, TBM_SETPOS, TRUE, v);
    Changed();
}

void TTrackBar::SetPosition(int v)
{
    if (Loading()) {
        FPosition = v;
        return;
    }
    MoveTo(std::clamp(v, FMin, FMax));
}

void TTrackBar::SetMin(int v)
{
    if (Loading()) {
        FMin = v;
        return;
    }
    if (v > FMax)
        throw EInvalidOperation("Min of '" + Name() + "' (" + IntToStr(v) + ") is above its Max (" + IntToStr(FMax) + ")");
    FMin = v;
    ApplyRange();
    MoveTo(std::clamp(FPosition, FMin, FMax));
}

void TTrackBar::SetMax(int v)
{
    if (Loading()) {
        FMax = v;
        return;
    }
    if (v < FMin)
        throw EInvalidOperation("Max of '" + Name() + "' (" + IntToStr(v) + ") is below its Min (" + IntToStr(FMin) + ")");
    FMax = v;
    ApplyRange();
    MoveTo(std::clamp(FPosition, FMin, FMax));
}

void TTrackBar::SetFrequency(int v)
{
    FFrequency = std::max(v, 1);
    if (HWND h = WindowHandle())
        SendMessageA(h, TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
}

void TTrackBar::SetPageSize(int v)
{
    FPageSize = std::max(v, 1);
    if (HWND h = WindowHandle())
        SendMessageA(h, TBM_SETPAGESIZE, 0, FPageSize);
}

void TTrackBar::SetLineSize(int v)
{
    FLineSize = std::max(v, 1);
    if (HWND h = WindowHandle())
        SendMessageA(h, TBM_SETLINESIZE, 0, FLineSize);
}

void TTrackBar::Dispatch(TMessage& m)
{
    if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
        // The user moved the thumb (mouse or keys): the window knows where it is now.
        int pos = static_cast<int>(SendMessageA(WindowHandle(), TBM_GETPOS, 0, 0));
        if (pos != FPosition) {
            FPosition = pos;
            Changed();
        }
        m.Result = 0;
        return;
    }
    TWinControl::Dispatch(m);
}

#pragma once
// The slider over the system msctls_trackbar32 window.
#include "controls.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
extern const TEnumInfo TrackBarOrientationInfo;
enum TTickStyle { tsNone, tsAuto, tsManual };
extern const TEnumInfo TickStyleInfo;
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
extern const TEnumInfo TickMarkInfo;

class TTrackBar : public TWinControl {
    TK_CLASS(TTrackBar, TWinControl)
public:
    explicit TTrackBar(TComponent* owner);

    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    // Assigning clamps to Min..Max; OnChange fires only when the position actually changes.
    int Position() const { return FPosition; }
    void SetPosition(int v);
    TK_PROPERTY(TTrackBarOrientation, Orientation, RecreateWnd());
    // Distance between tick marks with tsAuto.
    int Frequency() const { return FFrequency; }
    void SetFrequency(int v);
    TK_PROPERTY(TTickStyle, TickStyle, RecreateWnd());
    TK_PROPERTY(TTickMark, TickMarks, RecreateWnd());
    // Steps of Page Up/Down and of the arrow keys.
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int v);

    // The position changed, by the user or by the program.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& p) override;
    void InitializeWnd() override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;
    virtual void Changed() { Fire(OnChange, this); }

private:
    // Stores a position already in range; the window follows, OnChange fires on a change.
    void MoveTo(int v);
    void ApplyRange();

    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    TTrackBarOrientation FOrientation = trHorizontal;
    int FFrequency = 1;
    TTickStyle FTickStyle = tsAuto;
    TTickMark FTickMarks = tmBottomRight;
    int FPageSize = 2;
    int FLineSize = 1;
};

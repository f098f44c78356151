#pragma once
// TTrackBar: the system's track bar. Position is clamped into [Min, Max];
// setting the value it already has does nothing; any other value is stored,
// shown and fires OnChange. Every scroll notification (mouse, keys) fires
// OnChange, also when the value did not change.

#include "platform/controls/WinControl.h"

enum class TTrackBarOrientation { trHorizontal, trVertical };
using enum TTrackBarOrientation;
enum class TTickStyle { tsNone, tsAuto, tsManual };
using enum TTickStyle;
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
using enum TTickMark;

class TTrackBar : public TWinControl {
    TESSARO_CLASS(TTrackBar, TWinControl)
public:
    explicit TTrackBar(TComponent* owner);

    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int value);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation value);
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle value);
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark value);
    int ThumbLength() const { return FThumbLength; }
    void SetThumbLength(int value);

    TNotifyEvent OnChange;

    void Dispatch(TMessage& message) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    virtual void Changed();

private:
    void ApplyRange();
    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FPageSize = 2;
    int FLineSize = 1;
    int FFrequency = 1;
    TTrackBarOrientation FOrientation = trHorizontal;
    TTickStyle FTickStyle = tsAuto;
    TTickMark FTickMarks = tmBottomRight;
    int FThumbLength = 20;
};

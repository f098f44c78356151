#include "platform/stdctrls/TrackBar.h"

#include "platform/stdctrls/StandardProperties.h"

#include <algorithm>
#include <commctrl.h>

namespace {
const TEnumNames OrientationNames = {"trHorizontal", "trVertical"};
const TEnumNames TickStyleNames = {"tsNone", "tsAuto", "tsManual"};
const TEnumNames TickMarkNames = {"tmBottomRight", "tmTopLeft", "tmBoth"};
} // namespace

const TClassInfo& TTrackBar::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TTrackBar>("TTrackBar", [](TPropertyTable& t) {
        TPropertyBuilder<TTrackBar> p(t);
        StandardProperties<TTrackBar>::Bounds(p);
        p.Integer("Min", &TTrackBar::Min, &TTrackBar::SetMin, 0);
        p.Integer("Max", &TTrackBar::Max, &TTrackBar::SetMax, 10);
        p.Enum("Orientation", OrientationNames, &TTrackBar::Orientation, &TTrackBar::SetOrientation,
               std::optional<TTrackBarOrientation>(trHorizontal));
        p.Integer("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency, 1);
        p.Integer("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize, 1);
        p.Integer("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize, 2);
        p.Integer("Position", &TTrackBar::Position, &TTrackBar::SetPosition, 0);
        p.Integer("ThumbLength", &TTrackBar::ThumbLength, &TTrackBar::SetThumbLength, 20);
        p.Enum("TickMarks", TickMarkNames, &TTrackBar::TickMarks, &TTrackBar::SetTickMarks,
               std::optional<TTickMark>(tmBottomRight));
        p.Enum("TickStyle", TickStyleNames, &TTrackBar::TickStyle, &TTrackBar::SetTickStyle,
               std::optional<TTickStyle>(tsAuto));
        StandardProperties<TTrackBar>::Common(p);
        StandardProperties<TTrackBar>::Tabbing(p, true);
        p.Event("OnChange", &TTrackBar::OnChange);
    });
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    FWidth = 150;
    FHeight = 45;
    SetDefaultTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, TRACKBAR_CLASSA);
    params.Style |=
        (FOrientation == trHorizontal ? TBS_HORZ : TBS_VERT) | TBS_FIXEDLENGTH | TBS_ENABLESELRANGE;
    switch (FTickStyle) {
    case tsNone:
        params.Style |= TBS_NOTICKS;
        break;
    case tsAuto:
        params.Style |= TBS_AUTOTICKS;
        break;
    case tsManual:
        break;
    }
    switch (FTickMarks) {
    case tmBottomRight:
        params.Style |= TBS_BOTTOM;
        break;
    case tmTopLeft:
        params.Style |= TBS_TOP;
        break;
    case tmBoth:
        params.Style |= TBS_BOTH;
        break;
    }
}

void TTrackBar::CreateHandleDone() {
    ::SendMessageA(WindowHandle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(FThumbLength), 0);
    ::SendMessageA(WindowHandle(), TBM_SETLINESIZE, 0, FLineSize);
    ::SendMessageA(WindowHandle(), TBM_SETPAGESIZE, 0, FPageSize);
    ::SendMessageA(WindowHandle(), TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    ApplyRange();
}

void TTrackBar::ApplyRange() {
    if (!WindowHandle())
        return;
    ::SendMessageA(WindowHandle(), TBM_SETRANGEMIN, FALSE, FMin);
    ::SendMessageA(WindowHandle(), TBM_SETRANGEMAX, FALSE, FMax);
    ::SendMessageA(WindowHandle(), TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::SetMin(int value) {
    if (value == FMin)
        return;
    FMin = value;
    if (!Loading()) {
        FMax = std::max(FMax, FMin);
        FPosition = std::clamp(FPosition, FMin, FMax);
    }
    ApplyRange();
}

void TTrackBar::SetMax(int value) {
    if (value == FMax)
        return;
    FMax = value;
    if (!Loading()) {
        FMin = std::min(FMin, FMax);
        FPosition = std::clamp(FPosition, FMin, FMax);
    }
    ApplyRange();
}

void TTrackBar::SetPosition(int value) {
    // While the form is read, Min and Max may still come: clamp in Loaded.
    if (!Loading())
        value = std::clamp(value, FMin, FMax);
    if (value == FPosition)
        return;
    FPosition = value;
    if (WindowHandle())
        ::SendMessageA(WindowHandle(), TBM_SETPOS, TRUE, FPosition);
    if (!Loading())
        Changed();
}

void TTrackBar::Loaded() {
    TWinControl::Loaded();
    FMax = std::max(FMax, FMin);
    FPosition = std::clamp(FPosition, FMin, FMax);
    ApplyRange();
}

void TTrackBar::SetPageSize(int value) {
    FPageSize = value;
    if (WindowHandle())
        ::SendMessageA(WindowHandle(), TBM_SETPAGESIZE, 0, value);
}

void TTrackBar::SetLineSize(int value) {
    FLineSize = value;
    if (WindowHandle())
        ::SendMessageA(WindowHandle(), TBM_SETLINESIZE, 0, value);
}

void TTrackBar::SetFrequency(int value) {
    FFrequency = value;
    if (WindowHandle())
        ::SendMessageA(WindowHandle(), TBM_SETTICFREQ, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
    if (value == FOrientation)
        return;
    FOrientation = value;
    RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle value) {
    if (value == FTickStyle)
        return;
    FTickStyle = value;
    RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value) {
    if (value == FTickMarks)
        return;
    FTickMarks = value;
    RecreateWnd();
}

void TTrackBar::SetThumbLength(int value) {
    FThumbLength = value;
    if (WindowHandle())
        ::SendMessageA(WindowHandle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(value), 0);
}

void TTrackBar::Changed() {
    OnChange(this);
}

void TTrackBar::Dispatch(TMessage& message) {
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        FPosition = static_cast<int>(::SendMessageA(WindowHandle(), TBM_GETPOS, 0, 0));
        Changed();
        message.Result = 0;
        return;
    }
    TWinControl::Dispatch(message);
}

#include "WinCtrlEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/forms/UnitLifecycle.h"

#include <memory>
#include "tests/support/UnitsEnvironment.h"

namespace {
const TUnitEntry Units[] = {
    {"Forms", InitializeFormsUnit, FinalizeFormsUnit},
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new TUnitsEnvironment(Units));
} // namespace

bool TProbeControl::DrawBackground(TCanvas& /*canvas*/, const RECT& /*rect*/, unsigned /*flags*/,
                                   POINT origin) {
    ++BackgroundCalls;
    BackgroundOrigin = origin;
    return BackgroundPainted;
}

void TProbeControl::DrawNormalBorder() {
    ++NormalBorders;
    TKitCustomControl::DrawNormalBorder();
}

void TProbeControl::DrawFocusBorder() {
    ++FocusBorders;
    TKitCustomControl::DrawFocusBorder();
}

void TProbeControl::ObjectChanged(TObject* sender) {
    ++Changes;
    TKitCustomControl::ObjectChanged(sender);
}

void TProbeControl::Dispatch(TMessage& message) {
    if (message.Msg >= CM_BASE && message.Msg < 0xC000)
        Received.push_back(message.Msg);
    TKitCustomControl::Dispatch(message);
}

void TProbeControl::HookEvents(std::vector<std::string>& log) {
    Log = &log;
    OnGotFocus = TNotifyEvent::Of<&TProbeControl::GotFocus>(this);
    OnLostFocus = TNotifyEvent::Of<&TProbeControl::LostFocus>(this);
    OnEnter = TNotifyEvent::Of<&TProbeControl::Enter>(this);
    OnExit = TNotifyEvent::Of<&TProbeControl::Exit>(this);
    OnMouseEnter = TNotifyEvent::Of<&TProbeControl::MouseIn>(this);
    OnMouseLeave = TNotifyEvent::Of<&TProbeControl::MouseOut>(this);
}

void TProbeControl::Note(const std::string& what) {
    if (Log)
        Log->push_back(Name() + " " + what + (HasFocus() ? " focused" : ""));
}

void KitControlTest::SetUp() {
    form = new TForm(Application);
    form->SetBounds(20, 20, 400, 300);
    form->SetColor(clBtnFace);
    form->Show();
    PumpMessages();
}

void KitControlTest::TearDown() {
    Free(form);
    PumpMessages();
}

TProbeControl* KitControlTest::AddProbe(TWinControl* parent, int left, int top) {
    auto* probe = new TProbeControl(form);
    probe->SetName("probe" + std::to_string(form->ComponentCount() - 1));
    probe->SetLeft(left);
    probe->SetTop(top);
    probe->SetParent(parent);
    return probe;
}

void KitControlTest::PaintNow(TWinControl* control) {
    ::RedrawWindow(control->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool KitControlTest::HasUpdateRegion(TWinControl* control) {
    return ::GetUpdateRect(control->Handle(), nullptr, FALSE) != FALSE;
}

COLORREF WindowPixel(TWinControl* control, int x, int y) {
    HDC dc = ::GetWindowDC(control->Handle());
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(control->Handle(), dc);
    return c;
}

COLORREF ShownColor(TWinControl* control, COLORREF color) {
    HDC dc = ::GetWindowDC(control->Handle());
    const COLORREF c = ::GetNearestColor(dc, color);
    ::ReleaseDC(control->Handle(), dc);
    return c;
}

COLORREF ShownSysColor(TWinControl* control, int index) {
    return ShownColor(control, ::GetSysColor(index));
}


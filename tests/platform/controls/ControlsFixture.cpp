#include "ControlsFixture.h"

#include "platform/forms/Application.h"
#include "platform/forms/UnitLifecycle.h"
#include "tests/support/UnitsEnvironment.h"

namespace {
const TUnitEntry Units[] = {
    {"Forms", InitializeFormsUnit, FinalizeFormsUnit},
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new TUnitsEnvironment(Units));

// The messages the probes note, by name.
const char* Describe(UINT msg) {
    switch (msg) {
    case CM_MOUSEENTER:
        return "enter";
    case CM_MOUSELEAVE:
        return "leave";
    default:
        return nullptr;
    }
}
} // namespace

void TProbeGraphic::Dispatch(TMessage& message) {
    if (const char* what = Describe(message.Msg); what && Log)
        Log->push_back(Name() + " " + what);
    TGraphicControl::Dispatch(message);
    if (message.Msg == CM_MOUSELEAVE && OnLeave)
        OnLeave();
}

void TProbeWindow::Dispatch(TMessage& message) {
    if (const char* what = Describe(message.Msg); what && Log)
        Log->push_back(Name() + " " + what);
    TCustomControl::Dispatch(message);
}

void ControlsTest::SetUp() {
    MoveMouseAway();
    form = new TForm(Application);
    form->SetName("form");
    form->SetBounds(40, 40, 400, 300);
    form->Show();
    PumpMessages();
}

void ControlsTest::TearDown() {
    Free(form);
    PumpMessages();
}

void ControlsTest::MoveMouseTo(const TControl* control, int x, int y) {
    MoveCursorTo(control->ClientToScreen({x, y}));
}

void ControlsTest::MoveMouseAway() {
    MoveCursorTo({1200, 1000});
}

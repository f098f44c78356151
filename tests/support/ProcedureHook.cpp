#include "tests/support/ProcedureHook.h"

#include <algorithm>

TProcedureHook::TProcedureHook(TControl* control, THandler handler)
    : FControl(control), FBelow(control->WindowProc), FHandler(std::move(handler)) {
    control->WindowProc = Procedure();
}

TProcedureHook::~TProcedureHook() {
    Remove();
}

void TProcedureHook::Remove() {
    if (!FControl)
        return;
    FControl->WindowProc = FBelow;
    FControl = nullptr;
}

TWndMethod TProcedureHook::Procedure() {
    return TWndMethod::Of<&TProcedureHook::Receive>(this);
}

int TProcedureHook::Count(UINT msg) const {
    return static_cast<int>(std::ranges::count(Seen, msg, &TMessage::Msg));
}

void TProcedureHook::Receive(TMessage& message) {
    Seen.push_back(message);
    if (FHandler && FHandler(message))
        return;
    // A copy: the procedure below may remove this hook.
    const TWndMethod below = FBelow;
    below(message);
}

#pragma once
// A procedure of another component in a control's WindowProc, for tests:
// it sees every message first, may take one (its handler answers true),
// passes the rest on to the procedure it found, and puts that procedure
// back when it goes (unless removed before).

#include "platform/controls/Control.h"

#include <functional>
#include <vector>

class TProcedureHook {
public:
    // True when the handler took the message.
    using THandler = std::function<bool(TMessage&)>;

    explicit TProcedureHook(TControl* control, THandler handler = {});
    ~TProcedureHook();
    TProcedureHook(const TProcedureHook&) = delete;
    TProcedureHook& operator=(const TProcedureHook&) = delete;

    // Puts back the procedure it found, as that component would on leaving.
    void Remove();
    // What it installed.
    TWndMethod Procedure();
    int Count(UINT msg) const;

    std::vector<TMessage> Seen;

private:
    void Receive(TMessage& message);
    TControl* FControl;
    TWndMethod FBelow;
    THandler FHandler;
};

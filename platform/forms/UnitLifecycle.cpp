#include "platform/forms/UnitLifecycle.h"

void TUnitLifecycle::Initialize() {
    while (FStarted < static_cast<int>(FUnits.size())) {
        const TUnitEntry& unit = FUnits[static_cast<size_t>(FStarted)];
        if (unit.Initialize)
            unit.Initialize();
        ++FStarted;
    }
}

void TUnitLifecycle::Finalize() {
    while (FStarted > 0) {
        --FStarted;
        const TUnitEntry& unit = FUnits[static_cast<size_t>(FStarted)];
        if (!unit.Finalize)
            continue;
        try {
            unit.Finalize();
        } catch (...) {
            // Shutdown goes on: the remaining units still release what they hold.
        }
    }
}

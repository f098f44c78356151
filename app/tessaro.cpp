// The program's entry point: starts the units in their fixed order, runs the
// application and finishes the units in reverse order.

#include "platform/forms/UnitLifecycle.h"

#include <windows.h>

namespace {
const TUnitEntry Units[] = {
    {"platform", nullptr, nullptr},
};
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        TUnitLifecycle units(Units);
        units.Initialize();
        units.Finalize();
    } catch (...) {
        return 1;
    }
    return 0;
}

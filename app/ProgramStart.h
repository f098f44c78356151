#pragma once
// The program's first steps, before anything else runs: library loads are
// restricted to the system folder, then the units start in order.

#include "platform/forms/UnitLifecycle.h"

void StartProgram(TUnitLifecycle& units);

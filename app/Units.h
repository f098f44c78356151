#pragma once
// The program's units in start-up order, each after the units it uses.

#include "platform/forms/UnitLifecycle.h"

#include <span>

std::span<const TUnitEntry> ProgramUnits();

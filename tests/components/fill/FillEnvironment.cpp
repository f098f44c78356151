// The fill tests run with the forms unit started, as the program does.

#include "platform/forms/Application.h"
#include "platform/forms/UnitLifecycle.h"
#include "tests/support/UnitsEnvironment.h"

namespace {
const TUnitEntry Units[] = {
    {"Forms", InitializeFormsUnit, FinalizeFormsUnit},
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new TUnitsEnvironment(Units));
} // namespace

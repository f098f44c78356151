// The units the theme services need, started once for the test program:
// the forms layer with the application window, the binding and the
// services unit. Tests that cycle a unit start it again before they end.

#include "platform/forms/Application.h"
#include "platform/forms/UnitLifecycle.h"
#include "theming/ThemeSrv.h"
#include "theming/UxTheme.h"

#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
const TUnitEntry Units[] = {
    {"Forms", InitializeFormsUnit, FinalizeFormsUnit},
    {"UxTheme", InitializeUxTheme, FinalizeUxTheme},
    {"ThemeSrv", InitializeThemeSrv, FinalizeThemeSrv},
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new TUnitsEnvironment(Units));
} // namespace

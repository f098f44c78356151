#include "ManagerEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/forms/UnitLifecycle.h"
#include "theming/ThemeMgr.h"
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
    {"ThemeMgr", InitializeThemeMgr, FinalizeThemeMgr},
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new TUnitsEnvironment(Units));
} // namespace

#include "ManagerEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/forms/UnitLifecycle.h"
#include "theming/ThemeMgr.h"
#include "theming/ThemeSrv.h"
#include "theming/UxTheme.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
const TUnitEntry Units[] = {
    {"Forms", InitializeFormsUnit, FinalizeFormsUnit},
    {"UxTheme", InitializeUxTheme, FinalizeUxTheme},
    {"ThemeSrv", InitializeThemeSrv, FinalizeThemeSrv},
    {"ThemeMgr", InitializeThemeMgr, FinalizeThemeMgr},
};

class ManagerEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        FUnits = std::make_unique<TUnitLifecycle>(Units);
        FUnits->Initialize();
        Application->Initialize();
    }
    void TearDown() override {
        Application->DestroyForms();
        FUnits->Finalize();
    }

private:
    std::unique_ptr<TUnitLifecycle> FUnits;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ManagerEnvironment);
} // namespace

ControlThemes::ControlThemes(bool on) {
    FSeam.emplace(SystemSeams().CommonControlsVersion, [on] {
        return on ? TCommonControlsVersion{6, 0} : TCommonControlsVersion{5, 81};
    });
    ThemeServicesInstance()->RefreshThemeState();
}

ControlThemes::~ControlThemes() {
    FSeam.reset();
    ThemeServicesInstance()->RefreshThemeState();
}

bool ControlThemingEnabledNow() {
    const TThemeServices* services = ThemeServicesInstance();
    return services && services->ControlThemingEnabled();
}

void PumpMessages() {
    Application->ProcessMessages();
}

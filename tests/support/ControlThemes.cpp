#include "tests/support/ControlThemes.h"

#include "theming/ThemeSrv.h"

namespace {
void RefreshThemes() {
    if (TThemeServices* services = ThemeServicesInstance())
        services->RefreshThemeState();
}
} // namespace

ControlThemes::ControlThemes(bool on) {
    FSeam.emplace(SystemSeams().CommonControlsVersion, [on] {
        return on ? TCommonControlsVersion{6, 0} : TCommonControlsVersion{5, 81};
    });
    RefreshThemes();
}

ControlThemes::~ControlThemes() {
    FSeam.reset();
    RefreshThemes();
}

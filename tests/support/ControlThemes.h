#pragma once
// Control theming switched on or off for a scope, through the
// common-controls version the theme services check (Wine reports 5.81 even
// with the version-6 manifest).

#include "platform/rtl/SystemSeams.h"
#include "theming/ThemeSrv.h"

#include <optional>

class ControlThemes {
public:
    explicit ControlThemes(bool on);
    ~ControlThemes();
    ControlThemes(const ControlThemes&) = delete;
    ControlThemes& operator=(const ControlThemes&) = delete;

private:
    std::optional<TSeamOverride<TCommonControlsVersion()>> FSeam;
};

#pragma once
// The units the theme manager needs, and a switch for the themed state.

#include "platform/dialogs/SystemSeams.h"

#include <optional>

// Forces control theming on or off for a scope (through the common-controls
// version the services check) and re-reads the theme state at both ends.
class ControlThemes {
public:
    explicit ControlThemes(bool on);
    ~ControlThemes();
    ControlThemes(const ControlThemes&) = delete;
    ControlThemes& operator=(const ControlThemes&) = delete;

private:
    std::optional<TSeamOverride<TCommonControlsVersion()>> FSeam;
};

bool ControlThemingEnabledNow();
// Dispatches every pending message of the thread.
void PumpMessages();

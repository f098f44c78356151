// The process-wide number separators.

#include "platform/rtl/FormatSettings.h"

namespace {

TFormatSettings& ProcessSettings() {
    static TFormatSettings settings = LoadUserFormatSettings();
    return settings;
}

} // namespace

const TFormatSettings& FormatSettings() {
    return ProcessSettings();
}

void SetFormatSettings(const TFormatSettings& settings) {
    ProcessSettings() = settings;
}

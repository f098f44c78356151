// The separators of the user's Windows locale.

#include "platform/rtl/FormatSettings.h"

#include <windows.h>

namespace {

// The first character of a locale text; fallback when the text cannot be read.
char LocaleChar(LCTYPE item, char fallback) {
    char text[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, item, text, sizeof text) == 0) {
        return fallback;
    }
    return text[0];
}

} // namespace

TFormatSettings LoadUserFormatSettings() {
    return TFormatSettings{LocaleChar(LOCALE_STHOUSAND, ','), LocaleChar(LOCALE_SDECIMAL, '.')};
}

// Without a Windows locale the separators are those of the C locale, so the
// native build's output does not depend on the machine's language.

#include "platform/rtl/FormatSettings.h"

TFormatSettings LoadUserFormatSettings() {
    return TFormatSettings{',', '.'};
}

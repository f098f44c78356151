// Messages of the file errors the user sees after "Meldung:".

#include "platform/rtl/Exceptions.h"

#include "platform/rtl/StringUtils.h"

std::string InOutErrorMessage(int code) {
    switch (code) {
    case 2:
        return "Datei nicht gefunden";
    case 3:
        return "Ungültiger Dateiname";
    case 4:
        return "Zu viele geöffnete Dateien";
    case 5:
        return "Dateizugriff verweigert";
    case 100:
        return "Versuch hinter dem Dateiende zu lesen";
    case 101:
        return "Zu wenig Speicherplatz";
    case 106:
        return "Ungültige numerische Eingabe";
    default:
        return "E/A-Fehler " + IntToStr(code);
    }
}

EInOutError::EInOutError(int code) : Exception(InOutErrorMessage(code)), ErrorCode(code) {}

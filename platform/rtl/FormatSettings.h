#pragma once
// The user's number separators, read once per process.

struct TFormatSettings {
    char ThousandSeparator; // '\0' when the user wants no grouping
    char DecimalSeparator;
};

// The process-wide settings: from the user's locale on Windows, the English
// C-locale values (',' and '.') elsewhere.
const TFormatSettings& FormatSettings();

// Replaces the process-wide settings; for tests.
void SetFormatSettings(const TFormatSettings& settings);

// Reads the user's settings from the system; FormatSettings() calls it once.
TFormatSettings LoadUserFormatSettings();

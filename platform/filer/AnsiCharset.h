#pragma once
// The ANSI code page of the system's strings (Windows-1252) and the
// Unicode forms met at its edges: UTF-8 text files and UTF-16 values.

#include <cstdint>
#include <string>
#include <string_view>

// The CP1252 byte for a code point; false when the code page has none.
bool UnicodeToAnsi(char32_t codePoint, std::uint8_t& byte);
// The code point of a CP1252 byte; the five unassigned bytes map to the
// C1 controls of the same number.
char32_t AnsiToUnicode(std::uint8_t byte);

// Decodes one code point of strict UTF-8 at Pos and advances Pos; false for
// malformed, overlong or surrogate sequences (Pos is then undefined).
bool DecodeUtf8(std::string_view text, std::size_t& pos, char32_t& codePoint);

// UTF-16 units to CP1252, '?' for what the code page cannot hold (a
// surrogate pair gives one '?').
std::string Utf16ToAnsi(std::u16string_view units);

// Appends a code point as UTF-16 (a surrogate pair above U+FFFF).
void AppendUtf16(std::u16string& units, char32_t codePoint);

#pragma once
// String routines of the run-time layer. Texts are ANSI (CP1252) bytes; case
// mapping touches the ASCII letters only, whatever the user's locale.

#include <cstdint>
#include <string>
#include <string_view>

std::string IntToStr(std::int64_t value);
std::string UIntToStr(std::uint64_t value);

// Maps A-Z to a-z and leaves every other byte alone.
std::string LowerCase(std::string_view text);
// Maps A-Z to a-z and leaves every other character alone.
std::wstring LowerCase(std::wstring_view text);
// Maps a-z to A-Z and leaves every other byte alone.
std::string UpperCase(std::string_view text);

// Compares with A-Z and a-z taken as equal: <0, 0 or >0 like strcmp.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// Drops leading and trailing blanks and control characters (bytes up to 32).
std::string Trim(std::string_view text);

// Reads a decimal 32-bit integer: surrounding blanks, an optional sign, then
// digits. Raises EConvertError for anything else or a value out of range.
int StrToInt(std::string_view text);
// As StrToInt, but yields fallback instead of raising.
int StrToIntDef(std::string_view text, int fallback);

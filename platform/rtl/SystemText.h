#pragma once
// The program's ANSI texts and the UTF-16 texts of the Windows Unicode
// functions, converted in the system's ANSI code page exactly as the ANSI
// functions convert them: an ANSI text shown or used through a Unicode
// function behaves as it did through the ANSI one.

#include <string>
#include <string_view>

// Raises EConvertError for a text longer than the system converts at once
// (2 GiB).
std::wstring AnsiToWide(std::string_view text);
// Characters the code page lacks become the system's look-alikes or '?', as
// an ANSI function would show them.
std::string WideToAnsi(std::wstring_view text);

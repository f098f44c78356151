#pragma once
// Parts of Windows path names. A path's separators are the backslash and the
// drive colon; the rules are plain character rules, the same for ANSI names
// (CP1252 has no lead bytes) and for UTF-16 names (no unit of a surrogate
// pair is a separator or a dot).

#include <string>
#include <string_view>

// "X:" when the second character is a colon; "\\server\share" for a name
// that begins with two backslashes; otherwise empty.
std::string ExtractFileDrive(std::string_view fileName);
std::wstring ExtractFileDrive(std::wstring_view fileName);
// Everything up to and including the last backslash or colon.
std::string ExtractFilePath(std::string_view fileName);
std::wstring ExtractFilePath(std::wstring_view fileName);
// The folder part: the text before the last backslash or colon, keeping the
// backslash of a drive root ("C:\").
std::string ExtractFileDir(std::string_view fileName);
std::wstring ExtractFileDir(std::wstring_view fileName);
// The text after the last backslash or colon.
std::string ExtractFileName(std::string_view fileName);
std::wstring ExtractFileName(std::wstring_view fileName);
// From the last dot of the name part on, dot included; empty without a dot.
std::string ExtractFileExt(std::string_view fileName);
std::wstring ExtractFileExt(std::wstring_view fileName);

// Appends a backslash unless the text already ends in one.
std::string IncludeTrailingBackslash(std::string_view path);
std::wstring IncludeTrailingBackslash(std::wstring_view path);
// Removes one trailing backslash, if there is one.
std::string ExcludeTrailingBackslash(std::string_view path);
std::wstring ExcludeTrailingBackslash(std::wstring_view path);

// True when the name part names a DOS device (CON, PRN, AUX, NUL, COM1 to
// COM9, LPT1 to LPT9, CONIN$, CONOUT$) in any case, whatever extension and
// blanks follow: Windows opens the device for "C:\Daten\aux.txt".
bool IsDosDeviceName(std::wstring_view fileName);

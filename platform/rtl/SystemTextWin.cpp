// Texts between the ANSI code page and UTF-16.

#include "platform/rtl/SystemText.h"

#include "platform/rtl/Exceptions.h"

#include <climits>
#include <windows.h>

namespace {

template <class Ch> int Length(std::basic_string_view<Ch> text) {
    if (text.size() > static_cast<std::size_t>(INT_MAX))
        throw EConvertError("Der Text ist zu lang für die Umwandlung");
    return static_cast<int>(text.size());
}

} // namespace

std::wstring AnsiToWide(std::string_view text) {
    const int size = Length(text);
    if (size == 0)
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string WideToAnsi(std::wstring_view text) {
    const int size = Length(text);
    if (size == 0)
        return {};
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

#pragma once
// Placeholder formatting: "%s" takes the next text argument, "%d" the next
// integer argument, "%%" is a percent sign. Arguments are copied as they are,
// never read as a pattern themselves. The same rules for ANSI and for wide
// (UTF-16) texts.

#include "platform/rtl/StringUtils.h"

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

template <class Ch> class TBasicFormatArg {
public:
    using TText = std::basic_string<Ch>;

    TBasicFormatArg(std::basic_string_view<Ch> text) : FText(text), FIsInteger(false) {}
    TBasicFormatArg(const TText& text) : FText(text), FIsInteger(false) {}
    TBasicFormatArg(const Ch* text) : FText(text), FIsInteger(false) {}

    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, wchar_t>)
        TBasicFormatArg(T value)
        : FIsInteger(true) {
        // Digits and a sign: the same characters in every character type.
        std::string digits;
        if constexpr (std::signed_integral<T>) {
            digits = IntToStr(value);
        } else {
            digits = UIntToStr(value);
        }
        FText.assign(digits.begin(), digits.end());
    }

    const TText& Text() const { return FText; }
    bool IsInteger() const { return FIsInteger; }

private:
    TText FText;
    bool FIsInteger;
};

using FormatArg = TBasicFormatArg<char>;
using WideFormatArg = TBasicFormatArg<wchar_t>;

// Raises EConvertError for a missing argument, an argument of the wrong kind
// or a '%' not followed by 's', 'd' or '%'. Surplus arguments are ignored.
std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);
std::wstring Format(std::wstring_view pattern, std::initializer_list<WideFormatArg> args);

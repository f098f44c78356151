#pragma once
// Placeholder formatting: "%s" takes the next text argument, "%d" the next
// integer argument, "%%" is a percent sign. Arguments are copied as they are,
// never read as a pattern themselves.

#include "platform/rtl/StringUtils.h"

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

class FormatArg {
public:
    FormatArg(std::string_view text) : FText(text), FIsInteger(false) {}
    FormatArg(const std::string& text) : FText(text), FIsInteger(false) {}
    FormatArg(const char* text) : FText(text), FIsInteger(false) {}

    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) FormatArg(T value)
        : FIsInteger(true) {
        if constexpr (std::signed_integral<T>) {
            FText = IntToStr(value);
        } else {
            FText = UIntToStr(value);
        }
    }

    const std::string& Text() const { return FText; }
    bool IsInteger() const { return FIsInteger; }

private:
    std::string FText;
    bool FIsInteger;
};

// Raises EConvertError for a missing argument, an argument of the wrong kind
// or a '%' not followed by 's', 'd' or '%'. Surplus arguments are ignored.
std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);

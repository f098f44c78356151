// String routines of the run-time layer.

#include "platform/rtl/StringUtils.h"

#include "platform/rtl/Exceptions.h"

#include <charconv>
#include <limits>
#include <optional>

namespace {

template <class Ch> Ch AsciiLower(Ch c) {
    return (c >= Ch('A') && c <= Ch('Z')) ? static_cast<Ch>(c - Ch('A') + Ch('a')) : c;
}
char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::optional<int> ParseInt(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string_view digits = trimmed;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() < '0' || digits.front() > '9') {
        return std::nullopt;
    }
    // Parse the magnitude wide enough to hold -2147483648 before applying the sign.
    std::int64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace

std::string IntToStr(std::int64_t value) {
    if (value < 0) {
        // Unsigned negation keeps the smallest value exact.
        return "-" + UIntToStr(0 - static_cast<std::uint64_t>(value));
    }
    return UIntToStr(static_cast<std::uint64_t>(value));
}

std::string UIntToStr(std::uint64_t value) {
    char digits[20];
    char* end = digits + sizeof digits;
    char* begin = end;
    do {
        *--begin = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return std::string(begin, end);
}

std::string LowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = AsciiLower(c);
    }
    return result;
}

std::wstring LowerCase(std::wstring_view text) {
    std::wstring result(text);
    for (wchar_t& c : result) {
        c = AsciiLower(c);
    }
    return result;
}

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = AsciiUpper(c);
    }
    return result;
}

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const int ca = static_cast<unsigned char>(AsciiLower(a[i]));
        const int cb = static_cast<unsigned char>(AsciiLower(b[i]));
        if (ca != cb) {
            return ca - cb;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

std::string Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return std::string(text.substr(first, last - first));
}

int StrToInt(std::string_view text) {
    if (const std::optional<int> value = ParseInt(text)) {
        return *value;
    }
    throw EConvertError("'" + std::string(text) + "' ist keine gültige ganze Zahl");
}

int StrToIntDef(std::string_view text, int fallback) {
    return ParseInt(text).value_or(fallback);
}

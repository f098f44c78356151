// Placeholder formatting.

#include "platform/rtl/Format.h"

#include "platform/rtl/Exceptions.h"

namespace {

// The pattern in an error message, which is ANSI: other characters as '?'.
template <class Ch> std::string Quoted(std::basic_string_view<Ch> pattern) {
    std::string text;
    for (const Ch c : pattern) {
        const auto code = static_cast<std::make_unsigned_t<Ch>>(c);
        text += code < 0x100 ? static_cast<char>(code) : '?';
    }
    return text;
}

template <class Ch>
std::basic_string<Ch> FormatText(std::basic_string_view<Ch> pattern,
                                 std::initializer_list<TBasicFormatArg<Ch>> args) {
    const auto invalid = [&](const std::string& reason) {
        return EConvertError("Das Format \"" + Quoted(pattern) + "\" ist ungültig: " + reason);
    };
    std::basic_string<Ch> text;
    text.reserve(pattern.size());
    const TBasicFormatArg<Ch>* next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != Ch('%')) {
            text += pattern[i];
            continue;
        }
        if (++i == pattern.size()) {
            throw invalid("'%' am Ende");
        }
        const Ch kind = pattern[i];
        if (kind == Ch('%')) {
            text += Ch('%');
            continue;
        }
        if (kind != Ch('s') && kind != Ch('d')) {
            throw invalid("unbekannter Platzhalter '%" + Quoted(std::basic_string_view<Ch>(&kind, 1)) +
                          "'");
        }
        if (next == args.end()) {
            throw invalid("zu wenige Argumente");
        }
        if (next->IsInteger() != (kind == Ch('d'))) {
            throw invalid(std::string("Argument ") + IntToStr(next - args.begin() + 1) +
                          " passt nicht zu '%" + static_cast<char>(kind) + "'");
        }
        text += next->Text();
        ++next;
    }
    return text;
}

} // namespace

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args) {
    return FormatText(pattern, args);
}

std::wstring Format(std::wstring_view pattern, std::initializer_list<WideFormatArg> args) {
    return FormatText(pattern, args);
}

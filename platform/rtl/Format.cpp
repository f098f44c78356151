// Placeholder formatting.

#include "platform/rtl/Format.h"

#include "platform/rtl/Exceptions.h"

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args) {
    const auto invalid = [&](const std::string& reason) {
        return EConvertError("Das Format \"" + std::string(pattern) + "\" ist ungültig: " + reason);
    };
    std::string text;
    text.reserve(pattern.size());
    const FormatArg* next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            text += pattern[i];
            continue;
        }
        if (++i == pattern.size()) {
            throw invalid("'%' am Ende");
        }
        const char kind = pattern[i];
        if (kind == '%') {
            text += '%';
            continue;
        }
        if (kind != 's' && kind != 'd') {
            throw invalid(std::string("unbekannter Platzhalter '%") + kind + "'");
        }
        if (next == args.end()) {
            throw invalid("zu wenige Argumente");
        }
        if (next->IsInteger() != (kind == 'd')) {
            throw invalid(std::string("Argument ") + IntToStr(next - args.begin() + 1) +
                          " passt nicht zu '%" + kind + "'");
        }
        text += next->Text();
        ++next;
    }
    return text;
}

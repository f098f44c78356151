// Shared by the fuzz entry and the gtest that drives it deterministically.

#include "FormReaderCheck.h"

#include "platform/classes/Stream.h"
#include "platform/filer/ObjectText.h"
#include "platform/rtl/Exceptions.h"

#include <exception>

std::string FormReaderMismatch(const std::uint8_t* data, std::size_t size) {
    TReadOnlyMemoryStream input(data, static_cast<std::int64_t>(size));
    std::string text;
    try {
        text = ObjectBinaryToText(input);
    } catch (const EReadError&) {
        return "";
    } catch (const std::exception& e) {
        return std::string("reading raised something other than EReadError: ") + e.what();
    }
    try {
        TMemoryStream again;
        ObjectTextToBinary(text, again);
        again.SetPosition(0);
        const std::string second = ObjectBinaryToText(again);
        if (second != text) {
            return "text changed on the way back:\n" + text + "\n---\n" + second;
        }
    } catch (const std::exception& e) {
        return std::string("the text does not read back: ") + e.what() + "\n" + text;
    }
    return "";
}

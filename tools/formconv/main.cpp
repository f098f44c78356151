// formconv: converts a text form into the binary form stream that is linked
// into the program, or back for reading.
//
//   formconv <in.txt> <out.bin>
//   formconv --to-text <in.bin> <out.txt>
//
// The output file is written only when the conversion succeeded.

#include "platform/classes/Stream.h"
#include "platform/filer/AnsiCharset.h"
#include "platform/filer/ObjectText.h"
#include "platform/rtl/Exceptions.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

// Messages are CP1252; the console of a build host expects UTF-8.
std::string AnsiToUtf8(const std::string& text) {
    std::string result;
    for (const char c : text) {
        const char32_t codePoint = AnsiToUnicode(static_cast<std::uint8_t>(c));
        if (codePoint < 0x80) {
            result += static_cast<char>(codePoint);
        } else if (codePoint < 0x800) {
            result += static_cast<char>(0xC0 | (codePoint >> 6));
            result += static_cast<char>(0x80 | (codePoint & 0x3F));
        } else {
            result += static_cast<char>(0xE0 | (codePoint >> 12));
            result += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (codePoint & 0x3F));
        }
    }
    return result;
}

int Usage() {
    std::fputs("Aufruf: formconv <ein.txt> <aus.bin>\n"
               "        formconv --to-text <ein.bin> <aus.txt>\n",
               stderr);
    return 2;
}

void Convert(bool toText, const std::string& inName, const std::string& outName) {
    TMemoryStream input;
    input.LoadFromFile(inName);
    TMemoryStream output;
    if (toText) {
        const std::string text = ObjectBinaryToText(input);
        output.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
    } else {
        const std::string text(reinterpret_cast<const char*>(input.Memory()),
                               static_cast<std::size_t>(input.GetSize()));
        ObjectTextToBinary(text, output);
    }
    output.SaveToFile(outName);
}

} // namespace

int main(int argc, char** argv) {
    bool toText = false;
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--to-text") == 0) {
        toText = true;
        first = 2;
    }
    if (argc - first != 2) {
        return Usage();
    }
    const std::string inName = argv[first];
    const std::string outName = argv[first + 1];
    try {
        Convert(toText, inName, outName);
    } catch (const Exception& e) {
        std::fprintf(stderr, "formconv: %s: %s\n", inName.c_str(), AnsiToUtf8(e.Message()).c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "formconv: %s: %s\n", inName.c_str(), e.what());
        return 1;
    }
    return 0;
}

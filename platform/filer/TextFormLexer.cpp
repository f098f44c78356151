// The whole text is tokenized up front: form texts are small, and the
// parser then looks ahead freely.

#include "platform/filer/TextFormLexer.h"

#include "platform/filer/AnsiCharset.h"
#include "platform/filer/ParserError.h"

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAlphaNumeric(char c) {
    return IsLetter(c) || IsDigit(c);
}


class TLexer {
public:
    explicit TLexer(std::string_view text) : FText(text) {
        if (FText.substr(0, 3) == "\xEF\xBB\xBF") {
            FPos = 3; // UTF-8 byte order mark
        }
    }

    std::vector<TToken> Run() {
        std::vector<TToken> tokens;
        for (;;) {
            SkipSpace();
            TToken token;
            token.Line = FLine;
            if (FPos >= FText.size()) {
                tokens.push_back(token);
                return tokens;
            }
            const char c = FText[FPos];
            if (IsLetter(c)) {
                token.Kind = TTokenKind::Identifier;
                token.Text = TakeWhile([](char x) { return IsAlphaNumeric(x) || x == '.'; });
            } else if (IsDigit(c) || c == '$' ||
                       ((c == '-' || c == '+') && FPos + 1 < FText.size() &&
                        (IsAlphaNumeric(FText[FPos + 1]) || FText[FPos + 1] == '$'))) {
                token.Kind = TTokenKind::Number;
                token.Text = Number();
            } else if (c == '\'' || c == '#') {
                token.Kind = TTokenKind::String;
                token.Elements = StringPieces();
            } else if (c == '{') {
                token.Kind = TTokenKind::Binary;
                token.Bytes = BinaryData();
            } else if (std::string_view(":=[]()<>,+").find(c) != std::string_view::npos) {
                token.Kind = TTokenKind::Symbol;
                token.Text = std::string(1, c);
                ++FPos;
            } else {
                Fail("Unerwartetes Zeichen " + Describe(c));
            }
            tokens.push_back(std::move(token));
        }
    }

private:
    [[noreturn]] void Fail(const std::string& what) const { throw EParserError(FLine, what); }

    static std::string Describe(char c) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            return std::string("'") + c + "'";
        }
        return "(Byte " + std::to_string(byte) + ")";
    }

    void SkipSpace() {
        while (FPos < FText.size()) {
            const char c = FText[FPos];
            if (c == '\n') {
                ++FLine;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                return;
            }
            ++FPos;
        }
    }

    template <typename Predicate> std::string TakeWhile(Predicate predicate) {
        const std::size_t start = FPos;
        while (FPos < FText.size() && predicate(FText[FPos])) {
            ++FPos;
        }
        return std::string(FText.substr(start, FPos - start));
    }

    // Sign, digits, letters (hex digits, exponent, Inf/NaN, type suffix) and
    // '.'; a sign only directly after the exponent letter of a decimal.
    std::string Number() {
        const std::size_t start = FPos;
        if (FText[FPos] == '-' || FText[FPos] == '+') {
            ++FPos;
        }
        const bool hex = FPos < FText.size() && FText[FPos] == '$';
        if (hex) {
            ++FPos;
        }
        while (FPos < FText.size()) {
            const char c = FText[FPos];
            const char previous = FText[FPos - 1];
            if (IsAlphaNumeric(c) || c == '.' ||
                (!hex && (c == '-' || c == '+') && (previous == 'E' || previous == 'e'))) {
                ++FPos;
            } else {
                break;
            }
        }
        return std::string(FText.substr(start, FPos - start));
    }

    std::vector<TStringElement> StringPieces() {
        std::vector<TStringElement> elements;
        while (FPos < FText.size()) {
            if (FText[FPos] == '\'') {
                QuotedPiece(elements);
            } else if (FText[FPos] == '#') {
                elements.push_back(TStringElement{CharCode(), true});
            } else {
                break;
            }
        }
        return elements;
    }

    void QuotedPiece(std::vector<TStringElement>& elements) {
        ++FPos;
        for (;;) {
            if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r') {
                Fail("Zeichenkette nicht abgeschlossen");
            }
            if (FText[FPos] == '\'') {
                if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
                    elements.push_back(TStringElement{U'\'', false});
                    FPos += 2;
                    continue;
                }
                ++FPos;
                return;
            }
            char32_t codePoint = 0;
            if (!DecodeUtf8(FText, FPos, codePoint)) {
                Fail("Ungültiges UTF-8 in einer Zeichenkette");
            }
            elements.push_back(TStringElement{codePoint, false});
        }
    }

    char32_t CharCode() {
        ++FPos;
        std::uint32_t value = 0;
        bool hex = false;
        if (FPos < FText.size() && FText[FPos] == '$') {
            hex = true;
            ++FPos;
        }
        const std::size_t start = FPos;
        while (FPos < FText.size() && (hex ? HexValue(FText[FPos]) >= 0 : IsDigit(FText[FPos]))) {
            value = value * (hex ? 16 : 10) +
                    static_cast<std::uint32_t>(hex ? HexValue(FText[FPos]) : FText[FPos] - '0');
            if (value > 0xFFFF) {
                Fail("Zeichencode zu groß (höchstens 65535)");
            }
            ++FPos;
        }
        if (FPos == start) {
            Fail("Zeichencode nach '#' erwartet");
        }
        return value;
    }

    std::vector<std::uint8_t> BinaryData() {
        const int startLine = FLine;
        ++FPos;
        std::vector<std::uint8_t> bytes;
        int high = -1;
        for (;;) {
            SkipSpace();
            if (FPos >= FText.size()) {
                throw EParserError(startLine, "Binärdaten nicht mit '}' abgeschlossen");
            }
            const char c = FText[FPos++];
            if (c == '}') {
                break;
            }
            const int digit = HexValue(c);
            if (digit < 0) {
                Fail("Hexadezimalziffer erwartet statt " + Describe(c));
            }
            if (high < 0) {
                high = digit;
            } else {
                bytes.push_back(static_cast<std::uint8_t>(high * 16 + digit));
                high = -1;
            }
        }
        if (high >= 0) {
            Fail("Ungerade Anzahl Hexadezimalziffern in Binärdaten");
        }
        return bytes;
    }

    std::string_view FText;
    std::size_t FPos = 0;
    int FLine = 1;
};

} // namespace

std::vector<TToken> TokenizeFormText(std::string_view text) {
    return TLexer(text).Run();
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

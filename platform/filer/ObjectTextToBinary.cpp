// The text form parser. It writes the binary stream while it reads, so the
// value order of the text is the order of the stream.

#include "platform/filer/ObjectText.h"

#include "platform/filer/AnsiCharset.h"
#include "platform/filer/BinaryValueWriter.h"
#include "platform/filer/DecimalText.h"
#include "platform/filer/ParserError.h"
#include "platform/filer/TextFormLexer.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>

namespace {

// Class names of 240 bytes and more would read back as a prefix byte.
constexpr std::size_t kMaxClassNameLength = kPrefixMarker - 1;

class TFormParser {
public:
    TFormParser(const std::string& text, TStream& out)
        : FTokens(TokenizeFormText(text)), FWriter(out) {}

    void Run() {
        FWriter.WriteSignature();
        if (!AtObjectStart()) {
            Fail(Peek(), "'object', 'inherited' oder 'inline' erwartet");
        }
        ParseObject(0);
        if (Peek().Kind != TTokenKind::End) {
            Fail(Peek(), "Text nach dem abschließenden 'end'");
        }
    }

private:
    [[noreturn]] static void Fail(const TToken& at, const std::string& what) {
        throw EParserError(at.Line, what);
    }

    const TToken& Peek(std::size_t ahead = 0) const {
        return FTokens[std::min(FIndex + ahead, FTokens.size() - 1)];
    }

    const TToken& Next() {
        const TToken& token = Peek();
        if (FIndex + 1 < FTokens.size()) {
            ++FIndex;
        }
        return token;
    }

    static bool IsSymbol(const TToken& token, char symbol) {
        return token.Kind == TTokenKind::Symbol && token.Text[0] == symbol;
    }

    // A keyword is an identifier that is not followed by '=' (which would make
    // it the name of a property).
    bool AtKeyword(const char* word) const {
        return Peek().Kind == TTokenKind::Identifier && Peek().Text == word &&
               !IsSymbol(Peek(1), '=');
    }

    bool AtObjectStart() const {
        return AtKeyword("object") || AtKeyword("inherited") || AtKeyword("inline");
    }

    void Expect(char symbol) {
        if (!IsSymbol(Peek(), symbol)) {
            Fail(Peek(), std::string("'") + symbol + "' erwartet");
        }
        Next();
    }

    std::string Name(const char* what, bool dotted, std::size_t maxLength) {
        const TToken& token = Next();
        if (token.Kind != TTokenKind::Identifier) {
            Fail(token, std::string(what) + " erwartet");
        }
        if (!IsFormIdentifier(token.Text, dotted) || token.Text.size() > maxLength) {
            Fail(token, std::string(what) + " '" + token.Text.substr(0, 64) + "' ist ungültig");
        }
        return token.Text;
    }

    void ParseObject(int depth) {
        const TToken& keyword = Next();
        if (depth > kMaxComponentNesting) {
            Fail(keyword, "Komponenten zu tief verschachtelt");
        }
        std::uint8_t flags = 0;
        if (keyword.Text == "inherited") {
            flags = ffInherited;
        } else if (keyword.Text == "inline") {
            flags = ffInline;
        }
        std::string name;
        const TToken& classToken = Peek();
        std::string className = Name("Name", false, 255);
        if (IsSymbol(Peek(), ':')) {
            Next();
            name = className;
            className = Name("Klassenname", false, 255);
        }
        if (className.size() > kMaxClassNameLength) {
            Fail(classToken, "Klassenname zu lang");
        }
        std::int32_t childPos = 0;
        if (IsSymbol(Peek(), '[')) {
            Next();
            childPos = Int32Value();
            Expect(']');
            flags |= ffChildPos;
        }
        FWriter.WritePrefix(flags, childPos);
        FWriter.WriteStr(className);
        FWriter.WriteStr(name);

        while (!AtObjectStart() && !AtKeyword("end")) {
            ParseProperty(0);
        }
        FWriter.WriteEndMarker();
        while (AtObjectStart()) {
            ParseObject(depth + 1);
        }
        FWriter.WriteEndMarker();
        if (!AtKeyword("end")) {
            if (Peek().Kind == TTokenKind::Identifier && IsSymbol(Peek(1), '=')) {
                Fail(Peek(), "Eigenschaften müssen vor den Unterkomponenten stehen");
            }
            Fail(Peek(), "'end' erwartet");
        }
        Next();
    }

    void ParseProperty(int depth) {
        if (Peek().Kind == TTokenKind::End) {
            Fail(Peek(), "'end' erwartet");
        }
        const std::string name = Name("Eigenschaftsname", true, 255);
        Expect('=');
        FWriter.WriteStr(name);
        ParseValue(depth);
    }

    void ParseValue(int depth) {
        const TToken& token = Peek();
        if (depth > kMaxValueNesting) {
            Fail(token, "Werte zu tief verschachtelt");
        }
        switch (token.Kind) {
        case TTokenKind::Number:
            Next();
            ParseNumber(token);
            return;
        case TTokenKind::String:
            ParseString();
            return;
        case TTokenKind::Identifier:
            FWriter.WriteIdent(Name("Bezeichner", true, 255));
            return;
        case TTokenKind::Binary:
            Next();
            FWriter.WriteBinary(token.Bytes);
            return;
        case TTokenKind::Symbol:
            if (IsSymbol(token, '[')) {
                ParseSet();
                return;
            }
            if (IsSymbol(token, '(')) {
                ParseList(depth);
                return;
            }
            if (IsSymbol(token, '<')) {
                ParseCollection(depth);
                return;
            }
            break;
        case TTokenKind::End:
            break;
        }
        Fail(token, "Wert erwartet");
    }

    void ParseList(int depth) {
        Next();
        FWriter.WriteListBegin();
        while (!IsSymbol(Peek(), ')')) {
            if (Peek().Kind == TTokenKind::End) {
                Fail(Peek(), "')' erwartet");
            }
            if (Peek().Kind == TTokenKind::Identifier && Peek().Text == kIdentNull) {
                Fail(Peek(), "Null kann nicht in einer Liste stehen");
            }
            ParseValue(depth + 1);
        }
        Next();
        FWriter.WriteListEnd();
    }

    void ParseCollection(int depth) {
        Next();
        FWriter.WriteCollectionBegin();
        while (!IsSymbol(Peek(), '>')) {
            std::optional<std::int32_t> order;
            if (IsSymbol(Peek(), '[')) {
                Next();
                order = Int32Value();
                Expect(']');
            }
            if (!AtKeyword("item")) {
                Fail(Peek(), "'item' oder '>' erwartet");
            }
            Next();
            FWriter.WriteCollectionItemBegin(order);
            while (!AtKeyword("end")) {
                if (Peek().Kind != TTokenKind::Identifier) {
                    Fail(Peek(), "'end' erwartet");
                }
                ParseProperty(depth + 1);
            }
            Next();
            FWriter.WriteCollectionItemEnd();
        }
        Next();
        FWriter.WriteCollectionEnd();
    }

    void ParseSet() {
        Next();
        std::vector<std::string> elements;
        if (!IsSymbol(Peek(), ']')) {
            for (;;) {
                elements.push_back(Name("Mengenelement", false, 255));
                if (!IsSymbol(Peek(), ',')) {
                    break;
                }
                Next();
            }
        }
        Expect(']');
        FWriter.WriteSet(elements);
    }

    void ParseString() {
        const TToken& first = Next();
        std::vector<TStringElement> elements = first.Elements;
        while (IsSymbol(Peek(), '+')) {
            Next();
            if (Peek().Kind != TTokenKind::String) {
                Fail(Peek(), "Zeichenkette nach '+' erwartet");
            }
            const auto& more = Next().Elements;
            elements.insert(elements.end(), more.begin(), more.end());
        }
        bool wide = false;
        for (const auto& element : elements) {
            wide |= element.IsCode && element.Value > 0xFF;
        }
        if (wide) {
            std::u16string units;
            for (const auto& element : elements) {
                if (element.IsCode) {
                    units += static_cast<char16_t>(element.Value);
                } else {
                    AppendUtf16(units, element.Value);
                }
            }
            FWriter.WriteWideString(units);
            return;
        }
        std::string bytes;
        for (const auto& element : elements) {
            std::uint8_t byte = static_cast<std::uint8_t>(element.Value);
            if (!element.IsCode && !UnicodeToAnsi(element.Value, byte)) {
                char code[16];
                std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(element.Value));
                Fail(first,
                     std::string("Das Zeichen ") + code + " ist in Windows-1252 nicht darstellbar");
            }
            bytes += static_cast<char>(byte);
        }
        FWriter.WriteString(bytes);
    }

    std::int32_t Int32Value() {
        const TToken& token = Next();
        std::int64_t value = 0;
        if (token.Kind != TTokenKind::Number || !IntegerText(token.Text, value) ||
            value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max()) {
            Fail(token, "32-Bit-Ganzzahl erwartet");
        }
        return static_cast<std::int32_t>(value);
    }

    // [-]digits or [-]$hexdigits (up to 16, taken as a 64-bit pattern).
    static bool IntegerText(const std::string& text, std::int64_t& value) {
        std::size_t i = 0;
        const bool negative = !text.empty() && text[0] == '-';
        if (negative) {
            ++i;
        }
        std::uint64_t magnitude = 0;
        if (i < text.size() && text[i] == '$') {
            ++i;
            if (i == text.size() || text.size() - i > 16) {
                return false;
            }
            for (; i < text.size(); ++i) {
                const int digit = HexValue(text[i]);
                if (digit < 0) {
                    return false;
                }
                magnitude = magnitude * 16 + static_cast<std::uint64_t>(digit);
            }
            value = static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
            return true;
        }
        if (i == text.size()) {
            return false;
        }
        const std::uint64_t limit =
            static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) +
            (negative ? 1 : 0);
        for (; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return false;
            }
            const auto digit = static_cast<std::uint64_t>(text[i] - '0');
            if (magnitude > (limit - digit) / 10) {
                return false;
            }
            magnitude = magnitude * 10 + digit;
        }
        value = static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
        return true;
    }

    void ParseNumber(const TToken& token) {
        const std::string& text = token.Text;
        const bool hex = text.find('$') != std::string::npos;
        char suffix = 0;
        std::string body = text;
        if (!hex && (text.back() == 's' || text.back() == 'c' || text.back() == 'd')) {
            suffix = text.back();
            body.pop_back();
        }
        const bool isFloat = suffix != 0 || body.find_first_of(".EeIN") != std::string::npos;
        if (!isFloat) {
            std::int64_t value = 0;
            if (!IntegerText(body, value)) {
                Fail(token, "Ungültige Ganzzahl '" + text + "'");
            }
            FWriter.WriteInteger(value);
            return;
        }
        if (suffix == 'c') {
            std::int64_t scaled = 0;
            Check(token, TextToCurrency(body, scaled));
            FWriter.WriteCurrency(scaled);
            return;
        }
        TFloatParts parts;
        switch (suffix) {
        case 's':
            Check(token, TextToFloat(body, kSingleFormat, parts));
            FWriter.WriteSingleBits(EncodeSingle(parts));
            return;
        case 'd':
            Check(token, TextToFloat(body, kDoubleFormat, parts));
            FWriter.WriteDateBits(EncodeDouble(parts));
            return;
        default:
            Check(token, TextToFloat(body, kExtendedFormat, parts));
            FWriter.WriteExtended(EncodeExtended(parts));
            return;
        }
    }

    static void Check(const TToken& token, TDecimalError error) {
        switch (error) {
        case TDecimalError::None:
            return;
        case TDecimalError::Syntax:
            Fail(token, "Ungültige Zahl '" + token.Text + "'");
        case TDecimalError::TooManyDigits:
            Fail(token, "Die Zahl '" + token.Text.substr(0, 32) + "...' hat zu viele Stellen");
        case TDecimalError::Overflow:
            Fail(token, "Die Zahl '" + token.Text + "' liegt außerhalb des Wertebereichs");
        case TDecimalError::Inexact:
            Fail(token,
                 "Der Currency-Wert '" + token.Text + "' hat mehr als vier Nachkommastellen");
        }
    }

    std::vector<TToken> FTokens;
    std::size_t FIndex = 0;
    TBinaryValueWriter FWriter;
};

} // namespace

void ObjectTextToBinary(const std::string& text, TStream& out) {
    TFormParser(text, out).Run();
}

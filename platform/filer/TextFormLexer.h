#pragma once
// Splits the text form of a form stream (UTF-8) into tokens. Raises
// EParserError with the line number for anything that is no token.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TTokenKind {
    End,        // end of the text
    Symbol,     // one of : = [ ] ( ) < > , +
    Identifier, // letters, digits, '_' and '.', not starting with a digit
    Number,     // integer or float text as written, sign and suffix included
    String,     // quoted pieces and #nnn codes written without space between
    Binary,     // { hex digits }
};

// One character of a string token: a character written inside quotes
// (a Unicode code point) or one written as #nnn (its number).
struct TStringElement {
    char32_t Value;
    bool IsCode;
};

struct TToken {
    TTokenKind Kind = TTokenKind::End;
    int Line = 1;
    std::string Text;                     // Symbol, Identifier, Number
    std::vector<TStringElement> Elements; // String
    std::vector<std::uint8_t> Bytes;      // Binary
};

std::vector<TToken> TokenizeFormText(std::string_view text);

// The value of a hexadecimal digit, or -1 for any other character.
int HexValue(char c);

#pragma once
// The error of the text form parser: the message names the line.

#include "platform/rtl/Exceptions.h"

#include <string>

class EParserError : public Exception {
public:
    // Message: "Zeile <line>: <what>".
    EParserError(int line, const std::string& what)
        : Exception("Zeile " + std::to_string(line) + ": " + what), FLine(line) {}

    int Line() const noexcept { return FLine; }

private:
    int FLine;
};

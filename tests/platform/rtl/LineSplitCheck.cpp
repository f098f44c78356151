// Compares the line splitter with a plain whole-input reading of the rules.

#include "LineSplitCheck.h"

#include "MemorySource.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <sstream>

std::vector<std::string> ReferenceLines(const std::string& data, TTextLineRules rules) {
    constexpr char ctrlZ = 26;
    if (rules.LfEndsLineWithoutCr) {
        rules.LfEndsLine = data.substr(0, rules.FirstBlockSize).find('\r') == std::string::npos;
    }
    std::size_t end = data.size();
    if (rules.CtrlZEndsOnlyAtTail) {
        while (end > 0 && data[end - 1] == ctrlZ) {
            --end;
        }
    } else {
        end = std::min(end, data.find(ctrlZ));
    }
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < end) {
        std::string line;
        while (i < end && data[i] != '\r' && !(rules.LfEndsLine && data[i] == '\n')) {
            line += data[i++];
        }
        if (i < end && data[i] == '\r') {
            ++i;
            if (i < end && data[i] == '\n') {
                ++i;
            }
        } else if (i < end) {
            ++i; // a lone LF that ends the line
        }
        lines.push_back(line);
    }
    return lines;
}

namespace {

std::string Visible(const std::string& text) {
    std::ostringstream out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte >= 127) {
            out << "\\x" << std::hex << static_cast<int>(byte) << std::dec;
        } else {
            out << c;
        }
    }
    return out.str();
}

} // namespace

std::string LineSplitMismatch(const std::uint8_t* input, std::size_t size) {
    if (size < 3) {
        return {};
    }
    const TTextLineRules rules{(input[0] & 1) != 0, (input[0] & 2) != 0, (input[0] & 4) != 0,
                               1 + std::size_t{input[0]} / 8};
    const std::size_t bufferSize = 1 + input[1] % 16;
    const std::vector<std::size_t> chunkSizes{1 + input[2] % 7u, 1 + input[2] / 32u};
    const std::string data(reinterpret_cast<const char*>(input + 3), size - 3);

    const std::vector<std::string> expected = ReferenceLines(data, rules);
    TMemorySource source(data, chunkSizes);
    TTextLineSplitter splitter(source, rules, bufferSize);
    std::vector<std::string> actual;
    std::string line;
    // Each round asks Eof twice, as a caller may, and expects the same answer.
    while (!splitter.Eof()) {
        if (splitter.Eof() || actual.size() > data.size()) {
            return "Eof changed its answer or the splitter does not advance";
        }
        splitter.ReadLine(line);
        actual.push_back(line);
    }
    try {
        splitter.ReadLine(line);
        return "ReadLine at the end did not raise";
    } catch (const EInOutError& error) {
        if (error.ErrorCode != ioErrorReadPastEnd) {
            return "ReadLine at the end raised code " + std::to_string(error.ErrorCode);
        }
    }
    if (actual == expected) {
        return {};
    }
    std::ostringstream report;
    report << "rules lf=" << rules.LfEndsLine << " tail=" << rules.CtrlZEndsOnlyAtTail
           << " sniff=" << rules.LfEndsLineWithoutCr << '/' << rules.FirstBlockSize
           << " buffer=" << bufferSize << " data \"" << Visible(data) << "\"\nexpected:";
    for (const std::string& text : expected) {
        report << " \"" << Visible(text) << '"';
    }
    report << "\nactual:  ";
    for (const std::string& text : actual) {
        report << " \"" << Visible(text) << '"';
    }
    return report.str();
}

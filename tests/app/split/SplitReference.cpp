// The split done the plainest way.

#include "SplitReference.h"

namespace {

std::vector<std::string> LinesOf(const std::string& data, std::size_t firstBlockSize) {
    const bool lfEndsLine = data.substr(0, firstBlockSize).find('\r') == std::string::npos;
    std::string text = data;
    while (!text.empty() && text.back() == '\x1A') {
        text.pop_back();
    }
    std::vector<std::string> lines;
    std::string line;
    bool open = false; // bytes of a line without its end yet
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || (c == '\n' && lfEndsLine)) {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
            open = true;
        }
    }
    if (open) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace

TReferenceSplit ReferenceSplit(const std::string& source, const TSplitProgress& progress,
                               std::size_t firstBlockSize, std::int64_t firstLine) {
    const std::string mark = "\xEF\xBB\xBF";
    const bool marked = source.starts_with(mark);
    const std::string data = marked ? source.substr(mark.size()) : source;
    const std::string head = marked ? mark : std::string();
    TReferenceSplit result;
    result.Parts.push_back(head);
    std::int64_t line = firstLine;
    bool pumped = false;
    std::int64_t lastPump = 0;
    for (const std::string& text : LinesOf(data, firstBlockSize)) {
        if (progress.StopRequested && progress.StopRequested()) {
            result.Stopped = true;
            break;
        }
        if (line % 100 == 0 && (!pumped || progress.NowMs() - lastPump >= 10)) {
            progress.Pump(line);
            pumped = true;
            lastPump = progress.NowMs();
        }
        if (line % progress.LineLimit() == 0) {
            result.Parts.push_back(head);
        }
        result.Parts.back() += text + "\r\n";
        ++line;
    }
    result.Lines = line - firstLine;
    return result;
}

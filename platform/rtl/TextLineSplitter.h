#pragma once
// The line rules of text files, in one place: splits a byte stream into lines.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// How bytes make lines. The defaults are the platform's rules: a line ends at
// CR, and one LF directly after the CR goes with it; a lone LF is part of the
// line; a Ctrl-Z (26) ends the input.
struct TTextLineRules {
    // A lone LF ends a line too.
    bool LfEndsLine = false;
    // A Ctrl-Z ends the input only where nothing but Ctrl-Z bytes follow it up
    // to the physical end; elsewhere it is data.
    bool CtrlZEndsOnlyAtTail = false;
};

// Where the splitter's bytes come from.
class TByteSource {
public:
    virtual ~TByteSource() = default;
    // Reads up to capacity bytes into buffer; returns how many, 0 only at the end.
    virtual std::size_t ReadSome(char* buffer, std::size_t capacity) = 0;
};

class TTextLineSplitter {
public:
    static constexpr std::size_t DefaultBufferSize = 256 * 1024;

    explicit TTextLineSplitter(TByteSource& source, TTextLineRules rules = {},
                               std::size_t bufferSize = DefaultBufferSize);
    TTextLineSplitter(const TTextLineSplitter&) = delete;
    TTextLineSplitter& operator=(const TTextLineSplitter&) = delete;

    // True at the physical end and where a Ctrl-Z ends the input.
    bool Eof();
    // Reads the next line, of any length, without its line end. Raises
    // EInOutError(100) at the end.
    void ReadLine(std::string& line);

private:
    static constexpr char CtrlZ = 26;

    // Makes at least one unread byte available; false at the physical end.
    bool Fill();
    // With the cursor on a Ctrl-Z: true when only Ctrl-Z bytes follow to the
    // physical end. The run may span buffers; the Ctrl-Z bytes passed on the
    // way are counted in FPendingCtrlZ, as data that precedes the cursor.
    bool OnlyCtrlZToEnd();

    TByteSource& FSource;
    TTextLineRules FRules;
    std::array<bool, 256> FStopsScan{}; // bytes that end the plain copying of a line
    std::vector<char> FBuffer;
    std::size_t FPos = 0;
    std::size_t FEnd = 0;
    bool FSourceDone = false;
    std::size_t FPendingCtrlZ = 0;
};

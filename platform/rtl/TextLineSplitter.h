#pragma once
// The line rules of text files, in one place: which bytes end a line, how a
// Ctrl-Z ends the input, and how a file's first block picks its line ends.
// TLineBlockReader applies the rules that reach across read blocks;
// TLineEnds finds the line ends inside the blocks it hands out. The line
// reader (TTextLineSplitter) and copies that work a block at a time are both
// built on these two.

#include <cstddef>
#include <string>
#include <string_view>
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
    // LfEndsLine is decided by the input instead: true when its first
    // FirstBlockSize bytes (all of it when shorter) hold no CR (Unix files).
    bool LfEndsLineWithoutCr = false;
    std::size_t FirstBlockSize = 64 * 1024;
};

// Where the bytes come from.
class TByteSource {
public:
    virtual ~TByteSource() = default;
    // Reads up to capacity bytes into buffer; returns how many, 0 only at the end.
    virtual std::size_t ReadSome(char* buffer, std::size_t capacity) = 0;
};

// Reads until Buffer holds Count bytes or the source ends (a source may hand
// out fewer bytes than asked for); returns how many it holds.
std::size_t ReadUpTo(TByteSource& source, char* buffer, std::size_t count);

// Reads a source in blocks and hands them out "resolved": the logical end is
// applied (bytes from a Ctrl-Z that ends the input on are never handed out),
// and a CR is never separated from the LF that follows it. So within a
// block, a CR is followed by LF exactly when the next byte of the block is
// LF; a CR that is a block's last byte is a lone CR.
class TLineBlockReader {
public:
    explicit TLineBlockReader(TByteSource& source, TTextLineRules rules, std::size_t bufferSize);
    TLineBlockReader(const TLineBlockReader&) = delete;
    TLineBlockReader& operator=(const TLineBlockReader&) = delete;

    // The next block, valid until the next call; empty only at the end. A
    // source that raises leaves the reader where it was.
    std::string_view Next();
    // Whether a lone LF ends a line; decided with the first block.
    bool LfEndsLine() const { return FRules.LfEndsLine; }

private:
    void Fill();
    std::size_t ReadFirst();

    TByteSource& FSource;
    TTextLineRules FRules;
    std::vector<char> FBuffer;
    std::string_view FWaiting;
    bool FFirst = true;
    std::size_t FFirstFilled = 0; // bytes of the first block gathered so far
    bool FSourceDone = false;
    bool FHeldCr = false;         // a CR at the end of a read, carried to the next one
    std::size_t FCtrlZBefore = 0; // Ctrl-Z run proved to be data, due before FWaiting
    std::size_t FCtrlZAfter = 0;  // Ctrl-Z run at the end of the bytes read so far
};

// The line ends inside a block of a TLineBlockReader: a CR with the LF right
// after it, a lone CR, and a lone LF when LF ends lines.
class TLineEnds {
public:
    explicit TLineEnds(bool lfEndsLine) : FLfEndsLine(lfEndsLine) {}

    // The first byte of the next line end in [p, end), or end.
    const char* Find(const char* p, const char* end) const;
    // Past the line end that starts at p.
    static const char* Skip(const char* p, const char* end) {
        return *p == '\r' && p + 1 < end && p[1] == '\n' ? p + 2 : p + 1;
    }
    // Past the count-th line end from p on; end when there are fewer.
    const char* SkipLines(const char* p, const char* end, std::size_t count) const;

    struct TCount {
        std::size_t LineEnds = 0;
        bool AllCrLf = true;        // every line end is CR LF
        bool EndsAtLineEnd = false; // the last bytes are a line end
    };
    TCount Count(const char* begin, const char* end) const;

private:
    bool FLfEndsLine;
};

// Lines, one at a time, from a byte source.
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
    // Makes FBlock hold unread bytes; false at the end.
    bool HaveBytes();

    TLineBlockReader FBlocks;
    std::string_view FBlock;
};

#pragma once
// The copy behind a split: the lines of a text file, byte for byte, into
// numbered part files of at most N lines, every line ending in CR LF.
//
// Line rules: a line ends at CR, taking one LF right after it; a lone LF is
// part of its line (a line break in a quoted CSV cell stays in its record),
// unless the file's first 64 KiB hold no CR at all, in which case LF ends
// lines too (Unix files). A run of Ctrl-Z bytes that reaches the physical end
// is the old end-of-file mark and is dropped; any other Ctrl-Z is data.
//
// A UTF-8 byte-order mark (EF BB BF) at the start of the source belongs to no
// line: every part starts with it, so that a spreadsheet program reads each
// part as UTF-8, and the bytes after it are copied as any others.
//
// File names are Unicode (UTF-16 on Windows), so that any file the open
// dialog shows can be split. Part k is named outputFolder + k + extension. The line counter starts at 1
// and a new part begins before every line whose number is a multiple of N, so
// part 0 holds N - 1 lines, later parts N, the last the rest; an empty source
// gives the one empty part 0.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// How the copy talks to its caller; every member may be left empty.
struct TSplitProgress {
    // A steady clock in milliseconds (default: the process's steady clock).
    // Read at every multiple of 100 lines after the first pump, and after
    // every pump.
    std::function<std::int64_t()> NowMs;
    // Called before the line with number `line` (a multiple of 100) is
    // copied: at the first multiple of 100, then at the next multiple at which
    // at least 10 ms have passed since the last call returned. The caller
    // shows the status and dispatches pending messages here.
    std::function<void(std::int64_t line)> Pump;
    // Asked at the start and after every pump (a stop can only be requested
    // from within the pump). True ends the copy before the next line: the line
    // of that pump is still copied.
    std::function<bool()> StopRequested;
    // The line limit N, at least 1; read at the start and after every pump.
    // Required.
    std::function<std::int32_t()> LineLimit;
};

struct TSplitResult {
    std::int64_t Lines = 0; // lines copied
    std::int64_t Parts = 0; // part files written (part 0 always)
    bool Stopped = false;   // a stop request ended the copy before the last line
};

// Sizes the tests vary; the defaults are what the program uses.
struct TSplitTuning {
    std::size_t BufferSize = 1024 * 1024;   // bytes per read
    std::size_t FirstBlockSize = 64 * 1024; // the block that tells Unix files apart
    std::int64_t FirstLine = 1;             // the line counter's start
};

// Copies the lines of sourceName into the part files. Raises EInOutError
// when opening, reading, writing or closing a file fails (after closing both
// files; a failure while closing never hides the first one); other
// exceptions of the callbacks pass through the same way.
TSplitResult SplitLines(const std::wstring& sourceName, const std::wstring& outputFolder,
                        const std::wstring& extension, const TSplitProgress& progress,
                        const TSplitTuning& tuning = {});

// True when the file starts with a UTF-16 byte-order mark (FF FE or FE FF):
// such a file cannot be split by bytes. Raises EInOutError when the file
// cannot be opened or read.
bool StartsWithUtf16Bom(const std::wstring& fileName);

// The line rules, on bytes from memory with chosen buffer boundaries.

#include "MemorySource.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextLineSplitter.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// All lines of data, read with the given rules, buffer size and chunk sizes.
Lines Split(const std::string& data, TTextLineRules rules = {}, std::size_t bufferSize = 64,
            std::vector<std::size_t> chunks = {}) {
    TMemorySource source(data, std::move(chunks));
    TTextLineSplitter splitter(source, rules, bufferSize);
    Lines lines;
    std::string line;
    while (!splitter.Eof()) {
        splitter.ReadLine(line);
        lines.push_back(line);
    }
    return lines;
}

const TTextLineRules lfEndsLine{true, false};
const TTextLineRules ctrlZAtTail{false, true};

TEST(TextLineSplitter, LineEnds) {
    EXPECT_EQ(Split("a\rb\rc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(Split("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(Split("\r\r\n\r"), (Lines{"", "", ""}));
    // Only one LF goes with the CR; the next one starts the following line.
    EXPECT_EQ(Split("a\r\n\nb\r"), (Lines{"a", "\nb"}));
    // LF CR is a lone LF, then a CR.
    EXPECT_EQ(Split("a\n\rb"), (Lines{"a\n", "b"}));
}

TEST(TextLineSplitter, LoneLfBelongsToTheLine) {
    EXPECT_EQ(Split("one\ntwo\nthree\n"), (Lines{"one\ntwo\nthree\n"}));
    EXPECT_EQ(Split("\n"), (Lines{"\n"}));
}

TEST(TextLineSplitter, LfEndsLineOption) {
    EXPECT_EQ(Split("one\ntwo\r\nthree\rfour\n", lfEndsLine),
              (Lines{"one", "two", "three", "four"}));
    EXPECT_EQ(Split("\n\n", lfEndsLine), (Lines{"", ""}));
    EXPECT_EQ(Split("a\n\rb", lfEndsLine), (Lines{"a", "", "b"}));
}

TEST(TextLineSplitter, EmptyInputIsAtEndAtOnce) {
    TMemorySource source("");
    TTextLineSplitter splitter(source);
    EXPECT_TRUE(splitter.Eof());
    EXPECT_TRUE(splitter.Eof());
}

TEST(TextLineSplitter, LastLineWithoutLineEnd) {
    EXPECT_EQ(Split("a\r\nlast"), (Lines{"a", "last"}));
    EXPECT_EQ(Split("x"), (Lines{"x"}));
}

TEST(TextLineSplitter, CrAsLastByteEndsTheInput) {
    TMemorySource source("a\r");
    TTextLineSplitter splitter(source);
    std::string line;
    splitter.ReadLine(line);
    EXPECT_EQ(line, "a");
    EXPECT_TRUE(splitter.Eof());
}

TEST(TextLineSplitter, CrLfSplitAcrossBuffers) {
    // Buffer of 2: "ab" | "\r" ... the CR is the last byte of a fill.
    EXPECT_EQ(Split("a\r\nb\r\nc", {}, 2), (Lines{"a", "b", "c"}));
    // Chunks of one byte put every boundary between CR and LF.
    EXPECT_EQ(Split("ab\r\ncd\r\n\r\n", {}, 64, {1}), (Lines{"ab", "cd", ""}));
    EXPECT_EQ(Split("ab\r\n", {}, 3), (Lines{"ab"}));
}

TEST(TextLineSplitter, LongLinesArriveWhole) {
    const std::string longLine(100000, 'x');
    EXPECT_EQ(Split(longLine + "\r\n" + longLine, {}, 4096), (Lines{longLine, longLine}));
    EXPECT_EQ(Split(longLine, {}, 7, {3, 5}), (Lines{longLine}));
}

TEST(TextLineSplitter, NulAndHighBytesAreData) {
    const std::string data("a\0b\xE4\xFF\r\n\0", 8);
    EXPECT_EQ(Split(data), (Lines{std::string("a\0b\xE4\xFF", 5), std::string(1, '\0')}));
}

TEST(TextLineSplitter, CtrlZEndsTheInput) {
    EXPECT_EQ(Split("a\r\nb\x1A"
                    "c\r\nd"),
              (Lines{"a", "b"}));
    EXPECT_EQ(Split("\x1A"
                    "abc"),
              Lines{});
    EXPECT_EQ(Split("a\r\x1A\n"), (Lines{"a"}));
}

TEST(TextLineSplitter, CtrlZInTheMiddleIsDataWithTailOption) {
    EXPECT_EQ(Split("a\x1A"
                    "b\r\n\x1A\r\n",
                    ctrlZAtTail),
              (Lines{"a\x1A"
                     "b",
                     "\x1A"}));
    EXPECT_EQ(Split("a\r\n\x1A\x1A\x1A", ctrlZAtTail), (Lines{"a"}));
    EXPECT_EQ(Split("a\x1A\x1A", ctrlZAtTail), (Lines{"a"}));
    EXPECT_EQ(Split("\x1A\x1A", ctrlZAtTail), Lines{});
    EXPECT_EQ(Split("\x1A\x1A"
                    "b",
                    ctrlZAtTail),
              (Lines{"\x1A\x1A"
                     "b"}));
}

TEST(TextLineSplitter, CtrlZRunAcrossBuffersWithTailOption) {
    const std::string run(10, '\x1A');
    // A run longer than the buffer that ends in data stays data, whole.
    EXPECT_EQ(Split("a" + run + "b\r" + run, ctrlZAtTail, 3), (Lines{"a" + run + "b"}));
    // A run that starts a line and spans buffers, asked about by Eof first.
    EXPECT_EQ(Split(run + "\r", ctrlZAtTail, 4), (Lines{run}));
    EXPECT_EQ(Split(run + "x", ctrlZAtTail, 1, {1}), (Lines{run + "x"}));
    EXPECT_EQ(Split("x\r" + run, ctrlZAtTail, 2, {1}), (Lines{"x"}));
}

TEST(TextLineSplitter, ReadAtEndRaisesReadPastEnd) {
    TMemorySource source("a\x1A"
                         "b");
    TTextLineSplitter splitter(source);
    std::string line = "old";
    splitter.ReadLine(line);
    EXPECT_EQ(line, "a");
    ASSERT_TRUE(splitter.Eof());
    try {
        splitter.ReadLine(line);
        FAIL() << "no exception";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.ErrorCode, 100);
        EXPECT_EQ(error.Message(), "Versuch hinter dem Dateiende zu lesen");
    }
}

TEST(TextLineSplitter, ReadsInLargeBlocks) {
    const std::string data(1000, 'x');
    TMemorySource source(data);
    TTextLineSplitter splitter(source);
    std::string line;
    splitter.ReadLine(line);
    EXPECT_TRUE(splitter.Eof());
    EXPECT_EQ(source.Calls(), 2u); // one block with all of it, one that finds the end
}

TEST(TextLineSplitter, ReplacesTheLineContents) {
    TMemorySource source("first\rsecond");
    TTextLineSplitter splitter(source);
    std::string line;
    splitter.ReadLine(line);
    splitter.ReadLine(line);
    EXPECT_EQ(line, "second");
}

} // namespace

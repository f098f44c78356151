// The line rules, on bytes from memory with chosen buffer boundaries.

#include "MemorySource.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextLineSplitter.h"

#include <gtest/gtest.h>

#include <random>

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

TEST(TextLineSplitter, FirstBlockWithoutCrMakesLfEndLines) {
    TTextLineRules unix;
    unix.LfEndsLineWithoutCr = true;
    unix.FirstBlockSize = 8;
    EXPECT_EQ(Split("one\ntwo\n", unix), (Lines{"one", "two"}));
    // A CR in the first block keeps the lone LF inside its line.
    EXPECT_EQ(Split("a\nb\r\nc\nd", unix), (Lines{"a\nb", "c\nd"}));
    // A CR that comes only after the first block changes nothing; it still
    // ends its line, taking its LF with it.
    EXPECT_EQ(Split("aaaa\nbbbb\ncc\r\ndd\n", unix), (Lines{"aaaa", "bbbb", "cc", "dd"}));
    // The CR as the block's last byte counts.
    EXPECT_EQ(Split("a\nbbbbb\r\nc\nd", unix), (Lines{"a\nbbbbb", "c\nd"}));
    // The block is gathered whole, however small the reads.
    EXPECT_EQ(Split("a\nb\nc\rd", unix, 64, {1}), (Lines{"a\nb\nc", "d"}));
    EXPECT_EQ(Split("", unix), Lines{});
}

// ---------------------------------------------------------------------------

// Every block a reader hands out, joined, and the blocks themselves.
struct TBlocks {
    std::string Joined;
    Lines Blocks;
};

TBlocks ReadBlocks(const std::string& data, TTextLineRules rules, std::size_t bufferSize,
                   std::vector<std::size_t> chunks = {}) {
    TMemorySource source(data, std::move(chunks));
    TLineBlockReader reader(source, rules, bufferSize);
    TBlocks result;
    for (std::string_view block = reader.Next(); !block.empty(); block = reader.Next()) {
        result.Joined.append(block);
        result.Blocks.emplace_back(block);
    }
    EXPECT_TRUE(reader.Next().empty()); // stays at the end
    return result;
}

TEST(LineBlockReader, NeverSeparatesCrFromItsLf) {
    const std::string data = "ab\r\ncd\r\n\r\n\r";
    for (std::size_t buffer = 2; buffer <= 6; ++buffer) {
        const TBlocks blocks = ReadBlocks(data, {}, buffer, {1, 2, 3});
        EXPECT_EQ(blocks.Joined, data);
        for (const std::string& block : blocks.Blocks) {
            ASSERT_FALSE(block.empty());
            EXPECT_NE(block.front(), '\n') << "buffer " << buffer;
        }
    }
}

TEST(LineBlockReader, LeavesOutTheCtrlZTail) {
    const TTextLineRules tail{false, true};
    EXPECT_EQ(ReadBlocks("a\r\n\x1A\x1A", tail, 2).Joined, "a\r\n");
    EXPECT_EQ(ReadBlocks("\x1A\x1A\x1A", tail, 2).Joined, "");
    // A run in the middle is data, also when it spans several reads.
    const std::string run(9000, '\x1A');
    EXPECT_EQ(ReadBlocks("a" + run + "b" + run, tail, 16).Joined, "a" + run + "b");
    EXPECT_EQ(ReadBlocks("a\r" + run + "\n" + run, tail, 3, {2}).Joined, "a\r" + run + "\n");
    // The platform's rule cuts at the first Ctrl-Z.
    EXPECT_EQ(ReadBlocks("a\r\x1A\n", {}, 8).Joined, "a\r");
    EXPECT_EQ(ReadBlocks("ab\rc\x1A", {}, 3).Joined, "ab\rc");
}

TEST(LineBlockReader, ReadsNothingAfterTheEnd) {
    TMemorySource source("abc\r");
    TLineBlockReader reader(source, {}, 64);
    EXPECT_EQ(reader.Next(), "abc");
    EXPECT_EQ(reader.Next(), "\r");
    EXPECT_TRUE(reader.Next().empty());
    EXPECT_TRUE(reader.Next().empty());
    EXPECT_EQ(source.Calls(), 2u);
}

// A source that fails on its second read, once.
class TFailingOnceSource : public TByteSource {
public:
    std::size_t ReadSome(char* buffer, std::size_t capacity) override {
        if (++FCalls == 2) {
            throw EInOutError(23);
        }
        return FInner.ReadSome(buffer, capacity);
    }

private:
    TMemorySource FInner{"ab\r\ncd", {3}};
    int FCalls = 0;
};

TEST(LineBlockReader, AFailedReadCanBeRepeated) {
    TFailingOnceSource source;
    TLineBlockReader reader(source, {}, 8);
    EXPECT_EQ(reader.Next(), "ab"); // the CR waits for its LF
    EXPECT_THROW(reader.Next(), EInOutError);
    std::string rest;
    for (std::string_view block = reader.Next(); !block.empty(); block = reader.Next()) {
        rest.append(block);
    }
    EXPECT_EQ(rest, "\r\ncd");
}

TEST(LineBlockReader, AFailedReadInTheFirstBlockCanBeRepeated) {
    TFailingOnceSource source;
    TTextLineRules rules;
    rules.LfEndsLineWithoutCr = true;
    rules.FirstBlockSize = 8; // gathered from several reads
    TLineBlockReader reader(source, rules, 8);
    EXPECT_THROW(reader.Next(), EInOutError);
    std::string all;
    for (std::string_view block = reader.Next(); !block.empty(); block = reader.Next()) {
        all.append(block);
    }
    EXPECT_EQ(all, "ab\r\ncd");
    EXPECT_FALSE(reader.LfEndsLine());
}

// ---------------------------------------------------------------------------

// Line ends counted one at a time with Find and Skip.
TLineEnds::TCount CountSlowly(const std::string& block, bool lfEnds) {
    const TLineEnds ends(lfEnds);
    const char* p = block.data();
    const char* const end = p + block.size();
    TLineEnds::TCount count;
    while ((p = ends.Find(p, end)) != end) {
        const char* const next = TLineEnds::Skip(p, end);
        ++count.LineEnds;
        count.AllCrLf = count.AllCrLf && next - p == 2;
        count.EndsAtLineEnd = next == end;
        p = next;
    }
    return count;
}

TEST(LineEnds, CountsByTheRules) {
    const TLineEnds crOnly(false);
    const TLineEnds withLf(true);
    const std::string data = "a\r\nb\rc\nd\r\n";
    const auto count = [&](const TLineEnds& ends, const std::string& block) {
        return ends.Count(block.data(), block.data() + block.size());
    };
    EXPECT_EQ(count(crOnly, data).LineEnds, 3u);
    EXPECT_FALSE(count(crOnly, data).AllCrLf); // the lone CR
    EXPECT_EQ(count(withLf, data).LineEnds, 4u);
    EXPECT_TRUE(count(crOnly, "x\r\ny\r\n").AllCrLf);
    EXPECT_TRUE(count(crOnly, "x\ny\r\n").AllCrLf); // a lone LF is data here
    EXPECT_FALSE(count(withLf, "x\ny\r\n").AllCrLf);
    EXPECT_TRUE(count(crOnly, "x\r").EndsAtLineEnd);
    EXPECT_FALSE(count(crOnly, "x\n").EndsAtLineEnd);
    EXPECT_TRUE(count(withLf, "x\n").EndsAtLineEnd);
    EXPECT_TRUE(count(crOnly, "\r\n").EndsAtLineEnd);
    EXPECT_FALSE(count(crOnly, "").EndsAtLineEnd);
    EXPECT_EQ(count(crOnly, "").LineEnds, 0u);
}

TEST(LineEnds, CountAgreesWithFindOnRandomBlocks) {
    // Long enough for the wide steps, with line ends at every offset.
    std::mt19937 random(7);
    static constexpr char bytes[] = {'\r', '\n', 'x', '\x1A', '\0', '\xE4'};
    for (int round = 0; round < 400; ++round) {
        std::string block(random() % 80, 'x');
        for (char& c : block) {
            c = bytes[random() % std::size(bytes)];
        }
        for (const bool lf : {false, true}) {
            const TLineEnds ends(lf);
            const auto fast = ends.Count(block.data(), block.data() + block.size());
            const auto slow = CountSlowly(block, lf);
            ASSERT_EQ(fast.LineEnds, slow.LineEnds) << round;
            ASSERT_EQ(fast.AllCrLf, slow.AllCrLf) << round;
            ASSERT_EQ(fast.EndsAtLineEnd, slow.EndsAtLineEnd) << round;
        }
    }
}

TEST(LineEnds, CountsLongBlocksExactly) {
    // More matches than a byte counts: the wide steps add up in time.
    const std::string crs(9001, '\r');
    const TLineEnds::TCount count = TLineEnds(true).Count(crs.data(), crs.data() + crs.size());
    EXPECT_EQ(count.LineEnds, 9001u);
    EXPECT_FALSE(count.AllCrLf);
    std::string crLfs;
    for (int i = 0; i < 5000; ++i) {
        crLfs += "\r\n";
    }
    const TLineEnds::TCount pairs =
        TLineEnds(true).Count(crLfs.data(), crLfs.data() + crLfs.size());
    EXPECT_EQ(pairs.LineEnds, 5000u);
    EXPECT_TRUE(pairs.AllCrLf);
    const std::string lfs(7000, '\n');
    EXPECT_EQ(TLineEnds(true).Count(lfs.data(), lfs.data() + lfs.size()).LineEnds, 7000u);
    EXPECT_EQ(TLineEnds(false).Count(lfs.data(), lfs.data() + lfs.size()).LineEnds, 0u);
}

TEST(LineEnds, FindAndSkipLines) {
    const std::string block = std::string(40, 'x') + "\r\n" + std::string(20, 'y') + "\n\rz";
    const char* const begin = block.data();
    const char* const end = begin + block.size();
    EXPECT_EQ(TLineEnds(false).Find(begin, end) - begin, 40);
    EXPECT_EQ(TLineEnds(false).Find(begin + 42, end) - begin, 63); // the lone LF is data
    EXPECT_EQ(TLineEnds(true).Find(begin + 42, end) - begin, 62);
    EXPECT_EQ(TLineEnds(false).SkipLines(begin, end, 1) - begin, 42);
    EXPECT_EQ(TLineEnds(false).SkipLines(begin, end, 2) - begin, 64);
    EXPECT_EQ(TLineEnds(true).SkipLines(begin, end, 3) - begin, 64);
    EXPECT_EQ(TLineEnds(false).SkipLines(begin, end, 5), end);
    EXPECT_EQ(TLineEnds(false).SkipLines(begin, end, 0), begin);
}

} // namespace

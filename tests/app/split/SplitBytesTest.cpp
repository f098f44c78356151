// The bytes of the parts: line ends, Ctrl-Z, any other byte, block edges.

#include "SplitTestSupport.h"
#include "tests/platform/rtl/MemorySource.h"

#include "app/split/SplitCopier.h"

#include <gtest/gtest.h>

namespace {

using Parts = std::vector<std::string>;

// One part of everything, through the files.
std::string Copied(const std::string& data) {
    TSplitFolder folder;
    const Parts parts = folder.Split(data, 1000000).Parts;
    EXPECT_EQ(parts.size(), 1u);
    return parts.empty() ? std::string() : parts[0];
}

// The parts from memory, with the given read sizes and buffer size.
Parts CopiedInPieces(const std::string& data, std::int32_t limit, std::size_t bufferSize,
                     std::vector<std::size_t> chunks, std::size_t firstBlockSize = 64 * 1024) {
    TMemorySource source(data, std::move(chunks));
    TMemoryParts parts;
    TSplitProgress progress;
    progress.LineLimit = [limit] { return limit; };
    TSplitTuning tuning;
    tuning.BufferSize = bufferSize;
    tuning.FirstBlockSize = firstBlockSize;
    SplitStream(source, parts, progress, tuning);
    EXPECT_EQ(parts.Opens, parts.Closes);
    return parts.Parts;
}

TEST(SplitBytes, LineEndsBecomeCrLf) {
    EXPECT_EQ(Copied("a\r\nb\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(Copied("a\rb\r"), "a\r\nb\r\n");           // lone CR
    EXPECT_EQ(Copied("a\r\r\nb\r\n"), "a\r\n\r\nb\r\n"); // CR CR LF: an empty line
    EXPECT_EQ(Copied("a\r\nb"), "a\r\nb\r\n");           // no line end at the end
    EXPECT_EQ(Copied("\r\n\r\n"), "\r\n\r\n");           // empty lines
    EXPECT_EQ(Copied("a\r\n\nb\r\n"), "a\r\n\nb\r\n");   // an LF starting a line
    EXPECT_EQ(Copied("a\n\rb"), "a\n\r\nb\r\n");         // LF CR
}

TEST(SplitBytes, LoneLfStaysInsideItsRecordInACrFile) {
    const std::string csv = "Name;Notiz\r\n\"Meier\";\"erste Zeile\nzweite Zeile\"\r\nx;y\r\n";
    EXPECT_EQ(Copied(csv), csv);
    TSplitFolder folder;
    EXPECT_EQ(folder.Split(csv, 2).Parts,
              (Parts{"Name;Notiz\r\n", "\"Meier\";\"erste Zeile\nzweite Zeile\"\r\nx;y\r\n"}));
}

TEST(SplitBytes, LfOnlyFileIsSplitAtItsLfs) {
    EXPECT_EQ(Copied("a\nb\nc"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(Copied("\n\n"), "\r\n\r\n");
    TSplitFolder folder;
    EXPECT_EQ(folder.Split("eins\nzwei\ndrei\n", 2).Parts, (Parts{"eins\r\n", "zwei\r\ndrei\r\n"}));
}

TEST(SplitBytes, TheFirstBlockDecidesTheLineEnds) {
    // LF lines filling more than the first 64 KiB, then a CR: still a Unix
    // file; the CR ends its line as ever.
    const std::string unixHead = NumberedLines(8000, "\n"); // 8 bytes and more per line
    ASSERT_GT(unixHead.size(), 64u * 1024);
    EXPECT_EQ(Copied(unixHead + "x\ry\nz\r\n"), NumberedLines(8000) + "x\r\ny\r\nz\r\n");
    // A CR inside the first block: the LFs after it stay inside their lines.
    const std::string crHead = "Kopf\r\n" + NumberedLines(8000, "\n");
    EXPECT_EQ(Copied(crHead), "Kopf\r\n" + NumberedLines(8000, "\n") + "\r\n");
    // The CR as the last byte of the first block counts.
    const std::string edge = std::string(64 * 1024 - 1, 'a') + "\r\nb\nc";
    EXPECT_EQ(Copied(edge), edge + "\r\n");
    const std::string after = std::string(64 * 1024, 'a') + "\rb\nc";
    EXPECT_EQ(Copied(after), std::string(64 * 1024, 'a') + "\r\nb\r\nc\r\n");
}

TEST(SplitBytes, EveryOtherByteIsCopiedAsItIs) {
    std::string line;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n' && byte != 26) {
            line += static_cast<char>(byte);
        }
    }
    ASSERT_EQ(line.size(), 253u);
    EXPECT_EQ(Copied(line + "\r\n" + line), line + "\r\n" + line + "\r\n");
    EXPECT_EQ(Copied(std::string("\0\0\r\n\0", 5)), std::string("\0\0\r\n\0\r\n", 7));
}

TEST(SplitBytes, CtrlZIsDataUnlessOnlyCtrlZFollows) {
    EXPECT_EQ(Copied("a\x1A"
                     "b\r\nc\r\n"),
              "a\x1A"
              "b\r\nc\r\n");
    EXPECT_EQ(Copied("a\r\n\x1A\x1A\r\nb"), "a\r\n\x1A\x1A\r\nb\r\n");
    EXPECT_EQ(Copied("a\r\nb\r\n\x1A"), "a\r\nb\r\n");
    EXPECT_EQ(Copied("a\r\nb\x1A\x1A\x1A"), "a\r\nb\r\n"); // the last line still gets its end
    EXPECT_EQ(Copied("a\r\x1A\x1A"), "a\r\n");
    EXPECT_EQ(Copied("\x1A\x1A\x1A"), "");
    EXPECT_EQ(Copied("\x1A\n"), "\x1A\r\n"); // no CR: a Unix file
}

TEST(SplitBytes, CtrlZRunAcrossReads) {
    const std::string run(300, '\x1A');
    for (const std::size_t buffer : {2u, 3u, 7u, 64u}) {
        SCOPED_TRACE(buffer);
        // A first block of one byte keeps the buffer as small as asked.
        EXPECT_EQ(CopiedInPieces("ab\r\n" + run + "c\r\n" + run, 100, buffer, {5, 1}, 1),
                  Parts{"ab\r\n" + run + "c\r\n"});
        EXPECT_EQ(CopiedInPieces("ab" + run, 100, buffer, {}, 1), Parts{"ab\r\n"});
        EXPECT_EQ(CopiedInPieces(run + "\r" + run, 100, buffer, {3}, 1), Parts{run + "\r\n"});
        EXPECT_EQ(CopiedInPieces(run, 100, buffer, {}, 1), Parts{""});
    }
    // Through the files, with the run longer than the read buffer.
    TSplitFolder folder;
    TSplitTuning tuning;
    tuning.BufferSize = 16;
    tuning.FirstBlockSize = 4;
    EXPECT_EQ(folder.Split("a" + run + "b\r\n" + run, 10, tuning).Parts,
              Parts{"a" + run + "b\r\n"});
}

TEST(SplitBytes, LinesAndCrLfPairsAcrossReads) {
    const std::string data = "eins\r\nzwei\rdrei\r\r\nvier\nfünf\r\n\r\nsechs";
    // CR in the first block: the LF stays inside "vier\nfünf".
    const Parts expected{"eins\r\n", "zwei\r\ndrei\r\n", "\r\nvier\nfünf\r\n", "\r\nsechs\r\n"};
    for (std::size_t buffer = 2; buffer <= 12; ++buffer) {
        for (const std::size_t chunk : {1u, 2u, 3u, 5u, 100u}) {
            SCOPED_TRACE(testing::Message() << "buffer " << buffer << " chunk " << chunk);
            EXPECT_EQ(CopiedInPieces(data, 2, buffer, {chunk}, 6), expected);
        }
    }
    // The same through files, the buffer edge at every place.
    TSplitFolder folder;
    for (std::size_t buffer = 2; buffer <= 12; ++buffer) {
        TSplitTuning tuning;
        tuning.BufferSize = buffer;
        tuning.FirstBlockSize = 6;
        EXPECT_EQ(folder.Split(data, 2, tuning).Parts, expected) << "buffer " << buffer;
    }
}

TEST(SplitBytes, UnixFileAcrossReads) {
    const std::string data = "a\nbb\n\nccc\n";
    for (std::size_t buffer = 2; buffer <= 6; ++buffer) {
        EXPECT_EQ(CopiedInPieces(data, 3, buffer, {1}, 64), (Parts{"a\r\nbb\r\n", "\r\nccc\r\n"}))
            << buffer;
    }
}

TEST(SplitBytes, CleanBlocksGoOutInOneWrite) {
    // CR LF lines need no change: one write per read block.
    const std::string data = NumberedLines(50);
    TMemorySource source(data, {64});
    TMemoryParts parts;
    TSplitProgress progress;
    progress.LineLimit = [] { return 1000; };
    TSplitTuning tuning;
    tuning.BufferSize = 64;
    tuning.FirstBlockSize = 64;
    SplitStream(source, parts, progress, tuning);
    EXPECT_EQ(parts.Parts, Parts{data});
    EXPECT_LE(parts.Writes, static_cast<int>(data.size() / 63 + 2));
}

} // namespace

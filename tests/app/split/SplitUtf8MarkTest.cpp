// A source that starts with the UTF-8 byte-order mark: every part starts with
// it, and the mark belongs to no line.

#include "SplitTestSupport.h"
#include "tests/platform/rtl/MemorySource.h"

#include "app/split/SplitCopier.h"
#include "app/split/Utf8Mark.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Parts = std::vector<std::string>;
const std::string Mark = "\xEF\xBB\xBF";

// What a spreadsheet writes as "CSV UTF-8": the mark, then UTF-8 records.
std::string ExportCsv(std::int64_t lines) {
    std::string text = Mark;
    for (std::int64_t line = 1; line <= lines; ++line) {
        text += "M\xC3\xBCller;K\xC3\xB6ln;" + std::to_string(line) + "\r\n";
    }
    return text;
}

std::int64_t LineCount(const std::string& part) {
    std::int64_t count = 0;
    for (const char c : part) {
        count += c == '\n' ? 1 : 0;
    }
    return count;
}

Parts SplitInMemory(const std::string& data, std::int32_t limit, std::vector<std::size_t> chunks,
                    TSplitResult* result = nullptr) {
    TMemorySource source(data, std::move(chunks));
    TMemoryParts parts;
    TSplitProgress progress;
    progress.LineLimit = [limit] { return limit; };
    TSplitTuning tuning;
    tuning.BufferSize = 7;
    tuning.FirstBlockSize = 5;
    const TSplitResult done = SplitStream(source, parts, progress, tuning);
    if (result) {
        *result = done;
    }
    EXPECT_EQ(parts.Opens, parts.Closes);
    return parts.Parts;
}

TEST(SplitUtf8Mark, EveryPartOfASpreadsheetExportStartsWithTheMark) {
    TSplitFolder folder;
    const std::string source = ExportCsv(150001);
    const TFileSplit split = folder.Split(source, 65500, {}, L".csv");
    ASSERT_EQ(split.Parts.size(), 3u);
    std::string joined;
    for (std::size_t k = 0; k < split.Parts.size(); ++k) {
        const std::string& part = split.Parts[k];
        ASSERT_EQ(part.substr(0, 3), Mark) << "part " << k;
        EXPECT_NE(part.substr(3, 3), Mark) << "part " << k << ": one mark, not two";
        joined += k == 0 ? part : part.substr(3);
    }
    EXPECT_EQ(joined, source) << "the bytes after the marks are the source's";
    EXPECT_EQ(LineCount(split.Parts[0]), 65499);
    EXPECT_EQ(LineCount(split.Parts[1]), 65500);
    EXPECT_EQ(LineCount(split.Parts[2]), 19002);
    const std::string firstOfPart1 = "M\xC3\xBCller;K\xC3\xB6ln;65500\r\n";
    EXPECT_EQ(split.Parts[1].substr(3, firstOfPart1.size()), firstOfPart1);
    EXPECT_EQ(split.Result.Lines, 150001);
    EXPECT_EQ(split.Result.Parts, 3);
}

TEST(SplitUtf8Mark, TheMarkAloneIsAnEmptyFileWithItsMark) {
    TSplitFolder folder;
    TFileSplit split = folder.Split(Mark, 10000);
    EXPECT_EQ(split.Parts, Parts{Mark}) << "one part holding just the mark";
    EXPECT_EQ(split.Result.Lines, 0);
    EXPECT_EQ(split.Result.Parts, 1);
    // The old end-of-file mark after it changes nothing.
    split = folder.Split(Mark + "\x1A\x1A", 10000);
    EXPECT_EQ(split.Parts, Parts{Mark});
    EXPECT_EQ(split.Result.Lines, 0);
}

TEST(SplitUtf8Mark, AnLfOnlyBodyIsSplitAtItsLfs) {
    TSplitFolder folder;
    const TFileSplit split = folder.Split(Mark + "eins\nzwei\ndrei\n", 2);
    EXPECT_EQ(split.Parts, (Parts{Mark + "eins\r\n", Mark + "zwei\r\ndrei\r\n"}));
    EXPECT_EQ(split.Result.Lines, 3);
}

TEST(SplitUtf8Mark, OnlyTheWholeMarkAtTheStartCounts) {
    struct TCase {
        const char* What;
        std::string Data;
        Parts Expected;
    };
    const TCase cases[] = {
        {"a mark", Mark + "a\r\nb\r\nc", {Mark + "a\r\n", Mark + "b\r\nc\r\n"}},
        {"two bytes of it", "\xEF\xBB" "a\r\nb\r\n", {"\xEF\xBB" "a\r\n", "b\r\n"}},
        {"two bytes alone", "\xEF\xBB", {"\xEF\xBB\r\n"}},
        {"one byte alone", "\xEF", {"\xEF\r\n"}},
        {"a different third byte", "\xEF\xBB\xBE\r\nb\r\n", {"\xEF\xBB\xBE\r\n", "b\r\n"}},
        {"a line end at once", "\r\nb\r\n", {"\r\n", "b\r\n"}},
        {"a mark that starts no file", "a\r\n" + Mark + "b\r\n", {"a\r\n", Mark + "b\r\n"}},
        {"a second mark", Mark + Mark + "a\r\nb\r\n", {Mark + Mark + "a\r\n", Mark + "b\r\n"}},
        {"a mark before an empty line", Mark + "\r\n\r\n", {Mark + "\r\n", Mark + "\r\n"}},
    };
    for (const TCase& test : cases) {
        // However the source hands out its first bytes.
        for (const std::vector<std::size_t>& chunks :
             {std::vector<std::size_t>{}, {1}, {2}, {3}, {4}, {1, 5}}) {
            EXPECT_EQ(SplitInMemory(test.Data, 2, chunks), test.Expected)
                << test.What << ", chunks of " << (chunks.empty() ? 0 : chunks[0]);
        }
    }
}

TEST(SplitUtf8Mark, AStopKeepsTheMarkInThePartsWritten) {
    TMemorySource source(Mark + NumberedLines(500), {});
    TMemoryParts parts;
    TSplitProgress progress;
    progress.LineLimit = [] { return 150; };
    bool stop = false;
    progress.Pump = [&stop](std::int64_t line) { stop = line == 300; };
    progress.StopRequested = [&stop] { return stop; };
    TStepClock clock{0, 10};
    progress.NowMs = clock.Function();
    const TSplitResult result = SplitStream(source, parts, progress);
    EXPECT_TRUE(result.Stopped);
    EXPECT_EQ(result.Lines, 300);
    ASSERT_EQ(parts.Parts.size(), 3u);
    EXPECT_EQ(parts.Parts[0], Mark + NumberedLines(149));
    EXPECT_EQ(parts.Parts[2], Mark + "Zeile 300\r\n");
}

} // namespace

// How lines are laid out over the part files.

#include "SplitTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

std::int64_t LineCount(const std::string& part) {
    std::int64_t count = 0;
    for (std::size_t at = part.find("\r\n"); at != std::string::npos;
         at = part.find("\r\n", at + 2)) {
        ++count;
    }
    return count;
}

std::vector<std::int64_t> LineCounts(const std::vector<std::string>& parts) {
    std::vector<std::int64_t> counts;
    std::transform(parts.begin(), parts.end(), std::back_inserter(counts), LineCount);
    return counts;
}

TEST(SplitLayout, EmptySourceGivesOneEmptyPart) {
    TSplitFolder folder;
    const TFileSplit split = folder.Split("", 10000);
    EXPECT_EQ(split.Parts, std::vector<std::string>{""});
    EXPECT_EQ(split.Result.Lines, 0);
    EXPECT_EQ(split.Result.Parts, 1);
    EXPECT_FALSE(split.Result.Stopped);
}

TEST(SplitLayout, PartZeroHoldsOneLineLessThanTheLimit) {
    constexpr std::int32_t limit = 10000;
    TSplitFolder folder;
    EXPECT_EQ(LineCounts(folder.Split(NumberedLines(limit - 1), limit).Parts),
              std::vector<std::int64_t>{limit - 1});
    // A new part is opened only for a line that goes into it.
    EXPECT_EQ(LineCounts(folder.Split(NumberedLines(limit), limit).Parts),
              (std::vector<std::int64_t>{limit - 1, 1}));
    const TFileSplit split = folder.Split(NumberedLines(2 * limit - 1), limit);
    EXPECT_EQ(LineCounts(split.Parts), (std::vector<std::int64_t>{limit - 1, limit}));
    EXPECT_EQ(split.Result.Lines, 2 * limit - 1);
    EXPECT_EQ(split.Result.Parts, 2);
}

TEST(SplitLayout, ThePartsHoldTheLinesInOrder) {
    TSplitFolder folder;
    const TFileSplit split = folder.Split(NumberedLines(25000), 10000);
    ASSERT_EQ(split.Parts.size(), 3u);
    EXPECT_EQ(split.Parts[0], NumberedLines(9999));
    EXPECT_EQ(split.Parts[0] + split.Parts[1] + split.Parts[2], NumberedLines(25000));
    EXPECT_EQ(split.Parts[1].substr(0, 13), "Zeile 10000\r\n");
    EXPECT_EQ(split.Parts[2].substr(0, 13), "Zeile 20000\r\n");
}

TEST(SplitLayout, TwoHundredThousandLinesAtTheDefaultLimit) {
    TSplitFolder folder;
    const TFileSplit split = folder.Split(NumberedLines(200000, "\r\n", ""), 65500);
    EXPECT_EQ(LineCounts(split.Parts), (std::vector<std::int64_t>{65499, 65500, 65500, 3501}));
    EXPECT_EQ(split.Result.Lines, 200000);
    EXPECT_EQ(split.Result.Parts, 4);
}

TEST(SplitLayout, PartNamesKeepTheExtensionAsGiven) {
    TSplitFolder folder;
    const TFileSplit split = folder.Split(NumberedLines(3), 2, {}, L".CSV");
    EXPECT_EQ(split.Parts.size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(folder.Part(0, L".CSV")));
    EXPECT_TRUE(std::filesystem::exists(folder.Part(1, L".CSV")));
    EXPECT_EQ(folder.Part(1, L".CSV").filename().string(), "1.CSV");
}

TEST(SplitLayout, AnExistingPartIsEmptiedFirst) {
    TSplitFolder folder;
    WriteWholeFile(folder.Part(0), std::string(5000, 'x'));
    EXPECT_EQ(folder.Split("a\r\n", 10).Parts, std::vector<std::string>{"a\r\n"});
}

} // namespace

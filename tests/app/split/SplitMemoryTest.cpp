// Memory of a split: bounded, whatever the length of a line or the file.

#include "AllocationCounter.h"
#include "SplitTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

constexpr std::size_t MiB = 1024 * 1024;

// Writes a file of one line: count bytes of a repeating pattern and CR LF.
void WriteLongLine(const std::filesystem::path& name, std::size_t count) {
    std::ofstream out(name, std::ios::binary);
    std::string chunk(MiB, 'x');
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        chunk[i] = static_cast<char>('a' + i % 26);
    }
    for (std::size_t done = 0; done < count; done += chunk.size()) {
        out.write(chunk.data(), static_cast<std::streamsize>(std::min(chunk.size(), count - done)));
    }
    out.write("\r\n", 2);
    ASSERT_TRUE(out.flush());
}

// Whether the file holds what WriteLongLine wrote.
bool HoldsLongLine(const std::filesystem::path& name, std::size_t count) {
    std::ifstream in(name, std::ios::binary);
    std::string chunk(MiB, '\0');
    std::size_t at = 0;
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        const auto got = static_cast<std::size_t>(in.gcount());
        for (std::size_t i = 0; i < got; ++i, ++at) {
            const char expected =
                at < count ? static_cast<char>('a' + at % MiB % 26) : (at == count ? '\r' : '\n');
            if (chunk[i] != expected) {
                return false;
            }
        }
    }
    return at == count + 2;
}

TAllocations SplitWatched(TSplitFolder& folder, std::int32_t limit) {
    TSplitProgress progress;
    progress.LineLimit = [limit] { return limit; };
    progress.NowMs = [] { return std::int64_t{0}; };
    const std::wstring source = folder.Source().wstring();
    const std::wstring output = folder.Output().wstring();
    const TAllocationWatch watch;
    SplitLines(source, output, L".txt", progress);
    return watch.Seen();
}

TEST(SplitMemory, LongLineSplitsInSmallMemory) {
    constexpr std::size_t length = 50 * MiB;
    TSplitFolder folder;
    WriteLongLine(folder.Source(), length);
    const TAllocations seen = SplitWatched(folder, 10000);
    // The read buffer, the writer's buffer and a few names.
    EXPECT_LT(seen.PeakBytes, 2 * MiB);
    EXPECT_LT(seen.Count, 20u);
    EXPECT_TRUE(HoldsLongLine(folder.Part(0), length));
}

TEST(SplitMemory, NothingIsAllocatedPerLine) {
    TSplitFolder folder;
    WriteWholeFile(folder.Source(), NumberedLines(1000));
    const TAllocations few = SplitWatched(folder, 1000000);
    WriteWholeFile(folder.Source(), NumberedLines(200000, "\r"));
    std::filesystem::remove(folder.Part(0)); // parts are created new
    const TAllocations many = SplitWatched(folder, 1000000);
    EXPECT_EQ(many.Count, few.Count);
    EXPECT_LT(many.PeakBytes, 2 * MiB);
}

} // namespace

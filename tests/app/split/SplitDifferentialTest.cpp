// The copy engine against the plain reference, on random inputs: random line
// ends, Ctrl-Z runs, other bytes and UTF-8 marks; random limits, read and buffer sizes,
// first-block sizes, clocks and stop requests.

#include "SplitReference.h"
#include "SplitTestSupport.h"
#include "tests/platform/rtl/MemorySource.h"

#include "app/split/SplitCopier.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string_view>

namespace {

std::string RandomData(std::mt19937& random) {
    static constexpr char bytes[] = {'\r', '\n', '\x1A', 'a', 'b', '\0', '\xE4', ';'};
    // Short lines mostly, so that many inputs pass a hundred lines.
    std::string data(random() % 4000, 'x');
    const unsigned lineEndWeight = 2 + random() % 6;
    for (char& c : data) {
        const unsigned pick = random() % 16;
        c = pick < lineEndWeight ? bytes[random() % 3] : bytes[random() % std::size(bytes)];
    }
    if (random() % 4 == 0) {
        data.append(random() % 40, '\x1A'); // an end-of-file mark
    }
    // A UTF-8 byte-order mark, whole or in part.
    static constexpr std::string_view mark = "\xEF\xBB\xBF";
    if (const unsigned pick = random() % 6; pick < 4) {
        data.insert(0, mark.substr(0, pick == 0 ? 2 : 3));
    }
    return data;
}

std::string Visible(const std::string& text) {
    std::ostringstream out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte >= 127) {
            out << "\\x" << std::hex << static_cast<int>(byte) << std::dec;
        } else {
            out << c;
        }
    }
    return out.str();
}

// One random run's settings, and callbacks that behave the same for the
// engine and for the reference as long as both call them at the same moments.
struct TRandomRun {
    std::int32_t Limit;
    std::int32_t NewLimit; // taken at the second pump
    std::int64_t StopAt;   // the pump that sees a stop, 0 for none
    std::int64_t FirstLine;
    std::size_t FirstBlockSize;
    std::size_t BufferSize;
    std::vector<std::size_t> Chunks;
    std::uint32_t ClockSeed;

    explicit TRandomRun(std::mt19937& random)
        : Limit(static_cast<std::int32_t>(1 + random() % 40)),
          NewLimit(static_cast<std::int32_t>(1 + random() % 300)),
          StopAt(random() % 3 == 0 ? 100 * (1 + random() % 6) : 0),
          FirstLine(random() % 5 == 0 ? (std::int64_t{1} << 31) - 300 + random() % 200 : 1),
          FirstBlockSize(1 + random() % 64),
          BufferSize(2 + random() % 80), Chunks{1 + random() % 100, 1 + random() % 7},
          ClockSeed(random()) {}

    struct TLog {
        std::vector<std::int64_t> Pumps;
    };

    TSplitProgress Progress(TLog& log, std::mt19937& clock, std::int64_t& now, bool& stop,
                            std::int32_t& limit) const {
        TSplitProgress progress;
        progress.NowMs = [&clock, &now] { return now += clock() % 8; };
        progress.StopRequested = [&stop] { return stop; };
        progress.LineLimit = [&limit] { return limit; };
        progress.Pump = [this, &log, &stop, &limit](std::int64_t line) {
            log.Pumps.push_back(line);
            if (log.Pumps.size() == 2) {
                limit = NewLimit;
            }
            stop = StopAt != 0 && line % 1000 == StopAt % 1000 && line >= StopAt;
        };
        return progress;
    }
};

TEST(SplitDifferential, AgreesWithTheReference) {
    std::mt19937 random(4711);
    int stopped = 0;
    int pumped = 0;
    for (int round = 0; round < 600; ++round) {
        const std::string data = RandomData(random);
        const TRandomRun run(random);

        TRandomRun::TLog expectedLog;
        std::mt19937 expectedClock(run.ClockSeed);
        std::int64_t expectedNow = 0;
        bool expectedStop = false;
        std::int32_t expectedLimit = run.Limit;
        const TReferenceSplit expected = ReferenceSplit(
            data,
            run.Progress(expectedLog, expectedClock, expectedNow, expectedStop, expectedLimit),
            run.FirstBlockSize, run.FirstLine);

        TRandomRun::TLog actualLog;
        std::mt19937 actualClock(run.ClockSeed);
        std::int64_t actualNow = 0;
        bool actualStop = false;
        std::int32_t actualLimit = run.Limit;
        TMemorySource source(data, run.Chunks);
        TMemoryParts parts;
        TSplitTuning tuning;
        tuning.BufferSize = run.BufferSize;
        tuning.FirstBlockSize = run.FirstBlockSize;
        tuning.FirstLine = run.FirstLine;
        const TSplitResult actual = SplitStream(
            source, parts, run.Progress(actualLog, actualClock, actualNow, actualStop, actualLimit),
            tuning);

        const auto context = [&] {
            std::ostringstream text;
            text << "round " << round << " limit " << run.Limit << "/" << run.NewLimit << " stop "
                 << run.StopAt << " first line " << run.FirstLine << " first block "
                 << run.FirstBlockSize << " buffer " << run.BufferSize << " data \""
                 << Visible(data) << '"';
            return text.str();
        };
        ASSERT_EQ(parts.Parts, expected.Parts) << context();
        ASSERT_EQ(actual.Lines, expected.Lines) << context();
        ASSERT_EQ(actual.Stopped, expected.Stopped) << context();
        ASSERT_EQ(actual.Parts, static_cast<std::int64_t>(expected.Parts.size())) << context();
        ASSERT_EQ(actualLog.Pumps, expectedLog.Pumps) << context();
        ASSERT_EQ(parts.Opens, parts.Closes) << context();
        stopped += actual.Stopped ? 1 : 0;
        pumped += actualLog.Pumps.size() > 1 ? 1 : 0;
    }
    // The random inputs reach the interesting places.
    EXPECT_GT(stopped, 20);
    EXPECT_GT(pumped, 100);
}

TEST(SplitDifferential, AgreesThroughFiles) {
    std::mt19937 random(815);
    TSplitFolder folder;
    for (int round = 0; round < 40; ++round) {
        const std::string data = RandomData(random);
        const std::int32_t limit = static_cast<std::int32_t>(1 + random() % 50);
        TSplitTuning tuning;
        tuning.BufferSize = 2 + random() % 300;
        tuning.FirstBlockSize = 1 + random() % 100;
        std::filesystem::remove_all(folder.Output());
        std::filesystem::create_directory(folder.Output());
        TSplitProgress limitOnly;
        limitOnly.LineLimit = [limit] { return limit; };
        limitOnly.NowMs = [] { return std::int64_t{0}; };
        limitOnly.Pump = [](std::int64_t) {};
        const TReferenceSplit expected = ReferenceSplit(data, limitOnly, tuning.FirstBlockSize);
        const TFileSplit actual = folder.Split(data, limit, tuning);
        ASSERT_EQ(actual.Parts, expected.Parts)
            << "round " << round << " \"" << Visible(data) << '"';
        ASSERT_EQ(actual.Result.Lines, expected.Lines);
    }
}

} // namespace

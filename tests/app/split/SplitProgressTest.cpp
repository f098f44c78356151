// Pumping, stopping and the line limit during a copy.

#include "SplitTestSupport.h"
#include "tests/platform/rtl/MemorySource.h"

#include "app/split/SplitCopier.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

using Lines = std::vector<std::int64_t>;

// A copy from memory with every callback recorded.
struct TProgressRun {
    TStepClock Clock;
    std::int32_t Limit = 1000000;
    bool Stop = false;
    Lines Pumps;
    Lines LinesWrittenAtPump;
    int LimitReadings = 0;
    std::function<void(std::int64_t)> OnPump;
    TMemoryParts Parts;
    TSplitTuning Tuning;

    TSplitResult Run(const std::string& data, std::vector<std::size_t> chunks = {}) {
        TSplitProgress progress;
        progress.NowMs = Clock.Function();
        progress.StopRequested = [this] { return Stop; };
        progress.LineLimit = [this] {
            ++LimitReadings;
            return Limit;
        };
        progress.Pump = [this](std::int64_t line) {
            Pumps.push_back(line);
            LinesWrittenAtPump.push_back(Parts.LineEndsWritten());
            if (OnPump) {
                OnPump(line);
            }
        };
        TMemorySource source(data, std::move(chunks));
        const TSplitResult result = SplitStream(source, Parts, progress, Tuning);
        EXPECT_EQ(Parts.Opens, Parts.Closes);
        return result;
    }
};

TEST(SplitProgress, PumpsAtLineHundredThenAfterTenMilliseconds) {
    TProgressRun frozen; // the clock never moves: only the first pump
    frozen.Run(NumberedLines(1000));
    EXPECT_EQ(frozen.Pumps, Lines{100});
    EXPECT_EQ(frozen.Clock.Readings, 10); // after the pump, then at 200 ... 1000

    TProgressRun slow; // 5 ms per reading: every second multiple
    slow.Clock.Step = 5;
    slow.Run(NumberedLines(1000));
    EXPECT_EQ(slow.Pumps, (Lines{100, 300, 500, 700, 900}));

    TProgressRun busy; // 10 ms per reading: every multiple, as without the pause
    busy.Clock.Step = 10;
    busy.Run(NumberedLines(1000));
    EXPECT_EQ(busy.Pumps, (Lines{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));
}

TEST(SplitProgress, PumpComesBeforeItsLineIsCopied) {
    TProgressRun run;
    run.Clock.Step = 10;
    run.Tuning.BufferSize = 4096; // several pumps per block and some across blocks
    run.Tuning.FirstBlockSize = 16;
    run.Run(NumberedLines(2000));
    ASSERT_EQ(run.Pumps.size(), 20u);
    for (std::size_t i = 0; i < run.Pumps.size(); ++i) {
        EXPECT_EQ(run.LinesWrittenAtPump[i], run.Pumps[i] - 1);
    }
}

TEST(SplitProgress, NoPumpBelowHundredLines) {
    TProgressRun run;
    run.Run(NumberedLines(99));
    EXPECT_TRUE(run.Pumps.empty());
    EXPECT_EQ(run.Clock.Readings, 0);
    TProgressRun hundred;
    hundred.Run(NumberedLines(100));
    EXPECT_EQ(hundred.Pumps, Lines{100});
}

TEST(SplitProgress, StopSeenAtFourHundredCopiesLineFourHundred) {
    // The cancel click is dispatched by the pump at 400.
    TProgressRun run;
    run.Clock.Step = 10;
    run.OnPump = [&](std::int64_t line) { run.Stop = line == 400; };
    const TSplitResult result = run.Run(NumberedLines(1000));
    EXPECT_EQ(run.Pumps, (Lines{100, 200, 300, 400}));
    EXPECT_EQ(run.Parts.Parts, std::vector<std::string>{NumberedLines(400)});
    EXPECT_EQ(result.Lines, 400);
    EXPECT_TRUE(result.Stopped);
}

TEST(SplitProgress, StopAcrossParts) {
    TProgressRun run;
    run.Clock.Step = 10;
    run.Limit = 150;
    run.Tuning.BufferSize = 512;
    run.Tuning.FirstBlockSize = 16;
    run.OnPump = [&](std::int64_t line) { run.Stop = line == 400; };
    const TSplitResult result = run.Run(NumberedLines(1000), {7, 300});
    const std::string all = NumberedLines(400);
    ASSERT_EQ(run.Parts.Parts.size(), 3u);
    EXPECT_EQ(run.Parts.Parts[0], NumberedLines(149));
    EXPECT_EQ(run.Parts.Parts[0] + run.Parts.Parts[1] + run.Parts.Parts[2], all);
    EXPECT_EQ(result.Parts, 3);
    EXPECT_EQ(result.Lines, 400);
}

TEST(SplitProgress, StopAtTheLastLineCopiesEverything) {
    TProgressRun run;
    run.OnPump = [&](std::int64_t) { run.Stop = true; };
    const TSplitResult result = run.Run(NumberedLines(100));
    EXPECT_EQ(result.Lines, 100);
    EXPECT_FALSE(result.Stopped); // nothing was left
}

TEST(SplitProgress, StopBeforeTheStartCopiesNothing) {
    TProgressRun run;
    run.Stop = true;
    const TSplitResult result = run.Run(NumberedLines(10));
    EXPECT_EQ(run.Parts.Parts, std::vector<std::string>{""});
    EXPECT_EQ(result.Lines, 0);
    EXPECT_TRUE(result.Stopped);
}

TEST(SplitProgress, LimitIsReadAgainAfterEachPump) {
    TProgressRun run;
    run.Clock.Step = 10;
    run.Limit = 1000;
    run.OnPump = [&](std::int64_t line) {
        if (line == 100) {
            run.Limit = 150;
        }
        if (line == 400) {
            run.Limit = 100; // 400 is a multiple: a part starts at once
        }
    };
    run.Run(NumberedLines(520));
    EXPECT_EQ(run.LimitReadings, 1 + 5);
    std::vector<std::int64_t> starts; // the first line of every part
    std::int64_t line = 1;
    for (const std::string& part : run.Parts.Parts) {
        starts.push_back(line);
        line += static_cast<std::int64_t>(std::count(part.begin(), part.end(), '\n'));
    }
    EXPECT_EQ(starts, (Lines{1, 150, 300, 400, 500}));
}

TEST(SplitProgress, CountersGoPastThirtyTwoBits) {
    TProgressRun run;
    run.Limit = std::numeric_limits<std::int32_t>::max();
    run.Tuning.FirstLine = std::int64_t{run.Limit} - 5; // 2147483642
    run.Clock.Step = 10;
    const TSplitResult result = run.Run(NumberedLines(300));
    ASSERT_EQ(run.Parts.Parts.size(), 2u);
    EXPECT_EQ(run.Parts.Parts[0], NumberedLines(5));
    EXPECT_EQ(run.Pumps, (Lines{2147483700, 2147483800, 2147483900}));
    EXPECT_EQ(result.Lines, 300);
    EXPECT_EQ(result.Parts, 2);
}

TEST(SplitProgress, AnExceptionFromThePumpClosesThePart) {
    TProgressRun run;
    run.OnPump = [](std::int64_t) { throw EConvertError("Pumpe"); };
    EXPECT_THROW(run.Run(NumberedLines(200)), EConvertError);
    EXPECT_EQ(run.Parts.Closes, 1);
    EXPECT_EQ(run.Parts.LineEndsWritten(), 99);
}

} // namespace

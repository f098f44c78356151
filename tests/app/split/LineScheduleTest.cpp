// The lines at which the copy stops to look: arithmetic and order of events.

#include "app/split/LineSchedule.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

using TAction = TLineSchedule::TAction;

TEST(LineSchedule, NextMultiple) {
    EXPECT_EQ(TLineSchedule::NextMultiple(1, 65500), 65500);
    EXPECT_EQ(TLineSchedule::NextMultiple(65500, 65500), 65500);
    EXPECT_EQ(TLineSchedule::NextMultiple(65501, 65500), 131000);
    EXPECT_EQ(TLineSchedule::NextMultiple(1, 1), 1);
    EXPECT_EQ(TLineSchedule::NextMultiple(0, 7), 0);
}

TEST(LineSchedule, NextMultipleBeyondThirtyTwoBits) {
    constexpr std::int64_t maxLimit = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(TLineSchedule::NextMultiple(maxLimit, maxLimit), maxLimit);
    EXPECT_EQ(TLineSchedule::NextMultiple(maxLimit + 1, maxLimit), 2 * maxLimit);
    EXPECT_EQ(TLineSchedule::NextMultiple(std::int64_t{1} << 40, 100),
              (std::int64_t{1} << 40) + 24); // 2^40 = 1099511627776
    EXPECT_EQ(TLineSchedule::NextMultiple(5'000'000'000, 1'048'000), 5'000'008'000);
}

struct TScheduleHarness {
    std::int32_t Limit = 10000;
    bool Stop = false;
    std::int64_t Time = 0;
    std::vector<std::int64_t> Pumps;
    std::function<void(std::int64_t)> OnPump;
    TSplitProgress Progress;
    TScheduleHarness() {
        Progress.LineLimit = [this] { return Limit; };
        Progress.StopRequested = [this] { return Stop; };
        Progress.NowMs = [this] { return Time; };
        Progress.Pump = [this](std::int64_t line) {
            Pumps.push_back(line);
            if (OnPump) {
                OnPump(line);
            }
        };
    }
};

TEST(LineSchedule, PartBoundaryAndPumpOnOneLinePumpFirst) {
    TScheduleHarness harness;
    harness.Limit = 200;
    harness.OnPump = [&](std::int64_t line) {
        if (line == 200) {
            harness.Limit = 300; // 200 is no multiple of the new limit
        }
    };
    TLineSchedule schedule(harness.Progress, 1);
    EXPECT_EQ(schedule.NextEvent(1000), 100);
    EXPECT_EQ(schedule.Begin(100), TAction::Copy);
    harness.Time = 50;
    EXPECT_EQ(schedule.NextEvent(1000), 200);
    EXPECT_EQ(schedule.Begin(200), TAction::Copy);
    harness.Time = 60;
    EXPECT_EQ(schedule.NextEvent(1000), 300); // the new limit's first multiple, a pump is due too
    EXPECT_EQ(schedule.Begin(300), TAction::NewPart);
    EXPECT_EQ(harness.Pumps, (std::vector<std::int64_t>{100, 200, 300}));
}

TEST(LineSchedule, LimitOfOneStartsAPartAtEveryLine) {
    TScheduleHarness harness;
    harness.Limit = 1;
    TLineSchedule schedule(harness.Progress, 1);
    for (std::int64_t line = 1; line <= 3; ++line) {
        ASSERT_EQ(schedule.NextEvent(3), line);
        EXPECT_EQ(schedule.Begin(line), TAction::NewPart);
    }
}

TEST(LineSchedule, RejectsAMissingOrNonPositiveLimit) {
    TSplitProgress progress;
    EXPECT_THROW(TLineSchedule(progress, 1), EInvalidOperation);
    progress.LineLimit = [] { return 0; };
    EXPECT_THROW(TLineSchedule(progress, 1), EInvalidOperation);
    progress.LineLimit = [] { return -5; };
    EXPECT_THROW(TLineSchedule(progress, 1), EInvalidOperation);
}

} // namespace

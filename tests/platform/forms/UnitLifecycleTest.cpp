// Unit start-up and shutdown order.

#include "platform/forms/UnitLifecycle.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {
std::vector<std::string> trace;
void InitA() {
    trace.push_back("init A");
}
void FinA() {
    trace.push_back("fin A");
}
void InitB() {
    trace.push_back("init B");
}
void FinB() {
    trace.push_back("fin B");
    throw std::runtime_error("B fails to finish");
}
void InitC() {
    trace.push_back("init C");
}
void FinC() {
    trace.push_back("fin C");
}
void InitFails() {
    throw std::runtime_error("cannot start");
}
} // namespace

TEST(UnitLifecycle, StartsInOrderAndFinishesInReverseEvenWhenOneFails) {
    trace.clear();
    const TUnitEntry units[] = {
        {"A", InitA, FinA}, {"B", InitB, FinB}, {"NoOps", nullptr, nullptr}, {"C", InitC, FinC}};
    {
        TUnitLifecycle life(units);
        life.Initialize();
        EXPECT_EQ(life.StartedCount(), 4);
        life.Finalize();
        life.Finalize(); // only once
    }
    EXPECT_EQ(trace,
              (std::vector<std::string>{"init A", "init B", "init C", "fin C", "fin B", "fin A"}));
}

TEST(UnitLifecycle, AFailedStartFinishesOnlyTheUnitsBeforeIt) {
    trace.clear();
    const TUnitEntry units[] = {{"A", InitA, FinA}, {"X", InitFails, FinC}, {"C", InitC, FinC}};
    {
        TUnitLifecycle life(units);
        EXPECT_THROW(life.Initialize(), std::runtime_error);
        EXPECT_EQ(life.StartedCount(), 1);
    } // the destructor finishes what was started
    EXPECT_EQ(trace, (std::vector<std::string>{"init A", "fin A"}));
}

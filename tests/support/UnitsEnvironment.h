#pragma once
// Starts a list of units before the first test of a test program and
// finishes them after the last, with the application object initialised
// in between and its forms destroyed before the units finish, as the
// program does.

#include "platform/forms/UnitLifecycle.h"

#include <gtest/gtest.h>

#include <memory>
#include <span>

class TUnitsEnvironment : public ::testing::Environment {
public:
    explicit TUnitsEnvironment(std::span<const TUnitEntry> units) : FUnitList(units) {}
    void SetUp() override;
    void TearDown() override;

private:
    std::span<const TUnitEntry> FUnitList;
    std::unique_ptr<TUnitLifecycle> FUnits;
};

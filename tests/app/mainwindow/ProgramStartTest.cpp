// The program's first steps: library loads are restricted to the system
// folder before any unit starts.

#include "app/ProgramStart.h"
#include "platform/rtl/SystemSeams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> Steps;

void StartFirst() {
    Steps.push_back("unit first");
}
void StartSecond() {
    Steps.push_back("unit second");
}

const TUnitEntry RecordingUnits[] = {
    {"first", StartFirst, nullptr},
    {"second", StartSecond, nullptr},
};
} // namespace

TEST(ProgramStart, RestrictsTheLibrarySearchBeforeTheUnitsStart) {
    Steps.clear();
    TSeamOverride restrict(SystemSeams().RestrictLibrarySearch, [] {
        Steps.push_back("restrict");
        return true;
    });
    TUnitLifecycle units(RecordingUnits);
    StartProgram(units);
    EXPECT_EQ(Steps, (std::vector<std::string>{"restrict", "unit first", "unit second"}));
    EXPECT_EQ(units.StartedCount(), 2);
}

TEST(ProgramStart, AnOlderSystemWithoutTheRestrictionStillStarts) {
    Steps.clear();
    TSeamOverride restrict(SystemSeams().RestrictLibrarySearch, [] { return false; });
    TUnitLifecycle units(RecordingUnits);
    StartProgram(units);
    EXPECT_EQ(units.StartedCount(), 2);
}

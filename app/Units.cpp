#include "app/Units.h"

#include "app/UnMain.h"
#include "platform/forms/Application.h"

namespace {
const TUnitEntry Units[] = {
    {"Forms", InitializeFormsUnit, FinalizeFormsUnit},
    {"UnMain", InitializeUnMain, FinalizeUnMain},
};
} // namespace

std::span<const TUnitEntry> ProgramUnits() {
    return Units;
}

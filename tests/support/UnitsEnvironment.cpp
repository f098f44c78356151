#include "tests/support/UnitsEnvironment.h"

#include "platform/forms/Application.h"

void TUnitsEnvironment::SetUp() {
    FUnits = std::make_unique<TUnitLifecycle>(FUnitList);
    FUnits->Initialize();
    Application->Initialize();
}

void TUnitsEnvironment::TearDown() {
    if (Application)
        Application->DestroyForms();
    FUnits->Finalize();
}

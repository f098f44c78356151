#include "app/Units.h"

#include "app/UnMain.h"
#include "components/kitclass.h"
#include "components/kitsysinfo.h"
#include "platform/forms/Application.h"
#include "theming/ThemeMgr.h"
#include "theming/ThemeSrv.h"
#include "theming/UxTheme.h"

namespace {
const TUnitEntry Units[] = {
    {"Forms", InitializeFormsUnit, FinalizeFormsUnit},
    {"kitclass", InitializeKitclass, FinalizeKitclass},
    {"kitsysinfo", InitializeKitSysInfo, FinalizeKitSysInfo},
    {"UxTheme", InitializeUxTheme, FinalizeUxTheme},
    {"ThemeSrv", InitializeThemeSrv, FinalizeThemeSrv},
    {"ThemeMgr", InitializeThemeMgr, FinalizeThemeMgr},
    {"UnMain", InitializeUnMain, FinalizeUnMain},
};
} // namespace

std::span<const TUnitEntry> ProgramUnits() {
    return Units;
}

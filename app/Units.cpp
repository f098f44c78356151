#include "app/Units.h"

#include "app/UnMain.h"
#include "components/base/kitclass.h"
#include "components/global/kitcont.h"
#include "components/base/kitsysinfo.h"
#include "platform/forms/Application.h"
#include "theming/ThemeMgr.h"
#include "theming/ThemedButtons.h"
#include "theming/ThemedContainers.h"
#include "theming/ThemeSrv.h"
#include "theming/UxTheme.h"

namespace {
const TUnitEntry Units[] = {
    {"Forms", InitializeFormsUnit, FinalizeFormsUnit},
    {"kitclass", InitializeKitclass, FinalizeKitclass},
    {"kitsysinfo", InitializeKitSysInfo, FinalizeKitSysInfo},
    {"kitcont", InitializeKitcont, FinalizeKitcont},
    {"UxTheme", InitializeUxTheme, FinalizeUxTheme},
    {"ThemeSrv", InitializeThemeSrv, FinalizeThemeSrv},
    {"ThemeMgr", InitializeThemeMgr, FinalizeThemeMgr},
    {"ThemedButtons", InitializeThemedButtons, nullptr},
    {"ThemedContainers", InitializeThemedContainers, FinalizeThemedContainers},
    {"UnMain", InitializeUnMain, FinalizeUnMain},
};
} // namespace

std::span<const TUnitEntry> ProgramUnits() {
    return Units;
}

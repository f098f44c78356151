#include "ContainersEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/forms/UnitLifecycle.h"
#include "platform/graphics/GdiObject.h"
#include "theming/ThemeMgr.h"
#include "theming/ThemeSrv.h"
#include "theming/ThemedContainers.h"
#include "theming/UxTheme.h"

#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {
const TUnitEntry Units[] = {
    {"Forms", InitializeFormsUnit, FinalizeFormsUnit},
    {"UxTheme", InitializeUxTheme, FinalizeUxTheme},
    {"ThemeSrv", InitializeThemeSrv, FinalizeThemeSrv},
    {"ThemeMgr", InitializeThemeMgr, FinalizeThemeMgr},
    {"ThemedContainers", InitializeThemedContainers, FinalizeThemedContainers},
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new TUnitsEnvironment(Units));
} // namespace

RECT ClipBox(HDC dc) {
    RECT box{};
    TGdiObject<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
    if (::GetClipRgn(dc, region.Get()) == 1)
        ::GetRgnBox(region.Get(), &box);
    return box;
}

bool HasClipRegion(HDC dc) {
    TGdiObject<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
    return ::GetClipRgn(dc, region.Get()) == 1;
}

bool IsListed(const TThemeManager* manager, TThemedClass cls, TControl* control) {
    int index = -1;
    return manager->List(cls).FindSubclassedControl(control, index);
}

FrameWitness::FrameWitness(TThemeManager* manager) : FManager(manager) {
    manager->OnControlMessage = TControlMessageEvent::Of<&FrameWitness::Receive>(this);
}

FrameWitness::~FrameWitness() {
    FManager->OnControlMessage = {};
}

void FrameWitness::Receive(TThemeManager*, TControl* control, TMessage& message, bool&) {
    FSeen.emplace_back(control, message);
}

bool FrameWitness::Saw(const TControl* control, UINT msg) const {
    return std::ranges::any_of(
        FSeen, [&](const auto& seen) { return seen.first == control && seen.second.Msg == msg; });
}

int FrameWitness::ErasesForAChild(const TControl* control) const {
    return static_cast<int>(std::ranges::count_if(FSeen, [&](const auto& seen) {
        return seen.first == control && seen.second.Msg == WM_ERASEBKGND &&
               static_cast<WPARAM>(seen.second.LParam) == seen.second.WParam;
    }));
}

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

SentinelBitmap::SentinelBitmap(int width, int height) : FDC(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap = ::CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FOld = ::SelectObject(FDC, FBitmap);
    TGdiObject<HBRUSH> brush(::CreateSolidBrush(Sentinel));
    const RECT all{0, 0, width, height};
    ::FillRect(FDC, &all, brush.Get());
}

SentinelBitmap::~SentinelBitmap() {
    ::SelectObject(FDC, FOld);
    ::DeleteObject(FBitmap);
    ::DeleteDC(FDC);
}

int SentinelBitmap::ChangedInRow(int y, int left, int right) const {
    int changed = 0;
    for (int x = left; x < right; ++x)
        changed += Pixel(x, y) != Sentinel ? 1 : 0;
    return changed;
}

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

#include "ButtonsEnvironment.h"

#include "platform/rtl/SystemSeams.h"
#include "platform/forms/Application.h"
#include "platform/forms/UnitLifecycle.h"
#include "platform/graphics/Bitmap.h"
#include "theming/ThemeSrv.h"
#include "theming/ThemedButtons.h"
#include "theming/UxTheme.h"

#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
bool ForcedThemes = true;

const TUnitEntry Units[] = {
    {"Forms", InitializeFormsUnit, FinalizeFormsUnit},
    {"UxTheme", InitializeUxTheme, FinalizeUxTheme},
    {"ThemeSrv", InitializeThemeSrv, FinalizeThemeSrv},
    {"ThemeMgr", InitializeThemeMgr, FinalizeThemeMgr},
    {"ThemedButtons", InitializeThemedButtons, nullptr},
};

// Wine reports common controls 5.81 even with the version-6 manifest; the
// tests decide the version themselves, from before the units start.
class ButtonsEnvironment : public TUnitsEnvironment {
public:
    ButtonsEnvironment() : TUnitsEnvironment(Units) {}
    void SetUp() override {
        FSeam = std::make_unique<TSeamOverride<TCommonControlsVersion()>>(
            SystemSeams().CommonControlsVersion, [] {
                return ForcedThemes ? TCommonControlsVersion{6, 0} : TCommonControlsVersion{5, 81};
            });
        TUnitsEnvironment::SetUp();
    }
    void TearDown() override {
        TUnitsEnvironment::TearDown();
        FSeam.reset();
    }

private:
    std::unique_ptr<TSeamOverride<TCommonControlsVersion()>> FSeam;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ButtonsEnvironment);
} // namespace

void SetControlThemes(bool on) {
    ForcedThemes = on;
    if (TThemeServices* services = ThemeServicesInstance())
        services->RefreshThemeState();
}

ThemedButtonForm::ThemedButtonForm() {
    SetControlThemes(true);
    Form = new TForm(Application);
    Form->SetBounds(20, 20, 400, 300);
    Form->SetColor(static_cast<TColor>(FormColour));
}

ThemedButtonForm::~ThemedButtonForm() {
    Free(Form);
    SetControlThemes(true);
}

TThemeManager* ThemedButtonForm::Manage() {
    Form->Show();
    Manager = new TThemeManager(Form);
    Manager->Loaded();
    PumpMessages();
    return Manager;
}

void MakeGlyph(TBitmap& glyph, const std::vector<COLORREF>& cells) {
    constexpr COLORREF Fuchsia = RGB(255, 0, 255);
    const int count = static_cast<int>(cells.size());
    glyph.SetSize(8 * count, 8);
    const HDC dc = glyph.Canvas()->Handle();
    for (int i = 0; i < count; ++i) {
        const HBRUSH brush = ::CreateSolidBrush(cells[static_cast<size_t>(i)]);
        const RECT cell{8 * i, 0, 8 * i + 8, 8};
        ::FillRect(dc, &cell, brush);
        ::DeleteObject(brush);
        // The last column of each cell is transparent.
        for (int y = 0; y < 8; ++y)
            ::SetPixel(dc, 8 * i + 7, y, Fuchsia);
    }
    glyph.SetTransparentColor(static_cast<TColor>(Fuchsia));
}

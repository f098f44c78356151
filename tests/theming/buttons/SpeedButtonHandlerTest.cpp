// The handler of speed buttons: painted by the parent into its own context,
// erased through the parent, drawn as a push or (flat) tool button.

#include "ButtonsEnvironment.h"

#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/GlyphButtons.h"
#include "theming/ThemeSrv.h"
#include "theming/ThemedButtons.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Cells[] = {RGB(250, 10, 10), RGB(10, 10, 250), RGB(10, 250, 10),
                              RGB(250, 250, 10)};
constexpr int Left = 50;
constexpr int Top = 60;
constexpr int Width = 40;
constexpr int Height = 30;
constexpr RECT OnCanvas{Left, Top, Left + Width, Top + Height};

class SpeedButtonHandler : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled());
        button = new TSpeedButton(f.Form);
        button->SetParent(f.Form);
        button->SetBounds(Left, Top, Width, Height);
        f.Manage();
        ::SetCursorPos(0, 0);
    }

    // Paints the button as its parent does: the origin moved to the button
    // and the clip cut to it, on a canvas of the parent's size.
    std::vector<COLORREF> Painted(LRESULT* result = nullptr, POINT* originAfter = nullptr) {
        TMemoryCanvas canvas(200, 200, White);
        const HDC dc = canvas.DC();
        ::SetWindowOrgEx(dc, -Left, -Top, nullptr);
        ::IntersectClipRect(dc, 0, 0, Width, Height);
        TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 55};
        button->WindowProc(paint);
        if (result)
            *result = paint.Result;
        if (originAfter)
            ::GetWindowOrgEx(dc, originAfter);
        ::SetWindowOrgEx(dc, 0, 0, nullptr);
        return canvas.Pixels();
    }
    // What the handler should paint for State.
    std::vector<COLORREF> Expected(int state) {
        TMemoryCanvas canvas(200, 200, White);
        const HDC dc = canvas.DC();
        ::SetWindowOrgEx(dc, -Left, -Top, nullptr);
        ::IntersectClipRect(dc, 0, 0, Width, Height);
        EraseWithParent(button, dc);
        DrawThemedButton(button, state, false, button->ClientRect(), dc);
        ::SetWindowOrgEx(dc, 0, 0, nullptr);
        return canvas.Pixels();
    }
    static COLORREF At(const std::vector<COLORREF>& pixels, int x, int y) {
        return pixels[static_cast<size_t>(y * 200 + x)];
    }
    static bool Has(const std::vector<COLORREF>& pixels, COLORREF colour) {
        return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
    }
    void Glyph(int count) {
        TBitmap glyph;
        MakeGlyph(glyph, std::vector<COLORREF>(Cells, Cells + count));
        button->SetGlyph(&glyph);
        button->SetNumGlyphs(count);
    }

    ThemedButtonForm f;
    TSpeedButton* button = nullptr;
};
} // namespace

TEST_F(SpeedButtonHandler, IsInTheSpeedButtonList) {
    int index = -1;
    EXPECT_TRUE(f.Manager->List(TThemedClass::tcSpeedButton).FindSubclassedControl(button, index));
}

TEST_F(SpeedButtonHandler, PaintsOnlyInsideItselfAndRestoresTheOrigin) {
    button->SetFlat(true);
    LRESULT result = -1;
    POINT origin{};
    const auto pixels = Painted(&result, &origin);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(origin.x, -Left);
    EXPECT_EQ(origin.y, -Top);
    EXPECT_EQ(At(pixels, Left - 1, Top - 1), White) << "outside the clip";
    EXPECT_EQ(At(pixels, Left + Width, Top + Height), White);
    EXPECT_EQ(At(pixels, Left + 1, Top + 1), ThemedButtonForm::FormColour)
        << "a normal tool button shows the parent behind it";
}

TEST_F(SpeedButtonHandler, AFlatButtonIsAToolButton) {
    button->SetFlat(true);
    const RECT client = button->ClientRect();
    for (int state = ButtonDrawState::Normal; state <= ButtonDrawState::Disabled; ++state) {
        TMemoryCanvas drawn(Width, Height, White);
        DrawThemedButton(button, state, false, client, drawn.DC());
        TMemoryCanvas tool(Width, Height, White);
        ThemeServicesInstance()->DrawElement(
            tool.DC(), TThemeServices::ToolBarDetails(static_cast<std::uint8_t>(state)), client);
        EXPECT_EQ(drawn.Pixels(), tool.Pixels()) << state;
    }
    TMemoryCanvas defaulted(Width, Height, White);
    DrawThemedButton(button, ButtonDrawState::Defaulted, false, client, defaulted.DC());
    TMemoryCanvas push(Width, Height, White);
    ThemeServicesInstance()->DrawElement(push.DC(), TThemeServices::ButtonDetails(6), client);
    EXPECT_EQ(defaulted.Pixels(), push.Pixels()) << "no tool state for 6";

    button->SetFlat(false);
    TMemoryCanvas normal(Width, Height, White);
    DrawThemedButton(button, ButtonDrawState::Normal, false, client, normal.DC());
    TMemoryCanvas pushNormal(Width, Height, White);
    ThemeServicesInstance()->DrawElement(pushNormal.DC(), TThemeServices::ButtonDetails(2), client);
    EXPECT_EQ(normal.Pixels(), pushNormal.Pixels());
}

TEST_F(SpeedButtonHandler, TheStateComesFromTheButton) {
    button->SetCaption("Ab");
    ASSERT_NE(Expected(ButtonDrawState::Pressed), Expected(ButtonDrawState::Normal));
    EXPECT_EQ(Painted(), Expected(ButtonDrawState::Normal));

    button->SetGroupIndex(1);
    button->SetDown(true);
    ASSERT_EQ(button->State(), bsExclusive);
    EXPECT_EQ(Painted(), Expected(ButtonDrawState::Pressed));
    button->SetDown(false);

    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(button->State(), bsDown);
    EXPECT_EQ(Painted(), Expected(ButtonDrawState::Pressed));
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));

    button->SetEnabled(false);
    EXPECT_EQ(Painted(), Expected(ButtonDrawState::Disabled));
}

TEST_F(SpeedButtonHandler, HotFollowsTheMouseFlagWhenFlatAndTheCursorOtherwise) {
    // The real mouse: the parent's window tells the button it came and went.
    button->SetFlat(true);
    MoveCursorTo(button->ClientToScreen({Width / 2, Height / 2}));
    ASSERT_TRUE(button->MouseInControl()) << "the saved procedure saw the mouse come";
    EXPECT_EQ(Painted(), Expected(ButtonDrawState::Hot));
    MoveCursorTo({0, 0});
    EXPECT_FALSE(button->MouseInControl());
    EXPECT_EQ(Painted(), Expected(ButtonDrawState::Normal));

    button->SetFlat(false);
    button->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(Painted(), Expected(ButtonDrawState::Normal)) << "the flag alone is not enough";
    const POINT centre = button->ClientToScreen({Width / 2, Height / 2});
    ::SetCursorPos(centre.x, centre.y);
    POINT at{};
    ::GetCursorPos(&at);
    if (at.x != centre.x || at.y != centre.y)
        GTEST_SKIP() << "the display does not move the cursor";
    EXPECT_EQ(Painted(), Expected(ButtonDrawState::Hot));
    button->SetEnabled(false);
    EXPECT_EQ(Painted(), Expected(ButtonDrawState::Disabled));
    ::SetCursorPos(0, 0);
}

TEST_F(SpeedButtonHandler, GlyphCellsFollowTheButtonState) {
    Glyph(4);
    EXPECT_TRUE(Has(Painted(), Cells[0]));
    button->SetGroupIndex(1);
    button->SetDown(true);
    const auto exclusive = Painted();
    EXPECT_TRUE(Has(exclusive, Cells[3]));
    EXPECT_FALSE(Has(exclusive, Cells[0]));
    button->SetDown(false);

    Glyph(3);
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(Has(Painted(), Cells[2]));
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));

    Glyph(2);
    button->SetEnabled(false);
    const auto disabled = Painted();
    EXPECT_TRUE(Has(disabled, Cells[1]));
    EXPECT_FALSE(Has(disabled, Cells[0]));
}

TEST_F(SpeedButtonHandler, APushButtonRepaintsWhenTheMouseComesOrGoes) {
    const HWND parent = f.Form->Handle();
    RECT update{};
    for (UINT msg : {CM_MOUSEENTER, CM_MOUSELEAVE}) {
        ::ValidateRect(parent, nullptr);
        button->Perform(msg, 0, 0);
        EXPECT_TRUE(::GetUpdateRect(parent, &update, FALSE));
    }
    button->SetEnabled(false);
    PumpMessages();
    ::ValidateRect(parent, nullptr);
    button->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_FALSE(::GetUpdateRect(parent, &update, FALSE)) << "disabled";
}

TEST_F(SpeedButtonHandler, UnthemedTheButtonPaintsItself) {
    button->SetFlat(false);
    const auto themed = Painted();
    SetControlThemes(false);
    ASSERT_FALSE(IsControlThemingEnabled());
    const auto classic = Painted();
    EXPECT_NE(classic, themed);
    EXPECT_NE(At(classic, Left + Width / 2, Top + Height / 2), ThemedButtonForm::FormColour);
    EXPECT_EQ(At(classic, Left + Width / 2, Top + Height / 2), ColorToRGB(clBtnFace))
        << "the classic face";
    button->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(button->MouseInControl());
}

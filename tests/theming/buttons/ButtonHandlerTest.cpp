// The handler of push buttons, check boxes, radio buttons and bit buttons
// on real windows: what it takes, what it draws, and what it passes on.

#include "ButtonsEnvironment.h"

#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/Panels.h"
#include "platform/stdctrls/GlyphButtons.h"
#include "theming/ThemeSrv.h"
#include "theming/ThemedButtons.h"

#include <gtest/gtest.h>

#include <utility>

namespace {
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Cell0 = RGB(250, 10, 10);
constexpr COLORREF Cell1 = RGB(10, 10, 250);
constexpr COLORREF Cell2 = RGB(10, 250, 10);
constexpr COLORREF Fuchsia = RGB(255, 0, 255);
constexpr RECT ButtonRect{0, 0, 75, 25};

class ButtonHandler : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled()) << "the visual style must be active";
        button = f.Add<TButton>(10, 10, 75, 25);
        checkBox = f.Add<TCheckBox>(10, 40, 75, 17);
        radio = f.Add<TRadioButton>(10, 60, 75, 17);
        bitBtn = f.Add<TBitBtn>(100, 10, 75, 25);
        f.Manage();
        // Keep the cursor off every button.
        ::SetCursorPos(0, 0);
    }

    static LRESULT Send(TControl* control, UINT msg, WPARAM wParam, LPARAM lParam,
                        LRESULT preset = 0) {
        TMessage message{msg, wParam, lParam, preset};
        control->WindowProc(message);
        return message.Result;
    }
    // Sends CN_DRAWITEM for the bit button into a fresh white canvas.
    LRESULT DrawItem(TMemoryCanvas& canvas, UINT itemState, LRESULT preset = 77) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = itemState;
        item.hwndItem = bitBtn->Handle();
        item.hDC = canvas.DC();
        item.rcItem = ButtonRect;
        return Send(bitBtn, CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item), preset);
    }
    std::vector<COLORREF> Drawn(UINT itemState) {
        TMemoryCanvas canvas(75, 25, White);
        DrawItem(canvas, itemState);
        return canvas.Pixels();
    }
    std::vector<COLORREF> Expected(int state, bool focused) {
        TMemoryCanvas canvas(75, 25, White);
        const ThemedElementDetails normal = TThemeServices::ButtonDetails(2);
        ThemeServicesInstance()->DrawParentBackground(bitBtn->Handle(), canvas.DC(), &normal, true,
                                                      nullptr);
        DrawThemedButton(bitBtn, state, focused, ButtonRect, canvas.DC());
        return canvas.Pixels();
    }
    void Glyph(const std::vector<COLORREF>& cells) {
        TBitmap glyph;
        MakeGlyph(glyph, cells);
        bitBtn->SetGlyph(&glyph);
        bitBtn->SetNumGlyphs(static_cast<int>(cells.size()));
    }

    ThemedButtonForm f;
    TButton* button = nullptr;
    TCheckBox* checkBox = nullptr;
    TRadioButton* radio = nullptr;
    TBitBtn* bitBtn = nullptr;
};

bool Listed(TThemeManager* manager, TControl* control) {
    int index = -1;
    return manager->List(TThemedClass::tcButton).FindSubclassedControl(control, index);
}
} // namespace

TEST_F(ButtonHandler, EveryButtonClassIsInTheButtonList) {
    for (TControl* c : {static_cast<TControl*>(button), static_cast<TControl*>(checkBox),
                        static_cast<TControl*>(radio), static_cast<TControl*>(bitBtn)})
        EXPECT_TRUE(Listed(f.Manager, c)) << c->ClassName();
}

TEST_F(ButtonHandler, ErasingDrawsNothingWhileThemed) {
    for (TControl* c : {static_cast<TControl*>(button), static_cast<TControl*>(checkBox),
                        static_cast<TControl*>(radio), static_cast<TControl*>(bitBtn)}) {
        TMemoryCanvas canvas(75, 25, White);
        EXPECT_EQ(Send(c, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.DC()), 0), 1)
            << c->ClassName();
        EXPECT_EQ(canvas.Pixel(5, 5), White) << c->ClassName();
    }
}

TEST_F(ButtonHandler, UnthemedEveryMessageGoesToTheSavedProcedure) {
    SetControlThemes(false);
    ASSERT_FALSE(IsControlThemingEnabled());
    TMemoryCanvas canvas(75, 25, White);
    Send(button, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.DC()), 0);
    EXPECT_NE(canvas.Pixel(5, 5), White) << "the control's own erasing ran";

    const auto nullBrush = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    TMemoryCanvas colours(75, 17, White);
    EXPECT_NE(Send(checkBox, CN_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(colours.DC()),
                   reinterpret_cast<LPARAM>(checkBox->Handle())),
              nullBrush);

    TMemoryCanvas item(75, 25, White);
    EXPECT_EQ(DrawItem(item, 0), 1) << "the bit button's classic drawing answered";

    ASSERT_EQ(::ValidateRect(bitBtn->Handle(), nullptr), TRUE);
    Send(bitBtn, CM_MOUSEENTER, 0, 0);
    RECT update{};
    EXPECT_FALSE(::GetUpdateRect(bitBtn->Handle(), &update, FALSE));
}

TEST_F(ButtonHandler, ControlColoursPaintTheParentBehindAndAnswerAHollowBrush) {
    const auto nullBrush = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    for (auto [control, msg] : {std::pair<TWinControl*, UINT>{checkBox, CN_CTLCOLORSTATIC},
                                {radio, CN_CTLCOLORSTATIC},
                                {button, CN_CTLCOLORBTN}}) {
        TMemoryCanvas canvas(75, 17, White);
        EXPECT_EQ(Send(control, msg, reinterpret_cast<WPARAM>(canvas.DC()),
                       reinterpret_cast<LPARAM>(control->Handle())),
                  nullBrush)
            << control->ClassName();
        EXPECT_EQ(canvas.Pixel(2, 2), ThemedButtonForm::FormColour) << control->ClassName();
    }
    EXPECT_EQ(Send(checkBox, CN_CTLCOLORSTATIC, 0, 0), nullBrush) << "no DC: nothing drawn";
}

namespace {
// Erases a control's parent got with LParam equal to the DC: the erase a
// child asks of a parent that buffers its painting.
struct ChildErases {
    void Receive(TThemeManager*, TControl* control, TMessage& message, bool&) {
        if (control == Parent && message.Msg == WM_ERASEBKGND &&
            static_cast<WPARAM>(message.LParam) == message.WParam)
            ++Count;
    }
    TControl* Parent = nullptr;
    int Count = 0;
};
} // namespace

TEST_F(ButtonHandler, ControlColoursOnABufferedParentEraseThroughIt) {
    auto* panel = f.Add<TPanel>(200, 100, 150, 80);
    panel->SetColor(clRed);
    auto* inner = f.Add<TButton>(10, 10, 75, 25, panel);
    auto* innerCheck = f.Add<TCheckBox>(10, 40, 75, 17, panel);
    f.Manager->UpdateControlSubclassing(panel, true);
    ASSERT_TRUE(Listed(f.Manager, inner));
    ChildErases erases{panel};
    f.Manager->OnControlMessage = TControlMessageEvent::Of<&ChildErases::Receive>(&erases);
    for (bool buffered : {true, false}) {
        panel->SetDoubleBuffered(buffered);
        erases.Count = 0;
        for (auto [control, msg] : {std::pair<TWinControl*, UINT>{inner, CN_CTLCOLORBTN},
                                    {innerCheck, CN_CTLCOLORSTATIC}}) {
            TMemoryCanvas canvas(75, 17, White);
            EXPECT_EQ(Send(control, msg, reinterpret_cast<WPARAM>(canvas.DC()),
                           reinterpret_cast<LPARAM>(control->Handle())),
                      reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)));
            EXPECT_EQ(canvas.Pixel(2, 2), RGB(255, 0, 0)) << "the panel's background";
        }
        EXPECT_EQ(erases.Count, buffered ? 2 : 0)
            << (buffered ? "through the panel itself" : "through the theme");
    }
    f.Manager->OnControlMessage = {};
}

TEST_F(ButtonHandler, ABitButtonIsDrawnHereAndTheResultStaysUnchanged) {
    Glyph({Cell0});
    TMemoryCanvas canvas(75, 25, White);
    EXPECT_EQ(DrawItem(canvas, 0, 77), 77);
    EXPECT_NE(canvas.Pixel(0, 0), White) << "the parent shows through the rounded corner";
    EXPECT_TRUE(canvas.Contains(ButtonRect, Cell0));
    EXPECT_FALSE(canvas.Contains(ButtonRect, Fuchsia)) << "the transparent colour is masked";
    EXPECT_EQ(canvas.Pixels(), Expected(ButtonDrawState::Normal, false));
}

TEST_F(ButtonHandler, TheBitButtonStateFollowsTheOwnerDrawRecord) {
    bitBtn->SetCaption("Teilen");
    ASSERT_NE(Expected(ButtonDrawState::Pressed, false), Expected(ButtonDrawState::Normal, false))
        << "the theme tells pressed from normal";
    EXPECT_EQ(Drawn(ODS_SELECTED), Expected(ButtonDrawState::Pressed, false));
    EXPECT_EQ(Drawn(ODS_FOCUS), Expected(ButtonDrawState::Defaulted, true));
    EXPECT_EQ(Drawn(ODS_SELECTED | ODS_FOCUS), Expected(ButtonDrawState::Pressed, true));
    EXPECT_NE(Drawn(ODS_FOCUS), Drawn(0)) << "the focus rectangle";

    bitBtn->SetDefault(true);
    EXPECT_EQ(Drawn(0), Expected(ButtonDrawState::Defaulted, false));
    EXPECT_EQ(Drawn(ODS_SELECTED), Expected(ButtonDrawState::Pressed, false));

    bitBtn->SetEnabled(false);
    EXPECT_EQ(Drawn(ODS_SELECTED), Expected(ButtonDrawState::Disabled, false));
}

TEST_F(ButtonHandler, TheCursorOverTheButtonMakesItHot) {
    const POINT centre = bitBtn->ClientToScreen({37, 12});
    ASSERT_TRUE(::SetCursorPos(centre.x, centre.y));
    PumpMessages();
    POINT at{};
    ::GetCursorPos(&at);
    if (at.x != centre.x || at.y != centre.y)
        GTEST_SKIP() << "the display does not move the cursor";
    DRAWITEMSTRUCT item{};
    TMemoryCanvas canvas(75, 25, White);
    item.hDC = canvas.DC();
    item.rcItem = ButtonRect;
    DrawBitBtnItem(bitBtn, item);
    EXPECT_EQ(item.itemState & OdsHotLight, OdsHotLight);
    TMemoryCanvas hot(75, 25, White);
    DrawThemedButton(bitBtn, ButtonDrawState::Hot, false, ButtonRect, hot.DC());
    EXPECT_EQ(canvas.Pixels(), hot.Pixels());

    ::SetCursorPos(0, 0);
    item.itemState = 0;
    DrawBitBtnItem(bitBtn, item);
    EXPECT_EQ(item.itemState & OdsHotLight, 0u);
}

TEST_F(ButtonHandler, GlyphCellsFollowTheState) {
    Glyph({Cell0});
    bitBtn->SetEnabled(false);
    TMemoryCanvas single(75, 25, White);
    DrawItem(single, 0);
    EXPECT_TRUE(single.Contains(ButtonRect, Cell0)) << "one cell serves every state";

    Glyph({Cell0, Cell1});
    TMemoryCanvas disabled(75, 25, White);
    DrawItem(disabled, 0);
    EXPECT_TRUE(disabled.Contains(ButtonRect, Cell1));
    EXPECT_FALSE(disabled.Contains(ButtonRect, Cell0));

    bitBtn->SetEnabled(true);
    TMemoryCanvas pressedTwo(75, 25, White);
    DrawItem(pressedTwo, ODS_SELECTED);
    EXPECT_TRUE(pressedTwo.Contains(ButtonRect, Cell0)) << "no down cell among two";
    EXPECT_FALSE(pressedTwo.Contains(ButtonRect, Cell1));

    Glyph({Cell0, Cell1, Cell2});
    TMemoryCanvas pressedThree(75, 25, White);
    DrawItem(pressedThree, ODS_SELECTED);
    EXPECT_TRUE(pressedThree.Contains(ButtonRect, Cell2));
    EXPECT_FALSE(pressedThree.Contains(ButtonRect, Cell0));
}

TEST_F(ButtonHandler, RightToLeftPutsALeftGlyphAtTheRight) {
    Glyph({Cell0});
    bitBtn->SetCaption("OK");
    bitBtn->SetLayout(blGlyphLeft);
    const RECT leftHalf{0, 0, 37, 25};
    const RECT rightHalf{38, 0, 75, 25};
    TMemoryCanvas leftToRight(75, 25, White);
    DrawItem(leftToRight, 0);
    EXPECT_TRUE(leftToRight.Contains(leftHalf, Cell0));
    EXPECT_FALSE(leftToRight.Contains(rightHalf, Cell0));

    bitBtn->SetBiDiMode(bdRightToLeft);
    TMemoryCanvas rightToLeft(75, 25, White);
    DrawItem(rightToLeft, 0);
    EXPECT_TRUE(rightToLeft.Contains(rightHalf, Cell0));
    EXPECT_FALSE(rightToLeft.Contains(leftHalf, Cell0));
}

TEST_F(ButtonHandler, ADisabledCaptionIsGray) {
    constexpr COLORREF Ink = RGB(0, 0, 200);
    bitBtn->SetCaption("WWWW");
    bitBtn->Font()->SetColor(static_cast<TColor>(Ink));
    TMemoryCanvas enabled(75, 25, White);
    DrawItem(enabled, 0);
    EXPECT_TRUE(enabled.Contains(ButtonRect, Ink));

    bitBtn->SetEnabled(false);
    TMemoryCanvas disabled(75, 25, White);
    DrawItem(disabled, 0);
    EXPECT_FALSE(disabled.Contains(ButtonRect, Ink));
    EXPECT_TRUE(disabled.Contains(ButtonRect, ColorToRGB(clGrayText)));
}

TEST_F(ButtonHandler, OtherButtonsPassTheDrawItemOn) {
    TMemoryCanvas canvas(75, 25, White);
    DRAWITEMSTRUCT item{};
    item.hDC = canvas.DC();
    item.rcItem = ButtonRect;
    EXPECT_EQ(Send(button, CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item), 77), 77);
    EXPECT_NE(canvas.Pixel(0, 0), White) << "the parent shows through the rounded corner";
    EXPECT_EQ(Send(bitBtn, CN_DRAWITEM, 0, 0, 77), 1)
        << "without a record the bit button's own procedure answers";
}

TEST_F(ButtonHandler, OnlyABitButtonRepaintsWhenTheMouseComesOrGoes) {
    for (UINT msg : {CM_MOUSEENTER, CM_MOUSELEAVE}) {
        RECT update{};
        ASSERT_TRUE(::ValidateRect(bitBtn->Handle(), nullptr));
        ASSERT_TRUE(::ValidateRect(button->Handle(), nullptr));
        Send(bitBtn, msg, 0, 0);
        Send(button, msg, 0, 0);
        EXPECT_TRUE(::GetUpdateRect(bitBtn->Handle(), &update, FALSE));
        EXPECT_FALSE(::GetUpdateRect(button->Handle(), &update, FALSE));
    }
}

TEST_F(ButtonHandler, NothingIsDrawnNorMadeAgainOnceTheServicesAreGone) {
    Glyph({Cell0});
    FinalizeThemeSrv();
    ASSERT_EQ(ThemeServicesInstance(), nullptr);
    TMemoryCanvas canvas(75, 25, White);
    DRAWITEMSTRUCT item{};
    item.hDC = canvas.DC();
    item.rcItem = ButtonRect;
    TMessage draw{CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item), 77};
    ButtonWindowProc(*f.Manager, bitBtn, draw);
    TMessage colour{CN_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.DC()), 0, 0};
    EXPECT_TRUE(ButtonWindowProc(*f.Manager, checkBox, colour));
    DrawThemedButton(bitBtn, ButtonDrawState::Normal, true, ButtonRect, canvas.DC());
    EXPECT_EQ(ThemeServicesInstance(), nullptr);
    EXPECT_FALSE(canvas.Contains(ButtonRect, Cell0));
    EXPECT_EQ(canvas.Pixel(2, 2), White);
    InitializeThemeSrv();
    SetControlThemes(true);
    EXPECT_TRUE(IsControlThemingEnabled());
}

// Placement of glyph and caption inside a button's content rectangle.

#include "ButtonsEnvironment.h"

#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/GlyphButtons.h"
#include "theming/ThemedButtons.h"

#include <gtest/gtest.h>

namespace {
class GlyphLayout : public ::testing::Test {
protected:
    void SetUp() override {
        button = new TBitBtn(nullptr);
        dc = ::CreateCompatibleDC(nullptr);
        oldFont = ::SelectObject(dc, button->Font()->Handle());
    }
    void TearDown() override {
        ::SelectObject(dc, oldFont);
        ::DeleteDC(dc);
        Free(button);
    }
    void Glyph(int width, int height, int count = 1) {
        TBitmap bitmap;
        bitmap.SetSize(width, height);
        button->SetGlyph(&bitmap);
        button->SetNumGlyphs(count);
    }
    SIZE Measure(const std::string& caption) {
        RECT r{0, 0, 75, 0};
        ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT);
        return {r.right - r.left, r.bottom - r.top};
    }
    void Layout(RECT client, UINT flags = 0) {
        LayoutGlyphAndCaption(button, dc, client, flags, text, glyph);
    }

    TBitBtn* button = nullptr;
    HDC dc = nullptr;
    HGDIOBJ oldFont = nullptr;
    RECT text{};
    POINT glyph{};
    static constexpr RECT Client{0, 0, 75, 25};
};
} // namespace

TEST_F(GlyphLayout, GlyphAndCaptionShareTheFreeSpaceInThirds) {
    Glyph(16, 16);
    button->SetCaption("Teilen");
    button->SetMargin(-1);
    button->SetSpacing(-1);
    const SIZE size = Measure("Teilen");
    Layout(Client);
    const int margin = (75 - (16 + size.cx)) / 3;
    EXPECT_EQ(glyph.x, margin);
    EXPECT_EQ(glyph.y, 5);
    EXPECT_EQ(text.left, margin + 16 + margin);
    EXPECT_EQ(text.top, (25 - size.cy + 1) / 2);
    EXPECT_EQ(text.right - text.left, size.cx);
    EXPECT_EQ(text.bottom - text.top, size.cy);
    if (size.cx == 30 && size.cy == 13) {
        EXPECT_EQ(glyph.x, 9);
        EXPECT_EQ(text.left, 34);
        EXPECT_EQ(text.top, 6);
    }
}

TEST_F(GlyphLayout, AGlyphAloneIsCentredWhateverTheSpacing) {
    Glyph(16, 16);
    for (int spacing : {-1, 0, 4, 20}) {
        button->SetSpacing(spacing);
        Layout(Client);
        EXPECT_EQ(glyph.x, 30) << spacing;
        EXPECT_EQ(glyph.y, 5) << spacing;
        EXPECT_EQ(text.left, 30 + 16) << "an empty caption sits after the glyph";
        EXPECT_EQ(text.right, text.left);
        EXPECT_EQ(text.bottom, text.top);
    }
}

TEST_F(GlyphLayout, ACaptionAloneIsCentred) {
    button->SetCaption("Ende");
    button->SetSpacing(-1);
    const SIZE size = Measure("Ende");
    Layout(Client);
    EXPECT_EQ(text.left, (75 - size.cx + 1) / 2);
    EXPECT_EQ(text.top, (25 - size.cy + 1) / 2);
    EXPECT_EQ(glyph.x, (75 - size.cx + 1) / 2) << "the empty glyph sits at the margin";
}

TEST_F(GlyphLayout, AGivenMarginLeavesHalfTheRestAsSpacing) {
    Glyph(16, 16);
    button->SetCaption("Ab");
    button->SetMargin(2);
    button->SetSpacing(-1);
    const SIZE size = Measure("Ab");
    Layout(Client);
    EXPECT_EQ(glyph.x, 2);
    EXPECT_EQ(text.left, 2 + 16 + ((75 - 18) - size.cx) / 2);
}

TEST_F(GlyphLayout, AGivenSpacingCentresTheGroup) {
    Glyph(16, 16);
    button->SetCaption("Ab");
    button->SetMargin(-1);
    button->SetSpacing(3);
    const SIZE size = Measure("Ab");
    Layout(Client);
    const int margin = (75 - (16 + 3 + size.cx) + 1) / 2;
    EXPECT_EQ(glyph.x, margin);
    EXPECT_EQ(text.left, margin + 16 + 3);
}

TEST_F(GlyphLayout, EachLayoutPlacesTheGlyphAtItsSide) {
    Glyph(16, 16);
    button->SetMargin(3);
    button->SetLayout(blGlyphRight);
    Layout(Client);
    EXPECT_EQ(glyph.x, 75 - 3 - 16);
    EXPECT_EQ(glyph.y, 5);
    button->SetLayout(blGlyphTop);
    Layout(Client);
    EXPECT_EQ(glyph.x, 30);
    EXPECT_EQ(glyph.y, 3);
    button->SetLayout(blGlyphBottom);
    Layout(Client);
    EXPECT_EQ(glyph.x, 30);
    EXPECT_EQ(glyph.y, 25 - 3 - 16);
}

TEST_F(GlyphLayout, TextBelowAndAboveTheGlyph) {
    Glyph(16, 16);
    button->SetCaption("Ab");
    button->SetMargin(1);
    button->SetSpacing(2);
    const SIZE size = Measure("Ab");
    const RECT tall{0, 0, 75, 60};
    button->SetLayout(blGlyphTop);
    Layout(tall);
    EXPECT_EQ(text.top, 1 + 16 + 2);
    EXPECT_EQ(text.left, (75 - size.cx + 1) / 2);
    button->SetLayout(blGlyphBottom);
    Layout(tall);
    EXPECT_EQ(glyph.y, 60 - 1 - 16);
    EXPECT_EQ(text.top, glyph.y - 2 - size.cy);
}

TEST_F(GlyphLayout, RightToLeftReadingSwapsOnlyLeftAndRight) {
    Glyph(16, 16);
    button->SetMargin(3);
    Layout(Client, DT_RIGHT);
    EXPECT_EQ(glyph.x, 75 - 3 - 16) << "left becomes right";
    button->SetLayout(blGlyphRight);
    Layout(Client, DT_RIGHT);
    EXPECT_EQ(glyph.x, 3) << "right becomes left";
    button->SetLayout(blGlyphTop);
    Layout(Client, DT_RIGHT);
    EXPECT_EQ(glyph.y, 3);
}

TEST_F(GlyphLayout, OnlyOneCellOfAGlyphStripCounts) {
    Glyph(64, 16, 4);
    button->SetMargin(-1);
    Layout(Client);
    EXPECT_EQ(glyph.x, 30) << "a cell is 16 wide";
}

TEST_F(GlyphLayout, PositionsAreRelativeToTheClientOrigin) {
    Glyph(16, 16);
    button->SetCaption("Ab");
    const SIZE size = Measure("Ab");
    Layout({10, 20, 85, 45});
    Layout(Client);
    const POINT plainGlyph = glyph;
    const RECT plainText = text;
    Layout({10, 20, 85, 45});
    EXPECT_EQ(glyph.x, plainGlyph.x + 10);
    EXPECT_EQ(glyph.y, plainGlyph.y + 20);
    EXPECT_EQ(text.left, plainText.left + 10);
    EXPECT_EQ(text.top, plainText.top + 20);
    EXPECT_EQ(text.right - text.left, size.cx);
}

TEST_F(GlyphLayout, AControlWithoutGlyphSettingsGetsNothing) {
    TButton plain(nullptr);
    plain.SetCaption("Ab");
    text = {1, 2, 3, 4};
    glyph = {5, 6};
    LayoutGlyphAndCaption(&plain, dc, Client, 0, text, glyph);
    EXPECT_EQ(text.right, 0);
    EXPECT_EQ(glyph.x, 0);
}

// The form asks its controls for their palettes when the system asks it
// to realise one.

#include "ControlsFixture.h"

namespace {
// A control with a palette of its own, counting the questions.
class TPaletteProbe : public TProbeGraphic {
public:
    using TProbeGraphic::TProbeGraphic;
    HPALETTE Palette = nullptr;
    mutable int Asked = 0;
    HPALETTE GetPalette() const override {
        ++Asked;
        return Palette;
    }
    // Whether each realisation asked for the foreground.
    std::vector<bool> Foreground;
    bool PaletteChanged(bool foreground) override {
        Foreground.push_back(foreground);
        return TProbeGraphic::PaletteChanged(foreground);
    }
};

HPALETTE MakePalette() {
    struct {
        WORD Version, Count;
        PALETTEENTRY Entries[2];
    } log{0x300, 2, {{255, 0, 0, 0}, {0, 0, 255, 0}}};
    return ::CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
}
} // namespace

TEST_F(ControlsTest, TheFormRealisesItsControlsPalettesWhenTheSystemAsks) {
    auto* with = Add<TPaletteProbe>(form, {10, 10, 50, 50}, "with");
    auto* without = Add<TPaletteProbe>(form, {60, 10, 100, 50}, "without");
    HPALETTE palette = MakePalette();
    with->Palette = palette;
    PumpMessages();

    EXPECT_EQ(::SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0), TRUE);
    EXPECT_EQ(with->Asked, 1);
    EXPECT_EQ(without->Asked, 1);
    RECT update{};
    EXPECT_TRUE(::GetUpdateRect(form->Handle(), &update, FALSE)) << "repainted with the palette";
    EXPECT_EQ(update.left, 10);
    PumpMessages();

    ::SendMessageA(form->Handle(), WM_PALETTECHANGED, reinterpret_cast<WPARAM>(::GetDesktopWindow()),
                   0);
    EXPECT_EQ(with->Asked, 2) << "another window's palette: ours follow";
    ::SendMessageA(form->Handle(), WM_PALETTECHANGED, reinterpret_cast<WPARAM>(form->Handle()), 0);
    EXPECT_EQ(with->Asked, 2) << "its own change asks nothing";

    with->Palette = nullptr;
    EXPECT_EQ(::SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0), FALSE);

    // Two palettes: only the topmost control (the last made) realises its
    // own in the foreground; the one below fits in behind it.
    auto* below = Add<TPaletteProbe>(form, {110, 10, 150, 50}, "below");
    auto* top = Add<TPaletteProbe>(form, {160, 10, 200, 50}, "top");
    HPALETTE second = MakePalette();
    below->Palette = palette;
    top->Palette = second;
    EXPECT_EQ(::SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0), TRUE);
    EXPECT_EQ(top->Foreground, std::vector<bool>{true});
    EXPECT_EQ(below->Foreground, std::vector<bool>{false});
    Free(below);
    Free(top);
    ::DeleteObject(second);
    Free(with);
    ::DeleteObject(palette);
}

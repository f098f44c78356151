#include "components/drawing/kitpalette.h"

#include "components/base/kitclass.h"
#include "components/base/kitsysinfo.h"
#include "platform/graphics/HandleCount.h"

#include <algorithm>
#include <vector>

namespace {

struct TPaletteUse {
    HDC DC;
    HPALETTE Palette;
};

// Contexts that may still hold one of the kit's palettes. Entries whose
// context no longer holds the palette are dropped as new ones arrive, so the
// list stays as short as the number of contexts actually holding one.
std::vector<TPaletteUse>& PaletteUses() {
    static std::vector<TPaletteUse> uses;
    return uses;
}

bool StillSelected(const TPaletteUse& use) {
    return ::GetCurrentObject(use.DC, OBJ_PAL) == use.Palette;
}

} // namespace

bool KitPaletteWanted(std::uint16_t flags) {
    if ((flags & KitPaletteFlag) == 0)
        return false;
    const bool lowColorNoPalette =
        KitApplication && KitApplication->AppOptions.Contains(aoLowColorNoPalette);
    return !(lowColorNoPalette && ScreenColorDepth() < 9);
}

void SelectKitPalette(HDC dc, HPALETTE palette) {
    if (!palette)
        return;
    ::SelectPalette(dc, palette, FALSE);
    ::RealizePalette(dc);
    auto& uses = PaletteUses();
    std::erase_if(uses,
                  [dc](const TPaletteUse& use) { return use.DC == dc || !StillSelected(use); });
    uses.push_back({dc, palette});
}

void DeleteKitPalette(HPALETTE& palette) {
    if (!palette)
        return;
    auto& uses = PaletteUses();
    for (const TPaletteUse& use : uses) {
        if (use.Palette == palette && StillSelected(use))
            ::SelectPalette(use.DC, static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE)),
                            FALSE);
    }
    std::erase_if(uses, [palette](const TPaletteUse& use) { return use.Palette == palette; });
    ::DeleteObject(palette);
    palette = nullptr;
}

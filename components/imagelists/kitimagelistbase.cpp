#include "components/imagelists/kitimagelistbase.h"

#include "platform/classes/Properties.h"

namespace {

const TEnumNames SavePixelFormatNames{"spfDefault", "spfMono", "spf4bit", "spf8bit"};

} // namespace

int SavePixelFormatColours(TKitSavePixelFormat format) {
    switch (format) {
    case spfMono:
        return 2;
    case spf4bit:
        return 16;
    case spf8bit:
        return 256;
    case spfDefault:
        break;
    }
    return -1;
}

std::uint8_t SavePixelFormatFlag(TKitSavePixelFormat format) {
    switch (format) {
    case spfMono:
        return ItemFlagMono;
    case spf4bit:
        return ItemFlag4Bit;
    case spf8bit:
        return ItemFlag8Bit;
    case spfDefault:
        break;
    }
    return 0;
}

TKitSavePixelFormat SavePixelFormatFromFlags(std::uint8_t flags) {
    if (flags & ItemFlagMono)
        return spfMono;
    if (flags & ItemFlag4Bit)
        return spf4bit;
    if (flags & ItemFlag8Bit)
        return spf8bit;
    return spfDefault;
}

const TClassInfo& TKitCustomImageList::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKitCustomImageList>("TKitCustomImageList", [](TPropertyTable& t) {
            TPropertyBuilder<TKitCustomImageList> p(t);
            p.Boolean("DefaultCompressed", &TKitCustomImageList::DefaultCompressed,
                      &TKitCustomImageList::SetDefaultCompressed, false);
            p.Enum("DefaultPixelFormat", SavePixelFormatNames,
                   &TKitCustomImageList::DefaultPixelFormat,
                   &TKitCustomImageList::SetDefaultPixelFormat,
                   std::optional<TKitSavePixelFormat>(spfDefault));
        });
    return info;
}

void TKitCustomImageList::AssignSettings(const TKitCustomContainer& source) {
    TKitCustomContainer::AssignSettings(source);
    // Assign passes only lists of this class or a descendant.
    FDefaultPixelFormat = static_cast<const TKitCustomImageList&>(source).FDefaultPixelFormat;
}

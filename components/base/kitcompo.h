#pragma once
// The base of the kit's non-visual components: the kit's change protocol
// (kitchange.h) on a TComponent.

#include "components/base/kitchange.h"
#include "platform/classes/Component.h"

#include <string>

// Storage of the About property some components publish; nothing reads it.
// Holds at most KitAboutMaxLength characters.
using TKitAboutVar = std::string;
inline constexpr std::size_t KitAboutMaxLength = 10;

class TKitCustomComponent : public TKitChangeReporting<TComponent> {
    TESSARO_CLASS(TKitCustomComponent, TComponent)
public:
    using TKitChangeReporting<TComponent>::TKitChangeReporting;

    const TKitAboutVar& About() const { return FAbout; }
    // Cut to KitAboutMaxLength characters, as the stored short string is.
    void SetAbout(const TKitAboutVar& value);

private:
    TKitAboutVar FAbout;
};

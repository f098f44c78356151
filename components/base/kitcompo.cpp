#include "components/base/kitcompo.h"

const TClassInfo& TKitCustomComponent::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitCustomComponent>("TKitCustomComponent");
    return info;
}

void TKitCustomComponent::SetAbout(const TKitAboutVar& value) {
    FAbout = value.substr(0, KitAboutMaxLength);
}

#include "components/kitcompo.h"

const TClassInfo& TKitCustomComponent::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitCustomComponent>("TKitCustomComponent");
    return info;
}

void TKitCustomComponent::Change() {
    if (!FUpdating && OnChange)
        OnChange(this);
}

void TKitCustomComponent::SubObjectChanged(TObject* /*sender*/) {
    Change();
}

void TKitCustomComponent::EndUpdate(bool notify) {
    FUpdating = false;
    if (notify)
        Change();
}

void TKitCustomComponent::SetAbout(const TKitAboutVar& value) {
    FAbout = value.substr(0, KitAboutMaxLength);
}

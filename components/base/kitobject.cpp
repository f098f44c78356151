#include "components/base/kitobject.h"

#include "platform/rtl/Exceptions.h"

const TClassInfo& TKitObject::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitObject>("TKitObject");
    return info;
}

std::unique_ptr<TKitObject> CreateKitObject(const TClassInfo& cls) {
    if (!cls.InheritsFrom(TKitObject::StaticClassInfo()) || !cls.ObjectFactory())
        throw EInvalidOperation("Die Klasse " + cls.Name() + " ist kein Einstellungsobjekt");
    return std::unique_ptr<TKitObject>(static_cast<TKitObject*>(cls.ObjectFactory()()));
}

const TClassInfo& TKitComponent::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitComponent>("TKitComponent");
    return info;
}

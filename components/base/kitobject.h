#pragma once
// The Windows-free part of the kit's base classes: the settings objects'
// base and the direct base of the kit's components.

#include "components/base/kitcompo.h"
#include "platform/classes/Persistent.h"

#include <memory>

// Base of the settings objects a component owns and publishes as one nested
// property. The owner points OnChange at one of its methods; an owner of
// sub-objects points theirs at its SubObjectChanged.
class TKitObject : public TKitChangeReporting<TPersistent> {
    TESSARO_CLASS(TKitObject, TPersistent)
public:
    TKitObject() = default;

protected:
    // Stores Value in Field and reports a change, when it differs.
    template <class T> void SetField(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        Change();
    }
};

// A new settings object of the class Cls names (TKitObject or a descendant
// constructed without argument). EInvalidOperation for any other class.
std::unique_ptr<TKitObject> CreateKitObject(const TClassInfo& cls);

// The common base of the kit's non-visual components.
class TKitComponent : public TKitCustomComponent {
    TESSARO_CLASS(TKitComponent, TKitCustomComponent)
public:
    using TKitCustomComponent::TKitCustomComponent;
};

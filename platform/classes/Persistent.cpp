#include "platform/classes/Persistent.h"

#include "platform/rtl/Exceptions.h"

const TClassInfo& TPersistent::StaticClassInfo() {
    static const TClassInfo info("TPersistent", &TObject::StaticClassInfo(), nullptr, nullptr);
    return info;
}

void TPersistent::Assign(TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) {
    dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* source) {
    const std::string sourceName = source ? source->ClassName() : std::string("nil");
    throw EConvertError(sourceName + " kann nicht zu " + ClassName() + " zugewiesen werden");
}

std::string TPersistent::GetNamePath() const {
    return ClassName();
}

void TPersistent::DefineProperties(TFiler&) {}

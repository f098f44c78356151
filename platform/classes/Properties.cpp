#include "platform/classes/Properties.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

bool IdentToInt(const TIdentMap& map, const std::string& ident, std::int64_t& value) {
    for (const auto& e : map)
        if (SameText(ident, e.Name)) {
            value = e.Value;
            return true;
        }
    return false;
}

bool IntToIdent(const TIdentMap& map, std::int64_t value, std::string& ident) {
    for (const auto& e : map)
        if (e.Value == value) {
            ident = e.Name;
            return true;
        }
    return false;
}

bool TPropInfo::IsStored(TObject& instance) const {
    if (Stored && !Stored(instance))
        return false;
    if (!Get)
        return false;
    const TPropValue v = Get(instance);
    switch (Kind) {
    case TPropKind::Integer:
    case TPropKind::Enum:
    case TPropKind::Set:
        return !Default || std::get<std::int64_t>(v) != *Default;
    case TPropKind::Boolean:
        return !Default || static_cast<std::int64_t>(std::get<bool>(v)) != *Default;
    case TPropKind::String:
        return !std::get<std::string>(v).empty();
    case TPropKind::Float:
        return std::get<long double>(v) != 0;
    case TPropKind::Component:
        return std::get<TComponent*>(v) != nullptr;
    case TPropKind::Object:
        return std::get<TObject*>(v) != nullptr;
    case TPropKind::Event:
        return std::get<TErasedMethod>(v).Assigned();
    }
    return true;
}

TPropertyTable::TPropertyTable(const TPropertyTable* parent) {
    if (parent)
        FItems = parent->FItems;
}

TPropInfo& TPropertyTable::Add(TPropInfo info) {
    for (auto& p : FItems)
        if (SameText(p.Name, info.Name)) {
            p = std::move(info);
            return p;
        }
    FItems.push_back(std::move(info));
    return FItems.back();
}

const TPropInfo* TPropertyTable::Find(const std::string& name) const {
    for (const auto& p : FItems)
        if (SameText(p.Name, name))
            return &p;
    return nullptr;
}

void ThrowPropertyEventMismatch() {
    throw EReadError("Die Methode passt nicht zum Ereignis");
}

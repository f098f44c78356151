#include "platform/classes/Object.h"

#include "platform/classes/Properties.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

#include <map>
#include <mutex>

TClassInfo::TClassInfo(const char* name, const TClassInfo* parent, TFactory factory,
                       TTableBuilder buildProperties, TObjectFactory objectFactory)
    : FName(name), FParent(parent), FFactory(factory), FObjectFactory(objectFactory),
      FBuildProperties(buildProperties) {}

TClassInfo::~TClassInfo() = default;

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (c == &other)
            return true;
    return false;
}

const TPropertyTable& TClassInfo::Properties() const {
    // Class infos are function-local statics built on the GUI thread; the
    // lock only keeps a stray second thread from building a table twice.
    static std::recursive_mutex lock;
    std::lock_guard guard(lock);
    if (!FProperties) {
        auto table = std::make_unique<TPropertyTable>(FParent ? &FParent->Properties() : nullptr);
        if (FBuildProperties)
            FBuildProperties(*table);
        FProperties = std::move(table);
    }
    return *FProperties;
}

const TClassInfo& TObject::StaticClassInfo() {
    static const TClassInfo info("TObject", nullptr, nullptr, nullptr);
    return info;
}

namespace {
struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return CompareText(a, b) < 0;
    }
};
std::map<std::string, const TClassInfo*, CaseInsensitiveLess>& Registry() {
    static std::map<std::string, const TClassInfo*, CaseInsensitiveLess> registry;
    return registry;
}
} // namespace

void RegisterClass(const TClassInfo& cls) {
    auto& reg = Registry();
    auto it = reg.find(cls.Name());
    if (it != reg.end() && it->second != &cls)
        throw EInvalidOperation("Eine Klasse namens " + cls.Name() + " existiert bereits");
    reg[cls.Name()] = &cls;
}

void UnRegisterClass(const TClassInfo& cls) {
    auto& reg = Registry();
    auto it = reg.find(cls.Name());
    if (it != reg.end() && it->second == &cls)
        reg.erase(it);
}

const TClassInfo* GetClass(const std::string& name) {
    auto& reg = Registry();
    auto it = reg.find(name);
    return it == reg.end() ? nullptr : it->second;
}

const TClassInfo& FindClass(const std::string& name) {
    if (const TClassInfo* cls = GetClass(name))
        return *cls;
    throw EClassNotFound("Klasse " + name + " nicht gefunden");
}

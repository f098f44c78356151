#include "platform/filer/Reader.h"

#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

#include <utility>

namespace {
// Deeper nesting than any real form has; a hostile stream must not exhaust
// the stack.
constexpr int MaxNesting = 64;
const std::string PropertyErrorPrefix = "Fehler beim Lesen von ";

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t dot = path.find('.', start);
        parts.push_back(path.substr(start, dot - start));
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return parts;
}

int IndexOfName(const TEnumNames& names, const std::string& ident) {
    for (size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], ident))
            return static_cast<int>(i);
    return -1;
}
// A second instance of a form gets its name with a number: frmMain_1.
std::string UniqueRootName(const TComponent* root, const std::string& name) {
    const TComponent* owner = root->Owner();
    if (!owner || name.empty() || !owner->FindComponent(name))
        return name;
    for (int n = 1;; ++n) {
        std::string candidate = name + "_" + IntToStr(n);
        if (!owner->FindComponent(candidate))
            return candidate;
    }
}
} // namespace

TReader::TReader(TStream& stream) : FValues(stream) {}

TReader::~TReader() = default;

void TReader::PropertyError(const std::string& path, const std::string& what) const {
    throw EReadError(PropertyErrorPrefix + path + ": " + what);
}

void TReader::ReadRootComponent(TComponent* root) {
    FRoot = root;
    FLoaded.clear();
    FFixups.clear();
    try {
        FValues.ReadSignature();
        FValues.ReadPrefix();
        const std::string className = FValues.ReadStr();
        const std::string name = FValues.ReadStr();
        if (!SameText(className, root->ClassName()))
            throw EReadError("Der Stream enthält die Klasse " + className + " statt " +
                             root->ClassName());
        root->IncludeState(csLoading);
        root->IncludeState(csReading);
        FLoaded.push_back(root);
        if (root->Name().empty())
            root->SetName(UniqueRootName(root, name));
        ReadState(*root, root->Name().empty() ? root->ClassName() : root->Name(), 0);
        ResolveFixups();
    } catch (const EReadError&) {
        AbandonLoading();
        throw;
    } catch (const Exception& e) {
        // Whatever a setter or constructor raised, the caller sees a read error.
        AbandonLoading();
        throw EReadError("Fehler beim Lesen des Formulars: " + e.Message());
    } catch (...) {
        AbandonLoading();
        throw;
    }
    // Every component sees a complete tree in Loaded.
    std::vector<TComponent*> loaded = std::move(FLoaded);
    for (TComponent* c : loaded)
        c->Loaded();
}

void TReader::AbandonLoading() {
    for (TComponent* c : FLoaded) {
        c->ExcludeState(csReading);
        c->ExcludeState(csLoading);
    }
    FLoaded.clear();
    FFixups.clear();
}

void TReader::ReadChildren(TComponent* component, int depth) {
    while (!FValues.EndOfList())
        ReadComponent(component, depth + 1);
    FValues.ReadListEnd();
}

void TReader::ReadComponent(TComponent* enclosing, int depth) {
    if (depth > MaxNesting)
        throw EReadError("Die Komponenten sind zu tief verschachtelt");
    FValues.ReadPrefix();
    const std::string className = FValues.ReadStr();
    const std::string name = FValues.ReadStr();
    const TClassInfo* cls = GetClass(className);
    if (!cls)
        throw EClassNotFound("Klasse " + className + " nicht gefunden");
    if (!cls->Factory())
        throw EReadError("Die Klasse " + className + " kann nicht erzeugt werden");

    TComponent* owner = enclosing->GetChildOwner();
    if (!owner)
        owner = FRoot;
    TComponent* component = cls->Factory()(owner);
    component->IncludeState(csLoading);
    component->IncludeState(csReading);
    FLoaded.push_back(component);
    try {
        component->SetName(name);
    } catch (const Exception& e) {
        throw EReadError("Fehler beim Lesen von " + className + ": " + e.Message());
    }
    component->SetParentComponent(enclosing->GetChildParent());
    ReadState(*component, name.empty() ? className : name, depth);
}

void TReader::ReadState(TComponent& component, const std::string& path, int depth) {
    FStatePath = path;
    FStateDepth = depth;
    component.ReadState(*this);
}

void TReader::ReadComponentState(TComponent& component) {
    // Taken before the children overwrite them.
    const std::string path = std::move(FStatePath);
    const int depth = FStateDepth;
    ReadProperties(&component, path);
    component.ExcludeState(csReading);
    ReadChildren(&component, depth);
}

void TReader::ReadProperties(TObject* instance, const std::string& componentPath) {
    while (!FValues.EndOfList()) {
        const std::string path = FValues.ReadStr();
        ReadProperty(instance, componentPath + "." + path);
    }
    FValues.ReadListEnd();
}

void TReader::ReadProperty(TObject* instance, const std::string& fullPath) {
    try {
        ReadPropertyAt(instance, fullPath);
    } catch (const EReadError& e) {
        if (e.Message().rfind(PropertyErrorPrefix, 0) == 0)
            throw;
        PropertyError(fullPath, e.Message());
    }
}

void TReader::ReadPropertyAt(TObject* instance, const std::string& fullPath) {
    // fullPath is "Component.Prop.Sub"; the first part names the component.
    std::vector<std::string> parts = SplitPath(fullPath);
    TObject* object = instance;
    for (size_t i = 1; i + 1 < parts.size(); ++i) {
        const TPropInfo* info = object->ClassType().Properties().Find(parts[i]);
        if (!info || info->Kind != TPropKind::Object)
            PropertyError(fullPath, "Eigenschaft " + parts[i] + " existiert nicht");
        object = std::get<TObject*>(info->Get(*object));
        if (!object)
            PropertyError(fullPath, "Eigenschaft " + parts[i] + " ist nicht belegt");
    }
    const std::string& last = parts.back();
    if (parts.size() < 2 || last.empty())
        PropertyError(fullPath, "ungültiger Eigenschaftsname");

    const TPropInfo* info = object->ClassType().Properties().Find(last);
    if (info && info->Kind != TPropKind::Object && info->Set) {
        try {
            ReadPropValue(object, *info, fullPath);
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            // A setter that rejects the value: report it as a read error.
            PropertyError(fullPath, e.Message());
        }
        return;
    }

    auto* persistent = dynamic_cast<TPersistent*>(object);
    if (!persistent)
        PropertyError(fullPath, "Eigenschaft " + last + " existiert nicht");
    FDefinedName = last;
    FDefinedFound = false;
    try {
        persistent->DefineProperties(*this);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        PropertyError(fullPath, e.Message());
    }
    FDefinedName.clear();
    if (!FDefinedFound)
        PropertyError(fullPath, "Eigenschaft " + last + " existiert nicht");
}

void TReader::ReadPropValue(TObject* instance, const TPropInfo& info, const std::string& path) {
    auto invalid = [&] { PropertyError(path, "Ungültiger Eigenschaftswert"); };
    switch (info.Kind) {
    case TPropKind::Integer: {
        std::int64_t value = 0;
        if (FValues.NextValue() == vaIdent) {
            const std::string ident = FValues.ReadIdent();
            if (!info.Idents || !IdentToInt(*info.Idents, ident, value))
                invalid();
        } else {
            value = FValues.ReadInt64();
        }
        if (value < info.MinValue || value > info.MaxValue)
            invalid();
        info.Set(*instance, value);
        break;
    }
    case TPropKind::Boolean:
        info.Set(*instance, FValues.ReadBoolean());
        break;
    case TPropKind::Enum: {
        const int index = IndexOfName(*info.Names, FValues.ReadIdent());
        if (index < 0)
            invalid();
        info.Set(*instance, static_cast<std::int64_t>(index));
        break;
    }
    case TPropKind::Set: {
        std::int64_t mask = 0;
        for (const std::string& member : FValues.ReadSet()) {
            const int index = IndexOfName(*info.Names, member);
            if (index < 0 || index >= 32)
                invalid();
            mask |= std::int64_t{1} << index;
        }
        info.Set(*instance, mask);
        break;
    }
    case TPropKind::String:
        info.Set(*instance, FValues.ReadString());
        break;
    case TPropKind::Float:
        info.Set(*instance, FValues.ReadFloat());
        break;
    case TPropKind::Component: {
        const std::string name = FValues.ReadIdent();
        if (name == "nil" || name == "Null")
            info.Set(*instance, static_cast<TComponent*>(nullptr));
        else
            FFixups.push_back({instance, &info, name, path});
        break;
    }
    case TPropKind::Event: {
        const std::string name = FValues.ReadIdent();
        if (name == "nil" || name == "Null") {
            info.Set(*instance, TErasedMethod{});
            break;
        }
        const auto* methods = FRoot->PublishedMethods();
        if (methods)
            for (const TPublishedMethod& m : *methods)
                if (SameText(m.Name, name)) {
                    const TErasedMethod bound = m.Bind(FRoot);
                    if (!bound.Assigned())
                        break;
                    info.Set(*instance, bound);
                    return;
                }
        PropertyError(path, "Methode " + name + " nicht gefunden");
    }
    case TPropKind::Object:
        invalid();
    }
}

TComponent* TReader::FindReferencedComponent(const std::string& name) const {
    if (SameText(name, FRoot->Name()))
        return FRoot;
    return FRoot->FindComponent(name);
}

void TReader::ResolveFixups() {
    for (const Fixup& f : FFixups) {
        TComponent* target = FindReferencedComponent(f.Name);
        if (!target)
            PropertyError(f.Path, "Komponente " + f.Name + " nicht gefunden");
        if (f.Info->RefClass && !target->InheritsFrom(*f.Info->RefClass))
            PropertyError(f.Path, "Komponente " + f.Name + " hat den falschen Typ");
        f.Info->Set(*f.Instance, target);
    }
    FFixups.clear();
}

TValueType TReader::NextValue() {
    return FValues.NextValue();
}
std::int64_t TReader::ReadInteger() {
    return FValues.ReadInt64();
}
bool TReader::ReadBoolean() {
    return FValues.ReadBoolean();
}
std::string TReader::ReadString() {
    return FValues.ReadString();
}
std::string TReader::ReadIdent() {
    return FValues.ReadIdent();
}
long double TReader::ReadFloat() {
    return FValues.ReadFloat();
}
void TReader::ReadListBegin() {
    FValues.ReadListBegin();
}
bool TReader::EndOfList() {
    return FValues.EndOfList();
}
void TReader::ReadListEnd() {
    FValues.ReadListEnd();
}

void TReader::DefineProperty(const std::string& name,
                             const std::function<void(TFilerReader&)>& readData,
                             const std::function<void(TFilerWriter&)>&, bool) {
    if (FDefinedFound || !readData || !SameText(name, FDefinedName))
        return;
    FDefinedFound = true;
    readData(*this);
}

void TReader::DefineBinaryProperty(const std::string& name,
                                   const std::function<void(TStream&)>& readData,
                                   const std::function<void(TStream&)>&, bool) {
    if (FDefinedFound || !readData || !SameText(name, FDefinedName))
        return;
    FDefinedFound = true;
    const std::vector<std::uint8_t> data = FValues.ReadBinary();
    TReadOnlyMemoryStream stream(data.data(), static_cast<std::int64_t>(data.size()));
    readData(stream);
}

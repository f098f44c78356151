#include "platform/filer/Writer.h"

#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

namespace {
constexpr int MaxNesting = 64;
}

TWriter::TWriter(TStream& stream) : FValues(stream) {}

TWriter::~TWriter() = default;

void TWriter::WriteRootComponent(TComponent* root) {
    FRoot = root;
    FValues.WriteSignature();
    WriteComponent(root);
}

void TWriter::WriteComponent(TComponent* component) {
    component->IncludeState(csWriting);
    try {
        FValues.WriteStr(component->ClassName());
        FValues.WriteStr(component->Name());
        FPrefix.clear();
        WriteProperties(component, std::string(), 0);
        FValues.WriteEndMarker();
        component->GetChildren([this](TComponent* child) { WriteComponent(child); }, FRoot);
        FValues.WriteEndMarker();
    } catch (...) {
        component->ExcludeState(csWriting);
        throw;
    }
    component->ExcludeState(csWriting);
}

void TWriter::WriteProperties(TObject* instance, const std::string& prefix, int depth) {
    if (depth > MaxNesting)
        throw EWriteError("Die Eigenschaften sind zu tief verschachtelt");
    for (const TPropInfo& info : instance->ClassType().Properties().Items())
        WriteProperty(instance, info, prefix, depth);
    if (auto* persistent = dynamic_cast<TPersistent*>(instance)) {
        const std::string saved = FPrefix;
        FPrefix = prefix;
        persistent->DefineProperties(*this);
        FPrefix = saved;
    }
}

void TWriter::WriteProperty(TObject* instance, const TPropInfo& info, const std::string& prefix,
                            int depth) {
    if (!info.IsStored(*instance))
        return;
    const TPropValue value = info.Get(*instance);
    const std::string name = prefix + info.Name;
    switch (info.Kind) {
    case TPropKind::Object:
        WriteProperties(std::get<TObject*>(value), name + ".", depth + 1);
        return;
    case TPropKind::Integer: {
        const std::int64_t v = std::get<std::int64_t>(value);
        std::string ident;
        FValues.WriteStr(name);
        if (info.Idents && IntToIdent(*info.Idents, v, ident))
            FValues.WriteIdent(ident);
        else
            FValues.WriteInteger(v);
        return;
    }
    case TPropKind::Boolean:
        FValues.WriteStr(name);
        FValues.WriteBoolean(std::get<bool>(value));
        return;
    case TPropKind::Enum: {
        const std::int64_t v = std::get<std::int64_t>(value);
        if (v < 0 || v >= static_cast<std::int64_t>(info.Names->size()))
            throw EWriteError("Ungültiger Wert der Eigenschaft " + name);
        FValues.WriteStr(name);
        FValues.WriteIdent((*info.Names)[static_cast<size_t>(v)]);
        return;
    }
    case TPropKind::Set: {
        const std::int64_t mask = std::get<std::int64_t>(value);
        std::vector<std::string> members;
        for (size_t i = 0; i < info.Names->size() && i < 32; ++i)
            if (mask & (std::int64_t{1} << i))
                members.push_back((*info.Names)[i]);
        FValues.WriteStr(name);
        FValues.WriteSet(members);
        return;
    }
    case TPropKind::String:
        FValues.WriteStr(name);
        FValues.WriteString(std::get<std::string>(value));
        return;
    case TPropKind::Float:
        FValues.WriteStr(name);
        FValues.WriteFloat(std::get<long double>(value));
        return;
    case TPropKind::Component:
        FValues.WriteStr(name);
        FValues.WriteIdent(ReferenceName(std::get<TComponent*>(value)));
        return;
    case TPropKind::Event:
        FValues.WriteStr(name);
        FValues.WriteIdent(MethodName(std::get<TErasedMethod>(value)));
        return;
    }
}

std::string TWriter::ReferenceName(const TComponent* component) const {
    if (component == FRoot || component->Owner() == FRoot || !component->Owner())
        return component->Name();
    return component->Owner()->Name() + "." + component->Name();
}

std::string TWriter::MethodName(const TErasedMethod& method) const {
    if (const auto* methods = FRoot->PublishedMethods())
        for (const TPublishedMethod& m : *methods) {
            const TErasedMethod bound = m.Bind(FRoot);
            if (bound.Data == method.Data && bound.Code == method.Code)
                return m.Name;
        }
    throw EWriteError("Die Ereignismethode ist nicht veröffentlicht");
}

void TWriter::WriteInteger(std::int64_t value) {
    FValues.WriteInteger(value);
}
void TWriter::WriteBoolean(bool value) {
    FValues.WriteBoolean(value);
}
void TWriter::WriteString(const std::string& value) {
    FValues.WriteString(value);
}
void TWriter::WriteIdent(const std::string& value) {
    FValues.WriteIdent(value);
}
void TWriter::WriteFloat(long double value) {
    FValues.WriteFloat(value);
}
void TWriter::WriteListBegin() {
    FValues.WriteListBegin();
}
void TWriter::WriteListEnd() {
    FValues.WriteListEnd();
}

void TWriter::DefineProperty(const std::string& name, const std::function<void(TFilerReader&)>&,
                             const std::function<void(TFilerWriter&)>& writeData, bool hasData) {
    if (!hasData || !writeData)
        return;
    FValues.WriteStr(FPrefix + name);
    writeData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>&,
                                   const std::function<void(TStream&)>& writeData, bool hasData) {
    if (!hasData || !writeData)
        return;
    TMemoryStream data;
    writeData(data);
    FValues.WriteStr(FPrefix + name);
    FValues.WriteBinary(data.Bytes());
}

#pragma once
// TWriter: writes a component tree as a binary form stream, the reverse of
// TReader: each component's published properties that are stored and differ
// from their defaults, nested objects as dotted paths, defined properties,
// then its children as GetChildren lists them.

#include "platform/classes/Component.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"
#include "platform/filer/BinaryValueWriter.h"

#include <cstdint>
#include <string>
#include <vector>

class TStream;

class TWriter : public TFilerWriter {
public:
    explicit TWriter(TStream& stream);
    ~TWriter() override;

    void WriteRootComponent(TComponent* root);

    TComponent* Root() const { return FRoot; }

    // Values for the writers of defined properties.
    void WriteInteger(std::int64_t value);
    void WriteBoolean(bool value);
    void WriteString(const std::string& value) override;
    void WriteIdent(const std::string& value);
    void WriteFloat(long double value);
    void WriteListBegin() override;
    void WriteListEnd() override;

    void DefineProperty(const std::string& name, const std::function<void(TFilerReader&)>& readData,
                        const std::function<void(TFilerWriter&)>& writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name,
                              const std::function<void(TStream&)>& readData,
                              const std::function<void(TStream&)>& writeData,
                              bool hasData) override;

private:
    void WriteComponent(TComponent* component);
    void WriteProperties(TObject* instance, const std::string& prefix, int depth);
    void WriteProperty(TObject* instance, const TPropInfo& info, const std::string& prefix,
                       int depth);
    std::string ReferenceName(const TComponent* component) const;
    std::string MethodName(const TErasedMethod& method) const;

    TBinaryValueWriter FValues;
    TComponent* FRoot = nullptr;
    std::string FPrefix; // path prefix of the object whose properties are written
};

#pragma once
// TReader: reads a binary form stream into live components. It creates the
// root's components by class name, gives them their owner and parent from
// the nesting, sets their properties through the property tables (dotted
// paths through nested objects), hands unknown names to the object's own
// DefineProperties, connects event names to the root's published methods,
// fixes up component references once the whole tree is read, and then calls
// Loaded on every read component in read order. Any failure is an EReadError
// naming the property path; damaged data never crashes the reader.

#include "platform/classes/Component.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"
#include "platform/filer/BinaryValueReader.h"

#include <cstdint>
#include <string>
#include <vector>

class TStream;

class TReader : public TFilerReader {
public:
    explicit TReader(TStream& stream);
    ~TReader() override;

    // Reads a whole form stream into Root, whose class must match the
    // stream's root class.
    void ReadRootComponent(TComponent* root);

    TComponent* Root() const { return FRoot; }

    // The properties and children of the component whose ReadState runs
    // (TComponent::ReadState calls it; an override calls it through the
    // inherited ReadState).
    void ReadComponentState(TComponent& component) override;

    // Values for the readers of defined properties.
    TValueType NextValue();
    std::int64_t ReadInteger();
    bool ReadBoolean();
    std::string ReadString() override;
    std::string ReadIdent();
    long double ReadFloat();
    void ReadListBegin() override;
    bool EndOfList() override;
    void ReadListEnd() override;

    void DefineProperty(const std::string& name, const std::function<void(TFilerReader&)>& readData,
                        const std::function<void(TFilerWriter&)>& writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name,
                              const std::function<void(TStream&)>& readData,
                              const std::function<void(TStream&)>& writeData,
                              bool hasData) override;

private:
    struct Fixup {
        TObject* Instance;
        const TPropInfo* Info;
        std::string Name;
        std::string Path;
    };

    void ReadComponent(TComponent* enclosing, int depth);
    // Hands Component to its ReadState with the path and depth its
    // properties and children are read at.
    void ReadState(TComponent& component, const std::string& path, int depth);
    void ReadChildren(TComponent* component, int depth);
    void ReadProperties(TObject* instance, const std::string& componentPath);
    void ReadProperty(TObject* instance, const std::string& path);
    void ReadPropertyAt(TObject* instance, const std::string& path);
    void ReadPropValue(TObject* instance, const TPropInfo& info, const std::string& path);
    void ResolveFixups();
    void AbandonLoading();
    TComponent* FindReferencedComponent(const std::string& name) const;
    [[noreturn]] void PropertyError(const std::string& path, const std::string& what) const;

    TBinaryValueReader FValues;
    TComponent* FRoot = nullptr;
    std::vector<TComponent*> FLoaded;
    std::vector<Fixup> FFixups;
    // Where the component handed to ReadState sits in the stream.
    std::string FStatePath;
    int FStateDepth = 0;
    // The defined property being looked for while an object's
    // DefineProperties runs.
    std::string FDefinedName;
    bool FDefinedFound = false;
};

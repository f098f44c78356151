#pragma once
// TPersistent: objects that can be copied into one another and that take
// part in form streaming; TFiler: what an object sees of the reader or writer
// when it defines properties of its own beyond its published table;
// TFilerReader and TFilerWriter: what such a property's own code reads and
// writes. The form reader and writer (platform/filer) implement them.

#include "platform/classes/Object.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

class TComponent;
class TFilerReader;
class TFilerWriter;
class TStream;

class TFiler {
public:
    virtual ~TFiler() = default;
    // A property stored as ordinary values that ReadData and WriteData handle
    // through the reader and writer. HasData: whether the writer stores it.
    virtual void DefineProperty(const std::string& name,
                                const std::function<void(TFilerReader&)>& readData,
                                const std::function<void(TFilerWriter&)>& writeData,
                                bool hasData) = 0;
    // A property stored as one block of bytes.
    virtual void DefineBinaryProperty(const std::string& name,
                                      const std::function<void(TStream&)>& readData,
                                      const std::function<void(TStream&)>& writeData,
                                      bool hasData) = 0;
};

class TFilerReader : public TFiler {
public:
    // The properties and children of the component whose ReadState runs.
    virtual void ReadComponentState(TComponent& component) = 0;
    virtual std::string ReadString() = 0;
    virtual void ReadListBegin() = 0;
    virtual bool EndOfList() = 0;
    virtual void ReadListEnd() = 0;

    // State the components of one read share, made on the first ask and
    // freed with the reader: a library's budget for everything one form
    // holds, whichever of its components is read first.
    template <class T> T& Shared() {
        std::shared_ptr<void>& slot = FShared[&SharedKey<T>];
        if (!slot)
            slot = std::make_shared<T>();
        return *static_cast<T*>(slot.get());
    }

private:
    template <class T> static constexpr char SharedKey = 0;
    std::map<const void*, std::shared_ptr<void>> FShared;
};

class TFilerWriter : public TFiler {
public:
    virtual void WriteString(const std::string& value) = 0;
    virtual void WriteListBegin() = 0;
    virtual void WriteListEnd() = 0;
};

class TPersistent : public TObject {
    TESSARO_CLASS(TPersistent, TObject)
public:
    // Copies Source into this object. The base asks Source to copy itself
    // (AssignTo); when neither side knows the other, EConvertError.
    virtual void Assign(TPersistent* source);
    // The name a designer or an error message uses for this object.
    virtual std::string GetNamePath() const;
    // Defines properties beyond the published table (custom form data).
    virtual void DefineProperties(TFiler& filer);

protected:
    virtual void AssignTo(TPersistent* dest);
    // The owner of a nested property object, for GetNamePath.
    virtual TPersistent* GetOwner() const { return nullptr; }

private:
    [[noreturn]] void AssignError(const TPersistent* source);
};

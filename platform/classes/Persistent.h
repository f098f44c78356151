#pragma once
// TPersistent: objects that can be copied into one another and that take
// part in form streaming; TFiler: what an object sees of the reader or writer
// when it defines properties of its own beyond its published table.

#include "platform/classes/Object.h"

#include <functional>
#include <string>

class TReader;
class TWriter;
class TStream;

class TFiler {
public:
    virtual ~TFiler() = default;
    // A property stored as ordinary values that ReadData and WriteData handle
    // through the reader and writer. HasData: whether the writer stores it.
    virtual void DefineProperty(const std::string& name,
                                const std::function<void(TReader&)>& readData,
                                const std::function<void(TWriter&)>& writeData, bool hasData) = 0;
    // A property stored as one block of bytes.
    virtual void DefineBinaryProperty(const std::string& name,
                                      const std::function<void(TStream&)>& readData,
                                      const std::function<void(TStream&)>& writeData,
                                      bool hasData) = 0;
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

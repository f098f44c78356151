// Resources stay mapped as long as their module is loaded, so the stream only
// points at them and has nothing to release.

#include "platform/classes/ResourceStream.h"

#include "platform/rtl/Exceptions.h"

TResourceStream::TResourceStream(HINSTANCE instance, const std::string& name,
                                 const char* resourceType)
    : TResourceStream(Locate(instance, name, resourceType)) {}

TResourceStream::TBlock TResourceStream::Locate(HINSTANCE instance, const std::string& name,
                                                const char* resourceType) {
    const HRSRC info = FindResourceA(instance, name.c_str(), resourceType);
    const HGLOBAL handle = info != nullptr ? LoadResource(instance, info) : nullptr;
    const void* data = handle != nullptr ? LockResource(handle) : nullptr;
    if (data == nullptr) {
        throw EResNotFound("Ressource " + name + " nicht gefunden");
    }
    return TBlock{data, static_cast<std::int64_t>(SizeofResource(instance, info))};
}

#pragma once
// A read-only stream over a resource linked into a module, such as the form
// resources the program reads its windows from.

#include "platform/classes/Stream.h"

#include <windows.h>

#include <string>

class TResourceStream : public TReadOnlyMemoryStream {
public:
    // Finds the resource Name of the given type (RT_RCDATA by default) in
    // Instance; raises EResNotFound when the module has no such resource.
    TResourceStream(HINSTANCE instance, const std::string& name,
                    const char* resourceType = MAKEINTRESOURCEA(10));

private:
    struct TBlock {
        const void* Data;
        std::int64_t Size;
    };
    explicit TResourceStream(const TBlock& block) : TReadOnlyMemoryStream(block.Data, block.Size) {}
    static TBlock Locate(HINSTANCE instance, const std::string& name, const char* resourceType);
};

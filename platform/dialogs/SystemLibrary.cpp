#include "platform/dialogs/SystemLibrary.h"

#include "platform/dialogs/SystemSeams.h"

TSystemLibrary::TSystemLibrary(const std::string& name)
    : FModule(LoadLibraryByName(name, SystemFolderOnly)) {}

TSystemLibrary::~TSystemLibrary() {
    if (FModule)
        ReleaseLibrary(FModule);
}

FARPROC TSystemLibrary::Address(const char* name) const {
    return FModule ? ::GetProcAddress(FModule, name) : nullptr;
}

FARPROC LoadedLibraryAddress(const char* library, const char* name) {
    const HMODULE module = ::GetModuleHandleA(library);
    return module ? ::GetProcAddress(module, name) : nullptr;
}

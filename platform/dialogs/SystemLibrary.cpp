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

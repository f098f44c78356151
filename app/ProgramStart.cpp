#include "app/ProgramStart.h"

#include "platform/rtl/SystemSeams.h"

void StartProgram(TUnitLifecycle& units) {
    // First of all: the program runs elevated, and the folder it was
    // unpacked into (often the downloads) may hold a library of a name some
    // unit loads on demand. Where the system cannot restrict the search
    // (Windows 7 without its update), the loader names the system folder
    // for each load itself.
    RestrictLibrarySearch();
    units.Initialize();
}

// The program's main block: restricts library loads to the system folder,
// starts the units, creates the main window from its form resource and runs
// the message loop; afterwards the forms go first, then the units finish in
// reverse order.

#include "app/ProgramStart.h"
#include "app/UnMain.h"
#include "app/Units.h"
#include "platform/controls/ExceptionHook.h"
#include "platform/forms/Application.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int exitCode = 0;
    TUnitLifecycle units(ProgramUnits());
    try {
        StartProgram(units);
        Application->Initialize();
        Application->SetTitle("Tessaro");
        Application->CreateForm(frmMain);
        Application->Run();
    } catch (...) {
        HandleCurrentException();
        exitCode = 1;
    }
    if (Application)
        Application->DestroyForms();
    units.Finalize();
    return exitCode;
}

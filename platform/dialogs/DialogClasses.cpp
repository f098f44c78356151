#include "platform/dialogs/DialogClasses.h"

#include "platform/dialogs/OpenDialog.h"

void RegisterDialogClasses() {
    RegisterClasses<TOpenDialog>();
}

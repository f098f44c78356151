#pragma once
// Makes the dialog components known to the form reader; called once at
// start-up, before the first form is read.

void RegisterDialogClasses();

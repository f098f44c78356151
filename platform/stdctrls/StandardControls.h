#pragma once
// Registers the standard control classes with the form reader.

void RegisterStandardControls();

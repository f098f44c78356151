#pragma once
// The caption of every message box the program shows: the application's
// title, which the application object sets here.

#include <string>

const std::string& MessageBoxCaption();
void SetMessageBoxCaption(std::string caption);

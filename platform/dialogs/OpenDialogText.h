#pragma once
// The texts the open-file dialog takes in the system's own format.

#include <string>

// "Desc|pattern|Desc|pattern" as the dialog wants it: every '|' becomes a
// NUL and the list ends with two NULs (both part of the result). Blanks stay
// where they are. An empty filter gives an empty result (no filter at all).
std::string DialogFilterText(const std::string& filter);

// The default extension without its "*." or "." prefix ("*.txt" gives "txt"),
// which the dialog appends, with a dot, to a name typed without extension.
std::string DialogDefaultExtension(const std::string& defaultExt);

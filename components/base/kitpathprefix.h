#pragma once
// Where a file name's folder comes from (the folders themselves are in
// kitutils.h).

enum class TKitPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };
using enum TKitPathPrefix;

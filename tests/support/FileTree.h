#pragma once
// Test folders are removed by Unicode names: a test may leave files whose
// names the ANSI code page cannot hold, or that it made read-only.

#include <string>

// Removes folder with everything in it; what cannot be removed stays.
void RemoveFileTree(const std::wstring& folder);

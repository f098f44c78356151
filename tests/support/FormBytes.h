#pragma once
// A component tree in the binary form format, and read back into its root.

#include <cstdint>
#include <vector>

class TComponent;

std::vector<std::uint8_t> WriteForm(TComponent& root);
void ReadForm(TComponent& root, const std::vector<std::uint8_t>& form);

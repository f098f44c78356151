#pragma once
// What the codec and the list-file readers must keep for any input bytes:
// they refuse damaged data only with EReadError or the list-file error, a
// decoded compressed stream recompresses to the same bytes, and any bytes
// survive a compression round trip. Returns "" when that holds, else what
// went wrong. Memory faults are left to the sanitizers.

#include <cstddef>
#include <cstdint>
#include <string>

std::string CodecMismatch(const std::uint8_t* data, std::size_t size);

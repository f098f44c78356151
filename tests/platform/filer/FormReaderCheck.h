#pragma once
// The property the form reader must keep for any input bytes: either it
// refuses them with EReadError, or their text parses back into a stream
// with the same text. Returns "" when that holds, else what went wrong.

#include <cstddef>
#include <cstdint>
#include <string>

std::string FormReaderMismatch(const std::uint8_t* data, std::size_t size);

#pragma once
// What the bitmap-file reader promises for any input: it either refuses the
// data with EInvalidGraphic or returns a consistent picture that the writer
// stores and the reader reads back unchanged.

#include <cstddef>
#include <cstdint>
#include <string>

// Checks the promise for Data as a whole file and, from offset 14, as a
// packed bitmap. Returns an empty string when it holds, else what failed;
// Accepted tells whether the whole file was read.
std::string BitmapFileMismatch(const std::uint8_t* data, std::size_t size,
                               bool* accepted = nullptr);

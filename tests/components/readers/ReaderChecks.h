#pragma once
// What the kit's record readers must keep for any input bytes, checked on
// the real readers: the string and wave lists (records, item blocks, whole
// list files, form data holding the lists), the wave data block, and the
// bitmap and image lists as far as they build without Windows (records,
// item blocks and list files through the real containers and the items'
// Windows-free record readers; the bitmap file reader makes the pictures,
// and the strip checks judge them). Every list reads under its own decode
// limit, set to ReaderCheckDecodeLimit. They may
// refuse damaged data only with the errors a caller expects (read errors,
// the list-file error, the wave and bitmap format errors), never with
// std::bad_alloc or anything else. Each returns "" when that holds, else
// what went wrong; memory faults are left to the sanitizers, allocations
// beyond the decode limit to the fuzzer's allocation limit.

#include <cstddef>
#include <cstdint>
#include <string>

// The decode limit of every list the checks read: far below the fuzzer's
// allocation limit, far above what its inputs hold plainly.
inline constexpr std::int64_t ReaderCheckDecodeLimit = std::int64_t{16} << 20;

std::string StringListMismatch(const std::uint8_t* data, std::size_t size);
std::string WaveListMismatch(const std::uint8_t* data, std::size_t size);
std::string BitmapListMismatch(const std::uint8_t* data, std::size_t size);
std::string ImageListMismatch(const std::uint8_t* data, std::size_t size);
// A binary form stream whose root is a string list (first byte even) or a
// wave list (odd); the rest is the stream.
std::string KitFormMismatch(const std::uint8_t* data, std::size_t size);

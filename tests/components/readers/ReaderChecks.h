#pragma once
// What the kit's record readers must keep for any input bytes, checked on
// the real readers: the string and wave lists (records, item blocks, whole
// list files, form data holding the lists), the wave data block, and the
// bitmap and image lists: on Windows the real lists; without Windows their
// items keep the pictures the bitmap file reader makes, made and checked by
// the routines the real items call (kitbitmapblock.h, kitimagerecord.h).
// Every list read on its own reads under ReaderCheckDecodeLimit; a form
// reads as the program reads one, under the default limit. They may refuse
// damaged data only with the errors a caller expects (read errors, the
// list-file error, the wave and bitmap format errors), never with
// std::bad_alloc or anything else. Each returns "" when that holds, else
// what went wrong; memory faults are left to the sanitizers, allocations
// beyond the decode limit to the fuzzer's allocation and resident limits.

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
// A binary form stream whose root is a plain TComponent holding any number
// of string, wave, bitmap and image lists (TKitStringList, TKitWaveList,
// TKitBitmapList, TKitImageList).
std::string KitFormMismatch(const std::uint8_t* data, std::size_t size);

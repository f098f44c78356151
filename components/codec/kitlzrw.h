#pragma once
// LZRW1/KH block compression: byte-oriented LZ77 with a single-probe hash
// table, 16-item control words and a run-length item. A block holds at most
// LZRWMaxInputBytes source bytes; the framing into streams is in
// kitcompressedstream.h.

#include <cstddef>
#include <cstdint>

inline constexpr std::uint16_t LZRWMaxInputBytes = 32781;
inline constexpr std::uint16_t LZRWMaxBlockBytes = LZRWMaxInputBytes + 1;
// The compressor may run up to 5 bytes past n before it stores the block.
inline constexpr std::uint16_t LZRWOutputSlack = 6;
inline constexpr std::uint16_t LZRWHashTableSize = 4096;

inline constexpr std::uint8_t LZRWFlagCompressed = 0x40;
inline constexpr std::uint8_t LZRWFlagStored = 0x80;

// Looks for a match of 3 to 18 bytes for position p of in[0..n-1] through the
// hash table (signed 16-bit positions, -1 = empty) and enters p there.
bool LZRWFindMatch(const std::uint8_t* in, std::uint16_t p, std::uint16_t n,
                   std::uint16_t& matchPos, std::uint16_t& length, std::int16_t* table);

// Compresses n (at most LZRWMaxInputBytes) bytes into out, which must hold
// n + LZRWOutputSlack bytes; returns the block length, 1 .. n + 1. Raises
// EInvalidPointer "LZRW Error!" when the hash table cannot be allocated.
std::uint16_t LZRWCompress(const std::uint8_t* in, std::uint8_t* out, std::uint16_t n);

// Decompresses a block of m bytes into out, which must hold LZRWMaxInputBytes
// bytes; returns the number of bytes produced. Damaged data (m of 0 or above
// LZRWMaxBlockBytes, an item cut off by the block's end, a copy reaching
// before the output, output beyond LZRWMaxInputBytes) raise EReadError.
std::uint16_t LZRWDecompress(const std::uint8_t* block, std::uint8_t* out, std::uint16_t m);

// The message of the read error for damaged compressed data.
extern const char* const LZRWCorruptDataMessage;

// The hash table's allocator, replaceable so tests can make it fail; it
// returns nullptr when no memory is left.
struct TLZRWTableAllocator {
    void* (*Allocate)(std::size_t bytes);
    void (*Release)(void* table);
};
TLZRWTableAllocator SetLZRWTableAllocator(TLZRWTableAllocator allocator);

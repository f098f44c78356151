#pragma once
// The compressed stream: a signed 32-bit total (bytes that follow), then
// blocks of LZRW1/KH data (kitlzrw.h), each behind its signed 32-bit length.
// Every block but the last is made from exactly LZRWMaxInputBytes bytes.

#include <cstddef>
#include <cstdint>
#include <functional>

class TStream;

// The signed 32-bit length (or total) in front of data.
inline constexpr std::int64_t KitLengthFieldBytes = 4;

// What one compressed stream may decode to unless its reader says otherwise:
// far beyond any list a user keeps, far below what a few runs can claim
// (a block of a few run items expands about 840:1).
inline constexpr std::int64_t KitDefaultDecodeLimit = std::int64_t{256} << 20;

// How many of the first decoded bytes a size bound gets to see.
inline constexpr std::size_t DecodedHeadBytes = 64;
// The most bytes a content may have, judged from its first bytes (Size of
// them, fewer than DecodedHeadBytes only when the content is that short).
using TDecodedSizeBound = std::function<std::int64_t(const std::uint8_t* head, std::size_t size)>;

// Writes Count bytes from Source's position to Dest as a compressed stream.
// A Source that runs dry ends the stream early.
void CompressStream(TStream& Source, TStream& Dest, std::int32_t Count);

// Reads one compressed stream from Source's position and appends the bytes to
// Dest at its position. An empty Source counts as an empty stream.
// The stream is measured before anything is written: when it would decode to
// more than Limit bytes, or more than Bound allows for its first bytes, it
// raises EKitDecodeLimit (over Limit) or EReadError (over Bound) and Dest
// stays as it was. A damaged stream (a block length outside
// 1..LZRWMaxBlockBytes or beyond the total, a stream that ends early,
// damaged block data) raises EReadError after the blocks before the damage
// were written to Dest. Source must be able to seek back.
void DecompressStream(TStream& Source, TStream& Dest, std::int64_t Limit = KitDefaultDecodeLimit,
                      const TDecodedSizeBound& Bound = {});

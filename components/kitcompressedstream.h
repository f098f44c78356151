#pragma once
// The compressed stream: a signed 32-bit total (bytes that follow), then
// blocks of LZRW1/KH data (kitlzrw.h), each behind its signed 32-bit length.
// Every block but the last is made from exactly LZRWMaxInputBytes bytes.

#include <cstdint>

class TStream;

// Writes Count bytes from Source's position to Dest as a compressed stream.
// A Source that runs dry ends the stream early.
void CompressStream(TStream& Source, TStream& Dest, std::int32_t Count);

// Reads one compressed stream from Source's position and appends the bytes to
// Dest at its position. An empty Source counts as an empty stream. A damaged
// stream (a block length outside 1..LZRWMaxBlockBytes or beyond the total, a
// total beyond the source, damaged block data) raises EReadError; the blocks
// decoded before it stay in Dest.
void DecompressStream(TStream& Source, TStream& Dest);

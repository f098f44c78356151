#pragma once
// How the kit's list items lay out values, short strings and data blocks in
// a stream. A data block is either plain (a signed 32-bit length, then the
// payload) or a compressed stream (kitcompressedstream.h) of the payload; the
// reader must be told the form the writer used. Every reader leaves the
// stream directly after what it read, and a stream that ends inside an item
// raises EReadError.

#include <cstdint>
#include <functional>
#include <string>

class TStream;
class TMemoryStream;
class TStrings;

inline constexpr std::size_t ShortStrMaxLength = 255;

void WriteInt32(TStream& Stream, std::int32_t Value);
void WriteByte(TStream& Stream, std::uint8_t Value);
// Strings longer than 255 characters are cut at 255.
void WriteShortStr(TStream& Stream, const std::string& S);

std::int32_t ReadInt32(TStream& Stream);
std::uint8_t ReadByte(TStream& Stream);
void ReadShortStr(TStream& Stream, std::string& S);

// The list's text (every line ended by CR LF) as a data block.
void WriteStrings(TStream& Stream, const TStrings& List, bool Compressed);
// Replaces the list's content; on a damaged block the list stays unchanged.
void ReadStrings(TStream& Stream, TStrings& List, bool Compressed);

// A data block whose payload WritePayload writes into the stream it is given
// (for bitmaps and waves, whose writers live with those classes).
void WriteDataBlock(TStream& Stream, bool Compressed,
                    const std::function<void(TStream&)>& WritePayload);
// Reads a data block; Payload then holds exactly the payload, positioned at 0.
// A plain length that is negative or exceeds what the stream holds raises
// EReadError before anything is allocated.
void ReadDataBlock(TStream& Stream, bool Compressed, TMemoryStream& Payload);

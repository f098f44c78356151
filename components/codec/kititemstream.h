#pragma once
// How the kit's list items lay out values, short strings and data blocks in
// a stream. A data block is either plain (a signed 32-bit length, then the
// payload) or a compressed stream (kitcompressedstream.h) of the payload; the
// reader must be told the form the writer used. Every reader leaves the
// stream directly after what it read, and a stream that ends inside an item
// raises EReadError.

#include "components/codec/kitcompressedstream.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TFilerReader;
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

// Bounds what the data blocks read on this thread while it lives decode all
// together (a whole list file, item block or list read from a form), and
// what their readers make of them (a bitmap's rows, a list's lines): a block
// that would take more than is left raises EKitDecodeLimit before anything
// is allocated for it. Scopes nest, and a block counts against every open
// one. Outside any scope each charge may reach KitDefaultDecodeLimit on its
// own.
class TKitDecodeBudget {
public:
    explicit TKitDecodeBudget(std::int64_t limit = KitDefaultDecodeLimit);
    ~TKitDecodeBudget();
    TKitDecodeBudget(const TKitDecodeBudget&) = delete;
    TKitDecodeBudget& operator=(const TKitDecodeBudget&) = delete;

    std::int64_t Remaining() const { return FRemaining; }

    // What the next block may take: the least any open scope has left.
    static std::int64_t Allowance();
    // Counts Bytes against every open scope; EKitDecodeLimit when one of
    // them has less left.
    static void Charge(std::int64_t bytes);

private:
    TKitDecodeBudget* FOuter;
    std::int64_t FRemaining;
};

// One budget of KitDefaultDecodeLimit for everything the kit decodes while
// one form is read, however many lists and items the form holds: each kit
// component opens it around its ReadState (the outermost one that is read
// keeps it open for those inside), and the next one read goes on with what
// is left. A list's own DecodeLimit opens inside it.
class TKitFormDecodeScope {
public:
    explicit TKitFormDecodeScope(TFilerReader& reader);
    ~TKitFormDecodeScope();
    TKitFormDecodeScope(const TKitFormDecodeScope&) = delete;
    TKitFormDecodeScope& operator=(const TKitFormDecodeScope&) = delete;

private:
    struct TFormBudget {
        std::int64_t Remaining = KitDefaultDecodeLimit;
        bool Open = false;
    };
    TFormBudget& FForm;
    std::optional<TKitDecodeBudget> FBudget;
};

// The first bytes of what follows in Stream (at most DecodedHeadBytes and
// Length), read and given back: enough to size what a block will make.
std::vector<std::uint8_t> PeekHead(TStream& Stream, std::int64_t Length);

// The most a string block may hold: no list of texts a user keeps comes
// near it, and its lines fit in memory many times over.
inline constexpr std::int64_t KitMaxStringBlockBytes = std::int64_t{16} << 20;
inline constexpr std::int64_t KitMaxStringBlockLines = std::int64_t{1} << 20;

// The list's text (every line ended by CR LF) as a data block.
void WriteStrings(TStream& Stream, const TStrings& List, bool Compressed);
// Replaces the list's content; on a damaged block, or one beyond
// KitMaxStringBlockBytes or KitMaxStringBlockLines, the list stays unchanged.
// Charged to the open budget before the list is filled: the list's copy of
// the text and an entry for each line (CR LF ends one line, as do CR and LF
// alone).
void ReadStrings(TStream& Stream, TStrings& List, bool Compressed);

// A data block whose payload WritePayload writes into the stream it is given
// (for bitmaps and waves, whose writers live with those classes).
void WriteDataBlock(TStream& Stream, bool Compressed,
                    const std::function<void(TStream&)>& WritePayload);
// Reads a data block; Payload then holds exactly the payload, positioned at 0.
// A plain length that is negative or exceeds what the stream holds, and a
// payload larger than Bound allows for its first bytes, raise EReadError; a
// payload beyond what the open TKitDecodeBudget leaves raises
// EKitDecodeLimit; both before anything is allocated for it.
void ReadDataBlock(TStream& Stream, bool Compressed, TMemoryStream& Payload,
                   const TDecodedSizeBound& Bound = {});

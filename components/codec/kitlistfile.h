#pragma once
// The kit's list files: a 9-byte signature naming the list kind, the item
// count, a table with the absolute file position of every item, then the
// item records. The table lets one item be read with one seek.

#include "components/codec/kitcompressedstream.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class TList;
class TStream;

enum class TKitListKind : std::uint8_t {
    lkImageList = 0,
    lkBitmapList = 1,
    lkWaveList = 2,
    lkStringList = 3,
    lkRichTextList = 4,
};
using enum TKitListKind;

inline constexpr std::uint8_t ListKindCount = 5;
// What ReadListFileHeader returns for a file whose signature matches no kind.
inline constexpr std::uint8_t ListKindUnknown = 5;
inline constexpr std::size_t ListFileSignatureSize = 9;
// Signature, Count field.
inline constexpr std::int64_t ListFileHeaderSize = ListFileSignatureSize + 4;

// The five signatures one after the other in kind order: a length byte of 8
// and eight letters each.
extern const std::array<std::uint8_t, ListKindCount * ListFileSignatureSize> ListFileSignatures;

// The extension of a kind ("bmp"; ".bmp" WithDot); empty for a value
// outside the kinds.
std::string ListFileExtension(std::uint8_t Kind, bool WithDot);
inline std::string ListFileExtension(TKitListKind Kind, bool WithDot) {
    return ListFileExtension(static_cast<std::uint8_t>(Kind), WithDot);
}

void WriteListFileSignature(TStream& Stream, TKitListKind Kind);

// Writes an item block with its offset table at the stream's position:
// Count, then (for a positive Count) the table of the records' absolute
// positions in Stream, then the records, each written by
// WriteItemData(Stream, index). Leaves the stream after the last record. A
// record beyond INT32_MAX raises EWriteError, as the table cannot hold it.
using TListFileItemWriter = std::function<void(TStream&, int)>;
void WriteItemBlockWithOffsets(TStream& Stream, std::int32_t Count,
                               const TListFileItemWriter& WriteItemData);

// Writes a whole list file at the stream's position, which must be where the
// file starts (the table holds positions in Stream): the signature, then the
// item block with its offset table.
void WriteListFile(TStream& Stream, TKitListKind Kind, std::int32_t Count,
                   const TListFileItemWriter& WriteItemData);

// Identifies a list file and reads its Count and, when a kind was recognised
// and OffsetTable is given, its offset table (entries are file positions
// stored as pointer-sized integers, see ListFileOffset). Returns the kind or
// ListKindUnknown (Count is then the int32 at offset 9, or -1 when the file
// is shorter). A recognised file whose Count or table is damaged (a short
// header, a Count below 0 or larger than the file can hold, an offset inside
// the header or table or past the end) raises the list-file error naming
// FileName. The file's open error passes out unchanged.
std::uint8_t ReadListFileHeader(const std::string& FileName, std::int32_t& Count,
                                TList* OffsetTable);
// The same over an open stream positioned at the signature; offsets are taken
// as positions in Stream. FileName names the file in errors.
std::uint8_t ReadListFileHeader(TStream& Stream, const std::string& FileName, std::int32_t& Count,
                                TList* OffsetTable);

std::int64_t ListFileOffset(const TList& OffsetTable, int Index);

// Reads one item record: the reader gets the stream positioned at the item's
// offset (a list item's ReadItemData). False when OffsetTable is nil. An
// Index outside the table raises the list's index error; an offset outside
// the stream raises EReadError.
using TListFileItemReader = std::function<void(TStream&)>;
bool ReadListFileItem(TStream& Stream, const TList* OffsetTable, int Index,
                      const TListFileItemReader& ReadItemData);

// Reads item Index of a list file of ExpectedKind. Without a table it reads
// the header itself and raises the list-file error when the kind differs;
// a given table is trusted. Returns true when the item was read. The item's
// data blocks may decode to DecodeLimit bytes together.
bool LoadListFileItem(const std::string& FileName, TKitListKind ExpectedKind,
                      const TList* OffsetTable, int Index, const TListFileItemReader& ReadItemData,
                      std::int64_t DecodeLimit = KitDefaultDecodeLimit);

// The error for a file that is no list file of the expected kind.
[[noreturn]] void RaiseListFileError(const std::string& FileName);

// Raises EInvalidGraphicOperation with Message.
[[noreturn]] void RaiseGraphicOperationError(const std::string& Message);

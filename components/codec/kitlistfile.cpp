#include "components/codec/kitlistfile.h"

#include "components/codec/kiterrors.h"
#include "components/codec/kititemstream.h"

#include "platform/classes/List.h"
#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::array<const char*, ListKindCount> Extensions{"iml", "bmp", "wav", "txt", "rtf"};

constexpr std::int64_t OffsetEntryBytes = 4;
// Entries read from a file at a time: one read per entry would cost a system
// call each.
constexpr std::int32_t OffsetBlockEntries = 16384;

std::int64_t OffsetTableEnd(std::int32_t count) {
    return ListFileHeaderSize + OffsetEntryBytes * count;
}

// An entry of a table of Count entries in a file of Size bytes: every record
// has at least its flags byte, after the table.
std::int64_t CheckedOffset(std::int32_t entry, std::int32_t count, std::int64_t size,
                           const std::string& fileName) {
    const std::int64_t offset = entry;
    if (offset < OffsetTableEnd(count) || offset >= size)
        RaiseListFileError(fileName);
    return offset;
}

void ReadOffsetTable(TStream& stream, const std::string& fileName, std::int32_t count,
                     TList& table) {
    const std::int64_t size = stream.GetSize();
    table.Clear();
    table.SetCapacity(count);
    TMemoryStream block;
    for (std::int32_t done = 0; done < count;) {
        const std::int32_t entries = std::min(count - done, OffsetBlockEntries);
        block.SetSize(OffsetEntryBytes * entries);
        stream.ReadBuffer(block.Memory(), static_cast<std::int32_t>(block.GetSize()));
        block.SetPosition(0);
        for (std::int32_t i = 0; i < entries; ++i) {
            std::int64_t offset = 0;
            try {
                offset = CheckedOffset(block.ReadInt32(), count, size, fileName);
            } catch (...) {
                table.Clear();
                throw;
            }
            table.Add(reinterpret_cast<void*>(static_cast<std::intptr_t>(offset)));
        }
        done += entries;
    }
}

// The offset of item Index from the table of a list file whose Count was
// just read: the one entry is read, not the table.
std::int64_t ReadOffsetEntry(TStream& stream, const std::string& fileName, std::int32_t count,
                             int index) {
    if (index < 0 || index >= count)
        RaiseListIndexError(index);
    stream.SetPosition(ListFileHeaderSize + OffsetEntryBytes * index);
    return CheckedOffset(stream.ReadInt32(), count, stream.GetSize(), fileName);
}

} // namespace

const std::array<std::uint8_t, ListKindCount* ListFileSignatureSize> ListFileSignatures = {
    8, 'K', 'I', 'T', 'I', 'M', 'L', '3', '0', //
    8, 'K', 'I', 'T', 'B', 'M', 'L', '3', '0', //
    8, 'K', 'I', 'T', 'W', 'V', 'L', '3', '0', //
    8, 'K', 'I', 'T', 'S', 'L', 'L', '3', '0', //
    8, 'K', 'I', 'T', 'R', 'T', 'L', '3', '0', //
};

std::string ListFileExtension(std::uint8_t Kind, bool WithDot) {
    if (Kind >= ListKindCount) {
        return {};
    }
    return (WithDot ? "." : "") + std::string(Extensions[Kind]);
}

void WriteListFileSignature(TStream& Stream, TKitListKind Kind) {
    Stream.WriteBuffer(ListFileSignatures.data() +
                           static_cast<std::size_t>(Kind) * ListFileSignatureSize,
                       ListFileSignatureSize);
}

void WriteItemBlockWithOffsets(TStream& Stream, std::int32_t Count,
                               const TListFileItemWriter& WriteItemData) {
    Stream.WriteInt32(Count);
    if (Count <= 0) {
        return;
    }
    const std::int64_t table = Stream.GetPosition();
    Stream.SetPosition(table + std::int64_t{4} * Count);
    std::vector<std::int64_t> offsets;
    offsets.reserve(static_cast<std::size_t>(Count));
    for (std::int32_t i = 0; i < Count; ++i) {
        offsets.push_back(Stream.GetPosition());
        WriteItemData(Stream, i);
    }
    const std::int64_t end = Stream.GetPosition();
    Stream.SetPosition(table);
    for (const std::int64_t offset : offsets) {
        if (offset > INT32_MAX) {
            throw EWriteError("Die Listendatei ist zu groß");
        }
        Stream.WriteInt32(static_cast<std::int32_t>(offset));
    }
    Stream.SetPosition(end);
}

void WriteListFile(TStream& Stream, TKitListKind Kind, std::int32_t Count,
                   const TListFileItemWriter& WriteItemData) {
    WriteListFileSignature(Stream, Kind);
    WriteItemBlockWithOffsets(Stream, Count, WriteItemData);
}

void RaiseListFileError(const std::string& FileName) {
    throw Exception(Format("%s: %s", {KitCannotOpenFileText, FileName}));
}

void RaiseGraphicOperationError(const std::string& Message) {
    throw EInvalidGraphicOperation(Message);
}

std::uint8_t ReadListFileHeader(TStream& Stream, const std::string& FileName, std::int32_t& Count,
                                TList* OffsetTable) {
    Count = -1;
    std::uint8_t signature[ListFileSignatureSize] = {};
    const std::int32_t got = Stream.Read(signature, ListFileSignatureSize);
    std::uint8_t kind = ListKindUnknown;
    if (got == static_cast<std::int32_t>(ListFileSignatureSize)) {
        for (std::uint8_t k = 0; k < ListKindCount; ++k) {
            if (std::memcmp(signature, ListFileSignatures.data() + k * ListFileSignatureSize,
                            ListFileSignatureSize) == 0) {
                kind = k;
                break;
            }
        }
    }
    if (kind == ListKindUnknown) {
        // Only identification is asked of an unknown file; its Count is
        // reported when it is there.
        if (got == static_cast<std::int32_t>(ListFileSignatureSize) &&
            StreamRemaining(Stream) >= KitLengthFieldBytes) {
            Count = Stream.ReadInt32();
        }
        return kind;
    }
    const std::int64_t remaining = StreamRemaining(Stream);
    if (remaining < KitLengthFieldBytes) {
        RaiseListFileError(FileName);
    }
    const std::int32_t count = Stream.ReadInt32();
    // Each item needs its table entry and at least one byte of record.
    if (count < 0 || std::int64_t{5} * count > remaining - 4) {
        RaiseListFileError(FileName);
    }
    Count = count;
    if (OffsetTable) {
        ReadOffsetTable(Stream, FileName, count, *OffsetTable);
    }
    return kind;
}

std::uint8_t ReadListFileHeader(const std::string& FileName, std::int32_t& Count,
                                TList* OffsetTable) {
    Count = -1;
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    return ReadListFileHeader(stream, FileName, Count, OffsetTable);
}

std::int64_t ListFileOffset(const TList& OffsetTable, int Index) {
    return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(OffsetTable.Get(Index)));
}

namespace {

void ReadItemAt(TStream& Stream, std::int64_t Offset, const TListFileItemReader& ReadItemData) {
    if (Offset < 0 || Offset >= Stream.GetSize()) {
        throw EReadError("Ungültige Position eines Listeneintrags");
    }
    Stream.SetPosition(Offset);
    ReadItemData(Stream);
}

} // namespace

bool ReadListFileItem(TStream& Stream, const TList* OffsetTable, int Index,
                      const TListFileItemReader& ReadItemData) {
    if (!OffsetTable) {
        return false;
    }
    ReadItemAt(Stream, ListFileOffset(*OffsetTable, Index), ReadItemData);
    return true;
}

bool LoadListFileItem(const std::string& FileName, TKitListKind ExpectedKind,
                      const TList* OffsetTable, int Index, const TListFileItemReader& ReadItemData,
                      std::int64_t DecodeLimit) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    const TKitDecodeBudget budget(DecodeLimit);
    if (OffsetTable) {
        return ReadListFileItem(stream, OffsetTable, Index, ReadItemData);
    }
    std::int32_t count = 0;
    if (ReadListFileHeader(stream, FileName, count, nullptr) !=
        static_cast<std::uint8_t>(ExpectedKind)) {
        RaiseListFileError(FileName);
    }
    ReadItemAt(stream, ReadOffsetEntry(stream, FileName, count, Index), ReadItemData);
    return true;
}

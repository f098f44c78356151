#include "CodecFuzzCheck.h"

#include "components/codec/kitcompressedstream.h"
#include "components/codec/kititemstream.h"
#include "components/codec/kitlistfile.h"
#include "components/codec/kitlzrw.h"
#include "platform/classes/List.h"
#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr const char* FuzzFileName = "fuzz.kit";

bool IsListFileError(const Exception& e) {
    return e.Message().rfind("Datei ", 0) == 0 &&
           e.Message().size() >= std::string(FuzzFileName).size() &&
           e.Message().ends_with(FuzzFileName);
}

// Runs Action; returns "" or what escaped that the readers may not raise.
template <class F> std::string Refusal(const char* what, bool listFileErrorAllowed, F action) {
    try {
        action();
        return {};
    } catch (const EReadError&) {
        return {};
    } catch (const Exception& e) {
        if (listFileErrorAllowed && typeid(e) == typeid(Exception) && IsListFileError(e)) {
            return {};
        }
        return std::string(what) + ": unexpected " + typeid(e).name() + ": " + e.Message();
    } catch (const std::exception& e) {
        return std::string(what) + ": unexpected " + e.what();
    }
}

std::vector<std::uint8_t> Decompressed(const std::vector<std::uint8_t>& stream) {
    TReadOnlyMemoryStream source(stream.data(), static_cast<std::int64_t>(stream.size()));
    TMemoryStream dest;
    DecompressStream(source, dest);
    return dest.Bytes();
}

std::vector<std::uint8_t> Compressed(const std::uint8_t* data, std::size_t size) {
    TReadOnlyMemoryStream source(data, static_cast<std::int64_t>(size));
    TMemoryStream dest;
    CompressStream(source, dest, static_cast<std::int32_t>(size));
    return dest.Bytes();
}

std::string CheckBlock(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > LZRWMaxBlockBytes) {
        return {};
    }
    // An exact heap copy, so a read past the block trips the sanitizer.
    auto block = std::make_unique<std::uint8_t[]>(size);
    std::copy(data, data + size, block.get());
    auto out = std::make_unique<std::uint8_t[]>(LZRWMaxInputBytes);
    return Refusal("block", false, [&] {
        LZRWDecompress(block.get(), out.get(), static_cast<std::uint16_t>(size));
    });
}

std::string CheckStream(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> decoded;
    bool accepted = false;
    std::string failure = Refusal("stream", false, [&] {
        TReadOnlyMemoryStream source(data, static_cast<std::int64_t>(size));
        TMemoryStream dest;
        DecompressStream(source, dest);
        decoded = dest.Bytes();
        accepted = true;
    });
    if (!failure.empty() || !accepted) {
        return failure;
    }
    if (Decompressed(Compressed(decoded.data(), decoded.size())) != decoded) {
        return "stream: decoded bytes do not survive recompression";
    }
    return {};
}

std::string CheckRoundTrip(const std::uint8_t* data, std::size_t size) {
    auto exact = std::make_unique<std::uint8_t[]>(std::max<std::size_t>(size, 1));
    std::copy(data, data + size, exact.get());
    if (size <= LZRWMaxInputBytes) {
        std::vector<std::uint8_t> block(size + LZRWOutputSlack);
        const std::uint16_t length =
            LZRWCompress(exact.get(), block.data(), static_cast<std::uint16_t>(size));
        if (length < 1 || length > size + 1) {
            return "compress: block length out of range";
        }
        std::vector<std::uint8_t> out(LZRWMaxInputBytes);
        if (LZRWDecompress(block.data(), out.data(), length) != size ||
            !std::equal(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(size),
                        exact.get())) {
            return "compress: block round trip differs";
        }
    }
    const std::vector<std::uint8_t> stream = Compressed(exact.get(), size);
    const std::vector<std::uint8_t> back = Decompressed(stream);
    if (back.size() != size || !std::equal(back.begin(), back.end(), exact.get())) {
        return "compress: stream round trip differs";
    }
    return {};
}

// A record as the list items lay it out: flags, description, ident, data.
void ReadRecord(TStream& stream) {
    const std::uint8_t flags = ReadByte(stream);
    std::string description;
    if (flags & 0x02) {
        ReadShortStr(stream, description);
    }
    if (flags & 0x04) {
        ReadInt32(stream);
    }
    if (flags & 0x08) {
        TMemoryStream payload;
        ReadDataBlock(stream, (flags & 0x01) != 0, payload);
    }
}

std::string CheckItems(const std::uint8_t* data, std::size_t size) {
    std::string failure;
    for (bool compressed : {false, true}) {
        failure = Refusal("data block", false, [&] {
            TReadOnlyMemoryStream stream(data, static_cast<std::int64_t>(size));
            TMemoryStream payload;
            ReadDataBlock(stream, compressed, payload);
            if (stream.GetPosition() > stream.GetSize()) {
                throw Exception("reader left the stream");
            }
        });
        if (!failure.empty()) {
            return failure;
        }
    }
    return Refusal("records", false, [&] {
        TReadOnlyMemoryStream stream(data, static_cast<std::int64_t>(size));
        for (int i = 0; i < 16 && stream.GetPosition() < stream.GetSize(); ++i) {
            ReadRecord(stream);
        }
    });
}

std::string CheckListFile(const std::uint8_t* data, std::size_t size) {
    return Refusal("list file", true, [&] {
        TReadOnlyMemoryStream stream(data, static_cast<std::int64_t>(size));
        std::int32_t count = 0;
        TList table;
        const std::uint8_t kind = ReadListFileHeader(stream, FuzzFileName, count, &table);
        if (kind == ListKindUnknown) {
            return;
        }
        if (count < 0 || table.Count() != count) {
            throw Exception("list file: table does not match the count");
        }
        for (int i = 0; i < std::min(count, 8); ++i) {
            const std::int64_t offset = ListFileOffset(table, i);
            if (offset < ListFileHeaderSize + 4 * std::int64_t{count} ||
                offset >= static_cast<std::int64_t>(size)) {
                throw Exception("list file: offset outside the records");
            }
            try {
                ReadListFileItem(stream, &table, i, ReadRecord);
            } catch (const EReadError&) {
                // One damaged record does not hide the others.
            }
        }
    });
}

} // namespace

std::string CodecMismatch(const std::uint8_t* data, std::size_t size) {
    for (const auto& check : {CheckBlock, CheckStream, CheckRoundTrip, CheckItems, CheckListFile}) {
        std::string failure = check(data, size);
        if (!failure.empty()) {
            return failure;
        }
    }
    return {};
}

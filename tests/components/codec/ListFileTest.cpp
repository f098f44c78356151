// List files: kinds and extensions, header and table checks, reading one
// item through the table, hostile headers.

#include "CodecTestSupport.h"
#include "components/codec/kititemstream.h"
#include "components/codec/kitlistfile.h"
#include "platform/classes/List.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

const std::string ListFileErrorPrefix = "Datei %s kann nicht geöffnet werden: ";

// A list file on disk, removed again at the end of the test.
class TTempListFile {
public:
    explicit TTempListFile(const TBytes& bytes) {
        static int counter = 0;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        FPath = (std::filesystem::temp_directory_path() /
                 ("codec_" + std::string(info->name()) + "_" + std::to_string(++counter) + ".kit"))
                    .string();
        TFileStream file(FPath, fmCreate);
        if (!bytes.empty()) {
            file.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
        }
    }
    ~TTempListFile() {
        std::error_code ignored;
        std::filesystem::remove(FPath, ignored);
    }
    TTempListFile(const TTempListFile&) = delete;
    TTempListFile& operator=(const TTempListFile&) = delete;
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

// A test record: flags, short string when flag 0x02, a data block when 0x08.
struct TTestItem {
    std::string Description;
    TBytes Data;
};

void WriteTestRecord(TStream& stream, const TTestItem& item) {
    const std::uint8_t flags = static_cast<std::uint8_t>((item.Description.empty() ? 0 : 0x02) |
                                                         (item.Data.empty() ? 0 : 0x09));
    WriteByte(stream, flags);
    if (!item.Description.empty()) {
        WriteShortStr(stream, item.Description);
    }
    if (!item.Data.empty()) {
        WriteDataBlock(stream, true, [&item](TStream& s) {
            s.WriteBuffer(item.Data.data(), static_cast<std::int32_t>(item.Data.size()));
        });
    }
}

TTestItem ReadTestRecord(TStream& stream) {
    TTestItem item;
    const std::uint8_t flags = ReadByte(stream);
    if (flags & 0x02) {
        ReadShortStr(stream, item.Description);
    }
    if (flags & 0x08) {
        TMemoryStream payload;
        ReadDataBlock(stream, (flags & 0x01) != 0, payload);
        item.Data = payload.Bytes();
    }
    return item;
}

TBytes BuildListFile(TKitListKind kind, const std::vector<TTestItem>& items) {
    TMemoryStream stream;
    WriteListFileSignature(stream, kind);
    WriteInt32(stream, static_cast<std::int32_t>(items.size()));
    if (!items.empty()) {
        const std::int64_t table = stream.GetPosition();
        stream.SetPosition(table + 4 * static_cast<std::int64_t>(items.size()));
        std::vector<std::int32_t> offsets;
        for (const TTestItem& item : items) {
            offsets.push_back(static_cast<std::int32_t>(stream.GetPosition()));
            WriteTestRecord(stream, item);
        }
        const std::int64_t end = stream.GetPosition();
        stream.SetPosition(table);
        for (const std::int32_t offset : offsets) {
            WriteInt32(stream, offset);
        }
        stream.SetPosition(end);
    }
    return stream.Bytes();
}

void ExpectListFileError(const std::function<void()>& action, const std::string& fileName) {
    try {
        action();
        ADD_FAILURE() << "no list-file error";
    } catch (const EStreamError& e) {
        ADD_FAILURE() << "stream error instead of the list-file error: " << e.Message();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), ListFileErrorPrefix + fileName);
    }
}

const std::vector<TTestItem> SampleItems{
    {"erstes", {1, 2, 3}}, {"", {}}, {"drittes", TBytes(5000, 'z')}};

TEST(ListFileKinds, SignaturesAndExtensions) {
    ASSERT_EQ(ListFileSignatures.size(), 45u);
    const std::string all(ListFileSignatures.begin(), ListFileSignatures.end());
    EXPECT_EQ(all, "\x08KITIML30\x08KITBML30\x08KITWVL30\x08KITSLL30\x08KITRTL30");
    EXPECT_EQ(ListFileExtension(lkBitmapList, true), ".bmp");
    EXPECT_EQ(ListFileExtension(lkRichTextList, false), "rtf");
    EXPECT_EQ(ListFileExtension(lkImageList, false), "iml");
    EXPECT_EQ(ListFileExtension(lkWaveList, true), ".wav");
    EXPECT_EQ(ListFileExtension(lkStringList, true), ".txt");
    EXPECT_EQ(ListFileExtension(ListKindUnknown, true), "");
    EXPECT_EQ(ListFileExtension(ListKindUnknown, false), "");
    EXPECT_EQ(ListFileExtension(std::uint8_t{255}, true), "");
}

TEST(ListFileHeader, EmptyListIsThirteenBytesAndHasNoItem0) {
    const TBytes bytes = BuildListFile(lkBitmapList, {});
    EXPECT_EQ(bytes, (TBytes{8, 'K', 'I', 'T', 'B', 'M', 'L', '3', '0', 0, 0, 0, 0}));
    TTempListFile file(bytes);
    std::int32_t count = -5;
    TList table;
    table.Add(&count);
    EXPECT_EQ(ReadListFileHeader(file.Path(), count, &table), 1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(table.Count(), 0);
    EXPECT_THROW(LoadListFileItem(file.Path(), lkBitmapList, nullptr, 0, ReadTestRecord),
                 EListError);
}

TEST(ListFileHeader, ReadsCountAndTable) {
    const TBytes bytes = BuildListFile(lkStringList, SampleItems);
    TTempListFile file(bytes);
    std::int32_t count = 0;
    TList table;
    EXPECT_EQ(ReadListFileHeader(file.Path(), count, &table), 3);
    EXPECT_EQ(count, 3);
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(ListFileOffset(table, 0), 25);
    EXPECT_EQ(ListFileOffset(table, 1), 25 + 1 + 7 + 4 + 4 + 4);
    // Without a table only the count is read.
    EXPECT_EQ(ReadListFileHeader(file.Path(), count, nullptr), 3);
    EXPECT_EQ(count, 3);
}

TEST(ListFileHeader, UnknownSignaturesGiveKind5) {
    TBytes wrongLength = BuildListFile(lkImageList, {});
    wrongLength[0] = 7;
    TBytes lowerCase = BuildListFile(lkImageList, {});
    lowerCase[4] = 'i';
    TBytes otherVersion = BuildListFile(lkImageList, {});
    otherVersion[8] = '1';
    for (const TBytes& bytes : {wrongLength, lowerCase, otherVersion}) {
        TTempListFile file(bytes);
        std::int32_t count = 0;
        TList table;
        EXPECT_EQ(ReadListFileHeader(file.Path(), count, &table), ListKindUnknown);
        EXPECT_EQ(count, 0) << "the count is read all the same";
        EXPECT_EQ(table.Count(), 0);
    }
}

TEST(ListFileItems, ReadOneItemThroughTheTable) {
    const TBytes bytes = BuildListFile(lkWaveList, SampleItems);
    TTempListFile file(bytes);
    TTestItem item;
    const auto into = [&item](TStream& s) { item = ReadTestRecord(s); };
    ASSERT_TRUE(LoadListFileItem(file.Path(), lkWaveList, nullptr, 2, into));
    EXPECT_EQ(item.Description, "drittes");
    EXPECT_EQ(item.Data, TBytes(5000, 'z'));
    ASSERT_TRUE(LoadListFileItem(file.Path(), lkWaveList, nullptr, 1, into));
    EXPECT_EQ(item.Description, "");
    EXPECT_TRUE(item.Data.empty());

    // A given table is trusted: no kind check.
    std::int32_t count = 0;
    TList table;
    ReadListFileHeader(file.Path(), count, &table);
    ASSERT_TRUE(LoadListFileItem(file.Path(), lkImageList, &table, 0, into));
    EXPECT_EQ(item.Data, (TBytes{1, 2, 3}));
    EXPECT_THROW(LoadListFileItem(file.Path(), lkWaveList, &table, 3, into), EListError);

    TMemoryStream stream;
    LoadBytes(stream, bytes);
    EXPECT_FALSE(ReadListFileItem(stream, nullptr, 0, into));
    ASSERT_TRUE(ReadListFileItem(stream, &table, 0, into));
    EXPECT_EQ(item.Description, "erstes");
}

TEST(ListFileWriter, MatchesTheLayoutAndReadsBack) {
    for (const TKitListKind kind : {lkImageList, lkBitmapList, lkWaveList, lkStringList}) {
        TMemoryStream stream;
        WriteListFile(stream, kind, static_cast<std::int32_t>(SampleItems.size()),
                      [](TStream& s, int i) {
                          WriteTestRecord(s, SampleItems[static_cast<std::size_t>(i)]);
                      });
        EXPECT_EQ(stream.GetPosition(), stream.GetSize());
        EXPECT_EQ(stream.Bytes(), BuildListFile(kind, SampleItems));
        TMemoryStream empty;
        WriteListFile(empty, kind, 0, [](TStream&, int) { FAIL() << "no item to write"; });
        EXPECT_EQ(empty.Bytes(), BuildListFile(kind, {}));
    }
    TTempListFile file([] {
        TMemoryStream stream;
        WriteListFile(stream, lkStringList, 3, [](TStream& s, int i) {
            WriteTestRecord(s, SampleItems[static_cast<std::size_t>(2 - i)]);
        });
        return stream.Bytes();
    }());
    TTestItem item;
    ASSERT_TRUE(LoadListFileItem(file.Path(), lkStringList, nullptr, 0,
                                 [&item](TStream& s) { item = ReadTestRecord(s); }));
    EXPECT_EQ(item.Description, "drittes");
}

TEST(ListFileItems, EmptyRecordIsOneZeroByte) {
    const TBytes bytes = BuildListFile(lkBitmapList, {TTestItem{}});
    ASSERT_EQ(bytes.size(), 18u);
    EXPECT_EQ(bytes[13], 17);
    EXPECT_EQ(bytes[17], 0);
}

TEST(ListFileItems, WrongKindOrNoSignatureIsRejected) {
    TTempListFile bitmaps(BuildListFile(lkBitmapList, SampleItems));
    ExpectListFileError(
        [&] { LoadListFileItem(bitmaps.Path(), lkImageList, nullptr, 0, ReadTestRecord); },
        bitmaps.Path());
    TTempListFile other(TBytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0x20});
    ExpectListFileError(
        [&] { LoadListFileItem(other.Path(), lkBitmapList, nullptr, 0, ReadTestRecord); },
        other.Path());
}

TEST(ListFileItems, MissingFileRaisesTheOpenError) {
    std::int32_t count = 0;
    EXPECT_THROW(ReadListFileHeader(
                     (std::filesystem::temp_directory_path() / "codec_gibt_es_nicht.kit").string(),
                     count, nullptr),
                 EFOpenError);
}

TEST(ListFileHostile, ShortFilesOf0To12Bytes) {
    const TBytes full = BuildListFile(lkBitmapList, {});
    for (std::size_t size = 0; size <= 12; ++size) {
        TTempListFile file(TBytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size)));
        std::int32_t count = 0;
        TList table;
        if (size < 9) {
            EXPECT_EQ(ReadListFileHeader(file.Path(), count, &table), ListKindUnknown);
            EXPECT_EQ(count, -1);
        } else {
            ExpectListFileError([&] { ReadListFileHeader(file.Path(), count, &table); },
                                file.Path());
        }
        ExpectListFileError(
            [&] { LoadListFileItem(file.Path(), lkBitmapList, nullptr, 0, ReadTestRecord); },
            file.Path());
    }
}

TEST(ListFileHostile, AbsurdCounts) {
    // 3 and 4 find their table entries but not one record byte each.
    for (const std::int32_t count : {1000000000, -1, INT32_MIN, 2, 3, 4}) {
        TBytes bytes = BuildListFile(lkStringList, {});
        bytes[9] = static_cast<std::uint8_t>(count);
        bytes[10] = static_cast<std::uint8_t>(count >> 8);
        bytes[11] = static_cast<std::uint8_t>(count >> 16);
        bytes[12] = static_cast<std::uint8_t>(count >> 24);
        AppendInt32(bytes, 17); // one entry and three bytes, or the entries of 3 and 4
        bytes.resize(count == 3 || count == 4 ? 13 + 4 * count : 20, 0);
        TTempListFile file(bytes);
        std::int32_t read = 0;
        TList table;
        ExpectListFileError([&] { ReadListFileHeader(file.Path(), read, &table); }, file.Path());
        ExpectListFileError([&] { ReadListFileHeader(file.Path(), read, nullptr); }, file.Path());
        EXPECT_LE(table.Capacity(), 4) << "count " << count;
    }
}

TEST(ListFileHostile, OffsetsBeforeTheTableOrPastTheEnd) {
    const TBytes good = BuildListFile(lkStringList, SampleItems);
    for (const std::int32_t offset :
         {0, 12, 13, 24, -1, static_cast<std::int32_t>(good.size()), INT32_MAX}) {
        TBytes bytes = good;
        bytes[17] = static_cast<std::uint8_t>(offset);
        bytes[18] = static_cast<std::uint8_t>(offset >> 8);
        bytes[19] = static_cast<std::uint8_t>(offset >> 16);
        bytes[20] = static_cast<std::uint8_t>(offset >> 24);
        TTempListFile file(bytes);
        std::int32_t count = 0;
        TList table;
        ExpectListFileError([&] { ReadListFileHeader(file.Path(), count, &table); }, file.Path());
        EXPECT_EQ(table.Count(), 0);
    }
    // A table made elsewhere with an offset outside the stream.
    TMemoryStream stream;
    LoadBytes(stream, good);
    TList table;
    table.Add(reinterpret_cast<void*>(static_cast<std::intptr_t>(good.size())));
    EXPECT_THROW(ReadListFileItem(stream, &table, 0, ReadTestRecord), EReadError);
}

TEST(ListFileHostile, RecordCutShortRaisesReadError) {
    TBytes bytes = BuildListFile(lkStringList, SampleItems);
    bytes.resize(bytes.size() - 10);
    TTempListFile file(bytes);
    TTestItem item;
    EXPECT_THROW(LoadListFileItem(file.Path(), lkStringList, nullptr, 2,
                                  [&item](TStream& s) { item = ReadTestRecord(s); }),
                 EReadError);
}

TEST(GraphicOperationError, AlwaysRaises) {
    try {
        RaiseGraphicOperationError("Ungültige Bildgröße");
        FAIL() << "nothing was raised";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_EQ(e.Message(), "Ungültige Bildgröße");
    }
}

} // namespace

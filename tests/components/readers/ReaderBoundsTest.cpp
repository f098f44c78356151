// The bound on decoded data and the record faults review found, on the real
// readers: a few run items claiming hundreds of megabytes, a list file over
// its limit, a cut compressed wave, a cut two-block stream, an offset table
// out of file order.

#include "../../app/split/AllocationCounter.h"
#include "ReaderSeeds.h"
#include "components/codec/kitcompressedstream.h"
#include "components/data/kitdatalists.h"
#include "components/codec/kiterrors.h"
#include "components/codec/kititemstream.h"
#include "components/codec/kitlistfile.h"
#include "components/codec/kitlzrw.h"
#include "components/data/kitwave.h"
#include "platform/classes/Stream.h"
#include "platform/classes/StringList.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TReadOnlyMemoryStream Over(const TSeedBytes& bytes) {
    return TReadOnlyMemoryStream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void Put32(TSeedBytes& b, std::int32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
}

// A string list file with Count records of one string item each, every
// record a compressed block of Blocks run-heavy blocks.
TSeedBytes RunHeavyStringListFile(int count, int blocks) {
    const TSeedBytes runs = RunHeavyStream(blocks, 'x');
    TSeedBytes file{8, 'K', 'I', 'T', 'S', 'L', 'L', '3', '0'};
    Put32(file, count);
    const auto recordSize = static_cast<std::int32_t>(1 + runs.size());
    for (int i = 0; i < count; ++i)
        Put32(file, 13 + 4 * count + i * recordSize);
    for (int i = 0; i < count; ++i) {
        file.push_back(0x09);
        file.insert(file.end(), runs.begin(), runs.end());
    }
    return file;
}

} // namespace

TEST(DecodeBound, RunHeavyStreamIsRefusedBeforeAnythingIsWritten) {
    // 300 blocks of 39 bytes claim 9.8 MB: 840 times their size.
    const TSeedBytes stream = RunHeavyStream(300, 'A');
    for (const std::int64_t limit : {std::int64_t{1} << 20, std::int64_t{9} << 20}) {
        TReadOnlyMemoryStream source = Over(stream);
        TMemoryStream dest;
        const TAllocationWatch watch;
        EXPECT_THROW(DecompressStream(source, dest, limit), EKitDecodeLimit) << limit;
        EXPECT_EQ(dest.GetSize(), 0);
        EXPECT_LT(watch.Seen().PeakBytes, std::size_t{256} << 10) << limit;
    }
    TReadOnlyMemoryStream source = Over(stream);
    TMemoryStream dest;
    DecompressStream(source, dest, std::int64_t{10} << 20);
    EXPECT_EQ(dest.GetSize(), std::int64_t{300} * LZRWMaxInputBytes);
}

TEST(DecodeBound, ListFileOverItsLimitIsOneReadErrorAndStaysSmall) {
    // Four items of 120 blocks each: 15.7 MB from 19 KB.
    const TSeedBytes file = RunHeavyStringListFile(4, 120);
    TOwnedPtr<TKitStringList> list(new TKitStringList(nullptr));
    list->SetDecodeLimit(std::int64_t{10} << 20);
    TReadOnlyMemoryStream stream = Over(file);
    const TAllocationWatch watch;
    EXPECT_THROW(list->LoadFromListStream(stream, "listen.txt"), EKitDecodeLimit);
    // Two items fit (7.9 MB); the third is refused before it is decoded.
    EXPECT_LT(watch.Seen().PeakBytes, std::size_t{20} << 20);

    list->SetDecodeLimit(std::int64_t{16} << 20);
    TReadOnlyMemoryStream again = Over(file);
    list->LoadFromListStream(again, "listen.txt");
    ASSERT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Items(3)->Items()->Count(), 1);
}

TEST(DecodeBound, KindBoundsRefuseBlocksTheirContentCannotNeed) {
    struct TCase {
        const char* Name;
        TSeedBytes Record;
        bool Bitmap;
    };
    // A string block beyond the string maximum, and a bitmap block longer
    // than its header's rows (both compressed and plain).
    TSeedBytes strings{0x09};
    const TSeedBytes runs = RunHeavyStream(520, 'a'); // 17 MB of one line
    strings.insert(strings.end(), runs.begin(), runs.end());
    TSeedBytes lines{0x08};
    Put32(lines, 3 << 20);
    lines.insert(lines.end(), std::size_t{3} << 20, '\n'); // 3 Mi line breaks
    for (const auto& c : {TCase{"long string block", strings, false},
                          TCase{"too many lines", lines, false}}) {
        TOwnedPtr<TKitStringListItem> item(new TKitStringListItem(nullptr));
        item->Items()->Add("vorher");
        TReadOnlyMemoryStream s = Over(c.Record);
        EXPECT_THROW(item->ReadItemData(s), EReadError) << c.Name;
        EXPECT_EQ(item->Items()->Count(), 1) << c.Name;
    }
}

TEST(DecodeBound, BudgetCoversEveryBlockReadWhileItIsOpen) {
    TMemoryStream blocks;
    const std::string text(1000, 't');
    for (int i = 0; i < 3; ++i)
        WriteDataBlock(blocks, i % 2 == 0, [&text](TStream& s) {
            s.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
        });
    blocks.SetPosition(0);
    const TKitDecodeBudget budget(2500);
    TMemoryStream payload;
    ReadDataBlock(blocks, true, payload);
    ReadDataBlock(blocks, false, payload);
    EXPECT_EQ(budget.Remaining(), 500);
    EXPECT_THROW(ReadDataBlock(blocks, true, payload), EKitDecodeLimit);
}

TEST(CompressedStream, CutInsideTheSecondBlockKeepsTheFirst) {
    std::string source(LZRWMaxInputBytes + 500, '\0');
    for (std::size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<char>('a' + (i * 7919) % 23);
    TMemoryStream plain;
    plain.WriteBuffer(source.data(), static_cast<std::int32_t>(source.size()));
    plain.SetPosition(0);
    TMemoryStream packed;
    CompressStream(plain, packed, static_cast<std::int32_t>(source.size()));
    TSeedBytes cut = packed.Bytes();
    cut.resize(cut.size() - 10);
    TReadOnlyMemoryStream s = Over(cut);
    TMemoryStream dest;
    EXPECT_THROW(DecompressStream(s, dest), EReadError);
    ASSERT_EQ(dest.GetSize(), LZRWMaxInputBytes);
    EXPECT_EQ(std::memcmp(dest.Memory(), source.data(), LZRWMaxInputBytes), 0);
}

TEST(WaveRecord, CutCompressedRecordRaisesAndKeepsTheWave) {
    // The flags say compressed data follows; nothing does.
    for (const TSeedBytes& record : {TSeedBytes{0x09}, TSeedBytes{0x09, 0x20, 0, 0}}) {
        TOwnedPtr<TKitWaveList> list(new TKitWaveList(nullptr));
        TKitWaveListItem* item = list->Items(list->AddItem());
        TMemoryStream wave;
        const char header[] = "RIFF\x30\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1F\0\0\x40\x1F"
                              "\0\0\x01\0\x08\0data\x04\0\0\0\x80\x81\x82\x83";
        wave.WriteBuffer(header, sizeof header - 1);
        wave.SetPosition(0);
        item->Wave()->LoadFromStream(wave);
        ASSERT_FALSE(item->Wave()->Empty());
        const std::int64_t size = item->Wave()->Size();
        TReadOnlyMemoryStream s = Over(record);
        EXPECT_THROW(item->ReadItemData(s), EReadError);
        EXPECT_EQ(item->Wave()->Size(), size);
    }
    // A wave-list file holding it fails to load.
    TSeedBytes file{8, 'K', 'I', 'T', 'W', 'V', 'L', '3', '0'};
    Put32(file, 1);
    Put32(file, 17);
    file.push_back(0x09);
    TOwnedPtr<TKitWaveList> list(new TKitWaveList(nullptr));
    TReadOnlyMemoryStream s = Over(file);
    EXPECT_THROW(list->LoadFromListStream(s, "klang.wav"), EReadError);
}

TEST(ListFile, WholeListLoaderFollowsTheOffsetTable) {
    // Item 0's record lies at 22, item 1's at 21: [22, 21].
    TSeedBytes file{8, 'K', 'I', 'T', 'S', 'L', 'L', '3', '0'};
    Put32(file, 2);
    Put32(file, 22);
    Put32(file, 21);
    file.push_back(0x00);                 // at 21: an item without lines
    file.push_back(0x08);                 // at 22: one line "B"
    Put32(file, 3);
    file.insert(file.end(), {'B', '\r', '\n'});
    TOwnedPtr<TKitStringList> list(new TKitStringList(nullptr));
    TReadOnlyMemoryStream s = Over(file);
    list->LoadFromListStream(s, "liste.txt");
    ASSERT_EQ(list->Count(), 2);
    ASSERT_EQ(list->Items(0)->Items()->Count(), 1);
    EXPECT_EQ(list->Items(0)->Items()->Get(0), "B");
    EXPECT_EQ(list->Items(1)->Items()->Count(), 0);
}

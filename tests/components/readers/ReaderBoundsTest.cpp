// The bound on decoded data and the record faults a hostile file can carry,
// on the real readers: a few run items claiming hundreds of megabytes, a list
// file over its limit, a cut compressed wave, a cut two-block stream, an
// offset table out of file order.

#include "../../app/split/AllocationCounter.h"
#include "ReaderSeeds.h"
#include "components/codec/kitcompressedstream.h"
#include "components/codec/kiterrors.h"
#include "components/codec/kititemstream.h"
#include "components/codec/kitlistfile.h"
#include "components/codec/kitlzrw.h"
#include "components/data/kitdatalists.h"
#include "components/data/kitwave.h"
#include "components/imagelists/kitbitmapblock.h"
#include "platform/classes/Stream.h"
#include "platform/classes/StringList.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"
#include "platform/graphics/BitmapFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <typeinfo>

namespace {

TReadOnlyMemoryStream Over(const TSeedBytes& bytes) {
    return TReadOnlyMemoryStream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void LoadWave(TKitWave& wave, const TSeedBytes& bytes) {
    TReadOnlyMemoryStream s = Over(bytes);
    wave.LoadFromStream(s);
}

// Whether Action raises the read error of a bound: EReadError itself, not
// the budget's EKitDecodeLimit.
bool RefusedByBound(const std::function<void()>& action) {
    try {
        action();
    } catch (const EReadError& e) {
        return typeid(e) == typeid(EReadError);
    }
    return false;
}

// A bitmap file of Width x Height pixels of 24 bits, as the writer makes it.
TSeedBytes PlainBitmapFile(int width, int height) {
    TBitmapFileImage image;
    image.Width = width;
    image.Height = height;
    image.Pixels.assign(BitmapRowSize(width, 24) * static_cast<std::uint64_t>(height), 0x5A);
    return WriteBitmapFile(image);
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
    // Four items of a 3.9 MB line each from 19 KB; each costs the list three
    // times that (the decoded block, the list's copy of it, the line).
    const TSeedBytes file = RunHeavyStringListFile(4, 120, 'x');
    TOwnedPtr<TKitStringList> list(new TKitStringList(nullptr));
    list->SetDecodeLimit(std::int64_t{24} << 20);
    TReadOnlyMemoryStream stream = Over(file);
    const TAllocationWatch watch;
    EXPECT_THROW(list->LoadFromListStream(stream, "listen.txt"), EKitDecodeLimit);
    // Two items fit; the third is refused before it is decoded.
    EXPECT_LT(watch.Seen().PeakBytes, std::size_t{24} << 20);

    list->SetDecodeLimit(std::int64_t{48} << 20);
    TReadOnlyMemoryStream again = Over(file);
    list->LoadFromListStream(again, "listen.txt");
    ASSERT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Items(3)->Items()->Count(), 1);
}

TEST(DecodeBound, KindBoundsRefuseBlocksTheirContentCannotNeed) {
    // Each block is refused by what its content may need, not by the budget,
    // which is large enough for all of them.
    struct TCase {
        const char* Name;
        TSeedBytes Block;
        bool Compressed;
        bool Bitmap;
    };
    const TSeedBytes tooManyLines(std::size_t{3} << 20, '\n'); // 3 Mi line breaks
    const TSeedBytes rgb = PlainBitmapFile(40, 30);             // 3,654 bytes
    TSeedBytes longRgb = rgb;
    longRgb.resize(rgb.size() + 200, 0);
    // An 8-bit run-length file of 4 x 4 pixels: at worst 66 bytes of rows.
    TSeedBytes longRle = EndMarkerBitmapFile(4, 4);
    longRle.insert(longRle.end() - 2, 400, 0x01);
    const TCase refused[] = {
        {"string block beyond the string maximum", RunHeavyStream(520, 'a'), true, false},
        {"too many lines", DataBlock(tooManyLines, false), false, false},
        {"plain bitmap longer than its rows", DataBlock(longRgb, false), false, true},
        {"compressed bitmap longer than its rows", DataBlock(longRgb, true), true, true},
        {"run-length bitmap longer than its worst case", DataBlock(longRle, false), false, true},
    };
    const TKitDecodeBudget budget(std::int64_t{1} << 30);
    for (const TCase& c : refused) {
        TSeedBytes record{static_cast<std::uint8_t>(ItemFlagData |
                                                    (c.Compressed ? ItemFlagCompressed : 0))};
        record.insert(record.end(), c.Block.begin(), c.Block.end());
        TReadOnlyMemoryStream s = Over(record);
        TOwnedPtr<TKitStringListItem> item(new TKitStringListItem(nullptr));
        item->Items()->Add("vorher");
        if (c.Bitmap) {
            TMemoryStream image;
            EXPECT_TRUE(RefusedByBound([&] { ReadBitmapRecord(*item, s, image); })) << c.Name;
            EXPECT_EQ(image.GetSize(), 0) << c.Name;
        } else {
            EXPECT_TRUE(RefusedByBound([&] { item->ReadItemData(s); })) << c.Name;
            EXPECT_EQ(item->Items()->Count(), 1) << c.Name;
        }
    }
    // The bitmap without the extra bytes is read, in either form.
    for (const bool compressed : {false, true}) {
        TSeedBytes record{static_cast<std::uint8_t>(ItemFlagData |
                                                    (compressed ? ItemFlagCompressed : 0))};
        const TSeedBytes block = DataBlock(rgb, compressed);
        record.insert(record.end(), block.begin(), block.end());
        TReadOnlyMemoryStream s = Over(record);
        TOwnedPtr<TKitStringListItem> header(new TKitStringListItem(nullptr));
        TMemoryStream image;
        ReadBitmapRecord(*header, s, image);
        EXPECT_EQ(image.Bytes(), rgb) << compressed;
    }
}

TEST(DecodeBound, BitmapBlocksAreChargedTheRowsTheirHeaderClaims) {
    // A run-length file's end marker stands for all its rows: a kilobyte of
    // file for a 16384 x 16384 picture (256 MiB of rows, twice: the decoded
    // rows and the bitmap made of them).
    struct TCase {
        int Side;
        std::int64_t Limit;
        bool Refused;
    };
    const TCase cases[] = {{16384, KitDefaultDecodeLimit, true},
                           {4096, std::int64_t{16} << 20, true},
                           {1024, std::int64_t{16} << 20, false}};
    for (const TCase& c : cases) {
        const TSeedBytes file = EndMarkerBitmapFile(c.Side, c.Side);
        const TSeedBytes record = BitmapRecord(file);
        TReadOnlyMemoryStream s = Over(record);
        TOwnedPtr<TKitStringListItem> header(new TKitStringListItem(nullptr));
        TMemoryStream image;
        const TKitDecodeBudget budget(c.Limit);
        const TAllocationWatch watch;
        if (c.Refused) {
            EXPECT_THROW(ReadBitmapRecord(*header, s, image), EKitDecodeLimit) << c.Side;
            EXPECT_LT(watch.Seen().PeakBytes, std::size_t{64} << 10) << c.Side;
            continue;
        }
        ReadBitmapRecord(*header, s, image);
        // Charged before any row exists: what the picture will take.
        const auto pixels = std::int64_t{c.Side} * c.Side;
        EXPECT_LE(budget.Remaining(), c.Limit - 2 * pixels) << c.Side;
        EXPECT_EQ(ReadBitmapFile(image.Memory(), file.size()).Pixels.size(),
                  static_cast<std::size_t>(pixels));
    }
}

TEST(DecodeBound, StringBlocksAreChargedTheirLinesBeforeTheListIsFilled) {
    // A megabyte of line breaks passes the string bounds but would make a
    // million list entries, 40 times its size.
    TSeedBytes record{static_cast<std::uint8_t>(ItemFlagData | ItemFlagCompressed)};
    const TSeedBytes runs = RunHeavyStream(31, '\n');
    record.insert(record.end(), runs.begin(), runs.end());
    TOwnedPtr<TKitStringListItem> item(new TKitStringListItem(nullptr));
    item->Items()->Add("vorher");
    TReadOnlyMemoryStream s = Over(record);
    const TKitDecodeBudget budget(std::int64_t{16} << 20);
    const TAllocationWatch watch;
    EXPECT_THROW(item->ReadItemData(s), EKitDecodeLimit);
    EXPECT_EQ(item->Items()->Count(), 1);
    EXPECT_LT(watch.Seen().PeakBytes, std::size_t{2} << 20);
}

TEST(DecodeBound, LineLimitCountsCarriageReturnLineFeedAsOneLine) {
    // Exactly the most lines a block may hold, each ended by CR LF; one more
    // line, or the same count ended by lone CRs and LFs, is one too many.
    const auto most = static_cast<std::size_t>(KitMaxStringBlockLines);
    TSeedBytes pairs;
    pairs.reserve(2 * most + 1);
    for (std::size_t i = 0; i < most; ++i)
        pairs.insert(pairs.end(), {'\r', '\n'});
    TSeedBytes oneMore = pairs;
    oneMore.push_back('z');
    TSeedBytes twoCrs = pairs;
    twoCrs[1] = '\r'; // "\r\r" is two lines
    struct TCase {
        const char* Name;
        const TSeedBytes& Text;
        bool Refused;
    };
    for (const TCase& c : {TCase{"CR LF pairs", pairs, false}, TCase{"text after the last", oneMore, true},
                           TCase{"CR CR", twoCrs, true}}) {
        TSeedBytes record{ItemFlagData};
        const TSeedBytes block = DataBlock(c.Text, false);
        record.insert(record.end(), block.begin(), block.end());
        TReadOnlyMemoryStream s = Over(record);
        TOwnedPtr<TKitStringListItem> item(new TKitStringListItem(nullptr));
        const TKitDecodeBudget budget(KitDefaultDecodeLimit);
        if (c.Refused) {
            EXPECT_TRUE(RefusedByBound([&] { item->ReadItemData(s); })) << c.Name;
            EXPECT_EQ(item->Items()->Count(), 0) << c.Name;
        } else {
            item->ReadItemData(s);
            EXPECT_EQ(item->Items()->Count(), KitMaxStringBlockLines) << c.Name;
        }
    }
}

TEST(DecodeBound, ListReadFromAFormDecodesWithinItsLimit) {
    // Three items of a 400 KB line each, their records in the items'
    // "Internal" data: each fits 2 MiB, all three do not.
    TOwnedPtr<TKitStringList> source(new TKitStringList(nullptr));
    for (int i = 0; i < 3; ++i)
        source->Items(source->AddItem())->Items()->Add(std::string(400000, static_cast<char>('a' + i)));
    TMemoryStream form;
    TWriter writer(form);
    writer.WriteRootComponent(source.get());
    for (const std::int64_t limit : {std::int64_t{2} << 20, std::int64_t{16} << 20}) {
        TOwnedPtr<TKitStringList> list(new TKitStringList(nullptr));
        list->SetDecodeLimit(limit);
        form.SetPosition(0);
        TReader reader(form);
        if (limit == std::int64_t{2} << 20) {
            try {
                reader.ReadRootComponent(list.get());
                ADD_FAILURE() << "read past the limit";
            } catch (const EReadError& e) {
                EXPECT_NE(e.Message().find("die erlaubte Größe"), std::string::npos) << e.Message();
            }
            continue;
        }
        reader.ReadRootComponent(list.get());
        ASSERT_EQ(list->Count(), 3);
        EXPECT_EQ(list->Items(2)->Items()->Get(0), std::string(400000, 'c'));
    }
}

TEST(DecodeBound, BudgetsCoverEveryBlockToTheirLastByteAndNest) {
    // Blocks of 1000 bytes: compressed, plain, compressed.
    TMemoryStream blocks;
    const std::string text(1000, 't');
    for (int i = 0; i < 3; ++i)
        WriteDataBlock(blocks, i % 2 == 0, [&text](TStream& s) {
            s.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
        });
    TMemoryStream payload;
    // Reads the blocks until one is refused; the number read.
    auto readAll = [&] {
        blocks.SetPosition(0);
        for (int i = 0; i < 3; ++i) {
            try {
                ReadDataBlock(blocks, i % 2 == 0, payload);
            } catch (const EKitDecodeLimit&) {
                return i;
            }
        }
        return 3;
    };
    struct TCase {
        std::int64_t Outer, Inner; // Inner 0: no inner scope
        int Read;
        std::int64_t OuterLeft;
    };
    const TCase cases[] = {
        {2500, 0, 2, 500},              // the third would pass the budget
        {2000, 0, 2, 0},                // a plain block of exactly what is left
        {3000, 0, 3, 0},                // a compressed block of exactly what is left
        {2500, std::int64_t{1} << 20, 2, 500}, // the outer scope holds a larger inner one
        {std::int64_t{1} << 20, 1500, 1, (std::int64_t{1} << 20) - 1000},
    };
    for (const TCase& c : cases) {
        const TKitDecodeBudget outer(c.Outer);
        std::optional<TKitDecodeBudget> inner;
        if (c.Inner)
            inner.emplace(c.Inner);
        EXPECT_EQ(readAll(), c.Read) << c.Outer << "/" << c.Inner;
        EXPECT_EQ(outer.Remaining(), c.OuterLeft) << c.Outer << "/" << c.Inner;
    }
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
        LoadWave(*item->Wave(), WaveBytes(4));
        ASSERT_FALSE(item->Wave()->Empty());
        const std::int64_t size = item->Wave()->Size();
        TReadOnlyMemoryStream s = Over(record);
        EXPECT_THROW(item->ReadItemData(s), EReadError);
        EXPECT_EQ(item->Wave()->Size(), size);
    }
    // A wave-list file holding it fails to load.
    TSeedBytes file{8, 'K', 'I', 'T', 'W', 'V', 'L', '3', '0'};
    AppendInt32(file, 1);
    AppendInt32(file, 17);
    file.push_back(0x09);
    TOwnedPtr<TKitWaveList> list(new TKitWaveList(nullptr));
    TReadOnlyMemoryStream s = Over(file);
    EXPECT_THROW(list->LoadFromListStream(s, "klang.wav"), EReadError);
}

TEST(WaveRecord, WaveBlocksLoadedOnTheirOwnGetTheRecordChecks) {
    // LoadCompressed and LoadWithSize check a block as a record's wave block
    // is checked: a short or damaged block and the open budget; a refused
    // block leaves the wave as it was.
    const TSeedBytes riff = WaveBytes(4);
    TKitWave made;
    LoadWave(made, riff);
    TMemoryStream packedStream;
    made.SaveCompressed(packedStream);
    TMemoryStream sizedStream;
    made.SaveWithSize(sizedStream);
    const TSeedBytes packed = packedStream.Bytes();
    const TSeedBytes sized = sizedStream.Bytes();
    enum TOutcome { Loaded, BadBlock, OverBudget };
    struct TCase {
        const char* Name;
        TSeedBytes Bytes;
        bool Compressed;
        std::int64_t Limit;
        TOutcome Outcome;
    };
    const TCase cases[] = {
        {"compressed", packed, true, KitDefaultDecodeLimit, Loaded},
        {"with size", sized, false, KitDefaultDecodeLimit, Loaded},
        {"compressed from an empty stream", {}, true, KitDefaultDecodeLimit, BadBlock},
        {"compressed cut after its total", TSeedBytes(packed.begin(), packed.begin() + 4), true,
         KitDefaultDecodeLimit, BadBlock},
        {"with size, cut", TSeedBytes(sized.begin(), sized.end() - 1), false, KitDefaultDecodeLimit,
         BadBlock},
        {"compressed over the budget", packed, true, 20, OverBudget},
        {"with size over the budget", sized, false, 20, OverBudget},
    };
    for (const TCase& c : cases) {
        TKitWave wave;
        LoadWave(wave, TSeedBytes(riff.begin(), riff.end() - 1)); // shorter than the block's
        TReadOnlyMemoryStream s = Over(c.Bytes);
        const TKitDecodeBudget budget(c.Limit);
        auto load = [&] { c.Compressed ? wave.LoadCompressed(s) : wave.LoadWithSize(s); };
        switch (c.Outcome) {
        case Loaded:
            load();
            EXPECT_EQ(wave.Data()->Bytes(), riff) << c.Name;
            continue;
        case BadBlock:
            EXPECT_TRUE(RefusedByBound(load)) << c.Name;
            break;
        case OverBudget:
            EXPECT_THROW(load(), EKitDecodeLimit) << c.Name;
            break;
        }
        EXPECT_EQ(wave.Size(), static_cast<std::int64_t>(riff.size() - 1)) << c.Name;
    }
}

TEST(ListFile, WholeListLoaderFollowsTheOffsetTable) {
    // Item 0's record lies at 22, item 1's at 21: [22, 21].
    TSeedBytes file{8, 'K', 'I', 'T', 'S', 'L', 'L', '3', '0'};
    AppendInt32(file, 2);
    AppendInt32(file, 22);
    AppendInt32(file, 21);
    file.push_back(0x00);                 // at 21: an item without lines
    file.push_back(0x08);                 // at 22: one line "B"
    AppendInt32(file, 3);
    file.insert(file.end(), {'B', '\r', '\n'});
    TOwnedPtr<TKitStringList> list(new TKitStringList(nullptr));
    TReadOnlyMemoryStream s = Over(file);
    list->LoadFromListStream(s, "liste.txt");
    ASSERT_EQ(list->Count(), 2);
    ASSERT_EQ(list->Items(0)->Items()->Count(), 1);
    EXPECT_EQ(list->Items(0)->Items()->Get(0), "B");
    EXPECT_EQ(list->Items(1)->Items()->Count(), 0);
}

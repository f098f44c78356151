// The block compressor's exact output and the decompressor's defences.

#include "CodecTestSupport.h"
#include "components/codec/kitlzrw.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

namespace {

TBytes Compress(const TBytes& input) {
    TBytes out(input.size() + LZRWOutputSlack, 0xCC);
    const std::uint16_t length =
        LZRWCompress(input.data(), out.data(), static_cast<std::uint16_t>(input.size()));
    out.resize(length);
    return out;
}

TBytes Decompress(const TBytes& block) {
    TBytes out(LZRWMaxInputBytes);
    const std::uint16_t length =
        LZRWDecompress(block.data(), out.data(), static_cast<std::uint16_t>(block.size()));
    out.resize(length);
    return out;
}

void ExpectCorrupt(const TBytes& block) {
    try {
        Decompress(block);
        FAIL() << "damaged block accepted";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), LZRWCorruptDataMessage);
    }
}

TEST(LZRWCompress, GoldenBlocks) {
    EXPECT_EQ(Compress(TBytes(16, 'x')), (TBytes{0x40, 0x80, 0x00, 0x00, 0x00, 0x00, 'x'}));
    EXPECT_EQ(Compress(TBytes(15, 'x')), (TBytes{0x40, 0x40, 0x00, 'x', 0x00, 0x1B}));
    EXPECT_EQ(Compress(TBytes{'a', 'b', 'c'}), (TBytes{0x80, 'a', 'b', 'c'}));
    EXPECT_EQ(Compress(TBytes{}), (TBytes{0x80}));
    EXPECT_EQ(Compress(TBytes{7}), (TBytes{0x80, 7}));
    EXPECT_EQ(Compress(TBytes{7, 7}), (TBytes{0x80, 7, 7}));
    EXPECT_EQ(Compress(TBytes{7, 7, 7}), (TBytes{0x80, 7, 7, 7}));
}

TEST(LZRWCompress, LongRunIsCutAt4095AndContinues) {
    const TBytes input(5000, 0);
    const TBytes block = Compress(input);
    // First item: a run of 4095 (length - 16 = 4079 = 0x0FEF).
    ASSERT_GE(block.size(), 7u);
    EXPECT_EQ(block[0], 0x40);
    EXPECT_EQ(block[1] & 0x80, 0x80);
    EXPECT_EQ((TBytes{block[3], block[4], block[5], block[6]}), (TBytes{0x00, 0x0F, 0xEF, 0x00}));
    // The remaining 905 bytes are a second run.
    ASSERT_EQ(block.size(), 11u);
    EXPECT_EQ((TBytes{block[7], block[8], block[9], block[10]}), (TBytes{0x00, 0x03, 0x79, 0x00}));
    EXPECT_EQ(Decompress(block), input);
}

TEST(LZRWCompress, ControlWordFollowsEverySixteenItems) {
    // 17 literals then compressible repetition: the second control word
    // stands right after the 16th item.
    TBytes input;
    for (int i = 0; i < 40; ++i) {
        input.push_back(static_cast<std::uint8_t>(i));
    }
    for (int i = 0; i < 40; ++i) {
        input.push_back(static_cast<std::uint8_t>(i));
    }
    const TBytes block = Compress(input);
    ASSERT_EQ(block[0], 0x40);
    EXPECT_EQ(block[1], 0x00); // 16 literals
    EXPECT_EQ(block[2], 0x00);
    EXPECT_EQ(Decompress(block), input);
}

TEST(LZRWCompress, CopiesStayWithinDistanceAndLength) {
    std::mt19937 random(7);
    const TBytes input = PhraseBytes(LZRWMaxInputBytes, random);
    const TBytes block = Compress(input);
    ASSERT_EQ(block[0], 0x40);
    // Walk the items and check every copy's fields.
    std::size_t i = 3;
    unsigned bits = 16;
    std::uint16_t w = static_cast<std::uint16_t>(block[1] << 8 | block[2]);
    std::size_t produced = 0;
    while (i < block.size()) {
        if (bits == 0) {
            w = static_cast<std::uint16_t>(block[i] << 8 | block[i + 1]);
            i += 2;
            bits = 16;
        }
        if (w & 0x8000) {
            const unsigned d = block[i] * 16u + block[i + 1] / 16u;
            if (d != 0) {
                EXPECT_LE(d, 4095u);
                EXPECT_LE(d, produced);
                produced += (block[i + 1] & 15u) + 3;
                i += 2;
            } else {
                const unsigned l = block[i + 1] * 256u + block[i + 2] + 16;
                EXPECT_LE(l, 4095u);
                produced += l;
                i += 4;
            }
        } else {
            ++produced;
            ++i;
        }
        w = static_cast<std::uint16_t>(w << 1);
        --bits;
    }
    EXPECT_EQ(produced, input.size());
    EXPECT_EQ(Decompress(block), input);
}

TEST(LZRWCompress, RepetitionFromPosition32768OnIsNotMatched) {
    // Random bytes up to 32768, then a phrase repeated: the second occurrence
    // may not refer to the first, whose position reads back negative.
    std::mt19937 random(3);
    TBytes input = RandomBytes(32768, 256, random);
    const TBytes phrase{'q', 'w', 'e', 'r', 't', 'z', 'u', 'i'};
    input.insert(input.end(), phrase.begin(), phrase.end());
    input.insert(input.end(), phrase.begin(), phrase.end());
    ASSERT_EQ(input.size(), 32784u);
    input.resize(LZRWMaxInputBytes);
    TBytes out(input.size() + LZRWOutputSlack);
    // Random data does not compress: the block is stored either way, so
    // check the match routine directly.
    std::vector<std::int16_t> table(LZRWHashTableSize, -1);
    std::uint16_t q = 0;
    std::uint16_t l = 0;
    EXPECT_FALSE(LZRWFindMatch(input.data(), 32768, LZRWMaxInputBytes, q, l, table.data()));
    EXPECT_FALSE(LZRWFindMatch(input.data(), 32776, LZRWMaxInputBytes, q, l, table.data()));
    EXPECT_EQ(LZRWCompress(input.data(), out.data(), static_cast<std::uint16_t>(input.size())),
              input.size() + 1);
}

TEST(LZRWFindMatch, DistanceLimitAndTableUpdate) {
    TBytes input(5000, 0);
    for (std::size_t i = 0; i < input.size(); ++i) {
        input[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    input[4096] = input[0];
    input[4097] = input[1];
    input[4098] = input[2];
    std::vector<std::int16_t> table(LZRWHashTableSize, -1);
    std::uint16_t q = 0;
    std::uint16_t l = 0;
    EXPECT_FALSE(LZRWFindMatch(input.data(), 0, 5000, q, l, table.data()));
    // 4096 back is one too far; the entry now holds 4096.
    EXPECT_FALSE(LZRWFindMatch(input.data(), 4096, 5000, q, l, table.data()));
    input[4200] = input[0];
    input[4201] = input[1];
    input[4202] = input[2];
    ASSERT_TRUE(LZRWFindMatch(input.data(), 4200, 5000, q, l, table.data()));
    EXPECT_EQ(q, 4096);
    EXPECT_EQ(l, 3);
}

TEST(LZRWFindMatch, NeverReadsPastInput) {
    // The last two bytes: the hash would read beyond n; a heap copy of exactly
    // n bytes lets the sanitizer catch such a read.
    const TBytes source{5, 5, 5, 9, 5, 5};
    auto exact = std::make_unique<std::uint8_t[]>(source.size());
    std::copy(source.begin(), source.end(), exact.get());
    TBytes out(source.size() + LZRWOutputSlack);
    const std::uint16_t length = LZRWCompress(exact.get(), out.data(), 6);
    out.resize(length);
    EXPECT_EQ(Decompress(out), source);
}

TEST(LZRWCompress, FailedTableAllocationRaisesEInvalidPointer) {
    const auto previous =
        SetLZRWTableAllocator({[](std::size_t) -> void* { return nullptr; }, [](void*) {}});
    TBytes out(16 + LZRWOutputSlack, 0xCC);
    const TBytes input(16, 1);
    try {
        LZRWCompress(input.data(), out.data(), 16);
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidPointer& e) {
        EXPECT_EQ(e.Message(), "LZRW Error!");
    }
    SetLZRWTableAllocator(previous);
    EXPECT_EQ(out, TBytes(16 + LZRWOutputSlack, 0xCC)) << "nothing written for the block";
}

TEST(LZRWDecompress, AnyFlagButStoredIsCompressed) {
    EXPECT_EQ(Decompress(TBytes{0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 'x'}), TBytes(16, 'x'));
    EXPECT_EQ(Decompress(TBytes{0x80}), TBytes{});
    EXPECT_EQ(Decompress(TBytes{0x40, 0x00, 0x00}), TBytes{});
}

TEST(LZRWDecompress, OverlappingCopyRepeatsPattern) {
    // "ab" then copy distance 2 length 6.
    EXPECT_EQ(Decompress(TBytes{0x40, 0x20, 0x00, 'a', 'b', 0x00, 0x23}),
              (TBytes{'a', 'b', 'a', 'b', 'a', 'b', 'a', 'b'}));
}

TEST(LZRWDecompress, DamagedBlocksRaiseOneReadError) {
    ExpectCorrupt(TBytes{});                                  // length 0
    ExpectCorrupt(TBytes{0x40});                              // no control word
    ExpectCorrupt(TBytes{0x40, 0x80});                        // half a control word
    ExpectCorrupt(TBytes{0x40, 0x80, 0x00, 0x00, 0x00});      // run item cut off
    ExpectCorrupt(TBytes{0x40, 0x80, 0x00, 0x01});            // copy item cut off
    ExpectCorrupt(TBytes{0x40, 0x80, 0x00, 0x00, 0x13});      // copy before the output
    ExpectCorrupt(TBytes{0x40, 0x40, 0x00, 'a', 0x00, 0x20}); // distance 2 after 1 byte
    // A stored block longer than the largest block.
    TBytes stored(LZRWMaxBlockBytes + 1, 1);
    stored[0] = 0x80;
    ExpectCorrupt(stored);
    // A control word missing its second byte after 16 literals.
    TBytes literals{0x40, 0x00, 0x00};
    literals.insert(literals.end(), 16, 'l');
    literals.push_back(0x00);
    ExpectCorrupt(literals);
}

// A compressed block of runs of the given lengths (16..4111), then Tail,
// whose items are flagged in TailBits (bits below the runs' bits).
TBytes RunBlock(const std::vector<unsigned>& runs, std::uint16_t tailBits, const TBytes& tail) {
    std::uint16_t w = tailBits;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        w = static_cast<std::uint16_t>(w | 0x8000u >> r);
    }
    TBytes block{0x40, static_cast<std::uint8_t>(w >> 8), static_cast<std::uint8_t>(w & 0xFF)};
    for (const unsigned length : runs) {
        block.insert(block.end(), {0x00, static_cast<std::uint8_t>((length - 16) >> 8),
                                   static_cast<std::uint8_t>((length - 16) & 0xFF), 'r'});
    }
    block.insert(block.end(), tail.begin(), tail.end());
    return block;
}

TEST(LZRWDecompress, OutputLimitIsExactly32781Bytes) {
    // Seven runs of the longest encodable length 4111 and one of 4004.
    std::vector<unsigned> runs(7, 4111);
    runs.push_back(4004);
    EXPECT_EQ(Decompress(RunBlock(runs, 0, {})), TBytes(LZRWMaxInputBytes, 'r'));
    // One byte more, by run, literal or copy, is damaged data.
    runs.back() = 4005;
    ExpectCorrupt(RunBlock(runs, 0, {}));
    runs.back() = 4004;
    ExpectCorrupt(RunBlock(runs, 0x0000, {'l'}));
    runs.back() = 4002;
    ExpectCorrupt(RunBlock(runs, 0x0080, {0x00, 0x10}));
    runs.back() = 4001;
    EXPECT_EQ(Decompress(RunBlock(runs, 0x0080, {0x00, 0x10})).size(), LZRWMaxInputBytes);
}

TEST(LZRWDecompress, RunFieldOf65535IsACopyFromBeforeTheOutput) {
    // A run's length field has four zero bits on top; with them set the item
    // reads as a copy of distance 15 at output position 0.
    ExpectCorrupt(TBytes{0x40, 0x80, 0x00, 0x00, 0xFF, 0xFF, 'r'});
    // The longest real run is 4095 + 16 bytes.
    EXPECT_EQ(Decompress(RunBlock({4111}, 0, {})), TBytes(4111, 'r'));
}

} // namespace

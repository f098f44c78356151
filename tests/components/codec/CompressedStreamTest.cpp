// Compressed streams: framing bytes, round trips, damaged streams.

#include "CodecTestSupport.h"
#include "components/codec/kitcompressedstream.h"
#include "components/codec/kitlzrw.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TBytes CompressBytes(const TBytes& input) {
    TMemoryStream source;
    LoadBytes(source, input);
    TMemoryStream dest;
    CompressStream(source, dest, static_cast<std::int32_t>(input.size()));
    EXPECT_EQ(dest.GetPosition(), dest.GetSize()) << "Dest left after the stream";
    return dest.Bytes();
}

TBytes DecompressBytes(const TBytes& stream) {
    TMemoryStream source;
    LoadBytes(source, stream);
    TMemoryStream dest;
    DecompressStream(source, dest);
    EXPECT_EQ(source.GetPosition(), source.GetSize()) << "Source left after the stream";
    return dest.Bytes();
}

// Decompresses a damaged stream; expects the read error and returns what
// reached Dest before it.
TBytes DecompressDamaged(const TBytes& stream) {
    TMemoryStream source;
    LoadBytes(source, stream);
    TMemoryStream dest;
    EXPECT_THROW(DecompressStream(source, dest), EReadError);
    return dest.Bytes();
}

TBytes Frame(std::initializer_list<TBytes> blocks) {
    TBytes body;
    for (const TBytes& block : blocks) {
        AppendInt32(body, static_cast<std::int32_t>(block.size()));
        body.insert(body.end(), block.begin(), block.end());
    }
    TBytes stream;
    AppendInt32(stream, static_cast<std::int32_t>(body.size()));
    stream.insert(stream.end(), body.begin(), body.end());
    return stream;
}

std::int32_t Int32At(const TBytes& bytes, std::size_t at) {
    return static_cast<std::int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                     static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

TEST(CompressStream, GoldenStreams) {
    EXPECT_EQ(CompressBytes(TBytes(16, 'b')),
              (TBytes{0x0B, 0, 0, 0, 0x07, 0, 0, 0, 0x40, 0x80, 0, 0, 0, 0, 'b'}));
    EXPECT_EQ(CompressBytes(TBytes{}), (TBytes{0, 0, 0, 0}));
    EXPECT_EQ(DecompressBytes(TBytes{0, 0, 0, 0}), TBytes{});
}

TEST(CompressStream, BlocksAreCutAt32781Bytes) {
    const TBytes one = CompressBytes(TBytes(LZRWMaxInputBytes, 'a'));
    // Eight runs of 4095 and a run of 21: one block.
    ASSERT_EQ(Int32At(one, 0), static_cast<std::int32_t>(one.size() - 4));
    EXPECT_EQ(Int32At(one, 4), static_cast<std::int32_t>(one.size() - 8));

    const TBytes two = CompressBytes(TBytes(LZRWMaxInputBytes + 1, 'a'));
    const std::int32_t first = Int32At(two, 4);
    ASSERT_EQ(two.size(), 4u + 4u + first + 4u + 2u);
    EXPECT_EQ(Int32At(two, 8 + first), 2) << "the second block stores one byte";
    EXPECT_EQ((TBytes{two[12 + first], two[13 + first]}), (TBytes{0x80, 'a'}));
    EXPECT_EQ(Int32At(two, 0), static_cast<std::int32_t>(two.size() - 4));
    EXPECT_EQ(DecompressBytes(two), TBytes(LZRWMaxInputBytes + 1, 'a'));
}

TEST(CompressStream, WritesAtDestPositionAndReadsCountBytes) {
    TMemoryStream source;
    LoadBytes(source, TBytes{1, 2, 3, 4, 5, 6});
    source.SetPosition(1);
    TMemoryStream dest;
    LoadBytes(dest, TBytes{9, 9});
    dest.SetPosition(2);
    CompressStream(source, dest, 3);
    EXPECT_EQ(dest.Bytes(), (TBytes{9, 9, 8, 0, 0, 0, 4, 0, 0, 0, 0x80, 2, 3, 4}));
    EXPECT_EQ(source.GetPosition(), 4);
}

TEST(CompressStream, ShortSourceEndsTheStream) {
    TMemoryStream source;
    LoadBytes(source, TBytes{1, 2});
    TMemoryStream dest;
    CompressStream(source, dest, 100);
    EXPECT_EQ(dest.Bytes(), (TBytes{7, 0, 0, 0, 3, 0, 0, 0, 0x80, 1, 2}));
}

TEST(CompressStream, FailedTableAllocationLeavesTotalUnfilled) {
    const auto previous =
        SetLZRWTableAllocator({[](std::size_t) -> void* { return nullptr; }, [](void*) {}});
    TMemoryStream source;
    LoadBytes(source, TBytes(100, 3));
    TMemoryStream dest;
    EXPECT_THROW(CompressStream(source, dest, 100), EInvalidPointer);
    SetLZRWTableAllocator(previous);
    EXPECT_EQ(dest.GetSize(), 0);
}

TEST(CompressStream, RoundTripsRandomData) {
    std::mt19937 random(20261208);
    const std::size_t sizes[] = {0,    1,     2,     3,     15,    16,    17,     100,    4095,
                                 4096, 32780, 32781, 32782, 65562, 65563, 100000, 131072, 200000};
    for (const std::size_t size : sizes) {
        for (const unsigned alphabet : {256u, 4u}) {
            const TBytes input = RandomBytes(size, alphabet, random);
            EXPECT_EQ(DecompressBytes(CompressBytes(input)), input)
                << "size " << size << " alphabet " << alphabet;
        }
        const TBytes phrases = PhraseBytes(size, random);
        const TBytes compressed = CompressBytes(phrases);
        EXPECT_EQ(DecompressBytes(compressed), phrases) << "size " << size;
        if (size >= 1000) {
            EXPECT_LT(compressed.size(), size / 2) << "size " << size;
        }
    }
    for (int round = 0; round < 40; ++round) {
        const std::size_t size = std::uniform_int_distribution<std::size_t>(0, 200000)(random);
        const TBytes input = RandomBytes(size, 1u + round % 8 * 32, random);
        EXPECT_EQ(DecompressBytes(CompressBytes(input)), input) << "size " << size;
    }
}

TEST(DecompressStream, AppendsAtDestPositionAndStopsAfterTheStream) {
    TBytes stream = CompressBytes(TBytes{1, 2, 3});
    stream.push_back(0xEE); // a following item
    TMemoryStream source;
    LoadBytes(source, stream);
    TMemoryStream dest;
    LoadBytes(dest, TBytes{7, 7, 7});
    dest.SetPosition(1);
    DecompressStream(source, dest);
    EXPECT_EQ(dest.Bytes(), (TBytes{7, 1, 2, 3}));
    EXPECT_EQ(dest.GetPosition(), 4);
    EXPECT_EQ(source.GetPosition(), static_cast<std::int64_t>(stream.size() - 1));
}

TEST(DecompressStream, EmptySourceIsAnEmptyStream) {
    EXPECT_EQ(DecompressBytes(TBytes{}), TBytes{});
}

TEST(DecompressStream, DamagedFramingRaisesReadError) {
    const TBytes good{0x80, 'g'};
    DecompressDamaged(TBytes{1, 0});                                           // half a total
    DecompressDamaged(Frame({TBytes{}}));                                      // block length 0
    DecompressDamaged(TBytes{8, 0, 0, 0, 0xFC, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}); // length -4
    DecompressDamaged(TBytes{0xFF, 0xFF, 0xFF, 0xFF});                         // total -1
    {
        // Block length 40000 with enough bytes behind it.
        TBytes stream;
        AppendInt32(stream, 40004);
        AppendInt32(stream, 40000);
        stream.resize(stream.size() + 40000, 0x80);
        DecompressDamaged(stream);
    }
    {
        // A block length beyond the total.
        TBytes stream = Frame({good});
        stream[0] = 5;
        DecompressDamaged(stream);
    }
    {
        // A total beyond the source.
        TBytes stream = Frame({good});
        stream[0] = 100;
        DecompressDamaged(stream);
    }
    {
        // A total that leaves a stub of fewer than 5 bytes.
        TBytes stream = Frame({good});
        stream[0] = static_cast<std::uint8_t>(stream[0] + 3);
        stream.insert(stream.end(), {0, 0, 0});
        DecompressDamaged(stream);
    }
}

TEST(DecompressStream, BlocksBeforeTheDamageStay) {
    const TBytes first{0x80, 'a', 'b'};
    const TBytes copyFromNowhere{0x40, 0x80, 0x00, 0x00, 0xFF, 0xFF, 'r'};
    EXPECT_EQ(DecompressDamaged(Frame({first, copyFromNowhere})), (TBytes{'a', 'b'}));
    const TBytes copyBeforeOutput{0x40, 0x40, 0x00, 'x', 0x00, 0x30};
    EXPECT_EQ(DecompressDamaged(Frame({first, first, copyBeforeOutput})),
              (TBytes{'a', 'b', 'a', 'b'}));
}

} // namespace

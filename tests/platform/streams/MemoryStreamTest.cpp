// The memory streams and the TStream helpers built on Read/Write/Seek.

#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> result;
    for (const int v : values) {
        result.push_back(static_cast<std::uint8_t>(v));
    }
    return result;
}

// A stream that delivers at most a few bytes per call, like a pipe.
class TTrickleStream : public TMemoryStream {
public:
    std::int32_t Read(void* buffer, std::int32_t count) override {
        return TMemoryStream::Read(buffer, count < 3 ? count : 3);
    }
};

TEST(MemoryStream, WriteReadAndSeek) {
    TMemoryStream stream;
    EXPECT_EQ(stream.Write("abcdef", 6), 6);
    EXPECT_EQ(stream.GetSize(), 6);
    EXPECT_EQ(stream.GetPosition(), 6);
    EXPECT_EQ(stream.Seek(-4, TSeekOrigin::soEnd), 2);
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 8), 4);
    EXPECT_STREQ(buffer, "cdef");
    EXPECT_EQ(stream.Read(buffer, 8), 0);
    EXPECT_EQ(stream.Seek(-1, TSeekOrigin::soCurrent), 5);
    stream.Write("XY", 2);
    EXPECT_EQ(stream.GetSize(), 7);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Memory()), 7), "abcdeXY");
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
    TMemoryStream stream;
    stream.Write("a", 1);
    stream.SetPosition(5);
    EXPECT_EQ(stream.GetSize(), 1); // seeking alone does not grow
    char buffer[1];
    EXPECT_EQ(stream.Read(buffer, 1), 0);
    stream.Write("b", 1);
    EXPECT_EQ(stream.Bytes(), Bytes({'a', 0, 0, 0, 0, 'b'}));
}

TEST(MemoryStream, GrowsOverManySmallWrites) {
    TMemoryStream stream;
    for (int i = 0; i < 100000; ++i) {
        stream.WriteByte(static_cast<std::uint8_t>(i));
    }
    ASSERT_EQ(stream.GetSize(), 100000);
    EXPECT_EQ(stream.Memory()[99999], static_cast<std::uint8_t>(99999));
}

TEST(MemoryStream, SetSizeTruncatesAndClampsThePosition) {
    TMemoryStream stream;
    stream.Write("abcdef", 6);
    stream.SetSize(3);
    EXPECT_EQ(stream.GetPosition(), 3);
    EXPECT_EQ(stream.GetSize(), 3);
    stream.SetSize(5);
    EXPECT_EQ(stream.Bytes(), Bytes({'a', 'b', 'c', 0, 0}));
    EXPECT_THROW(stream.SetSize(-1), EStreamError);
    stream.Clear();
    EXPECT_EQ(stream.GetSize(), 0);
    EXPECT_EQ(stream.GetPosition(), 0);
}

TEST(MemoryStream, SeekBeforeStartOrOverflowingIsRefused) {
    TMemoryStream stream;
    stream.Write("abc", 3);
    EXPECT_THROW(stream.Seek(-4, TSeekOrigin::soEnd), EStreamError);
    stream.SetPosition(1);
    EXPECT_THROW(stream.Seek(std::numeric_limits<std::int64_t>::max(), TSeekOrigin::soCurrent),
                 EStreamError);
    EXPECT_EQ(stream.GetPosition(), 1);
}

TEST(MemoryStream, LittleEndianHelpers) {
    TMemoryStream stream;
    stream.WriteByte(0xAB);
    stream.WriteInt16(-2);
    stream.WriteInt32(0x01020304);
    stream.WriteInt64(-0x0102030405060708LL);
    EXPECT_EQ(stream.Bytes(), Bytes({0xAB, 0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xF8, 0xF8, 0xF9,
                                     0xFA, 0xFB, 0xFC, 0xFD, 0xFE}));
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadByte(), 0xAB);
    EXPECT_EQ(stream.ReadInt16(), -2);
    EXPECT_EQ(stream.ReadInt32(), 0x01020304);
    EXPECT_EQ(stream.ReadInt64(), -0x0102030405060708LL);
    EXPECT_THROW(stream.ReadByte(), EReadError);
}

TEST(MemoryStream, ReadBufferRaisesTheGermanReadError) {
    TMemoryStream stream;
    stream.Write("ab", 2);
    stream.SetPosition(0);
    char buffer[4];
    try {
        stream.ReadBuffer(buffer, 3);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream-Lesefehler");
    }
    EXPECT_THROW(stream.ReadBuffer(buffer, -1), EReadError);
    stream.SetPosition(0);
    EXPECT_NO_THROW(stream.ReadBuffer(buffer, 0));
}

TEST(MemoryStream, ReadBufferGathersShortReads) {
    TTrickleStream stream;
    stream.Write("0123456789", 10);
    stream.SetPosition(0);
    char buffer[10];
    // One Read call gives only 3 bytes; ReadBuffer demands all at once.
    EXPECT_THROW(stream.ReadBuffer(buffer, 10), EReadError);
}

TEST(MemoryStream, CopyFromWholeSourceAndPart) {
    TMemoryStream source;
    std::string big(200000, 'x');
    big[123456] = 'y';
    source.Write(big.data(), static_cast<std::int32_t>(big.size()));
    TMemoryStream dest;
    EXPECT_EQ(dest.CopyFrom(source, 0), 200000);
    EXPECT_EQ(dest.Memory()[123456], 'y');

    source.SetPosition(123455);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(source, 3), 3);
    EXPECT_EQ(part.Bytes(), Bytes({'x', 'y', 'x'}));

    source.SetPosition(199999);
    EXPECT_THROW(part.CopyFrom(source, 2), EReadError);
    EXPECT_THROW(part.CopyFrom(source, -1), EReadError);
}

TEST(MemoryStream, LoadAndSaveThroughStreams) {
    TMemoryStream a;
    a.Write("hello", 5);
    TMemoryStream b;
    b.LoadFromStream(a);
    EXPECT_EQ(b.GetPosition(), 0);
    EXPECT_EQ(b.Bytes(), a.Bytes());
    TMemoryStream c;
    c.Write(">", 1);
    b.SaveToStream(c);
    EXPECT_EQ(c.Bytes(), Bytes({'>', 'h', 'e', 'l', 'l', 'o'}));
}

TEST(ReadOnlyMemoryStream, ReadsAndRefusesWrites) {
    static const char data[] = "readonly";
    TReadOnlyMemoryStream stream(data, 8);
    EXPECT_EQ(stream.GetSize(), 8);
    char buffer[4];
    stream.ReadBuffer(buffer, 4);
    EXPECT_EQ(std::memcmp(buffer, "read", 4), 0);
    EXPECT_EQ(stream.Write("x", 1), 0);
    EXPECT_THROW(stream.WriteBuffer("x", 1), EWriteError);
    EXPECT_THROW(stream.SetSize(2), EStreamError);
    EXPECT_EQ(stream.Seek(100, TSeekOrigin::soBeginning), 100);
    EXPECT_EQ(stream.Read(buffer, 4), 0);
    EXPECT_THROW(stream.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
}

TEST(ReadOnlyMemoryStream, WriteErrorIsGerman) {
    TReadOnlyMemoryStream stream("", 0);
    try {
        stream.WriteBuffer("abc", 3);
        FAIL() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message(), "Stream-Schreibfehler");
    }
}

} // namespace

// Item-stream helpers: value layouts, data blocks in both forms, damaged
// blocks.

#include "CodecTestSupport.h"
#include "components/codec/kititemstream.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(ItemStreamValues, LayoutAndPositions) {
    TMemoryStream stream;
    WriteInt32(stream, -2);
    WriteByte(stream, 0xAB);
    WriteShortStr(stream, "");
    WriteShortStr(stream, "Öl");
    EXPECT_EQ(stream.Bytes(), (TBytes{0xFE, 0xFF, 0xFF, 0xFF, 0xAB, 0x00, 0x02, 0xD6, 'l'}));
    stream.SetPosition(0);
    EXPECT_EQ(ReadInt32(stream), -2);
    EXPECT_EQ(ReadByte(stream), 0xAB);
    std::string s = "vorher";
    ReadShortStr(stream, s);
    EXPECT_EQ(s, "");
    ReadShortStr(stream, s);
    EXPECT_EQ(s, "Öl");
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());
}

TEST(ItemStreamValues, ShortStringsAreCutAt255) {
    TMemoryStream stream;
    const std::string s255(255, 'x');
    WriteShortStr(stream, s255);
    EXPECT_EQ(stream.GetSize(), 256);
    EXPECT_EQ(stream.Bytes()[0], 255);
    // 300 characters: 255 are written, not 300 mod 256 = 44.
    WriteShortStr(stream, std::string(300, 'y'));
    EXPECT_EQ(stream.GetSize(), 512);
    EXPECT_EQ(stream.Bytes()[256], 255);
    stream.SetPosition(0);
    std::string back;
    ReadShortStr(stream, back);
    EXPECT_EQ(back, s255);
    ReadShortStr(stream, back);
    EXPECT_EQ(back, std::string(255, 'y'));
}

TEST(ItemStreamValues, ShortReadsRaise) {
    TMemoryStream stream;
    LoadBytes(stream, TBytes{1, 2, 3});
    EXPECT_THROW(ReadInt32(stream), EReadError);
    LoadBytes(stream, TBytes{});
    EXPECT_THROW(ReadByte(stream), EReadError);
    LoadBytes(stream, TBytes{5, 'a', 'b'});
    std::string s = "bleibt";
    EXPECT_THROW(ReadShortStr(stream, s), EReadError);
    EXPECT_EQ(s, "bleibt");
}

TEST(ItemStreamStrings, PlainGoldenBytes) {
    TStringList list;
    list.Add("a");
    list.Add("b");
    TMemoryStream stream;
    WriteStrings(stream, list, false);
    EXPECT_EQ(stream.Bytes(), (TBytes{6, 0, 0, 0, 'a', '\r', '\n', 'b', '\r', '\n'}));

    TStringList empty;
    TMemoryStream emptyStream;
    WriteStrings(emptyStream, empty, false);
    EXPECT_EQ(emptyStream.Bytes(), (TBytes{0, 0, 0, 0}));
    emptyStream.SetPosition(0);
    list.Add("c");
    ReadStrings(emptyStream, list, false);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ItemStreamStrings, RoundTripBothFormsBackToBack) {
    TStringList list;
    for (int i = 0; i < 500; ++i) {
        list.Add("Zeile " + std::to_string(i % 7) + " mit Text ä");
    }
    TMemoryStream stream;
    WriteStrings(stream, list, true);
    const std::int64_t afterCompressed = stream.GetPosition();
    WriteStrings(stream, list, false);
    WriteByte(stream, 0x5A);
    EXPECT_LT(afterCompressed, stream.GetSize() - afterCompressed) << "compressed is smaller";

    stream.SetPosition(0);
    TStringList first;
    ReadStrings(stream, first, true);
    EXPECT_EQ(stream.GetPosition(), afterCompressed);
    TStringList second;
    ReadStrings(stream, second, false);
    EXPECT_EQ(ReadByte(stream), 0x5A);
    EXPECT_EQ(first.GetText(), list.GetText());
    EXPECT_EQ(second.GetText(), list.GetText());
}

TEST(ItemStreamStrings, DamagedBlocksLeaveTheListUnchanged) {
    TStringList list;
    list.Add("bleibt");
    const auto expectUnchanged = [&list](const TBytes& bytes, bool compressed) {
        TMemoryStream stream;
        LoadBytes(stream, bytes);
        EXPECT_THROW(ReadStrings(stream, list, compressed), EReadError);
        ASSERT_EQ(list.Count(), 1);
        EXPECT_EQ(list[0], "bleibt");
    };
    expectUnchanged(TBytes{5, 0, 0, 0, 'a', '\r', '\n'}, false);     // length beyond the stream
    expectUnchanged(TBytes{0xFF, 0xFF, 0xFF, 0xFF}, false);          // negative length
    expectUnchanged(TBytes{0x00, 0xCA, 0x9A, 0x3B, 1, 2, 3}, false); // 10^9
    expectUnchanged(TBytes{0, 0}, false);                            // length cut off
    expectUnchanged(TBytes{}, true);                                 // no total
    expectUnchanged(TBytes{6, 0, 0, 0, 2, 0, 0, 0, 0x40, 0x80}, true);
}

TEST(ItemStreamDataBlock, PayloadWriterAndReaderSeams) {
    TMemoryStream stream;
    WriteByte(stream, 1);
    WriteDataBlock(stream, false, [](TStream& s) { s.WriteBuffer("BMxyz", 5); });
    WriteDataBlock(stream, true, [](TStream& s) { s.WriteBuffer("BMxyz", 5); });
    EXPECT_EQ(TBytes(stream.Bytes().begin(), stream.Bytes().begin() + 10),
              (TBytes{1, 5, 0, 0, 0, 'B', 'M', 'x', 'y', 'z'}));

    stream.SetPosition(1);
    TMemoryStream payload;
    ReadDataBlock(stream, false, payload);
    EXPECT_EQ(payload.Bytes(), (TBytes{'B', 'M', 'x', 'y', 'z'}));
    EXPECT_EQ(payload.GetPosition(), 0);
    ReadDataBlock(stream, true, payload);
    EXPECT_EQ(payload.Bytes(), (TBytes{'B', 'M', 'x', 'y', 'z'}));
    EXPECT_EQ(payload.GetPosition(), 0);
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());
}

TEST(ItemStreamDataBlock, BlockWrittenInOneFormDoesNotReadInTheOther) {
    TStringList list;
    list.Add("x");
    TMemoryStream stream;
    WriteStrings(stream, list, false);
    stream.SetPosition(0);
    TStringList back;
    // The plain length 3 reads as a total beyond the stream.
    EXPECT_THROW(ReadStrings(stream, back, true), EReadError);
}

} // namespace

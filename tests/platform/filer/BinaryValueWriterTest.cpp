// The bytes TBinaryValueWriter produces for each value.

#include "FilerTestSupport.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TBytes Integer(std::int64_t value) {
    return Written([&](TBinaryValueWriter& w) { w.WriteInteger(value); });
}

TEST(BinaryValueWriter, IntegersTakeTheSmallestTypeAtEveryBoundary) {
    EXPECT_EQ(Integer(0), Bytes({vaInt8, 0}));
    EXPECT_EQ(Integer(-128), Bytes({vaInt8, 0x80}));
    EXPECT_EQ(Integer(127), Bytes({vaInt8, 0x7F}));
    EXPECT_EQ(Integer(128), Bytes({vaInt16, 0x80, 0x00}));
    EXPECT_EQ(Integer(-129), Bytes({vaInt16, 0x7F, 0xFF}));
    EXPECT_EQ(Integer(-32768), Bytes({vaInt16, 0x00, 0x80}));
    EXPECT_EQ(Integer(32767), Bytes({vaInt16, 0xFF, 0x7F}));
    EXPECT_EQ(Integer(32768), Bytes({vaInt32, 0x00, 0x80, 0x00, 0x00}));
    EXPECT_EQ(Integer(-32769), Bytes({vaInt32, 0xFF, 0x7F, 0xFF, 0xFF}));
    EXPECT_EQ(Integer(2147483647), Bytes({vaInt32, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(Integer(-2147483648LL), Bytes({vaInt32, 0x00, 0x00, 0x00, 0x80}));
    EXPECT_EQ(Integer(2147483648LL), Bytes({vaInt64, 0, 0, 0, 0x80, 0, 0, 0, 0}));
    EXPECT_EQ(Integer(-2147483649LL),
              Bytes({vaInt64, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Integer(std::numeric_limits<std::int64_t>::min()),
              Bytes({vaInt64, 0, 0, 0, 0, 0, 0, 0, 0x80}));
}

TEST(BinaryValueWriter, StringsSwitchToLongStringsAfter255Bytes) {
    const std::string s255(255, 'x');
    EXPECT_EQ(Written([&](TBinaryValueWriter& w) { w.WriteString(s255); }),
              Concat(Bytes({vaString, 255}), TBytes(255, 'x')));
    const std::string s256(256, 'y');
    EXPECT_EQ(Written([&](TBinaryValueWriter& w) { w.WriteString(s256); }),
              Concat(Bytes({vaLString, 0x00, 0x01, 0x00, 0x00}), TBytes(256, 'y')));
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteString(""); }), Bytes({vaString, 0}));
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteWideString(u"a\u20AC"); }),
              Bytes({vaWString, 2, 0, 0, 0, 'a', 0, 0xAC, 0x20}));
}

TEST(BinaryValueWriter, ShortStringsOver255BytesAreRefusedBeforeWriting) {
    TMemoryStream stream;
    TBinaryValueWriter writer(stream);
    writer.WriteStr(std::string(255, 'a'));
    EXPECT_EQ(stream.GetSize(), 256);
    EXPECT_THROW(writer.WriteStr(std::string(256, 'a')), EWriteError);
    EXPECT_THROW(writer.WriteIdent(std::string(256, 'a')), EWriteError);
    EXPECT_EQ(stream.GetSize(), 256);
}

TEST(BinaryValueWriter, IdentifiersAndTheirOwnValueTypes) {
    auto ident = [](const std::string& name) {
        return Written([&](TBinaryValueWriter& w) { w.WriteIdent(name); });
    };
    EXPECT_EQ(ident("False"), Bytes({vaFalse}));
    EXPECT_EQ(ident("True"), Bytes({vaTrue}));
    EXPECT_EQ(ident("nil"), Bytes({vaNil}));
    EXPECT_EQ(ident("Null"), Bytes({vaNull}));
    EXPECT_EQ(ident("false"), Bytes({vaIdent, 5, 'f', 'a', 'l', 's', 'e'}));
    EXPECT_EQ(ident("_a1.b"), Bytes({vaIdent, 5, '_', 'a', '1', '.', 'b'}));
    for (const char* bad : {"", "1abc", "a b", "a..b", "a.", ".a", "a-b", "\xE4"}) {
        EXPECT_THROW(ident(bad), EWriteError) << bad;
    }
    EXPECT_EQ(Written([](TBinaryValueWriter& w) {
                  w.WriteBoolean(false);
                  w.WriteBoolean(true);
                  w.WriteNil();
              }),
              Bytes({vaFalse, vaTrue, vaNil}));
}

TEST(BinaryValueWriter, FloatingPointLayouts) {
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteFloat(1.0); }),
              Bytes({vaExtended, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteFloat(-0.0); }),
              Bytes({vaExtended, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}));
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteSingle(1.0f); }),
              Bytes({vaSingle, 0, 0, 0x80, 0x3F}));
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteSingleBits(0x7F800001); }),
              Bytes({vaSingle, 0, 0, 0xC0, 0x7F}));
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteDate(1.0); }),
              Bytes({vaDate, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteDate(-std::nan("5")); }),
              Bytes({vaDate, 0, 0, 0, 0, 0, 0, 0xF8, 0xFF}));
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteCurrency(125000); }),
              Bytes({vaCurrency, 0x48, 0xE8, 0x01, 0, 0, 0, 0, 0}));
}

TEST(BinaryValueWriter, Sets) {
    EXPECT_EQ(Written([](TBinaryValueWriter& w) {
                  w.WriteSet({"a", "bc"});
              }),
              Bytes({vaSet, 1, 'a', 2, 'b', 'c', 0}));
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteSet({}); }), Bytes({vaSet, 0}));
    TMemoryStream stream;
    TBinaryValueWriter writer(stream);
    EXPECT_THROW(writer.WriteSet({"ok", "a.b"}), EWriteError);
    EXPECT_THROW(writer.WriteSet({""}), EWriteError);
    EXPECT_EQ(stream.GetSize(), 0);
}

TEST(BinaryValueWriter, BinaryData) {
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteBinary(TBytes{}); }),
              Bytes({vaBinary, 0, 0, 0, 0}));
    TBytes data(1000);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i * 7);
    }
    EXPECT_EQ(Written([&](TBinaryValueWriter& w) { w.WriteBinary(data); }),
              Concat(Bytes({vaBinary, 0xE8, 0x03, 0, 0}), data));
    EXPECT_THROW(Written([](TBinaryValueWriter& w) { w.WriteBinary("", -1); }), EWriteError);
}

TEST(BinaryValueWriter, ListsAndCollections) {
    EXPECT_EQ(Written([](TBinaryValueWriter& w) {
                  w.WriteListBegin();
                  w.WriteInteger(1);
                  w.WriteString("a");
                  w.WriteListEnd();
              }),
              Bytes({vaList, vaInt8, 1, vaString, 1, 'a', vaNull}));
    EXPECT_EQ(
        Written([](TBinaryValueWriter& w) {
            w.WriteCollectionBegin();
            w.WriteCollectionItemBegin();
            w.WriteStr("W");
            w.WriteInteger(5);
            w.WriteCollectionItemEnd();
            w.WriteCollectionItemBegin(300);
            w.WriteCollectionItemEnd();
            w.WriteCollectionEnd();
        }),
        Bytes({vaCollection, vaList, 1, 'W', vaInt8, 5, 0, vaInt16, 0x2C, 0x01, vaList, 0, 0}));
}

TEST(BinaryValueWriter, SignatureAndPrefixes) {
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WriteSignature(); }),
              Bytes({'T', 'P', 'F', '0'}));
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WritePrefix(0, 7); }), TBytes{});
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WritePrefix(ffInherited); }), Bytes({0xF1}));
    EXPECT_EQ(Written([](TBinaryValueWriter& w) { w.WritePrefix(ffInline | ffChildPos, 5); }),
              Bytes({0xF6, vaInt8, 5}));
    EXPECT_THROW(Written([](TBinaryValueWriter& w) { w.WritePrefix(ffInherited | ffInline); }),
                 EWriteError);
    EXPECT_THROW(Written([](TBinaryValueWriter& w) { w.WritePrefix(8); }), EWriteError);
}

TEST(BinaryValueWriter, AFailingStreamRaisesWriteError) {
    TReadOnlyMemoryStream stream("", 0);
    TBinaryValueWriter writer(stream);
    EXPECT_THROW(writer.WriteInteger(1), EWriteError);
    EXPECT_THROW(writer.WriteSignature(), EWriteError);
}

} // namespace

// TBinaryValueReader: every value type, and its checks against damaged data.

#include "FilerTestSupport.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The message of the EReadError that Read raises on Bytes ("" when none).
std::string ReadError(const TBytes& bytes, const std::function<void(TBinaryValueReader&)>& read) {
    try {
        ReadFrom<int>(bytes, [&](TBinaryValueReader& r) {
            read(r);
            return 0;
        });
    } catch (const EReadError& e) {
        return e.Message();
    }
    return "";
}

TEST(BinaryValueReader, IntegersOfEveryWidth) {
    for (const std::int64_t value :
         {std::int64_t{0}, std::int64_t{-128}, std::int64_t{127}, std::int64_t{-32768},
          std::int64_t{40000}, std::int64_t{-2147483648LL}, std::int64_t{2147483647}}) {
        const TBytes bytes = Written([&](TBinaryValueWriter& w) { w.WriteInteger(value); });
        EXPECT_EQ(
            ReadFrom<std::int32_t>(bytes, [](TBinaryValueReader& r) { return r.ReadInteger(); }),
            value);
    }
    const TBytes big = Written([](TBinaryValueWriter& w) { w.WriteInteger(1LL << 40); });
    EXPECT_EQ(ReadFrom<std::int64_t>(big, [](TBinaryValueReader& r) { return r.ReadInt64(); }),
              1LL << 40);
    EXPECT_NE(ReadError(big, [](TBinaryValueReader& r) { r.ReadInteger(); })
                  .find("außerhalb des 32-Bit-Bereichs"),
              std::string::npos);
    // A small value in a wide type is fine.
    EXPECT_EQ(ReadFrom<std::int32_t>(Bytes({vaInt64, 5, 0, 0, 0, 0, 0, 0, 0}),
                                     [](TBinaryValueReader& r) { return r.ReadInteger(); }),
              5);
}

TEST(BinaryValueReader, WrongTypeNamesOffsetAndTypes) {
    const TBytes bytes = Bytes({vaTrue, vaString, 1, 'x'});
    EXPECT_EQ(ReadError(bytes,
                        [](TBinaryValueReader& r) {
                            r.ReadBoolean();
                            r.ReadInteger();
                        }),
              "Ungültige Formulardaten bei Offset 1: Ganzzahl erwartet, vaString gefunden");
    EXPECT_NE(ReadError(Bytes({21}), [](TBinaryValueReader& r) { r.SkipValue(); })
                  .find("Offset 0: Unbekannter Werttyp 21"),
              std::string::npos);
    const TBytes text = Bytes({vaString, 1, 'x'});
    EXPECT_NE(ReadError(text, [](TBinaryValueReader& r) { r.ReadIdent(); }), "");
    EXPECT_NE(ReadError(text, [](TBinaryValueReader& r) { r.ReadFloat(); }), "");
    EXPECT_NE(ReadError(text, [](TBinaryValueReader& r) { r.ReadSet(); }), "");
    EXPECT_NE(ReadError(text, [](TBinaryValueReader& r) { r.ReadBinary(); }), "");
    EXPECT_NE(ReadError(Bytes({vaInt8, 1}), [](TBinaryValueReader& r) { r.ReadString(); }), "");
    EXPECT_NE(ReadError(Bytes({vaInt8, 1}), [](TBinaryValueReader& r) { r.ReadBoolean(); }), "");
    EXPECT_NE(ReadError(Bytes({vaInt8, 1}), [](TBinaryValueReader& r) { r.ReadListBegin(); }), "");
}

TEST(BinaryValueReader, StringsOfEveryKind) {
    auto read = [](const TBytes& bytes) {
        return ReadFrom<std::string>(bytes, [](TBinaryValueReader& r) { return r.ReadString(); });
    };
    EXPECT_EQ(read(Bytes({vaString, 3, 'a', 'b', 'c'})), "abc");
    EXPECT_EQ(read(Bytes({vaLString, 2, 0, 0, 0, 'h', 'i'})), "hi");
    EXPECT_EQ(read(Bytes({vaUTF8String, 2, 0, 0, 0, 0xC3, 0xA4})), "\xC3\xA4"); // bytes as they are
    // UTF-16 becomes CP1252: "ü€" fit, U+263A does not, a surrogate pair is one '?'.
    EXPECT_EQ(read(Bytes({vaWString, 5, 0, 0, 0, 0xFC, 0, 0xAC, 0x20, 0x3A, 0x26, 0x3D, 0xD8, 0x00,
                          0xDE})),
              "\xFC\x80??");
    const std::u16string wide = ReadFrom<std::u16string>(
        Bytes({vaString, 2, 0x80, 0xE4}), [](TBinaryValueReader& r) { return r.ReadWideString(); });
    EXPECT_EQ(wide, u"\u20AC\u00E4");
    const std::u16string fromUtf8 =
        ReadFrom<std::u16string>(Bytes({vaUTF8String, 3, 0, 0, 0, 0xC3, 0xA4, 0xFF}),
                                 [](TBinaryValueReader& r) { return r.ReadWideString(); });
    EXPECT_EQ(fromUtf8, u"\u00E4?");
}

TEST(BinaryValueReader, IdentifiersBooleansAndFloats) {
    auto ident = [](const TBytes& bytes) {
        return ReadFrom<std::string>(bytes, [](TBinaryValueReader& r) { return r.ReadIdent(); });
    };
    EXPECT_EQ(ident(Bytes({vaIdent, 2, 'c', 'l'})), "cl");
    EXPECT_EQ(ident(Bytes({vaFalse})), "False");
    EXPECT_EQ(ident(Bytes({vaTrue})), "True");
    EXPECT_EQ(ident(Bytes({vaNil})), "nil");
    EXPECT_EQ(ident(Bytes({vaNull})), "Null");
    EXPECT_TRUE(
        ReadFrom<bool>(Bytes({vaTrue}), [](TBinaryValueReader& r) { return r.ReadBoolean(); }));

    auto number = [](const std::function<void(TBinaryValueWriter&)>& write) {
        return ReadFrom<long double>(Written(write),
                                     [](TBinaryValueReader& r) { return r.ReadFloat(); });
    };
    EXPECT_EQ(number([](TBinaryValueWriter& w) { w.WriteFloat(1.5); }), 1.5L);
    EXPECT_EQ(number([](TBinaryValueWriter& w) { w.WriteSingle(0.5f); }), 0.5L);
    EXPECT_EQ(number([](TBinaryValueWriter& w) { w.WriteCurrency(125000); }), 12.5L);
    EXPECT_EQ(number([](TBinaryValueWriter& w) { w.WriteDate(2.25); }), 2.25L);
    EXPECT_EQ(number([](TBinaryValueWriter& w) { w.WriteInteger(-7); }), -7.0L);
    EXPECT_TRUE(std::isnan(number([](TBinaryValueWriter& w) { w.WriteFloat(NAN); })));
}

TEST(BinaryValueReader, SetsBinaryAndCollections) {
    EXPECT_EQ(
        (ReadFrom<std::vector<std::string>>(Bytes({vaSet, 1, 'a', 2, 'b', 'c', 0}),
                                            [](TBinaryValueReader& r) { return r.ReadSet(); })),
        (std::vector<std::string>{"a", "bc"}));
    EXPECT_TRUE((ReadFrom<std::vector<std::string>>(Bytes({vaSet, 0}), [](TBinaryValueReader& r) {
                     return r.ReadSet();
                 }).empty()));
    EXPECT_EQ(ReadFrom<TBytes>(Bytes({vaBinary, 2, 0, 0, 0, 9, 8}),
                               [](TBinaryValueReader& r) { return r.ReadBinary(); }),
              Bytes({9, 8}));

    const TBytes collection = Written([](TBinaryValueWriter& w) {
        w.WriteCollectionBegin();
        w.WriteCollectionItemBegin(4);
        w.WriteStr("P");
        w.WriteInteger(1);
        w.WriteCollectionItemEnd();
        w.WriteCollectionItemBegin();
        w.WriteCollectionItemEnd();
        w.WriteCollectionEnd();
    });
    const std::string seen = ReadFrom<std::string>(collection, [](TBinaryValueReader& r) {
        std::string log;
        r.ReadCollectionBegin();
        while (!r.EndOfList()) {
            const auto order = r.ReadCollectionItemBegin();
            log += order ? "[" + std::to_string(*order) + "]" : "[]";
            while (!r.EndOfList()) {
                log += r.ReadStr() + "=";
                log += std::to_string(r.ReadInteger());
            }
            r.ReadListEnd();
        }
        r.ReadListEnd();
        EXPECT_TRUE(r.AtEnd());
        return log;
    });
    EXPECT_EQ(seen, "[4]P=1[]");
}

TEST(BinaryValueReader, SignatureAndPrefix) {
    EXPECT_EQ(
        ReadError(Bytes({'T', 'P', 'F', '0'}), [](TBinaryValueReader& r) { r.ReadSignature(); }),
        "");
    EXPECT_NE(
        ReadError(Bytes({'T', 'P', 'F', '1'}), [](TBinaryValueReader& r) { r.ReadSignature(); })
            .find("Signatur"),
        std::string::npos);
    EXPECT_NE(ReadError(Bytes({'T', 'P'}), [](TBinaryValueReader& r) { r.ReadSignature(); }), "");

    const TFilerPrefix prefix = ReadFrom<TFilerPrefix>(
        Bytes({0xF3, vaInt16, 0x00, 0x01}), [](TBinaryValueReader& r) { return r.ReadPrefix(); });
    EXPECT_EQ(prefix.Flags, ffInherited | ffChildPos);
    EXPECT_EQ(prefix.ChildPos, 256);
    // Without a prefix nothing is consumed.
    EXPECT_EQ(ReadFrom<std::string>(Bytes({2, 'T', 'X'}),
                                    [](TBinaryValueReader& r) {
                                        EXPECT_EQ(r.ReadPrefix().Flags, 0);
                                        return r.ReadStr();
                                    }),
              "TX");
    EXPECT_NE(ReadError(Bytes({0xF8}), [](TBinaryValueReader& r) { r.ReadPrefix(); }), "");
    EXPECT_NE(ReadError(Bytes({0xF2, vaString, 0}), [](TBinaryValueReader& r) { r.ReadPrefix(); }),
              "");
}

TEST(BinaryValueReader, HugeAndNegativeLengthsAreRefusedBeforeAllocating) {
    struct TCase {
        TBytes Bytes;
        const char* What;
    };
    const TCase cases[] = {
        {Bytes({vaBinary, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2}), "übersteigt"},
        {Bytes({vaBinary, 0xFF, 0xFF, 0xFF, 0xFF}), "Negative Länge -1"},
        {Bytes({vaLString, 0xFF, 0xFF, 0xFF, 0x7F}), "übersteigt"},
        {Bytes({vaLString, 0x00, 0x00, 0x00, 0x80}), "Negative Länge"},
        {Bytes({vaUTF8String, 0xFF, 0xFF, 0xFF, 0x7F}), "übersteigt"},
        {Bytes({vaWString, 0xFF, 0xFF, 0xFF, 0x7F}), "übersteigt"},
        {Bytes({vaWString, 0x02, 0, 0, 0, 'a', 0, 'b'}), "übersteigt"}, // 2 units need 4 bytes
        {Bytes({vaString, 5, 'a'}), "vorzeitig"},
        {Bytes({vaInt32, 1, 2}), "vorzeitig"},
        {Bytes({vaExtended, 1, 2, 3}), "vorzeitig"},
    };
    for (const auto& c : cases) {
        const std::string skip = ReadError(c.Bytes, [](TBinaryValueReader& r) { r.SkipValue(); });
        EXPECT_NE(skip.find("Offset 0"), std::string::npos) << skip;
        EXPECT_NE(skip.find(c.What), std::string::npos) << skip;
        const TBytes bytes = c.Bytes;
        EXPECT_NE(ReadError(bytes,
                            [&](TBinaryValueReader& r) {
                                switch (bytes[0]) {
                                case vaBinary:
                                    r.ReadBinary();
                                    break;
                                case vaInt32:
                                    r.ReadInteger();
                                    break;
                                case vaExtended:
                                    r.ReadFloat();
                                    break;
                                default:
                                    r.ReadString();
                                }
                            }),
                  "");
    }
}

TEST(BinaryValueReader, SkipValueCoversEveryTypeAndBoundsNesting) {
    const TBytes all = Written([](TBinaryValueWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(1);
        w.WriteInteger(1000);
        w.WriteInteger(100000);
        w.WriteInteger(1LL << 40);
        w.WriteFloat(1.5);
        w.WriteSingle(1.5f);
        w.WriteCurrency(1);
        w.WriteDate(1.0);
        w.WriteString("s");
        w.WriteString(std::string(300, 'l'));
        w.WriteWideString(u"w");
        w.WriteIdent("id");
        w.WriteIdent("nil");
        w.WriteBoolean(true);
        w.WriteBoolean(false);
        w.WriteSet({"a"});
        w.WriteBinary(TBytes{1, 2});
        w.WriteCollectionBegin();
        w.WriteCollectionItemBegin(1);
        w.WriteStr("P");
        w.WriteListBegin();
        w.WriteListEnd();
        w.WriteCollectionItemEnd();
        w.WriteCollectionEnd();
        w.WriteListEnd();
        w.WriteInteger(42);
    });
    EXPECT_EQ(ReadFrom<std::int32_t>(all,
                                     [](TBinaryValueReader& r) {
                                         r.SkipValue();
                                         return r.ReadInteger();
                                     }),
              42);

    auto nested = [](int depth) {
        TBytes bytes(static_cast<std::size_t>(depth), vaList);
        bytes.insert(bytes.end(), static_cast<std::size_t>(depth), vaNull);
        return bytes;
    };
    EXPECT_EQ(ReadError(nested(kMaxValueNesting + 1), [](TBinaryValueReader& r) { r.SkipValue(); }),
              "");
    EXPECT_NE(ReadError(nested(kMaxValueNesting + 2), [](TBinaryValueReader& r) { r.SkipValue(); })
                  .find("verschachtelt"),
              std::string::npos);
    // Deep nesting far beyond the stack's reach is refused just as quietly.
    EXPECT_NE(ReadError(nested(100000), [](TBinaryValueReader& r) { r.SkipValue(); }), "");
}

TEST(BinaryValueReader, ListEndAndPeeking) {
    EXPECT_EQ(ReadFrom<int>(Bytes({vaList, vaInt8, 3, vaNull}),
                            [](TBinaryValueReader& r) {
                                r.ReadListBegin();
                                EXPECT_FALSE(r.EndOfList());
                                EXPECT_EQ(r.NextValue(), vaInt8);
                                EXPECT_EQ(r.Position(), 1);
                                const int value = r.ReadInteger();
                                EXPECT_TRUE(r.EndOfList());
                                r.ReadListEnd();
                                return value;
                            }),
              3);
    EXPECT_NE(ReadError(Bytes({vaInt8}), [](TBinaryValueReader& r) { r.ReadListEnd(); })
                  .find("Listenende erwartet"),
              std::string::npos);
    EXPECT_NE(ReadError(TBytes{}, [](TBinaryValueReader& r) { r.EndOfList(); }), "");
}

} // namespace

// The text form: parsing into binary streams, the canonical text, and the
// round trips between them.

#include "FilerTestSupport.h"

#include "platform/filer/ParserError.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const TBytes kSignature = Bytes({'T', 'P', 'F', '0'});

// The binary stream of "object Form: TForm" with one property Value.
TBytes FormWithValue(const std::function<void(TBinaryValueWriter&)>& writeValue) {
    return FormWith([&](TBinaryValueWriter& w) {
        w.WriteStr("Value");
        writeValue(w);
    });
}

// The text of "object Form: TForm" with the property line "Value = <value>".
std::string FormText(const std::string& value) {
    return "object Form: TForm\n  Value = " + value + "\nend\n";
}

// Where parsing Text fails: the line number, or 0 when it does not.
int ErrorLine(const std::string& text, std::string* message = nullptr) {
    try {
        TextToBinary(text);
    } catch (const EParserError& e) {
        if (message != nullptr) {
            *message = e.Message();
        }
        return e.Line();
    }
    return 0;
}

void ExpectRoundTrip(const TBytes& binary) {
    const std::string text = BinaryToText(binary);
    ASSERT_EQ(TextToBinary(text), binary) << text;
    EXPECT_EQ(BinaryToText(TextToBinary(text)), text);
}

TEST(ObjectTextToBinary, SmallFormGivesTheExpectedBytes) {
    const TBytes expected = Concat(
        kSignature,
        Bytes({5,    'T',    'F', 'o', 'r',     'm',     4,    'M',  'a', 'i', 'n', // class, name
               4,    'L',    'e', 'f', 't',     vaInt16, 0xC0, 0x00,                // Left = 192
               3,    'A',    '.', 'B', vaIdent, 5,       'c',  'l',  'R', 'e', 'd', // A.B = clRed
               0,                                                       // end of properties
               0xF3, vaInt8, 2,   4,   'T',     'B',     't',  'n',  0, // inherited TBtn [2]
               0,    0,                                                 // its ends
               0}));                                                    // end of children
    EXPECT_EQ(TextToBinary("object Main: TForm\n"
                           "  Left = 192\n"
                           "  A.B = clRed\n"
                           "  inherited TBtn [2]\n"
                           "  end\n"
                           "end\n"),
              expected);
}

TEST(ObjectTextToBinary, ValuesOfEveryKind) {
    EXPECT_EQ(TextToBinary(FormText("-5")), FormWithValue([](auto& w) { w.WriteInteger(-5); }));
    EXPECT_EQ(TextToBinary(FormText("$FF")), FormWithValue([](auto& w) { w.WriteInteger(255); }));
    EXPECT_EQ(TextToBinary(FormText("-$10")), FormWithValue([](auto& w) { w.WriteInteger(-16); }));
    EXPECT_EQ(TextToBinary(FormText("$FFFFFFFFFFFFFFFF")),
              FormWithValue([](auto& w) { w.WriteInteger(-1); }));
    EXPECT_EQ(TextToBinary(FormText("-9223372036854775808")), FormWithValue([](auto& w) {
                  w.WriteInteger(std::numeric_limits<std::int64_t>::min());
              }));
    EXPECT_EQ(TextToBinary(FormText("1.5")), FormWithValue([](auto& w) { w.WriteFloat(1.5); }));
    EXPECT_EQ(TextToBinary(FormText("2E3")), FormWithValue([](auto& w) { w.WriteFloat(2000); }));
    EXPECT_EQ(TextToBinary(FormText("-0.0")), FormWithValue([](auto& w) { w.WriteFloat(-0.0); }));
    EXPECT_EQ(TextToBinary(FormText("0.5s")), FormWithValue([](auto& w) { w.WriteSingle(0.5f); }));
    EXPECT_EQ(TextToBinary(FormText("12.5c")),
              FormWithValue([](auto& w) { w.WriteCurrency(125000); }));
    EXPECT_EQ(TextToBinary(FormText("3d")), FormWithValue([](auto& w) { w.WriteDate(3.0); }));
    EXPECT_EQ(TextToBinary(FormText("-Inf")), FormWithValue([](auto& w) {
                  w.WriteFloat(-std::numeric_limits<long double>::infinity());
              }));
    EXPECT_EQ(TextToBinary(FormText("True")), FormWithValue([](auto& w) { w.WriteBoolean(true); }));
    EXPECT_EQ(TextToBinary(FormText("nil")), FormWithValue([](auto& w) { w.WriteNil(); }));
    EXPECT_EQ(TextToBinary(FormText("Null")), FormWithValue([](auto& w) { w.WriteIdent("Null"); }));
    EXPECT_EQ(TextToBinary(FormText("Form1.Button1")),
              FormWithValue([](auto& w) { w.WriteIdent("Form1.Button1"); }));
    EXPECT_EQ(TextToBinary(FormText("[]")), FormWithValue([](auto& w) { w.WriteSet({}); }));
    EXPECT_EQ(TextToBinary(FormText("[ fsBold ,fsItalic ]")), FormWithValue([](auto& w) {
                  w.WriteSet({"fsBold", "fsItalic"});
              }));
    EXPECT_EQ(TextToBinary(FormText("{}")),
              FormWithValue([](auto& w) { w.WriteBinary(TBytes{}); }));
    EXPECT_EQ(TextToBinary(FormText("{ 0a FF\n  10 }")), FormWithValue([](auto& w) {
                  w.WriteBinary(Bytes({0x0A, 0xFF, 0x10}));
              }));
    EXPECT_EQ(TextToBinary(FormText("( 1 'a' (2) )")), FormWithValue([](auto& w) {
                  w.WriteListBegin();
                  w.WriteInteger(1);
                  w.WriteString("a");
                  w.WriteListBegin();
                  w.WriteInteger(2);
                  w.WriteListEnd();
                  w.WriteListEnd();
              }));
    EXPECT_EQ(TextToBinary(FormText("<\n item\n  W = 1\n end\n [7] item end>")),
              FormWithValue([](auto& w) {
                  w.WriteCollectionBegin();
                  w.WriteCollectionItemBegin();
                  w.WriteStr("W");
                  w.WriteInteger(1);
                  w.WriteCollectionItemEnd();
                  w.WriteCollectionItemBegin(7);
                  w.WriteCollectionItemEnd();
                  w.WriteCollectionEnd();
              }));
}

TEST(ObjectTextToBinary, StringEscapesAndJoins) {
    auto string = [](const std::string& text) {
        return FormWithValue([&](auto& w) { w.WriteString(text); });
    };
    EXPECT_EQ(TextToBinary(FormText("''")), string(""));
    EXPECT_EQ(TextToBinary(FormText("'It''s'")), string("It's"));
    EXPECT_EQ(TextToBinary(FormText("''''")), string("'"));
    EXPECT_EQ(TextToBinary(FormText("'a'#13#10'b'")), string("a\r\nb"));
    EXPECT_EQ(TextToBinary(FormText("#0#255#$41")), string(std::string("\0\xFF"
                                                                       "A",
                                                                       3)));
    EXPECT_EQ(TextToBinary(FormText("'ab' +\n    'cd'+#33")), string("abcd!"));
    EXPECT_EQ(TextToBinary(FormText("'x'\n  Other = 'y'")), FormWith([](auto& w) {
                  w.WriteStr("Value");
                  w.WriteString("x");
                  w.WriteStr("Other");
                  w.WriteString("y");
              }));
    // UTF-8 in the text becomes CP1252 bytes.
    EXPECT_EQ(TextToBinary(FormText(Utf8(u8"'Größe €'"))), string("Gr\xF6\xDF"
                                                                  "e \x80"));
    // A code above 255 makes the string wide; its other characters follow.
    EXPECT_EQ(TextToBinary(FormText(Utf8(u8"'ä'#$263A#65"))),
              FormWithValue([](auto& w) { w.WriteWideString(u"\u00E4\u263AA"); }));
}

TEST(ObjectTextToBinary, ObjectHeaders) {
    EXPECT_EQ(TextToBinary("object TFoo\nend"),
              Concat(kSignature, Bytes({4, 'T', 'F', 'o', 'o', 0, 0, 0})));
    EXPECT_EQ(TextToBinary("inline F: TFrame [-1]\nend"),
              Concat(kSignature,
                     Bytes({0xF6, vaInt8, 0xFF, 6, 'T', 'F', 'r', 'a', 'm', 'e', 1, 'F', 0, 0})));
    // A property may carry a keyword's name.
    EXPECT_EQ(TextToBinary("object F: T\n  end = 1\n  object = 2\nend"),
              Concat(kSignature, Bytes({1,   'T', 1,   'F', 3,   'e', 'n',    'd', vaInt8, 1, 6,
                                        'o', 'b', 'j', 'e', 'c', 't', vaInt8, 2,   0,      0})));
    EXPECT_EQ(TextToBinary("\xEF\xBB\xBFobject TFoo\nend"), TextToBinary("object TFoo end"));
}

TEST(ObjectTextToBinary, SyntaxErrorsNameTheirLine) {
    struct TCase {
        const char* Text;
        int Line;
        const char* Part;
    };
    const TCase cases[] = {
        {"", 1, "'object'"},
        {"objekt F: T\nend", 1, "'object'"},
        {"object F: T\n  Left 5\nend", 2, "'=' erwartet"},
        {"object F: T\n  Caption = 'open\nend", 2, "nicht abgeschlossen"},
        {"object F: T\n\n  Left = ?\nend", 3, "Unerwartetes Zeichen '?'"},
        {"object F: T\n  object C: T\n  end\n  Left = 1\nend", 4, "vor den Unterkomponenten"},
        {"object F: T\n  Left = 1\n", 3, "'end' erwartet"},
        {"object F: T\n  Data = {\n  ABC}\nend", 3, "Ungerade"},
        {"object F: T\n  Data = {\n  AB\n", 2, "'}'"},
        {"object F: T\n  Data = {AX}\nend", 2, "Hexadezimalziffer"},
        {"object F: T\nend\nend", 3, "nach dem abschließenden"},
        {"object F: T\n  L = (1\n Null)\nend", 3, "Null"},
        {"object F: T\n  L = (1\nend", 3, "')' erwartet"},
        {"object F: T\n  Font..Style = 1\nend", 2, "Eigenschaftsname"},
        {"object F: T\n  S = [a.b]\nend", 2, "Mengenelement"},
        {"object F: T\n  S = [a b]\nend", 2, "']' erwartet"},
        {"object F: T\n  N = 9223372036854775808\nend", 2, "Ungültige Ganzzahl"},
        {"object F: T\n  N = $10000000000000000\nend", 2, "Ungültige Ganzzahl"},
        {"object F: T\n  N = 1.5x\nend", 2, "Ungültige Zahl"},
        {"object F: T\n  N = 1E5000\nend", 2, "Wertebereich"},
        {"object F: T\n  N = 1.00001c\nend", 2, "vier Nachkommastellen"},
        {"object F: T\n  S = '\xE2\x98\xBA'\nend", 2, "U+263A"},
        {"object F: T\n  S = '\xC3'\nend", 2, "UTF-8"},
        {"object F: T\n  S = #70000\nend", 2, "Zeichencode"},
        {"object F: T\n  S = 'a' +\n  1\nend", 3, "Zeichenkette nach '+'"},
        {"object F: T\n  C = <\n  W = 1>\nend", 3, "'item'"},
        {"object F: T\n  C = <item W = 1>\nend", 2, "'end' erwartet"},
        {"object F: T [x]\nend", 1, "32-Bit-Ganzzahl"},
        {"object F: T [3000000000]\nend", 1, "32-Bit-Ganzzahl"},
        {"object F T\nend", 2, "'=' erwartet"},
        {"object F:\nend", 2, "'end' erwartet"},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_EQ(ErrorLine(c.Text, &message), c.Line) << c.Text << "\n" << message;
        EXPECT_NE(message.find(c.Part), std::string::npos) << c.Text << "\n" << message;
        EXPECT_EQ(message.rfind("Zeile " + std::to_string(c.Line) + ": ", 0), 0u) << message;
    }
}

TEST(ObjectTextToBinary, NamesTheBinaryFormCannotHold) {
    EXPECT_EQ(ErrorLine("object F: T" + std::string(240, 'x') + "\nend"), 1);
    EXPECT_EQ(ErrorLine("object F: T" + std::string(238, 'x') + "\nend"), 0);
    EXPECT_EQ(ErrorLine("object F: T\n  P" + std::string(255, 'x') + " = 1\nend"), 2);
}

TEST(ObjectTextToBinary, NestingIsBounded) {
    std::string lists(static_cast<std::size_t>(kMaxValueNesting + 1), '(');
    lists += std::string(static_cast<std::size_t>(kMaxValueNesting + 1), ')');
    EXPECT_EQ(ErrorLine(FormText(lists)), 0);
    EXPECT_EQ(ErrorLine(FormText("(" + lists + ")")), 2);
    std::string objects;
    for (int i = 0; i <= kMaxComponentNesting + 1; ++i) {
        objects += "object T\n";
    }
    for (int i = 0; i <= kMaxComponentNesting + 1; ++i) {
        objects += "end\n";
    }
    EXPECT_EQ(ErrorLine(objects), kMaxComponentNesting + 2);
}

TEST(ObjectBinaryToText, CanonicalLayout) {
    TBytes data(40);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i);
    }
    const TBytes binary = Written([&](TBinaryValueWriter& w) {
        w.WriteSignature();
        w.WriteStr("TForm");
        w.WriteStr("F");
        w.WriteStr("Caption");
        w.WriteString("Gr\xF6\xDF"
                      "e 'x'\r\n");
        w.WriteStr("Long");
        w.WriteString(std::string(64, 'a') + std::string(10, 'b'));
        w.WriteStr("Data");
        w.WriteBinary(data);
        w.WriteStr("Font.Style");
        w.WriteSet({"fsBold", "fsItalic"});
        w.WriteStr("None");
        w.WriteSet({});
        w.WriteStr("Lines");
        w.WriteListBegin();
        w.WriteString("one");
        w.WriteListBegin();
        w.WriteListEnd();
        w.WriteListEnd();
        w.WriteStr("Cols");
        w.WriteCollectionBegin();
        w.WriteCollectionItemBegin();
        w.WriteStr("Width");
        w.WriteInteger(5);
        w.WriteCollectionItemEnd();
        w.WriteCollectionItemBegin(2);
        w.WriteCollectionItemEnd();
        w.WriteCollectionEnd();
        w.WriteStr("Empty");
        w.WriteCollectionBegin();
        w.WriteCollectionEnd();
        w.WriteStr("Bin");
        w.WriteBinary(TBytes{});
        w.WriteEndMarker();
        w.WritePrefix(ffInherited | ffChildPos, 3);
        w.WriteStr("TButton");
        w.WriteStr("Btn");
        w.WriteEndMarker();
        w.WriteEndMarker();
        w.WriteStr("TPanel");
        w.WriteStr("");
        w.WriteEndMarker();
        w.WriteEndMarker();
        w.WriteEndMarker();
    });
    EXPECT_EQ(BinaryToText(binary),
              "object F: TForm\n"
              "  Caption = 'Gr'#246#223'e ''x'''#13#10\n"
              "  Long = '" +
                  std::string(64, 'a') +
                  "' +\n"
                  "    'bbbbbbbbbb'\n"
                  "  Data = {\n"
                  "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
                  "    2021222324252627}\n"
                  "  Font.Style = [fsBold, fsItalic]\n"
                  "  None = []\n"
                  "  Lines = (\n"
                  "    'one'\n"
                  "    ())\n"
                  "  Cols = <\n"
                  "    item\n"
                  "      Width = 5\n"
                  "    end\n"
                  "    [2] item\n"
                  "    end>\n"
                  "  Empty = <>\n"
                  "  Bin = {}\n"
                  "  inherited Btn: TButton [3]\n"
                  "  end\n"
                  "  object TPanel\n"
                  "  end\n"
                  "end\n");
    ExpectRoundTrip(binary);
}

TEST(ObjectBinaryToText, NamesWithoutTextFormAreReadErrors) {
    const TBytes badProperty = FormWith([](auto& w) {
        w.WriteStr("Two words");
        w.WriteInteger(1);
    });
    EXPECT_THROW(BinaryToText(badProperty), EReadError);
    const TBytes badIdent = FormWithValue([](auto& w) {
        w.WriteValueType(vaIdent);
        w.WriteStr("1x");
    });
    EXPECT_THROW(BinaryToText(badIdent), EReadError);
    const TBytes bothFlags = Concat(kSignature, Bytes({0xF5, 1, 'T', 0, 0, 0}));
    EXPECT_THROW(BinaryToText(bothFlags), EReadError);
    const TBytes noClass = Concat(kSignature, Bytes({0, 0, 0, 0}));
    EXPECT_THROW(BinaryToText(noClass), EReadError);
}

TEST(ObjectTextRoundTrip, EveryValueTheWriterProduces) {
    const std::vector<std::function<void(TBinaryValueWriter&)>> values = {
        [](auto& w) { w.WriteInteger(-128); },
        [](auto& w) { w.WriteInteger(127); },
        [](auto& w) { w.WriteInteger(128); },
        [](auto& w) { w.WriteInteger(-32768); },
        [](auto& w) { w.WriteInteger(32767); },
        [](auto& w) { w.WriteInteger(32768); },
        [](auto& w) { w.WriteInteger(2147483647); },
        [](auto& w) { w.WriteInteger(2147483648LL); },
        [](auto& w) { w.WriteInteger(-2147483649LL); },
        [](auto& w) { w.WriteInteger(std::numeric_limits<std::int64_t>::max()); },
        [](auto& w) { w.WriteFloat(0.0); },
        [](auto& w) { w.WriteFloat(-0.0); },
        [](auto& w) { w.WriteFloat(0.1L); },
        [](auto& w) { w.WriteFloat(0.1); },
        [](auto& w) { w.WriteFloat(1e300); },
        [](auto& w) { w.WriteFloat(std::numeric_limits<long double>::denorm_min()); },
        [](auto& w) { w.WriteFloat(std::numeric_limits<long double>::max()); },
        [](auto& w) { w.WriteFloat(std::numeric_limits<long double>::infinity()); },
        [](auto& w) { w.WriteFloat(-std::numeric_limits<long double>::quiet_NaN()); },
        [](auto& w) {
            w.WriteExtended(TExtended80{1, 0});
        },
        [](auto& w) { w.WriteSingle(0.1f); },
        [](auto& w) { w.WriteSingle(-std::numeric_limits<float>::denorm_min()); },
        [](auto& w) { w.WriteSingleBits(0x7F800001); },
        [](auto& w) { w.WriteDate(45000.25); },
        [](auto& w) { w.WriteDate(std::numeric_limits<double>::infinity()); },
        [](auto& w) { w.WriteCurrency(std::numeric_limits<std::int64_t>::min()); },
        [](auto& w) { w.WriteCurrency(-1); },
        [](auto& w) { w.WriteString(""); },
        [](auto& w) { w.WriteString(std::string("\0'\x7F\x80\xFF''", 7)); },
        [](auto& w) { w.WriteString(std::string(255, '\'')); },
        [](auto& w) { w.WriteString(std::string(1000, '#')); },
        [](auto& w) {
            w.WriteWideString(std::u16string{0x263A, 0xD83D, 0xDE00, u' ', u'x'});
        },
        [](auto& w) { w.WriteIdent("clBtnFace"); },
        [](auto& w) { w.WriteIdent("False"); },
        [](auto& w) { w.WriteIdent("Null"); },
        [](auto& w) { w.WriteBoolean(true); },
        [](auto& w) { w.WriteNil(); },
        [](auto& w) { w.WriteSet({}); },
        [](auto& w) {
            w.WriteSet({"a", "b_2"});
        },
        [](auto& w) { w.WriteBinary(TBytes{}); },
        [](auto& w) { w.WriteBinary(TBytes(1000, 0xA5)); },
        [](auto& w) {
            w.WriteListBegin();
            w.WriteListBegin();
            w.WriteString(std::string(70, 'q'));
            w.WriteBinary(TBytes(33, 1));
            w.WriteListEnd();
            w.WriteCollectionBegin();
            w.WriteCollectionItemBegin(-5);
            w.WriteStr("Sub.Prop");
            w.WriteCollectionBegin();
            w.WriteCollectionEnd();
            w.WriteCollectionItemEnd();
            w.WriteCollectionEnd();
            w.WriteListEnd();
        },
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        SCOPED_TRACE("value " + std::to_string(i));
        ExpectRoundTrip(FormWithValue(values[i]));
    }
}

TEST(ObjectTextRoundTrip, TextFormsComeBackCanonical) {
    const std::string loose = "object   frmMain :TfrmMain\n"
                              "Left=192 Caption=" +
                              Utf8(u8"'Tessaro – Größe'") +
                              "\n"
                              "  Strings = ('a'\n'b' 'c' + 'd')\n"
                              "  Value = 1e3\n"
                              "    object  Btn :TButton [ 2 ]\n"
                              "      OnClick = btnExecuteClick end\n"
                              "end";
    const TBytes binary = TextToBinary(loose);
    const std::string canonical = BinaryToText(binary);
    EXPECT_EQ(canonical, "object frmMain: TfrmMain\n"
                         "  Left = 192\n"
                         "  Caption = 'Tessaro '#150' Gr'#246#223'e'\n"
                         "  Strings = (\n"
                         "    'a'\n"
                         "    'b'\n"
                         "    'cd')\n"
                         "  Value = 1000.0\n"
                         "  object Btn: TButton [2]\n"
                         "    OnClick = btnExecuteClick\n"
                         "  end\n"
                         "end\n");
    EXPECT_EQ(TextToBinary(canonical), binary);
}

TEST(ObjectTextRoundTrip, ToAStreamPositionAndFromOne) {
    TMemoryStream stream;
    stream.WriteBuffer("xyz", 3);
    ObjectTextToBinary("object TA\nend", stream);
    stream.WriteBuffer("!", 1);
    stream.SetPosition(3);
    EXPECT_EQ(ObjectBinaryToText(stream), "object TA\nend\n");
    EXPECT_EQ(stream.GetPosition(), 3 + 10);
}

} // namespace

// Damaged and hostile form streams: truncated, flipped, mutated, absurd
// lengths and nesting. The reader must refuse them with EReadError and
// never crash, hang or allocate what the stream cannot hold.

#include "FilerTestSupport.h"
#include "FormReaderCheck.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// A form that uses every kind of value the writer produces.
TBytes SampleStream() {
    return TextToBinary("object frmMain: TfrmMain\n"
                        "  Left = 192\n"
                        "  Width = 100000\n"
                        "  Big = 5000000000\n"
                        "  Caption = 'Tessaro'#13#10'Gr" +
                        Utf8(u8"öß") +
                        "e'\n"
                        "  Long = '" +
                        std::string(300, 'L') +
                        "'\n"
                        "  Wide = 'x'#9786\n"
                        "  Ratio = 0.1\n"
                        "  Half = 0.5s\n"
                        "  Money = 12.5c\n"
                        "  When = 45000.25d\n"
                        "  Color = clBtnFace\n"
                        "  Visible = True\n"
                        "  Hidden = False\n"
                        "  Link = nil\n"
                        "  Font.Style = [fsBold, fsItalic]\n"
                        "  Data = {00 01 02 03 FF}\n"
                        "  Lines = ('a' ('b' 1) <>)\n"
                        "  Cols = <\n"
                        "    item\n"
                        "      Width = 5\n"
                        "    end\n"
                        "    [2] item\n"
                        "      Title = 'x'\n"
                        "    end>\n"
                        "  object Btn: TButton\n"
                        "    Caption = '&OK'\n"
                        "  end\n"
                        "  inherited Pnl: TPanel [1]\n"
                        "    object Inner: TLabel\n"
                        "    end\n"
                        "  end\n"
                        "  inline Frm: TFrame\n"
                        "  end\n"
                        "end\n");
}

void ExpectReadError(const TBytes& bytes, const std::string& what) {
    try {
        BinaryToText(bytes);
        ADD_FAILURE() << what << ": accepted";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("Offset "), std::string::npos) << what << ": " << e.Message();
    }
}

std::size_t Find(const TBytes& bytes, const std::string& text) {
    const auto at = std::search(bytes.begin(), bytes.end(), text.begin(), text.end());
    EXPECT_NE(at, bytes.end()) << text;
    return static_cast<std::size_t>(at - bytes.begin());
}

TEST(DamagedStream, TheSampleItselfIsFine) {
    const TBytes sample = SampleStream();
    EXPECT_EQ(FormReaderMismatch(sample.data(), sample.size()), "");
    EXPECT_EQ(TextToBinary(BinaryToText(sample)), sample);
}

TEST(DamagedStream, EveryTruncationIsAReadError) {
    const TBytes sample = SampleStream();
    for (std::size_t length = 0; length < sample.size(); ++length) {
        ExpectReadError(
            TBytes(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(length)),
            "truncated to " + std::to_string(length));
    }
}

TEST(DamagedStream, EveryBitFlipIsRefusedOrReadsBackConsistently) {
    const TBytes sample = SampleStream();
    for (std::size_t i = 0; i < sample.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            TBytes damaged = sample;
            damaged[i] = static_cast<std::uint8_t>(damaged[i] ^ (1u << bit));
            ASSERT_EQ(FormReaderMismatch(damaged.data(), damaged.size()), "")
                << "byte " << i << " bit " << bit;
        }
    }
}

TEST(DamagedStream, AbsurdLengthsOfBinaryAndLongStrings) {
    const TBytes sample = SampleStream();
    const std::size_t data = Find(sample, "Data") + 4; // the vaBinary byte
    ASSERT_EQ(sample[data], vaBinary);
    const std::size_t text = Find(sample, "Long") + 4;
    ASSERT_EQ(sample[text], vaLString);
    for (const std::size_t at : {data, text}) {
        for (const std::uint32_t length : {0x7FFFFFFFu, 0xFFFFFFFFu, 0x80000000u, 0x00100000u}) {
            TBytes damaged = sample;
            for (int i = 0; i < 4; ++i) {
                damaged[at + 1 + static_cast<std::size_t>(i)] =
                    static_cast<std::uint8_t>(length >> (8 * i));
            }
            ExpectReadError(damaged, "length " + std::to_string(length));
        }
    }
}

TEST(DamagedStream, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    TBytes lists = Bytes({'T', 'P', 'F', '0', 1, 'T', 0, 1, 'P'});
    lists.insert(lists.end(), 200000, vaList);
    ExpectReadError(lists, "nested lists");

    TBytes objects = Bytes({'T', 'P', 'F', '0'});
    for (int i = 0; i < 100000; ++i) {
        objects.insert(objects.end(), {1, 'T', 0, 0});
    }
    ExpectReadError(objects, "nested objects");
}

TEST(DamagedStream, GarbageAndEmptyInput) {
    ExpectReadError(TBytes{}, "empty");
    ExpectReadError(Bytes({'T', 'P', 'F'}), "short signature");
    ExpectReadError(Bytes({'P', 'K', 3, 4, 0, 0}), "other format");
    ExpectReadError(Bytes({'T', 'P', 'F', '0', 0xFF}), "prefix only");
}

// Mostly values the format gives meaning to, so mutations reach deep.
std::uint8_t InterestingByte(std::mt19937& random) {
    static constexpr std::uint8_t bytes[] = {0,    1,    2,    3,    4,    5,    6,   7,
                                             10,   11,   12,   14,   18,   19,   20,  0x7F,
                                             0x80, 0xF0, 0xF3, 0xF5, 0xFE, 0xFF, 'a', '.'};
    const auto pick = random();
    return pick % 4 == 0 ? static_cast<std::uint8_t>(pick >> 8)
                         : bytes[(pick >> 8) % std::size(bytes)];
}

TBytes Mutate(const TBytes& sample, std::mt19937& random) {
    TBytes bytes = sample;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 5) {
        case 0:
            bytes[at] = static_cast<std::uint8_t>(bytes[at] ^ (1u << (random() % 8)));
            break;
        case 1:
            bytes[at] = InterestingByte(random);
            break;
        case 2:
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), InterestingByte(random));
            break;
        case 3:
            bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        default: {
            // Copy a slice of the sample over another place: whole values move.
            const std::size_t from = random() % sample.size();
            const std::size_t length =
                std::min({std::size_t{1} + random() % 24, sample.size() - from, bytes.size() - at});
            std::copy_n(sample.begin() + static_cast<std::ptrdiff_t>(from), length,
                        bytes.begin() + static_cast<std::ptrdiff_t>(at));
        }
        }
    }
    return bytes;
}

TEST(DamagedStream, DeterministicMutationsThroughTheFuzzEntry) {
    const TBytes sample = SampleStream();
    std::mt19937 random(20240612);
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        const TBytes bytes = Mutate(sample, random);
        ASSERT_EQ(FormReaderMismatch(bytes.data(), bytes.size()), "") << "round " << round;
        ASSERT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0);
        try {
            BinaryToText(bytes);
            ++accepted;
        } catch (const EReadError&) {
        }
    }
    // Both outcomes occur, so the mutations exercise the text side too.
    EXPECT_GT(accepted, 100);
    EXPECT_LT(accepted, 3900);
}

} // namespace

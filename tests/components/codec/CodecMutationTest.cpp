// The fuzz entry driven over deterministic mutations of valid compressed
// streams, item records and list files, so every compiler runs it. With
// TESSARO_CODEC_CORPUS set, the samples are also written there as a seed
// corpus for fuzz_codec.

#include "CodecFuzzCheck.h"
#include "CodecTestSupport.h"
#include "components/codec/kitcompressedstream.h"
#include "components/codec/kititemstream.h"
#include "components/codec/kitlistfile.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

TBytes CompressedSample(const TBytes& input) {
    TMemoryStream source;
    LoadBytes(source, input);
    TMemoryStream dest;
    CompressStream(source, dest, static_cast<std::int32_t>(input.size()));
    return dest.Bytes();
}

TBytes ListFileSample(bool compressed) {
    std::mt19937 random(11);
    TMemoryStream stream;
    WriteListFileSignature(stream, lkStringList);
    WriteInt32(stream, 3);
    stream.SetPosition(stream.GetPosition() + 12);
    std::int32_t offsets[3];
    for (int i = 0; i < 3; ++i) {
        offsets[i] = static_cast<std::int32_t>(stream.GetPosition());
        const TBytes data = PhraseBytes(40 + 30 * static_cast<std::size_t>(i), random);
        WriteByte(stream, static_cast<std::uint8_t>(0x0E | (compressed ? 1 : 0)));
        WriteShortStr(stream, "Eintrag");
        WriteInt32(stream, i + 1);
        WriteDataBlock(stream, compressed, [&data](TStream& s) {
            s.WriteBuffer(data.data(), static_cast<std::int32_t>(data.size()));
        });
    }
    stream.SetPosition(13);
    for (const std::int32_t offset : offsets) {
        WriteInt32(stream, offset);
    }
    return stream.Bytes();
}

std::vector<TBytes> Samples() {
    std::mt19937 random(5);
    return {
        CompressedSample(PhraseBytes(300, random)),
        CompressedSample(TBytes(40, 'q')),
        CompressedSample(RandomBytes(64, 4, random)),
        TBytes{0x40, 0x40, 0x00, 'b', 0x00, 0x1B},
        ListFileSample(false),
        ListFileSample(true),
    };
}

std::uint8_t TelltaleByte(std::mt19937& random) {
    // Values that are flags, lengths or boundaries in these formats.
    static constexpr std::uint8_t bytes[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x08, 0x0F, 0x10,
                                             0x1B, 0x40, 0x7F, 0x80, 0x9C, 0xC0, 0xFE, 0xFF};
    const auto value = random();
    return value % 3 == 0 ? static_cast<std::uint8_t>(value >> 16) : bytes[(value >> 8) % 16];
}

TBytes Mutation(const TBytes& sample, std::mt19937& random) {
    TBytes bytes = sample;
    const unsigned edits = 1 + random() % 3;
    for (unsigned e = 0; e < edits && !bytes.empty(); ++e) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 4) {
        case 0:
            bytes[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
            break;
        case 1:
            bytes[at] = TelltaleByte(random);
            break;
        case 2:
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), TelltaleByte(random));
            break;
        default:
            bytes.resize(at);
            break;
        }
    }
    return bytes;
}

TEST(CodecMutations, SamplesPassTheCheck) {
    for (const TBytes& sample : Samples()) {
        EXPECT_EQ(CodecMismatch(sample.data(), sample.size()), "");
    }
    if (const char* folder = std::getenv("TESSARO_CODEC_CORPUS")) {
        int n = 0;
        for (const TBytes& sample : Samples()) {
            std::ofstream file(std::filesystem::path(folder) / ("seed" + std::to_string(n++)),
                               std::ios::binary);
            file.write(reinterpret_cast<const char*>(sample.data()),
                       static_cast<std::streamsize>(sample.size()));
        }
    }
}

TEST(CodecMutations, ThousandsOfMutationsThroughTheFuzzEntry) {
    const std::vector<TBytes> samples = Samples();
    std::mt19937 random(8122026);
    int decoded = 0;
    for (int round = 0; round < 6000; ++round) {
        const TBytes& sample = samples[static_cast<std::size_t>(round) % samples.size()];
        const TBytes bytes = Mutation(sample, random);
        ASSERT_EQ(CodecMismatch(bytes.data(), bytes.size()), "") << "round " << round;
        ASSERT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0);
        if (round % samples.size() < 3) {
            TMemoryStream source;
            LoadBytes(source, bytes);
            TMemoryStream dest;
            try {
                DecompressStream(source, dest);
                ++decoded;
            } catch (const EReadError&) {
            }
        }
    }
    // Both outcomes occur among the stream samples' mutations.
    EXPECT_GT(decoded, 100);
    EXPECT_LT(decoded, 2900);
}

} // namespace

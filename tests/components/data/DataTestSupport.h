#pragma once
// Byte helpers and sample data shared by the kit data tests.

#include "platform/classes/Stream.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

inline TBytes StreamBytes(const TMemoryStream& stream) {
    return stream.Bytes();
}

// Replaces the stream's content with Bytes and rewinds it.
inline void LoadBytes(TMemoryStream& stream, const TBytes& bytes) {
    stream.Clear();
    if (!bytes.empty())
        stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    stream.SetPosition(0);
}

inline void AppendInt32(TBytes& bytes, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(u >> shift));
}

inline void AppendText(TBytes& bytes, const char* text) {
    bytes.insert(bytes.end(), text, text + std::strlen(text));
}

// A small but complete wave file image: RIFF header, format chunk, and
// SampleCount 8-bit mono samples.
inline TBytes WaveBytes(int sampleCount = 16, std::uint8_t firstSample = 0x80) {
    TBytes b;
    AppendText(b, "RIFF");
    AppendInt32(b, 36 + sampleCount);
    AppendText(b, "WAVEfmt ");
    AppendInt32(b, 16);
    b.insert(b.end(), {1, 0, 1, 0}); // PCM, mono
    AppendInt32(b, 8000);
    AppendInt32(b, 8000);
    b.insert(b.end(), {1, 0, 8, 0}); // block alignment, bits
    AppendText(b, "data");
    AppendInt32(b, sampleCount);
    for (int i = 0; i < sampleCount; ++i)
        b.push_back(static_cast<std::uint8_t>(firstSample + i));
    return b;
}

#pragma once
// Byte helpers shared by the codec tests.

#include "platform/classes/Stream.h"

#include <cstdint>
#include <random>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// Replaces the stream's content with Bytes and rewinds it.
inline void LoadBytes(TMemoryStream& stream, const TBytes& bytes) {
    stream.Clear();
    if (!bytes.empty()) {
        stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    }
    stream.SetPosition(0);
}

inline void AppendInt32(TBytes& bytes, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(u >> shift));
    }
}

// Random bytes; Alphabet 256 gives incompressible data, small alphabets and
// repeated phrases give data the compressor shrinks.
inline TBytes RandomBytes(std::size_t size, unsigned alphabet, std::mt19937& random) {
    TBytes bytes(size);
    std::uniform_int_distribution<unsigned> pick(0, alphabet - 1);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(pick(random));
    }
    return bytes;
}

inline TBytes PhraseBytes(std::size_t size, std::mt19937& random) {
    static const char* const phrases[] = {"Zeile ", "Tessaro;", "1234567890", "\r\n",
                                          "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"};
    TBytes bytes;
    std::uniform_int_distribution<int> pick(0, 4);
    while (bytes.size() < size) {
        for (const char* c = phrases[pick(random)]; *c && bytes.size() < size; ++c) {
            bytes.push_back(static_cast<std::uint8_t>(*c));
        }
    }
    return bytes;
}

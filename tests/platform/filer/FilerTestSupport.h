#pragma once
// Small helpers shared by the filer tests: byte vectors, writing values into
// a fresh stream, and both text form conversions on byte vectors.

#include "platform/classes/Stream.h"
#include "platform/filer/BinaryValueReader.h"
#include "platform/filer/BinaryValueWriter.h"
#include "platform/filer/ObjectText.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

inline TBytes Bytes(std::initializer_list<int> values) {
    TBytes result;
    for (const int v : values) {
        result.push_back(static_cast<std::uint8_t>(v));
    }
    return result;
}

// UTF-8 text whatever the execution character set (CP1252 here).
inline std::string Utf8(std::u8string_view text) {
    return std::string(text.begin(), text.end());
}

inline TBytes Concat(TBytes a, const TBytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline TBytes Written(const std::function<void(TBinaryValueWriter&)>& write) {
    TMemoryStream stream;
    TBinaryValueWriter writer(stream);
    write(writer);
    return stream.Bytes();
}

inline TBytes TextToBinary(const std::string& text) {
    TMemoryStream stream;
    ObjectTextToBinary(text, stream);
    return stream.Bytes();
}

inline std::string BinaryToText(const TBytes& bytes) {
    TReadOnlyMemoryStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return ObjectBinaryToText(stream);
}

// Runs Read on a reader over Bytes.
template <typename Result>
Result ReadFrom(const TBytes& bytes, const std::function<Result(TBinaryValueReader&)>& read) {
    TReadOnlyMemoryStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TBinaryValueReader reader(stream);
    return read(reader);
}

// The signature and a root object "Form: TForm" whose properties Write
// writes, closed with both end markers.
inline TBytes FormWith(const std::function<void(TBinaryValueWriter&)>& writeProperties) {
    return Written([&](TBinaryValueWriter& w) {
        w.WriteSignature();
        w.WriteStr("TForm");
        w.WriteStr("Form");
        writeProperties(w);
        w.WriteEndMarker();
        w.WriteEndMarker();
    });
}

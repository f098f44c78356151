#pragma once
// Where the split's part files go; one part is open at a time.

#include <cstddef>
#include <cstdint>

class TPartSink {
public:
    virtual ~TPartSink() = default;
    // Creates part `part`, or empties it when it exists.
    virtual void Open(std::int64_t part) = 0;
    virtual void Write(const char* bytes, std::size_t count) = 0;
    // Writes what is buffered and closes the part; it is closed afterwards
    // even when this raises.
    virtual void Close() = 0;
};

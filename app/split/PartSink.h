#pragma once
// Where the split's part files go; one part is open at a time.

#include <cstddef>
#include <cstdint>

class TPartSink {
public:
    virtual ~TPartSink() = default;
    // Creates part `part` as a new file. A name that exists, as a file or a
    // link, raises and is neither written nor followed.
    virtual void Open(std::int64_t part) = 0;
    virtual void Write(const char* bytes, std::size_t count) = 0;
    // Writes what is buffered and closes the part; it is closed afterwards
    // even when this raises.
    virtual void Close() = 0;
    // Removes the part being written, closing it first when it is still
    // open: after a full disk it would end in the middle of a line. A part
    // that was closed in full, or never created, stays.
    virtual void Discard() noexcept = 0;
};

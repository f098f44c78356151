// The streams: the TStream helpers, the two memory streams and, outside
// Windows, TFileStream over a POSIX descriptor (FileStreamWin.cpp has the
// Windows one). The POSIX part serves the native test build and the host
// tools.

#include "platform/classes/Stream.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr std::int32_t kCopyChunk = 64 * 1024;

// The absolute position a Seek asks for; never negative, never overflowing.
std::int64_t ResolveSeek(std::int64_t offset, TSeekOrigin origin, std::int64_t current,
                         std::int64_t size) {
    std::int64_t base = 0;
    switch (origin) {
    case TSeekOrigin::soBeginning:
        base = 0;
        break;
    case TSeekOrigin::soCurrent:
        base = current;
        break;
    case TSeekOrigin::soEnd:
        base = size;
        break;
    }
    if ((offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset) ||
        base + offset < 0) {
        throw EStreamError("Ungültige Stream-Position");
    }
    return base + offset;
}

// Bytes available from Position in a block of Size bytes, capped at Count.
std::int32_t Available(std::int64_t position, std::int64_t size, std::int32_t count) {
    if (count <= 0 || position >= size) {
        return 0;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(count, size - position));
}

template <typename T> T ReadLittleEndian(TStream& stream) {
    std::uint8_t bytes[sizeof(T)];
    stream.ReadBuffer(bytes, sizeof(T));
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    }
    return static_cast<T>(value);
}

template <typename T> void WriteLittleEndian(TStream& stream, T value) {
    const auto bits = static_cast<std::uint64_t>(value);
    std::uint8_t bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    stream.WriteBuffer(bytes, sizeof(T));
}

} // namespace

// ---- TStream ----

std::int64_t TStream::GetSize() {
    const std::int64_t position = Seek(0, TSeekOrigin::soCurrent);
    const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::SetSize(std::int64_t /*newSize*/) {}

void RaiseStreamRead() {
    throw EReadError("Stream-Lesefehler");
}

std::int64_t StreamRemaining(TStream& stream) {
    return std::max<std::int64_t>(0, stream.GetSize() - stream.GetPosition());
}

void TStream::ReadBuffer(void* buffer, std::int32_t count) {
    if (count < 0 || (count > 0 && Read(buffer, count) != count)) {
        RaiseStreamRead();
    }
}

void TStream::WriteBuffer(const void* buffer, std::int32_t count) {
    if (count < 0 || (count > 0 && Write(buffer, count) != count)) {
        throw EWriteError("Stream-Schreibfehler");
    }
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count < 0) {
        RaiseStreamRead();
    }
    if (count == 0) {
        source.SetPosition(0);
        count = source.GetSize();
    }
    std::vector<std::uint8_t> buffer(
        static_cast<std::size_t>(std::min<std::int64_t>(count, kCopyChunk)));
    std::int64_t left = count;
    while (left > 0) {
        const auto chunk = static_cast<std::int32_t>(std::min<std::int64_t>(left, kCopyChunk));
        source.ReadBuffer(buffer.data(), chunk);
        WriteBuffer(buffer.data(), chunk);
        left -= chunk;
    }
    return count;
}

std::uint8_t TStream::ReadByte() {
    return ReadLittleEndian<std::uint8_t>(*this);
}
std::int16_t TStream::ReadInt16() {
    return ReadLittleEndian<std::int16_t>(*this);
}
std::int32_t TStream::ReadInt32() {
    return ReadLittleEndian<std::int32_t>(*this);
}
std::int64_t TStream::ReadInt64() {
    return ReadLittleEndian<std::int64_t>(*this);
}
void TStream::WriteByte(std::uint8_t value) {
    WriteLittleEndian(*this, value);
}
void TStream::WriteInt16(std::int16_t value) {
    WriteLittleEndian(*this, value);
}
void TStream::WriteInt32(std::int32_t value) {
    WriteLittleEndian(*this, value);
}
void TStream::WriteInt64(std::int64_t value) {
    WriteLittleEndian(*this, value);
}

// ---- TMemoryStream ----

std::int32_t TMemoryStream::Read(void* buffer, std::int32_t count) {
    const std::int32_t n = Available(FPosition, GetSize(), count);
    if (n > 0) {
        std::memcpy(buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
        FPosition += n;
    }
    return n;
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count) {
    if (count <= 0 || FPosition > std::numeric_limits<std::int64_t>::max() - count) {
        return 0;
    }
    const std::int64_t end = FPosition + count;
    if (end > GetSize()) {
        SetSize(end); // a gap after a seek past the end fills with zeros
    }
    std::memcpy(FData.data() + FPosition, buffer, static_cast<std::size_t>(count));
    FPosition = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    FPosition = ResolveSeek(offset, origin, FPosition, GetSize());
    return FPosition;
}

void TMemoryStream::SetSize(std::int64_t newSize) {
    if (newSize < 0 || static_cast<std::uint64_t>(newSize) > FData.max_size()) {
        throw EStreamError("Ungültige Stream-Größe");
    }
    try {
        // vector grows geometrically, so byte-wise appends stay linear.
        FData.resize(static_cast<std::size_t>(newSize));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Zu wenig Arbeitsspeicher");
    }
    FPosition = std::min(FPosition, newSize);
}

void TMemoryStream::Clear() {
    std::vector<std::uint8_t>().swap(FData);
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    const std::int64_t size = source.GetSize();
    SetSize(size);
    std::int64_t done = 0;
    while (done < size) {
        const auto chunk = static_cast<std::int32_t>(std::min<std::int64_t>(size - done, 1 << 30));
        source.ReadBuffer(FData.data() + done, chunk);
        done += chunk;
    }
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& dest) {
    const std::int64_t size = GetSize();
    std::int64_t done = 0;
    while (done < size) {
        const auto chunk = static_cast<std::int32_t>(std::min<std::int64_t>(size - done, 1 << 30));
        dest.WriteBuffer(FData.data() + done, chunk);
        done += chunk;
    }
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// ---- TReadOnlyMemoryStream ----

std::int32_t TReadOnlyMemoryStream::Read(void* buffer, std::int32_t count) {
    const std::int32_t n = Available(FPosition, FSize, count);
    if (n > 0) {
        std::memcpy(buffer, FData + FPosition, static_cast<std::size_t>(n));
        FPosition += n;
    }
    return n;
}

std::int32_t TReadOnlyMemoryStream::Write(const void* /*buffer*/, std::int32_t /*count*/) {
    return 0;
}

std::int64_t TReadOnlyMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    FPosition = ResolveSeek(offset, origin, FPosition, FSize);
    return FPosition;
}

void TReadOnlyMemoryStream::SetSize(std::int64_t /*newSize*/) {
    throw EStreamError("Der Stream ist schreibgeschützt");
}

// ---- TFileStream (POSIX) ----
// Share modes have no POSIX counterpart and are ignored.

#ifndef _WIN32

namespace {

std::string SystemErrorText(int code) {
    return std::strerror(code);
}

int Descriptor(std::intptr_t handle) {
    return static_cast<int>(handle);
}

int OpenFlags(std::uint16_t mode) {
    if ((mode & 0xFF00) == fmCreate) {
        return O_RDWR | O_CREAT | O_TRUNC;
    }
    switch (mode & 0x0003) {
    case fmOpenWrite:
        return O_WRONLY;
    case fmOpenReadWrite:
        return O_RDWR;
    default:
        return O_RDONLY;
    }
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode) : FFileName(fileName) {
    const int fd = ::open(fileName.c_str(), OpenFlags(mode) | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int code = errno;
        if ((mode & 0xFF00) == fmCreate) {
            throw EFCreateError("Die Datei \"" + fileName +
                                "\" kann nicht erstellt werden: " + SystemErrorText(code));
        }
        throw EFOpenError("Die Datei \"" + fileName +
                          "\" kann nicht geöffnet werden: " + SystemErrorText(code));
    }
    FHandle = fd;
}

TFileStream::~TFileStream() {
    ::close(Descriptor(FHandle));
}

std::int32_t TFileStream::Read(void* buffer, std::int32_t count) {
    std::int32_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(Descriptor(FHandle), static_cast<char*>(buffer) + done,
                                 static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<std::int32_t>(n);
    }
    return done;
}

std::int32_t TFileStream::Write(const void* buffer, std::int32_t count) {
    std::int32_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(Descriptor(FHandle), static_cast<const char*>(buffer) + done,
                                  static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<std::int32_t>(n);
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    int whence = SEEK_SET;
    if (origin == TSeekOrigin::soCurrent) {
        whence = SEEK_CUR;
    } else if (origin == TSeekOrigin::soEnd) {
        whence = SEEK_END;
    }
    const off_t result = ::lseek(Descriptor(FHandle), static_cast<off_t>(offset), whence);
    if (result < 0) {
        throw EStreamError("Ungültige Stream-Position in \"" + FFileName +
                           "\": " + SystemErrorText(errno));
    }
    return static_cast<std::int64_t>(result);
}

void TFileStream::SetSize(std::int64_t newSize) {
    const std::int64_t position = GetPosition();
    if (newSize < 0 || ::ftruncate(Descriptor(FHandle), static_cast<off_t>(newSize)) != 0) {
        throw EStreamError("Die Größe von \"" + FFileName + "\" kann nicht geändert werden: " +
                           SystemErrorText(newSize < 0 ? EINVAL : errno));
    }
    if (position > newSize) {
        SetPosition(newSize);
    }
}

#endif

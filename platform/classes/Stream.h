#pragma once
// Byte streams: the abstract TStream with checked reads, a growable memory
// stream, a file stream and a read-only stream over a linked resource.

#include <cstdint>
#include <string>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// EReadError "Stream-Lesefehler": a stream ended before what had to be read.
[[noreturn]] void RaiseStreamRead();

class TStream {
public:
    virtual ~TStream() = default;
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // Reads up to Count bytes; returns how many were read (0 at the end).
    virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
    // Writes up to Count bytes; returns how many were written.
    virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    // Seeking before the start raises EStreamError; seeking past the end is
    // allowed (a memory stream grows on the next write).
    std::int64_t GetPosition() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
    virtual std::int64_t GetSize();
    // The base cannot change its size and ignores the call.
    virtual void SetSize(std::int64_t newSize);

    // Reads exactly Count bytes or raises EReadError ("Stream-Lesefehler").
    void ReadBuffer(void* buffer, std::int32_t count);
    // Writes exactly Count bytes or raises EWriteError ("Stream-Schreibfehler").
    void WriteBuffer(const void* buffer, std::int32_t count);
    // Copies Count bytes from Source (all of it from its start when Count is 0);
    // returns the number of bytes copied. A short source raises EReadError.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

    // Little-endian helpers built on ReadBuffer/WriteBuffer.
    std::uint8_t ReadByte();
    std::int16_t ReadInt16();
    std::int32_t ReadInt32();
    std::int64_t ReadInt64();
    void WriteByte(std::uint8_t value);
    void WriteInt16(std::int16_t value);
    void WriteInt32(std::int32_t value);
    void WriteInt64(std::int64_t value);
};

// The bytes from the stream's position to its end (0 past the end).
std::int64_t StreamRemaining(TStream& stream);

// A stream over a growable block of memory owned by the stream.
class TMemoryStream : public TStream {
public:
    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t GetSize() override { return static_cast<std::int64_t>(FData.size()); }
    void SetSize(std::int64_t newSize) override;

    void Clear();
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& dest);
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    std::uint8_t* Memory() { return FData.data(); }
    const std::uint8_t* Memory() const { return FData.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return FData; }

private:
    std::vector<std::uint8_t> FData;
    std::int64_t FPosition = 0;
};

// A read-only stream over bytes it does not own (a resource, a test buffer).
class TReadOnlyMemoryStream : public TStream {
public:
    TReadOnlyMemoryStream(const void* data, std::int64_t size)
        : FData(static_cast<const std::uint8_t*>(data)), FSize(size) {}
    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t GetSize() override { return FSize; }
    void SetSize(std::int64_t newSize) override; // raises EStreamError

private:
    const std::uint8_t* FData;
    std::int64_t FSize;
    std::int64_t FPosition = 0;
};

// Open modes of TFileStream, numbered as the platform's file modes.
enum : std::uint16_t {
    fmCreate = 0xFF00,
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyNone = 0x0040,
};

// A stream over a file. Opening failures raise EFOpenError or EFCreateError.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, std::uint16_t mode);
    ~TFileStream() override;
    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t newSize) override;
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    std::intptr_t FHandle; // a HANDLE on Windows, a descriptor elsewhere
};

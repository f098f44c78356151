#pragma once
// An open file of the operating system, owned; the thin layer beneath the
// text files. Every failure raises EInOutError with the system's error code
// (Windows codes; the POSIX build maps errno to the nearest of them).

#include <cstddef>
#include <cstdint>
#include <string>

// The code a failed file operation raises for a system error code: a full
// disk (39 or 112) is the run-time library's own ioErrorDiskFull, whose text
// the user reads ("Zu wenig Speicherplatz"); every other code stays.
int InOutErrorCode(int systemError);

class TOSFile {
public:
    TOSFile() = default;
    ~TOSFile();
    TOSFile(TOSFile&& other) noexcept;
    TOSFile& operator=(TOSFile&& other) noexcept;
    TOSFile(const TOSFile&) = delete;
    TOSFile& operator=(const TOSFile&) = delete;

    // Opens an existing file for sequential reading; others may read it too.
    // An ANSI name goes to the system as it is; a wide name is Unicode (UTF-16
    // on Windows; UTF-8 for the system elsewhere), for names the ANSI code
    // page cannot hold.
    static TOSFile OpenRead(const std::string& fileName);
    static TOSFile OpenRead(const std::wstring& fileName);
    // Creates the file, or empties it when it exists, for writing.
    static TOSFile Create(const std::string& fileName);
    static TOSFile Create(const std::wstring& fileName);
    // Creates a new file for writing. A name that exists, as a file or as a
    // link, is neither opened nor followed: EInOutError with code 80.
    static TOSFile CreateNew(const std::wstring& fileName);
    // Removes the file (a link itself, never its target); false when that
    // failed.
    static bool Delete(const std::wstring& fileName) noexcept;

    bool IsOpen() const { return FHandle != InvalidHandle; }
    // Reads up to count bytes; returns how many, 0 only at the end.
    std::size_t Read(void* buffer, std::size_t count);
    // Writes all count bytes.
    void Write(const void* buffer, std::size_t count);
    // Closes the file; does nothing when it is not open.
    void Close();

private:
    // A HANDLE on Windows, a descriptor elsewhere; -1 is invalid on both.
    static constexpr std::intptr_t InvalidHandle = -1;
    explicit TOSFile(std::intptr_t handle) : FHandle(handle) {}
    // Closes without looking at the result; for the destructor.
    void Release() noexcept;

    std::intptr_t FHandle = InvalidHandle;
};

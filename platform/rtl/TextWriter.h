#pragma once
// A text file created for writing; lines end with CR LF. Output is gathered in
// a large buffer, so small writes cost no system call.

#include "platform/rtl/OSFile.h"

#include <string>
#include <string_view>
#include <vector>

class TTextWriter {
public:
    static constexpr std::size_t BufferSize = 256 * 1024;

    TTextWriter() = default;
    // Creates fileName as by Open.
    explicit TTextWriter(const std::string& fileName);
    // Closes the file; a failure to write the rest then goes unreported, so
    // call Close to learn of it.
    ~TTextWriter();
    TTextWriter(const TTextWriter&) = delete;
    TTextWriter& operator=(const TTextWriter&) = delete;

    // Creates the file, or empties it when it exists. A file that is open
    // already is closed first. Raises EInOutError. The name is ANSI or wide
    // as for TOSFile.
    void Open(const std::string& fileName);
    void Open(const std::wstring& fileName);
    // Creates a new file as TOSFile::CreateNew does: an existing name, file
    // or link, raises EInOutError and is left as it is.
    void OpenNew(const std::wstring& fileName);
    bool IsOpen() const { return FFile.IsOpen(); }

    // Writes text and CR LF.
    void WriteLine(std::string_view text);
    // Writes the bytes as they are.
    void Write(std::string_view bytes);
    // Writes what is buffered and closes the file; does nothing when it is not
    // open. Raises EInOutError when writing or closing fails.
    void Close();

private:
    void Start(TOSFile file);
    void Flush();

    TOSFile FFile;
    std::vector<char> FBuffer;
};

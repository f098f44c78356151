#pragma once
// A text file opened for reading line by line, by the rules of TTextLineRules.

#include "platform/rtl/OSFile.h"
#include "platform/rtl/TextLineSplitter.h"

#include <optional>
#include <string>

class TTextReader : private TByteSource {
public:
    TTextReader() = default;
    // Opens fileName as by Open.
    explicit TTextReader(const std::string& fileName, TTextLineRules rules = {});
    ~TTextReader() override = default;
    TTextReader(const TTextReader&) = delete;
    TTextReader& operator=(const TTextReader&) = delete;

    // Opens an existing file; others may read it at the same time. A file
    // that is open already is closed first. Raises EInOutError.
    void Open(const std::string& fileName, TTextLineRules rules = {});
    bool IsOpen() const { return FFile.IsOpen(); }

    // True at the end of the input. Raises EInOutError(103) when not open.
    bool Eof();
    // Reads the next line without its line end. Raises EInOutError: 100 at
    // the end, 103 when not open, the system's code when reading fails.
    void ReadLine(std::string& line);
    // Closes the file; does nothing when it is not open.
    void Close();

private:
    std::size_t ReadSome(char* buffer, std::size_t capacity) override;
    TTextLineSplitter& Lines();

    TOSFile FFile;
    std::optional<TTextLineSplitter> FLines;
};

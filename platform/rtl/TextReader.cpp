// A text file opened for reading.

#include "platform/rtl/TextReader.h"

#include "platform/rtl/Exceptions.h"

TTextReader::TTextReader(const std::string& fileName, TTextLineRules rules) {
    Open(fileName, rules);
}

void TTextReader::Open(const std::string& fileName, TTextLineRules rules) {
    Close();
    FFile = TOSFile::OpenRead(fileName);
    FLines.emplace(static_cast<TByteSource&>(*this), rules);
}

TTextLineSplitter& TTextReader::Lines() {
    if (!FFile.IsOpen()) {
        throw EInOutError(ioErrorFileNotOpen);
    }
    return *FLines;
}

bool TTextReader::Eof() {
    return Lines().Eof();
}

void TTextReader::ReadLine(std::string& line) {
    Lines().ReadLine(line);
}

void TTextReader::Close() {
    FLines.reset();
    FFile.Close();
}

std::size_t TTextReader::ReadSome(char* buffer, std::size_t capacity) {
    return FFile.Read(buffer, capacity);
}

// A text file created for writing.

#include "platform/rtl/TextWriter.h"

#include "platform/rtl/Exceptions.h"

#include <utility>

TTextWriter::TTextWriter(const std::string& fileName) {
    Open(fileName);
}

TTextWriter::~TTextWriter() {
    try {
        Close();
    } catch (const Exception&) {
        // A destructor must not throw; callers who care call Close themselves.
    }
}

void TTextWriter::Open(const std::string& fileName) {
    Close();
    Start(TOSFile::Create(fileName));
}

void TTextWriter::Open(const std::wstring& fileName) {
    Close();
    Start(TOSFile::Create(fileName));
}

void TTextWriter::OpenNew(const std::wstring& fileName) {
    Close();
    Start(TOSFile::CreateNew(fileName));
}

void TTextWriter::Start(TOSFile file) {
    FFile = std::move(file);
    FBuffer.reserve(BufferSize);
}

void TTextWriter::WriteLine(std::string_view text) {
    Write(text);
    Write("\r\n");
}

void TTextWriter::Write(std::string_view bytes) {
    if (!FFile.IsOpen()) {
        throw EInOutError(ioErrorFileNotOpen);
    }
    if (FBuffer.size() + bytes.size() > BufferSize) {
        Flush();
    }
    if (bytes.size() >= BufferSize) {
        FFile.Write(bytes.data(), bytes.size()); // too big to be worth copying
        return;
    }
    FBuffer.insert(FBuffer.end(), bytes.begin(), bytes.end());
}

void TTextWriter::Flush() {
    if (FBuffer.empty()) {
        return;
    }
    try {
        FFile.Write(FBuffer.data(), FBuffer.size());
    } catch (const Exception&) {
        FBuffer.clear(); // so that Close after a failure does not write the same bytes again
        throw;
    }
    FBuffer.clear();
}

void TTextWriter::Close() {
    if (!FFile.IsOpen()) {
        FBuffer.clear();
        return;
    }
    try {
        Flush();
    } catch (const Exception&) {
        try {
            FFile.Close();
        } catch (const Exception&) {
            // The write failure is the one to report.
        }
        throw;
    }
    FFile.Close();
}

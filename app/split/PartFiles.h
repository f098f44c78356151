#pragma once
// The part files of a split: outputFolder + part number + extension.

#include "app/split/PartSink.h"
#include "platform/rtl/TextWriter.h"

#include <optional>
#include <string>

class TPartFiles final : public TPartSink {
public:
    TPartFiles(std::wstring outputFolder, std::wstring extension);

    std::wstring Name(std::int64_t part) const;

    void Open(std::int64_t part) override;
    void Write(const char* bytes, std::size_t count) override;
    void Close() override;
    void Discard() noexcept override;

private:
    std::wstring FFolder;
    std::wstring FExtension;
    std::optional<std::int64_t> FWriting; // created and not yet closed in full
    TTextWriter FWriter; // large writes pass it straight to the file
};

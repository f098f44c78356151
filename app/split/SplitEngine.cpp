// The copy behind a split, on files.

#include "app/split/SplitEngine.h"

#include "app/split/PartFiles.h"
#include "app/split/SplitCopier.h"
#include "platform/rtl/OSFile.h"
#include "platform/rtl/TextLineSplitter.h"

#include <string_view>

namespace {

class TFileBytes final : public TByteSource {
public:
    explicit TFileBytes(TOSFile& file) : FFile(file) {}
    std::size_t ReadSome(char* buffer, std::size_t capacity) override {
        return FFile.Read(buffer, capacity);
    }

private:
    TOSFile& FFile;
};

} // namespace

TSplitResult SplitLines(const std::wstring& sourceName, const std::wstring& outputFolder,
                        const std::wstring& extension, const TSplitProgress& progress,
                        const TSplitTuning& tuning) {
    TOSFile source = TOSFile::OpenRead(sourceName); // closed on an error path by its destructor
    TFileBytes bytes(source);
    TPartFiles parts(outputFolder, extension);
    const TSplitResult result = SplitStream(bytes, parts, progress, tuning);
    source.Close();
    return result;
}

bool StartsWithUtf16Bom(const std::wstring& fileName) {
    TOSFile file = TOSFile::OpenRead(fileName);
    TFileBytes bytes(file);
    char head[2] = {};
    const std::size_t got = ReadUpTo(bytes, head, sizeof head);
    file.Close();
    const std::string_view mark(head, got);
    return mark == "\xFF\xFE" || mark == "\xFE\xFF";
}

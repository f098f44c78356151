// The copy behind a split, on files.

#include "app/SplitEngine.h"

#include "app/split/PartFiles.h"
#include "app/split/SplitCopier.h"
#include "platform/rtl/OSFile.h"

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
    unsigned char head[2] = {};
    std::size_t got = 0;
    while (got < sizeof head) {
        const std::size_t count = file.Read(head + got, sizeof head - got);
        if (count == 0) {
            break;
        }
        got += count;
    }
    file.Close();
    return got == 2 &&
           ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF));
}

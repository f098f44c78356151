// Reads a hostile list file through LoadFromListFile, or a hostile form
// through the form reader, and prints the time and the peak working set,
// and whether the load was refused.
//   list_memory_probe runs   390 KB string list: run items claiming 290 MB
//   list_memory_probe lines  12 KB string list: 9 blocks of a million line breaks
//   list_memory_probe rle    10 KB bitmap list: 9 run-length bitmaps whose end
//                            marker stands for 256 MiB of rows each
//   list_memory_probe form-lists  11 KB form: ten bitmap lists, each with an
//                            item of such a bitmap of 121 MiB of rows
//   list_memory_probe form-data   6 KB form: six bitmap items whose
//                            Bitmap.Data is such a bitmap of 256 MiB of rows

#include "components/data/kitdatalists.h"
#include "components/imagelists/kitbitmaplist.h"
#include "platform/classes/Stream.h"
#include "platform/filer/Reader.h"
#include "tests/components/readers/ReaderSeeds.h"
// After the class library's headers: windows.h would rename RegisterClass.
#include "BenchReport.h"

#include <cstdint>
#include <exception>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

struct TProbe {
    TSeedBytes File;
    TOwnedPtr<TKitCustomContainer> List;
};

TProbe Probe(const std::string& kind) {
    if (kind == "lines")
        return {RunHeavyStringListFile(9, 31, '\n'), TOwnedPtr<TKitCustomContainer>(new TKitStringList(nullptr))};
    if (kind == "rle")
        return {ListFileOf(lkBitmapList, std::vector<TSeedBytes>(
                                             9, BitmapRecord(EndMarkerBitmapFile(16384, 16384)))),
                TOwnedPtr<TKitCustomContainer>(new TKitBitmapList(nullptr))};
    return {RunHeavyStringListFile(9, 1032, 'x'), TOwnedPtr<TKitCustomContainer>(new TKitStringList(nullptr))};
}

// Reads Form as the program reads its forms: a root and the lists in it.
int ProbeForm(const std::string& kind, const TSeedBytes& form) {
    RegisterClasses<TKitBitmapList>();
    std::printf("probe=%s form_kib=%.1f\n", kind.c_str(), static_cast<double>(form.size()) / 1024.0);
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    std::string outcome = "loaded";
    {
        TOwnedPtr<TComponent> root(new TComponent(nullptr));
        try {
            TReadOnlyMemoryStream stream(form.data(), static_cast<std::int64_t>(form.size()));
            TReader reader(stream);
            reader.ReadRootComponent(root.get());
        } catch (const std::exception& e) {
            outcome = std::string("refused: ") + e.what();
        }
        PrintFigures(SecondsSince(start));
    }
    std::printf("%s\n", outcome.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string kind = argc > 1 ? argv[1] : "runs";
    if (kind == "form-lists")
        return ProbeForm(kind, TenLargeListsForm());
    if (kind == "form-data")
        return ProbeForm(kind, BitmapDataItemsForm());
    TProbe probe = Probe(kind);
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string name = std::string(folder) + "tessaro_hostile_list" +
                             ListFileExtension(probe.List->ListKind(), true);
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(probe.File.data()),
               static_cast<std::streamsize>(probe.File.size()));
    std::printf("probe=%s file_kib=%.1f\n", kind.c_str(),
                static_cast<double>(probe.File.size()) / 1024.0);

    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    std::string outcome = "loaded";
    try {
        probe.List->LoadFromListFile(name);
    } catch (const std::exception& e) {
        outcome = std::string("refused: ") + e.what();
    }
    PrintFigures(SecondsSince(start));
    std::printf("%s\n", outcome.c_str());
    probe.List.reset();
    DeleteFileA(name.c_str());
    return 0;
}

// Loads kit string lists of growing item counts from list files and prints
// how long the load and the freeing took. Each item holds one short line.
//   list_load_bench [COUNT...]        (default 1000 10000 100000)
// Builds natively and for Windows; prints one line per count:
//   items=N file_kib=K load_s=S free_s=S

#include "components/data/kitdatalists.h"
#include "platform/classes/StringList.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

std::string WriteListFile(int count) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("tessaro_list_load_" + std::to_string(count) + ListFileExtension(lkStringList, true));
    TOwnedPtr<TKitStringList> list(new TKitStringList(nullptr));
    list->BeginUpdate();
    for (int i = 0; i < count; ++i) {
        auto* item = static_cast<TKitStringListItem*>(list->Items(list->AddItem()));
        item->Items()->Add("Zeile " + std::to_string(i));
    }
    list->EndUpdate(false);
    list->SaveToListFile(path.string());
    return path.string();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {1000, 10000, 100000};
    for (const int count : counts) {
        const std::string file = WriteListFile(count);
        TOwnedPtr<TKitStringList> list(new TKitStringList(nullptr));
        const auto loadStart = TClock::now();
        list->LoadFromListFile(file);
        const double load = SecondsSince(loadStart);
        const int loaded = list->Count();
        const auto freeStart = TClock::now();
        list.reset();
        const double freed = SecondsSince(freeStart);
        std::printf("items=%d loaded=%d file_kib=%.1f load_s=%.3f free_s=%.3f\n", count, loaded,
                    static_cast<double>(std::filesystem::file_size(file)) / 1024.0, load, freed);
        std::fflush(stdout);
        std::filesystem::remove(file);
    }
    return 0;
}

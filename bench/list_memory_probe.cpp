// Reads a hostile string-list file through LoadFromListFile and prints the
// time and the peak working set: 390 KB of records whose compressed blocks
// are run items, claiming about 290 MB. Prints whether the load was refused.
//   list_memory_probe [items] [blocks per item]

#include "BenchReport.h"
#include "components/data/kitdatalists.h"

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

namespace {

void Put32(std::vector<std::uint8_t>& b, std::int32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
}

// A compressed stream of Blocks blocks, each 9 run items for 32781 bytes.
std::vector<std::uint8_t> RunBlocks(int blocks) {
    std::vector<std::uint8_t> block{0x40, 0xFF, 0x80};
    int left = 32781;
    for (int item = 0; item < 9; ++item) {
        const int run = left > 4095 + 16 ? 4095 : left;
        left -= run;
        block.insert(block.end(), {0, static_cast<std::uint8_t>((run - 16) >> 8),
                                   static_cast<std::uint8_t>((run - 16) & 0xFF), 'x'});
    }
    std::vector<std::uint8_t> stream;
    Put32(stream, blocks * static_cast<std::int32_t>(block.size() + 4));
    for (int i = 0; i < blocks; ++i) {
        Put32(stream, static_cast<std::int32_t>(block.size()));
        stream.insert(stream.end(), block.begin(), block.end());
    }
    return stream;
}

std::vector<std::uint8_t> HostileListFile(int items, int blocks) {
    const std::vector<std::uint8_t> runs = RunBlocks(blocks);
    std::vector<std::uint8_t> file{8, 'K', 'I', 'T', 'S', 'L', 'L', '3', '0'};
    Put32(file, items);
    const auto record = static_cast<std::int32_t>(1 + runs.size());
    for (int i = 0; i < items; ++i)
        Put32(file, 13 + 4 * items + i * record);
    for (int i = 0; i < items; ++i) {
        file.push_back(0x09); // compressed, data follows
        file.insert(file.end(), runs.begin(), runs.end());
    }
    return file;
}

} // namespace

int main(int argc, char** argv) {
    const int items = argc > 1 ? std::atoi(argv[1]) : 9;
    const int blocks = argc > 2 ? std::atoi(argv[2]) : 1032;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string name = std::string(folder) + "tessaro_hostile_list.txt";
    const std::vector<std::uint8_t> file = HostileListFile(items, blocks);
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    std::printf("file_kib=%.1f claimed_mib=%.1f\n", static_cast<double>(file.size()) / 1024.0,
                static_cast<double>(items) * blocks * 32781 / (1024.0 * 1024.0));

    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    std::string outcome = "loaded";
    try {
        TOwnedPtr<TKitStringList> list(new TKitStringList(nullptr));
        list->LoadFromListFile(name);
    } catch (const std::exception& e) {
        outcome = std::string("refused: ") + e.what();
    }
    PrintFigures(SecondsSince(start));
    std::printf("%s\n", outcome.c_str());
    DeleteFileA(name.c_str());
    return 0;
}

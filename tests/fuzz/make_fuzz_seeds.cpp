// Writes the seed corpus of every fuzz target into Folder/<target>/: the
// samples the kit's own writers make and the hostile ones of the reader
// tests, and for the platform's readers the same bitmaps, forms and texts.

#include "tests/components/readers/ReaderSeeds.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

void Write(const std::filesystem::path& folder, const std::vector<TSeedBytes>& seeds) {
    std::filesystem::create_directories(folder);
    int n = 0;
    for (const TSeedBytes& seed : seeds) {
        std::ofstream out(folder / ("seed" + std::to_string(n++)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(seed.data()),
                  static_cast<std::streamsize>(seed.size()));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    auto seeds = ReaderSeeds();
    Write(root / "fuzz_string_lists", seeds["strings"]);
    Write(root / "fuzz_wave_lists", seeds["waves"]);
    Write(root / "fuzz_bitmap_lists", seeds["bitmaps"]);
    Write(root / "fuzz_image_lists", seeds["images"]);
    // The hostile forms only here: every damaged copy of them decodes
    // hundreds of megabytes, too slow for the reader tests.
    std::vector<TSeedBytes> forms = seeds["forms"];
    forms.push_back(TenLargeListsForm());
    forms.push_back(BitmapDataItemsForm());
    Write(root / "fuzz_kit_forms", forms);
    std::vector<TSeedBytes> codec = seeds["strings"];
    codec.insert(codec.end(), seeds["waves"].begin(), seeds["waves"].end());
    Write(root / "fuzz_codec", codec);
    Write(root / "fuzz_form_reader", seeds["forms"]);
    Write(root / "fuzz_bitmap_file", BitmapFileSeeds());
    Write(root / "fuzz_text_lines",
          {TSeedBytes{'a', '\r', '\n', 'b', '\n', 'c', '\r', '\r', '\n', 0x1A, 'd'}});
    return 0;
}

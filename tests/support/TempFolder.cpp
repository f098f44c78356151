// A fresh folder for one test.

#include "tests/support/TempFolder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TTempFolder::TTempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("tessaro-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    if (!std::filesystem::create_directory(path)) {
        throw std::runtime_error("temporary folder exists already: " + path.string());
    }
    FPath = path.string();
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

std::string TTempFolder::File(const std::string& name) const {
    return FPath + Separator() + name;
}

char TTempFolder::Separator() {
    return static_cast<char>(std::filesystem::path::preferred_separator);
}

std::string ReadWholeFile(const std::filesystem::path& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + fileName.string());
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::filesystem::path& fileName, const std::string& bytes) {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + fileName.string());
    }
}

#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <filesystem>
#include <string>

class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return FPath; }
    // The name of an entry of the folder, joined with the system's separator.
    std::string File(const std::string& name) const;
    // The system's path separator.
    static char Separator();

private:
    std::string FPath;
};

// The whole contents of a file, as bytes.
std::string ReadWholeFile(const std::filesystem::path& fileName);
// Writes bytes as the whole contents of a file.
void WriteWholeFile(const std::filesystem::path& fileName, const std::string& bytes);

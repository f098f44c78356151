#pragma once
// Sources, sinks and file helpers for the split's tests.

#include "app/split/SplitEngine.h"
#include "app/split/PartSink.h"
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Parts kept in memory, with hooks that let a test make an operation fail.
class TMemoryParts : public TPartSink {
public:
    std::vector<std::string> Parts;
    int Opens = 0;
    int Closes = 0;
    int Writes = 0;
    int Discards = 0;
    bool IsOpen = false;
    std::function<void(std::int64_t part)> BeforeOpen;
    std::function<void(std::size_t writtenSoFar)> BeforeWrite;
    std::function<void()> AfterClose;

    void Open(std::int64_t part) override;
    void Write(const char* bytes, std::size_t count) override;
    void Close() override;
    void Discard() noexcept override;

    // CR LF pairs written so far, over all parts.
    std::int64_t LineEndsWritten() const;

private:
    std::size_t FWritten = 0;
};

// A clock the test moves: each reading returns the time and then advances
// it by Step.
struct TStepClock {
    std::int64_t Time = 0;
    std::int64_t Step = 0;
    int Readings = 0;
    std::function<std::int64_t()> Function() {
        return [this] {
            ++Readings;
            return std::exchange(Time, Time + Step);
        };
    }
};

// N lines "<prefix><number>" ending in lineEnd.
std::string NumberedLines(std::int64_t count, const std::string& lineEnd = "\r\n",
                          const std::string& prefix = "Zeile ");

// A split of data into an output folder, with the parts read back.
struct TFileSplit {
    TSplitResult Result;
    std::vector<std::string> Parts;
};

// A source stem.txt and its output folder stem, in a temporary folder. The
// stem may hold any character.
class TSplitFolder {
public:
    explicit TSplitFolder(const std::wstring& stem = L"Quelle");
    const std::filesystem::path& Source() const { return FSource; }
    // The output folder, with its trailing separator.
    const std::filesystem::path& Output() const { return FOutput; }
    std::filesystem::path Part(std::int64_t part, const std::wstring& extension = L".txt") const;
    std::filesystem::path File(const std::wstring& name) const;

    // Splits into an empty output folder: parts are created new.
    TFileSplit Split(const std::string& data, std::int32_t limit, const TSplitTuning& tuning = {},
                     const std::wstring& extension = L".txt");
    // The parts 0, 1, ... that exist, read back.
    std::vector<std::string> ReadParts(const std::wstring& extension = L".txt") const;

private:
    TTempFolder FTemp;
    std::filesystem::path FSource;
    std::filesystem::path FOutput;
};

// SplitLines with the names as paths.
TSplitResult SplitFiles(const std::filesystem::path& source, const std::filesystem::path& output,
                        const std::wstring& extension, const TSplitProgress& progress,
                        const TSplitTuning& tuning = {});

// The process's open files: on Windows our files let others read only, so
// creating one of them again fails while it is open; elsewhere the open
// descriptors are counted.
class TOpenFiles {
public:
    TOpenFiles();
    // Expects that no more files are open than at construction and that none
    // of names is held open (on Windows they are emptied by the check).
    void ExpectClosed(const std::vector<std::filesystem::path>& names) const;

private:
    int FCount;
};

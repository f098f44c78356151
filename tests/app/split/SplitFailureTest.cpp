// Failures during a split: what is raised and that every file is closed.

#include "SplitTestSupport.h"
#include "tests/platform/rtl/MemorySource.h"

#include "app/split/PartFiles.h"
#include "app/split/SplitCopier.h"
#include "platform/rtl/OSFile.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TSplitProgress Limit(std::int32_t limit) {
    TSplitProgress progress;
    progress.LineLimit = [limit] { return limit; };
    return progress;
}

// The error code SplitLines raises, or 0 when it returns.
template <class Action> int ErrorCode(Action action) {
    try {
        action();
    } catch (const EInOutError& error) {
        return error.ErrorCode;
    }
    return 0;
}

TEST(SplitFailure, MissingSource) {
    TSplitFolder folder;
    const TOpenFiles open;
    EXPECT_EQ(ErrorCode([&] {
                  SplitFiles(folder.File(L"fehlt.txt"), folder.Output(), L".txt", Limit(10));
              }),
              2);
    EXPECT_FALSE(std::filesystem::exists(folder.Part(0))); // nothing is created
    open.ExpectClosed({});
}

TEST(SplitFailure, MissingOutputFolder) {
    TSplitFolder folder;
    WriteWholeFile(folder.Source(), "a\r\n");
    const TOpenFiles open;
    const std::filesystem::path output = folder.File(L"fehlt") / L"";
    EXPECT_EQ(ErrorCode([&] { SplitFiles(folder.Source(), output, L".txt", Limit(10)); }), 3);
    open.ExpectClosed({folder.Source()});
}

TEST(SplitFailure, PartThatCannotBeCreatedInTheMiddle) {
    TSplitFolder folder;
    WriteWholeFile(folder.Source(), NumberedLines(25));
    std::filesystem::create_directory(folder.Part(1)); // a folder where part 1 goes
    const TOpenFiles open;
    EXPECT_EQ(ErrorCode([&] { SplitFiles(folder.Source(), folder.Output(), L".txt", Limit(10)); }),
              80);
    EXPECT_EQ(ReadWholeFile(folder.Part(0)), NumberedLines(9)); // complete and closed
    open.ExpectClosed({folder.Source(), folder.Part(0)});
}

// Real parts that meet a full disk after `room` bytes.
class TFillingParts : public TPartSink {
public:
    TFillingParts(const std::filesystem::path& folder, std::size_t room)
        : FFiles(folder.wstring(), L".txt"), FRoom(room) {}
    void Open(std::int64_t part) override { FFiles.Open(part); }
    void Write(const char* bytes, std::size_t count) override {
        if (count > FRoom) {
            throw EInOutError(InOutErrorCode(112));
        }
        FRoom -= count;
        FFiles.Write(bytes, count);
    }
    void Close() override { FFiles.Close(); }
    void Discard() noexcept override { FFiles.Discard(); }

private:
    TPartFiles FFiles;
    std::size_t FRoom;
};

TEST(SplitFailure, AFullDiskGivesItsOwnTextAndRemovesOnlyTheCutPart) {
    // The system's codes for a full disk, from a real write where there is a
    // full device (Wine shows the Unix one on drive Z:).
#ifdef _WIN32
    const std::wstring device = L"Z:\\dev\\full";
#else
    const std::wstring device = L"/dev/full";
#endif
    if (std::filesystem::exists(device)) {
        TOSFile full = TOSFile::Create(device);
        EXPECT_EQ(ErrorCode([&] { full.Write("x", 1); }), ioErrorDiskFull);
    }
    EXPECT_EQ(EInOutError(InOutErrorCode(39)).Message(), "Zu wenig Speicherplatz");

    TSplitFolder folder;
    TMemorySource source(NumberedLines(25));
    TFillingParts parts(folder.Output(), 100); // part 0 holds 81 bytes, part 1 does not fit
    EXPECT_EQ(ErrorCode([&] { SplitStream(source, parts, Limit(10)); }), ioErrorDiskFull);
    EXPECT_EQ(ReadWholeFile(folder.Part(0)), NumberedLines(9));
    EXPECT_FALSE(std::filesystem::exists(folder.Part(1)));
}

#ifndef _WIN32 // Wine cannot make links
TEST(SplitFailure, APartNameThatIsALinkIsNotFollowed) {
    TSplitFolder folder;
    WriteWholeFile(folder.Source(), NumberedLines(25));
    const std::filesystem::path target = folder.File(L"Ziel.txt");
    WriteWholeFile(target, "fremd");
    std::filesystem::create_symlink(target, folder.Part(1));
    EXPECT_EQ(ErrorCode([&] { SplitFiles(folder.Source(), folder.Output(), L".txt", Limit(10)); }),
              80);
    EXPECT_EQ(ReadWholeFile(target), "fremd");
}
#endif

TEST(SplitFailure, WriteFailureIsReportedNotTheCloseFailureAfterIt) {
    TMemorySource source(NumberedLines(100), {50});
    TMemoryParts parts;
    parts.BeforeWrite = [](std::size_t written) {
        if (written > 200) {
            throw EInOutError(112);
        }
    };
    parts.AfterClose = [] { throw EInOutError(5); };
    TSplitTuning tuning;
    tuning.BufferSize = 64;
    tuning.FirstBlockSize = 64;
    EXPECT_EQ(ErrorCode([&] { SplitStream(source, parts, Limit(1000), tuning); }), 112);
    EXPECT_EQ(parts.Closes, 1);
    EXPECT_FALSE(parts.IsOpen);
}

TEST(SplitFailure, CloseFailureOnTheNormalPathIsRaised) {
    TMemorySource source(NumberedLines(30));
    TMemoryParts parts;
    parts.AfterClose = [] { throw EInOutError(101); };
    EXPECT_EQ(ErrorCode([&] { SplitStream(source, parts, Limit(100)); }), 101);
    EXPECT_EQ(parts.Closes, 1); // no second attempt
}

TEST(SplitFailure, CloseFailureBetweenPartsIsRaised) {
    TMemorySource source(NumberedLines(30));
    TMemoryParts parts;
    parts.AfterClose = [&] {
        if (parts.Closes == 1) {
            throw EInOutError(101);
        }
    };
    EXPECT_EQ(ErrorCode([&] { SplitStream(source, parts, Limit(10)); }), 101);
    EXPECT_EQ(parts.Opens, 1); // the next part is not begun
    EXPECT_EQ(parts.Closes, 1);
}

TEST(SplitFailure, OnlyOpenedPartsAreClosed) {
    TMemorySource source(NumberedLines(30));
    TMemoryParts parts;
    parts.BeforeOpen = [](std::int64_t part) {
        if (part == 2) {
            throw EInOutError(4);
        }
    };
    EXPECT_EQ(ErrorCode([&] { SplitStream(source, parts, Limit(10)); }), 4);
    EXPECT_EQ(parts.Opens, 3);
    EXPECT_EQ(parts.Closes, 2);
}

// A source whose reads fail after a while.
class TBrokenSource : public TByteSource {
public:
    std::size_t ReadSome(char* buffer, std::size_t capacity) override {
        if (++FCalls > 3) {
            throw EInOutError(23);
        }
        return FInner.ReadSome(buffer, capacity);
    }

private:
    TMemorySource FInner{NumberedLines(100), {40}};
    int FCalls = 0;
};

TEST(SplitFailure, ReadFailureClosesThePart) {
    TBrokenSource source;
    TMemoryParts parts;
    TSplitTuning tuning;
    tuning.FirstBlockSize = 1;
    EXPECT_EQ(ErrorCode([&] { SplitStream(source, parts, Limit(10), tuning); }), 23);
    EXPECT_EQ(parts.Opens, parts.Closes);
}

TEST(SplitFailure, InvalidLimitOpensNoPart) {
    TMemorySource source("a\r\n");
    TMemoryParts parts;
    EXPECT_THROW(SplitStream(source, parts, Limit(0)), EInvalidOperation);
    EXPECT_EQ(parts.Opens, 0);
}

// ---------------------------------------------------------------------------

TEST(Utf16Bom, RecognisesBothByteOrders) {
    TTempFolder folder;
    const auto bom = [&](const std::string& bytes) {
        WriteWholeFile(folder.File("t.txt"), bytes);
        return StartsWithUtf16Bom(std::filesystem::path(folder.File("t.txt")).wstring());
    };
    EXPECT_TRUE(bom("\xFF\xFE"));
    EXPECT_TRUE(bom(std::string("\xFF\xFE"
                                "a\0\r\0\n\0",
                                8)));
    EXPECT_TRUE(bom(std::string("\xFE\xFF\0a", 4)));
    EXPECT_FALSE(bom("\xEF\xBB\xBF"
                     "abc")); // UTF-8
    EXPECT_FALSE(bom("\xFF"));
    EXPECT_FALSE(bom(""));
    EXPECT_FALSE(bom("a\xFF\xFE"));
    EXPECT_FALSE(bom("\xFE\xFE"));
}

TEST(Utf16Bom, MissingFileRaises) {
    TTempFolder folder;
    EXPECT_EQ(ErrorCode([&] {
                  StartsWithUtf16Bom(std::filesystem::path(folder.File("fehlt.txt")).wstring());
              }),
              2);
}

} // namespace
